#include "render/columns/BoundaryColumns.h"

#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/columns/DensityLevels.h"
#include "render/columns/Elevation.h"
#include "render/columns/WaterLevelColumn.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// LayerTable: bottom depth and flags (bit 1 a boundary line, bit 64 the boundary values).
constexpr int kLayerBottomColumn = 0;
constexpr int kLayerFlagsColumn = 6;
constexpr int kLayerLineBit = 1;
constexpr int kLayerValuesBit = 64;
// PropertyTable: depth and flags (bit 1 a line, bit 2 the values).
constexpr int kPropertyDepthColumn = 1;
constexpr int kPropertyFlagsColumn = 9;
constexpr int kPropertyLineBit = 1;
constexpr int kPropertyValuesBit = 2;

// Scale ticks (mm): decimetre, half-metre and metre ticks; the right-block ticks run 0.2 mm
// further; the metre number stands 0.5 mm inside the column's right edge.
constexpr double kDecimetreTickMm = 0.8;
constexpr double kHalfMetreTickMm = 1.4;
constexpr double kRightTickExtraMm = 0.2;
constexpr double kLeftMetreTickMm = 1.8;
constexpr double kRightMetreTickMm = kScaleRightTickMm;
constexpr double kScaleNumberInsetMm = 0.5;
// ScaleTickStep 1 ("0.5m"): only the half-metre ticks.
constexpr int kHalfMetreTicksOnly = 1;
// A page starting within this of depth 0 is the top of the log, where "0" is not written.
constexpr double kTopOfLogTolerance = 0.001;
// Beyond this the depth is not a depth of any borehole: nothing is ruled.
constexpr double kDepthLimitM = 1.0e7;

const char* const kElevationFormat = "%7.2f";
const char* const kDepthFormat = "%5.2f";
const char* const kThicknessFormat = "%4.2f";

void RuleLine(LogContext& ctx, double xlMm, double xrMm, double depthM) {
    DrawLine(ctx.surface, ctx.geometry, xlMm, depthM, xrMm, depthM, 0, ctx.settings.RuleLineWidth, 0);
}

// A boundary rule across a column of values: where a value written there stands over it
// (the values of thin layers, pushed below each other), the rule bends down below them.
void RuleClearOfTexts(LogContext& ctx, double xlMm, double xrMm, double depthM) {
    const PageGeometry& g = ctx.geometry;
    const TextColumns* columns = ctx.surface.CurrentTextColumns();
    if (!columns || g.depthPxPerMetre <= 0.0001) {
        RuleLine(ctx, xlMm, xrMm, depthM);
        return;
    }
    const int xl = MmToX(g, xlMm);
    const int xr = MmToX(g, xrMm);
    // Glyphs leave a sixth of a line free at its top and bottom: a rule there crosses nothing.
    const int wanted = DepthToY(g, depthM);
    int y = wanted;
    for (bool moved = true; moved;) {
        moved = false;
        for (const Rect& r : columns->WrittenAt((xl + xr) / 2)) {
            const int free = r.Height() / 6;
            if (r.right > xl && r.left < xr && y > r.top + free && y < r.bottom - free) {
                y = r.bottom;
                moved = true;
            }
        }
    }
    if (y == wanted) RuleLine(ctx, xlMm, xrMm, depthM);
    else BoundaryLine(ctx, xlMm, xrMm, depthM, YToDepth(g, y), depthM, kBoundaryInsetMm, ctx.settings.RuleLineWidth);
}

void WriteText(LogContext& ctx, const ColumnPlacement& col, VerticalAlign vertical, double depthM,
               const std::string& text) {
    if (text.empty()) return;
    TextAlignScope align(ctx.surface, TextAlign{col.align, vertical});
    ColumnTextAt(ctx, col.leftMm, col.rightMm, col.anchorMm, depthM, text);
}

std::string ScaleNumber(long long metre) { return core::Sprintf("%lld", metre); }

