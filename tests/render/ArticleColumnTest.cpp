#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"
#include "render/columns/ArticleColumn.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The article font is 15 px high (lines of 0.15 m). The article column stands in slot 2,
// from 10 to 40 mm, on the page 0-10 m.
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

// Nine text lines.
const char* const kNineLines = "1\n2\n3\n4\n5\n6\n7\n8\n9";

TEST_F(ArticleColumnTest, ArticleTallerThanItsIntervalIsSetSmallerToFitIt) {
    // Nine lines of 15 px (1.35 m) in 0.03 … 1.00 m: set smaller (not below the floor) they
    // fit, so the closing line stays straight and the next article starts at its own top.
    Article(1, "0.00", "1.00", kNineLines, "1");
    Article(2, "1.00", "2.00", "B", "1");
    Draw();
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_LT(boxes[0].font.height, 15);
    EXPECT_GE(boxes[0].font.height, FloorPx(15));
    EXPECT_LE(boxes[0].rect.bottom, Y(1.0));
    EXPECT_EQ(boxes[1].rect.top, Y(1.03));
    EXPECT_EQ(boxes[1].font.height, 15);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].points, Segment(100, 100, 400, 100));
    EXPECT_EQ(lines[1].points, Segment(100, 200, 400, 200));
}

TEST_F(ArticleColumnTest, OverflowingArticleBendsItsClosingLineAndPushesTheNextOneDown) {
    Article(1, "0.00", "0.50", kNineLines, "1");
    Article(2, "0.50", "2.00", "B", "1");
    Draw();

    // Nine lines do not fit 0.03 … 0.50 m even at the floor: they run on at the floor.
    const int floor = FloorPx(15);
    ASSERT_GT(9 * floor, Y(0.50) - Y(0.03));
    const int end = Y(0.03) + 9 * floor;
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    // The first article starts 0.03 m below the carry of 0. Its closing line bends down beside
    // it with 1 mm slants along both rules, so its box keeps clear of them: from 0.2 mm inside
    // the left slant to the cell inset inside the right one; one box of its lines, not word-broken.
    EXPECT_EQ(boxes[0].rect, (Rect{X(11.2), Y(0.03), TextRight(39), end}));
    EXPECT_EQ(boxes[0].flags, TextBox::kLeft | TextBox::kTop | TextBox::kNoClip);
    EXPECT_EQ(boxes[0].text, kNineLines);
    EXPECT_EQ(boxes[0].font.height, floor);
    // The second article starts 0.03 m below where the first ended.
    EXPECT_EQ(boxes[1].rect.top, end + Y(0.03));

    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    // From 0.5 m at the left edge down to the text's end with a 1 mm slant, across, and back up.
    EXPECT_EQ(lines[0].points, Segment(100, 50, 110, end));
    EXPECT_EQ(lines[1].points, Segment(110, end, 390, end));
    EXPECT_EQ(lines[2].points, Segment(390, end, 400, 50));
    EXPECT_EQ(lines[0].pen.width, 2);
    EXPECT_LT(lines[0].points[1].x, boxes[0].rect.left);
    EXPECT_GT(lines[2].points[0].x, boxes[0].rect.right);
    // The second article fits its interval: its closing line is straight at 2.0 m.
    EXPECT_EQ(lines[3].points, Segment(100, 200, 400, 200));
}

TEST_F(ArticleColumnTest, TextsCarriedOnNeverRunPastTheEndOfTheLog) {
    // One page of 10 m and a log ending at 10 m: the last two articles, nine lines each at the
    // floor in 0.5 m and 0.4 m, would carry the last one on below 10 m, onto no page at all.
    g.depthPerPage = 10;
    g.pageOverlap = 0;
    g.maxDepth = 10;
    Article(1, "0.00", "9.00", "A", "1");
    Article(2, "9.00", "9.50", kNineLines, "1");
    Article(3, "9.50", "9.90", kNineLines, "1");
    Draw();
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    ASSERT_GT(Y(9.87) + 9 * FloorPx(15), Y(10.0));  // laid out from the top it would pass the end
    // Every line is still drawn, the last text ends at the end of the log, and each text
    // stays below the one before it.
    EXPECT_EQ(boxes[1].text, kNineLines);
    EXPECT_EQ(boxes[2].text, kNineLines);
    EXPECT_LE(boxes[2].rect.bottom, Y(10.0));
    EXPECT_GE(boxes[2].rect.bottom, Y(10.0) - FloorPx(15));
    EXPECT_LE(boxes[1].rect.bottom, boxes[2].rect.top);
    EXPECT_LE(boxes[0].rect.bottom, boxes[1].rect.top);
    EXPECT_EQ(boxes[0].rect.top, Y(0.03));  // the first one stays where it was
    // The closing line of the second article bends to the end of its text, not into the third.
    const auto lines = Lines();
    ASSERT_FALSE(lines.empty());
    for (const auto& line : lines)
        for (const Point& p : line.points) EXPECT_LE(p.y, Y(10.0));
}

TEST_F(ArticleColumnTest, TextEndingWithALineBreakGetsNoSecondOne) {
    // Intervals too shallow for any text: the closing line lies where the text (one line at
    // the floor) ends.
    Article(1, "0.00", "0.05", "A\r\n", "1");
    Article(2, "1.00", "1.05", "A", "1");
    Draw();

    const int floor = FloorPx(15);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "A");
    EXPECT_EQ(boxes[1].text, "A");
    // Both are one line below their tops (0.03 and 1.00 m).
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[1].points, Segment(110, Y(0.03) + floor, 390, Y(0.03) + floor));
    EXPECT_EQ(lines[4].points, Segment(110, Y(1.00) + floor, 390, Y(1.00) + floor));
}

TEST_F(ArticleColumnTest, LineBreaksInsideTheTextStartNewLines) {
    Article(1, "0.00", "0.05", "A\r\nB\r\nC", "1");
    Draw();
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "A\nB\nC");
    // Three lines at the floor below 0.03 m.
    const int end = Y(0.03) + 3 * FloorPx(15);
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1].points, Segment(110, end, 390, end));
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
    // No room at all: one line at the floor from 2.00 m, the line bent down from 1.0 m to its end.
    EXPECT_EQ(lines[0].points, Segment(100, 100, 110, Y(2.0) + FloorPx(15)));
}

TEST_F(ArticleColumnTest, RowsEndAtTheFirstUpperDepthThatIsNotANumber) {
    Article(1, "0.00", "1.00", "A", "1");
    Article(2, "GL-1", "2.00", "B", "1");
    Article(3, "2.00", "3.00", "C", "1");
    Draw();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].text, "A");
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
