#include "render/RecordingSurface.h"

#include <QImage>

#include <algorithm>
#include <cstdlib>

#include "core/Cp932.h"

namespace stracol::render {

namespace {

// Tokens of the wrapping model: a run of single-byte non-blank characters, one blank, or one
// double-byte character (a line may break before and after each wide character).
std::vector<std::string> Tokens(std::string_view text) {
    std::vector<std::string> tokens;
    std::string word;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = core::Utf8CharLength(text, i);
        std::string_view ch = text.substr(i, len);
        bool wide = core::Cp932CharWidth(core::Utf8CharAt(text, i)) == 2;
        if (ch == " " || wide) {
            if (!word.empty()) tokens.push_back(std::move(word));
            word.clear();
            tokens.emplace_back(ch);
        } else {
            word.append(ch);
        }
        i += len;
    }
    if (!word.empty()) tokens.push_back(std::move(word));
    return tokens;
}

}  // namespace

Pen RecordingSurface::SelectPen(const Pen& pen) {
    ++penSelections;
    Pen previous = m_pen;
    m_pen = pen;
    return previous;
}

Brush RecordingSurface::SelectBrush(const Brush& brush) {
    ++brushSelections;
    Brush previous = m_brush;
    m_brush = brush;
    return previous;
}

bool RecordingSurface::SelectFont(const LogFont& font) {
    if (failFontCreation) return false;
    if (m_measure && !m_measure->SelectFont(font)) return false;
    m_font = font;
    return true;
}

int RecordingSurface::FontHeight() const {
    if (m_measure) return std::max(1, m_measure->MeasureText("").height);
    int h = std::abs(m_font.height);
    return h == 0 ? 12 : h;
}

FontMetrics RecordingSurface::Metrics() const {
    if (m_measure) return m_measure->Metrics();
    int h = FontHeight();
    FontMetrics m;
    m.height = h;
    m.descent = h / 5;
    m.ascent = h - m.descent;
    m.externalLeading = externalLeading;
    return m;
}

TextAlign RecordingSurface::SetTextAlign(TextAlign align) {
    TextAlign previous = m_align;
    m_align = align;
    return previous;
}

Size RecordingSurface::MeasureText(std::string_view text) const {
    if (m_measure) return m_measure->MeasureText(text);
    int h = FontHeight();
    int width = static_cast<int>(core::Cp932Width(text)) * h / 2;
    const int percent = m_font.widthPercent;
    if (percent > 0 && percent < 100) width = width * percent / 100;
    return Size{width, h};
}

RecordedOperation RecordingSurface::Make(OperationKind kind) const {
    RecordedOperation op;
    op.kind = kind;
    op.pen = m_pen;
    op.brush = m_brush;
    op.font = m_font;
    op.textColour = m_textColour;
    op.align = m_align;
    op.clipped = m_hasClip;
    op.clip = m_clip;
    return op;
}

void RecordingSurface::TextOut(int x, int y, std::string_view text) {
    if (text.empty()) return;
    RecordedOperation op = Make(OperationKind::Text);
    op.points = {Point{x, y}};
    op.text = std::string(text);
    // The run from the reference point by the alignment, then turned about it.
    const int w = MeasureText(text).width;
    const int h = FontHeight();
    const int descent = h / 5;
    int along = 0;  // start of the run along the writing direction
    if (m_align.horizontal == HorizontalAlign::Centre) along = -w / 2;
    else if (m_align.horizontal == HorizontalAlign::Right) along = -w;
    int across = 0;  // top of the characters across the writing direction (upwards negative)
    if (m_align.vertical == VerticalAlign::Bottom) across = -h;
    else if (m_align.vertical == VerticalAlign::Baseline) across = -(h - descent);
    const int turn = ((m_font.escapement % 3600) + 3600) % 3600;
    if (turn == 2700) {  // written downwards, the characters' tops facing right
        op.covered = Rect{x - across - h, y + along, x - across, y + along + w};
    } else if (turn == 900) {  // written upwards, the tops facing left
        op.covered = Rect{x + across, y - along - w, x + across + h, y - along};
    } else {
        op.covered = Rect{x + along, y + across, x + along + w, y + across + h};
    }
    operations.push_back(std::move(op));
}

