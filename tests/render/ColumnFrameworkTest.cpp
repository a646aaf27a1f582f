#include "render/ColumnFramework.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/Messages.h"
#include "render/ColumnTestFixture.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// Cell text placed in the columns of the shared test page.
class ColumnFrameworkTest : public stracol::testing::ColumnTestFixture {
protected:
    double Place(int itemCode, double top, double bottom, const std::string& text, int slot = 2) {
        return PlaceCellText(ctx, itemCode, slot, top, 0.0, bottom, kUseSlotPlacement, CharWidthMm(surface, g),
                             LineDepth(surface, g), text);
    }
};

// ---- where the columns lie ----

TEST_F(ColumnFrameworkTest, ColumnEdgesAddTheWidthsFromFiveMillimetres) {
    SetItem(1, "1001 標尺", "5", "3");
    SetItem(2, "1002 標高", "8.5", "2");
    SetItem(3, "1003 深度", "8", "2");
    const ColumnLayout layout = ColumnEdges(style);
    EXPECT_EQ(layout.count, 3);
    EXPECT_DOUBLE_EQ(layout.edges[0], 5.0);
    EXPECT_DOUBLE_EQ(layout.edges[1], 10.0);
    EXPECT_DOUBLE_EQ(layout.edges[2], 18.5);
    EXPECT_DOUBLE_EQ(layout.edges[3], 26.5);
    EXPECT_DOUBLE_EQ(layout.edges[4], 0.0);
}

TEST_F(ColumnFrameworkTest, WidthThatIsNoNumberHidesThatSlotAndAllAfterIt) {
    for (const std::string width : {"", "  ", "abc", "幅"}) {
        SCOPED_TRACE("width \"" + width + "\"");
        style = style::LogStyle{};
        SetItem(1, "1001 標尺", "5", "3");
        SetItem(2, "1002 標高", "8.5", "2");
        SetItem(3, "1003 深度", "8", "2");
        SetItem(4, "1025 地層・岩体区分", width, "2");
        SetItem(5, "1026 地質時代区分", "6", "2");
        ctx.columns = ColumnEdges(style);
        EXPECT_EQ(ctx.columns.count, 3);
        // The items stay in the style but their columns are not drawn.
        EXPECT_EQ(ColumnSlot(style, 1026), 5);
        EXPECT_EQ(DrawnColumnSlot(ctx, 1026), 0);
        EXPECT_EQ(DrawnColumnSlot(ctx, 1003), 3);
        surface.operations.clear();
        EXPECT_DOUBLE_EQ(Place(0, 1.0, 2.0, "text", 5), 0.0);
        EXPECT_TRUE(surface.operations.empty());
    }
}

TEST_F(ColumnFrameworkTest, GroupHeaderOfWidthZeroGivesAZeroWidthColumn) {
    SetItem(1, "3100 【標準貫入試験】", "0", "99");
    SetItem(2, "3102 標準貫入>Ｎ値", "6", "2");
    const ColumnLayout layout = ColumnEdges(style);
    EXPECT_EQ(layout.count, 2);
    EXPECT_DOUBLE_EQ(layout.edges[1], 5.0);
    EXPECT_DOUBLE_EQ(layout.edges[2], 11.0);
}

TEST_F(ColumnFrameworkTest, ColumnSlotFindsTheFirstSlotOfACode) {
    SetItem(1, "1001 標尺", "5", "3");
    SetItem(2, "1025 地層・岩体区分", "6", "99 A");
    SetItem(3, "1025 地層・岩体区分", "6", "2");
    EXPECT_EQ(ColumnSlot(style, 1025), 2);
    EXPECT_EQ(ColumnSlot(style, 1001), 1);
    EXPECT_EQ(ColumnSlot(style, 1026), 0);
    EXPECT_EQ(ColumnSlot(style, 0), 0);
}

