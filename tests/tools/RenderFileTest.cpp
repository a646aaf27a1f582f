// Drawing one file from the command line: a depth beyond any real borehole is refused with a
// message instead of a log of millions of pages.

#include "RenderFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <vector>
#include <sstream>
#include <string>

#include <QImage>

#include "geology/NameMaster.h"
#include "render/FontResolver.h"
#include "support/GuiTestEnvironment.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("RenderFileTest");

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

// A depth beyond any real borehole is refused by the reader, naming the file and the field: the
// log is drawn without that layer. A real depth that would still make more pages than any log
// has (9,999 m at 1 m a page) is refused with the page limit as the reason.
TEST(RenderFile, ADepthBeyondAnyBoreholeIsRefusedWithTheReason) {
    const std::string source = stracol::testing::TestDataFile("v300/fukui_18000103101301603_BED0001.XML");
    std::string xml = ReadAll(source);
    const std::string tag = "<岩石土区分_下端深度>";
    const std::size_t at = xml.find(tag);
    ASSERT_NE(at, std::string::npos);
    const std::size_t value = at + tag.size();
    const std::size_t end = xml.find('<', value);
    stracol::testing::TempDir dir;
    struct Case {
        const char* depth;
        int pageDepthM;  // 0: from the paper
        bool drawn;
        bool skipped;    // the layer is skipped with a message naming the field
    } cases[] = {{"1.5", 0, true, false}, {"1000000000", 0, true, true}, {"1e18", 0, true, true}, {"9999", 1, false, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        std::string changed = xml;
        changed.replace(value, end - value, c.depth);
        const std::string input = dir.Write("deep.xml", changed);
        dir.Write("SysQXV.ndx", "500\r\n" + std::string(42, '\n') + std::to_string(c.pageDepthM) + "\r\n");
        stracol::tools::RenderOptions options;
        options.installFolder = dir.Path();
        stracol::render::FontResolver fonts;
        const stracol::tools::FileOutcome outcome =
            stracol::tools::RenderFile(input, dir.File("deep.pdf"), options, fonts);
        EXPECT_EQ(outcome.ok, c.drawn) << outcome.error;
        if (!c.drawn) {
            EXPECT_NE(outcome.error.find("pages"), std::string::npos) << outcome.error;
            EXPECT_NE(outcome.error.find(std::to_string(stracol::tools::kMaxPagesPerFile)), std::string::npos)
                << outcome.error;
        }
        bool named = false;
        for (const std::string& message : outcome.messages)
            named = named || (message.find(input) != std::string::npos &&
                              message.find(std::string("岩石土区分_下端深度「") + c.depth + "」") != std::string::npos);
        EXPECT_EQ(named, c.skipped);
    }
}

// The text of every <text> element of an SVG page.
std::vector<std::string> SvgTexts(const std::string& svg) {
    std::vector<std::string> texts;
    for (std::size_t at = svg.find("<text"); at != std::string::npos; at = svg.find("<text", at + 1)) {
        const std::size_t open = svg.find('>', at);
        const std::size_t close = svg.find("</text>", open);
        if (open == std::string::npos || close == std::string::npos) break;
        std::string text = svg.substr(open + 1, close - open - 1);
        // Trim the layout white space around the element's text.
        const auto first = text.find_first_not_of(" \n\r\t");
        const auto last = text.find_last_not_of(" \n\r\t");
        texts.push_back(first == std::string::npos ? std::string() : text.substr(first, last - first + 1));
    }
    return texts;
}

bool Contains(const std::vector<std::string>& texts, const std::string& text) {
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

TEST(RenderFile, FooterOptionsPrintThePageNumberOnEveryPage) {
    const std::string input = stracol::testing::TestDataFile("v300/fukui_18000149251500001_BED0001.XML");
    stracol::testing::TempDir dir;
    // A stored footer of the install folder: the options given replace its fields.
    dir.Write("SyPageV.ndx", "1000\r\n\r\n7\r\n-\r\n1\r\n0.0\r\n2.0\r\n1\r\n0.0\r\n");
    struct Case {
        const char* what;
        stracol::tools::FooterOptions footer;
        std::vector<std::string> expected;
    };
    stracol::tools::FooterOptions numbers;
    numbers.prefix = "(";
    numbers.startNumber = "1";
    numbers.suffix = ")";
    stracol::tools::FooterOptions start;
    start.startNumber = "21";
    const Case cases[] = {
        {"stored footer", {}, {"7-", "8-", "9-"}},
        {"all three fields", numbers, {"(1)", "(2)", "(3)"}},
        {"start only", start, {"21-", "22-", "23-"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        stracol::tools::RenderOptions options;
        options.installFolder = dir.Path();
        options.format = stracol::tools::OutputFormat::Svg;
        options.footer = c.footer;
        stracol::render::FontResolver fonts;
        const auto outcome = stracol::tools::RenderFile(input, dir.File("log.svg"), options, fonts);
        ASSERT_TRUE(outcome.ok) << outcome.error;
        ASSERT_EQ(outcome.files.size(), 3u);
        for (std::size_t page = 0; page < 3; ++page) {
            const auto texts = SvgTexts(ReadAll(outcome.files[page]));
            for (std::size_t other = 0; other < 3; ++other)
                EXPECT_EQ(Contains(texts, c.expected[other]), other == page) << "page " << page + 1;
        }
    }
}

TEST(RenderFile, AMasterOfTheInstallFolderChangesThePatternDrawn) {
    const std::string input = stracol::testing::TestDataFile("v300/fukui_18000149251500001_BED0001.XML");
    stracol::testing::TempDir dir;
    auto drawPage = [&](const std::string& name) {
        stracol::tools::RenderOptions options;
        options.installFolder = dir.Path();
        options.format = stracol::tools::OutputFormat::Png;
        options.pages = {1};
        stracol::render::FontResolver fonts;
        const auto outcome = stracol::tools::RenderFile(input, dir.File(name), options, fonts);
        EXPECT_TRUE(outcome.ok) << outcome.error;
        QImage image(QString::fromStdString(outcome.files.empty() ? std::string() : outcome.files[0]));
        EXPECT_FALSE(image.isNull());
        return image;
    };
    const QImage builtIn = drawPage("built-in.png");
    // シルト (pattern 500 in the built-in master, layers 2, 4, 7 …) gets pattern 300.
    stracol::geology::NameMaster master = stracol::geology::BuiltInNameMaster();
    bool changed = false;
    for (auto& row : master.rows)
        if (row.name == "シルト") {
            row.patternNumber = 300;
            changed = true;
        }
    ASSERT_TRUE(changed);
    ASSERT_TRUE(stracol::geology::WriteNameMaster(dir.File("WdtvTSL.mst"), master, nullptr));
    const QImage edited = drawPage("edited.png");
    ASSERT_EQ(builtIn.size(), edited.size());
    EXPECT_NE(builtIn, edited);
    // The same master again draws the same page.
    EXPECT_EQ(drawPage("again.png"), edited);
}

TEST(RenderFile, FooterPlacementOptions) {
    stracol::render::FooterSettings footer;
    struct Case {
        const char* what;
        std::function<void(stracol::tools::FooterOptions&)> set;
        int positionMode;
        int horizontalMode;
    } cases[] = {
        {"nothing given", [](auto&) {}, 1, 1},
        {"top", [](auto& o) { o.topMm = 400; }, 0, 1},
        {"below", [](auto& o) { o.belowLogMm = 5; }, 1, 1},
        {"left", [](auto& o) { o.leftMm = 20; }, 1, 0},
        {"left then centred", [](auto& o) { o.leftMm = 20; o.centred = true; }, 1, 1},
    };
    for (const Case& c : cases) {
        stracol::tools::FooterOptions options;
        c.set(options);
        stracol::render::FooterSettings f = footer;
        stracol::tools::ApplyFooterOptions(options, f);
        EXPECT_EQ(f.positionMode, c.positionMode) << c.what;
        EXPECT_EQ(f.horizontalMode, c.horizontalMode) << c.what;
        EXPECT_DOUBLE_EQ(f.topDistanceMm, options.topMm.value_or(footer.topDistanceMm)) << c.what;
        EXPECT_DOUBLE_EQ(f.belowLogMm, options.belowLogMm.value_or(footer.belowLogMm)) << c.what;
        EXPECT_DOUBLE_EQ(f.leftDistanceMm, options.leftMm.value_or(footer.leftDistanceMm)) << c.what;
    }
}

}  // namespace
