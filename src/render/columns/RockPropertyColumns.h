#pragma once
// The rock property columns of PropertyTable: hardness 1033 (column 3), core shape 1034 (4),
// crack state 1035 (5), weathering 1031 (6), alteration 1032 (7) and rock class 1036 (8), one
// symbol per depth record, and the property colour tone 1030 (column 2). Each record
// describes the interval ending at its depth; an empty cell lets the text above run on until
// a boundary is ruled.

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// PropertyTable columns of the six property kinds.
inline constexpr int kFirstPropertyColumn = 3;
inline constexpr int kLastPropertyColumn = 8;

// The flag bit (PropertyTable column 9) that rules a boundary in property column k: 2^k.
int PropertyBoundaryBit(int propertyColumn);

// The rows in use: from row 1 until the first depth (column 1) that is not a number.
int PropertyRowCount(const LogContext& ctx);

// Draws property column k (3 … 8) in the slot; nothing for a slot that is not drawn or
// another k. itemCode is handed to the cell placement.
void DrawPropertyColumn(LogContext& ctx, int slot, int propertyColumn, int itemCode = 0);

// The colour tone of the property records (item 1030), clipped to the page window.
void DrawPropertyColourTone(LogContext& ctx, int slot);

// Registers the renderers of 1031 … 1036 and 1030.
void RegisterRockPropertyColumns(ColumnRegistry& registry);

}  // namespace stracol::render