TEST_F(ColumnFrameworkTest, ItemInSlotFiftyIsFoundButNeverDrawn) {
    for (int slot = 1; slot <= 50; ++slot) SetItem(slot, "1041 破砕度", "1", "2");
    SetItem(50, "1081 計測機器", "1", "2");
    ctx.columns = ColumnEdges(style);
    EXPECT_EQ(ctx.columns.count, 50);
    EXPECT_EQ(ColumnSlot(style, 1081), 50);
    EXPECT_EQ(DrawnColumnSlot(ctx, 1081), 0);
    EXPECT_FALSE(IsDrawnSlot(ctx.columns, 50));
    EXPECT_TRUE(IsDrawnSlot(ctx.columns, 49));
    EXPECT_DOUBLE_EQ(Place(0, 0.0, 1.0, "x", 50), 0.0);
    EXPECT_TRUE(surface.operations.empty());
}

TEST_F(ColumnFrameworkTest, ColumnAlignmentAndAnchorFollowThePlacementCode) {
    struct Case {
        const char* placement;
        HorizontalAlign align;
        double anchorMm;
    };
    const Case cases[] = {
        {"1  HL_Btm", HorizontalAlign::Left, 10.2},    {"2  HC_Btm", HorizontalAlign::Centre, 14.25},
        {"3  HR_Btm", HorizontalAlign::Right, 18.3},   {"21 Wb_Top", HorizontalAlign::Left, 10.2},
        {"99 Auto", HorizontalAlign::Centre, 14.25},   {"12", HorizontalAlign::Centre, 14.25},
        {"31", HorizontalAlign::Left, 10.2},           {"-1", HorizontalAlign::Left, 10.2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.placement);
        ThreeColumns("1025 地層・岩体区分", c.placement);
        const ColumnPlacement p = SlotColumnPlacement(ctx, 2);
        EXPECT_EQ(p.align, c.align);
        EXPECT_DOUBLE_EQ(p.anchorMm, c.anchorMm);
        EXPECT_DOUBLE_EQ(p.leftMm, 10.0);
        EXPECT_DOUBLE_EQ(p.rightMm, 18.5);
    }
}

// ---- fonts and metrics ----

TEST_F(ColumnFrameworkTest, LineDepthAndCharWidthComeFromTheCurrentFont) {
    EXPECT_NEAR(LineDepth(surface, g), 0.3, 1e-12);
    EXPECT_NEAR(CharWidthMm(surface, g), 3.0, 1e-12);
    LogFont small;
    small.height = 20;
    surface.SelectFont(small);
    EXPECT_NEAR(LineDepth(surface, g), 0.2, 1e-12);
    EXPECT_NEAR(CharWidthMm(surface, g), 2.0, 1e-12);
}

TEST_F(ColumnFrameworkTest, LogFontHeightRoundsPointsAtTheResolution) {
    EXPECT_EQ(LogFontHeightPx(7.0, 96), 9);     // 9.33
    EXPECT_EQ(LogFontHeightPx(8.0, 600), 67);   // 66.67
    EXPECT_EQ(LogFontHeightPx(9.0, 254), 32);   // 31.75
    EXPECT_EQ(LogFontHeightPx(7.0, 72), 7);
}

TEST_F(ColumnFrameworkTest, FontSlotIsSelectedWithItsFaceSizeAndColour) {
    g.dpiY = 600;
    fonts[2].sizePt = 8.0;
    fonts[2].faceName = "ＭＳ Ｐゴシック";
    fonts[2].colour = 0x0000ff;
    ASSERT_TRUE(SelectLogFontSlot(ctx, kColumnFont));
    EXPECT_EQ(surface.CurrentFont().faceName, "ＭＳ Ｐゴシック");
    EXPECT_EQ(surface.CurrentFont().height, 67);
    EXPECT_EQ(surface.CurrentFont().escapement, 0);
    EXPECT_EQ(surface.TextColour(), 0x0000ffu);
    EXPECT_FALSE(SelectLogFontSlot(ctx, 9));
}

// ---- horizontal placement codes ----

