#pragma once
// Two text columns without a renderer of their own family: 1042 (硬軟・相対稠度), the
// hardness of rock and the relative consistency of soil in one column, and 1047, the texts
// of AuxTableC at their depths.

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// 1042: the relative consistency of DensityTable (column 2, written as stored, one cell per
// layer from the previous bottom depth) and the hardness of PropertyTable (column 3, as the
// hardness column 1033 draws it). Nothing for a slot that is not drawn.
void DrawHardnessConsistencyColumn(LogContext& ctx, int slot);

// 1047: each AuxTableC row's text (column 1) standing on its depth (column 0), with a
// boundary line at the depth. Nothing for a slot that is not drawn.
void DrawAuxTextColumn(LogContext& ctx, int slot);

// Registers the renderers of 1042 and 1047.
void RegisterMiscColumns(ColumnRegistry& registry);

}  // namespace stracol::render
