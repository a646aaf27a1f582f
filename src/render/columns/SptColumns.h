#pragma once
// The text columns of the standard penetration test: the N value (3102), the test depth
// (3103), the blow counts in four paper columns (3104), the penetration of a self-sinking
// test (3109) and of a 50-blow test (3108), and the total blows and penetration (3105). Each
// test's texts are placed by the item's data placement in the test interval d … d + q.

#include "render/LogContext.h"

namespace stracol::render {

// The sub-mode of each column of the family, in the order the depth part calls them.
enum class SptColumnMode {
    NValue = 1,         // 3102 Ｎ値
    Depth = 2,          // 3103 深度
    Blows = 3,          // 3104 打撃/mm
    SelfSinking = 4,    // 3109 自沈の貫入量
    FiftyBlows = 5,     // 3108 50回の貫入量
    Total = 6,          // 3105 合計N値
};

// The item code of a mode, and the mode of an item code (0 when it is none of the family).
int SptColumnItemCode(SptColumnMode mode);
int SptColumnModeOf(int itemCode);

// Draws one column of the family in the slot; nothing for a slot that is not drawn or a mode
// outside 1 … 6.
void DrawSptColumn(LogContext& ctx, int slot, int mode, double charWidthMm, double lineDepth);

}  // namespace stracol::render
