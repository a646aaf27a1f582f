#include "render/columns/LoggingColumns.h"

#include <algorithm>
#include <cmath>

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

constexpr int kGraphItem = 3501;
constexpr int kResultItem = 3502;
constexpr int kMethodItem = 2051;
// Heading of the measuring times, joined with ",".
constexpr int kTimesHeading = 73;
// TracerDetailTable: 0 depth, 2 the values (3 in the files that put them there).
constexpr int kValuesColumn = 2;
constexpr int kOtherValuesColumn = 3;
// A logarithmic axis when the values lie this many times apart.
constexpr double kLogarithmicRatio = 100.0;
// Texts stand this far off their lines (paper mm).
constexpr double kTextGapMm = 0.5;
// The logged section's pipe in the method figure: a third of the column wide.
constexpr double kPipeWidthShare = 1.0 / 3.0;
// Grid lines this close to the page edges count as on them.
constexpr double kGridEpsilon = 1e-7;

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::size_t from = 0;
    while (from <= text.size()) {
        const std::size_t comma = text.find(',', from);
        const std::size_t end = comma == std::string::npos ? text.size() : comma;
        parts.emplace_back(core::TrimBlanks(std::string_view(text).substr(from, end - from)));
        if (comma == std::string::npos) break;
        from = comma + 1;
    }
    while (!parts.empty() && parts.back().empty()) parts.pop_back();
    return parts;
}

double PaperMmToDepth(const PageGeometry& g, double mm) {
    return g.depthPxPerMetre > 0.0001 ? mm * g.pxPerMmY / g.depthPxPerMetre : 0.0;
}

// The next 1, 2 or 5 step at or above v (v > 0).
double NiceCeiling(double v) {
    const double decade = std::pow(10.0, std::floor(std::log10(v)));
    for (double step : {1.0, 2.0, 5.0, 10.0})
        if (step * decade >= v * (1 - 1e-9)) return step * decade;
    return 10 * decade;
}

Colour PlotColour(const LogContext& ctx) {
    return ctx.settings.ColourMode != 0 ? 0 : ColourFromText(ctx.settings.LoggingColour);
}

// The column within the page window: these graphs are drawn after the depth part lifted its clip.
void ClipToColumn(LogContext& ctx, double xl, double xr) {
    const PageGeometry& g = ctx.geometry;
    ctx.surface.SetClipRect(Rect{MmToX(g, xl), DepthToY(g, ctx.pageStart), MmToX(g, xr) + 1,
                                 DepthToY(g, ctx.pageEnd) + 1});
}

// The upper and lower depth of the logged section: the first and the last measuring depth, or
// the detected intervals' extent when no value was measured. False when there is neither.
bool LoggedSection(const LogContext& ctx, const LoggingData& data, double& top, double& bottom) {
    if (!data.rows.empty()) {
        top = bottom = data.rows.front().depth;
        for (const LoggingRow& row : data.rows) {
            top = std::min(top, row.depth);
            bottom = std::max(bottom, row.depth);
        }
        return true;
    }
    const borehole::DepthTable& results = ctx.record.Table(borehole::TableId::TracerResult);
    const int rows = results.RowCount();
    bool any = false;
    for (int row = 1; row <= rows; ++row) {
        if (core::IsNumericStart(results.Cell(row, 1)) != 1) continue;
        const double upper = core::LeadingReal(results.Cell(row, 0));
        const double lower = core::LeadingReal(results.Cell(row, 1));
        top = any ? std::min(top, upper) : upper;
        bottom = any ? std::max(bottom, lower) : lower;
        any = true;
    }
    return any;
}

void DepthLines(LogContext& ctx, double xl, double xr, double top, double bottom) {
    const int style = ctx.settings.AreaLineStyle;
    const int width = ctx.settings.AreaLineWidthX;
    DrawLine(ctx.surface, ctx.geometry, xl, top, xr, top, style, width, 0);
    DrawLine(ctx.surface, ctx.geometry, xl, bottom, xr, bottom, style, width, 0);
}

}  // namespace

