#include "render/columns/NValue.h"

#include <gtest/gtest.h>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"

using namespace stracol;
using namespace stracol::render;

namespace {

struct RecordCase {
    const char* text;
    int blows;
    int penetrationCm;
    bool penetrationGiven;
    double n;
};

const RecordCase kRecords[] = {
    {"15/30", 15, 30, true, 15.0},
    {"50/12", 50, 12, true, 125.0},
    {"50/7", 50, 7, true, 30.0 * 50 / 7},
    {"0/45", 0, 45, true, 0.0},
    {"12", 12, 30, false, 12.0},               // no "/": a full 30 cm test
    {"12/", 12, 30, false, 12.0},              // nothing after "/"
    {"12/abc", 12, 30, false, 12.0},           // not a number after "/"
    {"/30", 0, 30, true, 0.0},                 // no blows before "/"
    {"50/0", 50, 0, true, kNoPenetrationN},    // no penetration
    {"5/-3", 5, -3, true, kNoPenetrationN},    // a negative penetration counts as none
    {"1200/30", 999, 30, true, 999.0},         // blows limited to 999
    {"999/1", 999, 1, true, kNoPenetrationN},  // 29970 is limited to 3999.99
    {" 20 / 25 ", 20, 25, true, 24.0},         // blanks around the numbers
    {"30/10/5", 30, 10, true, 90.0},           // only the first "/" splits
    {"", 0, 30, false, 0.0},
};

}  // namespace

TEST(SptRecordReading, BlowsPenetrationAndN) {
    for (const RecordCase& c : kRecords) {
        SCOPED_TRACE(c.text);
        const SptRecord r = ReadSptRecord(c.text);
        EXPECT_EQ(r.blows, c.blows);
        EXPECT_EQ(r.penetrationCm, c.penetrationCm);
        EXPECT_EQ(r.penetrationGiven, c.penetrationGiven);
        EXPECT_NEAR(NValue(c.text), c.n, 1e-9);
        EXPECT_NEAR(NValue(r), c.n, 1e-9);
    }
}

TEST(SptRecordReading, FlagsForNoPenetrationAndSelfSinking) {
    EXPECT_TRUE(ReadSptRecord("50/0").NoPenetration());
    EXPECT_FALSE(ReadSptRecord("50/1").NoPenetration());
    EXPECT_TRUE(ReadSptRecord("0/45").SelfSinking());
    EXPECT_FALSE(ReadSptRecord("1/45").SelfSinking());
}

TEST(NValueText, WholeNumbersDecimalsAndNoPenetration) {
    struct Case {
        double n;
        const char* text;
    };
    const Case cases[] = {
        {15.0, "15"},   {125.0, "125"}, {30.0 * 50 / 7, "214.3"}, {3.0, " 3"},
        {0.0, " 0"},    {7.9995, " 8"}, {7.998, "8.0"},           {12.5, "12.5"},
        {3100.0, "3100"}, {3100.5, "-"}, {kNoPenetrationN, "-"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.n);
        EXPECT_EQ(NValueText(c.n), c.text);
    }
}

TEST(SptColumnTexts, DepthBlowsAndPenetration) {
    EXPECT_EQ(SptDepthText(1.15), " 1.15");
    EXPECT_EQ(SptDepthText(12.3), "12.30");

    struct Case {
        const char* record;
        const char* text;
    };
    const Case blows[] = {
        {"15/30", " 15"}, {"5/10", "  5"}, {"50/3", " 50"}, {"/10", "0"}, {" /10", "0"},
        {"abcdef", "abc"}, {"ab", " ab"}, {"自沈", " 自"}, {"a自沈", "a自"}, {"", "   "},
    };
    for (const Case& c : blows) {
        SCOPED_TRACE(c.record);
        EXPECT_EQ(SptBlowsText(c.record), c.text);
    }

    EXPECT_EQ(SptPenetrationMmText(ReadSptRecord("0/45")), "450");
    EXPECT_EQ(SptPenetrationMmText(ReadSptRecord("50/12")), "120");
    EXPECT_EQ(SptPenetrationMmText(ReadSptRecord("0")), "300");
    EXPECT_EQ(SptPenetrationMmText(ReadSptRecord("0/0")), " 0");
}

