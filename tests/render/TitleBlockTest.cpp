#include "render/TitleBlock.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/PatternColours.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// ---- fixed text forms ----

struct DateCase {
    const char* era;
    const char* year;
    const char* month;
    const char* day;
    const char* expected;
};

TEST(TitleBlockText, DateTextByField) {
    const DateCase cases[] = {
        {"平成", "20", "7", "15", "平成20年7月15日"},
        {"", "2008", "07", "01", "2008年7月1日"},
        {"平成", "元", "4", "1", "平成元年4月1日"},       // a year that is no number
        {"", "0", "1", "1", "  年1月1日"},                // a year of 0 is not known: blank
        {"", "", "", "", "  年  月  日"},                  // empty fields: two blanks each
        {"令和", "3", "", "9", "令和3年  月9日"},          // empty month: two blanks before 月
        {"", "5", "0", "x", "5年  月 x日"},               // month 0 blank; a day that is no number: %2.2s
        {"", "0", "00", "0", "  年  月  日"},              // a survey date of zeros: nothing known
        {"", "5", "上旬", "", "5年上月  日"},              // %2.2s keeps two CP932 bytes
        {"", " 12 ", "  ", "3", "12年  月3日"},            // blanks around numbers, blank month
    };
    for (const DateCase& c : cases)
        EXPECT_EQ(DateText(c.era, c.year, c.month, c.day), c.expected) << c.year << "/" << c.month << "/" << c.day;
}

TEST(TitleBlockText, SurveyPeriodJoinsStartAndEnd) {
    borehole::BoreholeRecord record;
    record.SetHeading(6, "2008");
    record.SetHeading(7, "7");
    record.SetHeading(8, "15");
    record.SetHeading(9, "2008");
    record.SetHeading(10, "8");
    record.SetHeading(11, "");
    EXPECT_EQ(SurveyPeriodText(record), "2008年7月15日～2008年8月  日");
}

TEST(TitleBlockText, FixedForms) {
    EXPECT_EQ(LatLongText("36", "3", "47.5"), " 36ﾟ3'47.5\"");
    EXPECT_EQ(LatLongText("136", "12", "5"), "136ﾟ12'5\"");
    EXPECT_EQ(LatLongText("", "3", "4"), "　　゜　’　”");
    EXPECT_EQ(LengthText("12.3"), " 12.30 m");
    EXPECT_EQ(LengthText("123.456"), "123.46 m");
    EXPECT_EQ(LengthText("-1.5"), " -1.50 m");
    EXPECT_EQ(LengthText(""), "");
    EXPECT_EQ(LengthText("不明"), "");
    EXPECT_EQ(CollarElevationText("+12.347", false), " 12.35 m");
    EXPECT_EQ(CollarElevationText("+12.347", true), "+12.347 m");
    EXPECT_EQ(DialValueText("0.00"), "0ﾟ");
    EXPECT_EQ(DialValueText("90.0"), "90ﾟ");
    EXPECT_EQ(DialValueText("45"), "45ﾟ");
    EXPECT_EQ(DialValueText("12.5"), "12.5ﾟ");
    EXPECT_EQ(DialValueText("  "), "");
    EXPECT_EQ(RegistrationText("12345", "地質調査技士"), "地質調査技士 12345");
    EXPECT_EQ(RegistrationText("12345", "非表示"), "");
    EXPECT_EQ(RegistrationText("", "地質調査技士"), "");
}

TEST(TitleBlockText, FontHeightRoundsPoints) {
    EXPECT_EQ(FontHeightPx(10.0, 96), 13);   // 13.33
    EXPECT_EQ(FontHeightPx(7.0, 96), 9);     // 9.33
    EXPECT_EQ(FontHeightPx(9.0, 96), 12);
    EXPECT_EQ(FontHeightPx(10.0, 1200), 167);
}

// ---- drawing ----

