#include "render/columns/MiscColumns.h"

#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/columns/RockPropertyColumns.h"

namespace stracol::render {

namespace {

using borehole::TableId;

constexpr int kHardnessConsistencyItem = 1042;
constexpr int kAuxTextItem = 1047;
// DensityTable column 2: the relative consistency ("rc1" … "rc5").
constexpr int kConsistencyColumn = 2;
// PropertyTable column 3: the hardness symbol.
constexpr int kHardnessColumn = 3;
// AuxTableC column 1: the text of the row.
constexpr int kAuxTextColumn = 1;

IntervalTextDef ConsistencyDef() {
    IntervalTextDef def;
    def.itemCode = kHardnessConsistencyItem;
    def.table = TableId::Density;
    def.kind = IntervalKind::LayerStyle;
    def.textColumn = kConsistencyColumn;
    return def;
}

IntervalTextDef AuxTextDef() {
    IntervalTextDef def;
    def.itemCode = kAuxTextItem;
    def.table = TableId::AuxC;
    def.kind = IntervalKind::Point;
    def.textColumn = kAuxTextColumn;
    return def;
}

}  // namespace

void DrawHardnessConsistencyColumn(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    // Soil layers carry a consistency, rock records a hardness; a log with both shows each
    // at its own depths.
    IntervalTextWalk(ctx, slot, ConsistencyDef());
    DrawPropertyColumn(ctx, slot, kHardnessColumn, kHardnessConsistencyItem);
}

void DrawAuxTextColumn(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    IntervalTextWalk(ctx, slot, AuxTextDef());
}

void RegisterMiscColumns(ColumnRegistry& registry) {
    registry.Register(kHardnessConsistencyItem,
                      [](LogContext& ctx, int slot, int) { DrawHardnessConsistencyColumn(ctx, slot); });
    registry.Register(kAuxTextItem, [](LogContext& ctx, int slot, int) { DrawAuxTextColumn(ctx, slot); });
}

}  // namespace stracol::render
