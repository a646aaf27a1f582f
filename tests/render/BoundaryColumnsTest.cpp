#include "render/columns/BoundaryColumns.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "render/ColumnTestFixture.h"

#include "render/ColumnRegistry.h"
#include "render/columns/Elevation.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// Scale 5-12 mm, elevation 12-20, depth 20-28, thickness 28-35 (block right edge 35 mm).
class BoundaryColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    BoundaryColumnsTest() {
        SetItem(1, "1001 標尺", "7", "3  HR_Btm");
        SetItem(2, "1002 標高", "8", "2  HC_Btm");
        SetItem(3, "1003 深度", "8", "2  HC_Btm");
        SetItem(4, "1004 層厚", "7", "3  HR_Btm");
    }

    void Layer(int row, const std::string& bottom, const std::string& flags) {
        SetRow(TableId::Layer, row, {bottom, "砂", "", "", "2100.1", "", flags});
    }

    void Boundaries(BoundaryMode mode, int slot, const ElevationInputs& elevation = {}) {
        BoundaryValueColumns(ctx, slot, mode, 0.3, elevation, 3, 2);
    }

    // Lines across a column (left to right at one depth), by depth.
    std::vector<double> RuledDepths(double leftMm, double rightMm) const {
        std::vector<double> depths;
        for (const auto& op : Lines())
            if (op.points[0].x == X(leftMm) && op.points[1].x == X(rightMm) && op.points[0].y == op.points[1].y)
                depths.push_back(op.points[0].y / 100.0);
        return depths;
    }
};

// ---- scale column ----

TEST_F(BoundaryColumnsTest, ScaleFromTheTopOfTheLogNumbersMetresWithoutZero) {
    SetPage(0, 3);
    DrawScaleColumn(ctx, 1, 0.3);
    const std::vector<std::string> texts = TextStrings();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), "0"), 0);
    for (int metre : {1, 2, 3}) {
        auto op = FindText(std::to_string(metre));
        ASSERT_TRUE(op) << metre;
        // Right-aligned 0.5 mm inside the right edge, centred on the metre line; at the page
        // end it would straddle the break, so it stands whole above it.
        const double top = metre < 3 ? metre - 0.15 : metre - LineDepth(surface, g);
        EXPECT_EQ(op->points[0], (Point{X(12 - 0.5), Y(top)})) << metre;
        EXPECT_EQ(op->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Top}));
    }
}

TEST_F(BoundaryColumnsTest, ScaleNumbersKeepAGapFromTheMetreTick) {
    // A narrow scale column: two-digit numbers are set narrower rather than touch the tick
    // (a number touching it reads as a negative one).
    SetItem(1, "1001 標尺", "3.5", "3  HR_Btm");
    ctx.columns = ColumnEdges(style);
    SetPage(9, 13);
    DrawScaleColumn(ctx, 1, 0.3);
    for (int metre : {10, 11, 12}) {
        auto op = FindText(std::to_string(metre));
        ASSERT_TRUE(op) << metre;
        EXPECT_GE(op->covered.left, X(5 + 1.8 + 0.5)) << metre;
        EXPECT_LE(op->covered.right, X(8.5) + 1) << metre;  // inside the column, to a pixel
    }
}

TEST_F(BoundaryColumnsTest, ScaleTicksEveryDecimetreLongerAtHalfMetres) {
    SetPage(0, 3);
    DrawScaleColumn(ctx, 1, 0.3);
    for (int j = 1; j <= 9; ++j) {
        const double y = 1 + 0.1 * j;
        const double length = j == 5 ? 1.4 : 0.8;
        EXPECT_TRUE(HasLine(5, y, 5 + length, y)) << y;
        // The same tick, 0.2 mm longer, at the right edge of the column block.
        EXPECT_TRUE(HasLine(35, y, 35 - length - 0.2, y)) << y;
    }
}

