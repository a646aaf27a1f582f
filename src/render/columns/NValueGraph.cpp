#include "render/columns/NValueGraph.h"

#include <algorithm>
#include <cmath>

#include "app/SystemSettings.h"
#include "render/Colour.h"
#include "render/ColumnFramework.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/columns/NValue.h"
#include "style/LogStyle.h"

namespace stracol::render {

namespace {

// Point symbols: radius in metres of depth, outline width in pixels, always black.
constexpr double kPointRadiusM = 0.08;
constexpr int kSymbolWidthPx = 2;
// The plotted N-value line is never thinner than this on paper (mm).
constexpr double kMinPlotLineMm = 0.5;
constexpr Colour kSymbolColour = 0;
// The arrow "→" of a value beyond the full scale: shaft length (mm) and the barb going
// back kBarbMm and up kBarbRiseM.
constexpr double kArrowLengthMm = 3.4;
constexpr double kBarbMm = 2.0;
constexpr double kBarbRiseM = 0.1;
// The dash "－" of zero blows runs this far to the right (mm).
constexpr double kDashLengthMm = 3.4;
// Segments stop this far (m) short of a point marked with an arrow.
constexpr double kArrowGapM = 0.1;
// Label offsets from the point (mm): left of it from N 30 on, right of it below.
constexpr double kLabelLeftMm = 2.0;
constexpr double kLabelRightMm = 3.0;
constexpr double kLabelLeftFromN = 30.0;
// NOverflowSymbol choices beside 0, a circle at every point (any other value draws circles too).
constexpr int kDashAndArrow = 1;
constexpr int kDashArrowAndCircle = 2;
// Penetration (cm) from which a zero-blow test is drawn as a dash instead of a circle.
constexpr int kDashPenetrationCm = 30;
// Fine grid lines follow each major value for this many blows.
constexpr int kFineLinesPerDivision = 9;
// Depth steps of the grid: fine lines every 0.1 m, major lines every metre; counted in
// tenths of a metre so that no step drifts.
constexpr int kTenthsPerMetre = 10;
// A depth this close to the page window's edge counts as on it (not strictly inside).
constexpr double kDepthEpsilon = 1e-7;

// Calls draw(depth) for every multiple of step/10 m strictly inside start … end.
template <typename Draw>
void ForEachDepthStep(double start, double end, int stepTenths, Draw draw) {
    long k = static_cast<long>(std::floor((start + kDepthEpsilon) * kTenthsPerMetre / stepTenths)) + 1;
    for (;; ++k) {
        const double depth = static_cast<double>(k) * stepTenths / kTenthsPerMetre;
        if (depth >= end - kDepthEpsilon) break;
        draw(depth);
    }
}

struct LineType {
    int dash = 0;
    int gap = 0;
    int width = 0;
    Colour colour = 0;
};

struct Segment {
    bool open = false;
    double xMm = 0;
    double yM = 0;
    bool overflow = false;
};

void Circle(LogContext& ctx, double xMm, double yM, bool filled) {
    if (filled)
        DrawFilledCircle(ctx.surface, ctx.geometry, xMm, yM, kPointRadiusM, 0, kSymbolWidthPx, kSymbolColour,
                         kSymbolColour);
    else
        DrawCircle(ctx.surface, ctx.geometry, xMm, yM, kPointRadiusM, 0, kSymbolWidthPx, kSymbolColour);
}

void Arrow(LogContext& ctx, double xMm, double yM) {
    DrawLine(ctx.surface, ctx.geometry, xMm, yM, xMm - kArrowLengthMm, yM, 0, kSymbolWidthPx, kSymbolColour);
    DrawLine(ctx.surface, ctx.geometry, xMm, yM, xMm - kBarbMm, yM - kBarbRiseM, 0, kSymbolWidthPx, kSymbolColour);
}

void Dash(LogContext& ctx, double xMm, double yM) {
    DrawLine(ctx.surface, ctx.geometry, xMm, yM, xMm + kDashLengthMm, yM, 0, kSymbolWidthPx, kSymbolColour);
}

// The symbol of one point by the NOverflowSymbol choice.
void PointSymbol(LogContext& ctx, const SptTest& test, int fullScale, double xMm, double yM) {
    const bool filled = ctx.settings.NSolidBlackDot == 1;
    const int choice = ctx.settings.NOverflowSymbol;
    const bool marks = choice == kDashAndArrow || choice == kDashArrowAndCircle;
    if (!marks) {
        Circle(ctx, xMm, yM, filled);
        return;
    }
    bool circle = choice == kDashArrowAndCircle;
    if (test.n > fullScale) {
        Arrow(ctx, xMm, yM);
    } else if (test.n <= 0 && test.total.penetrationCm >= kDashPenetrationCm) {
        Dash(ctx, xMm, yM);
    } else {
        circle = true;
    }
    if (circle) Circle(ctx, xMm, yM, filled);
}

void Label(LogContext& ctx, const SptTest& test, double xMm, double yM, double lineDepth) {
    if (test.label.empty()) return;
    const bool left = test.n >= kLabelLeftFromN;
    TextAlignScope align(ctx.surface, TextAlign{left ? HorizontalAlign::Right : HorizontalAlign::Left,
                                                VerticalAlign::Top});
    TextAt(ctx.surface, ctx.geometry, left ? xMm - kLabelLeftMm : xMm + kLabelRightMm, yM - lineDepth / 2,
           test.label);
}

}  // namespace

void DrawNValueGrid(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const app::SystemSettings& st = ctx.settings;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const double s = ctx.pageStart;
    const double e = ctx.pageEnd;
    const int fullScale = NFullScale(st.NMaxBlows);
    const int step = NMajorGridStep(fullScale);
    const double perBlow = (xr - xl) / fullScale;
    const bool black = st.ColourMode != 0;
    const LineType major{st.NGridDash, st.NGridGap, st.NGridWidth, black ? 0 : ColourFromText(st.NGridColour)};
    const LineType fine{st.NFineGridDash, st.NFineGridGap, st.NFineGridWidth,
                        black ? 0 : ColourFromText(st.NFineGridColour)};
    Surface& surface = ctx.surface;
    const PageGeometry& g = ctx.geometry;

    auto vertical = [&](const LineType& type, int blows) {
        const double x = xl + blows * perBlow;
        DrawDashedLine(surface, g, x, s, x, e, type.dash, type.gap, type.width, type.colour);
    };
    auto horizontal = [&](const LineType& type, double depth) {
        DrawDashedLine(surface, g, xl, depth, xr, depth, type.dash, type.gap, type.width, type.colour);
    };

    for (int u = step; u < fullScale; u += step) vertical(major, u);

    if (st.NLugeonGrid == 0 && st.NFineGridWidth > 0) {
        for (int u = 0; u < fullScale; u += step)
            for (int k = 1; k <= kFineLinesPerDivision; ++k) vertical(fine, u + k);
        ForEachDepthStep(s, e, 1, [&](double depth) { horizontal(fine, depth); });
    }

    ForEachDepthStep(s, e, kTenthsPerMetre, [&](double depth) { horizontal(major, depth); });
}

void DrawNValuePlot(LogContext& ctx, int slot, double lineDepth) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const app::SystemSettings& st = ctx.settings;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const int fullScale = NFullScale(st.NMaxBlows);
    const int plotWidth = NPlotWidthMm(ctx.style.items[static_cast<std::size_t>(slot - 1)].Field(style::kWidthField));
    const Colour lineColour = st.ColourMode != 0 ? 0 : ColourFromText(st.NPlotColour);

