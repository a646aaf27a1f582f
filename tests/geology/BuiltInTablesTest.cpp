#include "geology/BuiltInTables.h"

#include "core/Cp932.h"

#include <gtest/gtest.h>

#include <string>

namespace stracol::geology {
namespace {

TEST(BuiltInTables, HoldAllRows) {
    EXPECT_EQ(BuiltInMasterRows().size(), 116u);
    EXPECT_EQ(BuiltInPatternRows().size(), 84u);
}

struct MasterSample {
    std::size_t index;
    const char* name;
    const char* symbol;
    const char* pattern;
    const char* bitmap;
};

TEST(BuiltInTables, MasterRowsMatchTheListedValues) {
    const MasterSample samples[] = {
        {0, "[第１分類]", "", "660", ""},
        {1, "礫質土", "GF", "200.1", "200.1"},
        {2, "礫", "G", "3300.1", "100.1"},
        {8, "砂", "S", "300.1", "300.1"},
        {12, "シルト", "M", "500.2", "500.2"},
        {14, "粘土", "CL", "1300.2", "1300.2"},
        {18, "高有機質土", "Pt", "900.0", "900.0"},
        {25, "玉石", "B", "6800.0", "10094.0"},
        {30, "火山灰", "VA", "8400.0", "1200.0"},
        {31, "黒ボク", "Kb", "8600.2", "10060.2"},
        {35, "泥岩", "Ms", "4300.0", "4300.0"},
        {41, "はんれい岩", "Ga", "2300.0", "2300.0"},
        {54, "緑色岩", "Grr", "3100.0", "3100.0"},
        {58, "泥岩", "Ms", "4300.0", "4300.0"},
        {65, "砂岩等の互層", "Al", "4600.0", "4600.0"},
        {77, "石英片岩", "QSch", "6100.0", "6100.0"},
        {83, "ホルンフェルス", "Hr", "6300.0", "6300.0"},
        {84, "空洞", "CV", "9900.0", "9900.0"},
        {85, "{第１分類 岩石材料その他}", "", "v", "b"},
        {87, "埋土", "FI", "10001.0", "10001.0"},
        {96, "風化岩", "WR", "10093.0", "10093.0"},
        {97, "[第２分類]", "", "", ""},
        {98, "玉石混じり", "-B", "1.0", "1.0"},
        {107, "貝殻混じり", "-Sh", "8.0", "8.0"},
        {108, "[第３分類]", "", "", ""},
        {111, "シルト質", "M", "20.0", "20.0"},
        {114, "火山灰質", "V", "50.0", "50.0"},
        {115, "[終了]", "", "", ""},
    };
    const auto rows = BuiltInMasterRows();
    for (const auto& s : samples) {
        SCOPED_TRACE(s.index);
        ASSERT_LT(s.index, rows.size());
        const auto& r = rows[s.index];
        EXPECT_EQ(r.name, s.name);
        EXPECT_EQ(r.symbol, s.symbol);
        EXPECT_EQ(r.pattern, s.pattern);
        EXPECT_EQ(r.bitmap, s.bitmap);
    }
}

struct PatternSample {
    std::size_t index;
    const char* number;
    const char* colour;
    const char* defaultColour;
    const char* abbreviation;
    const char* examples;
};

TEST(BuiltInTables, PatternRowsMatchTheListedValues) {
    const PatternSample samples[] = {
        {0, "[第１分類 A]", "", "1000", "", ""},
        {1, "100", "0x004080", "0x004080", "○ ○", "礫"},
        {3, "3400", "0x004080", "0x004080", "o　o　o", "中礫"},
        {7, "300", "0x4080ff", "0x4080ff", "・.・.・", "砂"},
        {18, "900", "0x800080", "0x800080", "ｒ ｒ ｒ", "高有機質土腐植土"},
        {29, "8600", "0x800080", "0x800080", "＼||／", "黒ボク"},
        {31, "2100", "0x0000ff", "0x0000ff", "＋＋＋", "花崗岩、石英閃緑岩、花崗閃緑岩"},
        {47, "4600", "0xff0000", "0xff0000", "_…_", "砂岩泥岩頁岩粘板岩等の互層"},
        {57, "6400", "0x404000", "0x404000", "≒", ""},
        {58, "9900", "0x", "0x", "(空白)", "空洞"},
        {59, "{第１分類 B}", "", "", "", ""},
        {60, "10000", "0x", "0x", "×", "表土 盛土"},
        {67, "10093", "0x", "0x", "：：：：：", "軟岩 風化岩"},
        {70, "2", "0x004080", "0x004080", "o", "砂利混じり礫混じり"},
        {76, "8", "0x800080", "0x800080", "@", "貝殻混じり"},
        {82, "50", "0x4080ff", "0x4080ff", "～", "火山灰質"},
        {83, "[終了]", "", "", "", ""},
    };
    const auto rows = BuiltInPatternRows();
    for (const auto& s : samples) {
        SCOPED_TRACE(s.index);
        ASSERT_LT(s.index, rows.size());
        const auto& r = rows[s.index];
        EXPECT_EQ(r.number, s.number);
        EXPECT_EQ(r.colour, s.colour);
        EXPECT_EQ(r.defaultColour, s.defaultColour);
        EXPECT_EQ(r.abbreviation, s.abbreviation);
        EXPECT_EQ(r.examples, s.examples);
    }
}

// The tables seed files written in CP932: a character CP932 cannot hold would turn into "?".
TEST(BuiltInTables, EveryTextSurvivesCp932) {
    auto check = [](std::string_view text) {
        EXPECT_EQ(core::Cp932ToUtf8(core::Utf8ToCp932(text)), text) << text;
    };
    for (const auto& r : BuiltInMasterRows()) {
        check(r.name);
        check(r.symbol);
        check(r.pattern);
        check(r.bitmap);
    }
    for (const auto& r : BuiltInPatternRows()) {
        check(r.number);
        check(r.colour);
        check(r.defaultColour);
        check(r.abbreviation);
        check(r.examples);
    }
}

// Written lines must fit the line limits the readers apply (master 80 bytes, patterns 100).
TEST(BuiltInTables, RowsFitTheFileLineLimits) {
    for (const auto& r : BuiltInMasterRows()) {
        std::string line = std::string(r.name) + "," + std::string(r.symbol) + "," + std::string(r.pattern) + "," +
                           std::string(r.bitmap);
        EXPECT_LE(core::Cp932Width(line), 80u) << line;
    }
    for (const auto& r : BuiltInPatternRows()) {
        std::string line = std::string(r.number) + "," + std::string(r.colour) + "," + std::string(r.defaultColour) +
                           "," + std::string(r.abbreviation) + "," + std::string(r.examples);
        EXPECT_LE(core::Cp932Width(line), 100u) << line;
        EXPECT_EQ(std::string(r.abbreviation).find(','), std::string::npos) << line;
        EXPECT_EQ(std::string(r.examples).find(','), std::string::npos) << line;
    }
}

}  // namespace
}  // namespace stracol::geology
