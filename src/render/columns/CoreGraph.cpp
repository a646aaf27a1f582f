#include "render/columns/CoreGraph.h"

#include <cmath>
#include <optional>
#include <vector>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/Colour.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"

namespace stracol::render {

namespace {

using borehole::DepthTable;
using borehole::TableId;

constexpr int kRecoveryLengthGraph = 2301;
constexpr int kRqdGraph = 2302;

// Flag bits of the flags cell (column 3) of RecoveryTable and CoreLengthTable.
constexpr int kFlagAtBottom = 2;     // the point lies at the run's bottom, not its middle
constexpr int kFlagNewSegment = 4;   // the point starts a new line segment
constexpr int kFlagFromLeft = 8;     // (RQD) the step starts at the column's left edge
constexpr int kFlagCloseLeft = 16;   // (RQD) a closing line at the run's bottom to the left edge

// Runs are one metre long unless the previous row says otherwise (m).
constexpr double kRunLengthM = 1.0;
// Core recovery mark: a cross of these half sizes (mm across, m down).
constexpr double kCrossHalfWidthMm = 0.6;
constexpr double kCrossHalfHeightM = 0.03;
// Maximum core length mark: a filled disc of this radius (m).
constexpr double kDiscRadiusM = 0.055;
// Labels kept inside the column edges (mm).
constexpr double kEdgeLabelInsetMm = 1.0;
// Recovery labels from this value on stand left of their point.
constexpr int kRecoveryLabelLeftFrom = 91;
// Vertical reference choices of a recovery label (RecoveryTable column 2).
constexpr int kRecoveryLabelBottom = 0;
constexpr int kRecoveryLabelHalfLineAbove = 1;
// Depth per page for which the grid's vertical lines are drawn in two pieces (m).
constexpr int kSplitGridFromDepth = 38;
constexpr int kSplitGridToDepth = 59;
// Horizontal grid lines this close to the page edges count as on them.
constexpr double kGridEpsilon = 1e-7;

// One row of a series: its bottom depth, value and flags; value empty when it is not a number.
struct SeriesRow {
    double bottom = 0;
    std::optional<double> value;
    std::string valueText;
    int flags = 0;
    int labelChoice = 0;  // RecoveryTable column 2
};

std::vector<SeriesRow> ReadSeries(const DepthTable& table, int valueColumn) {
    std::vector<SeriesRow> rows;
    const int count = table.RowCount();
    rows.reserve(static_cast<std::size_t>(count));
    for (int row = 1; row <= count; ++row) {
        SeriesRow r;
        r.bottom = core::LeadingReal(table.Cell(row, 0));
        const std::string& value = table.Cell(row, valueColumn);
        if (core::IsNumericStart(value) == 1) {
            r.value = core::LeadingReal(value);
            r.valueText = value;
        }
        r.flags = core::LeadingInt(table.Cell(row, 3));
        r.labelChoice = core::LeadingInt(table.Cell(row, 2));
        rows.push_back(r);
    }
    return rows;
}

Colour PlotColour(const LogContext& ctx, const std::string& colourText) {
    return ctx.settings.ColourMode != 0 ? 0 : ColourFromText(colourText);
}

void Label(LogContext& ctx, HorizontalAlign h, VerticalAlign v, double xMm, double yM, const std::string& text) {
    TextAlignScope align(ctx.surface, TextAlign{h, v});
    TextAt(ctx.surface, ctx.geometry, xMm, yM, text);
}

// The RQD step graph.
void DrawRqd(LogContext& ctx, double xl, double xr, const CoreLabelOptions& options) {
    const app::SystemSettings& st = ctx.settings;
    const int width = st.RqdPlotWidth;
    const Colour colour = PlotColour(ctx, st.RqdColour);
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    auto xOf = [&](double v) { return xl + v * (xr - xl) * 0.01; };

    bool segmentOpen = false;
    double previousX = xl;
    std::optional<double> previousBottom;
    for (const SeriesRow& row : ReadSeries(ctx.record.Table(TableId::CoreLength), 2)) {
        if (!row.value) {
            segmentOpen = false;
            continue;
        }
        const double b = row.bottom;
        double a = b - kRunLengthM;
        if (previousBottom && *previousBottom > a) a = *previousBottom;
        const double x = xOf(*row.value);
        const bool starts = !segmentOpen || (row.flags & kFlagNewSegment);
        double fromX = starts ? x : previousX;
        if (row.flags & kFlagFromLeft) fromX = xl;
        if (fromX != x) DrawLine(s, g, fromX, a, x, a, 0, width, colour);
        DrawLine(s, g, x, a, x, b, 0, width, colour);
        if (row.flags & kFlagCloseLeft) DrawLine(s, g, xl, b, x, b, 0, width, colour);

        const std::string label = BracketLabel(st.RqdBracket, row.valueText);
        if (options.rqdAtPoint)
            Label(ctx, HorizontalAlign::Centre, VerticalAlign::Baseline, x, (a + b) / 2, label);
        else
            Label(ctx, HorizontalAlign::Centre, VerticalAlign::Bottom, (xl + xr) / 2, (a + b) / 2, label);

        segmentOpen = true;
        previousX = x;
        previousBottom = b;
    }
}

// The point depth of a recovery or core-length row: its bottom with flag 2, else the middle
// of the run from the previous row's bottom.
double PointDepth(const std::vector<SeriesRow>& rows, std::size_t i) {
    const SeriesRow& row = rows[i];
    if (row.flags & kFlagAtBottom) return row.bottom;
    const double top = i == 0 ? row.bottom - kRunLengthM : rows[i - 1].bottom;
    return (top + row.bottom) / 2;
}

// A polyline with marks and labels: the core recovery (recovery true) or the maximum core length.
void DrawPolylineSeries(LogContext& ctx, double xl, double xr, bool recovery, double lineDepth,
                        const CoreLabelOptions& options) {
    const app::SystemSettings& st = ctx.settings;
    const int width = recovery ? st.CoreRecoveryPlotWidth : st.CoreLengthPlotWidth;
    const Colour colour = PlotColour(ctx, recovery ? st.CoreRecoveryColour : st.CoreLengthColour);
    const std::string& bracket = recovery ? st.CoreRecoveryBracket : st.CoreLengthBracket;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    auto xOf = [&](double v) { return xl + v * (xr - xl) * 0.01; };

    const std::vector<SeriesRow> rows = recovery ? ReadSeries(ctx.record.Table(TableId::Recovery), 1)
                                                 : ReadSeries(ctx.record.Table(TableId::CoreLength), 1);
    // The points in device pixels, and whether a line joins each to the one before.
    struct SeriesPoint {
        double x = 0;  // mm
        double y = 0;  // m
        bool joined = false;
        std::size_t row = 0;
    };
    std::vector<SeriesPoint> points;
    bool segmentOpen = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const SeriesRow& row = rows[i];
        if (!row.value) {
            segmentOpen = false;
            continue;
        }
        points.push_back({xOf(*row.value), PointDepth(rows, i), segmentOpen && !(row.flags & kFlagNewSegment), i});
        segmentOpen = true;
    }
    auto device = [&](double xMm, double yM) { return Point{MmToX(g, xMm), DepthToY(g, yM)}; };
    // True when a line of the series into or out of point k runs through the label that
    // alignment (h, v) at (xMm, yM) gives, as it stands once kept inside the column.
    auto labelCrossed = [&](std::size_t k, HorizontalAlign h, VerticalAlign v, double xMm, double yM,
                            const std::string& label) {
        const Size size = s.MeasureText(label);
        const Point at = device(xMm, yM);
        int left = h == HorizontalAlign::Right ? at.x - size.width : h == HorizontalAlign::Centre ? at.x - size.width / 2 : at.x;
        const int top = v == VerticalAlign::Top ? at.y : at.y - size.height;
        const int colLeft = MmToX(g, xl);
        const int colRight = MmToX(g, xr);
        if (left < colLeft) left = colLeft;
        if (left + size.width > colRight) left = std::max(colLeft, colRight - size.width);
        const Rect box{left + 1, top + 1, left + size.width - 1, top + size.height - 1};
        const Point here = device(points[k].x, points[k].y);
        if (points[k].joined && SegmentCrossesRect(device(points[k - 1].x, points[k - 1].y), here, box)) return true;
        return k + 1 < points.size() && points[k + 1].joined &&
               SegmentCrossesRect(here, device(points[k + 1].x, points[k + 1].y), box);
    };
    // The label beside its point, on the side no line of the series runs through.
    auto sideLabel = [&](std::size_t k, HorizontalAlign preferred, VerticalAlign v, double offsetMm, double yM,
                         const std::string& label) {
        const double x = points[k].x;
        const HorizontalAlign other = preferred == HorizontalAlign::Right ? HorizontalAlign::Left : HorizontalAlign::Right;
        auto xFor = [&](HorizontalAlign h) { return h == HorizontalAlign::Right ? x - offsetMm : x + offsetMm; };
        // Where it stands by rule; else on the other side; else a little farther from its
        // point on its own side; where every place is crossed, where it stands by rule.
        if (labelCrossed(k, preferred, v, x, yM, label)) {
            if (!labelCrossed(k, other, v, xFor(other), yM, label)) return Label(ctx, other, v, xFor(other), yM, label);
            if (!labelCrossed(k, preferred, v, xFor(preferred), yM, label))
                return Label(ctx, preferred, v, xFor(preferred), yM, label);
        }
        Label(ctx, preferred, v, x, yM, label);
    };