void ScaleRenderer(LogContext& ctx, int slot, int /*subMode*/) {
    DrawScaleColumn(ctx, slot, ColumnMetrics(ctx).lineDepth);
}

void BoundaryValuesRenderer(LogContext& ctx, int slot, int subMode) {
    BoundaryValueColumns(ctx, slot, static_cast<BoundaryMode>(subMode), ColumnMetrics(ctx).lineDepth,
                         ElevationInputsOf(ctx.record, ctx.heading), DrawnColumnSlot(ctx, kDepthItem),
                         DrawnColumnSlot(ctx, kElevationItem));
}

// Called with the slot of 1003, 0 when the style has no depth column: the elevation column
// may still be there, so both are looked up here.
void PropertyDepthsRenderer(LogContext& ctx, int /*slot*/, int /*subMode*/) {
    PropertyDepthPass(ctx, DrawnColumnSlot(ctx, kDepthItem), DrawnColumnSlot(ctx, kElevationItem),
                      ElevationInputsOf(ctx.record, ctx.heading));
}

}  // namespace

void DrawScaleColumn(LogContext& ctx, int slot, double lineDepth) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const double s = ctx.pageStart;
    const double e = ctx.pageEnd;
    if (!std::isfinite(s) || !std::isfinite(e) || std::fabs(s) > kDepthLimitM || std::fabs(e) > kDepthLimitM)
        return;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const double xl = col.leftMm;
    const double xr = col.rightMm;
    const double blockRight = ctx.columns.edges[static_cast<std::size_t>(ctx.columns.count)];
    const bool halfMetreOnly = ctx.settings.ScaleTickStep == kHalfMetreTicksOnly;
    const bool topOfLog = std::fabs(s) <= kTopOfLogTolerance;

    TextAlignScope align(ctx.surface, TextAlign{HorizontalAlign::Right, VerticalAlign::Top});
    for (long long i = static_cast<long long>(std::trunc(s)) - 1; static_cast<double>(i) <= e; ++i) {
        const double metre = static_cast<double>(i);
        for (int j = 1; j <= 9; ++j) {
            if (halfMetreOnly && j != 5) continue;
            const double y = metre + 0.1 * j;
            const double length = j == 5 ? kHalfMetreTickMm : kDecimetreTickMm;
            RuleLine(ctx, xl, xl + length, y);
            RuleLine(ctx, blockRight, blockRight - length - kRightTickExtraMm, y);
        }
        if (!(i == 0 && topOfLog) && metre >= s - kTopOfLogTolerance && metre <= e + kTopOfLogTolerance) {
            // Centred on its metre, but kept whole inside the page window.
            double y = metre - lineDepth / 2;
            if (y < s) y = s;
            if (y + lineDepth > e) y = e - lineDepth;
            // Right of the metre tick, a gap clear of it: a number touching the tick reads as a
            // negative one ("─10").
            ColumnTextAt(ctx, std::min(xl + kLeftMetreTickMm + kScaleNumberInsetMm, xr), xr, xr - kScaleNumberInsetMm,
                         y, ScaleNumber(i));
        }
        if (s < metre && metre < e) {
            RuleLine(ctx, xl, xl + kLeftMetreTickMm, metre);
            RuleLine(ctx, blockRight, blockRight - kRightMetreTickMm, metre);
        }
    }
}