// 254 dpi, no margins, depth-only scaling: 1 mm across is 10 px, 1 m of title height 100 px,
// and y = -11 m (the top of the title part) is pixel 0.
class TitleBlockDrawing : public ::testing::Test {
protected:
    TitleBlockDrawing() : surface(254, 254) {
        settings.LeftMargin = 0;
        settings.TopMargin = 0;
        settings.OuterFrameWidth = 3;
        settings.RuleLineWidth = 1;
        form.ApplyDefaults();
        g.depthOnlyScaled = true;
        g.titleHeight = 11.0;
        StartPaint(g, surface, settings, 0);
        UseTitleScale(g);
        style.titleLines[0] = "土質ボーリング柱状図";
        record.SetHeading(5, "No.1");
        record.SetHeading(6, "2008");
        record.SetHeading(7, "7");
        record.SetHeading(8, "15");
        record.SetHeading(16, "山田太郎");
        record.SetHeading(76, "12345");
        record.SetHeading(24, "0.00");
    }

    LogContext Context() {
        LogContext ctx{surface, g, settings, fonts, style, form, record, colours, nullptr, {}, {}, {}, {}, {}, 0.0, 0.0, 0, 0, 0, nullptr, {}};
        ctx.columns.edges[0] = 5.0;
        ctx.columns.edges[1] = 205.0;
        ctx.columns.count = 1;
        return ctx;
    }

    int Y(double m) const { return DepthToY(g, m); }
    int X(double mm) const { return MmToX(g, mm); }

    std::vector<std::string> TextsDrawn() const {
        std::vector<std::string> texts;
        for (const auto& op : surface.operations)
            if (op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) texts.push_back(op.text);
        return texts;
    }
    bool Drew(const std::string& text) const {
        auto texts = TextsDrawn();
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    // Horizontal lines at device y.
    std::vector<RecordedOperation> HorizontalLinesAt(int y) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : surface.OfKind(OperationKind::Line))
            if (op.points[0].y == y && op.points[1].y == y && op.points[0].x != op.points[1].x) out.push_back(op);
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

TEST_F(TitleBlockDrawing, GridHasFiveEqualRowsBetweenFrameBottomAndHeaderBandTop) {
    LogContext ctx = Context();
    DrawTitleBlock(ctx);
    // T = -8.0, B = -4.3: row lines every 0.74 m.
    const TitleBlockBox box = TitleBlockBoxOf(form, ctx.columns);
    for (int k = 0; k <= 5; ++k) {
        EXPECT_NEAR(box.RowY(k), -8.0 + k * 0.74, 1e-9);
        auto lines = HorizontalLinesAt(Y(box.RowY(k)));
        ASSERT_FALSE(lines.empty()) << "row line " << k;
        const bool outer = k == 0 || k == 5;
        for (const auto& line : lines) EXPECT_EQ(line.pen.width, outer ? 3 : 1) << "row line " << k;
    }
    // The outer sides stand at the block's left and right edges with the outer width.
    int sides = 0;
    for (const auto& op : surface.OfKind(OperationKind::Line)) {
        if (op.points[0].x != op.points[1].x) continue;
        if (op.points[0].x == X(5.0) || op.points[0].x == X(205.0)) {
            EXPECT_EQ(op.pen.width, 3);
            EXPECT_EQ(op.points[0].y, Y(-8.0));
            EXPECT_EQ(op.points[1].y, Y(-4.3));
            ++sides;
        }
    }
    EXPECT_EQ(sides, 2);
}

TEST_F(TitleBlockDrawing, HonoursTheFormHeights) {
    form.Set(style::TitleForm::TitleFrameBottom, "-9.0");
    form.Set(style::TitleForm::HeaderBandTop, "-4.5");
    LogContext ctx = Context();
    DrawTitleBlock(ctx);
    const TitleBlockBox box = TitleBlockBoxOf(form, ctx.columns);
    EXPECT_NEAR(box.RowY(1), -8.1, 1e-9);
    for (int k = 0; k <= 5; ++k) EXPECT_FALSE(HorizontalLinesAt(Y(box.RowY(k))).empty()) << k;
    EXPECT_TRUE(HorizontalLinesAt(Y(-8.0)).empty());
    EXPECT_TRUE(HorizontalLinesAt(Y(-4.3)).empty());
}

TEST_F(TitleBlockDrawing, FieldsAndFixedFormsAreWrittenInTheirCells) {
    record.SetHeading(51, "36");
    record.SetHeading(52, "3");
    record.SetHeading(53, "47.5");
    record.SetHeading(13, "12.3");
    record.SetHeading(37, "15");
    record.SetHeading(39, "福井地質");
    record.SetHeading(40, "0776-00-0000");
    LogContext ctx = Context();
    DrawTitleBlock(ctx);
    EXPECT_TRUE(Drew("No.1"));
    EXPECT_TRUE(Drew("2008年7月15日～  年  月  日"));
    EXPECT_TRUE(Drew(" 36ﾟ3'47.5\""));
    EXPECT_TRUE(Drew("　　゜　’　”"));  // longitude missing
    EXPECT_TRUE(Drew(" 12.30 m"));
    EXPECT_TRUE(Drew(" 15.00 m"));
    EXPECT_TRUE(Drew("福井地質　電話 0776-00-0000"));

    // The boring name stands left-aligned (1 HL) 1 mm inside its cell in row 1, centred on one line.
    const TitleBlockBox box = TitleBlockBoxOf(form, ctx.columns);
    for (const auto& op : surface.OfKind(OperationKind::Text)) {
        if (op.text != "No.1") continue;
        EXPECT_EQ(op.points[0].x, X(box.X(0.09) + 1.0));
        EXPECT_GT(op.points[0].y, Y(box.RowY(0)));
        EXPECT_LT(op.points[0].y, Y(box.RowY(1)));
    }
    // Labels of the first kind are spread (4 HE): "調査位置" is written one character at a time;
    // the characters of "ボーリング名" would crowd in the same cell, so it is one run set
    // narrower inside the cell.
    EXPECT_TRUE(Drew("調"));
    EXPECT_TRUE(Drew("置"));
    EXPECT_FALSE(Drew("調査位置"));
    EXPECT_FALSE(Drew("ボ"));
    bool label = false;
    for (const auto& op : surface.OfKind(OperationKind::Text)) {
        if (op.text != "ボーリング名") continue;
        label = true;
        EXPECT_LT(op.font.widthPercent, 100);
        EXPECT_GE(op.covered.left, X(box.X(0.0)));
        EXPECT_LE(op.covered.right, X(box.X(0.09)));
    }
    EXPECT_TRUE(label);
}

TEST_F(TitleBlockDrawing, RegistrationNumberHiddenByQualification) {
    {
        LogContext ctx = Context();
        DrawTitleBlockLowerRows(ctx);
        EXPECT_TRUE(Drew("山田太郎"));
        EXPECT_TRUE(Drew("地質調査技士 12345"));
    }
    surface.operations.clear();
    {
        LogContext ctx = Context();
        TitleBlockOptions options;
        options.qualificationName = "非表示";
        DrawTitleBlockLowerRows(ctx, options);
        EXPECT_TRUE(Drew("山田太郎"));
        for (const auto& text : TextsDrawn()) EXPECT_EQ(text.find("12345"), std::string::npos) << text;
    }
}

TEST_F(TitleBlockDrawing, LogTitleCentredAtOnePointSixTimesTheTitleFont) {
    LogContext ctx = Context();
    DrawLogTitle(ctx);
    auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "土質ボーリング柱状図");
    EXPECT_EQ(boxes[0].font.height, FontHeightPx(fonts[0].sizePt * 1.6, 254));
    EXPECT_TRUE(boxes[0].flags & TextBox::kCentre);
}

