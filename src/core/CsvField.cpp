#include "core/CsvField.h"

#include "core/Cp932.h"
#include "core/Messages.h"

namespace stracol::core {

std::size_t CsvStep(std::string& field, std::string_view text, bool quoteMode) {
    field.clear();
    bool quoted = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '"') {
            quoted = !quoted;
            continue;
        }
        if (c == ',' && !quoted) return i + 1;
        if (c == '\n') return 0;
        field.push_back(c);
        if (!quoteMode) quoted = true;
    }
    return 0;
}

namespace {

// The line as CsvField reads it: cut to 2600 CP932 bytes (into cut) after the message.
std::string_view CsvLine(std::string_view line, std::string& cut, Messages* messages) {
    // UTF-8 never takes fewer bytes than CP932, so a short line needs no width count.
    if (line.size() > kCsvLineLimit && Cp932Width(line) > kCsvLineLimit) {
        if (messages) messages->Information(MessageText(MessageId::TooManyCsv));
        cut = Cp932Truncate(line, kCsvLineLimit);
        return cut;
    }
    return line;
}

}  // namespace

std::vector<std::string> CsvFields(std::string_view line, std::size_t maxFields, Messages* messages) {
    std::vector<std::string> fields;
    if (line.empty() || maxFields == 0) return fields;
    std::string cut;
    std::string_view rest = CsvLine(line, cut, messages);
    std::string current;
    for (;;) {
        const std::size_t next = CsvStep(current, rest, true);
        fields.push_back(std::move(current));
        if (next == 0 || fields.size() >= maxFields) break;
        rest = rest.substr(next);
        if (rest.empty()) break;
    }
    return fields;
}

int CsvField(std::string& field, std::string_view line, int n, Messages* messages) {
    field.clear();
    if (line.empty()) return -1;
    std::string cut;
    line = CsvLine(line, cut, messages);
    std::string current;
    int index = 0;
    std::string_view rest = line;
    for (;;) {
        std::size_t next = CsvStep(current, rest, true);
        ++index;
        if (index == n) {
            field = std::move(current);
            return 1;
        }
        if (next == 0) break;
        rest = rest.substr(next);
        if (rest.empty()) break;
    }
    return 0;
}

std::string CsvQuote(std::string_view text) {
    if (text.find(',') == std::string_view::npos) return std::string(text);
    std::string quoted;
    quoted.reserve(text.size() + 2);
    quoted.push_back('"');
    quoted.append(text);
    quoted.push_back('"');
    return quoted;
}

std::string CsvFieldText(std::string_view line, int n, Messages* messages) {
    std::string field;
    CsvField(field, line, n, messages);
    return field;
}

}  // namespace stracol::core