void BoundaryValueColumns(LogContext& ctx, int slot, BoundaryMode mode, double lineDepth,
                          const ElevationInputs& elevation, int depthSlot, int elevationSlot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const ColumnPlacement depthCol = SlotColumnPlacement(ctx, depthSlot);
    const ColumnPlacement elevationCol = SlotColumnPlacement(ctx, elevationSlot);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const bool hasDepthCol = IsDrawnSlot(ctx.columns, depthSlot);
    const bool hasElevationCol = IsDrawnSlot(ctx.columns, elevationSlot);

    ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));
    const borehole::DepthTable& layers = ctx.record.Table(TableId::Layer);
    const int rows = layers.RowCount();
    double previous = 0.0;
    std::vector<double> ruled;  // drawn after the values, clear of them
    for (int row = 1; row <= rows; ++row) {
        const double d = core::LeadingReal(layers.Cell(row, kLayerBottomColumn));
        const int flags = core::LeadingInt(layers.Cell(row, kLayerFlagsColumn));
        // A boundary less than one text line below the top of the page carries its value
        // under its rule instead, so the value is neither cut by the page's edge nor crossed
        // by the rule.
        const bool nearTop = d >= ctx.pageStart && d - lineDepth < ctx.pageStart;
        const VerticalAlign vertical = nearTop ? VerticalAlign::Top : VerticalAlign::Bottom;
        if (flags & kLayerLineBit) ruled.push_back(d);
        double thickness = 0.0;
        if (flags & (kLayerLineBit | kLayerValuesBit)) {
            thickness = d - previous;
            previous = d;
        }
        if (!(flags & kLayerValuesBit)) continue;
        switch (mode) {
            case BoundaryMode::Elevation:
                if (hasElevationCol) {
                    if (std::optional<std::string> text = ElevationText(d, elevation, kElevationFormat))
                        WriteText(ctx, elevationCol, vertical, d, *text);
                }
                break;
            case BoundaryMode::Depth:
                if (hasDepthCol) WriteText(ctx, depthCol, vertical, d, core::Sprintf(kDepthFormat, d));
                break;
            case BoundaryMode::Thickness:
                WriteText(ctx, col, vertical, d, core::Sprintf(kThicknessFormat, thickness));
                break;
            case BoundaryMode::DensityLines:
            case BoundaryMode::ConsistencyLines:
                break;
        }
    }
    for (double d : ruled) RuleClearOfTexts(ctx, col.leftMm, col.rightMm, d);
    ctx.surface.ClearClip();
}

void PropertyDepthPass(LogContext& ctx, int depthSlot, int elevationSlot, const ElevationInputs& elevation) {
    const bool hasDepthCol = IsDrawnSlot(ctx.columns, depthSlot);
    const bool hasElevationCol = IsDrawnSlot(ctx.columns, elevationSlot);
    if (!hasDepthCol && !hasElevationCol) return;
    const ColumnPlacement depthCol = SlotColumnPlacement(ctx, depthSlot);
    const ColumnPlacement elevationCol = SlotColumnPlacement(ctx, elevationSlot);

    const borehole::DepthTable& properties = ctx.record.Table(TableId::Property);
    const int rows = properties.Capacity();
    for (int row = 1; row <= rows; ++row) {
        const std::string& depthText = properties.Cell(row, kPropertyDepthColumn);
        if (core::IsNumericStart(depthText) != 1) break;
        const double d = core::LeadingReal(depthText);
        const int flags = core::LeadingInt(properties.Cell(row, kPropertyFlagsColumn));
        if (flags & kPropertyLineBit) {
            if (hasDepthCol) RuleLine(ctx, depthCol.leftMm, depthCol.rightMm, d);
            if (hasElevationCol) RuleLine(ctx, elevationCol.leftMm, elevationCol.rightMm, d);
        }
        if (flags & kPropertyValuesBit) {
            if (hasDepthCol) WriteText(ctx, depthCol, VerticalAlign::Bottom, d, core::Sprintf(kDepthFormat, d));
            if (hasElevationCol) {
                if (std::optional<std::string> text = ElevationText(d, elevation, kElevationFormat))
                    WriteText(ctx, elevationCol, VerticalAlign::Bottom, d, *text);
            }
        }
    }
}

void RegisterBoundaryColumns(ColumnRegistry& registry) {
    registry.Register(kScaleItem, ScaleRenderer);
    registry.Register(kBoundaryValuesKey, BoundaryValuesRenderer);
    registry.Register(kPropertyDepthsKey, PropertyDepthsRenderer);
    RegisterWaterLevelColumn(registry);
    RegisterDensityColumns(registry);
}

}  // namespace stracol::render
