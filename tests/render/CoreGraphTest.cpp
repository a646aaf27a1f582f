#include "render/columns/CoreGraph.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"
#include "render/Primitives.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

TEST(BracketFormat, FirstMatchingChoiceGivesTheFormat) {
    struct Case {
        const char* choice;
        const char* format;
    } cases[] = {
        {"　…無し", "%s"},   {"((", "((%s))"},   {"(　)", "(%s)"},   {"[　]", "[%s]"}, {"{　}", "{%s}"},
        {"《　》", "《%s》"}, {"〔　〕", "〔%s〕"}, {"<>", "%s"},       {"", "%s"},
        {"無(", "%s"},        // 無 is tested before the brackets
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        EXPECT_EQ(BracketFormat(c.choice), c.format);
    }
}

TEST(BracketFormat, LabelIsTheLeadingIntegerInTheBrackets) {
    EXPECT_EQ(BracketLabel("((", "85.7"), "((85))");
    EXPECT_EQ(BracketLabel("〔　〕", "60"), "〔60〕");
    EXPECT_EQ(BracketLabel("　…無し", "100"), "100");
    EXPECT_EQ(BracketText("《　》", "0.72"), "《0.72》");
}

// The core graph 2302 from 10 to 30 mm: a value v lies at x = 10 + 0.2 v.
class CoreGraphTest : public stracol::testing::ColumnTestFixture {
protected:
    CoreGraphTest() {
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        SetItem(2, "2302 採取率コア長RQD 図", "20", "99 Auto");
    }

    static double XOf(double value) { return 10 + 0.2 * value; }

    std::vector<RecordedOperation> LinesInColour(Colour colour) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : Lines())
            if (op.pen.colour == colour) out.push_back(op);
        return out;
    }

    static constexpr Colour kRecovery = 0xa00000;
    static constexpr Colour kLength = 0x008000;
    static constexpr Colour kRqd = 0x0000a0;
};

TEST_F(CoreGraphTest, RecoveryLabelStandsLeftFrom91AndRightBelow) {
    SetRow(TableId::Recovery, 1, {"1.00", "95", "2", "0"});
    SetRow(TableId::Recovery, 2, {"2.00", "90", "2", "0"});
    DrawCoreGraph(ctx, 2, true, 0.3);
    auto high = FindText("(95)");
    auto low = FindText("(90)");
    ASSERT_TRUE(high);
    ASSERT_TRUE(low);
    // Points in the middle of their runs; label choice 2 puts the text's top on the point.
    // The line from 95 down to 90 would run through the corner of "(95)" at its point, and
    // the right of the point has no room: the label stands 0.6 mm farther left.
    EXPECT_EQ(high->points[0], (Point{X(XOf(95) - 0.6), Y(0.5)}));
    EXPECT_EQ(high->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Top}));
    EXPECT_EQ(low->points[0], (Point{X(XOf(90)), Y(1.5)}));
    EXPECT_EQ(low->align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Top}));
    // A line joins the two points.
    EXPECT_TRUE(HasLine(XOf(95), 0.5, XOf(90), 1.5));
}

TEST_F(CoreGraphTest, RecoveryLabelVerticalReferenceFollowsColumnTwo) {
    struct Case {
        const char* choice;
        double y;
        VerticalAlign vertical;
    } cases[] = {
        {"0", 0.5, VerticalAlign::Bottom},
        {"1", 0.5 - 0.15, VerticalAlign::Top},
        {"2", 0.5, VerticalAlign::Top},
        {"7", 0.5, VerticalAlign::Top},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.choice);
        surface.operations.clear();
        SetRow(TableId::Recovery, 1, {"1.00", "50", c.choice, "0"});
        DrawCoreGraph(ctx, 2, false, 0.3);
        auto label = FindText("(50)");
        ASSERT_TRUE(label);
        EXPECT_EQ(label->points[0], (Point{X(XOf(50)), Y(c.y)}));
        EXPECT_EQ(label->align.vertical, c.vertical);
    }
}

