#pragma once
// Reading style text (the "$$_TQSTL1" format, also the style part of a Tessel v1 file) line by
// line. Two readers share the section grammar: the document reader fills the current LogStyle
// for drawing and stores lines as read; the editor reader fills the style editor's table and
// normalises each item row as an item entering a style.

#include "style/LogStyle.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::style {

// Longest style-file line in CP932 bytes; a longer line is taken as several lines.
inline constexpr std::size_t kStyleLineLimit = 500;

// The sections a "$$" line selects.
enum class StyleSection { None, Title, Items, Legends, Ignored };

// The section a line starts: None for a line without "$$"; for a line containing "$$"
// anywhere, its third character selects "z" Title, "X" Items, "t" Legends, anything else
// (and a line of 2 characters or fewer) Ignored.
StyleSection SectionOfLine(std::string_view line);

// The style editor's working copy: the title box, the style-name line, the item table (50
// rows of 21 cells) and the legend rows.
struct StyleEditorTable {
    std::string title;
    std::string styleName;
    std::array<DisplayItem, kMaxItemRows> rows;
    LegendRows legends;

    int RowCount() const;
};

class StyleReader {
public:
    // Document reader: title lines 1-21, item rows 1-50 and legend rows 1-12 of the style,
    // stored as read.
    explicit StyleReader(LogStyle& style);
    // Editor reader: title line 1 to the title box, line 2 to the style-name line, item rows
    // 1-49 normalised (the first row taken clears the table), legend rows 1-12.
    explicit StyleReader(StyleEditorTable& table);

    // One line, its line end already removed.
    void Feed(std::string_view line);
    // Ends a whole style: the item rows after the last row read are emptied, so that the
    // result holds this style's rows only (and none when it had none).
    void Finish();

    // The highest item row number taken (0 when none).
    int ItemRowsRead() const { return m_lastItemRow; }

private:
    void TakeItem(std::string_view line);

    LogStyle* m_style = nullptr;
    StyleEditorTable* m_table = nullptr;
    StyleSection m_section = StyleSection::None;
    int m_row = 0;  // row counter of the current section, restarted by each section line
    int m_lastItemRow = 0;
};

// A style file holds at most some hundred lines of 500 bytes; anything far beyond is not one.
inline constexpr std::size_t kMaxStyleFileBytes = 4 * 1024 * 1024;

// The lines of the bytes of a style file (CP932, CR LF or LF), each longer line split into
// pieces of at most 500 bytes, in time linear in the bytes.
std::vector<std::string> StyleLinesOfBytes(std::string_view bytes);

// The lines of a style file as StyleLinesOfBytes gives them. Fails with a reason in *error for a file that
// cannot be read, or that is larger than any style file can be (then *tooLarge is set).
std::optional<std::vector<std::string>> ReadStyleFileLines(const std::string& path, std::string* error = nullptr,
                                                           bool* tooLarge = nullptr);

}  // namespace stracol::style
