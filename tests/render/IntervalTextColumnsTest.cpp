#include "core/Format.h"
#include "render/ColumnTestFixture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The item under test stands in slot 2, the column from 10 to 18.5 mm, on the page 0-10 m;
// every built-in renderer is registered.
class IntervalTextColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    IntervalTextColumnsTest() {
        settings.RuleLineWidth = 1;
        SetPage(0, 10);
        RegisterBuiltInRenderers(registry);
    }

    // Runs the registered renderer of the item for slot 2.
    void Draw(int code, int slot = 2) { DrawRegistered(code, slot, 0); }
};

TEST_F(IntervalTextColumnsTest, EveryIntervalTextItemHasItsRenderer) {
    for (int code : {1011, 1025, 1026, 1023, 1041, 1081, 1019, 1020, 1015}) {
        SCOPED_TRACE(code);
        EXPECT_TRUE(registry.Has(code));
    }
    EXPECT_EQ(IntervalTextDefs().size(), 9u);
}

TEST_F(IntervalTextColumnsTest, OverflowingWrappedTextPushesTheNextIntervalDown) {
    UseItem(1041, "21 Wb_Top");
    SetRow(TableId::Crush, 1, {"0.0", "0.5", "A\nB\nC"});
    SetRow(TableId::Crush, 2, {"0.5", "2.0", "D"});
    Draw(1041);

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    // Three lines do not fit a 0.5 m cell even at the floor: they run on at the floor from the
    // top of the cell, past its bottom.
    const double end = 3 * FloorPx() / 100.0;
    ASSERT_GT(end, 0.5);
    EXPECT_EQ(boxes[0].rect, (Rect{TextLeft(10.0), Y(0.0), TextRight(18.5), Y(end)}));
    // The next text starts where the first one ended.
    EXPECT_EQ(boxes[1].rect.top, Y(end));

    const auto lines = Lines();
    // Upper line of row 1 (straight at 0), lower line of row 1 bent from 0.5 to the text's end
    // between the 0.6 mm insets, upper line of row 2 bent the same way, lower line of row 2
    // straight.
    ASSERT_EQ(lines.size(), 8u);
    EXPECT_EQ(lines[0].points, Segment(10.0, 0.0, 18.5, 0.0));
    EXPECT_EQ(lines[1].points, Segment(10.0, 0.5, 10.6, end));
    EXPECT_EQ(lines[2].points, Segment(10.6, end, 17.9, end));
    EXPECT_EQ(lines[3].points, Segment(17.9, end, 18.5, 0.5));
    EXPECT_EQ(lines[4].points, Segment(10.0, 0.5, 10.6, end));
    EXPECT_EQ(lines[6].points, Segment(17.9, end, 18.5, 0.5));
    EXPECT_EQ(lines[7].points, Segment(10.0, 2.0, 18.5, 2.0));
    for (const auto& line : lines) EXPECT_EQ(line.pen, (Pen{PenStyle::Solid, 1, 0}));
}

TEST_F(IntervalTextColumnsTest, GapBetweenIntervalsStartsTheNextCellAtItsOwnTop) {
    UseItem(1081, "7  HL_Top");
    SetRow(TableId::Instrument, 1, {"1.0", "2.0", "傾斜計"});
    SetRow(TableId::Instrument, 2, {"4.0", "5.0", "水位計"});
    Draw(1081);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    // Each at the top of its own cell; 90 px of text in the 82 px room is set narrower to
    // stand inside the column.
    for (std::size_t i = 0; i < texts.size(); ++i) {
        EXPECT_EQ(texts[i].points[0].y, Y(i == 0 ? 1.0 : 4.0)) << i;
        EXPECT_EQ(texts[i].covered.left, TextLeft(10.0)) << i;
        EXPECT_LE(texts[i].covered.right, TextRight(18.5)) << i;
        EXPECT_LT(texts[i].font.widthPercent, 100) << i;
    }
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, Segment(10.0, 1.0, 18.5, 1.0));
    EXPECT_EQ(lines[1].points, Segment(10.0, 2.0, 18.5, 2.0));
    EXPECT_EQ(lines[2].points, Segment(10.0, 4.0, 18.5, 4.0));
    EXPECT_EQ(lines[3].points, Segment(10.0, 5.0, 18.5, 5.0));
}

TEST_F(IntervalTextColumnsTest, WalkStopsAtTheFirstUpperDepthThatIsNoNumberAndSkipsBadLowerDepths) {
    UseItem(1026, "2  HC_Btm");
    SetRow(TableId::Era, 1, {"0.0", "1.0", "first"});
    SetRow(TableId::Era, 2, {"1.0", "", "no lower depth"});
    SetRow(TableId::Era, 3, {"1.0", "abc", "bad lower depth"});
    SetRow(TableId::Era, 4, {"2.0", "3.0", "fourth"});
    SetRow(TableId::Era, 5, {"", "4.0", "after the end"});
    SetRow(TableId::Era, 6, {"4.0", "5.0", "never"});
    Draw(1026);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "first");
    EXPECT_EQ(texts[1].text, "fourth");
    EXPECT_EQ(texts[1].covered.bottom, Y(3.0));  // on the bottom of its own cell
}