struct UnderlineCase {
    const char* mode;
    double expectedEndMm;  // -1: no separate underline
};

TEST_F(TitleBlockDrawing, UpperTitleUnderlinesFollowTheMode) {
    record.SetHeading(1, "県道改良工事に伴う地質調査");
    form.Set(style::TitleForm::UnderlineFixedWidth, "120");
    const UnderlineCase cases[] = {
        {"0", -1},
        {"1", 205.0},          // frame width: to the block's right edge
        {"4", 5.0 + 120.0},    // fixed width from the item position
    };
    for (const UnderlineCase& c : cases) {
        surface.operations.clear();
        form.Set(style::TitleForm::UnderlineMode, c.mode);
        LogContext ctx = Context();
        DrawUpperTitleLines(ctx);
        int underlines = 0;
        for (const auto& op : surface.OfKind(OperationKind::Line)) {
            if (op.points[0].y != op.points[1].y) continue;
            ++underlines;
            EXPECT_EQ(op.points[0].x, X(5.0)) << "mode " << c.mode;
            EXPECT_EQ(op.points[1].x, X(c.expectedEndMm)) << "mode " << c.mode;
        }
        EXPECT_EQ(underlines, c.expectedEndMm < 0 ? 0 : 4) << "mode " << c.mode;
        EXPECT_TRUE(Drew("調査名"));
        EXPECT_TRUE(Drew("県道改良工事に伴う地質調査"));
    }
}

