#pragma once
// The geological-name master and the pattern list built into the program: they stand in for
// WdtvTSL.mst and PtnvcQX.ndx when those files are missing, and seed them when written.
// Each row holds the text fields of one line of its file, exactly as the file would carry them.

#include <span>
#include <string_view>

namespace stracol::geology {

// One line of the built-in master: name (or a group heading such as "[第１分類]"), symbol,
// field 3 "P.c" (pattern number, class digit), field 4 "B.c" (bitmap number, class digit).
// The first heading's field 3 is the master's version; the row "[終了]" ends the table.
struct BuiltInMasterRow {
    std::string_view name;
    std::string_view symbol;
    std::string_view pattern;
    std::string_view bitmap;
};

// One line of the built-in pattern list: pattern number (or a group heading), colour and
// default colour as "0x%06x" text of 0x00BBGGRR ("0x" alone is black), abbreviated display,
// example names. The first heading's third field is the list's version (1000).
struct BuiltInPatternRow {
    std::string_view number;
    std::string_view colour;
    std::string_view defaultColour;
    std::string_view abbreviation;
    std::string_view examples;
};

// All 116 rows of the built-in master, in file order, up to and including "[終了]".
std::span<const BuiltInMasterRow> BuiltInMasterRows();

// All 84 rows of the built-in pattern list, in file order, up to and including "[終了]".
std::span<const BuiltInPatternRow> BuiltInPatternRows();

}  // namespace stracol::geology
