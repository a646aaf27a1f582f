#include "render/columns/LugeonColumns.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// Value 10–15 mm, scale 15–20 mm, P–Q graph 20–70 mm; one paper millimetre is one millimetre
// of style width and 0.1 m of depth.
class LugeonColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    LugeonColumnsTest() {
        g.pxPerMmX = 10;
        g.pxPerMmY = 10;
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        SetItem(2, "3401 ルジオン>値", "5", "3  HR_Btm");
        SetItem(3, "3402 ルジオン>目盛り", "5", "6  HR_Mid");
        SetItem(4, "3403 ルジオン>図", "50", "99 Auto");
        SetPage(0, 10);
        SetRow(TableId::Lugeon, 1,
               {"0001", "3.00", "8.00", "0.720", "11.20", "0.200", "3.30", "1", "20", "8",
                "0.200,3.30,0.400,5.50,0.600,7.70,0.800,12.10,1.000,17.70,0.600,9.00,"});
    }

    // Positions in the plot area of the test (21.5–67 mm across, 3.4–7.6 m down).
    double XOf(double q) const { return Area().XOf(Test(), q); }
    double YOf(double p) const { return Area().YOf(Test(), p); }
    LugeonTest Test() const { return LugeonTests(record).at(0); }
    LugeonPlotArea Area() const { return LugeonPlotAreaOf(g, Test(), 20, 70); }

    std::vector<RecordedOperation> LinesOfWidth(int width) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : Lines())
            if (op.pen.width == width) out.push_back(op);
        return out;
    }
};

TEST_F(LugeonColumnsTest, TestRowGivesAxesAndPoints) {
    const auto tests = LugeonTests(record);
    ASSERT_EQ(tests.size(), 1u);
    const LugeonTest& t = tests[0];
    EXPECT_DOUBLE_EQ(t.upper, 3.0);
    EXPECT_DOUBLE_EQ(t.lower, 8.0);
    EXPECT_TRUE(t.converted);
    ASSERT_EQ(t.points.size(), 6u);
    EXPECT_DOUBLE_EQ(t.points[3].pressure, 0.8);
    EXPECT_DOUBLE_EQ(t.points[3].flow, 12.1);
    EXPECT_DOUBLE_EQ(t.p0, 0.2);
    EXPECT_DOUBLE_EQ(t.p1, 1.0);
    EXPECT_DOUBLE_EQ(t.q0, 3.3);
    EXPECT_DOUBLE_EQ(t.q1, 20.0);
    EXPECT_EQ(t.p0Label, "0.200");
    EXPECT_EQ(t.q1Label, "20");
    EXPECT_EQ(LugeonValueText(t), "(11.20)");
}

