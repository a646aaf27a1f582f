#include "gui/PrintRoad.h"

#include <QPainter>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

#include <algorithm>
#include <cmath>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "render/Output.h"
#include "render/PageGeometry.h"

namespace stracol::gui {

PaperMm PrinterPaperMm(const QPrinter& printer) {
    const QRectF paper = printer.pageLayout().fullRect(QPageLayout::Millimeter);
    return {static_cast<int>(std::lround(paper.width())), static_cast<int>(std::lround(paper.height()))};
}

void ApplyLogPaper(QPrinter& printer, const app::SystemSettings& s) {
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A3), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    ApplyStartupPaper(printer, s.StartupPaperEnabled, s.StartupPaperSize, s.StartupOrientation);
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    // Last: a new page layout puts the printer back into its standard mode.
    printer.setFullPage(true);
}

void PaginateForPaper(app::Workspace& w, const PaperMm& paper) {
    render::PageGeometry& g = w.geometry;
    const bool otherPaper = paper.widthMm != g.paperWidthMm || paper.lengthMm != g.paperLengthMm;
    if (otherPaper && w.settings.PageDepth <= 0) g.depthPerPage = 0;
    app::SetWorkspacePaper(w, paper.widthMm, paper.lengthMm);
}

bool HasDefaultPrinter() {
    return !QPrinterInfo::defaultPrinter().isNull();
}

bool ApplyStartupPaper(QPrinter& printer, int enabled, int paperSize, int orientation) {
    if (enabled != 1) return false;
    if (paperSize < 0 || paperSize > 1 || orientation < 0 || orientation > 1) return false;
    const QPageSize wanted(paperSize == 0 ? QPageSize::A3 : QPageSize::A4);
    bool applied = false;
    const QPrinterInfo info(printer);
    const bool sizeOffered = info.isNull() || info.supportedPageSizes().contains(wanted);
    if (sizeOffered && printer.setPageSize(wanted)) applied = true;
    if (printer.setPageOrientation(orientation == 0 ? QPageLayout::Portrait : QPageLayout::Landscape)) applied = true;
    return applied;
}

std::pair<int, int> ChosenPages(const QPrinter& printer, int pageCount) {
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0)
        return {printer.fromPage(), printer.toPage() > 0 ? printer.toPage() : pageCount};
    return {1, pageCount};
}

int PrintLogPages(QPrinter& printer, app::Workspace& w, render::FontResolver& fonts, core::Messages* messages,
                  const PagePainter& paint, int fromPage, int toPage) {
    const int pageCount = render::PageCount(w.geometry);
    const int first = std::max(1, fromPage);
    const int last = std::min(pageCount, toPage);
    int drawn = 0;
    // The whole sheet, as the file outputs draw it, also after a dialog gave the printer a
    // layout of its own.
    printer.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
    printer.setFullPage(true);
    QPainter painter;
    if (first <= last && painter.begin(&printer)) {
        const int dpi = printer.resolution();
        for (int page = first; page <= last; ++page) {
            if (page > first) printer.newPage();
            render::BeginPrintedPage(w.geometry, page);
            PaintLogPage(painter, dpi, dpi, w, fonts, messages, paint);
            render::EndPrintedPage(w.geometry);
            ++drawn;
        }
        painter.end();
    }
    render::EndPrinting(w.geometry);
    return drawn;
}

int PrintLogToPdf(const std::string& path, const QPrinter& paperFrom, app::Workspace& w, render::FontResolver& fonts,
                  core::Messages& messages, const PagePainter& paint) {
    // Before printing the printer is asked for its paper.
    const PaperMm paper = PrinterPaperMm(paperFrom);
    PaginateForPaper(w, paper);
    const render::LogSources sources{w.geometry,      w.settings, w.fonts,           w.style,
                                     w.titleForm,     w.record,   w.patternColours, &messages,
                                     w.folder.PatternFolder(),    w.documentPath,   FooterFor(w), w.freeArticles,
                                     &w.bitmapNames,  w.heading};
    const render::OutputResult result = render::WritePdf(sources, fonts, path, {}, paper.widthMm, paper.lengthMm, paint);
    render::EndPrinting(w.geometry);
    if (result.ok) return result.pages;
    messages.Error(core::MessageText(core::MessageId::SaveFailed));
    return 0;
}

}  // namespace stracol::gui

