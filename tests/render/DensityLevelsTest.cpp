#include "render/columns/DensityLevels.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"

#include <cmath>

#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

TEST(NValueLevel, DensityReachesConsistencyExceeds) {
    struct Case {
        double n;
        int density;
        int consistency;
    } cases[] = {
        {0, 1, 1},     {2, 1, 1},     {2.5, 1, 2},   {3.99, 1, 2},   {4, 2, 2},    {4.01, 2, 3},
        {8, 2, 3},     {9, 2, 4},     {10, 3, 4},    {15, 3, 4},     {15.5, 3, 5}, {29.9, 3, 5},
        {30, 4, 5},    {30.1, 4, 6},  {49.9, 4, 6},  {50, 5, 6},     {3999.99, 5, 6},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DensityLevel(c.n), c.density) << "N " << c.n;
        EXPECT_EQ(ConsistencyLevel(c.n), c.consistency) << "N " << c.n;
    }
}

TEST(NValueLevel, WordsOfTwoLines) {
    EXPECT_EQ(DensityTextLines(1), 2);
    EXPECT_EQ(DensityTextLines(3), 1);
    EXPECT_EQ(DensityTextLines(5), 2);
    EXPECT_EQ(ConsistencyTextLines(2), 2);
    EXPECT_EQ(ConsistencyTextLines(4), 1);
    EXPECT_EQ(ConsistencyTextLines(6), 2);
    EXPECT_EQ(DensityTextLines(0), 1);
    EXPECT_EQ(ConsistencyTextLines(7), 1);
}

TEST(SoilClass, DigitAfterThePointOfThePatternCode) {
    struct Case {
        const char* code;
        int soilClass;
    } cases[] = {{"2113.1", 1}, {"5100.2", 2}, {"3120.3", 3}, {"4000.0", 0}, {"100", 0}, {"", 0}, {"砂", 0},
                 {"90405.1", 1}};
    for (const auto& c : cases) EXPECT_EQ(SoilClassOf(c.code), c.soilClass) << c.code;
}

// Layers and tests for the computation; line height 0.3 m.
class NValueLevelsTest : public stracol::testing::ColumnTestFixture {
protected:
    void Layer(int row, const std::string& bottom, const std::string& name, const std::string& pattern) {
        SetRow(TableId::Layer, row, {bottom, name, "", "", pattern, "", "471"});
    }
    // A test at depth with blows/penetration.
    void Test(int row, const std::string& depth, const std::string& total) {
        SetRow(TableId::Spt, row, {depth, total});
    }

    static std::vector<std::pair<double, int>> Pairs(const std::vector<LevelEntry>& entries) {
        std::vector<std::pair<double, int>> out;
        for (const auto& e : entries) out.emplace_back(std::round(e.depthM * 1000) / 1000, e.level);
        return out;
    }
    using Expected = std::vector<std::pair<double, int>>;
};

TEST_F(NValueLevelsTest, SameLevelSharesOneEntryAtTheLaterTest) {
    Layer(1, "2.0", "粘土", "5100.2");
    Layer(2, "6.0", "砂", "2100.1");
    // Middles of the tests at 2.3, 3.3 and 4.3 m; N 3, 3, 12.
    Test(1, "2.15", "3/30");
    Test(2, "3.15", "3/30");
    Test(3, "4.15", "12/30");
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    EXPECT_EQ(Pairs(levels.density), (Expected{{3.0, 1}, {4.0, 3}}));
    EXPECT_TRUE(levels.consistency.empty());
}

TEST_F(NValueLevelsTest, SandyAndClayeyLayerGetsBothEntries) {
    Layer(1, "5.0", "砂質粘土", "3120.3");
    Test(1, "1.15", "30/30");
    Test(2, "2.15", "6/30");
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    EXPECT_EQ(Pairs(levels.density), (Expected{{1.0, 4}, {2.0, 2}}));
    EXPECT_EQ(Pairs(levels.consistency), (Expected{{1.0, 5}, {2.0, 3}}));
}

TEST_F(NValueLevelsTest, EntryStaysInsideItsLayer) {
    // A thin layer 2.0-2.3 m: a word of two lines stands at e − 2h even when the test is higher.
    Layer(1, "2.0", "砂", "2100.1");
    Layer(2, "2.3", "砂", "2100.1");
    Layer(3, "8.0", "砂", "2100.1");
    Test(1, "2.0", "60/30");   // middle 2.15 in layer 2, level 5 (two lines)
    Test(2, "2.4", "20/30");   // middle 2.55, only 0.25 below the top of layer 3
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    EXPECT_EQ(Pairs(levels.density), (Expected{{1.7, 5}, {2.35, 3}}));
}

TEST_F(NValueLevelsTest, UnnamedLayersAreSkippedWithoutMovingTheTop) {
    Layer(1, "1.0", "", "2100.1");
    Layer(2, "3.0", "砂", "2100.1");
    Test(1, "0.5", "5/30");  // middle 0.65: inside the named layer, which starts at 0
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    EXPECT_EQ(Pairs(levels.density), (Expected{{0.35, 2}}));
}

TEST_F(NValueLevelsTest, TestsOutsideEveryLayerOrWithoutValueAreNotJudged) {
    Layer(1, "1.0", "粘土", "5100.2");
    Layer(2, "3.0", "礫", "7100.0");   // neither class
    Layer(3, "6.0", "砂", "2100.1");
    Test(1, "1.5", "10/30");      // in the gravel
    Test(2, "3.5", "");           // no record: skipped, the tests after it still count
    Test(3, "4.5", "貫入不能");    // not numeric
    Test(4, "5.0", "40/30");
    Test(5, "6.5", "1/30");       // below the last layer
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    EXPECT_EQ(Pairs(levels.density), (Expected{{4.85, 4}}));
    EXPECT_TRUE(levels.consistency.empty());
}

