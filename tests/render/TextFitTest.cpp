#include "render/TextFit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "render/RecordingSurface.h"
#include "render/RenderPrinters.h"

using namespace stracol::render;

namespace {

constexpr int kHeight = 20;  // px; at 96 dpi a double-byte character is 20 px wide

RecordingSurface WithFontHeight(int height) {
    RecordingSurface s;
    LogFont font;
    font.height = height;
    s.SelectFont(font);
    return s;
}

// The readable floor worked out from its definition: 5 pt, or 60 % of the size if larger.
int FloorPx(int heightPx, int dpi) {
    const int absolute = static_cast<int>(std::lround(5.0 * dpi / 72.0));
    const int share = static_cast<int>(std::lround(0.6 * heightPx));
    return std::min(heightPx, std::max(absolute, share));
}

// Width of a text by the recording surface's model with a given font.
int WidthWith(const LogFont& font, const std::string& text) {
    RecordingSurface m;
    m.SelectFont(font);
    return m.MeasureText(text).width;
}

}  // namespace

TEST(TextFit, FloorIsFivePointsOrSixtyPercentOfTheSize) {
    struct Case { int heightPx; int dpi; } cases[] = {
        {20, 96},   // 60 % (12 px) is above 5 pt (7 px)
        {10, 96},   // 5 pt (7 px) is above 60 % (6 px)
        {10, 600},  // never above the size itself
        {50, 300},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextFloorHeightPx(c.heightPx, c.dpi), FloorPx(c.heightPx, c.dpi)) << c.heightPx << " @ " << c.dpi;
    EXPECT_EQ(TextFloorHeightPx(20, 96), 12);
    EXPECT_EQ(TextFloorHeightPx(10, 96), 7);
    EXPECT_EQ(TextFloorHeightPx(10, 600), 10);
}

TEST(TextFit, TextThatFitsIsDrawnUnchangedWhereAsked) {
    RecordingSurface s = WithFontHeight(kHeight);
    const LogFont selected = s.CurrentFont();
    const Rect box{100, 0, 150, 200};  // 50 px across; "粘土" is 40 px
    const Rect covered = DrawFittedText(s, 105, 30, "粘土", box);
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].points[0], (Point{105, 30}));
    EXPECT_EQ(texts[0].text, "粘土");
    EXPECT_EQ(texts[0].font, selected);
    EXPECT_EQ(covered, (Rect{105, 30, 145, 50}));
    EXPECT_TRUE(s.OfKind(OperationKind::SetClip).empty());
    EXPECT_EQ(s.CurrentFont(), selected);
}

TEST(TextFit, FittingTextStandingOverTheEdgeIsMovedInside) {
    RecordingSurface s = WithFontHeight(kHeight);
    const Rect box{100, 0, 150, 200};
    const Rect covered = DrawFittedText(s, 120, 30, "粘土", box);  // would end at 160
    EXPECT_EQ(covered, (Rect{110, 30, 150, 50}));
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].covered, covered);
    EXPECT_EQ(texts[0].font.widthPercent, 100);
}

TEST(TextFit, SlightlyTooWideTextIsSetNarrowerAtItsSize) {
    RecordingSurface s = WithFontHeight(kHeight);
    const std::string text = "粘土質砂";  // 80 px
    const TextRoom room{70, kHeight};
    const FittedText fit = FitText(s, text, room);
    EXPECT_TRUE(fit.fits);
    ASSERT_EQ(fit.lines, std::vector<std::string>{text});
    EXPECT_EQ(fit.font.height, kHeight);
    EXPECT_GE(fit.font.widthPercent, kMinTextWidthPercent);
    EXPECT_LT(fit.font.widthPercent, 100);
    EXPECT_LE(WidthWith(fit.font, text), room.width);
    // As little narrower as needed: one percent wider would not fit.
    LogFont wider = fit.font;
    wider.widthPercent += 1;
    EXPECT_GT(WidthWith(wider, text), room.width);
    EXPECT_EQ(s.CurrentFont().widthPercent, 100) << "the selection is left as it was";

    // Drawn, the run stays in the box and is not clipped.
    const Rect box{0, 0, room.width, 200};
    DrawFittedText(s, 0, 10, text, box);
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].font, fit.font);
    EXPECT_GE(texts[0].covered.left, box.left);
    EXPECT_LE(texts[0].covered.right, box.right);
    EXPECT_TRUE(s.OfKind(OperationKind::SetClip).empty());
}

