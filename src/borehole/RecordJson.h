#pragma once
// The loaded record as JSON, one object per file, for "stracol-render --dump FILE...":
//   {"file": path, "format": FormatCode, "heading": {"<index>": text, …}, "tables": {"LayerTable": [[cell, …], …], …}}
// with the non-empty headings, every table by its name with the rows in use (all columns,
// trailing empty cells kept); a file that cannot be loaded gives {"file": path, "error": message}.
// When the reader could not keep some records, "dropped": [{"group", "table", "kept", "dropped"}, …]
// follows the tables ("kept": the rows in use of that table).

#include "borehole/BoreholeRecord.h"
#include "geology/NameTable.h"

#include <string>
#include <string_view>

namespace stracol::borehole {

// A JSON string literal (with the quotes) of UTF-8 text; bytes that are not UTF-8 become U+FFFD.
std::string JsonString(std::string_view text);

std::string RecordJson(const std::string& path, int formatCode, const BoreholeRecord& record);
std::string ErrorJson(const std::string& path, const std::string& message);

// Opens the file through the Open command's road (no style choice, FileV.ndx left alone,
// messages kept out of the output) and gives its JSON object.
std::string DumpFileJson(const std::string& path, const geology::NameTable& names, const std::string& installFolder);

}  // namespace stracol::borehole
