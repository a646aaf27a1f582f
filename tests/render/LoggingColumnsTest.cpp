#include "render/columns/LoggingColumns.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

TEST(LoggingAxis, LogarithmicWhenTheValuesLieTwoDecadesApart) {
    struct Case {
        std::vector<const char*> cells;
        bool logarithmic;
        double low, high;
    } cases[] = {
        {{"120.4,0.11,0.15"}, true, 0.1, 1000},
        {{"2,37"}, false, 0, 50},
        {{"1,100"}, true, 1, 100},
        {{"1,99"}, false, 0, 100},
        {{"0,-3"}, false, 0, 1},  // nothing positive
        {{"0.3", "1.2"}, false, 0, 2},
    };
    for (const auto& c : cases) {
        borehole::BoreholeRecord record;
        for (std::size_t i = 0; i < c.cells.size(); ++i) {
            record.Table(TableId::TracerDetail).SetCell(static_cast<int>(i) + 1, 0, "1.0");
            record.Table(TableId::TracerDetail).SetCell(static_cast<int>(i) + 1, 2, c.cells[i]);
        }
        const LoggingAxis axis = LoggingAxisOf(ReadLoggingData(record));
        SCOPED_TRACE(c.cells[0]);
        EXPECT_EQ(axis.logarithmic, c.logarithmic);
        EXPECT_NEAR(axis.low, c.low, 1e-12);
        EXPECT_NEAR(axis.high, c.high, 1e-9);
    }
}

TEST(LoggingAxis, PositionsAcrossTheColumn) {
    LoggingAxis log{true, 0.1, 1000};
    EXPECT_DOUBLE_EQ(log.XOf(10, 10, 50), 30);
    EXPECT_DOUBLE_EQ(log.XOf(0.05, 10, 50), 10);  // below the axis: at its start
    EXPECT_EQ(log.Marks().size(), 5u);
    LoggingAxis linear{false, 0, 50};
    EXPECT_DOUBLE_EQ(linear.XOf(25, 10, 50), 30);
    EXPECT_EQ(linear.Marks().size(), 11u);
}

TEST(LoggingData, ValuesTimesAndCurveLabels) {
    borehole::BoreholeRecord record;
    record.SetHeading(73, "5,10,15");
    auto& t = record.Table(TableId::TracerDetail);
    t.SetCell(1, 0, "24.00");
    t.SetCell(1, 2, "120.4,0.11,0.15,");
    t.SetCell(2, 0, "24.25");
    t.SetCell(2, 2, "121.0,,0.14");
    t.SetCell(3, 0, "24.50");
    t.SetCell(3, 3, "119.0,0.2,0.3");  // values in column 3
    LoggingData data = ReadLoggingData(record);
    ASSERT_EQ(data.rows.size(), 3u);
    EXPECT_EQ(data.curveCount, 3u);
    EXPECT_FALSE(data.rows[1].values[1].has_value());
    EXPECT_DOUBLE_EQ(*data.rows[2].values[2], 0.3);
    EXPECT_EQ(LoggingCurveLabel(data, 1), "10");
    record.SetHeading(73, "5,10");
    data = ReadLoggingData(record);
    EXPECT_EQ(LoggingCurveLabel(data, 1), "2");
}

// The logging graph from 10 to 40 mm and the method figure from 40 to 46 mm, page 20–30 m.
class LoggingColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    LoggingColumnsTest() {
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        SetItem(2, "3501 地下水検層>図", "30", "99 Auto");
        SetItem(3, "2051 地下水検層方法図", "6", "5  HC_Mid");
        SetItem(4, "3502 地下水検層>検出区間", "6", "5  HC_Mid");
        SetPage(20, 30);
        record.SetHeading(73, "5,10");
        SetRow(TableId::TracerDetail, 1, {"24.0", "", "100,0.2"});
        SetRow(TableId::TracerDetail, 2, {"24.5", "", "200,0.5"});
        SetRow(TableId::TracerDetail, 3, {"25.0", "", "x,2"});
        SetRow(TableId::TracerResult, 1, {"24.2", "24.4", "流動層"});
    }
    double Xv(double v) const { return LoggingAxisOf(ReadLoggingData(record)).XOf(v, 10, 40); }
};

