#include "core/CsvField.h"
#include "core/Messages.h"

#include <gtest/gtest.h>

using namespace stracol::core;

TEST(CsvField, FieldsByPosition) {
    struct Case { const char* line; int n; int result; const char* field; } cases[] = {
        {"a,,c", 3, 1, "c"},
        {"a,,c", 2, 1, ""},
        {"a,b,c", 4, 0, ""},
        {"", 1, -1, ""},
        {"1,\"2,5\",3", 2, 1, "2,5"},
        {"1,\"2,5\",3", 3, 1, "3"},
        {"x,\"a\"\"b\",y", 2, 1, "ab"},      // a doubled quote yields nothing
        {" a , b ", 2, 1, " b "},            // blanks stay part of the field
        {"a,b,", 3, 0, ""},                  // a trailing comma opens no field
        {"a,b\nc,d", 2, 1, "b"},
        {"a,b\nc,d", 3, 0, ""},              // a line feed ends the line
        {"砂質シルト,ｼﾙﾄ,3.5", 2, 1, "ｼﾙﾄ"},
        {"a,\"b,c\",d", 2, 1, "b,c"},
    };
    for (const auto& c : cases) {
        std::string field = "stale";
        EXPECT_EQ(CsvField(field, c.line, c.n), c.result) << c.line << " #" << c.n;
        EXPECT_EQ(field, c.field) << c.line << " #" << c.n;
    }
}

TEST(CsvField, LongLineIsCutAfterTheMessage) {
    RecordingMessages messages;
    std::string line = std::string(2598, 'a') + ",bcdef," + std::string(395, 'z');
    ASSERT_EQ(line.size(), 3000u);
    std::string field;
    EXPECT_EQ(CsvField(field, line, 2, &messages), 1);
    EXPECT_EQ(field, "b");  // the line is cut to its first 2600 bytes
    EXPECT_EQ(CsvField(field, line, 3, &messages), 0);
    EXPECT_EQ(messages.Count("too many csv"), 2);
    // A line just at the limit is read whole without a message.
    RecordingMessages quiet;
    EXPECT_EQ(CsvField(field, std::string(2598, 'a') + ",b", 2, &quiet), 1);
    EXPECT_EQ(field, "b");
    EXPECT_TRUE(quiet.Empty());
}

TEST(CsvField, StepWithoutQuoteModeTakesTheRestOfTheLine) {
    std::string field;
    EXPECT_EQ(CsvStep(field, "ab,cd", true), 3u);
    EXPECT_EQ(field, "ab");
    EXPECT_EQ(CsvStep(field, "ab,cd", false), 0u);
    EXPECT_EQ(field, "ab,cd");
    EXPECT_EQ(CsvStep(field, ",x", false), 1u);  // a leading comma still ends an empty field
    EXPECT_EQ(field, "");
}

TEST(CsvField, QuotedFieldReadsBackWhole) {
    for (const char* text : {"plain", "a,b", "", "砂,礫"}) {
        std::string line = "x," + CsvQuote(text) + ",y";
        EXPECT_EQ(CsvFieldText(line, 2), text) << line;
        EXPECT_EQ(CsvFieldText(line, 3), "y") << line;
    }
}