TEST_F(TitleBlockDrawing, LineBreaksInTheUpperTitleDataKeepEachDatumOnItsRow) {
    // A survey name the data breaks over lines goes on one line where it fits, else over two
    // lines at its break; the other data drop their line breaks.
    struct Case { std::string name; std::vector<std::string> shown; } cases[] = {
        {"平成25年度　治山工事\r\n治山調査業務\r\n", {"平成25年度　治山工事治山調査業務"}},
        {std::string(30, 'A') + "\r\n" + std::string(300, 'B'), {std::string(30, 'A'), std::string(300, 'B')}},
    };
    for (const auto& c : cases) {
        surface.operations.clear();
        record.SetHeading(1, c.name);
        record.SetHeading(2, "県道\r\n改良");
        LogContext ctx = Context();
        DrawUpperTitleLines(ctx);
        for (const std::string& text : c.shown) EXPECT_TRUE(Drew(text)) << text;
        EXPECT_TRUE(Drew("県道改良"));
        for (const std::string& text : TextsDrawn()) EXPECT_EQ(text.find_first_of("\r\n"), std::string::npos) << text;
    }
}

TEST_F(TitleBlockDrawing, TextUnderlineModeUnderlinesTheDataOnly) {
    record.SetHeading(1, "ABCD");
    form.Set(style::TitleForm::UnderlineMode, "2");
    LogContext ctx = Context();
    DrawUpperTitleLines(ctx);
    auto lines = surface.OfKind(OperationKind::Line);
    // Only the survey name has data: one underline from the data position to its end.
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].points[0].x, X(5.0 + 45.0));
    EXPECT_GT(lines[0].points[1].x, X(5.0 + 45.0));
}

TEST_F(TitleBlockDrawing, DialNeedleOnlyUpTo180Degrees) {
    struct Case {
        const char* value;
        bool needle;
        const char* label;
    };
    const Case cases[] = {{"0.00", true, "0ﾟ"}, {"180.1", true, "180.1ﾟ"}, {"180.2", false, "180.2ﾟ"},
                          {"", false, nullptr}};
    for (const Case& c : cases) {
        surface.operations.clear();
        LogContext ctx = Context();
        DrawDial(ctx, 1, 100.0, 116.0, -5.78, -4.3, c.value);
        const double cx = 100.0 + 0.36 * 16.0;
        const double cy = (-5.78 - 4.3) / 2;
        int needles = 0;
        for (const auto& op : surface.OfKind(OperationKind::Line))
            if (op.points[0] == Point{X(cx), Y(cy)}) ++needles;
        EXPECT_EQ(needles, c.needle ? 1 : 0) << c.value;
        if (c.label) {
            EXPECT_TRUE(Drew(c.label)) << c.value;
        }
        // The axis: 1.2 radii above and below the centre, radius 0.26 of the box height.
        const double r = 0.26 * 1.48;
        bool axis = false;
        for (const auto& op : surface.OfKind(OperationKind::Line))
            if (op.points[0] == Point{X(cx), Y(cy - 1.2 * r)} && op.points[1] == Point{X(cx), Y(cy + 1.2 * r)})
                axis = true;
        EXPECT_TRUE(axis) << c.value;
        EXPECT_EQ(surface.OfKind(OperationKind::Arc).size(), 1u);
    }
}

TEST_F(TitleBlockDrawing, VerticalNeedleOfAVerticalBoringPointsDown) {
    LogContext ctx = Context();
    DrawDial(ctx, 1, 100.0, 116.0, -5.78, -4.3, "0");
    const double cx = 100.0 + 0.36 * 16.0;
    const double cy = (-5.78 - 4.3) / 2;
    const double r = 0.26 * 1.48;
    bool down = false;
    for (const auto& op : surface.OfKind(OperationKind::Line))
        if (op.points[0] == Point{X(cx), Y(cy)} && op.points[1] == Point{X(cx), Y(cy + r)}) down = true;
    EXPECT_TRUE(down);
}

}  // namespace
