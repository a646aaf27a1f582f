#include "render/columns/PatternDrawing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <set>
#include <sstream>

#include "render/RenderPrinters.h"

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/BuiltInTables.h"
#include "geology/NameTable.h"
#include "geology/PatternColours.h"
#include "render/Primitives.h"
#include "render/RecordingSurface.h"
#include "render/columns/PatternNumber.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// 254 dpi: 10 pixels per millimetre; no margins and no title, so the depth area starts at
// pixel 0; depth scale 1/S.
PageGeometry Geometry(int depthScale = 100) {
    PageGeometry g;
    g.dpiX = g.dpiY = 254;
    g.pxPerMmX = g.pxPerMmY = 254 * kInchPerMm;
    g.xFactor = g.pxPerMmX;
    g.depthScale = depthScale;
    g.depthPxPerMetre = 1000.0 / depthScale * g.pxPerMmY;
    g.titlePxPerMetre = g.depthPxPerMetre;
    g.leftMarginMm = 0;
    g.topMarginMm = 0;
    g.titleHeight = 0;
    g.depthOffset = 0;
    return g;
}

// The geometry the marks are drawn at: the vertical scale 1/100.
PageGeometry Fixed(const PageGeometry& g) {
    PageGeometry f = g;
    f.depthPxPerMetre = 10.0 * g.pxPerMmY;
    return f;
}

std::string Describe(const RecordedOperation& op) {
    std::ostringstream out;
    out << "kind " << static_cast<int>(op.kind);
    for (const Point& p : op.points) out << " (" << p.x << "," << p.y << ")";
    out << " rect [" << op.rect.left << "," << op.rect.top << "," << op.rect.right << "," << op.rect.bottom << "]";
    out << " pen w" << op.pen.width << " c" << std::hex << op.pen.colour << std::dec;
    return out.str();
}

// The drawing operations (no clip changes) as text, for exact comparison.
std::vector<std::string> Drawn(const RecordingSurface& s) {
    std::vector<std::string> out;
    for (const auto& op : s.operations)
        if (op.kind != OperationKind::SetClip && op.kind != OperationKind::ClearClip) out.push_back(Describe(op));
    return out;
}

geology::PatternColours Colours(std::initializer_list<std::pair<long, std::uint32_t>> pairs) {
    geology::PatternColours c;
    c.entries.assign(pairs.begin(), pairs.end());
    return c;
}

// Every number the pattern list names (its headings left out).
std::vector<long> PatternListNumbers() {
    std::vector<long> numbers;
    for (const auto& row : geology::BuiltInPatternRows()) {
        if (row.number.find('[') != std::string_view::npos || row.number.find('{') != std::string_view::npos) continue;
        numbers.push_back(std::stol(std::string(row.number)));
    }
    return numbers;
}

// ---------------------------------------------------------------- pattern numbers

struct NumberCase {
    long k;
    long main;
    long quality;
    long mixture;
    PatternClass cls;
};

TEST(PatternNumber, TakesDigitsApartAndClassifies) {
    const NumberCase cases[] = {
        {2113, 2100, 10, 3, PatternClass::Layered},
        {300, 300, 0, 0, PatternClass::Layered},
        {3, 0, 0, 3, PatternClass::Layered},
        {1350, 1300, 50, 0, PatternClass::Layered},
        {10050, 0, 50, 0, PatternClass::Whole},
        {10091, 0, 90, 1, PatternClass::Whole},
        {10000, 0, 0, 0, PatternClass::Special0},
        {10001, 0, 0, 1, PatternClass::Special1},
        {10004, 0, 0, 4, PatternClass::Special4},
        {94443, 4400, 40, 3, PatternClass::Split},
        {20100, 100, 0, 0, PatternClass::Layered},
        {-300, 0, 0, 0, PatternClass::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.k);
        EXPECT_EQ(ClassOfPattern(c.k), c.cls);
        if (c.k < 0) continue;
        const PatternParts p = SplitPatternNumber(c.k);
        EXPECT_EQ(p.main, c.main);
        EXPECT_EQ(p.quality, c.quality);
        EXPECT_EQ(p.mixture, c.mixture);
    }
}

TEST(PatternNumber, DigitToleratesValuesJustBelowAWholeNumber) {
    // 2113 read as a real number a hair too small still gives its units digit 3.
    EXPECT_EQ(PatternDigit(2113.0 - 1e-9, 1), 3);
    EXPECT_EQ(PatternDigit(2113.0 - 1e-9, 100), 100);
    EXPECT_EQ(PatternDigit(94443L, 10000), 90000);
}

TEST(PatternNumber, SplitPatternHalves) {
    // 砂岩・泥岩互層 style: 90000 + 4400 + 4300 / 100.
    EXPECT_EQ(SplitLeftPattern(94443), 4400);
    EXPECT_EQ(SplitRightPattern(94443), 4300);
    EXPECT_EQ(SplitRightPattern(92111), 1100);
}

