#include "render/columns/HoleColumns.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// A hole column from 10 to 16 mm; LineDepth 0.3 m, character width 3 mm.
class HoleColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    HoleColumnsTest() { SetItem(1, "1001 標尺", "5", "3  HR_Btm"); }
    void Column(const std::string& label, const std::string& placement) { SetItem(2, label, "6", placement); }
    void Hole(int row, const std::string& depth, int column, const std::string& value, const std::string& flags) {
        SetRow(TableId::Hole, row, {depth});
        record.Table(TableId::Hole).SetCell(row, column, value);
        record.Table(TableId::Hole).SetCell(row, 6, flags);
    }
};

TEST_F(HoleColumnsTest, CoreTubeAutoPlacementByFirstCharacter) {
    Column("3804 削孔>コアチューブビット", "99 Auto");
    Hole(1, "5.0", 5, "ダブル/メタル", "32");
    DrawHoleColumn(ctx, 2, 6);
    // Full-width text: one character per line, centred in the middle of the 0–5 m cell.
    auto boxes = Boxes();
    ASSERT_EQ(boxes.size(), 7u);
    EXPECT_EQ(boxes[0].text, "ダ");
    EXPECT_EQ(boxes[0].rect.top, Y(2.5 - 7 * 0.3 / 2));
    EXPECT_TRUE(Texts().empty());
    EXPECT_TRUE(HasLine(10, 5.0, 16, 5.0));

    surface.operations.clear();
    Hole(1, "5.0", 5, "NQ/WL", "32");
    DrawHoleColumn(ctx, 2, 6);
    auto text = FindText("NQ/WL");
    ASSERT_TRUE(text);
    // Half-width text: one line centred on the cell bottom, set narrower to fit the 6 mm column.
    EXPECT_EQ(text->covered.bottom, Y(5.0));
    EXPECT_NEAR((text->covered.left + text->covered.right) / 2.0, X(13), 1.0);
    EXPECT_GE(text->covered.left, TextLeft(10));
    EXPECT_LE(text->covered.right, TextRight(16));
    EXPECT_LT(text->font.widthPercent, 100);
    EXPECT_EQ(text->font.escapement, 0);
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(HoleColumnsTest, AutoPlacementIsTheCoreTubeColumnsOnly) {
    Column("3703 孔壁保護>実施理由", "99 Auto");
    Hole(1, "5.0", 3, "崩壊防止", "8");
    DrawHoleColumn(ctx, 2, 4);
    // Code 99 without the automatic rule: horizontal at the cell bottom.
    EXPECT_TRUE(FindText("崩壊防止"));
    EXPECT_TRUE(Boxes().empty());
}

TEST_F(HoleColumnsTest, EmptyReasonWithFlagStillMarksItsBoundary) {
    Column("3703 孔壁保護>実施理由", "2  HC_Btm");
    Hole(1, "2.0", 3, "崩壊", "8");
    Hole(2, "4.0", 3, "", "8");
    Hole(3, "6.0", 3, "", "2");
    DrawHoleColumn(ctx, 2, 4);
    EXPECT_TRUE(HasLine(10, 2.0, 16, 2.0));
    EXPECT_TRUE(HasLine(10, 4.0, 16, 4.0));
    EXPECT_FALSE(HasLine(10, 6.0, 16, 6.0));
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"崩壊"}));
}

TEST_F(HoleColumnsTest, SubModesReadTheirColumnsAndFlags) {
    struct Case {
        int subMode;
        int column;
        int flag;
    } cases[] = {{2, 1, 2}, {3, 2, 4}, {4, 3, 8}, {6, 5, 32}};
    Column("3701 孔壁保護>孔径", "2  HC_Btm");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.subMode);
        surface.operations.clear();
        record.Table(TableId::Hole).Clear();
        Hole(1, "3.0", c.column, "X1", std::to_string(c.flag));
        DrawHoleColumn(ctx, 2, c.subMode);
        EXPECT_EQ(TextStrings(), (std::vector<std::string>{"X1"}));
        EXPECT_TRUE(HasLine(10, 3.0, 16, 3.0));
        EXPECT_EQ(HoleFlagBit(c.subMode), c.flag);
    }
}

TEST_F(HoleColumnsTest, DiameterAndProtectionShareOneCellWithoutLines) {
    Column("3803 削孔>孔径孔壁保護", "2  HC_Btm");
    SetRow(TableId::Hole, 1, {"3.0", "86", "B1", "", "", "", "6"});
    SetRow(TableId::Hole, 2, {"7.0", "66", "", "", "", "", "2"});
    ctx.pageStart = 0.0;
    ctx.pageEnd = 10.0;
    DrawHoleColumn(ctx, 2, 1);
    auto diameter = FindText("86");
    auto protection = FindText("B1");
    auto second = FindText("66");
    ASSERT_TRUE(diameter);
    ASSERT_TRUE(protection);
    ASSERT_TRUE(second);
    EXPECT_EQ(diameter->points[0].y, Y(2.7));
    EXPECT_EQ(protection->points[0].y, Y(3.0));
    EXPECT_EQ(second->points[0].y, Y(7.0));
    EXPECT_TRUE(Lines().empty());

    // On a page ending at 5 m, the 3-7 m interval's value stands at the bottom of the part
    // the page shows.
    surface.operations.clear();
    ctx.pageEnd = 5.0;
    DrawHoleColumn(ctx, 2, 1);
    second = FindText("66");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->points[0].y, Y(5.0));
}

TEST_F(HoleColumnsTest, RegisteredCodes) {
    ColumnRegistry registry;
    RegisterHoleColumns(registry);
    for (int code : {3803, 3701, 3702, 3703, 3804}) EXPECT_TRUE(registry.Has(code));
    Column("3702 孔壁保護>種類", "2  HC_Btm");
    Hole(1, "3.0", 2, "B2", "4");
    (*registry.Find(3702))(ctx, 2, 3);
    EXPECT_TRUE(FindText("B2"));
}

}  // namespace