TEST_F(BoundaryColumnsTest, MetreTicksOnlyStrictlyInsideThePage) {
    SetPage(10, 13);
    DrawScaleColumn(ctx, 1, 0.3);
    EXPECT_FALSE(HasLine(5, 10, 6.8, 10));
    EXPECT_TRUE(HasLine(5, 11, 6.8, 11));
    EXPECT_TRUE(HasLine(35, 12, 33, 12));
    EXPECT_FALSE(HasLine(5, 13, 6.8, 13));
    // A later page writes its first metre whole below the page top (centred on the metre
    // line it would be cut by the page break).
    auto ten = FindText("10");
    ASSERT_TRUE(ten);
    EXPECT_EQ(ten->points[0].y, Y(10));
    EXPECT_EQ(ten->covered.top, 0);
}

TEST_F(BoundaryColumnsTest, HalfMetreTickStepDrawsOnlyTheHalfMetreTicks) {
    settings.ScaleTickStep = 1;
    SetPage(0, 2);
    DrawScaleColumn(ctx, 1, 0.3);
    EXPECT_TRUE(HasLine(5, 1.5, 6.4, 1.5));
    EXPECT_FALSE(HasLine(5, 1.1, 5.8, 1.1));
    EXPECT_FALSE(HasLine(5, 1.4, 5.8, 1.4));
}

TEST_F(BoundaryColumnsTest, ScaleLinesUseTheRuleLineWidth) {
    settings.RuleLineWidth = 3;
    DrawScaleColumn(ctx, 1, 0.3);
    ASSERT_FALSE(Lines().empty());
    for (const auto& op : Lines()) EXPECT_EQ(op.pen, (Pen{PenStyle::Solid, 3, 0}));
}

TEST_F(BoundaryColumnsTest, ScaleOfASlotThatIsNotDrawnDrawsNothing) {
    for (int slot : {0, 5, 50}) {
        DrawScaleColumn(ctx, slot, 0.3);
        EXPECT_TRUE(surface.operations.empty()) << slot;
    }
}

// ---- boundary values ----

TEST_F(BoundaryColumnsTest, ThicknessesSpanFromBoundaryToBoundary) {
    Layer(1, "2.0", "471");
    Layer(2, "5.5", "471");
    Boundaries(BoundaryMode::Thickness, 4);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"2.00", "3.50"}));
    auto second = FindText("3.50");
    ASSERT_TRUE(second);
    // Right-aligned column: 0.2 mm inside its right edge, the text's bottom on the line.
    EXPECT_EQ(second->points[0], (Point{X(35 - 0.2), Y(5.5)}));
    EXPECT_EQ(second->align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
    EXPECT_EQ(RuledDepths(28, 35), (std::vector<double>{2.0, 5.5}));
}

TEST_F(BoundaryColumnsTest, FlagsDecideLinesValuesAndWhereTheThicknessStarts) {
    Layer(1, "1.0", "0");    // neither: the next thickness spans it
    Layer(2, "2.0", "1");    // line only, moves the start
    Layer(3, "3.5", "64");   // value only
    Layer(4, "4.0", "471");
    Boundaries(BoundaryMode::Thickness, 4);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"1.50", "0.50"}));
    EXPECT_EQ(RuledDepths(28, 35), (std::vector<double>{2.0, 4.0}));
}

TEST_F(BoundaryColumnsTest, DepthOfAShallowFirstLayerStandsOnItsBaseline) {
    Layer(1, "0.15", "471");
    Layer(2, "2.00", "471");
    Boundaries(BoundaryMode::Depth, 3);
    auto shallow = FindText(" 0.15");
    auto deep = FindText(" 2.00");
    ASSERT_TRUE(shallow);
    ASSERT_TRUE(deep);
    // Less than a line below the page top: its top stands on its rule, not above it where
    // the rule would cross it.
    EXPECT_EQ(shallow->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Top}));
    EXPECT_EQ(shallow->points[0], (Point{X(24), Y(0.15)}));
    EXPECT_EQ(deep->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom}));
}

