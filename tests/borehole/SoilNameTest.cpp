#include "borehole/SoilName.h"

#include <gtest/gtest.h>

#include "geology/NameMaster.h"

#include <string>
#include <vector>

namespace stracol::borehole {
namespace {

using geology::NameTable;

struct DecomposeCase {
    const char* name;
    const char* explicitPattern;
    long number;
    int classDigit;
    const char* symbol;
};

void RunCases(const NameTable& names, const std::vector<DecomposeCase>& cases) {
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const NameDecomposition d = DecomposeName(names, c.name, c.explicitPattern);
        EXPECT_EQ(d.patternNumber, c.number);
        EXPECT_EQ(d.classDigit, c.classDigit);
        EXPECT_EQ(d.symbol, c.symbol);
    }
}

TEST(DecomposeName, BuiltInMaster) {
    const NameTable names = geology::BuiltInNameTable(0);
    RunCases(names, {
        // 混り is read as 混じり.
        {"砂混り粘土", "", 1303, 2, "CL-S"},
        {"砂混じり粘土", "", 1303, 2, "CL-S"},
        // A whole main name is not taken apart, even when it holds 質.
        {"砂", "", 300, 1, "S"},
        {"砂質土", "", 400, 1, "SF"},
        {"有機質土", "", 700, 2, "O"},
        {"硬岩", "", 10091, 0, "HR"},
        {"砂岩等の互層", "", 4600, 0, "Al"},
        // Modifiers add up: 混じり (units), 質 (tens), main name.
        {"シルト質粘土", "", 1320, 2, "CLM"},
        {"砂混じりシルト質粘土", "", 1323, 2, "CLM-S"},
        {"礫混じり砂", "", 302, 1, "S-G"},
        {"玉石混じり砂礫", "", 1601, 1, "Gl-B"},
        {"粘土質砂", "", 330, 1, "SC"},
        // A whole 質 name after a mixture keeps its 質.
        {"砂混じり砂質土", "", 403, 1, "SF-S"},
        {"礫混じり有機質土", "", 702, 2, "O-G"},
        // Alternation: hundreds of the first part, hundreds of the second as tens and units.
        {"砂岩・泥岩互層", "", 94443, 0, "Ss/Ms"},
        {"砂岩･泥岩互層", "", 94443, 0, "Ss/Ms"},
        {"砂岩泥岩互層", "", 94400, 0, "Ss"},
        // Nothing known: no pattern, no symbol.
        {"不明", "", 0, 0, ""},
        {"", "", 0, 0, ""},
        // An explicit pattern always wins, as its absolute value.
        {"粘土", "-1500", 1500, 2, "CL"},
        {"不明", "2100.0", 2100, 0, ""},
        {"粘土", "abc", 1300, 2, "CL"},
        {"粘土", "", 1300, 2, "CL"},
    });
}

// A small master with the numbers the alternation arithmetic needs.
NameTable AlternationMaster(bool withAlternationRow) {
    std::vector<std::string> lines = {
        "[第１分類],,1000,",
        "甲,A,1200.1,1200.1",
        "乙,B,3400.2,3400.2",
        "丙,C,5600.1,5600.1",
        "丁,D,10001.0,10001.0",
        "戊,E,7700.0,7700.0",
    };
    if (withAlternationRow) lines.push_back("互層,Al,4600.0,4600.0");
    lines.push_back("[第２分類],,,");
    lines.push_back("[第３分類],,,");
    return geology::ParseNameTable(lines, 0);
}

TEST(DecomposeName, AlternationArithmeticAndClassDigits) {
    RunCases(AlternationMaster(false), {
        {"甲・乙互層", "", 90000 + 1200 + 34, 3, "A/B"},   // different digits give 3
        {"甲・丙互層", "", 91256, 1, "A/C"},               // the same digit stays
        {"甲・戊互層", "", 91277, 1, "A/E"},               // the part that has one
        {"戊・乙互層", "", 97734, 2, "E/B"},
        {"丁・甲互層", "", 10000, 1, "D/A"},               // first name at 9901 or more: itself
        {"甲・丁互層", "", 91200, 1, "A/D"},               // second name at 9901 or more: not added
        {"不明・不詳互層", "", 0, 0, ""},                  // neither part, no 互層 row
    });
    RunCases(AlternationMaster(true), {
        {"不明・不詳互層", "", 4600, 0, "Al"},             // neither part: the 互層 row
    });
}

TEST(DecomposeName, PatternNumbersBeyondTheEditorsRangeCountAsItsLargest) {
    // A hand-written master may hold any number; it decomposes as the largest the editor
    // allows, and sums of such numbers do not overflow.
    auto master = [](const std::string& big) {
        return geology::ParseNameTable({"[第１分類],,1000,", "甲," "A," + big + "," + big, "乙,B,3400.2,3400.2",
                                        "互層,Al," + big + "," + big, "[第２分類],,,",
                                        "砂質,s," + big + "," + big, "[第３分類],,,",
                                        "礫混じり,g," + big + "," + big},
                                       0);
    };
    const NameTable huge = master("9223372036854775807");
    const NameTable largest = master(std::to_string(geology::kMaxPatternNumber));
    for (const char* name : {"甲・乙互層", "乙・甲互層", "礫混じり砂質甲", "不明・不詳互層", "甲"}) {
        SCOPED_TRACE(name);
        const NameDecomposition a = DecomposeName(huge, name, "");
        const NameDecomposition b = DecomposeName(largest, name, "");
        EXPECT_EQ(a.patternNumber, b.patternNumber);
        EXPECT_GE(a.patternNumber, 0);
        EXPECT_LE(a.patternNumber, 4 * geology::kMaxPatternNumber);
    }
}

TEST(FindMainName, LongestNameWinsAndLaterRowOnTies) {
    const NameTable names = geology::BuiltInNameTable(0);
    MainNameMatch m = FindMainName(names, "強風化花崗岩");
    EXPECT_EQ(m.patternNumber, 2200);
    EXPECT_EQ(m.symbol, "WG");
    EXPECT_EQ(m.before, "強");

    // 泥岩 is listed twice; the later row wins.
    m = FindMainName(names, "灰色泥岩");
    ASSERT_GE(m.entry, 0);
    EXPECT_EQ(names.entries[static_cast<std::size_t>(m.entry)].name, "泥岩");
    int later = -1;
    for (int i = 0; i < static_cast<int>(names.entries.size()); ++i)
        if (names.entries[static_cast<std::size_t>(i)].name == "泥岩") later = i;
    EXPECT_EQ(m.entry, later);
    EXPECT_EQ(m.before, "灰色");

    // 砂 and 礫 are as long as each other; 砂礫 is longer than both.
    m = FindMainName(names, "細かい砂礫");
    EXPECT_EQ(m.patternNumber, 1600);

    m = FindMainName(names, "何もない");
    EXPECT_EQ(m.entry, -1);
    EXPECT_EQ(m.patternNumber, 0);
    EXPECT_EQ(m.symbol, "");
    EXPECT_EQ(m.before, "何もない");
}

TEST(DecomposeName, EmptyTableFindsNothing) {
    const NameTable empty;
    const NameDecomposition d = DecomposeName(empty, "砂混じり粘土", "");
    EXPECT_EQ(d.patternNumber, 0);
    EXPECT_EQ(d.symbol, "");
}

TEST(PatternCodeText, NumberPointClassDigit) {
    EXPECT_EQ(PatternCodeText({1303, 2, "CL-S"}), "1303.2");
    EXPECT_EQ(PatternCodeText({94443, 0, "Ss/Ms"}), "94443.0");
    EXPECT_EQ(PatternCodeText({0, 0, ""}), "0.0");
}

}  // namespace
}  // namespace stracol::borehole
