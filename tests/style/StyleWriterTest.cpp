#include "style/StyleWriter.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "style/StyleReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace stracol::style {
namespace {

using stracol::testing::TempDir;

LogStyle SmallStyle() {
    LogStyle style;
    style.titleLines[0] = "岩盤柱状図";
    style.titleLines[1] = "C:/styles/mine.tls";
    style.titleLines[5] = "not written";
    style.items[0] = DisplayItem::FromLine("1001 標尺,5,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,50,3  HR_Btm,0");
    style.items[1] = DisplayItem::FromLine("1024 記事,28,記事,14,1,12,,-1,0,0,,-1,0,0,,1,11,11,99_,21 Wb_Top,0");
    // Rows after the first empty row are not part of the style.
    style.items[3] = DisplayItem::FromLine("1003 深度,8");
    style.legends[0] = LegendRow::FromLine(":凡例35%65%N値,,,,,,,,,@1");
    return style;
}

TEST(StyleWriter, WritesTheSectionsInOrder) {
    auto lines = StyleFileLines(SmallStyle());
    const std::vector<std::string> head = {
        "$$_TQSTL1", "$$z_", "岩盤柱状図", "C:/styles/mine.tls", "", "", "$$X_",
        "1001 標尺,5,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,50,3  HR_Btm,0",
        "1024 記事,28,記事,14,1,12,,-1,0,0,,-1,0,0,,1,11,11,99_,21 Wb_Top,0",
        "$$t_", ":凡例35%65%N値,,,,,,,,,@1"};
    ASSERT_EQ(lines.size(), head.size() + 11 + 1);
    for (std::size_t i = 0; i < head.size(); ++i) EXPECT_EQ(lines[i], head[i]) << i;
    for (std::size_t i = head.size(); i < head.size() + 11; ++i) EXPECT_EQ(lines[i], ",,,,,,,,,") << i;
    EXPECT_EQ(lines.back(), "$$_");
}

TEST(StyleWriter, FileIsCp932WithCrLfAndReadsBack) {
    TempDir dir;
    LogStyle style = SmallStyle();
    std::string path = dir.File("mine.tls");
    ASSERT_TRUE(WriteStyleFile(path, style, nullptr));
    std::string bytes = dir.Read("mine.tls");
    EXPECT_EQ(bytes.substr(0, 11), "$$_TQSTL1\r\n");
    EXPECT_NE(bytes.find(core::Utf8ToCp932("岩盤柱状図") + "\r\n"), std::string::npos);
    EXPECT_EQ(bytes.find("\n\n"), std::string::npos);

    LogStyle read;
    StyleReader reader(read);
    auto lines = ReadStyleFileLines(path);
    ASSERT_TRUE(lines.has_value());
    for (const auto& line : *lines) reader.Feed(line);
    reader.Finish();
    EXPECT_EQ(read.ItemCount(), 2);
    for (int i = 0; i < 2; ++i) EXPECT_EQ(read.items[i], style.items[i]) << i;
    EXPECT_EQ(read.legends, style.legends);
    EXPECT_EQ(read.Title(), style.Title());
}

TEST(StyleWriter, CommaInsideACellCannotShiftTheFields) {
    LogStyle style;
    style.items[0] = DisplayItem::FromLine("\"1001 標尺, 改\",5,\"a,b\",14,1,7");
    ASSERT_EQ(style.items[0].Label(), "1001 標尺, 改");
    style.legends[2].cells[0] = "x,y";
    auto lines = StyleFileLines(style);
    LogStyle read;
    StyleReader reader(read);
    for (const auto& line : lines) reader.Feed(line);
    reader.Finish();
    EXPECT_EQ(read.items[0].Label(), "1001 標尺， 改");
    EXPECT_EQ(read.items[0].Field(kWidthField), "5");
    EXPECT_EQ(read.items[0].Field(3), "a，b");
    EXPECT_EQ(read.items[0].Field(4), "14");
    EXPECT_EQ(read.legends[2].cells[0], "x，y");
    EXPECT_EQ(read.legends[2].cells[1], "");
}

TEST(StyleWriter, QuotedFormWrapsEveryLine) {
    LogStyle style = SmallStyle();
    style.titleLines[2] = "say \"hi\"";
    auto plain = StyleFileLines(style);
    auto quoted = QuotedStyleFileLines(style);
    ASSERT_EQ(quoted.size(), plain.size());
    EXPECT_EQ(quoted[0], "\"$$_TQSTL1\",");
    EXPECT_EQ(quoted[6], "\"$$X_\",");
    EXPECT_EQ(quoted[6].size(), 7u);
    EXPECT_EQ(quoted[4], "\"say \\\"hi\\\"\",");
    EXPECT_EQ(quoted.back(), "\"$$_\",");

    TempDir dir;
    ASSERT_TRUE(WriteQuotedStyleFile(dir.File("style.h"), style, nullptr));
    EXPECT_EQ(dir.Read("style.h").substr(0, 14), "\"$$_TQSTL1\",\r\n");
}

TEST(StyleWriter, FailedWriteKeepsTheOldFileAndSays4005) {
    TempDir dir;
    core::RecordingMessages messages;
    EXPECT_FALSE(WriteStyleFile(dir.File("no/such/folder/x.tls"), SmallStyle(), &messages));
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
}

}  // namespace
}  // namespace stracol::style
