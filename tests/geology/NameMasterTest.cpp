#include "geology/NameMaster.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "geology/NameTable.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stracol::geology {
namespace {

void ExpectSameRows(const NameMaster& a, const NameMaster& b) {
    ASSERT_EQ(a.rows.size(), b.rows.size());
    for (std::size_t i = 0; i < a.rows.size(); ++i) {
        SCOPED_TRACE(a.rows[i].name);
        EXPECT_EQ(a.rows[i].name, b.rows[i].name);
        EXPECT_EQ(a.rows[i].symbol, b.rows[i].symbol);
        EXPECT_EQ(a.rows[i].density, b.rows[i].density);
        EXPECT_EQ(a.rows[i].consistency, b.rows[i].consistency);
        EXPECT_EQ(a.rows[i].patternNumber, b.rows[i].patternNumber);
        EXPECT_EQ(a.rows[i].bitmapNumber, b.rows[i].bitmapNumber);
    }
}

TEST(NameMaster, MissingFileShowsTheBuiltInMaster) {
    testing::TempDir dir;
    const NameMaster m = ReadNameMaster(dir.File("WdtvTSL.mst"));
    EXPECT_TRUE(m.builtIn);
    ASSERT_EQ(m.rows.size(), 116u);
    EXPECT_EQ(m.rows[0].name, "[第１分類]");
    EXPECT_FALSE(m.rows[0].patternNumber.has_value());  // a heading's fields are cleared
    EXPECT_EQ(m.rows[8].name, "砂");
    EXPECT_EQ(m.rows[8].patternNumber, 300);
    EXPECT_TRUE(m.rows[8].density);
    EXPECT_FALSE(m.rows[8].consistency);
    EXPECT_EQ(m.rows[25].bitmapNumber, 10094);
    EXPECT_EQ(m.rows.back().name, "[終了]");
}

TEST(NameMaster, WriteReadRoundTrip) {
    testing::TempDir dir;
    const std::string path = dir.File("WdtvTSL.mst");
    const NameMaster builtIn = BuiltInNameMaster();
    core::RecordingMessages messages;
    ASSERT_TRUE(WriteNameMaster(path, builtIn, &messages));
    EXPECT_TRUE(messages.Empty());

    const std::string bytes = dir.Read("WdtvTSL.mst");
    EXPECT_EQ(bytes.rfind(core::Utf8ToCp932("[第１分類], ,1000,\r\n"), 0), 0u);
    EXPECT_NE(bytes.find(core::Utf8ToCp932("砂,S,300.1,300.1\r\n")), std::string::npos);
    EXPECT_NE(bytes.find(core::Utf8ToCp932("玉石,B,6800.0,10094.0\r\n")), std::string::npos);

    const NameMaster back = ReadNameMaster(path);
    EXPECT_FALSE(back.builtIn);
    ExpectSameRows(back, builtIn);

    // The start-up loader reads the written file to the same entries, now of version 1000.
    const NameTable loaded = LoadNameTable(path, 0);
    const NameTable reference = BuiltInNameTable(0);
    EXPECT_EQ(loaded.version, 1000);
    ASSERT_EQ(loaded.entries.size(), reference.entries.size());
    for (std::size_t i = 0; i < loaded.entries.size(); ++i) {
        EXPECT_EQ(loaded.entries[i].name, reference.entries[i].name);
        EXPECT_EQ(loaded.entries[i].number, reference.entries[i].number);
        EXPECT_EQ(loaded.entries[i].classDigit, reference.entries[i].classDigit);
    }
    EXPECT_EQ(loaded.groupLast, reference.groupLast);
}

struct LineCase {
    const char* what;
    MasterRow row;
    const char* line;
};

TEST(NameMaster, RowToLine) {
    const LineCase cases[] = {
        {"density", {"砂", "S", true, false, 300, 300}, "砂,S,300.1,300.1"},
        {"both flags give class 3", {"砂", "S", true, true, 300, 10020}, "砂,S,300.3,10020.3"},
        {"no bitmap copies field 3", {"粘土", "CL", false, true, 1300, std::nullopt}, "粘土,CL,1300.2,1300.2"},
        {"no pattern number", {"謎", "Q", false, false, std::nullopt, std::nullopt}, "謎,Q,,"},
        {"heading is its name", {"[第２分類]", "x", true, false, 5, 5}, "[第２分類]"},
        {"comma quoted", {"a,b", "S", false, false, 1, std::nullopt}, "\"a,b\",S,1.0,1.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(MasterLine(c.row), c.line);
    }
}

struct ParseCase {
    const char* line;
    const char* name;
    const char* symbol;
    bool density;
    bool consistency;
    std::optional<long> pattern;
    std::optional<long> bitmap;
};

TEST(NameMaster, LineToRow) {
    const ParseCase cases[] = {
        {"砂,S,300.1,300.1", "砂", "S", true, false, 300, 300},
        {"粘土,CL,1300.2,600.2", "粘土", "CL", false, true, 1300, 600},
        {"x,y,12.3", "x", "y", true, true, 12, std::nullopt},
        {"x,y,,", "x", "y", false, false, std::nullopt, std::nullopt},
        {"[第２分類],a,7.1,8.1", "[第２分類]", "", false, false, std::nullopt, std::nullopt},
        {"\"a,b\",S,1.0,1.0", "a,b", "S", false, false, 1, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        const MasterRow r = ParseMasterLine(c.line);
        EXPECT_EQ(r.name, c.name);
        EXPECT_EQ(r.symbol, c.symbol);
        EXPECT_EQ(r.density, c.density);
        EXPECT_EQ(r.consistency, c.consistency);
        EXPECT_EQ(r.patternNumber, c.pattern);
        EXPECT_EQ(r.bitmapNumber, c.bitmap);
    }
}

TEST(NameMaster, ReadSkipsShortLinesAndKeeps256Rows) {
    testing::TempDir dir;
    std::string bytes = core::Utf8ToCp932("[第１分類], ,1000,\r\n\r\nx\r\n礫\r\n");
    for (int i = 0; i < 300; ++i) bytes.append("n").append(std::to_string(i)).append(",S,100.0,100.0\r\n");
    const NameMaster m = ReadNameMaster(dir.Write("WdtvTSL.mst", bytes));
    EXPECT_FALSE(m.builtIn);
    ASSERT_EQ(m.rows.size(), 256u);
    EXPECT_EQ(m.rows[1].name, "n0");
    EXPECT_EQ(m.rows.back().name, "n254");
}

TEST(NameMaster, WriteFailureSaysSo) {
    testing::TempDir dir;
    // The folder of the target is a regular file, so nothing can be created there.
    const std::string path = dir.Write("notafolder", "x") + "/WdtvTSL.mst";
    core::RecordingMessages messages;
    EXPECT_FALSE(WriteNameMaster(path, BuiltInNameMaster(), &messages));
    EXPECT_EQ(messages.Count(core::MessageText(core::MessageId::SaveFailed)), 1);
    EXPECT_EQ(dir.Read("notafolder"), "x");
}

}  // namespace
}  // namespace stracol::geology
