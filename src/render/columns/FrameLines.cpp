// The frame of the depth part: the outer frame, a line at every inner column edge and the
// three lines that cut the blow-count column 3104 into its four paper columns.

#include "app/SystemSettings.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/Primitives.h"

namespace stracol::render {

namespace {

// The four paper columns of 打撃/mm share one width.
constexpr int kBlowCountItem = 3104;

void DrawFrameLines(LogContext& ctx, int /*slot*/, int /*subMode*/) {
    const ColumnLayout& columns = ctx.columns;
    if (columns.count < 1) return;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const double top = ctx.pageStart;
    const double bottom = ctx.pageEnd;
    const double left = columns.edges[0];
    const double right = columns.edges[static_cast<std::size_t>(columns.count)];

    const int outer = ctx.settings.OuterFrameWidth;
    DrawLine(s, g, left, top, right, top, 0, outer, 0);
    DrawLine(s, g, right, top, right, bottom, 0, outer, 0);
    DrawLine(s, g, left, bottom, right, bottom, 0, outer, 0);
    DrawLine(s, g, left, top, left, bottom, 0, outer, 0);

    const int rule = ctx.settings.RuleLineWidth;
    for (int k = 1; k < columns.count; ++k) {
        const double x = columns.edges[static_cast<std::size_t>(k)];
        DrawLine(s, g, x, top, x, bottom, 0, rule, 0);
    }

    if (const int slot = DrawnColumnSlot(ctx, kBlowCountItem)) {
        const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
        const double width = col.rightMm - col.leftMm;
        for (double part : {0.25, 0.5, 0.75}) {
            const double x = col.leftMm + part * width;
            DrawLine(s, g, x, top, x, bottom, 0, rule, 0);
        }
    }
}

}  // namespace

void RegisterFrameLines(ColumnRegistry& registry) { registry.Register(kFrameLinesKey, DrawFrameLines); }

}  // namespace stracol::render
