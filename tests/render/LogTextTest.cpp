#include "render/LogText.h"

#include <gtest/gtest.h>

#include "render/RenderPrinters.h"

#include "app/SystemSettings.h"
#include "core/Messages.h"
#include "render/RecordingSurface.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// 254 dpi, no margins, title block of 0 m: 1 mm is 10 px across and 1 m is 100 px down,
// so expected device positions read directly as log positions.
class LogTextTest : public ::testing::Test {
protected:
    LogTextTest() : surface(254, 254) {
        app::SystemSettings settings;
        settings.LeftMargin = 0;
        settings.TopMargin = 0;
        g.titleHeight = 0;
        g.depthOnlyScaled = false;
        StartPaint(g, surface, settings, 0);
        UseTitleScale(g);
        LogFont font;
        font.height = 20;  // the recording model: 10 px per byte
        surface.SelectFont(font);
    }

    std::vector<RecordedOperation> Texts() const { return surface.OfKind(OperationKind::Text); }

    RecordingSurface surface;
    PageGeometry g;
};

}  // namespace

TEST_F(LogTextTest, CreateLogFontSelectsFontAndColour) {
    core::RecordingMessages messages;
    ASSERT_TRUE(CreateLogFont(surface, 0x0000ff, 33, "ＭＳ ゴシック", 270, &messages));
    EXPECT_EQ(surface.CurrentFont().faceName, "ＭＳ ゴシック");
    EXPECT_EQ(surface.CurrentFont().height, 33);
    EXPECT_EQ(surface.CurrentFont().escapement, 2700);
    EXPECT_EQ(surface.TextColour(), 0x0000ffu);
    EXPECT_TRUE(messages.Empty());
}

TEST_F(LogTextTest, FontThatCannotBeMadeKeepsThePreviousOneAndSaysSo) {
    core::RecordingMessages messages;
    ASSERT_TRUE(CreateLogFont(surface, 0x112233, 25, "ＭＳ 明朝", 0, &messages));
    surface.failFontCreation = true;
    EXPECT_FALSE(CreateLogFont(surface, 0x445566, 40, "ＭＳ Ｐゴシック", 270, &messages));
    EXPECT_EQ(surface.CurrentFont().faceName, "ＭＳ 明朝");
    EXPECT_EQ(surface.CurrentFont().height, 25);
    EXPECT_EQ(surface.TextColour(), 0x112233u);
    EXPECT_EQ(messages.Count("Can't create font"), 1);
}

TEST_F(LogTextTest, TextAtConvertsLogCoordinates) {
    surface.SetTextAlign(TextAlign{HorizontalAlign::Right, VerticalAlign::Baseline});
    TextAt(surface, g, 12.5, 0.37, "砂礫");
    TextAt(surface, g, 1, 1, "");  // empty text draws nothing
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (Point{125, 37}));
    EXPECT_EQ(texts[0].text, "砂礫");
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Baseline}));
}

TEST_F(LogTextTest, TextInBoxIsNormalisedShrunkAndCentredOnOneLine) {
    TextInBox(surface, g, 30, 0.5, 10, 0.2, "柱状図");  // corners given the wrong way round
    auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, (Rect{101, 21, 299, 49}));
    EXPECT_EQ(boxes[0].flags, TextBox::kCentre | TextBox::kVCentre | TextBox::kSingleLine | TextBox::kNoClip);
}

TEST_F(LogTextTest, SpreadTextSteps) {
    // x1 = 10 mm; character width 2 mm; positions in px (1 mm = 10 px).
    struct Case { const char* text; double x2; std::vector<int> xs; } cases[] = {
        {"AB", 30, {100, 200}},                 // n < 3: half the width
        {"調", 30, {100}},
        {"ABCD", 30, {100, 190, 280, 370}},     // even: (20 - 2) / 2 = 9 mm per byte
        {"ABC", 30, {100, 190, 280}},           // odd: (20 - 2) / 2
        {"ABCDE", 30, {100, 145, 190, 235, 280}},
        {"調査", 30, {100, 280}},               // two bytes each: two steps per character
        {"砂ｼﾙﾄ", 30, {100, 190, 235, 280}},    // 5 bytes: 18 / 4 = 4.5 mm; half-width kana one byte
        {"AB", 11, {100, 110}},                 // narrower than a character: w := 2 mm
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        SpreadText(surface, g, 10, c.x2, 0.1, 0.5, 2, 0.1, c.text);
        auto texts = Texts();
        ASSERT_EQ(texts.size(), c.xs.size()) << c.text;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].points[0].x, c.xs[i]) << c.text << " #" << i;
            EXPECT_EQ(texts[i].points[0].y, 25) << c.text;  // top at (0.1 + 0.5 - 0.1) / 2 m
            EXPECT_EQ(texts[i].align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Top}));
        }
    }
}

