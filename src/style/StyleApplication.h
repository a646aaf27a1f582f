#pragma once
// Applying styles to the current style: style files through the document reader, the built-in
// styles with their per-kind copies Style01.tls … Style08.tls, the start-up style
// SyInitV.tls, the choice of a style for freshly loaded data, and the read-only listing used
// by the command line.

#include "style/LogStyle.h"
#include "style/StyleReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::style {

inline constexpr std::string_view kStartupStyleFile = "SyInitV.tls";

// "Style01.tls" … "Style08.tls".
std::string PerKindStyleFileName(int number);

enum class StyleFileResult {
    Applied,   // the file's style is now the current style
    Missing,   // the file cannot be opened; the style is unchanged
    Unusable,  // the file holds no item rows (not a style, empty, binary); the style is
               // unchanged and message 915 was shown
};

// Reads a style file with the document reader. On success the item rows after the file's
// last row are emptied, so the result is the file's style and not a mix with the old one.
StyleFileResult ApplyStyleFile(LogStyle& style, const std::string& path, core::Messages& messages);

// Feeds built-in style text to the document reader, stopping at the first line whose leading
// integer is -1 or that contains "$$_" (the magic line excepted); the rows after the last
// row read are emptied.
void ApplyStyleText(LogStyle& style, const std::vector<std::string>& lines);

// Built-in style N (1..8): its per-kind copy in the install folder when that can be read,
// else the built-in text; when the copy does not exist at all, the built-in text is then
// written out as it stands (up to and including "-1 Eof") so that the user can edit it.
// Returns false for a number outside 1..8 (style unchanged).
bool ApplyBuiltInStyle(LogStyle& style, int number, const std::string& installFolder, core::Messages& messages);

// SyInitV.tls through the document reader, or the built-in start-up default when that file
// cannot be used.
void ApplyStartupStyle(LogStyle& style, const std::string& installFolder, core::Messages& messages);

// After a borehole file was loaded: applies the built-in style that suits its format code and
// log-kind code (heading 57), then the start-up style when the style has no item rows.
// Returns whether a style was applied; a kind without a built-in style (an exchange 3.00
// file of log kind "9", a Tessel v1 file with its own style) leaves a non-empty style as it is.
//
// ownStyle: the style part the file carries (style text without the magic: "$$z_" and the
// title lines, "$$X_" and the item lines, "$$t_" and the legend lines); for a file of the
// kind that carries its own style it replaces the current style (then, without item rows,
// the start-up style follows).
bool ApplyStyleForData(LogStyle& style, const std::string& installFolder, int formatCode,
                       const std::string& logStyleName, core::Messages& messages,
                       const std::vector<std::string>* ownStyle = nullptr);

// The style of style text lines read by the document reader alone: nothing of the old style
// is kept.
LogStyle StyleOfLines(const std::vector<std::string>& lines);

// The style editor's "→ 開く": built-in style N into the editor's table through the editor
// reader, from its per-kind copy when that can be read (the legend rows then reset from
// Mst/ClmObh.mst) or else from the built-in text. Nothing is written. Returns false for a
// number outside 1..8 (table unchanged).
bool LoadBuiltInStyleForEditor(StyleEditorTable& table, int number, const std::string& installFolder,
                               core::Messages& messages);

// The lines of a listing: title lines 1-4 (and any later title line up to the last that holds
// text), then one line per item row in use, its 21 fields joined by commas.
std::vector<std::string> StyleListing(const LogStyle& style);

// Loads the style to list: "1".."8" is built-in style N (its per-kind copy when present, else
// the built-in text, never writing anything), anything else the path of a style file. On
// failure shows a message (32790 for a missing file) and returns false with style unchanged.
bool LoadStyleForListing(LogStyle& style, const std::string& which, const std::string& installFolder,
                         core::Messages& messages);

}  // namespace stracol::style