// ---------------------------------------------------------------- the drawing routines

TEST(LinePatterns, EveryListedNumberHasARoutineAndOthersDrawNothing) {
    for (long n : PatternListNumbers()) {
        SCOPED_TRACE(n);
        // 空洞 is drawn blank.
        EXPECT_EQ(HasLinePattern(n), n != 9900);
    }
    for (long n : {20001L, 20002L, 20100L, 20200L, 10091L, 1200L}) EXPECT_TRUE(HasLinePattern(n)) << n;
    for (long n : {0L, 9L, 150L, 3700L, 9900L, 10010L, 10094L, 99999L}) {
        RecordingSurface s;
        EXPECT_FALSE(DrawPattern(s, Geometry(), n, 0, 0, 10, 1, 1.0, 1, 0, false)) << n;
        EXPECT_TRUE(s.operations.empty()) << n;
    }
}

enum class Marks { Circles, CirclesDiamonds, Diamonds, DiamondsEllipses, ArcsCircles, Arcs, ArcsLines, ArcsEllipses,
                   DiamondsLines, Lines };

// What the recorded operations of a pattern may be, by the kind of marks it is made of.
// A circle is a full arc of a square box, an ellipse a full arc of an oblong one, an arc a
// partial one; diamonds and lines are line segments.
void ExpectMarks(const RecordingSurface& s, Marks marks) {
    bool lines = false, circles = false, ellipses = false, arcs = false, other = false;
    for (const auto& op : s.operations) {
        if (op.kind == OperationKind::Line) lines = true;
        else if (op.kind == OperationKind::Arc) {
            const bool full = op.points[0] == op.points[1];
            if (!full) arcs = true;
            else if (op.rect.Width() == op.rect.Height()) circles = true;
            else ellipses = true;
        } else other = true;
    }
    EXPECT_FALSE(other);
    const bool wantLines = marks != Marks::Circles && marks != Marks::Arcs && marks != Marks::ArcsCircles &&
                           marks != Marks::ArcsEllipses;
    const bool wantCircles = marks == Marks::Circles || marks == Marks::CirclesDiamonds || marks == Marks::ArcsCircles;
    const bool wantEllipses = marks == Marks::DiamondsEllipses || marks == Marks::ArcsEllipses;
    const bool wantArcs = marks == Marks::ArcsCircles || marks == Marks::Arcs || marks == Marks::ArcsLines ||
                          marks == Marks::ArcsEllipses;
    EXPECT_EQ(lines, wantLines);
    EXPECT_EQ(circles, wantCircles);
    EXPECT_EQ(ellipses, wantEllipses);
    EXPECT_EQ(arcs, wantArcs);
}

TEST(LinePatterns, EachNumberDrawsItsListedMarksInsideTheSubCell) {
    std::map<long, Marks> table = {
        {1, Marks::Circles},         {2, Marks::CirclesDiamonds}, {1600, Marks::CirclesDiamonds},
        {3, Marks::Diamonds},        {10, Marks::Diamonds},       {1500, Marks::Diamonds},
        {8, Marks::DiamondsEllipses}, {100, Marks::ArcsCircles},  {6800, Marks::ArcsCircles},
        {800, Marks::Arcs},          {6100, Marks::Arcs},         {6200, Marks::Arcs},
        {5200, Marks::ArcsLines},    {6300, Marks::ArcsLines},    {6900, Marks::ArcsEllipses},
        {2200, Marks::DiamondsLines}, {4600, Marks::DiamondsLines}, {5100, Marks::DiamondsLines},
    };
    for (long n : {4, 5, 6, 7, 20, 30, 40, 50, 500, 600, 700, 900, 1100, 1200, 1300, 1700, 2100, 4100, 4200, 4300,
                   4700, 4800, 4900, 5000, 6400, 10000, 10001, 10002, 10003, 10004, 10091, 10092, 10093, 20001,
                   20002, 20200})
        table[n] = Marks::Lines;
    for (long n = 2300; n <= 3100; n += 100) table[n] = Marks::Lines;
    for (long n = 8100; n <= 8700; n += 100) table[n] = Marks::Lines;

    const PageGeometry g = Geometry();
    for (const auto& [number, marks] : table) {
        for (double widthMm : {8.0, 15.0}) {
            SCOPED_TRACE(testing::Message() << "pattern " << number << " width " << widthMm);
            RecordingSurface s;
            // A sub-cell from x 20 mm, depth 1 m to 4 m (pixels 200 … 200 + 10 × width, 1000 … 4000).
            ASSERT_TRUE(DrawPattern(s, g, number, 20, 1, 20 + widthMm, 4, 1.0, 1, 0x123456, false));
            ASSERT_FALSE(s.operations.empty());
            ExpectMarks(s, marks);
            const int left = MmToX(g, 20), right = MmToX(g, 20 + widthMm);
            const int top = DepthToY(g, 1), bottom = DepthToY(g, 4);
            for (const auto& op : s.operations) {
                SCOPED_TRACE(Describe(op));
                EXPECT_EQ(op.pen.colour, 0x123456u);
                if (op.kind == OperationKind::Line) {
                    for (const Point& p : op.points) {
                        EXPECT_GE(p.x, left - 1);
                        EXPECT_LE(p.x, right + 1);
                        EXPECT_GE(p.y, top - 1);
                        EXPECT_LE(p.y, bottom + 1);
                    }
                } else {
                    EXPECT_GE(op.rect.left, left - 1);
                    EXPECT_LE(op.rect.right, right + 1);
                    EXPECT_GE(op.rect.top, top - 1);
                    EXPECT_LE(op.rect.bottom, bottom + 1);
                }
            }
        }
    }
}