LoggingData ReadLoggingData(const borehole::BoreholeRecord& record) {
    LoggingData data;
    data.times = SplitCommas(record.Heading(kTimesHeading));
    const borehole::DepthTable& table = record.Table(borehole::TableId::TracerDetail);
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        LoggingRow r;
        r.depth = core::LeadingReal(table.Cell(row, 0));
        const std::string& cell = table.Cell(row, kValuesColumn);
        for (const std::string& part : SplitCommas(cell.empty() ? table.Cell(row, kOtherValuesColumn) : cell)) {
            if (core::IsNumericStart(part) == 1)
                r.values.emplace_back(core::LeadingReal(part));
            else
                r.values.emplace_back(std::nullopt);
        }
        data.curveCount = std::max(data.curveCount, r.values.size());
        data.rows.push_back(std::move(r));
    }
    return data;
}

double LoggingAxis::XOf(double value, double xlMm, double xrMm) const {
    double share = 0;
    if (logarithmic) {
        const double v = std::max(value, low);
        share = (std::log10(v) - std::log10(low)) / (std::log10(high) - std::log10(low));
    } else {
        share = (value - low) / (high - low);
    }
    return xlMm + share * (xrMm - xlMm);
}

std::vector<double> LoggingAxis::Marks() const {
    std::vector<double> marks;
    if (logarithmic) {
        for (double v = low; v <= high * (1 + 1e-9); v *= 10) marks.push_back(v);
    } else {
        for (int i = 0; i <= 10; ++i) marks.push_back(low + (high - low) * i / 10);
    }
    return marks;
}

LoggingAxis LoggingAxisOf(const LoggingData& data) {
    double smallest = 0;
    double largest = 0;
    bool any = false;
    for (const LoggingRow& row : data.rows)
        for (const std::optional<double>& v : row.values) {
            if (!v || *v <= 0) continue;
            smallest = any ? std::min(smallest, *v) : *v;
            largest = any ? std::max(largest, *v) : *v;
            any = true;
        }
    LoggingAxis axis;
    if (!any) return axis;
    if (largest / smallest >= kLogarithmicRatio) {
        axis.logarithmic = true;
        axis.low = std::pow(10.0, std::floor(std::log10(smallest)));
        axis.high = std::pow(10.0, std::ceil(std::log10(largest)));
        if (axis.high <= axis.low) axis.high = axis.low * 10;
        return axis;
    }
    axis.low = 0;
    axis.high = NiceCeiling(largest);
    return axis;
}

std::string LoggingCurveLabel(const LoggingData& data, std::size_t k) {
    if (data.times.size() == data.curveCount && k < data.times.size()) return data.times[k];
    return core::Sprintf("%zu", k + 1);
}

void DrawLoggingGrid(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const LoggingAxis axis = LoggingAxisOf(ReadLoggingData(ctx.record));
    if (!axis.logarithmic) {
        // Tenths of the linear axis, as the other graph columns; their horizontal lines include
        // every whole metre.
        DrawGraphGrid(ctx, slot, ctx.settings.CoreGrid);
        return;
    }
    const app::SystemSettings& st = ctx.settings;
    const bool black = st.ColourMode != 0;
    const Colour c1 = black ? 0 : ColourFromText(st.NGridColour);
    const Colour c2 = black ? 0 : ColourFromText(st.CoreGridColour);
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const double s = ctx.pageStart;
    const double e = ctx.pageEnd;
    Surface& surface = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    // Every decade; with the fine grid choice also 2 to 9 times each decade.
    for (double decade = axis.low; decade < axis.high * (1 - 1e-9); decade *= 10) {
        if (decade > axis.low) {
            const double x = axis.XOf(decade, xl, xr);
            DrawDashedLine(surface, g, x, s, x, e, st.CoreGridDash, st.CoreGridGap, st.CoreGridWidth, c1);
        }
        if (st.CoreGrid != 0) continue;
        for (int k = 2; k <= 9; ++k) {
            const double x = axis.XOf(decade * k, xl, xr);
            DrawDashedLine(surface, g, x, s, x, e, st.CoreFineGridDash, st.CoreFineGridGap, st.CoreFineGridWidth, c2);
        }
    }
    for (double u = std::floor(s) + 1; u < e - kGridEpsilon; u += 1.0)
        DrawDashedLine(surface, g, xl, u, xr, u, st.CoreFineGridDash, st.CoreFineGridGap, st.CoreFineGridWidth, c1);
}

