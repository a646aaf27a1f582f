#pragma once
// Completing the record after a load: the layout of two-name layers, roman numerals and
// standard symbols in the property table, sorting tables by depth, and the mark on the last
// core-length row. The post-load step calls each for the formats it applies to.

#include "borehole/BoreholeRecord.h"

#include <string>

namespace stracol::borehole {

// LayerTable rows in use: column 10 emptied without a name 2, column 9 takes column 10; a
// name 1 holding "互層" is split at "・" (else "･") into names 1 and 2 with the separator in
// column 9, "互層" in column 10, share "49" (unless column 8 is already 1 or more) and 256
// ORed into the flags (column 6); without a separator share "98", column 9 " ", column 10
// empty. Otherwise a name 2 takes the closing bracket of "(" or "（" in column 10 and share
// "50", any other separator share "52" (unless column 8 is already 1 or more).
void LayoutTwoNames(BoreholeRecord& record);

// PropertyTable column 4 of each row with a depth: the numerals Ⅰ to Ⅹ written in ASCII
// capitals ("Ⅳ" → "IV", "Ⅸ" → "IX").
void ReplaceRomanNumerals(BoreholeRecord& record);

// PropertyTable columns 3 to 7 of each row with a depth that still hold a code number get the
// standard symbol of the code (hardness "011" → "A", core shape "013" → "III", crack state
// "012" → "b", weathering "052" → "w2", alteration "021" → "hm1"); column 7 only for values of
// 7 or more. Codes not listed stay.
void ApplyPropertySymbols(BoreholeRecord& record);

// The standard symbol of a property code in column 3 to 7; empty when the code has none.
std::string PropertySymbol(int column, long code);

// Sorts the table's filled rows (up to the last row holding any text) ascending by the depth
// in its key column with an exchange sort; a depth that is not numeric counts as 9999.9, so
// such rows sink to the end. LayerTable moves columns 0 to 10, HoleTable 0 to 6, the other
// tables every column.
void SortTableByDepth(BoreholeRecord& record, TableId table);

// The depth a row sorts by: the leading number of the cell, 9999.9 when it is not numeric.
inline constexpr double kNonNumericDepth = 9999.9;

// The last CoreLengthTable row in use gets 16 ORed into column 3.
void MarkLastRow(BoreholeRecord& record);

}  // namespace stracol::borehole
