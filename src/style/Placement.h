#pragma once
// Placement codes of display items: how a header text sits in the item-header band
// (HeaderPlacement, fields 4, 8, 12, 16 of an item) and how the column's data sits in its
// depth interval (DataPlacement, field 20). Both are stored as text whose leading integer is
// the code; the words after it are comments kept as written.

#include <span>
#include <string_view>

namespace stracol::style {

enum class HeaderPlacement : int {
    Hidden = -1,
    HorizontalLeft = 1,
    HorizontalCentre = 2,
    HorizontalRight = 3,
    HorizontalSpread = 4,
    VerticalTop = 11,
    VerticalMiddle = 12,
    VerticalBottom = 13,
    VerticalSpread = 14,
    RotatedTop = 31,
    Automatic = 99,
};

enum class DataPlacement : int {
    Hidden = -1,
    LeftBottom = 1,
    CentreBottom = 2,
    RightBottom = 3,
    LeftMiddle = 4,
    CentreMiddle = 5,
    RightMiddle = 6,
    LeftTop = 7,
    CentreTop = 8,
    RightTop = 9,
    VerticalTop = 11,
    VerticalMiddle = 12,
    VerticalBottom = 13,
    WrappedTop = 21,
    WrappedMiddle = 22,
    WrappedBottom = 23,
    RotatedTop = 31,
    Automatic = 99,
};

// One entry of a placement list of the style editor: the code, the text shown in the list
// (stored into the item field as chosen) and, for data placements, the help text's long name.
struct PlacementEntry {
    int code;
    std::string_view listName;
    std::string_view longName;
};

// The 11 header placement codes in the order of the editor's lists.
std::span<const PlacementEntry> HeaderPlacementList();

// The 18 data placement codes in the order of the editor's list.
std::span<const PlacementEntry> DataPlacementList();

// The list entry of a code, or nullptr for a code that is not in the list.
const PlacementEntry* FindHeaderPlacement(int code);
const PlacementEntry* FindDataPlacement(int code);

// Header texts with codes 31 to 33 are drawn in the rotated pass, all others in the normal pass.
constexpr bool IsRotatedHeaderPlacement(int code) { return code >= 31 && code <= 33; }

}  // namespace stracol::style