std::vector<std::string> RecordingSurface::WrapLines(std::string_view text, int width, unsigned flags) const {
    std::vector<std::string> paragraphs;
    if (flags & TextBox::kSingleLine) {
        std::string one;
        for (char ch : text)
            if (ch != '\r' && ch != '\n') one.push_back(ch);
        paragraphs.push_back(one);
    } else {
        std::string current;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r') continue;
            if (text[i] == '\n') {
                paragraphs.push_back(current);
                current.clear();
            } else {
                current.push_back(text[i]);
            }
        }
        paragraphs.push_back(current);
    }
    if (!(flags & TextBox::kWordBreak) || (flags & TextBox::kSingleLine)) return paragraphs;

    std::vector<std::string> lines;
    for (const std::string& paragraph : paragraphs) {
        std::string line;
        int lineWidth = 0;
        for (const std::string& token : Tokens(paragraph)) {
            int w = MeasureText(token).width;
            if (!line.empty() && lineWidth + w > width) {
                // Trailing blanks stay on the line they end; a new line never starts with one.
                lines.push_back(line);
                line.clear();
                lineWidth = 0;
                if (token == " ") continue;
            }
            line += token;
            lineWidth += w;
        }
        lines.push_back(line);
    }
    return lines;
}

Rect RecordingSurface::DrawTextBox(const Rect& box, std::string_view text, unsigned flags) {
    Rect b = box.Normalised();
    if (text.empty()) return Rect{b.left, b.top, b.left, b.top};
    std::vector<std::string> lines = WrapLines(text, b.Width(), flags);
    int widest = 0;
    for (const auto& line : lines) widest = std::max(widest, MeasureText(line).width);
    Rect covered{b.left, b.top, b.left + widest, b.top + static_cast<int>(lines.size()) * FontHeight()};
    if (flags & TextBox::kCalcRect) return covered;
    RecordedOperation op = Make(OperationKind::TextBox);
    op.rect = b;
    op.text = std::string(text);
    op.flags = flags;
    // Where the lines stand by the box's alignment.
    const int width = covered.Width();
    const int height = covered.Height();
    int left = b.left;
    if (flags & TextBox::kCentre) left = b.left + (b.Width() - width) / 2;
    else if (flags & TextBox::kRight) left = b.right - width;
    int top = b.top;
    if (flags & TextBox::kVCentre) top = b.top + (b.Height() - height) / 2;
    else if (flags & TextBox::kBottom) top = b.bottom - height;
    op.covered = Rect{left, top, left + width, top + height};
    operations.push_back(std::move(op));
    return covered;
}

void RecordingSurface::Line(int x1, int y1, int x2, int y2) {
    RecordedOperation op = Make(OperationKind::Line);
    op.points = {Point{x1, y1}, Point{x2, y2}};
    operations.push_back(std::move(op));
}

void RecordingSurface::Rectangle(const Rect& rect) {
    RecordedOperation op = Make(OperationKind::Rectangle);
    op.rect = rect.Normalised();
    operations.push_back(std::move(op));
}

void RecordingSurface::Ellipse(const Rect& bounds) {
    RecordedOperation op = Make(OperationKind::Ellipse);
    op.rect = bounds.Normalised();
    operations.push_back(std::move(op));
}

void RecordingSurface::Arc(const Rect& bounds, Point start, Point end) {
    RecordedOperation op = Make(OperationKind::Arc);
    op.rect = bounds.Normalised();
    op.points = {start, end};
    operations.push_back(std::move(op));
}

void RecordingSurface::Polygon(const std::vector<Point>& points) {
    RecordedOperation op = Make(OperationKind::Polygon);
    op.points = points;
    operations.push_back(std::move(op));
}

void RecordingSurface::FillPolygonArea(const std::vector<Point>& points, Colour colour) {
    RecordedOperation op = Make(OperationKind::FillPolygonArea);
    op.points = points;
    op.fillColour = colour;
    operations.push_back(std::move(op));
}

void RecordingSurface::SetClipRect(const Rect& rect) {
    RecordedOperation op = Make(OperationKind::SetClip);
    op.rect = rect.Normalised();
    m_hasClip = true;
    m_clip = op.rect;
    operations.push_back(std::move(op));
}

void RecordingSurface::ClearClip() {
    m_hasClip = false;
    operations.push_back(Make(OperationKind::ClearClip));
}

bool RecordingSurface::CurrentClip(Rect& clip) const {
    if (m_hasClip) clip = m_clip;
    return m_hasClip;
}

void RecordingSurface::StretchBitmap(const Rect& dest, const QImage& image, RasterOp op) {
    RecordedOperation rec = Make(OperationKind::Bitmap);
    rec.rect = dest;
    rec.rasterOp = op;
    rec.imageSize = Size{image.width(), image.height()};
    operations.push_back(std::move(rec));
}

std::vector<RecordedOperation> RecordingSurface::OfKind(OperationKind kind) const {
    std::vector<RecordedOperation> found;
    for (const auto& op : operations)
        if (op.kind == kind) found.push_back(op);
    return found;
}

}  // namespace stracol::render
