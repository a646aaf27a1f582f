#pragma once
// The water level column 1027 (孔内水位・測定月日): the water-table mark ▽ at each measured
// borehole water level, the level and the measuring date above it, and a kind or remark
// text beside it. Levels above the ground (artesian water) show up to 6 m above depth 0.

#include <string>

namespace stracol::render {

class ColumnRegistry;
struct LogContext;

inline constexpr int kWaterLevelItem = 1027;
// Levels higher than this above the ground (m) are not drawn.
inline constexpr double kHighestWaterLevelM = 6.0;

// The level text of a water level at depth u (m, negative above the ground): "%4.2f" of u
// below the ground, "%+4.2f" of −u above it.
std::string WaterLevelText(double depthM);

// Draws the WaterTable rows (level column 0 as signed text, negative below the ground; date
// column 1; kind column 2; flags column 3: bit 1 the mark and the level, bit 2 the date, bit
// 8 the kind below the line, bit 16 the kind further below) into the column of slot.
void DrawWaterLevelColumn(LogContext& ctx, int slot);

void RegisterWaterLevelColumn(ColumnRegistry& registry);

}  // namespace stracol::render
