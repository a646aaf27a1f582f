#pragma once
// Fault fracture zones (FaultTable) on the soil pattern column: lines across the column at
// the zone's depths, 1.1 mm strips along both column edges marked by the kind of the zone
// (角礫状 crosses, 砂・礫混じり粘土状 dashes, 粘土状 black bands, シュー zigzags, マイロ
// diamonds, カタク steps), and the zone depths with their elevations written into the depth
// and elevation columns.

#include <string_view>

namespace stracol::render {

struct LogContext;
struct ElevationInputs;

namespace soil {

// FaultTable columns.
inline constexpr int kFaultUpperColumn = 0;
inline constexpr int kFaultLowerColumn = 1;
inline constexpr int kFaultPropertyColumn = 2;
inline constexpr int kFaultFlagsColumn = 3;

// Fault flag bits (FaultTable column 3).
inline constexpr int kFaultUpperLineBit = 1;      // line at the upper depth in the depth columns
inline constexpr int kFaultUpperValuesBit = 2;    // upper depth and its elevation written there
inline constexpr int kFaultLowerLineBit = 4;      // line at the lower depth in the depth columns
inline constexpr int kFaultLowerValuesBit = 8;    // lower depth and its elevation written there
inline constexpr int kFaultUpperPatternBit = 16;  // line at the upper depth across the pattern column
inline constexpr int kFaultLowerPatternBit = 32;  // line at the lower depth across the pattern column

// Width of the strips along the column edges, mm.
inline constexpr double kFaultStripMm = 1.1;

}  // namespace soil

// The kind of a fault zone from its property text: the first of "角" 1, "砂" 2, "粘" 3,
// "シ" 4, "マ" 5, "カ" 6 the text contains (tried in that order), else the text's leading
// integer (0 for an empty or non-numeric text: no strips).
int FaultZoneKind(std::string_view propertyText);

// The zones inside the pattern column xl … xr (mm), clipped to the page window: lines of
// bits 16 and 32, and for a kind ≥ 1 the inner strip edges and the marks of the kind.
void FaultZonePass(LogContext& ctx, double xlMm, double xrMm);

// The zone depths into the depth column (slot depthSlot, "%5.2f") and the elevation column
// (slot elevationSlot, "%7.2f"): lines with bits 1 and 4, texts with bits 2 and 8, each with
// the column's horizontal alignment and its bottom on the line. Clipped to the page window.
void FaultDepthPass(LogContext& ctx, int depthSlot, int elevationSlot, const ElevationInputs& elevation);

}  // namespace stracol::render
