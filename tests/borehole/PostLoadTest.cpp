#include "borehole/PostLoad.h"

#include <gtest/gtest.h>

using namespace stracol::borehole;

TEST(PostLoad, DataKindLabelNamesTheExchangeVersion) {
    struct Case {
        int code;
        const char* label;
    } cases[] = {{110, "BED0110"}, {200, "BED020X"}, {201, "BED020X"}, {202, "BED0210"}, {203, "BED0300"},
                 {204, "BED0400"}, {205, "BED0500"}, {209, "不明 未対応"}, {510, ""}, {509, ""}, {2, ""}, {0, ""}};
    for (const auto& c : cases) EXPECT_EQ(DataKindLabel(c.code), c.label) << c.code;
}

TEST(PostLoad, SplitsHyphenatedDatesOnly) {
    struct Case {
        const char* date;
        const char* year;
        const char* month;
        const char* day;
    } cases[] = {{"1999-05-01", "1999", "05", "01"}, {"2015-11", "2015", "11", ""}, {"1999", "1999", "m", "d"}, {"", "", "m", "d"}};
    for (const auto& c : cases) {
        BoreholeRecord r;
        r.SetHeading(6, c.date);
        r.SetHeading(7, "m");
        r.SetHeading(8, "d");
        SplitHeadingDate(r, 6);
        EXPECT_EQ(r.Heading(6), c.year) << c.date;
        EXPECT_EQ(r.Heading(7), c.month) << c.date;
        EXPECT_EQ(r.Heading(8), c.day) << c.date;
    }
}

TEST(PostLoad, CompletesExchangeDataByVersion) {
    for (int code : {110, 202, 204, 209}) {
        SCOPED_TRACE(code);
        BoreholeRecord r;
        r.SetHeading(6, "2015-11-02");
        r.SetHeading(9, "2015-11-20");
        DepthTable& layers = r.Table(TableId::Layer);
        layers.SetCell(1, 0, "3.00");
        layers.SetCell(1, 1, "砂");
        layers.SetCell(2, 0, "1.00");
        layers.SetCell(2, 1, "粘土");
        PostLoad(r, code);
        EXPECT_EQ(r.Heading(71), "1");
        EXPECT_EQ(r.Heading(72), "1000");
        EXPECT_EQ(layers.Cell(1, 1), "粘土");  // sorted by depth
        EXPECT_EQ(r.Heading(6), code == 110 ? "2015-11-02" : "2015");
        EXPECT_EQ(r.Heading(11), code == 110 ? "" : "20");
    }
}

TEST(PostLoad, TesselDataKeepsItsHeadingAndGetsPresenceFlags) {
    BoreholeRecord r;
    DepthTable& drill = r.Table(TableId::Drill);
    drill.SetCell(1, 0, "2.0");
    drill.SetCell(1, 1, "11/02");
    drill.SetCell(1, 4, "120");
    PostLoad(r, 510);
    EXPECT_EQ(r.Heading(71), "");
    EXPECT_EQ(drill.Cell(1, 9), "9");  // 1 for column 1, 8 for column 4
}

TEST(PostLoad, ArticleRowsWithoutUpperDepthTakeThePreviousLowerDepth) {
    BoreholeRecord r;
    DepthTable& a = r.Table(TableId::Article);
    a.SetCell(1, 1, "1.50");
    a.SetCell(2, 0, "1.50");
    a.SetCell(2, 1, "2.00");
    a.SetCell(3, 1, "4.00");
    FillArticleUpperDepths(r);
    EXPECT_EQ(a.Cell(1, 0), "0.0");
    EXPECT_EQ(a.Cell(2, 0), "1.50");
    EXPECT_EQ(a.Cell(3, 0), "2.00");
    EXPECT_EQ(a.Cell(4, 0), "");
}

TEST(PostLoad, HoleValuesMergeIntoTheDrillingTable) {
    BoreholeRecord r;
    DepthTable& hole = r.Table(TableId::Hole);
    DepthTable& drill = r.Table(TableId::Drill);
    drill.SetCell(1, 0, "5.00");
    hole.SetCell(1, 0, "5.00005");
    hole.SetCell(1, 4, "w2");
    hole.SetCell(2, 0, "8.0");
    hole.SetCell(2, 4, "w3");
    hole.SetCell(3, 0, "9.0");  // no value: not merged
    MergeHoleIntoDrill(r);
    EXPECT_EQ(drill.RowCount(), 2);
    EXPECT_EQ(drill.Cell(1, 8), "w2");
    EXPECT_EQ(drill.Cell(2, 0), "8.0");
    EXPECT_EQ(drill.Cell(2, 8), "w3");
}

TEST(PostLoad, HarbourDataLosesHeadings48To50) {
    BoreholeRecord r;
    for (int i : {47, 48, 49, 50, 51}) r.SetHeading(i, "x");
    PostLoad(r, 600);
    EXPECT_EQ(r.Heading(47), "x");
    EXPECT_EQ(r.Heading(48), "");
    EXPECT_EQ(r.Heading(50), "");
    EXPECT_EQ(r.Heading(51), "x");
}
