#include "render/columns/CasingColumn.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/columns/PatternDrawing.h"

namespace stracol::render {

namespace {

constexpr int kCasingItem = 2052;
constexpr long kPerforatedPattern = 20100;
constexpr long kWaterShutPattern = 20200;
constexpr std::string_view kUnperforatedLabel = "無孔";
// Only intervals longer than this carry their label (m).
constexpr double kLabelMinLengthM = 0.4;
// The fill stops this far short of the column's right edge (mm), clear of the column line.
constexpr double kFillRightInsetMm = 0.1;
// The pattern marks keep their size: no share of the width is cut off.
constexpr double kFullShare = 1.0;

}  // namespace

CasingKind CasingKindOf(std::string_view text) {
    auto has = [&](std::string_view part) { return text.find(part) != std::string_view::npos; };
    if (has("有孔")) return {kPerforatedPattern, {}};
    if (has("遮")) return {kWaterShutPattern, {}};
    if (has("無孔")) return {0, kUnperforatedLabel};
    // "なし" from the third byte on (保孔管なし) and every other text: lines only.
    return {};
}

void DrawCasingColumn(LogContext& ctx, int slot, int labelOption) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const borehole::DepthTable& table = ctx.record.Table(borehole::TableId::Casing);
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const double start = ctx.pageStart;
    const double end = ctx.pageEnd;
    const int penWidth = PatternLineWidth(ctx.settings.PatternSetting48);
    const bool black = ctx.settings.PatternSetting47 == 1;
    const int rule = ctx.settings.RuleLineWidth;

    double previousBottom = 0.0;
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const double t = previousBottom;
        const double b = core::LeadingReal(table.Cell(row, 0));
        const CasingKind kind = CasingKindOf(table.Cell(row, 1));

        if (kind.pattern != 0 && t < end && b > start) {
            const double top = std::max(t, start);
            const double bottom = std::min(b, end);
            s.SetClipRect(Rect{MmToX(g, xl), DepthToY(g, top), MmToX(g, xr - kFillRightInsetMm), DepthToY(g, bottom)});
            DrawPattern(s, g, kind.pattern, xl, top, xr - kFillRightInsetMm, bottom, kFullShare, penWidth,
                        PatternColour(ctx.patternColours, kind.pattern, black), false);
            s.ClearClip();
        }
        if (labelOption != 0 && !kind.label.empty() && b - t > kLabelMinLengthM)
            TextInBox(s, g, xl, t, xr, b, kind.label);
        if (start <= t && t <= end) DrawLine(s, g, xl, t, xr, t, 0, rule, 0);
        if (start <= b && b <= end) DrawLine(s, g, xl, b, xr, b, 0, rule, 0);
        previousBottom = b;
    }
}

void RegisterCasingColumn(ColumnRegistry& registry) {
    registry.Register(kCasingItem, [](LogContext& ctx, int slot, int) { DrawCasingColumn(ctx, slot); });
}

}  // namespace stracol::render
