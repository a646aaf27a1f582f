#pragma once
// The N-value graph (item 3101, 標準貫入試験 図): its grid, drawn with the other graph grids
// before the columns, and the plot of the tests' N values with point symbols, the marks of
// values beyond the full scale and of zero blows, and the label texts.

#include "render/LogContext.h"

namespace stracol::render {

// The grid of the graph in the page window: dashed major lines every 10 blows (20 for a full
// scale of 100) and every whole metre, and with the "50, 0.1m" grid choice fine lines at each
// blow of the first half of every major division and every 0.1 m. Nothing for a slot that is
// not drawn.
void DrawNValueGrid(LogContext& ctx, int slot);

// The plot of every test: segments between consecutive points (broken by a test without a
// numeric total record and by the line-break flag), the point symbols and labels. The caller
// sets the clip; lineDepth is one line of the current font in metres.
void DrawNValuePlot(LogContext& ctx, int slot, double lineDepth);

}  // namespace stracol::render