TEST_F(BoundaryColumnsTest, RuleOfAThinLayerBendsBelowTheValuesItWouldCross) {
    // Layers ending at 1.00 and 1.10 m: the value of 1.10 m cannot stand between the two
    // rules, so it moves below the value of 1.00 m, and the 1.10 m rule bends below it.
    TextColumns columns;
    columns.edges = {X(5), X(12), X(20), X(28), X(35)};
    surface.SetTextColumns(&columns);
    LogFont font;
    font.height = 30;  // lines of 0.3 m
    surface.SelectFont(font);
    Layer(1, "1.00", "471");
    Layer(2, "1.10", "471");
    Layer(3, "3.00", "471");
    Boundaries(BoundaryMode::Depth, 3);
    auto thin = FindText(" 1.10");
    ASSERT_TRUE(thin);
    const std::vector<Rect> written = columns.written[3];
    ASSERT_EQ(written.size(), 3u);
    const Rect moved = written[1];
    ASSERT_GT(moved.bottom, Y(1.10));  // it really stands over the 1.10 m rule's depth
    // No rule of the column runs through a value; the 1.10 m rule keeps its true depth at
    // the rules and runs below the moved value between them.
    bool bent = false;
    for (const auto& op : Lines()) {
        const Point a = op.points[0];
        const Point b = op.points[1];
        if (a.y == b.y && a.x >= X(20) && b.x <= X(28)) {
            for (const Rect& r : written) EXPECT_FALSE(a.y > r.top + r.Height() / 6 && a.y < r.bottom - r.Height() / 6);
            if (a.y == moved.bottom) bent = true;
        }
    }
    EXPECT_TRUE(bent);
    const auto lines = Lines();
    EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [&](const RecordedOperation& op) {
        return op.points[0] == (Point{X(20), Y(1.10)}) && op.points[1].y == moved.bottom;
    }));
    surface.SetTextColumns(nullptr);
}

TEST_F(BoundaryColumnsTest, ElevationsFollowTheRoundingRuleOfTheBorehole) {
    Layer(1, "1.00", "471");
    ElevationInputs in;
    in.collarElevation = 12.345;
    in.roundingRule = kRoundHalfEven;
    Boundaries(BoundaryMode::Elevation, 2, in);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"  11.34"}));
    // 105 px of text in the column 12 … 20 mm: fitted inside its rules, centred, on the line.
    const Rect covered = Texts()[0].covered;
    EXPECT_GE(covered.left, TextLeft(12));
    EXPECT_LE(covered.right, TextRight(20));
    EXPECT_NEAR((covered.left + covered.right) / 2.0, X(16), 1.0);
    EXPECT_EQ(covered.bottom, Y(1.0));
    surface.operations.clear();
    in.roundingRule = kRoundHalfUp;
    Boundaries(BoundaryMode::Elevation, 2, in);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"  11.35"}));
}

TEST_F(BoundaryColumnsTest, InclinedBoreholeElevation) {
    Layer(1, "4.00", "471");
    ElevationInputs in;
    in.collarElevation = 10.0;
    in.angleDegrees = 60;
    Boundaries(BoundaryMode::Elevation, 2, in);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"   8.00"}));
}

TEST_F(BoundaryColumnsTest, MissingCollarElevationKeepsTheLines) {
    Layer(1, "1.00", "471");
    Layer(2, "3.00", "471");
    Boundaries(BoundaryMode::Elevation, 2, ElevationInputs{});
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(RuledDepths(12, 20), (std::vector<double>{1.0, 3.0}));
}

TEST_F(BoundaryColumnsTest, LineModesRuleTheirColumnWithoutValues) {
    SetItem(5, "1021 相対密度(計算値)", "6", "2");
    Layer(1, "1.00", "471");
    Layer(2, "2.50", "1");
    for (BoundaryMode mode : {BoundaryMode::DensityLines, BoundaryMode::ConsistencyLines}) {
        surface.operations.clear();
        Boundaries(mode, 5);
        EXPECT_TRUE(Texts().empty());
        EXPECT_EQ(RuledDepths(35, 41), (std::vector<double>{1.0, 2.5}));
    }
}

