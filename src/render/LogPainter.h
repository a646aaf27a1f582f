#pragma once
// The one paint routine: draws a page of the log on any surface (screen, preview, printer,
// PDF, PNG, SVG) in a fixed order — page start, title, upper title lines, title block,
// column headers, dials and scale labels, then the depth part.

#include "render/LogContext.h"

namespace stracol::render {

// Draws the page the geometry names: when printing, page currentPage from printStartDepth;
// on the screen the page starting at screenPageStart.
void PaintLog(LogContext& ctx);

// The end of the depth part: the free-article field and the page footer with its number.
void DrawPageFooterAndFreeArticles(LogContext& ctx);

}  // namespace stracol::render
