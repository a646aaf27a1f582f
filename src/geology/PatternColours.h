#pragma once
// The colour of each pattern number, as the drawing of soil-column patterns looks it up:
// pairs of number and colour (0x00BBGGRR) taken from the first two fields of PtnvcQX.ndx.

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace stracol::geology {

inline constexpr int kPatternColourCapacity = 110;

struct PatternColours {
    std::vector<std::pair<long, std::uint32_t>> entries;  // at most 110, in file order

    // The colour of the first entry with the number; 0 (black) when there is none.
    std::uint32_t ColourOf(long patternNumber) const;
};

// Reads PtnvcQX.ndx: lines cut to 100 bytes; lines of one character or less and heading
// lines ("[" or "{") are skipped; field 1 is the number, field 2 the colour text (an invalid
// colour reads as black). A file that cannot be opened gives the built-in pattern list's
// numbers and colours.
PatternColours LoadPatternColours(const std::string& path);

// The colours of the lines of a pattern colour file (read as LoadPatternColours does).
PatternColours ParsePatternColours(const std::vector<std::string>& lines);

// The numbers and colours of the built-in pattern list, up to the row holding "[終".
PatternColours BuiltInPatternColours();

}  // namespace stracol::geology
