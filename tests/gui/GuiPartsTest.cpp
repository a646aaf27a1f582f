// The desktop program's pieces that need no window: command line, recent files, held-back
// messages, window size, the Open dialog's filters, the printer's paper, start-up paper and
// the log's paper, and the pagination for a paper.
#include <gtest/gtest.h>

#include <QPageSize>
#include <QPrinter>
#include <QSettings>

#include "app/Workspace.h"
#include "gui/CSkDoc.h"
#include "gui/CommandTable.h"
#include "gui/DeferredMessages.h"
#include "gui/PrintRoad.h"
#include "gui/RecentFiles.h"
#include "gui/Startup.h"
#include "gui/GuiTestSupport.h"
#include "support/TempDir.h"

using namespace stracol;
using namespace stracol::gui;

namespace {

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new stracol::testing::WidgetEnvironment);

struct CommandLineCase {
    QStringList arguments;
    QString home;
    QString file;
    bool help;
    bool version;
    bool error;
};

TEST(ParseCommandLine, ReadsHomeFileAndOptions) {
    const std::vector<CommandLineCase> cases = {
        {{"stracol"}, "", "", false, false, false},
        {{"stracol", "a.xml"}, "", "a.xml", false, false, false},
        {{"stracol", "--home", "/h", "a.xml"}, "/h", "a.xml", false, false, false},
        {{"stracol", "a.xml", "--home=/h"}, "/h", "a.xml", false, false, false},
        {{"stracol", "--help"}, "", "", true, false, false},
        {{"stracol", "--version"}, "", "", false, true, false},
        {{"stracol", "--home"}, "", "", false, false, true},
        {{"stracol", "--colour"}, "", "", false, false, true},
        {{"stracol", "a.xml", "b.xml"}, "", "a.xml", false, false, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = ParseCommandLine(c.arguments);
        EXPECT_EQ(line.home, c.home);
        EXPECT_EQ(line.file, c.file);
        EXPECT_EQ(line.help, c.help);
        EXPECT_EQ(line.version, c.version);
        EXPECT_EQ(!line.error.isEmpty(), c.error);
    }
}

TEST(MainFrameSize, IsTruncatedShareOfTheScreen) {
    EXPECT_EQ(MainFrameSize(QSize(1920, 1080)), QSize(1651, 864));
    EXPECT_EQ(MainFrameSize(QSize(1280, 1024)), QSize(1100, 819));
    EXPECT_EQ(MainFrameSize(QSize(800, 600)), QSize(688, 480));
}

TEST(CommandTable, SplitsCaptionAndShortcut) {
    EXPECT_EQ(CaptionText("開く(&O)...\tCtrl+O"), "開く(&O)...");
    EXPECT_EQ(ShortcutText("開く(&O)...\tCtrl+O"), "Ctrl+O");
    EXPECT_EQ(CaptionText("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), "印刷ﾌﾟﾚﾋﾞｭｰ(&V)");
    EXPECT_EQ(ShortcutText("印刷ﾌﾟﾚﾋﾞｭｰ(&V)"), "");
    EXPECT_EQ(PagePaneText(2, 5), "ページ 2 / 5");
}

TEST(RecentFiles, KeepsFourNewestFirstAcrossSessions) {
    stracol::testing::TempDir dir;
    const QString ini = QString::fromStdString(dir.File("recent.ini"));
    {
        QSettings store(ini, QSettings::IniFormat);
        RecentFiles recent(&store);
        for (const char* name : {"/d/1.xml", "/d/2.xml", "/d/3.xml", "/d/4.xml", "/d/5.xml"}) recent.Add(name);
        recent.Add("/d/3.xml");  // again: moves to the front, not a second entry
        EXPECT_EQ(recent.Files(), QStringList({"/d/3.xml", "/d/5.xml", "/d/4.xml", "/d/2.xml"}));
    }
    QSettings store(ini, QSettings::IniFormat);
    RecentFiles reopened(&store);
    EXPECT_EQ(reopened.Files(), QStringList({"/d/3.xml", "/d/5.xml", "/d/4.xml", "/d/2.xml"}));
    reopened.Remove("/d/5.xml");
    RecentFiles again(&store);
    EXPECT_EQ(again.Files(), QStringList({"/d/3.xml", "/d/4.xml", "/d/2.xml"}));
}

TEST(RecentFiles, StoresAbsolutePaths) {
    RecentFiles recent(nullptr);
    recent.Add("relative.xml");
    ASSERT_EQ(recent.Files().size(), 1);
    EXPECT_TRUE(recent.Files()[0].startsWith('/'));
    EXPECT_TRUE(recent.Files()[0].endsWith("/relative.xml"));
}

TEST(DeferredMessages, HoldsMessagesUntilFlushedAndAnswersNo) {
    core::RecordingMessages target;
    DeferredMessages held(target);
    held.Warning("first");
    EXPECT_FALSE(held.Ask("question?"));
    EXPECT_TRUE(target.Empty());
    EXPECT_TRUE(held.HasPending());
    held.Flush();
    ASSERT_EQ(target.entries.size(), 2u);
    EXPECT_EQ(target.entries[0].text, "first");
    EXPECT_EQ(target.entries[1].text, "question?");
    EXPECT_FALSE(held.HasPending());
    held.Flush();
    EXPECT_EQ(target.entries.size(), 2u);  // each shown once
}

TEST(OpenDialog, FiltersCarryTheCaptionsAndMatchEitherCase) {
    const QStringList filters = CSkDoc::OpenFilters();
    ASSERT_EQ(filters.size(), 3);
    EXPECT_TRUE(filters[0].startsWith("Tessel v1(*.tlw) XML(*.xml) ("));
    EXPECT_TRUE(filters[1].startsWith("JACIC版 岩盤 地すべり 港湾 Pillarbook ("));
    EXPECT_TRUE(filters[2].startsWith("すべて(*.*) ("));
    // Exchange files are often named BED0001.XML.
    for (const char* pattern : {"*.xml", "*.XML", "*.tlw"}) EXPECT_TRUE(filters[0].contains(pattern)) << pattern;
    for (const char* pattern : {"*.jdw", "*.gdw", "*.bdw", "*.hdw", "*.bor", "*.gan", "*.db", "*.JDW"})
        EXPECT_TRUE(filters[1].contains(pattern)) << pattern;
    EXPECT_STREQ(CSkDoc::kDefaultExtension, "tlw");
}

TEST(PrinterPaper, IsTheTruncatedPhysicalPaperInMillimetres) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    PaperMm portrait = PrinterPaperMm(printer);
    EXPECT_GE(portrait.widthMm, 209);
    EXPECT_LE(portrait.widthMm, 210);
    EXPECT_GE(portrait.lengthMm, 296);
    EXPECT_LE(portrait.lengthMm, 297);
    printer.setPageOrientation(QPageLayout::Landscape);
    PaperMm landscape = PrinterPaperMm(printer);
    EXPECT_EQ(landscape.widthMm, portrait.lengthMm);
    EXPECT_EQ(landscape.lengthMm, portrait.widthMm);
}

TEST(PrinterPaper, IsTheWholeMillimetresOfThePageSizeAtAnyResolution) {
    struct Case {
        QPageSize::PageSizeId size;
        QPageLayout::Orientation orientation;
        int widthMm, lengthMm;
    };
    const std::vector<Case> cases = {
        {QPageSize::A3, QPageLayout::Portrait, 297, 420},
        {QPageSize::A3, QPageLayout::Landscape, 420, 297},
        {QPageSize::A4, QPageLayout::Portrait, 210, 297},
    };
    for (const Case& c : cases) {
        // At 1200 dpi 297 mm is 14031.5 pixels: truncated pixels would give 296 mm.
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(c.size));
        printer.setPageOrientation(c.orientation);
        const PaperMm paper = PrinterPaperMm(printer);
        EXPECT_EQ(paper.widthMm, c.widthMm);
        EXPECT_EQ(paper.lengthMm, c.lengthMm);
    }
}

TEST(LogPaper, IsTheStartupPaperWhenEnabledElseA3PortraitOnTheWholeSheet) {
    struct Case {
        int enabled, size, orientation;
        QPageSize::PageSizeId expectedSize;
        QPageLayout::Orientation expectedOrientation;
    };
    const std::vector<Case> cases = {
        {0, 1, 1, QPageSize::A3, QPageLayout::Portrait},
        {1, 1, 1, QPageSize::A4, QPageLayout::Landscape},
        {1, 0, 1, QPageSize::A3, QPageLayout::Landscape},
        {1, 2, 0, QPageSize::A3, QPageLayout::Portrait},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.enabled << "," << c.size << "," << c.orientation);
        app::SystemSettings settings;
        settings.StartupPaperEnabled = c.enabled;
        settings.StartupPaperSize = c.size;
        settings.StartupOrientation = c.orientation;
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        ApplyLogPaper(printer, settings);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), c.expectedSize);
        EXPECT_EQ(printer.pageLayout().orientation(), c.expectedOrientation);
        EXPECT_TRUE(printer.fullPage());
        EXPECT_EQ(printer.pageLayout().margins(QPageLayout::Millimeter), QMarginsF(0, 0, 0, 0));
    }
}

