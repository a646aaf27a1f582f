#include "borehole/OlderFormatReader.h"

#include "borehole/ExchangeXmlReader.h"
#include "borehole/FormatDetect.h"
#include "borehole/SoilName.h"
#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"

#include <algorithm>
#include <utility>

namespace stracol::borehole {
namespace {

bool IsNumber(std::string_view text) { return core::IsNumericStart(text) == 1; }

// Longest line kept whole where a line is one text (a heading, a style title, an article line).
constexpr std::size_t kTextLineBytes = core::kCsvLineLimit;

std::string TextLine(std::string_view line) { return core::Cp932Truncate(line, kTextLineBytes); }

// Tables whose column 1 is a second depth (the lower end of an interval).
bool HasLowerDepth(TableId id) {
    switch (id) {
        case TableId::Sample:
        case TableId::Insitu:
        case TableId::Fault:
        case TableId::Crush:
        case TableId::Article:
        case TableId::Era:
        case TableId::Strata:
        case TableId::Instrument:
        case TableId::TracerResult: return true;
        default: return false;
    }
}

// The section letter of a section line: its third character, "_" for a line of two characters.
char SectionLetter(std::string_view line) { return line.size() > 2 ? line[2] : '_'; }

bool IsSectionLine(std::string_view line) { return line.find("$$") != std::string_view::npos; }

// Water level text of a depth below ground: negated with two decimals, as the water column reads it.
std::string WaterLevelText(std::string_view depth) {
    return core::Sprintf("%+.2f", -core::LeadingReal(depth));
}

}  // namespace

std::string NValueText(std::string_view first, std::string_view second, std::string_view third) {
    long blows = 0;
    long penetration = 0;
    int numeric = 0;
    for (std::string_view cell : {first, second, third}) {
        if (!IsNumber(cell)) continue;
        ++numeric;
        const auto slash = cell.find('/');
        blows += core::LeadingInt(cell.substr(0, slash));
        if (slash == std::string_view::npos) {
            penetration += 10;
            continue;
        }
        const std::string_view after = cell.substr(slash + 1);
        if (IsNumber(after)) penetration += core::LeadingInt(after);
        else if (core::TrimBlanks(after).empty()) penetration += 10;
    }
    if (numeric == 0) return {};
    blows = std::clamp(blows, -9L, 999L);
    if (penetration == 30) return core::Sprintf("%2ld", blows);
    return core::Sprintf("%2ld/%ld", blows, penetration);
}

OlderFormatReader::OlderFormatReader(BoreholeRecord& record, const geology::NameTable& names,
                                     core::Messages& messages, OlderFormatOptions options)
    : m_record(record), m_names(names), m_messages(messages), m_options(std::move(options)) {}

void OlderFormatReader::ReadLine(std::string_view line, int formatCode) {
    switch (formatCode) {
        case format::kTessel: ReadTesselLine(line, m_options.recomputeLayerPatterns); break;
        case format::kTokenP:
        case format::kTokenB:
        case format::kJacic:
        case format::kHarbour: ReadTokenLine(line, formatCode); break;
        case format::kTpj: ReadTpjLine(line); break;
        case format::kGtj: ReadGtjLine(line); break;
        default: break;
    }
}

void OlderFormatReader::ReadTesselLine(std::string_view line, bool recompute) { ReadSectioned(line, false, recompute); }

void OlderFormatReader::ReadTokenLine(std::string_view line, int) { ReadSectioned(line, true, false); }

// ---------------------------------------------------------------------------------------------
// Sectioned formats (Tessel v1 and the token formats)

OlderFormatReader::Section OlderFormatReader::SectionOf(char letter, bool token) {
    using K = Kind;
    auto table = [](TableId id, int first = 0, int fields = 0) { return Section{K::Table, id, first, fields}; };
    switch (letter) {
        case 'Z': return {K::Heading};
        case 'A': return table(TableId::Layer);
        case 'C': return table(TableId::Spt);
        case 'c': return table(TableId::AuxC);
        case 'E': return table(TableId::Sample);
        case 'F': return {K::AuxF, TableId::AuxF};
        case 'G': return table(TableId::Insitu);
        case 'H': return table(TableId::Hole);
        case 'K': return {K::Article, TableId::Article};
        case 'P': return {K::Lugeon, TableId::Lugeon, 0, 10};
        case 'S': return table(TableId::Property, 1, 9);
        case 'T': return table(TableId::Casing);
        case 'U': return table(TableId::Instrument);
        case 'V': return table(TableId::Fault);
        case 'W': return table(TableId::Water);
        case 'R': return table(TableId::TracerResult);
        default: break;
    }
    if (token) {
        switch (letter) {
            case 'B': return table(TableId::Drill, 0, 11);
            case 'N': return {K::EraAndStrata, TableId::Era, 0, 3};
            case 'O': return table(TableId::Recovery, 0, 4);
            case 'o': return table(TableId::CoreLength, 0, 4);
            case 'Q': return {K::TokenTracer, TableId::TracerDetail};
            case 'r': return table(TableId::Remark, 0, 3);
            default: return {};
        }
    }
    switch (letter) {
        case 'z': return {K::StyleTitle};
        case 'X': return {K::StyleItems};
        case 't': return {K::StyleLegends};
        case 'e': return table(TableId::Density);
        case 'I': return table(TableId::Material);
        case 'J': return table(TableId::Drill);
        case 'k': return table(TableId::Remark);
        case 'N': return table(TableId::Era);
        case 'n': return table(TableId::Strata);
        case 'm': return table(TableId::CoreMass);
        case 'O': return table(TableId::Recovery);
        case 'o': return table(TableId::CoreLength);
        case 'r': return {K::TracerList, TableId::TracerDetail, 0, 3};
        case 'v': return table(TableId::Crush);
        case 'w': return table(TableId::WaterLog);
        default: return {};
    }
}

void OlderFormatReader::ReadSectioned(std::string_view line, bool token, bool recompute) {
    if (m_sawEnd) return;
    if (IsSectionLine(line)) {
        if (m_articleLine > 0) EndArticle();
        const char letter = SectionLetter(line);
        if (letter == '_' && DetectFormat(line) == format::kUnknown) {
            // "$$_" ends the data; the magic line ("$$_TQTOK1" …) does not.
            m_sawEnd = true;
            return;
        }
        StartSection(letter, token);
        return;
    }
    if (m_letter == 0) return;  // before the first section
    switch (m_section.kind) {
        case Kind::Ignored: return;
        case Kind::Heading:
            StoreHeading(m_row++, line);
            return;
        case Kind::StyleTitle:
            StoreStyleLine(core::CsvFieldText(line, 1), "$$z_", kTesselTitleLines);
            return;
        case Kind::StyleItems: StoreStyleLine(line, "$$X_", kTesselItemRows); return;
        case Kind::StyleLegends: StoreStyleLine(line, "$$t_", kTesselLegendRows); return;
        case Kind::Article: ReadArticleLine(line, token); return;
        case Kind::TokenTracer:
            if (m_row == 0) {
                // The section's first line names the measuring times.
                m_record.SetHeading(73, TextLine(line));
                m_row = 1;
                return;
            }
            break;
        default: break;
    }
    if (line.empty()) return;
    ReadRecord(line, token, recompute);
}

void OlderFormatReader::StartSection(char letter, bool token) {
    m_letter = letter;
    m_section = SectionOf(letter, token);
    m_row = m_section.kind == Kind::TokenTracer ? 0 : 1;
    m_styleRows = 0;
}

void OlderFormatReader::StoreStyleLine(std::string_view line, std::string_view sectionLine, int limit) {
    if (m_styleRows >= limit) return;
    auto& lines = m_record.styleLines;
    // Each style section is kept once: a repeated section line restarts its rows.
    auto at = std::find(lines.begin(), lines.end(), sectionLine);
    if (m_styleRows == 0) {
        if (at != lines.end()) {
            auto end = std::find_if(at + 1, lines.end(), [](const std::string& l) { return l.rfind("$$", 0) == 0; });
            lines.erase(at, end);
        }
        lines.emplace_back(sectionLine);
    }
    lines.push_back(TextLine(line));
    ++m_styleRows;
}

void OlderFormatReader::StoreHeading(int index, std::string_view text) {
    if (index < 1 || index > kHeadingCount) return;
    m_record.SetHeading(index, TextLine(text));
    if (index == 15) {
        // Latitude and longitude as degrees, minutes and seconds separated by commas.
        for (int part = 1; part <= 3; ++part) {
            m_record.SetHeading(50 + part, core::CsvFieldText(m_record.Heading(14), part));
            m_record.SetHeading(53 + part, core::CsvFieldText(m_record.Heading(15), part));
        }
    }
}

void OlderFormatReader::NoteSkipped(TableId table, int field, std::string_view text) {
    if (static_cast<int>(m_record.skipped.size()) < kSkippedNamed) {
        m_record.skipped.push_back(core::Sprintf("$$%c_ %.*s 第%d欄「", m_letter,
                                                 static_cast<int>(DefOf(table).name.size()), DefOf(table).name.data(),
                                                 field) +
                                   FaultExcerpt(text) + "」");
    }
    ++m_record.skippedCount;
}

int OlderFormatReader::TakeRow(TableId table) {
    const DepthTable& t = m_record.Table(table);
    if (m_row > t.Capacity()) {
        m_record.NoteDropped(core::Sprintf("$$%c_", m_letter), table);
        return 0;
    }
    return m_row++;
}

bool OlderFormatReader::KeyReadable(const Section& section, const std::vector<std::string>& fields) {
    const TableDef& def = DefOf(section.table);
    // The field of a column: columns from section.firstColumn on are fields 1, 2 …
    auto field = [&](int column) -> std::string_view {
        const int index = column - section.firstColumn;
        return index >= 0 && index < static_cast<int>(fields.size()) ? std::string_view(fields[index]) : std::string_view();
    };
    // The depths of the record: the key (the level of a water record, the upper and lower
    // depth of a Lugeon test, whose key is its number), and the lower depth of an interval.
    int depths[2] = {def.keyColumn, HasLowerDepth(section.table) ? 1 : -1};
    if (section.table == TableId::Water) depths[0] = 0;
    if (section.table == TableId::Lugeon) depths[0] = 1, depths[1] = 2;
    for (int column : depths) {
        if (column < 0) continue;
        if (!IsReadableDepth(field(column), column == def.keyColumn)) {
            NoteSkipped(section.table, column - section.firstColumn + 1, field(column));
            return false;
        }
    }
    return IsNumber(field(def.keyColumn));
}

void OlderFormatReader::ReadRecord(std::string_view line, bool token, bool recompute) {
    const Section& section = m_section;
    const int columns = m_record.Table(section.table).Columns() - section.firstColumn;
    int fieldsTaken = section.fields > 0 ? section.fields : columns;
    std::size_t listLimit = 0;
    if (section.kind == Kind::Lugeon) listLimit = kTesselLugeonNumbers;
    if (section.kind == Kind::TracerList) listLimit = kTesselTracerValues;
    if (section.kind == Kind::TokenTracer) {
        fieldsTaken = 1;
        listLimit = kTokenTracerValues;
    }
    core::Messages* cutMessages = m_csvCutShown ? nullptr : &m_messages;
    if (line.size() > core::kCsvLineLimit && core::Cp932Width(line) > core::kCsvLineLimit) m_csvCutShown = true;
    std::vector<std::string> fields = core::CsvFields(line, static_cast<std::size_t>(fieldsTaken) + listLimit, cutMessages);

    if (section.kind == Kind::AuxF && !m_auxFHeaderRead) {
        // The first record is the header row 0; its field 1 is the count of the rows after it.
        m_auxFHeaderRead = true;
        DepthTable& t = m_record.Table(TableId::AuxF);
        for (int i = 0; i < fieldsTaken && i < static_cast<int>(fields.size()); ++i) t.SetCell(0, i, fields[i]);
        m_record.auxFCount = std::clamp(core::LeadingInt(fields.empty() ? std::string() : fields[0]), 0, t.Capacity());
        return;
    }
    if (!KeyReadable(section, fields)) return;
    const int row = TakeRow(section.table);
    if (row == 0) return;

    DepthTable& t = m_record.Table(section.table);
    const int stored = std::min(fieldsTaken, static_cast<int>(fields.size()));
    for (int i = 0; i < stored; ++i) t.SetCell(row, section.firstColumn + i, fields[i]);

    switch (section.kind) {
        case Kind::Lugeon:
        case Kind::TracerList:
        case Kind::TokenTracer: {
            // Trailing numbers, up to the first field that is no number, joined in one cell:
            // the Lugeon points each followed by ",", the resistivity values after the first
            // value of column 2, and the token-format values from field 2 on into column 3.
            const int listColumn = section.kind == Kind::Lugeon ? 10 : section.kind == Kind::TracerList ? 2 : 3;
            std::string list = section.kind == Kind::TracerList ? t.Cell(row, 2) : std::string();
            for (std::size_t i = static_cast<std::size_t>(fieldsTaken); i < fields.size(); ++i) {
                if (!IsNumber(fields[i])) break;
                if (section.kind == Kind::Lugeon) {
                    list += fields[i] + ",";
                } else {
                    if (!list.empty()) list += ",";
                    list += fields[i];
                }
            }
            t.SetCell(row, listColumn, std::move(list));
            if (section.kind == Kind::TokenTracer) t.SetCell(row, 1, "0");
            break;
        }
        case Kind::EraAndStrata: {
            DepthTable& strata = m_record.Table(TableId::Strata);
            for (int i = 0; i < stored; ++i) strata.SetCell(row, i, fields[i]);
            break;
        }
        default: break;
    }
    if (token && section.table == TableId::Recovery && IsNumber(t.Cell(row, 1))) t.SetCell(row, 3, "2");
    if (token && section.table == TableId::CoreLength) t.SetCell(row, 4, "1");
    if (section.table == TableId::Layer) StoreLayerNames(row, recompute);
}

void OlderFormatReader::StoreLayerNames(int row, bool recompute) {
    DepthTable& t = m_record.Table(TableId::Layer);
    const std::string name1 = t.Cell(row, 1);
    if (name1.empty()) return;
    if (recompute) {
        const NameDecomposition d = DecomposeName(m_names, name1, "");
        t.SetCell(row, 4, PatternCodeText(d));
        t.SetCell(row, 7, d.symbol);
        if (!t.Cell(row, 2).empty()) {
            t.SetCell(row, 5, core::Sprintf("%ld", DecomposeName(m_names, t.Cell(row, 2), "").patternNumber));
        }
        return;
    }
    const NameDecomposition d = DecomposeName(m_names, name1, t.Cell(row, 4));
    if (!IsNumber(t.Cell(row, 4))) t.SetCell(row, 4, PatternCodeText(d));
    if (t.Cell(row, 7).empty()) t.SetCell(row, 7, d.symbol);
}

void OlderFormatReader::ReadArticleLine(std::string_view line, bool token) {
    // Lines 1, 2 and 3 of a record are columns 0, 1 and 2; then the text up to the line with
    // 0x07 (or, in a token file, a line with "@"); the line after it is column 4.
    if (m_articleLine == 0) {
        m_article = {};
        m_articleTextEnded = false;
        m_articleCut = false;
    }
    ++m_articleLine;
    if (m_articleLine <= 3) {
        m_article[static_cast<std::size_t>(m_articleLine - 1)] = TextLine(line);
        return;
    }
    if (!m_articleTextEnded) {
        if (line.find('\x07') != std::string_view::npos || (token && line.find('@') != std::string_view::npos)) {
            m_articleTextEnded = true;
            return;
        }
        std::string& text = m_article[3];
        if (text.size() + line.size() + 2 > kMaxArticleTextBytes) {
            m_articleCut = true;
            return;
        }
        text.append(TextLine(line)).append("\r\n");
        return;
    }
    m_article[4] = TextLine(line);
    EndArticle();
}

void OlderFormatReader::EndArticle() {
    m_articleLine = 0;
    // The text's lines were each followed by CR LF; the last line break is the record's own.
    std::string& text = m_article[3];
    if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0) text.resize(text.size() - 2);
    const std::vector<std::string> key = {m_article[0], m_article[1]};
    const Section section{Kind::Article, TableId::Article, 0, 0};
    if (!KeyReadable(section, key)) return;
    const int row = TakeRow(TableId::Article);
    if (row == 0) return;
    DepthTable& t = m_record.Table(TableId::Article);
    for (int column = 0; column < 5; ++column) t.SetCell(row, column, std::move(m_article[static_cast<std::size_t>(column)]));
    if (m_articleCut) m_record.NoteDropped("$$K_ 記事の行", TableId::Article);
}

