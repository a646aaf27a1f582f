// The end of every page: the free-article field below the depth part and the page footer.

#include <algorithm>

#include "app/FontSettings.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/LogPainter.h"
#include "render/LogText.h"
#include "render/PageGeometry.h"
#include "render/Primitives.h"
#include "render/TitleBlock.h"
#include "app/SystemSettings.h"

namespace stracol::render {

namespace {

int DepthDenominator(const PageGeometry& g) { return g.depthScale > 0 ? g.depthScale : 100; }

// Millimetres on paper below a depth, as a depth at the depth scale.
double DepthBelow(const PageGeometry& g, double depthM, double mm) {
    return depthM + mm * DepthDenominator(g) / 1000.0;
}

void DrawFreeArticles(LogContext& ctx) {
    PageGeometry& g = ctx.geometry;
    if (g.freeArticleHeightMm < 1) return;
    Surface& s = ctx.surface;
    const double top = ctx.pageEnd;
    const double bottom = DepthBelow(g, top, g.freeArticleHeightMm);
    const app::FontSetting& setting = ctx.fonts[static_cast<int>(FontSlot::FreeArticle) - 1];
    TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
    for (const FreeArticle& article : ctx.freeArticles) {
        if (article.page != 0 && article.page != g.currentPage) continue;
        if (article.text.empty()) continue;
        double sizePt = article.size > 0 ? article.size : setting.sizePt;
        CreateLogFont(s, static_cast<Colour>(setting.colour) & 0xffffff, std::max(1, FontHeightPx(sizePt, g.dpiY)),
                      setting.faceName, 0, ctx.messages);
        // y: millimetres below the top of the field.
        TextAt(s, g, article.xMm, DepthBelow(g, top, article.y), article.text);
    }
    const double left = ctx.columns.edges[0];
    const double right = ctx.columns.count > 0 ? ctx.columns.edges[static_cast<std::size_t>(ctx.columns.count)] : left;
    const int rule = ctx.settings.RuleLineWidth;
    const int outer = ctx.settings.OuterFrameWidth;
    DrawLine(s, g, left, bottom, right, bottom, 0, outer, 0);
    DrawLine(s, g, left, top, left, bottom, 0, outer, 0);
    DrawLine(s, g, right, top, right, bottom, 0, outer, 0);
    DrawLine(s, g, left, top, right, top, 0, rule, 0);
}

void DrawFooter(LogContext& ctx) {
    PageGeometry& g = ctx.geometry;
    const FooterSettings& footer = ctx.footer;
    const std::string text = FooterText(footer, g.currentPage);
    if (text.empty()) return;
    Surface& s = ctx.surface;
    const app::FontSetting& setting = ctx.fonts[static_cast<int>(FontSlot::Footer) - 1];
    const LogFont previousFont = s.CurrentFont();
    const Colour previousColour = s.TextColour();
    const int height = std::max(1, static_cast<int>(g.dpiY * setting.sizePt / 72.0));
    CreateLogFont(s, static_cast<Colour>(setting.colour) & 0xffffff, height, setting.faceName, 0, ctx.messages);

    // Measured from the paper's edges: the margins and the title block are not added.
    const bool centred = footer.horizontalMode == 1;
    const int x = static_cast<int>((centred ? footer.centreMm : footer.leftDistanceMm) * g.pxPerMmX);
    int y;
    if (footer.positionMode == 0) y = static_cast<int>(footer.topDistanceMm * g.pxPerMmY);
    else y = DepthToY(g, DepthBelow(g, ctx.pageEnd, footer.belowLogMm));
    {
        TextAlignScope align(s, TextAlign{centred ? HorizontalAlign::Centre : HorizontalAlign::Left, VerticalAlign::Top});
        s.TextOut(x, y, text);
    }
    s.SelectFont(previousFont);
    s.SetTextColour(previousColour);
}

}  // namespace

std::string FooterText(const FooterSettings& footer, int page) {
    if (core::TrimBlanks(footer.startNumber).empty())
        return core::Sprintf("%s%s%s", footer.prefix.c_str(), "", footer.suffix.c_str());
    int start = core::LeadingInt(footer.startNumber);
    return core::Sprintf("%s%d%s", footer.prefix.c_str(), start + page - 1, footer.suffix.c_str());
}

void DrawPageFooterAndFreeArticles(LogContext& ctx) {
    DrawFreeArticles(ctx);
    DrawFooter(ctx);
}

}  // namespace stracol::render
