#pragma once
// Entries of the document information dictionary (/Subject, /Keywords …) that the PDF writer
// cannot set itself, added to a finished PDF by an incremental update: the Info object is
// written again after the end of the file with the entries added, with a cross-reference
// section for it and a trailer pointing back to the previous one. The bytes already written
// stay as they are, so a reader that ignores the update still sees a whole document.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace stracol::render {

// Scanning the tokens of PDF text without regular expressions (a page of a log is megabytes).
// Each finder takes the first occurrence of key in text, from offset from, that is followed by
// what it reads; the offset of that key is given in at when asked for.

// The blanks of PDF syntax at offset p and after it (space, tab, CR, LF, FF, VT).
std::size_t SkipPdfBlanks(std::string_view text, std::size_t p);

// "key 12": the number after key and at least one blank.
bool PdfNumberAfter(std::string_view text, std::string_view key, long& number, std::size_t from = 0,
                    std::size_t* at = nullptr);

// "key 7 0 R": an indirect reference after key.
bool PdfReferenceAfter(std::string_view text, std::string_view key, long& object, long& generation,
                       std::size_t from = 0, std::size_t* at = nullptr);

// A PDF text string of UTF-8 text: UTF-16BE with a byte-order mark, as a hex string.
std::string PdfTextString(const std::string& utf8);

// The update for the PDF in bytes that adds the entries (key without "/", UTF-8 value);
// keys the dictionary already has are left as they are, empty values are not added. Empty
// when there is nothing to add; false with the reason when the file's trailer, cross-reference
// table or Info object cannot be found.
bool PdfInfoUpdate(const std::string& bytes, const std::vector<std::pair<std::string, std::string>>& entries,
                   std::string& update, std::string& error);

}  // namespace stracol::render
