#include "geology/PatternColours.h"

#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "geology/BuiltInTables.h"
#include "geology/PatternList.h"

namespace stracol::geology {
namespace {

void Add(PatternColours& colours, std::string_view number, std::string_view colour) {
    if (static_cast<int>(colours.entries.size()) >= kPatternColourCapacity) return;
    colours.entries.emplace_back(core::LeadingLong(number), ParseColourText(colour).value_or(0u));
}

bool HasHeadingMark(std::string_view text) {
    return text.find('[') != std::string_view::npos || text.find('{') != std::string_view::npos;
}

}  // namespace

std::uint32_t PatternColours::ColourOf(long patternNumber) const {
    for (const auto& [number, colour] : entries) {
        if (number == patternNumber) return colour;
    }
    return 0;
}

PatternColours LoadPatternColours(const std::string& path) {
    auto lines = core::ReadCp932Lines(path, kPatternLineLimit);
    if (!lines) return BuiltInPatternColours();
    return ParsePatternColours(*lines);
}

PatternColours ParsePatternColours(const std::vector<std::string>& lines) {
    PatternColours colours;
    for (const auto& line : lines) {
        if (core::CharacterCount(line) <= 1 || HasHeadingMark(line)) continue;
        Add(colours, core::CsvFieldText(line, 1), core::CsvFieldText(line, 2));
    }
    return colours;
}

PatternColours BuiltInPatternColours() {
    PatternColours colours;
    for (const auto& row : BuiltInPatternRows()) {
        if (row.number.find("[終") != std::string_view::npos) break;
        if (HasHeadingMark(row.number)) continue;
        Add(colours, row.number, row.colour);
    }
    return colours;
}

}  // namespace stracol::geology
