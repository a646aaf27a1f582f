#include "render/TextFit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>

#include "core/Cp932.h"

namespace stracol::render {

namespace {

// A natural break point is preferred while it fills at least this many tenths of the line.
constexpr int kNaturalBreakShare10 = 6;

// Characters after which a line may break before any other point.
bool BreaksAfter(std::string_view ch) {
    return ch == "～" || ch == "〜" || ch == "/" || ch == "／" || ch == "・" || ch == "、" || ch == "，" ||
           ch == "," || ch == "。" || ch == "：" || ch == ":";
}

// A letter or digit, half- or full-width.
bool IsAlphanumeric(std::string_view ch) {
    if (ch.size() == 1) {
        const unsigned char c = static_cast<unsigned char>(ch[0]);
        return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    }
    const char32_t c = core::Utf8CharAt(ch, 0);
    return (c >= U'０' && c <= U'９') || (c >= U'Ａ' && c <= U'Ｚ') || (c >= U'ａ' && c <= U'ｚ');
}

// A slash between letters or digits joins a unit or a ratio ("L/min", "kN/m2", "1/2"): the
// line does not break after it.
bool JoiningSlash(std::string_view before, std::string_view slash, std::string_view after) {
    return (slash == "/" || slash == "／") && IsAlphanumeric(before) && IsAlphanumeric(after);
}

// Characters a line never starts with (they stay with what comes before them).
bool NeverStartsLine(std::string_view ch) {
    return ch == "、" || ch == "。" || ch == "，" || ch == "," || ch == "）" || ch == ")" || ch == "」" ||
           ch == "ー" || ch == "ッ" || ch == "ャ" || ch == "ュ" || ch == "ョ" || ch == "～" || ch == "〜";
}

std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> chars;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = core::Utf8CharLength(text, i);
        chars.push_back(text.substr(i, len));
        i += len;
    }
    return chars;
}

std::string Join(const std::vector<std::string_view>& chars, std::size_t from, std::size_t to) {
    std::string out;
    for (std::size_t i = from; i < to; ++i) out.append(chars[i]);
    return out;
}

// Trailing and leading blanks of a wrapped line are dropped.
std::string TrimmedLine(std::string line) {
    while (!line.empty() && (line.back() == ' ')) line.pop_back();
    std::size_t start = 0;
    while (start < line.size() && line[start] == ' ') ++start;
    return line.substr(start);
}

// One paragraph (no line break inside) broken greedily: the last natural point that keeps
// the line inside the width, else the last point between two full-width characters, else
// where the width ends. Each character is measured once (kerning is off, so
// a line is as wide as its characters).
void WrapParagraph(const Surface& s, std::string_view paragraph, int widthPx, std::vector<std::string>& lines) {
    const std::vector<std::string_view> chars = Characters(paragraph);
    std::vector<int> advance(chars.size());
    for (std::size_t i = 0; i < chars.size(); ++i) advance[i] = s.MeasureText(chars[i]).width;
    std::size_t start = 0;
    while (start < chars.size()) {
        std::size_t natural = 0;  // break before this index (0: none found)
        int naturalWidth = 0;     // the line's width up to it
        std::size_t wide = 0;
        std::size_t joined = 0;   // after a slash inside a unit: only when nothing else will do
        std::size_t end = start;
        int width = 0;
        while (end < chars.size()) {
            if (width + advance[end] > widthPx && end > start) break;
            width += advance[end];
            ++end;
            if (end >= chars.size()) break;
            const std::string_view prev = chars[end - 1];
            const std::string_view next = chars[end];
            if (NeverStartsLine(next)) continue;
            if (end >= 2 && JoiningSlash(chars[end - 2], prev, next)) {
                joined = end;
                continue;
            }
            if (BreaksAfter(prev) || prev == " " || next == " ") {
                natural = end;
                naturalWidth = width;
            } else if (core::Cp932CharWidth(core::Utf8CharAt(prev, 0)) == 2 ||
                       core::Cp932CharWidth(core::Utf8CharAt(next, 0)) == 2) {
                wide = end;
            }
        }
        std::size_t cut = end;
        if (end < chars.size()) {
            // A natural point is taken unless it would leave most of the line empty; Japanese
            // text may as well break between two full-width characters.
            if (natural > start && (wide <= natural || naturalWidth * 10 >= widthPx * kNaturalBreakShare10))
                cut = natural;
            else if (wide > start) cut = wide;
            else if (natural > start) cut = natural;
            else if (joined > start) cut = joined;
            else {
                // No break point inside the room: the word is broken where the room ends (a
                // line that ran on would be cut at the column edge, and a number such as
                // "1.97E+04" lose its end), keeping what never starts a line with what precedes it.
                cut = end;
                while (cut > start + 1 && NeverStartsLine(chars[cut])) --cut;
            }
        }
        std::string line = TrimmedLine(Join(chars, start, cut));
        if (!line.empty() || lines.empty()) lines.push_back(std::move(line));
        start = cut;
        while (start < chars.size() && chars[start] == " ") ++start;
    }
}

