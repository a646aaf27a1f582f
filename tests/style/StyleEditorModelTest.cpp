#include "style/StyleEditorModel.h"

#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "style/BuiltInStyles.h"
#include "style/StyleApplication.h"
#include "style/StyleReader.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace stracol::style {
namespace {

using stracol::testing::TempDir;

const ItemCatalogue& Catalogue() {
    static const ItemCatalogue catalogue = [] {
        ItemCatalogue c;
        c.LoadBuiltIn();
        return c;
    }();
    return catalogue;
}

LogStyle BuiltIn(int n) {
    LogStyle style;
    ApplyStyleText(style, BuiltInStyleLines(n));
    return style;
}

// A small style: three basic columns, a pattern column and the article column.
LogStyle Small() {
    LogStyle style;
    style.titleLines[0] = "土質ボーリング柱状図(標準貫入試験)";
    style.titleLines[1] = "/tmp/small.tls";
    const char* lines[] = {
        "1001 標尺,5,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,99_,3  HR_Btm,0",
        "1002 標高,7.5,標高,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,99_,2  HC_Btm,0",
        "1003 深度,8,深度,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,99_,2  HC_Btm,0",
        "1005 現場土質名（模様）,8.2,現場土質名,14,1,8,模様,14,9,11.5,,-1,0,0,,-1,0,0,99_,99 Auto,0",
        "1024 記事,30,記事,14,1,12,,-1,0,0,,-1,0,0,,-1,0,0,99_,21 Wb_Top,0",
    };
    int i = 0;
    for (const char* line : lines) style.items[i++] = DisplayItem::FromLine(line);
    return style;
}

// A label as the editor holds it: padded to 24 CP932 bytes.
std::string Pad(std::string_view label) { return core::Cp932PadRight(label, kLabelWidth); }

int CatalogueIndex(int code) {
    for (std::size_t i = 0; i < Catalogue().Count(); ++i)
        if (Catalogue().Entry(i).ItemCode() == code) return static_cast<int>(i);
    return -1;
}

std::vector<int> Codes(const StyleEditorModel& model) {
    std::vector<int> codes;
    for (int i = 0; i < model.RowCount(); ++i) codes.push_back(model.Row(i).ItemCode());
    return codes;
}

struct Fixture {
    explicit Fixture(const LogStyle& style, StyleEditorContext context = {})
        : model(style, Catalogue(), std::move(context), messages) {}
    core::RecordingMessages messages;
    StyleEditorModel model;
};

TEST(StyleEditorModel, OpensWithTheStyleNormalisedAndTheFirstEmptyRowSelected) {
    Fixture f(BuiltIn(3));
    EXPECT_EQ(f.model.RowCount(), BuiltIn(3).ItemCount());
    EXPECT_EQ(f.model.Title(), "土質ボーリング柱状図(標準貫入試験)");
    EXPECT_EQ(f.model.StyleName(), "*3土質標準貫入試験");
    EXPECT_EQ(f.model.Selected(), f.model.RowCount());
    EXPECT_EQ(core::Cp932Width(f.model.Row(0).Label()), kLabelWidth);
    EXPECT_EQ(f.model.Row(0).Field(kMarkerField), "99_");
    EXPECT_FALSE(f.model.Changed());
}

// Add: each refusal with its message, the table unchanged; then a row that is taken.
TEST(StyleEditorModel, AddRefusesWithItsMessages) {
    struct Case {
        const char* name;
        std::function<void(StyleEditorModel&)> prepare;
        std::string message;  // empty: added
    };
    const std::vector<Case> cases = {
        {"nothing chosen", [](StyleEditorModel&) {}, "追加できません."},
        {"same code as a row", [](StyleEditorModel& m) { m.ChooseCatalogueEntry(CatalogueIndex(1024)); },
         "同じ 表示項目データがあります.\n修正なら上書きしてください."},
        {"same code, other variant",
         [](StyleEditorModel& m) {
             m.ChooseCatalogueEntry(CatalogueIndex(1003));
             m.SetEditField(kLabelField, "1003 深度(別名)");
             m.SetEditField(kWidthField, "9");
         },
         "同じ 表示項目データがあります.\n修正なら上書きしてください."},
        {"negative width",
         [](StyleEditorModel& m) {
             m.ChooseCatalogueEntry(CatalogueIndex(1015));
             m.SetEditField(kWidthField, "-1");
         },
         "0 から 297 までの数値を入力してください。"},
        {"width beyond the paper",
         [](StyleEditorModel& m) {
             m.ChooseCatalogueEntry(CatalogueIndex(1015));
             m.SetEditField(kWidthField, "297.5");
         },
         "0 から 297 までの数値を入力してください。"},
        {"width not a number",
         [](StyleEditorModel& m) {
             m.ChooseCatalogueEntry(CatalogueIndex(1015));
             m.SetEditField(kWidthField, "幅");
         },
         "0 から 297 までの数値を入力してください。"},
        {"group count not a number",
         [](StyleEditorModel& m) {
             m.ChooseCatalogueEntry(CatalogueIndex(3300));
             m.SetEditField(kGroupCountField, "x");
         },
         "数値が異常です"},
        {"a new item", [](StyleEditorModel& m) { m.ChooseCatalogueEntry(CatalogueIndex(1015)); }, ""},
        {"width at the paper's width",
         [](StyleEditorModel& m) {
             m.ChooseCatalogueEntry(CatalogueIndex(1015));
             m.SetEditField(kWidthField, "297");
         },
         ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(Small());
        c.prepare(f.model);
        const bool added = f.model.Add();
        if (c.message.empty()) {
            ASSERT_TRUE(added);
            EXPECT_TRUE(f.messages.Empty());
            EXPECT_EQ(Codes(f.model), (std::vector<int>{1001, 1002, 1003, 1005, 1024, 1015}));
            EXPECT_EQ(f.model.Row(5).Label(), Pad("1015 色調"));
            EXPECT_EQ(f.model.Row(5).Field(kDataPlacementField), "23 Wb_Btm");
            EXPECT_TRUE(f.model.Edit().IsEmpty());
            EXPECT_EQ(f.model.Selected(), -1);
            EXPECT_TRUE(f.model.Changed());
        } else {
            EXPECT_FALSE(added);
            ASSERT_EQ(f.messages.entries.size(), 1u);
            EXPECT_EQ(f.messages.entries[0].text, c.message);
            EXPECT_EQ(Codes(f.model), (std::vector<int>{1001, 1002, 1003, 1005, 1024}));
        }
    }
}

TEST(StyleEditorModel, AddToAFullTableIsRefused) {
    LogStyle full;
    for (int i = 0; i < kMaxItemRows; ++i)
        full.items[i] = DisplayItem::FromLine("1023 空欄,1,,-1,0,0,,-1,0,0,,-1,0,0,,-1,0,0,99_,99 Auto,0");
    Fixture f(full);
    f.model.ChooseCatalogueEntry(CatalogueIndex(1015));
    EXPECT_FALSE(f.model.Add());
    EXPECT_EQ(f.messages.Count("最大行数です. 追加できません."), 1);
}

TEST(StyleEditorModel, OverwriteRefusesWithItsMessages) {
    struct Case {
        const char* name;
        LogStyle style;
        int select;
        int code;
        const char* width;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"empty table", LogStyle{}, 0, 1015, "8", "上書きできません."},
        {"no row selected", Small(), -1, 1015, "8", "上書きできません. 指定行が範囲外です."},
        {"code of another row", Small(), 1, 1024, "8", "同じ 表示項目データがあります.\n修正なら上書きしてください."},
        {"width out of range", Small(), 1, 1002, "300", "0 から 297 までの数値を入力してください。"},
        {"own row with a new width", Small(), 1, 1002, "9.5", ""},
        {"another item in its place", Small(), 1, 1015, "8", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(c.style);
        const std::vector<int> before = Codes(f.model);
        f.model.SelectRow(c.select);
        f.model.ChooseCatalogueEntry(CatalogueIndex(c.code));
        f.model.SetEditField(kWidthField, c.width);
        const bool written = f.model.Overwrite();
        if (c.message.empty()) {
            ASSERT_TRUE(written);
            EXPECT_EQ(f.model.Row(1).ItemCode(), c.code);
            EXPECT_EQ(f.model.Row(1).Field(kWidthField), c.width);
            EXPECT_EQ(f.model.RowCount(), 5);
        } else {
            EXPECT_FALSE(written);
            ASSERT_EQ(f.messages.entries.size(), 1u);
            EXPECT_EQ(f.messages.entries[0].text, c.message);
            EXPECT_EQ(Codes(f.model), before);
        }
    }
}

TEST(StyleEditorModel, DeletingAGroupHeaderMovesTheRowsUpAndKeepsItsItems) {
    Fixture f(BuiltIn(3));
    const int count = f.model.RowCount();
    const double sum = f.model.WidthSum();
    int header = -1;
    for (int i = 0; i < count; ++i)
        if (f.model.Row(i).ItemCode() == 3100) header = i;
    ASSERT_GE(header, 0);
    f.model.SelectRow(header);
    ASSERT_TRUE(f.model.DeleteSelected());
    EXPECT_EQ(f.model.RowCount(), count - 1);
    EXPECT_EQ(f.model.Row(header).ItemCode(), 3101);
    EXPECT_TRUE(f.model.Row(kMaxItemRows - 1).IsEmpty());
    EXPECT_TRUE(f.model.Edit().IsEmpty());
    EXPECT_TRUE(f.model.Changed());
    EXPECT_DOUBLE_EQ(f.model.WidthSum(), sum);  // a group header has no width of its own
    // Nothing selected: nothing happens.
    f.model.SelectRow(-1);
    EXPECT_FALSE(f.model.DeleteSelected());
    EXPECT_EQ(f.model.RowCount(), count - 1);
}

TEST(StyleEditorModel, MovesExchangeRowsAndStopAtTheEnds) {
    struct Case {
        const char* name;
        int select;
        bool up;
        bool moved;
        std::vector<int> codes;
        int selectedAfter;
    };
    const std::vector<Case> cases = {
        {"first row up", 0, true, false, {1001, 1002, 1003, 1005, 1024}, 0},
        {"last row down", 4, false, false, {1001, 1002, 1003, 1005, 1024}, 4},
        {"no row selected", -1, true, false, {1001, 1002, 1003, 1005, 1024}, -1},
        {"second row up", 1, true, true, {1002, 1001, 1003, 1005, 1024}, 0},
        {"last but one down", 3, false, true, {1001, 1002, 1003, 1024, 1005}, 4},
        {"last row up", 4, true, true, {1001, 1002, 1003, 1024, 1005}, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(Small());
        f.model.SelectRow(c.select);
        EXPECT_EQ(c.up ? f.model.MoveUp() : f.model.MoveDown(), c.moved);
        EXPECT_EQ(Codes(f.model), c.codes);
        EXPECT_EQ(f.model.Selected(), c.selectedAfter);
        EXPECT_EQ(f.model.Changed(), c.moved);
    }
}

TEST(StyleEditorModel, WidthSumCountsItemsAndZeroesGroupHeaderWidths) {
    LogStyle style = Small();
    style.items[5] = DisplayItem::FromLine("3300 【試料採取】,5,試料採取,2,2,2,,-1,0,0,,-1,0,0,,-1,0,0,99_,99,1");
    style.items[6] = DisplayItem::FromLine("3301 試料採取>深度,7.5,深度,14,3.2,8,m,2,12,12,,-1,0,0,,-1,0,0,99_,99 Auto,0");
    style.items[7] = DisplayItem::FromLine("1023 空欄,幅,,-1,0,0,,-1,0,0,,-1,0,0,,-1,0,0,99_,99 Auto,0");
    Fixture f(style);
    EXPECT_NEAR(f.model.WidthSum(), 5 + 7.5 + 8 + 8.2 + 30 + 7.5, 1e-9);
    EXPECT_EQ(f.model.WidthSumText(), "66.2");
    EXPECT_EQ(f.model.Row(5).Field(kWidthField), "0");
    EXPECT_EQ(f.model.Row(7).Field(kWidthField), "幅");
}

TEST(StyleEditorModel, AutomaticDistributionBringsTheSumToTheTitleWidth) {
    struct Case {
        const char* name;
        double titleWidthMm;
    };
    const Case cases[] = {{"narrower", 50}, {"wider", 75.3}, {"a little narrower", 58.3}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StyleEditorContext context;
        context.titleWidthMm = c.titleWidthMm;
        Fixture f(Small(), context);
        const double before = f.model.WidthSum();
        f.model.SelectRow(4);
        ASSERT_TRUE(f.model.DistributeWidths());
        EXPECT_EQ(f.model.Edit(), f.model.Row(4));
        EXPECT_EQ(f.model.WidthSumText(), core::Sprintf("%.1f", c.titleWidthMm));
        EXPECT_EQ(f.model.Row(3).Field(kWidthField), "8.2");  // the pattern column keeps its width
        // The difference is spread over the four other columns (the first takes the residue).
        const double each = (before - c.titleWidthMm) / 4;
        for (int i : {1, 2, 4}) EXPECT_NEAR(Small().items[i].WidthMm() - f.model.Row(i).WidthMm(), each, 0.051);
        EXPECT_NEAR(Small().items[0].WidthMm() - f.model.Row(0).WidthMm(), each, 0.21);
        EXPECT_TRUE(f.messages.Empty());
        EXPECT_TRUE(f.model.Changed());
    }
}

// The rounding residue of many columns: above 0.5 it is halved between the first and the last
// changed row; below -1.1 the first row takes only 1.1.
TEST(StyleEditorModel, AutomaticDistributionResidue) {
    const int codes[] = {1001, 1002, 1003, 1006, 1008, 1010, 1011, 1015, 1019, 1020, 1021, 1022,
                         1023, 1024, 1025, 1026, 1027, 1031, 1032, 1033, 1034, 1035, 1036, 1037};
    struct Case {
        const char* name;
        int rows;
        double titleWidthMm;
        const char* first;
        const char* last;
        const char* sum;
    };
    const Case cases[] = {
        {"residue above 0.5", 12, 119.412, "9.7", "9.7", "119.4"},
        {"residue below -1.1", 24, 241.176, "11.1", "10.0", "241.1"},
        {"residue between", 12, 119.7, "9.7", "10.0", "119.7"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        LogStyle style;
        for (int i = 0; i < c.rows; ++i) {
            style.items[i] = Catalogue().Entry(CatalogueIndex(codes[i]));
            style.items[i].SetField(kWidthField, "10");
        }
        StyleEditorContext context;
        context.titleWidthMm = c.titleWidthMm;
        Fixture f(style, context);
        ASSERT_TRUE(f.model.DistributeWidths());
        EXPECT_EQ(f.model.Row(0).Field(kWidthField), c.first);
        EXPECT_EQ(f.model.Row(c.rows - 1).Field(kWidthField), c.last);
        for (int i = 1; i + 1 < c.rows; ++i) EXPECT_EQ(f.model.Row(i).Field(kWidthField), "10.0") << i;
        EXPECT_EQ(f.model.WidthSumText(), c.sum);
    }
}

TEST(StyleEditorModel, AutomaticDistributionRefusals) {
    LogStyle fixedOnly;
    fixedOnly.items[0] = Small().items[3];
    fixedOnly.items[1] = DisplayItem::FromLine("2301 採取率コア長 図,20,@B@4,4,3,8,,-1,0,0,,-1,0,0,,-1,0,0,99_,99 Auto,0");
    struct Case {
        const char* name;
        LogStyle style;
        double titleWidthMm;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"sum within 0.1", Small(), 58.65,
         "修正幅が微小です. 手動で修正して下さい.　\nまたは修正可能な項目幅がありません.　"},
        {"only pattern and graph columns", fixedOnly, 20, "データがありません、または異常です　\n( 自動計算できる項目 )"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        StyleEditorContext context;
        context.titleWidthMm = c.titleWidthMm;
        Fixture f(c.style, context);
        std::vector<std::string> widths;
        for (int i = 0; i < f.model.RowCount(); ++i) widths.push_back(f.model.Row(i).Field(kWidthField));
        EXPECT_FALSE(f.model.DistributeWidths());
        ASSERT_EQ(f.messages.entries.size(), 1u);
        EXPECT_EQ(f.messages.entries[0].text, c.message);
        for (int i = 0; i < f.model.RowCount(); ++i) EXPECT_EQ(f.model.Row(i).Field(kWidthField), widths[i]);
        EXPECT_FALSE(f.model.Changed());
    }
}

// The checks of OK: a Yes stops the commit so that the table can be corrected, a No goes on.
TEST(StyleEditorModel, ChecksOfOk) {
    struct Case {
        const char* name;
        std::function<void(LogStyle&)> spoil;
        std::string question;  // empty: no question
    };
    const std::vector<Case> cases = {
        {"clean", [](LogStyle&) {}, ""},
        {"code not in the catalogue",
         [](LogStyle& s) { s.items[2] = DisplayItem::FromLine("1099 謎の項目,5,謎,14,1,12,,-1,0,0,,-1,0,0,,-1,0,0,99_,2,0"); },
         "表示事項の一覧内に下のNoのデータはありません \n修正しますか?\n" + Pad("1099 謎の項目") + "\r\n"},
        {"group count beyond the rows",
         [](LogStyle& s) {
             s.items[3] = DisplayItem::FromLine("3100 【標準貫入試験】,0,標準貫入試験,2,2,2,,-1,0,0,,-1,0,0,,-1,0,0,99_,99,4");
         },
         "「" + Pad("3100 【標準貫入試験】") + "」\nグループ数が異常です.修正しますか？"},
        {"group count 0",
         [](LogStyle& s) {
             s.items[3] = DisplayItem::FromLine("3300 【試料採取】,0,試料採取,2,2,2,,-1,0,0,,-1,0,0,,-1,0,0,99_,99,0");
         },
         Pad("3300 【試料採取】") + "\nグループ数が無いまたは異常です. 修正しますか?"},
    };
    for (const auto& c : cases) {
        for (bool correct : {true, false}) {
            SCOPED_TRACE(std::string(c.name) + (correct ? " / Yes" : " / No"));
            LogStyle style = Small();
            c.spoil(style);
            Fixture f(style);
            f.messages.answers.push_back(correct);
            LogStyle current = BuiltIn(1);
            const bool accepted = f.model.Accept(current);
            if (c.question.empty()) {
                EXPECT_TRUE(accepted);
                EXPECT_TRUE(f.messages.Empty());
                continue;
            }
            ASSERT_FALSE(f.messages.entries.empty());
            EXPECT_EQ(f.messages.entries[0].kind, core::MessageKind::Question);
            EXPECT_EQ(f.messages.entries[0].text, c.question);
            EXPECT_EQ(accepted, !correct);
            if (correct) EXPECT_EQ(current, BuiltIn(1));
            else EXPECT_EQ(current.items[0].ItemCode(), 1001);
        }
    }
}

TEST(StyleEditorModel, CommitMendsCommasCutsPlacementsAndTellsRepeatedCodes) {
    LogStyle style = Small();
    style.items[5] = DisplayItem::FromLine("1003 深度,6,深度,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,99_,2  HC_Btm. ,0");
    Fixture f(style);
    f.model.SelectRow(4);
    f.model.SetEditField(3, "記事，備考");
    f.model.SetEditField(3, "記事,備考");
    ASSERT_TRUE(f.model.Overwrite());
    f.model.SetTitle("自前の柱状図");
    LogStyle current;
    current.titleLines[2] = "三行目";
    ASSERT_TRUE(f.model.Accept(current));
    EXPECT_EQ(current.Title(), "自前の柱状図");
    EXPECT_EQ(current.Name(), "/tmp/small.tls");
    EXPECT_EQ(current.titleLines[2], "");  // the style's own third line, empty in Small()
    EXPECT_EQ(current.items[4].Field(3), "記事，備考");
    EXPECT_EQ(current.items[5].Field(kDataPlacementField), "2  HC_Btm");
    EXPECT_EQ(current.ItemCount(), 6);
    ASSERT_EQ(f.messages.entries.size(), 1u);
    EXPECT_EQ(f.messages.entries[0].text, "同じ「表示事項」データがあります.\n（" + Pad("1003 深度") + "\r\n）");
}

// Save, then read back through the style reader (as stracol-render --style does) and through
// the editor's Open: the same rows.
TEST(StyleEditorModel, SaveThenLoadGivesTheSameRows) {
    for (int n = 1; n <= kBuiltInStyleCount; ++n) {
        SCOPED_TRACE(n);
        TempDir dir;
        StyleEditorContext context;
        context.installFolder = dir.Path();
        Fixture f(BuiltIn(n), context);
        f.model.SelectRow(0);
        f.model.SetEditField(kWidthField, "11.5");
        ASSERT_TRUE(f.model.Overwrite());
        f.messages.defaultAnswer = false;  // repeated-code notes are answered, not corrected
        const std::string path = dir.File("edited.tls");
        ASSERT_TRUE(f.model.Save(path));
        EXPECT_EQ(f.model.StyleName(), path);

        LogStyle read;
        core::RecordingMessages readMessages;
        ASSERT_EQ(ApplyStyleFile(read, path, readMessages), StyleFileResult::Applied);
        const LogStyle& saved = f.model.Committed();
        EXPECT_EQ(read.ItemCount(), f.model.RowCount());
        for (int i = 0; i < kMaxItemRows; ++i) EXPECT_EQ(read.items[i], saved.items[i]) << i;
        EXPECT_EQ(read.items[0].Field(kWidthField), "11.5");
        EXPECT_EQ(read.Name(), path);
        EXPECT_EQ(read.legends, saved.legends);

        Fixture g(LogStyle{}, context);
        ASSERT_TRUE(g.model.Open(path));
        ASSERT_EQ(g.model.RowCount(), f.model.RowCount());
        for (int i = 0; i < g.model.RowCount(); ++i) EXPECT_EQ(g.model.Row(i), saved.items[i]) << i;
        EXPECT_EQ(g.model.LastFolder(), dir.Path());
        EXPECT_EQ(g.model.LastFileName(), "edited.tls");
    }
}

TEST(StyleEditorModel, SaveNamesAndExtensions) {
    struct Case {
        const char* chosen;
        const char* written;  // nullptr: nothing written
        std::string message;
    };
    const Case cases[] = {
        {"plain", "plain.tls", ""},
        {"dot.", "dot.tls", ""},
        {"named.TLS", "named.TLS", ""},
        {"table.h", "table.h", "system h"},
        {"other.txt", nullptr, "標準の拡張子ではありません"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.chosen);
        TempDir dir;
        Fixture f(Small());
        const bool saved = f.model.Save(dir.File(c.chosen));
        EXPECT_EQ(saved, c.written != nullptr);
        if (c.written) EXPECT_TRUE(core::FileExists(dir.File(c.written)));
        else EXPECT_FALSE(core::FileExists(dir.File(c.chosen)));
        if (c.message.empty()) EXPECT_TRUE(f.messages.Empty());
        else EXPECT_EQ(f.messages.Count(c.message), 1);
    }
    // An empty table saves nothing.
    TempDir dir;
    Fixture empty((LogStyle()));
    EXPECT_FALSE(empty.model.Save(dir.File("none.tls")));
    EXPECT_EQ(empty.messages.Count("データがありません、または異常です　\n( 表示項目データ )"), 1);
    EXPECT_FALSE(core::FileExists(dir.File("none.tls")));
}

TEST(StyleEditorModel, ProposedSaveName) {
    struct Case {
        const char* name;
        const char* proposed;
    };
    const Case cases[] = {
        {"/data/own.tls", "/data/own.tls"}, {"* 3 土質標準貫入試験", ""}, {"/home/SyInitV.tls", ""},
        {"SysIni", ""}, {"/data/log.tlw", "/data/log.tls"}, {"/data/OLD.JDW", "/data/OLD.tls"},
    };
    for (const auto& c : cases) {
        LogStyle style = Small();
        style.titleLines[1] = c.name;
        Fixture f(style);
        EXPECT_EQ(f.model.ProposedSaveName(), c.proposed) << c.name;
    }
}

TEST(StyleEditorModel, SaveAsStartupAsksAndWritesTheStartupStyle) {
    for (bool yes : {false, true}) {
        TempDir dir;
        StyleEditorContext context;
        context.installFolder = dir.Path();
        Fixture f(Small(), context);
        f.messages.answers.push_back(yes);
        EXPECT_EQ(f.model.SaveAsStartup(), yes);
        EXPECT_EQ(f.messages.Count("現在の表示事項や配置などの様式を\n起動時待機用として保存します. 　"), 1);
        EXPECT_EQ(core::FileExists(dir.File("SyInitV.tls")), yes);
        if (!yes) continue;
        LogStyle read;
        core::RecordingMessages m;
        ApplyStartupStyle(read, dir.Path(), m);
        EXPECT_EQ(read.items, f.model.Committed().items);
    }
}

TEST(StyleEditorModel, BuiltInStyleAsksOnceWhileDataIsLoaded) {
    int confirm = 1;
    StyleEditorContext context;
    context.dataLoaded = true;
    context.confirmStyleReplace = &confirm;
    Fixture f(Small(), context);
    f.messages.answers.push_back(false);
    EXPECT_FALSE(f.model.ApplyBuiltInEntry("4 地すべりオールコア"));
    EXPECT_EQ(f.messages.Count("現在の様式をクリアし、上書きします. よいですか？\n( 柱状図データは消えません )"), 1);
    EXPECT_EQ(Codes(f.model), (std::vector<int>{1001, 1002, 1003, 1005, 1024}));
    EXPECT_EQ(confirm, 0);
    // Asked once in a session: the next choice is applied at once.
    EXPECT_TRUE(f.model.ApplyBuiltInEntry("4 地すべりオールコア"));
    EXPECT_EQ(f.messages.entries.size(), 1u);
    EXPECT_EQ(f.model.RowCount(), BuiltIn(4).ItemCount());
    EXPECT_EQ(f.model.StyleName(), "* 4 地すべりオールコア");
    EXPECT_EQ(f.model.Title(), "地すべりボーリング柱状図(オールコア)");
    EXPECT_TRUE(f.model.Changed());
    // The divider has no number.
    EXPECT_FALSE(f.model.ApplyBuiltInEntry("  　…"));
    EXPECT_EQ(f.messages.Count("データが無い、または異常・不正です."), 1);
    EXPECT_EQ(f.model.RowCount(), BuiltIn(4).ItemCount());
}

TEST(StyleEditorModel, OpenRefusesOtherFilesAndKeepsTheTable) {
    TempDir dir;
    StyleEditorContext context;
    context.installFolder = dir.Path();
    struct Case {
        const char* name;
        std::string path;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"missing", dir.File("none.tls"), "ファイルが見つかりません\n( " + dir.File("none.tls") + " )"},
        {"not a style", dir.Write("data.tls", "<?xml version=\"1.0\"?>\r\n$$X_\r\n1001 標尺,5\r\n"),
         "読み込みできません.　\n(ファイルの内容が違います)"},
        {"style without rows", dir.Write("empty.tls", "$$_TQSTL1\r\n$$z_\r\nT\r\n$$X_\r\n$$t_\r\n$$_\r\n"),
         "読み込みできません.　\n(ファイルの内容が違います)"},
        {"binary", dir.Write("bin.tls", std::string("\0\x01\xff\xfe$$", 6)), "読み込みできません.　\n(ファイルの内容が違います)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Fixture f(Small(), context);
        EXPECT_FALSE(f.model.Open(c.path));
        EXPECT_EQ(f.messages.Count(c.message), 1);
        EXPECT_EQ(Codes(f.model), (std::vector<int>{1001, 1002, 1003, 1005, 1024}));
        EXPECT_EQ(f.model.StyleName(), "/tmp/small.tls");
        EXPECT_FALSE(core::FileExists(dir.File("FileU.ndx")));
    }
}

TEST(StyleEditorModel, CancelAsksOnlyAfterAChange) {
    Fixture f(Small());
    EXPECT_TRUE(f.model.MayCancel());
    EXPECT_TRUE(f.messages.Empty());
    f.model.SelectRow(0);
    ASSERT_TRUE(f.model.MoveDown());
    f.messages.answers = {false, true};
    EXPECT_FALSE(f.model.MayCancel());
    EXPECT_TRUE(f.model.MayCancel());
    EXPECT_EQ(f.messages.Count("データが変更されましたが、キャンセルしてよいのですか？"), 2);
}

}  // namespace
}  // namespace stracol::style