// All sizes follow the sub-cell width: a cell twice as wide and twice as high draws the same
// marks, every coordinate doubled (within the pixel rounding).
TEST(LinePatterns, ScaleWithTheSubCellWidth) {
    const PageGeometry g = Geometry();
    std::vector<long> numbers = PatternListNumbers();
    numbers.insert(numbers.end(), {20001, 20002, 20100, 20200});
    for (long n : numbers) {
        if (!HasLinePattern(n)) continue;
        SCOPED_TRACE(n);
        RecordingSurface small, large;
        DrawPattern(small, g, n, 0, 0, 10, 3, 1.0, 1, 0, false);
        DrawPattern(large, g, n, 0, 0, 20, 6, 1.0, 1, 0, false);
        ASSERT_EQ(small.operations.size(), large.operations.size());
        for (std::size_t i = 0; i < small.operations.size(); ++i) {
            const auto& a = small.operations[i];
            const auto& b = large.operations[i];
            ASSERT_EQ(a.kind, b.kind);
            for (std::size_t k = 0; k < a.points.size() && a.kind == OperationKind::Line; ++k) {
                EXPECT_NEAR(b.points[k].x, 2 * a.points[k].x, 2);
                EXPECT_NEAR(b.points[k].y, 2 * a.points[k].y, 2);
            }
            if (a.kind == OperationKind::Arc) {
                EXPECT_NEAR(b.rect.Width(), 2 * a.rect.Width(), 2);
                EXPECT_NEAR(b.rect.left, 2 * a.rect.left, 3);
                EXPECT_NEAR(b.rect.top, 2 * a.rect.top, 3);
            }
        }
    }
}

// Centres of the diamond-with-bar marks (their bars are the only upright lines), by row.
std::map<int, std::vector<Point>> BarCentresByRow(const RecordingSurface& s) {
    std::map<int, std::vector<Point>> rows;
    for (const auto& op : s.OfKind(OperationKind::Line))
        if (op.points[0].x == op.points[1].x)
            rows[(op.points[0].y + op.points[1].y) / 2].push_back(
                Point{op.points[0].x, std::abs(op.points[1].y - op.points[0].y)});
    return rows;
}

TEST(LinePatterns, TwiceAsWideCellHasTheSameMarksPerRowTwiceAsLarge) {
    const PageGeometry g = Geometry();
    RecordingSurface narrow, wide;
    DrawPattern(narrow, g, 300, 0, 0, 10, 2, 1.0, 1, 0, false);
    DrawPattern(wide, g, 300, 0, 0, 20, 2, 1.0, 1, 0, false);
    const auto n = BarCentresByRow(narrow);
    const auto w = BarCentresByRow(wide);
    ASSERT_GE(n.size(), 4u);
    ASSERT_GE(w.size(), 2u);
    // Rows are spaced by the width, so the wide cell has about half as many in the same height.
    EXPECT_LT(w.size(), n.size());
    const auto& firstNarrow = n.begin()->second;
    const auto& firstWide = w.begin()->second;
    ASSERT_EQ(firstNarrow.size(), 3u);  // sand 300: three marks, then two
    ASSERT_EQ(firstWide.size(), firstNarrow.size());
    ASSERT_EQ(std::next(n.begin())->second.size(), 2u);
    ASSERT_EQ(std::next(w.begin())->second.size(), 2u);
    for (std::size_t i = 0; i < firstNarrow.size(); ++i) {
        EXPECT_NEAR(firstWide[i].x, 2 * firstNarrow[i].x, 1);
        EXPECT_NEAR(firstWide[i].y, 2 * firstNarrow[i].y, 1);  // the bar length
    }
}

TEST(LinePatterns, MarksKeepTheirPaperSizeAtAnyDepthScale) {
    // 2 m at 1/100 and 4 m at 1/200 are both 20 mm of paper: the same marks.
    RecordingSurface at100, at200;
    DrawPattern(at100, Geometry(100), 1700, 0, 0, 10, 2, 1.0, 1, 0, false);
    DrawPattern(at200, Geometry(200), 1700, 0, 0, 10, 4, 1.0, 1, 0, false);
    ASSERT_FALSE(at100.operations.empty());
    EXPECT_EQ(Drawn(at100), Drawn(at200));
}

