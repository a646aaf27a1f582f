// The command line's scale and paging options: the pages they give, the checks they share
// with the scale and depth dialog, and that the settings file stays as it was.

#include "RenderFile.h"

#include <gtest/gtest.h>

#include <QProcess>
#include <QStringList>

#include <filesystem>
#include <string>

#include "app/SystemSettings.h"
#include "core/Cp932.h"
#include "render/FontResolver.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"
#include "support/TestData.h"

using stracol::testing::TempDir;
using stracol::tools::PageOptions;
using stracol::tools::RenderOptions;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("PageOptionsTest");

// The 80.16 m log of the test data.
std::string DeepLog() { return stracol::testing::TestDataFile("v300/fukui_18000149251500001_BED0001.XML"); }

// A home folder with a settings file of its own (depth per page left to the paper).
void WriteSettings(const TempDir& home, int pageDepth = 0, int overlap = 0, int topMarginMm = 5) {
    stracol::app::SystemSettings s;
    s.TopMargin = topMarginMm;
    s.PageDepth = pageDepth;
    s.PageOverlapDepth = overlap;
    std::string text;
    for (const std::string& line : stracol::app::SystemSettingsLines(s)) text += line + "\r\n";
    home.Write("SysQXV.ndx", stracol::core::Utf8ToCp932(text));
}

}  // namespace

TEST(PageOptions, ScaleAndPagingGiveThePages) {
    struct Case {
        const char* name;
        PageOptions page;
        int pages;
    };
    PageOptions scale200;
    scale200.horizontalScale = scale200.depthScale = 200;
    PageOptions depthOnly;
    depthOnly.depthScale = 200;
    PageOptions from10;
    from10.printStartDepth = 10;
    from10.depthPerPage = 20;
    PageOptions overlap;
    overlap.depthPerPage = 20;
    overlap.pageOverlap = 5;
    PageOptions above;
    above.printStartDepth = -10;
    above.depthPerPage = 30;
    const Case cases[] = {
        {"settings (27 m a page on A3)", PageOptions{}, 3},
        {"--scale 200 (54 m a page)", scale200, 2},
        {"--depth-scale 200", depthOnly, 2},
        {"--from 10 --page-depth 20: 10, 30, 50, 70", from10, 4},
        {"--page-depth 20 --overlap 5: 0, 15, 30, 45, 60, 75 (80.16 m ends past 80)", overlap, 6},
        {"--from -10 --page-depth 30", above, 4},
    };
    TempDir home;
    WriteSettings(home);
    const std::string settingsBefore = home.Read("SysQXV.ndx");
    stracol::render::FontResolver fonts(nullptr);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RenderOptions options;
        options.installFolder = home.Path();
        options.page = c.page;
        std::string error;
        std::vector<std::string> warnings;
        ASSERT_TRUE(stracol::tools::CheckPageOptions(options, error, warnings)) << error;
        EXPECT_TRUE(warnings.empty());
        const auto outcome = stracol::tools::RenderFile(DeepLog(), home.File("out.pdf"), options, fonts);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        EXPECT_EQ(outcome.pages, c.pages);
    }
    EXPECT_EQ(home.Read("SysQXV.ndx"), settingsBefore);
}

