#pragma once
// Comma-separated fields: one extractor serves the data readers, the style format and every
// master and settings file.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {

class Messages;

// Longest line CsvField looks at, in CP932 bytes.
inline constexpr std::size_t kCsvLineLimit = 2600;

// Copies the first field of text into field and returns the position just after the comma
// that ended it, or 0 when the field ran to the end of the text or to a line feed. A double
// quote toggles the quoted state and is not copied; a comma outside quotes ends the field.
// With quoteMode off, the first ordinary character switches to the quoted state for the rest
// of the text, so the rest of the line is one field.
std::size_t CsvStep(std::string& field, std::string_view text, bool quoteMode);

// Field n (counted from 1) of line into field: 1 when the line has that field, 0 when it has
// fewer, -1 for an empty line. field is emptied first in every case. A line longer than
// 2600 CP932 bytes is cut to that length after the message "too many csv".
int CsvField(std::string& field, std::string_view line, int n, Messages* messages = nullptr);

// Fields 1 to maxFields of line, in one pass (CsvField for each n up to maxFields, without
// reading the line again for every field): fewer when the line has fewer fields, none for an
// empty line. A line longer than 2600 CP932 bytes is cut as CsvField cuts it.
std::vector<std::string> CsvFields(std::string_view line, std::size_t maxFields, Messages* messages = nullptr);

// A field as written into a CSV line: quoted when it holds a comma, so CsvField reads it
// back whole.
std::string CsvQuote(std::string_view text);

// Convenience form: the field's text (empty when absent).
std::string CsvFieldText(std::string_view line, int n, Messages* messages = nullptr);

}  // namespace stracol::core
