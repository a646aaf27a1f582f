#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"
#include "render/columns/InsituColumns.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The item under test stands in slot 2, from 10 mm to 10 mm + its width, on the page 0-10 m;
// rules are 3 px wide.
class InsituColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    InsituColumnsTest() {
        settings.RuleLineWidth = 3;
        SetPage(0, 10);
        RegisterInsituColumns(registry);
    }

    // upper, lower, name, result, fill kind, flags
    void Test(int row, const std::string& u, const std::string& w, const std::string& name, const std::string& result,
              const std::string& kind, const std::string& flags) {
        borehole::DepthTable& t = record.Table(TableId::Insitu);
        t.SetCell(row, 0, u);
        t.SetCell(row, 1, w);
        t.SetCell(row, 2, name);
        t.SetCell(row, 3, result);
        t.SetCell(row, 4, kind);
        t.SetCell(row, 7, flags);
    }

    void Draw(int code, int mode) { DrawRegistered(code, 2, mode); }

    std::vector<Point> Across(double depth) const { return {{X(10), Y(depth)}, {X(18.5), Y(depth)}}; }
    // The lines drawn with the rule width straight across the 8.5 mm column.
    std::vector<double> RuledDepths(const std::vector<double>& candidates) const {
        std::vector<double> found;
        for (const RecordedOperation& op : Lines())
            for (double d : candidates)
                if (op.points == Across(d) && op.pen.width == 3) found.push_back(d);
        return found;
    }
};

TEST_F(InsituColumnsTest, LoadingTestAtOneDepthShowsItsDepthOnALine) {
    UseItem(3201, "99 Auto");
    Test(1, "5.0", "5.0", "孔内載荷試験", "12.5", "1", "7");
    Draw(3201, 0);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, " 5.00");
    EXPECT_EQ(texts[0].points[0], (Point{X(14.25), Y(5.0)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom}));
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].points, Across(5.0));
    EXPECT_EQ(Lines()[0].pen.width, 3);
    // Drawn under the page clip, lifted after.
    const auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{0, Y(0), X(350), Y(10)}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(InsituColumnsTest, LoadingTestAtOneDepthFillsNothingInTheGraph) {
    UseItem(3203, "3.5");
    Test(1, "5.0", "5.0", "孔内載荷試験", "12.5", "1", "7");
    Draw(3203, 0);
    EXPECT_TRUE(Lines().empty());
    EXPECT_TRUE(surface.OfKind(OperationKind::SetClip).empty());
}

TEST_F(InsituColumnsTest, DepthColumnLowerDepthByItsFlags) {
    UseItem(3201, "99 Auto");
    Test(1, "3.0", "4.0", "", "", "", "49");   // 1 + 16 + 32
    Test(2, "6.0", "7.0", "", "", "", "0");
    Draw(3201, 0);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, " 3.00");
    EXPECT_EQ(texts[1].text, " 4.00");
    EXPECT_EQ(texts[1].points[0], (Point{X(14.25), Y(4.0)}));
    EXPECT_EQ(texts[2].text, " 6.00");
    EXPECT_EQ(RuledDepths({3.0, 4.0, 6.0, 7.0}), (std::vector<double>{3.0, 4.0}));
}

TEST_F(InsituColumnsTest, RowWithoutANumericLowerDepthIsSkipped) {
    UseItem(3201, "99 Auto");
    Test(1, "1.0", "", "A", "", "", "1");
    Test(2, "2.0", "2.5", "B", "", "", "1");
    Draw(3201, 0);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].text, " 2.00");
}

TEST_F(InsituColumnsTest, TextColumnsWriteTheirTextAndRuleByFlags) {
    struct Case {
        int code;
        int mode;
        const char* text;
    };
    const Case cases[] = {
        {3204, 1, "孔内載荷試験"}, {1045, 1, "孔内載荷試験"}, {3205, 2, "12.5"}, {1046, 2, "12.5"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        record.Clear();
        surface.operations.clear();
        UseItem(c.code, "2  HC_Btm");
        Test(1, "5.0", "5.0", "孔内載荷試験", "12.5", "", "4");   // bit 4: line at the upper depth
        Test(2, "6.0", "7.0", "孔内載荷試験", "12.5", "", "0");
        Draw(c.code, c.mode);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, c.text);
        // A cell lower than a line: the baseline on the lower depth, centred in the column and
        // (the name set smaller to fit) inside its rules.
        const Rect r = texts[0].covered;
        const int h = texts[0].font.height;
        EXPECT_EQ(r.top + (h - h / 5), Y(5.0));  // the recording model's ascent
        EXPECT_NEAR((r.left + r.right) / 2.0, X(14.25), 1.0);
        EXPECT_GE(r.left, TextLeft(10));
        EXPECT_LE(r.right, TextRight(18.5));
        EXPECT_EQ(RuledDepths({5.0, 6.0, 7.0}), (std::vector<double>{5.0}));
    }
}

