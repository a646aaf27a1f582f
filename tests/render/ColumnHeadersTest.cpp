#include "render/ColumnHeaders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/PatternColours.h"
#include "render/ColumnFramework.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "style/BuiltInStyles.h"
#include "style/LogStyle.h"
#include "style/StyleApplication.h"
#include "style/TitleForm.h"

#include <cmath>
#include <limits>

using namespace stracol;
using namespace stracol::render;

namespace {

TEST(HeaderGeometry, RowLinesAndPositions) {
    // H = -4.0 m: 12 rows of 1/3 m; line 1 the band's top, line 13 the top of the depth area.
    EXPECT_DOUBLE_EQ(HeaderRowLine(-4.0, 1), -4.0);
    EXPECT_DOUBLE_EQ(HeaderRowLine(-4.0, 7), -2.0);
    EXPECT_NEAR(HeaderRowLine(-4.0, 13), 0.0, 1e-12);
    EXPECT_NEAR(HeaderPosition(-4.0, 3.5), -4.0 + 2.5 / 3.0, 1e-12);
    EXPECT_NEAR(HeaderPosition(-4.0, 12), -1.0 / 3.0, 1e-12);
    EXPECT_NEAR(HeaderPosition(-6.0, 2.25), -6.0 + 1.25 * 0.5, 1e-12);
}

TEST(HeaderGeometry, GroupBandLineBySettings) {
    app::SystemSettings settings;
    settings.GroupTitleRows = 2;
    settings.LoggingRows = 4;
    EXPECT_EQ(GroupBandLine(3100, settings), 3);
    EXPECT_EQ(GroupBandLine(3800, settings), 3);
    EXPECT_EQ(GroupBandLine(3500, settings), 5);
    settings.GroupTitleRows = 20;
    EXPECT_EQ(GroupBandLine(3300, settings), 13);
    // Extreme numbers of a hand-edited settings file stay inside the band.
    settings.GroupTitleRows = std::numeric_limits<int>::max();
    settings.LoggingRows = std::numeric_limits<int>::min();
    EXPECT_EQ(GroupBandLine(3300, settings), 13);
    EXPECT_EQ(GroupBandLine(3500, settings), 1);
}

TEST(HeaderGeometry, HeaderPositionsFarOutsideTheBandAreHeldNearIt) {
    for (double p : {-1e308, 1e308, std::numeric_limits<double>::infinity(), std::numeric_limits<double>::quiet_NaN()}) {
        const double y = HeaderPosition(-4.0, p);
        EXPECT_TRUE(std::isfinite(y)) << p;
        EXPECT_GE(y, HeaderPosition(-4.0, -1000)) << p;
        EXPECT_LE(y, HeaderPosition(-4.0, 1000)) << p;
    }
    EXPECT_DOUBLE_EQ(HeaderPosition(-4.0, 1e308), HeaderPosition(-4.0, 1000));
    EXPECT_DOUBLE_EQ(HeaderPosition(-4.0, -1e308), HeaderPosition(-4.0, -1000));
}

TEST(HeaderGeometry, NFullScaleBySetting) {
    app::SystemSettings settings;
    const int expected[] = {50, 60, 100, 50};
    for (int v = 0; v < 4; ++v) {
        settings.NMaxBlows = v;
        EXPECT_EQ(NFullScale(settings), expected[v]) << v;
    }
}

// 254 dpi, no margins, title block 11 m at 1/100: 1 mm is 10 px, 1 m of title height 100 px.
class ColumnHeadersTest : public ::testing::Test {
protected:
    ColumnHeadersTest() : surface(254, 254) {
        settings.LeftMargin = 0;
        settings.TopMargin = 0;
        settings.OuterFrameWidth = 3;
        settings.RuleLineWidth = 1;
        form.ApplyDefaults();
        g.depthOnlyScaled = true;
        g.titleHeight = 11.0;
        StartPaint(g, surface, settings, 0);
        UseTitleScale(g);
    }

    void SetItems(const std::vector<std::string>& lines) {
        for (auto& item : style.items) item.Clear();
        for (std::size_t i = 0; i < lines.size(); ++i) style.items[i] = style::DisplayItem::FromLine(lines[i]);
    }
    void UseBuiltInStyle(int number) { style::ApplyStyleText(style, style::BuiltInStyleLines(number)); }