TEST(TextFit, MuchTooWideTextIsSetSmallerButNotBelowTheFloor) {
    RecordingSurface s = WithFontHeight(kHeight);
    const int floor = FloorPx(kHeight, s.DpiY());
    struct Case { const char* text; int width; } cases[] = {
        {"粘土質砂礫", 60},       // 100 px: too wide even at 70 %, fits smaller
        {"礫混じり粘土質砂", 70},  // 160 px
    };
    for (const auto& c : cases) {
        const FittedText fit = FitText(s, c.text, TextRoom{c.width, kHeight});
        EXPECT_TRUE(fit.fits) << c.text;
        EXPECT_EQ(fit.lines.size(), 1u) << c.text;
        EXPECT_LT(fit.font.height, kHeight) << c.text;
        EXPECT_GE(fit.font.height, floor) << c.text;
        EXPECT_GE(fit.font.widthPercent, kMinTextWidthPercent) << c.text;
        EXPECT_LE(WidthWith(fit.font, c.text), c.width) << c.text;
        // Not smaller than needed: one pixel larger at the narrowest width does not fit.
        LogFont larger = fit.font;
        larger.height += 1;
        larger.widthPercent = kMinTextWidthPercent;
        EXPECT_GT(WidthWith(larger, c.text), c.width) << c.text;
    }
}

TEST(TextFit, WithRoomForTwoLinesWrapsAtANaturalPoint) {
    const int floor = FloorPx(kHeight, 96);
    struct Case { const char* text; std::vector<std::string> lines; } cases[] = {
        {"砂礫～粘土質砂", {"砂礫～", "粘土質砂"}},
        {"砂礫・粘土質砂", {"砂礫・", "粘土質砂"}},
        {"砂礫、粘土質砂", {"砂礫、", "粘土質砂"}},
        {"礫混じり 粘土質砂", {"礫混じり", "粘土質砂"}},
    };
    // 50 px across: none of them fits on one line even at the floor and 70 %.
    const TextRoom room{50, 2 * kHeight};
    for (const auto& c : cases) {
        RecordingSurface s = WithFontHeight(kHeight);
        LogFont narrowest = s.CurrentFont();
        narrowest.height = floor;
        narrowest.widthPercent = kMinTextWidthPercent;
        ASSERT_GT(WidthWith(narrowest, c.text), room.width) << c.text;
        const FittedText fit = FitText(s, c.text, room);
        EXPECT_TRUE(fit.fits) << c.text;
        EXPECT_EQ(fit.lines, c.lines) << c.text;
        EXPECT_GE(fit.font.height, floor) << c.text;
        EXPECT_LE(static_cast<int>(fit.lines.size()) * fit.lineHeight, room.height) << c.text;
        for (const std::string& line : fit.lines) EXPECT_LE(WidthWith(fit.font, line), room.width) << line;

        // Drawn, each line is one run inside the box, the second below the first.
        const Rect box{200, 0, 200 + room.width, room.height};
        DrawFittedText(s, 200, 0, c.text, box);
        const auto texts = s.OfKind(OperationKind::Text);
        ASSERT_EQ(texts.size(), c.lines.size()) << c.text;
        for (std::size_t i = 0; i < texts.size(); ++i) {
            EXPECT_EQ(texts[i].text, c.lines[i]);
            EXPECT_GE(texts[i].covered.left, box.left);
            EXPECT_LE(texts[i].covered.right, box.right);
        }
        EXPECT_GE(texts[1].covered.top, texts[0].covered.bottom) << c.text;
    }
}

