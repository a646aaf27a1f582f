#include "style/StyleApplication.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "style/BuiltInStyles.h"
#include "style/StyleKind.h"
#include "style/StyleReader.h"
#include "style/StyleWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace stracol::style {
namespace {

using stracol::testing::TempDir;

std::string Cp932File(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += core::Utf8ToCp932(line) + "\r\n";
    return bytes;
}

LogStyle BuiltIn(int n) {
    LogStyle style;
    ApplyStyleText(style, n == 0 ? StartupStyleLines() : BuiltInStyleLines(n));
    return style;
}

// A small style of its own, so that a test can tell it from every built-in style.
LogStyle OwnStyle() {
    LogStyle style;
    style.titleLines[0] = "自前の柱状図";
    style.items[0] = DisplayItem::FromLine("1001 標尺,6,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,99_,3  HR_Btm,0");
    style.items[1] = DisplayItem::FromLine("1024 記事,40,記事,14,1,12,,-1,0,0,,-1,0,0,,-1,0,0,99_,21 Wb_Top,0");
    return style;
}

TEST(StyleKind, ByFormatCodeAndLogKind) {
    struct Case {
        int format;
        const char* logKind;
        int kind;
    };
    const Case cases[] = {
        {110, "1", 3}, {200, "2", 1}, {201, "3", 5}, {202, " 1 ", 3}, {203, "9", 0}, {203, "", 0},
        {203, "11", 0}, {203, "a1", 0}, {203, "2.0", 1}, {203, "+3", 5},
        {204, "11", 2}, {204, "12", 3}, {205, "21", 1}, {205, "31", 4}, {490, "32", 5}, {204, "1", 0},
        {204, "12 土質", 3}, {205, "x12", 0}, {204, "", 0},
        {2, "", 3}, {3, "99", 1}, {480, "", 7}, {500, "", 6}, {510, "12", kOwnStyleKind},
        {209, "12", 0}, {509, "1", 0}, {600, "12", 0}, {0, "1", 0},
    };
    for (const auto& c : cases) EXPECT_EQ(StyleKind(c.format, c.logKind), c.kind) << c.format << " / " << c.logKind;
}

TEST(ApplyStyleForData, MissingCopyAppliesTheBuiltInStyleAndWritesItOut) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style = OwnStyle();
    ASSERT_FALSE(core::FileExists(dir.File("Style03.tls")));
    EXPECT_TRUE(ApplyStyleForData(style, dir.Path(), 204, "12", messages));
    EXPECT_EQ(style, [] {
        LogStyle want = OwnStyle();
        ApplyStyleText(want, BuiltInStyleLines(3));
        return want;
    }());
    EXPECT_EQ(style.items, BuiltIn(3).items);
    EXPECT_TRUE(messages.Empty());

    // The copy is the built-in text as it stands, up to and including "-1 Eof", CP932 with CR LF.
    auto written = core::ReadFileBytes(dir.File("Style03.tls"));
    ASSERT_TRUE(written.has_value());
    EXPECT_EQ(*written, Cp932File(BuiltInStyleLines(3)));
}

TEST(ApplyStyleForData, EditedCopyChangesWhatTheNextFileGets) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle first;
    ASSERT_TRUE(ApplyStyleForData(first, dir.Path(), 204, "12", messages));
    ASSERT_EQ(first.FindItem(1024)->Field(kWidthField), "35");

    // The user edits the copy: a wider article column and no colour column.
    auto lines = core::ReadCp932Lines(dir.File("Style03.tls"));
    ASSERT_TRUE(lines.has_value());
    std::vector<std::string> edited;
    for (auto line : *lines) {
        if (line.rfind("1015 ", 0) == 0) continue;
        if (line.rfind("1024 ", 0) == 0) line.replace(line.find(",35,"), 4, ",44,");
        edited.push_back(line);
    }
    ASSERT_TRUE(core::WriteCp932Lines(dir.File("Style03.tls"), edited, nullptr));

    LogStyle second;
    ASSERT_TRUE(ApplyStyleForData(second, dir.Path(), 205, "12", messages));
    EXPECT_EQ(second.FindItem(1024)->Field(kWidthField), "44");
    EXPECT_EQ(second.FindItem(1015), nullptr);
    EXPECT_EQ(second.ItemCount(), first.ItemCount() - 1);
    // The copy was read, not rewritten.
    EXPECT_EQ(*core::ReadCp932Lines(dir.File("Style03.tls")), edited);
    EXPECT_TRUE(messages.Empty());
}

