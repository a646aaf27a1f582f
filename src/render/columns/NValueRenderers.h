#pragma once
// Registration of the standard penetration test family: the N-value graph's grid (drawn with
// the graph grids) and plot, and the test columns 3102, 3103, 3104, 3109, 3108 and 3105.

namespace stracol::render {

class ColumnRegistry;

// The item code of the N-value graph.
inline constexpr int kNValueGraphItem = 3101;

// Registers GridKey(3101) for the grid, 3101 for the plot and one renderer per test column.
void RegisterNValueRenderers(ColumnRegistry& registry);

}  // namespace stracol::render
