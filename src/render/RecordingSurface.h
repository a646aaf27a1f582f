#pragma once
// A surface for tests: keeps every drawing operation with its device coordinates and the
// pen, brush, font, colour and alignment in force, and measures text with a fixed model
// (a single-byte character is half the font height wide, a double-byte one the full height).

#include <string>
#include <string_view>
#include <vector>

#include "render/Surface.h"

namespace stracol::render {

enum class OperationKind {
    Text, TextBox, Line, Rectangle, Ellipse, Arc, Polygon, FillPolygonArea, SetClip, ClearClip, Bitmap,
};

struct RecordedOperation {
    OperationKind kind;
    std::vector<Point> points;  // Text: the reference point; Line: both ends; Arc: start, end
    Rect rect;                  // TextBox: the box; Rectangle, Ellipse, Arc: bounds; clip; bitmap dest
    std::string text;
    unsigned flags = 0;         // TextBox flags
    Pen pen;
    Brush brush;
    LogFont font;
    Colour textColour = 0;
    TextAlign align;
    Colour fillColour = 0;      // FillPolygonArea
    RasterOp rasterOp = RasterOp::Copy;
    Size imageSize;             // Bitmap
    // Text and TextBox: the box the text covers by the measuring model (turned with the
    // font's escapement), and the clip in force when it was drawn.
    Rect covered;
    bool clipped = false;
    Rect clip;
};

class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(int dpiX = 96, int dpiY = 96) : m_dpiX(dpiX), m_dpiY(dpiY) {}

    int DpiX() const override { return m_dpiX; }
    int DpiY() const override { return m_dpiY; }

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Pen CurrentPen() const override { return m_pen; }
    Brush CurrentBrush() const override { return m_brush; }

    bool SelectFont(const LogFont& font) override;
    LogFont CurrentFont() const override { return m_font; }
    FontMetrics Metrics() const override;
    void SetTextColour(Colour colour) override { m_textColour = colour; }
    Colour TextColour() const override { return m_textColour; }
    TextAlign SetTextAlign(TextAlign align) override;
    TextAlign CurrentTextAlign() const override { return m_align; }

    Size MeasureText(std::string_view text) const override;
    void TextOut(int x, int y, std::string_view text) override;
    Rect DrawTextBox(const Rect& box, std::string_view text, unsigned flags) override;

    void Line(int x1, int y1, int x2, int y2) override;
    void Rectangle(const Rect& rect) override;
    void Ellipse(const Rect& bounds) override;
    void Arc(const Rect& bounds, Point start, Point end) override;
    void Polygon(const std::vector<Point>& points) override;
    void FillPolygonArea(const std::vector<Point>& points, Colour colour) override;

    void SetClipRect(const Rect& rect) override;
    void ClearClip() override;
    bool CurrentClip(Rect& clip) const override;

    void StretchBitmap(const Rect& dest, const QImage& image, RasterOp op) override;

    // The lines text in a box is broken into for a box width (the model of kWordBreak).
    std::vector<std::string> WrapLines(std::string_view text, int width, unsigned flags) const;

    // Measures text as the given surface does (a painter over an image at the same
    // resolution, say) instead of the fixed model; its font follows every selection.
    void MeasureWith(Surface* surface) { m_measure = surface; }

    // Test controls: the next font selections fail; the external leading of every font.
    bool failFontCreation = false;
    int externalLeading = 0;

    // Every drawing operation so far, in order.
    std::vector<RecordedOperation> operations;

    // The operations of one kind, in order.
    std::vector<RecordedOperation> OfKind(OperationKind kind) const;
    // Number of recorded SelectPen/SelectBrush calls (each primitive selects and restores).
    int penSelections = 0;
    int brushSelections = 0;

private:
    RecordedOperation Make(OperationKind kind) const;
    int FontHeight() const;

    int m_dpiX;
    int m_dpiY;
    Pen m_pen;
    Brush m_brush;
    LogFont m_font;
    Colour m_textColour = 0;
    TextAlign m_align;
    bool m_hasClip = false;
    Rect m_clip;
    Surface* m_measure = nullptr;
};

}  // namespace stracol::render
