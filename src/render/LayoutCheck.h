#pragma once
// The layout check of a recorded page: texts that overprint each other, cross a column rule
// or a rule of the title block and headers, lie under the slant of a bent boundary line,
// stand outside the frame, or are cut by the page window. It reads what a RecordingSurface kept of one page paint, with the page's columns.

#include <string>
#include <vector>

#include "render/LogContext.h"
#include "render/RecordingSurface.h"

namespace stracol::render {

// What the check knows of the page besides the drawing: the columns in device pixels with
// their item codes, the depth window and the frame.
struct PageLayout {
    struct Column {
        int left = 0;
        int right = 0;
        int itemCode = 0;
    };
    std::vector<Column> columns;
    int depthTop = 0;      // px: the top of the depth part
    int depthBottom = 0;   // px: its bottom
    int frameLeft = 0;
    int frameRight = 0;
    int tolerance = 1;     // px a text may touch past a rule
    int slantWidth = 0;    // px: the widest slant of a bent boundary line
};

// The layout of the page a paint has just drawn with ctx (its columns and page window).
PageLayout PageLayoutOf(const LogContext& ctx);

enum class LayoutFault {
    Overlap,        // two texts overprint each other
    CrossesColumn,  // a text in the depth part runs over its column's rule
    CrossesRule,    // a text of the title block or the headers runs over one of their rules
    OutsideFrame,   // a text stands (partly) outside the frame of the log
    CutByWindow,    // a text of the depth part is cut by the page window
    UnderSlant,     // a slant of a bent boundary line runs through a text of the depth part
};
const char* LayoutFaultName(LayoutFault fault);

struct LayoutFinding {
    LayoutFault fault = LayoutFault::Overlap;
    int itemCode = 0;        // the column of the text (0: title block or headers)
    int otherItemCode = 0;   // Overlap: the column of the other text
    std::string text;
    std::string other;       // Overlap: the other text
    Rect box;
};

// Two texts overlap when their common area is more than this share of the smaller one.
inline constexpr double kOverlapShare = 0.15;

std::vector<LayoutFinding> CheckLayout(const std::vector<RecordedOperation>& operations, const PageLayout& page);

// One line of a finding for a report: fault, column(s), texts.
std::string DescribeFinding(const LayoutFinding& finding);

}  // namespace stracol::render
