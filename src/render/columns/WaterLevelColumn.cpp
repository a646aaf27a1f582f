#include "render/columns/WaterLevelColumn.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/TextFit.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// WaterTable columns.
constexpr int kLevelColumn = 0;
constexpr int kDateColumn = 1;
constexpr int kKindColumn = 2;
constexpr int kFlagsColumn = 3;
// Flag bits.
constexpr int kMarkBit = 1;
constexpr int kDateBit = 2;
constexpr int kKindBelowBit = 8;
constexpr int kKindFurtherBelowBit = 16;

// The mark ▽ (x mm, y m): the triangle's half width and height, then the three lines under
// its tip, each shorter and lower.
constexpr double kTriangleHalfWidthMm = 0.8;
constexpr double kTriangleHeightM = 0.16;
constexpr double kGroundHalfWidthMm[] = {1.6, 0.8, 0.2};
constexpr double kGroundOffsetM[] = {0.0, 0.04, 0.08};
// Texts of other levels keep this far off a mark (m).
constexpr double kMarkClearanceM = 0.02;

// Text positions in line heights above the level (baselines), or metres below it.
constexpr double kValueLines = 0.7;
constexpr double kDateLines = 1.6;
constexpr double kKindLines = 0.8;
constexpr double kKindBelowM = 0.1;        // baseline
constexpr double kKindFurtherBelowM = 0.2; // top
// A page starting this near depth 0 is the first page.
constexpr double kFirstPageStartM = 0.01;

void MarkLine(LogContext& ctx, double x1, double y1, double x2, double y2) {
    DrawLine(ctx.surface, ctx.geometry, x1, y1, x2, y2, 0, ctx.settings.RuleLineWidth, 0);
}

void WriteText(LogContext& ctx, const ColumnPlacement& col, VerticalAlign vertical, double depthM,
               const std::string& text) {
    if (text.empty()) return;
    TextAlignScope align(ctx.surface, TextAlign{col.align, vertical});
    ColumnTextAt(ctx, col.leftMm, col.rightMm, col.anchorMm, depthM, text);
}

// The x of the mark: a quarter in from the aligned edge, or the anchor of a centred column.
double MarkX(const ColumnPlacement& col) {
    switch (col.align) {
        case HorizontalAlign::Left: return 0.75 * col.leftMm + 0.25 * col.rightMm;
        case HorizontalAlign::Right: return 0.25 * col.leftMm + 0.75 * col.rightMm;
        case HorizontalAlign::Centre: break;
    }
    return col.anchorMm;
}

void DrawMark(LogContext& ctx, double xs, double u) {
    const double top = u - kTriangleHeightM;
    MarkLine(ctx, xs, u, xs - kTriangleHalfWidthMm, top);
    MarkLine(ctx, xs, u, xs + kTriangleHalfWidthMm, top);
    MarkLine(ctx, xs - kTriangleHalfWidthMm, top, xs + kTriangleHalfWidthMm, top);
    for (int k = 0; k < 3; ++k) {
        const double y = u + kGroundOffsetM[k];
        MarkLine(ctx, xs - kGroundHalfWidthMm[k], y, xs + kGroundHalfWidthMm[k], y);
    }
}

void WaterLevelRenderer(LogContext& ctx, int slot, int /*subMode*/) { DrawWaterLevelColumn(ctx, slot); }

}  // namespace

std::string WaterLevelText(double depthM) {
    if (depthM >= 0) return core::Sprintf("%4.2f", depthM + 0.0);  // + 0.0: never "-0.00"
    return core::Sprintf("%+4.2f", -depthM);
}

