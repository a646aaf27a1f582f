#include "render/columns/Elevation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "borehole/BoreholeRecord.h"
#include "render/LogContext.h"

using namespace stracol;
using namespace stracol::render;

TEST(ElevationRounding, RoundsAtTheSecondDecimalByRuleAOrB) {
    struct Case {
        double value;
        int rule;
        const char* expected;
    } cases[] = {
        // 12.345 − 1.00 is 11.344999… in binary; it is still the tie 11.345.
        {12.345 - 1.00, kRoundHalfEven, "  11.34"},
        {12.345 - 1.00, kRoundHalfUp, "  11.35"},
        // An odd second decimal rounds up under rule A too.
        {12.355 - 1.00, kRoundHalfEven, "  11.36"},
        {12.355 - 1.00, kRoundHalfUp, "  11.36"},
        {0.125, kRoundHalfEven, "   0.12"},
        {0.135, kRoundHalfEven, "   0.14"},
        {0.105, kRoundHalfEven, "   0.10"},
        // Negative values round away from zero (B) or to the even decimal (A).
        {-11.345, kRoundHalfEven, " -11.34"},
        {-11.345, kRoundHalfUp, " -11.35"},
        {-3.456, kRoundHalfUp, "  -3.46"},
        // Values with fewer than three decimals are written as they are.
        {8.0, kRoundHalfEven, "   8.00"},
        {7.5, kRoundHalfUp, "   7.50"},
        {11.34, kRoundHalfEven, "  11.34"},
        // A rule number other than 1 is rule B.
        {11.345, 2, "  11.35"},
        // Elevations above 1000 m keep their tie.
        {1234.565, kRoundHalfEven, "1234.56"},
        {1234.565, kRoundHalfUp, "1234.57"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " rule " + std::to_string(c.rule));
        EXPECT_EQ(ElevationRounding(c.value, c.rule, "%7.2f"), c.expected);
    }
}

// The digits after the third decimal decide: only an exact half is a tie, and nothing below
// the half rounds up (the elevations of inclined boreholes have many decimals).
TEST(ElevationRounding, OnlyAnExactHalfIsATieAndLessThanHalfRoundsDown) {
    struct Case {
        double value;
        int rule;
        const char* expected;
    } cases[] = {
        {9.30541, kRoundHalfEven, "   9.31"},  // more than half: up, though the 3rd decimal is 5
        {11.3451, kRoundHalfEven, "  11.35"},
        {9.3046, kRoundHalfUp, "   9.30"},    // less than half: down
        {9.3046, kRoundHalfEven, "   9.30"},
        {8.0049, kRoundHalfUp, "   8.00"},
        {8.0051, kRoundHalfUp, "   8.01"},
        {2.99999, kRoundHalfUp, "   3.00"},
        {2.995, kRoundHalfEven, "   3.00"},   // odd 9: up, carrying into the units
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.value) + " rule " + std::to_string(c.rule));
        EXPECT_EQ(ElevationRounding(c.value, c.rule, "%7.2f"), c.expected);
    }
}

TEST(ElevationRounding, NegativeValueRoundingToZeroIsWrittenAsZero) {
    EXPECT_EQ(ElevationRounding(-0.004, kRoundHalfUp, "%7.2f"), "   0.00");
    EXPECT_EQ(ElevationRounding(-0.005, kRoundHalfEven, "%7.2f"), "   0.00");
    EXPECT_EQ(ElevationRounding(-0.005, kRoundHalfUp, "%7.2f"), "  -0.01");
}

TEST(ElevationRounding, ValueThatIsNoNumberGivesNoText) {
    EXPECT_EQ(ElevationRounding(std::numeric_limits<double>::quiet_NaN(), kRoundHalfUp, "%7.2f"), "");
    EXPECT_EQ(ElevationRounding(std::numeric_limits<double>::infinity(), kRoundHalfEven, "%7.2f"), "");
}

TEST(ElevationText, CollarElevationLessDepthRounded) {
    ElevationInputs in;
    in.collarElevation = 12.345;
    in.roundingRule = kRoundHalfEven;
    EXPECT_EQ(ElevationText(1.00, in, "%7.2f"), "  11.34");
    in.roundingRule = kRoundHalfUp;
    EXPECT_EQ(ElevationText(1.00, in, "%7.2f"), "  11.35");
    in.collarElevation = 12.355;
    in.roundingRule = kRoundHalfEven;
    EXPECT_EQ(ElevationText(1.00, in, "%7.2f"), "  11.36");
}

