#include "render/Primitives.h"

#include <gtest/gtest.h>

#include "render/RenderPrinters.h"

#include <QImage>

#include "app/SystemSettings.h"
#include "render/Colour.h"
#include "render/RecordingSurface.h"
#include "render/Vocabulary.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// 254 dpi at 1/100 with no margins and no title block: 1 mm = 10 px, 1 m = 100 px.
PageGeometry Geometry254() {
    PageGeometry g;
    g.titleHeight = 0;
    g.depthOnlyScaled = false;
    app::SystemSettings settings;
    settings.LeftMargin = 0;
    settings.TopMargin = 0;
    StartPaint(g, 254, 254, settings, 0);
    UseDepthScale(g, 0);
    return g;
}

std::vector<int> DashStartsX(const RecordingSurface& s) {
    std::vector<int> xs;
    for (const auto& op : s.OfKind(OperationKind::Line)) xs.push_back(op.points[0].x);
    return xs;
}

}  // namespace

TEST(DashedLine, DashesStartEveryDashPlusGap) {
    RecordingSurface s;
    DrawDashedLine(s, 0, 0, 100, 0, 10, 5, 1, 0x808080);
    EXPECT_EQ(DashStartsX(s), (std::vector<int>{0, 15, 30, 45, 60, 75}));
    for (const auto& op : s.OfKind(OperationKind::Line)) {
        EXPECT_EQ(op.points[1].x, op.points[0].x + 10);
        EXPECT_EQ(op.points[1].y, 0);
        EXPECT_EQ(op.pen, (Pen{PenStyle::Solid, 1, 0x808080}));
    }
}

TEST(DashedLine, VerticalLineRunsDown) {
    RecordingSurface s;
    DrawDashedLine(s, 7, 20, 7, 60, 4, 6, 2, 0);
    auto lines = s.OfKind(OperationKind::Line);
    ASSERT_EQ(lines.size(), 4u);  // starts 20, 30, 40, 50 (55 is not below 56)
    EXPECT_EQ(lines[3].points[0], (Point{7, 50}));
    EXPECT_EQ(lines[3].points[1], (Point{7, 54}));
}

TEST(DashedLine, LinesDrawnBackwardsEndAtTheirEndPoint) {
    struct Case { Point from; Point to; } cases[] = {
        {{100, 0}, {0, 0}},
        {{0, 100}, {0, 0}},
        {{0, 100}, {100, 0}},   // diagonal going up
        {{100, 0}, {95, 0}},    // shorter than one dash
    };
    for (const auto& c : cases) {
        RecordingSurface s;
        DrawDashedLine(s, c.from.x, c.from.y, c.to.x, c.to.y, 10, 5, 1, 0);
        auto lines = s.OfKind(OperationKind::Line);
        EXPECT_LE(lines.size(), 7u) << c.from.x << "," << c.from.y;
        for (const auto& op : lines) {
            for (const Point& p : op.points) {
                EXPECT_GE(p.x, 0);
                EXPECT_LE(p.x, 100);
                EXPECT_GE(p.y, 0);
                EXPECT_LE(p.y, 100);
            }
        }
    }
    RecordingSurface s;
    DrawDashedLine(s, 100, 0, 0, 0, 10, 5, 1, 0);
    EXPECT_EQ(DashStartsX(s), (std::vector<int>{100, 85, 70, 55, 40, 25}));
}

TEST(DashedLine, GapDashAndWidthLimits) {
    struct Case { int dash; int gap; int width; std::size_t lines; } cases[] = {
        {10, 0, 1, 1},   // no gap: one solid line
        {10, -3, 2, 1},
        {0, 5, 1, 0},    // no dash: nothing
        {-1, 5, 1, 0},
        {10, 5, 0, 0},   // width 0: nothing
    };
    for (const auto& c : cases) {
        RecordingSurface s;
        DrawDashedLine(s, 0, 0, 100, 0, c.dash, c.gap, c.width, 0);
        auto lines = s.OfKind(OperationKind::Line);
        ASSERT_EQ(lines.size(), c.lines) << c.dash << "/" << c.gap << "/" << c.width;
        if (c.lines == 1) {
            EXPECT_EQ(lines[0].points[1], (Point{100, 0}));
            EXPECT_EQ(lines[0].pen.width, c.width);
        }
    }
}

TEST(Primitives, WidthZeroDrawsNothingAndLeavesNoPen) {
    RecordingSurface s;
    Pen before{PenStyle::Dot, 3, 0x123456};
    s.SelectPen(before);
    PageGeometry g = Geometry254();
    DrawLine(s, 0, 0, 10, 10, 0, 0, 0);
    DrawCircle(s, 10, 10, 5, 0, 0, 0);
    DrawEllipse(s, 10, 10, 5, 3, 0, 0, 0);
    DrawArc(s, 10, 10, 5, Point{15, 10}, Point{10, 5}, 0, 0, 0);
    DrawCross(s, g, 1, 1, 1, 1, 0, 0, 0);
    EXPECT_TRUE(s.operations.empty());
    EXPECT_EQ(s.CurrentPen(), before);
}

