#include "render/columns/SptColumns.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/PatternColours.h"
#include "render/ColumnFramework.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;

namespace {

constexpr TextAlign kCentreBottom{HorizontalAlign::Centre, VerticalAlign::Bottom};
constexpr TextAlign kCentreBaseline{HorizontalAlign::Centre, VerticalAlign::Baseline};
constexpr TextAlign kCentreTop{HorizontalAlign::Centre, VerticalAlign::Top};

// One text as drawn: the text, its reference point and alignment.
struct DrawnText {
    std::string text;
    Point at;
    TextAlign align;
    friend bool operator==(const DrawnText&, const DrawnText&) = default;
    friend void PrintTo(const DrawnText& t, std::ostream* os) {
        *os << "\"" << t.text << "\" at (" << t.at.x << ", " << t.at.y << ") h" << static_cast<int>(t.align.horizontal)
            << " v" << static_cast<int>(t.align.vertical);
    }
};

// 1 mm across is 10 px, 1 m down is 100 px, no margins. The columns, all centred at the
// bottom (placement 2): 3102 5-11 mm, 3103 11-19, 3104 19-43 (quarters of 6 mm), 3109 43-49,
// 3108 49-55, 3105 55-65. The column font is 25 px high: LineDepth 0.25 m.
class SptColumnsTest : public ::testing::Test {
protected:
    SptColumnsTest() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        g.screenFrameWidthMm = 350;
        LogFont font;
        font.height = 25;
        surface.SelectFont(font);
        const char* items[][2] = {{"3102 標準貫入>Ｎ値", "6"},         {"3103 標準貫入>深度", "8"},
                                  {"3104 標準貫入>打撃/mm", "24"},     {"3109 標準貫入>自沈の貫入量", "6"},
                                  {"3108 標準貫入>50回の貫入量", "6"}, {"3105 標準貫入>(旧)合計N値", "10"}};
        int slot = 1;
        for (const auto& item : items) {
            style::DisplayItem& d = style.items[static_cast<std::size_t>(slot - 1)];
            d.SetField(style::kLabelField, item[0]);
            d.SetField(style::kWidthField, item[1]);
            d.SetField(style::kDataPlacementField, "2");
            ++slot;
        }
        ctx.columns = ColumnEdges(style);

        // depth, total, three increments
        const char* rows[][5] = {
            {"1.15", "15/30", "5/10", "5/10", "5/10"},
            {"2.15", "50/12", "20/10", "30/2", ""},   // 50 blows over 12 cm, the last increment short
            {"3.15", "0/45", "/45", "", ""},          // self-sinking over 45 cm
            {"4.15", "50/7", "50/7", "", ""},
            {"5.15", "未実施", "", "", ""},           // no test value
            {"6.15", "50/0", "50/0", "", ""},         // no penetration
        };
        auto& t = record.Table(borehole::TableId::Spt);
        int r = 1;
        for (const auto& row : rows) {
            for (int c = 0; c < 5; ++c) t.SetCell(r, c, row[c]);
            t.SetCell(r, 5, "0");
            ++r;
        }
    }

    std::vector<DrawnText> Draw(SptColumnMode mode) {
        surface.operations.clear();
        const int slot = static_cast<int>(mode);  // the fixture puts the modes in slots 1 to 6 in order
        DrawSptColumn(ctx, slot, static_cast<int>(mode), CharWidthMm(surface, g), LineDepth(surface, g));
        std::vector<DrawnText> out;
        for (const auto& op : surface.OfKind(OperationKind::Text)) out.push_back({op.text, op.points[0], op.align});
        return out;
    }

    std::vector<std::vector<Point>> Rules() const {
        std::vector<std::vector<Point>> out;
        for (const auto& op : surface.OfKind(OperationKind::Line)) {
            EXPECT_EQ(op.pen, (Pen{PenStyle::Solid, settings.RuleLineWidth, 0}));
            out.push_back(op.points);
        }
        return out;
    }

