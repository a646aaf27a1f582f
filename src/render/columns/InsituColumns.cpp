#include "render/columns/InsituColumns.h"

#include <algorithm>
#include <string>
#include <vector>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/PageGeometry.h"
#include "render/Primitives.h"
#include "render/TextFit.h"
#include "render/columns/PatternDrawing.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// InsituTable columns.
constexpr int kUpperColumn = 0;
constexpr int kLowerColumn = 1;
constexpr int kNameColumn = 2;
constexpr int kResultColumn = 3;
constexpr int kFillColumn = 4;
constexpr int kFlagColumn = 7;

// Flag bits: lines and the lower depth of the depth column, lines of the text columns.
constexpr int kDepthUpperLineBit = 1;
constexpr int kDepthLowerLineBit = 16;
constexpr int kDepthLowerTextBit = 32;
constexpr int kTextUpperLineBit = 4;
constexpr int kTextLowerLineBit = 64;

constexpr int kDepthsItem = 3201;
constexpr int kGraphItem = 3203;
// The fill of the graph column stops this far inside the column's right edge (mm).
constexpr double kGraphRightInsetMm = 0.1;
// The result of mode 3 starts this far inside the left edge (mm).
constexpr double kResultInsetMm = 0.2;
// Depths closer than this are one depth (m).
constexpr double kSameDepthM = 1e-6;

// One test: its depths and cells.
struct InsituRow {
    int row = 0;
    double u = 0;
    double w = 0;
    int flags = 0;
};

// The tests in use: rows from 1 until the first upper depth that is not a number; rows whose
// lower depth is not a number are left out.
template <typename Visit>
void ForEachTest(const LogContext& ctx, Visit visit) {
    const borehole::DepthTable& table = ctx.record.Table(TableId::Insitu);
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const std::string& lower = table.Cell(row, kLowerColumn);
        if (core::IsNumericStart(lower) != 1) continue;
        visit(InsituRow{row, core::LeadingReal(table.Cell(row, kUpperColumn)), core::LeadingReal(lower),
                        core::LeadingInt(table.Cell(row, kFlagColumn))});
    }
}

// The page clip for the life of the object (the depth part calls these columns unclipped).
class PageClip {
public:
    explicit PageClip(LogContext& ctx) : m_ctx(ctx) { ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart)); }
    ~PageClip() { m_ctx.surface.ClearClip(); }
    PageClip(const PageClip&) = delete;
    PageClip& operator=(const PageClip&) = delete;

private:
    LogContext& m_ctx;
};

void RuleAcross(LogContext& ctx, const ColumnPlacement& col, double depth) {
    DrawLine(ctx.surface, ctx.geometry, col.leftMm, depth, col.rightMm, depth, 0, ctx.settings.RuleLineWidth, 0);
}

// Where one line of text stands in the cell t … b by the vertical part of a placement code,
// as the cell placement puts a one-line text: top codes at t, middle codes centred (at t in a
// cell lower than a line), the others with the bottom on b (the baseline in a low cell).
struct LinePlace {
    VerticalAlign align = VerticalAlign::Bottom;
    double y = 0;
};
LinePlace OneLinePlace(int code, double t, double b, double h) {
    switch (code) {
        case 7: case 8: case 9: case 11: case 21: case 31:
            return LinePlace{VerticalAlign::Top, t};
        case 4: case 5: case 6: case 12: case 15: case 22:
            return LinePlace{VerticalAlign::Top, b - t < h ? t : (t + b) / 2 - h / 2};
        case 1: case 2: case 3: case 13: case 23:
            return LinePlace{b - t < h ? VerticalAlign::Baseline : VerticalAlign::Bottom, b};
        default:
            return LinePlace{VerticalAlign::Bottom, b};
    }
}

// Narrows the slot's column to start at leftMm for the life of the object, so that the cell
// placement puts a text in the right part of the column.
class NarrowedColumn {
public:
    NarrowedColumn(LogContext& ctx, int slot, double leftMm)
        : m_edge(ctx.columns.edges[static_cast<std::size_t>(slot - 1)]), m_saved(m_edge) {
        m_edge = leftMm;
    }
    ~NarrowedColumn() { m_edge = m_saved; }
    NarrowedColumn(const NarrowedColumn&) = delete;
    NarrowedColumn& operator=(const NarrowedColumn&) = delete;

private:
    double& m_edge;
    double m_saved;
};

}  // namespace

