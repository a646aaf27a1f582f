#include "render/LogText.h"

#include <algorithm>

#include "core/Cp932.h"
#include "core/Messages.h"
#include "render/Primitives.h"
#include "render/TextFit.h"

namespace stracol::render {

namespace {

constexpr double kAnchorInsetMm = 0.2;
constexpr double kSmallKanaShift = 0.2;
// Spread characters may stand this much closer than their width before they count as
// crowded (the glyphs leave a little room in their cells).
constexpr double kSpreadCrowding = 0.95;

// Calls visit(character, byteIndex) for each character with its CP932 byte offset.
template <typename Visit>
void ForEachCharacter(std::string_view text, Visit visit) {
    std::size_t byteIndex = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = core::Utf8CharLength(text, i);
        int width = core::Cp932CharWidth(core::Utf8CharAt(text, i));
        visit(text.substr(i, len), byteIndex, width);
        byteIndex += static_cast<std::size_t>(width);
        i += len;
    }
}

// Evenly spread characters on one y with the surface's current alignment.
void SpreadAt(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double yM, double charWidthMm,
              std::string_view text) {
    const std::size_t n = core::Cp932Width(text);
    double w = x2Mm - x1Mm;
    if (w < charWidthMm) w = charWidthMm;
    double step;
    if (n < 3) step = w / 2;
    else if (n % 2 == 0) step = (w - charWidthMm) / static_cast<double>(n - 2);
    else step = (w - charWidthMm) / static_cast<double>(n - 1);
    const int y = DepthToY(g, yM);
    // Spread closer than the characters are wide, they would overprint each other: the text
    // is written as one run instead.
    // (one byte of text is half a full-width character wide)
    if (n >= 3 && step < charWidthMm / 2 * kSpreadCrowding) {
        DrawFittedText(s, MmToX(g, x1Mm), y, text, Rect{MmToX(g, x1Mm), y, MmToX(g, x2Mm), y});
        return;
    }
    ForEachCharacter(text, [&](std::string_view ch, std::size_t byteIndex, int) {
        s.TextOut(MmToX(g, x1Mm + static_cast<double>(byteIndex) * step), y, ch);
    });
}

}  // namespace

bool CreateLogFont(Surface& s, Colour textColour, int height, std::string_view faceName, int angleDegrees,
                   core::Messages* messages) {
    LogFont font;
    font.faceName = std::string(faceName);
    font.height = height;
    font.escapement = angleDegrees * 10;
    if (!s.SelectFont(font)) {
        if (messages) messages->Error(core::MessageText(core::MessageId::CantCreateFont));
        return false;
    }
    s.SetTextColour(textColour);
    return true;
}

void TextAt(Surface& s, const PageGeometry& g, double xMm, double yM, std::string_view text) {
    if (text.empty()) return;
    const int x = MmToX(g, xMm);
    const int y = DepthToY(g, yM);
    const TextColumns* columns = s.CurrentTextColumns();
    if (columns && columns->edges.size() >= 2 && s.CurrentFont().escapement == 0) {
        // The column the text is anchored in: by its left end, centre or right end.
        const HorizontalAlign h = s.CurrentTextAlign().horizontal;
        const int anchor = h == HorizontalAlign::Right ? x - 1 : (h == HorizontalAlign::Left ? x + 1 : x);
        if (const int k = columns->ColumnAt(anchor); k > 0) {
            const std::vector<int>& e = columns->edges;
            int left = e[k - 1] + columns->insetPx;
            int right = e[k] - columns->insetPx;
            if (static_cast<std::size_t>(k) + 1 == e.size()) right = std::min(right, e[k] - columns->rightTickPx);
            if (right < left) left = right = (e[k - 1] + e[k]) / 2;
            DrawFittedText(s, x, y, text, Rect{left, y, right, y});
            return;
        }
    }
    s.TextOut(x, y, text);
}

void TextInBox(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M,
               std::string_view text) {
    if (text.empty()) return;
    Rect box = Rect{MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M)}.Normalised();
    // Centred on one line when it fits the box (less a pixel on each side); else fitted to it,
    // the lines centred as a block.
    const Rect room{box.left + 1, box.top, box.right - 1, box.bottom};
    const FittedText fitted = FitText(s, text, TextRoom{room.Width(), room.Height()});
    if (fitted.fits && !fitted.Changed(s.CurrentFont())) {
        DrawTextInBox(s, box.left, box.top, box.right, box.bottom, text,
                      TextBox::kCentre | TextBox::kVCentre | TextBox::kSingleLine | TextBox::kNoClip);
        return;
    }
    const int block = static_cast<int>(fitted.lines.size()) * fitted.lineHeight;
    TextAlignScope align(s, TextAlign{HorizontalAlign::Centre, VerticalAlign::Top});
    DrawFittedText(s, (box.left + box.right) / 2, (box.top + box.bottom) / 2 - block / 2, text, fitted, room);
}

