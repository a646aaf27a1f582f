#include "render/columns/CoreGraph.h"

#include <algorithm>
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

// Depths closer than this are the same (m).
constexpr double kSameDepthM = 1e-6;
// Runs are one metre long unless the previous row says otherwise (m).
constexpr double kRunLengthM = 1.0;

// The top of a run that ends at bottom when no row before says where it starts: one metre up,
// but never above the ground (a first run of 0.5 m is 0-0.5 m, its point at 0.25 m).
double RunTop(double bottom) { return bottom > 0 ? std::max(0.0, bottom - kRunLengthM) : bottom - kRunLengthM; }
// Core recovery mark: a cross of these half sizes (mm across, m down).
constexpr double kCrossHalfWidthMm = 0.6;
constexpr double kCrossHalfHeightM = 0.03;
// Maximum core length mark: a filled disc of this radius (m).
constexpr double kDiscRadiusM = 0.055;
// A label crossed by a line moves away from its point by at most this many offsets.
constexpr int kLabelSteps = 5;
// The least gap between two labels side by side (mm).
constexpr double kLabelGapMm = 0.5;
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
    bool skippedBefore = false;  // a row of the other series lay between this row and the one before
    double bottom = 0;
    std::optional<double> value;
    std::string valueText;
    int flags = 0;
    int labelChoice = 0;  // RecoveryTable column 2
};

// Which rows of a table belong to a series. The maximum core length and the RQD share
// CoreLengthTable (columns 1 and 2), each record at its own depth, so a row may hold only the
// other series' value.
enum class SeriesRows {
    All,         // a table of one series
    CoreLength,  // the rows of core-length records (flag 32) and rows with a core length
    Rqd,         // every row but those with a core length and no RQD
};

