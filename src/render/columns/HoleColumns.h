#pragma once
// The hole columns over HoleTable, by depth interval: hole diameter with wall protection in
// one cell (3803), hole diameter (3701), wall protection (3702), its reason (3703) and the core
// tube and bit (3804). A row's cell runs from the previous cell's used bottom to its bottom
// depth; a row whose flag bit says it carries the column's value is ruled across the column.

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// Sub-modes of the family.
inline constexpr int kHoleDiameterAndProtection = 1;
inline constexpr int kHoleDiameter = 2;
inline constexpr int kHoleProtection = 3;
inline constexpr int kHoleReason = 4;
inline constexpr int kHoleCoreTube = 6;

// The flag bit (HoleTable column 6) of a sub-mode: 2, 4, 8, 32; 0 for sub-mode 1.
int HoleFlagBit(int subMode);

// Draws one column of the family. Nothing for a slot that is not drawn or an unknown sub-mode.
void DrawHoleColumn(LogContext& ctx, int slot, int subMode);

// Registers 3803, 3701, 3702, 3703 and 3804; the sub-mode comes from the depth-part order.
void RegisterHoleColumns(ColumnRegistry& registry);

}  // namespace stracol::render
