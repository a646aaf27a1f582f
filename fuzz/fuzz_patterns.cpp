// The pattern list and the pattern colours (PtnvcQX.ndx): read, written back, and every
// colour text parsed.

#include "core/CsvField.h"
#include "geology/PatternColours.h"
#include "geology/PatternList.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<std::string> lines = fuzz::Cp932LinesOf(fuzz::BytesOf(data, size), geology::kPatternLineLimit);
    const geology::PatternList list = geology::ParsePatternList(lines);
    (void)geology::PatternListLines(list);
    const geology::PatternColours colours = geology::ParsePatternColours(lines);
    for (const auto& [number, colour] : colours.entries) (void)colours.ColourOf(number);
    for (const std::string& line : lines) (void)geology::ParseColourText(core::CsvFieldText(line, 2));
    return 0;
}
