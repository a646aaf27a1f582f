#include "render/columns/WaterLevelColumn.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "render/ColumnTestFixture.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The water level column from 10 to 18 mm.
class WaterLevelColumnTest : public stracol::testing::ColumnTestFixture {
protected:
    WaterLevelColumnTest() {
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        Column("2  HC_Btm");
    }

    void Column(const std::string& placement) { SetItem(2, "1027 孔内水位・測定月日", "8", placement); }

    void Water(int row, const std::string& level, const std::string& date, const std::string& kind,
               const std::string& flags) {
        SetRow(TableId::Water, row, {level, date, kind, flags});
    }

    // The six lines of the mark with its tip at (xs, u).
    void ExpectMark(double xs, double u) const {
        EXPECT_TRUE(HasLine(xs, u, xs - 0.8, u - 0.16));
        EXPECT_TRUE(HasLine(xs, u, xs + 0.8, u - 0.16));
        EXPECT_TRUE(HasLine(xs - 0.8, u - 0.16, xs + 0.8, u - 0.16));
        EXPECT_TRUE(HasLine(xs - 1.6, u, xs + 1.6, u));
        EXPECT_TRUE(HasLine(xs - 0.8, u + 0.04, xs + 0.8, u + 0.04));
        EXPECT_TRUE(HasLine(xs - 0.2, u + 0.08, xs + 0.2, u + 0.08));
    }
};

TEST_F(WaterLevelColumnTest, LevelBelowGroundShowsMarkValueAndDate) {
    Water(1, "-2.35", "07/15", "", "7");
    DrawWaterLevelColumn(ctx, 2);
    ASSERT_EQ(Lines().size(), 6u);
    ExpectMark(14, 2.35);
    auto value = FindText("2.35");
    auto date = FindText("07/15");
    ASSERT_TRUE(value);
    ASSERT_TRUE(date);
    // Both centred on the column, the value 0.7 and the date 1.6 lines above the level.
    EXPECT_EQ(value->points[0], (Point{X(14), Y(2.35 - 0.7 * 0.3)}));
    EXPECT_EQ(value->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Baseline}));
    EXPECT_EQ(date->points[0], (Point{X(14), Y(2.35 - 1.6 * 0.3)}));
}

TEST_F(WaterLevelColumnTest, ArtesianLevelStandsAboveDepthZeroWithAPlusSign) {
    Water(1, "+1.20", "08/01", "", "7");
    DrawWaterLevelColumn(ctx, 2);
    // Above the ground lie the headers: the level is marked at depth 0, its texts start at the
    // page top instead of above it, just under the mark (its ground lines reach 0.08 m, and
    // texts keep 0.02 m off a mark): the date and the signed value on one line.
    ExpectMark(14, 0.0);
    auto dated = FindText("08/01　+1.20");
    ASSERT_TRUE(dated);
    EXPECT_EQ(dated->covered.top, Y(0.1));
    for (const auto& t : Texts()) EXPECT_GE(t.covered.top, Y(0.0)) << t.text;
}

TEST_F(WaterLevelColumnTest, TextsPushedByACloseLevelKeepOffTheMarks) {
    // Two levels 0.1 m apart: the second one's texts are pushed down and stand clear of both
    // marks (a mark reaches 0.16 m above its level and 0.08 m below).
    Water(1, "-2.00", "07/01", "", "7");
    Water(2, "-2.10", "07/02", "", "7");
    DrawWaterLevelColumn(ctx, 2);
    for (const char* text : {"07/02　2.10"}) {
        auto t = FindText(text);
        ASSERT_TRUE(t) << text;
        for (double u : {2.0, 2.1})
            EXPECT_FALSE(t->covered.top < Y(u + 0.08) && t->covered.bottom > Y(u - 0.16)) << text << " over " << u;
    }
}

// A measurement the file gives twice is drawn once: a second block of the same level would be
// pushed below the mark and read as the block of the next level's mark. A level measured again
// on another day is another measurement.
TEST_F(WaterLevelColumnTest, RepeatedMeasurementIsDrawnOnce) {
    Water(1, "-4.10", "07/01", "清水位", "7");
    Water(2, "-4.10", "07/01", "清水位", "7");
    Water(3, "-5.10", "06/29", "清水位", "7");
    Water(4, "-5.10", "06/29", "清水位", "7");
    Water(5, "-5.10", "06/30", "清水位", "7");
    DrawWaterLevelColumn(ctx, 2);
    EXPECT_EQ(Lines().size(), 3u * 6u);  // three marks
    const std::vector<std::string> texts = TextStrings();
    auto holding = [&](const std::string& part) {
        return std::count_if(texts.begin(), texts.end(), [&](const std::string& t) { return t.find(part) != std::string::npos; });
    };
    EXPECT_EQ(holding("4.10"), 1);
    EXPECT_EQ(holding("07/01"), 1);
    EXPECT_EQ(holding("5.10"), 2);
    EXPECT_EQ(holding("06/29"), 1);
    EXPECT_EQ(holding("06/30"), 1);
}

