#include "render/columns/CoreNumbers.h"

#include "borehole/BoreholeRecord.h"
#include "render/ColumnRegistry.h"

namespace stracol::render {

namespace {

IntervalTextDef RunDef(int itemCode, borehole::TableId table, int valueColumn, int ownRowFlag = 0) {
    IntervalTextDef def;
    def.itemCode = itemCode;
    def.table = table;
    def.kind = IntervalKind::LayerStyle;
    def.textColumn = valueColumn;
    def.ownRowFlag = ownRowFlag;
    return def;
}

}  // namespace

const std::vector<IntervalTextDef>& CoreNumberDefs() {
    using borehole::TableId;
    static const std::vector<IntervalTextDef> defs = {
        RunDef(1037, TableId::Recovery, 1),    // recovery, %
        // The maximum core length shares its table with the RQD, each at its own depths: its
        // runs end at its own rows only. (An RQD of one-metre runs keeps every row: a row of the
        // core length only is a run without an RQD.)
        RunDef(1038, TableId::CoreLength, 1, borehole::kCoreLengthRecordFlag),  // maximum core length, cm
        RunDef(1039, TableId::CoreLength, 2),                         // RQD, %
        RunDef(1040, TableId::CoreMass, 1),    // core mass, kg
    };
    return defs;
}

void RegisterCoreNumbers(ColumnRegistry& registry) {
    for (const IntervalTextDef& def : CoreNumberDefs())
        registry.Register(def.itemCode, [def](LogContext& ctx, int slot, int) { IntervalTextWalk(ctx, slot, def); });
}

}  // namespace stracol::render
