#pragma once
// The step after a file has been read: completes the record for the format it came from, and
// the data-kind label shown for the loaded file.

#include "borehole/BoreholeRecord.h"

#include <string>

namespace stracol::borehole {

// Completes the record after a load of the format: the two-name layout and Heading 71/72 for
// every format but Tessel v1; sorting, the last-row mark, property symbols, article upper
// depths and the survey-date split for the exchange formats; flags, sorting and merges for
// Tessel v1 and the older formats.
void PostLoad(BoreholeRecord& record, int formatCode);

// The data-kind label kept in Heading 102: "BED0110", "BED020X", "BED0210", "BED0300",
// "BED0400", "BED0500", "不明 未対応" for an exchange file of unrecognised version, empty otherwise.
std::string DataKindLabel(int formatCode);

// A date written as year, month and day joined by hyphens in Heading first is split into
// first, first + 1 and first + 2; a text without a hyphen is left as it is.
void SplitHeadingDate(BoreholeRecord& record, int first);

// ArticleTable rows without a numeric upper depth take the lower depth of the row before
// ("0.0" for row 1), over as many rows as the longer of the two depth columns counts.
void FillArticleUpperDepths(BoreholeRecord& record);

// DrillTable column 9 from columns 1 to 8 (1, 2, 4 … 128 for each non-empty cell) and
// HoleTable column 6 from columns 1 to 5 (2, 4 … 32).
void RecomputePresenceFlags(BoreholeRecord& record);

// A HoleTable row with a depth and a value in column 4 sets DrillTable column 8 of the row of
// the same depth (less than 0.0001 m apart) or appends a row (at most 160).
void MergeHoleIntoDrill(BoreholeRecord& record);

// Formats 480 and 490: PropertyTable rows with a depth (column 1) and a colour (column 2) set
// LayerTable column 3 of the layer of the same depth (less than 0.0001 m apart) with flag ORed
// into column 6, or append such a layer (at most up to row 200).
void MergePropertyColours(BoreholeRecord& record, int flag);

// The colour flag the property/colour merge ORs into a layer's flags.
inline constexpr int kMergedColourFlag = 32;

// The token formats keep some records in another column order than the record; these moves
// put them into the record's layout (a cell already in the record's form is left as it is):
//   SampleTable  upper, lower, method, number → upper, lower, number, method as one character;
//   InsituTable  upper, lower, result, test   → upper, lower, test, result, column 7 "85".
void MoveTokenSampleColumns(BoreholeRecord& record);
void MoveTokenInsituColumns(BoreholeRecord& record);
//   HoleTable    wall protection (column 2) as "B1" … "B9", water kind (column 4) as "w1" … "w9".
void MoveTokenHoleColumns(BoreholeRecord& record);
//   DrillTable   the date (column 1) as "MM/DD", the water kind (column 8) as "w1" … "w9".
void MoveTokenDrillColumns(BoreholeRecord& record);

}  // namespace stracol::borehole
