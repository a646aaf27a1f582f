#include "render/columns/NValueRenderers.h"

#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/columns/NValueGraph.h"
#include "render/columns/SptColumns.h"

namespace stracol::render {

void RegisterNValueRenderers(ColumnRegistry& registry) {
    registry.Register(GridKey(kNValueGraphItem), [](LogContext& ctx, int slot, int) { DrawNValueGrid(ctx, slot); });
    registry.Register(kNValueGraphItem, [](LogContext& ctx, int slot, int) {
        DrawNValuePlot(ctx, slot, ColumnMetrics(ctx).lineDepth);
    });
    // Each column is bound to its own mode, so it draws the same whatever sub-mode the caller passes.
    for (int mode = static_cast<int>(SptColumnMode::NValue); mode <= static_cast<int>(SptColumnMode::Total); ++mode) {
        const int code = SptColumnItemCode(static_cast<SptColumnMode>(mode));
        registry.Register(code, [mode](LogContext& ctx, int slot, int) {
            const CellMetrics metrics = ColumnMetrics(ctx);
            DrawSptColumn(ctx, slot, mode, metrics.charWidthMm, metrics.lineDepth);
        });
    }
}

}  // namespace stracol::render
