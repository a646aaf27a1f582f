#pragma once
// Writing a style in the "$$_TQSTL1" text format: the plain form for style files and a quoted
// form (each line as a C string literal) for embedding a style as a built-in table in an ".h"
// file, which is never read back.

#include "style/LogStyle.h"

#include <string>
#include <string_view>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::style {

inline constexpr std::string_view kStyleMagic = "$$_TQSTL1";

// The lines of a style file: the magic, "$$z_", title lines 1-4, "$$X_", the item rows in
// use (at most 50), "$$t_", the 12 legend rows and "$$_". A comma inside an item or legend
// cell is written as the full-width "，" so that the cell cannot split the line on reading.
std::vector<std::string> StyleFileLines(const LogStyle& style);

// The same lines, each written as a double quote, the line, a double quote and a comma (a
// double quote or backslash inside the line is preceded by a backslash).
std::vector<std::string> QuotedStyleFileLines(const LogStyle& style);

// Writes the plain form (CP932, CR LF, replacing the file only once everything is written).
// On failure shows 4005 "保存できませんでした" when messages is given and returns false.
bool WriteStyleFile(const std::string& path, const LogStyle& style, core::Messages* messages);
bool WriteQuotedStyleFile(const std::string& path, const LogStyle& style, core::Messages* messages);

}  // namespace stracol::style