// ---------------------------------------------------------------------------------------------
// One value per line ("TPJ", "GTJ")

// A data section of the fixed order: the table, the column of each value of a record, and
// what the section does with a record beyond storing its values.
struct OlderFormatReader::ValueSection {
    enum class Special { None, Heading, Layer, Spt, WaterOrInsitu, Water };
    char letter;
    TableId table;
    std::vector<int> columns;
    Special special = Special::None;
    std::vector<std::pair<int, const char*>> fixed = {};
};

namespace {
using VS = std::vector<int>;
}  // namespace

void OlderFormatReader::ReadTpjLine(std::string_view line) {
    using S = ValueSection::Special;
    static const std::vector<ValueSection> order = {
        {'Z', TableId::Layer, {}, S::Heading},
        {'A', TableId::Layer, VS{0, 1, 3}, S::Layer},
        {'B', TableId::Spt, VS{0, 2, 3, 4}, S::Spt},
        {'E', TableId::Sample, VS{0, 1, 2, 3}},
        {'N', TableId::Era, VS{0, 1, 2}},
        {'H', TableId::Drill, VS{0, 1}},
        {'X', TableId::Water, VS{0, 1, 2, 3}, S::WaterOrInsitu},
    };
    if (m_valueSection < 0 && line.find("TPJ") == std::string_view::npos) return;
    ReadOneValueLine(line, order);
}

