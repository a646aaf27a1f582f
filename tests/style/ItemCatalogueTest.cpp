#include "style/ItemCatalogue.h"

#include "core/Cp932.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace stracol::style {
namespace {

using stracol::testing::TempDir;

// A header text as the catalogue table lists it: text, placement code, top, bottom.
struct Header {
    std::string text;
    int placement;
    double top;
    double bottom;
};

// The header texts that are drawn (placement other than -1), in slot order.
std::vector<Header> ShownHeaders(const DisplayItem& item) {
    std::vector<Header> shown;
    for (int k = 1; k <= 4; ++k) {
        HeaderText h = item.Header(k);
        if (h.placementCode != -1) shown.push_back({h.text, h.placementCode, h.top, h.bottom});
    }
    return shown;
}

void ExpectHeaders(const DisplayItem& item, const std::vector<Header>& want) {
    auto got = ShownHeaders(item);
    ASSERT_EQ(got.size(), want.size()) << item.Label();
    for (std::size_t i = 0; i < want.size(); ++i) {
        EXPECT_EQ(got[i].text, want[i].text) << item.Label() << " header " << i + 1;
        EXPECT_EQ(got[i].placement, want[i].placement) << item.Label() << " header " << i + 1;
        EXPECT_DOUBLE_EQ(got[i].top, want[i].top) << item.Label() << " header " << i + 1;
        EXPECT_DOUBLE_EQ(got[i].bottom, want[i].bottom) << item.Label() << " header " << i + 1;
    }
}

std::string Cp932Lines(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += core::Utf8ToCp932(line) + "\r\n";
    return bytes;
}

TEST(ItemCatalogue, BuiltInListHoldsEveryEntryInTheEditorsOrder) {
    // 0 stands for a divider line.
    const std::vector<int> codes = {
        1001, 1002, 1003, 1005, 1006, 1007, 1008, 1009, 1010, 1011, 1015, 1019, 1020, 1021, 1022,
        1023, 1024, 1025, 1026, 1027, 1031, 1032, 1033, 1034, 1035, 1036, 1037, 1038, 1039, 1040,
        1041, 1042, 1043, 1044, 1045, 1046, 1081, 1090, 2051, 2052, 2301, 2302, 0,
        3100, 3101, 3102, 3103, 3104, 3108, 3109, 3105,
        3200, 3201, 3202, 3203, 3204, 3205,
        3300, 3301, 3302, 3303,
        3400, 3401, 3402, 3403,
        3500, 3501, 3502,
        3600, 3601, 3602, 3603,
        3700, 3701, 3702, 3703,
        3800, 3801, 3802, 3803, 3804, 3805, 3806, 3807, 3808, 3809, 3810, 3811, 0,
        1004, 2021, 2022, 0,
    };
    ItemCatalogue catalogue;
    catalogue.LoadBuiltIn();
    ASSERT_EQ(catalogue.Count(), codes.size());
    for (std::size_t i = 0; i < codes.size(); ++i) {
        EXPECT_EQ(catalogue.Entry(i).ItemCode(), codes[i]) << "entry " << i;
        EXPECT_EQ(catalogue.Entry(i).Field(kMarkerField), "99_") << "entry " << i;
    }
    EXPECT_EQ(catalogue.Entry(42).Label(), "・・　-- グループ --　・・");
    EXPECT_EQ(catalogue.Entry(88).Label(), "・・ 旧要領または非使用 ・・");
    EXPECT_EQ(catalogue.Entry(92).Label(), "・・ 非使用 ・・");
    EXPECT_EQ(BuiltInCatalogueLines().back(), "-1 END ,max99Line");
}

struct CatalogueCase {
    std::string label;
    std::string width;
    std::vector<Header> headers;
    std::string dataPlacement;
    std::string groupCount;
};

TEST(ItemCatalogue, BuiltInEntriesMatchTheCatalogueTable) {
    const std::string fullBlank = "\u3000";
    const CatalogueCase cases[] = {
        {"1001 標尺", "5", {{"標尺", 14, 1, 7}, {"m", 2, 12, 12}}, "3  HR_Btm", "0"},
        {"1003 深度", "8.0", {{"深度", 14, 1, 7}, {"m", 2, 12, 12}}, "2  HC_Btm", "0"},
        {"1005 現場土質名（模様）", "8.2",
         {{"現場土質名", 14, 1, 8}, {"模様", 14, 9, 11.5}, {"(", 31, 8.5, 8.5}, {")", 31, 11.5, 11.5}}, "99 Auto", "0"},
        {"1007 工学的地質区分名(模様)", "8.2",
         {{"工学的地質区分名", 14, 1, 9}, {"模様", 14, 9.5, 11.5}, {"(", 31, 9, 9}, {")", 31, 11.5, 11.5}}, "99 Auto", "0"},
        {"1009 工学的地質区分名･現場土質名(模様)", "8.2",
         {{"工学的地質区分名・現場土質名", 14, 1, 11}, {"(模様)", 4, 12, 12}}, "99 Auto", "0"},
        {"1019 相対密度", "6.5", {{"相対密度", 14, 1, 12}, {" ", 1, 11, 11}}, "2  HC_Btm", "0"},
        {"1023 空欄", "5", {}, "99", "0"},
        {"1025 地層・岩体区分", "6", {{"地層・岩体区分", 14, 1, 12}}, "99 A", "0"},
        {"1027 孔内水位・測定月日", "8", {{"孔内水位", 14, 1, 6}, {"m", 2, 7, 7}, {"測定月日", 14, 8, 12}}, "2  HC_Btm", "0"},
        {"1039 ＲＱＤ", "6", {{"ＲＱＤ", 14, 1, 11}, {"%", 2, 12, 12}}, "2  HC_Btm", "0"},
        {"1046 原位置 2 結果", "15", {{"原位置試験", 14, 1, 8.5}, {"結果", 14, 9.5, 12}}, "2  HC_Btm", "0"},
        {"2051 地下水検層方法図", "7.7", {{"地下水検層方法", 14, 1, 10.5}, {"@C@1", 2, 12, 12}}, "5  HC_Mid", "0"},
        {"2302 採取率コア長RQD 図", "20", {{"@B@6", 4, 3, 10}}, "99 Auto", "0"},
        {"3100 【標準貫入試験】", "0", {{"標準貫入試験", 2, 2, 2}}, "99", "4"},
        {"3101 標準貫入>図", "50", {{"深度-N値", 2, 5, 5}, {"@A@1", 2, 7, 7}}, "99 Auto", "0"},
        {"3102 標準貫入>Ｎ値", "6", {{"N", 2, 4, 4}, {fullBlank + "値", 14, 5, 12}}, "2  HC_Btm", "0"},
        {"3104 標準貫入>打撃/mm", "24", {{"打撃ごとの貫入量", 14, 3.2, 12}, {" ", 4, 5, 5}}, "2  HC_Btm", "0"},
        {"3105 標準貫入>(旧)合計N値", "6", {{"打撃回数／貫入量", 14, 3.2, 12}, {" ", 4, 5, 5}}, "2  HC_Btm", "0"},
        {"3200 【原位置試験 図】", "0", {{"原位置試験", 2, 2, 2}}, "99 A", "2"},
        {"3202 原位置>記事1、2", "20", {{"試験名", 2, 4, 4}, {"及び結果", 2, 5, 5}, {" ", 4, 7, 11}}, "99", "0"},
        {"3203 原位置>図", "6", {{"図", 14, 5, 5}, {" ", 2, 6, 6}}, "3.5", "0"},
        {"3402 ルジオン>目盛り", "6", {}, "6  HR_Mid", "0"},
        {"3403 ルジオン>図", "50", {{" P － Q 図" + fullBlank, 1, 5, 5}, {"@F@4", 1, 7, 12}}, "99 Auto", "0"},
        {"3500 【地下水検層】", "0", {{"地下水検層", 2, 2, 2}, {"", 2, 4, 4}, {fullBlank + "試験方法", 1, 4, 4}}, "99 Auto", "2"},
        {"3501 地下水検層>図", "30", {{"深度－比抵抗 図", 2, 7, 7}, {"xkΩ・cm", 2, 12, 12}}, "99 Auto", "0"},
        {"3600 【作業日ごとの孔内水位】", "0", {{"作業日ごとの孔内水位", 4, 2, 2}}, "99 Auto", "3"},
        {"3602 作業日>孔内水位", "8", {{"孔内水位", 14, 3.2, 8}, {"@E@3", 4, 9, 11}, {"m", 2, 12, 12}}, "99 Auto", "0"},
        {"3603 作業日>ケーシング下端", "6", {{"ケ｜シング下端深度", 14, 3.2, 11}, {"m", 2, 12, 12}}, "3", "0"},
        {"3702 孔壁保護>種類(方法)", "6.5", {{"種類", 14, 3.2, 12}}, "2", "0"},
        {"3800 【削孔状況】", "0", {{"削孔状況", 2, 2, 2}}, "99 Auto", "9"},
        {"3802 削孔>削孔速度", "6.5", {{"削孔速度", 14, 3, 10}, {"cm", 2, 11.4, 11.4}, {"/h", 2, 12, 12}}, "3  HR_Btm", "0"},
        {"3804 削孔>コアチューブビット", "7", {{"コアチュ｜ブ・ビット", 14, 3, 12}}, "2", "0"},
        {"3809 削孔>排水量", "6", {{"排水量", 14, 3, 10}, {"L/", 2, 11.4, 11.4}, {"min", 2, 12, 12}}, "2 HC_Btm", "0"},
        {"3811 削孔>削孔水 送水量", "6", {{"削孔水・送水量", 14, 3, 10}, {"L/", 2, 11.4, 11.4}, {"min", 2, 12, 12}}, "99 A", "0"},
        {"1004 層厚", "7", {{"層厚", 14, 1, 7}, {"m", 2, 12, 12}}, "2 HC_Btm", "0"},
        {"2022 旧 相対稠度(計算値)", "8.4", {{"相対稠度", 14, 1, 12}, {" ", 1, 11, 11}}, "22 Wb_Mid", "0"},
    };
    ItemCatalogue catalogue;
    catalogue.LoadBuiltIn();
    for (const auto& c : cases) {
        const DisplayItem* item = catalogue.FindByCode(std::stoi(c.label));
        ASSERT_NE(item, nullptr) << c.label;
        EXPECT_EQ(item->Label(), c.label);
        EXPECT_EQ(item->Field(kWidthField), c.width) << c.label;
        EXPECT_EQ(item->Field(kDataPlacementField), c.dataPlacement) << c.label;
        EXPECT_EQ(item->Field(kGroupCountField), c.groupCount) << c.label;
        ExpectHeaders(*item, c.headers);
    }
}

TEST(ItemCatalogue, MissingFileGivesTheBuiltInList) {
    TempDir dir;
    ItemCatalogue fromFile;
    EXPECT_FALSE(fromFile.Load(dir.File("Mst/ClmObj.mst")));
    ItemCatalogue builtIn;
    builtIn.LoadBuiltIn();
    EXPECT_EQ(fromFile.Entries(), builtIn.Entries());
    EXPECT_GT(fromFile.Count(), 90u);
}

TEST(ItemCatalogue, FileEntriesKeepFieldsButForceTheMarker) {
    TempDir dir;
    std::string path = dir.Write("Mst/ClmObj.mst", Cp932Lines({
        "1001 標尺,5,標尺,14,1,7,m,2,12,12,,-1,0,0,,-1,0,0,A 自動,3  HR_Btm,0",
        "",
        "・・ 区切り ・・",
        "3100 【標準貫入試験】,0,標準貫入試験,2,2,2,,-1,0,0,,-1,0,0,,-1,0,0,50,99,",
        "-1 END ,max99Line",
        "1030 後の項目,5,,,,,,,,,,,,,,,,,99,99,0",
    }));
    ItemCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(path));
    ASSERT_EQ(catalogue.Count(), 3u);
    EXPECT_EQ(catalogue.Entry(0).Field(kMarkerField), "99_");
    EXPECT_EQ(catalogue.Entry(0).Field(kDataPlacementField), "3  HR_Btm");
    EXPECT_EQ(catalogue.Entry(1).Label(), "・・ 区切り ・・");
    EXPECT_EQ(catalogue.Entry(1).ItemCode(), 0);
    EXPECT_EQ(catalogue.Entry(2).Field(kMarkerField), "99_");
    EXPECT_EQ(catalogue.Entry(2).Field(kDataPlacementField), "99");  // group header stays as written
    EXPECT_EQ(catalogue.Entry(2).Field(kGroupCountField), "");
    EXPECT_EQ(catalogue.FindByCode(1030), nullptr);
}

TEST(ItemCatalogue, TakesAtMostNinetyNineEntries) {
    TempDir dir;
    std::vector<std::string> lines;
    for (int i = 0; i < 120; ++i) lines.push_back(std::to_string(1100 + i) + " 項目,5,,,,,,,,,,,,,,,,,,2,0");
    ItemCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(dir.Write("ClmObj.mst", Cp932Lines(lines))));
    ASSERT_EQ(catalogue.Count(), 99u);
    EXPECT_EQ(catalogue.Entry(98).ItemCode(), 1198);
}

TEST(ItemCatalogue, LongLinesAreCutAt252Bytes) {
    TempDir dir;
    std::string label = "1050 " + std::string(300, 'x');
    ItemCatalogue catalogue;
    ASSERT_TRUE(catalogue.Load(dir.Write("ClmObj.mst", Cp932Lines({label + ",5", "1051 次,6"}))));
    ASSERT_EQ(catalogue.Count(), 2u);
    EXPECT_EQ(catalogue.Entry(0).Label().size(), 252u);
    EXPECT_EQ(catalogue.Entry(0).Field(kWidthField), "");
    EXPECT_EQ(catalogue.Entry(1).ItemCode(), 1051);
}

}  // namespace
}  // namespace stracol::style
