#include "geology/NameTable.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stracol::geology {
namespace {

const NameEntry* Find(const NameTable& t, const std::string& name) {
    for (const auto& e : t.entries)
        if (e.name == name) return &e;
    return nullptr;
}

std::string Cp932File(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& l : lines) bytes += core::Utf8ToCp932(l) + "\r\n";
    return bytes;
}

TEST(BuiltInNameTable, GroupsAndVersion) {
    const NameTable t = BuiltInNameTable(0);
    EXPECT_EQ(t.version, 660);
    // 96 main names (the {…} sub-group line included), 10 mixtures, 6 ～質 names.
    ASSERT_EQ(t.entries.size(), 112u);
    EXPECT_EQ(t.groupFirst[1], 0);
    EXPECT_EQ(t.groupLast[1], 95);
    EXPECT_EQ(t.groupFirst[2], 96);
    EXPECT_EQ(t.groupLast[2], 105);
    EXPECT_EQ(t.groupFirst[3], 106);
    EXPECT_EQ(t.groupLast[3], 111);
    EXPECT_EQ(t.entries[0].name, "礫質土");
    EXPECT_EQ(t.entries[96].name, "玉石混じり");
    EXPECT_EQ(t.entries[111].name, "火山灰質");
}

struct KindCase {
    const char* name;
    long pattern;   // kind 0
    long bitmap;    // kind 1
    int classDigit;
    const char* symbol;
};

TEST(BuiltInNameTable, KindsReadPatternOrBitmapNumbers) {
    const KindCase cases[] = {
        {"砂", 300, 300, 1, "S"},
        {"礫", 3300, 100, 1, "G"},
        {"シルト", 500, 500, 2, "M"},
        {"玉石", 6800, 10094, 0, "B"},
        {"火山灰", 8400, 1200, 0, "VA"},
        {"{第１分類 岩石材料その他}", -1, -1, 0, ""},
        {"砂混じり", 3, 3, 0, "-S"},
        {"火山灰質", 50, 50, 0, "V"},
    };
    const NameTable patterns = BuiltInNameTable(0);
    const NameTable bitmaps = BuiltInNameTable(1);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const NameEntry* p = Find(patterns, c.name);
        const NameEntry* b = Find(bitmaps, c.name);
        ASSERT_NE(p, nullptr);
        ASSERT_NE(b, nullptr);
        EXPECT_EQ(p->number, c.pattern);
        EXPECT_EQ(b->number, c.bitmap);
        EXPECT_EQ(p->classDigit, c.classDigit);
        EXPECT_EQ(b->classDigit, c.classDigit);
        EXPECT_EQ(p->symbol, c.symbol);
    }
}

struct NumberCase {
    const char* field;
    long number;
    int classDigit;
};

