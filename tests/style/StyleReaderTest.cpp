#include "style/StyleReader.h"

#include "core/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace stracol::style {
namespace {

using stracol::testing::TempDir;

std::string ItemLine(int code, const std::string& name = "項目") {
    return std::to_string(code) + " " + name + ",5,見出し,14,1,12,,-1,0,0,,-1,0,0,,-1,0,0,7,99,";
}

std::vector<std::string> StyleText(int itemCount) {
    std::vector<std::string> lines = {"$$_TQSTL1", "$$z_", "標題", "名前", "", "", "$$X_"};
    for (int i = 0; i < itemCount; ++i) lines.push_back(ItemLine(1100 + i));
    lines.push_back("$$t_");
    lines.push_back(":凡例35%65%N値,,,,,,,,,@1");
    lines.push_back("$$_");
    return lines;
}

void FeedAll(StyleReader& reader, const std::vector<std::string>& lines) {
    for (const auto& line : lines) reader.Feed(line);
    reader.Finish();
}

TEST(StyleSection, DollarPairAnywhereStartsASection) {
    struct Case {
        const char* line;
        StyleSection section;
    };
    const Case cases[] = {
        {"$$z_", StyleSection::Title},
        {"$$X_", StyleSection::Items},
        {"$$t_", StyleSection::Legends},
        {"$$_", StyleSection::Ignored},
        {"$$_TQSTL1", StyleSection::Ignored},
        {"$$A_", StyleSection::Ignored},
        {"$$", StyleSection::Ignored},
        {"X$$", StyleSection::Ignored},
        {"abX,$$", StyleSection::Items},       // the third character decides, wherever "$$" is
        {"1001 A$$B,5", StyleSection::Ignored},
        {"あい$$", StyleSection::Ignored},
        {"1001 標尺,5", StyleSection::None},
        {"$", StyleSection::None},
        {"", StyleSection::None},
    };
    for (const auto& c : cases) EXPECT_EQ(SectionOfLine(c.line), c.section) << c.line;
}

TEST(StyleReader, DocumentReaderStoresLinesAsRead) {
    LogStyle style;
    StyleReader reader(style);
    FeedAll(reader, {"ignored before any section", "$$z_", "岩盤柱状図", "*1岩盤柱状図", "三行目", "$$X_",
                     "1001 標尺,5,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,50,99,",
                     "1023 空欄,3.0", "$$t_", "a,b,c,,,,,,,@3", ",,,,,,,,,", "$$_", "1002 after the end,5"});
    EXPECT_EQ(style.Title(), "岩盤柱状図");
    EXPECT_EQ(style.Name(), "*1岩盤柱状図");
    EXPECT_EQ(style.titleLines[2], "三行目");
    ASSERT_EQ(style.ItemCount(), 2);
    EXPECT_EQ(style.items[0].Label(), "1001 標尺");          // not padded
    EXPECT_EQ(style.items[0].Field(kMarkerField), "50");     // marker kept
    EXPECT_EQ(style.items[0].Field(kDataPlacementField), "99");
    EXPECT_EQ(style.items[0].Field(kGroupCountField), "");
    EXPECT_EQ(style.items[1].Field(kWidthField), "3.0");
    EXPECT_EQ(style.legends[0].cells[2], "c");
    EXPECT_EQ(style.legends[0].cells[9], "@3");
    EXPECT_EQ(reader.ItemRowsRead(), 2);
}

TEST(StyleReader, SixtyItemLinesGiveFiftyDocumentRowsAndFortyNineEditorRows) {
    auto lines = StyleText(60);

    LogStyle style;
    StyleReader document(style);
    FeedAll(document, lines);
    EXPECT_EQ(style.ItemCount(), 50);
    EXPECT_EQ(style.items[49].ItemCode(), 1149);
    EXPECT_EQ(style.legends[0].cells[0], ":凡例35%65%N値");

    StyleEditorTable table;
    StyleReader editor(table);
    FeedAll(editor, lines);
    EXPECT_EQ(table.RowCount(), 49);
    EXPECT_EQ(table.rows[48].ItemCode(), 1148);
    EXPECT_TRUE(table.rows[49].IsEmpty());
    EXPECT_EQ(table.title, "標題");
    EXPECT_EQ(table.styleName, "名前");
}

TEST(StyleReader, TitleLinesBeyondTwentyOneAreIgnored) {
    LogStyle style;
    StyleReader reader(style);
    std::vector<std::string> lines = {"$$z_"};
    for (int i = 1; i <= 25; ++i) lines.push_back("title " + std::to_string(i));
    FeedAll(reader, lines);
    EXPECT_EQ(style.titleLines[20], "title 21");
    EXPECT_EQ(style.titleLines[0], "title 1");
}

TEST(StyleReader, DollarPairInsideAnItemTextStartsASection) {
    LogStyle style;
    StyleReader reader(style);
    FeedAll(reader, {"$$X_", ItemLine(1001), ItemLine(1002, "A$$B"), ItemLine(1003), "$$t_", "x,,,,,,,,,@1"});
    // The "$$" line switched to an ignored section: the rows after it are not items.
    ASSERT_EQ(style.ItemCount(), 1);
    EXPECT_EQ(style.items[0].ItemCode(), 1001);
    EXPECT_EQ(style.legends[0].cells[0], "x");
}

TEST(StyleReader, EachSectionLineRestartsItsRowCounter) {
    LogStyle style;
    StyleReader reader(style);
    FeedAll(reader, {"$$X_", ItemLine(1001), ItemLine(1002), ItemLine(1003), "$$X_", ItemLine(2001),
                     "$$t_", "a,,,,,,,,,@1", "$$t_", "b,,,,,,,,,@1"});
    ASSERT_EQ(style.ItemCount(), 3);
    EXPECT_EQ(style.items[0].ItemCode(), 2001);
    EXPECT_EQ(style.items[1].ItemCode(), 1002);
    EXPECT_EQ(style.legends[0].cells[0], "b");
}

TEST(StyleReader, FinishEmptiesRowsLeftFromAnEarlierStyle) {
    LogStyle style;
    {
        StyleReader first(style);
        FeedAll(first, StyleText(30));
    }
    ASSERT_EQ(style.ItemCount(), 30);
    StyleReader second(style);
    FeedAll(second, StyleText(20));
    EXPECT_EQ(style.ItemCount(), 20);
    for (int i = 20; i < kMaxItemRows; ++i) EXPECT_TRUE(style.items[i].IsEmpty()) << i;
}

TEST(StyleReader, BlankLineInTheItemSectionDoesNotEndTheList) {
    LogStyle style;
    StyleReader reader(style);
    FeedAll(reader, {"$$X_", ItemLine(1001), "", "  ", ItemLine(1002)});
    ASSERT_EQ(style.ItemCount(), 2);
    EXPECT_EQ(style.items[1].ItemCode(), 1002);
}

TEST(StyleReader, EditorReaderNormalisesAndClearsTheTable) {
    StyleEditorTable table;
    for (int i = 0; i < kMaxItemRows; ++i) table.rows[i].SetField(kLabelField, "9999 old");
    table.title = "old title";
    StyleReader reader(table);
    FeedAll(reader, {"$$z_", "新しい標題", "*2土質", "third", "$$X_",
                     "1025 地層・岩体区分,7,地層・岩体区分,14,1,12,,-1,0,0,,-1,0,0,,-1,0,0,A 自動,99 A,",
                     "3200 【原位置試験 図】,0,原位置試験,2,2,2,,-1,0,0,,-1,0,0,,-1,0,0,0,99 A,2"});
    EXPECT_EQ(table.title, "新しい標題");
    EXPECT_EQ(table.styleName, "*2土質");
    ASSERT_EQ(table.RowCount(), 2);
    const DisplayItem& first = table.rows[0];
    EXPECT_EQ(first.Label(), "1025 地層・岩体区分" + std::string(5, ' '));
    EXPECT_EQ(first.Field(kMarkerField), "99_");
    EXPECT_EQ(first.Field(kDataPlacementField), "99 Auto");
    EXPECT_EQ(first.Field(kGroupCountField), "0");
    const DisplayItem& group = table.rows[1];
    EXPECT_EQ(group.Field(kDataPlacementField), "99 A");
    EXPECT_EQ(group.Field(kMarkerField), "99_");
    for (int i = 2; i < kMaxItemRows; ++i) EXPECT_TRUE(table.rows[i].IsEmpty()) << i;
}

TEST(StyleReader, EditorReaderWithoutItemsEmptiesTheTable) {
    StyleEditorTable table;
    table.rows[0].SetField(kLabelField, "1001 標尺");
    StyleReader reader(table);
    FeedAll(reader, {"$$z_", "標題"});
    EXPECT_EQ(table.RowCount(), 0);
}

std::string Cp932File(const std::vector<std::string>& lines, const char* end = "\r\n") {
    std::string bytes;
    for (const auto& line : lines) bytes += core::Utf8ToCp932(line) + end;
    return bytes;
}

TEST(ReadStyleFileLines, AcceptsCrLfAndLfAndSplitsLongLines) {
    TempDir dir;
    std::string longLine = "1001 " + std::string(600, 'x') + ",5";
    auto crlf = ReadStyleFileLines(dir.Write("a.tls", Cp932File({"$$X_", "1001 標尺,5"})));
    ASSERT_TRUE(crlf.has_value());
    EXPECT_EQ(*crlf, (std::vector<std::string>{"$$X_", "1001 標尺,5"}));
    auto lf = ReadStyleFileLines(dir.Write("b.tls", Cp932File({"$$X_", "1001 標尺,5"}, "\n")));
    ASSERT_TRUE(lf.has_value());
    EXPECT_EQ(*lf, *crlf);

    auto split = ReadStyleFileLines(dir.Write("c.tls", Cp932File({longLine})));
    ASSERT_TRUE(split.has_value());
    ASSERT_EQ(split->size(), 2u);
    EXPECT_EQ((*split)[0].size(), 500u);
    EXPECT_EQ((*split)[0] + (*split)[1], longLine);

    // Double-byte characters are never cut in two.
    std::string wide;
    for (int i = 0; i < 260; ++i) wide += "あ";
    auto wideSplit = ReadStyleFileLines(dir.Write("d.tls", Cp932File({"x" + wide})));
    ASSERT_TRUE(wideSplit.has_value());
    ASSERT_EQ(wideSplit->size(), 2u);
    EXPECT_EQ(core::Cp932Width((*wideSplit)[0]), 499u);
    EXPECT_EQ((*wideSplit)[0] + (*wideSplit)[1], "x" + wide);

    EXPECT_FALSE(ReadStyleFileLines(dir.File("missing.tls")).has_value());
    EXPECT_FALSE(ReadStyleFileLines(dir.Path()).has_value());
}

// One line of a megabyte of mixed widths and invalid bytes: pieces of at most 500 bytes that
// never split a character and join back to the whole line.
TEST(ReadStyleFileLines, HugeLineOfMixedAndInvalidBytesSplitsIntoWholePieces) {
    std::string bytes;
    for (int i = 0; bytes.size() < (1u << 20); ++i) bytes += i % 3 == 0 ? "\x82\xa0" : i % 3 == 1 ? "a" : "\xff";
    const std::vector<std::string> pieces = StyleLinesOfBytes(bytes);
    std::string joined;
    ASSERT_GT(pieces.size(), 2000u);
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        EXPECT_LE(core::Cp932Width(pieces[i]), kStyleLineLimit);
        if (i + 1 < pieces.size()) {
            EXPECT_GE(core::Cp932Width(pieces[i]), kStyleLineLimit - 1);
        }
        joined += pieces[i];
    }
    EXPECT_EQ(joined, core::Cp932ToUtf8(bytes));
    TempDir dir;
    bool tooLarge = true;
    auto read = ReadStyleFileLines(dir.Write("long.tls", bytes), nullptr, &tooLarge);
    ASSERT_TRUE(read.has_value());
    EXPECT_FALSE(tooLarge);
    EXPECT_EQ(*read, pieces);
}

}  // namespace
}  // namespace stracol::style