TEST_F(CoreGraphTest, RecoveryMarksAreCrossesAndFlagsPlaceAndBreakThePolyline) {
    SetRow(TableId::Recovery, 1, {"1.00", "80", "2", "0"});
    SetRow(TableId::Recovery, 2, {"2.00", "70", "2", "2"});   // at the run's bottom
    SetRow(TableId::Recovery, 3, {"3.00", "60", "2", "4"});   // starts a new segment
    SetRow(TableId::Recovery, 4, {"4.00", "", "2", "0"});     // no value: a gap
    SetRow(TableId::Recovery, 5, {"5.00", "50", "2", "0"});
    DrawCoreGraph(ctx, 2, false, 0.3);
    // The cross of the first point.
    EXPECT_TRUE(HasLine(XOf(80) - 0.6, 0.5 - 0.03, XOf(80) + 0.6, 0.5 + 0.03));
    EXPECT_TRUE(HasLine(XOf(80) - 0.6, 0.5 + 0.03, XOf(80) + 0.6, 0.5 - 0.03));
    EXPECT_TRUE(HasLine(XOf(80), 0.5, XOf(70), 2.0));
    EXPECT_FALSE(HasLine(XOf(70), 2.0, XOf(60), 2.5));
    EXPECT_FALSE(HasLine(XOf(60), 2.5, XOf(50), 4.5));
    // Four crosses of two lines each and one joining line.
    EXPECT_EQ(LinesInColour(kRecovery).size(), 4u * 2 + 1);
}

TEST_F(CoreGraphTest, CoreLengthIsADiscLabelledRightAlignedOnItsBottom) {
    settings.CoreLengthBracket = "[　]";
    SetRow(TableId::CoreLength, 1, {"1.00", "35", "", "32"});
    SetRow(TableId::CoreLength, 2, {"2.00", "12", "", "48"});
    DrawCoreGraph(ctx, 2, false, 0.3);
    auto ellipses = surface.OfKind(OperationKind::Ellipse);
    ASSERT_EQ(ellipses.size(), 2u);
    EXPECT_EQ(ellipses[0].brush, Brush::Solid(kLength));
    const int r = MetresToPx(g, 0.055);
    EXPECT_EQ(ellipses[0].rect, (Rect{X(XOf(35)) - r, Y(0.5) - r, X(XOf(35)) + r, Y(0.5) + r}));
    auto label = FindText("[35]");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->points[0], (Point{X(XOf(35)), Y(0.5)}));
    EXPECT_EQ(label->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
    EXPECT_TRUE(HasLine(XOf(35), 0.5, XOf(12), 1.5));
}

TEST_F(CoreGraphTest, LabelStandsOnTheSideOfItsPointThatNoLineRunsThrough) {
    // Core lengths 0, 3, 0: "3" left of its point would be kept inside the column edge and
    // land on the lines from and to the points at 0, so it stands right of the point.
    SetRow(TableId::CoreLength, 1, {"1.00", "0", "", "32"});
    SetRow(TableId::CoreLength, 2, {"2.00", "3", "", "32"});
    SetRow(TableId::CoreLength, 3, {"3.00", "0", "", "32"});
    DrawCoreGraph(ctx, 2, false, 0.3);
    auto label = FindText("3");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom}));
    EXPECT_EQ(label->points[0], (Point{X(XOf(3) + 0.6), Y(1.5)}));
    // The labels at 0 keep their place left of their points.
    auto zero = FindText("0");
    ASSERT_TRUE(zero);
    EXPECT_EQ(zero->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
}

TEST_F(CoreGraphTest, LabelKeepsOffTheLinesOfTheOtherSeries) {
    // A core length of 70 at 1.5 m; its label stands left of its point by rule. The RQD step of
    // 65 runs down through that place: with the RQD graph the label moves right of its point,
    // clear of the step and of the RQD label in the middle of the column.
    SetRow(TableId::CoreLength, 1, {"2.00", "70", "65", "32"});
    for (const bool withRqd : {false, true}) {
        SCOPED_TRACE(withRqd);
        surface.operations.clear();
        DrawCoreGraph(ctx, 2, withRqd, 0.3);
        EXPECT_EQ(HasLine(XOf(65), 1.0, XOf(65), 2.0), withRqd);
        auto label = FindText("70");
        ASSERT_TRUE(label);
        if (withRqd) {
            // Right of its point, at least half a millimetre clear of the RQD label "〔65〕"
            // centred in the column, and inside the column.
            auto rqdLabel = FindText("〔65〕");
            ASSERT_TRUE(rqdLabel);
            const int rqdRight = rqdLabel->points[0].x + surface.MeasureText("〔65〕").width / 2;
            EXPECT_EQ(label->align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom}));
            EXPECT_GE(label->points[0].x, std::max(X(XOf(70) + 0.6), rqdRight + X(0.5) - X(0)));
            EXPECT_LE(label->points[0].x + surface.MeasureText("70").width, X(30));
            EXPECT_EQ(label->points[0].y, Y(1.5));
        } else {
            EXPECT_EQ(label->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
            EXPECT_EQ(label->points[0], (Point{X(XOf(70)), Y(1.5)}));
        }
    }
}