    LogContext Context() {
        LogContext ctx{surface, g, settings, fonts, style, form, record, colours, nullptr, {}, {}, {}, {}, {}, 0.0, 0.0, 0, 0, 0, nullptr, {}};
        ctx.columns = ColumnEdges(style);
        return ctx;
    }

    int X(double mm) const { return MmToX(g, mm); }
    int Y(double m) const { return DepthToY(g, m); }
    int Line(int k) const { return Y(HeaderRowLine(-4.0, k)); }

    bool HasVertical(int x, int y1, int y2) const {
        for (const auto& op : surface.OfKind(OperationKind::Line))
            if (op.points[0] == Point{x, y1} && op.points[1] == Point{x, y2}) return true;
        return false;
    }
    bool HasHorizontal(int x1, int x2, int y) const {
        for (const auto& op : surface.OfKind(OperationKind::Line))
            if (op.points[0] == Point{x1, y} && op.points[1] == Point{x2, y}) return true;
        return false;
    }
    std::vector<RecordedOperation> BoxesNamed(const std::string& text) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : surface.OfKind(OperationKind::TextBox))
            if (op.text == text) out.push_back(op);
        return out;
    }
    std::vector<RecordedOperation> TextsNamed(const std::string& text) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : surface.operations)
            if ((op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) && op.text == text)
                out.push_back(op);
        return out;
    }

    RecordingSurface surface;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm form;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
};

TEST_F(ColumnHeadersTest, FixedOrderFirstThenTheOtherItemsThen3104) {
    SetItems({
        "3104 標準貫入>打撃/mm,24,打撃ごとの貫入量,14,3.2,12,,,,,,,,,,,,,99_,2  HC_Btm,0",
        "1024 記事,30,記事,14,1,12,,,,,,,,,,,,,99_,21 Wb_Top,0",
        "3300 【試料採取】,0,試料採取,2,2,2,,,,,,,,,,,,,99_,99,3",
        "1001 標尺,5,標尺,14,1,7,,,,,,,,,,,,,99_,3  HR_Btm,0",
        "1003 深度,8,深度,14,1,7,,,,,,,,,,,,,99_,2  HC_Btm,0",
        "3100 【標準貫入試験】,0,標準貫入試験,2,2,2,,,,,,,,,,,,,99_,99,4",
        "3101 標準貫入>図,50,深度-N値,2,5,5,,,,,,,,,,,,,99_,99 Auto,0",
        "1043 室内試験(記事),7,室内試験,14,1,12,,,,,,,,,,,,,99_,21 Wb_Top,0",
    });
    LogContext ctx = Context();
    EXPECT_EQ(HeaderDrawingOrder(style, ctx.columns), (std::vector<int>{4, 5, 2, 6, 7, 3, 8, 1}));

    // The drawing follows that order.
    DrawColumnHeaders(ctx, false);
    std::vector<std::string> firstTexts;
    for (const auto& op : surface.operations)
        if ((op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) &&
            (op.text == "標" || op.text == "深" || op.text == "記" || op.text == "標準貫入試験" ||
             op.text == "深度-N値" || op.text == "試料採取" || op.text == "室" || op.text == "打"))
            if (std::find(firstTexts.begin(), firstTexts.end(), op.text) == firstTexts.end())
                firstTexts.push_back(op.text);
    EXPECT_EQ(firstTexts,
              (std::vector<std::string>{"標", "深", "記", "標準貫入試験", "深度-N値", "試料採取", "室", "打"}));
}

TEST_F(ColumnHeadersTest, ItemsBehindAColumnWithoutWidthGetNoHeader) {
    SetItems({
        "1001 標尺,5,標尺,2,1,7,,,,,,,,,,,,,99_,3  HR_Btm,0",
        "1002 標高,,標高,2,1,7,,,,,,,,,,,,,99_,2  HC_Btm,0",
        "1003 深度,8,深度,2,1,7,,,,,,,,,,,,,99_,2  HC_Btm,0",
    });
    LogContext ctx = Context();
    DrawColumnHeaders(ctx, false);
    EXPECT_EQ(TextsNamed("標尺").size(), 1u);
    EXPECT_TRUE(TextsNamed("標高").empty());
    EXPECT_TRUE(TextsNamed("深度").empty());
}

