#include "render/columns/SoilColumn.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <ostream>
#include <tuple>
#include <string>
#include <vector>

#include <QImage>

#include "geology/NameTable.h"
#include "render/ColumnTestFixture.h"
#include "support/TempDir.h"

#include "render/ColumnRegistry.h"
#include "render/columns/Elevation.h"
#include "render/columns/SoilColumnFaults.h"
#include "render/columns/SoilColumnName.h"
#include "render/columns/PatternBitmaps.h"
#include "render/columns/PatternDrawing.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// Depth 5-13 mm, elevation 13-21, pattern column 21-31 (10 mm wide), name column 31-51.
// 10 px per mm both ways, 100 px per metre: the patterns are drawn at their own size.
class SoilPatternColumnTest : public stracol::testing::ColumnTestFixture {
protected:
    SoilPatternColumnTest() {
        g.pxPerMmX = g.pxPerMmY = 10;
        SetItem(1, "1003 深度", "8", "2  HC_Btm");
        SetItem(2, "1002 標高", "8", "2  HC_Btm");
        SetItem(3, "1005 現場土質名（模様）", "10", "2  HC_Btm");
        SetItem(4, "1006 現場土質名", "20", "23 Wb_Btm");
        SetPage(0, 10);
    }

    static constexpr int kPatternSlot = 3;
    static constexpr double kLeft = 21;
    static constexpr double kRight = 31;

    // bottom, name 1, name 2, pattern code 1, pattern code 2, flags, share.
    void Layer(int row, const std::string& bottom, const std::string& name1, const std::string& code1,
               const std::string& flags, const std::string& name2 = "", const std::string& code2 = "",
               const std::string& share = "") {
        SetRow(TableId::Layer, row, {bottom, name1, name2, "", code1, code2, flags, "", share});
    }

    void Fault(int row, const std::string& upper, const std::string& lower, const std::string& property,
               const std::string& flags) {
        SetRow(TableId::Fault, row, {upper, lower, property, flags});
    }

    // The clip rectangles set inside the pattern column, as (top, bottom) depths.
    std::vector<std::pair<double, double>> CellClips() const {
        std::vector<std::pair<double, double>> cells;
        for (const auto& op : surface.OfKind(OperationKind::SetClip))
            if (op.rect.left == X(kLeft) && op.rect.right == X(kRight))
                cells.emplace_back(op.rect.top / 100.0, op.rect.bottom / 100.0);
        return cells;
    }

    bool HasCell(double top, double bottom) const {
        for (auto [t, b] : CellClips())
            if (std::fabs(t - top) < 1e-9 && std::fabs(b - bottom) < 1e-9) return true;
        return false;
    }

    // True when a line from (x1, y1) to (x2, y2) was drawn, within a pixel at each end (mark
    // positions are sums of steps, which may fall either side of a pixel edge).
    bool HasLineNear(double x1Mm, double y1M, double x2Mm, double y2M) const {
        const auto near = [](const Point& p, const Point& q) {
            return std::abs(p.x - q.x) <= 1 && std::abs(p.y - q.y) <= 1;
        };
        const Point a{X(x1Mm), Y(y1M)};
        const Point b{X(x2Mm), Y(y2M)};
        for (const auto& op : Lines())
            if (near(op.points[0], a) && near(op.points[1], b)) return true;
        return false;
    }

    // Strokes inside the strip leftMm … rightMm (within a pixel), the strip's long inner edge
    // at rightMm left out.
    int StrokesWithin(double leftMm, double rightMm) const {
        int count = 0;
        const auto inside = [&](const Point& p) { return p.x >= X(leftMm) - 1 && p.x <= X(rightMm) + 1; };
        for (const auto& op : Lines()) {
            const bool edge = op.points[0].x == op.points[1].x && std::abs(op.points[0].x - X(rightMm)) <= 1;
            if (inside(op.points[0]) && inside(op.points[1]) && !edge) ++count;
        }
        return count;
    }

