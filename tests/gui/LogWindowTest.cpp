// The window with the program's own log painter: a corpus file drawn on screen (kept as a
// screenshot beside the test) and printed to PDF; printing and PDF give the pages of the
// command line.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QScrollBar>
#include <QTimer>

#include <filesystem>
#include <optional>

#include "RenderFile.h"
#include "gui/CommandTable.h"
#include "gui/GuiTestSupport.h"
#include "render/FontResolver.h"

using namespace stracol;
using namespace stracol::gui;

namespace {

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new stracol::testing::WidgetEnvironment);

const std::string kSample = "v400/boringrs_BED0400.XML";

// Share of pixels in the rectangle that are not white.
double InkShare(const QImage& image, const QRect& area) {
    const QRect r = area.intersected(image.rect());
    if (r.isEmpty()) return 0;
    long ink = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            if ((image.pixel(x, y) & 0xffffff) != 0xffffff) ++ink;
    return static_cast<double>(ink) / (static_cast<double>(r.width()) * r.height());
}

TEST(LogWindow, CorpusFileIsDrawnOnScreenAndPrinted) {
    const std::string file = stracol::testing::TestDataFile(kSample);
    ASSERT_TRUE(std::filesystem::is_regular_file(file)) << file;
    stracol::testing::FrameRig rig;
    auto frame = rig.Start(file, StandardLogPainter());
    ASSERT_TRUE(frame);
    frame->show();

    // The whole first page as the view draws it: the title block and the columns carry ink.
    const QImage page = frame->View().RenderPageImage(1.0);
    const int titleBottom = render::DepthToY(rig.workspace.geometry, 0);  // geometry of the last paint
    ASSERT_GT(titleBottom, 0);
    EXPECT_GT(InkShare(page, QRect(0, 0, page.width(), titleBottom)), 0.01);
    EXPECT_GT(InkShare(page, QRect(0, titleBottom, page.width(), page.height() - titleBottom)), 0.005);

    // The window as the user sees it.
    const QImage shot = frame->grab().toImage();
    const QString shotPath = QStringLiteral(STRACOL_SCREENSHOT_DIR "/stracol-window.png");
    EXPECT_TRUE(shot.save(shotPath));
    const QRect viewArea(frame->View().mapTo(frame.get(), QPoint(0, 0)), frame->View().viewport()->size());
    EXPECT_GT(InkShare(shot, viewArea), 0.01);
    page.save(QStringLiteral(STRACOL_SCREENSHOT_DIR "/stracol-page1.png"));

    // Kept beside the screenshots for a look.
    const std::string pdf = STRACOL_SCREENSHOT_DIR "/stracol-log.pdf";
    std::filesystem::remove(pdf);
    const int pages = frame->PrintToPdf(QString::fromStdString(pdf));
    EXPECT_EQ(pages, render::PageCount(rig.workspace.geometry));
    EXPECT_GE(pages, 1);
    EXPECT_EQ(rig.workspace.geometry.currentPage, 1);
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {QString::fromStdString(pdf)});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0) GTEST_SKIP() << "pdfinfo not available";
    int pdfPages = -1;
    for (const QString& line : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) pdfPages = line.mid(6).trimmed().toInt();
    EXPECT_EQ(pdfPages, pages);
}

// What pdfinfo and pdftotext say of a PDF: its pages, the size of its pages and its words
// with their places.
struct PdfFacts {
    int pages = -1;
    std::string pageSize;
    std::string text;
};

std::optional<PdfFacts> ReadPdf(const std::string& path) {
    QProcess info;
    info.start(QStringLiteral("pdfinfo"), {QString::fromStdString(path)});
    if (!info.waitForFinished(30000) || info.exitCode() != 0) return std::nullopt;
    PdfFacts facts;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
        if (line.startsWith(QStringLiteral("Pages:"))) facts.pages = line.mid(6).trimmed().toInt();
        if (line.startsWith(QStringLiteral("Page size:"))) facts.pageSize = line.mid(10).trimmed().toStdString();
    }
    // Every word with its box on its page: the same text in the same places.
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QString::fromStdString(path), QStringLiteral("-")});
    if (!text.waitForFinished(30000) || text.exitCode() != 0) return std::nullopt;
    for (const QString& line : QString::fromUtf8(text.readAllStandardOutput()).split('\n')) {
        if (line.contains(QStringLiteral("<word")) || line.contains(QStringLiteral("<page")))
            facts.text += line.trimmed().toStdString() + "\n";
    }
    return facts;
}

// Closes the modal dialog a command opens once it has been shown for a moment.
void AcceptModalDialogSoon() {
    QTimer::singleShot(500, [] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) dialog->accept();
    });
}

struct PaperCase {
    const char* name;
    bool picked;                       // a paper chosen in the print dialog, else the log's own
    QPageSize::PageSizeId size;
    QPageLayout::Orientation orientation;
    tools::Paper paper;                // the same paper for stracol-render
};

