#include "render/columns/NValueGraph.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <iterator>
#include <utility>
#include <set>
#include <string>
#include <vector>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/PatternColours.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "render/columns/NValueRenderers.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;

namespace {

constexpr Colour kPlotColour = 0x0000c0;  // NPlotColour default
constexpr Colour kMajorColour = 0x808080; // NGridColour default
constexpr Colour kFineColour = 0xffff00;  // NFineGridColour default
const Pen kSymbolPen{PenStyle::Solid, 2, 0};

// One page from 0 to 5 m: 1 mm across is 10 px, 1 m down is 100 px, no margins and no title
// block. The N-value graph stands in slot 1 from 5 to 55 mm (50 mm wide); LineDepth 0.3 m.
class NValueGraphTest : public ::testing::Test {
protected:
    NValueGraphTest() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        g.pxPerMmX = 10;
        g.pxPerMmY = 10;
        g.screenFrameWidthMm = 350;
        ctx.pageStart = 0;
        ctx.pageEnd = 5;
        SetItem(1, "3101 標準貫入>図", "50");
        SetItem(2, "3102 標準貫入>Ｎ値", "6");
    }

    void SetItem(int slot, const std::string& label, const std::string& width) {
        style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        item.SetField(style::kLabelField, label);
        item.SetField(style::kWidthField, width);
        item.SetField(style::kDataPlacementField, "2");
        ctx.columns = ColumnEdges(style);
    }

    // Appends a test row: depth, total record, line-break flag, label.
    void AddTest(const std::string& depth, const std::string& total, const std::string& lineBreak = "0",
                 const std::string& label = "") {
        auto& t = record.Table(borehole::TableId::Spt);
        const int row = t.RowCount() + 1;
        t.SetCell(row, 0, depth);
        t.SetCell(row, 1, total);
        t.SetCell(row, 5, lineBreak);
        t.SetCell(row, 6, label);
    }

    void Plot() { DrawNValuePlot(ctx, 1, kLineDepth); }

    std::vector<RecordedOperation> LinesWith(const Pen& pen) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : surface.OfKind(OperationKind::Line))
            if (op.pen == pen) out.push_back(op);
        return out;
    }
    // The plotted line of the default width 1 at 96 dpi: never thinner than 0.5 mm, 2 px.
    std::vector<RecordedOperation> PlotLines() const { return LinesWith(Pen{PenStyle::Solid, 2, kPlotColour}); }
    std::vector<RecordedOperation> SymbolLines() const { return LinesWith(kSymbolPen); }
    std::vector<RecordedOperation> Circles() const { return surface.OfKind(OperationKind::Arc); }

    // A circle of radius 0.08 m (8 px) about a device point.
    static Rect CircleAt(int x, int y) { return Rect{x - 8, y - 8, x + 8, y + 8}; }
    static std::vector<Point> Ends(const RecordedOperation& op) { return op.points; }

    int X(double mm) const { return MmToX(g, mm); }
    int Y(double m) const { return DepthToY(g, m); }

    static constexpr double kLineDepth = 0.3;

    RecordingSurface surface;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm titleForm;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
    LogContext ctx{surface, g, settings, fonts, style, titleForm, record, colours, nullptr, {}, {}, {}, {}, {}, 0, 0, 0, 0, 0, nullptr, {}};
};

// ---- the plot ----

