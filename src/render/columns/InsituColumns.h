#pragma once
// The in-situ test columns of InsituTable: the test depths (3201), the test name (3204,
// 1045), the result (3205, 1046), result and test name together (3202, 1044) and the filled
// test intervals of the small graph column 3203 (図). Each draws under the page clip.

#include <string_view>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// The sub-mode of the columns, as the depth part passes it (3201 and 3203 both take 0).
enum class InsituColumnMode {
    Depths = 0,          // 3201 原位置>深度 (3203 draws its graph)
    TestName = 1,        // 3204, 1045
    Result = 2,          // 3205, 1046
    ResultAndName = 3,   // 3202, 1044
};

// The pattern that fills a test interval of the graph column for a fill kind (1, 2 or 3;
// InsituTable column 4); 0 for any other kind.
long InsituFillPattern(std::string_view fillKindCell);

// The depth column 3201; nothing for a slot that is not drawn.
void DrawInsituDepths(LogContext& ctx, int slot);
// The text columns of modes 1 to 3; nothing for a slot that is not drawn or another mode.
void DrawInsituText(LogContext& ctx, int slot, int mode);
// The graph column 3203.
void DrawInsituGraph(LogContext& ctx, int slot);

// Registers the renderers of 3201, 3202, 3203, 3204, 3205, 1044, 1045 and 1046.
void RegisterInsituColumns(ColumnRegistry& registry);

}  // namespace stracol::render
