#include "render/Primitives.h"

#include <algorithm>

namespace stracol::render {

namespace {

int Sign(int v) { return (v > 0) - (v < 0); }

Pen MakePen(int style, int width, Colour colour) { return Pen{PenStyleFromCode(style), width, colour}; }

// True while a dash starting at pos still has more than dash pixels to go toward end,
// for an axis moving in direction dir (0: the axis does not move).
bool DashFits(long long pos, long long end, int dir, long long dash) {
    if (dir > 0) return pos < end - dash;
    if (dir < 0) return pos > end + dash;
    return false;
}

}  // namespace

void DrawLine(Surface& s, int x1, int y1, int x2, int y2, int style, int width, Colour colour) {
    if (width == 0) return;
    PenScope pen(s, MakePen(style, width, colour));
    s.Line(x1, y1, x2, y2);
}

void DrawDashedLine(Surface& s, int x1, int y1, int x2, int y2, int dash, int gap, int width, Colour colour) {
    if (width == 0) return;
    if (gap <= 0) {
        DrawLine(s, x1, y1, x2, y2, 0, width, colour);
        return;
    }
    if (dash <= 0) return;
    const int sx = Sign(x2 - x1);
    const int sy = Sign(y2 - y1);
    PenScope pen(s, MakePen(0, width, colour));
    long long x = x1;
    long long y = y1;
    const long long advance = static_cast<long long>(dash) + gap;
    // Each moving axis is tested in its own direction, so lines drawn right to left or
    // bottom to top end at their end point as well instead of running on.
    for (int n = 0; n < kMaxDashes; ++n) {
        bool more = DashFits(x, x2, sx, dash) || DashFits(y, y2, sy, dash);
        if (!more) break;
        s.Line(static_cast<int>(x), static_cast<int>(y), static_cast<int>(x + sx * dash),
               static_cast<int>(y + sy * dash));
        x += sx * advance;
        y += sy * advance;
    }
}

void DrawBox(Surface& s, int left, int top, int right, int bottom, int style, int width, Colour outline, Colour fill) {
    PenScope pen(s, MakePen(style, width, outline));
    BrushScope brush(s, Brush::Solid(fill));
    s.Rectangle(Rect{left, top, right, bottom}.Normalised());
}

void DrawCircle(Surface& s, int cx, int cy, int r, int style, int width, Colour colour) {
    if (width == 0) return;
    PenScope pen(s, MakePen(style, width, colour));
    s.Arc(Rect{cx - r, cy - r, cx + r, cy + r}, Point{cx + r, cy}, Point{cx + r, cy});
}

void DrawEllipse(Surface& s, int cx, int cy, int rx, int ry, int style, int width, Colour colour) {
    if (width == 0) return;
    PenScope pen(s, MakePen(style, width, colour));
    s.Arc(Rect{cx - rx, cy - ry, cx + rx, cy + ry}, Point{cx + rx, cy}, Point{cx + rx, cy});
}

void DrawArc(Surface& s, int cx, int cy, int r, Point start, Point end, int style, int width, Colour colour) {
    if (width == 0) return;
    PenScope pen(s, MakePen(style, width, colour));
    s.Arc(Rect{cx - r, cy - r, cx + r, cy + r}, start, end);
}

void DrawFilledCircle(Surface& s, int cx, int cy, int r, int style, int width, Colour outline, Colour fill) {
    PenScope pen(s, MakePen(style, width, outline));
    BrushScope brush(s, Brush::Solid(fill));
    s.Ellipse(Rect{cx - r, cy - r, cx + r, cy + r});
}

void FillPolygon(Surface& s, const std::vector<Point>& points, Colour fill) {
    if (points.empty()) return;
    std::vector<Point> used(points.begin(), points.begin() + std::min<std::size_t>(points.size(), kMaxPolygonPoints));
    s.Polygon(used);
    // Only a polygon with an interior is filled: a fill seeded on a bare line or point
    // would have nothing to stop it.
    if (used.size() < 3) return;
    BrushScope brush(s, Brush::Solid(fill));
    s.FillPolygonArea(used, fill);
}

Rect DrawTextInBox(Surface& s, int left, int top, int right, int bottom, std::string_view text, unsigned flags) {
    Rect box = Rect{left, top, right, bottom}.Normalised();
    box.left += 1;
    box.top += 1;
    box.right -= 1;
    box.bottom -= 1;
    if (text.empty()) return Rect{box.left, box.top, box.left, box.top};
    return s.DrawTextBox(box, text, flags);
}

void DrawLine(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M, int style,
              int width, Colour colour) {
    DrawLine(s, MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M), style, width, colour);
}

