#pragma once
// The one paint routine: draws a page of the log on any surface (screen, preview, printer,
// PDF, PNG, SVG) in a fixed order — page start, title, upper title lines, title block,
// column headers, dials and scale labels, then the depth part.

#include <functional>
#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::render {

// Draws the page the geometry names: when printing, page currentPage from printStartDepth;
// on the screen the page starting at screenPageStart.
void PaintLog(LogContext& ctx);

// The end of the depth part: the free-article field and the page footer with its number.
void DrawPageFooterAndFreeArticles(LogContext& ctx);

// The footer text of a page: prefix + suffix when the start number is empty, otherwise
// prefix, start + page − 1, suffix.
std::string FooterText(const FooterSettings& footer, int page);

// The print loop: each listed page is drawn by paintPage with printing set and that page
// current; afterwards the screen shows page 1 again. Pages outside 1 … PageCount are skipped.
void PrintPages(PageGeometry& g, const std::vector<int>& pages, const std::function<void(int page)>& paintPage);

}  // namespace stracol::render