TEST(LinePatterns, TooSmallCellsDrawNothing) {
    RecordingSurface s;
    EXPECT_TRUE(DrawPattern(s, Geometry(), 300, 5, 1, 5.0005, 2, 1.0, 1, 0, false));
    EXPECT_TRUE(DrawPattern(s, Geometry(), 300, 5, 1, 10, 1.00005, 1.0, 1, 0, false));
    EXPECT_TRUE(s.operations.empty());
}

TEST(LinePatterns, ALayerThinnerThanARowShowsOneRowClippedToIt) {
    // 礫 in a 10 mm column needs 0.24 m for its first row of circles; the layer is 0.2 m.
    RecordingSurface s;
    const PageGeometry g = Geometry();
    EXPECT_TRUE(DrawPattern(s, g, 100, 0, 5.0, 10, 5.2, 1.0, 1, 0, false));
    const auto clips = s.OfKind(OperationKind::SetClip);
    ASSERT_FALSE(clips.empty());
    const Rect cell{MmToX(g, 0), DepthToY(g, 5.0), MmToX(g, 10), DepthToY(g, 5.2)};
    EXPECT_EQ(clips.back().rect, cell);
    int marks = 0;
    for (const auto& op : s.operations) {
        if (op.kind != OperationKind::Ellipse && op.kind != OperationKind::Arc) continue;
        ++marks;
        EXPECT_TRUE(op.clipped && op.clip == cell) << Describe(op);
    }
    EXPECT_GT(marks, 0);
}

// ---------------------------------------------------------------- the scattered-mark table

struct ScatteredRow {
    long number;
    bool staggered;
    double h, l, m, o, r;
    bool flag;
    int even, odd;
};

// The generator written out from its rules, drawing through the primitives.
void ExpectedScattered(RecordingSurface& s, const PageGeometry& g, const ScatteredRow& p, double x1, double y1,
                       double x2, double y2, double e) {
    const double w = x2 - x1;
    const double b = w * 0.1 / p.l, c = w / p.r * 0.1, ew = w / p.r;
    const double x = x1 - (1 - e) * w;
    int row = 0;
    for (double y = y1 + std::max(b, 2 * c); y < y2 - c; y += b * p.o, ++row) {
        const bool odd = p.staggered && row % 2 == 1;
        const double start = odd ? x + 1.8 * w / p.h : x + w / p.h;
        const int count = odd ? p.odd : p.even;
        for (int k = 0; k < count; ++k) {
            const double cx = start + k * (w / p.h) * p.m;
            if (cx <= x1) continue;
            if (p.flag) {
                DrawDiamondWithBar(s, g, cx, y, ew, c, 0, 1, 7);
                if (p.r <= 22) DrawCircle(s, g, cx, y, 0.8 * c, 0, 1, 7);
            } else if (p.r >= 20) {
                DrawDiamond(s, g, cx, y, ew, c, 0, 1, 7);
            } else {
                DrawCircle(s, g, cx, y, c, 0, 1, 7);
            }
        }
    }
}

TEST(ScatteredMarks, TableAndGeneratorAreExact) {
    const ScatteredRow table[] = {
        {200, false, 8, 8, 2, 2, 13, false, 4, 4},    {300, true, 6, 8, 2, 1, 24, true, 3, 2},
        {400, false, 8, 6, 2, 1, 24, true, 4, 4},     {1400, true, 10.5, 6, 2, 1, 26, true, 5, 5},
        {3300, true, 6, 8, 2, 2, 10, false, 3, 2},    {3400, true, 6.5, 8, 2, 2, 11, false, 3, 3},
        {3500, true, 8.5, 8, 2, 2, 13, false, 4, 4},  {3600, true, 6.5, 8, 2, 2, 20, true, 3, 3},
        {3800, true, 8.5, 6, 2, 1, 22, true, 4, 4},   {4400, false, 7, 12, 1, 2, 26, true, 6, 6},
        {4500, true, 8, 8, 2, 2, 26, true, 4, 3},     {20100, true, 6, 4, 2, 1, 10, false, 3, 2},
    };
    const PageGeometry g = Geometry();
    for (const auto& row : table) {
        for (double e : {1.0, 0.6}) {
            SCOPED_TRACE(testing::Message() << "pattern " << row.number << " share " << e);
            const auto marks = ScatteredMarksOf(row.number);
            ASSERT_TRUE(marks.has_value());
            EXPECT_EQ(marks->staggered, row.staggered);
            EXPECT_EQ(marks->shapeFlag, row.flag);
            EXPECT_EQ(marks->evenCount, row.even);
            EXPECT_EQ(marks->oddCount, row.odd);
            RecordingSurface actual, expected;
            DrawPattern(actual, g, row.number, 12, 0.5, 24, 2.5, e, 1, 7, false);
            ExpectedScattered(expected, Fixed(g), row, 12, 0.5, 24, 2.5, e);
            ASSERT_FALSE(expected.operations.empty());
            EXPECT_EQ(Drawn(actual), Drawn(expected));
        }
    }
}