TEST_F(ColumnFrameworkTest, HorizontalPlacementCodesPutTheTextByTheCell) {
    struct Case {
        const char* placement;
        double top;
        double bottom;
        double expectedY;
        VerticalAlign vertical;
        HorizontalAlign horizontal;
        double anchorMm;
    };
    const Case cases[] = {
        {"0", 1.0, 2.0, 2.0, VerticalAlign::Bottom, HorizontalAlign::Left, 10.2},
        {"99", 1.0, 2.0, 2.0, VerticalAlign::Bottom, HorizontalAlign::Centre, 14.25},
        {"1  HL_Btm", 1.0, 2.0, 2.0, VerticalAlign::Bottom, HorizontalAlign::Left, 10.2},
        {"2  HC_Btm", 1.0, 2.0, 2.0, VerticalAlign::Bottom, HorizontalAlign::Centre, 14.25},
        // A cell lower than one line puts the baseline on the cell bottom.
        {"2  HC_Btm", 1.0, 1.25, 1.25, VerticalAlign::Baseline, HorizontalAlign::Centre, 14.25},
        {"3  HR_Btm", 1.0, 1.25, 1.25, VerticalAlign::Baseline, HorizontalAlign::Right, 18.3},
        // Middle: the top at (t + b) / 2 - h / 2; a cell lower than one line writes at its top.
        {"5  HC_Mid", 1.0, 2.0, 1.35, VerticalAlign::Top, HorizontalAlign::Centre, 14.25},
        {"5  HC_Mid", 1.0, 1.2, 1.0, VerticalAlign::Top, HorizontalAlign::Centre, 14.25},
        {"4  HL_Mid", 1.0, 1.25, 1.0, VerticalAlign::Top, HorizontalAlign::Left, 10.2},
        {"6  HR_Mid", 2.0, 4.0, 2.85, VerticalAlign::Top, HorizontalAlign::Right, 18.3},
        {"7  HL_Top", 1.0, 2.0, 1.0, VerticalAlign::Top, HorizontalAlign::Left, 10.2},
        {"9  HR_Top", 1.0, 2.0, 1.0, VerticalAlign::Top, HorizontalAlign::Right, 18.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.placement) + " cell " + std::to_string(c.top) + "-" + std::to_string(c.bottom));
        surface.operations.clear();
        ThreeColumns("1041 破砕度", c.placement);
        EXPECT_DOUBLE_EQ(Place(1041, c.top, c.bottom, "Ab"), c.bottom);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "Ab");
        EXPECT_EQ(texts[0].points[0], (Point{X(c.anchorMm), Y(c.expectedY)}));
        EXPECT_EQ(texts[0].align, (TextAlign{c.horizontal, c.vertical}));
    }
}

TEST_F(ColumnFrameworkTest, ShortCellWithPlacementFiveWritesAtTheCellTop) {
    ThreeColumns("1041 破砕度", "5  HC_Mid");
    EXPECT_DOUBLE_EQ(Place(1041, 3.0, 3.2, "Ab"), 3.2);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0].y, Y(3.0));
    EXPECT_EQ(texts[0].align.vertical, VerticalAlign::Top);
}

TEST_F(ColumnFrameworkTest, PlacementThatDrawsNothing) {
    for (const char* placement : {"-1", "10", "14", "24", "100", "-99"}) {
        SCOPED_TRACE(placement);
        surface.operations.clear();
        ThreeColumns("1041 破砕度", placement);
        EXPECT_DOUBLE_EQ(Place(1041, 1.0, 2.0, "Ab"), 2.0);
        EXPECT_TRUE(surface.operations.empty());
    }
}

TEST_F(ColumnFrameworkTest, PlacementKeepsTheSurfaceAlignment) {
    ThreeColumns("1041 破砕度", "9");
    surface.SetTextAlign(TextAlign{HorizontalAlign::Left, VerticalAlign::Baseline});
    Place(1041, 1.0, 2.0, "Ab");
    EXPECT_EQ(surface.CurrentTextAlign(), (TextAlign{HorizontalAlign::Left, VerticalAlign::Baseline}));
}

TEST_F(ColumnFrameworkTest, ExplicitAlignmentWritesAtTheExplicitDepth) {
    struct Case {
        int explicitAlign;
        VerticalAlign vertical;
        double used;
    };
    // A text whose top stands on the explicit depth takes one more line below the cell.
    const Case cases[] = {{kExplicitTop, VerticalAlign::Top, 2.3},
                          {kExplicitBottom, VerticalAlign::Bottom, 2.0},
                          {kExplicitBaseline, VerticalAlign::Baseline, 2.0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.explicitAlign);
        surface.operations.clear();
        ThreeColumns("1041 破砕度", "3  HR_Btm");
        EXPECT_NEAR(PlaceCellText(ctx, 0, 2, 1.0, 1.5, 2.0, c.explicitAlign, 3.0, 0.3, "Ab"), c.used, 1e-12);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].points[0], (Point{X(18.3), Y(1.5)}));
        EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Right, c.vertical}));
    }
}

