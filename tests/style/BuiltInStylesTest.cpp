#include "style/BuiltInStyles.h"

#include "style/ItemCatalogue.h"
#include "style/StyleApplication.h"
#include "style/StyleReader.h"
#include "style/StyleWriter.h"

#include <gtest/gtest.h>

#include <optional>
#include <set>

namespace stracol::style {
namespace {

// 1..8 the built-in styles, 0 the start-up default.
const std::vector<std::string>& Text(int n) { return n == 0 ? StartupStyleLines() : BuiltInStyleLines(n); }

LogStyle Applied(int n) {
    LogStyle style;
    ApplyStyleText(style, Text(n));
    return style;
}

std::vector<int> Codes(const LogStyle& style) {
    std::vector<int> codes;
    for (int i = 0; i < style.ItemCount(); ++i) codes.push_back(style.items[i].ItemCode());
    return codes;
}

struct Header {
    std::string text;
    int placement;
    double top;
    double bottom;
};

std::vector<Header> ShownHeaders(const DisplayItem& item) {
    std::vector<Header> shown;
    for (int k = 1; k <= 4; ++k) {
        HeaderText h = item.Header(k);
        if (h.placementCode != -1) shown.push_back({h.text, h.placementCode, h.top, h.bottom});
    }
    return shown;
}

class BuiltInStyles : public ::testing::TestWithParam<int> {};

TEST_P(BuiltInStyles, PlainWriterAndDocumentReaderGiveTheSameRows) {
    LogStyle original = Applied(GetParam());
    ASSERT_GT(original.ItemCount(), 20);
    LogStyle read;
    StyleReader reader(read);
    for (const auto& line : StyleFileLines(original)) reader.Feed(line);
    reader.Finish();
    EXPECT_EQ(read.items, original.items);
    EXPECT_EQ(read.legends, original.legends);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(read.titleLines[i], original.titleLines[i]);
}

TEST_P(BuiltInStyles, EditorReaderGivesTheNormalisedRows) {
    LogStyle original = Applied(GetParam());
    StyleEditorTable table;
    StyleReader reader(table);
    for (const auto& line : StyleFileLines(original)) reader.Feed(line);
    reader.Finish();
    ASSERT_EQ(table.RowCount(), original.ItemCount());
    for (int i = 0; i < kMaxItemRows; ++i) {
        DisplayItem want = original.items[i];
        if (!want.IsEmpty()) NormaliseForStyle(want);
        EXPECT_EQ(table.rows[i], want) << "row " << i + 1;
    }
    EXPECT_EQ(table.title, original.Title());
    EXPECT_EQ(table.styleName, original.Name());
    EXPECT_EQ(table.legends, original.legends);
}

TEST_P(BuiltInStyles, TextIsACompleteStyleFileWithItsEndLine) {
    int n = GetParam();
    const auto& lines = Text(n);
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines.front(), "$$_TQSTL1");
    EXPECT_EQ(lines[lines.size() - 2], "$$_");
    EXPECT_EQ(lines.back(), n == 0 ? "-1 END" : "-1 Eof");
    // The text between the magic and the end line is exactly what the writer produces.
    LogStyle style = Applied(n);
    std::vector<std::string> written = StyleFileLines(style);
    std::vector<std::string> body(lines.begin(), lines.end() - 1);
    EXPECT_EQ(written, body);
}

TEST_P(BuiltInStyles, GroupHeadersSpanRowsThatExist) {
    LogStyle style = Applied(GetParam());
    int rows = style.ItemCount();
    for (int i = 0; i < rows; ++i) {
        const DisplayItem& item = style.items[i];
        if (!item.IsGroupHeader()) {
            EXPECT_EQ(item.GroupCount(), 0) << item.Label();
            continue;
        }
        int g = item.GroupCount();
        EXPECT_GT(g, 0) << item.Label();
        EXPECT_LE(i + g + 1, rows) << item.Label();
        // The spanned columns belong to the group's hundred.
        for (int j = i + 1; j <= i + g && j < rows; ++j)
            EXPECT_EQ(style.items[j].ItemCode() / 100, item.ItemCode() / 100) << item.Label() << " spans "
                                                                               << style.items[j].Label();
        EXPECT_DOUBLE_EQ(item.WidthMm(), 0.0) << item.Label();
    }
}

TEST_P(BuiltInStyles, SharesTheTwelveLegendRows) {
    LogStyle style = Applied(GetParam());
    const std::string fw = "\u3000";
    const std::vector<std::vector<std::string>> want = {
        {":凡例35%65%N値", "", "", "", "", "", "", "", "", "@1"},
        {fw + "コア採取率 %" + fw, ":凡例25%75%採取率", fw + "最大コア長 cm ", ":凡例25%75%コア長",
         fw + "ＲＱＤ    %" + fw, "：凡例25%75%RQD", "", "", "", "@6"},
        {":凡例5%95%自汲", "", "", "", "", "", "", "", "", "@1"},
        {":凡例60%85%自／汲", "", "", "", "", "", "", "", "", "@1"},
        {"作業後", "―――", "作業前", "", "", "", "", "", "", "@3"},
        {" P ：有効注入圧力 MPa", " Q ：注入量" + fw + "L/min/m", " ( ) ：換算ルジオン値", "《 》：限界圧力" + fw + "MPa",
         " ", " ", " ", "", "", "@4"},
    };
    for (int row = 0; row < kLegendRows; ++row) {
        for (int cell = 0; cell < kLegendCells; ++cell) {
            std::string expected = row < 6 ? want[row][cell] : "";
            EXPECT_EQ(style.legends[row].cells[cell], expected) << "row " << row + 1 << " cell " << cell + 1;
        }
    }
}

// Header texts and labels equal the catalogue's except where a style states otherwise.
TEST_P(BuiltInStyles, HeadersAndLabelsFollowTheCatalogueUnlessStatedOtherwise) {
    int n = GetParam();
    const std::set<std::pair<int, int>> ownHeaders = {
        {1, 1023}, {7, 1023}, {8, 1023}, {4, 1023}, {5, 1023}, {2, 1023},
        {1, 1024}, {7, 1024}, {8, 1024}, {1, 1026}, {7, 1026}, {8, 1026},
        {1, 1027}, {7, 1027}, {8, 1027}, {1, 3803}, {2, 3803}, {7, 3803}, {8, 3803},
        {1, 3401}, {8, 3401}, {4, 1044}, {2, 3202}, {3, 3104}, {5, 3104}, {0, 3104},
        {4, 3500}, {4, 3501}, {4, 3602}, {6, 1005}, {6, 1006}, {7, 3105},
    };
    const std::set<std::pair<int, int>> ownLabels = {
        {1, 1044}, {4, 1044}, {5, 1044}, {7, 1044}, {8, 1044}, {2, 3202}, {2, 2301},
        {4, 3701}, {4, 3702}, {4, 3703}, {4, 2052}, {7, 3105},
        {4, 1009}, {4, 1010}, {5, 1009}, {5, 1010},
    };
    ItemCatalogue catalogue;
    catalogue.LoadBuiltIn();
    LogStyle style = Applied(n);
    for (int i = 0; i < style.ItemCount(); ++i) {
        const DisplayItem& item = style.items[i];
        const DisplayItem* entry = catalogue.FindByCode(item.ItemCode());
        ASSERT_NE(entry, nullptr) << item.Label();
        if (!ownLabels.count({n, item.ItemCode()})) {
            EXPECT_EQ(item.Label(), entry->Label());
        }
        if (!ownHeaders.count({n, item.ItemCode()})) {
            for (int f = 3; f <= 18; ++f) EXPECT_EQ(item.Field(f), entry->Field(f)) << item.Label() << " field " << f;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(EachStyle, BuiltInStyles, ::testing::Range(0, kBuiltInStyleCount + 1),
                         [](const auto& info) {
                             return info.param == 0 ? std::string("StartupDefault")
                                                    : "Style" + std::to_string(info.param);
                         });

TEST(BuiltInStyleTable, TitlesNamesAndColumnOrder) {
    struct Case {
        int n;
        const char* title;
        const char* name;
        std::vector<int> codes;
    };
    const Case cases[] = {
        {1, "岩盤柱状図", "*1岩盤柱状図",
         {1001, 1002, 1003, 1007, 1008, 1015, 1031, 1032, 1033, 1034, 1035, 1036, 2302, 1023, 1024, 1026, 1027,
          3400, 3401, 3402, 3403, 1044, 1043, 3800, 3801, 3802, 3803, 3804, 3805, 3806, 3807, 3811, 3809}},
        {2, "土質ボーリング柱状図(オールコア)", "*2土質オールコア",
         {1001, 1002, 1003, 1005, 1006, 1011, 1015, 1022, 2301, 1023, 1024, 1025, 1027, 3200, 3201, 3202,
          3300, 3301, 3302, 3303, 1043, 3800, 3801, 3802, 3803, 3804, 3805, 3806, 3807, 3811, 3809}},
        {3, "土質ボーリング柱状図(標準貫入試験)", "*3土質標準貫入試験",
         {1001, 1002, 1003, 1005, 1006, 1011, 1015, 1021, 1022, 1024, 1025, 1027, 3100, 3101, 3102, 3103,
          3104, 3108, 3109, 3300, 3301, 3302, 3303, 1043, 1090}},
        {4, "地すべりボーリング柱状図(オールコア)", "*4地すべりオールコア",
         {1001, 1002, 1003, 1009, 1010, 1015, 1031, 1032, 1041, 1033, 1022, 1037, 1024, 1023, 1040, 3500,
          3501, 3502, 1044, 1043, 3600, 3601, 3602, 3603, 3700, 3701, 3702, 3703, 2052, 3800, 3802, 3804,
          3805, 3806, 3811, 3809}},
        {5, "地すべりボーリング柱状図(標準貫入試験)", "*5地すべり標準貫入",
         {1001, 1002, 1003, 1009, 1010, 1015, 1031, 1032, 1041, 1033, 1022, 1021, 1024, 1023, 3100, 3101,
          3102, 3103, 3104, 3108, 3109, 1044, 1043, 3600, 3601, 3602, 3603, 3700, 3701, 3702, 3703, 2051,
          2052, 3800, 3804, 3811, 3809}},
        {6, "ボーリング柱状図", "*6旧_土質柱状図",
         {1001, 1002, 1004, 1003, 1005, 1006, 1015, 2021, 2022, 1024, 1023, 1027, 3100, 3102, 3103, 3104,
          3101, 3200, 3201, 3202, 3300, 3301, 3302, 3303, 1043, 1090}},
        {7, "岩盤柱状図", "*7旧_岩盤_標準貫入",
         {1001, 1002, 1003, 1007, 1008, 1015, 1031, 1032, 1033, 1034, 1035, 1036, 2302, 1023, 1024, 1026, 1027,
          3100, 3105, 3101, 1044, 1043, 3800, 3801, 3802, 3803, 3804, 3805, 3806, 3807, 3811, 3809}},
        {8, "ボーリング柱状図", "8旧_岩盤_ルジオン",
         {1001, 1002, 1003, 1007, 1008, 1015, 1033, 1034, 1035, 1031, 1032, 1024, 1026, 2302, 1036, 1023, 1027,
          3400, 3401, 3402, 3403, 1044, 1043, 3800, 3801, 3802, 3803, 3804, 3805, 3806, 3807, 3811, 3809}},
        {0, "土質ボーリング柱状図(標準貫入試験)", "SyInitV.tls",
         {1001, 1002, 1003, 1005, 1006, 1011, 1015, 1021, 1022, 1024, 1025, 1027, 3100, 3101, 3102, 3103,
          3104, 3108, 3109, 3300, 3301, 3302, 3303, 1043, 1090}},
    };
    for (const auto& c : cases) {
        LogStyle style = Applied(c.n);
        EXPECT_EQ(style.Title(), c.title) << "style " << c.n;
        EXPECT_EQ(style.Name(), c.name) << "style " << c.n;
        EXPECT_EQ(Codes(style), c.codes) << "style " << c.n;
    }
}

struct RowCase {
    int style;
    int code;
    std::string width;
    std::string placement;
    std::string group;
    std::string label;                          // empty: not checked here
    std::optional<std::vector<Header>> shown;   // the drawn header texts, when checked
};

TEST(BuiltInStyleTable, RowsMatchTheStyleDescriptions) {
    const std::string fw = "\u3000";
    const std::vector<Header> drillDiameter = {{"孔径", 14, 3, 5.5}, {"mm", 2, 6.5, 6.5}, {"・孔壁保護", 14, 7, 12}};
    const std::vector<Header> waterLevel = {
        {"孔内水位", 14, 1, 5}, {"m", 2, 6, 6}, {"／", 2, 7, 7}, {"測定月日", 14, 7.5, 12}};
    const RowCase cases[] = {
        {1, 1002, "8.5", "2  HC_Btm", "0", "", std::nullopt},
        {1, 1023, "3.0", "0", "0", "1023 空欄", std::vector<Header>{}},
        {1, 1024, "28", "21 Wb_Top", "0", "", std::vector<Header>{{"記事", 14, 1, 12}, {"", 1, 11, 11}}},
        {1, 1026, "5", "12 V_Mid", "0", "", std::vector<Header>{{"地質時代区分", 14, 1, 12}, {"", 1, 11, 11}}},
        {1, 1027, "6", "3  HR_Btm", "0", "", waterLevel},
        {1, 3400, "0", "99 A", "3", "3400 【ルジオン試験 図】", std::nullopt},
        {1, 3401, "7.4", "3  HR_Btm", "0", "", std::vector<Header>{{"ルジオン値", 14, 3, 12}}},
        {1, 1044, "5.5", "12 V_Mid", "0", "1044 原位置試験(記事)", std::vector<Header>{{"原位置試験", 14, 1, 12}}},
        {1, 3800, "0", "99 Auto", "9", "", std::nullopt},
        {1, 3803, "6", "2  HC_Btm", "0", "", drillDiameter},
        {1, 3804, "6.5", "2", "0", "", std::nullopt},
        {1, 3809, "5.8", "2  HC_Btm", "0", "", std::nullopt},
        {2, 1001, "7", "99 Auto", "0", "", std::nullopt},
        {2, 1023, "5", "99 Auto", "0", "", std::vector<Header>{{" ", 14, 2, 11}}},
        {2, 2301, "20", "99 Auto", "0", "2301 採取率コア長   図", std::vector<Header>{{"@B@4", 4, 3, 8}}},
        {2, 3200, "0", "99 A", "2", "", std::nullopt},
        {2, 3202, "20", "99 Auto", "0", "3202  原位置>結果と記事",
         std::vector<Header>{{"試験名", 2, 4, 4}, {"及び結果", 2, 5, 5}, {"@G@3", 4, 7, 11}}},
        {2, 3300, "0", "99", "3", "", std::nullopt},
        {2, 3803, "7", "2  HC_Btm", "0", "", drillDiameter},
        {3, 1006, "14.5", "23 Wb_Btm", "0", "", std::nullopt},
        {3, 1011, "7", "99 Auto", "0", "", std::nullopt},
        {3, 3100, "0", "99", "6", "3100 【標準貫入試験】", std::nullopt},
        {3, 3104, "26", "2  HC_Btm", "0", "", std::vector<Header>{{"打撃ごとの貫入量", 14, 3.2, 12}}},
        {3, 3303, "6", "5  HC_Mid", "0", "", std::nullopt},
        {3, 1043, "12.5", "22 Wb_Mid", "0", "", std::nullopt},
        {4, 1009, "8.2", "99 Auto", "0", "1009 工学的地質区分名・現場土質名（模様）", std::nullopt},
        {4, 1010, "11", "23 Wb_Btm", "0", "1010 工学的地質区分名・現場土質名", std::nullopt},
        {4, 1041, "6.4", "22", "0", "", std::nullopt},
        {4, 1023, "3.4", "99 Auto", "0", "", std::vector<Header>{}},
        {4, 3500, "0", "99 Auto", "2", "",
         std::vector<Header>{{"地下水検層", 2, 2, 2}, {"@D@1", 2, 4, 4}, {fw + "試験方法", 1, 4, 4}}},
        {4, 3501, "30", "99 Auto", "0", "", std::vector<Header>{{"深度－比抵抗 図", 2, 7, 7}, {"xkΩ・cm", 2, 11, 12}}},
        {4, 1044, "7.4", "21 Wb_Top", "0", "1044 原位置試験(記事)",
         std::vector<Header>{{"原位置試験", 14, 1, 11}, {"m", 2, 12, 12}}},
        {4, 3602, "9", "99 Auto", "0", "",
         std::vector<Header>{{"孔内水位", 14, 3.2, 8}, {"@E@3", 2, 9, 11}, {"m", 2, 12, 12}}},
        {4, 3603, "7.2", "3", "0", "", std::nullopt},
        {4, 3701, "6", "2", "0", "3701  孔壁保護>孔径", std::nullopt},
        {4, 3702, "6.5", "2", "0", "3702  孔壁保護>種類", std::nullopt},
        {4, 3703, "7", "2  HC_Btm", "0", "3703  孔壁保護>理由", std::nullopt},
        {4, 2052, "6.8", "2", "0", "2052 保孔管図", std::nullopt},
        {4, 3800, "0", "99 Auto", "6", "", std::nullopt},
        {5, 1023, "2.7", "0  自動", "0", "", std::vector<Header>{}},
        {5, 3101, "25", "99 Auto", "0", "", std::nullopt},
        {5, 3104, "25.7", "2  HC_Btm", "0", "", std::vector<Header>{{"打撃ごとの貫入量", 14, 3.2, 12}}},
        {5, 1044, "9.7", "21 Wb_Top", "0", "1044 原位置試験(記事)", std::vector<Header>{{"原位置試験", 14, 1, 12}}},
        {5, 2051, "7.7", "5  HC_Mid", "0", "", std::nullopt},
        {5, 3800, "0", "99 Auto", "3", "", std::nullopt},
        {5, 1010, "10.2", "23 Wb_Btm", "0", "1010 工学的地質区分名・現場土質名", std::nullopt},
        {6, 1004, "7.5", "2 HC_B", "0", "1004 層厚", std::vector<Header>{{"層厚", 14, 1, 7}, {"m", 2, 12, 12}}},
        {6, 1005, "8.5", "99 Auto", "0", "", std::vector<Header>{{"柱状図", 14, 1, 12}}},
        {6, 1006, "16", "23 Wb_Btm", "0", "", std::vector<Header>{{"土質区分", 14, 1, 12}}},
        {6, 2021, "7.7", "22 Wb_Mid", "0", "", std::nullopt},
        {6, 1024, "31.8", "21 Wb_Top", "0", "", std::vector<Header>{{"記事", 14, 1, 12}}},
        {6, 3100, "0", "99", "4", "", std::nullopt},
        {6, 3104, "24", "2  HC_Btm", "0", "", std::vector<Header>{{"打撃ごとの貫入量", 14, 3.2, 12}, {" ", 4, 5, 5}}},
        {6, 3202, "20", "7  HL_Top", "0", "3202 原位置>記事1、2", std::nullopt},
        {6, 3303, "4.6", "5  HC_Mid", "0", "", std::nullopt},
        {7, 1036, "5.4", "2  HC_Btm", "0", "", std::nullopt},
        {7, 1024, "35", "21 Wb_Top", "0", "", std::vector<Header>{{"記事", 14, 1, 12}, {"", 1, 11, 11}}},
        {7, 1023, "3.0", "0", "0", "", std::vector<Header>{}},
        {7, 1027, "6", "3  HR_Btm", "0", "", waterLevel},
        {7, 3100, "0", "99", "2", "", std::nullopt},
        {7, 3105, "6", "2  HC_Btm", "0", "3105  標準貫入>N値(合計)",
         std::vector<Header>{{"打撃ごとの貫入量", 14, 3.2, 12}, {" ", 4, 5, 5}}},
        {7, 3101, "50", "99 Auto", "0", "", std::nullopt},
        {7, 1044, "5.5", "22 Wb_Mid", "0", "1044 原位置試験(記事)", std::nullopt},
        {7, 3802, "6.2", "3  HR_Btm", "0", "", std::nullopt},
        {7, 3803, "6", "2  HC_Btm", "0", "", drillDiameter},
        {7, 3804, "6.5", "99 Auto", "0", "", std::nullopt},
        {8, 1015, "7.2", "23 Wb_Btm", "0", "", std::nullopt},
        {8, 1026, "4.2", "12 V_Mid", "0", "", std::vector<Header>{{"地質時代区分", 14, 1, 12}, {"", 1, 11, 11}}},
        {8, 3401, "6.5", "3  HR_Btm", "0", "", std::vector<Header>{{"ルジオン値", 14, 3, 12}}},
        {8, 1044, "5.8", "22 Wb_Mid", "0", "1044 原位置試験(記事)", std::nullopt},
        {8, 3803, "6.0", "2  HC_Btm", "0", "", drillDiameter},
        {8, 3804, "6.6", "99 Auto", "0", "", std::nullopt},
        {8, 3811, "5.2", "99 Auto", "0", "", std::nullopt},
        {0, 3104, "26", "2  HC_Btm", "0", "", std::vector<Header>{{"打撃ごとの貫入量", 14, 3.2, 12}, {" ", 4, 5, 5}}},
        {0, 1043, "12.5", "21 Wb_Top", "0", "", std::nullopt},
    };
    for (const auto& c : cases) {
        LogStyle style = Applied(c.style);
        const DisplayItem* item = style.FindItem(c.code);
        ASSERT_NE(item, nullptr) << "style " << c.style << " item " << c.code;
        std::string where = "style " + std::to_string(c.style) + " item " + std::to_string(c.code);
        EXPECT_EQ(item->Field(kWidthField), c.width) << where;
        EXPECT_EQ(item->Field(kDataPlacementField), c.placement) << where;
        EXPECT_EQ(item->Field(kGroupCountField), c.group) << where;
        if (!c.label.empty()) {
            EXPECT_EQ(item->Label(), c.label) << where;
        }
        if (!c.shown) continue;
        auto got = ShownHeaders(*item);
        ASSERT_EQ(got.size(), c.shown->size()) << where;
        for (std::size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].text, (*c.shown)[i].text) << where << " header " << i;
            EXPECT_EQ(got[i].placement, (*c.shown)[i].placement) << where << " header " << i;
            EXPECT_DOUBLE_EQ(got[i].top, (*c.shown)[i].top) << where << " header " << i;
            EXPECT_DOUBLE_EQ(got[i].bottom, (*c.shown)[i].bottom) << where << " header " << i;
        }
    }
}

TEST(BuiltInStyleTable, HiddenHeaderTextsWhereTheStylesStateThem) {
    struct Case {
        int style;
        int code;
        int slot;
        const char* text;
        double top;
        double bottom;
    };
    const Case cases[] = {
        {1, 1023, 1, "-", 2, 12}, {7, 1023, 1, "-", 2, 12}, {8, 1023, 1, "-", 2, 12},
        {4, 1023, 1, "-", 1, 11}, {5, 1023, 1, "-", 2, 11},
        {3, 3104, 2, " ", 7, 8}, {3, 3104, 3, "-", 8, 9}, {5, 3104, 2, " ", 7, 8}, {5, 3104, 3, "-", 8, 9},
    };
    for (const auto& c : cases) {
        LogStyle style = Applied(c.style);
        const DisplayItem* item = style.FindItem(c.code);
        ASSERT_NE(item, nullptr);
        HeaderText h = item->Header(c.slot);
        EXPECT_EQ(h.text, c.text) << c.style << "/" << c.code;
        EXPECT_EQ(h.placementCode, -1) << c.style << "/" << c.code;
        EXPECT_DOUBLE_EQ(h.top, c.top) << c.style << "/" << c.code;
        EXPECT_DOUBLE_EQ(h.bottom, c.bottom) << c.style << "/" << c.code;
    }
    // The start-up default writes the placements of 3104 with their comments.
    LogStyle startup = Applied(0);
    const DisplayItem* blows = startup.FindItem(3104);
    ASSERT_NE(blows, nullptr);
    EXPECT_EQ(blows->Field(4), "14 V_Eq");
    EXPECT_EQ(blows->Field(8), "4  HE");
}

TEST(BuiltInStyleTable, NumbersOutsideOneToEightHaveNoText) {
    EXPECT_TRUE(BuiltInStyleLines(0).empty());
    EXPECT_TRUE(BuiltInStyleLines(9).empty());
    EXPECT_TRUE(BuiltInStyleLines(-1).empty());
}

}  // namespace
}  // namespace stracol::style
