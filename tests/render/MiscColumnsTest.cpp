#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"
#include "render/columns/MiscColumns.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// The item under test stands in slot 2, the column from 10 to 17 mm, on the page 0-20 m.
class MiscColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    MiscColumnsTest() {
        settings.RuleLineWidth = 1;
        SetPage(0, 20);
        RegisterMiscColumns(registry);
    }

    void UseItem(int code, const std::string& placement) { ColumnTestFixture::UseItem(code, placement, "7"); }

    void Draw(int code) { DrawRegistered(code, 2, 0); }

    std::vector<Point> Across(double depth) const { return {{X(10), Y(depth)}, {X(17), Y(depth)}}; }
};

TEST_F(MiscColumnsTest, HardnessConsistencyShowsSoilConsistencyAndRockHardness) {
    UseItem(1042, "8  HC_Top");
    // Soil layers to 3 m: a sandy layer without consistency, a clayey one with it.
    SetRow(TableId::Density, 1, {"1.50", "rd2", ""});
    SetRow(TableId::Density, 2, {"3.00", "", "rc3"});
    // Rock records below: hardness symbols with their boundary bit (8).
    SetRow(TableId::Property, 1, {"", "3.00", "", "", "", "", "", "", "", "8"});
    SetRow(TableId::Property, 2, {"", "6.00", "", "B", "CM", "", "", "", "", "8"});
    SetRow(TableId::Property, 3, {"", "9.00", "", "A", "", "", "", "", "", "8"});
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
    SetRow(TableId::Property, 1, {"", "2.00", "", "C", "", "", "", "", "", "8"});
    SetRow(TableId::Property, 2, {"", "4.00", "", "", "", "", "", "", "", "0"});
    SetRow(TableId::Property, 3, {"", "5.00", "", "D", "", "", "", "", "", "8"});
    Draw(1042);
    ASSERT_EQ(Texts().size(), 2u);
    EXPECT_EQ(Texts()[1].text, "D");
    EXPECT_EQ(Texts()[1].points[0], (Point{X(13.5), Y(5.0)}));
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(MiscColumnsTest, AuxiliaryTextsStandOnTheirDepths) {
    UseItem(1047, "2  HC_Btm");
    SetRow(TableId::AuxC, 1, {"2.50", "a"});
    SetRow(TableId::AuxC, 2, {"4.00", "b"});
    SetRow(TableId::AuxC, 3, {"x", "c"});
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
    SetRow(TableId::Density, 1, {"1.50", "", "rc3"});
    SetRow(TableId::Property, 1, {"", "3.00", "", "B", "", "", "", "", "", "8"});
    SetRow(TableId::AuxC, 1, {"2.50", "a"});
    for (int code : {1042, 1047}) {
        SCOPED_TRACE(code);
        const ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr);
        for (int slot : {0, 4, 50}) (*renderer)(ctx, slot, 0);
    }
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