// ---- the Auto rule ----

TEST_F(ColumnFrameworkTest, AutoPlacementOfStrataTextDependsOnItsFirstCharacter) {
    ThreeColumns("1025 地層・岩体区分", "99 A");
    // Single-byte start: horizontal, centred, bottom on the cell bottom.
    EXPECT_DOUBLE_EQ(Place(1025, 1.0, 3.0, "A1層"), 3.0);
    auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (Point{X(14.25), Y(3.0)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom}));
    EXPECT_TRUE(Boxes().empty());

    // Double-byte start: one character per line, centred in the cell: 3 × 0.3 m from 1.55 m.
    surface.operations.clear();
    EXPECT_DOUBLE_EQ(Place(1025, 1.0, 3.0, "砂岩層"), 3.0);
    EXPECT_TRUE(Texts().empty());
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    const char* chars[] = {"砂", "岩", "層"};
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(boxes[i].text, chars[i]);
        const double y = 1.55 + 0.3 * static_cast<double>(i);
        EXPECT_EQ(boxes[i].rect, (Rect{X(14.25 - 1.5), Y(y), X(14.25 + 1.5), Y(y + 0.3)}));
        EXPECT_EQ(boxes[i].flags, TextBox::kCentre | TextBox::kNoClip);
    }
}

TEST_F(ColumnFrameworkTest, AutoRuleAppliesOnlyToItsItems) {
    for (int code : {1023, 1025, 1026, 3804}) {
        SCOPED_TRACE(code);
        surface.operations.clear();
        ThreeColumns(std::to_string(code) + " item", "99");
        Place(code, 1.0, 3.0, "砂岩");
        EXPECT_EQ(Boxes().size(), 2u);
        EXPECT_TRUE(Texts().empty());
    }
    for (int code : {0, 1011, 1041}) {
        SCOPED_TRACE(code);
        surface.operations.clear();
        ThreeColumns(std::to_string(code) + " item", "99");
        Place(code, 1.0, 3.0, "砂岩");
        EXPECT_TRUE(Boxes().empty());
        ASSERT_EQ(Texts().size(), 1u);
        EXPECT_EQ(Texts()[0].align.vertical, VerticalAlign::Bottom);
    }
}

TEST_F(ColumnFrameworkTest, EmptyTextKeepsAutoAndDrawsNothing) {
    ThreeColumns("1025 地層・岩体区分", "99 A");
    EXPECT_DOUBLE_EQ(Place(1025, 1.0, 3.0, ""), 3.0);
    EXPECT_TRUE(surface.operations.empty());
}

// ---- vertical cell text ----

TEST_F(ColumnFrameworkTest, VerticalModesChooseTheStartDepth) {
    struct Case {
        const char* placement;
        double top;
        double bottom;
        double firstY;
    };
    // Three characters, 0.9 m in all.
    const Case cases[] = {
        {"11", 1.0, 3.0, 1.1},    // top: t + 0.1, above the centred start 1.55
        {"11", 1.0, 1.9, 1.0},    // top: the centred start is t, so t
        {"12", 1.0, 3.0, 1.55},   // middle
        {"12", 1.0, 1.5, 1.05},   // middle in a short cell starts at t + 0.05
        {"13", 1.0, 3.0, 2.1},    // bottom: b - 0.9
        {"13", 1.0, 1.6, 1.05},   // bottom in a short cell starts at t + 0.05
        {"15", 1.0, 3.0, 1.55},   // squeezed mode: centred
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.placement) + " cell " + std::to_string(c.top) + "-" + std::to_string(c.bottom));
        surface.operations.clear();
        ThreeColumns("1041 破砕度", c.placement);
        Place(1041, c.top, c.bottom, "破砕帯");
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 3u);
        EXPECT_EQ(boxes[0].rect.top, Y(c.firstY));
        EXPECT_EQ(boxes[2].rect.top, Y(c.firstY + 0.6));
    }
}

