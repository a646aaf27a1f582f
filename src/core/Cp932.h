#pragma once
// Text at the file boundary: UTF-8 inside the program, CP932 (Windows Shift-JIS) on disk.
// Rules counted in bytes (line limits, byte substrings, "%-24s") count each character by
// the width it has in CP932: 1 for ASCII and half-width katakana, 2 for everything else.

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

namespace stracol::core {

// Decodes CP932 bytes to UTF-8. A byte sequence that has no mapping becomes U+FFFD
// (one replacement per bad character), so one bad byte never fails a whole file.
std::string Cp932ToUtf8(std::string_view bytes);

namespace detail {
// The same decoding done by iconv over the whole text (the table of Cp932ToUtf8 is made of
// iconv's answers, and falls back to this when iconv answers in a way a table cannot repeat).
std::string Cp932ToUtf8ByIconv(std::string_view bytes);
// Whether Cp932ToUtf8 decodes by its table (false: iconv answered in a way the table cannot
// repeat, and every text goes to iconv).
bool Cp932TableInUse();
}  // namespace detail

// Encodes UTF-8 text to CP932. A character CP932 cannot hold becomes "?".
std::string Utf8ToCp932(std::string_view text);

// True when the eight bytes at p are all ASCII (the byte loops of the decoders skip such runs).
inline bool EightBytesAscii(const void* p) {
    std::uint64_t word;
    std::memcpy(&word, p, 8);
    return (word & 0x8080808080808080ULL) == 0;
}

// True when the bytes are well-formed UTF-8 (no overlongs, no surrogates).
bool IsValidUtf8(std::string_view bytes);

// Length in bytes of the UTF-8 character starting at pos (1 for a stray byte).
std::size_t Utf8CharLength(std::string_view text, std::size_t pos);

// Decodes the UTF-8 character starting at pos (U+FFFD for a stray byte).
char32_t Utf8CharAt(std::string_view text, std::size_t pos);

// Width of one character in CP932 bytes.
int Cp932CharWidth(char32_t codePoint);

// Width of a UTF-8 text in CP932 bytes.
std::size_t Cp932Width(std::string_view text);

// The longest prefix of text whose CP932 width is at most maxBytes (never half a character).
std::string Cp932Truncate(std::string_view text, std::size_t maxBytes);

// Byte-position substring: the characters covering CP932 bytes [start, start + length) with
// start counted from 1. A double-byte character cut by either end becomes one space, so the
// result never holds half a character. The length is limited to 200 bytes. A start beyond
// the text gives an empty result and sets *inRange (when given) to false.
std::string Cp932Substring(std::string_view text, int start, int length, bool* inRange = nullptr);

// "%-Ns" in CP932 bytes: the text padded with blanks to width bytes (never cut).
std::string Cp932PadRight(std::string_view text, std::size_t width);

// Number of characters as the byte rules count them (a double-byte character is one).
std::size_t CharacterCount(std::string_view text);

}  // namespace stracol::core
