#include "borehole/FullWidthCheck.h"

#include <vector>

#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "core/Format.h"

namespace stracol::borehole {

namespace {

constexpr const char* kLineEnd = "\r\n";
constexpr const char* kMoreMark = "  - -";
constexpr int kMaxHeadingFindings = 10;
constexpr int kMaxTableRows = 3;
constexpr int kMaxTotalFindings = 50;

bool Contains(std::string_view set, std::string_view character) { return set.find(character) != std::string_view::npos; }

// A full-width small letter ａ-ｚ as its capital.
std::string UpperFullWidth(char32_t c, std::string_view character) {
    if (c >= U'ａ' && c <= U'ｚ') {
        char32_t upper = c - (U'ａ' - U'Ａ');
        // Ａ..Ｚ are U+FF21..U+FF3A: three bytes EF BC A1..BA.
        std::string out = "\xEF\xBC";
        out.push_back(static_cast<char>(0x80 + (upper - 0xFF00)));
        return out;
    }
    return std::string(character);
}

// Which columns a category tests and how its findings are written.
struct Category {
    const char* name;
    TableId table;
    std::vector<int> columns;
    bool interval;     // the depth prefix names the upper and the lower depth
    std::size_t textBytes;
};

const std::vector<Category>& TableCategories() {
    static const std::vector<Category> categories = {
        {"地質･色調", TableId::Layer, {1, 2, 3}, false, 20},
        {"N値備考", TableId::Spt, {6}, false, 20},
        {"観察記事", TableId::Article, {3}, true, 30},
        {"原位置", TableId::Insitu, {1, 2, 3}, false, 20},
        {"試料", TableId::Sample, {2, 3, 4}, true, 20},
        {"性状", TableId::Property, {2, 3, 4, 5, 6, 7}, false, 20},
        {"削孔", TableId::Drill, {1, 2, 3, 4, 5, 6, 7, 8}, false, 20},
        {"孔径 保護理由 ﾋﾞｯﾄ", TableId::Hole, {1, 2, 3, 5}, false, 20},
        {"空欄", TableId::Remark, {0, 1, 2, 3}, false, 20},
        {"計測機器", TableId::Instrument, {1, 2, 3}, false, 20},
        {"地質時代", TableId::Era, {2, 3}, false, 20},
        {"地層岩体", TableId::Strata, {2, 3}, false, 20},
    };
    return categories;
}

}  // namespace

bool HasFullWidthAlphanumerics(std::string_view text) {
    if (core::Cp932Width(text) < 2) return false;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t length = std::max<std::size_t>(1, core::Utf8CharLength(text, pos));
        const std::string_view character = text.substr(pos, length);
        if (length > 1) {
            if (Contains(kFullWidthSetA, character)) return true;
            if (Contains(kFullWidthSetB, UpperFullWidth(core::Utf8CharAt(text, pos), character))) return true;
        }
        pos += length;
    }
    return false;
}

std::string FullWidthReport(const BoreholeRecord& record) {
    std::string result;
    int total = 0;

    // Headings 1 to 27, one finding a line.
    {
        std::string block = std::string("▼") + "見出し" + kLineEnd;
        int found = 0;
        for (int index = 1; index <= 27; ++index) {
            const std::string& text = record.Heading(index);
            if (!HasFullWidthAlphanumerics(text)) continue;
            if (found == kMaxHeadingFindings) {
                block += std::string(kMoreMark) + kLineEnd;
                break;
            }
            block += core::Sprintf("(%d) %s  ", index, core::Cp932Truncate(text, 30).c_str()) + kLineEnd;
            ++found;
        }
        if (found > 0) result += block;
        total += found;
    }

    for (const Category& category : TableCategories()) {
        if (total >= kMaxTotalFindings) break;
        const DepthTable& table = record.Table(category.table);
        std::string block = std::string("▼") + category.name + kLineEnd;
        int found = 0;
        int rowsFound = 0;
        const int rows = table.RowCount();
        for (int row = 1; row <= rows; ++row) {
            std::string line;
            int rowFindings = 0;
            for (int column : category.columns) {
                const std::string& text = table.Cell(row, column);
                if (!HasFullWidthAlphanumerics(text)) continue;
                const std::string cut = core::Cp932Truncate(text, category.textBytes);
                if (line.empty()) {
                    if (category.interval)
                        line = core::Sprintf("( %sm - %sm ) %s  ", table.Cell(row, 0).c_str(), table.Cell(row, 1).c_str(),
                                             cut.c_str());
                    else if (category.table == TableId::Layer)
                        line = core::Sprintf("( %s m ) %s  ", table.Cell(row, 0).c_str(), cut.c_str());
                    else  // the row's depth: the property table keeps it in column 1
                        line = core::Sprintf("( %sm ) %s  ", table.Cell(row, table.Def().keyColumn).c_str(), cut.c_str());
                } else {
                    line += cut + " ";
                }
                ++rowFindings;
            }
            if (line.empty()) continue;
            if (rowsFound == kMaxTableRows) {
                block += std::string(kMoreMark) + kLineEnd;
                break;
            }
            block += line + kLineEnd;
            ++rowsFound;
            found += rowFindings;
        }
        if (rowsFound > 0) result += block;
        total += found;
    }
    return result.empty() ? std::string(kNoFullWidthText) : result;
}

}  // namespace stracol::borehole
