#include "render/columns/WorkDayWater.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

TEST(WorkDayDate, YearDroppedAndDashesTurnedIntoSlashes) {
    struct Case {
        const char* stored;
        const char* shown;
    } cases[] = {
        {"2008/07/15", "07/15"}, {"2008-07-15", "07/15"}, {"0000-07-15", "07/15"},
        {"07/15", "07/15"},      {"1899/07/15", "1899/07/15"}, {"", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(WorkDayDate(c.stored), c.shown) << c.stored;
}

// The work-day columns from 10 to 16 mm.
class WorkDayWaterTest : public stracol::testing::ColumnTestFixture {
protected:
    WorkDayWaterTest() { SetItem(1, "1001 標尺", "5", "3  HR_Btm"); }
    void Column(const std::string& label) { SetItem(2, label, "6", "2  HC_Btm"); }
    void Log(int row, const std::string& level, const std::string& casing, const std::string& date) {
        SetRow(TableId::WaterLog, row, {level, casing, "", "", "", "", date});
    }
};

TEST_F(WorkDayWaterTest, EntriesInDepthOrderSkippingRowsWithoutALevel) {
    Log(1, "", "", "2008/07/14");  // no level: left out, the rows after it still count
    Log(2, "5.05", "", "2008/07/15");
    Log(3, "3.20", "12.5", "2008/07/16");
    Log(4, "4.00", "07/17", "2008/07/17");  // a date is no casing depth
    const auto entries = WorkDayEntries(record);
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_DOUBLE_EQ(entries[0].level, 3.2);
    EXPECT_EQ(entries[0].date, "07/16");
    EXPECT_EQ(entries[0].casingBottom, "12.5");
    EXPECT_EQ(entries[1].casingBottom, "");
    EXPECT_DOUBLE_EQ(entries[2].level, 5.05);
}

TEST_F(WorkDayWaterTest, EachColumnStandsOnTheLevelLine) {
    Log(1, "5.05", "", "2008/07/15");
    Log(2, "3.2", "12.5", "2008/07/16");
    struct Case {
        int which;
        const char* label;
        const char* shallow;
    } cases[] = {{1, "3601 作業日>削孔月日", "07/16"}, {2, "3602 作業日>孔内水位", "3.20"},
                 {3, "3603 作業日>ケーシング下端", "12.5"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        surface.operations.clear();
        Column(c.label);
        DrawWorkDayColumn(ctx, 2, c.which);
        auto text = FindText(c.shallow);
        ASSERT_TRUE(text);
        // Its baseline on the level, centred in the 6 mm column; 60-75 px of text is set
        // narrower to stand inside the rules.
        const int h = text->font.height;
        EXPECT_EQ(text->covered.top + (h - h / 5), Y(3.2));  // the recording model's ascent
        EXPECT_NEAR((text->covered.left + text->covered.right) / 2.0, X(13), 1.0);
        EXPECT_GE(text->covered.left, TextLeft(10));
        EXPECT_LE(text->covered.right, TextRight(16));
        EXPECT_TRUE(HasLine(10, 3.2, 16, 3.2));
        EXPECT_TRUE(HasLine(10, 5.05, 16, 5.05));
    }
}

TEST_F(WorkDayWaterTest, CloseLevelsPushTheNextTextDown) {
    Column("3602 作業日>孔内水位");
    Log(1, "3.2", "", "2008/07/15");
    Log(2, "3.3", "", "2008/07/16");
    DrawWorkDayColumn(ctx, 2, 2);
    auto lower = FindText("3.30");
    ASSERT_TRUE(lower);
    const int h = lower->font.height;
    EXPECT_EQ(lower->covered.top + (h - h / 5), Y(3.5));  // its baseline, a line below the upper one
    // The line of 3.3 m bends down to the text's bottom between its slants.
    EXPECT_TRUE(HasLine(10, 3.3, 10.6, 3.5));
    EXPECT_TRUE(HasLine(10.6, 3.5, 15.4, 3.5));
}

TEST_F(WorkDayWaterTest, RegisteredCodes) {
    ColumnRegistry registry;
    RegisterWorkDayWater(registry);
    Log(1, "2.5", "", "2008/07/15");
    Column("3601 作業日>削孔月日");
    ASSERT_TRUE(registry.Has(3601));
    (*registry.Find(3601))(ctx, 2, 0);
    EXPECT_TRUE(FindText("07/15"));
    EXPECT_TRUE(registry.Has(3602));
    EXPECT_TRUE(registry.Has(3603));
}

}  // namespace
