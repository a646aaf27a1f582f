#include "geology/PatternColours.h"

#include "core/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>

namespace stracol::geology {
namespace {

struct ColourCase {
    long number;
    std::uint32_t colour;
};

TEST(PatternColours, BuiltInColours) {
    const PatternColours colours = BuiltInPatternColours();
    EXPECT_EQ(colours.entries.size(), 79u);  // 84 rows less 5 headings
    const ColourCase cases[] = {
        {2100, 0x0000ff}, {300, 0x4080ff}, {100, 0x004080}, {700, 0x800080}, {6100, 0x404000},
        {10000, 0},       {10093, 0},      {9900, 0},       {8, 0x800080},   {50, 0x4080ff},
        {12345, 0},       {-1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        EXPECT_EQ(colours.ColourOf(c.number), c.colour);
    }
}

TEST(PatternColours, MissingFileGivesTheBuiltInColours) {
    testing::TempDir dir;
    const PatternColours colours = LoadPatternColours(dir.File("PtnvcQX.ndx"));
    EXPECT_EQ(colours.entries.size(), 79u);
    EXPECT_EQ(colours.ColourOf(2100), 0x0000ffu);
}

TEST(PatternColours, FileSkipsHeadingsAndKeeps110Pairs) {
    testing::TempDir dir;
    std::string bytes = core::Utf8ToCp932("[第１分類 A],,1000,,\r\nx\r\n300,0x00ff00,0x4080ff,・,砂\r\n{第１分類 B}\r\n");
    bytes += "400,0xq1,0x4080ff\r\n";
    for (int i = 1; i <= 120; ++i) bytes.append(std::to_string(1000 + i)).append(",0x000001\r\n");
    const PatternColours colours = LoadPatternColours(dir.Write("PtnvcQX.ndx", bytes));
    ASSERT_EQ(colours.entries.size(), 110u);
    EXPECT_EQ(colours.ColourOf(300), 0x00ff00u);
    EXPECT_EQ(colours.ColourOf(400), 0u);        // an unreadable colour is black
    EXPECT_EQ(colours.ColourOf(1108), 1u);       // the 110th pair
    EXPECT_EQ(colours.ColourOf(1109), 0u);       // beyond the table
    EXPECT_EQ(colours.ColourOf(2100), 0u);       // the file replaces the built-in list
}

}  // namespace
}  // namespace stracol::geology
