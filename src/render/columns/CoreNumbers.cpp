#include "render/columns/CoreNumbers.h"

#include "render/ColumnRegistry.h"

namespace stracol::render {

namespace {

IntervalTextDef RunDef(int itemCode, borehole::TableId table, int valueColumn, int otherColumn = -1) {
    IntervalTextDef def;
    def.itemCode = itemCode;
    def.table = table;
    def.kind = IntervalKind::LayerStyle;
    def.textColumn = valueColumn;
    def.otherTextColumn = otherColumn;
    return def;
}

}  // namespace

const std::vector<IntervalTextDef>& CoreNumberDefs() {
    using borehole::TableId;
    static const std::vector<IntervalTextDef> defs = {
        RunDef(1037, TableId::Recovery, 1),    // recovery, %
        // The maximum core length and the RQD share their table, each at its own depths.
        RunDef(1038, TableId::CoreLength, 1, 2),  // maximum core length, cm
        RunDef(1039, TableId::CoreLength, 2, 1),  // RQD, %
        RunDef(1040, TableId::CoreMass, 1),    // core mass, kg
    };
    return defs;
}

void RegisterCoreNumbers(ColumnRegistry& registry) {
    for (const IntervalTextDef& def : CoreNumberDefs())
        registry.Register(def.itemCode, [def](LogContext& ctx, int slot, int) { IntervalTextWalk(ctx, slot, def); });
}

}  // namespace stracol::render
