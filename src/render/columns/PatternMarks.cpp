// The fixed-geometry line patterns: each number's own arrangement of marks, every size a
// multiple of the sub-cell width W and every mark inside the sub-cell. Marks are laid out
// in rows from the top; a row is drawn while its marks end above the sub-cell's bottom, and
// a mark that would reach left of the sub-cell (a grid shifted by the share) is skipped.

#include "render/columns/PatternFrame.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <vector>

namespace stracol::render {

void PatternFrame::ArcMark(double cx, double cy, double rM, double startDeg, double endDeg) const {
    // Direction points one radius away, in millimetres across and metres down, so that the
    // directions are true in device pixels.
    const double rMm = geometry.xFactor > 0 ? rM * geometry.depthPxPerMetre / geometry.xFactor : rM * 10.0;
    const double a = startDeg * std::numbers::pi / 180.0;
    const double b = endDeg * std::numbers::pi / 180.0;
    LogPoint start{cx + rMm * std::cos(a), cy - rM * std::sin(a)};
    LogPoint end{cx + rMm * std::cos(b), cy - rM * std::sin(b)};
    DrawArc(surface, geometry, cx, cy, rM, start, end, 0, penWidth, colour);
}

void PatternFrame::ClippedLine(double ax, double ay, double bx, double by) const {
    // Liang-Barsky against the sub-cell.
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = bx - ax;
    const double dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - x1, x2 - ax, ay - y1, y2 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0) return;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 > t1) return;
    }
    Line(ax + t0 * dx, ay + t0 * dy, ax + t1 * dx, ay + t1 * dy);
}

