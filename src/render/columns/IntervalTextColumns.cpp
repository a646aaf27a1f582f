// The interval text columns: one text per depth interval (or per layer, or per point depth)
// of a depth table, placed by the item's data placement, the carry pushing later texts down
// and the boundaries bending where a text overflowed.

#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// LayerTable column 6 holds the layer flags; bit 32 is set where a colour record was merged.
constexpr int kLayerFlagsColumn = 6;
constexpr int kColourMergedBit = 32;

IntervalTextDef Def(int code, TableId table, IntervalKind kind, int textColumn) {
    IntervalTextDef def;
    def.itemCode = code;
    def.table = table;
    def.kind = kind;
    def.textColumn = textColumn;
    return def;
}

std::vector<IntervalTextDef> Defs() {
    std::vector<IntervalTextDef> defs = {
        Def(1011, TableId::Material, IntervalKind::LayerStyle, 1),   // 地盤材料の工学的分類
        Def(1025, TableId::Strata, IntervalKind::Interval, 2),       // 地層・岩体区分
        Def(1026, TableId::Era, IntervalKind::Interval, 2),          // 地質時代区分
        Def(1023, TableId::Remark, IntervalKind::Point, 1),          // 空欄: the remarks
        Def(1041, TableId::Crush, IntervalKind::Interval, 2),        // 破砕度
        Def(1081, TableId::Instrument, IntervalKind::Interval, 2),   // 計測機器
        Def(1019, TableId::Density, IntervalKind::LayerStyle, 1),    // 相対密度, written as stored
        Def(1020, TableId::Density, IntervalKind::LayerStyle, 2),    // 相対稠度, written as stored
    };
    IntervalTextDef colour = Def(1015, TableId::Layer, IntervalKind::LayerStyle, 3);  // 色調
    colour.boundaryFlagColumn = kLayerFlagsColumn;
    colour.boundaryFlagBit = kColourMergedBit;
    colour.clipToPage = true;
    defs.push_back(colour);
    return defs;
}

}  // namespace

const std::vector<IntervalTextDef>& IntervalTextDefs() {
    static const std::vector<IntervalTextDef> defs = Defs();
    return defs;
}

void RegisterIntervalTextColumns(ColumnRegistry& registry) {
    for (const IntervalTextDef& def : IntervalTextDefs())
        registry.Register(def.itemCode, [def](LogContext& ctx, int slot, int) { IntervalTextWalk(ctx, slot, def); });
}

}  // namespace stracol::render