// ---------------------------------------------------------------- the two worked examples

TEST(WorkedExamples, Pattern1DrawsDiagonalChainsOfCircles) {
    const PageGeometry g = Geometry();
    for (bool variant : {false, true}) {
        SCOPED_TRACE(variant);
        const double x1 = 10, x2 = 22, y1 = 1.0, y2 = 4.0, w = x2 - x1;
        RecordingSurface actual, expected;
        ASSERT_TRUE(DrawPattern(actual, g, 1, x1, y1, x2, y2, 1.0, 2, 9, variant));
        const double r = w / 130, dy = w / 60;
        int circles = 0;
        for (double chain = y1 + (variant ? 4.25 : 0.5) * dy; chain <= y2 - r; chain += 0.13 * w)
            for (int k = 0; k < 6; ++k) {
                const double cy = chain + k * dy;
                if (cy > y2 - r) break;
                DrawCircle(expected, Fixed(g), x2 - w / 12 - k * w / 6, cy, r, 0, 2, 9);
                ++circles;
            }
        ASSERT_GT(circles, 6);
        EXPECT_EQ(Drawn(actual), Drawn(expected));
        // The first circle: W/12 left of the right edge, radius W/13 mm on paper.
        const auto first = actual.OfKind(OperationKind::Arc).front();
        EXPECT_EQ((first.rect.left + first.rect.right) / 2, MmToX(g, x2 - w / 12));
        EXPECT_NEAR(first.rect.Width() / 2.0, w / 13 * 10, 1);
    }
}

TEST(WorkedExamples, Pattern2100DrawsRowsOfThreeAndTwoPlusSigns) {
    const PageGeometry g = Geometry(200);  // the marks ignore the depth scale
    const double x1 = 5, x2 = 17, y1 = 2.0, y2 = 5.0, w = x2 - x1;
    RecordingSurface actual, expected;
    ASSERT_TRUE(DrawPattern(actual, g, 2100, x1, y1, x2, y2, 1.0, 1, 0xff, false));
    // At 1/200 the cell's top and bottom re-expressed at 1/100.
    const double t = y1 / 2, b = y2 / 2;
    int row = 0, signs = 0;
    for (double top = t + w * 0.00625; top + w / 75 <= b; top += w * 0.025, ++row) {
        const std::vector<double> at = row % 2 == 0 ? std::vector<double>{w / 6, w / 2, 5 * w / 6}
                                                    : std::vector<double>{w / 3, 2 * w / 3};
        for (double dx : at) {
            DrawLine(expected, Fixed(g), x1 + dx, top, x1 + dx, top + w / 75, 0, 1, 0xff);
            DrawLine(expected, Fixed(g), x1 + dx - w / 15, top + w / 150, x1 + dx + w / 15, top + w / 150, 0, 1, 0xff);
            ++signs;
        }
    }
    ASSERT_GT(row, 4);
    EXPECT_EQ(Drawn(actual), Drawn(expected));

    // With the grid shifted left by a share, signs whose crossing stroke would start left of
    // the sub-cell are skipped.
    RecordingSurface shifted;
    DrawPattern(shifted, g, 2100, x1, y1, x2, y2, 0.8, 1, 0xff, false);
    EXPECT_LT(shifted.OfKind(OperationKind::Line).size(), actual.OfKind(OperationKind::Line).size());
    for (const auto& op : shifted.OfKind(OperationKind::Line))
        EXPECT_GE(std::min(op.points[0].x, op.points[1].x), MmToX(g, x1));
}

// ---------------------------------------------------------------- settings

TEST(PatternSettings, ComeFromTheSystemSettings) {
    app::SystemSettings s;
    s.PatternSetting46 = 2;
    s.PatternSetting47 = 1;
    s.PatternSetting48 = 2;
    s.PatternSetting49 = 1;
    s.PatternSetting51 = 1;
    s.RuleLineWidth = 3;
    const PatternSettings p = PatternSettingsFrom(s, "/inst/Sbptn");
    EXPECT_EQ(p.mode, 2);
    EXPECT_TRUE(p.blackMode);
    EXPECT_EQ(p.lineWidth, 3);
    EXPECT_TRUE(p.overlayOption);
    EXPECT_EQ(p.ruleLineWidth, 3);
    EXPECT_EQ(p.bitmapFolder, "/inst/Sbptn01");
    EXPECT_EQ(PatternLineWidth(0), 1);
    EXPECT_EQ(PatternLineWidth(-4), 1);
}

