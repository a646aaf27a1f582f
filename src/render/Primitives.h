#pragma once
// The drawing primitives of the log. Each selects its own pen (and brush where it fills),
// draws and puts the previous selection back, so no drawing state leaks from one to the
// next. Each exists in a device form (pixels) and a logical form (x in millimetres of style
// width, y in metres) that converts through MmToX and DepthToY.

#include <string_view>
#include <vector>

#include "render/PageGeometry.h"
#include "render/Surface.h"

namespace stracol::render {

// A point in log coordinates.
struct LogPoint {
    double xMm = 0;
    double yM = 0;
};

// At most this many points of a filled polygon are used.
inline constexpr int kMaxPolygonPoints = 10;
// A dashed line stops after this many dashes.
inline constexpr int kMaxDashes = 1000000;

// ---- device forms (pixels); style is a pen style code 0-5 ----

// One straight segment; nothing at all when the width is 0.
void DrawLine(Surface& s, int x1, int y1, int x2, int y2, int style, int width, Colour colour);
// Dashes of dash pixels with gap pixels between them, drawn solid; a gap ≤ 0 gives a solid
// line, a dash ≤ 0 or a width of 0 nothing.
void DrawDashedLine(Surface& s, int x1, int y1, int x2, int y2, int dash, int gap, int width, Colour colour);
// A rectangle outlined with the pen and filled with a solid brush.
void DrawBox(Surface& s, int left, int top, int right, int bottom, int style, int width, Colour outline, Colour fill);
// Full circle and ellipse outlines (arcs starting and ending at the rightmost point).
void DrawCircle(Surface& s, int cx, int cy, int r, int style, int width, Colour colour);
void DrawEllipse(Surface& s, int cx, int cy, int rx, int ry, int style, int width, Colour colour);
// Counter-clockwise arc of the circle from the direction of start to the direction of end.
void DrawArc(Surface& s, int cx, int cy, int r, Point start, Point end, int style, int width, Colour colour);
// A disc outlined with the pen and filled with the colour.
void DrawFilledCircle(Surface& s, int cx, int cy, int r, int style, int width, Colour outline, Colour fill);
// The polygon with the surface's current pen and brush, then its interior filled with the
// fill colour. Only the first 10 points are used; fewer than 3 points fill nothing.
void FillPolygon(Surface& s, const std::vector<Point>& points, Colour fill);
// Text in a box: normalised, shrunk by 1 pixel on each side, drawn with the given flags.
Rect DrawTextInBox(Surface& s, int left, int top, int right, int bottom, std::string_view text, unsigned flags);

// ---- logical forms ----

void DrawLine(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M, int style,
              int width, Colour colour);
void DrawDashedLine(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M, int dash,
                    int gap, int width, Colour colour);
void DrawBox(Surface& s, const PageGeometry& g, double leftMm, double topM, double rightMm, double bottomM, int style,
             int width, Colour outline, Colour fill);
// Radius in metres at the current vertical scale.
void DrawCircle(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rM, int style, int width,
                Colour colour);
void DrawFilledCircle(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rM, int style, int width,
                      Colour outline, Colour fill);
// rx in millimetres of style width, ry in metres.
void DrawEllipse(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rxMm, double ryM, int style,
                 int width, Colour colour);
void DrawArc(Surface& s, const PageGeometry& g, double cxMm, double cyM, double rM, LogPoint start, LogPoint end,
             int style, int width, Colour colour);
void FillPolygon(Surface& s, const PageGeometry& g, const std::vector<LogPoint>& points, Colour fill);

// ---- symbols built from logical lines ----

// × through (x ± hx, y ± hy).
void DrawCross(Surface& s, const PageGeometry& g, double xMm, double yM, double hxMm, double hyM, int style,
               int width, Colour colour);
// ◇: left–top, top–right, right–bottom, bottom–left.
void DrawDiamond(Surface& s, const PageGeometry& g, double xMm, double yM, double hxMm, double hyM, int style,
                 int width, Colour colour);
// ◇ with a vertical bar from y − 0.8 hy to y + 0.8 hy.
void DrawDiamondWithBar(Surface& s, const PageGeometry& g, double xMm, double yM, double hxMm, double hyM, int style,
                        int width, Colour colour);

}  // namespace stracol::render
