#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"
#include "render/columns/RockPropertyColumns.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The item under test stands in slot 2, the column from 10 to 18.5 mm, on the page 0-10 m.
class RockPropertyColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    RockPropertyColumnsTest() {
        settings.RuleLineWidth = 1;
        SetPage(0, 10);
        RegisterRockPropertyColumns(registry);
    }

    // A property record: its depth (column 1), one cell and the flags (column 9).
    void Record(int row, const std::string& depth, int column, const std::string& text, const std::string& flags) {
        borehole::DepthTable& t = record.Table(TableId::Property);
        t.SetCell(row, 1, depth);
        t.SetCell(row, column, text);
        t.SetCell(row, 9, flags);
    }

    void Draw(int code, int mode) { DrawRegistered(code, 2, mode); }
};

TEST(PropertyBoundaryBit, IsTwoToThePowerOfTheColumn) {
    const std::pair<int, int> cases[] = {{3, 8}, {4, 16}, {5, 32}, {6, 64}, {7, 128}, {8, 256}, {2, 0}, {9, 0}, {0, 0}};
    for (auto [column, bit] : cases) {
        SCOPED_TRACE(column);
        EXPECT_EQ(PropertyBoundaryBit(column), bit);
    }
}

struct BoundaryCase {
    const char* name;
    const char* middleFlags;
    double secondTop;               // where the second symbol's cell starts
    std::vector<double> ruled;      // depths of the boundary lines
};

TEST_F(RockPropertyColumnsTest, EmptyCellsLetTheTextAboveRunOnUntilABoundaryIsRuled) {
    const BoundaryCase cases[] = {
        // The middle record's flags rule another column (32 is crack state's bit) only.
        {"without the middle bit", "32", 2.0, {2.0, 5.0}},
        {"with the middle bit", "64", 3.5, {2.0, 3.5, 5.0}},
    };
    UseItem(1031, "8  HC_Top");
    for (const BoundaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        record.Clear();
        surface.operations.clear();
        Record(1, "2.0", 6, "α", "64");
        Record(2, "3.5", 6, "", c.middleFlags);
        Record(3, "5.0", 6, "β", "64");
        Draw(1031, 6);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, "α");
        EXPECT_EQ(texts[0].points[0], (Point{X(14.25), Y(0.0)}));
        EXPECT_EQ(texts[1].text, "β");
        EXPECT_EQ(texts[1].points[0], (Point{X(14.25), Y(c.secondTop)}));
        const auto lines = Lines();
        ASSERT_EQ(lines.size(), c.ruled.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].points, Segment(10, c.ruled[i], 18.5, c.ruled[i]));
    }
}

TEST_F(RockPropertyColumnsTest, OverflowingTextBendsItsBoundaryAndPushesTheNextCell) {
    UseItem(1033, "21 Wb_Top");
    // Eight wide characters in the 82 px room: two lines even at the floor, deeper than the
    // 0.2 m interval.
    Record(1, "0.2", 3, "孔内水平載荷試験", "8");
    Record(2, "1.0", 3, "Ｈ", "8");
    Draw(1033, 3);
    const double end = 2 * FloorPx() / 100.0;
    ASSERT_GT(end, 0.2);
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rect.top, Y(end));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, Segment(10, 0.2, 10.6, end));
    EXPECT_EQ(lines[1].points, Segment(10.6, end, 17.9, end));
    EXPECT_EQ(lines[2].points, Segment(17.9, end, 18.5, 0.2));
    EXPECT_EQ(lines[3].points, Segment(10, 1.0, 18.5, 1.0));
}

TEST_F(RockPropertyColumnsTest, RuledEmptyCellAboveTheCarryKeepsThePushedCarry) {
    UseItem(1033, "21 Wb_Top");
    Record(1, "0.1", 3, "孔内水平載荷試験", "8");  // pushes the carry to two floor lines down
    Record(2, "0.2", 3, "", "8");                  // ruled, but above the carry: bent to it
    Record(3, "2.0", 3, "Ｈ", "0");
    Draw(1033, 3);
    const double carry = 2 * FloorPx() / 100.0;
    ASSERT_GT(carry, 0.2);
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rect.top, Y(carry));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3].points, Segment(10, 0.2, 10.6, carry));
}

