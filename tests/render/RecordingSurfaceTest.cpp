#include "render/RecordingSurface.h"

#include <gtest/gtest.h>

#include "render/RenderPrinters.h"

using namespace stracol::render;

namespace {

RecordingSurface WithFontHeight(int height) {
    RecordingSurface s;
    LogFont font;
    font.height = height;
    s.SelectFont(font);
    return s;
}

}  // namespace

TEST(RecordingSurface, MeasuresByteWidths) {
    RecordingSurface s = WithFontHeight(20);
    struct Case { const char* text; int width; } cases[] = {
        {"", 0}, {"A", 10}, {"砂", 20}, {"ｼﾙﾄ", 30}, {"N=12 礫", 70},
    };
    for (const auto& c : cases) EXPECT_EQ(s.MeasureText(c.text), (Size{c.width, 20})) << c.text;
    FontMetrics m = s.Metrics();
    EXPECT_EQ(m.ascent + m.descent, 20);
}

TEST(RecordingSurface, WordBreakWrapsAtBlanksAndBetweenWideCharacters) {
    RecordingSurface s = WithFontHeight(20);
    struct Case { const char* text; int width; unsigned flags; std::vector<std::string> lines; } cases[] = {
        {"abc def", 40, TextBox::kWordBreak, {"abc ", "def"}},
        {"abc def", 70, TextBox::kWordBreak, {"abc def"}},
        {"粘土質砂", 50, TextBox::kWordBreak, {"粘土", "質砂"}},
        {"細砂ab混じり", 60, TextBox::kWordBreak, {"細砂ab", "混じり"}},
        {"abcdefgh", 30, TextBox::kWordBreak, {"abcdefgh"}},  // one word wider than the box stays whole
        {"上\n下", 100, TextBox::kWordBreak, {"上", "下"}},
        {"上\r\n下", 100, 0, {"上", "下"}},
        {"上\n下", 100, TextBox::kSingleLine, {"上下"}},
        {"abc def", 40, 0, {"abc def"}},                     // no word break: one line
    };
    for (const auto& c : cases) EXPECT_EQ(s.WrapLines(c.text, c.width, c.flags), c.lines) << c.text << " " << c.width;
}

TEST(RecordingSurface, MeasureOnlyBoxDrawsNothing) {
    RecordingSurface s = WithFontHeight(20);
    Rect covered = s.DrawTextBox(Rect{10, 5, 60, 500}, "粘土質砂礫", TextBox::kWordBreak | TextBox::kCalcRect);
    EXPECT_EQ(covered, (Rect{10, 5, 50, 65}));  // three lines of 20 px, widest 40 px
    EXPECT_TRUE(s.operations.empty());
    s.DrawTextBox(Rect{10, 5, 60, 500}, "粘土質砂礫", TextBox::kWordBreak);
    ASSERT_EQ(s.operations.size(), 1u);
    EXPECT_EQ(s.operations[0].kind, OperationKind::TextBox);
    EXPECT_EQ(s.operations[0].flags, TextBox::kWordBreak);
}

TEST(RecordingSurface, RecordsStateWithEachOperation) {
    RecordingSurface s = WithFontHeight(20);
    s.SelectPen(Pen{PenStyle::DashDot, 1, 0xff});
    s.SetTextColour(0x00ff00);
    s.SetTextAlign(TextAlign{HorizontalAlign::Centre, VerticalAlign::Baseline});
    s.Line(1, 2, 3, 4);
    s.TextOut(5, 6, "孔");
    s.TextOut(5, 6, "");
    s.SetClipRect(Rect{9, 9, 1, 1});
    s.ClearClip();
    ASSERT_EQ(s.operations.size(), 4u);
    EXPECT_EQ(s.operations[0].pen, (Pen{PenStyle::DashDot, 1, 0xff}));
    EXPECT_EQ(s.operations[1].textColour, 0x00ff00u);
    EXPECT_EQ(s.operations[1].font.height, 20);
    EXPECT_EQ(s.operations[1].align.horizontal, HorizontalAlign::Centre);
    EXPECT_EQ(s.operations[2].rect, (Rect{1, 1, 9, 9}));
    EXPECT_EQ(s.operations[3].kind, OperationKind::ClearClip);
}

TEST(Pen, VisibilityAndStyleCodes) {
    EXPECT_FALSE((Pen{PenStyle::Solid, 0, 0}).Visible());
    EXPECT_FALSE((Pen{PenStyle::None, 3, 0}).Visible());
    EXPECT_TRUE((Pen{PenStyle::Dot, 1, 0}).Visible());
    EXPECT_EQ(PenStyleFromCode(3), PenStyle::DashDot);
    EXPECT_EQ(PenStyleFromCode(5), PenStyle::None);
    EXPECT_EQ(PenStyleFromCode(9), PenStyle::Solid);
    EXPECT_EQ(PenStyleFromCode(-1), PenStyle::Solid);
}
