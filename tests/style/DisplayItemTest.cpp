#include "style/DisplayItem.h"
#include "style/LegendRow.h"
#include "style/Placement.h"

#include "core/Cp932.h"

#include <gtest/gtest.h>

#include <set>

namespace stracol::style {
namespace {

TEST(DisplayItem, ReadsFieldsOfAnItemLine) {
    DisplayItem item = DisplayItem::FromLine(
        "3602 作業日>孔内水位,9,孔内水位,14 V_Eq,3.2,8,@E@3,4,9,11,m,2,12,12,,-1,0,0,50,99 Auto,0");
    EXPECT_EQ(item.ItemCode(), 3602);
    EXPECT_DOUBLE_EQ(item.WidthMm(), 9.0);
    HeaderText first = item.Header(1);
    EXPECT_EQ(first.text, "孔内水位");
    EXPECT_EQ(first.placementCode, 14);
    EXPECT_DOUBLE_EQ(first.top, 3.2);
    EXPECT_DOUBLE_EQ(first.bottom, 8.0);
    HeaderText second = item.Header(2);
    EXPECT_EQ(second.text, "@E@3");
    EXPECT_EQ(second.placementCode, 4);
    EXPECT_DOUBLE_EQ(second.top, 9.0);
    EXPECT_DOUBLE_EQ(second.bottom, 11.0);
    EXPECT_EQ(item.Header(3).text, "m");
    EXPECT_EQ(item.Header(4).placementCode, -1);
    EXPECT_EQ(item.Field(kMarkerField), "50");
    EXPECT_EQ(item.DataPlacementCode(), 99);
    EXPECT_EQ(item.GroupCount(), 0);
    EXPECT_FALSE(item.IsGroupHeader());
    EXPECT_EQ(item.Header(0).placementCode, -1);
    EXPECT_EQ(item.Header(5).placementCode, -1);
}

TEST(DisplayItem, ShortLineLeavesMissingFieldsEmptyAndExtraFieldsAreIgnored) {
    DisplayItem shortItem = DisplayItem::FromLine("1001 標尺,5,標尺");
    EXPECT_EQ(shortItem.Field(3), "標尺");
    for (int n = 4; n <= kDisplayItemFields; ++n) EXPECT_EQ(shortItem.Field(n), "") << n;

    std::string longLine = "1001 標尺";
    for (int n = 2; n <= 25; ++n) longLine.append(",").append(std::to_string(n));
    DisplayItem longItem = DisplayItem::FromLine(longLine);
    EXPECT_EQ(longItem.Field(21), "21");
    EXPECT_EQ(longItem.ToLine(), longLine.substr(0, longLine.find(",22")));
}

TEST(DisplayItem, LineRoundTripKeepsBlanksAndEmptyFields) {
    std::string line = "1019 相対密度,6.5,相対密度,14,1,12, ,1,11,11,,-1,0,0,,-1,0,0,99_,2  HC_Btm,0";
    EXPECT_EQ(DisplayItem::FromLine(line).ToLine(), line);
}

TEST(DisplayItem, CodesAndWidthsUseTheLeadingNumber) {
    struct Case {
        const char* label;
        const char* width;
        const char* placement;
        int code;
        double widthMm;
        int placementCode;
    };
    const Case cases[] = {
        {"1001 標尺", "5", "99 A", 1001, 5.0, 99},
        {"3104 標準貫入>打撃/mm", "24.5mm", "99 Auto", 3104, 24.5, 99},
        {"  2052 保孔管 図", "7.5", "99", 2052, 7.5, 99},
        {"・・ 非使用 ・・", "", "3.5", 0, 0.0, 3},
        {"-1 END", "x", "-1 非表示", -1, 0.0, -1},
    };
    for (const auto& c : cases) {
        DisplayItem item;
        item.SetField(kLabelField, c.label);
        item.SetField(kWidthField, c.width);
        item.SetField(kDataPlacementField, c.placement);
        EXPECT_EQ(item.ItemCode(), c.code) << c.label;
        EXPECT_DOUBLE_EQ(item.WidthMm(), c.widthMm) << c.label;
        EXPECT_EQ(item.DataPlacementCode(), c.placementCode) << c.label;
    }
}

TEST(DisplayItem, GroupHeadersAreExactHundreds) {
    for (int code : {3100, 3200, 3300, 3400, 3500, 3600, 3700, 3800, 2300, 1000})
        EXPECT_TRUE(IsGroupHeaderCode(code)) << code;
    for (int code : {3101, 3199, 3104, 1001, 2301, 3850, 0, -1, -100})
        EXPECT_FALSE(IsGroupHeaderCode(code)) << code;
    DisplayItem item = DisplayItem::FromLine("3800 【削孔状況】,0,削孔状況,2,2,2");
    EXPECT_TRUE(item.IsGroupHeader());
}

TEST(DisplayItem, HeaderPositionsAboveTwelveCountAsBandEdges) {
    HeaderText header{"m", 2, 13.5, 14.2};
    EXPECT_DOUBLE_EQ(header.EffectiveTop(), 1.0);
    EXPECT_DOUBLE_EQ(header.EffectiveBottom(), 12.0);
    HeaderText inside{"m", 2, 12.9, 11.4};
    EXPECT_DOUBLE_EQ(inside.EffectiveTop(), 12.9);
    EXPECT_DOUBLE_EQ(inside.EffectiveBottom(), 11.4);
}

TEST(DisplayItem, NormalisationWhenEnteringAStyle) {
    struct Case {
        const char* label;
        const char* placement;
        const char* group;
        const char* wantPlacement;
        const char* wantGroup;
    };
    const Case cases[] = {
        {"1025 地層・岩体区分", "99", "", "99 Auto", "0"},
        {"1025 地層・岩体区分", "99 A", "0", "99 Auto", "0"},
        {"1023 空欄", "99 Auto", "0", "99 Auto", "0"},
        {"1023 空欄", "99 自動Auto", "0", "99 自動Auto", "0"},
        {"1023 空欄", "0  自動", "", "0  自動", "0"},
        {"1006 現場土質名", "23 Wb_Btm", "0", "23 Wb_Btm", "0"},
        {"3100 【標準貫入試験】", "99", "4", "99", "4"},
        {"3200 【原位置試験 図】", "99 A", "2", "99 A", "2"},
        {"3600 【作業日ごとの孔内水位】", "99", "", "99", "0"},
    };
    for (const auto& c : cases) {
        DisplayItem item;
        item.SetField(kLabelField, c.label);
        item.SetField(kMarkerField, "24");
        item.SetField(kDataPlacementField, c.placement);
        item.SetField(kGroupCountField, c.group);
        NormaliseForStyle(item);
        EXPECT_EQ(item.Field(kDataPlacementField), c.wantPlacement) << c.label << " / " << c.placement;
        EXPECT_EQ(item.Field(kGroupCountField), c.wantGroup) << c.label;
        EXPECT_EQ(item.Field(kMarkerField), "99_");
    }
}

TEST(DisplayItem, NormalisationPadsTheLabelToTwentyFourBytes) {
    DisplayItem item;
    item.SetField(kLabelField, "1001 標尺");
    NormaliseForStyle(item);
    EXPECT_EQ(item.Label(), "1001 標尺" + std::string(15, ' '));
    EXPECT_EQ(core::Cp932Width(item.Label()), 24u);

    // A label longer than 24 bytes stays whole.
    std::string longLabel = "1009 工学的地質区分名・現場土質名（模様）";
    item.SetField(kLabelField, longLabel);
    NormaliseForStyle(item);
    EXPECT_EQ(item.Label(), longLabel);
}

TEST(DisplayItem, RowWithBlankLabelIsEmpty) {
    DisplayItem item;
    EXPECT_TRUE(item.IsEmpty());
    item.SetField(kLabelField, "   ");
    EXPECT_TRUE(item.IsEmpty());
    item.SetField(kLabelField, "1001");
    EXPECT_FALSE(item.IsEmpty());
    item.Clear();
    EXPECT_TRUE(item.IsEmpty());
    EXPECT_EQ(item.ToLine(), std::string(20, ','));
}

TEST(Placement, ListsHoldTheEditorsEntriesInOrder) {
    std::vector<int> header;
    for (const auto& entry : HeaderPlacementList()) header.push_back(entry.code);
    EXPECT_EQ(header, (std::vector<int>{1, 2, 3, 4, 11, 12, 13, 14, 99, 31, -1}));
    std::vector<int> data;
    for (const auto& entry : DataPlacementList()) data.push_back(entry.code);
    EXPECT_EQ(data, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 21, 22, 23, 11, 12, 13, 99, 31, -1}));

