#pragma once
// Text of a data file as the readers see it: the bytes decoded to UTF-8 (UTF-8 when the bytes
// are UTF-8, else CP932), and the character references of exchange XML element content.

#include <string>
#include <string_view>

namespace stracol::borehole {

enum class TextEncoding { Utf8, Cp932 };

// Decides how the bytes are read, whatever the XML declaration names (exchange files often
// declare Shift_JIS and hold UTF-8): a UTF-8 byte-order mark or well-formed UTF-8 gives UTF-8,
// anything else CP932.
TextEncoding DetectEncoding(std::string_view bytes);

// The bytes as UTF-8 text, without a UTF-8 byte-order mark (after a mark, bytes that are not
// UTF-8 become U+FFFD).
std::string DecodeDocumentText(std::string bytes, TextEncoding* used = nullptr);

// True when the bytes are well-formed UTF-8 (as core::IsValidUtf8, faster on long texts).
bool IsUtf8Text(std::string_view bytes);

// UTF-8 text with each byte that does not belong to a well-formed character replaced by U+FFFD.
std::string RepairUtf8(std::string_view bytes);

// Element content with &#x…; &#…; &amp; &lt; &gt; &quot; &apos; replaced by their characters.
// A reference that is not well formed or names no valid character (0, surrogates, beyond
// U+10FFFF) is kept as written.
std::string DecodeCharacterReferences(std::string_view content);

}  // namespace stracol::borehole
