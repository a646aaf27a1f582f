#include "render/columns/WaterLevelColumn.h"

#include <cmath>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"

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

// Text positions in line heights above the level (baselines), or metres below it.
constexpr double kValueLines = 0.7;
constexpr double kDateLines = 1.6;
constexpr double kKindLines = 0.8;
constexpr double kKindBelowM = 0.1;        // baseline
constexpr double kKindFurtherBelowM = 0.2; // top

void MarkLine(LogContext& ctx, double x1, double y1, double x2, double y2) {
    DrawLine(ctx.surface, ctx.geometry, x1, y1, x2, y2, 0, ctx.settings.RuleLineWidth, 0);
}

void WriteText(LogContext& ctx, const ColumnPlacement& col, VerticalAlign vertical, double depthM,
               const std::string& text) {
    if (text.empty()) return;
    TextAlignScope align(ctx.surface, TextAlign{col.align, vertical});
    TextAt(ctx.surface, ctx.geometry, col.anchorMm, depthM, text);
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
    for (int row = 1; row <= rows; ++row) {
        // A row without a level (not measured) has nowhere to stand.
        if (core::IsNumericStart(table.Cell(row, kLevelColumn)) != 1) continue;
        // The stored level is negative below the ground; u is the depth of the water surface.
        const double u = -core::LeadingReal(table.Cell(row, kLevelColumn)) + 0.0;
        if (!std::isfinite(u) || u < -kHighestWaterLevelM) continue;
        const int flags = core::LeadingInt(table.Cell(row, kFlagsColumn));
        if (flags & kMarkBit) {
            DrawMark(ctx, xs, u);
            WriteText(ctx, col, VerticalAlign::Baseline, u - kValueLines * h, WaterLevelText(u));
        }
        if (flags & kDateBit) WriteText(ctx, col, VerticalAlign::Baseline, u - kDateLines * h, table.Cell(row, kDateColumn));
        const std::string& kind = table.Cell(row, kKindColumn);
        if (flags & kKindBelowBit) WriteText(ctx, col, VerticalAlign::Baseline, u + kKindBelowM, kind);
        else if (flags & kKindFurtherBelowBit) WriteText(ctx, col, VerticalAlign::Top, u + kKindFurtherBelowM, kind);
        // Above the line the kind would stand a tenth of a line over the level value, so the
        // two texts overprint; with the value shown it goes under the symbol instead.
        else if (flags & kMarkBit) WriteText(ctx, col, VerticalAlign::Top, u + kKindFurtherBelowM, kind);
        else WriteText(ctx, col, VerticalAlign::Baseline, u - kKindLines * h, kind);
    }
}

void RegisterWaterLevelColumn(ColumnRegistry& registry) { registry.Register(kWaterLevelItem, WaterLevelRenderer); }

}  // namespace stracol::render
