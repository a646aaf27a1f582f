#pragma once
// The full-width alphanumerics check ("全角英数字の有無"): where the loaded data holds
// full-width digits, letters and unit symbols, which the exchange format expects in
// half-width form. The data is only read.

#include <string>
#include <string_view>

namespace stracol::borehole {

struct BoreholeRecord;

// Full-width digits, units, circled numbers and roman numerals (set A) and letters (set B).
inline constexpr std::string_view kFullWidthSetA = "０１２３４５６７８９ｍ㎜㎝㎞㎎㎏㎡①②③④⑤⑥⑦⑧⑨⑩ⅠⅡⅢⅣⅤⅥⅦⅧⅨ";
inline constexpr std::string_view kFullWidthSetB = "ＡＢＣＤＥＦＧＨＩＪＫＬＭＮＯＰＱＲＳＴＵＶＷＸＹＺ";

// The result when nothing was found.
inline constexpr std::string_view kNoFullWidthText = "　無し";

// True for a text of at least 2 CP932 bytes that holds a character of set A or, upper-cased,
// of set B.
bool HasFullWidthAlphanumerics(std::string_view text);

// The report: one block per category with findings ("▼" and the category name, then one line
// per row with findings, CR LF ended), at most 10 heading findings and 3 rows of a table per
// category, ending after the category that brings the total to 50; "　無し" without findings.
std::string FullWidthReport(const BoreholeRecord& record);

}  // namespace stracol::borehole
