#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"
#include "render/columns/SampleColumns.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The item under test stands in slot 2, the column from 10 to 18.5 mm, on the page 0-10 m;
// LineDepth h = 0.3 m.
class SampleColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    SampleColumnsTest() {
        settings.RuleLineWidth = 1;
        SetPage(0, 10);
        RegisterSampleColumns(registry);
    }

    void Sample(int row, std::vector<std::string> cells) { SetRow(TableId::Sample, row, cells); }

    // Draws the item in slot 2 through its registered renderer, with the mode the depth part passes.
    void Draw(int code, int mode) { DrawRegistered(code, 2, mode); }
};

constexpr VerticalAlign kTop = VerticalAlign::Top;
constexpr VerticalAlign kBase = VerticalAlign::Baseline;
constexpr VerticalAlign kBottom = VerticalAlign::Bottom;

struct DepthText {
    const char* text;
    VerticalAlign align;
};

struct DepthCase {
    const char* name;
    int labelPos;
    std::vector<std::pair<const char*, const char*>> rows;
    std::vector<DepthText> texts;   // in drawing order: upper, then lower, per row
};

TEST_F(SampleColumnsTest, DepthLabelsFollowTheGapAndTheLowerDepthSetting) {
    // h = 0.3 m: 0.3 h = 0.09, 0.7 h = 0.21, 1.4 h = 0.42, 1.5 h = 0.45, 1.8 h = 0.54.
    const std::vector<DepthCase> cases = {
        {"above: a sample directly below another hangs its upper depth inside", 0,
         {{"1.55", "2.00"}, {"2.00", "2.45"}},
         {{"1.55", kBottom}, {"2.00", kBottom}, {"2.00", kTop}, {"2.45", kBottom}}},
        {"above: a short sample right below another: its line is labelled once", 0,
         {{"1.55", "2.00"}, {"2.00", "2.10"}},
         {{"1.55", kBottom}, {"2.00", kBottom}, {"2.10", kBase}}},
        {"below: the last lower depth hangs below its line", 1,
         {{"1.55", "2.00"}, {"2.00", "2.45"}},
         {{"1.55", kBottom}, {"2.00", kBottom}, {"2.00", kTop}, {"2.45", kTop}}},
        {"not shown: upper depths only", 2,
         {{"1.55", "2.00"}, {"2.00", "2.45"}},
         {{"1.55", kBottom}, {"2.00", kTop}}},
        {"below: room of 1.8 lines before the next sample", 1,
         {{"1.00", "1.20"}, {"2.00", "2.10"}},
         {{"1.00", kBottom}, {"1.20", kTop}, {"2.00", kBottom}, {"2.10", kTop}}},
        {"above: short gaps and short samples stand on their baselines", 0,
         {{"1.00", "1.20"}, {"1.45", "1.60"}, {"1.65", "1.75"}},
         {{"1.00", kBottom}, {"1.20", kBase}, {"1.45", kBase}, {"1.60", kBase}, {"1.65", kBase}, {"1.75", kBase}}},
        {"above: an inside upper depth over a short sample", 0,
         {{"1.00", "1.20"}, {"1.30", "1.50"}},
         {{"1.00", kBottom}, {"1.20", kBase}, {"1.30", kTop}, {"1.50", kBase}}},
        {"below: inside upper depths and tight neighbours", 1,
         {{"1.00", "1.20"}, {"1.30", "1.70"}, {"1.80", "2.00"}},
         {{"1.00", kBottom}, {"1.20", kBase}, {"1.30", kTop}, {"1.70", kBase}, {"1.80", kTop}, {"2.00", kTop}}},
    };
    UseItem(3301, "99 Auto");
    for (const DepthCase& c : cases) {
        SCOPED_TRACE(c.name);
        record.Clear();
        surface.operations.clear();
        settings.SampleDepthLabelPos = c.labelPos;
        for (std::size_t i = 0; i < c.rows.size(); ++i)
            Sample(static_cast<int>(i + 1), {c.rows[i].first, c.rows[i].second, "", "T"});
        Draw(3301, 1);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), c.texts.size());
        for (std::size_t i = 0; i < texts.size(); ++i) {
            SCOPED_TRACE(i);
            EXPECT_EQ(texts[i].text, c.texts[i].text);
            EXPECT_EQ(texts[i].align.vertical, c.texts[i].align);
            EXPECT_EQ(texts[i].align.horizontal, HorizontalAlign::Centre);
            EXPECT_EQ(texts[i].points[0], (Point{X(14.25), Y(std::stod(c.texts[i].text))}));
        }
    }
}

