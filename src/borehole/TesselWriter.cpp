#include "borehole/TesselWriter.h"

#include "core/CsvField.h"
#include "core/TextFile.h"

#include <utility>

namespace stracol::borehole {
namespace {

// A text written on one line of its own: no line break, no "$$", no 0x07.
std::string LineText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;  // CR LF is one break
        if (c == '\r' || c == '\n' || c == '\x07') {
            out.push_back(' ');
        } else if (c == '$' && i + 1 < text.size() && text[i + 1] == '$') {
            out += "＄＄";
            ++i;
        } else {
            out.push_back(c);
        }
    }
    return out;
}

// A cell of a record line: a one-line text without double quotes (which the reader drops),
// quoted when it holds a comma.
std::string CellText(std::string_view cell) {
    std::string text = LineText(cell);
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        if (c == '"') out += "＂";
        else out.push_back(c);
    }
    return core::CsvQuote(out);
}

void AppendCells(std::string& line, const DepthTable& table, int row, int from, int to) {
    for (int column = from; column < to; ++column) line.append(CellText(table.Cell(row, column))).push_back(',');
}

// Rows in use, each as its cells from..to (exclusive) each followed by ",".
void WriteRows(std::vector<std::string>& lines, const DepthTable& table, int from = 0, int to = -1) {
    if (to < 0) to = table.Columns();
    for (int row = 1, rows = table.RowCount(); row <= rows; ++row) {
        std::string line;
        AppendCells(line, table, row, from, to);
        lines.push_back(std::move(line));
    }
}

// The lines of an article text: split at its line breaks (CR LF or LF).
void AppendTextLines(std::vector<std::string>& lines, std::string_view text) {
    if (text.empty()) return;
    std::size_t start = 0;
    for (;;) {
        const auto eol = text.find('\n', start);
        std::string_view piece = text.substr(start, eol == std::string_view::npos ? std::string_view::npos : eol - start);
        if (!piece.empty() && piece.back() == '\r') piece.remove_suffix(1);
        lines.push_back(LineText(piece));
        if (eol == std::string_view::npos) break;
        start = eol + 1;
    }
}

std::string JoinedHeading(const BoreholeRecord& record, int first) {
    const std::string& a = record.Heading(first);
    const std::string& b = record.Heading(first + 1);
    const std::string& c = record.Heading(first + 2);
    return a + "," + b + "," + c;
}

}  // namespace

std::vector<std::string> TesselFileLines(const BoreholeRecord& record, const TesselStyleLines& style) {
    std::vector<std::string> lines;
    lines.emplace_back(kTesselMagic);
    auto section = [&](char letter) { lines.push_back(std::string("$$") + letter + "_"); };
    auto table = [&](TableId id) -> const DepthTable& { return record.Table(id); };

    section('z');
    for (const std::string& title : style.titles) lines.push_back(core::CsvQuote(LineText(title)) + ",");
    section('X');
    for (const std::string& item : style.items) lines.push_back(LineText(item));

    section('Z');
    for (int index = 1; index <= kHeadingCount; ++index) {
        std::string text = record.Heading(index);
        // The coordinates are written as the degrees, minutes and seconds they are read into.
        if (index == 14 || index == 15) {
            const int first = index == 14 ? 51 : 54;
            if (!(record.Heading(first).empty() && record.Heading(first + 1).empty() && record.Heading(first + 2).empty()))
                text = JoinedHeading(record, first);
        }
        lines.push_back(LineText(text));
    }

    const std::pair<char, TableId> plain1[] = {
        {'A', TableId::Layer}, {'C', TableId::Spt}, {'c', TableId::AuxC}, {'E', TableId::Sample},
        {'e', TableId::Density}, {'G', TableId::Insitu}, {'H', TableId::Hole}, {'I', TableId::Material},
        {'J', TableId::Drill},
    };
    for (const auto& [letter, id] : plain1) {
        section(letter);
        WriteRows(lines, table(id));
    }

    section('K');
    const DepthTable& articles = table(TableId::Article);
    for (int row = 1, rows = articles.RowCount(); row <= rows; ++row) {
        for (int column = 0; column < 3; ++column) lines.push_back(LineText(articles.Cell(row, column)));
        AppendTextLines(lines, articles.Cell(row, 3));
        lines.emplace_back("\x07");
        lines.push_back(LineText(articles.Cell(row, 4)));
    }

    const std::pair<char, TableId> plain2[] = {
        {'k', TableId::Remark}, {'N', TableId::Era}, {'n', TableId::Strata}, {'m', TableId::CoreMass},
        {'O', TableId::Recovery}, {'o', TableId::CoreLength},
    };
    for (const auto& [letter, id] : plain2) {
        section(letter);
        WriteRows(lines, table(id));
    }

    // Lugeon tests: ten cells, then the points as the list they are kept in (each number
    // already followed by ",").
    section('P');
    const DepthTable& lugeon = table(TableId::Lugeon);
    for (int row = 1, rows = lugeon.RowCount(); row <= rows; ++row) {
        std::string line;
        AppendCells(line, lugeon, row, 0, 10);
        line += LineText(lugeon.Cell(row, 10));
        lines.push_back(std::move(line));
    }
    section('Q');
    section('R');
    WriteRows(lines, table(TableId::TracerResult));
    // Tracer logging values: the depth, column 1, then the values of column 2 as fields.
    section('r');
    const DepthTable& tracer = table(TableId::TracerDetail);
    for (int row = 1, rows = tracer.RowCount(); row <= rows; ++row) {
        std::string line;
        AppendCells(line, tracer, row, 0, 2);
        if (!tracer.Cell(row, 2).empty()) line += LineText(tracer.Cell(row, 2)) + ",";
        lines.push_back(std::move(line));
    }
    // Property records are columns 1 to 9 (column 0 holds nothing).
    section('S');
    WriteRows(lines, table(TableId::Property), 1, 10);

    const std::pair<char, TableId> plain3[] = {
        {'T', TableId::Casing}, {'U', TableId::Instrument}, {'V', TableId::Fault}, {'v', TableId::Crush},
        {'W', TableId::Water}, {'w', TableId::WaterLog},
    };
    for (const auto& [letter, id] : plain3) {
        section(letter);
        WriteRows(lines, table(id));
    }

    section('t');
    for (const std::string& legend : style.legends) lines.push_back(LineText(legend));

    // AuxTableF: the header row 0 first, then the rows after it.
    section('F');
    const DepthTable& aux = table(TableId::AuxF);
    const int auxRows = aux.RowCount();
    bool header = record.auxFCount != 0 || auxRows > 0;
    for (int column = 0; column < aux.Columns(); ++column) header = header || !aux.Cell(0, column).empty();
    if (header) {
        std::string line;
        AppendCells(line, aux, 0, 0, aux.Columns());
        lines.push_back(std::move(line));
        WriteRows(lines, aux);
    }
    lines.emplace_back("$$_");
    return lines;
}

bool WriteTesselLines(const std::string& path, const std::vector<std::string>& lines, core::Messages* messages) {
    return core::WriteCp932Lines(path, lines, messages);
}

}  // namespace stracol::borehole
