#include "render/columns/CoreNumbers.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// A core number column from 10 to 16 mm, centred at the bottom of each run.
class CoreNumbersTest : public stracol::testing::ColumnTestFixture {
protected:
    CoreNumbersTest() {
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        RegisterCoreNumbers(registry);
    }
    void Draw(int code, const std::string& label) {
        SetItem(2, std::to_string(code) + " " + label, "6", "2  HC_Btm");
        surface.operations.clear();
        (*registry.Find(code))(ctx, 2, 0);
    }
};

TEST_F(CoreNumbersTest, EachItemShowsItsTableColumnPerRun) {
    SetRow(TableId::Recovery, 1, {"1.00", "95", "2", "0"});
    SetRow(TableId::Recovery, 2, {"2.00", "88", "2", "0"});
    SetRow(TableId::CoreLength, 1, {"1.00", "35", "60", "32"});
    SetRow(TableId::CoreLength, 2, {"2.00", "12", "45", "48"});
    SetRow(TableId::CoreMass, 1, {"2.00", "3.4"});
    struct Case {
        int code;
        const char* label;
        std::vector<std::string> texts;
    } cases[] = {
        {1037, "コア採取率", {"95", "88"}},
        {1038, "最大コア長", {"35", "12"}},
        {1039, "ＲＱＤ", {"60", "45"}},
        {1040, "コア質量", {"3.4"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.code);
        Draw(c.code, c.label);
        std::vector<std::string> texts;
        for (const auto& t : TextStrings())
            if (!t.empty()) texts.push_back(t);
        EXPECT_EQ(texts, c.texts);
    }
    Draw(1037, "コア採取率");
    auto second = FindText("88");
    ASSERT_TRUE(second);
    EXPECT_EQ(second->points[0], (Point{X(13), Y(2.0)}));
    EXPECT_TRUE(HasLine(10, 1.0, 16, 1.0));
    EXPECT_TRUE(HasLine(10, 2.0, 16, 2.0));
}

// Core lengths at 3.5 and 4.5 m and RQD values at 4.0 and 5.0 m share their table: the core
// length column shows and rules its own runs only (a core-length record without a value still
// ends its run); the RQD, of one-metre runs, keeps every row.
TEST_F(CoreNumbersTest, CoreLengthRulesOnlyItsOwnRuns) {
    SetRow(TableId::CoreLength, 1, {"3.50", "35", "", "32"});
    SetRow(TableId::CoreLength, 2, {"4.00", "", "60", ""});
    SetRow(TableId::CoreLength, 3, {"4.50", "12", "", "32"});
    SetRow(TableId::CoreLength, 4, {"5.00", "", "45", ""});
    SetRow(TableId::CoreLength, 5, {"5.50", "", "", "32"});
    Draw(1038, "最大コア長");
    std::vector<std::string> texts;
    for (const auto& t : TextStrings())
        if (!t.empty()) texts.push_back(t);
    EXPECT_EQ(texts, (std::vector<std::string>{"35", "12"}));
    for (double depth : {3.5, 4.5, 5.5}) EXPECT_TRUE(HasLine(10, depth, 16, depth)) << depth;
    for (double depth : {4.0, 5.0}) EXPECT_FALSE(HasLine(10, depth, 16, depth)) << depth;
    Draw(1039, "ＲＱＤ");
    for (double depth : {3.5, 4.0, 4.5, 5.0, 5.5}) EXPECT_TRUE(HasLine(10, depth, 16, depth)) << depth;
}

TEST_F(CoreNumbersTest, AllFourRegistered) {
    for (int code : {1037, 1038, 1039, 1040}) EXPECT_TRUE(registry.Has(code));
    EXPECT_EQ(CoreNumberDefs().size(), 4u);
}

}  // namespace
