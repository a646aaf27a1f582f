#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"
#include "render/columns/ArticleColumn.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The article font is 15 px high, so one measured line L is trunc(0.9 × 15) = 13 px. The
// article column stands in slot 2, from 10 to 40 mm, on the page 0-10 m.
class ArticleColumnTest : public stracol::testing::ColumnTestFixture {
protected:
    ArticleColumnTest() {
        settings.RuleLineWidth = 2;
        SetPage(0, 10);
        LogFont font;
        font.height = 15;
        surface.SelectFont(font);
        SetItem(1, "1001 標尺", "5");
        SetItem(2, "1024 記事", "30");
        SetItem(3, "1003 深度", "8");
        RegisterArticleColumn(registry);
    }

    void SetItem(int slot, const std::string& label, const std::string& width) {
        ColumnTestFixture::SetItem(slot, label, width, "21 Wb_Top");
    }

    void Article(int row, const std::string& upper, const std::string& lower, const std::string& text,
                 const std::string& flag) {
        borehole::DepthTable& t = record.Table(TableId::Article);
        t.SetCell(row, 0, upper);
        t.SetCell(row, 1, lower);
        t.SetCell(row, 3, text);
        t.SetCell(row, 4, flag);
    }

    void Draw(int slot = 2) { DrawRegistered(1024, slot, 0); }

    // Device end points.
    std::vector<Point> Segment(int x1, int y1, int x2, int y2) const { return {Point{x1, y1}, Point{x2, y2}}; }
};

// Nine text lines and the appended line break: 10 × 15 − 13 = 137 px, 1.37 m.
const char* const kNineLines = "1\n2\n3\n4\n5\n6\n7\n8\n9";

TEST_F(ArticleColumnTest, OverflowingArticleBendsItsClosingLineAndPushesTheNextOneDown) {
    Article(1, "0.00", "1.00", kNineLines, "1");
    Article(2, "1.00", "2.00", "B", "1");
    Draw();

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    // The first article starts 0.03 m below the carry of 0, in the box from 0.2 mm inside the
    // left edge to 0.8 mm past the right edge, 0.1 m deep.
    EXPECT_EQ(boxes[0].rect, (Rect{102, 3, 408, 13}));
    EXPECT_EQ(boxes[0].flags, TextBox::kLeft | TextBox::kTop | TextBox::kNoClip | TextBox::kWordBreak);
    // The text ends at 0.03 + 1.37 = 1.40 m; the second article starts 0.03 m below that.
    EXPECT_EQ(boxes[1].rect.top, 143);

    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    // From 1.0 m at the left edge down to 1.4 m with a 1 mm slant, across, and back up to 1.0 m.
    EXPECT_EQ(lines[0].points, Segment(100, 100, 110, 140));
    EXPECT_EQ(lines[1].points, Segment(110, 140, 390, 140));
    EXPECT_EQ(lines[2].points, Segment(390, 140, 400, 100));
    EXPECT_EQ(lines[0].pen.width, 2);
    // The second article fits its interval: its closing line is straight at 2.0 m.
    EXPECT_EQ(lines[3].points, Segment(100, 200, 400, 200));
}

TEST_F(ArticleColumnTest, TextEndingWithALineBreakGetsNoSecondOne) {
    // Intervals too shallow for any text: the closing line lies where the text ends.
    Article(1, "0.00", "0.05", "A\r\n", "1");
    Article(2, "1.00", "1.05", "A", "1");
    Draw();

    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "A\n");
    EXPECT_EQ(boxes[1].text, "A\n");
    // Both are one line and the break: 2 × 15 − 13 = 17 px below their tops (0.03 and 1.00 m).
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].points, Segment(110, 20, 390, 20));
    EXPECT_EQ(lines[4].points, Segment(110, 117, 390, 117));
}

TEST_F(ArticleColumnTest, LineBreaksInsideTheTextStartNewLines) {
    Article(1, "0.00", "0.05", "A\r\nB\r\nC", "1");
    Draw();
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "A\nB\nC\n");
    // Three lines and the break: 4 × 15 − 13 = 47 px below 0.03 m.
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].points, Segment(110, 50, 390, 50));
}

TEST_F(ArticleColumnTest, FrameLineFlagDecidesTheClosingLine) {
    struct Case {
        const char* flag;
        bool drawn;
    };
    const Case cases[] = {{"1", true}, {"", true}, {"x", true}, {"有", true}, {" 1 ", true},
                          {"0", false}, {"2", false}, {"10", false}, {"-", false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string("flag '") + c.flag + "'");
        EXPECT_EQ(ArticleClosingLineWanted(c.flag), c.drawn);
        record.Clear();
        surface.operations.clear();
        Article(1, "0.00", "1.00", "A", c.flag);
        Draw();
        EXPECT_EQ(Lines().size(), c.drawn ? 1u : 0u);
        EXPECT_EQ(Boxes().size(), 1u);
    }
}

TEST_F(ArticleColumnTest, LowerDepthAboveTheUpperOneRunsTheTextFromTheTop) {
    Article(1, "2.00", "1.00", "A", "1");
    Draw();
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    // bottom := top + U = 2.00 + 0.17 m, the line bent down from 1.0 m.
    EXPECT_EQ(lines[0].points, Segment(100, 100, 110, 217));
}

TEST_F(ArticleColumnTest, RowsEndAtTheFirstUpperDepthThatIsNotANumber) {
    Article(1, "0.00", "1.00", "A", "1");
    Article(2, "GL-1", "2.00", "B", "1");
    Article(3, "2.00", "3.00", "C", "1");
    Draw();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "A\n");
}

TEST_F(ArticleColumnTest, SlotThatIsNotDrawnDrawsNothing) {
    Article(1, "0.00", "1.00", "A", "1");
    for (int slot : {0, 4, 50}) {
        SCOPED_TRACE(slot);
        Draw(slot);
        EXPECT_TRUE(surface.operations.empty());
    }
}

TEST_F(ArticleColumnTest, TextAlignmentIsLeftTopWhileDrawingAndRestoredAfter) {
    surface.SetTextAlign(TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom});
    Article(1, "0.00", "1.00", "A", "0");
    Draw();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Top}));
    EXPECT_EQ(surface.CurrentTextAlign(), (TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom}));
}

}  // namespace
