#include "render/columns/SoilColumnName.h"

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/columns/PatternDrawing.h"
#include "render/columns/SoilColumn.h"

namespace stracol::render {

std::string LayerNameText(const borehole::BoreholeRecord& record, int row, int symbolStyle) {
    const borehole::DepthTable& layers = record.Table(borehole::TableId::Layer);
    const int flags = core::LeadingInt(layers.Cell(row, soil::kFlagsColumn));
    std::string text;
    if (flags & soil::kWriteName1Bit) text += layers.Cell(row, soil::kName1Column);
    const std::string& name2 = layers.Cell(row, soil::kName2Column);
    if ((flags & soil::kWriteName2Bit) && !name2.empty())
        text += layers.Cell(row, soil::kBeforeName2Column) + name2 + layers.Cell(row, soil::kAfterName2Column);
    const std::string& symbol = layers.Cell(row, soil::kSymbolColumn);
    if ((flags & soil::kWriteName1Bit) && !symbol.empty()) {
        if (symbolStyle == kSymbolParentheses) text += " (" + symbol + ")";
        else if (symbolStyle == kSymbolSpaced) text += " " + symbol;
    }
    return text;
}

void DrawSoilNameColumn(LogContext& ctx, int slot, const geology::NameTable& bitmapNames) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const PatternSettings settings = PatternSettingsFrom(ctx.settings, ctx.patternFolder);
    const CellMetrics metrics = ColumnMetrics(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const borehole::DepthTable& layers = ctx.record.Table(borehole::TableId::Layer);
    // Only asks whether a row has a pattern: no cell, nothing drawn.
    const PatternCell noCell;

    ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));
    double carry = 0.0;
    const int rows = layers.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(layers.Cell(row, soil::kBottomColumn));
        const bool closes = DrawLayerPatterns(ctx.surface, ctx.geometry, ctx.patternColours, settings, ctx.record,
                                              row, bitmapNames, noCell, false) ||
                            !layers.Cell(row, soil::kName1Column).empty();
        const std::string text = LayerNameText(ctx.record, row, ctx.settings.GeoNameSymbolStyle);
        const double used = PlaceCellText(ctx, 0, slot, carry, 0.0, d, kUseSlotPlacement, metrics.charWidthMm,
                                          metrics.lineDepth, text);
        if (core::LeadingInt(layers.Cell(row, soil::kFlagsColumn)) & soil::kNameBoundaryBit)
            BoundaryLine(ctx, col.leftMm, col.rightMm, d, used, d, kBoundaryInsetMm, ctx.settings.RuleLineWidth);
        if (closes) carry = used;
    }
    ctx.surface.ClearClip();
}

}  // namespace stracol::render
