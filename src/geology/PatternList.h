#pragma once
// The pattern list PtnvcQX.ndx as its editor shows it: each pattern number's colour, default
// colour, abbreviated display and example names, in groups under "[…]" or "{…}" headings.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::geology {

inline constexpr int kPatternListVersion = 1000;  // written into the first heading; older files are replaced
inline constexpr int kPatternLineLimit = 100;     // CP932 bytes read of each line

struct PatternRow {
    std::string number;         // パタ-ンNo, or a group heading
    std::string colour;         // 色コード, "0x%06x" of 0x00BBGGRR
    std::string defaultColour;  // 既定色, same form
    std::string abbreviation;   // 略表示
    std::string examples;       // 地質例

    bool IsHeading() const;
};

struct PatternList {
    std::vector<PatternRow> rows;
    // The file could not be opened or is older than version 1000: the built-in list is shown
    // and the file is to be rewritten when the editor is confirmed.
    bool builtIn = false;
};

// A colour text "0x%06x" (or "0x" alone, black) as 0x00BBGGRR; empty when the text is empty
// or not a colour of at most six hexadecimal digits.
std::optional<std::uint32_t> ParseColourText(std::string_view text);

// "0x%06x" of a colour.
std::string ColourText(std::uint32_t colour);

// One line of the file: number, colour, default colour, abbreviated display, example names.
PatternRow ParsePatternLine(std::string_view line);

// The built-in pattern list, up to and including "[終了]".
PatternList BuiltInPatternList();

// The version in the first heading's third field; 0 when there is no heading.
int PatternListVersion(const std::vector<std::string>& lines);

// Reads PtnvcQX.ndx: lines cut to 100 bytes, lines of one character or less skipped. A file
// that cannot be opened or whose first heading carries a version below 1000 gives the
// built-in list (builtIn set).
PatternList ReadPatternList(const std::string& path);

// The list of the lines of a pattern list file, as ReadPatternList reads them.
PatternList ParsePatternList(const std::vector<std::string>& lines);

// The lines of the file; the first heading carries the version 1000 in its third field.
std::vector<std::string> PatternListLines(const PatternList& list);

// Writes PtnvcQX.ndx safely; on failure message 4005 "保存できませんでした" and false.
bool WritePatternList(const std::string& path, const PatternList& list, core::Messages* messages);

// Writes a colour code into row `row` (↓上書き of the pattern list). An empty or invalid code
// gives "データが無い、または異常・不正です.", a heading or a row outside the list
// "データの位置（行）を指定して下さい"; the list is then unchanged.
bool SetPatternColour(PatternList& list, int row, std::string_view colourText, core::Messages& messages);

// すべて既定色: every row's colour becomes its default colour.
void ResetColoursToDefault(PatternList& list);

}  // namespace stracol::geology