TEST_F(ColumnFrameworkTest, VerticalTextReturnsTheDepthBelowItsLastCharacter) {
    ThreeColumns("1041 破砕度", "13");
    // Starts at t + 0.05 = 1.05 and needs 0.9 m: ends at 1.95, below the cell bottom 1.6.
    EXPECT_NEAR(Place(1041, 1.0, 1.6, "破砕帯"), 1.95, 1e-9);
    EXPECT_DOUBLE_EQ(Place(1041, 1.0, 3.0, "破砕帯"), 3.0);
}

TEST_F(ColumnFrameworkTest, SqueezedVerticalTextThatCannotFitIsWrittenAcross) {
    // Four characters in 0.8 m with LineDepth 0.3: 0.8 / 4 = 0.2 < 0.21.
    ThreeColumns("1041 破砕度", "15");
    EXPECT_DOUBLE_EQ(Place(1041, 1.0, 1.8, "強風化岩"), 1.8);
    EXPECT_TRUE(Boxes().empty());
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "強風化岩");
    EXPECT_EQ(texts[0].points[0], (Point{X(10.0), Y(1.5)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Top}));

    // In 0.9 m (0.225 per character) it stays vertical, centred about the cell.
    surface.operations.clear();
    Place(1041, 1.0, 1.9, "強風化岩");
    EXPECT_TRUE(Texts().empty());
    ASSERT_EQ(Boxes().size(), 4u);
    EXPECT_EQ(Boxes()[0].rect.top, Y(0.85));
}

TEST_F(ColumnFrameworkTest, VerticalTextTurnsLongVowelsAndShiftsSmallKana) {
    ThreeColumns("1041 破砕度", "12");
    Place(1041, 0.0, 5.0, "ボーッド－");
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 5u);
    const std::string expected[] = {"ボ", "｜", "ッ", "ド", "｜"};
    const double shift[] = {0, 0, 0.2 * 3.0, 0.1 * 3.0, 0};
    for (std::size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(boxes[i].text, expected[i]);
        EXPECT_EQ(boxes[i].rect.left, X(14.25 - 1.5 + shift[i]));
        EXPECT_EQ(boxes[i].rect.right, X(14.25 + 1.5 + shift[i]));
    }
}

TEST_F(ColumnFrameworkTest, VerticalTextOfOneCharacterIsCentred) {
    ThreeColumns("1041 破砕度", "12");
    Place(1041, 1.0, 2.0, "礫");
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rect.top, Y(1.35));
}

// ---- wrapped cell text ----

TEST_F(ColumnFrameworkTest, WrappedTopTextRunsOnBelowAShortCell) {
    ThreeColumns("1041 破砕度", "21 Wb_Top");
    // Three lines of 0.3 m in a cell of 0.5 m: even at the floor (3 × 0.18 m) they do not
    // fit, so the floor runs on below the cell.
    const int floor = FloorPx();
    ASSERT_GT(3 * floor, Y(1.5) - Y(1.0));
    EXPECT_NEAR(Place(1041, 1.0, 1.5, "A\nB\nC"), 1.0 + 3 * floor / 100.0, 1e-9);
    const auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, (Rect{TextLeft(10.0), Y(1.0), TextRight(18.5), Y(1.0) + 3 * floor}));
    EXPECT_EQ(boxes[0].flags, TextBox::kLeft | TextBox::kTop | TextBox::kNoClip);
    EXPECT_EQ(boxes[0].font.height, floor);
    EXPECT_EQ(boxes[0].text, "A\nB\nC");
}

TEST_F(ColumnFrameworkTest, WrappedTopTextThatFitsKeepsTheCellBottom) {
    ThreeColumns("1041 破砕度", "21");
    EXPECT_DOUBLE_EQ(Place(1041, 1.0, 2.0, "A\nB"), 2.0);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].rect, (Rect{TextLeft(10.0), Y(1.0), TextRight(18.5), Y(1.6)}));
    EXPECT_EQ(Boxes()[0].font, surface.CurrentFont());
}

