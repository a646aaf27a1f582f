#pragma once
// The columns that say where things are: the scale column 1001 (標尺) with its metre numbers
// and decimetre ticks, and the boundary values written at each layer boundary — elevation
// 1002 (標高), depth 1003 (深度), thickness 1004 (層厚) — with the layer boundary lines that
// also rule the relative density and consistency columns; the depths of the rock-property
// rows written into the depth and elevation columns.

namespace stracol::render {

class ColumnRegistry;
struct LogContext;
struct ElevationInputs;

inline constexpr int kScaleItem = 1001;
inline constexpr int kElevationItem = 1002;
inline constexpr int kDepthItem = 1003;
inline constexpr int kThicknessItem = 1004;

// What BoundaryValueColumns writes besides the boundary lines of its column.
enum class BoundaryMode {
    Elevation = 1,         // elevations into the 1002 column
    Depth = 2,             // depths into the 1003 column
    DensityLines = 4,      // lines only (1021, 2021)
    ConsistencyLines = 5,  // lines only (1022, 2022)
    Thickness = 6,         // layer thicknesses into the ruled column
};

// The scale column of slot: for every whole metre from one above the page start to the page
// end, decimetre ticks (long at .5) at the column's left edge and at the right edge of the
// whole column block, the metre number right-aligned 0.5 mm inside the right edge and
// centred on the metre line (0 only on pages not starting at depth 0), and metre ticks
// strictly inside the page. lineDepth: one text line of the current font in metres.
void DrawScaleColumn(LogContext& ctx, int slot, double lineDepth);

// Walks the LayerTable boundaries (bottom depth column 0, flags column 6): flag bit 1 draws a
// line across the column of slot, bits 1 or 64 move the thickness start, bit 64 writes the
// mode's value (elevation "%7.2f" into elevationSlot, depth "%5.2f" into depthSlot,
// thickness "%4.2f" into slot). A value stands with its bottom on the line, or its baseline
// when the boundary lies less than one text line below depth 0. Clipped to the page window.
void BoundaryValueColumns(LogContext& ctx, int slot, BoundaryMode mode, double lineDepth,
                          const ElevationInputs& elevation, int depthSlot, int elevationSlot);

// The rock-property rows (PropertyTable depth column 1, flags column 9): bit 1 a line
// across the depth and the elevation column, bit 2 the depth "%5.2f" and the elevation
// "%7.2f" written there with their bottom on the line.
void PropertyDepthPass(LogContext& ctx, int depthSlot, int elevationSlot, const ElevationInputs& elevation);

// Registers the scale column, the boundary values and lines, the property-row depths, the
// water level column 1027 and the relative density and consistency columns 1021, 1022,
// 2021 and 2022.
void RegisterBoundaryColumns(ColumnRegistry& registry);

}  // namespace stracol::render
