#pragma once
// Soil-name decomposition: turns a layer's soil or rock name into a pattern number, a class
// digit and a symbol by looking its parts up in the geological-name table — the main name,
// a ～質 modifier, a ～混じり modifier, or the two halves of an alternation (互層).

#include "geology/NameTable.h"

#include <string>
#include <string_view>

namespace stracol::borehole {

struct NameDecomposition {
    long patternNumber = 0;  // 90000 and up: a split pattern of an alternation
    int classDigit = 0;      // 1 relative density, 2 consistency, 3 both, 0 neither
    std::string symbol;
};

struct MainNameMatch {
    long patternNumber = 0;
    int classDigit = 0;
    std::string symbol;
    std::string before;  // the text before the matched name (the whole text when none matched)
    int entry = -1;      // index of the matched entry in the table, -1 when none
};

// The longest main name (group 1) contained in the text; of equal lengths (in CP932 bytes)
// the later entry wins.
MainNameMatch FindMainName(const geology::NameTable& names, std::string_view text);

// The pattern number, class digit and symbol of a name. An explicit pattern text that starts
// like a number overrides the computed number with its absolute value.
NameDecomposition DecomposeName(const geology::NameTable& names, std::string_view name,
                                std::string_view explicitPattern);

// "%ld.%d" of pattern number and class digit, as LayerTable columns 4 and 5 hold it.
std::string PatternCodeText(const NameDecomposition& d);

}  // namespace stracol::borehole
