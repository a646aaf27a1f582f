#include "geology/NameTable.h"

#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "geology/BuiltInTables.h"
#include "geology/NameMaster.h"

namespace stracol::geology {
namespace {

// The master lines of the built-in table, as the file would hold them.
std::vector<std::string> BuiltInLines() {
    std::vector<std::string> lines;
    for (const auto& row : BuiltInMasterRows()) {
        std::string line(row.name);
        line += ',';
        line += row.symbol;
        line += ',';
        line += row.pattern;
        line += ',';
        line += row.bitmap;
        lines.push_back(std::move(line));
    }
    return lines;
}

bool HoldsGroupHeading(const std::vector<std::string>& lines) {
    for (const auto& line : lines) {
        if (line.find("[終") != std::string::npos) return false;
        if (line.find("[第") != std::string::npos) return true;
    }
    return false;
}

}  // namespace

NameTable ParseNameTable(const std::vector<std::string>& lines, int kind) {
    NameTable table;
    const int numberField = kind == 1 ? 4 : 3;
    int group = 0;
    for (const auto& line : lines) {
        if (core::Cp932Width(line) < 3) continue;
        if (line.find("[終") != std::string::npos) break;
        if (line.find("[第") != std::string::npos) {
            ++group;
            if (group == 1) table.version = static_cast<int>(core::LeadingLong(core::CsvFieldText(line, 3)));
            continue;
        }
        if (group < 1 || group > 3) continue;
        if (static_cast<int>(table.entries.size()) >= kNameTableCapacity) continue;
        NameEntry entry;
        entry.name = core::CsvFieldText(line, 1);
        entry.symbol = core::CsvFieldText(line, 2);
        const std::string number = core::CsvFieldText(line, numberField);
        if (HasLeadingNumber(number)) {
            entry.number = core::LeadingLong(number);
            entry.classDigit = ClassDigitOf(core::LeadingReal(number));
        }
        const int index = static_cast<int>(table.entries.size());
        table.entries.push_back(std::move(entry));
        if (table.groupFirst[group] < 0) table.groupFirst[group] = index;
        table.groupLast[group] = index;
    }
    return table;
}

NameTable LoadNameTable(const std::string& masterPath, int kind, core::Messages* messages) {
    auto lines = core::ReadCp932Lines(masterPath, kNameLineLimit);
    if (!lines) return BuiltInNameTable(kind);
    if (!HoldsGroupHeading(*lines)) {
        if (messages) messages->Error(core::MessageText(core::MessageId::WrongFileContent) + "\n" + masterPath);
        return BuiltInNameTable(kind);
    }
    return ParseNameTable(*lines, kind);
}

NameTable BuiltInNameTable(int kind) {
    static const std::vector<std::string> lines = BuiltInLines();
    return ParseNameTable(lines, kind);
}

}  // namespace stracol::geology