    // The strips along both edges of the pattern column.
    static constexpr double kLeftStripEnd = kLeft + 1.1;
    static constexpr double kRightStripStart = kRight - 1.1;
};

// ---- cell pass ----

// The middle layer of three (1-2 m): its name 1 and pattern code decide whether it closes a
// cell, and so where the third layer's cell begins.
struct MiddleLayerCase {
    const char* what;
    const char* name;
    const char* code;
    bool middleCellDrawn;
    double thirdTop;
};

void PrintTo(const MiddleLayerCase& c, std::ostream* os) { *os << c.what; }

class SoilCellJoining : public SoilPatternColumnTest, public ::testing::WithParamInterface<MiddleLayerCase> {};

TEST_P(SoilCellJoining, ThirdCellStartsAtTheLastClosedBoundary) {
    const MiddleLayerCase& c = GetParam();
    Layer(1, "1.00", "砂", "200.1", "471");
    Layer(2, "2.00", c.name, c.code, "471");
    Layer(3, "3.00", "粘土", "2100.2", "471");
    SoilPatternCells(ctx, kPatternSlot, DefaultBitmapNames());
    // The first cell starts 0.02 m below the page top (the pattern clip never rises above it).
    EXPECT_TRUE(HasCell(0.02, 1.0));
    EXPECT_EQ(HasCell(1.0, 2.0), c.middleCellDrawn);
    EXPECT_TRUE(HasCell(c.thirdTop, 3.0));
    EXPECT_FALSE(HasCell(c.thirdTop == 1.0 ? 2.0 : 1.0, 3.0));
}

INSTANTIATE_TEST_SUITE_P(
    MiddleLayers, SoilCellJoining,
    ::testing::Values(MiddleLayerCase{"nameless and patternless", "", "", false, 1.0},
                      MiddleLayerCase{"pattern without name", "", "2100.1", true, 2.0},
                      MiddleLayerCase{"name without pattern", "シルト", "", false, 2.0}),
    [](const auto& info) { return std::string(info.param.code[0] ? "Pattern" : "NoPattern") +
                                  (info.param.name[0] ? "Name" : "NoName"); });

TEST_F(SoilPatternColumnTest, JoinedCellIsFilledWithTheNextLayersPattern) {
    Layer(1, "1.00", "砂", "200.1", "471");
    Layer(2, "2.00", "", "", "471");
    Layer(3, "3.00", "粘土", "2100.2", "471");
    SoilPatternCells(ctx, kPatternSlot, DefaultBitmapNames());
    // Pattern 2100's plus signs of the third layer stand above 2.0 m as well.
    bool markAboveTwoMetres = false;
    for (const auto& op : Lines())
        if (op.points[0].y > Y(1.0) && op.points[0].y < Y(2.0) && op.points[0].x > X(kLeft)) markAboveTwoMetres = true;
    EXPECT_TRUE(markAboveTwoMetres);
}

TEST_F(SoilPatternColumnTest, TwoNameLayerSplitsThePatternsAtItsShare) {
    Layer(1, "2.00", "砂岩", "3300.1", "471", "泥岩", "2100.1", "30");
    SoilPatternCells(ctx, kPatternSlot, DefaultBitmapNames());
    // A ruled line at the split, 3 mm from the left edge, down the whole cell.
    EXPECT_TRUE(HasLine(24, 0, 24, 2.0));
}

TEST_F(SoilPatternColumnTest, NothingForASlotThatIsNotDrawn) {
    Layer(1, "2.00", "砂", "200.1", "471");
    Fault(1, "0.50", "1.00", "粘土状", "63");
    DrawSoilPatternColumn(ctx, 0, DefaultBitmapNames());
    DrawSoilPatternColumn(ctx, 50, DefaultBitmapNames());
    EXPECT_TRUE(surface.operations.empty());
}

// ---- boundary pass ----

