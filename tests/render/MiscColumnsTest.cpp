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
#include "render/columns/MiscColumns.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// One page on a recording surface: 1 mm across is 10 px, 1 m down is 100 px, no margins or
// title block. The font is 30 px high: LineDepth 0.3 m. The item under test stands in slot 2,
// the column from 10 to 17 mm.
class MiscColumnsTest : public ::testing::Test {
protected:
    MiscColumnsTest() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        settings.RuleLineWidth = 1;
        ctx.pageStart = 0;
        ctx.pageEnd = 20;
        LogFont font;
        font.height = 30;
        surface.SelectFont(font);
        RegisterMiscColumns(registry);
    }

    void UseItem(int code, const std::string& placement) {
        SetItem(1, "1001 標尺", "5", "3");
        SetItem(2, std::to_string(code) + " item", "7", placement);
        SetItem(3, "1003 深度", "8", "2");
        ctx.columns = ColumnEdges(style);
    }

    void SetItem(int slot, const std::string& label, const std::string& width, const std::string& placement) {
        style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        item.SetField(style::kLabelField, label);
        item.SetField(style::kWidthField, width);
        item.SetField(style::kDataPlacementField, placement);
    }

    void Row(TableId table, int row, std::vector<std::string> cells) {
        for (std::size_t c = 0; c < cells.size(); ++c) record.Table(table).SetCell(row, static_cast<int>(c), cells[c]);
    }

    void Draw(int code) {
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr) << code;
        (*renderer)(ctx, 2, 0);
    }

    std::vector<RecordedOperation> Texts() const { return surface.OfKind(OperationKind::Text); }
    std::vector<RecordedOperation> Lines() const { return surface.OfKind(OperationKind::Line); }
    int X(double mm) const { return MmToX(g, mm); }
    int Y(double m) const { return DepthToY(g, m); }
    std::vector<Point> Across(double depth) const { return {{X(10), Y(depth)}, {X(17), Y(depth)}}; }

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

TEST_F(MiscColumnsTest, HardnessConsistencyShowsSoilConsistencyAndRockHardness) {
    UseItem(1042, "8  HC_Top");
    // Soil layers to 3 m: a sandy layer without consistency, a clayey one with it.
    Row(TableId::Density, 1, {"1.50", "rd2", ""});
    Row(TableId::Density, 2, {"3.00", "", "rc3"});
    // Rock records below: hardness symbols with their boundary bit (8).
    Row(TableId::Property, 1, {"", "3.00", "", "", "", "", "", "", "", "8"});
    Row(TableId::Property, 2, {"", "6.00", "", "B", "CM", "", "", "", "", "8"});
    Row(TableId::Property, 3, {"", "9.00", "", "A", "", "", "", "", "", "8"});
    Draw(1042);

    std::vector<std::pair<std::string, Point>> got;
    for (const RecordedOperation& op : Texts()) got.emplace_back(op.text, op.points[0]);
    const std::vector<std::pair<std::string, Point>> expected = {
        {"rc3", Point{X(13.5), Y(1.5)}}, {"B", Point{X(13.5), Y(3.0)}}, {"A", Point{X(13.5), Y(6.0)}}};
    EXPECT_EQ(got, expected);

    std::vector<std::vector<Point>> lines;
    for (const RecordedOperation& op : Lines()) lines.push_back(op.points);
    EXPECT_EQ(lines, (std::vector<std::vector<Point>>{Across(1.5), Across(3.0), Across(3.0), Across(6.0), Across(9.0)}));
}

TEST_F(MiscColumnsTest, HardnessConsistencyOfARockLogAlone) {
    UseItem(1042, "2  HC_Btm");
    Row(TableId::Property, 1, {"", "2.00", "", "C", "", "", "", "", "", "8"});
    Row(TableId::Property, 2, {"", "4.00", "", "", "", "", "", "", "", "0"});
    Row(TableId::Property, 3, {"", "5.00", "", "D", "", "", "", "", "", "8"});
    Draw(1042);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[1].text, "D");
    EXPECT_EQ(Texts()[1].points[0], (Point{X(13.5), Y(5.0)}));
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(MiscColumnsTest, AuxiliaryTextsStandOnTheirDepths) {
    UseItem(1047, "2  HC_Btm");
    Row(TableId::AuxC, 1, {"2.50", "a"});
    Row(TableId::AuxC, 2, {"4.00", "b"});
    Row(TableId::AuxC, 3, {"x", "c"});
    Draw(1047);
    const auto texts = Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ(texts[0].text, "a");
    EXPECT_EQ(texts[0].points[0], (Point{X(13.5), Y(2.5)}));
    EXPECT_EQ(texts[1].points[0], (Point{X(13.5), Y(4.0)}));
    ASSERT_EQ(Lines().size(), 2u);
    EXPECT_EQ(Lines()[0].points, Across(2.5));
}

TEST_F(MiscColumnsTest, UndrawnSlotDrawsNothing) {
    UseItem(1042, "2  HC_Btm");
    Row(TableId::Density, 1, {"1.50", "", "rc3"});
    Row(TableId::Property, 1, {"", "3.00", "", "B", "", "", "", "", "", "8"});
    Row(TableId::AuxC, 1, {"2.50", "a"});
    for (int code : {1042, 1047}) {
        SCOPED_TRACE(code);
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr);
        for (int slot : {0, 4, 50}) (*renderer)(ctx, slot, 0);
    }
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