    int Y(double m) const { return DepthToY(g, m); }

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

TEST_F(SptColumnsTest, ModesAndItemCodes) {
    const std::pair<SptColumnMode, int> pairs[] = {
        {SptColumnMode::NValue, 3102},      {SptColumnMode::Depth, 3103},      {SptColumnMode::Blows, 3104},
        {SptColumnMode::SelfSinking, 3109}, {SptColumnMode::FiftyBlows, 3108}, {SptColumnMode::Total, 3105},
    };
    for (auto [mode, code] : pairs) {
        EXPECT_EQ(SptColumnItemCode(mode), code);
        EXPECT_EQ(SptColumnModeOf(code), static_cast<int>(mode));
    }
    EXPECT_EQ(SptColumnModeOf(3101), 0);
}

TEST_F(SptColumnsTest, NValueColumnWritesEachTestInItsInterval) {
    // The interval is d … d + q; a cell lower than a line puts the baseline on its bottom.
    const auto texts = Draw(SptColumnMode::NValue);
    ASSERT_EQ(texts.size(), 5u);
    const std::vector<DrawnText> asWritten = {
        {"15", {80, Y(1.15 + 0.30)}, kCentreBottom},
        {"125", {80, Y(2.15 + 0.12)}, kCentreBaseline},
        {" 0", {80, Y(3.15 + 0.45)}, kCentreBottom},
        {"214.3", {80, Y(4.15 + 0.07)}, kCentreBaseline},
        {"-", {80, Y(6.15 + 0.03)}, kCentreBaseline},
    };
    for (std::size_t i : {0u, 1u, 2u, 4u}) EXPECT_EQ(texts[i], asWritten[i]) << i;
    // "214.3" (62 px) is wider than the column's room (5.15 … 10.85 mm): set narrower, still
    // centred in the column with its baseline on the cell bottom.
    const RecordedOperation wide = surface.OfKind(OperationKind::Text)[3];
    EXPECT_EQ(wide.text, "214.3");
    EXPECT_LT(wide.font.widthPercent, 100);
    EXPECT_EQ(wide.font.height, 25);
    EXPECT_GE(wide.covered.left, MmToX(g, 5.0 + kCellTextInsetMm));
    EXPECT_LE(wide.covered.right, MmToX(g, 11.0 - kCellTextInsetMm));
    EXPECT_NEAR((wide.covered.left + wide.covered.right) / 2.0, 80, 1.0);
    EXPECT_EQ(wide.covered.top, Y(4.15 + 0.07) - surface.Metrics().ascent);
}

TEST_F(SptColumnsTest, DepthColumnRulesEveryTestAndPlacesItsDepthByTheSetting) {
    struct Case {
        int labelPos;
        bool shown;
        VerticalAlign align;
    };
    const Case cases[] = {{0, true, VerticalAlign::Bottom}, {1, true, VerticalAlign::Top}, {2, false, {}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.labelPos);
        settings.NDepthLabelPos = c.labelPos;
        const auto texts = Draw(SptColumnMode::Depth);
        const auto rules = Rules();
        ASSERT_EQ(rules.size(), 6u);
        EXPECT_EQ(rules[0], (std::vector<Point>{{110, Y(1.15)}, {190, Y(1.15)}}));
        EXPECT_EQ(rules[5], (std::vector<Point>{{110, Y(6.15)}, {190, Y(6.15)}}));
        if (!c.shown) {
            EXPECT_TRUE(texts.empty());
            continue;
        }
        ASSERT_EQ(texts.size(), 6u);
        EXPECT_EQ(texts[0], (DrawnText{" 1.15", {150, Y(1.15)}, {HorizontalAlign::Centre, c.align}}));
        EXPECT_EQ(texts[4].text, " 5.15");  // a test without a value still has its depth
    }
}

TEST_F(SptColumnsTest, BlowsColumnPutsTheIncrementsUnderTheirRangesAndTheTotalLast) {
    const auto texts = Draw(SptColumnMode::Blows);
    // Quarter centres 22, 28 and 34 mm for the increments 0-100, 100-200 and 200-300 mm, 40
    // mm for the total (the per-blow column).
    const std::vector<DrawnText> expected = {
        {"  5", {220, Y(1.45)}, kCentreBottom},
        {"  5", {280, Y(1.45)}, kCentreBottom},
        {"  5", {340, Y(1.45)}, kCentreBottom},
        {" 15", {400, Y(1.45)}, kCentreBottom},
        {" 20", {220, Y(2.27)}, kCentreBaseline},
        {" 30", {280, Y(2.27)}, kCentreBaseline},
        {"20", {280, Y(2.27 - 0.25 + 0.25)}, kCentreTop},  // the short increment: 2 cm as mm, a line lower
        {" 50", {400, Y(2.27)}, kCentreBaseline},          // no mark for the total
        {"0", {220, Y(3.60)}, kCentreBottom},                 // a record starting with "/"
        {"  0", {400, Y(3.60)}, kCentreBottom},
        {" 50", {220, Y(4.22)}, kCentreBaseline},
        {"70", {220, Y(4.22 - 0.25 + 0.25)}, kCentreTop},
        {" 50", {400, Y(4.22)}, kCentreBaseline},
        {" 未", {400, Y(5.45)}, kCentreBottom},               // the first three bytes of a remark
        {" 50", {220, Y(6.18)}, kCentreBaseline},
        {"0", {220, Y(6.18 - 0.25 + 0.25)}, kCentreTop},
        {" 50", {400, Y(6.18)}, kCentreBaseline},
    };
    EXPECT_EQ(texts, expected);
}

TEST_F(SptColumnsTest, SelfSinkingAndFiftyBlowColumnsWriteThePenetrationAndRuleTheEnd) {
    EXPECT_EQ(Draw(SptColumnMode::SelfSinking),
              (std::vector<DrawnText>{{"450", {460, Y(3.60)}, kCentreBottom}}));
    EXPECT_EQ(Rules(), (std::vector<std::vector<Point>>{{{430, Y(3.60)}, {490, Y(3.60)}}}));

    EXPECT_EQ(Draw(SptColumnMode::FiftyBlows), (std::vector<DrawnText>{
                                                   {"120", {520, Y(2.27)}, kCentreBaseline},
                                                   {"70", {520, Y(4.22)}, kCentreBaseline},
                                                   {" 0", {520, Y(6.18)}, kCentreBaseline},
                                               }));
    const auto rules = Rules();
    ASSERT_EQ(rules.size(), 3u);
    EXPECT_EQ(rules[0], (std::vector<Point>{{490, Y(2.27)}, {550, Y(2.27)}}));
}

TEST_F(SptColumnsTest, TotalColumnWritesBlowsAndPenetrationOrTheSettingsTexts) {
    settings.SelfSinkText = "自沈";
    settings.NoPenetrationText = "貫入不能";
    Draw(SptColumnMode::Total);
    std::vector<std::string> words;
    // Centred in the column 55 … 65 mm, inside its rules ("貫入不能" is set narrower for that).
    for (const auto& t : surface.OfKind(OperationKind::Text)) {
        EXPECT_NEAR((t.covered.left + t.covered.right) / 2.0, 600, 1.0) << t.text;
        EXPECT_GE(t.covered.left, MmToX(g, 55.0 + kCellTextInsetMm)) << t.text;
        EXPECT_LE(t.covered.right, MmToX(g, 65.0 - kCellTextInsetMm)) << t.text;
        words.push_back(t.text);
    }
    EXPECT_EQ(words, (std::vector<std::string>{"15/30", "50/12", "自沈", "50/7", "貫入不能"}));
}

TEST_F(SptColumnsTest, NothingForAnUndrawnSlotOrAnUnknownMode) {
    for (int slot : {0, 7, 50}) DrawSptColumn(ctx, slot, 1, 3.0, 0.25);
    for (int mode : {0, 7}) DrawSptColumn(ctx, 1, mode, 3.0, 0.25);
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
