#pragma once
// The one rule that keeps every text of the log inside its cell. A text wider than its room
// is first set narrower (down to kMinTextWidthPercent of the font's own width), then
// smaller (down to the readable floor), then wrapped at a natural point (after "～", "/",
// "・", "、", ",", between words, and between full-width characters as a last resort), and
// only then clipped to its room. A text that fits keeps its font, position and size.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "render/Surface.h"

namespace stracol::render {

// The narrowest characters a text is set in, percent of the font's own width.
inline constexpr int kMinTextWidthPercent = 70;
// The readable floor: a text is never set smaller than this many points, nor smaller than
// this share of its own size (so a large title stays in proportion).
inline constexpr double kMinTextSizePt = 5.0;
inline constexpr double kMinTextSizeShare = 0.6;

// The smallest height in pixels a font of heightPx is set in at dpi (never above heightPx).
int TextFloorHeightPx(int heightPx, int dpi);

// The font at another height in pixels (keeping the sign of its height) and width percent.
LogFont FontAt(const LogFont& font, int heightPx, int widthPercent);

// Clips the surface to left … right across, within the clip in force, for the life of the
// object (nothing is changed when clip is false); the clip in force comes back afterwards.
class ClipAcross {
public:
    ClipAcross(Surface& s, int left, int right, bool clip = true);
    ClipAcross(const ClipAcross&) = delete;
    ClipAcross& operator=(const ClipAcross&) = delete;

private:
    std::optional<ClipScope> m_scope;
};

// Where a text may stand, in device pixels. width is the room across; lines of the height
// in pixels may be stacked (a height of less than one line still allows one line).
struct TextRoom {
    int width = 0;
    int height = 0;
};

struct FittedText {
    LogFont font;                     // the font to draw with (the selected one when it fits)
    std::vector<std::string> lines;   // one line unless it had to be wrapped
    int lineHeight = 0;               // px, of the font above
    int width = 0;                    // px, of the widest line
    bool fits = true;                 // false: even the floor does not fit; clip it
    bool Changed(const LogFont& selected) const { return lines.size() != 1 || !(font == selected); }
};

// Fits the text to the room with the surface's selected font (the selection is left as it
// was). Line breaks inside the text are kept.
FittedText FitText(Surface& s, std::string_view text, const TextRoom& room);

// The text split into lines no wider than widthPx with the selected font, breaking at the
// natural points first; lines that cannot be broken further stay wider.
std::vector<std::string> WrapAtNaturalPoints(const Surface& s, std::string_view text, int widthPx);

// Where a fitted text lies: its reference point and alignment as for one line of TextOut;
// several lines run downwards from a top alignment and upwards from a bottom or baseline
// one. The block is moved across (and down or up) by as little as keeps it inside the box
// (left … right, top … bottom; a box of no height only bounds across). Returns the box the
// text covers.
Rect FittedTextBox(const FittedText& fitted, int x, int y, TextAlign align, const Rect& box, int ascent);

// Draws a text at (x, y) with the surface's alignment, fitted into box (device pixels):
// unchanged when it fits; else narrower, smaller, wrapped and, last, clipped to the box
// across. Returns the box the text covers (empty for an empty text).
Rect DrawFittedText(Surface& s, int x, int y, std::string_view text, const Rect& box);
// The same with the fit already made (FitText of the text for the box's room).
Rect DrawFittedText(Surface& s, int x, int y, std::string_view text, const FittedText& fitted, const Rect& box);

}  // namespace stracol::render
