#include "render/columns/SoilColumn.h"

#include <string>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "geology/NameTable.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/Primitives.h"
#include "render/columns/BoundaryColumns.h"
#include "render/columns/Elevation.h"
#include "render/columns/PatternDrawing.h"
#include "render/columns/SoilColumnFaults.h"
#include "render/columns/SoilColumnName.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// Kind 1 of the name table: the bitmap numbers (field 4 of a master row).
constexpr int kBitmapNumberKind = 1;
// A two-name layer without a usable share splits in the middle.
constexpr int kDefaultShare = 50;

void RuleAcross(LogContext& ctx, double xlMm, double xrMm, double depthM) {
    DrawLine(ctx.surface, ctx.geometry, xlMm, depthM, xrMm, depthM, 0, ctx.settings.RuleLineWidth, 0);
}

void PatternColumnRenderer(LogContext& ctx, int slot, int /*subMode*/) {
    DrawSoilPatternColumn(ctx, slot, ctx.bitmapNames ? *ctx.bitmapNames : DefaultBitmapNames());
}

void NameColumnRenderer(LogContext& ctx, int slot, int /*subMode*/) {
    DrawSoilNameColumn(ctx, slot, ctx.bitmapNames ? *ctx.bitmapNames : DefaultBitmapNames());
}

}  // namespace

int NameShare(std::string_view shareText) {
    const int share = core::LeadingInt(shareText);
    return share >= 1 && share <= 99 ? share : kDefaultShare;
}

const geology::NameTable& DefaultBitmapNames() {
    static const geology::NameTable table = geology::BuiltInNameTable(kBitmapNumberKind);
    return table;
}

void SoilPatternCells(LogContext& ctx, int slot, const geology::NameTable& bitmapNames) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const PatternSettings settings = PatternSettingsFrom(ctx.settings, ctx.patternFolder);
    const borehole::DepthTable& layers = ctx.record.Table(TableId::Layer);
    PatternCell cell;
    cell.x1Mm = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    cell.x2Mm = ctx.columns.edges[static_cast<std::size_t>(slot)];
    cell.pageStartM = ctx.pageStart;
    cell.pageEndM = ctx.pageEnd;

    double top = 0.0;
    const int rows = layers.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const double bottom = core::LeadingReal(layers.Cell(row, soil::kBottomColumn));
        cell.topM = top;
        cell.bottomM = bottom;
        const bool hasPattern = DrawLayerPatterns(ctx.surface, ctx.geometry, ctx.patternColours, settings,
                                                  ctx.record, row, bitmapNames, cell);
        // A row with neither pattern nor name does not close its cell.
        if (hasPattern || !layers.Cell(row, soil::kName1Column).empty()) top = bottom;
    }
}

void SoilPatternBoundaries(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const borehole::DepthTable& layers = ctx.record.Table(TableId::Layer);
    const int rows = layers.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(layers.Cell(row, soil::kBottomColumn));
        if (d < ctx.pageStart) continue;
        if (d > ctx.pageEnd) break;
        const int flags = core::LeadingInt(layers.Cell(row, soil::kFlagsColumn));
        if (!layers.Cell(row, soil::kName2Column).empty()) {
            const double split = xl + NameShare(layers.Cell(row, soil::kShareColumn)) * (xr - xl) * 0.01;
            if (flags & soil::kPatternBoundaryBit) RuleAcross(ctx, xl, split, d);
            if (flags & soil::kPattern2BoundaryBit) RuleAcross(ctx, split, xr, d);
        } else if (flags & soil::kPatternBoundaryBit) {
            RuleAcross(ctx, xl, xr, d);
        }
    }
}

void DrawSoilPatternColumn(LogContext& ctx, int slot, const geology::NameTable& bitmapNames) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    SoilPatternCells(ctx, slot, bitmapNames);
    SoilPatternBoundaries(ctx, slot);
    FaultZonePass(ctx, ctx.columns.edges[static_cast<std::size_t>(slot - 1)],
                  ctx.columns.edges[static_cast<std::size_t>(slot)]);
    FaultDepthPass(ctx, DrawnColumnSlot(ctx, kDepthItem), DrawnColumnSlot(ctx, kElevationItem),
                   ElevationInputsOf(ctx.record, ctx.heading));
}

void RegisterSoilColumns(ColumnRegistry& registry) {
    for (int code : kSoilPatternItems) registry.Register(code, PatternColumnRenderer);
    for (int code : kSoilNameItems) registry.Register(code, NameColumnRenderer);
}

}  // namespace stracol::render
