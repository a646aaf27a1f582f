#include "geology/NameMaster.h"

#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "geology/BuiltInTables.h"

#include <cmath>

namespace stracol::geology {
namespace {

std::string Field(std::string_view text) { return core::CsvQuote(text); }

}  // namespace

bool MasterRow::IsHeading() const { return IsGroupHeading(name); }

bool IsGroupHeading(std::string_view name) {
    return name.find('[') != std::string_view::npos || name.find('{') != std::string_view::npos;
}

bool HasLeadingNumber(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
    if (i == text.size()) return false;
    return std::string_view("0123456789.+-").find(text[i]) != std::string_view::npos;
}

int ClassDigitOf(double x) {
    if (!std::isfinite(x)) return 0;
    return static_cast<int>(std::trunc((x - std::floor(x)) * 10.0 + 0.1));
}

MasterRow ParseMasterLine(std::string_view line) {
    MasterRow row;
    row.name = core::CsvFieldText(line, 1);
    if (row.IsHeading()) return row;
    row.symbol = core::CsvFieldText(line, 2);
    const std::string pattern = core::CsvFieldText(line, 3);
    if (HasLeadingNumber(pattern)) {
        row.patternNumber = core::LeadingLong(pattern);
        const int c = ClassDigitOf(core::LeadingReal(pattern));
        row.density = (c & 1) != 0;
        row.consistency = (c & 2) != 0;
    }
    const std::string bitmap = core::CsvFieldText(line, 4);
    if (HasLeadingNumber(bitmap)) row.bitmapNumber = core::LeadingLong(bitmap);
    return row;
}

std::string MasterLine(const MasterRow& row) {
    if (row.IsHeading()) return Field(row.name);
    const int c = row.ClassDigit();
    std::string pattern = row.patternNumber ? core::Sprintf("%ld.%d", *row.patternNumber, c) : std::string();
    std::string bitmap = row.bitmapNumber ? core::Sprintf("%ld.%d", *row.bitmapNumber, c) : pattern;
    return Field(row.name) + "," + Field(row.symbol) + "," + pattern + "," + bitmap;
}

NameMaster BuiltInNameMaster() {
    NameMaster master;
    master.builtIn = true;
    for (const auto& r : BuiltInMasterRows()) {
        std::string line = std::string(r.name) + "," + std::string(r.symbol) + "," + std::string(r.pattern) +
                           "," + std::string(r.bitmap);
        master.rows.push_back(ParseMasterLine(line));
        if (r.name.find("[終") != std::string_view::npos) break;
    }
    return master;
}

NameMaster ReadNameMaster(const std::string& path) {
    auto lines = core::ReadCp932Lines(path, kMasterLineLimit);
    if (!lines) return BuiltInNameMaster();
    return ParseNameMaster(*lines);
}

NameMaster ParseNameMaster(const std::vector<std::string>& lines) {
    NameMaster master;
    for (const auto& line : lines) {
        if (core::CharacterCount(line) <= 1) continue;
        if (static_cast<int>(master.rows.size()) >= kMasterCapacity) break;
        master.rows.push_back(ParseMasterLine(line));
    }
    return master;
}

std::vector<std::string> NameMasterLines(const NameMaster& master) {
    std::vector<std::string> lines;
    lines.reserve(master.rows.size());
    for (std::size_t i = 0; i < master.rows.size(); ++i) {
        const MasterRow& row = master.rows[i];
        if (i == 0 && row.IsHeading()) lines.push_back(Field(row.name) + core::Sprintf(", ,%d,", kMasterFileVersion));
        else lines.push_back(MasterLine(row));
    }
    return lines;
}

bool WriteNameMaster(const std::string& path, const NameMaster& master, core::Messages* messages) {
    return core::WriteCp932Lines(path, NameMasterLines(master), messages);
}

}  // namespace stracol::geology