TEST(PatternSettings, ShareText) {
    const std::pair<const char*, int> cases[] = {{"", 100}, {"  ", 100}, {"30", 30}, {"100", 100},
                                                 {"0", 50},  {"101", 50}, {"-5", 50},  {"abc", 50}};
    for (const auto& [text, share] : cases) EXPECT_EQ(PatternShareFromText(text), share) << "'" << text << "'";
}

TEST(PatternSettings, ColourFromTheTableOrBlack) {
    const geology::PatternColours table = geology::BuiltInPatternColours();
    EXPECT_EQ(PatternColour(table, 2100, false), 0x0000ffu);
    EXPECT_EQ(PatternColour(table, 2100, true), 0u);
    EXPECT_EQ(PatternColour(table, 3700, false), 0u);  // not in the table: black
}

// ---------------------------------------------------------------- one layer cell

// A cell from 0 to 3 m, 10 to 22 mm across, on a page showing 0 to 10 m.
PatternCell Cell(double top = 0, double bottom = 3, double pageStart = 0, double pageEnd = 10) {
    return PatternCell{10, 22, top, bottom, pageStart, pageEnd};
}

const geology::PatternColours kDistinct = Colours({{2100, 0x000011}, {10, 0x000022}, {3, 0x000033}, {300, 0x000044},
                                                   {1300, 0x000055}, {4400, 0x000066}, {4300, 0x000077},
                                                   {10001, 0x000088}, {10091, 0x000099}});

// The pattern strokes only: the ruled split lines are black and of the rule width.
std::vector<std::string> PatternStrokes(const RecordingSurface& s) {
    std::vector<std::string> out;
    for (const auto& op : s.operations)
        if ((op.kind == OperationKind::Line || op.kind == OperationKind::Arc) && op.pen.colour != 0)
            out.push_back(Describe(op));
    return out;
}

TEST(LayerPatterns, Pattern2113DrawsMainThenQualityThenMixture) {
    const PageGeometry g = Geometry();
    for (bool option : {false, true}) {
        SCOPED_TRACE(option);
        PatternSettings settings;
        settings.overlayOption = option;
        LayerPatterns layer;
        layer.line = 2113;
        RecordingSurface actual, expected;
        EXPECT_TRUE(DrawLayerPatterns(actual, g, kDistinct, settings, layer, Cell()));
        // The 質 part sets the variant flag unless the 混じり／質 option is on.
        const bool variant = !option;
        DrawPattern(expected, g, 2100, 10, 0, 22, 3, 1.0, 1, 0x11, variant);
        DrawPattern(expected, g, 10, 10, 0, 22, 3, 1.0, 1, 0x22, variant);
        DrawPattern(expected, g, 3, 10, 0, 22, 3, 1.0, 1, 0x33, variant);
        ASSERT_FALSE(expected.operations.empty());
        EXPECT_EQ(PatternStrokes(actual), Drawn(expected));
    }
}

TEST(LayerPatterns, MixtureMarksMoveAwayFromQualityMarks) {
    const PageGeometry g = Geometry();
    RecordingSurface plain, variant;
    DrawPattern(plain, g, 3, 10, 0, 22, 3, 1.0, 1, 1, false);
    DrawPattern(variant, g, 3, 10, 0, 22, 3, 1.0, 1, 1, true);
    RecordingSurface quality;
    DrawPattern(quality, g, 10, 10, 0, 22, 3, 1.0, 1, 1, true);
    auto firstY = [](const RecordingSurface& s) { return s.OfKind(OperationKind::Line).front().points[0].y; };
    EXPECT_GT(firstY(variant), firstY(plain));
    // Without the variant flag the 混じり marks start on the 質 marks' rows; with it, between them.
    EXPECT_NEAR(firstY(plain), firstY(quality), 2);
    EXPECT_GT(std::abs(firstY(variant) - firstY(quality)), 20);
}

TEST(LayerPatterns, WholeNumbersOfThe10000RangeDrawOnlyThemselves) {
    const PageGeometry g = Geometry();
    PatternSettings settings;
    LayerPatterns layer;
    // 10050 has no line pattern of its own: it draws nothing, not 10000 and not the 50 overlay.
    layer.line = 10050;
    RecordingSurface none;
    EXPECT_TRUE(DrawLayerPatterns(none, g, kDistinct, settings, layer, Cell()));
    EXPECT_TRUE(PatternStrokes(none).empty());
    // 10091 is drawn as a whole, without its tens and units as overlays.
    layer.line = 10091;
    RecordingSurface actual, expected;
    DrawLayerPatterns(actual, g, kDistinct, settings, layer, Cell());
    DrawPattern(expected, g, 10091, 10, 0, 22, 3, 1.0, 1, 0x99, false);
    EXPECT_EQ(PatternStrokes(actual), Drawn(expected));
}

