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
        bool drawn;
    } cases[] = {{"1.5", true}, {"1000000000", false}, {"1e18", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.depth);
        std::string changed = xml;
        changed.replace(value, end - value, c.depth);
        const std::string input = dir.Write("deep.xml", changed);
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
    }
}

}  // namespace