TEST_F(ColumnHeadersTest, FrameAndGroupBandsOfTheStandardPenetrationStyle) {
    UseBuiltInStyle(3);
    LogContext ctx = Context();
    DrawHeaderFrame(ctx);
    const ColumnLayout& c = ctx.columns;
    const int top = Y(-4.0);
    const int bottom = Y(0.0);
    const int band = Line(3);  // GroupTitleRows 2 + 1
    auto slotOf = [&](int code) { return ColumnSlot(style, code); };
    auto left = [&](int code) { return X(c.edges[slotOf(code) - 1]); };
    auto right = [&](int code) { return X(c.edges[slotOf(code)]); };

    // Outer lines with the outer width: top and both sides; the bottom with the ruled width.
    for (const auto& op : surface.OfKind(OperationKind::Line)) {
        if (op.points[0].y == top && op.points[1].y == top) {
            EXPECT_EQ(op.pen.width, 3);
        }
        if (op.points[0].y == bottom && op.points[1].y == bottom) {
            EXPECT_EQ(op.pen.width, 1);
        }
    }
    EXPECT_TRUE(HasVertical(X(5.0), top, bottom));
    EXPECT_TRUE(HasVertical(X(c.edges[static_cast<std::size_t>(c.count)]), top, bottom));

    // Group 3100 spans 3101, 3102, 3103, 3104, 3108, 3109: a band line over each member, the
    // separators inside the group start at the band, the last one at the header top.
    for (int code : {3101, 3102, 3103, 3104, 3108, 3109}) {
        EXPECT_TRUE(HasHorizontal(left(code), right(code), band)) << code;
        if (code != 3109) {
            EXPECT_TRUE(HasVertical(right(code), band, bottom)) << code;
        }
    }
    EXPECT_TRUE(HasVertical(right(3109), top, bottom));
    // The separator before the group (at the group header's zero-width column) is full height.
    EXPECT_TRUE(HasVertical(left(3101), top, bottom));
    // Group 3300 spans 3301, 3302, 3303; 1043 after it is no member.
    for (int code : {3301, 3302}) EXPECT_TRUE(HasVertical(right(code), band, bottom)) << code;
    EXPECT_TRUE(HasVertical(right(3303), top, bottom));
    EXPECT_FALSE(HasHorizontal(left(1043), right(1043), band));
    // An item outside groups: full-height separator, no band.
    EXPECT_TRUE(HasVertical(right(1024), top, bottom));
    EXPECT_FALSE(HasHorizontal(left(1024), right(1024), band));

    // 3104: its own band over three quarters, quarter lines down from it, the three-quarter
    // line from the group band down.
    const double xl = c.edges[slotOf(3104) - 1];
    const double w = c.edges[slotOf(3104)] - xl;
    const int own = Line(k3104BandLine);
    EXPECT_TRUE(HasHorizontal(X(xl), X(xl + 0.75 * w), own));
    EXPECT_TRUE(HasVertical(X(xl + 0.25 * w), own, bottom));
    EXPECT_TRUE(HasVertical(X(xl + 0.5 * w), own, bottom));
    EXPECT_TRUE(HasVertical(X(xl + 0.75 * w), band, bottom));
}

TEST_F(ColumnHeadersTest, GroupTitleSpansItsMembers) {
    UseBuiltInStyle(3);
    LogContext ctx = Context();
    DrawColumnHeaders(ctx, false);
    auto boxes = TextsNamed("標準貫入試験");
    ASSERT_EQ(boxes.size(), 1u);
    const int first = ColumnSlot(style, 3100);
    const int last = ColumnSlot(style, 3109);
    EXPECT_EQ(boxes[0].rect.left, X(ctx.columns.edges[static_cast<std::size_t>(first - 1)]) + 1);
    EXPECT_EQ(boxes[0].rect.right, X(ctx.columns.edges[static_cast<std::size_t>(last)]) - 1);
    // Top and bottom position 2: one line centred on row line 2.
    EXPECT_EQ((boxes[0].rect.top + boxes[0].rect.bottom) / 2, Line(2));
}

