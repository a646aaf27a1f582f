#include "render/columns/RockPropertyColumns.h"

#include <string>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// PropertyTable columns.
constexpr int kDepthColumn = 1;
constexpr int kColourToneColumn = 2;
constexpr int kFlagColumn = 9;

constexpr int kColourToneItem = 1030;
// The colour tone's boundary bit and the width of its slants (mm).
constexpr int kColourToneBit = 4;
constexpr double kColourToneInsetMm = 0.5;

struct PropertyItem {
    int itemCode;
    int column;
};
constexpr PropertyItem kPropertyItems[] = {
    {1033, 3}, {1034, 4}, {1035, 5}, {1031, 6}, {1032, 7}, {1036, 8},
};

}  // namespace

int PropertyBoundaryBit(int propertyColumn) {
    if (propertyColumn < kFirstPropertyColumn || propertyColumn > kLastPropertyColumn) return 0;
    return 1 << propertyColumn;
}

int PropertyRowCount(const LogContext& ctx) {
    const borehole::DepthTable& table = ctx.record.Table(TableId::Property);
    int n = 0;
    while (n < table.Capacity() && core::IsNumericStart(table.Cell(n + 1, kDepthColumn)) == 1) ++n;
    return n;
}

void DrawPropertyColumn(LogContext& ctx, int slot, int propertyColumn, int itemCode) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const int bit = PropertyBoundaryBit(propertyColumn);
    if (bit == 0) return;
    const borehole::DepthTable& table = ctx.record.Table(TableId::Property);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const CellMetrics m = ColumnMetrics(ctx);
    const int rows = PropertyRowCount(ctx);
    double carry = 0.0;
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(table.Cell(row, kDepthColumn));
        const std::string& text = table.Cell(row, propertyColumn);
        const bool ruled = (core::LeadingInt(table.Cell(row, kFlagColumn)) & bit) != 0;
        double used = carry;
        if (!text.empty())
            used = PlaceCellText(ctx, itemCode, slot, carry, 0.0, d, kUseSlotPlacement, m.charWidthMm, m.lineDepth, text);
        else if (ruled && carry <= d)
            used = d;
        if (ruled) BoundaryLine(ctx, col.leftMm, col.rightMm, d, used, d, kBoundaryInsetMm, ctx.settings.RuleLineWidth);
        carry = used;
    }
}

void DrawPropertyColourTone(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const borehole::DepthTable& table = ctx.record.Table(TableId::Property);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const CellMetrics m = ColumnMetrics(ctx);
    ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));
    const int rows = PropertyRowCount(ctx);
    double carry = 0.0;
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(table.Cell(row, kDepthColumn));
        const double used = PlaceCellText(ctx, kColourToneItem, slot, carry, 0.0, d, kUseSlotPlacement, m.charWidthMm,
                                          m.lineDepth, table.Cell(row, kColourToneColumn));
        if (core::LeadingInt(table.Cell(row, kFlagColumn)) & kColourToneBit)
            BoundaryLine(ctx, col.leftMm, col.rightMm, d, used, d, kColourToneInsetMm, ctx.settings.RuleLineWidth);
        carry = used;
    }
    ctx.surface.ClearClip();
}

void RegisterRockPropertyColumns(ColumnRegistry& registry) {
    // The depth part passes each item's property column; a call without one draws the item's own.
    for (const PropertyItem& item : kPropertyItems) {
        const PropertyItem own = item;
        registry.Register(item.itemCode, [own](LogContext& ctx, int slot, int subMode) {
            DrawPropertyColumn(ctx, slot, subMode != 0 ? subMode : own.column, own.itemCode);
        });
    }
    registry.Register(kColourToneItem, [](LogContext& ctx, int slot, int) { DrawPropertyColourTone(ctx, slot); });
}

}  // namespace stracol::render
