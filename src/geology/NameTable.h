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

// Reads the master file for one kind; a file that cannot be opened gives the built-in master.
NameTable LoadNameTable(const std::string& masterPath, int kind);

// The built-in master read for one kind, in the same form.
NameTable BuiltInNameTable(int kind);

}  // namespace stracol::geology
