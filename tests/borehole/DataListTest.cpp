// The data list: a block per table with rows, a label line first, at most 800 lines.

#include "borehole/DataList.h"

#include <gtest/gtest.h>

#include "borehole/BoreholeRecord.h"
#include "core/Format.h"

namespace stracol::borehole {
namespace {

void FillRows(BoreholeRecord& record, TableId id, int rows, int keyColumn = 0) {
    DepthTable& t = record.Table(id);
    for (int r = 1; r <= rows; ++r) {
        t.SetCell(r, keyColumn, core::Sprintf("%d.00", r));
        for (int c = 0; c < t.Columns(); ++c)
            if (c != keyColumn) t.SetCell(r, c, core::Sprintf("c%d", c));
    }
}

TEST(DataList, ATableWithoutRowsGivesNoBlock) {
    BoreholeRecord record;
    EXPECT_TRUE(DataListLines(record).empty());
    FillRows(record, TableId::Spt, 2);
    FillRows(record, TableId::Water, 1, 3);  // its rows are in use by their flags
    const auto lines = DataListLines(record);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], DataListLine{"N値"});
    EXPECT_EQ(lines[1].size(), 7u);    // seven fields of a penetration test
    EXPECT_EQ(lines[1][0], "1.00");
    EXPECT_EQ(lines[1][6], "c6");
    EXPECT_EQ(lines[2][0], "2.00");
    EXPECT_EQ(lines[3], DataListLine{"孔内水位"});
    EXPECT_EQ(lines[4].size(), 8u);
    EXPECT_EQ(DataListCountText(lines.size()), " 5");
}

TEST(DataList, BlocksComeInTheirOrderWithTheirFieldCounts) {
    struct Case {
        TableId table;
        const char* label;
        std::size_t fields;
        int keyColumn;
    } cases[] = {
        {TableId::Layer, "土質地質名", 11, 0}, {TableId::Fault, "破砕帯", 4, 0}, {TableId::Sample, "試料", 6, 0},
        {TableId::Property, "性状", 9, 1},     {TableId::Drill, "削孔状況", 11, 0}, {TableId::Lugeon, "ルジオン", 11, 0},
        {TableId::TracerDetail, " 検層データ", 3, 0}, {TableId::Remark, "空欄/自由記事", 3, 0},
    };
    BoreholeRecord record;
    for (const Case& c : cases) FillRows(record, c.table, 1, c.keyColumn);
    const auto lines = DataListLines(record);
    ASSERT_EQ(lines.size(), 2 * std::size(cases));
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        EXPECT_EQ(lines[2 * i], DataListLine{cases[i].label});
        EXPECT_EQ(lines[2 * i + 1].size(), cases[i].fields) << cases[i].label;
    }
    // The property table's depth is its column 1.
    EXPECT_EQ(lines[7][0], "1.00");
}

TEST(DataList, ALandslideLogLabelsItsDailyWaterLevels) {
    BoreholeRecord record;
    FillRows(record, TableId::WaterLog, 1);
    EXPECT_EQ(DataListLines(record)[0], DataListLine{"作業日毎水位"});
    EXPECT_EQ(DataListLines(record, true)[0], DataListLine{"作業日毎水位(地すべり)"});
    EXPECT_EQ(DataListLines(record, true)[1].size(), 4u);
}

TEST(DataList, LongArticlesAreCutAndMarked) {
    BoreholeRecord record;
    DepthTable& articles = record.Table(TableId::Article);
    articles.SetCell(1, 0, "0.00");
    articles.SetCell(1, 1, "2.50");
    std::string text;
    for (int i = 0; i < 40; ++i) text += "礫";
    articles.SetCell(1, 3, "短い記事\r\n二行目");
    articles.SetCell(2, 0, "2.50");
    articles.SetCell(2, 3, text);
    const auto lines = DataListLines(record);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1][2], "短い記事 二行目");
    EXPECT_EQ(lines[2][2], text.substr(0, 30 * 3) + "…");
}

TEST(DataList, FillsAtMost800Lines) {
    BoreholeRecord record;
    for (TableId id : {TableId::Layer, TableId::Spt, TableId::Sample, TableId::Article, TableId::Recovery})
        FillRows(record, id, 200);
    const auto lines = DataListLines(record);
    EXPECT_EQ(lines.size(), 800u);
    EXPECT_EQ(DataListCountText(lines.size()), " 800");
    // Layers 201, SPT 201, articles 201, then 197 lines of the samples block.
    EXPECT_EQ(lines[402], DataListLine{"観察記事"});
    EXPECT_EQ(lines[603], DataListLine{"試料"});
    EXPECT_EQ(lines[799][0], "196.00");
}

}  // namespace
}  // namespace stracol::borehole