TEST_F(InsituColumnsTest, LowerBoundaryBendsUnderAnOverflowingText) {
    UseItem(1044, "21 Wb_Top");
    // Eight wide characters in the 82 px room: two lines even at the floor, deeper than the
    // 0.2 m interval.
    Test(1, "2.0", "2.2", "孔内水平載荷試験", "", "", "64");
    Draw(1044, 3);
    const double end = 2.0 + 2 * FloorPx() / 100.0;
    ASSERT_GT(end, 2.2);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{X(10), Y(2.2)}, {X(10.6), Y(end)}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{X(10.6), Y(end)}, {X(17.9), Y(end)}}));
}

TEST_F(InsituColumnsTest, ResultAndNameSplitTheColumn) {
    UseItem(3202, "2  HC_Btm", "20");
    Test(1, "2.0", "3.0", "孔内載荷試験", "E=12", "", "64");
    Draw(3202, 3);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    // The result first, from 0.2 mm inside the left edge, with the bottom on the lower depth.
    EXPECT_EQ(texts[0].text, "E=12");
    EXPECT_EQ(texts[0].points[0], (Point{X(10.2), Y(3.0)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom}));
    // Then the name centred in the rest, fitted into it: the result is 6 mm wide, a quarter of
    // a full-width character (0.75 mm) of space follows, so the rest runs from 16.95 to 30 mm.
    EXPECT_EQ(texts[1].text, "孔内載荷試験");
    const Rect name = texts[1].covered;
    EXPECT_EQ(name.bottom, Y(3.0));
    EXPECT_GE(name.left, texts[0].covered.right);
    EXPECT_LE(name.right, TextRight(30.0));
    EXPECT_NEAR((name.left + name.right) / 2.0, X((16.95 + 30.0) / 2), 1.0);
    EXPECT_LT(name.Width(), 180);  // six full-width characters of 30 px, set narrower to fit
    // The column itself is unchanged: the boundary spans it whole.
    EXPECT_DOUBLE_EQ(ctx.columns.edges[1], 10.0);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_EQ(Lines()[0].points, (std::vector<Point>{{X(10), Y(3.0)}, {X(30), Y(3.0)}}));
}

// Loading tests at one depth each, 1.15 m and 0.9 m apart, in a column too narrow for the
// result and the name side by side: each result stands whole on its test's line across the
// column, its name under it, and nothing runs on over the next test (which would push that
// test's texts below its depth).
TEST_F(InsituColumnsTest, ResultAndNameOfTestsAtOneDepthStayAtTheirDepths) {
    UseItem(3202, "99 Auto", "8");
    Test(1, "2.45", "2.45", "孔内載荷試験", "1.97E+04", "", "0");
    Test(2, "3.60", "3.60", "孔内載荷試験", "8.03E+05", "", "0");
    Test(3, "4.50", "4.50", "孔内載荷試験", "3.93E+04", "", "0");
    Draw(3202, 3);
    const double depths[] = {2.45, 3.60, 4.50};
    const char* results[] = {"1.97E+04", "8.03E+05", "3.93E+04"};
    const double h = LineDepth(surface, g);
    for (int k = 0; k < 3; ++k) {
        SCOPED_TRACE(results[k]);
        // The lines from one line above the test's depth down to the next test's result line,
        // in the order written: the whole result (on the test's line, and below it when it is
        // too long for one line), then the whole name.
        const double next = k < 2 ? depths[k + 1] - h : 10.0;
        std::string written;
        int firstBottom = -1;
        for (const auto& t : Texts()) {
            if (t.covered.top < Y(depths[k] - h) - 1 || t.covered.bottom > Y(next) + 1) continue;
            if (firstBottom < 0) firstBottom = t.covered.bottom;
            written += t.text;
            EXPECT_LE(t.covered.right, TextRight(18.0)) << t.text;  // nothing cut at the column edge
        }
        EXPECT_EQ(written, std::string(results[k]) + "孔内載荷試験");
        EXPECT_EQ(firstBottom, Y(depths[k]));  // the result's first line stands on the test's line
    }
    for (const auto& op : surface.OfKind(OperationKind::SetClip)) EXPECT_GE(op.rect.Width(), 0);
}