TEST(LayerPatterns, BlackModeDrawsBlackAndLineThicknessSetsThePen) {
    const PageGeometry g = Geometry();
    app::SystemSettings system;
    system.PatternSetting48 = 2;  // 線太さ "3"
    LayerPatterns layer;
    layer.line = 2113;
    for (int black : {0, 1}) {
        SCOPED_TRACE(black);
        system.PatternSetting47 = black;
        const PatternSettings settings = PatternSettingsFrom(system, "");
        RecordingSurface s;
        DrawLayerPatterns(s, g, geology::BuiltInPatternColours(), settings, layer, Cell());
        std::set<Colour> colours;
        int strokes = 0;
        for (const auto& op : s.operations) {
            if (op.kind != OperationKind::Line && op.kind != OperationKind::Arc) continue;
            if (op.pen.width == system.RuleLineWidth && op.points[0].x == op.points[1].x &&
                op.points[0].x == MmToX(g, 10))
                continue;  // the ruled line at the cell's left edge
            EXPECT_EQ(op.pen.width, 3);
            colours.insert(op.pen.colour);
            ++strokes;
        }
        ASSERT_GT(strokes, 20);
        if (black) EXPECT_EQ(colours, std::set<Colour>{0});
        else EXPECT_EQ(colours, (std::set<Colour>{0x0000ff, 0x4080ff}));
    }
}

TEST(LayerPatterns, TwoPatternsShareTheCellWithARuledLineAtTheSplit) {
    const PageGeometry g = Geometry();
    PatternSettings settings;
    settings.ruleLineWidth = 2;
    struct Case {
        int share;
        double splitMm;
    };
    // A share of 100 would hide the second pattern: two patterns then split in the middle.
    for (const Case c : {Case{30, 10 + 0.3 * 12}, Case{50, 16}, Case{100, 16}}) {
        SCOPED_TRACE(c.share);
        LayerPatterns layer;
        layer.line = 300;
        layer.secondLine = 1300;
        layer.sharePercent = c.share;
        RecordingSurface s;
        DrawLayerPatterns(s, g, kDistinct, settings, layer, Cell());
        const int split = MmToX(g, c.splitMm);
        int first = 0, second = 0;
        std::vector<int> rules;
        for (const auto& op : s.OfKind(OperationKind::Line)) {
            if (op.pen.colour == 0x44) {
                ++first;
                EXPECT_LE(std::max(op.points[0].x, op.points[1].x), split);
            } else if (op.pen.colour == 0x55) {
                ++second;
                EXPECT_GE(std::min(op.points[0].x, op.points[1].x), split);
            } else if (op.pen.width == 2) {
                rules.push_back(op.points[0].x);
                EXPECT_EQ(op.points[0].y, DepthToY(g, 0));
                EXPECT_EQ(op.points[1].y, DepthToY(g, 3));
            }
        }
        EXPECT_GT(first, 0);
        EXPECT_GT(second, 0);
        EXPECT_EQ(rules, (std::vector<int>{MmToX(g, 10), split}));
    }
}

TEST(LayerPatterns, SplitPatternDrawsBothRocksSideBySide) {
    const PageGeometry g = Geometry();
    PatternSettings settings;
    LayerPatterns layer;
    layer.line = 94443;  // sandstone 4400 beside mudstone 4300
    layer.sharePercent = 49;
    RecordingSurface actual, expected;
    DrawLayerPatterns(actual, g, kDistinct, settings, layer, Cell());
    const double split = 10 + 0.49 * 12;
    DrawPattern(expected, g, 4400, 10, 0, split, 3, 1.0, 1, 0x66, false);
    DrawPattern(expected, g, 4300, split, 0, 22, 3, 1.0, 1, 0x77, false);
    EXPECT_EQ(PatternStrokes(actual), Drawn(expected));
}

TEST(LayerPatterns, ClipsToTheCellWithinThePageWindow) {
    const PageGeometry g = Geometry();
    PatternSettings settings;
    LayerPatterns layer;
    layer.line = 300;
    RecordingSurface s;
    // A layer from 1 to 8 m on the page from 2 to 6 m.
    DrawLayerPatterns(s, g, kDistinct, settings, layer, Cell(1, 8, 2, 6));
    const auto clips = s.OfKind(OperationKind::SetClip);
    ASSERT_FALSE(clips.empty());
    EXPECT_EQ(clips.front().rect, (Rect{MmToX(g, 10), DepthToY(g, 2.02), MmToX(g, 22), DepthToY(g, 6)}));
    EXPECT_EQ(s.operations.back().kind, OperationKind::ClearClip);
    // The marks are laid out from the layer's top, not from the page's.
    RecordingSurface whole;
    DrawPattern(whole, g, 300, 10, 1, 22, 8, 1.0, 1, 0x44, false);
    EXPECT_EQ(PatternStrokes(s), Drawn(whole));
}

TEST(LayerPatterns, LayerOffThePageDrawsNothingButHasItsPattern) {
    PatternSettings settings;
    LayerPatterns layer;
    layer.line = 300;
    RecordingSurface s;
    EXPECT_TRUE(DrawLayerPatterns(s, Geometry(), kDistinct, settings, layer, Cell(12, 15, 0, 10)));
    EXPECT_TRUE(PatternStrokes(s).empty());
}