TEST_F(ColumnFrameworkTest, WrappedTextBreaksAtTheColumnWidth) {
    ThreeColumns("1041 破砕度", "21");
    // The room is 10.15 … 18.35 mm (82 px); each full-width character is 30 px: 2 per line.
    const int room = TextRight(18.5) - TextLeft(10.0);
    struct Case { double bottom; const char* lines; bool narrower; bool smaller; } cases[] = {
        {1.0, "礫混\nじり\n砂", false, false},  // three lines fit the cell as they are
        {0.6, "礫混じ\nり砂", true, false},      // two lines fit when set narrower
        {0.3, "礫混じり砂", true, true},          // one line only: narrower and smaller
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bottom);
        surface.operations.clear();
        EXPECT_NEAR(Place(1041, 0.0, c.bottom, "礫混じり砂"), c.bottom, 1e-9);
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, c.lines);
        EXPECT_EQ(boxes[0].font.widthPercent < 100, c.narrower);
        EXPECT_GE(boxes[0].font.widthPercent, kMinTextWidthPercent);
        EXPECT_EQ(boxes[0].font.height < 30, c.smaller);
        EXPECT_GE(boxes[0].font.height, FloorPx());
        EXPECT_LE(boxes[0].covered.Width(), room);
        EXPECT_LE(boxes[0].covered.bottom, Y(c.bottom));
    }
}

TEST_F(ColumnFrameworkTest, WrappedMiddleAndBottomTexts) {
    // Lines of 0.25 m, so the two-line text is 0.5 m high.
    LogFont font;
    font.height = 25;
    surface.SelectFont(font);
    // Too high for its cell even at the floor, the text runs from the top down.
    const double floorM = FloorPx(25) / 100.0;
    struct Case {
        const char* placement;
        double top;
        double bottom;
        double boxTop;
        double boxBottom;
        double used;
    };
    const Case cases[] = {
        {"22 Wb_Mid", 1.0, 2.0, 1.25, 1.75, 2.0},                                 // fits: centred
        {"22 Wb_Mid", 1.0, 1.25, 1.0, 1.0 + 2 * floorM, 1.0 + 2 * floorM},        // too high: from the top
        {"23 Wb_Btm", 1.0, 2.0, 1.5, 2.0, 2.0},                                   // fits: on the bottom
        {"23 Wb_Btm", 1.0, 1.25, 1.0, 1.0 + 2 * floorM, 1.0 + 2 * floorM},        // too high: from the top down
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.placement) + " cell " + std::to_string(c.top) + "-" + std::to_string(c.bottom));
        surface.operations.clear();
        ThreeColumns("1041 破砕度", c.placement);
        EXPECT_NEAR(Place(1041, c.top, c.bottom, "A\nB"), c.used, 1e-9);
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].rect, (Rect{TextLeft(10.0), Y(c.boxTop), TextRight(18.5), Y(c.boxBottom)}));
        EXPECT_EQ(boxes[0].flags & TextBox::kWordBreak, 0u);
    }
}

TEST_F(ColumnFrameworkTest, WrappedLinesNeverShareABoxAcrossAPageBreak) {
    // The page ends at 0.9 m (the next one 5 m further); four lines of 0.3 m.
    TextColumns columns;
    columns.edges = {X(10.0), X(18.5)};
    columns.windowTop = Y(0.0);
    columns.windowBottom = Y(0.9);
    columns.pageStepPx = Y(5.0) - Y(0.0);
    columns.windowTopM = 0.0;
    columns.windowBottomM = 0.9;
    columns.pageStepM = 5.0;
    surface.SetTextColumns(&columns);
    // Only the lines this page shows are drawn: those past the break belong to the next page.
    struct Case { double topM; std::vector<std::string> texts; std::vector<int> tops; double endM; } cases[] = {
        {0.0, {"A\nB\nC"}, {Y(0.0)}, 1.2},  // the third line ends on the break
        {0.1, {"A\nB"}, {Y(0.1)}, 1.5},      // the third would straddle it: moved below
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.topM);
        surface.operations.clear();
        columns.written.clear();
        const WrappedBlock block = WrapToCell(surface, g, "A\nB\nC\nD", X(18.5) - X(10.0), 5.0);
        // The depth below the last line counts the move past the break, measured or drawn.
        EXPECT_NEAR(WrappedBlockBottom(surface, g, block, c.topM), c.endM, 0.011);
        EXPECT_NEAR(DrawWrappedBlock(surface, g, block, X(10.0), X(18.5), c.topM), c.endM, 0.011);
        const auto boxes = Boxes();
        ASSERT_EQ(boxes.size(), c.texts.size());
        for (std::size_t i = 0; i < boxes.size(); ++i) {
            EXPECT_EQ(boxes[i].text, c.texts[i]);
            EXPECT_EQ(boxes[i].rect.top, c.tops[i]);
            EXPECT_FALSE(boxes[i].rect.top < Y(0.9) && boxes[i].rect.bottom > Y(0.9)) << boxes[i].text;
        }
    }
    surface.SetTextColumns(nullptr);
}

