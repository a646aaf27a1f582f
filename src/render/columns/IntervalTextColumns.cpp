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

IntervalTextSpec Spec(int code, TableId table, IntervalKind kind, int textColumn) {
    IntervalTextSpec spec;
    spec.itemCode = code;
    spec.table = table;
    spec.kind = kind;
    spec.textColumn = textColumn;
    return spec;
}

std::vector<IntervalTextSpec> Specs() {
    std::vector<IntervalTextSpec> specs = {
        Spec(1011, TableId::Material, IntervalKind::LayerStyle, 1),   // 地盤材料の工学的分類
        Spec(1025, TableId::Strata, IntervalKind::Interval, 2),       // 地層・岩体区分
        Spec(1026, TableId::Era, IntervalKind::Interval, 2),          // 地質時代区分
        Spec(1023, TableId::Remark, IntervalKind::Point, 1),          // 空欄: the remarks
        Spec(1041, TableId::Crush, IntervalKind::Interval, 2),        // 破砕度
        Spec(1081, TableId::Instrument, IntervalKind::Interval, 2),   // 計測機器
        Spec(1019, TableId::Density, IntervalKind::LayerStyle, 1),    // 相対密度, written as stored
        Spec(1020, TableId::Density, IntervalKind::LayerStyle, 2),    // 相対稠度, written as stored
    };
    IntervalTextSpec colour = Spec(1015, TableId::Layer, IntervalKind::LayerStyle, 3);  // 色調
    colour.boundaryFlagColumn = kLayerFlagsColumn;
    colour.boundaryFlagBit = kColourMergedBit;
    colour.clipToPage = true;
    specs.push_back(colour);
    return specs;
}

}  // namespace

const std::vector<IntervalTextSpec>& IntervalTextSpecs() {
    static const std::vector<IntervalTextSpec> specs = Specs();
    return specs;
}

void RegisterIntervalTextColumns(ColumnRegistry& registry) {
    for (const IntervalTextSpec& spec : IntervalTextSpecs())
        registry.Register(spec.itemCode, [spec](LogContext& ctx, int slot, int) { IntervalTextWalk(ctx, slot, spec); });
}

}  // namespace stracol::render
