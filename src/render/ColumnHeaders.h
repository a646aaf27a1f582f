#pragma once
// The row of column headers between the title block and the depth part: the header frame
// with the group bands, the header texts of every display item in a fixed order (a
// horizontal pass, then a pass with the font turned by 270°), the sub-columns of item 3104,
// the legend rows named in header texts, and the graph scale labels on the bottom line.

#include <string_view>
#include <vector>

#include "render/LogContext.h"

namespace stracol::style { class DisplayItem; }

namespace stracol::render {

// The item codes whose headers are drawn first, in this order (3104 is drawn last of all).
const std::vector<int>& HeaderOrder();

// The slots (1-based) of the style in the order their headers are drawn: the items of
// HeaderOrder as found, then every other item of the style in slot order, then 3104. Only
// slots with a column (1 … columns.count) and at most 49 are listed.
std::vector<int> HeaderDrawingOrder(const style::LogStyle& style, const ColumnLayout& columns);

// The header band: HeaderBandBottom H (negative metres at title scale) down to 0, in 12 rows.
// Row line k = 1 … 13 lies at H + (k − 1) × (−H / 12).
double HeaderRowLine(double bandTopM, int k);
// A header position p (1 … 12, fractions allowed): row line floor(p) plus the fraction of a row.
double HeaderPosition(double bandTopM, double p);
// HeaderBandBottom of the form ("-4.0" when empty).
double HeaderBandTopOf(const style::TitleForm& form);

// One group: the group header's slot and the member slots it spans (3104 counts as four
// columns of the group count).
struct HeaderGroup {
    int headerSlot = 0;
    int code = 0;
    std::vector<int> members;
    int LastSlot() const { return members.empty() ? headerSlot : members.back(); }
};
std::vector<HeaderGroup> HeaderGroups(const style::LogStyle& style, const ColumnLayout& columns);

// The row line of a group's band lower edge: GroupTitleRows + 1 (LoggingRows + 1 for 3500),
// at most 13.
int GroupBandLine(int groupCode, const app::SystemSettings& settings);

// Item 3104: the row line of its own band (where its first sub-column lines start).
inline constexpr int k3104BandLine = 8;

// The header frame: outer lines, the column separators, group bands, the lines of 3104 and
// 3501. Title scale active; ctx.columns set.
void DrawHeaderFrame(LogContext& ctx);

// The header texts: rotated false for the horizontal pass (codes other than 31-33), true for
// the pass with the font turned by 270° (codes 31-33 only).
void DrawColumnHeaders(LogContext& ctx, bool rotated);

// One header text of a column from leftMm to rightMm by its placement code (see
// DrawColumnHeaders), with the font already selected.
void DrawHeaderText(LogContext& ctx, int placementCode, double leftMm, double rightMm, double topPos,
                    double bottomPos, std::string_view text, double charWidthMm, double charHeightM, bool rotated);

// Scale labels along the bottom line of the header row: 3101 by the N-value full scale,
// 2301 and 2302 from 0 to 100.
void DrawGraphScaleLabels(LogContext& ctx);
// The full scale of the N-value graph: 50, 60 or 100 by the setting NMaxBlows 0, 1, 2.
int NFullScale(const app::SystemSettings& settings);

}  // namespace stracol::render