TEST_F(LogTextTest, SpreadTextLeavesTheAlignmentAsItWas) {
    TextAlign before{HorizontalAlign::Centre, VerticalAlign::Bottom};
    surface.SetTextAlign(before);
    SpreadText(surface, g, 0, 20, 0, 1, 2, 0.1, "ABCD");
    VerticalSpreadText(surface, g, 0, 20, 0, 1, 0.1, 2, "ABCD");
    EXPECT_EQ(surface.CurrentTextAlign(), before);
}

TEST_F(LogTextTest, VerticalSpreadTextSteps) {
    struct Case { const char* text; double y1, y2; std::vector<int> ys; } cases[] = {
        {"AB", 1, 3, {100, 200}},            // n < 3: half the height per byte
        {"調査", 1, 3, {100, 250}},          // n = 4: (2 - 0.5) / 2 = 0.75 m per byte
        {"ABC", 1, 3, {100, 250, 400}},      // (2 - 0.5) / 1 per byte
        {"AB", 1, 1.2, {100, 125}},          // shorter than a character: y2 := y1 + 0.5
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        VerticalSpreadText(surface, g, 10, 20, c.y1, c.y2, 0.5, 3, c.text);
        auto texts = Texts();
        ASSERT_EQ(texts.size(), c.ys.size()) << c.text;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].points[0].y, c.ys[i]) << c.text << " #" << i;
            EXPECT_EQ(texts[i].points[0].x, 135) << c.text;  // (10 + 20 - 3) / 2 mm
        }
    }
}

TEST_F(LogTextTest, SmallKanaShiftsEveryWideCharacter) {
    // Each text spread far enough apart to keep its font (crowded ones are set smaller).
    struct Case { const char* text; double y2; std::vector<int> xs; } cases[] = {
        {"ロッド", 3, {141, 141, 141}},   // 0.2 × 3 mm = 0.6 mm right of 13.5 mm
        {"ボーリング", 5, {135, 135, 135, 135, 135}},
        {"ｺｯA試ャ", 3, {135, 135, 135, 141, 141}},  // half-width kana are single bytes: not shifted
        {"キョウ", 3, {141, 141, 141}},
        {"ぁ", 3, {135}},                  // a small hiragana is not on the list
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        VerticalSpreadText(surface, g, 10, 20, 1, c.y2, 0.5, 3, c.text);
        auto texts = Texts();
        ASSERT_EQ(texts.size(), c.xs.size()) << c.text;
        for (std::size_t i = 0; i < texts.size(); ++i) EXPECT_EQ(texts[i].points[0].x, c.xs[i]) << c.text << " #" << i;
    }
}

TEST_F(LogTextTest, TitleFieldFormats) {
    // Box 10-50 mm by 0.2-0.6 m, character 3 mm × 0.1 m, margins 1 mm and 0.05 m.
    struct Case {
        int format;
        OperationKind kind;
        std::size_t count;
        Point first;
        HorizontalAlign align;
    } cases[] = {
        {1, OperationKind::Text, 1, {110, 35}, HorizontalAlign::Left},
        {7, OperationKind::Text, 1, {110, 35}, HorizontalAlign::Left},  // any other code: left
        {3, OperationKind::Text, 1, {490, 35}, HorizontalAlign::Right},
        {4, OperationKind::Text, 3, {110, 35}, HorizontalAlign::Left},
        {14, OperationKind::Text, 3, {285, 25}, HorizontalAlign::Left},
        {2, OperationKind::TextBox, 1, {}, HorizontalAlign::Left},
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        TitleFieldText(surface, g, c.format, 10, 50, 0.2, 0.6, 3, 0.1, 1, 0.05, "調査名");
        ASSERT_EQ(surface.operations.size(), c.count) << c.format;
        const auto& op = surface.operations[0];
        EXPECT_EQ(op.kind, c.kind) << c.format;
        if (c.kind == OperationKind::Text) {
            EXPECT_EQ(op.points[0], c.first) << c.format;
            EXPECT_EQ(op.align.horizontal, c.align) << c.format;
            EXPECT_EQ(op.align.vertical, VerticalAlign::Top) << c.format;
        } else {
            EXPECT_EQ(op.rect, (Rect{101, 21, 499, 59}));
        }
    }
    surface.operations.clear();
    TitleFieldText(surface, g, -1, 10, 50, 0.2, 0.6, 3, 0.1, 1, 0.05, "調査名");
    EXPECT_TRUE(surface.operations.empty());
    // Right alignment is for that one text only.
    EXPECT_EQ(surface.CurrentTextAlign().horizontal, HorizontalAlign::Left);
}