TEST_F(ColumnFrameworkTest, EveryWrappedLineNearAPageBreakIsShownOnExactlyOnePage) {
    // A resolution at which a page break falls between two pixels: each page rounds the depths
    // of its own window, and a line next to the break must still go to one page only.
    g.depthPxPerMetre = 47.244;
    const WrappedBlock block = WrapToCell(surface, g, "A\nB\nC\nD", X(18.5) - X(10.0), 50.0);
    ASSERT_EQ(block.lines.size(), 4u);
    const double lineM = block.lineHeightPx / g.depthPxPerMetre;
    for (double topM = 27.0 - 5 * lineM; topM <= 27.0 + 0.01; topM += 0.00137) {
        SCOPED_TRACE(topM);
        std::string shown;
        std::vector<double> ends;
        for (int page = 1; page <= 2; ++page) {
            const double start = 27.0 * (page - 1);
            g.depthOffset = -start;
            TextColumns columns;
            columns.edges = {X(10.0), X(18.5)};
            columns.windowTop = Y(start);
            columns.windowBottom = Y(start + 27.0);
            columns.pageStepPx = 27.0 * g.depthPxPerMetre;
            columns.firstPage = page == 1;
            columns.windowTopM = start;
            columns.windowBottomM = start + 27.0;
            columns.pageStepM = 27.0;
            surface.SetTextColumns(&columns);
            surface.operations.clear();
            ends.push_back(DrawWrappedBlock(surface, g, block, X(10.0), X(18.5), topM));
            for (const auto& box : Boxes()) shown += box.text + "\n";
            surface.SetTextColumns(nullptr);
        }
        std::string sorted = shown;
        std::erase(sorted, '\n');
        std::sort(sorted.begin(), sorted.end());
        EXPECT_EQ(sorted, "ABCD") << shown;
        // Both pages lay the block alike, so what follows it starts at one depth on both.
        EXPECT_DOUBLE_EQ(ends[0], ends[1]);
    }
    g.depthOffset = 0;
}

TEST_F(ColumnFrameworkTest, ATextOverAPageBreakGoesToThePageOfItsCell) {
    // Page 2 of pages 27 m deep, at a resolution where the break falls between two pixels.
    g.depthPxPerMetre = 47.244;
    g.depthOffset = -27.0;
    TextColumns columns;
    columns.edges = {X(10.0), X(18.5)};
    columns.windowTop = Y(27.0);
    columns.windowBottom = Y(54.0);
    columns.pageStepPx = 27.0 * g.depthPxPerMetre;
    columns.firstPage = false;
    columns.windowTopM = 27.0;
    columns.windowBottomM = 54.0;
    columns.pageStepM = 27.0;
    // A box mostly above the page's top line.
    const Rect straddling{X(10.0), Y(26.8), X(18.5), Y(27.05)};
    struct Case { double cellTop, cellBottom; bool shownHere; } cases[] = {
        {27.0, 27.03, true},   // the cell starts at the break: below it, on this page
        {26.5, 27.0, false},   // the cell ends at the break: above it, on the page before
        {26.5, 27.5, false},   // the cell crosses the break: where most of the text is
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cellTop);
        Rect box = straddling;
        TextColumns page = columns;
        bool shown = false;
        {
            const CellOnPage cell(&page, c.cellTop, c.cellBottom);
            shown = page.Lay(box);
        }
        EXPECT_TRUE(std::isnan(page.cellTopM));  // the scope gave the cell back
        EXPECT_EQ(shown, c.shownHere);
        if (c.shownHere) EXPECT_EQ(box.top, columns.windowTop);
        else EXPECT_EQ(box.bottom, columns.windowTop);
    }
    g.depthOffset = 0;
    g.depthPxPerMetre = 100;
}