TEST_F(LugeonColumnsTest, MissingOrInvertedScalesFallBackToTheMeasuredValues) {
    struct Case {
        const char* start;
        const char* scale;
        double p0, p1;
        const char* p1Label;
    } cases[] = {
        {"", "", 0, 1.0, "1"},          // 0 to the largest pressure
        {"0.2", "0.1", 0.2, 1.0, "1"},  // full scale below the start: the largest pressure
        {"2", "", 0, 1.0, "1"},         // start above every point
        {"0.2", "2", 0.2, 2, "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.start) + " / " + c.scale);
        record.Table(TableId::Lugeon).SetCell(1, 5, c.start);
        record.Table(TableId::Lugeon).SetCell(1, 7, c.scale);
        const LugeonTest t = LugeonTests(record).at(0);
        EXPECT_DOUBLE_EQ(t.p0, c.p0);
        EXPECT_DOUBLE_EQ(t.p1, c.p1);
        EXPECT_EQ(t.p1Label, c.p1Label);
    }
}

TEST_F(LugeonColumnsTest, PointPairsWithoutNumbersAreLeftOut) {
    record.Table(TableId::Lugeon).SetCell(1, 10, "0.2,3.3,x,5.5,0.6,7.7,0.8");
    const LugeonTest t = LugeonTests(record).at(0);
    ASSERT_EQ(t.points.size(), 2u);
    EXPECT_DOUBLE_EQ(t.points[1].pressure, 0.6);
}

TEST_F(LugeonColumnsTest, RowsWithoutDepthsAreNoTests) {
    SetRow(TableId::Lugeon, 2, {"0002", "", "12.0"});
    SetRow(TableId::Lugeon, 3, {"0003", "20.0", "22.0"});
    const auto tests = LugeonTests(record);
    ASSERT_EQ(tests.size(), 2u);
    EXPECT_DOUBLE_EQ(tests[1].upper, 20.0);
}

TEST_F(LugeonColumnsTest, PlotAreaKeepsAMinimumHeight) {
    LugeonTest t = LugeonTests(record).at(0);
    LugeonPlotArea a = LugeonPlotAreaOf(g, t, 20, 70);
    EXPECT_DOUBLE_EQ(a.leftMm, 21.5);
    EXPECT_DOUBLE_EQ(a.rightMm, 67);
    EXPECT_DOUBLE_EQ(a.top, 3.4);
    EXPECT_DOUBLE_EQ(a.bottom, 7.6);
    t.lower = 3.5;  // a 0.5 m test still gets a 15 mm box
    a = LugeonPlotAreaOf(g, t, 20, 70);
    EXPECT_DOUBLE_EQ(a.boxBottom, 4.5);
}

TEST_F(LugeonColumnsTest, GraphDrawsBranchesWithTheirWidths) {
    settings.PqIncreaseWidth = 3;
    settings.PqDecreaseWidth = 4;
    settings.LugeonColour = "0x123456";
    DrawLugeonGraph(ctx, 4);
    const auto rising = LinesOfWidth(3);
    const auto falling = LinesOfWidth(4);
    ASSERT_EQ(rising.size(), 4u);
    ASSERT_EQ(falling.size(), 1u);
    EXPECT_EQ(rising[0].pen.colour, 0x123456u);
    EXPECT_TRUE(HasLine(XOf(3.3), YOf(0.2), XOf(5.5), YOf(0.4)));
    EXPECT_TRUE(HasLine(XOf(17.7), YOf(1.0), XOf(9.0), YOf(0.6)));
    EXPECT_EQ(falling[0].points[0], (Point{X(XOf(17.7)), Y(YOf(1.0))}));
    // A mark on each point.
    EXPECT_EQ(surface.OfKind(OperationKind::Arc).size() + surface.OfKind(OperationKind::Ellipse).size(), 6u);
}

TEST_F(LugeonColumnsTest, GraphAxesTextsAndCriticalPressure) {
    settings.AreaLineStyle = 2;
    settings.AreaLineWidthX = 5;
    settings.AreaLineWidthY = 6;
    DrawLugeonGraph(ctx, 4);
    bool qAxis = false;
    bool pAxis = false;
    for (const auto& op : Lines()) {
        if (op.points[0] == Point{X(21.5), Y(7.6)} && op.points[1] == Point{X(67), Y(7.6)}) {
            qAxis = true;
            EXPECT_EQ(op.pen.width, 5);
            EXPECT_EQ(op.pen.style, PenStyle::Dot);
        }
        if (op.points[0] == Point{X(21.5), Y(7.6)} && op.points[1] == Point{X(21.5), Y(3.4)}) {
            pAxis = true;
            EXPECT_EQ(op.pen.width, 6);
        }
    }
    EXPECT_TRUE(qAxis);
    EXPECT_TRUE(pAxis);
    auto critical = FindText("《0.720》");
    ASSERT_TRUE(critical);
    EXPECT_EQ(critical->points[0], (Point{X(Area().leftMm + 0.5), Y(YOf(0.72) - 0.05)}));
    EXPECT_TRUE(HasLine(21.5, YOf(0.72), 67, YOf(0.72)));
    auto value = FindText("(11.20)");
    ASSERT_TRUE(value);
    EXPECT_EQ(value->points[0], (Point{X(67), Y(3.35)}));
    EXPECT_TRUE(FindText("3.30"));
    EXPECT_TRUE(FindText("20"));
    // The box of the test closed at its depths across the column.
    EXPECT_TRUE(HasLine(20, 3.0, 70, 3.0));
    EXPECT_TRUE(HasLine(20, 8.0, 70, 8.0));
}

TEST_F(LugeonColumnsTest, ACriticalPressureAtTheTopOfTheScaleIsWrittenInsideThePlot) {
    // At 1.000 MPa the line lies on the plot's top edge: no room above it inside the plot's
    // clip, so the value goes under the line. It stays at the left end while the curve meets
    // the line far right (17.70 of 20 L/min), and goes to the right end when the curve runs up
    // the left side.
    struct Case { const char* points; bool rightEnd; } cases[] = {
        {"0.200,3.30,0.400,5.50,0.600,7.70,0.800,12.10,1.000,17.70,0.600,9.00,", false},
        {"0.200,3.40,0.400,3.50,0.600,3.70,0.800,3.80,1.000,3.90,0.600,3.60,", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.points);
        surface.operations.clear();
        record.Table(TableId::Lugeon).SetCell(1, 3, "1.000");
        record.Table(TableId::Lugeon).SetCell(1, 10, c.points);
        DrawLugeonGraph(ctx, 4);
        const auto critical = FindText("《1.000》");
        ASSERT_TRUE(critical);
        EXPECT_EQ(critical->points[0].y, Y(YOf(1.0) + 0.05));
        EXPECT_EQ(critical->points[0].x, c.rightEnd ? X(Area().rightMm - 0.5) : X(Area().leftMm + 0.5));
    }
}

TEST_F(LugeonColumnsTest, GraphClipsToThePlotAndPutsThePageClipBack) {
    DrawLugeonGraph(ctx, 4);
    auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 2u);
    EXPECT_EQ(clips[0].rect, (Rect{X(21.5), Y(3.4), X(67) + 1, Y(7.6) + 1}));
    EXPECT_EQ(clips[1].rect, PageWindowRect(ctx, 0));
    // The points and lines come between the two clips.
    std::size_t firstClip = 0;
    std::size_t lastLine = 0;
    for (std::size_t i = 0; i < surface.operations.size(); ++i) {
        if (surface.operations[i].kind == OperationKind::SetClip && firstClip == 0) firstClip = i;
        if (surface.operations[i].kind == OperationKind::Line) lastLine = i;
    }
    EXPECT_GT(lastLine, firstClip);
}