void DrawLoggingGraph(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const LoggingData data = ReadLoggingData(ctx.record);
    double top = 0;
    double bottom = 0;
    if (data.rows.empty() || !LoggedSection(ctx, data, top, bottom)) return;
    const LoggingAxis axis = LoggingAxisOf(data);
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const Colour colour = PlotColour(ctx);
    const int width = ctx.settings.LoggingPlotWidth;
    const double gap = PaperMmToDepth(g, kTextGapMm);

    ClipToColumn(ctx, xl, xr);
    DepthLines(ctx, xl, xr, top, bottom);
    // The axis values over the upper depth line.
    {
        TextAlignScope align(s, TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom});
        const std::vector<double> marks = axis.Marks();
        for (std::size_t i = 0; i < marks.size(); ++i) {
            if (!axis.logarithmic && i % 5 != 0) continue;  // 0, the middle and the full scale
            TextAt(s, g, axis.XOf(marks[i], xl, xr), top - gap, core::Sprintf("%g", marks[i]));
        }
    }
    for (std::size_t k = 0; k < data.curveCount; ++k) {
        bool open = false;
        bool any = false;
        double px = 0;
        double py = 0;
        for (const LoggingRow& row : data.rows) {
            const bool has = k < row.values.size() && row.values[k] && (!axis.logarithmic || *row.values[k] > 0);
            if (!has) {
                open = false;
                continue;
            }
            const double x = axis.XOf(*row.values[k], xl, xr);
            if (open) DrawLine(s, g, px, py, x, row.depth, 0, width, colour);
            open = true;
            any = true;
            px = x;
            py = row.depth;
        }
        // The time at the curve's last point.
        if (any) {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
            TextAt(s, g, px, py + gap, LoggingCurveLabel(data, k));
        }
    }
    s.ClearClip();
}

void DrawLoggingMethodFigure(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const LoggingData data = ReadLoggingData(ctx.record);
    double top = 0;
    double bottom = 0;
    if (!LoggedSection(ctx, data, top, bottom)) return;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const double xc = (xl + xr) / 2;
    const double half = (xr - xl) * kPipeWidthShare / 2;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const Colour colour = PlotColour(ctx);
    const int width = ctx.settings.LoggingPlotWidth;

    ClipToColumn(ctx, xl, xr);
    DepthLines(ctx, xl, xr, top, bottom);
    const borehole::DepthTable& results = ctx.record.Table(borehole::TableId::TracerResult);
    const int rows = results.RowCount();
    for (int row = 1; row <= rows; ++row) {
        if (core::IsNumericStart(results.Cell(row, 1)) != 1) continue;
        const double upper = core::LeadingReal(results.Cell(row, 0));
        const double lower = core::LeadingReal(results.Cell(row, 1));
        PenScope pen(s, Pen{PenStyle::Solid, 1, colour});
        BrushScope brush(s, Brush::Solid(colour));
        FillPolygon(s, g, {{xc - half, upper}, {xc + half, upper}, {xc + half, lower}, {xc - half, lower}}, colour);
    }
    DrawLine(s, g, xc - half, top, xc - half, bottom, 0, width, 0);
    DrawLine(s, g, xc + half, top, xc + half, bottom, 0, width, 0);
    s.ClearClip();
}

void RegisterLoggingColumns(ColumnRegistry& registry) {
    registry.Register(GridKey(kGraphItem), [](LogContext& ctx, int slot, int) { DrawLoggingGrid(ctx, slot); });
    registry.Register(kGraphItem, [](LogContext& ctx, int slot, int) { DrawLoggingGraph(ctx, slot); });
    registry.Register(kMethodItem, [](LogContext& ctx, int slot, int) { DrawLoggingMethodFigure(ctx, slot); });
    IntervalTextDef result;
    result.itemCode = kResultItem;
    result.table = borehole::TableId::TracerResult;
    result.kind = IntervalKind::Interval;
    result.textColumn = 2;
    registry.Register(kResultItem, [result](LogContext& ctx, int slot, int) { IntervalTextWalk(ctx, slot, result); });
}

}  // namespace stracol::render