TEST_F(SampleColumnsTest, DepthColumnRulesBothDepthsAndFillsTheBar) {
    UseItem(3301, "1  HL_Btm");
    Sample(1, {"2.00", "2.45", "1", "T"});
    Draw(3301, 1);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{X(10), Y(2.0)}, {X(18.5), Y(2.0)}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{X(10), Y(2.45)}, {X(18.5), Y(2.45)}}));
    const auto bars = surface.OfKind(OperationKind::Rectangle);
    ASSERT_EQ(bars.size(), 1u);
    EXPECT_EQ(bars[0].rect, (Rect{X(10), Y(2.0), X(10.5), Y(2.45)}));
    EXPECT_EQ(bars[0].brush, Brush::Solid(0));
    // Left placement: written 0.2 mm inside the left edge.
    ASSERT_FALSE(Texts().empty());
    EXPECT_EQ(Texts()[0].points[0].x, X(10.2));
    EXPECT_EQ(Texts()[0].align.horizontal, HorizontalAlign::Left);
    EXPECT_EQ(surface.CurrentTextAlign(), (TextAlign{HorizontalAlign::Left, VerticalAlign::Top}));
}

TEST(SampleNumberLayout, SplitsAtTheFirstAtSignOrAtBlanks) {
    using Lines = std::vector<std::pair<std::string, int>>;
    struct Case {
        const char* number;
        Lines lines;
        bool centred;
    };
    const Case cases[] = {
        {"12", {{"12", 0}}, true},
        {"P1@3", {{"P1", 1}, {"3", 0}}, false},
        {"P1@3@4", {{"P1", 1}, {"3@4", 0}}, false},
        {"T 1", {{"T", 1}, {"1", 0}}, false},
        {"A B C", {{"A", 2}, {"B", 1}, {"C", 0}}, false},
        {"A B C D", {{"A", 2}, {"B", 1}, {"C D", 0}}, false},
        {"A  B", {{"A", 2}, {"", 1}, {"B", 0}}, false},
        {" 12 ", {{"12", 0}}, true},
        {"T-1 ", {{"T-1", 0}}, true},
        {"Ｐ－１＠２", {{"Ｐ－１＠２", 0}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.number);
        const SampleNumberLayout layout = LayoutSampleNumber(c.number);
        Lines got;
        for (const auto& line : layout.lines) got.emplace_back(line.text, line.linesAbove);
        EXPECT_EQ(got, c.lines);
        EXPECT_EQ(layout.centred, c.centred);
    }
}

TEST_F(SampleColumnsTest, SampleNumbersStandOnTheLowerDepthOrInTheMiddle) {
    UseItem(3302, "5  HC_Mid");
    Sample(1, {"2.00", "2.45", "P1@3", "T"});
    Sample(2, {"3.00", "3.45", "A B C", "T"});
    Sample(3, {"4.00", "4.45", "12", "T"});
    Sample(4, {"5.00", "5.10", "7", "T"});
    Draw(3302, 2);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 7u);
    struct Expected {
        const char* text;
        double y;
        VerticalAlign align;
    };
    const Expected expected[] = {
        {"P1", 2.45 - 0.3, kBottom}, {"3", 2.45, kBottom},
        {"A", 3.45 - 0.6, kBottom}, {"B", 3.45 - 0.3, kBottom}, {"C", 3.45, kBottom},
        // One line stands with its bottom at (h + t + b) / 2, in the middle of the interval.
        {"12", (0.3 + 4.00 + 4.45) / 2, kBottom},
        // An interval lower than a line: the baseline on the lower depth.
        {"7", 5.10, kBase},
    };
    for (std::size_t i = 0; i < texts.size(); ++i) {
        SCOPED_TRACE(expected[i].text);
        EXPECT_EQ(texts[i].text, expected[i].text);
        EXPECT_EQ(texts[i].points[0], (Point{X(14.25), Y(expected[i].y)}));
        EXPECT_EQ(texts[i].align.vertical, expected[i].align);
    }
}

TEST_F(SampleColumnsTest, MethodLetterStandsInACircle) {
    // Right placement: the mark stands a quarter of the width in from the right edge.
    UseItem(3303, "3  HR_Btm");
    Sample(1, {"2.00", "2.45", "1", "D"});
    Draw(3303, 3);
    const double xm = 0.25 * 10 + 0.75 * 18.5;
    const double yc = (0.3 + 2.00 + 2.45) / 2;
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "D");
    EXPECT_EQ(texts[0].points[0], (Point{X(xm), Y(yc)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Centre, kBottom}));
    const auto arcs = surface.OfKind(OperationKind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    // Radius h / 2 = 15 px about (xm, yc − h / 2).
    const Rect r = arcs[0].rect;
    EXPECT_EQ(r.Height(), 30);
    EXPECT_EQ((r.left + r.right) / 2, X(xm));
    EXPECT_EQ((r.top + r.bottom) / 2, Y(yc - 0.15));
}

