#include "style/StyleReader.h"

#include "core/Cp932.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

#include <filesystem>

namespace stracol::style {
namespace {

// Item rows the editor reader takes (its table keeps the 50th row free).
constexpr int kEditorItemRows = kMaxItemRows - 1;

}  // namespace

StyleSection SectionOfLine(std::string_view line) {
    if (line.find("$$") == std::string_view::npos) return StyleSection::None;
    // The third character (not byte): a double-byte character there selects no section.
    std::size_t pos = 0;
    for (int i = 0; i < 2 && pos < line.size(); ++i) pos += core::Utf8CharLength(line, pos);
    if (pos >= line.size()) return StyleSection::Ignored;
    switch (line[pos]) {
        case 'z': return StyleSection::Title;
        case 'X': return StyleSection::Items;
        case 't': return StyleSection::Legends;
        default: return StyleSection::Ignored;
    }
}

int StyleEditorTable::RowCount() const {
    int count = 0;
    while (count < kMaxItemRows && !rows[count].IsEmpty()) ++count;
    return count;
}

StyleReader::StyleReader(LogStyle& style) : m_style(&style) {}
StyleReader::StyleReader(StyleEditorTable& table) : m_table(&table) {}

void StyleReader::Feed(std::string_view line) {
    StyleSection section = SectionOfLine(line);
    if (section != StyleSection::None) {
        m_section = section;
        m_row = 0;
        return;
    }
    switch (m_section) {
        case StyleSection::Title:
            ++m_row;
            if (m_style) {
                if (m_row <= kTitleLines) m_style->titleLines[m_row - 1] = std::string(line);
            } else if (m_row == 1) {
                m_table->title = std::string(line);
            } else if (m_row == 2) {
                m_table->styleName = std::string(line);
            }
            break;
        case StyleSection::Items:
            TakeItem(line);
            break;
        case StyleSection::Legends:
            ++m_row;
            if (m_row <= kLegendRows) {
                LegendRows& rows = m_style ? m_style->legends : m_table->legends;
                rows[m_row - 1] = LegendRow::FromLine(line);
            }
            break;
        case StyleSection::None:
        case StyleSection::Ignored:
            break;
    }
}

void StyleReader::TakeItem(std::string_view line) {
    // A blank line holds no item; taken as a row it would end the list and hide every row
    // after it.
    if (core::TrimBlanks(line).empty()) return;
    ++m_row;
    if (m_style) {
        if (m_row > kMaxItemRows) return;
        m_style->items[m_row - 1] = DisplayItem::FromLine(line);
    } else {
        if (m_row > kEditorItemRows) return;
        if (m_lastItemRow == 0)
            for (auto& row : m_table->rows) row.Clear();
        DisplayItem item = DisplayItem::FromLine(line);
        NormaliseForStyle(item);
        m_table->rows[m_row - 1] = std::move(item);
    }
    if (m_row > m_lastItemRow) m_lastItemRow = m_row;
}

void StyleReader::Finish() {
    auto& rows = m_style ? m_style->items : m_table->rows;
    for (int i = m_lastItemRow; i < kMaxItemRows; ++i) rows[i].Clear();
}

namespace {

// The lines of decoded style text, long lines cut into pieces of the style line limit.
std::vector<std::string> StyleLinesOfText(const std::string& text) {
    std::vector<std::string> lines;
    for (std::string_view rest : core::SplitLineViews(text)) {
        // Each piece is measured once: the rest of a long line is never measured again.
        for (;;) {
            std::string piece = core::Cp932Truncate(rest, kStyleLineLimit);
            if (piece.size() == rest.size() || piece.empty()) {
                lines.emplace_back(rest);
                break;
            }
            rest.remove_prefix(piece.size());
            lines.push_back(std::move(piece));
        }
    }
    return lines;
}

}  // namespace

std::vector<std::string> StyleLinesOfBytes(std::string_view bytes) { return StyleLinesOfText(core::Cp932ToUtf8(bytes)); }

std::optional<std::vector<std::string>> ReadStyleFileLines(const std::string& path, std::string* error, bool* tooLarge) {
    if (tooLarge) *tooLarge = false;
    auto bytes = core::ReadFileBytes(path, error, kMaxStyleFileBytes);
    if (!bytes) {
        std::error_code ec;
        if (tooLarge && std::filesystem::is_regular_file(path, ec) && std::filesystem::file_size(path, ec) > kMaxStyleFileBytes)
            *tooLarge = !ec;
        return std::nullopt;
    }
    // The file's bytes go as soon as they are decoded: a large file is never held three times.
    const std::string text = core::Cp932ToUtf8(*bytes);
    bytes.reset();
    return StyleLinesOfText(text);
}

}  // namespace stracol::style