TEST_F(CoreGraphTest, EdgeLabelOptionsMoveTheLabelsInsideTheEdges) {
    SetRow(TableId::Recovery, 1, {"1.00", "40", "0", "0"});
    SetRow(TableId::CoreLength, 1, {"1.00", "30", "", "32"});
    CoreLabelOptions options;
    options.recoveryAtRightEdge = true;
    options.lengthAtLeftEdge = true;
    DrawCoreGraph(ctx, 2, false, 0.3, options);
    auto recovery = FindText("(40)");
    auto length = FindText("30");
    ASSERT_TRUE(recovery);
    ASSERT_TRUE(length);
    EXPECT_EQ(recovery->points[0], (Point{X(29), Y(0.5)}));
    EXPECT_EQ(recovery->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
    EXPECT_EQ(length->points[0], (Point{X(11), Y(0.5)}));
    EXPECT_EQ(length->align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom}));
}

// The maximum core length and the RQD share their table, each at its own depths (here core
// runs ending at 0.5, 1.5 and 2.5 m, RQD runs at 2.0 and 3.0 m): each series takes only its own
// rows, so a point stands in the middle of its own run and the other series' rows neither break
// its line nor end its runs. A first run shorter than a metre starts at the ground.
TEST_F(CoreGraphTest, SeriesSharingTheirTableKeepToTheirOwnRows) {
    SetRow(TableId::CoreLength, 1, {"0.50", "20", "", "32"});
    SetRow(TableId::CoreLength, 2, {"1.50", "30", "", "32"});
    SetRow(TableId::CoreLength, 3, {"2.00", "", "60", ""});
    SetRow(TableId::CoreLength, 4, {"2.50", "40", "", "32"});
    SetRow(TableId::CoreLength, 5, {"3.00", "", "70", ""});
    DrawCoreGraph(ctx, 2, true, 0.3);
    const auto discs = surface.OfKind(OperationKind::Ellipse);
    ASSERT_EQ(discs.size(), 3u);
    const double depths[] = {0.25, 1.0, 2.0};
    const double values[] = {20, 30, 40};
    const int r = MetresToPx(g, 0.055);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(discs[static_cast<std::size_t>(k)].rect,
                  (Rect{X(XOf(values[k])) - r, Y(depths[k]) - r, X(XOf(values[k])) + r, Y(depths[k]) + r}));
    }
    EXPECT_TRUE(HasLine(XOf(20), 0.25, XOf(30), 1.0));
    EXPECT_TRUE(HasLine(XOf(30), 1.0, XOf(40), 2.0));
    // The RQD: 60 % over 1.0-2.0 m, then straight on to 70 % over 2.0-3.0 m.
    EXPECT_TRUE(HasLine(XOf(60), 1.0, XOf(60), 2.0));
    EXPECT_TRUE(HasLine(XOf(60), 2.0, XOf(70), 2.0));
    EXPECT_TRUE(HasLine(XOf(70), 2.0, XOf(70), 3.0));
}

// A run without an RQD at a depth the core length gives (8.0 m) breaks the RQD step graph:
// the 9.0 m step starts on its own, not joined to the 7.0 m one.
TEST_F(CoreGraphTest, RqdMissingForARunOfTheCoreLengthBreaksTheSteps) {
    SetRow(TableId::CoreLength, 1, {"7.00", "15", "25", "32"});
    SetRow(TableId::CoreLength, 2, {"8.00", "8", "", "32"});
    SetRow(TableId::CoreLength, 3, {"9.00", "21", "41", "32"});
    DrawCoreGraph(ctx, 2, true, 0.3);
    EXPECT_TRUE(HasLine(XOf(25), 6.0, XOf(25), 7.0));
    EXPECT_TRUE(HasLine(XOf(41), 8.0, XOf(41), 9.0));
    EXPECT_FALSE(HasLine(XOf(25), 8.0, XOf(41), 8.0));
    EXPECT_FALSE(HasLine(XOf(25), 7.0, XOf(41), 7.0));
}

