#pragma once
// The depth part of a page: the fixed order in which the column renderers are called under
// the page clip, and the registry from item code to renderer.

#include "render/LogContext.h"

namespace stracol::render {

// Draws the depth part of the current page (the geometry is at the depth scale, ctx.pageStart
// and ctx.pageEnd set, ctx.columns computed).
void DrawDepthPart(LogContext& ctx);

}  // namespace stracol::render