namespace {

using Fractions = std::initializer_list<double>;

// A layer at least this many pixels high gets a row of marks even when it is thinner than one.
constexpr int kThinRowMinPx = 2;

// Rows of marks: the first row's centre firstK·W below the top, then every stepK·W; a row is
// drawn while its marks (reaching belowK·W under the centre) stay above the bottom.
template <typename F>
void ForRows(const PatternFrame& f, double firstK, double stepK, double belowK, F&& row) {
    if (stepK <= 0) return;
    const double step = f.Dy(stepK);
    const double below = f.Dy(belowK);
    const double end = f.y2 + 1e-9 * (std::fabs(f.y2) + 1.0);
    int i = 0;
    for (double y = f.y1 + f.Dy(firstK); y + below <= end && i < 100000; y += step, ++i) row(i, y);
    if (i == 0 && DepthToY(f.geometry, f.y2) - DepthToY(f.geometry, f.y1) >= kThinRowMinPx) {
        // A layer thinner than one row of marks still shows its pattern: one row across its
        // middle, clipped to the layer.
        ClipScope clip(f.surface);
        Rect cell{MmToX(f.geometry, f.x1), DepthToY(f.geometry, f.y1), MmToX(f.geometry, f.x2),
                  DepthToY(f.geometry, f.y2)};
        Rect current;
        if (f.surface.CurrentClip(current)) {
            cell.left = std::max(cell.left, current.left);
            cell.top = std::max(cell.top, current.top);
            cell.right = std::max(cell.left, std::min(cell.right, current.right));
            cell.bottom = std::max(cell.top, std::min(cell.bottom, current.bottom));
        }
        f.surface.SetClipRect(cell);
        row(0, (f.y1 + f.y2) / 2);
    }
}

// Marks at fractions of W along a row, alternating two sets of fractions for even and odd
// rows; halfK is the mark's half-width (fraction of W), used to keep it inside across.
template <typename F>
void StaggeredMarks(const PatternFrame& f, double firstK, double stepK, double halfHeightK, double halfWidthK,
                    Fractions even, Fractions odd, F&& mark) {
    ForRows(f, firstK, stepK, halfHeightK, [&](int row, double y) {
        const Fractions& set = (row % 2 == 0) ? even : odd;
        int index = 0;
        for (double fraction : set) {
            const double x = f.X(fraction);
            const double hw = halfWidthK * f.W();
            if (f.FitsAcross(x - hw, x + hw)) mark(x, y, row, index);
            ++index;
        }
    });
}

// ---- mark shapes (sizes as fractions of W) ----

void Dot(const PatternFrame& f, double x, double y, double k = 0.022) { f.Diamond(x, y, k * f.W(), f.Dy(k)); }

void Plus(const PatternFrame& f, double x, double y, double k) {
    f.Line(x, y - f.Dy(k), x, y + f.Dy(k));
    f.Line(x - k * f.W(), y, x + k * f.W(), y);
}

void Cross(const PatternFrame& f, double x, double y, double k) {
    f.Line(x - k * f.W(), y - f.Dy(k), x + k * f.W(), y + f.Dy(k));
    f.Line(x - k * f.W(), y + f.Dy(k), x + k * f.W(), y - f.Dy(k));
}

// "/" rising to the right.
void Slash(const PatternFrame& f, double x, double y, double kx, double ky) {
    f.Line(x - kx * f.W(), y + f.Dy(ky), x + kx * f.W(), y - f.Dy(ky));
}

// "＼" falling to the right.
void Backslash(const PatternFrame& f, double x, double y, double kx, double ky) {
    f.Line(x - kx * f.W(), y - f.Dy(ky), x + kx * f.W(), y + f.Dy(ky));
}

void Dash(const PatternFrame& f, double x, double y, double k) { f.Line(x - k * f.W(), y, x + k * f.W(), y); }

void Stroke(const PatternFrame& f, double x, double y, double k) { f.Line(x, y - f.Dy(k), x, y + f.Dy(k)); }

// △ (apex up) or ▽ of half-width k and height 1.6k, centred on (x, y).
void Triangle(const PatternFrame& f, double x, double y, double k, bool down = false) {
    const double hw = k * f.W();
    const double hh = f.Dy(0.8 * k);
    const double apex = down ? y + hh : y - hh;
    const double base = down ? y - hh : y + hh;
    f.Line(x - hw, base, x + hw, base);
    f.Line(x + hw, base, x, apex);
    f.Line(x, apex, x - hw, base);
}

// "ハ": two strokes spreading downwards (half-width 1.1 k at the foot).
void Ha(const PatternFrame& f, double x, double y, double k) {
    const double top = y - f.Dy(k);
    const double bottom = y + f.Dy(k);
    f.Line(x - 0.45 * k * f.W(), top, x - 1.1 * k * f.W(), bottom);
    f.Line(x + 0.45 * k * f.W(), top, x + 1.1 * k * f.W(), bottom);
}

// "∥": two parallel upright strokes.
void DoubleStroke(const PatternFrame& f, double x, double y, double k) {
    Stroke(f, x - 0.3 * k * f.W(), y, k);
    Stroke(f, x + 0.3 * k * f.W(), y, k);
}

// "～" from line segments.
void TildeLines(const PatternFrame& f, double x, double y, double k) {
    const double w = k * f.W();
    const double h = f.Dy(0.45 * k);
    f.Line(x - w, y + 0.3 * h, x - 0.45 * w, y - h);
    f.Line(x - 0.45 * w, y - h, x + 0.45 * w, y + h);
    f.Line(x + 0.45 * w, y + h, x + w, y - 0.3 * h);
}

// "～" from two half circles of radius k/2: a hump on the left, a trough on the right.
void TildeArcs(const PatternFrame& f, double x, double y, double k) {
    const double r = f.Dy(0.5 * k);
    const double rx = 0.5 * k * f.W();
    f.ArcMark(x - rx, y, r, 0, 180);
    f.ArcMark(x + rx, y, r, 180, 360);
}

// "S" from two arcs of radius k: an upper "C" and a lower reversed "C".
void SMark(const PatternFrame& f, double x, double y, double k) {
    const double r = f.Dy(k);
    f.ArcMark(x, y - r, r, 30, 270);
    f.ArcMark(x, y + r, r, 210, 90);
}

// "∫": an upright stem with a hook curling right at the top and left at the bottom.
void Integral(const PatternFrame& f, double x, double y, double k) {
    const double r = f.Dy(0.3 * k);
    const double rx = 0.3 * k * f.W();
    f.Line(x, y - f.Dy(k), x, y + f.Dy(k));
    f.ArcMark(x + rx, y - f.Dy(k), r, 0, 180);
    f.ArcMark(x - rx, y + f.Dy(k), r, 180, 360);
}

// "r": a stem and a short arm to the upper right.
void RMark(const PatternFrame& f, double x, double y, double k) {
    const double w = k * f.W();
    f.Line(x - 0.4 * w, y - f.Dy(0.7 * k), x - 0.4 * w, y + f.Dy(k));
    f.Line(x - 0.4 * w, y - f.Dy(0.1 * k), x + 0.05 * w, y - f.Dy(0.7 * k));
    f.Line(x + 0.05 * w, y - f.Dy(0.7 * k), x + 0.6 * w, y - f.Dy(0.5 * k));
}

// "〓": two short bars one above the other.
void Bars(const PatternFrame& f, double x, double y, double k) {
    Dash(f, x, y - f.Dy(0.18 * k), k);
    Dash(f, x, y + f.Dy(0.18 * k), k);
}

// A full-width horizontal line.
void Rule(const PatternFrame& f, double y) { f.Line(f.x1, y, f.x2, y); }

// Diagonal hatching over the sub-cell: lines rising to the right (or falling, when down),
// stepK·W apart measured across.
void Hatch(const PatternFrame& f, double stepK, bool down) {
    const double step = stepK * f.W();
    if (step <= 0) return;
    const double w = f.W();
    const double heightMm = (f.y2 - f.y1) * 10.0;  // 1 m at 1/100 is 10 mm
    // A 45° line on paper: across w millimetres, down w / 10 metres.
    int guard = 0;
    for (double c = step / 2; c < w + heightMm && guard < 100000; c += step, ++guard) {
        // The line meets the top edge's line at x1 + c (rising) and runs down to the left.
        const double topX = down ? f.x2 - c : f.x1 + c;
        const double bottomX = down ? topX + heightMm : topX - heightMm;
        f.ClippedLine(topX, f.y1, bottomX, f.y2);
    }
}

// ---- the ～混じり and ～質 overlays: sparse, small marks ----

// Rows 0.65·W apart, two marks and one mark alternately. The ～質 marks start 0.2·W below the
// top; the ～混じり marks do too, or half a row lower with the variant flag (when a ～質
// overlay is drawn as well).
template <typename F>
void OverlayMarks(const PatternFrame& f, bool mixture, double halfK, F&& mark) {
    const double first = (mixture && f.variant) ? 0.525 : 0.2;
    StaggeredMarks(f, first, 0.65, halfK, halfK, {0.25, 0.75}, {0.5},
                   [&](double x, double y, int, int) { mark(x, y); });
}

// 1 玉石混じり: diagonal chains of up to six circles (see the drawing notes of pattern 1).
void Pattern1(const PatternFrame& f) {
    const double w = f.W();
    const double r = w / 130.0;
    const double dy = w / 60.0;
    const double limit = f.y2 - r;
    int guard = 0;
    for (double chain = f.y1 + (f.variant ? 4.25 : 0.5) * dy; chain <= limit && guard < 100000;
         chain += 0.13 * w, ++guard) {
        for (int k = 0; k < 6; ++k) {
            const double cy = chain + k * dy;
            if (cy > limit) break;
            const double cx = f.x2 - w / 12.0 - k * w / 6.0;
            if (cx <= f.x1) continue;
            f.Circle(cx, cy, r);
        }
    }
}

// 2 砂利混じり "o": a small circle beside a dot.
void Pattern2(const PatternFrame& f) {
    OverlayMarks(f, true, 0.09, [&](double x, double y) {
        f.Circle(x - 0.04 * f.W(), y, f.Dy(0.04));
        Dot(f, x + 0.06 * f.W(), y, 0.02);
    });
}
void Pattern3(const PatternFrame& f) {
    OverlayMarks(f, true, 0.06, [&](double x, double y) {
        Dot(f, x - 0.035 * f.W(), y, 0.02);
        Dot(f, x + 0.035 * f.W(), y + f.Dy(0.02), 0.02);
    });
}
void Pattern4(const PatternFrame& f) { OverlayMarks(f, true, 0.05, [&](double x, double y) { Slash(f, x, y, 0.04, 0.05); }); }
void Pattern5(const PatternFrame& f) { OverlayMarks(f, true, 0.08, [&](double x, double y) { Slash(f, x, y, 0.07, 0.07); }); }
void Pattern6(const PatternFrame& f) { OverlayMarks(f, true, 0.06, [&](double x, double y) { DoubleStroke(f, x, y, 0.06); }); }
void Pattern7(const PatternFrame& f) { OverlayMarks(f, true, 0.07, [&](double x, double y) { TildeLines(f, x, y, 0.07); }); }
// 8 貝殻混じり "@": a shell outline around a dot.
void Pattern8(const PatternFrame& f) {
    OverlayMarks(f, true, 0.07, [&](double x, double y) {
        f.EllipseMark(x, y, 0.07 * f.W(), f.Dy(0.05));
        Dot(f, x, y, 0.018);
    });
}
// ～質: 10 礫質・砂質 "・", 20 シルト質 "/", 30 粘土質 "／", 40 有機質 "∥", 50 火山灰質 "～".
void Pattern10(const PatternFrame& f) { OverlayMarks(f, false, 0.03, [&](double x, double y) { Dot(f, x, y, 0.025); }); }
void Pattern20(const PatternFrame& f) { OverlayMarks(f, false, 0.05, [&](double x, double y) { Slash(f, x, y, 0.04, 0.05); }); }
void Pattern30(const PatternFrame& f) { OverlayMarks(f, false, 0.08, [&](double x, double y) { Slash(f, x, y, 0.07, 0.07); }); }
void Pattern40(const PatternFrame& f) { OverlayMarks(f, false, 0.06, [&](double x, double y) { DoubleStroke(f, x, y, 0.06); }); }
void Pattern50(const PatternFrame& f) { OverlayMarks(f, false, 0.07, [&](double x, double y) { TildeLines(f, x, y, 0.07); }); }

// ---- main soils ----

// 100 礫: rows of circles between rows of broken pebbles.
void Pattern100(const PatternFrame& f) {
    StaggeredMarks(f, 0.15, 0.3, 0.09, 0.09, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int row, int i) {
                       if (row % 2 == 0) f.Circle(x, y, f.Dy(0.09));
                       else if (i == 0) f.ArcMark(x, y, f.Dy(0.09), 0, 180);
                       else f.ArcMark(x, y, f.Dy(0.09), 180, 360);
                   });
}

