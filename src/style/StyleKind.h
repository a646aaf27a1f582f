#pragma once
// Which built-in style suits a freshly loaded borehole file, by its format code and the
// log-kind code of its heading (柱状図様式, heading item 57).

#include <string_view>

namespace stracol::style {

// The file carries its own style part (Tessel v1 data); no built-in style is applied.
inline constexpr int kOwnStyleKind = 100;

// 1..8: built-in style to apply; 0: none; kOwnStyleKind: the file's own style.
//   exchange XML 1.10, 2.00, 2.01, 2.10, 3.00 (110, 200-203): code 1 → 3, 2 → 1, 3 → 5
//   exchange XML 4.00, 5.00 (204, 205) and "$$_BTOKEN1" (490): 11 → 2, 12 → 3, 21 → 1,
//     31 → 4, 32 → 5
//   "TPJ" (2) → 3, "GTJ" (3) → 1, "$$_PGTOKEN5" (480) → 7, "$$_JTOKEN5" (500) → 6,
//   Tessel v1 (510) → 100, anything else → 0.
// The log-kind code counts only when it starts with a digit, ".", "+" or "-".
int StyleKind(int formatCode, std::string_view logKindCode);

}  // namespace stracol::style