TEST(ElevationText, InclinedBoreholeUsesTheCosineOfItsAngle) {
    ElevationInputs in;
    in.collarElevation = 10.00;
    in.angleDegrees = 60;
    EXPECT_EQ(ElevationText(4.00, in, "%7.2f"), "   8.00");
    in.angleDegrees = 90;  // horizontal: the elevation stays
    EXPECT_EQ(ElevationText(4.00, in, "%7.2f"), "  10.00");
    in.angleDegrees = 180;  // upwards
    EXPECT_EQ(ElevationText(4.00, in, "%7.2f"), "  14.00");
}

TEST(ElevationText, NoCollarElevationGivesNothing) {
    ElevationInputs in;
    EXPECT_FALSE(ElevationText(1.0, in, "%7.2f").has_value());
    in.collarElevation = -999.9;
    EXPECT_FALSE(ElevationText(1.0, in, "%7.2f").has_value());
    in.collarElevation = -999.8;
    EXPECT_EQ(ElevationText(1.0, in, "%7.2f"), "-1000.80");
    in.collarElevation = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(ElevationText(1.0, in, "%7.2f").has_value());
}

TEST(ElevationText, ValuesNearZeroAreZero) {
    ElevationInputs in;
    for (double collar : {1.004, 0.996, 1.0}) {
        in.collarElevation = collar;
        EXPECT_EQ(ElevationText(1.00, in, "%7.2f"), "   0.00") << collar;
    }
}

TEST(ElevationInputs, ReadFromTheHeadingFields) {
    struct Case {
        const char* collar;
        const char* angle;
        const char* rule;
        double expectedCollar;
        double expectedAngle;
        int expectedRule;
    } cases[] = {
        {"12.5", "60", "1", 12.5, 60, 1},
        {"", "", "", kNoCollarElevation, 0, 0},
        {"不明", "abc", "0", kNoCollarElevation, 0, 0},
        {"-3.2m", "0.1", "", -3.2, 0, 0},   // 0.1 is not inclined
        {"0", "0.11", "", 0, 0.11, 0},
        {"5", "180", "", 5, 180, 0},
        {"5", "180.5", "", 5, 0, 0},         // beyond 180: vertical
        {"5", "-30", "", 5, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.collar) + " / " + c.angle + " / " + c.rule);
        borehole::BoreholeRecord record;
        record.SetHeading(13, c.collar);
        record.SetHeading(24, c.angle);
        record.SetHeading(36, c.rule);
        const ElevationInputs in = ElevationInputsOf(record);
        EXPECT_DOUBLE_EQ(in.collarElevation, c.expectedCollar);
        EXPECT_DOUBLE_EQ(in.angleDegrees, c.expectedAngle);
        EXPECT_EQ(in.roundingRule, c.expectedRule);
    }
}

namespace stracol::render {
namespace {

TEST(ElevationOptionsRule, AChosenRuleReplacesTheDataRuleAndUnchosenKeepsIt) {
    struct Case {
        const char* collar;
        const char* dataRule;           // heading 36
        std::optional<bool> halfEven;   // the elevation options
        const char* expected;           // at 1.00 m
    } cases[] = {
        {"12.345", "", true, "  11.34"},    // rule A keeps the even 4 of a tie
        {"12.345", "", false, "  11.35"},   // rule B rounds half up
        {"12.355", "", true, "  11.36"},    // rule A: an odd 5 rounds up
        {"+12.345", "", true, "  11.34"},
        {"12.345", "1", std::nullopt, "  11.34"},  // never chosen: the data's rule
        {"12.345", "1", false, "  11.35"},         // chosen: it wins over the data's
        {"12.345", "", std::nullopt, "  11.35"},
    };
    for (const Case& c : cases) {
        borehole::BoreholeRecord record;
        record.SetHeading(13, c.collar);
        record.SetHeading(36, c.dataRule);
        HeadingChoices choices;
        choices.roundHalfEven = c.halfEven;
        const auto text = ElevationText(1.0, ElevationInputsOf(record, choices), "%7.2f");
        ASSERT_TRUE(text.has_value());
        EXPECT_EQ(*text, c.expected) << c.collar << " rule " << c.dataRule;
    }
}

}  // namespace
}  // namespace stracol::render