// 500 シルト "- - -": broken horizontal lines, the dashes of alternate rows offset.
void Pattern500(const PatternFrame& f) {
    StaggeredMarks(f, 0.08, 0.15, 0.0, 0.1, {0.16, 0.5, 0.84}, {0.33, 0.67},
                   [&](double x, double y, int, int) { Dash(f, x, y, 0.1); });
}

// 600 粘性土 "＝": short double lines, staggered.
void Pattern600(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.22, 0.025, 0.17, {0.225, 0.725}, {0.5},
                   [&](double x, double y, int, int) {
                       Dash(f, x, y - f.Dy(0.025), 0.17);
                       Dash(f, x, y + f.Dy(0.025), 0.17);
                   });
}

// 1300 粘土 "-_-_-": full horizontal lines with a row of short dashes between each pair.
void Pattern1300(const PatternFrame& f) {
    ForRows(f, 0.1, 0.2, 0.0, [&](int, double y) { Rule(f, y); });
    StaggeredMarks(f, 0.2, 0.2, 0.1, 0.08, {0.25, 0.75}, {0.25, 0.75},
                   [&](double x, double y, int, int) { Dash(f, x, y, 0.08); });
}

// 700 有機質土 "∥∥": pairs of short upright strokes.
void Pattern700(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.2, 0.06, 0.04, {0.2, 0.5, 0.8}, {0.35, 0.65},
                   [&](double x, double y, int, int) { DoubleStroke(f, x, y, 0.06); });
}