struct BoundaryCase {
    const char* what;
    const char* name2;
    const char* share;
    int flags;
    std::vector<std::pair<double, double>> pieces;  // x ranges ruled at the layer's bottom
};

void PrintTo(const BoundaryCase& c, std::ostream* os) { *os << c.what; }

class SoilBoundaryPieces : public SoilPatternColumnTest, public ::testing::WithParamInterface<BoundaryCase> {};

TEST_P(SoilBoundaryPieces, RuledByFlagsAndShare) {
    const BoundaryCase& c = GetParam();
    Layer(1, "2.00", "砂岩", "3300.1", std::to_string(c.flags), c.name2, "", c.share);
    SoilPatternBoundaries(ctx, kPatternSlot);
    std::vector<std::pair<double, double>> ruled;
    for (const auto& op : Lines()) {
        ASSERT_EQ(op.points[0].y, Y(2.0));
        ASSERT_EQ(op.points[1].y, Y(2.0));
        EXPECT_EQ(op.pen.width, settings.RuleLineWidth);
        ruled.emplace_back(op.points[0].x / 10.0, op.points[1].x / 10.0);
    }
    EXPECT_EQ(ruled, c.pieces);
}

INSTANTIATE_TEST_SUITE_P(
    Layers, SoilBoundaryPieces,
    ::testing::Values(
        BoundaryCase{"OneNameBit4", "", "", 4, {{21, 31}}},
        BoundaryCase{"OneNameBit16Only", "", "", 16, {}},
        BoundaryCase{"OneNameNoBits", "", "", 128 | 2, {}},
        BoundaryCase{"TwoNamesBits4And16", "泥岩", "30", 4 | 16, {{21, 24}, {24, 31}}},
        BoundaryCase{"TwoNamesBit4Only", "泥岩", "30", 4, {{21, 24}}},
        BoundaryCase{"TwoNamesBit16Only", "泥岩", "30", 16, {{24, 31}}},
        BoundaryCase{"ShareZeroSplitsInTheMiddle", "泥岩", "0", 4 | 16, {{21, 26}, {26, 31}}},
        BoundaryCase{"ShareHundredSplitsInTheMiddle", "泥岩", "100", 4 | 16, {{21, 26}, {26, 31}}},
        BoundaryCase{"EmptyShareSplitsInTheMiddle", "泥岩", "", 4 | 16, {{21, 26}, {26, 31}}},
        BoundaryCase{"ShareNinetyNine", "泥岩", "99", 4, {{21, 30.9}}}),
    [](const auto& info) { return std::string(info.param.what); });

TEST_F(SoilPatternColumnTest, BoundariesOnlyInsideThePageStoppingBelowIt) {
    SetPage(5, 10);
    Layer(1, "3.00", "砂", "200.1", "4");
    Layer(2, "7.00", "砂", "200.1", "4");
    Layer(3, "12.00", "砂", "200.1", "4");
    Layer(4, "9.00", "砂", "200.1", "4");  // after a boundary below the page: not reached
    SoilPatternBoundaries(ctx, kPatternSlot);
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(HasLine(kLeft, 7.0, kRight, 7.0));
}

// ---- fault zones ----

TEST(FaultZoneKind, FirstMarkerCharacterInOrderElseLeadingInteger) {
    const std::pair<const char*, int> cases[] = {
        {"角礫状", 1}, {"砂・礫混じり粘土状", 2}, {"粘土状", 3}, {"シュー", 4}, {"マイロ", 5}, {"カタク", 6},
        {"3", 3},     {"12", 12},                {"", 0},       {"その他", 0}, {"-2", -2},  {"粘土と角礫", 1},
    };
    for (auto [text, kind] : cases) EXPECT_EQ(FaultZoneKind(text), kind) << text;
}

