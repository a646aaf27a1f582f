// Drawing one file from the command line: a depth beyond any real borehole is refused with a
// message instead of a log of millions of pages.

#include "RenderFile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

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

}  // namespace
