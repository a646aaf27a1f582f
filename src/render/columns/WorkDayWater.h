#pragma once
// The work-day water levels (作業日) from WaterLogTable, one entry per measurement standing on
// the line of its water level: the measuring date (3601, 作業日>削孔月日), the level in metres
// below the ground (3602, 作業日>孔内水位) and the casing bottom depth (3603,
// 作業日>ケーシング下端). Entries are taken in depth order so that a text pushed down by its
// neighbour moves the next one down in all three columns alike.

#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

struct WorkDayEntry {
    double level = 0;          // m below the ground (WaterLogTable column 0)
    std::string date;          // "MM/DD" from the measuring date of column 6
    std::string casingBottom;  // column 1 when it holds a depth
};

// The entries of every stored row whose level is a number (a row without one is left out and
// the rows after it still count), sorted by level; rows of the same level keep their order.
std::vector<WorkDayEntry> WorkDayEntries(const borehole::BoreholeRecord& record);

// "2008/07/15" → "07/15": a date longer than five characters with a year of 1900 or later (or
// "0000") loses the year; "-" becomes "/".
std::string WorkDayDate(std::string_view date);

// Sub-modes: 1 date (3601), 2 level (3602), 3 casing bottom (3603).
void DrawWorkDayColumn(LogContext& ctx, int slot, int which);

// Registers 3601, 3602 and 3603.
void RegisterWorkDayWater(ColumnRegistry& registry);

}  // namespace stracol::render