TEST_F(NValueGraphTest, PointsSegmentsArrowAndDashOfThreeTests) {
    AddTest("1.15", "15/30");
    AddTest("2.15", "50/12");  // N 125: at the right end with an arrow
    AddTest("3.15", "0/45");   // no blows over 45 cm: a dash at the left end
    Plot();

    // 15/30 → N 15 at 5 + 15 mm, at the middle of the test, 1.15 + 0.15 m (129 px: the sum
    // lies a hair above 1.30 and pixels are truncated).
    const int y1 = Y(1.15 + 0.15);
    ASSERT_EQ(Circles().size(), 1u);
    EXPECT_EQ(Circles()[0].rect, CircleAt(200, y1));
    EXPECT_EQ(Circles()[0].pen, kSymbolPen);

    const auto symbols = SymbolLines();
    ASSERT_EQ(symbols.size(), 3u);
    // Arrow at (55 mm, 2.21 m): shaft 3.4 mm back, barb 2 mm back and 0.1 m up.
    EXPECT_EQ(Ends(symbols[0]), (std::vector<Point>{{550, 221}, {516, 221}}));
    EXPECT_EQ(Ends(symbols[1]), (std::vector<Point>{{550, 221}, {530, 211}}));
    // Dash at (5 mm, 3.375 m), 3.4 mm to the right.
    EXPECT_EQ(Ends(symbols[2]), (std::vector<Point>{{50, 337}, {84, 337}}));

    // Segments stop 0.1 m short of the arrow's point on both sides.
    const auto lines = PlotLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(Ends(lines[0]), (std::vector<Point>{{200, y1}, {550, 211}}));
    EXPECT_EQ(Ends(lines[1]), (std::vector<Point>{{550, 231}, {50, 337}}));
}

TEST_F(NValueGraphTest, TestsPlotAtTheMiddleOfTheirPenetration) {
    AddTest("1.15", "10/30");
    AddTest("2.15", "20/30");
    AddTest("3.15", "40/30");
    Plot();
    const auto circles = Circles();
    ASSERT_EQ(circles.size(), 3u);
    EXPECT_EQ(circles[0].rect, CircleAt(X(15), Y(1.15 + 0.15)));
    EXPECT_EQ(circles[1].rect, CircleAt(X(25), Y(2.15 + 0.15)));
    EXPECT_EQ(circles[2].rect, CircleAt(X(45), Y(3.15 + 0.15)));
    // Within a truncated pixel of 1.30, 2.30 and 3.30 m.
    const double plotted[] = {1.30, 2.30, 3.30};
    for (int i = 0; i < 3; ++i) EXPECT_NEAR((circles[i].rect.top + circles[i].rect.bottom) / 2, Y(plotted[i]), 1);
    EXPECT_EQ(PlotLines().size(), 2u);
}

TEST_F(NValueGraphTest, RowsWithoutAValueAndLineBreakFlagsBreakTheLine) {
    struct Case {
        const char* name;
        const char* middleTotal;
        const char* lastBreak;
        std::size_t circles;
        std::size_t lines;
    };
    const Case cases[] = {
        {"all plotted", "20/30", "0", 3, 2},
        {"empty record", "", "0", 2, 0},
        {"remark text", "未実施", "0", 2, 0},
        {"no blows given", "/", "0", 2, 0},
        {"line-break flag", "20/30", "1", 3, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        surface.operations.clear();
        record.Table(borehole::TableId::Spt).Clear();
        AddTest("1.15", "10/30");
        AddTest("2.15", c.middleTotal);
        AddTest("3.15", "30/30", c.lastBreak);
        Plot();
        EXPECT_EQ(Circles().size(), c.circles);
        EXPECT_EQ(PlotLines().size(), c.lines);
    }
}

TEST_F(NValueGraphTest, FullScaleOfSixtyPutsThirtyHalfwayAcrossAFiftyMillimetreGraph) {
    settings.NMaxBlows = 1;
    AddTest("1.15", "30/30");
    AddTest("2.15", "90/30");  // beyond 60: the right end
    Plot();
    ASSERT_EQ(Circles().size(), 1u);
    EXPECT_EQ(Circles()[0].rect, CircleAt(X(5 + 25), Y(1.15 + 0.15)));
    EXPECT_EQ(SymbolLines()[0].points[0], (Point{X(55), Y(2.15 + 0.15)}));
}

TEST_F(NValueGraphTest, PlotWidthComesFromTheLeadingIntegerOfTheWidth) {
    SetItem(1, "3101 標準貫入>図", "40.8");  // G = 40 mm of a 40.8 mm column
    AddTest("1.15", "25/30");
    Plot();
    ASSERT_EQ(Circles().size(), 1u);
    EXPECT_EQ(Circles()[0].rect, CircleAt(X(5 + 20), Y(1.15 + 0.15)));
}

TEST_F(NValueGraphTest, OverflowSymbolChoices) {
    // One test per row, each starting a new segment so only symbols are drawn.
    struct Case {
        int choice;
        std::size_t circles;       // over the four tests 15/30, 50/12, 0/45, 0/20
        std::size_t symbolLines;
    };
    const Case cases[] = {
        {0, 4, 0},  // a circle everywhere
        {1, 2, 3},  // circle, arrow (2 lines), dash, circle (0 blows over less than 30 cm)
        {2, 4, 3},  // as 1, and a circle at every point
        {7, 4, 0},  // an unknown choice draws circles
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.choice);
        surface.operations.clear();
        record.Table(borehole::TableId::Spt).Clear();
        settings.NOverflowSymbol = c.choice;
        AddTest("1.15", "15/30", "1");
        AddTest("2.15", "50/12", "1");
        AddTest("3.15", "0/45", "1");
        AddTest("4.15", "0/20", "1");
        Plot();
        EXPECT_EQ(Circles().size(), c.circles);
        EXPECT_EQ(SymbolLines().size(), c.symbolLines);
        EXPECT_TRUE(PlotLines().empty());
    }
}

