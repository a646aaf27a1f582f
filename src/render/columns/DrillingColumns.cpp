#include "render/columns/DrillingColumns.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/TextFit.h"
#include "style/LogStyle.h"

namespace stracol::render {

namespace {

// DrillTable: column 0 the depth, 9 the presence flags; 6 the water feed volume and 8 the
// water kind, written together by sub-mode 9.
constexpr int kFlagsColumn = 9;
constexpr int kFeedVolumeColumn = 6;
constexpr int kWaterKindColumn = 8;
// Rows read at most.
constexpr int kMaxDrillRows = 160;
// The tick reaches this many character widths from the aligned edge, or either side of the anchor.
constexpr double kTickEdgeChars = 1.1;
constexpr double kTickCentreChars = 0.6;
// DrillDateFormat: month over day.
constexpr int kMonthOverDay = 1;
// PressureDecimals: formatted to one decimal.
constexpr int kPressureOneDecimal = 1;
// A drilling record holds the values reached at its depth: a value whose room (from the text
// above) reaches into an earlier page is written at that depth only, not again at the foot of
// the earlier page, where it would read as the record of another depth.
constexpr bool kDrillValueAtItsDepth = false;

struct DrillItem {
    int code;
    int subMode;
};
constexpr DrillItem kDrillItems[] = {
    {1090, 1}, {3801, 1}, {3802, 2}, {3805, 3}, {3806, 4}, {3807, 5}, {3808, 6}, {3809, 7}, {3810, 8}, {3811, 9},
};

// Month over day at the boundary d: the month on the line above, a short rule, the day on
// the boundary line.
void MonthOverDay(LogContext& ctx, const ColumnPlacement& col, const TickSpan& tick, double d, double lineDepth,
                  std::string_view month, std::string_view day) {
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    {
        TextAlignScope align(s, TextAlign{col.align, VerticalAlign::Bottom});
        ColumnTextAt(ctx, col.leftMm, col.rightMm, col.anchorMm, d - lineDepth, month);
        ColumnTextAt(ctx, col.leftMm, col.rightMm, col.anchorMm, d, day);
    }
    DrawLine(s, g, tick.leftMm, d - lineDepth, tick.rightMm, d - lineDepth, 0, ctx.settings.RuleLineWidth, 0);
}

}  // namespace

int DrillFlagBit(int subMode) { return subMode >= 1 && subMode <= 8 ? 1 << (subMode - 1) : 0; }

TickSpan DrillTickSpan(HorizontalAlign align, double xlMm, double xrMm, double anchorMm, double charWidthMm) {
    switch (align) {
        case HorizontalAlign::Left: return {xlMm, std::min(xlMm + kTickEdgeChars * charWidthMm, xrMm)};
        case HorizontalAlign::Right: return {std::max(xlMm, xrMm - kTickEdgeChars * charWidthMm), xrMm};
        case HorizontalAlign::Centre: break;
    }
    return {std::max(xlMm, anchorMm - kTickCentreChars * charWidthMm),
            std::min(anchorMm + kTickCentreChars * charWidthMm, xrMm)};
}

std::string DrillCellText(int subMode, std::string_view cell, int pressureDecimals) {
    const bool pressure = subMode == kDrillFeedPressure || subMode == kDrillWaterPressure;
    if (pressure && pressureDecimals == kPressureOneDecimal && core::IsNumericStart(cell) == 1 &&
        cell.find("～") == std::string_view::npos)
        return core::Sprintf("%.1f", core::LeadingReal(cell));
    return std::string(cell);
}

double TwoPartCellText(LogContext& ctx, int itemCode, int slot, double top, double bottom, std::string_view first,
                       std::string_view second, double charWidthMm, double lineDepth, bool keepToPage,
                       bool oneLineWhenCrowded) {
    auto place = [&](double t, double b, std::string_view text) {
        return PlaceCellText(ctx, itemCode, slot, t, 0.0, b, kUseSlotPlacement, charWidthMm, lineDepth, text,
                             keepToPage);
    };
    if (first.empty()) return second.empty() ? bottom : place(top, bottom, second);
    if (second.empty()) return place(top, bottom, first);
    if (oneLineWhenCrowded && bottom - top < 2 * lineDepth) {
        // A cell without room for two lines (records close together) takes both texts on one
        // line when they fit there side by side, set as narrow as a text may be: on two lines
        // they would push the cells below ever further from their depths.
        const std::string joined = std::string(first) + " " + std::string(second);
        const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
        if (ctx.surface.MeasureText(joined).width * kMinTextWidthPercent / 100 <=
            CellRoom(ctx, col.leftMm, col.rightMm, top, bottom).Width())
            return place(top, bottom, joined);
    }
    const double split = std::max(top, bottom - lineDepth);
    const double firstUsed = place(top, split, first);
    const double secondTop = std::max(firstUsed, split);
    return place(secondTop, std::max(bottom, secondTop + lineDepth), second);
}

void DrawDrillingColumn(LogContext& ctx, int slot, int subMode) {
    if (!IsDrawnSlot(ctx.columns, slot) || subMode < 1 || subMode > kDrillWaterKindAndVolume) return;
    const borehole::DepthTable& table = ctx.record.Table(borehole::TableId::Drill);
    const CellMetrics metrics = ColumnMetrics(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const TickSpan tick = DrillTickSpan(col.align, col.leftMm, col.rightMm, col.anchorMm, metrics.charWidthMm);
    const int bit = DrillFlagBit(subMode);
    const int rule = ctx.settings.RuleLineWidth;
    const int itemCode = ctx.style.items[static_cast<std::size_t>(slot - 1)].ItemCode();

    double carry = 0.0;
    const int rows = std::min(table.RowCount(), kMaxDrillRows);
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(table.Cell(row, 0));
        if (subMode == kDrillWaterKindAndVolume) {
            const std::string& kind = table.Cell(row, kWaterKindColumn);
            const std::string& volume = table.Cell(row, kFeedVolumeColumn);
            if (kind.empty() && volume.empty()) continue;
            carry = TwoPartCellText(ctx, itemCode, slot, carry, d, kind, volume, metrics.charWidthMm,
                                    metrics.lineDepth, kDrillValueAtItsDepth, true);
            continue;
        }
        const std::string& cell = table.Cell(row, subMode);
        const bool flagged = (core::LeadingInt(table.Cell(row, kFlagsColumn)) & bit) != 0;
        double used = carry;
        if (!cell.empty()) {
            const std::size_t slash = cell.find('/');
            if (subMode == kDrillDate && ctx.settings.DrillDateFormat == kMonthOverDay && slash != std::string::npos) {
                MonthOverDay(ctx, col, tick, d, metrics.lineDepth, std::string_view(cell).substr(0, slash),
                             std::string_view(cell).substr(slash + 1));
                used = d;
            } else {
                used = PlaceCellText(ctx, 0, slot, carry, 0.0, d, kUseSlotPlacement, metrics.charWidthMm,
                                     metrics.lineDepth, DrillCellText(subMode, cell, ctx.settings.PressureDecimals),
                                     kDrillValueAtItsDepth);
            }
        } else if (flagged) {
            used = std::max(carry, d);
        } else {
            continue;
        }
        if (flagged) BoundaryLine(ctx, tick.leftMm, tick.rightMm, d, used, d, kBoundaryInsetMm, rule);
        carry = used;
    }
}

void RegisterDrillingColumns(ColumnRegistry& registry) {
    for (const DrillItem& item : kDrillItems)
        registry.Register(item.code, [](LogContext& ctx, int slot, int subMode) { DrawDrillingColumn(ctx, slot, subMode); });
}

}  // namespace stracol::render