TEST(LogWindow, PrintAndPdfGiveThePagesOfTheCommandLine) {
    const std::vector<PaperCase> cases = {
        {"the log's paper", false, QPageSize::A3, QPageLayout::Portrait, tools::Paper{297, 420}},
        {"A4 picked", true, QPageSize::A4, QPageLayout::Portrait, tools::Paper{210, 297}},
        {"A3 landscape picked", true, QPageSize::A3, QPageLayout::Landscape, tools::Paper{420, 297}},
    };
    for (const PaperCase& c : cases) {
        SCOPED_TRACE(c.name);
        stracol::testing::FrameRig rig;
        auto frame = rig.Start(stracol::testing::DeepLogFile(), StandardLogPainter());
        ASSERT_TRUE(frame);
        frame->show();
        if (c.picked) {
            // As a dialog leaves the printer: its paper, with a layout and margins of its own.
            frame->Printer().setPageLayout(
                QPageLayout(QPageSize(c.size), c.orientation, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
        }
        // PDFに出力.
        const std::string fromWindow = rig.home.File("window.pdf");
        const int written = frame->PrintToPdf(QString::fromStdString(fromWindow));
        // 印刷 to a PDF printer, through the print dialog.
        const std::string printed = rig.home.File("printed.pdf");
        frame->Printer().setOutputFormat(QPrinter::PdfFormat);
        frame->Printer().setOutputFileName(QString::fromStdString(printed));
        AcceptModalDialogSoon();
        frame->RunCommand(kCmdFilePrint);
        // The command line on the same install folder.
        tools::RenderOptions options;
        options.installFolder = rig.home.Path();
        options.paperGiven = c.picked;
        options.paper = c.paper;
        render::FontResolver fonts;
        const std::string fromCommandLine = rig.home.File("command-line.pdf");
        const tools::FileOutcome outcome = tools::RenderFile(stracol::testing::DeepLogFile(), fromCommandLine, options, fonts);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(written, outcome.pages);

        const auto expected = ReadPdf(fromCommandLine);
        if (!expected) GTEST_SKIP() << "pdfinfo or pdftotext not available";
        ASSERT_GE(expected->pages, 2);
        if (!c.picked) {
            EXPECT_NE(expected->pageSize.find("(A3)"), std::string::npos) << expected->pageSize;
        }
        for (const std::string& file : {fromWindow, printed}) {
            SCOPED_TRACE(file);
            const auto facts = ReadPdf(file);
            ASSERT_TRUE(facts);
            EXPECT_EQ(facts->pages, expected->pages);
            EXPECT_EQ(facts->pageSize, expected->pageSize);
            EXPECT_EQ(facts->text, expected->text);
        }
        // The screen shows the same pages.
        EXPECT_EQ(frame->View().PageCount(), expected->pages);
    }
}

// Screenshots for a look (kept beside the test): the window with its page and zoom boxes,
// the log scrolled into its second page, the print dialog and the preview.
TEST(LogWindow, ScreenshotsOfTheWindowTheScrolledLogThePrintDialogAndThePreview) {
    const bool japanese = InstallQtJapanese();
    stracol::testing::FrameRig rig;
    auto frame = rig.Start(stracol::testing::DeepLogFile(), StandardLogPainter());
    ASSERT_TRUE(frame);
    frame->show();
    frame->View().ZoomToFitWidth();
    QApplication::processEvents();
    EXPECT_EQ(frame->PageBox()->text(), "1");
    EXPECT_EQ(frame->ZoomBox()->currentText(), "幅に合わせる");
    const QImage window = frame->grab().toImage();
    EXPECT_TRUE(window.save(QStringLiteral(STRACOL_SCREENSHOT_DIR "/stracol-window-boxes.png")));

    // Scrolled with the wheel's steps until the first page's end and the second page's top
    // are both in sight.
    CSkView& view = frame->View();
    view.SetZoom(0.5);
    const QRect second = view.PageRect(2);
    view.verticalScrollBar()->setValue(second.top() - view.viewport()->height() / 2);
    QApplication::processEvents();
    EXPECT_EQ(frame->PageBox()->text(), "2");
    const QImage scrolled = frame->grab().toImage();
    EXPECT_TRUE(scrolled.save(QStringLiteral(STRACOL_SCREENSHOT_DIR "/stracol-scrolled.png")));
    // Both pages carry ink where they are in sight.
    const QPoint viewAt = view.viewport()->mapTo(frame.get(), QPoint(0, 0));
    const QRect firstOnScreen = view.PageRect(1).translated(-QPoint(view.horizontalScrollBar()->value(),
                                                                    view.verticalScrollBar()->value()) + viewAt);
    const QRect secondOnScreen = second.translated(-QPoint(view.horizontalScrollBar()->value(),
                                                           view.verticalScrollBar()->value()) + viewAt);
    const QRect viewArea(viewAt, view.viewport()->size());
    EXPECT_GT(InkShare(scrolled, firstOnScreen.intersected(viewArea)), 0.01);
    EXPECT_GT(InkShare(scrolled, secondOnScreen.intersected(viewArea)), 0.01);

    // The print dialog, grabbed while it is open.
    QString title;
    QTimer::singleShot(800, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            title = dialog->windowTitle();
            dialog->grab().toImage().save(QStringLiteral(STRACOL_SCREENSHOT_DIR "/stracol-print-dialog.png"));
            dialog->reject();
        }
    });
    frame->RunCommand(kCmdFilePrint);
    EXPECT_FALSE(title.isEmpty());
    if (japanese) {
        EXPECT_EQ(title.toStdString(), "印刷");
    }

    // The preview with its pages.
    QString previewTitle;
    QTimer::singleShot(1500, [&] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            previewTitle = dialog->windowTitle();
            dialog->resize(1000, 800);
            QApplication::processEvents();
            dialog->grab().toImage().save(QStringLiteral(STRACOL_SCREENSHOT_DIR "/stracol-preview.png"));
            dialog->reject();
        }
    });
    frame->RunCommand(kCmdPrintPreview);
    EXPECT_FALSE(previewTitle.isEmpty());
    if (japanese) {
        EXPECT_NE(previewTitle.toStdString(), "Print Preview");
    }
}

}  // namespace
