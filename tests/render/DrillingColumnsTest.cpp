#include "render/columns/DrillingColumns.h"

#include <gtest/gtest.h>

#include "core/Format.h"
#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

TEST(DrillTickSpan, ShortTickOnTheTextSide) {
    struct Case {
        HorizontalAlign align;
        double xl, xr, anchor, c;
        double left, right;
    } cases[] = {
        {HorizontalAlign::Right, 10, 16, 15.8, 2, 13.8, 16},
        {HorizontalAlign::Left, 10, 16, 10.2, 2, 10, 12.2},
        {HorizontalAlign::Centre, 10, 16, 13, 2, 11.8, 14.2},
        {HorizontalAlign::Left, 10, 11, 10.2, 2, 10, 11},     // never past the column
        {HorizontalAlign::Centre, 10, 11, 10.5, 2, 10, 11},
    };
    for (const auto& c : cases) {
        const TickSpan span = DrillTickSpan(c.align, c.xl, c.xr, c.anchor, c.c);
        EXPECT_DOUBLE_EQ(span.leftMm, c.left);
        EXPECT_DOUBLE_EQ(span.rightMm, c.right);
    }
}

TEST(DrillCellText, PressuresFormattedToOneDecimalOnRequest) {
    struct Case {
        int subMode;
        const char* cell;
        int decimals;
        const char* text;
    } cases[] = {
        {3, "1.26", 1, "1.3"}, {3, "1.26", 0, "1.26"}, {5, "2", 1, "2.0"},           {2, "1.26", 1, "1.26"},
        {4, "60", 1, "60"},    {3, "abc", 1, "abc"},   {3, "0.5～1.0", 1, "0.5～1.0"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(DrillCellText(c.subMode, c.cell, c.decimals), c.text);
    }
}

TEST(DrillFlagBit, OneBitPerColumn) {
    EXPECT_EQ(DrillFlagBit(1), 1);
    EXPECT_EQ(DrillFlagBit(3), 4);
    EXPECT_EQ(DrillFlagBit(8), 128);
    EXPECT_EQ(DrillFlagBit(9), 0);
    EXPECT_EQ(DrillFlagBit(0), 0);
}

// A drilling column from 10 to 16 mm; LineDepth 0.3 m, character width 3 mm.
class DrillingColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    DrillingColumnsTest() {
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        Column("3805 削孔>給圧", "6  HR_Mid");
    }
    void Column(const std::string& label, const std::string& placement) { SetItem(2, label, "6", placement); }
    void Drill(int row, const std::string& depth, int column, const std::string& value, const std::string& flags) {
        SetRow(TableId::Drill, row, {depth});
        record.Table(TableId::Drill).SetCell(row, column, value);
        record.Table(TableId::Drill).SetCell(row, 9, flags);
    }
};

TEST_F(DrillingColumnsTest, FeedPressureTicksAndCarries) {
    Drill(1, "3.0", 3, "1.5", "4");
    Drill(2, "4.0", 3, "", "4");
    Drill(3, "5.0", 3, "2.0", "4");
    DrawDrillingColumn(ctx, 2, 3);
    // Right-aligned text: ticks 1.1 characters long at the right edge.
    EXPECT_TRUE(HasLine(12.7, 3.0, 16, 3.0));
    EXPECT_TRUE(HasLine(12.7, 4.0, 16, 4.0));
    EXPECT_TRUE(HasLine(12.7, 5.0, 16, 5.0));
    EXPECT_EQ(Lines().size(), 3u);
    // The 5.0 m value is centred in its cell from 4.0 m.
    auto value = FindText("2.0");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->points[0], (Point{X(15.8), Y(4.5 - 0.15)}));
}

TEST_F(DrillingColumnsTest, AValueIsWrittenOnlyOnThePageOfItsDepth) {
    // The 9.0 m record's room runs up to the 3.0 m one, across the break at 6 m. At the foot of
    // page 1 its value would read as a record of 6 m: it is written at 9.0 m on page 2 only.
    Column("3805 削孔>給圧", "3  HR_Btm");
    Drill(1, "3.0", 3, "1.5", "4");
    Drill(2, "9.0", 3, "2.0", "4");
    SetPage(0.0, 6.0);
    DrawDrillingColumn(ctx, 2, 3);
    EXPECT_TRUE(FindText("1.5"));
    // Drawn, if at all, where it belongs, below the window (the page's clip leaves it out).
    for (const auto& text : Texts()) {
        if (text.text == "2.0") {
            EXPECT_EQ(text.points[0].y, Y(9.0));
        }
    }
    surface.operations.clear();
    SetPage(6.0, 12.0);
    DrawDrillingColumn(ctx, 2, 3);
    const auto value = FindText("2.0");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->points[0].y, Y(9.0));
}

TEST_F(DrillingColumnsTest, RowWithoutFlagAndValueLeavesTheCarry) {
    Drill(1, "3.0", 3, "1.5", "4");
    Drill(2, "4.0", 3, "", "2");   // drilling speed only
    Drill(3, "5.0", 3, "2.0", "4");
    DrawDrillingColumn(ctx, 2, 3);
    EXPECT_FALSE(HasLine(12.7, 4.0, 16, 4.0));
    auto value = FindText("2.0");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->points[0].y, Y(4.0 - 0.15));  // the cell runs from 3.0 m
}

