#pragma once
// The geological-name table used by the soil-name lookups: the master WdtvTSL.mst (or the
// built-in master when the file is missing) read for one kind of number.
//   kind 0: pattern numbers (field 3 of a master row)
//   kind 1: bitmap numbers (field 4)
// Entries are kept in three groups: 1 main names ([第１分類], with the {…} sub-group),
// 2 the ～混じり modifiers ([第２分類]), 3 the ～質 modifiers ([第３分類]).

#include <array>
#include <string>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::geology {

struct NameEntry {
    std::string name;    // field 1
    std::string symbol;  // field 2
    long number = -1;    // integer part of field 3 (kind 0) or 4 (kind 1); -1 when not numeric
    int classDigit = 0;  // 1 relative density applies, 2 consistency applies, 3 both, 0 neither
};

inline constexpr int kNameTableCapacity = 256;

struct NameTable {
    std::vector<NameEntry> entries;         // at most 256, in file order
    std::array<int, 4> groupFirst{-1, -1, -1, -1};  // index into entries of group g's first entry (g = 1..3), -1 when empty
    std::array<int, 4> groupLast{-1, -1, -1, -1};   // … and of its last entry
    int version = 0;                        // third comma field of the first group heading

    // Entries of group g (1..3), as a range of indices [first, last]; empty when the group is.
    bool GroupEmpty(int g) const { return groupFirst[g] < 0; }
};

inline constexpr int kNameLineLimit = 90;  // CP932 bytes read of each master line

// Builds the table for one kind from master lines (UTF-8, already cut to 90 bytes): lines
// shorter than 3 bytes are skipped, "[終" ends the lines, each line holding "[第" starts the
// next group (the first heading's third field is the version), the other lines of groups 1-3
// are entries (at most 256), lines before the first heading and after the third group are
// skipped.
NameTable ParseNameTable(const std::vector<std::string>& lines, int kind);

// Reads the master file for one kind; a file that cannot be opened gives the built-in master.
// A file that opens but holds no group heading at all is not a master: it gives the built-in
// master too, after message 915 (when messages is given).
NameTable LoadNameTable(const std::string& masterPath, int kind, core::Messages* messages = nullptr);

// The built-in master read for one kind, in the same form.
NameTable BuiltInNameTable(int kind);

}  // namespace stracol::geology
