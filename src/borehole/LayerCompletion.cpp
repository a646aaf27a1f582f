#include "borehole/LayerCompletion.h"

#include <vector>

#include "core/Format.h"
#include "core/Numbers.h"

#include <array>
#include <string_view>

namespace stracol::borehole {
namespace {

// LayerTable columns.
constexpr int kName1 = 1, kName2 = 2, kFlags = 6, kShare = 8, kBefore2 = 9, kAfter2 = 10;
// PropertyTable columns.
constexpr int kCoreShape = 4;

constexpr int kAlternationFlag = 256;
constexpr int kLastRowFlag = 16;

void OrFlag(DepthTable& table, int row, int column, long bit) {
    table.SetCell(row, column, core::Sprintf("%ld", core::LeadingLong(table.Cell(row, column)) | bit));
}

bool HasShare(const DepthTable& table, int row) { return core::LeadingReal(table.Cell(row, kShare)) >= 1.0; }

void DefaultShare(DepthTable& table, int row, const char* share) {
    if (!HasShare(table, row)) table.SetCell(row, kShare, share);
}

// Last row (1-based) holding any text in the columns [0, columns); 0 when none.
int LastFilledRow(const DepthTable& table, int columns) {
    for (int row = table.StoredRows(); row >= 1; --row) {
        for (int c = 0; c < columns; ++c) {
            if (!table.Cell(row, c).empty()) return row;
        }
    }
    return 0;
}

double SortDepth(const DepthTable& table, int row) {
    const std::string& cell = table.Cell(row, table.Def().keyColumn);
    return core::IsNumericStart(cell) == 1 ? core::LeadingReal(cell) : kNonNumericDepth;
}

struct Roman {
    std::string_view fullWidth;
    std::string_view ascii;
};
constexpr std::array<Roman, 10> kRomans = {{
    {"Ⅰ", "I"}, {"Ⅱ", "II"}, {"Ⅲ", "III"}, {"Ⅳ", "IV"}, {"Ⅴ", "V"},
    {"Ⅵ", "VI"}, {"Ⅶ", "VII"}, {"Ⅷ", "VIII"}, {"Ⅸ", "IX"}, {"Ⅹ", "X"},
}};

std::string ReplaceRomans(const std::string& text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        bool replaced = false;
        for (const Roman& r : kRomans) {
            if (text.compare(pos, r.fullWidth.size(), r.fullWidth) == 0) {
                out.append(r.ascii);
                pos += r.fullWidth.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) out.push_back(text[pos++]);
    }
    return out;
}

// One run of consecutive codes with consecutive symbols: first code, last code, symbols.
struct CodeRun {
    int column;
    long first;
    long last;
    std::array<std::string_view, 8> symbols;
};
constexpr CodeRun kCodeRuns[] = {
    {3, 11, 15, {"A", "B", "C", "D", "E"}},
    {3, 21, 25, {"A", "B", "C", "D", "E"}},
    {4, 11, 18, {"I", "II", "III", "IV", "V", "VI", "VII", "VIII"}},
    {4, 31, 36, {"I", "II", "III", "IV", "V", "VI"}},
    {5, 11, 14, {"a", "b", "c", "d"}},
    {6, 11, 15, {"w1", "w2", "w3", "w4", "w5"}},
    {6, 21, 25, {"w1", "w2", "w3", "w4", "w5"}},
    {6, 31, 35, {"w1", "w2", "w3", "w4", "w5"}},
    {6, 51, 56, {"w1", "w2", "w3", "w4", "w5", "w6"}},
    {7, 11, 14, {"h1", "h2", "h3", "h4"}},
    {7, 21, 24, {"hm1", "hm2", "hm3", "hm4"}},
};

}  // namespace

void LayoutTwoNames(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Layer);
    const int rows = t.RowCount();
    for (int row = 1; row <= rows; ++row) {
        if (t.Cell(row, kName2).empty()) t.SetCell(row, kAfter2, "");
        t.SetCell(row, kBefore2, t.Cell(row, kAfter2));

        const std::string name1 = t.Cell(row, kName1);
        const std::size_t alternation = name1.find("互層");
        if (alternation != std::string::npos) {
            const std::string head = name1.substr(0, alternation);
            std::string separator = "・";
            std::size_t dot = head.find(separator);
            if (dot == std::string::npos) {
                separator = "･";
                dot = head.find(separator);
            }
            if (dot != std::string::npos) {
                t.SetCell(row, kName1, head.substr(0, dot));
                t.SetCell(row, kName2, head.substr(dot + separator.size()));
                t.SetCell(row, kBefore2, separator);
                t.SetCell(row, kAfter2, "互層");
                DefaultShare(t, row, "49");
                OrFlag(t, row, kFlags, kAlternationFlag);
            } else {
                t.SetCell(row, kShare, "98");
                t.SetCell(row, kBefore2, " ");
                t.SetCell(row, kAfter2, "");
            }
            continue;
        }
        if (t.Cell(row, kName2).empty()) continue;
        const std::string& separator = t.Cell(row, kBefore2);
        if (separator == "(") {
            t.SetCell(row, kAfter2, ")");
            DefaultShare(t, row, "50");
        } else if (separator == "（") {
            t.SetCell(row, kAfter2, "）");
            DefaultShare(t, row, "50");
        } else {
            DefaultShare(t, row, "52");
        }
    }
}