TEST(PaginateForPaper, DepthPerPageFollowsThePaperUnlessTheSettingsFixIt) {
    struct Case {
        int settingsPageDepth;
        bool follows;
    };
    for (const Case c : {Case{0, true}, Case{20, false}}) {
        SCOPED_TRACE(c.settingsPageDepth);
        app::Workspace w;
        w.settings.PageDepth = c.settingsPageDepth;
        render::ApplyPageSettings(w.geometry, w.settings);
        PaginateForPaper(w, PaperMm{297, 420});
        const int onA3 = w.geometry.depthPerPage;
        EXPECT_GT(onA3, 0);
        w.geometry.maxDepth = 80;
        w.geometry.currentPage = 2;
        PaginateForPaper(w, PaperMm{210, 297});
        EXPECT_EQ(w.geometry.paperLengthMm, 297);
        if (c.follows) {
            EXPECT_EQ(w.geometry.depthPerPage,
                      render::PrintableDepthPerPage(w.geometry, 297 - render::kPaperUnusableMm, w.geometry.titleHeight,
                                                    w.geometry.depthScale, w.geometry.depthOnlyScaled));
            EXPECT_LT(w.geometry.depthPerPage, onA3);
            EXPECT_EQ(w.geometry.currentPage, 1);
        } else {
            EXPECT_EQ(w.geometry.depthPerPage, c.settingsPageDepth);
        }
        // The same paper again changes nothing.
        w.geometry.currentPage = 2;
        const int before = w.geometry.depthPerPage;
        PaginateForPaper(w, PaperMm{210, 297});
        EXPECT_EQ(w.geometry.depthPerPage, before);
        EXPECT_EQ(w.geometry.currentPage, 2);
    }
}