TEST_F(NValueGraphTest, NoPenetrationPlotsAtTheRightEndWithAnArrow) {
    AddTest("1.00", "50/0");
    Plot();
    EXPECT_TRUE(Circles().empty());
    const auto symbols = SymbolLines();
    ASSERT_EQ(symbols.size(), 2u);
    // Without penetration the point stands at the test depth.
    EXPECT_EQ(symbols[0].points[0], (Point{550, 100}));
}

TEST_F(NValueGraphTest, SolidBlackDotsAreFilledDiscs) {
    settings.NSolidBlackDot = 1;
    AddTest("1.15", "15/30");
    Plot();
    EXPECT_TRUE(Circles().empty());
    const auto discs = surface.OfKind(OperationKind::Ellipse);
    ASSERT_EQ(discs.size(), 1u);
    EXPECT_EQ(discs[0].rect, CircleAt(200, Y(1.15 + 0.15)));
    EXPECT_EQ(discs[0].brush, Brush::Solid(0));
    EXPECT_EQ(discs[0].pen, kSymbolPen);
}

TEST_F(NValueGraphTest, PlotLineTakesTheSettingsWidthAndColour) {
    settings.NPlotWidth = 3;
    settings.NPlotColour = "0x123456";
    AddTest("1.15", "10/30");
    AddTest("2.15", "20/30");
    Plot();
    EXPECT_EQ(LinesWith(Pen{PenStyle::Solid, 3, 0x123456}).size(), 1u);
    settings.ColourMode = 1;
    surface.operations.clear();
    Plot();
    EXPECT_EQ(LinesWith(Pen{PenStyle::Solid, 3, 0}).size(), 1u);
    // On a 1200 dpi page the width keeps its size on paper, and never falls below 0.5 mm.
    g.dpiX = 1200;
    settings.NPlotWidth = 3;  // 3 screen pixels: 38 px at 1200 dpi
    surface.operations.clear();
    Plot();
    EXPECT_EQ(LinesWith(Pen{PenStyle::Solid, 38, 0}).size(), 1u);
    settings.NPlotWidth = 1;  // 13 px would be 0.27 mm: 0.5 mm is 24 px
    surface.operations.clear();
    Plot();
    EXPECT_EQ(LinesWith(Pen{PenStyle::Solid, 24, 0}).size(), 1u);
}