void DrawDashedLine(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M, int dash,
                    int gap, int width, Colour colour) {
    DrawDashedLine(s, MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M), dash, gap, width, colour);
}

void DrawBox(Surface& s, const PageGeometry& g, double leftMm, double topM, double rightMm, double bottomM, int style,
             int width, Colour outline, Colour fill) {
    DrawBox(s, MmToX(g, leftMm), DepthToY(g, topM), MmToX(g, rightMm), DepthToY(g, bottomM), style, width, outline,
            fill);
}

void DrawCircle(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rM, int style, int width,
                Colour colour) {
    DrawCircle(s, MmToX(g, cxMm), DepthToY(g, cyM), MetresToPx(g, rM), style, width, colour);
}

void DrawFilledCircle(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rM, int style, int width,
                      Colour outline, Colour fill) {
    DrawFilledCircle(s, MmToX(g, cxMm), DepthToY(g, cyM), MetresToPx(g, rM), style, width, outline, fill);
}

void DrawEllipse(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rxMm, double ryM, int style,
                 int width, Colour colour) {
    DrawEllipse(s, MmToX(g, cxMm), DepthToY(g, cyM), MmToPx(g, rxMm), MetresToPx(g, ryM), style, width, colour);
}

void DrawArc(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rM, LogPoint start, LogPoint end,
             int style, int width, Colour colour) {
    DrawArc(s, MmToX(g, cxMm), DepthToY(g, cyM), MetresToPx(g, rM), Point{MmToX(g, start.xMm), DepthToY(g, start.yM)},
            Point{MmToX(g, end.xMm), DepthToY(g, end.yM)}, style, width, colour);
}

void FillPolygon(Surface& s, const PageGeometry& g, const std::vector<LogPoint>& points, Colour fill) {
    std::vector<Point> device;
    device.reserve(std::min<std::size_t>(points.size(), kMaxPolygonPoints));
    for (std::size_t i = 0; i < points.size() && i < static_cast<std::size_t>(kMaxPolygonPoints); ++i)
        device.push_back(Point{MmToX(g, points[i].xMm), DepthToY(g, points[i].yM)});
    FillPolygon(s, device, fill);
}

void DrawCross(Surface& s, const PageGeometry& g, double xMm, double yM, double hxMm, double hyM, int style,
               int width, Colour colour) {
    DrawLine(s, g, xMm - hxMm, yM - hyM, xMm + hxMm, yM + hyM, style, width, colour);
    DrawLine(s, g, xMm - hxMm, yM + hyM, xMm + hxMm, yM - hyM, style, width, colour);
}

void DrawDiamond(Surface& s, const PageGeometry& g, double xMm, double yM, double hxMm, double hyM, int style,
                 int width, Colour colour) {
    DrawLine(s, g, xMm - hxMm, yM, xMm, yM - hyM, style, width, colour);
    DrawLine(s, g, xMm, yM - hyM, xMm + hxMm, yM, style, width, colour);
    DrawLine(s, g, xMm + hxMm, yM, xMm, yM + hyM, style, width, colour);
    DrawLine(s, g, xMm, yM + hyM, xMm - hxMm, yM, style, width, colour);
}

void DrawDiamondWithBar(Surface& s, const PageGeometry& g, double xMm, double yM, double hxMm, double hyM, int style,
                        int width, Colour colour) {
    DrawDiamond(s, g, xMm, yM, hxMm, hyM, style, width, colour);
    DrawLine(s, g, xMm, yM - 0.8 * hyM, xMm, yM + 0.8 * hyM, style, width, colour);
}

}  // namespace stracol::render
