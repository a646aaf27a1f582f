#include <gtest/gtest.h>

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
#include "render/columns/RockPropertyColumns.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// One page on a recording surface: 1 mm across is 10 px, 1 m down is 100 px, no margins or
// title block. The font is 30 px high: LineDepth 0.3 m. The item under test stands in slot 2,
// the column from 10 to 18.5 mm.
class RockPropertyColumnsTest : public ::testing::Test {
protected:
    RockPropertyColumnsTest() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        g.screenFrameWidthMm = 350;
        settings.RuleLineWidth = 1;
        ctx.pageStart = 0;
        ctx.pageEnd = 10;
        LogFont font;
        font.height = 30;
        surface.SelectFont(font);
        RegisterRockPropertyColumns(registry);
    }

    void UseItem(int code, const std::string& placement) {
        SetItem(1, "1001 標尺", "5", "3");
        SetItem(2, std::to_string(code) + " item", "8.5", placement);
        SetItem(3, "1003 深度", "8", "2");
        ctx.columns = ColumnEdges(style);
    }

    void SetItem(int slot, const std::string& label, const std::string& width, const std::string& placement) {
        style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        item.SetField(style::kLabelField, label);
        item.SetField(style::kWidthField, width);
        item.SetField(style::kDataPlacementField, placement);
    }

    // A property record: its depth (column 1), one cell and the flags (column 9).
    void Record(int row, const std::string& depth, int column, const std::string& text, const std::string& flags) {
        borehole::DepthTable& t = record.Table(TableId::Property);
        t.SetCell(row, 1, depth);
        t.SetCell(row, column, text);
        t.SetCell(row, 9, flags);
    }

    void Draw(int code, int mode) {
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr) << code;
        (*renderer)(ctx, 2, mode);
    }

    std::vector<RecordedOperation> Texts() const { return surface.OfKind(OperationKind::Text); }
    std::vector<RecordedOperation> Lines() const { return surface.OfKind(OperationKind::Line); }
    int X(double mm) const { return MmToX(g, mm); }
    int Y(double m) const { return DepthToY(g, m); }
    std::vector<Point> Segment(double x1, double y1, double x2, double y2) const {
        return {Point{X(x1), Y(y1)}, Point{X(x2), Y(y2)}};
    }

    RecordingSurface surface;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm titleForm;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
    LogContext ctx{surface, g, settings, fonts, style, titleForm, record, colours, nullptr, {}, {}, {}, {}, {}, 0, 0};
    ColumnRegistry registry;
};

TEST(PropertyBoundaryBit, IsTwoToThePowerOfTheColumn) {
    const std::pair<int, int> cases[] = {{3, 8}, {4, 16}, {5, 32}, {6, 64}, {7, 128}, {8, 256}, {2, 0}, {9, 0}, {0, 0}};
    for (auto [column, bit] : cases) {
        SCOPED_TRACE(column);
        EXPECT_EQ(PropertyBoundaryBit(column), bit);
    }
}

struct BoundaryCase {
    const char* name;
    const char* middleFlags;
    double secondTop;               // where the second symbol's cell starts
    std::vector<double> ruled;      // depths of the boundary lines
};

TEST_F(RockPropertyColumnsTest, EmptyCellsLetTheTextAboveRunOnUntilABoundaryIsRuled) {
    const BoundaryCase cases[] = {
        // The middle record's flags rule another column (32 is crack state's bit) only.
        {"without the middle bit", "32", 2.0, {2.0, 5.0}},
        {"with the middle bit", "64", 3.5, {2.0, 3.5, 5.0}},
    };
    UseItem(1031, "8  HC_Top");
    for (const BoundaryCase& c : cases) {
        SCOPED_TRACE(c.name);
        record.Clear();
        surface.operations.clear();
        Record(1, "2.0", 6, "α", "64");
        Record(2, "3.5", 6, "", c.middleFlags);
        Record(3, "5.0", 6, "β", "64");
        Draw(1031, 6);
        const auto texts = Texts();
        ASSERT_EQ(texts.size(), 2u);
        EXPECT_EQ(texts[0].text, "α");
        EXPECT_EQ(texts[0].points[0], (Point{X(14.25), Y(0.0)}));
        EXPECT_EQ(texts[1].text, "β");
        EXPECT_EQ(texts[1].points[0], (Point{X(14.25), Y(c.secondTop)}));
        const auto lines = Lines();
        ASSERT_EQ(lines.size(), c.ruled.size());
        for (std::size_t i = 0; i < lines.size(); ++i)
            EXPECT_EQ(lines[i].points, Segment(10, c.ruled[i], 18.5, c.ruled[i]));
    }
}