TEST_F(SampleColumnsTest, AMethodGivenByItsNameIsWrittenWholeWithoutTheCircle) {
    UseItem(3303, "3  HR_Btm");
    Sample(1, {"2.00", "2.45", "1", " D "});
    Sample(2, {"5.00", "5.50", "2", "ロータリー式二重管"});
    Draw(3303, 3);
    // The letter still stands in its circle; the name has none and loses no character.
    EXPECT_EQ(surface.OfKind(OperationKind::Arc).size(), 1u);
    std::string name;
    for (const auto& op : surface.operations)
        if ((op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) && op.text != " D ") name += op.text;
    std::erase(name, '\n');
    EXPECT_EQ(name, "ロータリー式二重管");
}

TEST_F(SampleColumnsTest, TestNameOverflowPushesTheNextCellAndBendsItsLowerLine) {
    UseItem(1043, "21 Wb_Top");
    // Eight wide characters in the 82 px room of a 0.2 m cell: even at the floor they need two
    // lines of four (2 × 0.18 m), so they run on below the cell.
    Sample(1, {"1.00", "1.20", "1", "T", "孔内水平載荷試験", "6"});
    Sample(2, {"1.30", "1.50", "2", "T", "三軸", "4"});
    Draw(1043, 4);
    const double floorM = FloorPx() / 100.0;
    const double end1 = 1.0 + 2 * floorM;  // where row 1's text ends
    const double end2 = end1 + floorM;     // row 2: one line at the floor from there
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rect.top, Y(1.0));
    EXPECT_EQ(boxes[0].text, "孔内水平\n載荷試験");
    EXPECT_EQ(boxes[1].rect.top, Y(end1));
    const auto lines = Lines();
    // Row 1: the upper line straight at 1.0 m, the lower one bent from 1.2 m down to its end.
    // Row 2 (bit 4 only): its lower line at 1.5 m bent down to where its text ends.
    ASSERT_EQ(lines.size(), 7u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{X(10), Y(1.0)}, {X(18.5), Y(1.0)}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{X(10), Y(1.2)}, {X(10.6), Y(end1)}}));
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{X(10.6), Y(end1)}, {X(17.9), Y(end1)}}));
    EXPECT_EQ(lines[5].points, (std::vector<Point>{{X(10.6), Y(end2)}, {X(17.9), Y(end2)}}));
}

TEST_F(SampleColumnsTest, RowWithoutANumericLowerDepthEndsTheSamples) {
    UseItem(3301, "99 Auto");
    Sample(1, {"1.00", "1.45", "1", "T"});
    Sample(2, {"2.00", "", "2", "T"});
    Sample(3, {"3.00", "3.45", "3", "T"});
    EXPECT_EQ(SampleRowCount(ctx), 1);
    settings.SampleDepthLabelPos = 1;
    Draw(3301, 1);
    // Row 1 is the last row: its lower depth hangs below the line.
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[1].text, "1.45");
    EXPECT_EQ(texts[1].align.vertical, kTop);
}

TEST_F(SampleColumnsTest, SamplesFarOutsideThePageAreLeftOutWithoutMovingTheGap) {
    UseItem(3301, "99 Auto");
    ctx.pageStart = 10;
    ctx.pageEnd = 20;
    settings.SampleDepthLabelPos = 2;
    // 4.00 + 5 < 10: passed over. Were it drawn, the next upper depth would hang inside.
    Sample(1, {"3.55", "4.00", "1", "T"});
    Sample(2, {"4.00", "5.10", "2", "T"});
    Sample(3, {"21.90", "22.55", "3", "T"});   // within 2 m below the page: drawn
    Sample(4, {"22.60", "23.00", "4", "T"});   // more than 2 m below: the walk ends
    Draw(3301, 1);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "4.00");
    EXPECT_EQ(texts[0].align.vertical, kBottom);
    EXPECT_EQ(texts[1].text, "21.90");
}

TEST_F(SampleColumnsTest, EachItemIsRegisteredAndAnUndrawnSlotDrawsNothing) {
    UseItem(3301, "99 Auto");
    Sample(1, {"1.00", "1.45", "1", "T", "X", "6"});
    for (int code : {3301, 3302, 3303, 1043}) {
        SCOPED_TRACE(code);
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr);
        for (int slot : {0, 4, 50}) (*renderer)(ctx, slot, 1);
        EXPECT_TRUE(surface.operations.empty());
    }
    DrawSampleColumn(ctx, 2, 5);
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