    for (std::size_t k = 0; k < points.size(); ++k) {
        const SeriesRow& row = rows[points[k].row];
        const double x = points[k].x;
        const double y = points[k].y;
        if (points[k].joined) DrawLine(s, g, points[k - 1].x, points[k - 1].y, x, y, 0, width, colour);

        const std::string label = BracketLabel(bracket, row.valueText);
        if (recovery) {
            DrawCross(s, g, x, y, kCrossHalfWidthMm, kCrossHalfHeightM, 0, width, colour);
            VerticalAlign v = VerticalAlign::Top;
            double labelY = y;
            if (row.labelChoice == kRecoveryLabelBottom) {
                v = VerticalAlign::Bottom;
            } else if (row.labelChoice == kRecoveryLabelHalfLineAbove) {
                labelY = y - lineDepth / 2;
            }
            if (options.recoveryAtRightEdge)
                Label(ctx, HorizontalAlign::Right, v, xr - kEdgeLabelInsetMm, labelY, label);
            else
                sideLabel(k,
                          core::LeadingInt(row.valueText) >= kRecoveryLabelLeftFrom ? HorizontalAlign::Right
                                                                                     : HorizontalAlign::Left,
                          v, kCrossHalfWidthMm, labelY, label);
        } else {
            DrawFilledCircle(s, g, x, y, kDiscRadiusM, 0, width, colour, colour);
            if (options.lengthAtLeftEdge)
                Label(ctx, HorizontalAlign::Left, VerticalAlign::Bottom, xl + kEdgeLabelInsetMm, y, label);
            else
                sideLabel(k, HorizontalAlign::Right, VerticalAlign::Bottom, kCrossHalfWidthMm, y, label);
        }
    }
}

}  // namespace

