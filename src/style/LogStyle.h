#pragma once
// The log style (柱状図様式): which display items form the columns of the log, in order, with
// the log title and the legend rows drawn in graph headers. The program holds one current
// style; all its fields are text.

#include "style/DisplayItem.h"
#include "style/LegendRow.h"

#include <array>
#include <string>

namespace stracol::style {

inline constexpr int kTitleLines = 21;
inline constexpr int kMaxItemRows = 50;

struct LogStyle {
    // Line 1 the log title (柱状図タイトル), line 2 the style name; the others are carried.
    std::array<std::string, kTitleLines> titleLines;
    std::array<DisplayItem, kMaxItemRows> items;
    LegendRows legends;

    const std::string& Title() const { return titleLines[0]; }
    const std::string& Name() const { return titleLines[1]; }

    // Rows in use: those before the first row whose label is empty.
    int ItemCount() const;
    // True when the first item row is empty (the log would have no columns).
    bool HasNoItems() const { return items[0].IsEmpty(); }
    // The first row in use with this item code, or nullptr.
    const DisplayItem* FindItem(int code) const;

    bool operator==(const LogStyle&) const = default;
};

}  // namespace stracol::style