TEST(ApplyStyleForData, KindWithoutBuiltInStyleLeavesTheStyleUnchanged) {
    TempDir dir;
    core::RecordingMessages messages;
    for (auto [format, kind] : {std::pair{203, "9"}, {510, "12"}, {600, ""}, {209, "1"}}) {
        LogStyle style = OwnStyle();
        EXPECT_FALSE(ApplyStyleForData(style, dir.Path(), format, kind, messages)) << format;
        EXPECT_EQ(style, OwnStyle()) << format;
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ApplyStyleForData, EmptyStyleAfterwardsGetsTheStartupStyle) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style;
    EXPECT_TRUE(ApplyStyleForData(style, dir.Path(), 203, "9", messages));
    EXPECT_EQ(style.items, BuiltIn(0).items);
    EXPECT_EQ(style.Name(), "SyInitV.tls");

    ASSERT_TRUE(WriteStyleFile(dir.File("SyInitV.tls"), OwnStyle(), nullptr));
    LogStyle again;
    EXPECT_TRUE(ApplyStyleForData(again, dir.Path(), 0, "", messages));
    EXPECT_EQ(again.items, OwnStyle().items);
    EXPECT_TRUE(messages.Empty());
}

TEST(ApplyBuiltInStyle, SpoiltCopyIsNotOverwrittenAndTheBuiltInTextIsUsed) {
    TempDir dir;
    core::RecordingMessages messages;
    std::string garbage = std::string("\x00\x01\xff\xfe binary", 12);
    dir.Write("Style01.tls", garbage);
    LogStyle style = OwnStyle();
    EXPECT_TRUE(ApplyBuiltInStyle(style, 1, dir.Path(), messages));
    EXPECT_EQ(style.items, BuiltIn(1).items);
    EXPECT_EQ(dir.Read("Style01.tls"), garbage);
    EXPECT_EQ(messages.Count(core::MessageText(core::MessageId::WrongFileContent)), 1);
}

TEST(ApplyBuiltInStyle, NumbersOutsideOneToEightChangeNothing) {
    TempDir dir;
    core::RecordingMessages messages;
    for (int n : {0, 9, 100, -1}) {
        LogStyle style = OwnStyle();
        EXPECT_FALSE(ApplyBuiltInStyle(style, n, dir.Path(), messages));
        EXPECT_EQ(style, OwnStyle());
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
}

TEST(ApplyStartupStyle, UsesTheFileOrTheBuiltInDefault) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style = OwnStyle();
    ApplyStartupStyle(style, dir.Path(), messages);  // no SyInitV.tls
    EXPECT_EQ(style.items, BuiltIn(0).items);
    EXPECT_TRUE(messages.Empty());
    EXPECT_FALSE(core::FileExists(dir.File("SyInitV.tls")));

    // An empty start-up file (say, from a full disk) would leave a log without columns.
    dir.Write("SyInitV.tls", "");
    LogStyle fromEmpty = OwnStyle();
    ApplyStartupStyle(fromEmpty, dir.Path(), messages);
    EXPECT_EQ(fromEmpty.items, BuiltIn(0).items);
    EXPECT_EQ(messages.Count(core::MessageText(core::MessageId::WrongFileContent)), 1);

    ASSERT_TRUE(WriteStyleFile(dir.File("SyInitV.tls"), BuiltIn(5), nullptr));
    LogStyle fromFile;
    ApplyStartupStyle(fromFile, dir.Path(), messages);
    EXPECT_EQ(fromFile.items, BuiltIn(5).items);
}

TEST(ApplyStyleFile, MissingFileLeavesTheStyleUnchanged) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style = OwnStyle();
    EXPECT_EQ(ApplyStyleFile(style, dir.File("none.tls"), messages), StyleFileResult::Missing);
    EXPECT_EQ(ApplyStyleFile(style, dir.Path(), messages), StyleFileResult::Missing);
    EXPECT_EQ(style, OwnStyle());
    EXPECT_TRUE(messages.Empty());
}

// A file larger than any style (4 MB) is there: it is told as holding no style, not as missing,
// both when applied and when listed.
TEST(ApplyStyleFile, FileLargerThanAnyStyleIsToldAsWrongContent) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style = OwnStyle();
    const std::string path = dir.Write("huge.tls", "$$X_\r\n" + std::string(kMaxStyleFileBytes, 'x'));
    EXPECT_EQ(ApplyStyleFile(style, path, messages), StyleFileResult::Unusable);
    EXPECT_EQ(style, OwnStyle());
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_EQ(messages.entries[0].text, core::MessageText(core::MessageId::WrongFileContent));
    EXPECT_FALSE(LoadStyleForListing(style, path, dir.Path(), messages));
    for (const auto& entry : messages.entries) EXPECT_EQ(entry.text.find("ファイルが見つかりません"), std::string::npos) << entry.text;
}

