// The one paint routine and the print loop's page numbering.

#include "render/LogPainter.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnHeaders.h"
#include "render/DepthPart.h"
#include "render/PageGeometry.h"
#include "render/Surface.h"
#include "render/TitleBlock.h"
#include "style/TitleForm.h"

namespace stracol::render {

namespace {
// A page starting this near the top of the log has no page before it.
constexpr double kFirstPageStartM = 0.01;
}  // namespace

void PaintLog(LogContext& ctx) {
    PageGeometry& g = ctx.geometry;
    Surface& s = ctx.surface;

    // Page start: resolution, scales, margins and the line height of the title font; the
    // title height from the form (TitleTotal, metres at title scale).
    const std::string& total = ctx.titleForm.Get(style::TitleForm::TitleTotal);
    if (core::IsNumericStart(total) == 1 && core::LeadingReal(total) >= 0.1) g.titleHeight = core::LeadingReal(total);
    StartPaint(g, s, ctx.settings, MaxDepthOf(ctx.record));
    SelectSlotFont(ctx, FontSlot::Title);
    const FontMetrics metrics = s.Metrics();
    g.lineHeight = metrics.height + metrics.externalLeading;

    // 1. The page's depth range.
    ctx.pageStart = FixPageStart(g);
    ctx.pageEnd = ctx.pageStart + g.depthPerPage;

    // 2. The title part at the title scale. The title texts are laid out across the column
    //    block, so its edges are known from the start.
    UseTitleScale(g);
    ctx.columns = ColumnEdges(ctx.style);
    // 3-5. Log title, upper title lines, title block.
    DrawLogTitle(ctx);
    DrawUpperTitleLines(ctx);
    DrawTitleBlock(ctx, TitleOptionsOf(ctx.heading));
    // 6. Column edges.
    ctx.columns = ColumnEdges(ctx.style);
    // 7. Header frame, horizontal header texts, then the texts turned by 270°.
    DrawHeaderFrame(ctx);
    DrawColumnHeaders(ctx, false);
    DrawColumnHeaders(ctx, true);
    // 8. Dials and graph scale labels.
    DrawDials(ctx);
    DrawGraphScaleLabels(ctx);
    // 9. The remaining rows of the title block.
    DrawTitleBlockLowerRows(ctx, TitleOptionsOf(ctx.heading));
    // 10. The depth part at the depth scale; it ends with the free articles and the footer.
    UseDepthScale(g, ctx.pageStart);
    // Every text of the depth part stays inside the column it is written in.
    TextColumns columns;
    for (int k = 0; k <= ctx.columns.count && k < static_cast<int>(ctx.columns.edges.size()); ++k)
        columns.edges.push_back(MmToX(g, ctx.columns.edges[static_cast<std::size_t>(k)]));
    columns.insetPx = std::max(0, MmToX(g, kCellTextInsetMm) - MmToX(g, 0.0));
    // The scale ticks the right end of the log too: texts of the last column keep clear of them.
    ctx.rightTickMm = DrawnColumnSlot(ctx, kScaleItemCode) > 0 ? kScaleRightTickMm + kCellTextInsetMm : 0.0;
    columns.rightTickPx = std::max(0, MmToX(g, ctx.rightTickMm) - MmToX(g, 0.0));
    columns.windowTop = DepthToY(g, ctx.pageStart);
    columns.windowBottom = DepthToY(g, ctx.pageEnd);
    columns.pageStepPx = (g.depthPerPage - g.pageOverlap) * g.depthPxPerMetre;
    columns.windowTopM = ctx.pageStart;
    columns.windowBottomM = ctx.pageEnd;
    columns.pageStepM = g.depthPerPage - g.pageOverlap;
    columns.firstPage = ctx.pageStart <= kFirstPageStartM;
    s.SetTextColumns(&columns);
    DrawDepthPart(ctx);
    s.SetTextColumns(nullptr);
}

void PrintPages(PageGeometry& g, const std::vector<int>& pages, const std::function<void(int page)>& paintPage) {
    const int count = PageCount(g);
    for (int page : pages) {
        if (page < 1 || page > count) continue;
        BeginPrintedPage(g, page);
        paintPage(page);
        EndPrintedPage(g);
    }
    EndPrinting(g);
}

}  // namespace stracol::render