int WidestLine(const Surface& s, const std::vector<std::string>& lines) {
    int widest = 0;
    for (const std::string& line : lines) widest = std::max(widest, s.MeasureText(line).width);
    return widest;
}

int LineHeightOf(const Surface& s) {
    const int h = s.MeasureText("あ").height;
    return h > 0 ? h : std::max(1, std::abs(s.CurrentFont().height));
}

// The text's own lines (line breaks in the data), without carriage returns.
std::vector<std::string> OwnLines(std::string_view text) {
    std::vector<std::string> lines(1);
    for (char ch : text) {
        if (ch == '\r') continue;
        if (ch == '\n') lines.emplace_back();
        else lines.back().push_back(ch);
    }
    return lines;
}

}  // namespace

LogFont FontAt(const LogFont& font, int heightPx, int widthPercent) {
    LogFont f = font;
    f.height = (font.height < 0 ? -1 : 1) * heightPx;
    f.widthPercent = widthPercent;
    return f;
}

ClipAcross::ClipAcross(Surface& s, int left, int right, bool clip) {
    if (!clip) return;
    m_scope.emplace(s);
    Rect area{left, -32767, right, 32767};
    Rect current;
    if (s.CurrentClip(current)) {
        area.left = std::max(area.left, current.left);
        area.right = std::min(area.right, current.right);
        area.top = current.top;
        area.bottom = current.bottom;
    }
    if (area.right < area.left) area.right = area.left;
    s.SetClipRect(area);
}

int TextFloorHeightPx(int heightPx, int dpi) {
    const int absolute = static_cast<int>(std::lround(kMinTextSizePt * dpi / 72.0));
    const int share = static_cast<int>(std::lround(kMinTextSizeShare * heightPx));
    return std::max(1, std::min(heightPx, std::max(absolute, share)));
}

std::vector<std::string> WrapAtNaturalPoints(const Surface& s, std::string_view text, int widthPx) {
    std::vector<std::string> lines;
    for (const std::string& own : OwnLines(text)) WrapParagraph(s, own, widthPx, lines);
    return lines;
}