TEST_F(NValueGraphTest, LabelsStandLeftOfHighValuesAndRightOfLowOnes) {
    AddTest("1.15", "15/30", "0", "砂");
    AddTest("2.15", "30/30", "0", "礫");
    AddTest("3.15", "50/12", "0", "岩");
    Plot();
    const auto texts = surface.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 3u);
    EXPECT_EQ(texts[0].text, "砂");
    EXPECT_EQ(texts[0].points[0], (Point{X(20 + 3), Y(1.15 + 0.15 - 0.15)}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Left, VerticalAlign::Top}));
    EXPECT_EQ(texts[1].points[0], (Point{X(35 - 2), Y(2.15 + 0.15 - 0.15)}));
    EXPECT_EQ(texts[1].align, (TextAlign{HorizontalAlign::Right, VerticalAlign::Top}));
    EXPECT_EQ(texts[2].points[0], (Point{X(55 - 2), Y(3.15 + 0.06 - 0.15)}));
}

TEST_F(NValueGraphTest, SlotOutsideTheDrawnColumnsDrawsNothing) {
    AddTest("1.15", "15/30");
    for (int slot : {0, 3, 50}) {
        DrawNValuePlot(ctx, slot, kLineDepth);
        DrawNValueGrid(ctx, slot);
    }
    EXPECT_TRUE(surface.operations.empty());
}

// ---- the grid ----

struct GridCase {
    const char* name;
    int nMaxBlows;
    int lugeonGrid;
    std::vector<int> majorBlows;
    std::vector<int> fineBlows;
};

std::vector<int> Range(std::initializer_list<std::pair<int, int>> spans) {
    std::vector<int> out;
    for (auto [from, to] : spans)
        for (int v = from; v <= to; ++v) out.push_back(v);
    return out;
}

TEST_F(NValueGraphTest, GridVerticalsByFullScaleAndGridChoice) {
    const GridCase cases[] = {
        {"50, coarse", 0, 1, {10, 20, 30, 40}, {}},
        {"50, fine", 0, 0, {10, 20, 30, 40}, Range({{1, 9}, {11, 19}, {21, 29}, {31, 39}, {41, 49}})},
        {"60, fine", 1, 0, {10, 20, 30, 40, 50}, Range({{1, 9}, {11, 19}, {21, 29}, {31, 39}, {41, 49}, {51, 59}})},
        {"100, fine", 2, 0, {20, 40, 60, 80}, Range({{1, 9}, {21, 29}, {41, 49}, {61, 69}, {81, 89}})},
    };
    for (const GridCase& c : cases) {
        SCOPED_TRACE(c.name);
        surface.operations.clear();
        settings.NMaxBlows = c.nMaxBlows;
        settings.NLugeonGrid = c.lugeonGrid;
        DrawNValueGrid(ctx, 1);
        const double perBlow = 50.0 / (c.nMaxBlows == 1 ? 60 : c.nMaxBlows == 2 ? 100 : 50);
        auto verticalXs = [&](Colour colour) {
            std::vector<int> xs;
            for (const auto& op : LinesWith(Pen{PenStyle::Solid, 1, colour}))
                if (op.points[0].x == op.points[1].x) {
                    EXPECT_EQ(op.points[0].y, 0);
                    EXPECT_EQ(op.points[1].y, 500);
                    xs.push_back(op.points[0].x);
                }
            return xs;
        };
        auto expectedXs = [&](const std::vector<int>& blows) {
            std::vector<int> xs;
            for (int b : blows) xs.push_back(X(5 + b * perBlow));
            return xs;
        };
        EXPECT_EQ(verticalXs(kMajorColour), expectedXs(c.majorBlows));
        EXPECT_EQ(verticalXs(kFineColour), expectedXs(c.fineBlows));
    }
}

