#include "geology/PatternList.h"

#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "geology/BuiltInTables.h"
#include "geology/NameMaster.h"

namespace stracol::geology {
namespace {

std::string Field(std::string_view text) { return core::CsvQuote(text); }

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

}  // namespace

bool PatternRow::IsHeading() const { return IsGroupHeading(number); }

std::optional<std::uint32_t> ParseColourText(std::string_view text) {
    std::string_view t = core::TrimBlanks(text);
    if (t.empty()) return std::nullopt;
    bool prefixed = false;
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        t.remove_prefix(2);
        prefixed = true;
    }
    if (t.empty()) {
        if (prefixed) return 0u;  // "0x" alone stands for black
        return std::nullopt;
    }
    if (t.size() > 6) return std::nullopt;
    std::uint32_t value = 0;
    for (char c : t) {
        const int v = HexValue(c);
        if (v < 0) return std::nullopt;
        value = value * 16 + static_cast<std::uint32_t>(v);
    }
    return value;
}

std::string ColourText(std::uint32_t colour) { return core::Sprintf("0x%06x", static_cast<unsigned>(colour & 0xffffffu)); }

PatternRow ParsePatternLine(std::string_view line) {
    PatternRow row;
    row.number = core::CsvFieldText(line, 1);
    if (row.IsHeading()) return row;
    row.colour = core::CsvFieldText(line, 2);
    row.defaultColour = core::CsvFieldText(line, 3);
    row.abbreviation = core::CsvFieldText(line, 4);
    row.examples = core::CsvFieldText(line, 5);
    return row;
}

PatternList BuiltInPatternList() {
    PatternList list;
    list.builtIn = true;
    for (const auto& r : BuiltInPatternRows()) {
        PatternRow row;
        row.number = r.number;
        if (!row.IsHeading()) {
            row.colour = r.colour;
            row.defaultColour = r.defaultColour;
            row.abbreviation = r.abbreviation;
            row.examples = r.examples;
        }
        list.rows.push_back(std::move(row));
        if (r.number.find("[終") != std::string_view::npos) break;
    }
    return list;
}

int PatternListVersion(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        if (IsGroupHeading(core::CsvFieldText(line, 1))) return core::LeadingInt(core::CsvFieldText(line, 3));
    }
    return 0;
}

PatternList ReadPatternList(const std::string& path) {
    auto lines = core::ReadCp932Lines(path, kPatternLineLimit);
    if (!lines) return BuiltInPatternList();
    return ParsePatternList(*lines);
}

PatternList ParsePatternList(const std::vector<std::string>& lines) {
    if (PatternListVersion(lines) < kPatternListVersion) return BuiltInPatternList();
    PatternList list;
    for (const auto& line : lines) {
        if (core::CharacterCount(line) <= 1) continue;
        list.rows.push_back(ParsePatternLine(line));
    }
    return list;
}

std::vector<std::string> PatternListLines(const PatternList& list) {
    std::vector<std::string> lines;
    bool firstHeading = true;
    for (const auto& row : list.rows) {
        if (row.IsHeading()) {
            const std::string version = firstHeading ? core::Sprintf("%d", kPatternListVersion) : std::string();
            lines.push_back(Field(row.number) + ",," + version + ",,");
            firstHeading = false;
            continue;
        }
        lines.push_back(Field(row.number) + "," + Field(row.colour) + "," + Field(row.defaultColour) + "," +
                        Field(row.abbreviation) + "," + Field(row.examples));
    }
    return lines;
}

bool WritePatternList(const std::string& path, const PatternList& list, core::Messages* messages) {
    return core::WriteCp932Lines(path, PatternListLines(list), messages);
}

bool SetPatternColour(PatternList& list, int row, std::string_view colourText, core::Messages& messages) {
    auto colour = ParseColourText(colourText);
    if (!colour) {
        messages.Error(core::MessageText(core::MessageId::NoOrBadData));
        return false;
    }
    if (row < 0 || row >= static_cast<int>(list.rows.size()) || list.rows[static_cast<std::size_t>(row)].IsHeading()) {
        messages.Error(core::MessageText(core::MessageId::GiveRowPosition));
        return false;
    }
    list.rows[static_cast<std::size_t>(row)].colour = ColourText(*colour);
    return true;
}

void ResetColoursToDefault(PatternList& list) {
    for (auto& row : list.rows) {
        if (!row.IsHeading()) row.colour = row.defaultColour;
    }
}

}  // namespace stracol::geology