void OlderFormatReader::ReadGtjLine(std::string_view line) {
    using S = ValueSection::Special;
    static const std::vector<ValueSection> order = {
        {'Z', TableId::Layer, {}, S::Heading},
        {'A', TableId::Layer, VS{0, 1, 3}, S::Layer},
        {'C', TableId::Spt, VS{0, 2, 3, 4}, S::Spt},
        {'E', TableId::Sample, VS{0, 1, 2, 3}},
        {'G', TableId::Insitu, VS{0, 1, 2, 3}, S::None, {{7, "85"}}},
        {'H', TableId::Hole, VS{0, 1, 2}},
        {'I', TableId::Material, VS{0, 1}},
        {'J', TableId::Drill, VS{0, 1}},
        {'K', TableId::Article, VS{0, 1, 3}, S::None, {{4, "0"}}},
        {'N', TableId::Era, VS{0, 1, 2}},
        {'R', TableId::TracerResult, VS{0, 1, 2}},
        {'T', TableId::Casing, VS{0, 1}},
        {'U', TableId::Instrument, VS{0, 1, 2}},
        {'V', TableId::Fault, VS{0, 1, 2}, S::None, {{3, "48"}}},
        {'W', TableId::Water, VS{0, 1, 2}, S::Water},
    };
    if (m_valueSection < 0 && line.find("GTJ") == std::string_view::npos) return;
    ReadOneValueLine(line, order);
}