TEST_F(NValueGraphTest, GridHorizontalsStrictlyInsideThePageWindow) {
    ctx.pageStart = 1.0;
    ctx.pageEnd = 3.0;
    settings.NLugeonGrid = 0;
    DrawNValueGrid(ctx, 1);
    auto horizontalYs = [&](Colour colour) {
        std::vector<int> ys;
        for (const auto& op : LinesWith(Pen{PenStyle::Solid, 1, colour}))
            if (op.points[0].y == op.points[1].y) {
                EXPECT_EQ(op.points[0].x, 50);
                EXPECT_EQ(op.points[1].x, 550);
                ys.push_back(op.points[0].y);
            }
        return ys;
    };
    std::vector<int> fine;
    for (int k = 11; k <= 29; ++k) fine.push_back(Y(k / 10.0));
    EXPECT_EQ(horizontalYs(kFineColour), fine);
    EXPECT_EQ(horizontalYs(kMajorColour), (std::vector<int>{200}));
}

TEST_F(NValueGraphTest, GridLineTypesColourModeAndFineWidth) {
    settings.NLugeonGrid = 0;
    settings.NGridDash = 10;
    settings.NGridGap = 5;
    settings.NGridWidth = 2;
    ctx.pageEnd = 1.0;
    DrawNValueGrid(ctx, 1);
    // The first major vertical at 10 blows runs as dashes of 10 px every 15 px.
    std::vector<int> starts;
    for (const auto& op : LinesWith(Pen{PenStyle::Solid, 2, kMajorColour}))
        if (op.points[0].x == 150) {
            EXPECT_EQ(op.points[1].y - op.points[0].y, 10);
            starts.push_back(op.points[0].y);
        }
    EXPECT_EQ(starts, (std::vector<int>{0, 15, 30, 45, 60, 75}));

    surface.operations.clear();
    settings.ColourMode = 1;
    DrawNValueGrid(ctx, 1);
    for (const auto& op : surface.OfKind(OperationKind::Line)) EXPECT_EQ(op.pen.colour, 0u);
    EXPECT_FALSE(LinesWith(Pen{PenStyle::Solid, 1, 0}).empty());  // the fine lines, black

    surface.operations.clear();
    settings.NFineGridWidth = 0;
    DrawNValueGrid(ctx, 1);
    EXPECT_TRUE(LinesWith(Pen{PenStyle::Solid, 1, 0}).empty());
    EXPECT_FALSE(LinesWith(Pen{PenStyle::Solid, 2, 0}).empty());
}

// ---- through the depth part order ----

TEST_F(NValueGraphTest, DepthPartDrawsTheGridFirstAndThePlotUnderItsOwnClip) {
    ColumnRegistry registry;
    RegisterNValueRenderers(registry);
    ASSERT_TRUE(registry.Has(GridKey(3101)));
    for (int code : {3101, 3102, 3103, 3104, 3105, 3108, 3109}) EXPECT_TRUE(registry.Has(code)) << code;

    AddTest("1.15", "15/30");
    RunDepthPartOrder(ctx, registry, nullptr);

    const auto& ops = surface.operations;
    auto firstIndex = [&](auto predicate) {
        return std::find_if(ops.begin(), ops.end(), predicate) - ops.begin();
    };
    const auto gridLine = firstIndex([](const RecordedOperation& op) {
        return op.kind == OperationKind::Line && op.pen.colour == kMajorColour;
    });
    const auto circle = firstIndex([](const RecordedOperation& op) { return op.kind == OperationKind::Arc; });
    ASSERT_LT(circle, static_cast<long>(ops.size()));
    EXPECT_LT(gridLine, circle);
    // The last clip before the plot reaches up to −2.0 m on the first page.
    const auto clip = std::find_if(std::make_reverse_iterator(ops.begin() + circle), ops.rend(),
                                   [](const RecordedOperation& op) { return op.kind == OperationKind::SetClip; });
    ASSERT_NE(clip, ops.rend());
    EXPECT_EQ(clip->rect.top, Y(-2.0));
    // The N column (slot 2) writes the value once.
    const auto texts = surface.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "15");
}

}  // namespace
