#pragma once
// Colours as the settings and master files store them: the text "0x%06x" of 0x00BBGGRR.

#include <string>
#include <string_view>

#include "render/Surface.h"

namespace stracol::render {

// "0x808080" → 0x808080. Decimal text ("8421504") is read too. Text that holds no number
// gives fallback; values are limited to 24 bits.
Colour ColourFromText(std::string_view text, Colour fallback = 0);

// 0x808080 → "0x808080".
std::string ColourText(Colour colour);

// The parts of a colour (red is the low byte).
inline int RedOf(Colour c) { return static_cast<int>(c & 0xff); }
inline int GreenOf(Colour c) { return static_cast<int>((c >> 8) & 0xff); }
inline int BlueOf(Colour c) { return static_cast<int>((c >> 16) & 0xff); }
inline Colour RgbColour(int r, int g, int b) {
    return static_cast<Colour>((r & 0xff) | ((g & 0xff) << 8) | ((b & 0xff) << 16));
}

}  // namespace stracol::render