FittedText FitText(Surface& s, std::string_view text, const TextRoom& room) {
    const LogFont selected = s.CurrentFont();
    FittedText fit;
    fit.font = selected;
    fit.lines = OwnLines(text);
    fit.lineHeight = LineHeightOf(s);
    fit.width = WidestLine(s, fit.lines);
    const int roomWidth = std::max(1, room.width);
    auto maxLines = [&](int lineHeight) { return std::max<int>(1, room.height / std::max(1, lineHeight)); };
    if (fit.width <= roomWidth && static_cast<int>(fit.lines.size()) <= maxLines(fit.lineHeight)) return fit;
    if (selected.escapement != 0) {
        // Turned text is not refitted; only clipped.
        fit.fits = fit.width <= roomWidth;
        return fit;
    }

    const int h0 = std::max(1, std::abs(selected.height));
    const int floor = TextFloorHeightPx(h0, s.DpiY());
    auto fontOf = [&](int height, int percent) { return FontAt(selected, height, percent); };
    // Tries the lines as they are with a font; true when they fit the room.
    auto tryFont = [&](const LogFont& f, const std::vector<std::string>& lines) {
        s.SelectFont(f);
        const int lh = LineHeightOf(s);
        const int w = WidestLine(s, lines);
        if (w <= roomWidth && static_cast<int>(lines.size()) <= maxLines(lh)) {
            fit.font = f;
            fit.lines = lines;
            fit.lineHeight = lh;
            fit.width = w;
            fit.fits = true;
            return true;
        }
        return false;
    };
    const std::vector<std::string> own = fit.lines;
    bool done = false;
    // 1. Narrower characters, as little as needed (widths scale with the percentage).
    const int wanted = static_cast<int>(std::floor(100.0 * roomWidth / std::max(1, fit.width)));
    for (int percent = std::min(99, wanted + 1); percent >= std::max(kMinTextWidthPercent, wanted - 3) && !done; --percent)
        done = tryFont(fontOf(h0, percent), own);
    // 2. Smaller, at the narrowest width, from the estimate down; then as wide again as the
    //    room allows.
    if (!done && h0 - 1 >= floor) {
        const double ratio = roomWidth / (std::max(1, fit.width) * kMinTextWidthPercent / 100.0);
        const int estimate = std::clamp(static_cast<int>(std::floor(h0 * ratio)) + 1, floor, h0 - 1);
        for (int height = estimate, tries = 0; height >= floor && tries < 6 && !done; --height, ++tries) {
            if (tryFont(fontOf(height, kMinTextWidthPercent), own)) {
                done = true;
                const int widest = std::max(1, fit.width);
                const int wider = std::min(100, static_cast<int>(kMinTextWidthPercent * roomWidth / widest));
                for (int percent = wider; percent > kMinTextWidthPercent; --percent)
                    if (tryFont(fontOf(height, percent), own)) break;
            }
        }
    }
    // 3. Wrapped at natural points, as large as the room's lines allow (a few sizes tried
    //    from the own size down to the floor).
    if (!done && maxLines(LineHeightOf(s) * floor / std::max(1, h0)) >= 2) {
        std::vector<int> heights;
        for (int k = 0; k <= 5; ++k) {
            const int height = h0 - (h0 - floor) * k / 5;
            if (heights.empty() || heights.back() != height) heights.push_back(height);
        }
        for (int height : heights) {
            if (done) break;
            for (int percent : {100, kMinTextWidthPercent}) {
                s.SelectFont(fontOf(height, percent));
                const std::vector<std::string> lines = WrapAtNaturalPoints(s, text, roomWidth);
                if (lines.size() > 1 && tryFont(fontOf(height, percent), lines)) {
                    done = true;
                    break;
                }
            }
        }
    }
    // 4. The floor, wrapped into as many lines as there is room for, clipped.
    if (!done) {
        const LogFont f = fontOf(floor, kMinTextWidthPercent);
        s.SelectFont(f);
        std::vector<std::string> lines = WrapAtNaturalPoints(s, text, roomWidth);
        const int lh = LineHeightOf(s);
        const std::size_t room = static_cast<std::size_t>(maxLines(lh));
        if (lines.size() > room) {
            std::string rest;
            for (std::size_t i = room - 1; i < lines.size(); ++i) rest += lines[i];
            lines.resize(room - 1);
            lines.push_back(rest);
        }
        fit.font = f;
        fit.lines = lines;
        fit.lineHeight = lh;
        fit.width = WidestLine(s, lines);
        fit.fits = false;
    }
    s.SelectFont(selected);
    return fit;
}

