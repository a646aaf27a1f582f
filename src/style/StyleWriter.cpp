#include "style/StyleWriter.h"

#include "core/TextFile.h"

namespace stracol::style {
namespace {

// A cell as written into a comma-separated line: a comma would end the cell early on
// reading and a line break would end the line.
std::string CellText(std::string_view cell) {
    std::string out;
    out.reserve(cell.size());
    for (char c : cell) {
        if (c == ',') out += "，";
        else if (c == '\r' || c == '\n') out.push_back(' ');
        else out.push_back(c);
    }
    return out;
}

std::string TitleText(std::string_view line) {
    std::string out(line);
    for (char& c : out)
        if (c == '\r' || c == '\n') c = ' ';
    return out;
}

template <typename Cells>
std::string JoinCells(const Cells& cells) {
    std::string line;
    bool first = true;
    for (const auto& cell : cells) {
        if (!first) line.push_back(',');
        first = false;
        line += CellText(cell);
    }
    return line;
}

}  // namespace

std::vector<std::string> StyleFileLines(const LogStyle& style) {
    std::vector<std::string> lines;
    lines.emplace_back(kStyleMagic);
    lines.emplace_back("$$z_");
    for (int i = 0; i < 4; ++i) lines.push_back(TitleText(style.titleLines[i]));
    lines.emplace_back("$$X_");
    int count = style.ItemCount();
    for (int i = 0; i < count; ++i) lines.push_back(JoinCells(style.items[i].Fields()));
    lines.emplace_back("$$t_");
    for (const auto& row : style.legends) lines.push_back(JoinCells(row.cells));
    lines.emplace_back("$$_");
    return lines;
}

std::vector<std::string> QuotedStyleFileLines(const LogStyle& style) {
    std::vector<std::string> lines = StyleFileLines(style);
    for (auto& line : lines) {
        // A double quote or backslash of the text would end or bend the string literal.
        std::string quoted = "\"";
        for (char c : line) {
            if (c == '"' || c == '\\') quoted.push_back('\\');
            quoted.push_back(c);
        }
        quoted += "\",";
        line = std::move(quoted);
    }
    return lines;
}

bool WriteStyleFile(const std::string& path, const LogStyle& style, core::Messages* messages) {
    return core::WriteCp932Lines(path, StyleFileLines(style), messages);
}

bool WriteQuotedStyleFile(const std::string& path, const LogStyle& style, core::Messages* messages) {
    return core::WriteCp932Lines(path, QuotedStyleFileLines(style), messages);
}

}  // namespace stracol::style
