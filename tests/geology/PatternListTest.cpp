#include "geology/PatternList.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stracol::geology {
namespace {

std::string Cp932File(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes.append(core::Utf8ToCp932(l)).append("\r\n");
    return bytes;
}

TEST(PatternList, MissingFileShowsTheBuiltInList) {
    testing::TempDir dir;
    const PatternList list = ReadPatternList(dir.File("PtnvcQX.ndx"));
    EXPECT_TRUE(list.builtIn);
    ASSERT_EQ(list.rows.size(), 84u);
    EXPECT_EQ(list.rows[31].number, "2100");
    EXPECT_EQ(list.rows[31].colour, "0x0000ff");
    EXPECT_EQ(list.rows[60].colour, "0x");
    EXPECT_EQ(list.rows.back().number, "[終了]");
}

struct VersionCase {
    const char* heading;
    bool builtIn;
};

TEST(PatternList, VersionBelow1000GivesTheBuiltInList) {
    const VersionCase cases[] = {
        {"[第１分類 A],,999,,", true},
        {"[第１分類 A],,,,", true},
        {"[第１分類 A],,1000,,", false},
        {"[第１分類 A],,1001,,", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.heading);
        testing::TempDir dir;
        const std::string path =
            dir.Write("PtnvcQX.ndx", Cp932File({c.heading, "300,0x123456,0x4080ff,・,砂", "[終了]"}));
        const PatternList list = ReadPatternList(path);
        EXPECT_EQ(list.builtIn, c.builtIn);
        if (c.builtIn) {
            EXPECT_EQ(list.rows.size(), 84u);
        } else {
            ASSERT_EQ(list.rows.size(), 3u);
            EXPECT_EQ(list.rows[1].colour, "0x123456");
            EXPECT_EQ(list.rows[1].examples, "砂");
        }
    }
}

TEST(PatternList, FileWithoutHeadingGivesTheBuiltInList) {
    testing::TempDir dir;
    const PatternList list = ReadPatternList(dir.Write("PtnvcQX.ndx", std::string("\x89PNG\r\n\x1a\n\0\0", 10)));
    EXPECT_TRUE(list.builtIn);
    EXPECT_EQ(list.rows.size(), 84u);
}

TEST(PatternList, WriteReadRoundTrip) {
    testing::TempDir dir;
    const std::string path = dir.File("PtnvcQX.ndx");
    PatternList list = BuiltInPatternList();
    list.rows[1].colour = "0x00ff00";
    core::RecordingMessages messages;
    ASSERT_TRUE(WritePatternList(path, list, &messages));
    EXPECT_TRUE(messages.Empty());
    const std::string bytes = dir.Read("PtnvcQX.ndx");
    EXPECT_EQ(bytes.rfind(core::Utf8ToCp932("[第１分類 A],,1000,,\r\n100,0x00ff00,0x004080,○ ○,礫\r\n"), 0), 0u);
    EXPECT_NE(bytes.find(core::Utf8ToCp932("{第１分類 B},,,,\r\n")), std::string::npos);

    const PatternList back = ReadPatternList(path);
    EXPECT_FALSE(back.builtIn);
    ASSERT_EQ(back.rows.size(), list.rows.size());
    for (std::size_t i = 0; i < list.rows.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(back.rows[i].number, list.rows[i].number);
        EXPECT_EQ(back.rows[i].colour, list.rows[i].colour);
        EXPECT_EQ(back.rows[i].defaultColour, list.rows[i].defaultColour);
        EXPECT_EQ(back.rows[i].abbreviation, list.rows[i].abbreviation);
        EXPECT_EQ(back.rows[i].examples, list.rows[i].examples);
    }
}

TEST(PatternList, WriteFailureSaysSo) {
    testing::TempDir dir;
    const std::string path = dir.Write("notafolder", "x") + "/PtnvcQX.ndx";
    core::RecordingMessages messages;
    EXPECT_FALSE(WritePatternList(path, BuiltInPatternList(), &messages));
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
}

struct ColourCase {
    const char* text;
    std::optional<std::uint32_t> colour;
};

TEST(PatternList, ColourText) {
    const ColourCase cases[] = {
        {"0x004080", 0x004080u}, {"0x4080ff", 0x4080ffu}, {"0x", 0u},          {" 0x0000FF ", 0x0000ffu},
        {"ff", 0xffu},           {"", std::nullopt},      {"  ", std::nullopt}, {"0xGG", std::nullopt},
        {"0x1234567", std::nullopt}, {"red", std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(ParseColourText(c.text), c.colour);
    }
    EXPECT_EQ(ColourText(0x4080ff), "0x4080ff");
    EXPECT_EQ(ColourText(0), "0x000000");
}

TEST(PatternList, SetColourChecksCodeAndRow) {
    PatternList list = BuiltInPatternList();
    core::RecordingMessages messages;
    EXPECT_FALSE(SetPatternColour(list, 1, "", messages));
    EXPECT_FALSE(SetPatternColour(list, 1, "0xzz", messages));
    EXPECT_EQ(messages.Count("データが無い、または異常・不正です."), 2);
    EXPECT_FALSE(SetPatternColour(list, 0, "0x00ff00", messages));  // a heading
    EXPECT_FALSE(SetPatternColour(list, 84, "0x00ff00", messages));
    EXPECT_EQ(messages.Count("データの位置（行）を指定して下さい"), 2);
    EXPECT_EQ(list.rows[1].colour, "0x004080");

    EXPECT_TRUE(SetPatternColour(list, 1, "0xFF", messages));
    EXPECT_EQ(list.rows[1].colour, "0x0000ff");
    ResetColoursToDefault(list);
    EXPECT_EQ(list.rows[1].colour, "0x004080");
    EXPECT_EQ(list.rows[0].colour, "");
}

}  // namespace
}  // namespace stracol::geology