Rect FittedTextBox(const FittedText& fitted, int x, int y, TextAlign align, const Rect& box, int ascent) {
    const int n = static_cast<int>(fitted.lines.size());
    const int lh = fitted.lineHeight;
    int left = x;
    if (align.horizontal == HorizontalAlign::Centre) left = x - fitted.width / 2;
    else if (align.horizontal == HorizontalAlign::Right) left = x - fitted.width;
    int top = y;
    if (align.vertical == VerticalAlign::Bottom) top = y - n * lh;
    else if (align.vertical == VerticalAlign::Baseline) top = y - (n - 1) * lh - ascent;
    const Rect b = box.Normalised();
    if (fitted.width <= b.Width()) {
        if (left < b.left) left = b.left;
        if (left + fitted.width > b.right) left = b.right - fitted.width;
    } else if (b.Width() > 0) {
        // Clipped in the end: its start stays in view, whatever its alignment.
        left = b.left;
    }
    if (b.Height() > 0 && n > 1 && n * lh <= b.Height()) {
        if (top + n * lh > b.bottom) top = b.bottom - n * lh;
        if (top < b.top) top = b.top;
    }
    return Rect{left, top, left + fitted.width, top + n * lh};
}

Rect DrawFittedText(Surface& s, int x, int y, std::string_view text, const Rect& box) {
    if (text.empty()) return Rect{x, y, x, y};
    const Rect b = box.Normalised();
    return DrawFittedText(s, x, y, text, FitText(s, text, TextRoom{b.Width(), b.Height()}), b);
}

Rect DrawFittedText(Surface& s, int x, int y, std::string_view text, const FittedText& fitted, const Rect& box) {
    if (text.empty()) return Rect{x, y, x, y};
    const Rect b = box.Normalised();
    const LogFont selected = s.CurrentFont();
    const TextAlign align = s.CurrentTextAlign();
    TextColumns* columns = s.CurrentTextColumns();
    if (!fitted.Changed(selected) && fitted.fits) {
        // Fits as it is: kept where it was asked for, unless it stands over the box's edge or
        // over a text already written in its column.
        const int w = fitted.width;
        int left = x;
        if (align.horizontal == HorizontalAlign::Centre) left = x - w / 2;
        else if (align.horizontal == HorizontalAlign::Right) left = x - w;
        int dx = 0;
        if (left < b.left) dx = b.left - left;
        else if (left + w > b.right) dx = b.right - (left + w);
        const int ascent = s.Metrics().ascent;
        int top = y;
        if (align.vertical == VerticalAlign::Bottom) top = y - fitted.lineHeight;
        else if (align.vertical == VerticalAlign::Baseline) top = y - ascent;
        Rect covered{left + dx, top, left + dx + w, top + fitted.lineHeight};
        if (columns && !columns->Lay(covered)) return covered;
        s.TextOut(x + dx, y + (covered.top - top), text);
        return covered;
    }
    s.SelectFont(fitted.font);
    const int ascent = s.Metrics().ascent;
    Rect covered = FittedTextBox(fitted, x, y, align, b, ascent);
    if (columns) {
        // A text clipped to its box is laid in its column as far as it shows: a box reaching
        // into the next column would count as a text there and push that column's texts down.
        Rect laid = covered;
        if (!fitted.fits && b.Width() > 0) laid.right = std::min(laid.right, b.right);
        const bool onPage = columns->Lay(laid);
        covered.top = laid.top;
        covered.bottom = laid.bottom;
        if (!onPage) {
            s.SelectFont(selected);
            return covered;
        }
    }
    {
        const ClipAcross clip(s, b.left, b.right, !fitted.fits);
        TextAlignScope alignScope(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
        int top = covered.top;
        for (const std::string& line : fitted.lines) {
            const int w = s.MeasureText(line).width;
            int left = covered.left;
            if (align.horizontal == HorizontalAlign::Centre) left = covered.left + (covered.Width() - w) / 2;
            else if (align.horizontal == HorizontalAlign::Right) left = covered.right - w;
            s.TextOut(left, top, line);
            top += fitted.lineHeight;
        }
    }
    s.SelectFont(selected);
    return covered;
}

}  // namespace stracol::render
