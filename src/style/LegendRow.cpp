#include "style/LegendRow.h"

#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

namespace stracol::style {

LegendRow LegendRow::FromLine(std::string_view line) {
    LegendRow row;
    for (int n = 1; n <= kLegendCells; ++n) core::CsvField(row.cells[n - 1], line, n);
    return row;
}

std::string LegendRow::ToLine() const {
    std::string line;
    for (int n = 0; n < kLegendCells; ++n) {
        if (n > 0) line.push_back(',');
        line += cells[n];
    }
    return line;
}

std::optional<LegendReference> FindLegendReference(std::string_view headerText) {
    std::size_t at = 0;
    while ((at = headerText.find('@', at)) != std::string_view::npos) {
        // "@" letter "@" number
        if (at + 2 < headerText.size() && headerText[at + 2] == '@') {
            char letter = headerText[at + 1];
            std::string_view number = headerText.substr(at + 3);
            if (!number.empty() && number[0] >= '0' && number[0] <= '9') {
                auto index = kLegendLetters.find(letter);
                if (index == std::string_view::npos || index + 1 > static_cast<std::size_t>(kLegendRows))
                    return std::nullopt;
                int cells = core::LeadingInt(number);
                if (cells < 1 || cells > kLegendCells) cells = kLegendCells;
                return LegendReference{static_cast<int>(index) + 1, cells};
            }
        }
        ++at;
    }
    return std::nullopt;
}

bool LoadLegendDefaults(const std::string& path, LegendRows& rows) {
    auto lines = core::ReadCp932Lines(path, 500);
    if (!lines) return false;
    rows = LegendRows{};
    int row = 0;
    for (const auto& line : *lines) {
        if (core::CharacterCount(line) < 2 || row >= kLegendRows) break;
        rows[row++] = LegendRow::FromLine(line);
    }
    return true;
}

}  // namespace stracol::style