// 1700 ローム "ハハハ".
void Pattern1700(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.2, 0.06, 0.066, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int, int) { Ha(f, x, y, 0.06); });
}

// 800 火山灰質粘性土 "～": waves from half circles.
void Pattern800(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.2, 0.05, 0.1, {0.2, 0.5, 0.8}, {0.35, 0.65},
                   [&](double x, double y, int, int) { TildeArcs(f, x, y, 0.1); });
}

// 900 高有機質土・腐植土 "ｒ ｒ ｒ".
void Pattern900(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.22, 0.06, 0.04, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int, int) { RMark(f, x, y, 0.06); });
}

// 1100 崖錐 "△△△": large angular fragments, upright and overturned.
void Pattern1100(const PatternFrame& f) {
    StaggeredMarks(f, 0.14, 0.3, 0.08, 0.1, {0.2, 0.5, 0.8}, {0.35, 0.65},
                   [&](double x, double y, int row, int i) { Triangle(f, x, y, 0.1, (row + i) % 2 == 1); });
}

// 1200 火山灰 "/-/-＼".
void Pattern1200(const PatternFrame& f) {
    StaggeredMarks(f, 0.08, 0.17, 0.05, 0.06, {0.12, 0.31, 0.5, 0.69, 0.88}, {0.215, 0.405, 0.595, 0.785},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 1) Dash(f, x, y, 0.05);
                       else if (row % 2 == 0 && i == 4) Backslash(f, x, y, 0.04, 0.05);
                       else Slash(f, x, y, 0.04, 0.05);
                   });
}

// 1500 段丘堆積物 ".ｏ.ｏ.": rounded grains between dots.
void Pattern1500(const PatternFrame& f) {
    StaggeredMarks(f, 0.09, 0.2, 0.06, 0.06, {0.12, 0.31, 0.5, 0.69, 0.88}, {0.12, 0.31, 0.5, 0.69, 0.88},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 1) f.Diamond(x, y, 0.06 * f.W(), f.Dy(0.05));
                       else Dot(f, x, y, 0.02);
                   });
}

// 1600 砂礫 "･O･O･O･": gravel circles between sand dots.
void Pattern1600(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.2, 0.07, 0.07, {0.1, 0.3, 0.5, 0.7, 0.9}, {0.1, 0.3, 0.5, 0.7, 0.9},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 1) f.Circle(x, y, f.Dy(0.07));
                       else Dot(f, x, y, 0.022);
                   });
}

// ---- igneous rocks ----

// 2100 花崗岩 "＋＋＋": rows of three and two plus signs (see the drawing notes of 2100).
void Pattern2100(const PatternFrame& f) {
    const double w = f.W();
    const double stroke = w / 75.0;        // m: the upright stroke
    const double half = w / 15.0;          // mm: half the crossing stroke
    const double step = w * 0.025;         // m between rows
    const Fractions three = {1.0 / 6, 0.5, 5.0 / 6};
    const Fractions two = {1.0 / 3, 2.0 / 3};
    int row = 0;
    for (double top = f.y1 + w * 0.00625; top + stroke <= f.y2 && row < 100000; top += step, ++row) {
        for (double fraction : (row % 2 == 0) ? three : two) {
            const double x = f.X(fraction);
            if (x - half < f.x1) continue;
            f.Line(x, top, x, top + stroke);
            f.Line(x - half, top + stroke / 2, x + half, top + stroke / 2);
        }
    }
}

