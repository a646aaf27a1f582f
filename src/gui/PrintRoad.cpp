#include "gui/PrintRoad.h"

#include <QFile>
#include <QFileInfo>
#include <QPainter>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>
#include <QTemporaryFile>

#include <algorithm>
#include <filesystem>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "render/PageGeometry.h"

namespace stracol::gui {

PaperMm PrinterPaperMm(const QPrinter& printer) {
    const QRectF paper = printer.paperRect(QPrinter::DevicePixel);
    const int dpi = printer.resolution();
    return {render::DeviceToMm(static_cast<int>(paper.width()), dpi),
            render::DeviceToMm(static_cast<int>(paper.height()), dpi)};
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

int PrintLogToPdf(const std::string& path, const QPrinter& layoutFrom, app::Workspace& w, render::FontResolver& fonts,
                  core::Messages& messages, const PagePainter& paint) {
    namespace fs = std::filesystem;
    const QFileInfo target(QString::fromStdString(path));
    // A name beside the target, so that the rename stays on one file system.
    QTemporaryFile reserve(target.absolutePath() + QStringLiteral("/.stracol-XXXXXX.pdf"));
    if (!reserve.open()) {
        messages.Error(core::MessageText(core::MessageId::SaveFailed));
        return 0;
    }
    const QString tmpName = reserve.fileName();
    reserve.close();

    QPrinter pdf(QPrinter::HighResolution);
    pdf.setOutputFormat(QPrinter::PdfFormat);
    pdf.setPageLayout(layoutFrom.pageLayout());
    pdf.setOutputFileName(tmpName);
    pdf.setCreator(QStringLiteral("Stracol"));
    pdf.setDocName(QFileInfo(QString::fromStdString(w.documentPath)).fileName());

    // Before printing the printer is asked for its paper.
    const PaperMm paper = PrinterPaperMm(pdf);
    render::SetPaperSize(w.geometry, paper.widthMm, paper.lengthMm);
    const int pages = PrintLogPages(pdf, w, fonts, &messages, paint, 1, render::PageCount(w.geometry));

    std::error_code ec;
    if (pages > 0) {
        reserve.setAutoRemove(false);
        QFile::setPermissions(tmpName, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup |
                                           QFileDevice::ReadOther);
        fs::rename(fs::path(tmpName.toStdString()), fs::path(path), ec);
        if (!ec) return pages;
        fs::remove(fs::path(tmpName.toStdString()), ec);
    }
    messages.Error(core::MessageText(core::MessageId::SaveFailed));
    return 0;
}

}  // namespace stracol::gui