TEST_F(SoilPatternColumnTest, ClayZoneFillsBothStripsBlack) {
    Fault(1, "2.00", "2.40", "粘土状", "48");
    FaultZonePass(ctx, kLeft, kRight);
    const auto boxes = surface.OfKind(OperationKind::Rectangle);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].rect, (Rect{X(kLeft), Y(2.0), X(kLeftStripEnd), Y(2.4)}));
    EXPECT_EQ(boxes[1].rect, (Rect{X(kRightStripStart), Y(2.0), X(kRight), Y(2.4)}));
    for (const auto& box : boxes) {
        EXPECT_EQ(box.brush, Brush::Solid(0));
        EXPECT_EQ(box.pen.colour, 0u);
    }
    // Bits 16 and 32: lines across the column at both depths; the inner strip edges.
    EXPECT_TRUE(HasLine(kLeft, 2.0, kRight, 2.0));
    EXPECT_TRUE(HasLine(kLeft, 2.4, kRight, 2.4));
    EXPECT_TRUE(HasLine(kLeftStripEnd, 2.0, kLeftStripEnd, 2.4));
    EXPECT_TRUE(HasLine(kRightStripStart, 2.0, kRightStripStart, 2.4));
}

TEST_F(SoilPatternColumnTest, CataclasiteZoneDrawsStepsInBothStrips) {
    Fault(1, "5.00", "5.40", "カタク", "0");
    FaultZonePass(ctx, kLeft, kRight);
    const double leftMiddle = (kLeft + kLeftStripEnd) / 2;
    const double rightMiddle = (kRightStripStart + kRight) / 2;
    for (double y : {5.05, 5.15, 5.25}) {
        EXPECT_TRUE(HasLineNear(kLeft, y, leftMiddle, y)) << y;
        EXPECT_TRUE(HasLineNear(leftMiddle, y, leftMiddle, y + 0.05)) << y;
        EXPECT_TRUE(HasLineNear(leftMiddle, y + 0.05, kLeftStripEnd, y + 0.05)) << y;
        EXPECT_TRUE(HasLineNear(kRightStripStart, y, rightMiddle, y)) << y;
        EXPECT_TRUE(HasLineNear(rightMiddle, y, rightMiddle, y + 0.05)) << y;
        EXPECT_TRUE(HasLineNear(rightMiddle, y + 0.05, kRight, y + 0.05)) << y;
    }
    EXPECT_FALSE(HasLineNear(kLeft, 5.35, leftMiddle, 5.35));
    EXPECT_EQ(StrokesWithin(kLeft, kLeftStripEnd), 9);
    // Flags 0: no lines across the column.
    EXPECT_FALSE(HasLine(kLeft, 5.0, kRight, 5.0));
}

// The marks of each kind in the left strip: how many strokes, and the first one.
struct ZoneMarksCase {
    const char* property;
    const char* lower;
    int strokes;
    Point firstFrom;  // log position ×100 (mm × 100, m × 100) of the first stroke's start
    Point firstTo;
};

void PrintTo(const ZoneMarksCase& c, std::ostream* os) { *os << c.property << " down to " << c.lower; }

class SoilFaultMarks : public SoilPatternColumnTest, public ::testing::WithParamInterface<ZoneMarksCase> {};