template <typename Mark>
void IgneousRows(const PatternFrame& f, double halfK, Mark&& mark) {
    StaggeredMarks(f, 0.1, 0.25, halfK, halfK, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int row, int i) { mark(x, y, row, i); });
}

// 2200 風化花崗岩 "･＋･＋･".
void Pattern2200(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.25, 0.06, 0.06, {1.0 / 6, 1.0 / 3, 0.5, 2.0 / 3, 5.0 / 6},
                   {1.0 / 6, 1.0 / 3, 0.5, 2.0 / 3, 5.0 / 6}, [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 0) Plus(f, x, y, 0.06);
                       else Dot(f, x, y, 0.02);
                   });
}
void Pattern2300(const PatternFrame& f) { IgneousRows(f, 0.06, [&](double x, double y, int, int) { Cross(f, x, y, 0.06); }); }
// 2400 かんらん岩 "#".
void Pattern2400(const PatternFrame& f) {
    IgneousRows(f, 0.07, [&](double x, double y, int, int) {
        const double a = 0.03 * f.W();
        f.Line(x - a, y - f.Dy(0.07), x - a, y + f.Dy(0.07));
        f.Line(x + a, y - f.Dy(0.07), x + a, y + f.Dy(0.07));
        f.Line(x - 0.07 * f.W(), y - f.Dy(0.03), x + 0.07 * f.W(), y - f.Dy(0.03));
        f.Line(x - 0.07 * f.W(), y + f.Dy(0.03), x + 0.07 * f.W(), y + f.Dy(0.03));
    });
}
// 2500 蛇紋岩 "‡".
void Pattern2500(const PatternFrame& f) {
    IgneousRows(f, 0.08, [&](double x, double y, int, int) {
        Stroke(f, x, y, 0.08);
        Dash(f, x, y - f.Dy(0.035), 0.045);
        Dash(f, x, y + f.Dy(0.03), 0.045);
    });
}
// 2600 石英斑岩・花崗斑岩 "〃ヾ〃": pairs of ticks, leaning alternately.
void Pattern2600(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int row, int i) {
        const double a = 0.025 * f.W();
        if ((row + i) % 2 == 0) {
            Slash(f, x - a, y, 0.025, 0.05);
            Slash(f, x + a, y, 0.025, 0.05);
        } else {
            Backslash(f, x - a, y, 0.025, 0.05);
            Backslash(f, x + a, y, 0.025, 0.05);
        }
    });
}
// 2700 ひん岩 "Ｔ".
void Pattern2700(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int, int) {
        Dash(f, x, y - f.Dy(0.06), 0.06);
        f.Line(x, y - f.Dy(0.06), x, y + f.Dy(0.06));
    });
}
// 2800 輝緑岩 "⊥".
void Pattern2800(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int, int) {
        Dash(f, x, y + f.Dy(0.06), 0.06);
        f.Line(x, y - f.Dy(0.06), x, y + f.Dy(0.06));
    });
}
// 2900 流紋岩・安山岩 "Ｌ".
void Pattern2900(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int, int) {
        const double a = 0.04 * f.W();
        f.Line(x - a, y - f.Dy(0.06), x - a, y + f.Dy(0.06));
        f.Line(x - a, y + f.Dy(0.06), x + 0.06 * f.W(), y + f.Dy(0.06));
    });
}
// 3000 玄武岩 "Ｖ".
void Pattern3000(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int, int) {
        f.Line(x - 0.06 * f.W(), y - f.Dy(0.06), x, y + f.Dy(0.06));
        f.Line(x, y + f.Dy(0.06), x + 0.06 * f.W(), y - f.Dy(0.06));
    });
}
// 3100 緑色岩 "∧".
void Pattern3100(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int, int) {
        f.Line(x - 0.06 * f.W(), y + f.Dy(0.06), x, y - f.Dy(0.06));
        f.Line(x, y - f.Dy(0.06), x + 0.06 * f.W(), y + f.Dy(0.06));
    });
}

// ---- sedimentary rocks ----