TEST_F(RockPropertyColumnsTest, TableWhoseFirstDepthIsNotANumberDrawsNothing) {
    UseItem(1033, "2  HC_Btm");
    for (int column = 3; column <= 8; ++column) Record(1, "GL-2", column, "X", "511");
    for (int column = 3; column <= 8; ++column) Record(2, "3.0", column, "Y", "511");
    EXPECT_EQ(PropertyRowCount(ctx), 0);
    for (auto [code, column] : {std::pair{1033, 3}, {1034, 4}, {1035, 5}, {1031, 6}, {1032, 7}, {1036, 8}}) {
        SCOPED_TRACE(code);
        UseItem(code, "2  HC_Btm");
        Draw(code, column);
    }
    Draw(1030, 0);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(Lines().empty());
}

TEST_F(RockPropertyColumnsTest, WaveDashIsWrittenLikeAnyOtherText) {
    UseItem(1034, "2  HC_Btm");
    Record(1, "1.0", 4, "～", "16");
    Record(2, "2.0", 4, "Ⅱ～Ⅲ", "16");
    Draw(1034, 4);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "～");
    EXPECT_EQ(texts[1].text, "Ⅱ～Ⅲ");
}

TEST_F(RockPropertyColumnsTest, ColourToneRulesByBitFourWithHalfMillimetreSlants) {
    UseItem(1030, "21 Wb_Top");
    // Too long for one line even at the floor: two floor lines, broken after "～".
    Record(1, "0.2", 2, "暗灰色～褐灰色", "4");
    Record(2, "1.0", 2, "灰", "3");
    Record(3, "2.0", 2, "褐", "4");
    Draw(1030, 0);
    const double end = 2 * FloorPx() / 100.0;
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, "暗灰色～\n褐灰色");
    EXPECT_EQ(boxes[1].rect.top, Y(end));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, Segment(10, 0.2, 10.5, end));
    EXPECT_EQ(lines[1].points, Segment(10.5, end, 18.0, end));
    EXPECT_EQ(lines[3].points, Segment(10, 2.0, 18.5, 2.0));
    const auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{0, Y(0), X(350), Y(10)}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(RockPropertyColumnsTest, DepthPartRoutesEachItemToItsPropertyColumn) {
    // Two property items side by side; the depth part passes each its column.
    SetItem(1, "1035 割れ目の状態", "5", "2  HC_Btm");
    SetItem(2, "1031 風化の程度", "5", "2  HC_Btm");
    SetItem(3, "1036 岩級区分", "5", "2  HC_Btm");
    ctx.columns = ColumnEdges(style);
    for (int column = 3; column <= 8; ++column) {
        std::string symbol = "K";
        symbol += std::to_string(column);
        Record(1, "1.0", column, symbol, "0");
    }
    RunDepthPartOrder(ctx, registry, nullptr);
    std::vector<std::pair<std::string, int>> got;
    for (const RecordedOperation& op : Texts()) got.emplace_back(op.text, op.points[0].x);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"K5", X(7.5)}, {"K6", X(12.5)}, {"K8", X(17.5)}}));
}

TEST_F(RockPropertyColumnsTest, UndrawnSlotOrColumnOutsideThreeToEightDrawsNothing) {
    UseItem(1033, "2  HC_Btm");
    Record(1, "1.0", 3, "H", "8");
    Record(1, "1.0", 2, "灰", "12");
    for (int code : {1030, 1031, 1032, 1033, 1034, 1035, 1036}) {
        SCOPED_TRACE(code);
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr);
        for (int slot : {0, 4, 50}) (*renderer)(ctx, slot, 3);
    }
    DrawPropertyColumn(ctx, 2, 2);
    DrawPropertyColumn(ctx, 2, 9);
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
