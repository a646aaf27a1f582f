#pragma once
// The sample columns of SampleTable: 3301 (upper and lower depth of each sample, with its
// lines and bar), 3302 (sample number), 3303 (sampling method letter in a circle) and 1043
// (室内試験: the test name as an interval text). One walk draws each of them by its mode.

#include <string>
#include <string_view>
#include <vector>

#include "render/LogContext.h"

namespace stracol::render {

class ColumnRegistry;

// The sub-mode of each column, as the depth part passes it.
enum class SampleColumnMode {
    Depths = 1,     // 3301 試料採取>深度
    Number = 2,     // 3302 試料採取>試料番号
    Method = 3,     // 3303 試料採取>採取方法
    TestName = 4,   // 1043 室内試験(記事)
};

// The lower depth of the sample depth column (SampleDepthLabelPos): above its line, below
// it, or not written.
inline constexpr int kSampleDepthAbove = 0;
inline constexpr int kSampleDepthBelow = 1;

// prev, the end of the previous sample before the first one (m).
inline constexpr double kSampleStartCarry = -1.775;

// The lines a sample number is written in: each text with the number of line depths it
// stands above the sample's lower depth (0: on the lower depth). A number without "@" or a
// blank is one line written in the middle of the interval (centred true).
struct SampleNumberLayout {
    struct Line {
        std::string text;
        int linesAbove = 0;
    };
    std::vector<Line> lines;
    bool centred = false;
};
// Blanks around the whole number are not separators (a padded cell keeps one line).
SampleNumberLayout LayoutSampleNumber(std::string_view number);

// The rows that count as samples: from row 1 while both depths are numbers.
int SampleRowCount(const LogContext& ctx);

// Draws one column of the family in the slot with the surface's current font; nothing for a
// slot that is not drawn or a mode outside 1 … 4. The text alignment is left/top afterwards.
void DrawSampleColumn(LogContext& ctx, int slot, int mode);

// Registers the renderers of 3301, 3302, 3303 and 1043.
void RegisterSampleColumns(ColumnRegistry& registry);

}  // namespace stracol::render