TEST(ParseNameTable, NumberFieldAndClassDigit) {
    const NumberCase cases[] = {
        {"300.1", 300, 1}, {"500.2", 500, 2}, {"12.3", 12, 3}, {"900.0", 900, 0}, {"7", 7, 0},
        {" 42.1", 42, 1},  {"+8.2", 8, 2},    {"abc", -1, 0},  {"", -1, 0},       {"!5", -1, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const NameTable t = ParseNameTable({"[第１分類],,1000,", std::string("土,X,") + c.field + ",1.0"}, 0);
        ASSERT_EQ(t.entries.size(), 1u);
        EXPECT_EQ(t.entries[0].number, c.number);
        EXPECT_EQ(t.entries[0].classDigit, c.classDigit);
    }
}

TEST(ParseNameTable, GroupsHeadingsAndEnd) {
    const std::vector<std::string> lines = {
        "前,P,1.0,1.0",        // before the first heading: skipped
        "[第１分類],,777,",
        "甲,A,100.1,100.1",
        "ab",                  // shorter than 3 bytes: skipped
        "[第２分類],,,",
        "[第３分類],,,",
        "丙質,C,10.0,10.0",
        "[第４分類],,,",
        "後,Q,2.0,2.0",        // after the third group: skipped
        "[終了]",
    };
    const NameTable t = ParseNameTable(lines, 0);
    EXPECT_EQ(t.version, 777);
    ASSERT_EQ(t.entries.size(), 2u);
    EXPECT_EQ(t.entries[0].name, "甲");
    EXPECT_EQ(t.entries[1].name, "丙質");
    EXPECT_EQ(t.groupFirst[1], 0);
    EXPECT_EQ(t.groupLast[1], 0);
    EXPECT_TRUE(t.GroupEmpty(2));
    EXPECT_EQ(t.groupLast[2], -1);
    EXPECT_EQ(t.groupFirst[3], 1);

    const NameTable ended = ParseNameTable({"[第１分類],,1,", "甲,A,1.0", "[終了]", "乙,B,2.0"}, 0);
    ASSERT_EQ(ended.entries.size(), 1u);
}

TEST(ParseNameTable, KeepsAtMost256Entries) {
    std::vector<std::string> lines = {"[第１分類],,1000,"};
    for (int i = 0; i < 300; ++i) lines.push_back(std::string("n").append(std::to_string(i)).append(",S,100.0,100.0"));
    lines.push_back("[第２分類]");
    lines.push_back("砂混じり,-S,3.0,3.0");
    const NameTable t = ParseNameTable(lines, 0);
    ASSERT_EQ(t.entries.size(), 256u);
    EXPECT_EQ(t.entries.back().name, "n255");
    EXPECT_EQ(t.groupLast[1], 255);
    EXPECT_TRUE(t.GroupEmpty(2));
}

TEST(LoadNameTable, MissingFileGivesTheBuiltInMaster) {
    testing::TempDir dir;
    const NameTable t = LoadNameTable(dir.File("WdtvTSL.mst"), 0);
    const NameTable builtIn = BuiltInNameTable(0);
    EXPECT_EQ(t.version, 660);
    ASSERT_EQ(t.entries.size(), builtIn.entries.size());
    for (std::size_t i = 0; i < t.entries.size(); ++i) {
        EXPECT_EQ(t.entries[i].name, builtIn.entries[i].name);
        EXPECT_EQ(t.entries[i].number, builtIn.entries[i].number);
    }
}

TEST(LoadNameTable, ReadsCp932FileAndCutsLinesAt90Bytes) {
    testing::TempDir dir;
    // 42 double-byte characters = 84 bytes, so field 3 begins beyond byte 90 and is lost.
    std::string longName;
    for (int i = 0; i < 42; ++i) longName += "長";
    const std::string path = dir.Write("WdtvTSL.mst", Cp932File({
        "[第１分類],,1000,",
        "粘土,CL,1300.2,1300.2",
        longName + ",ABCDE,500.1,500.1",
        "[第２分類],,,",
        "砂混じり,-S,3.0,3.0",
    }));
    core::RecordingMessages messages;
    const NameTable t = LoadNameTable(path, 1, &messages);
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(t.version, 1000);
    ASSERT_EQ(t.entries.size(), 3u);
    EXPECT_EQ(t.entries[0].name, "粘土");
    EXPECT_EQ(t.entries[0].number, 1300);
    EXPECT_EQ(t.entries[0].classDigit, 2);
    EXPECT_EQ(t.entries[1].name, longName);
    EXPECT_EQ(t.entries[1].number, -1);
    EXPECT_EQ(t.groupFirst[2], 2);
}

TEST(LoadNameTable, FileWithoutHeadingsIsRefusedWithMessage) {
    testing::TempDir dir;
    const std::string path = dir.Write("WdtvTSL.mst", std::string("\x00\x01\xff\xfe garbage\r\nno,heading,1.0\r\n", 30));
    core::RecordingMessages messages;
    const NameTable t = LoadNameTable(path, 0, &messages);
    EXPECT_EQ(t.entries.size(), BuiltInNameTable(0).entries.size());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_NE(messages.entries[0].text.find(core::MessageText(core::MessageId::WrongFileContent)), std::string::npos);
}

}  // namespace
}  // namespace stracol::geology
