#pragma once
// The drilling record (削孔状況) as a family of narrow columns over DrillTable, one per
// quantity: the drilling date of the progress rows (1090, 3801) and, of the condition rows,
// drilling speed (3802), feed pressure (3805), rotation speed (3806), water pressure (3807),
// water feed volume (3808), drainage volume (3809), drilling water kind (3810) and kind with
// feed volume in one cell (3811). A row whose flag bit says it carries the column's value is
// marked by a short tick on the text's side.

#include <string>
#include <string_view>

#include "render/LogContext.h"
#include "render/Surface.h"

namespace stracol::render {

class ColumnRegistry;

// The sub-modes of the family (the DrillTable column they show is the sub-mode, except 9).
inline constexpr int kDrillDate = 1;
inline constexpr int kDrillFeedPressure = 3;
inline constexpr int kDrillWaterPressure = 5;
inline constexpr int kDrillWaterKindAndVolume = 9;

// The flag bit (DrillTable column 9) of a sub-mode 1-8: 1, 2, 4 … 128; 0 for other modes.
int DrillFlagBit(int subMode);

// The across span of the boundary tick (mm) for a column xl..xr with the given alignment and
// anchor, c being the character width: 1.1 c from the aligned edge, or 0.6 c either side of
// the anchor for centred text, never outside the column.
struct TickSpan {
    double leftMm = 0;
    double rightMm = 0;
};
TickSpan DrillTickSpan(HorizontalAlign align, double xlMm, double xrMm, double anchorMm, double charWidthMm);

// The text a cell shows: the pressures (sub-modes 3 and 5) of a numeric cell formatted to one
// decimal when PressureDecimals is 1; everything else as stored.
std::string DrillCellText(int subMode, std::string_view cell, int pressureDecimals);

// Two texts in one depth cell top..bottom (m) of a slot by its data placement: the first on
// the line above the second, the second on the cell's last line; one text alone takes the
// whole cell. Returns the used bottom (below bottom when the first text pushed the second
// down). keepToPage as for PlaceCellText. With oneLineWhenCrowded, a cell without room for two
// lines takes both texts side by side on one line when they fit there (short values such as
// the drilling water's kind and volume).
double TwoPartCellText(LogContext& ctx, int itemCode, int slot, double top, double bottom, std::string_view first,
                       std::string_view second, double charWidthMm, double lineDepth, bool keepToPage = true,
                       bool oneLineWhenCrowded = false);

// Draws one column of the family. Nothing for a slot that is not drawn or a sub-mode outside 1-9.
void DrawDrillingColumn(LogContext& ctx, int slot, int subMode);

// Registers 1090, 3801, 3802, 3805 … 3811; the sub-mode comes from the depth-part order.
void RegisterDrillingColumns(ColumnRegistry& registry);

}  // namespace stracol::render