TEST_F(BoundaryColumnsTest, MissingValueColumnWritesNothingButStillRules) {
    Layer(1, "1.00", "471");
    BoundaryValueColumns(ctx, 4, BoundaryMode::Depth, 0.3, {}, 0, 0);
    EXPECT_TRUE(Texts().empty());
    EXPECT_EQ(RuledDepths(28, 35), (std::vector<double>{1.0}));
}

TEST_F(BoundaryColumnsTest, ClippedToThePageWindowAndTheClipLiftedAfter) {
    SetPage(5, 10);
    Layer(1, "7.00", "471");
    Boundaries(BoundaryMode::Depth, 3);
    ASSERT_GE(surface.operations.size(), 3u);
    EXPECT_EQ(surface.operations.front().kind, OperationKind::SetClip);
    EXPECT_EQ(surface.operations.front().rect, (Rect{0, Y(5), X(350), Y(10)}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(BoundaryColumnsTest, WalkStopsAtTheFirstBottomThatIsNoNumber) {
    Layer(1, "1.00", "471");
    Layer(2, "下端", "471");
    Layer(3, "3.00", "471");
    Boundaries(BoundaryMode::Depth, 3);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{" 1.00"}));
}

// ---- property rows ----

TEST_F(BoundaryColumnsTest, PropertyRowsWriteDepthAndElevationByTheirFlags) {
    auto property = [this](int row, const std::string& depth, const std::string& flags) {
        SetRow(TableId::Property, row, {"", depth, "A", "", "", "", "", "", "", flags});
    };
    property(1, "1.20", "1");
    property(2, "2.40", "2");
    property(3, "3.60", "3");
    property(4, "", "3");
    property(5, "5.00", "3");
    ElevationInputs in;
    in.collarElevation = 20.0;
    PropertyDepthPass(ctx, 3, 2, in);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{" 2.40", "  17.60", " 3.60", "  16.40"}));
    EXPECT_EQ(RuledDepths(20, 28), (std::vector<double>{1.2, 3.6}));
    EXPECT_EQ(RuledDepths(12, 20), (std::vector<double>{1.2, 3.6}));
    // Each stands on its line, inside its column.
    const double depths[] = {2.4, 2.4, 3.6, 3.6};
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 4u);
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].covered.bottom, Y(depths[i])) << texts[i].text;
        const double left = i % 2 == 0 ? 20 : 12;
        EXPECT_GE(texts[i].covered.left, TextLeft(left)) << texts[i].text;
        EXPECT_LE(texts[i].covered.right, TextRight(left + 8)) << texts[i].text;
    }
}

TEST_F(BoundaryColumnsTest, PropertyRowsWithoutTheDepthColumnStillFillTheElevationColumn) {
    SetRow(TableId::Property, 1, {"", "1.50", "A", "", "", "", "", "", "", "3"});
    ElevationInputs in;
    in.collarElevation = 5.0;
    PropertyDepthPass(ctx, 0, 2, in);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"   3.50"}));
}

// ---- in the depth part ----

TEST_F(BoundaryColumnsTest, RegisteredRenderersDrawInTheDepthPart) {
    ColumnRegistry registry;
    RegisterBoundaryColumns(registry);
    for (int key : {1001, kBoundaryValuesKey, kPropertyDepthsKey, 1027, 1021, 1022, 2021, 2022})
        EXPECT_TRUE(registry.Has(key)) << RendererKeyName(key);

    record.SetHeading(13, "12.345");
    record.SetHeading(36, "1");
    Layer(1, "1.00", "471");
    Layer(2, "2.50", "471");
    SetPage(0, 5);
    RunDepthPartOrder(ctx, registry, nullptr);
    // 12.345 − 2.50 = 9.845: rule A keeps the even 4.
    const std::vector<std::string> texts = TextStrings();
    for (const char* expected : {"  11.34", "   9.84", " 1.00", " 2.50", "1.00", "1.50", "1", "2"})
        EXPECT_NE(std::find(texts.begin(), texts.end(), expected), texts.end()) << expected;
}

}  // namespace