// 4100 凝灰岩 "ハハハ": ash marks between bedding lines.
void Pattern4100(const PatternFrame& f) {
    ForRows(f, 0.02, 0.3, 0.0, [&](int, double y) { Rule(f, y); });
    StaggeredMarks(f, 0.17, 0.3, 0.05, 0.055, {0.125, 0.375, 0.625, 0.875}, {0.25, 0.5, 0.75},
                   [&](double x, double y, int, int) { Ha(f, x, y, 0.05); });
}
// 4200 石灰岩 "エエ": courses of blocks.
void Pattern4200(const PatternFrame& f) {
    ForRows(f, 0.0, 0.16, 0.16, [&](int row, double y) {
        Rule(f, y + f.Dy(0.16));
        static constexpr double kEven[] = {0.25, 0.75};
        static constexpr double kOdd[] = {0.5};
        const std::vector<double> joints = (row % 2 == 0) ? std::vector<double>(std::begin(kEven), std::end(kEven))
                                                          : std::vector<double>(std::begin(kOdd), std::end(kOdd));
        for (double fraction : joints) {
            const double x = f.X(fraction);
            if (f.FitsAcross(x, x)) f.Line(x, y, x, y + f.Dy(0.16));
        }
    });
}
// 4300 泥岩・頁岩 "〓".
void Pattern4300(const PatternFrame& f) {
    StaggeredMarks(f, 0.07, 0.15, 0.03, 0.1, {0.2, 0.5, 0.8}, {0.35, 0.65},
                   [&](double x, double y, int, int) { Bars(f, x, y, 0.1); });
}
// 4600 互層 "_…_": bedding lines with a row of dots between.
void Pattern4600(const PatternFrame& f) {
    ForRows(f, 0.02, 0.3, 0.0, [&](int, double y) { Rule(f, y); });
    StaggeredMarks(f, 0.17, 0.3, 0.02, 0.02, {1.0 / 12, 0.25, 5.0 / 12, 7.0 / 12, 0.75, 11.0 / 12},
                   {1.0 / 12, 0.25, 5.0 / 12, 7.0 / 12, 0.75, 11.0 / 12},
                   [&](double x, double y, int, int) { Dot(f, x, y, 0.02); });
}
// 4700 チャート "====": continuous double lines.
void Pattern4700(const PatternFrame& f) {
    ForRows(f, 0.08, 0.2, 0.025, [&](int, double y) {
        Rule(f, y - f.Dy(0.025));
        Rule(f, y + f.Dy(0.025));
    });
}
// 4800 炭質頁岩 "〓": bars between full lines.
void Pattern4800(const PatternFrame& f) {
    ForRows(f, 0.0, 0.26, 0.0, [&](int, double y) { Rule(f, y); });
    StaggeredMarks(f, 0.13, 0.26, 0.03, 0.1, {0.2, 0.5, 0.8}, {0.35, 0.65},
                   [&](double x, double y, int, int) { Bars(f, x, y, 0.1); });
}
// 4900 粘板岩・砂質頁岩 "÷÷".
void Pattern4900(const PatternFrame& f) {
    IgneousRows(f, 0.06, [&](double x, double y, int, int) {
        Dash(f, x, y, 0.06);
        f.Line(x, y - f.Dy(0.055), x, y - f.Dy(0.03));
        f.Line(x, y + f.Dy(0.03), x, y + f.Dy(0.055));
    });
}
// 5000 火山角礫岩・凝灰角礫岩 "▲▲▲": angular blocks shaded with lines.
void Pattern5000(const PatternFrame& f) {
    StaggeredMarks(f, 0.12, 0.26, 0.075, 0.09, {0.2, 0.5, 0.8}, {0.35, 0.65},
                   [&](double x, double y, int, int) {
                       Triangle(f, x, y, 0.09);
                       const double hh = f.Dy(0.072);
                       for (double t : {0.33, 0.66}) {
                           const double yy = y - hh + 2 * hh * t;
                           const double half = 0.09 * f.W() * t;
                           f.Line(x - half, yy, x + half, yy);
                       }
                   });
}
// 5100 集塊岩 "･△･△･".
void Pattern5100(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.22, 0.07, 0.07, {0.1, 0.3, 0.5, 0.7, 0.9}, {0.1, 0.3, 0.5, 0.7, 0.9},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 1) Triangle(f, x, y, 0.07);
                       else Dot(f, x, y, 0.02);
                   });
}
// 5200 熔結凝灰岩 "～△～": flattened fragments between waves.
void Pattern5200(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.22, 0.06, 0.08, {0.17, 0.5, 0.83}, {0.17, 0.5, 0.83},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 0) TildeArcs(f, x, y, 0.08);
                       else Triangle(f, x, y, 0.07);
                   });
}

// ---- metamorphic rocks ----

// 6100 結晶片岩 "S S".
void Pattern6100(const PatternFrame& f) {
    StaggeredMarks(f, 0.12, 0.3, 0.09, 0.045, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int, int) { SMark(f, x, y, 0.045); });
}
// 6200 緑色片岩・千枚岩・片麻岩 "∬∬": paired S marks.
void Pattern6200(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.26, 0.07, 0.08, {0.25, 0.75}, {0.5}, [&](double x, double y, int, int) {
        SMark(f, x - 0.04 * f.W(), y, 0.035);
        SMark(f, x + 0.04 * f.W(), y, 0.035);
    });
}
// 6300 ホルンフェルス "∫∫∫".
void Pattern6300(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.26, 0.08, 0.03, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int, int) { Integral(f, x, y, 0.065); });
}
// 6400 "≒".
void Pattern6400(const PatternFrame& f) {
    IgneousRows(f, 0.07, [&](double x, double y, int, int) {
        Dash(f, x, y - f.Dy(0.02), 0.07);
        Dash(f, x, y + f.Dy(0.02), 0.07);
        f.Line(x - 0.05 * f.W(), y - f.Dy(0.06), x - 0.035 * f.W(), y - f.Dy(0.045));
        f.Line(x + 0.035 * f.W(), y + f.Dy(0.045), x + 0.05 * f.W(), y + f.Dy(0.06));
    });
}