TEST_F(IntervalTextColumnsTest, LayerStyleTableRulesOnlyTheBottomOfEachCell) {
    UseItem(1011, "5  HC_Mid");
    SetRow(TableId::Material, 1, {"2.0", "SM"});
    SetRow(TableId::Material, 2, {"5.0", "CL"});
    Draw(1011);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "SM");
    EXPECT_EQ(texts[0].points[0].y, Y(0.85));   // (0 + 2) / 2 - 0.15
    EXPECT_EQ(texts[1].text, "CL");
    EXPECT_EQ(texts[1].points[0].y, Y(3.35));   // (2 + 5) / 2 - 0.15
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, Segment(10.0, 2.0, 18.5, 2.0));
    EXPECT_EQ(lines[1].points, Segment(10.0, 5.0, 18.5, 5.0));
}

TEST_F(IntervalTextColumnsTest, MaterialColumnReadsEveryRowUpToItsCapacity) {
    // Real files hold 28 classes (more than the 25 rows the table once had); all are drawn.
    UseItem(1011, "2");
    const int capacity = borehole::DefOf(TableId::Material).capacity;
    ASSERT_GE(capacity, 28);
    for (int row = 1; row <= capacity + 5; ++row)
        SetRow(TableId::Material, row, {core::Sprintf("%.2f", row * 0.1), core::Sprintf("M%d", row)});
    Draw(1011);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), static_cast<std::size_t>(capacity));
    EXPECT_EQ(texts.back().text, core::Sprintf("M%d", capacity));
}

TEST_F(IntervalTextColumnsTest, RemarkStandsOnItsDepthLine) {
    UseItem(1023, "99");
    SetRow(TableId::Remark, 1, {"3.0", "note", "1"});
    SetRow(TableId::Remark, 2, {"6.0", "備考", "1"});
    Draw(1023);
    // A single-byte start: horizontal and centred; the cell has no height, so the baseline
    // stands on the depth line.
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (Point{X(14.25), Y(3.0)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Baseline}));
    // A double-byte start: vertical, one character per line about the depth.
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "備");
    // One boundary line at each depth.
    const auto lines = Lines();
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, Segment(10.0, 3.0, 18.5, 3.0));
}

TEST_F(IntervalTextColumnsTest, DensityColumnsWriteTheStoredTextUnchanged) {
    SetRow(TableId::Density, 1, {"2.0", "rd2", "rc3"});
    SetRow(TableId::Density, 2, {"4.0", "rd4", ""});
    struct Case {
        int code;
        std::vector<std::string> texts;
    };
    const Case cases[] = {{1019, {"rd2", "rd4"}}, {1020, {"rc3"}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        surface.operations.clear();
        UseItem(c.code, "2  HC_Btm");
        Draw(c.code);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), c.texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].text, c.texts[i]);
        // Every layer bottom is ruled, with or without a text.
        EXPECT_EQ(Lines().size(), 2u);
    }
}

TEST_F(IntervalTextColumnsTest, ColourToneRulesOnlyRowsWithAMergedColourUnderThePageClip) {
    // A colour record merged at 4.0 m covers the layers from the top (the 2.0 and 3.5 m
    // boundaries are the soil's, not the colour's); another at 5.0 m.
    UseItem(1015, "23 Wb_Btm");
    SetRow(TableId::Layer, 1, {"2.0", "砂", "", "", "", "", "471"});
    SetRow(TableId::Layer, 2, {"3.5", "砂礫", "", "", "", "", "471"});
    SetRow(TableId::Layer, 3, {"4.0", "礫", "", "暗灰", "", "", "503"});  // 471 | 32
    SetRow(TableId::Layer, 4, {"5.0", "粘土", "", "灰色", "", "", "32"});
    struct Case { double pageStart, pageEnd, colourBottom; } cases[] = {
        {1.0, 6.0, 4.0},  // the whole colour cell from 0 m ends on the page: at its bottom
        {0.0, 3.0, 3.0},  // it runs past the page's end: at the foot of the part shown
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.pageEnd);
        surface.operations.clear();
        ctx.pageStart = c.pageStart;
        ctx.pageEnd = c.pageEnd;
        g.depthOffset = -c.pageStart;
        Draw(1015);
        const auto clips = surface.OfKind(OperationKind::SetClip);
        ASSERT_EQ(clips.size(), 1u);
        EXPECT_EQ(clips[0].rect, (Rect{X(0.0), Y(c.pageStart), X(350.0), Y(c.pageEnd)}));
        EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 2u);
        EXPECT_EQ(boxes[0].text, "暗灰");
        EXPECT_EQ(boxes[0].rect.bottom, Y(c.colourBottom));
        EXPECT_EQ(boxes[1].text, "灰色");
        EXPECT_EQ(boxes[1].rect.bottom, Y(5.0));
        // Lines only where a colour was merged: none at the soil boundaries.
        const auto lines = Lines();
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[0].points, Segment(10.0, 4.0, 18.5, 4.0));
        EXPECT_EQ(lines[1].points, Segment(10.0, 5.0, 18.5, 5.0));
    }
    g.depthOffset = 0;
}

TEST_F(IntervalTextColumnsTest, ItemThatIsNotDrawnDrawsNothing) {
    UseItem(1025, "2");
    SetRow(TableId::Strata, 1, {"0.0", "1.0", "A"});
    for (int slot : {0, 4, 50, -1}) {
        SCOPED_TRACE(slot);
        Draw(1025, slot);
        EXPECT_TRUE(surface.operations.empty());
    }
}

TEST_F(IntervalTextColumnsTest, NonNumericLowerDepthOfALayerStyleRowReadsAsZero) {
    // The walk goes by the first depth cell; a layer bottom "!" passes the numeric test and reads as 0.
    UseItem(1011, "2");
    SetRow(TableId::Material, 1, {"!", "X"});
    Draw(1011);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0].y, Y(0.0));
}

}  // namespace
