#include "render/columns/LugeonColumns.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/Colour.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/columns/CoreGraph.h"

namespace stracol::render {

namespace {

constexpr int kValueItem = 3401;
constexpr int kScaleItem = 3402;
constexpr int kGraphItem = 3403;

// LugeonTable columns.
constexpr int kUpperColumn = 1;
constexpr int kLowerColumn = 2;
constexpr int kCriticalColumn = 3;
constexpr int kValueColumn = 4;
constexpr int kPressureStartColumn = 5;
constexpr int kFlowStartColumn = 6;
constexpr int kPressureScaleColumn = 7;
constexpr int kFlowScaleColumn = 8;
constexpr int kClassColumn = 9;
constexpr int kPointsColumn = 10;
constexpr int kConvertedClass = 8;

// Margins of the plot area inside the test's box, in paper millimetres: room for the value
// above, the flow labels below, and the points' marks at the sides.
constexpr double kTopMarginMm = 4.0;
constexpr double kBottomMarginMm = 4.0;
constexpr double kLeftMarginMm = 1.5;
constexpr double kRightMarginMm = 3.0;
// Marks of the measured points: circles of this radius (paper mm).
constexpr double kMarkRadiusMm = 0.5;
// Texts stand this far off the axes (paper mm).
constexpr double kTextGapMm = 0.5;
// Grid divisions of each axis: standard lines every tenth, fine lines every fiftieth.
constexpr int kStandardDivisions = 10;
constexpr int kFineDivisions = 50;
// PressureDecimals: formatted to one decimal.
constexpr int kPressureOneDecimal = 1;

bool IsNumber(const std::string& text) { return core::IsNumericStart(text) == 1; }

// Paper millimetres down as metres of depth at the current scale.
double PaperMmToDepth(const PageGeometry& g, double mm) {
    return g.depthPxPerMetre > 0.0001 ? mm * g.pxPerMmY / g.depthPxPerMetre : 0.0;
}
// Paper millimetres across as millimetres of style width.
double PaperMmToWidth(const PageGeometry& g, double mm) {
    return g.xFactor > 0.0001 ? mm * g.pxPerMmX / g.xFactor : mm;
}

std::vector<LugeonPoint> ParsePoints(const std::string& list) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= list.size()) {
        const std::size_t comma = list.find(',', from);
        const std::size_t end = comma == std::string::npos ? list.size() : comma;
        parts.push_back(list.substr(from, end - from));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    if (!parts.empty() && core::TrimBlanks(parts.back()).empty()) parts.pop_back();
    std::vector<LugeonPoint> points;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        if (!IsNumber(parts[i]) || !IsNumber(parts[i + 1])) continue;
        points.push_back({core::LeadingReal(parts[i]), core::LeadingReal(parts[i + 1])});
    }
    return points;
}

// An axis from its start to its full scale; missing or upside-down ends fall back to 0 and
// the largest measured value. The labels are the stored texts of the ends that were used.
void Axis(const std::string& startText, const std::string& scaleText, double largest, double& from, double& to,
          std::string& fromLabel, std::string& toLabel) {
    const bool hasStart = IsNumber(startText);
    const bool hasScale = IsNumber(scaleText);
    from = hasStart ? core::LeadingReal(startText) : 0.0;
    to = hasScale ? core::LeadingReal(scaleText) : largest;
    if (to <= from) {
        if (largest <= from) from = 0.0;
        to = largest > from ? largest : from + 1.0;
    }
    fromLabel = hasStart && core::LeadingReal(startText) == from ? std::string(core::TrimBlanks(startText))
                                                                 : core::Sprintf("%g", from);
    toLabel = hasScale && core::LeadingReal(scaleText) == to ? std::string(core::TrimBlanks(scaleText))
                                                             : core::Sprintf("%g", to);
}

Colour PlotColour(const LogContext& ctx) {
    return ctx.settings.ColourMode != 0 ? 0 : ColourFromText(ctx.settings.LugeonColour);
}

void Text(LogContext& ctx, HorizontalAlign h, VerticalAlign v, double xMm, double yM, const std::string& text) {
    TextAlignScope align(ctx.surface, TextAlign{h, v});
    TextAt(ctx.surface, ctx.geometry, xMm, yM, text);
}