// The rows of one series. A row of the other series only is no row of this one: neither a
// point nor a gap, and no run ends there (otherwise a core length at 4.5 m after an RQD at
// 4.0 m stood for the run 4.0-4.5 m instead of 3.5-4.5 m). skippedBefore tells that such a row
// lay between a row and the one before it.
std::vector<SeriesRow> ReadSeries(const DepthTable& table, int valueColumn, SeriesRows which = SeriesRows::All) {
    std::vector<SeriesRow> rows;
    const int count = table.RowCount();
    rows.reserve(static_cast<std::size_t>(count));
    bool skipped = false;
    for (int row = 1; row <= count; ++row) {
        const std::string& value = table.Cell(row, valueColumn);
        const int flags = core::LeadingInt(table.Cell(row, 3));
        const bool other =
            (which == SeriesRows::CoreLength && value.empty() && !(flags & borehole::kCoreLengthRecordFlag)) ||
            (which == SeriesRows::Rqd && value.empty() && !table.Cell(row, 1).empty());
        if (other) {
            skipped = true;
            continue;
        }
        SeriesRow r;
        r.skippedBefore = skipped;
        skipped = false;
        r.bottom = core::LeadingReal(table.Cell(row, 0));
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

// The box a label with alignment (h, v) at (xMm, yM) covers in device pixels, as it stands
// once kept inside the column from xl to xr; one pixel smaller all round.
Rect LabelBox(const LogContext& ctx, double xl, double xr, HorizontalAlign h, VerticalAlign v, double xMm, double yM,
              const std::string& label) {
    const PageGeometry& g = ctx.geometry;
    const Size size = ctx.surface.MeasureText(label);
    const int x = MmToX(g, xMm);
    const int y = DepthToY(g, yM);
    int left = h == HorizontalAlign::Right ? x - size.width : h == HorizontalAlign::Centre ? x - size.width / 2 : x;
    const int top = v == VerticalAlign::Top        ? y
                    : v == VerticalAlign::Baseline ? y - ctx.surface.Metrics().ascent
                                                   : y - size.height;
    const int colLeft = MmToX(g, xl);
    const int colRight = MmToX(g, xr);
    if (left < colLeft) left = colLeft;
    if (left + size.width > colRight) left = std::max(colLeft, colRight - size.width);
    return Rect{left + 1, top + 1, left + size.width - 1, top + size.height - 1};
}

bool Overlap(const Rect& a, const Rect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// A straight line of a graph, in mm across and metres down.
struct GraphLine {
    double x1 = 0;
    double y1 = 0;
    double x2 = 0;
    double y2 = 0;
};

// One step of the RQD graph: its lines, in the order drawn, and its label.
struct RqdStep {
    std::vector<GraphLine> lines;
    HorizontalAlign h = HorizontalAlign::Centre;
    VerticalAlign v = VerticalAlign::Bottom;
    double labelX = 0;
    double labelY = 0;
    std::string label;
};

// The steps of the RQD graph.
std::vector<RqdStep> RqdSteps(const LogContext& ctx, double xl, double xr, const CoreLabelOptions& options) {
    auto xOf = [&](double v) { return xl + v * (xr - xl) * 0.01; };
    std::vector<RqdStep> steps;
    bool segmentOpen = false;
    double previousX = xl;
    std::optional<double> previousBottom;
    for (const SeriesRow& row : ReadSeries(ctx.record.Table(TableId::CoreLength), 2, SeriesRows::Rqd)) {
        if (!row.value) {
            segmentOpen = false;
            continue;
        }
        RqdStep step;
        const double b = row.bottom;
        double a = RunTop(b);
        if (previousBottom && *previousBottom > a) a = *previousBottom;
        const double x = xOf(*row.value);
        // A row of the core length only (the RQD of that run not given) breaks the graph like
        // a gap, unless this run starts where the last one ended.
        const bool apart = row.skippedBefore && !(previousBottom && a <= *previousBottom + kSameDepthM);
        const bool starts = !segmentOpen || apart || (row.flags & kFlagNewSegment);
        double fromX = starts ? x : previousX;
        if (row.flags & kFlagFromLeft) fromX = xl;
        if (fromX != x) step.lines.push_back({fromX, a, x, a});
        step.lines.push_back({x, a, x, b});
        if (row.flags & kFlagCloseLeft) step.lines.push_back({xl, b, x, b});

        step.label = BracketLabel(ctx.settings.RqdBracket, row.valueText);
        step.labelY = (a + b) / 2;
        if (options.rqdAtPoint) {
            step.v = VerticalAlign::Baseline;
            step.labelX = x;
        } else {
            step.labelX = (xl + xr) / 2;
        }
        steps.push_back(std::move(step));

        segmentOpen = true;
        previousX = x;
        previousBottom = b;
    }
    return steps;
}

// The RQD step graph.
void DrawRqd(LogContext& ctx, const std::vector<RqdStep>& steps) {
    const app::SystemSettings& st = ctx.settings;
    const Colour colour = PlotColour(ctx, st.RqdColour);
    for (const RqdStep& step : steps) {
        for (const GraphLine& line : step.lines)
            DrawLine(ctx.surface, ctx.geometry, line.x1, line.y1, line.x2, line.y2, 0, st.RqdPlotWidth, colour);
        Label(ctx, step.h, step.v, step.labelX, step.labelY, step.label);
    }
}

// The point depth of a recovery or core-length row: its bottom with flag 2, else the middle
// of the run from the previous row's bottom.
double PointDepth(const std::vector<SeriesRow>& rows, std::size_t i) {
    const SeriesRow& row = rows[i];
    if (row.flags & kFlagAtBottom) return row.bottom;
    const double top = i == 0 ? RunTop(row.bottom) : rows[i - 1].bottom;
    return (top + row.bottom) / 2;
}

// A point of the recovery or the core-length polyline, and whether a line joins it to the one
// before.
struct SeriesPoint {
    double x = 0;  // mm
    double y = 0;  // m
    bool joined = false;
    std::size_t row = 0;
};

// The rows and points of the core recovery (recovery true) or the maximum core length.
struct Series {
    std::vector<SeriesRow> rows;
    std::vector<SeriesPoint> points;
};

Series PolylineSeries(const LogContext& ctx, double xl, double xr, bool recovery) {
    auto xOf = [&](double v) { return xl + v * (xr - xl) * 0.01; };
    Series series;
    series.rows = recovery ? ReadSeries(ctx.record.Table(TableId::Recovery), 1)
                           : ReadSeries(ctx.record.Table(TableId::CoreLength), 1, SeriesRows::CoreLength);
    bool segmentOpen = false;
    for (std::size_t i = 0; i < series.rows.size(); ++i) {
        const SeriesRow& row = series.rows[i];
        if (!row.value) {
            segmentOpen = false;
            continue;
        }
        series.points.push_back(
            {xOf(*row.value), PointDepth(series.rows, i), segmentOpen && !(row.flags & kFlagNewSegment), i});
        segmentOpen = true;
    }
    return series;
}

// The lines joining the points of a polyline series.
void AddLinesOf(const Series& series, std::vector<GraphLine>& lines) {
    for (std::size_t k = 1; k < series.points.size(); ++k) {
        const SeriesPoint& a = series.points[k - 1];
        const SeriesPoint& b = series.points[k];
        if (b.joined) lines.push_back({a.x, a.y, b.x, b.y});
    }
}

// A polyline with marks and labels: the core recovery (recovery true) or the maximum core
// length. Its labels keep off its own lines and, where they can, off every line of the graph
// (graphLines) and the labels written before them.
void DrawPolylineSeries(LogContext& ctx, double xl, double xr, bool recovery, const Series& series,
                        const std::vector<GraphLine>& graphLines, std::vector<Rect>& writtenLabels, double lineDepth,
                        const CoreLabelOptions& options) {
    const app::SystemSettings& st = ctx.settings;
    const int width = recovery ? st.CoreRecoveryPlotWidth : st.CoreLengthPlotWidth;
    const Colour colour = PlotColour(ctx, recovery ? st.CoreRecoveryColour : st.CoreLengthColour);
    const std::string& bracket = recovery ? st.CoreRecoveryBracket : st.CoreLengthBracket;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const std::vector<SeriesRow>& rows = series.rows;
    const std::vector<SeriesPoint>& points = series.points;
    auto device = [&](double xMm, double yM) { return Point{MmToX(g, xMm), DepthToY(g, yM)}; };
    auto labelBox = [&](HorizontalAlign h, VerticalAlign v, double xMm, double yM, const std::string& label) {
        return LabelBox(ctx, xl, xr, h, v, xMm, yM, label);
    };
    // True when a line of the series into or out of point k runs through the box.
    auto ownLineCrosses = [&](std::size_t k, const Rect& box) {
        const Point here = device(points[k].x, points[k].y);
        if (points[k].joined && SegmentCrossesRect(device(points[k - 1].x, points[k - 1].y), here, box)) return true;
        return k + 1 < points.size() && points[k + 1].joined &&
               SegmentCrossesRect(here, device(points[k + 1].x, points[k + 1].y), box);
    };
    auto anyLineCrosses = [&](const Rect& box) {
        for (const GraphLine& line : graphLines)
            if (SegmentCrossesRect(device(line.x1, line.y1), device(line.x2, line.y2), box)) return true;
        return false;
    };
    // Labels side by side keep a gap of kLabelGapMm between them.
    const int gapPx = std::max(1, MmToX(g, kLabelGapMm) - MmToX(g, 0.0));
    auto onWrittenLabel = [&](const Rect& box, int gap) {
        const Rect wide{box.left - gap, box.top, box.right + gap, box.bottom};
        for (const Rect& written : writtenLabels)
            if (Overlap(wide, written)) return true;
        return false;
    };
    // Draws a label and remembers where it stands.
    auto place = [&](HorizontalAlign h, VerticalAlign v, double xMm, double yM, const std::string& label) {
        writtenLabels.push_back(labelBox(h, v, xMm, yM, label));
        Label(ctx, h, v, xMm, yM, label);
    };
    // The label beside its point, on the side no line of the series runs through.
    auto sideLabel = [&](std::size_t k, HorizontalAlign preferred, VerticalAlign v, double offsetMm, double yM,
                         const std::string& label) {
        const double x = points[k].x;
        const HorizontalAlign other = preferred == HorizontalAlign::Right ? HorizontalAlign::Left : HorizontalAlign::Right;
        auto xFor = [&](HorizontalAlign h, int steps) {
            return h == HorizontalAlign::Right ? x - steps * offsetMm : x + steps * offsetMm;
        };
        // Where it stands by rule; else on the other side; else a little farther from its
        // point on its own side; then, step by step up to kLabelSteps offsets away, on either
        // side. A place that no line crosses, half a millimetre clear of the labels written
        // before, is taken first; then one that touches a written label but crosses nothing;
        // then one off the written labels; then any other that no line into or out of its own
        // point crosses; where those cross every place, the label stands where the rule puts it.
        struct Place {
            HorizontalAlign h;
            double x;
        };
        std::vector<Place> places{{preferred, x}, {other, xFor(other, 1)}, {preferred, xFor(preferred, 1)}};
        for (int steps = 2; steps <= kLabelSteps; ++steps) {
            places.push_back({other, xFor(other, steps)});
            places.push_back({preferred, xFor(preferred, steps)});
        }
        const Place* closeBeside = nullptr;  // the first place off lines and labels, but with no gap
        const Place* offLabels = nullptr;    // the first place off labels, crossed by some line
        const Place* freeOfOwn = nullptr;
        for (const Place& spot : places) {
            const Rect box = labelBox(spot.h, v, spot.x, yM, label);
            if (ownLineCrosses(k, box)) continue;
            const bool onLabel = onWrittenLabel(box, 0);
            const bool crossed = anyLineCrosses(box);
            if (!onLabel && !crossed && !onWrittenLabel(box, gapPx)) return place(spot.h, v, spot.x, yM, label);
            if (!onLabel && !crossed && !closeBeside) closeBeside = &spot;
            if (!onLabel && !offLabels) offLabels = &spot;
            if (!freeOfOwn) freeOfOwn = &spot;
        }
        for (const Place* best : {closeBeside, offLabels, freeOfOwn})
            if (best) return place(best->h, v, best->x, yM, label);
        place(preferred, v, x, yM, label);
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
                place(HorizontalAlign::Right, v, xr - kEdgeLabelInsetMm, labelY, label);
            else
                sideLabel(k,
                          core::LeadingInt(row.valueText) >= kRecoveryLabelLeftFrom ? HorizontalAlign::Right
                                                                                     : HorizontalAlign::Left,
                          v, kCrossHalfWidthMm, labelY, label);
        } else {
            DrawFilledCircle(s, g, x, y, kDiscRadiusM, 0, width, colour, colour);
            if (options.lengthAtLeftEdge)
                place(HorizontalAlign::Left, VerticalAlign::Bottom, xl + kEdgeLabelInsetMm, y, label);
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
    // Every series is laid out before any is drawn, so that each label can keep off the
    // lines of the others, drawn before it or after.
    const std::vector<RqdStep> rqd = withRqd ? RqdSteps(ctx, xl, xr, options) : std::vector<RqdStep>{};
    const Series recovery = PolylineSeries(ctx, xl, xr, true);
    const Series length = PolylineSeries(ctx, xl, xr, false);
    std::vector<GraphLine> graphLines;
    for (const RqdStep& step : rqd) graphLines.insert(graphLines.end(), step.lines.begin(), step.lines.end());
    AddLinesOf(recovery, graphLines);
    AddLinesOf(length, graphLines);

    // The labels written so far: the RQD labels stand by rule, the others keep off them.
    std::vector<Rect> writtenLabels;
    for (const RqdStep& step : rqd)
        writtenLabels.push_back(LabelBox(ctx, xl, xr, step.h, step.v, step.labelX, step.labelY, step.label));

    DrawRqd(ctx, rqd);
    DrawPolylineSeries(ctx, xl, xr, true, recovery, graphLines, writtenLabels, lineDepth, options);
    DrawPolylineSeries(ctx, xl, xr, false, length, graphLines, writtenLabels, lineDepth, options);
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
