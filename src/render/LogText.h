#pragma once
// The text operations of the log: the one current log font, text at a point and in a box,
// evenly spread text (across and down), the title-field formats, the placement-code
// alignment of column text and the byte-aware string helpers. Positions are log
// coordinates (x mm, y m; Part of PageGeometry); texts are UTF-8 and every rule stated in
// bytes counts CP932 bytes.

#include <string>
#include <string_view>

#include "render/PageGeometry.h"
#include "render/Surface.h"

namespace stracol::core { class Messages; }

namespace stracol::render {

// Builds the log font (height in device units, escapement angle × 10, Shift-JIS, speed
// quality), selects it and sets the text colour. When the font cannot be made, "Can't create
// font" is shown and the previous font and colour stay; returns false then.
bool CreateLogFont(Surface& s, Colour textColour, int height, std::string_view faceName, int angleDegrees,
                   core::Messages* messages);

// The text with its reference point at (x, y) and the surface's current alignment.
void TextAt(Surface& s, const PageGeometry& g, double xMm, double yM, std::string_view text);

// The text centred across and down on one line in the box (x1, y1)–(x2, y2), not clipped.
void TextInBox(Surface& s, const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M,
               std::string_view text);

// The text spread evenly from x1 to x2, its top at (y1 + y2 − charHeight) / 2: with n bytes
// and w = max(x2 − x1, charWidth), the step per byte is w / 2 for n < 3, else
// (w − charWidth) / (n − 2) for even n and (w − charWidth) / (n − 1) for odd n.
void SpreadText(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double y1M, double y2M,
                double charWidthMm, double charHeightM, std::string_view text);

// The text written downwards, spread evenly from y1 to y2 and centred between x1 and x2.
// When the text holds any of "ッャュョァィゥェォ", every double-byte character is shifted
// right by 0.2 of the character width.
void VerticalSpreadText(Surface& s, const PageGeometry& g, double x1Mm, double x2Mm, double y1M, double y2M,
                        double charHeightM, double charWidthMm, std::string_view text);

// Title-field formats: 1 (and any code not listed) left at x1 + marginX; 2 centred in the
// box; 3 right at x2 − marginX; 4 spread between x1 + marginX and x2 − marginX; 14 spread
// downwards between y1 + marginY and y2 − marginY; −1 nothing. One line's top lies at
// (y1 + y2 − charHeight) / 2.
void TitleFieldText(Surface& s, const PageGeometry& g, int format, double x1Mm, double x2Mm, double y1M, double y2M,
                    double charWidthMm, double charHeightM, double marginXMm, double marginYM, std::string_view text);

// Underline option of the upper title lines: 2 underlines the text itself (文字部分).
inline constexpr int kUnderlineTextPart = 2;

// The upper-title twin: the text's bottom on y. Codes −1 nothing, 0 and 1 (and codes not
// listed) left at x1 + marginX, 2 centred in the box (x1, y − charHeight)–(x2, y), 3 right
// at x2 − marginX, 4 spread between x1 + marginX and x2 − marginX. With underline option 2
// a line of underlineWidth pixels is drawn along y: for 0 and 1 from x1 to the end of the
// text, for 4 from x1 to x2; 2 and 3 are never underlined.
void UpperTitleText(Surface& s, const PageGeometry& g, int format, double x1Mm, double x2Mm, double yM,
                    double charWidthMm, double charHeightM, double marginXMm, std::string_view text, int underline,
                    int underlineWidth, Colour underlineColour = 0);

// Placement code → horizontal alignment of column text: 2, 5, 8, 11-15 and 99 centre;
// 3, 6, 9 right; every other code left.
HorizontalAlign PlacementAlignment(int placementCode);
// The alignment of an item slot (1-50 of the style); left for slots outside.
HorizontalAlign SlotAlignment(int slot, int placementCode);
// Left → left + 0.2 mm, right → right − 0.2 mm, centre → the middle.
double AnchorX(HorizontalAlign align, double leftMm, double rightMm);
// Sets the surface's horizontal alignment for the placement code (the vertical one stays)
// and returns the anchor x of the cell.
double ApplyPlacementAlignment(Surface& s, int placementCode, double leftMm, double rightMm);

// True when the text holds one of the small kana "ッャュョァィゥェォ".
bool ContainsSmallKana(std::string_view text);

// The text up to the first separator (the whole text when there is none or it stands at
// the start) and the text after it (empty when there is none). position receives the CP932
// byte position of the separator plus one (0 when there is none).
std::string TextBeforeSeparator(std::string_view text, std::string_view separator, int* position = nullptr);
std::string TextAfterSeparator(std::string_view text, std::string_view separator, int* position = nullptr);

}  // namespace stracol::render