TEST_F(DrillingColumnsTest, TextPushedDownBendsTheTick) {
    Column("3805 削孔>給圧", "7");  // top of the cell, left
    Drill(1, "1.0", 3, "1.5", "4");
    Drill(2, "1.1", 3, "2.5", "4");
    // A one-line text at the top of a 0.1 m cell does not push.
    DrawDrillingColumn(ctx, 2, 3);
    EXPECT_TRUE(HasLine(10, 1.1, 13.3, 1.1));
    surface.operations.clear();
    Column("3805 削孔>給圧", "11");
    Drill(2, "1.1", 3, "25", "4");
    DrawDrillingColumn(ctx, 2, 3);
    // Two vertical characters from the cell top 1.0 m need 0.6 m: the centred tick bends down
    // to 1.6 m between its 0.6 mm slants.
    const double left = 13 - 0.6 * 3;
    const double right = 13 + 0.6 * 3;
    EXPECT_TRUE(HasLine(left, 1.1, left + 0.6, 1.6));
    EXPECT_TRUE(HasLine(left + 0.6, 1.6, right - 0.6, 1.6));
    EXPECT_TRUE(HasLine(right - 0.6, 1.6, right, 1.1));
}

TEST_F(DrillingColumnsTest, DatesMonthOverDay) {
    Column("1090 削孔月日", "2  HC_Btm");
    settings.DrillDateFormat = 1;
    Drill(1, "2.0", 1, "07/15", "1");
    DrawDrillingColumn(ctx, 2, 1);
    auto month = FindText("07");
    auto day = FindText("15");
    ASSERT_TRUE(month);
    ASSERT_TRUE(day);
    EXPECT_EQ(month->points[0], (Point{X(13), Y(1.7)}));
    EXPECT_EQ(day->points[0], (Point{X(13), Y(2.0)}));
    EXPECT_EQ(day->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom}));
    // The rule between them and the tick at the boundary, both 0.6 characters either side.
    EXPECT_TRUE(HasLine(11.2, 1.7, 14.8, 1.7));
    EXPECT_TRUE(HasLine(11.2, 2.0, 14.8, 2.0));

    surface.operations.clear();
    settings.DrillDateFormat = 0;
    DrawDrillingColumn(ctx, 2, 1);
    EXPECT_TRUE(FindText("07/15"));
    EXPECT_FALSE(FindText("07"));
}

TEST_F(DrillingColumnsTest, WaterKindAndVolumeShareOneCellWithoutLines) {
    Column("3811 削孔>削孔水 送水量", "2  HC_Btm");
    Drill(1, "2.0", 8, "w2", "16");
    record.Table(TableId::Drill).SetCell(1, 6, "30");
    Drill(2, "4.0", 8, "", "16");
    record.Table(TableId::Drill).SetCell(2, 6, "25");
    DrawDrillingColumn(ctx, 2, 9);
    auto kind = FindText("w2");
    auto first = FindText("30");
    auto second = FindText("25");
    ASSERT_TRUE(kind);
    ASSERT_TRUE(first);
    ASSERT_TRUE(second);
    EXPECT_EQ(kind->points[0].y, Y(1.7));
    EXPECT_EQ(first->points[0].y, Y(2.0));
    EXPECT_EQ(second->points[0].y, Y(4.0));
    EXPECT_TRUE(Lines().empty());
}

TEST_F(DrillingColumnsTest, RecordsTooCloseForTwoLinesWriteKindAndVolumeOnOne) {
    // Records 0.3 m apart (one line deep): "w1 0" side by side in each record's cell, so the
    // later records stay at their depths instead of being pushed a line further each time.
    SetItem(2, "3811 削孔>削孔水 送水量", "10", "2  HC_Btm");  // room for the four characters
    for (int row = 1; row <= 4; ++row) {
        Drill(row, core::Sprintf("%.1f", 0.3 * row), 8, "w1", "16");
        record.Table(TableId::Drill).SetCell(row, 6, "0");
    }
    DrawDrillingColumn(ctx, 2, 9);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 4u);
    for (int row = 1; row <= 4; ++row) {
        EXPECT_EQ(texts[static_cast<std::size_t>(row - 1)].text, "w1 0");
        // Within its own record's cell: no record pushed below the next one's depth.
        const int y = texts[static_cast<std::size_t>(row - 1)].points[0].y;
        EXPECT_GE(y, Y(0.3 * (row - 1))) << row;
        EXPECT_LE(y, Y(0.3 * row) + 1) << row;  // a pixel of rounding, never a line
    }
}

TEST_F(DrillingColumnsTest, PressureDecimalsSetting) {
    settings.PressureDecimals = 1;
    Drill(1, "3.0", 3, "1.26", "4");
    DrawDrillingColumn(ctx, 2, 3);
    EXPECT_TRUE(FindText("1.3"));
}

TEST_F(DrillingColumnsTest, RegisteredCodesDrawTheirOwnColumn) {
    ColumnRegistry registry;
    RegisterDrillingColumns(registry);
    for (int code : {1090, 3801, 3802, 3805, 3806, 3807, 3808, 3809, 3810, 3811}) EXPECT_TRUE(registry.Has(code));
    Drill(1, "3.0", 4, "60", "8");
    (*registry.Find(3806))(ctx, 2, 4);
    EXPECT_TRUE(FindText("60"));
    surface.operations.clear();
    (*registry.Find(3805))(ctx, 2, 3);
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
