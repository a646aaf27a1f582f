#pragma once
// The frame one line pattern is drawn in: its sub-cell (x in millimetres of style width,
// y in metres at the fixed vertical scale 1/100, so 0.1 m is 1 mm on paper), the share that
// shifts the mark grid, the pen, and the mark shapes every line pattern is built from.
// Every size is a multiple of the sub-cell width W: a vertical distance of k·W millimetres
// on paper is Dy(k) metres.

#include <cmath>

#include "render/PageGeometry.h"
#include "render/Primitives.h"
#include "render/Surface.h"

namespace stracol::render {

struct PatternFrame {
    Surface& surface;
    const PageGeometry& geometry;  // vertical scale 1/100 while a pattern is drawn
    double x1 = 0;                 // mm
    double y1 = 0;                 // m at 1/100
    double x2 = 0;
    double y2 = 0;
    double share = 1.0;            // e, 0 < e ≤ 1
    int penWidth = 1;              // px
    Colour colour = 0;
    bool variant = false;

    double W() const { return x2 - x1; }
    // The left end of the mark grid: x1 − (1 − e) × W.
    double Origin() const { return x1 - (1.0 - share) * W(); }
    // The position at a fraction of W from the grid origin.
    double X(double fraction) const { return Origin() + fraction * W(); }
    // k·W millimetres on paper as metres at 1/100.
    double Dy(double k) const { return k * W() * 0.1; }
    // A mark reaching from left to right (mm) lies inside the sub-cell across.
    bool FitsAcross(double left, double right) const {
        const double eps = 1e-9 * (std::fabs(W()) + 1.0);
        return left >= x1 - eps && right <= x2 + eps;
    }

    // ---- strokes and marks (pen style solid, the frame's width and colour) ----
    void Line(double ax, double ay, double bx, double by) const {
        DrawLine(surface, geometry, ax, ay, bx, by, 0, penWidth, colour);
    }
    void Circle(double cx, double cy, double rM) const {
        DrawCircle(surface, geometry, cx, cy, rM, 0, penWidth, colour);
    }
    void EllipseMark(double cx, double cy, double rxMm, double ryM) const {
        DrawEllipse(surface, geometry, cx, cy, rxMm, ryM, 0, penWidth, colour);
    }
    // Counter-clockwise arc of the circle of radius rM (metres) from startDeg to endDeg,
    // angles as seen on paper: 0° to the right, 90° up.
    void ArcMark(double cx, double cy, double rM, double startDeg, double endDeg) const;
    void Diamond(double cx, double cy, double hxMm, double hyM) const {
        DrawDiamond(surface, geometry, cx, cy, hxMm, hyM, 0, penWidth, colour);
    }
    void DiamondWithBar(double cx, double cy, double hxMm, double hyM) const {
        DrawDiamondWithBar(surface, geometry, cx, cy, hxMm, hyM, 0, penWidth, colour);
    }
    // The part of the line through (ax, ay)–(bx, by) that lies inside the sub-cell, if any.
    void ClippedLine(double ax, double ay, double bx, double by) const;
};

// A fixed-geometry line pattern.
using LinePatternRoutine = void (*)(const PatternFrame&);

// The routine of a line pattern number other than the scattered-mark patterns; null when
// the number has none.
LinePatternRoutine FixedLinePattern(long number);

}  // namespace stracol::render
