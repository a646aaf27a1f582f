#pragma once
// The core graphs: item 2301 (採取率コア長 図) plots the core recovery and the maximum core
// length, item 2302 (採取率コア長RQD 図) the RQD step graph as well, all on one scale of 0 to
// 100 across the column; their dashed grid (shared with the in-situ graph columns 3202,
// 3204 and 3205); and the value labels in the bracket style chosen for each series.

#include <string>
#include <string_view>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// The label format of a bracket choice (かっこ種別): the first match of "無" → "%s",
// "((" → "((%s))", "(" → "(%s)", "[" → "[%s]", "{" → "{%s}", "《" → "《%s》", "〔" → "〔%s〕",
// anything else "%s".
std::string BracketFormat(std::string_view choice);
// The label of a value: its leading integer ("%d") put into the bracket choice's format.
std::string BracketLabel(std::string_view choice, std::string_view value);
// The text put into the bracket choice's format as it is.
std::string BracketText(std::string_view choice, std::string_view text);

// Where the value labels of the three series stand. No settings line stores these switches;
// the defaults are the labels at the points and the RQD label at the column centre.
struct CoreLabelOptions {
    bool recoveryAtRightEdge = false;  // right-aligned 1 mm inside the right edge
    bool lengthAtLeftEdge = false;     // left-aligned 1 mm inside the left edge
    bool rqdAtPoint = false;           // at the step's x instead of the column centre
};

// The dashed grid of a graph column over the page window: with coarseSwitch 0 nine lines
// every tenth of the width (the middle one in the N-value grid colour, the others in the
// core grid colour) and horizontal lines every 0.5 m; with any other switch only the middle
// line and a horizontal line every whole metre. Nothing for a slot that is not drawn.
void DrawGraphGrid(LogContext& ctx, int slot, int coarseSwitch);

// The core graph of item 2301 (withRqd false) or 2302 (withRqd true); lineDepth is one line of
// the current font in metres.
void DrawCoreGraph(LogContext& ctx, int slot, bool withRqd, double lineDepth, const CoreLabelOptions& options = {});

// Registers the grids (GridKey 2301, 2302) and the graphs 2301 and 2302.
void RegisterCoreGraphs(ColumnRegistry& registry);

}  // namespace stracol::render