TEST_F(CoreGraphTest, RqdIsAStepGraphOfOneMetreRuns) {
    SetRow(TableId::CoreLength, 1, {"3.0", "", "60", "32"});
    SetRow(TableId::CoreLength, 2, {"4.0", "", "80", "48"});  // 16: closing line
    DrawCoreGraph(ctx, 2, true, 0.3);
    EXPECT_TRUE(HasLine(XOf(60), 2.0, XOf(60), 3.0));
    EXPECT_TRUE(HasLine(XOf(60), 3.0, XOf(80), 3.0));
    EXPECT_TRUE(HasLine(XOf(80), 3.0, XOf(80), 4.0));
    EXPECT_TRUE(HasLine(10, 4.0, XOf(80), 4.0));
    const auto rqd = LinesInColour(kRqd);
    EXPECT_EQ(rqd.size(), 4u);
    EXPECT_EQ(rqd[0].pen.width, 2);
    // The labels at mid-run, centred on the column.
    auto first = FindText("〔60〕");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->points[0], (Point{X(20), Y(2.5)}));
    EXPECT_EQ(first->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom}));
    // No core length values: no discs.
    EXPECT_TRUE(surface.OfKind(OperationKind::Ellipse).empty());
}

TEST_F(CoreGraphTest, RqdRunStartsAtThePreviousBottomWhenThatIsDeeper) {
    SetRow(TableId::CoreLength, 1, {"2.5", "", "40", "32"});
    SetRow(TableId::CoreLength, 2, {"3.0", "", "50", "32"});
    DrawCoreGraph(ctx, 2, true, 0.3);
    EXPECT_TRUE(HasLine(XOf(40), 2.5, XOf(50), 2.5));
    EXPECT_TRUE(HasLine(XOf(50), 2.5, XOf(50), 3.0));
    auto label = FindText("〔50〕");
    ASSERT_TRUE(label);
    EXPECT_EQ(label->points[0].y, Y(2.75));
}

TEST_F(CoreGraphTest, RqdGapAndLeftEdgeFlag) {
    SetRow(TableId::CoreLength, 1, {"1.0", "", "30", "32"});
    SetRow(TableId::CoreLength, 2, {"2.0", "", "", "32"});   // no RQD: the next step starts anew
    SetRow(TableId::CoreLength, 3, {"3.0", "", "70", "32"});
    SetRow(TableId::CoreLength, 4, {"4.0", "", "90", "40"});  // 8: from the left edge
    DrawCoreGraph(ctx, 2, true, 0.3);
    EXPECT_FALSE(HasLine(XOf(30), 2.0, XOf(70), 2.0));
    EXPECT_TRUE(HasLine(XOf(70), 2.0, XOf(70), 3.0));
    EXPECT_TRUE(HasLine(10, 3.0, XOf(90), 3.0));
    EXPECT_FALSE(HasLine(XOf(70), 3.0, XOf(90), 3.0));
}

TEST_F(CoreGraphTest, BlackAndWhiteModeDrawsThePlotsBlack) {
    settings.ColourMode = 1;
    SetRow(TableId::Recovery, 1, {"1.00", "80", "2", "0"});
    SetRow(TableId::CoreLength, 1, {"1.0", "20", "60", "48"});
    DrawCoreGraph(ctx, 2, true, 0.3);
    ASSERT_FALSE(Lines().empty());
    for (const auto& op : Lines()) EXPECT_EQ(op.pen.colour, 0u);
}

TEST_F(CoreGraphTest, RegisteredGraphsDifferOnlyByTheRqd) {
    ColumnRegistry registry;
    RegisterCoreGraphs(registry);
    ASSERT_TRUE(registry.Has(2301));
    ASSERT_TRUE(registry.Has(2302));
    ASSERT_TRUE(registry.Has(GridKey(2301)));
    ASSERT_TRUE(registry.Has(GridKey(2302)));
    SetRow(TableId::CoreLength, 1, {"1.0", "20", "60", "48"});
    (*registry.Find(2301))(ctx, 2, 0);
    EXPECT_TRUE(LinesInColour(kRqd).empty());
    EXPECT_EQ(surface.OfKind(OperationKind::Ellipse).size(), 1u);
    surface.operations.clear();
    (*registry.Find(2302))(ctx, 2, 0);
    EXPECT_FALSE(LinesInColour(kRqd).empty());
}