// ---- rotated cell text ----

TEST_F(ColumnFrameworkTest, RotatedTextIsTurnedForItselfOnly) {
    ThreeColumns("1041 破砕度", "31");
    EXPECT_DOUBLE_EQ(Place(1041, 1.0, 2.0, "Ab"), 2.0);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font.escapement, 2700);
    // x: the centre plus five line depths (5 × 0.3); y: 0.1 m below the top.
    EXPECT_EQ(texts[0].points[0], (Point{X(14.25 + 1.5), Y(1.1)}));
    EXPECT_EQ(surface.CurrentFont().escapement, 0);
}

// ---- boundary lines ----

TEST_F(ColumnFrameworkTest, BoundaryLineIsStraightUnlessShifted) {
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.0, 2.0, 0.6, 1);
    auto lines = surface.OfKind(OperationKind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{X(10.0), Y(2.0)}, {X(18.5), Y(2.0)}}));
    EXPECT_EQ(lines[0].pen, (Pen{PenStyle::Solid, 1, 0}));

    surface.operations.clear();
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.4, 2.0, 0.6, 2);
    lines = surface.OfKind(OperationKind::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points, (std::vector<Point>{{X(10.0), Y(2.0)}, {X(10.6), Y(2.4)}}));
    EXPECT_EQ(lines[1].points, (std::vector<Point>{{X(10.6), Y(2.4)}, {X(17.9), Y(2.4)}}));
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{X(17.9), Y(2.4)}, {X(18.5), Y(2.0)}}));
    for (const auto& line : lines) EXPECT_EQ(line.pen.width, 2);
}

TEST_F(ColumnFrameworkTest, BentBoundaryLineKeepsItsSlantsOffTextsBesideTheRules) {
    // A text written from 0.2 mm inside the left rule down to the shifted depth, and one
    // 1 mm inside the right rule: the left slant runs in the 0.2 mm gap, the right one as usual.
    TextColumns columns;
    columns.edges = {X(10.0), X(18.5)};
    surface.SetTextColumns(&columns);
    columns.Keep(Rect{X(10.2), Y(2.1), X(17.5), Y(2.4)});
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.4, 2.0, 0.6, 1);
    const auto lines = surface.OfKind(OperationKind::Line);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].points[0], (Point{X(10.0), Y(2.0)}));
    EXPECT_LT(lines[0].points[1].x, X(10.2));
    EXPECT_GE(lines[0].points[1].x, X(10.0));
    EXPECT_EQ(lines[2].points, (std::vector<Point>{{X(17.9), Y(2.4)}, {X(18.5), Y(2.0)}}));
    // A text above the bend leaves it alone.
    surface.operations.clear();
    columns.written.clear();
    columns.Keep(Rect{X(10.2), Y(1.0), X(17.5), Y(1.3)});
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.4, 2.0, 0.6, 1);
    EXPECT_EQ(surface.OfKind(OperationKind::Line)[0].points[1], (Point{X(10.6), Y(2.4)}));
    surface.SetTextColumns(nullptr);
}

TEST_F(ColumnFrameworkTest, BoundaryLineWithinAMillionthIsStraight) {
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.0000005, 2.0);
    EXPECT_EQ(surface.OfKind(OperationKind::Line).size(), 1u);
    surface.operations.clear();
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.0, 2.5);  // the two edges differ from the shifted depth
    EXPECT_EQ(surface.OfKind(OperationKind::Line).size(), 3u);
}

TEST_F(ColumnFrameworkTest, BoundaryLineOfWidthZeroDrawsNothing) {
    BoundaryLine(ctx, 10.0, 18.5, 2.0, 2.4, 2.0, 0.6, 0);
    EXPECT_TRUE(surface.OfKind(OperationKind::Line).empty());
}

}  // namespace