void OlderFormatReader::ReadOneValueLine(std::string_view line, const std::vector<ValueSection>& order) {
    if (m_valueSection < 0) {
        // The marker line starts the heading section.
        m_valueSection = 0;
        m_headingLine = 0;
        m_values.clear();
        return;
    }
    if (m_valueSection >= static_cast<int>(order.size())) return;
    const ValueSection& section = order[static_cast<std::size_t>(m_valueSection)];
    const std::string_view value = core::TrimBlanks(line);
    if (m_values.empty() && value == "-1") {
        // "-1" where a record's first value is expected ends the section.
        ++m_valueSection;
        m_values.clear();
        return;
    }
    if (section.special == ValueSection::Special::Heading) {
        ++m_headingLine;
        if (m_headingLine <= static_cast<int>(m_options.headingLines.size())) {
            const int index = m_options.headingLines[static_cast<std::size_t>(m_headingLine - 1)];
            if (index > 0) StoreHeading(index, value);
        }
        return;
    }
    m_values.emplace_back(TextLine(value));
    if (m_values.size() < section.columns.size()) return;
    EndValueRecord(section);
    m_values.clear();
}

void OlderFormatReader::EndValueRecord(const ValueSection& section) {
    using S = ValueSection::Special;
    m_letter = section.letter;
    TableId table = section.table;
    std::vector<std::string> values = m_values;
    std::vector<int> columns = section.columns;
    std::vector<std::pair<int, std::string>> fixed;
    for (const auto& [column, text] : section.fixed) fixed.emplace_back(column, text);
    if (section.special == S::WaterOrInsitu) {
        // depth, lower depth, text, result: a water level when there is no lower depth,
        // otherwise an in-situ test.
        if (core::TrimBlanks(values[1]).empty()) {
            table = TableId::Water;
            values = {values[0], values[3], values[2]};
            columns = {0, 1, 2};
            fixed = {{3, "7"}};
        } else {
            table = TableId::Insitu;
            fixed = {{7, "85"}};
        }
    } else if (section.special == S::Water) {
        fixed = {{3, "7"}};
    }
    const bool water = table == TableId::Water;
    // The depth of the record is its first value; a water level is stored negated.
    const Section check{Kind::Table, table, 0, 0};
    std::vector<std::string> cells(static_cast<std::size_t>(DefOf(table).columns));
    for (std::size_t i = 0; i < columns.size(); ++i) cells[static_cast<std::size_t>(columns[i])] = values[i];
    for (const auto& [column, text] : fixed) cells[static_cast<std::size_t>(column)] = text;
    if (!KeyReadable(check, cells)) return;
    DepthTable& t = m_record.Table(table);
    const int row = t.RowCount() + 1;
    if (row > t.Capacity()) {
        m_record.NoteDropped(core::Sprintf("%c", section.letter), table);
        return;
    }
    for (std::size_t i = 0; i < columns.size(); ++i) t.SetCell(row, columns[i], values[i]);
    for (const auto& [column, text] : fixed) t.SetCell(row, column, text);
    if (water) t.SetCell(row, 0, WaterLevelText(values[0]));
    if (section.special == S::Spt) {
        t.SetCell(row, 1, NValueText(t.Cell(row, 2), t.Cell(row, 3), t.Cell(row, 4)));
        t.SetCell(row, 5, "0");
    }
    if (section.special == S::Layer) {
        // A compound name is split into name 1 and name 2 at its first "・", "（" or "、";
        // an alternation (互層) is split by the two-name layout after loading.
        std::string name = t.Cell(row, 1);
        if (name.find("互層") == std::string::npos) {
            std::size_t best = std::string::npos;
            std::string separator;
            for (const char* sep : {"・", "（", "、"}) {
                const auto at = name.find(sep);
                if (at != std::string::npos && at > 0 && (best == std::string::npos || at < best)) {
                    best = at;
                    separator = sep;
                }
            }
            if (best != std::string::npos) {
                std::string second = name.substr(best + separator.size());
                if (separator == "（" && second.size() >= 3 && second.compare(second.size() - 3, 3, "）") == 0) {
                    second.resize(second.size() - 3);
                }
                t.SetCell(row, 1, name.substr(0, best));
                t.SetCell(row, 2, second);
                t.SetCell(row, 9, separator);
            }
        }
        t.SetCell(row, 6, "471");
        const NameDecomposition d = DecomposeName(m_names, t.Cell(row, 1), "");
        t.SetCell(row, 4, PatternCodeText(d));
        t.SetCell(row, 7, d.symbol);
        if (!t.Cell(row, 2).empty()) t.SetCell(row, 5, PatternCodeText(DecomposeName(m_names, t.Cell(row, 2), "")));
    }
}

// ---------------------------------------------------------------------------------------------

void OlderFormatReader::Finish() {
    if (m_finished) return;
    m_finished = true;
    if (m_articleLine > 0) EndArticle();
    if (m_record.skippedCount > 0) {
        m_messages.Warning(core::MessageText(core::MessageId::RecordsSkipped, SkippedSummary(m_record, m_options.fileName)));
    }
    if (!m_record.dropped.empty()) {
        m_messages.Warning(core::MessageText(core::MessageId::RecordsDropped, DroppedSummary(m_record)));
    }
}

}  // namespace stracol::borehole