    ASSERT_NE(FindHeaderPlacement(14), nullptr);
    EXPECT_EQ(FindHeaderPlacement(14)->listName, "14 V_Eq. \u3000縦均等");
    ASSERT_NE(FindDataPlacement(3), nullptr);
    EXPECT_EQ(FindDataPlacement(3)->listName, "3  HR_Btm. ");
    ASSERT_NE(FindDataPlacement(-1), nullptr);
    EXPECT_EQ(FindDataPlacement(-1)->listName, "-1 NoDsp 非表示");
    EXPECT_EQ(FindDataPlacement(14), nullptr);
    EXPECT_EQ(FindHeaderPlacement(5), nullptr);
    // Each list entry starts with its own code.
    for (const auto& entry : DataPlacementList()) EXPECT_EQ(std::stoi(std::string(entry.listName)), entry.code);
    for (const auto& entry : HeaderPlacementList()) EXPECT_EQ(std::stoi(std::string(entry.listName)), entry.code);
    EXPECT_TRUE(IsRotatedHeaderPlacement(31));
    EXPECT_TRUE(IsRotatedHeaderPlacement(33));
    EXPECT_FALSE(IsRotatedHeaderPlacement(14));
}

TEST(LegendReference, FindsRowAndCellCount) {
    struct Case {
        const char* text;
        int row;
        int cells;
    };
    const Case found[] = {
        {"@A@1", 1, 1}, {"@B@6", 2, 6}, {"@H@2", 8, 2}, {"@J@3", 9, 3},
        {"@M@4", 12, 4}, {"x @F@4 y", 6, 4}, {"@C@0", 3, 10}, {"@C@15", 3, 10},
    };
    for (const auto& c : found) {
        auto ref = FindLegendReference(c.text);
        ASSERT_TRUE(ref.has_value()) << c.text;
        EXPECT_EQ(ref->row, c.row) << c.text;
        EXPECT_EQ(ref->cells, c.cells) << c.text;
    }
    for (const char* text : {"@I@1", "@N@1", "@Z@2", "@B@", "標尺", "@B6", ""})
        EXPECT_FALSE(FindLegendReference(text).has_value()) << text;
}

}  // namespace
}  // namespace stracol::style
