#pragma once
// The casing column 2052 (保孔管 図): the protective casing pipe left in the borehole,
// interval by interval from CasingTable. Perforated sections (有孔) and water-shut sections
// (遮水) are filled with their patterns, unperforated sections (無孔) are labelled, and every
// interval is closed by lines across the column.

#include <string_view>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// What a casing kind text draws: its fill pattern (0: none) and its label (empty: none).
struct CasingKind {
    long pattern = 0;
    std::string_view label;
};

// The kind of a CasingTable text: "有孔" → pattern 20100, "遮" → 20200, "無孔" → label
// "無孔"; anything else (保孔管なし, その他, empty) draws only the lines.
CasingKind CasingKindOf(std::string_view text);

// The label option of the casing column: labels are written when it is not 0. No settings
// line stores it; the column writes its labels.
inline constexpr int kCasingLabelsShown = 1;

// Draws the column for the page window of ctx. Nothing for a slot that is not drawn.
void DrawCasingColumn(LogContext& ctx, int slot, int labelOption = kCasingLabelsShown);

// Registers 2052.
void RegisterCasingColumn(ColumnRegistry& registry);

}  // namespace stracol::render