TEST_P(SoilFaultMarks, StrokesInTheLeftStrip) {
    const ZoneMarksCase& c = GetParam();
    Fault(1, "1.00", c.lower, c.property, "48");
    FaultZonePass(ctx, kLeft, kRight);
    EXPECT_EQ(StrokesWithin(kLeft, kLeftStripEnd), c.strokes);
    EXPECT_TRUE(
        HasLineNear(c.firstFrom.x / 100.0, c.firstFrom.y / 100.0, c.firstTo.x / 100.0, c.firstTo.y / 100.0));
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, SoilFaultMarks,
    ::testing::Values(
        // Crosses every 0.1 m from 1.1 to 1.5 (the last may end 0.02 m below): 5 × 2 diagonals.
        ZoneMarksCase{"角礫状", "1.50", 10, {2100, 100}, {2210, 110}},
        // Dashes at 1.00, 1.06 … 1.24 while 0.05 m room is left.
        ZoneMarksCase{"砂・礫混じり粘土状", "1.30", 5, {2100, 100}, {2210, 100}},
        // Zigzags at 1.05 … 1.35 (each 0.05 m high): 4 × 2 strokes, up to the strip middle.
        ZoneMarksCase{"シュー", "1.42", 8, {2100, 110}, {2155, 105}},
        // Diamonds at 1.05, 1.20, 1.35: 3 × 4 sides, the first from the left corner to the top.
        ZoneMarksCase{"マイロ", "1.50", 12, {2100, 110}, {2155, 105}}),
    [](const auto& info) { return "Kind" + std::to_string(FaultZoneKind(info.param.property)); });

TEST_F(SoilPatternColumnTest, ZoneWithoutKindDrawsOnlyItsLines) {
    Fault(1, "1.00", "2.00", "その他", "48");
    FaultZonePass(ctx, kLeft, kRight);
    EXPECT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(HasLine(kLeft, 1.0, kRight, 1.0));
    EXPECT_TRUE(HasLine(kLeft, 2.0, kRight, 2.0));
}

TEST_F(SoilPatternColumnTest, ZoneWithoutLowerDepthHasNoStrips) {
    Fault(1, "1.00", "", "粘土状", "48");
    FaultZonePass(ctx, kLeft, kRight);
    EXPECT_TRUE(surface.OfKind(OperationKind::Rectangle).empty());
    ASSERT_EQ(Lines().size(), 1u);
    EXPECT_TRUE(HasLine(kLeft, 1.0, kRight, 1.0));
}

TEST_F(SoilPatternColumnTest, HugeZoneDrawsOnlyTheMarksOfThePage) {
    SetPage(100, 105);
    Fault(1, "0", "1000000", "角礫状", "0");
    FaultZonePass(ctx, kLeft, kRight);
    // About 52 crosses per strip on a 5 m page, none far outside it.
    const auto lines = Lines();
    EXPECT_LT(lines.size(), 250u);
    EXPECT_GT(lines.size(), 200u);
    for (const auto& op : lines) {
        if (op.points[0].x == op.points[1].x) continue;  // the strip edges run the whole zone
        EXPECT_GE(op.points[0].y, Y(99.7));
        EXPECT_LE(op.points[0].y, Y(105.3));
    }
}

TEST_F(SoilPatternColumnTest, ZonesAreClippedToThePageWindow) {
    SetPage(2, 7);
    Fault(1, "1.00", "3.00", "粘土状", "48");
    FaultZonePass(ctx, kLeft, kRight);
    const auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{X(0), Y(2), X(350), Y(7)}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

// ---- fault depths ----

TEST_F(SoilPatternColumnTest, FaultDepthsAndElevationsIntoTheDepthColumns) {
    record.SetHeading(13, "10.00");
    Fault(1, "2.00", "2.50", "粘土状", std::to_string(1 | 2 | 4 | 8));
    FaultDepthPass(ctx, 1, 2, ElevationInputsOf(record));
    for (double d : {2.0, 2.5}) {
        EXPECT_TRUE(HasLine(5, d, 13, d)) << d;
        EXPECT_TRUE(HasLine(13, d, 21, d)) << d;
    }
    for (auto [text, x, d] : {std::tuple{" 2.00", 9.0, 2.0}, {" 2.50", 9.0, 2.5}, {"   8.00", 17.0, 2.0},
                              {"   7.50", 17.0, 2.5}}) {
        auto op = FindText(text);
        ASSERT_TRUE(op) << text;
        EXPECT_EQ(op->points[0], (Point{X(x), Y(d)}));
        EXPECT_EQ(op->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom}));
    }
}