TEST(Primitives, EachPrimitiveRestoresPenAndBrush) {
    RecordingSurface s;
    Pen pen{PenStyle::Dot, 3, 0x123456};
    Brush brush = Brush::Solid(0x00ff00);
    s.SelectPen(pen);
    s.SelectBrush(brush);
    DrawLine(s, 0, 0, 10, 10, 1, 2, 0xff);
    DrawDashedLine(s, 0, 0, 100, 0, 10, 5, 1, 0);
    DrawBox(s, 0, 0, 10, 10, 0, 1, 0, 0xffffff);
    DrawCircle(s, 10, 10, 5, 0, 1, 0);
    DrawFilledCircle(s, 10, 10, 5, 0, 1, 0, 0xff);
    FillPolygon(s, {{0, 0}, {10, 0}, {5, 5}}, 0xff0000);
    EXPECT_EQ(s.CurrentPen(), pen);
    EXPECT_EQ(s.CurrentBrush(), brush);
    auto lines = s.OfKind(OperationKind::Line);
    EXPECT_EQ(lines[0].pen, (Pen{PenStyle::Dash, 2, 0xff}));
}

TEST(Primitives, BoxIsOutlinedAndFilled) {
    RecordingSurface s;
    PageGeometry g = Geometry254();
    DrawBox(s, g, 20, 0.5, 10, 0.1, 0, 2, 0x000000, 0x00ffff);
    auto boxes = s.OfKind(OperationKind::Rectangle);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, (Rect{100, 10, 200, 50}));
    EXPECT_EQ(boxes[0].pen, (Pen{PenStyle::Solid, 2, 0}));
    EXPECT_EQ(boxes[0].brush, Brush::Solid(0x00ffff));
}

TEST(Primitives, CircleRadiusInMetresAtDepthScale) {
    RecordingSurface s(254, 254);
    PageGeometry g = Geometry254();
    DrawCircle(s, g, 10, 1.0, 0.5, 0, 1, 0);
    auto arcs = s.OfKind(OperationKind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect, (Rect{50, 50, 150, 150}));  // radius 50 px
    EXPECT_EQ(arcs[0].points[0], (Point{150, 100}));
    EXPECT_EQ(arcs[0].points[1], (Point{150, 100}));

    g.depthScale = 200;
    UseDepthScale(g, 0);
    DrawFilledCircle(s, g, 10, 1.0, 0.5, 0, 1, 0, 0xff);
    auto discs = s.OfKind(OperationKind::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].rect, (Rect{75, 25, 125, 75}));  // 1/200: radius 25 px
    EXPECT_EQ(discs[0].brush, Brush::Solid(0xff));
}

TEST(Primitives, EllipseTakesMillimetresAcrossAndMetresDown) {
    RecordingSurface s;
    PageGeometry g = Geometry254();
    DrawEllipse(s, g, 10, 1.0, 3, 0.2, 0, 1, 0);
    auto arcs = s.OfKind(OperationKind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect, (Rect{70, 80, 130, 120}));
    EXPECT_EQ(arcs[0].points[0], (Point{130, 100}));
}

TEST(Primitives, ArcFromPointToPoint) {
    RecordingSurface s;
    PageGeometry g = Geometry254();
    DrawArc(s, g, 10, 1.0, 0.2, LogPoint{12, 1.0}, LogPoint{10, 0.8}, 0, 1, 0);
    auto arcs = s.OfKind(OperationKind::Arc);
    ASSERT_EQ(arcs.size(), 1u);
    EXPECT_EQ(arcs[0].rect, (Rect{80, 80, 120, 120}));
    EXPECT_EQ(arcs[0].points[0], (Point{120, 100}));
    EXPECT_EQ(arcs[0].points[1], (Point{100, 80}));
}

TEST(Primitives, PolygonUsesAtMostTenPoints) {
    RecordingSurface s;
    std::vector<Point> points;
    for (int i = 0; i < 12; ++i) points.push_back(Point{i * 10, (i % 2) * 10});
    FillPolygon(s, points, 0x0000ff);
    auto outline = s.OfKind(OperationKind::Polygon);
    auto fill = s.OfKind(OperationKind::FillPolygonArea);
    ASSERT_EQ(outline.size(), 1u);
    ASSERT_EQ(fill.size(), 1u);
    EXPECT_EQ(outline[0].points.size(), 10u);
    EXPECT_EQ(fill[0].points, std::vector<Point>(points.begin(), points.begin() + 10));
    EXPECT_EQ(fill[0].fillColour, 0x0000ffu);
    EXPECT_EQ(fill[0].brush, Brush::Solid(0x0000ff));
}

TEST(Primitives, PolygonWithoutInteriorIsNotFilled) {
    for (std::size_t n : {1u, 2u}) {
        RecordingSurface s;
        std::vector<Point> points{{0, 0}, {10, 10}};
        points.resize(n);
        FillPolygon(s, points, 0xff);
        EXPECT_EQ(s.OfKind(OperationKind::Polygon).size(), 1u);
        EXPECT_TRUE(s.OfKind(OperationKind::FillPolygonArea).empty()) << n;
    }
    RecordingSurface s;
    FillPolygon(s, {}, 0xff);
    EXPECT_TRUE(s.operations.empty());
}