// ---- boulders ----

// 6800 玉石 "o ◯": large boulders beside small stones.
void Pattern6800(const PatternFrame& f) {
    StaggeredMarks(f, 0.2, 0.42, 0.17, 0.17, {0.3, 0.78}, {0.22, 0.68}, [&](double x, double y, int row, int i) {
        const bool big = (row % 2 == 0) ? i == 0 : i == 1;
        if (big) f.Circle(x, y, f.Dy(0.17));
        else if (row % 2 == 0) f.Circle(x, y, f.Dy(0.05));
        else f.ArcMark(x, y, f.Dy(0.05), 0, 180);
    });
}
// 6900 玉石(楕円) "〇 ○": oval boulders beside small stones.
void Pattern6900(const PatternFrame& f) {
    StaggeredMarks(f, 0.15, 0.34, 0.13, 0.2, {0.3, 0.78}, {0.22, 0.7}, [&](double x, double y, int row, int i) {
        const bool big = (row % 2 == 0) ? i == 0 : i == 1;
        if (big) f.EllipseMark(x, y, 0.2 * f.W(), f.Dy(0.13));
        else f.ArcMark(x, y, f.Dy(0.05), row % 2 == 0 ? 0 : 180, row % 2 == 0 ? 180 : 360);
    });
}

// ---- volcanic products and weathered soils ----

// 8100 浮石・軽石 "△△△".
void Pattern8100(const PatternFrame& f) {
    StaggeredMarks(f, 0.08, 0.18, 0.05, 0.06, {0.15, 0.38, 0.62, 0.85}, {0.265, 0.5, 0.735},
                   [&](double x, double y, int, int) { Triangle(f, x, y, 0.06); });
}
// 8200 シラス "／△／".
void Pattern8200(const PatternFrame& f) {
    StaggeredMarks(f, 0.08, 0.18, 0.05, 0.06, {0.15, 0.38, 0.62, 0.85}, {0.15, 0.38, 0.62, 0.85},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 0) Slash(f, x, y, 0.04, 0.05);
                       else Triangle(f, x, y, 0.06);
                   });
}
// 8300 スコリア "▲▲▲": triangles shaded from the apex.
void Pattern8300(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.22, 0.06, 0.07, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int, int) {
                       Triangle(f, x, y, 0.07);
                       const double hh = f.Dy(0.056);
                       for (double t : {-0.5, 0.0, 0.5}) f.Line(x, y - hh, x + t * 0.07 * f.W(), y + hh);
                   });
}
// 8400 火山灰 "/-/-＼": larger and sparser than 1200.
void Pattern8400(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.24, 0.07, 0.07, {0.15, 0.38, 0.62, 0.85}, {0.15, 0.38, 0.62, 0.85},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 1) Dash(f, x, y, 0.07);
                       else if (i == 3) Backslash(f, x, y, 0.05, 0.07);
                       else Slash(f, x, y, 0.05, 0.07);
                   });
}
// 8500 "ハハハ": denser and smaller than ローム.
void Pattern8500(const PatternFrame& f) {
    StaggeredMarks(f, 0.08, 0.16, 0.045, 0.05, {0.125, 0.375, 0.625, 0.875}, {0.25, 0.5, 0.75},
                   [&](double x, double y, int, int) { Ha(f, x, y, 0.045); });
}
// 8600 黒ボク "＼||／": fans of four strokes.
void Pattern8600(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.24, 0.07, 0.13, {0.25, 0.75}, {0.5}, [&](double x, double y, int, int) {
        const double a = 0.13 * f.W();
        Backslash(f, x - a + 0.03 * f.W(), y, 0.03, 0.06);
        Stroke(f, x - 0.025 * f.W(), y, 0.06);
        Stroke(f, x + 0.025 * f.W(), y, 0.06);
        Slash(f, x + a - 0.03 * f.W(), y, 0.03, 0.06);
    });
}
// 8700 マサ "＋/＋/".
void Pattern8700(const PatternFrame& f) {
    StaggeredMarks(f, 0.1, 0.22, 0.06, 0.06, {1.0 / 6, 0.5, 5.0 / 6}, {1.0 / 3, 2.0 / 3},
                   [&](double x, double y, int row, int i) {
                       if ((row + i) % 2 == 0) Plus(f, x, y, 0.06);
                       else Slash(f, x, y, 0.04, 0.06);
                   });
}

// ---- topsoil, fill and rock material (drawn over the whole run of a layer) ----

