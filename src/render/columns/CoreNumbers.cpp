#include "render/columns/CoreNumbers.h"

#include "render/ColumnRegistry.h"

namespace stracol::render {

namespace {

IntervalTextSpec RunSpec(int itemCode, borehole::TableId table, int valueColumn) {
    IntervalTextSpec spec;
    spec.itemCode = itemCode;
    spec.table = table;
    spec.kind = IntervalKind::LayerStyle;
    spec.textColumn = valueColumn;
    return spec;
}

}  // namespace

const std::vector<IntervalTextSpec>& CoreNumberSpecs() {
    using borehole::TableId;
    static const std::vector<IntervalTextSpec> specs = {
        RunSpec(1037, TableId::Recovery, 1),    // recovery, %
        RunSpec(1038, TableId::CoreLength, 1),  // maximum core length, cm
        RunSpec(1039, TableId::CoreLength, 2),  // RQD, %
        RunSpec(1040, TableId::CoreMass, 1),    // core mass, kg
    };
    return specs;
}

void RegisterCoreNumbers(ColumnRegistry& registry) {
    for (const IntervalTextSpec& spec : CoreNumberSpecs())
        registry.Register(spec.itemCode, [spec](LogContext& ctx, int slot, int) { IntervalTextWalk(ctx, slot, spec); });
}

}  // namespace stracol::render
