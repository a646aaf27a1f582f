// The window with the program's own log painter: a corpus file drawn on screen (kept as a
// screenshot beside the test) and printed to PDF.
#include <gtest/gtest.h>

#include <QImage>
#include <QLabel>
#include <QProcess>

#include <filesystem>

#include "gui/GuiTestSupport.h"

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

}  // namespace
