#pragma once
// The text layer of a PDF (its ToUnicode maps) names each glyph by one code point. A font may
// draw two code points with one glyph, such as U+301C WAVE DASH and U+FF5E FULLWIDTH TILDE
// (both "～" of CP932 0x8160 in one mapping or the other); the PDF writer then names the glyph
// by the lower code point, so a search for the data's "～" (U+FF5E) finds nothing. This puts
// back the code point of the CP932 mapping, which every text decoded from CP932 carries,
// unless the document's own text uses the other one.

#include <functional>
#include <string>

namespace stracol::render {

// Pairs of code points that CP932 and the JIS mapping give one character each: the lower
// one the writer picks, and the one of CP932.
struct CodePointPair {
    char32_t lower;
    char32_t cp932;
};
inline constexpr CodePointPair kCp932Pairs[] = {
    {0x2014, 0x2015},  // 0x815C dash
    {0x301C, 0xFF5E},  // 0x8160 ～
    {0x2016, 0x2225},  // 0x8161 ∥
    {0x2212, 0xFF0D},  // 0x817C －
    {0x00A2, 0xFFE0},  // 0x8191 ￠
    {0x00A3, 0xFFE1},  // 0x8192 ￡
    {0x00AC, 0xFFE2},  // 0x81CA ￢
};

// Whether the font (its PDF base font name) draws both code points with the same glyph.
using SameGlyph = std::function<bool(const std::string& baseFont, char32_t a, char32_t b)>;

// Rewrites the uncompressed ToUnicode maps of the PDF in bytes, in place and at the same
// length (so no offset changes): each glyph named by pair.lower is named by pair.cp932 when
// the font shares the glyph and documentUsesLower(pair.lower) is false. Returns how many
// names were changed.
int PreferCp932CodePoints(std::string& bytes, const SameGlyph& sameGlyph,
                          const std::function<bool(char32_t)>& documentUsesLower);

// SameGlyph through the installed font of that family name (QRawFont); false when the font
// cannot be found.
bool InstalledFontSharesGlyph(const std::string& baseFont, char32_t a, char32_t b);

}  // namespace stracol::render