// Clips to the plot area within the page window (the caller makes sure they meet); the page clip of the depth part is put back
// by RestorePageClip.
void ClipToPlot(LogContext& ctx, const LugeonPlotArea& area) {
    const PageGeometry& g = ctx.geometry;
    const double top = std::max(area.top, ctx.pageStart);
    const double bottom = std::min(area.bottom, ctx.pageEnd);
    ctx.surface.SetClipRect(Rect{MmToX(g, area.leftMm), DepthToY(g, top), MmToX(g, area.rightMm) + 1,
                                 DepthToY(g, bottom) + 1});
}
void RestorePageClip(LogContext& ctx) { ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart)); }

}  // namespace

double LugeonPlotArea::XOf(const LugeonTest& t, double flow) const {
    return leftMm + (flow - t.q0) / (t.q1 - t.q0) * (rightMm - leftMm);
}

double LugeonPlotArea::YOf(const LugeonTest& t, double pressure) const {
    return bottom - (pressure - t.p0) / (t.p1 - t.p0) * (bottom - top);
}

std::vector<LugeonTest> LugeonTests(const borehole::BoreholeRecord& record) {
    const borehole::DepthTable& table = record.Table(borehole::TableId::Lugeon);
    std::vector<LugeonTest> tests;
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        if (!IsNumber(table.Cell(row, kUpperColumn)) || !IsNumber(table.Cell(row, kLowerColumn))) continue;
        LugeonTest t;
        t.upper = core::LeadingReal(table.Cell(row, kUpperColumn));
        t.lower = core::LeadingReal(table.Cell(row, kLowerColumn));
        t.criticalPressure = std::string(core::TrimBlanks(table.Cell(row, kCriticalColumn)));
        t.value = std::string(core::TrimBlanks(table.Cell(row, kValueColumn)));
        t.converted = core::LeadingInt(table.Cell(row, kClassColumn)) == kConvertedClass;
        t.pressureStart = table.Cell(row, kPressureStartColumn);
        t.flowStart = table.Cell(row, kFlowStartColumn);
        t.pressureFullScale = table.Cell(row, kPressureScaleColumn);
        t.flowFullScale = table.Cell(row, kFlowScaleColumn);
        t.points = ParsePoints(table.Cell(row, kPointsColumn));
        double largestP = 0;
        double largestQ = 0;
        for (const LugeonPoint& p : t.points) {
            largestP = std::max(largestP, p.pressure);
            largestQ = std::max(largestQ, p.flow);
        }
        Axis(t.pressureStart, t.pressureFullScale, largestP, t.p0, t.p1, t.p0Label, t.p1Label);
        Axis(t.flowStart, t.flowFullScale, largestQ, t.q0, t.q1, t.q0Label, t.q1Label);
        tests.push_back(std::move(t));
    }
    return tests;
}

LugeonPlotArea LugeonPlotAreaOf(const PageGeometry& g, const LugeonTest& test, double xlMm, double xrMm) {
    LugeonPlotArea a;
    a.boxTop = test.upper;
    a.boxBottom = std::max(test.lower, test.upper + PaperMmToDepth(g, kLugeonMinBoxMm));
    a.top = a.boxTop + PaperMmToDepth(g, kTopMarginMm);
    a.bottom = a.boxBottom - PaperMmToDepth(g, kBottomMarginMm);
    a.leftMm = xlMm + PaperMmToWidth(g, kLeftMarginMm);
    a.rightMm = std::max(a.leftMm, xrMm - PaperMmToWidth(g, kRightMarginMm));
    return a;
}

std::string LugeonValueText(const LugeonTest& test) {
    if (test.value.empty()) return {};
    return test.converted ? "(" + test.value + ")" : test.value;
}

std::string PressureText(const std::string& text, int pressureDecimals) {
    if (pressureDecimals == kPressureOneDecimal && IsNumber(text)) return core::Sprintf("%.1f", core::LeadingReal(text));
    return std::string(core::TrimBlanks(text));
}