TEST(SptColumnTexts, TotalColumnUsesTheSettingsTexts) {
    app::SystemSettings settings;
    settings.SelfSinkText = "自沈X";
    settings.NoPenetrationText = "貫入不能X";
    auto total = [&](const char* record) {
        borehole::BoreholeRecord data;
        data.Table(borehole::TableId::Spt).SetCell(1, 0, "1.00");
        data.Table(borehole::TableId::Spt).SetCell(1, 1, record);
        return SptTotalText(ReadSptTest(data.Table(borehole::TableId::Spt), 1), settings);
    };
    EXPECT_EQ(total("15/30"), "15/30");
    EXPECT_EQ(total("7"), "7/30");
    EXPECT_EQ(total("50/12"), "50/12");
    EXPECT_EQ(total("0/45"), "自沈X");
    EXPECT_EQ(total("50/0"), "貫入不能X");
    EXPECT_EQ(total("x"), "");
}

TEST(NGraphScale, FullScaleGridStepAndPlotX) {
    EXPECT_EQ(NFullScale(0), 50);
    EXPECT_EQ(NFullScale(1), 60);
    EXPECT_EQ(NFullScale(2), 100);
    EXPECT_EQ(NFullScale(3), 50);
    EXPECT_EQ(NFullScale(-1), 50);
    EXPECT_EQ(NMajorGridStep(50), 10);
    EXPECT_EQ(NMajorGridStep(60), 10);
    EXPECT_EQ(NMajorGridStep(100), 20);

    EXPECT_EQ(NPlotWidthMm("50"), 50);
    EXPECT_EQ(NPlotWidthMm("40.8"), 40);
    EXPECT_EQ(NPlotWidthMm("0.5"), 50);
    EXPECT_EQ(NPlotWidthMm(""), 50);

    EXPECT_DOUBLE_EQ(NValueX(30, 100, 50, 60), 125.0);  // N 30 of 60 on a 50 mm graph
    EXPECT_DOUBLE_EQ(NValueX(15, 100, 50, 50), 115.0);
    EXPECT_DOUBLE_EQ(NValueX(125, 100, 50, 50), 150.0); // beyond the full scale: the right end
    EXPECT_DOUBLE_EQ(NValueX(-6, 100, 50, 50), 100.0);  // a negative count stays on the graph
}

TEST(SptTestRows, DepthsIntervalsFlagsAndRowCount) {
    borehole::BoreholeRecord record;
    auto& t = record.Table(borehole::TableId::Spt);
    const char* rows[][7] = {
        {"1.15", "15/30", "5/10", "5/10", "5/10", "0", ""},
        {"2.15", "50/12", "", "", "", "1", "礫"},
        {"3.15", "", "", "", "", "", ""},
        {"4.15", "50/0", "", "", "", "", ""},
        {"5.15", "0/150", "", "", "", "", ""},
        {"5.5", "50/1", "", "", "", "", ""},
        {"GL-6", "10/30", "", "", "", "", ""},   // ends the tests
        {"7.15", "10/30", "", "", "", "", ""},
    };
    int r = 1;
    for (const auto& row : rows) {
        for (int c = 0; c < 7; ++c) t.SetCell(r, c, row[c]);
        ++r;
    }
    const std::vector<SptTest> tests = SptTests(record);
    ASSERT_EQ(tests.size(), 6u);

    EXPECT_DOUBLE_EQ(tests[0].PlotDepthM(), 1.30);
    EXPECT_DOUBLE_EQ(tests[0].IntervalBottomM(), 1.45);
    EXPECT_TRUE(tests[0].hasValue);
    EXPECT_FALSE(tests[0].lineBreak);

    EXPECT_DOUBLE_EQ(tests[1].PlotDepthM(), 2.15 + 0.06);
    EXPECT_DOUBLE_EQ(tests[1].n, 125.0);
    EXPECT_TRUE(tests[1].lineBreak);
    EXPECT_EQ(tests[1].label, "礫");

    EXPECT_FALSE(tests[2].hasValue);
    EXPECT_DOUBLE_EQ(tests[3].n, kNoPenetrationN);
    EXPECT_DOUBLE_EQ(tests[3].IntervalBottomM(), 4.15 + 0.03);  // at least 3 cm
    EXPECT_DOUBLE_EQ(tests[4].IntervalBottomM(), 5.15 + 0.9);   // at most 90 cm
    EXPECT_DOUBLE_EQ(tests[5].IntervalBottomM(), 5.5 + 0.03);
}
