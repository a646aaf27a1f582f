#include "core/Numbers.h"

#include <gtest/gtest.h>

using namespace stracol::core;

TEST(Numbers, NumericStartLooksAtTheFirstCharacterOnly) {
    struct Case { const char* text; int expected; } cases[] = {
        {"", -1}, {"   ", -1}, {"\t \r\n", -1},
        {"1.5m", 1}, {"-", 1}, {"!x", 1}, {".5", 1}, {"+3", 1}, {"  12  ", 1},
        {"GL-5", 0}, {"a1", 0}, {"－1", 0},  // full-width minus is not a number start
    };
    for (const auto& c : cases) EXPECT_EQ(IsNumericStart(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Numbers, LeadingIntegerAndReal) {
    struct Case { const char* text; int i; double r; } cases[] = {
        {"12", 12, 12.0}, {" -3.7x", -3, -3.7}, {"99 Auto", 99, 99.0}, {"3.5", 3, 3.5},
        {".5", 0, 0.5}, {"abc", 0, 0.0}, {"", 0, 0.0}, {"+7", 7, 7.0}, {"1e2", 1, 100.0},
        {"1e", 1, 1.0}, {"-", 0, 0.0}, {"inf", 0, 0.0}, {"0x10", 0, 0.0},
        {"99999999999999", 2147483647, 99999999999999.0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LeadingInt(c.text), c.i) << c.text;
        EXPECT_DOUBLE_EQ(LeadingReal(c.text), c.r) << c.text;
    }
}