TEST(TextFit, WrapAtNaturalPointsKeepsLineBreaksAndDropsBlanksAtTheBreak) {
    RecordingSurface s = WithFontHeight(kHeight);
    struct Case { const char* text; int width; std::vector<std::string> lines; } cases[] = {
        {"砂礫～粘土", 200, {"砂礫～粘土"}},
        {"砂礫～粘土", 70, {"砂礫～", "粘土"}},
        {"上\n下", 200, {"上", "下"}},
        {"abc def", 40, {"abc", "def"}},
        {"粘土質砂", 50, {"粘土", "質砂"}},  // no natural point: between full-width characters
        // A word wider than the room is broken where the room ends, not cut at the edge (so a
        // number keeps its exponent), and never before what does not start a line.
        {"abcdefgh", 30, {"abc", "def", "gh"}},
        {"1.97E+04", 30, {"1.9", "7E+", "04"}},
        {"ab(cd)ef", 50, {"ab(c", "d)ef"}},
        // A slash inside a unit or a ratio is no natural point (only better than breaking a
        // word where the room ends); one after a word still is.
        {"送水150L/min", 100, {"送水", "150L/min"}},
        {"送水、150L/min", 110, {"送水、", "150L/min"}},
        {"150L/min", 70, {"150L/", "min"}},
        {"砂礫/粘土", 60, {"砂礫/", "粘土"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WrapAtNaturalPoints(s, c.text, c.width), c.lines) << c.text << " " << c.width;
}

TEST(TextFit, TextThatFitsNowhereIsClippedToItsBoxAtTheFloor) {
    RecordingSurface s = WithFontHeight(kHeight);
    const int floor = FloorPx(kHeight, s.DpiY());
    const Rect box{300, 0, 330, kHeight};  // one line of 30 px
    const std::string text = "粘土質砂礫混じり";
    DrawFittedText(s, 300, 0, text, box);
    const auto clips = s.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_GE(clips[0].rect.left, box.left);
    EXPECT_LE(clips[0].rect.right, box.right);
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_FALSE(texts.empty());
    for (const auto& t : texts) {
        EXPECT_TRUE(t.clipped) << t.text;
        EXPECT_EQ(t.clip, clips[0].rect);
        EXPECT_EQ(t.font.height, floor);
        EXPECT_EQ(t.font.widthPercent, kMinTextWidthPercent);
        EXPECT_GT(t.covered.right, box.right) << "a text that fits needs no clip";
    }
    // The clip is lifted after the text.
    Rect clip;
    EXPECT_FALSE(s.CurrentClip(clip));
    EXPECT_EQ(s.operations.back().kind, OperationKind::ClearClip);
}

TEST(TextFit, AClippedTextClaimsOnlyItsOwnColumn) {
    // Column 1 from 300 to 330 px, column 2 from 330 to 500. A text that fits nowhere in
    // column 1 is clipped there; a text then written at the same height in column 2 stays put.
    RecordingSurface s = WithFontHeight(kHeight);
    TextColumns columns;
    columns.edges = {300, 330, 500};
    s.SetTextColumns(&columns);
    DrawFittedText(s, 300, 0, "粘土質砂礫混じり", Rect{300, 0, 330, kHeight});
    ASSERT_EQ(columns.written.size(), 3u);
    EXPECT_TRUE(columns.written[2].empty());
    s.operations.clear();
    DrawFittedText(s, 340, 0, "砂", Rect{330, 0, 500, kHeight});
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].covered.top, 0);
    s.SetTextColumns(nullptr);
}

TEST(TextColumnsClaim, OverprintingBoxMovesBelowTheEarlierOneInItsColumnOnly) {
    TextColumns columns;
    columns.edges = {0, 100, 200};
    const Rect first{10, 0, 60, 20};
    EXPECT_EQ(columns.Claim(first), first);
    EXPECT_EQ(columns.Claim(Rect{20, 10, 70, 30}), (Rect{20, 20, 70, 40}));
    // Below both now: moved past each in turn.
    EXPECT_EQ(columns.Claim(Rect{10, 5, 60, 25}), (Rect{10, 40, 60, 60}));
    // Another column, or no overlap across, or below them all: kept where it is.
    EXPECT_EQ(columns.Claim(Rect{110, 0, 160, 20}), (Rect{110, 0, 160, 20}));
    EXPECT_EQ(columns.Claim(Rect{70, 0, 95, 20}), (Rect{70, 0, 95, 20}));
    EXPECT_EQ(columns.Claim(Rect{10, 60, 60, 80}), (Rect{10, 60, 60, 80}));
}