    // The plotted line is set in screen pixels; on finer devices it keeps its width on paper,
    // and never gets thinner than kMinPlotLineMm, so that it reads clearly in print.
    const int dpi = ctx.geometry.dpiX > 0 ? ctx.geometry.dpiX : 96;
    const int plotLine = std::max({1, static_cast<int>(std::lround(st.NPlotWidth * dpi / 96.0)),
                                   static_cast<int>(std::lround(kMinPlotLineMm * dpi / 25.4))});
    Segment previous;
    for (const SptTest& test : SptTests(ctx.record)) {
        if (!test.hasValue) {
            previous.open = false;
            continue;
        }
        const double y = test.PlotDepthM();
        const double x = NValueX(test.n, xl, plotWidth, fullScale);
        const bool overflow = test.n > fullScale;
        if (previous.open && !test.lineBreak) {
            DrawLine(ctx.surface, ctx.geometry, previous.xMm, previous.yM + (previous.overflow ? kArrowGapM : 0.0), x,
                     y - (overflow ? kArrowGapM : 0.0), 0, plotLine, lineColour);
        }
        PointSymbol(ctx, test, fullScale, x, y);
        Label(ctx, test, x, y, lineDepth);
        previous = Segment{true, x, y, overflow};
    }
}

}  // namespace stracol::render
