#include "style/Placement.h"

#include <array>

namespace stracol::style {
namespace {

constexpr std::array<PlacementEntry, 11> kHeaderPlacements{{
    {1, "1  HL. 横左詰め ", "HL"},
    {2, "2  HC. 横センター", "HC"},
    {3, "3  HR. 横右詰め", "HR"},
    {4, "4  HE. 横均等", "HE"},
    {11, "11 V_Top. 縦上端", "V_Top"},
    {12, "12 V_Mid. 縦中間", "V_Mid"},
    {13, "13 V_Btm. 縦下端", "V_Btm"},
    {14, "14 V_Eq. \u3000縦均等", "V_Eq"},
    {99, "99 Auto  自動", "Auto"},
    {31, "31 E_Top.(270)", "E_Top"},
    {-1, "-1 非表示", "非表示"},
}};

constexpr std::array<PlacementEntry, 18> kDataPlacements{{
    {1, "1  HL_Btm. 横書き.左.下端 \u3000 ", "HL_Btm. 横書き 左詰め  下端配置 (折り返し無し) "},
    {2, "2  HC_Btm. ", "HC_Btm"},
    {3, "3  HR_Btm. ", "HR_Btm"},
    {4, "4  HL_Mid. 横書き.左.中央 ", "HL_Mid"},
    {5, "5  HC_Mid. ", "HC_Mid"},
    {6, "6  HR_Mid. ", "HR_Mid"},
    {7, "7  HL_Top. 横書き.左.上端 ", "HL_Top"},
    {8, "8  HC_Top. ", "HC_Top"},
    {9, "9  HR_Top. ", "HR_Top"},
    {21, "21 Wb_Top.. 折り返し.上", "Wb_Top. 記事枠内折り返し改行 上端配置"},
    {22, "22 Wb_Mid.. 折り返し.中", "Wb_Mid"},
    {23, "23 Wb_Btm. 折り返し.下", "Wb_Btm"},
    {11, "11 V_Top.. 縦書き 上", "V_Top"},
    {12, "12 V_Mid.. 縦書き 中", "V_Mid"},
    {13, "13 V_Btm. 縦書き 下", "V_Btm"},
    {99, "99 Auto.   自動", "Auto.   自動"},
    {31, "31 E_Top. 270°回転", "E_Top.  270°回転"},
    {-1, "-1 NoDsp 非表示", "NoDsp.  非表示"},
}};

const PlacementEntry* FindIn(std::span<const PlacementEntry> list, int code) {
    for (const auto& entry : list)
        if (entry.code == code) return &entry;
    return nullptr;
}

}  // namespace

std::span<const PlacementEntry> HeaderPlacementList() { return kHeaderPlacements; }
std::span<const PlacementEntry> DataPlacementList() { return kDataPlacements; }
const PlacementEntry* FindHeaderPlacement(int code) { return FindIn(kHeaderPlacements, code); }
const PlacementEntry* FindDataPlacement(int code) { return FindIn(kDataPlacements, code); }

}  // namespace stracol::style