TEST(PageOptions, ChecksOfTheDialog) {
    struct Case {
        const char* name;
        PageOptions page;
        int settingsOverlap;
        int topMarginMm;
        bool accepted;
        const char* warning;
    };
    PageOptions deep;
    deep.depthPerPage = 50;          // 27 m fit an A3 page at 1/100
    PageOptions fits;
    fits.depthPerPage = 37;          // 27 + 10 is not smaller
    PageOptions deepAt200;
    deepAt200.depthScale = 200;
    deepAt200.depthPerPage = 50;     // 54 m fit at 1/200
    PageOptions equal;
    equal.depthPerPage = 5;
    equal.pageOverlap = 5;
    PageOptions settingsOverlap;
    settingsOverlap.depthPerPage = 3;
    const Case cases[] = {
        {"too deep: warned, drawn", deep, 0, 5, true, "1ページの印刷深度は\n約 27 (m)です"},
        {"37 m: no warning", fits, 0, 5, true, nullptr},
        {"37 m below a top margin of 25 mm: 25 m fit", fits, 0, 25, true, "1ページの印刷深度は\n約 25 (m)です"},
        {"50 m at 1/200", deepAt200, 0, 5, true, nullptr},
        {"overlap 5 of 5", equal, 0, 5, false, nullptr},
        {"the settings' overlap 4 of 3", settingsOverlap, 4, 5, false, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir home;
        WriteSettings(home, 0, c.settingsOverlap, c.topMarginMm);
        RenderOptions options;
        options.installFolder = home.Path();
        options.page = c.page;
        std::string error;
        std::vector<std::string> warnings;
        EXPECT_EQ(stracol::tools::CheckPageOptions(options, error, warnings), c.accepted);
        EXPECT_EQ(error.empty(), c.accepted);
        if (c.warning) {
            ASSERT_EQ(warnings.size(), 1u);
            EXPECT_EQ(warnings[0], c.warning);
        } else {
            EXPECT_TRUE(warnings.empty());
        }
    }
}

TEST(PageOptions, CommandLine) {
    TempDir home;
    WriteSettings(home, 0, 0);
    const std::string settingsBefore = home.Read("SysQXV.ndx");
    struct Case {
        QStringList arguments;
        int exitCode;
        const char* stderrHas;
        int pngPages;   // 0: none expected
    };
    const QString out = QString::fromStdString(home.File("log.png"));
    const QString log = QString::fromStdString(DeepLog());
    const QStringList common = {"--home", QString::fromStdString(home.Path()), "--format", "png", "--dpi", "10", "-o", out};
    const Case cases[] = {
        {{"--scale", "20", log}, 2, "--scale 20: 25 から 1000 までの整数を入力してください。", 0},
        {{"--depth-scale=1200", log}, 2, "25 から 1000 までの整数を入力してください。", 0},
        {{"--from", "深い", log}, 2, "--from 深い: 数値を入力してください。", 0},
        {{"--page-depth", "0", log}, 2, "1 から 400 までの整数を入力してください。", 0},
        {{"--overlap", "11", log}, 2, "0 から 10 までの整数を入力してください。", 0},
        {{"--page-depth", "10", "--overlap", "10", log}, 2, "must be smaller than the depth per page", 0},
        {{"--scale", "200", log}, 0, nullptr, 2},
        // --depth-scale sets the depth scale whichever comes first.
        {{"--depth-scale", "200", "--scale", "100", log}, 0, nullptr, 2},
        {{"--scale", "100", "--depth-scale=200", log}, 0, nullptr, 2},
        {{"--scale", "50", log}, 0, nullptr, 7},   // 13 m a page
        {{"--from", "10", "--page-depth", "20", log}, 0, nullptr, 4},
        {{"--page-depth", "50", log}, 0, "1ページの印刷深度は\n約 27 (m)です", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        std::error_code ec;
        for (const auto& entry : std::filesystem::directory_iterator(home.Path(), ec))
            if (entry.path().extension() == ".png") std::filesystem::remove(entry.path(), ec);
        QProcess run;
        run.start(QStringLiteral(STRACOL_RENDER_PROGRAM), common + c.arguments);
        ASSERT_TRUE(run.waitForFinished(120000));
        EXPECT_EQ(run.exitCode(), c.exitCode);
        const std::string err = QString::fromUtf8(run.readAllStandardError()).toStdString();
        if (c.stderrHas) {
            EXPECT_NE(err.find(c.stderrHas), std::string::npos) << err;
        }
        int pages = 0;
        for (const auto& entry : std::filesystem::directory_iterator(home.Path(), ec))
            if (entry.path().extension() == ".png") ++pages;
        EXPECT_EQ(pages, c.pngPages);
    }
    EXPECT_EQ(home.Read("SysQXV.ndx"), settingsBefore);
}