TEST_F(SoilPatternColumnTest, FaultDepthBitsChooseLinesAndTexts) {
    record.SetHeading(13, "10.00");
    Fault(1, "2.00", "2.50", "", std::to_string(2 | 4));
    FaultDepthPass(ctx, 1, 2, ElevationInputsOf(record));
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{" 2.00", "   8.00"}));
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_TRUE(HasLine(5, 2.5, 13, 2.5));
    EXPECT_TRUE(HasLine(13, 2.5, 21, 2.5));
}

TEST_F(SoilPatternColumnTest, ExchangeFlagsWriteNothingIntoTheDepthColumns) {
    Layer(1, "3.00", "砂", "", "471");
    Fault(1, "2.00", "2.50", "粘土状", "48");
    DrawSoilPatternColumn(ctx, kPatternSlot, DefaultBitmapNames());
    EXPECT_TRUE(Texts().empty());
    EXPECT_FALSE(HasLine(5, 2.0, 13, 2.0));
    EXPECT_TRUE(HasLine(kLeft, 2.0, kRight, 2.0));
}

// ---- registration and the depth part ----

TEST(SoilColumnRegistration, AllSixItemsHaveRenderers) {
    ColumnRegistry registry;
    RegisterSoilColumns(registry);
    for (int code : {1005, 1006, 1007, 1008, 1009, 1010}) EXPECT_TRUE(registry.Has(code)) << code;
}

TEST_F(SoilPatternColumnTest, DepthPartDrawsTheFirstPatternItemOfTheStyle) {
    // A style with 1009 and 1010 instead of 1005 and 1006.
    SetItem(3, "1009 工学的地質区分名･現場土質名(模様)", "10", "2  HC_Btm");
    SetItem(4, "1010 工学的地質区分名･現場土質名", "20", "8  HC_Top");
    Layer(1, "2.00", "砂", "200.1", std::to_string(4 | 128));
    ColumnRegistry registry;
    RegisterSoilColumns(registry);
    RunDepthPartOrder(ctx, registry, nullptr);
    EXPECT_TRUE(HasCell(0.02, 2.0));
    EXPECT_TRUE(HasLine(kLeft, 2.0, kRight, 2.0));
    EXPECT_TRUE(FindText("砂"));
}

TEST_F(SoilPatternColumnTest, BitmapPatternsComeFromTheMasterOfTheContext) {
    // Bitmap patterns only; S700.BMP exists, the built-in master gives 砂 another number (300).
    stracol::testing::TempDir folder;
    QImage bitmap(8, 8, QImage::Format_RGB32);
    bitmap.fill(Qt::gray);
    ASSERT_TRUE(bitmap.save(QString::fromStdString(folder.File("S700.BMP")), "BMP"));
    settings.PatternSetting46 = 3;
    ctx.patternFolder = folder.Path();
    Layer(1, "2.00", "砂", "300.1", std::to_string(4 | 128));
    const geology::NameTable master = geology::ParseNameTable(
        {"[第１分類], ,1000,", "砂,S,300.1,700.1", "[第２分類]", "[第３分類]", "[終了]"}, 1);
    struct Case {
        const char* what;
        const geology::NameTable* names;
        bool bitmapDrawn;
    } cases[] = {{"built-in master", nullptr, false}, {"the workspace's master", &master, true}};
    // The master gives 砂 the bitmap of the folder.
    ASSERT_EQ(LayerPatternsOf(record, 1, master).bitmap, 700);
    ASSERT_FALSE(LoadPatternBitmap(folder.File("S700.BMP")).isNull());
    for (const Case& c : cases) {
        surface.operations.clear();
        ctx.bitmapNames = c.names;
        ColumnRegistry registry;
        RegisterSoilColumns(registry);
        RunDepthPartOrder(ctx, registry, nullptr);
        EXPECT_EQ(!surface.OfKind(OperationKind::Bitmap).empty(), c.bitmapDrawn) << c.what;
    }
}

}  // namespace