std::string BracketFormat(std::string_view choice) {
    auto has = [&](std::string_view part) { return choice.find(part) != std::string_view::npos; };
    if (has("無")) return "%s";
    if (has("((")) return "((%s))";
    if (has("(")) return "(%s)";
    if (has("[")) return "[%s]";
    if (has("{")) return "{%s}";
    if (has("《")) return "《%s》";
    if (has("〔")) return "〔%s〕";
    return "%s";
}

std::string BracketText(std::string_view choice, std::string_view text) {
    const std::string format = BracketFormat(choice);
    const std::size_t at = format.find("%s");
    return format.substr(0, at) + std::string(text) + format.substr(at + 2);
}

std::string BracketLabel(std::string_view choice, std::string_view value) {
    return BracketText(choice, core::Sprintf("%d", core::LeadingInt(value)));
}

void DrawGraphGrid(LogContext& ctx, int slot, int coarseSwitch) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const app::SystemSettings& st = ctx.settings;
    const bool black = st.ColourMode != 0;
    const Colour c1 = black ? 0 : ColourFromText(st.NGridColour);
    const Colour c2 = black ? 0 : ColourFromText(st.CoreGridColour);
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const double d = (xr - xl) * 0.1;
    const double s = ctx.pageStart;
    const double e = ctx.pageEnd;
    Surface& surface = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const bool split = g.depthPerPage >= kSplitGridFromDepth && g.depthPerPage <= kSplitGridToDepth;

    auto vertical = [&](double x, Colour colour) {
        if (split) {
            const double middle = (s + e) / 2;
            DrawDashedLine(surface, g, x, s, x, middle, st.CoreGridDash, st.CoreGridGap, st.CoreGridWidth, colour);
            DrawDashedLine(surface, g, x, middle, x, e, st.CoreGridDash, st.CoreGridGap, st.CoreGridWidth, colour);
        } else {
            DrawDashedLine(surface, g, x, s, x, e, st.CoreGridDash, st.CoreGridGap, st.CoreGridWidth, colour);
        }
    };
    if (coarseSwitch == 0) {
        for (int i = 1; i <= 9; ++i)
            if (i != 5) vertical(xl + i * d, c2);
    }
    vertical(xl + 5 * d, c1);

    auto horizontal = [&](double y) {
        DrawDashedLine(surface, g, xl, y, xr, y, st.CoreFineGridDash, st.CoreFineGridGap, st.CoreFineGridWidth, c1);
    };
    // Every line strictly inside the page window, the last metre included.
    for (double u = std::trunc(s - 1); u < e - kGridEpsilon; u += 1.0) {
        if (coarseSwitch == 0 && u + 0.5 > s + kGridEpsilon && u + 0.5 < e - kGridEpsilon) horizontal(u + 0.5);
        if (u > s + kGridEpsilon) horizontal(u);
    }
}

void DrawCoreGraph(LogContext& ctx, int slot, bool withRqd, double lineDepth, const CoreLabelOptions& options) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    if (withRqd) DrawRqd(ctx, xl, xr, options);
    DrawPolylineSeries(ctx, xl, xr, true, lineDepth, options);
    DrawPolylineSeries(ctx, xl, xr, false, lineDepth, options);
}

void RegisterCoreGraphs(ColumnRegistry& registry) {
    for (int code : {kRecoveryLengthGraph, kRqdGraph}) {
        registry.Register(GridKey(code), [](LogContext& ctx, int slot, int) {
            DrawGraphGrid(ctx, slot, ctx.settings.CoreGrid);
        });
        registry.Register(code, [code](LogContext& ctx, int slot, int) {
            DrawCoreGraph(ctx, slot, code == kRqdGraph, ColumnMetrics(ctx).lineDepth);
        });
    }
    // The in-situ graph columns share the same grid, switched by their own setting.
    for (int code : {3202, 3204, 3205}) {
        registry.Register(GridKey(code), [](LogContext& ctx, int slot, int) {
            DrawGraphGrid(ctx, slot, ctx.settings.InsituGrid);
        });
    }
}

}  // namespace stracol::render