TEST(ApplyStyleFile, FileWithoutItemsLeavesTheStyleUnchangedAndSaysSo) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style = OwnStyle();
    std::string path = dir.Write("notes.tls", Cp932File({"$$_TQSTL1", "$$z_", "標題だけ", "$$_"}));
    EXPECT_EQ(ApplyStyleFile(style, path, messages), StyleFileResult::Unusable);
    EXPECT_EQ(style, OwnStyle());
    EXPECT_EQ(messages.entries.size(), 1u);
}

TEST(LoadBuiltInStyleForEditor, ReadsTheCopyOrTheBuiltInText) {
    TempDir dir;
    core::RecordingMessages messages;
    StyleEditorTable table;
    ASSERT_TRUE(LoadBuiltInStyleForEditor(table, 2, dir.Path(), messages));
    EXPECT_EQ(table.RowCount(), BuiltIn(2).ItemCount());
    EXPECT_EQ(table.rows[0].Label(), "1001 標尺" + std::string(15, ' '));
    EXPECT_EQ(table.styleName, "*2土質オールコア");
    EXPECT_FALSE(core::FileExists(dir.File("Style02.tls")));  // the editor writes nothing

    // With a copy present, its rows are read and the legend rows come from Mst/ClmObh.mst.
    ASSERT_TRUE(WriteStyleFile(dir.File("Style02.tls"), OwnStyle(), nullptr));
    dir.Write("Mst/ClmObh.mst", Cp932File({"既定の凡例,,,,,,,,,@1", "二行目,,,,,,,,,@1", "", "後,,,,,,,,,@1"}));
    ASSERT_TRUE(LoadBuiltInStyleForEditor(table, 2, dir.Path(), messages));
    EXPECT_EQ(table.RowCount(), 2);
    EXPECT_EQ(table.legends[0].cells[0], "既定の凡例");
    EXPECT_EQ(table.legends[1].cells[0], "二行目");
    EXPECT_EQ(table.legends[2].cells[0], "");
    EXPECT_FALSE(LoadBuiltInStyleForEditor(table, 9, dir.Path(), messages));
}

TEST(StyleListing, TitleLinesThenOneLinePerRow) {
    LogStyle style = OwnStyle();
    auto listing = StyleListing(style);
    ASSERT_EQ(listing.size(), 6u);
    EXPECT_EQ(listing[0], "自前の柱状図");
    EXPECT_EQ(listing[1], "");
    EXPECT_EQ(listing[4], "1001 標尺,6,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,99_,3  HR_Btm,0");
    EXPECT_EQ(listing[5], "1024 記事,40,記事,14,1,12,,-1,0,0,,-1,0,0,,-1,0,0,99_,21 Wb_Top,0");

    style.titleLines[6] = "seventh";
    listing = StyleListing(style);
    ASSERT_EQ(listing.size(), 9u);
    EXPECT_EQ(listing[6], "seventh");
}

TEST(LoadStyleForListing, BuiltInNumberOnlyReads) {
    TempDir dir;
    core::RecordingMessages messages;
    LogStyle style;
    ASSERT_TRUE(LoadStyleForListing(style, "4", dir.Path(), messages));
    EXPECT_EQ(style.items, BuiltIn(4).items);
    EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));

    ASSERT_TRUE(WriteStyleFile(dir.File("Style04.tls"), OwnStyle(), nullptr));
    ASSERT_TRUE(LoadStyleForListing(style, "4", dir.Path(), messages));
    EXPECT_EQ(style.items, OwnStyle().items);
    EXPECT_TRUE(messages.Empty());
}

TEST(LoadStyleForListing, PathOfAStyleFile) {
    TempDir dir;
    core::RecordingMessages messages;
    ASSERT_TRUE(WriteStyleFile(dir.File("mine.tls"), OwnStyle(), nullptr));
    LogStyle style = BuiltIn(1);
    ASSERT_TRUE(LoadStyleForListing(style, dir.File("mine.tls"), dir.Path(), messages));
    EXPECT_EQ(style.items, OwnStyle().items);  // nothing of the earlier style remains

    LogStyle untouched = OwnStyle();
    EXPECT_FALSE(LoadStyleForListing(untouched, dir.File("missing.tls"), dir.Path(), messages));
    EXPECT_EQ(untouched, OwnStyle());
    EXPECT_EQ(messages.Count(core::MessageText(core::MessageId::FileNotFound, dir.File("missing.tls"))), 1);
    EXPECT_FALSE(LoadStyleForListing(untouched, "9", dir.Path(), messages));
}

}  // namespace
}  // namespace stracol::style
