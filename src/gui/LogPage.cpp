#include "gui/LogPage.h"

#include <QPainter>

#include "app/Workspace.h"
#include "render/LogContext.h"
#include "render/PageGeometry.h"
#include "render/QPainterSurface.h"

namespace stracol::gui {

render::FooterSettings FooterFor(const app::Workspace& w) {
    render::FooterSettings footer = w.footer;
    if (footer.horizontalMode == 1 && footer.centreMm <= 0) footer.centreMm = w.geometry.paperWidthMm / 2;
    return footer;
}

void PaintLogPage(QPainter& painter, int dpiX, int dpiY, app::Workspace& w, render::FontResolver& fonts,
                  core::Messages* messages, const PagePainter& paint) {
    if (!paint) return;
    painter.save();
    {
        render::QPainterSurface surface(painter, fonts, dpiX, dpiY);
        render::StartPaint(w.geometry, surface, w.settings, render::MaxDepthOf(w.record));
        render::LogContext ctx{
            .surface = surface,
            .geometry = w.geometry,
            .settings = w.settings,
            .fonts = w.fonts,
            .style = w.style,
            .titleForm = w.titleForm,
            .record = w.record,
            .patternColours = w.patternColours,
            .messages = messages,
            .patternFolder = w.folder.PatternFolder(),
            .documentPath = w.documentPath,
            .footer = FooterFor(w),
            .freeArticles = w.freeArticles,
            .columns = {},
            .pageStart = 0,
            .pageEnd = 0,
            .worstDriftM = 0,
            .bitmapNames = &w.bitmapNames,
            .heading = w.heading,
        };
        paint(ctx);
    }
    painter.restore();
}

}  // namespace stracol::gui