TEST(TextColumnsClaim, SecondTextAtTheSamePointIsDrawnBelowTheFirst) {
    RecordingSurface s = WithFontHeight(kHeight);
    TextColumns columns;
    columns.edges = {0, 100, 200};
    s.SetTextColumns(&columns);
    const Rect box{0, 0, 100, 1000};
    DrawFittedText(s, 10, 50, "粘土", box);
    DrawFittedText(s, 10, 50, "砂礫", box);
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].covered, (Rect{10, 50, 50, 70}));
    EXPECT_EQ(texts[1].covered, (Rect{10, 70, 50, 90}));
    s.SetTextColumns(nullptr);
}

TEST(TextColumnsPage, StraddlingBoxGoesWholeToThePageHoldingMostOfIt) {
    TextColumns columns;
    columns.windowTop = 0;
    columns.windowBottom = 1000;
    columns.pageStepPx = 1000;
    columns.firstPage = false;
    struct Case { Rect box; Rect placed; bool onThisPage; } cases[] = {
        {{0, 500, 50, 520}, {0, 500, 50, 520}, true},     // inside the page: kept
        {{0, 985, 50, 1005}, {0, 980, 50, 1000}, true},   // mostly above the page end
        {{0, 995, 50, 1015}, {0, 1000, 50, 1020}, false}, // mostly below: the next page
        {{0, -5, 50, 15}, {0, 0, 50, 20}, true},          // mostly below the page top
    };
    for (const auto& c : cases) {
        Rect box = c.box;
        EXPECT_EQ(columns.PlaceOnPage(box), c.onThisPage) << c.box.top;
        EXPECT_EQ(box, c.placed) << c.box.top;
        EXPECT_EQ(box.Height(), c.box.Height());
    }
    // A line straddling a page end starts the next page (the same page laid in metres: 10 m
    // deep pages, lines 0.2 m deep); one ending on the break stays.
    columns.windowTopM = 0;
    columns.windowBottomM = 10;
    columns.pageStepM = 10;
    EXPECT_DOUBLE_EQ(columns.LineTopOffBreaksM(9.9, 0.2), 10.0);
    EXPECT_DOUBLE_EQ(columns.LineTopOffBreaksM(9.8, 0.2), 9.8);
    EXPECT_DOUBLE_EQ(columns.LineTopOffBreaksM(19.9, 0.2), 20.0);
    EXPECT_DOUBLE_EQ(columns.LineTopOffBreaksM(-0.1, 0.2), 0.0);
    EXPECT_TRUE(columns.ShowsLineM(9.8, 0.2));
    EXPECT_FALSE(columns.ShowsLineM(10.0, 0.2));   // the next page's
    EXPECT_FALSE(columns.ShowsLineM(-0.1, 0.2));   // shown whole on the page before
    EXPECT_TRUE(columns.BreakBetweenM(9.8, 10.0));
    EXPECT_FALSE(columns.BreakBetweenM(9.6, 9.8));
}

TEST(TextColumnsPage, TextStraddlingThePageEndIsNotDrawnOnThisPage) {
    RecordingSurface s = WithFontHeight(kHeight);
    TextColumns columns;
    columns.edges = {0, 100};
    columns.windowTop = 0;
    columns.windowBottom = 1000;
    columns.pageStepPx = 1000;
    s.SetTextColumns(&columns);
    const Rect box{0, 0, 100, 0};
    DrawFittedText(s, 10, 985, "粘土", box);  // 15 px above the end, 5 below: moved up
    DrawFittedText(s, 60, 995, "砂礫", box);  // 5 px above, 15 below: the next page's
    const auto texts = s.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "粘土");
    EXPECT_EQ(texts[0].covered, (Rect{10, 980, 50, 1000}));
    s.SetTextColumns(nullptr);
}