TEST_F(LugeonColumnsTest, PlotBelowThePageDrawsNothingOfItsBody) {
    // The critical pressure at the full scale lies on the plot's top edge.
    record.Table(TableId::Lugeon).SetCell(1, 3, "1.000");
    SetPage(0, 3.2);  // the box starts at 3.0 m, its plot at 3.4 m
    DrawLugeonGraph(ctx, 4);
    EXPECT_TRUE(surface.OfKind(OperationKind::SetClip).empty());
    EXPECT_FALSE(FindText("《1.000》"));
    EXPECT_TRUE(surface.OfKind(OperationKind::Arc).empty());
}

TEST_F(LugeonColumnsTest, BracketChoiceAndDecimalsOfTheCriticalPressure) {
    settings.CriticalPressureBracket = "{　}";
    settings.PressureDecimals = 1;
    DrawLugeonGraph(ctx, 4);
    EXPECT_TRUE(FindText("{0.7}"));
}

TEST_F(LugeonColumnsTest, ValueColumnWritesTheValueInItsInterval) {
    DrawLugeonValueColumn(ctx, 2);
    auto value = FindText("(11.20)");
    ASSERT_TRUE(value);
    // Right-aligned 0.2 mm inside the column on the interval bottom; 105 px of text in the
    // 5 mm column is set narrower and smaller (not below the floor) to fit inside it.
    EXPECT_EQ(value->covered.right, X(14.8));
    EXPECT_EQ(value->covered.bottom, Y(8.0));
    EXPECT_GE(value->covered.left, TextLeft(10));
    EXPECT_LT(value->font.height, 30);
    EXPECT_GE(value->font.height, FloorPx());
    EXPECT_TRUE(HasLine(10, 3.0, 15, 3.0));
    EXPECT_TRUE(HasLine(10, 8.0, 15, 8.0));
    // A measured (not converted) value stands without parentheses.
    surface.operations.clear();
    record.Table(TableId::Lugeon).SetCell(1, 9, "");
    DrawLugeonValueColumn(ctx, 2);
    EXPECT_TRUE(FindText("11.20"));
}

TEST_F(LugeonColumnsTest, ScaleColumnLabelsThePressureAxis) {
    DrawLugeonScaleColumn(ctx, 3);
    auto top = FindText("1");
    auto bottom = FindText("0.200");
    ASSERT_TRUE(top);
    ASSERT_TRUE(bottom);
    EXPECT_EQ(top->points[0], (Point{X(19.8), Y(3.4)}));
    EXPECT_EQ(top->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Top}));
    EXPECT_EQ(bottom->points[0], (Point{X(19.8), Y(7.6)}));
    EXPECT_EQ(bottom->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
    surface.operations.clear();
    settings.PressureDecimals = 1;
    DrawLugeonScaleColumn(ctx, 3);
    EXPECT_TRUE(FindText("1.0"));
    EXPECT_TRUE(FindText("0.2"));
}

TEST_F(LugeonColumnsTest, GridOfTenthsAndFiftieths) {
    settings.NLugeonGrid = 1;
    DrawLugeonGrid(ctx, 4);
    EXPECT_EQ(Lines().size(), 18u);
    EXPECT_TRUE(HasLine(21.5 + 4.55, 3.4, 21.5 + 4.55, 7.6));
    surface.operations.clear();
    settings.NLugeonGrid = 0;
    settings.NFineGridColour = "0x00ffff";
    DrawLugeonGrid(ctx, 4);
    EXPECT_EQ(Lines().size(), 18u + 80u);
    EXPECT_EQ(Lines().front().pen.colour, 0x00ffffu);
}

TEST_F(LugeonColumnsTest, RegisteredWithTheGrid) {
    ColumnRegistry registry;
    RegisterLugeonColumns(registry);
    for (int key : {3401, 3402, 3403, GridKey(3403)}) EXPECT_TRUE(registry.Has(key));
    (*registry.Find(3403))(ctx, 4, 0);
    EXPECT_TRUE(FindText("(11.20)"));
}

}  // namespace