TEST_F(LogTextTest, TitleFieldVerticalSpreadUsesTheMargins) {
    TitleFieldText(surface, g, 14, 10, 50, 1, 3, 3, 0.5, 1, 0.5, "AB");
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].points[0].y, 150);  // 1 + 0.5
    EXPECT_EQ(texts[1].points[0].y, 200);  // half of 2.5 - 1.5 further
}

TEST_F(LogTextTest, UpperTitleTextSitsOnItsLineAndUnderlines) {
    // Text "ABCD" measures 40 px = 4 mm with the recording model.
    struct Case {
        int format;
        int underline;
        std::size_t texts;
        bool line;
        Point lineFrom;
        Point lineTo;
    } cases[] = {
        {1, 2, 1, true, {100, 80}, {160, 80}},   // x1 to x1 + margin 2 mm + 4 mm
        {0, 2, 1, true, {100, 80}, {160, 80}},
        {4, 2, 4, true, {100, 80}, {500, 80}},   // x1 to x2
        {3, 2, 1, false, {}, {}},
        {1, 1, 1, false, {}, {}},                // other modes are drawn by the paint routine
        {-1, 2, 0, false, {}, {}},
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        UpperTitleText(surface, g, c.format, 10, 50, 0.8, 3, 0.1, 2, "ABCD", c.underline, 3);
        auto texts = Texts();
        ASSERT_EQ(texts.size(), c.texts) << c.format;
        for (const auto& t : texts) {
            EXPECT_EQ(t.points[0].y, 80) << c.format;
            EXPECT_EQ(t.align.vertical, VerticalAlign::Bottom) << c.format;
        }
        auto lines = surface.OfKind(OperationKind::Line);
        ASSERT_EQ(lines.size(), c.line ? 1u : 0u) << c.format;
        if (c.line) {
            EXPECT_EQ(lines[0].points[0], c.lineFrom) << c.format;
            EXPECT_EQ(lines[0].points[1], c.lineTo) << c.format;
            EXPECT_EQ(lines[0].pen.width, 3);
        }
    }
    surface.operations.clear();
    UpperTitleText(surface, g, 3, 10, 50, 0.8, 3, 0.1, 2, "ABCD", 2, 3);
    EXPECT_EQ(Texts()[0].points[0], (Point{480, 80}));
    EXPECT_EQ(Texts()[0].align.horizontal, HorizontalAlign::Right);
    EXPECT_EQ(surface.CurrentTextAlign().horizontal, HorizontalAlign::Left);
}

TEST_F(LogTextTest, UpperTitleCentredTextStandsOnTheLineInsideItsBox) {
    // 10 … 50 mm is 100 … 500 px; the line at 0.8 m is y 80.
    struct Case { std::string text; bool narrowed; } cases[] = {
        {"ABCD", false},                          // 40 px: as it is, centred
        {std::string(44, 'A'), true},             // 440 px: set narrower to fit the 400 px
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        UpperTitleText(surface, g, 2, 10, 50, 0.8, 3, 0.1, 2, c.text, 2, 3);
        auto texts = Texts();
        ASSERT_EQ(texts.size(), 1u) << c.text;
        EXPECT_EQ(texts[0].text, c.text);
        EXPECT_EQ(texts[0].covered.bottom, 80) << c.text;
        EXPECT_GE(texts[0].covered.left, 100) << c.text;
        EXPECT_LE(texts[0].covered.right, 500) << c.text;
        EXPECT_EQ((texts[0].covered.left + texts[0].covered.right) / 2, 300) << c.text;
        EXPECT_EQ(texts[0].font.widthPercent < 100, c.narrowed) << c.text;
        EXPECT_TRUE(surface.OfKind(OperationKind::Line).empty());
    }
    EXPECT_EQ(surface.CurrentFont().widthPercent, 100);
}