TEST_F(LoggingColumnsTest, OneCurvePerMeasuringTimeBetweenTheDepthLines) {
    settings.LoggingColour = "0x654321";
    settings.LoggingPlotWidth = 3;
    DrawLoggingGraph(ctx, 2);
    EXPECT_TRUE(HasLine(Xv(100), 24.0, Xv(200), 24.5));
    EXPECT_FALSE(HasLine(Xv(200), 24.5, Xv(2), 25.0));  // the first curve has a gap at 25 m
    EXPECT_TRUE(HasLine(Xv(0.2), 24.0, Xv(0.5), 24.5));
    EXPECT_TRUE(HasLine(Xv(0.5), 24.5, Xv(2), 25.0));
    int curveLines = 0;
    for (const auto& op : Lines())
        if (op.pen.colour == 0x654321u) {
            ++curveLines;
            EXPECT_EQ(op.pen.width, 3);
        }
    EXPECT_EQ(curveLines, 3);
    // The upper and lower depth lines across the column in the area line style.
    EXPECT_TRUE(HasLine(10, 24.0, 40, 24.0));
    EXPECT_TRUE(HasLine(10, 25.0, 40, 25.0));
    // Each curve labelled at its last point with its time; the axis decades over the upper line.
    EXPECT_TRUE(FindText("5"));
    EXPECT_TRUE(FindText("10"));
    EXPECT_TRUE(FindText("0.1"));
    EXPECT_TRUE(FindText("1000"));
    // Drawn after the depth part's clip was lifted: clipped to the column inside the page.
    auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{X(10), Y(20), X(40) + 1, Y(30) + 1}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(LoggingColumnsTest, LogarithmicGridDecadesAndWholeMetres) {
    settings.CoreGrid = 1;
    DrawLoggingGrid(ctx, 2);
    // Decades 1, 10 and 100 inside the axis 0.1–1000, and the metres 21 to 29.
    EXPECT_EQ(Lines().size(), 3u + 9u);
    EXPECT_TRUE(HasLine(Xv(10), 20, Xv(10), 30));
    EXPECT_TRUE(HasLine(10, 29, 40, 29));
    surface.operations.clear();
    settings.CoreGrid = 0;
    DrawLoggingGrid(ctx, 2);
    EXPECT_EQ(Lines().size(), 3u + 4u * 8u + 9u);
}

TEST_F(LoggingColumnsTest, LinearGridIsTheGraphGrid) {
    SetRow(TableId::TracerDetail, 1, {"24.0", "", "10,20"});
    SetRow(TableId::TracerDetail, 2, {"24.5", "", "30,40"});
    SetRow(TableId::TracerDetail, 3, {"25.0", "", "5,8"});
    settings.CoreGrid = 1;
    DrawLoggingGrid(ctx, 2);
    // The middle line and every whole metre.
    EXPECT_EQ(Lines().size(), 1u + 9u);
    EXPECT_TRUE(HasLine(25, 20, 25, 30));
}

TEST_F(LoggingColumnsTest, MethodFigureShowsTheLoggedSectionAndTheDetectedInterval) {
    DrawLoggingMethodFigure(ctx, 3);
    EXPECT_TRUE(HasLine(42, 24.0, 42, 25.0));
    EXPECT_TRUE(HasLine(44, 24.0, 44, 25.0));
    EXPECT_TRUE(HasLine(40, 24.0, 46, 24.0));
    auto fills = surface.OfKind(OperationKind::FillPolygonArea);
    ASSERT_EQ(fills.size(), 1u);
    EXPECT_EQ(fills[0].points[0], (Point{X(42), Y(24.2)}));
    EXPECT_EQ(fills[0].points[2], (Point{X(44), Y(24.4)}));
}

TEST_F(LoggingColumnsTest, NothingWithoutData) {
    record.Table(TableId::TracerDetail).Clear();
    record.Table(TableId::TracerResult).Clear();
    DrawLoggingGraph(ctx, 2);
    DrawLoggingMethodFigure(ctx, 3);
    EXPECT_TRUE(surface.operations.empty());
}

TEST_F(LoggingColumnsTest, RegisteredItemsIncludeTheDetectedIntervals) {
    ColumnRegistry registry;
    RegisterLoggingColumns(registry);
    for (int key : {3501, GridKey(3501), 3502, 2051}) EXPECT_TRUE(registry.Has(key));
    (*registry.Find(3502))(ctx, 4, 0);
    EXPECT_TRUE(FindText("流動層"));
    EXPECT_TRUE(HasLine(46, 24.2, 52, 24.2));
    EXPECT_TRUE(HasLine(46, 24.4, 52, 24.4) || !Lines().empty());
}

}  // namespace
