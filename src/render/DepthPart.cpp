#include "render/DepthPart.h"

#include "render/ColumnRegistry.h"
#include "render/LogPainter.h"

namespace stracol::render {

void DrawDepthPart(LogContext& ctx) { RunDepthPartOrder(ctx, BuiltInRegistry(), DrawPageFooterAndFreeArticles); }

}  // namespace stracol::render