TEST(PlacementAlignment, CodesToAlignmentAndAnchor) {
    struct Case { int code; HorizontalAlign align; double anchor; } cases[] = {
        {99, HorizontalAlign::Centre, 15.0},
        {21, HorizontalAlign::Left, 10.2},
        {1, HorizontalAlign::Left, 10.2},
        {2, HorizontalAlign::Centre, 15.0}, {5, HorizontalAlign::Centre, 15.0}, {8, HorizontalAlign::Centre, 15.0},
        {3, HorizontalAlign::Right, 19.8}, {6, HorizontalAlign::Right, 19.8}, {9, HorizontalAlign::Right, 19.8},
        {11, HorizontalAlign::Centre, 15.0}, {13, HorizontalAlign::Centre, 15.0}, {15, HorizontalAlign::Centre, 15.0},
        {31, HorizontalAlign::Left, 10.2}, {-1, HorizontalAlign::Left, 10.2}, {23, HorizontalAlign::Left, 10.2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PlacementAlignment(c.code), c.align) << c.code;
        EXPECT_DOUBLE_EQ(AnchorX(c.align, 10, 20), c.anchor) << c.code;
        RecordingSurface surface;
        surface.SetTextAlign(TextAlign{HorizontalAlign::Right, VerticalAlign::Bottom});
        EXPECT_DOUBLE_EQ(ApplyPlacementAlignment(surface, c.code, 10, 20), c.anchor) << c.code;
        EXPECT_EQ(surface.CurrentTextAlign(), (TextAlign{c.align, VerticalAlign::Bottom})) << c.code;
    }
}

TEST(PlacementAlignment, SlotsOutsideTheStyleAreLeft) {
    EXPECT_EQ(SlotAlignment(1, 99), HorizontalAlign::Centre);
    EXPECT_EQ(SlotAlignment(50, 3), HorizontalAlign::Right);
    EXPECT_EQ(SlotAlignment(0, 99), HorizontalAlign::Left);
    EXPECT_EQ(SlotAlignment(51, 3), HorizontalAlign::Left);
}

TEST(TextSeparator, BeforeAndAfter) {
    struct Case { const char* text; const char* sep; const char* before; const char* after; int position; } cases[] = {
        {"12.5/30", "/", "12.5", "30", 5},
        {"abc", "/", "abc", "", 0},
        {"/abc", "/", "/abc", "abc", 1},     // at the start: the whole text before it
        {"粘土・砂", "・", "粘土", "砂", 5},  // positions count CP932 bytes
        {"a//b", "//", "a", "b", 2},
        {"", "/", "", "", 0},
        {"abc", "", "abc", "", 0},
    };
    for (const auto& c : cases) {
        int before = -1;
        int after = -1;
        EXPECT_EQ(TextBeforeSeparator(c.text, c.sep, &before), c.before) << c.text;
        EXPECT_EQ(TextAfterSeparator(c.text, c.sep, &after), c.after) << c.text;
        EXPECT_EQ(before, c.position) << c.text;
        EXPECT_EQ(after, c.position) << c.text;
    }
}

TEST(SmallKana, OnlyTheListedFullWidthKana) {
    EXPECT_TRUE(ContainsSmallKana("ロッド"));
    EXPECT_TRUE(ContainsSmallKana("ァ"));
    EXPECT_TRUE(ContainsSmallKana("abcォ"));
    EXPECT_FALSE(ContainsSmallKana("ﾛｯﾄﾞ"));
    EXPECT_FALSE(ContainsSmallKana("っ"));
    EXPECT_FALSE(ContainsSmallKana("ヵ"));
    EXPECT_FALSE(ContainsSmallKana(""));
}
