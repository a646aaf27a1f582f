#pragma once
// The drawing surface over a QPainter, for every real output: the screen view, the print
// preview, the printer, PDF, images and SVG. The caller sets the device up and says its
// resolution; the surface draws in device pixels with the painter's transform as it found it.

#include <QFont>
#include <QRegion>

#include "render/FontResolver.h"
#include "render/Surface.h"

class QPainter;

namespace stracol::render {

class QPainterSurface : public Surface {
public:
    // The painter must be active; dpi 0 takes the device's logical resolution.
    QPainterSurface(QPainter& painter, FontResolver& fonts, int dpiX = 0, int dpiY = 0);
    ~QPainterSurface() override;
    QPainterSurface(const QPainterSurface&) = delete;
    QPainterSurface& operator=(const QPainterSurface&) = delete;

    int DpiX() const override { return m_dpiX; }
    int DpiY() const override { return m_dpiY; }

    Pen SelectPen(const Pen& pen) override;
    Brush SelectBrush(const Brush& brush) override;
    Pen CurrentPen() const override { return m_pen; }
    Brush CurrentBrush() const override { return m_brush; }

    bool SelectFont(const LogFont& font) override;
    LogFont CurrentFont() const override { return m_logFont; }
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

    // The Qt font the current log font resolved to (family after substitution).
    const QFont& CurrentQFont() const { return m_font; }

    // The largest font height accepted (device pixels); larger ones fail to be created.
    static constexpr int kMaxFontHeight = 32767;

private:
    void ApplyPen();
    // Gives the painter the pen and brush selected since the last drawing.
    void ApplyPenAndBrush();
    // Gives the painter the current font and a pen of the text colour, for text drawn
    // straight on it; the next shape gives the painter its own pen back.
    void ApplyTextState();
    Rect DrawLinesAtPitch(const Rect& box, const QString& text, int qtFlags, unsigned flags);
    // The horizontal factor of the log font's width percent (1 for the font's own width).
    double WidthFactor() const;
    // The advance of text in the current font (before the width percent), measured once.
    double Advance(std::string_view text) const;
    // True when a clip is in force and the box lies wholly outside it.
    bool OutsideClip(double left, double top, double right, double bottom) const;
    // True when a clip is in force and a shape of these bounds, drawn with the current pen,
    // would not reach into it.
    bool OutsideClip(const Rect& bounds) const;
    void ApplyBrush();

    QPainter& m_painter;
    FontResolver& m_fonts;
    int m_dpiX;
    int m_dpiY;
    Pen m_pen;
    Brush m_brush;
    bool m_penChanged = false;
    bool m_brushChanged = false;
    Pen m_appliedPen;  // what the painter draws with, unless m_textPenApplied
    Brush m_appliedBrush;
    bool m_directText = false;      // text is drawn without a saved state around it
    bool m_textPenApplied = false;  // the painter holds a pen of m_appliedTextColour
    Colour m_appliedTextColour = 0;
    std::string m_fontKey;         // what m_font was made from
    std::string m_appliedFontKey;  // what the painter's font was made from; empty when unknown
    LogFont m_logFont;
    QFont m_font;
    FontMeasures* m_measures = nullptr;  // of m_font on the painter's device, kept by m_fonts
    Colour m_textColour = 0;
    TextAlign m_align;
    bool m_hadClipping = false;
    QRegion m_initialClip;
    bool m_hasClip = false;
    Rect m_clip;
};

// 0x00BBGGRR as a Qt colour.
QColor ToQColor(Colour colour);

}  // namespace stracol::render