void DrawLugeonValueColumn(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const CellMetrics metrics = ColumnMetrics(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const int rule = ctx.settings.RuleLineWidth;
    double carry = 0.0;
    for (const LugeonTest& test : LugeonTests(ctx.record)) {
        if (test.upper > carry) carry = test.upper;
        const double used = PlaceCellText(ctx, kValueItem, slot, carry, 0.0, test.lower, kUseSlotPlacement,
                                          metrics.charWidthMm, metrics.lineDepth, LugeonValueText(test));
        BoundaryLine(ctx, col.leftMm, col.rightMm, test.upper, carry, test.upper, kBoundaryInsetMm, rule);
        BoundaryLine(ctx, col.leftMm, col.rightMm, test.lower, used, test.lower, kBoundaryInsetMm, rule);
        carry = used;
    }
}

void DrawLugeonScaleColumn(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const int rule = ctx.settings.RuleLineWidth;
    const int decimals = ctx.settings.PressureDecimals;
    for (const LugeonTest& test : LugeonTests(ctx.record)) {
        const LugeonPlotArea area = LugeonPlotAreaOf(ctx.geometry, test, col.leftMm, col.rightMm);
        Text(ctx, col.align, VerticalAlign::Top, col.anchorMm, area.top,
             PressureText(test.p1Label, decimals));
        Text(ctx, col.align, VerticalAlign::Bottom, col.anchorMm, area.bottom,
             PressureText(test.p0Label, decimals));
        BoundaryLine(ctx, col.leftMm, col.rightMm, area.boxTop, area.boxTop, area.boxTop, kBoundaryInsetMm, rule);
        BoundaryLine(ctx, col.leftMm, col.rightMm, area.boxBottom, area.boxBottom, area.boxBottom, kBoundaryInsetMm,
                     rule);
    }
}

void DrawLugeonGrid(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const app::SystemSettings& st = ctx.settings;
    const bool black = st.ColourMode != 0;
    const Colour standard = black ? 0 : ColourFromText(st.NGridColour);
    const Colour fine = black ? 0 : ColourFromText(st.NFineGridColour);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    for (const LugeonTest& test : LugeonTests(ctx.record)) {
        const LugeonPlotArea a = LugeonPlotAreaOf(g, test, col.leftMm, col.rightMm);
        auto lines = [&](int divisions, int skipEvery, int dash, int gap, int width, Colour colour) {
            for (int i = 1; i < divisions; ++i) {
                if (skipEvery > 0 && i % skipEvery == 0) continue;
                const double x = a.leftMm + (a.rightMm - a.leftMm) * i / divisions;
                const double y = a.bottom - (a.bottom - a.top) * i / divisions;
                DrawDashedLine(s, g, x, a.top, x, a.bottom, dash, gap, width, colour);
                DrawDashedLine(s, g, a.leftMm, y, a.rightMm, y, dash, gap, width, colour);
            }
        };
        // "50, 0.1m": fine lines between the standard ones.
        if (st.NLugeonGrid == 0)
            lines(kFineDivisions, kFineDivisions / kStandardDivisions, st.NFineGridDash, st.NFineGridGap,
                  st.NFineGridWidth, fine);
        lines(kStandardDivisions, 0, st.NGridDash, st.NGridGap, st.NGridWidth, standard);
    }
}

void DrawLugeonGraph(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const app::SystemSettings& st = ctx.settings;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const Colour colour = PlotColour(ctx);
    const int axisStyle = st.AreaLineStyle;
    const double markRadius = PaperMmToDepth(g, kMarkRadiusMm);
    const double gapAcross = PaperMmToWidth(g, kTextGapMm);
    const double gapDown = PaperMmToDepth(g, kTextGapMm);

    for (const LugeonTest& test : LugeonTests(ctx.record)) {
        const LugeonPlotArea a = LugeonPlotAreaOf(g, test, col.leftMm, col.rightMm);
        // The test's box and the axes: Q across the bottom, P up the left side.
        DrawLine(s, g, col.leftMm, a.boxTop, col.rightMm, a.boxTop, 0, st.RuleLineWidth, 0);
        DrawLine(s, g, col.leftMm, a.boxBottom, col.rightMm, a.boxBottom, 0, st.RuleLineWidth, 0);
        DrawLine(s, g, a.leftMm, a.bottom, a.rightMm, a.bottom, axisStyle, st.AreaLineWidthX, 0);
        DrawLine(s, g, a.leftMm, a.bottom, a.leftMm, a.top, axisStyle, st.AreaLineWidthY, 0);

        // Flow scale under the axis, the Lugeon value over the plot.
        Text(ctx, HorizontalAlign::Left, VerticalAlign::Top, a.leftMm, a.bottom + gapDown, test.q0Label);
        Text(ctx, HorizontalAlign::Right, VerticalAlign::Top, a.rightMm, a.bottom + gapDown, test.q1Label);
        Text(ctx, HorizontalAlign::Right, VerticalAlign::Bottom, a.rightMm, a.top - gapDown, LugeonValueText(test));

        // The plot itself only where it meets the page window: a clip outside the window
        // would let the plot draw below the page.
        if (a.top >= ctx.pageEnd || a.bottom <= ctx.pageStart) continue;
        ClipToPlot(ctx, a);
        // The critical pressure: a dotted line across the plot and its value in brackets.
        if (IsNumber(test.criticalPressure)) {
            const double y = a.YOf(test, core::LeadingReal(test.criticalPressure));
            DrawLine(s, g, a.leftMm, y, a.rightMm, y, static_cast<int>(PenStyle::Dot), st.LugeonPlotWidth, colour);
            const std::string label =
                BracketText(st.CriticalPressureBracket, PressureText(test.criticalPressure, st.PressureDecimals));
            // Over the line, or under it when the plot's clip leaves no room above (a critical
            // pressure at the top of the scale lost its value).
            const Size labelSize = s.MeasureText(label);
            const double labelDepth = g.depthPxPerMetre > 0.0001 ? labelSize.height / g.depthPxPerMetre : 0.0;
            const bool above = y - gapDown - labelDepth >= a.top;
            const double bandTop = above ? y - gapDown - labelDepth : y;
            const double bandBottom = above ? y : y + gapDown + labelDepth;
            // At the left end of the line, or at the right end when the curve runs through the
            // left one there and not through the right.
            const double labelWidth = g.xFactor > 0.0001 ? labelSize.width / g.xFactor : 0.0;
            auto curveCrosses = [&](double fromMm, double toMm) {
                for (std::size_t i = 0; i < test.points.size(); ++i) {
                    const double x1 = a.XOf(test, test.points[i].flow);
                    const double y1 = a.YOf(test, test.points[i].pressure);
                    const std::size_t j = i + 1 < test.points.size() ? i + 1 : i;
                    const double x2 = a.XOf(test, test.points[j].flow);
                    const double y2 = a.YOf(test, test.points[j].pressure);
                    if (std::max(y1, y2) < bandTop || std::min(y1, y2) > bandBottom) continue;
                    if (std::max(x1, x2) >= fromMm && std::min(x1, x2) <= toMm) return true;
                }
                return false;
            };
            const double leftFrom = a.leftMm + gapAcross;
            const double rightTo = a.rightMm - gapAcross;
            const bool right = curveCrosses(leftFrom, leftFrom + labelWidth) && !curveCrosses(rightTo - labelWidth, rightTo);
            Text(ctx, right ? HorizontalAlign::Right : HorizontalAlign::Left,
                 above ? VerticalAlign::Bottom : VerticalAlign::Top, right ? rightTo : leftFrom,
                 above ? y - gapDown : y + gapDown, label);
        }
        // The measured points in order: rising pressure with one width, falling with the other.
        for (std::size_t i = 0; i < test.points.size(); ++i) {
            const LugeonPoint& p = test.points[i];
            const double x = a.XOf(test, p.flow);
            const double y = a.YOf(test, p.pressure);
            if (i > 0) {
                const LugeonPoint& q = test.points[i - 1];
                const int width = p.pressure >= q.pressure ? st.PqIncreaseWidth : st.PqDecreaseWidth;
                DrawLine(s, g, a.XOf(test, q.flow), a.YOf(test, q.pressure), x, y, 0, width, colour);
            }
            DrawCircle(s, g, x, y, markRadius, 0, st.LugeonPlotWidth, colour);
        }
        RestorePageClip(ctx);
    }
}

void RegisterLugeonColumns(ColumnRegistry& registry) {
    registry.Register(kValueItem, [](LogContext& ctx, int slot, int) { DrawLugeonValueColumn(ctx, slot); });
    registry.Register(kScaleItem, [](LogContext& ctx, int slot, int) { DrawLugeonScaleColumn(ctx, slot); });
    registry.Register(GridKey(kGraphItem), [](LogContext& ctx, int slot, int) { DrawLugeonGrid(ctx, slot); });
    registry.Register(kGraphItem, [](LogContext& ctx, int slot, int) { DrawLugeonGraph(ctx, slot); });
}

}  // namespace stracol::render