TEST_F(ColumnHeadersTest, BlowCountHeaderHasItsSubColumnRanges) {
    UseBuiltInStyle(3);
    LogContext ctx = Context();
    DrawColumnHeaders(ctx, false);
    const int slot = ColumnSlot(style, 3104);
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double w = ctx.columns.edges[static_cast<std::size_t>(slot)] - xl;
    EXPECT_EQ(BoxesNamed("0").size(), 1u);
    EXPECT_EQ(BoxesNamed("100").size(), 2u);
    EXPECT_EQ(BoxesNamed("200").size(), 2u);
    EXPECT_EQ(BoxesNamed("300").size(), 1u);
    // "0" over "100" in the first sub-column, "200" over "300" in the third.
    auto zero = BoxesNamed("0")[0];
    EXPECT_EQ(zero.rect.left, X(xl) + 1);
    EXPECT_EQ(zero.rect.right, X(xl + 0.25 * w) - 1);
    auto three = BoxesNamed("300")[0];
    EXPECT_EQ(three.rect.left, X(xl + 0.5 * w) + 1);
    EXPECT_GT(three.rect.top, BoxesNamed("200")[1].rect.top);
    // The two header lines are spread across the first three quarters, one character at a time.
    EXPECT_FALSE(TextsNamed("ご").empty());
    EXPECT_FALSE(TextsNamed("回").empty());
    // The vertical header "打撃ごとの貫入量" stands in the last quarter.
    auto da = TextsNamed("打");
    EXPECT_TRUE(std::any_of(da.begin(), da.end(), [&](const RecordedOperation& op) {
        return op.points[0].x > X(xl + 0.75 * w);
    }));
}

struct PlacementCase {
    int code;
    bool normalPass;
    bool rotatedPass;
};

TEST_F(ColumnHeadersTest, HeaderTextByPlacementCode) {
    const PlacementCase cases[] = {
        {1, true, false}, {2, true, false}, {3, true, false}, {4, true, false},  {11, true, false},
        {12, true, false}, {13, true, false}, {14, true, false}, {99, true, false}, {31, false, true},
        {-1, false, false}, {5, false, false}, {21, false, false},
    };
    for (const PlacementCase& c : cases) {
        SetItems({"1024 記事,20,AB," + std::to_string(c.code) + ",3,9,,,,,,,,,,,,,99_,21 Wb_Top,0"});
        for (bool rotated : {false, true}) {
            surface.operations.clear();
            LogContext ctx = Context();
            DrawColumnHeaders(ctx, rotated);
            bool drawn = false;
            for (const auto& op : surface.operations)
                if ((op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) && !op.text.empty()) {
                    drawn = true;
                    EXPECT_EQ(op.font.escapement, rotated ? 2700 : 0) << c.code;
                }
            EXPECT_EQ(drawn, rotated ? c.rotatedPass : c.normalPass) << "code " << c.code << " rotated " << rotated;
        }
    }
}

TEST_F(ColumnHeadersTest, HeaderTextPositions) {
    // Column 5 … 25 mm; positions 3 and 9 are the row lines 3 and 9.
    SetItems({"1024 記事,20,AB,1,3,9,AB,3,3,9,AB,2,3,9,,,,,99_,21 Wb_Top,0"});
    LogContext ctx = Context();
    DrawColumnHeaders(ctx, false);
    auto texts = surface.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].points[0], (Point{X(5.5), Line(3)}));  // 1: left, 0.5 mm inside
    EXPECT_EQ(texts[0].align.horizontal, HorizontalAlign::Left);
    EXPECT_EQ(texts[1].points[0], (Point{X(24.5), Line(3)}));  // 3: right, 0.5 mm inside
    EXPECT_EQ(texts[1].align.horizontal, HorizontalAlign::Right);
    auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 1u);  // 2: centred in the box of the positions
    EXPECT_EQ(boxes[0].rect, (Rect{X(5.0) + 1, Line(3) + 1, X(25.0) - 1, Line(9) - 1}));
}

TEST_F(ColumnHeadersTest, RotatedHeaderOf3104InEachOfItsFirstThreeSubColumns) {
    SetItems({"3104 標準貫入>打撃/mm,24,打撃,31,3,12,,,,,,,,,,,,,99_,2  HC_Btm,0"});
    LogContext ctx = Context();
    DrawColumnHeaders(ctx, true);
    auto texts = TextsNamed("打撃");
    ASSERT_EQ(texts.size(), 3u);
    for (const auto& t : texts) EXPECT_EQ(t.font.escapement, 2700);
    EXPECT_LT(texts[0].points[0].x, X(5.0 + 6.0));
    EXPECT_GT(texts[2].points[0].x, X(5.0 + 12.0));
    EXPECT_LT(texts[2].points[0].x, X(5.0 + 18.0));
}