struct StartupPaperCase {
    int enabled, size, orientation;
    bool applied;
    QPageSize::PageSizeId expectedSize;
    QPageLayout::Orientation expectedOrientation;
};

TEST(StartupPaper, AppliedOnlyWhenEnabledWithValidValues) {
    const std::vector<StartupPaperCase> cases = {
        {1, 0, 0, true, QPageSize::A3, QPageLayout::Portrait},
        {1, 1, 1, true, QPageSize::A4, QPageLayout::Landscape},
        {1, 0, 1, true, QPageSize::A3, QPageLayout::Landscape},
        {0, 0, 1, false, QPageSize::Letter, QPageLayout::Portrait},
        {1, 2, 0, false, QPageSize::Letter, QPageLayout::Portrait},
        {1, 0, -1, false, QPageSize::Letter, QPageLayout::Portrait},
        {2, 0, 0, false, QPageSize::Letter, QPageLayout::Portrait},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.enabled << "," << c.size << "," << c.orientation);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setPageSize(QPageSize(QPageSize::Letter));
        printer.setPageOrientation(QPageLayout::Portrait);
        EXPECT_EQ(ApplyStartupPaper(printer, c.enabled, c.size, c.orientation), c.applied);
        EXPECT_EQ(printer.pageLayout().pageSize().id(), c.expectedSize);
        EXPECT_EQ(printer.pageLayout().orientation(), c.expectedOrientation);
    }
}

}  // namespace