// A pushed block writes its date and value on one line, apart by a full-width space, when the
// column holds them there, so that crowded levels keep near their marks; in a column too narrow
// for that (here 4 mm) they keep a line each rather than be cut.
TEST_F(WaterLevelColumnTest, PushedDateAndValueKeepALineEachInANarrowColumn) {
    SetItem(2, "1027 孔内水位・測定月日", "4", "2  HC_Btm");
    Water(1, "-2.00", "07/01", "", "7");
    Water(2, "-2.10", "07/02", "", "7");
    DrawWaterLevelColumn(ctx, 2);
    auto date = FindText("07/02");
    auto value = FindText("2.10");
    ASSERT_TRUE(date);
    ASSERT_TRUE(value);
    EXPECT_GT(value->covered.top, date->covered.top);  // the value a line below its date
    for (const auto& t : TextStrings()) EXPECT_EQ(t.find("　"), std::string::npos) << t;
}

TEST_F(WaterLevelColumnTest, FlagsChooseMarkAndDate) {
    struct Case {
        const char* flags;
        std::size_t lines;
        std::vector<std::string> texts;
    } cases[] = {
        {"1", 6, {"2.35"}},
        {"2", 0, {"07/15"}},
        {"3", 6, {"2.35", "07/15"}},
        {"0", 0, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        surface.operations.clear();
        Water(1, "-2.35", "07/15", "", c.flags);
        DrawWaterLevelColumn(ctx, 2);
        EXPECT_EQ(Lines().size(), c.lines);
        EXPECT_EQ(TextStrings(), c.texts);
    }
}

TEST_F(WaterLevelColumnTest, KindTextPositionByFlags) {
    struct Case {
        const char* flags;
        double y;
        VerticalAlign vertical;
    } cases[] = {
        {"6", 3.0 - 0.8 * 0.3, VerticalAlign::Baseline},  // no value shown: above the line
        {"7", 3.0 + 0.2, VerticalAlign::Top},  // with the value it would overprint it: below the mark
        {"8", 3.0 + 0.1, VerticalAlign::Baseline},
        {"24", 3.0 + 0.1, VerticalAlign::Baseline},  // bit 8 wins over bit 16
        {"16", 3.0 + 0.2, VerticalAlign::Top},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.flags);
        surface.operations.clear();
        Water(1, "-3.00", "", "清水位", c.flags);
        DrawWaterLevelColumn(ctx, 2);
        auto kind = FindText("清水位");
        ASSERT_TRUE(kind);
        // 90 px of text in the 82 px room: set narrower, centred on the column; its top where
        // the alignment puts it.
        const int top = c.vertical == VerticalAlign::Top ? Y(c.y) : Y(c.y) - surface.Metrics().ascent;
        EXPECT_EQ(kind->covered.top, top);
        EXPECT_NEAR((kind->covered.left + kind->covered.right) / 2.0, X(14), 1.0);
        EXPECT_GE(kind->covered.left, TextLeft(10));
        EXPECT_LE(kind->covered.right, TextRight(18));
    }
}

TEST_F(WaterLevelColumnTest, MarkStandsAQuarterInFromTheAlignedEdge) {
    struct Case {
        const char* placement;
        double markX;
        double textX;
    } cases[] = {
        {"1  HL_Btm", 12, 10.2},
        {"3  HR_Btm", 16, 17.8},
        {"2  HC_Btm", 14, 14},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.placement);
        surface.operations.clear();
        Column(c.placement);
        Water(1, "-1.00", "", "", "1");
        DrawWaterLevelColumn(ctx, 2);
        ExpectMark(c.markX, 1.0);
        auto value = FindText("1.00");
        ASSERT_TRUE(value);
        EXPECT_EQ(value->points[0].x, X(c.textX));
    }
}

TEST_F(WaterLevelColumnTest, LevelsMoreThanSixMetresAboveGroundAreNotDrawn) {
    Water(1, "+6.50", "", "", "7");
    Water(2, "+6.00", "", "", "7");
    DrawWaterLevelColumn(ctx, 2);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"+6.00"}));
}

TEST_F(WaterLevelColumnTest, RowWithoutALevelDrawsNothingAndTheListGoesOn) {
    // A level not measured ("-") is stored as no level: its date and kind have nowhere to
    // stand, and nothing is drawn at the surface for it.
    for (const char* level : {"", "不明"}) {
        SCOPED_TRACE(level);
        surface.operations.clear();
        Water(1, "-1.00", "", "", "1");
        Water(2, level, "07/15", "清水位", "7");
        Water(3, "-3.00", "", "", "1");
        DrawWaterLevelColumn(ctx, 2);
        EXPECT_EQ(TextStrings(), (std::vector<std::string>{"1.00", "3.00"}));
        EXPECT_EQ(Lines().size(), 12u);  // the marks of the two levels only
    }
}

TEST_F(WaterLevelColumnTest, RowWithoutItsFlagsEndsTheList) {
    Water(1, "-1.00", "", "", "1");
    Water(2, "-2.00", "", "", "");
    Water(3, "-3.00", "", "", "1");
    DrawWaterLevelColumn(ctx, 2);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"1.00"}));
}

TEST_F(WaterLevelColumnTest, SlotNotDrawnDrawsNothing) {
    Water(1, "-1.00", "", "", "7");
    DrawWaterLevelColumn(ctx, 0);
    DrawWaterLevelColumn(ctx, 3);
    EXPECT_TRUE(surface.operations.empty());
}

TEST(WaterLevelText, SignedAboveTheGround) {
    struct Case {
        double depth;
        const char* text;
    } cases[] = {{2.35, "2.35"}, {12.5, "12.50"}, {-1.2, "+1.20"}, {0.0, "0.00"}, {-0.0, "0.00"}};
    for (const auto& c : cases) EXPECT_EQ(WaterLevelText(c.depth), c.text) << c.depth;
}

}  // namespace
