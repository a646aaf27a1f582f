#include "UnshownData.h"

#include "borehole/BoreholeRecord.h"
#include "style/LogStyle.h"

#include <initializer_list>

namespace stracol::tools {

namespace {

using borehole::TableId;

// A kind of data, the table that holds it and the display items that draw it.
struct DataKind {
    const char* kind;
    TableId table;
    std::initializer_list<int> items;
};

const DataKind kKinds[] = {
    {"土質・岩種区分", TableId::Layer, {1005, 1006, 1007, 1008, 1009, 1010}},
    {"断層破砕帯", TableId::Fault, {1005, 1007, 1009}},
    {"標準貫入試験", TableId::Spt, {3101, 3102, 3103, 3104, 3105, 3108, 3109}},
    // The work-day columns show the same measured levels, with the day of each.
    {"孔内水位", TableId::Water, {1027, 3601, 3602, 3603}},
    {"観察記事", TableId::Article, {1024}},
    {"相対密度・相対稠度", TableId::Density, {1019, 1020, 1042}},
    {"試料採取", TableId::Sample, {3301, 3302, 3303}},
    {"原位置試験", TableId::Insitu, {1044, 1045, 1046, 3201, 3202, 3203, 3204, 3205}},
    {"ルジオン試験", TableId::Lugeon, {3401, 3402, 3403}},
    {"地下水検層", TableId::TracerDetail, {3501}},
    {"地下水検層 判定結果", TableId::TracerResult, {3502, 2051}},
    {"コア採取率", TableId::Recovery, {1037, 2301, 2302}},
    {"最大コア長・RQD", TableId::CoreLength, {1038, 1039, 2301, 2302}},
    {"コア質量", TableId::CoreMass, {1040}},
    {"岩盤の性状", TableId::Property, {1031, 1032, 1033, 1034, 1035, 1036, 1042}},
    {"破砕度", TableId::Crush, {1041}},
    {"地盤材料の工学的分類", TableId::Material, {1011}},
    {"地層・岩体区分", TableId::Strata, {1025}},
    {"地質時代", TableId::Era, {1026}},
    {"計測機器", TableId::Instrument, {1081}},
    {"保孔管", TableId::Casing, {2052}},
    {"孔径・孔壁保護", TableId::Hole, {3701, 3702, 3703, 3803, 3804}},
    {"削孔状況", TableId::Drill, {1090, 3801, 3802, 3803, 3805, 3806, 3807, 3808, 3809, 3810, 3811}},
};

}  // namespace

std::vector<UnshownData> DataTheStyleDoesNotShow(const style::LogStyle& style, const borehole::BoreholeRecord& record) {
    std::vector<UnshownData> unshown;
    for (const DataKind& k : kKinds) {
        const int rows = record.Table(k.table).RowCount();
        if (rows == 0) continue;
        bool shown = false;
        for (int item : k.items) shown = shown || style.FindItem(item) != nullptr;
        if (!shown) unshown.push_back({k.kind, rows});
    }
    return unshown;
}

std::string UnshownDataText(const std::vector<UnshownData>& unshown) {
    std::string text;
    for (const UnshownData& u : unshown) {
        if (!text.empty()) text += ", ";
        text += u.kind + " " + std::to_string(u.rows) + (u.rows == 1 ? " row" : " rows");
    }
    return text;
}

}  // namespace stracol::tools