TEST_F(RockPropertyColumnsTest, OverflowingTextBendsItsBoundaryAndPushesTheNextCell) {
    UseItem(1033, "21 Wb_Top");
    // Six wide characters in a 9 mm box: two lines, 0.6 m, in a 0.2 m interval.
    Record(1, "0.2", 3, "一軸圧縮試験", "8");
    Record(2, "1.0", 3, "Ｈ", "8");
    Draw(1033, 3);
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rect.top, Y(0.6));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, Segment(10, 0.2, 10.6, 0.6));
    EXPECT_EQ(lines[1].points, Segment(10.6, 0.6, 17.9, 0.6));
    EXPECT_EQ(lines[2].points, Segment(17.9, 0.6, 18.5, 0.2));
    EXPECT_EQ(lines[3].points, Segment(10, 1.0, 18.5, 1.0));
}

TEST_F(RockPropertyColumnsTest, RuledEmptyCellAboveTheCarryKeepsThePushedCarry) {
    UseItem(1033, "21 Wb_Top");
    Record(1, "0.2", 3, "一軸圧縮試験", "8");   // pushes the carry to 0.6 m
    Record(2, "0.4", 3, "", "8");              // ruled, but above the carry: bent to 0.6 m
    Record(3, "2.0", 3, "Ｈ", "0");
    Draw(1033, 3);
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].rect.top, Y(0.6));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[3].points, Segment(10, 0.4, 10.6, 0.6));
}

TEST_F(RockPropertyColumnsTest, TableWhoseFirstDepthIsNotANumberDrawsNothing) {
    UseItem(1033, "2  HC_Btm");
    for (int column = 3; column <= 8; ++column) Record(1, "GL-2", column, "X", "511");
    for (int column = 3; column <= 8; ++column) Record(2, "3.0", column, "Y", "511");
    EXPECT_EQ(PropertyRowCount(ctx), 0);
    for (auto [code, column] : {std::pair{1033, 3}, {1034, 4}, {1035, 5}, {1031, 6}, {1032, 7}, {1036, 8}}) {
        SCOPED_TRACE(code);
        UseItem(code, "2  HC_Btm");
        Draw(code, column);
    }
    Draw(1030, 0);
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(Lines().empty());
}

TEST_F(RockPropertyColumnsTest, WaveDashIsWrittenLikeAnyOtherText) {
    UseItem(1034, "2  HC_Btm");
    Record(1, "1.0", 4, "～", "16");
    Record(2, "2.0", 4, "Ⅱ～Ⅲ", "16");
    Draw(1034, 4);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "～");
    EXPECT_EQ(texts[1].text, "Ⅱ～Ⅲ");
}

TEST_F(RockPropertyColumnsTest, ColourToneRulesByBitFourWithHalfMillimetreSlants) {
    UseItem(1030, "21 Wb_Top");
    Record(1, "0.2", 2, "暗灰色褐色", "4");
    Record(2, "1.0", 2, "灰", "3");
    Record(3, "2.0", 2, "褐", "4");
    Draw(1030, 0);
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[1].rect.top, Y(0.6));
    const auto lines = Lines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].points, Segment(10, 0.2, 10.5, 0.6));
    EXPECT_EQ(lines[1].points, Segment(10.5, 0.6, 18.0, 0.6));
    EXPECT_EQ(lines[3].points, Segment(10, 2.0, 18.5, 2.0));
    const auto clips = surface.OfKind(OperationKind::SetClip);
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{0, Y(0), X(350), Y(10)}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(RockPropertyColumnsTest, DepthPartRoutesEachItemToItsPropertyColumn) {
    // Two property items side by side; the depth part passes each its column.
    SetItem(1, "1035 割れ目の状態", "5", "2  HC_Btm");
    SetItem(2, "1031 風化の程度", "5", "2  HC_Btm");
    SetItem(3, "1036 岩級区分", "5", "2  HC_Btm");
    ctx.columns = ColumnEdges(style);
    for (int column = 3; column <= 8; ++column) {
        std::string symbol = "K";
        symbol += std::to_string(column);
        Record(1, "1.0", column, symbol, "0");
    }
    RunDepthPartOrder(ctx, registry, nullptr);
    std::vector<std::pair<std::string, int>> got;
    for (const RecordedOperation& op : Texts()) got.emplace_back(op.text, op.points[0].x);
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{{"K5", X(7.5)}, {"K6", X(12.5)}, {"K8", X(17.5)}}));
}

TEST_F(RockPropertyColumnsTest, UndrawnSlotOrColumnOutsideThreeToEightDrawsNothing) {
    UseItem(1033, "2  HC_Btm");
    Record(1, "1.0", 3, "H", "8");
    Record(1, "1.0", 2, "灰", "12");
    for (int code : {1030, 1031, 1032, 1033, 1034, 1035, 1036}) {
        SCOPED_TRACE(code);
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr);
        for (int slot : {0, 4, 50}) (*renderer)(ctx, slot, 3);
    }
    DrawPropertyColumn(ctx, 2, 2);
    DrawPropertyColumn(ctx, 2, 9);
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
