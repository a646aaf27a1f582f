#pragma once
// The data list ("データ一覧"): the loaded data other than the heading as one read-only table
// of 12 columns, a block per data table: a line with the block's label, then one line per row
// of the table with its fields.

#include <string>
#include <vector>

namespace stracol::borehole {

struct BoreholeRecord;

inline constexpr int kDataListColumns = 12;
inline constexpr int kDataListMaxLines = 800;
// Article texts longer than this (CP932 bytes) are cut and marked with "…".
inline constexpr int kDataListArticleBytes = 60;

// One line of the list: up to 12 cells.
using DataListLine = std::vector<std::string>;

// The lines of the list, at most 800; a table without rows gives no block. A landslide log
// labels its daily water levels "作業日毎水位(地すべり)".
std::vector<DataListLine> DataListLines(const BoreholeRecord& record, bool landslideLog = false);

// " %d" of the line count, shown beside "行".
std::string DataListCountText(std::size_t lines);

}  // namespace stracol::borehole