void ReplaceRomanNumerals(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Property);
    const int rows = t.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const std::string& cell = t.Cell(row, kCoreShape);
        bool holds = false;
        for (const Roman& r : kRomans) holds = holds || cell.find(r.fullWidth) != std::string::npos;
        if (holds) t.SetCell(row, kCoreShape, ReplaceRomans(cell));
    }
}

std::string PropertySymbol(int column, long code) {
    for (const CodeRun& run : kCodeRuns) {
        if (run.column == column && code >= run.first && code <= run.last)
            return std::string(run.symbols[static_cast<std::size_t>(code - run.first)]);
    }
    return {};
}

void ApplyPropertySymbols(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::Property);
    const int rows = t.RowCount();
    for (int row = 1; row <= rows; ++row) {
        for (int column = 3; column <= 8; ++column) {
            const std::string& cell = t.Cell(row, column);
            if (core::IsNumericStart(cell) != 1) continue;
            const long code = core::LeadingLong(cell);
            // Code 0 means "not judged": nothing is written for it.
            if (code == 0 && core::TrimBlanks(cell).find_first_not_of("0.") == std::string_view::npos) {
                t.SetCell(row, column, "");
                continue;
            }
            if (column == 8) continue;
            if (column == 7 && code < 7) continue;
            std::string symbol = PropertySymbol(column, code);
            if (!symbol.empty()) t.SetCell(row, column, std::move(symbol));
        }
    }
}

void SortTableByDepth(BoreholeRecord& record, TableId id) {
    DepthTable& t = record.Table(id);
    int columns = t.Columns();
    if (id == TableId::Layer) columns = 11;
    else if (id == TableId::Hole) columns = 7;
    const int rows = LastFilledRow(t, columns);
    // The exchange sort compares every pair (rows of equal depth end in the order it leaves
    // them). It runs on the parsed depths and the row numbers only; each row's cells then move
    // once, to where the sort put them.
    std::vector<double> depth(static_cast<std::size_t>(rows) + 1);
    std::vector<int> from(static_cast<std::size_t>(rows) + 1);  // from[p]: the row that ends at row p
    for (int row = 1; row <= rows; ++row) {
        depth[row] = SortDepth(t, row);
        from[row] = row;
    }
    bool moves = false;
    for (int i = 1; i < rows; ++i) {
        for (int j = i + 1; j <= rows; ++j) {
            if (depth[j] < depth[i]) {
                std::swap(from[i], from[j]);
                std::swap(depth[i], depth[j]);
                moves = true;
            }
        }
    }
    if (!moves) return;
    const int moved = std::min(columns, t.Columns());
    std::vector<std::string> cells;
    cells.reserve(static_cast<std::size_t>(rows) * moved);
    for (int row = 1; row <= rows; ++row) {
        for (int c = 0; c < moved; ++c) cells.push_back(from[row] == row ? std::string() : t.Cell(from[row], c));
    }
    for (int row = 1; row <= rows; ++row) {
        if (from[row] == row) continue;
        for (int c = 0; c < moved; ++c) t.SetCell(row, c, std::move(cells[static_cast<std::size_t>(row - 1) * moved + c]));
    }
}

void MarkLastRow(BoreholeRecord& record) {
    DepthTable& t = record.Table(TableId::CoreLength);
    const int last = t.RowCount();
    if (last >= 1) OrFlag(t, last, 3, kLastRowFlag);
}

}  // namespace stracol::borehole