TEST_F(NValueLevelsTest, LevelMemoryStartsAgainInEachLayer) {
    Layer(1, "3.0", "砂", "2100.1");
    Layer(2, "6.0", "砂", "2100.1");
    Test(1, "1.0", "5/30");
    Test(2, "4.0", "5/30");
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    EXPECT_EQ(Pairs(levels.density), (Expected{{0.85, 2}, {3.85, 2}}));
}

// Columns: 1021 at 5-11 mm, 2022 at 11-19 mm; line height 0.3 m, character 3 mm.
class NValueLevelColumnsTest : public stracol::testing::ColumnTestFixture {
protected:
    NValueLevelColumnsTest() {
        SetItem(1, "1021 相対密度(計算値)", "6", "2  HC_Btm");
        SetItem(2, "2022 旧 相対稠度(計算値)", "8", "5  HC_Mid");
    }
};

TEST_F(NValueLevelColumnsTest, CodeColumnWritesTheLevelCodeWithItsTopAtTheEntry) {
    NValueLevels levels;
    levels.density = {{1.0, 4}, {-0.3, 2}, {2.5, 1}};
    DrawNValueLevelColumn(ctx, 1, kDensityCodeItem, levels);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"rd4", "rd1"}));
    auto rd4 = FindText("rd4");
    ASSERT_TRUE(rd4);
    EXPECT_EQ(rd4->points[0], (Point{X(8), Y(1.0)}));
    EXPECT_EQ(rd4->align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Top}));
}

TEST_F(NValueLevelColumnsTest, ConsistencyCodeOfTheSixthLevelIsRc5) {
    NValueLevels levels;
    levels.consistency = {{1.0, 5}, {2.0, 6}};
    DrawNValueLevelColumn(ctx, 1, kConsistencyCodeItem, levels);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"rc5", "rc5"}));
}

TEST_F(NValueLevelColumnsTest, WordColumnPlacesTheWordInAOneLineCell) {
    NValueLevels levels;
    levels.consistency = {{2.0, 4}};
    DrawNValueLevelColumn(ctx, 2, kConsistencyWordItem, levels);
    // Placement 5: the one-line cell 2.0-2.3 m is just high enough, so its top is the cell top.
    auto word = FindText("硬い");
    ASSERT_TRUE(word);
    EXPECT_EQ(word->points[0], (Point{X(15), Y(2.0)}));
}

TEST_F(NValueLevelColumnsTest, WrappedWordTooWideForItsColumnIsRaised) {
    struct Case {
        const char* width;
        double top;
    } cases[] = {
        // 非常に硬い: 5 characters × 3 mm × 0.9 = 13.5 mm.
        {"13", 2.0 - 0.4 * 0.3},
        {"14", 2.0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.width);
        surface.operations.clear();
        SetItem(2, "2022 旧 相対稠度(計算値)", c.width, "21 Wb_Top");
        NValueLevels levels;
        levels.consistency = {{2.0, 5}};
        DrawNValueLevelColumn(ctx, 2, kConsistencyWordItem, levels);
        const auto boxes = surface.OfKind(OperationKind::TextBox);
        ASSERT_FALSE(boxes.empty());
        EXPECT_EQ(boxes.back().text, "非常に硬い");
        EXPECT_EQ(boxes.back().rect.top, Y(c.top));
    }
}

TEST_F(NValueLevelColumnsTest, RegisteredColumnComputesFromTheRecord) {
    SetRow(TableId::Layer, 1, {"5.0", "砂", "", "", "2100.1", "", "471"});
    SetRow(TableId::Spt, 1, {"1.15", "30/30"});
    ColumnRegistry registry;
    RegisterDensityColumns(registry);
    const ColumnRenderer* renderer = registry.Find(kDensityCodeItem);
    ASSERT_NE(renderer, nullptr);
    (*renderer)(ctx, 1, 0);
    EXPECT_EQ(TextStrings(), (std::vector<std::string>{"rd4"}));
    ASSERT_EQ(Texts().size(), 1u);
    // One line above the test's middle at 1.30 m.
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    ASSERT_EQ(levels.density.size(), 1u);
    EXPECT_NEAR(levels.density[0].depthM, 1.0, 1e-9);
    EXPECT_EQ(Texts()[0].points[0].y, Y(levels.density[0].depthM));
    // The consistency column of a sandy layer stays empty; a column not drawn draws nothing.
    surface.operations.clear();
    (*registry.Find(kConsistencyCodeItem))(ctx, 1, 0);
    (*registry.Find(kDensityWordItem))(ctx, 0, 0);
    EXPECT_TRUE(surface.operations.empty());
}

TEST_F(NValueLevelColumnsTest, ThirtyBlowsAreDenseAndVeryStiff) {
    SetRow(TableId::Layer, 1, {"5.0", "砂質粘土", "", "", "3120.3", "", "471"});
    SetRow(TableId::Spt, 1, {"2.15", "30/30"});
    const NValueLevels levels = ComputeNValueLevels(record, 0.3);
    ASSERT_EQ(levels.density.size(), 1u);
    ASSERT_EQ(levels.consistency.size(), 1u);
    EXPECT_EQ(levels.density[0].level, 4);
    EXPECT_EQ(levels.consistency[0].level, 5);
    DrawNValueLevelColumn(ctx, 2, kConsistencyWordItem, levels);
    EXPECT_TRUE(FindText("非常に硬い"));
}

}  // namespace