TEST_F(ColumnHeadersTest, LegendRowNamedInAHeader) {
    SetItems({"2302 採取率コア長RQD 図,20,@B@6,4,3,10,,,,,,,,,,,,,99_,99 Auto,0"});
    style.legends[1] = style::LegendRow::FromLine("　コア採取率 %　,:凡例25%75%採取率,,,,,,,,@6");
    LogContext ctx = Context();
    DrawColumnHeaders(ctx, false);
    // No "@B@6" text; the plain cell's text (too crowded to spread) one run fitted into the
    // column, the scale cell a line from 25 % to 75 % labelled.
    EXPECT_TRUE(TextsNamed("@B@6").empty());
    EXPECT_TRUE(TextsNamed("コ").empty());
    const auto plain = TextsNamed("　コア採取率 %　");
    ASSERT_EQ(plain.size(), 1u);
    EXPECT_GE(plain[0].covered.left, X(5.0));
    EXPECT_LE(plain[0].covered.right, X(25.0));
    EXPECT_EQ(TextsNamed("採取率").size(), 1u);
    bool scale = false;
    for (const auto& op : surface.OfKind(OperationKind::Line))
        if (op.points[0].x == X(5.0 + 5.0) && op.points[1].x == X(5.0 + 15.0) && op.points[0].y == op.points[1].y)
            scale = true;
    EXPECT_TRUE(scale);
}

struct ScaleCase {
    int nMaxBlows;
    std::vector<std::string> labels;
};

TEST_F(ColumnHeadersTest, GraphScaleLabelsAlongTheBottomLine) {
    SetItems({
        "3101 標準貫入>図,50,深度-N値,2,5,5,,,,,,,,,,,,,99_,99 Auto,0",
        "2301 採取率コア長 図,20,,,,,,,,,,,,,,,,,99_,99 Auto,0",
    });
    const ScaleCase cases[] = {
        {0, {" 0", "10", "20", "30", "40", "50"}},
        {1, {" 0", "10", "20", "30", "40", "50", "60"}},
        {2, {" 0", "20", "40", "60", "80", "100"}},
    };
    for (const ScaleCase& c : cases) {
        settings.NMaxBlows = c.nMaxBlows;
        surface.operations.clear();
        LogContext ctx = Context();
        DrawGraphScaleLabels(ctx);
        auto texts = surface.OfKind(OperationKind::Text);
        ASSERT_EQ(texts.size(), c.labels.size() + 6) << c.nMaxBlows;
        const int nMax = NFullScale(settings);
        // Every label on the bottom line, inside its column 5 … 55 mm, apart from the next one;
        // centred on its tick unless that would cross a column rule: the zero starts at the
        // left rule, the full scale ends at the right one.
        const std::size_t n = c.labels.size();
        for (std::size_t i = 0; i < n; ++i) {
            SCOPED_TRACE(c.labels[i]);
            const Rect& r = texts[i].covered;
            EXPECT_EQ(texts[i].text, c.labels[i]);
            EXPECT_EQ(r.bottom, Y(0.0));
            EXPECT_EQ(texts[i].font, texts[0].font);
            EXPECT_GE(r.left, X(5.0));
            EXPECT_LE(r.right, X(55.0));
            if (i + 1 < n) {
                EXPECT_LE(r.right, texts[i + 1].covered.left);
            }
            const int tick = X(5.0 + 50.0 * (static_cast<double>(i) * (nMax == 100 ? 20 : 10)) / nMax);
            if (i == 0) EXPECT_LE(r.left, X(5.0 + 0.5));
            else if (i + 1 == n) EXPECT_GE(r.right, X(55.0 - 0.5));
            else EXPECT_NEAR((r.left + r.right) / 2.0, tick, 1.0);
        }
        // 2301: 0 … 100 every 20 across its 20 mm, kept inside it (set smaller and narrower
        // to stand apart).
        EXPECT_EQ(texts[n].text, " 0");
        EXPECT_EQ(texts.back().text, "100");
        for (std::size_t i = n; i < texts.size(); ++i) {
            EXPECT_GE(texts[i].covered.left, X(55.0)) << texts[i].text;
            EXPECT_LE(texts[i].covered.right, X(75.0)) << texts[i].text;
            if (i + 1 < texts.size()) {
                EXPECT_LE(texts[i].covered.right, texts[i + 1].covered.left);
            }
        }
        EXPECT_GE(texts.back().covered.right, X(75.0 - 0.5));
    }
}

}  // namespace
