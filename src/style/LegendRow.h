#pragma once
// One legend row of a style (凡例): 10 text cells drawn in a graph column's header when a
// header text names the row ("@B@6": row B, 6 cells). Cell 10 holds "@" and the row's
// number of display lines; a cell starting with ":凡例" or "：凡例" is a legend scale.

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::style {

inline constexpr int kLegendCells = 10;
inline constexpr int kLegendRows = 12;

// The row letters in row order: A = row 1 … H = row 8, J = row 9 … M = row 12 (no I).
inline constexpr std::string_view kLegendLetters = "ABCDEFGHJKLMN";

struct LegendRow {
    std::array<std::string, kLegendCells> cells;

    // The first 10 comma fields of a legend line (CsvField rules).
    static LegendRow FromLine(std::string_view line);
    // The 10 cells joined by "," (an empty row is ",,,,,,,,,").
    std::string ToLine() const;
    bool operator==(const LegendRow&) const = default;
};

using LegendRows = std::array<LegendRow, kLegendRows>;

// A header text that draws a legend row: "@" letter "@" number anywhere in the text.
struct LegendReference {
    int row = 0;    // 1..12
    int cells = 0;  // cells drawn as lines, 1..10 (a number outside 1..10 counts as 10)
};

// The legend row a header text names, or nothing when the text names none, its letter is
// outside the list, or the row would lie above 12.
std::optional<LegendReference> FindLegendReference(std::string_view headerText);

// The default legend rows of the style editor (Mst/ClmObh.mst): lines of 10 comma fields,
// read until a line shorter than 2 characters, at most 12 rows; the other rows are emptied.
// Returns false (rows untouched) when the file cannot be opened.
bool LoadLegendDefaults(const std::string& path, LegendRows& rows);

inline constexpr std::string_view kLegendDefaultsFile = "Mst/ClmObh.mst";

}  // namespace stracol::style