long InsituFillPattern(std::string_view fillKindCell) {
    if (core::IsNumericStart(fillKindCell) != 1) return 0;
    switch (core::LeadingInt(fillKindCell)) {
        case 1: return 20001;
        case 2: return 20002;
        case 3: return 20100;
        default: return 0;
    }
}

void DrawInsituDepths(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    PageClip clip(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const CellMetrics m = ColumnMetrics(ctx);
    ForEachTest(ctx, [&](const InsituRow& r) {
        if (r.flags & kDepthUpperLineBit) RuleAcross(ctx, col, r.u);
        PlaceCellText(ctx, 0, slot, r.u, r.u, r.w, kExplicitBottom, m.charWidthMm, m.lineDepth,
                      core::Sprintf("%5.2f", r.u));
        if (r.flags & kDepthLowerLineBit) RuleAcross(ctx, col, r.w);
        if (r.flags & kDepthLowerTextBit)
            PlaceCellText(ctx, 0, slot, r.u, 0.0, r.w, kUseSlotPlacement, m.charWidthMm, m.lineDepth,
                          core::Sprintf("%5.2f", r.w));
    });
}

void DrawInsituText(LogContext& ctx, int slot, int mode) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    if (mode < static_cast<int>(InsituColumnMode::TestName) || mode > static_cast<int>(InsituColumnMode::ResultAndName))
        return;
    PageClip clip(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const CellMetrics m = ColumnMetrics(ctx);
    const borehole::DepthTable& table = ctx.record.Table(TableId::Insitu);
    // The upper depths of the tests, for the room a test at one depth has down to the next.
    std::vector<double> uppers;
    ForEachTest(ctx, [&](const InsituRow& r) { uppers.push_back(r.u); });
    std::sort(uppers.begin(), uppers.end());
    auto roomBottom = [&](const InsituRow& r) {
        const auto next = std::upper_bound(uppers.begin(), uppers.end(), r.u + kSameDepthM);
        return next == uppers.end() ? std::max(r.w, ctx.pageEnd) : std::max(r.w, *next);
    };
    ForEachTest(ctx, [&](const InsituRow& r) {
        const std::string& name = table.Cell(r.row, kNameColumn);
        const std::string& result = table.Cell(r.row, kResultColumn);
        double used = r.w;
        // A test at one depth has no cell of its own: its texts may take the room down to the
        // next test, so that they are neither cut (a result "1.97E+04" read as "1.97E") nor
        // run on over the next test and push it below its depth.
        if (mode == static_cast<int>(InsituColumnMode::ResultAndName)) {
            const PageGeometry& g = ctx.geometry;
            const bool hasResult = !core::TrimBlanks(result).empty();
            const bool hasName = !core::TrimBlanks(name).empty();
            // Whether the result and the name fit side by side on the test's line, each set as
            // narrow as a text may be.
            const int columnPx = MmToX(g, col.rightMm) - MmToX(g, col.leftMm);
            const int besidePx = (ctx.surface.MeasureText(result).width + ctx.surface.MeasureText(name).width) *
                                     kMinTextWidthPercent / 100 +
                                 MmToX(g, kResultInsetMm + m.charWidthMm / 4) - MmToX(g, 0.0);
            if (hasResult && hasName && besidePx > columnPx) {
                // A test whose result and name do not fit beside each other (at one depth, or
                // over an interval, where the result would be cut to the left part of the
                // line: "k=5.32E-4m/s" read as "k=5.3"): the result on the test's line across
                // the whole column, the name under it, both fitted into the room before the next
                // test's line (so that neither is cut nor pushes the next test below its depth).
                const double end = std::max(r.u, roomBottom(r) - m.lineDepth);
                Rect drawn;
                {
                    TextAlignScope align(ctx.surface, TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom});
                    // A result too long for the line even set small goes on below it.
                    drawn = ColumnTextAt(ctx, col.leftMm, col.rightMm, col.leftMm + kResultInsetMm, r.u, result,
                                         r.u - m.lineDepth, std::max(r.u, end));
                }
                const double nameTop = std::max(r.u, drawn.bottom > drawn.top ? YToDepth(g, drawn.bottom) : r.u);
                TextAlignScope align(ctx.surface, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
                const Rect named = ColumnTextAt(ctx, col.leftMm, col.rightMm, col.leftMm + kResultInsetMm, nameTop,
                                                name, nameTop, std::max(nameTop, end));
                // A test over an interval whose name runs on below it: the interval's lower line
                // bends below the name instead of running through it.
                if (r.w > r.u + kSameDepthM && named.bottom > named.top)
                    used = std::max(r.w, YToDepth(g, named.bottom));
            } else {
                // The result takes the left part of the column as wide as it is (and half a
                // character of space); the test name is placed in the rest.
                // With a name beside it, the result keeps to the left part of the column,
                // leaving at least one character's width for the name.
                double split = col.leftMm;
                if (hasResult) {
                    const LinePlace place = OneLinePlace(col.placementCode, r.u, r.w, m.lineDepth);
                    const double limit = !hasName ? col.rightMm
                                                  : std::max(col.leftMm + kResultInsetMm,
                                                             col.rightMm - m.charWidthMm - kResultInsetMm);
                    Rect drawn;
                    {
                        TextAlignScope align(ctx.surface, TextAlign{HorizontalAlign::Left, place.align});
                        drawn = ColumnTextAt(ctx, col.leftMm, limit, col.leftMm + kResultInsetMm, place.y, result);
                    }
                    const double widthMm = g.xFactor > 0 ? drawn.Width() / g.xFactor : 0;
                    split = std::min(col.leftMm + kResultInsetMm + widthMm + m.charWidthMm / 4, limit);
                }
                NarrowedColumn narrowed(ctx, slot, split);
                used = PlaceCellText(ctx, 0, slot, r.u, 0.0, r.w, kUseSlotPlacement, m.charWidthMm, m.lineDepth, name);
            }
        } else {
            const std::string& text = mode == static_cast<int>(InsituColumnMode::TestName) ? name : result;
            used = PlaceCellText(ctx, 0, slot, r.u, 0.0, r.w, kUseSlotPlacement, m.charWidthMm, m.lineDepth, text);
        }
        if (r.flags & kTextUpperLineBit) RuleAcross(ctx, col, r.u);
        if (r.flags & kTextLowerLineBit)
            BoundaryLine(ctx, col.leftMm, col.rightMm, r.w, used, r.w, kBoundaryInsetMm, ctx.settings.RuleLineWidth);
    });
}

void DrawInsituGraph(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const PatternSettings patterns = PatternSettingsFrom(ctx.settings, ctx.patternFolder);
    const borehole::DepthTable& table = ctx.record.Table(TableId::Insitu);
    const PageGeometry& g = ctx.geometry;
    const Rect pageWindow = PageWindowRect(ctx, ctx.pageStart);
    ForEachTest(ctx, [&](const InsituRow& r) {
        const long pattern = InsituFillPattern(table.Cell(r.row, kFillColumn));
        if (!(r.w > r.u) || pattern == 0) return;
        const double top = std::max(r.u, ctx.pageStart);
        const double bottom = std::min(r.w, ctx.pageEnd);
        const double right = col.rightMm - kGraphRightInsetMm;
        if (top < bottom) {
            ctx.surface.SetClipRect(Rect{MmToX(g, col.leftMm), DepthToY(g, top), MmToX(g, right), DepthToY(g, bottom)});
            DrawPattern(ctx.surface, g, pattern, col.leftMm, top, right, bottom, 1.0, patterns.lineWidth,
                        PatternColour(ctx.patternColours, pattern, patterns.blackMode), false);
        }
        ctx.surface.SetClipRect(pageWindow);
        if (ctx.pageStart < r.u && r.u < ctx.pageEnd) RuleAcross(ctx, col, r.u);
        if (ctx.pageStart < r.w && r.w < ctx.pageEnd) RuleAcross(ctx, col, r.w);
    });
    ctx.surface.ClearClip();
}

void RegisterInsituColumns(ColumnRegistry& registry) {
    registry.Register(kDepthsItem, [](LogContext& ctx, int slot, int) { DrawInsituDepths(ctx, slot); });
    registry.Register(kGraphItem, [](LogContext& ctx, int slot, int) { DrawInsituGraph(ctx, slot); });
    const std::pair<int, InsituColumnMode> textItems[] = {
        {3204, InsituColumnMode::TestName}, {1045, InsituColumnMode::TestName},
        {3205, InsituColumnMode::Result},   {1046, InsituColumnMode::Result},
        {3202, InsituColumnMode::ResultAndName}, {1044, InsituColumnMode::ResultAndName},
    };
    // The depth part passes each item's mode; a call without one draws the item's own mode.
    for (const auto& [code, itemMode] : textItems) {
        const int own = static_cast<int>(itemMode);
        registry.Register(code, [own](LogContext& ctx, int slot, int subMode) {
            DrawInsituText(ctx, slot, subMode != 0 ? subMode : own);
        });
    }
}

}  // namespace stracol::render