TEST(LayerPatterns, AskingOnlyDrawsNothing) {
    PatternSettings settings;
    LayerPatterns layer;
    layer.line = 300;
    RecordingSurface s;
    EXPECT_TRUE(DrawLayerPatterns(s, Geometry(), kDistinct, settings, layer, Cell(), {}, false));
    EXPECT_TRUE(s.operations.empty());
    layer.line = 0;
    EXPECT_FALSE(DrawLayerPatterns(s, Geometry(), kDistinct, settings, layer, Cell(), {}, false));
    // Bitmaps only: the line pattern does not count.
    settings.mode = 3;
    layer.line = 300;
    EXPECT_FALSE(DrawLayerPatterns(s, Geometry(), kDistinct, settings, layer, Cell(), {}, false));
}

// ---------------------------------------------------------------- layer rows of the record

void SetLayer(borehole::BoreholeRecord& r, int row, const char* bottom, const char* name, const char* code,
              const char* share = "") {
    auto& t = r.Table(borehole::TableId::Layer);
    t.SetCell(row, 0, bottom);
    t.SetCell(row, 1, name);
    t.SetCell(row, 4, code);
    t.SetCell(row, 8, share);
}

TEST(LayerRows, NumbersComeFromTheCodesNamesAndShare) {
    borehole::BoreholeRecord r;
    SetLayer(r, 1, "1.0", "砂", "2113.1", "30");
    r.Table(borehole::TableId::Layer).SetCell(1, 2, "粘土");
    r.Table(borehole::TableId::Layer).SetCell(1, 5, "1300.2");
    const LayerPatterns p = LayerPatternsOf(r, 1, geology::BuiltInNameTable(1));
    EXPECT_EQ(p.line, 2113);
    EXPECT_EQ(p.secondLine, 1300);
    EXPECT_EQ(p.bitmap, 300);
    EXPECT_EQ(p.secondBitmap, 1300);
    EXPECT_EQ(p.sharePercent, 30);
}

TEST(LayerRows, SpecialPatternIsDrawnOnceOverTheRunOfItsName) {
    const PageGeometry g = Geometry();
    borehole::BoreholeRecord r;
    SetLayer(r, 1, "1.0", "埋土", "10001.0");
    SetLayer(r, 2, "2.5", "埋土", "10001.0");
    SetLayer(r, 3, "4.0", "砂", "300.1");
    SetLayer(r, 4, "5.0", "埋土", "10001.0");

    const SpecialRun run1 = SpecialRunOf(r, 1);
    EXPECT_TRUE(run1.first);
    EXPECT_DOUBLE_EQ(run1.runBottomM, 2.5);
    EXPECT_FALSE(SpecialRunOf(r, 2).first);
    EXPECT_TRUE(SpecialRunOf(r, 4).first);
    EXPECT_DOUBLE_EQ(SpecialRunOf(r, 4).runBottomM, 5.0);

    PatternSettings settings;
    const auto bitmaps = geology::BuiltInNameTable(1);
    RecordingSurface first, second;
    EXPECT_TRUE(DrawLayerPatterns(first, g, kDistinct, settings, r, 1, bitmaps, Cell(0, 1)));
    EXPECT_TRUE(DrawLayerPatterns(second, g, kDistinct, settings, r, 2, bitmaps, Cell(1, 2.5)));
    RecordingSurface expected;
    DrawPattern(expected, g, 10001, 10, 0, 22, 2.5, 1.0, 1, 0x88, false);
    EXPECT_EQ(PatternStrokes(first), Drawn(expected));
    EXPECT_TRUE(PatternStrokes(second).empty());
    // The first layer's drawing reaches down to the end of the run.
    EXPECT_EQ(first.OfKind(OperationKind::SetClip).front().rect.bottom, DepthToY(g, 2.5));
}

TEST(LayerRows, SpecialPatternWithASecondPatternCoversItsShare) {
    const PageGeometry g = Geometry();
    PatternSettings settings;
    LayerPatterns layer;
    layer.line = 10001;
    layer.secondLine = 300;
    layer.sharePercent = 25;
    RecordingSurface s;
    SpecialRun run{true, 3};
    DrawLayerPatterns(s, g, kDistinct, settings, layer, Cell(), run);
    const int split = MmToX(g, 13);
    int special = 0, sand = 0;
    for (const auto& op : s.OfKind(OperationKind::Line)) {
        if (op.pen.colour == 0x88) {
            ++special;
            EXPECT_LE(std::max(op.points[0].x, op.points[1].x), split);
        }
        if (op.pen.colour == 0x44) {
            ++sand;
            EXPECT_GE(std::min(op.points[0].x, op.points[1].x), split);
        }
    }
    EXPECT_GT(special, 0);
    EXPECT_GT(sand, 0);
}

}  // namespace