void DrawWaterLevelColumn(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const double h = ColumnMetrics(ctx).lineDepth;
    const double xs = MarkX(col);
    const borehole::DepthTable& table = ctx.record.Table(TableId::Water);
    const int rows = table.RowCount();

    // Each level's texts as one block: where they stand by themselves, and the lines they take
    // when a block of a nearby level is in the way.
    struct Level {
        double u = 0;
        std::string value;
        int flags = 0;
        std::string date;
        std::string kind;
        double defaultTop = 0;
        double defaultBottom = 0;
    };
    std::vector<Level> levels;
    for (int row = 1; row <= rows; ++row) {
        // A row without a level (not measured) has nowhere to stand.
        if (core::IsNumericStart(table.Cell(row, kLevelColumn)) != 1) continue;
        // A measurement given twice (the same level, date, kind and flags) is drawn once: its
        // copy would only stand apart from the mark, as if it were another level's.
        bool repeated = false;
        for (int earlier = 1; earlier < row && !repeated; ++earlier) {
            repeated = true;
            for (int column : {kLevelColumn, kDateColumn, kKindColumn, kFlagsColumn})
                repeated = repeated && table.Cell(earlier, column) == table.Cell(row, column);
        }
        if (repeated) continue;
        // The stored level is negative below the ground; u is the depth of the water surface.
        const double u = -core::LeadingReal(table.Cell(row, kLevelColumn)) + 0.0;
        if (!std::isfinite(u) || u < -kHighestWaterLevelM) continue;
        Level level;
        // A level above the ground is marked at the ground itself, its value (with its plus
        // sign) saying how high it stands: above the ground lie the column headers.
        level.u = u < 0 && ctx.pageStart <= kFirstPageStartM ? 0.0 : u;
        level.value = WaterLevelText(u);
        level.flags = core::LeadingInt(table.Cell(row, kFlagsColumn));
        level.date = level.flags & kDateBit ? table.Cell(row, kDateColumn) : std::string();
        level.kind = table.Cell(row, kKindColumn);
        const double at = level.u;
        // Baselines carry 0.8 of a line above them and 0.2 below.
        double top = at - kValueLines * h - 0.8 * h;
        double bottom = at - kValueLines * h + 0.2 * h;
        if (!level.date.empty()) top = std::min(top, at - kDateLines * h - 0.8 * h);
        if (!(level.flags & kMarkBit)) bottom = level.date.empty() ? at : at - kDateLines * h + 0.2 * h;
        if (!level.kind.empty()) {
            if (level.flags & kKindBelowBit) bottom = std::max(bottom, at + kKindBelowM + 0.2 * h);
            else if ((level.flags & kKindFurtherBelowBit) || (level.flags & kMarkBit))
                bottom = std::max(bottom, at + kKindFurtherBelowM + h);
            else top = std::min(top, at - kKindLines * h - 0.8 * h);
        }
        level.defaultTop = top;
        level.defaultBottom = bottom;
        levels.push_back(level);
    }
    std::stable_sort(levels.begin(), levels.end(), [](const Level& a, const Level& b) { return a.u < b.u; });

    // The marks stand where their levels are; texts keep off every mark but their own.
    struct Band {
        double top;
        double bottom;
    };
    std::vector<Band> marks;
    for (const Level& level : levels)
        if (level.flags & kMarkBit)
            marks.push_back({level.u - kTriangleHeightM - kMarkClearanceM, level.u + kGroundOffsetM[2] + kMarkClearanceM});
    auto crossesMark = [&](double top, double bottom, double ownU) {
        for (const Band& m : marks)
            if (top < m.bottom && bottom > m.top && !(ownU >= m.top && ownU <= m.bottom)) return true;
        return false;
    };
    auto belowMarks = [&](double top) {
        for (bool moved = true; moved;) {
            moved = false;
            for (const Band& m : marks) {
                if (top < m.bottom && top + h > m.top) {
                    top = m.bottom;
                    moved = true;
                }
            }
        }
        return top;
    };

    // Texts of levels below the ground stay below the top of the page's depth part.
    const double ceiling = ctx.pageStart;
    double occupied = -1e300;  // the bottom of the texts written so far
    for (const Level& level : levels) {
        if (level.flags & kMarkBit) DrawMark(ctx, xs, level.u);
        const double floorTop = level.u >= ceiling ? ceiling : -1e300;
        if (level.defaultTop >= occupied - 1e-9 && level.defaultTop >= floorTop - 1e-9 &&
            !crossesMark(level.defaultTop, level.defaultBottom, level.u)) {
            if (level.flags & kMarkBit)
                WriteText(ctx, col, VerticalAlign::Baseline, level.u - kValueLines * h, level.value);
            if (!level.date.empty()) WriteText(ctx, col, VerticalAlign::Baseline, level.u - kDateLines * h, level.date);
            const std::string& kind = level.kind;
            if (level.flags & kKindBelowBit) WriteText(ctx, col, VerticalAlign::Baseline, level.u + kKindBelowM, kind);
            else if (level.flags & kKindFurtherBelowBit)
                WriteText(ctx, col, VerticalAlign::Top, level.u + kKindFurtherBelowM, kind);
            // Above the line the kind would stand a tenth of a line over the level value, so
            // the two texts overprint; with the value shown it goes under the symbol instead.
            else if (level.flags & kMarkBit) WriteText(ctx, col, VerticalAlign::Top, level.u + kKindFurtherBelowM, kind);
            else WriteText(ctx, col, VerticalAlign::Baseline, level.u - kKindLines * h, kind);
            occupied = std::max(occupied, level.defaultBottom);
            continue;
        }
        // In the way of the level above (or of the page top): date, value and kind one line
        // each, from the first free line down.
        // Date and value share one line when the column holds them both there (set narrower or
        // smaller as a text may be), so that crowded levels keep near their marks; a full-width
        // space keeps them apart however narrow they are set. Else one line each.
        const std::string value = level.flags & kMarkBit ? level.value : std::string();
        double top = std::max({occupied, floorTop, level.defaultTop});
        std::vector<std::string> lines;
        if (!level.date.empty() && !value.empty()) {
            const std::string joined = level.date + "　" + value;
            const Rect room = CellRoom(ctx, col.leftMm, col.rightMm, top, top);
            const FittedText fitted = FitText(ctx.surface, joined, TextRoom{room.Width(), 0});
            if (fitted.fits && fitted.lines.size() == 1) lines.push_back(joined);
            else lines = {level.date, value};
        } else {
            for (const std::string* text : {&level.date, &value})
                if (!text->empty()) lines.push_back(*text);
        }
        if (!level.kind.empty()) lines.push_back(level.kind);
        for (const std::string& line : lines) {
            top = belowMarks(top);
            WriteText(ctx, col, VerticalAlign::Top, top, line);
            top += h;
        }
        occupied = std::max(occupied, top);
    }
}

void RegisterWaterLevelColumn(ColumnRegistry& registry) { registry.Register(kWaterLevelItem, WaterLevelRenderer); }

}  // namespace stracol::render