void Diagonals(const PatternFrame& f, double inset) {
    f.ClippedLine(f.x1 + inset, f.y1, f.x2 + inset, f.y2);
    f.ClippedLine(f.x2 - inset, f.y1, f.x1 - inset, f.y2);
}
// 10000 表土・盛土 "×".
void Pattern10000(const PatternFrame& f) { Diagonals(f, 0.0); }
// 10001 埋土 "×(//)": the cross over hatching.
void Pattern10001(const PatternFrame& f) {
    Diagonals(f, 0.0);
    Hatch(f, 0.25, false);
}
// 10002 廃棄土 "×(２重)": a doubled cross.
void Pattern10002(const PatternFrame& f) {
    Diagonals(f, -0.04 * f.W());
    Diagonals(f, 0.04 * f.W());
}
// 10003 盛土・埋土 "//".
void Pattern10003(const PatternFrame& f) { Hatch(f, 0.25, false); }
// 10004 表土 "/".
void Pattern10004(const PatternFrame& f) { f.ClippedLine(f.x1, f.y2, f.x2, f.y1); }

// Upright strokes in columns, full height or broken into short dashes.
void Columns(const PatternFrame& f, Fractions solid, Fractions dotted) {
    for (double fraction : solid) {
        const double x = f.X(fraction);
        if (f.FitsAcross(x, x)) f.Line(x, f.y1, x, f.y2);
    }
    for (double fraction : dotted) {
        const double x = f.X(fraction);
        if (!f.FitsAcross(x, x)) continue;
        ForRows(f, 0.05, 0.1, 0.02, [&](int, double y) { f.Line(x, y - f.Dy(0.02), x, y + f.Dy(0.02)); });
    }
}
// 10091 硬岩 "｜｜｜｜｜".
void Pattern10091(const PatternFrame& f) { Columns(f, {1.0 / 6, 1.0 / 3, 0.5, 2.0 / 3, 5.0 / 6}, {}); }
// 10092 中硬岩 "：｜：｜：".
void Pattern10092(const PatternFrame& f) { Columns(f, {0.3, 0.7}, {0.1, 0.5, 0.9}); }
// 10093 軟岩・風化岩 "：：：：：".
void Pattern10093(const PatternFrame& f) { Columns(f, {}, {0.1, 0.3, 0.5, 0.7, 0.9}); }

// ---- fills of the in-situ test graphs ----

// 20001 "/" hatching.
void Pattern20001(const PatternFrame& f) { Hatch(f, 0.2, false); }
// 20002 cross hatching.
void Pattern20002(const PatternFrame& f) {
    Hatch(f, 0.2, false);
    Hatch(f, 0.2, true);
}
// 20200 horizontal lines.
void Pattern20200(const PatternFrame& f) {
    ForRows(f, 0.1, 0.15, 0.0, [&](int, double y) { Rule(f, y); });
}

struct RoutineEntry {
    long number;
    LinePatternRoutine routine;
};

constexpr RoutineEntry kRoutines[] = {
    {1, Pattern1},         {2, Pattern2},         {3, Pattern3},         {4, Pattern4},
    {5, Pattern5},         {6, Pattern6},         {7, Pattern7},         {8, Pattern8},
    {10, Pattern10},       {20, Pattern20},       {30, Pattern30},       {40, Pattern40},
    {50, Pattern50},       {100, Pattern100},     {500, Pattern500},     {600, Pattern600},
    {700, Pattern700},     {800, Pattern800},     {900, Pattern900},     {1100, Pattern1100},
    {1200, Pattern1200},   {1300, Pattern1300},   {1500, Pattern1500},   {1600, Pattern1600},
    {1700, Pattern1700},   {2100, Pattern2100},   {2200, Pattern2200},   {2300, Pattern2300},
    {2400, Pattern2400},   {2500, Pattern2500},   {2600, Pattern2600},   {2700, Pattern2700},
    {2800, Pattern2800},   {2900, Pattern2900},   {3000, Pattern3000},   {3100, Pattern3100},
    {4100, Pattern4100},   {4200, Pattern4200},   {4300, Pattern4300},   {4600, Pattern4600},
    {4700, Pattern4700},   {4800, Pattern4800},   {4900, Pattern4900},   {5000, Pattern5000},
    {5100, Pattern5100},   {5200, Pattern5200},   {6100, Pattern6100},   {6200, Pattern6200},
    {6300, Pattern6300},   {6400, Pattern6400},   {6800, Pattern6800},   {6900, Pattern6900},
    {8100, Pattern8100},   {8200, Pattern8200},   {8300, Pattern8300},   {8400, Pattern8400},
    {8500, Pattern8500},   {8600, Pattern8600},   {8700, Pattern8700},   {10000, Pattern10000},
    {10001, Pattern10001}, {10002, Pattern10002}, {10003, Pattern10003}, {10004, Pattern10004},
    {10091, Pattern10091}, {10092, Pattern10092}, {10093, Pattern10093}, {20001, Pattern20001},
    {20002, Pattern20002}, {20200, Pattern20200},
};

}  // namespace

LinePatternRoutine FixedLinePattern(long number) {
    for (const auto& entry : kRoutines)
        if (entry.number == number) return entry.routine;
    return nullptr;
}

}  // namespace stracol::render