void SpreadText(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double y1M, double y2M,
                double charWidthMm, double charHeightM, std::string_view text) {
    if (text.empty()) return;
    TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
    SpreadAt(s, g, x1Mm, x2Mm, (y1M + y2M - charHeightM) / 2, charWidthMm, text);
}

void VerticalSpreadText(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double y1M, double y2M,
                        double charHeightM, double charWidthMm, std::string_view text) {
    if (text.empty()) return;
    TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
    if (y2M - y1M < charHeightM) y2M = y1M + charHeightM;
    const std::size_t n = core::Cp932Width(text);
    double step = n < 3 ? (y2M - y1M) / 2 : (y2M - y1M - charHeightM) / static_cast<double>(n - 2);
    // Characters closer than their height would overprint: the text is set smaller (down to
    // the readable floor) so that they stand one under the other.
    const LogFont selected = s.CurrentFont();
    bool smaller = false;
    const std::size_t chars = core::CharacterCount(text);
    if (n >= 3 && chars >= 2 && 2 * step < charHeightM * kSpreadCrowding && g.depthPxPerMetre > 0.0001) {
        const int h0 = std::abs(selected.height);
        const int wanted = static_cast<int>((y2M - y1M) * g.depthPxPerMetre / static_cast<double>(chars));
        const LogFont f = FontAt(selected, std::max(TextFloorHeightPx(h0, s.DpiY()), std::min(h0, wanted)), 100);
        if (s.SelectFont(f)) {
            smaller = true;
            const double fh = std::abs(f.height) / g.depthPxPerMetre;
            charWidthMm = g.xFactor > 0.0001 ? s.MeasureText("あ").width / g.xFactor : charWidthMm;
            step = std::max(step, fh / 2);
        }
    }
    const double xc = (x1Mm + x2Mm - charWidthMm) / 2;
    const double wideShift = ContainsSmallKana(text) ? kSmallKanaShift * charWidthMm : 0.0;
    ForEachCharacter(text, [&](std::string_view ch, std::size_t byteIndex, int width) {
        double dx = width == 2 ? wideShift : 0.0;
        s.TextOut(MmToX(g, xc + dx), DepthToY(g, y1M + static_cast<double>(byteIndex) * step), ch);
    });
    if (smaller) s.SelectFont(selected);
}

void TitleFieldText(Surface& s, const PageGeometry& g, int format, double x1Mm, double x2Mm, double y1M, double y2M,
                    double charWidthMm, double charHeightM, double marginXMm, double marginYM, std::string_view text) {
    if (text.empty() || format == -1) return;
    const double top = (y1M + y2M - charHeightM) / 2;
    // The room of the field: inside its margins across, its rows down.
    const Rect room{MmToX(g, x1Mm + marginXMm), DepthToY(g, y1M), MmToX(g, x2Mm - marginXMm), DepthToY(g, y2M)};
    auto fitted = [&](HorizontalAlign h, double xMm) {
        TextAlignScope align(s, TextAlign{h, VerticalAlign::Top});
        DrawFittedText(s, MmToX(g, xMm), DepthToY(g, top), text, room);
    };
    switch (format) {
        case 2:
            TextInBox(s, g, x1Mm, y1M, x2Mm, y2M, text);
            return;
        case 3:
            fitted(HorizontalAlign::Right, x2Mm - marginXMm);
            return;
        case 4:
            // Spread while the characters fit; a longer text is fitted like a left one.
            if (s.MeasureText(text).width <= room.Width()) {
                SpreadText(s, g, x1Mm + marginXMm, x2Mm - marginXMm, y1M, y2M, charWidthMm, charHeightM, text);
                return;
            }
            fitted(HorizontalAlign::Left, x1Mm + marginXMm);
            return;
        case 14:
            VerticalSpreadText(s, g, x1Mm, x2Mm, y1M + marginYM, y2M - marginYM, charHeightM, charWidthMm, text);
            return;
        default:
            fitted(HorizontalAlign::Left, x1Mm + marginXMm);
            return;
    }
}