TEST_F(CoreGraphTest, NothingForASlotThatIsNotDrawn) {
    SetRow(TableId::Recovery, 1, {"1.00", "80", "2", "0"});
    DrawCoreGraph(ctx, 0, true, 0.3);
    DrawCoreGraph(ctx, 7, true, 0.3);
    DrawGraphGrid(ctx, 0, 0);
    EXPECT_TRUE(surface.operations.empty());
}

// ---- the grid ----

class GraphGridTest : public CoreGraphTest {
protected:
    std::vector<double> VerticalXs() const {
        std::vector<double> xs;
        for (const auto& op : Lines())
            if (op.points[0].x == op.points[1].x) xs.push_back(XToMm(g, op.points[0].x));
        return xs;
    }
    // The depths of the horizontal lines, shallowest first.
    std::vector<double> HorizontalYs() const {
        std::vector<double> ys;
        for (const auto& op : Lines())
            if (op.points[0].y == op.points[1].y) ys.push_back(YToDepth(g, op.points[0].y));
        std::sort(ys.begin(), ys.end());
        return ys;
    }
};

TEST_F(GraphGridTest, CoarseGridHasTheMiddleLineAndEveryWholeMetre) {
    DrawGraphGrid(ctx, 2, 1);
    EXPECT_EQ(VerticalXs(), (std::vector<double>{20}));
    // Every whole metre strictly inside the page 0–5 m, the last one included.
    EXPECT_EQ(HorizontalYs(), (std::vector<double>{1, 2, 3, 4}));
    for (const auto& op : Lines()) EXPECT_EQ(op.pen.colour, 0x808080u);
}

TEST_F(GraphGridTest, FineGridHasTenthsAndHalfMetres) {
    settings.CoreGridColour = "0x00ff00";
    settings.NGridColour = "0x0000ff";
    DrawGraphGrid(ctx, 2, 0);
    EXPECT_EQ(VerticalXs(), (std::vector<double>{12, 14, 16, 18, 22, 24, 26, 28, 20}));
    EXPECT_EQ(HorizontalYs(), (std::vector<double>{0.5, 1, 1.5, 2, 2.5, 3, 3.5, 4, 4.5}));
    for (const auto& op : Lines()) {
        const bool middle = op.points[0].x == op.points[1].x && op.points[0].x == X(20);
        const bool vertical = op.points[0].x == op.points[1].x;
        EXPECT_EQ(op.pen.colour, vertical && !middle ? 0x00ff00u : 0x0000ffu);
    }
}

TEST_F(GraphGridTest, LaterPageStartsBelowItsTop) {
    SetPage(4.3, 9.3);
    DrawGraphGrid(ctx, 2, 0);
    EXPECT_EQ(HorizontalYs(), (std::vector<double>{4.5, 5, 5.5, 6, 6.5, 7, 7.5, 8, 8.5, 9}));
}

TEST_F(GraphGridTest, DeepPagesSplitTheVerticalLines) {
    g.depthPerPage = 38;
    SetPage(0, 38);
    DrawGraphGrid(ctx, 2, 1);
    EXPECT_TRUE(HasLine(20, 0, 20, 19));
    EXPECT_TRUE(HasLine(20, 19, 20, 38));
}

TEST_F(GraphGridTest, DashedLinesAndBlackAndWhite) {
    settings.CoreGridGap = 5;
    settings.CoreGridDash = 10;
    settings.ColourMode = 1;
    DrawGraphGrid(ctx, 2, 1);
    // The middle line from 0 to 500 px in dashes of 10 px every 15 px.
    int dashes = 0;
    for (const auto& op : Lines()) {
        EXPECT_EQ(op.pen.colour, 0u);
        if (op.points[0].x == X(20) && op.points[1].x == X(20)) ++dashes;
    }
    EXPECT_EQ(dashes, 33);
}

}  // namespace