TEST(Primitives, LogicalPolygonConvertsItsPoints) {
    RecordingSurface s;
    PageGeometry g = Geometry254();
    // The water-level triangle: 2 mm wide, 0.1 m high.
    FillPolygon(s, g, {{10, 1.0}, {12, 1.0}, {11, 1.1}}, 0xff0000);
    auto fill = s.OfKind(OperationKind::FillPolygonArea);
    ASSERT_EQ(fill.size(), 1u);
    EXPECT_EQ(fill[0].points, (std::vector<Point>{{100, 100}, {120, 100}, {110, 110}}));
}

TEST(Primitives, TextInBoxShrinksByOnePixel) {
    RecordingSurface s;
    DrawTextInBox(s, 50, 40, 10, 20, "ｂ", TextBox::kCentre);
    auto boxes = s.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].rect, (Rect{11, 21, 49, 39}));
    EXPECT_EQ(boxes[0].flags, TextBox::kCentre);
}

TEST(Symbols, LinesOfEachShape) {
    using Segment = std::pair<Point, Point>;
    struct Case {
        const char* name;
        void (*draw)(Surface&, const PageGeometry&, double, double, double, double, int, int, Colour);
        std::vector<Segment> segments;
    } cases[] = {
        {"cross", DrawCross, {{{80, 80}, {120, 120}}, {{80, 120}, {120, 80}}}},
        {"diamond", DrawDiamond,
         {{{80, 100}, {100, 80}}, {{100, 80}, {120, 100}}, {{120, 100}, {100, 120}}, {{100, 120}, {80, 100}}}},
        {"diamond with bar", DrawDiamondWithBar,
         {{{80, 100}, {100, 80}}, {{100, 80}, {120, 100}}, {{120, 100}, {100, 120}}, {{100, 120}, {80, 100}},
          {{100, 84}, {100, 116}}}},
    };
    PageGeometry g = Geometry254();
    for (const auto& c : cases) {
        RecordingSurface s;
        c.draw(s, g, 10, 1.0, 2, 0.2, 2, 1, 0x0000ff);
        auto lines = s.OfKind(OperationKind::Line);
        ASSERT_EQ(lines.size(), c.segments.size()) << c.name;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            EXPECT_EQ(lines[i].points[0], c.segments[i].first) << c.name << " #" << i;
            EXPECT_EQ(lines[i].points[1], c.segments[i].second) << c.name << " #" << i;
            EXPECT_EQ(lines[i].pen, (Pen{PenStyle::Dot, 1, 0x0000ff})) << c.name;
        }
    }
}

TEST(Vocabulary, DensityAndConsistencyByLevel) {
    struct Case { int level; const char* density; const char* densityCode; const char* consistency; const char* consistencyCode; } cases[] = {
        {1, "非常に緩い", "rd1", "非常に軟い", "rc1"},
        {2, "緩い", "rd2", "軟らかい", "rc2"},
        {3, "中位", "rd3", "中位", "rc3"},
        {4, "密な", "rd4", "硬い", "rc4"},
        {5, "非常に密な", "rd5", "非常に硬い", "rc5"},
        {6, "", "", "固結した", "rc5"},
        {0, "", "", "", ""},
        {7, "", "", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RelativeDensityWord(c.level), c.density) << c.level;
        EXPECT_EQ(RelativeDensityCode(c.level), c.densityCode) << c.level;
        EXPECT_EQ(ConsistencyWord(c.level), c.consistency) << c.level;
        EXPECT_EQ(ConsistencyCode(c.level), c.consistencyCode) << c.level;
    }
    EXPECT_EQ(DensityLevelOfCode("rd4"), 4);
    EXPECT_EQ(ConsistencyLevelOfCode("rc5"), 5);
    EXPECT_EQ(ConsistencyLevelOfCode("rd1"), 0);
    EXPECT_EQ(DensityLevelOfCode(""), 0);
}

TEST(Colour, TextRoundTrip) {
    struct Case { const char* text; Colour colour; } cases[] = {
        {"0x808080", 0x808080}, {"0xa00000", 0xa00000}, {"0X00FFff", 0x00ffff}, {" 0x0000c0 ", 0x0000c0},
        {"255", 255}, {"0x1808080", 0x808080},
    };
    for (const auto& c : cases) EXPECT_EQ(ColourFromText(c.text), c.colour) << c.text;
    EXPECT_EQ(ColourFromText("", 0xcccccc), 0xccccccu);
    EXPECT_EQ(ColourFromText("0x", 7), 7u);
    EXPECT_EQ(ColourFromText("黒", 7), 7u);
    EXPECT_EQ(ColourText(0xa00000), "0xa00000");
    EXPECT_EQ(ColourText(0x80), "0x000080");
    EXPECT_EQ(RedOf(0x0000c0), 0xc0);
    EXPECT_EQ(BlueOf(0xa00000), 0xa0);
    EXPECT_EQ(RgbColour(0x12, 0x34, 0x56), 0x563412u);
}
