#include "render/columns/HoleColumns.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/columns/DrillingColumns.h"

namespace stracol::render {

namespace {

// HoleTable: 0 bottom depth, 1 diameter, 2 wall protection, 3 reason, 5 core tube and bit,
// 6 presence flags.
constexpr int kDiameterColumn = 1;
constexpr int kProtectionColumn = 2;
constexpr int kCoreTubeColumn = 5;
constexpr int kFlagsColumn = 6;
constexpr int kMaxHoleRows = 100;
// The core tube column passes its own code so that its automatic placement applies.
constexpr int kCoreTubeItem = 3804;

struct HoleItem {
    int code;
    int subMode;
};
constexpr HoleItem kHoleItems[] = {{3803, 1}, {3701, 2}, {3702, 3}, {3703, 4}, {3804, 6}};

// The HoleTable column of a sub-mode 2-6.
int CellColumn(int subMode) { return subMode == kHoleCoreTube ? kCoreTubeColumn : subMode - 1; }

}  // namespace

int HoleFlagBit(int subMode) {
    switch (subMode) {
        case kHoleDiameter: return 2;
        case kHoleProtection: return 4;
        case kHoleReason: return 8;
        case kHoleCoreTube: return 32;
        default: return 0;
    }
}

void DrawHoleColumn(LogContext& ctx, int slot, int subMode) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    if (subMode != kHoleDiameterAndProtection && HoleFlagBit(subMode) == 0) return;
    const borehole::DepthTable& table = ctx.record.Table(borehole::TableId::Hole);
    const CellMetrics metrics = ColumnMetrics(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const int rule = ctx.settings.RuleLineWidth;
    const int itemCode = subMode == kHoleCoreTube ? kCoreTubeItem : 0;

    double carry = 0.0;
    const int rows = std::min(table.RowCount(), kMaxHoleRows);
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(table.Cell(row, 0));
        if (subMode == kHoleDiameterAndProtection) {
            const std::string& diameter = table.Cell(row, kDiameterColumn);
            const std::string& protection = table.Cell(row, kProtectionColumn);
            if (diameter.empty() && protection.empty()) continue;
            carry = TwoPartCellText(ctx, 0, slot, carry, d, diameter, protection, metrics.charWidthMm,
                                    metrics.lineDepth);
            continue;
        }
        const std::string& cell = table.Cell(row, CellColumn(subMode));
        const bool flagged = (core::LeadingInt(table.Cell(row, kFlagsColumn)) & HoleFlagBit(subMode)) != 0;
        double used = carry;
        if (!cell.empty())
            used = PlaceCellText(ctx, itemCode, slot, carry, 0.0, d, kUseSlotPlacement, metrics.charWidthMm,
                                 metrics.lineDepth, cell);
        else if (flagged)
            used = std::max(carry, d);
        else
            continue;
        if (flagged) BoundaryLine(ctx, col.leftMm, col.rightMm, d, used, d, kBoundaryInsetMm, rule);
        carry = used;
    }
}

void RegisterHoleColumns(ColumnRegistry& registry) {
    for (const HoleItem& item : kHoleItems)
        registry.Register(item.code, [](LogContext& ctx, int slot, int subMode) { DrawHoleColumn(ctx, slot, subMode); });
}

}  // namespace stracol::render
