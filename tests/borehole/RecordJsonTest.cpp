#include "borehole/RecordJson.h"

#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <iterator>

using namespace stracol;
using namespace stracol::borehole;

TEST(RecordJson, EscapesStringsForJson) {
    struct Case {
        std::string in;
        const char* out;
    } cases[] = {
        {"砂礫", "\"砂礫\""},
        {"a\"b\\c", "\"a\\\"b\\\\c\""},
        {"line\r\nnext\ttab", "\"line\\r\\nnext\\ttab\""},
        {std::string("\x01\x1f", 2), "\"\\u0001\\u001f\""},
        {std::string("nul\0x", 5), "\"nul\\u0000x\""},
        {"bad\xff", "\"bad\xEF\xBF\xBD\""},
    };
    for (const auto& c : cases) EXPECT_EQ(JsonString(c.in), c.out);
}

TEST(RecordJson, WritesNonEmptyHeadingsAndTheRowsInUse) {
    BoreholeRecord r;
    r.SetHeading(1, "調査\"名\"");
    r.SetHeading(102, "BED0400");
    DepthTable& layers = r.Table(TableId::Layer);
    layers.SetCell(1, 0, "1.80");
    layers.SetCell(1, 1, "埋土");
    layers.SetCell(3, 0, "9.00");  // after a gap: not in use
    const std::string json = RecordJson("/d/a.xml", 204, r);
    EXPECT_EQ(json.rfind("{\"file\": \"/d/a.xml\", \"format\": 204, \"heading\": {\"1\": \"調査\\\"名\\\"\", \"102\": \"BED0400\"}, "
                         "\"tables\": {\"LayerTable\": [[\"1.80\", \"埋土\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\", \"\"]], "
                         "\"SptTable\": [], ",
                         0),
              0u)
        << json.substr(0, 300);
    EXPECT_NE(json.find("\"AuxTableF\": []}}"), std::string::npos);
    EXPECT_EQ(json.find("9.00"), std::string::npos);
}

TEST(RecordJson, DumpGivesTheErrorOfAFileThatCannotBeLoaded) {
    stracol::testing::TempDir dir;
    const std::string path = dir.Write("notes.txt", "nothing to see\n");
    EXPECT_EQ(DumpFileJson(path, geology::BuiltInNameTable(0), dir.Path()),
              "{\"file\": " + JsonString(path) + ", \"error\": \"読み込み可能な柱状図データファイルではありません\"}");
    EXPECT_FALSE(std::filesystem::exists(dir.File("FileV.ndx")));
}

TEST(RecordJson, DumpOfAOneLineFileWritesNothingAndNeedsNoInstallFolder) {
    stracol::testing::TempDir dir;
    const std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?><ボーリング情報 DTD_version=\"4.00\"><標題情報>"
                            "<調査基本情報><調査名>一行の調査</調査名></調査基本情報></標題情報>" +
                            std::string(600, ' ') + "</ボーリング情報>";
    const std::string path = dir.Write("one-line.xml", xml);
    for (const std::string& home : {dir.File("missing-home"), dir.Path()}) {
        SCOPED_TRACE(home);
        const std::string json = DumpFileJson(path, geology::BuiltInNameTable(0), home);
        EXPECT_NE(json.find("\"1\": \"一行の調査\""), std::string::npos) << json.substr(0, 200);
        EXPECT_EQ(json.find("\"error\""), std::string::npos) << json.substr(0, 200);
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("missing-home")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()), std::filesystem::directory_iterator()), 1);
}

TEST(RecordJson, ToldWhatTheReaderCouldNotKeep) {
    BoreholeRecord r;
    EXPECT_EQ(RecordJson("a", 204, r).find("dropped"), std::string::npos);
    r.Table(TableId::Layer).SetCell(1, 0, "1.00");
    r.NoteDropped("岩石土区分", TableId::Layer);
    r.NoteDropped("ルジオン試験詳細データ", TableId::Lugeon, 2);
    r.NoteDropped("岩石土区分", TableId::Layer);
    const std::string json = RecordJson("a", 204, r);
    const std::string tail = ", \"dropped\": [{\"group\": \"岩石土区分\", \"table\": \"LayerTable\", \"kept\": 1, \"dropped\": 2}, "
                             "{\"group\": \"ルジオン試験詳細データ\", \"table\": \"LugeonTable\", \"kept\": 0, \"dropped\": 2}]}";
    ASSERT_GE(json.size(), tail.size());
    EXPECT_EQ(json.substr(json.size() - tail.size()), tail);
    r.Clear();
    EXPECT_TRUE(r.dropped.empty());
}
