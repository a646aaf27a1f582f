#pragma once
// Numbers in text cells: the numeric-start test and the leading-number conversions every
// reader, style and settings file relies on.

#include <string_view>

namespace stracol::core {

// After leading and trailing blanks are removed: -1 for an empty text, 1 when the first
// character is one of "1234567890.+-!", otherwise 0. Only the first character is examined.
int IsNumericStart(std::string_view text);

// The leading integer of a text (leading blanks skipped, optional sign, digits); 0 when the
// text does not start with a number. Values beyond the int range are clamped.
int LeadingInt(std::string_view text);
long LeadingLong(std::string_view text);

// The leading decimal number of a text ("12.5m" gives 12.5, ".5" gives 0.5, "1e2" gives 100);
// 0 when there is none. Independent of the locale.
double LeadingReal(std::string_view text);

// Leading and trailing blanks (space, tab, CR, LF) removed.
std::string_view TrimBlanks(std::string_view text);

}  // namespace stracol::core
