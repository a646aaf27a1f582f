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

}  // namespace stracol::borehole