// A test over an interval in a column too narrow for its result and name side by side: the
// result goes across the column, whole, and the name under it; where the name runs on below
// the interval, the interval's lower line bends below it instead of running through it.
TEST_F(InsituColumnsTest, ResultAndNameOfAnIntervalTooNarrowForBothGoAcrossAndBendTheLowerLine) {
    UseItem(3202, "99 Auto", "8");
    Test(1, "2.00", "2.10", "現場透水試験", "k=5.32E-4", "", "64");
    Draw(3202, 3);
    std::string written;
    int nameBottom = 0;
    for (const auto& t : Texts()) {
        written += t.text;
        nameBottom = std::max(nameBottom, t.covered.bottom);
    }
    EXPECT_EQ(written, "k=5.32E-4現場透水試験");
    ASSERT_GT(nameBottom, Y(2.10));
    EXPECT_TRUE(RuledDepths({2.10}).empty());  // no straight line through the name
    bool bentBelow = false;
    for (const auto& op : Lines())
        bentBelow = bentBelow || (op.points.size() == 2 && op.points[0].y == op.points[1].y && op.points[0].y >= nameBottom);
    EXPECT_TRUE(bentBelow);
}

TEST_F(InsituColumnsTest, ResultAndNameWithoutAResultUsesTheWholeColumn) {
    UseItem(1044, "2  HC_Btm", "20");
    Test(1, "2.0", "3.0", "孔内載荷試験", "", "", "0");
    Draw(1044, 3);
    ASSERT_EQ(Texts().size(), 1u);
    EXPECT_EQ(Texts()[0].points[0], (Point{X(20.0), Y(3.0)}));
}

TEST(InsituFillPattern, KindsOneToThreeHaveAPattern) {
    struct Case {
        const char* cell;
        long pattern;
    };
    const Case cases[] = {{"1", 20001}, {"2", 20002}, {"3", 20100}, {"0", 0}, {"4", 0}, {"", 0}, {"x", 0}, {" 2", 20002}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(InsituFillPattern(c.cell), c.pattern);
    }
}

TEST_F(InsituColumnsTest, GraphFillsTestIntervalsInsideThePageAndRulesTheirEnds) {
    UseItem(3203, "3.5");
    Test(1, "2.0", "3.0", "A", "", "1", "0");
    Test(2, "4.0", "5.0", "B", "", "4", "0");    // no fill kind: nothing
    Test(3, "6.0", "12.0", "C", "", "2", "0");   // runs past the page end
    Draw(3203, 0);

    const auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_GE(clips.size(), 3u);
    // The fill is clipped to the column, its right edge less 0.1 mm, and to the page.
    EXPECT_EQ(clips[0].rect, (Rect{X(10), Y(2.0), X(18.4), Y(3.0)}));
    EXPECT_EQ(clips[2].rect, (Rect{X(10), Y(6.0), X(18.4), Y(10.0)}));
    EXPECT_EQ(RuledDepths({2.0, 3.0, 4.0, 5.0, 6.0, 10.0, 12.0}), (std::vector<double>{2.0, 3.0, 6.0}));

    // The pattern marks are drawn with the pattern line width while a fill clip holds.
    const Rect fills[] = {clips[0].rect, clips[2].rect};
    Rect clip{};
    int marks = 0;
    for (const RecordedOperation& op : surface.operations) {
        if (op.kind == OperationKind::SetClip) clip = op.rect;
        if (op.kind != OperationKind::Line || op.pen.width == 3) continue;
        ++marks;
        EXPECT_EQ(op.pen.width, 1);
        EXPECT_TRUE(clip == fills[0] || clip == fills[1]);
    }
    EXPECT_GT(marks, 0);
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(InsituColumnsTest, EveryItemIsRegisteredAndAnUndrawnSlotDrawsNothing) {
    UseItem(3201, "99 Auto");
    Test(1, "2.0", "3.0", "A", "B", "1", "127");
    for (int code : {3201, 3202, 3203, 3204, 3205, 1044, 1045, 1046}) {
        SCOPED_TRACE(code);
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr);
        for (int slot : {0, 4, 50}) (*renderer)(ctx, slot, 1);
        EXPECT_TRUE(surface.operations.empty());
    }
}

}  // namespace