void UpperTitleText(Surface& s, const PageGeometry& g, int format, double x1Mm, double x2Mm, double yM,
                    double charWidthMm, double /*charHeightM*/, double marginXMm, std::string_view text, int underline,
                    int underlineWidth, Colour underlineColour) {
    if (text.empty() || format == -1) return;
    switch (format) {
        case 2: {
            // Centred on one line in the box; fitted to it when longer.
            TextAlignScope align(s, TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom});
            DrawFittedText(s, MmToX(g, (x1Mm + x2Mm) / 2), DepthToY(g, yM), text,
                           Rect{MmToX(g, x1Mm), DepthToY(g, yM), MmToX(g, x2Mm), DepthToY(g, yM)});
            return;
        }
        case 3: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom});
            DrawFittedText(s, MmToX(g, x2Mm - marginXMm), DepthToY(g, yM), text,
                           Rect{MmToX(g, x1Mm), DepthToY(g, yM), MmToX(g, x2Mm - marginXMm), DepthToY(g, yM)});
            return;
        }
        case 4: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom});
            const Rect room{MmToX(g, x1Mm + marginXMm), DepthToY(g, yM), MmToX(g, x2Mm - marginXMm), DepthToY(g, yM)};
            if (s.MeasureText(text).width <= room.Width()) SpreadAt(s, g, x1Mm + marginXMm, x2Mm - marginXMm, yM, charWidthMm, text);
            else DrawFittedText(s, room.left, room.top, text, room);
            if (underline == kUnderlineTextPart) DrawLine(s, g, x1Mm, yM, x2Mm, yM, 0, underlineWidth, underlineColour);
            return;
        }
        default: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom});
            const Rect drawn = DrawFittedText(s, MmToX(g, x1Mm + marginXMm), DepthToY(g, yM), text,
                                              Rect{MmToX(g, x1Mm + marginXMm), DepthToY(g, yM), MmToX(g, x2Mm),
                                                   DepthToY(g, yM)});
            if (underline == kUnderlineTextPart && g.xFactor > 0.0001) {
                double endMm = x1Mm + (drawn.right - MmToX(g, x1Mm)) / g.xFactor;
                DrawLine(s, g, x1Mm, yM, endMm, yM, 0, underlineWidth, underlineColour);
            }
            return;
        }
    }
}

HorizontalAlign PlacementAlignment(int placementCode) {
    switch (placementCode) {
        case 2: case 5: case 8: case 11: case 12: case 13: case 14: case 15: case 99:
            return HorizontalAlign::Centre;
        case 3: case 6: case 9:
            return HorizontalAlign::Right;
        default:
            return HorizontalAlign::Left;
    }
}

HorizontalAlign SlotAlignment(int slot, int placementCode) {
    if (slot < 1 || slot > 50) return HorizontalAlign::Left;
    return PlacementAlignment(placementCode);
}

double AnchorX(HorizontalAlign align, double leftMm, double rightMm) {
    switch (align) {
        case HorizontalAlign::Left: return leftMm + kAnchorInsetMm;
        case HorizontalAlign::Right: return rightMm - kAnchorInsetMm;
        case HorizontalAlign::Centre: return (leftMm + rightMm) / 2;
    }
    return leftMm;
}

double ApplyPlacementAlignment(Surface& s, int placementCode, double leftMm, double rightMm) {
    HorizontalAlign h = PlacementAlignment(placementCode);
    TextAlign align = s.CurrentTextAlign();
    align.horizontal = h;
    s.SetTextAlign(align);
    return AnchorX(h, leftMm, rightMm);
}

bool ContainsSmallKana(std::string_view text) {
    static constexpr std::string_view kSmallKana[] = {"ッ", "ャ", "ュ", "ョ", "ァ", "ィ", "ゥ", "ェ", "ォ"};
    for (std::string_view kana : kSmallKana)
        if (text.find(kana) != std::string_view::npos) return true;
    return false;
}

std::string TextBeforeSeparator(std::string_view text, std::string_view separator, int* position) {
    std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (position) *position = at == std::string_view::npos ? 0 : static_cast<int>(core::Cp932Width(text.substr(0, at))) + 1;
    if (at == std::string_view::npos || at == 0) return std::string(text);
    return std::string(text.substr(0, at));
}

std::string TextAfterSeparator(std::string_view text, std::string_view separator, int* position) {
    std::size_t at = separator.empty() ? std::string_view::npos : text.find(separator);
    if (position) *position = at == std::string_view::npos ? 0 : static_cast<int>(core::Cp932Width(text.substr(0, at))) + 1;
    if (at == std::string_view::npos) return {};
    return std::string(text.substr(at + separator.size()));
}

}  // namespace stracol::render
