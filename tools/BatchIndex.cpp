#include "BatchIndex.h"

#include "borehole/BoreholeRecord.h"
#include "borehole/RecordJson.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>

namespace stracol::tools {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::string Trimmed(const std::string& text) { return std::string(core::TrimBlanks(text)); }

// A number when the text starts like one; none for empty or other text.
std::optional<double> NumberOf(const std::string& text) {
    if (core::IsNumericStart(text) != 1) return std::nullopt;
    const double value = core::LeadingReal(text);
    if (!std::isfinite(value)) return std::nullopt;
    return value;
}

// The number as the shortest text that gives it back (no exponent for the values of a log).
std::string NumberText(double value, int decimals) {
    std::string text = core::Sprintf("%.*f", decimals, value);
    if (text.find('.') != std::string::npos) {
        while (text.back() == '0') text.pop_back();
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

constexpr int kDegreeDecimals = 7;  // about 1 cm on the ground
constexpr int kMetreDecimals = 3;

std::string OptionalText(const std::optional<double>& value, int decimals) {
    return value ? NumberText(*value, decimals) : std::string();
}

std::string OptionalJson(const std::optional<double>& value, int decimals) {
    return value ? NumberText(*value, decimals) : std::string("null");
}

std::string Joined(const std::vector<std::string>& parts, const char* separator) {
    std::string text;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i) text += separator;
        text += parts[i];
    }
    return text;
}

// One CSV field: quoted when it holds a comma, a quote, a line break or blanks at its ends.
std::string CsvCell(const std::string& text) {
    const bool quote = text.find_first_of(",\"\r\n") != std::string::npos ||
                       (!text.empty() && (text.front() == ' ' || text.back() == ' '));
    if (!quote) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

// The text of the first element <name>…</name> in the file's text, trimmed.
std::string ElementText(const std::string& text, const std::string& name) {
    const std::string open = "<" + name + ">";
    const std::size_t start = text.find(open);
    if (start == std::string::npos) return {};
    const std::size_t from = start + open.size();
    const std::size_t end = text.find('<', from);
    if (end == std::string::npos) return {};
    return Trimmed(text.substr(from, end - from));
}

// The value of attribute name="…" (or '…') in the file's text.
std::string AttributeText(const std::string& text, const std::string& name) {
    for (std::size_t at = text.find(name); at != std::string::npos; at = text.find(name, at + 1)) {
        if (at > 0 && !std::isspace(static_cast<unsigned char>(text[at - 1]))) continue;
        std::size_t p = at + name.size();
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
        if (p >= text.size() || text[p] != '=') continue;
        ++p;
        while (p < text.size() && std::isspace(static_cast<unsigned char>(text[p]))) ++p;
        if (p >= text.size() || (text[p] != '"' && text[p] != '\'')) continue;
        const char quote = text[p];
        const std::size_t end = text.find(quote, p + 1);
        if (end == std::string::npos) return {};
        return Trimmed(text.substr(p + 1, end - p - 1));
    }
    return {};
}

}  // namespace

bool IndexFormatFor(const std::string& path, IndexFormat& format) {
    const std::string ext = Lower(std::filesystem::path(path).extension().string());
    if (ext == ".csv") format = IndexFormat::Csv;
    else if (ext == ".geojson" || ext == ".json") format = IndexFormat::GeoJson;
    else return false;
    return true;
}

std::optional<double> DecimalDegrees(const std::string& degrees, const std::string& minutes,
                                     const std::string& seconds) {
    const auto d = NumberOf(degrees);
    if (!d) return std::nullopt;
    const auto part = [](const std::string& text) -> std::optional<double> {
        if (core::TrimBlanks(text).empty()) return 0.0;
        const auto value = NumberOf(text);
        if (!value || *value < 0 || *value >= 60) return std::nullopt;
        return value;
    };
    const auto m = part(minutes);
    const auto s = part(seconds);
    if (!m || !s || *d < -180 || *d > 180) return std::nullopt;
    const double sign = *d < 0 || core::TrimBlanks(degrees).front() == '-' ? -1.0 : 1.0;
    return sign * (std::fabs(*d) + *m / 60.0 + *s / 3600.0);
}

void FillFromRecord(IndexEntry& entry, const borehole::BoreholeRecord& record) {
    entry.surveyName = Trimmed(record.Heading(1));
    entry.boringName = Trimmed(record.Heading(5));
    entry.elevationM = NumberOf(record.Heading(13));
    entry.totalDepthM = NumberOf(record.Heading(37));
    entry.latitude = DecimalDegrees(record.Heading(51), record.Heading(52), record.Heading(53));
    entry.longitude = DecimalDegrees(record.Heading(54), record.Heading(55), record.Heading(56));
    if (entry.latitude && std::fabs(*entry.latitude) > 90) entry.latitude.reset();
}

void FillFromFileText(IndexEntry& entry, const std::string& bytes) {
    const std::string text = core::IsValidUtf8(bytes) ? bytes : core::Cp932ToUtf8(bytes);
    entry.dtdVersion = AttributeText(text, "DTD_version");
    entry.datum = ElementText(text, "測地系");
}

std::string IndexCsv(const std::vector<IndexEntry>& entries) {
    std::string out =
        "file,boring_name,survey_name,latitude,longitude,datum,elevation_m,total_depth_m,dtd_version,pages,output,"
        "status,reason\r\n";
    for (const IndexEntry& e : entries) {
        const std::vector<std::string> cells = {e.file,
                                                e.boringName,
                                                e.surveyName,
                                                OptionalText(e.latitude, kDegreeDecimals),
                                                OptionalText(e.longitude, kDegreeDecimals),
                                                e.datum,
                                                OptionalText(e.elevationM, kMetreDecimals),
                                                OptionalText(e.totalDepthM, kMetreDecimals),
                                                e.dtdVersion,
                                                std::to_string(e.pages),
                                                Joined(e.outputs, ";"),
                                                e.drawn ? "drawn" : "failed",
                                                e.reason};
        for (std::size_t i = 0; i < cells.size(); ++i) {
            if (i) out += ',';
            out += CsvCell(cells[i]);
        }
        out += "\r\n";
    }
    return out;
}

std::string IndexGeoJson(const std::vector<IndexEntry>& entries) {
    using borehole::JsonString;
    std::string out = "{\"type\": \"FeatureCollection\", \"features\": [";
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const IndexEntry& e = entries[i];
        out += i ? ",\n" : "\n";
        out += "{\"type\": \"Feature\", \"geometry\": ";
        if (e.latitude && e.longitude)
            out += "{\"type\": \"Point\", \"coordinates\": [" + NumberText(*e.longitude, kDegreeDecimals) + ", " +
                   NumberText(*e.latitude, kDegreeDecimals) + "]}";
        else
            out += "null";
        std::string outputs = "[";
        for (std::size_t k = 0; k < e.outputs.size(); ++k) {
            if (k) outputs += ", ";
            outputs += JsonString(e.outputs[k]);
        }
        outputs += "]";
        out += ", \"properties\": {\"file\": " + JsonString(e.file) + ", \"boring_name\": " + JsonString(e.boringName) +
               ", \"survey_name\": " + JsonString(e.surveyName) +
               ", \"latitude\": " + OptionalJson(e.latitude, kDegreeDecimals) +
               ", \"longitude\": " + OptionalJson(e.longitude, kDegreeDecimals) + ", \"datum\": " + JsonString(e.datum) +
               ", \"elevation_m\": " + OptionalJson(e.elevationM, kMetreDecimals) +
               ", \"total_depth_m\": " + OptionalJson(e.totalDepthM, kMetreDecimals) +
               ", \"dtd_version\": " + JsonString(e.dtdVersion) + ", \"pages\": " + std::to_string(e.pages) +
               ", \"output\": " + outputs + ", \"status\": " + JsonString(e.drawn ? "drawn" : "failed") +
               ", \"reason\": " + JsonString(e.reason) + "}}";
    }
    out += entries.empty() ? "]}\n" : "\n]}\n";
    return out;
}

bool WriteIndex(const std::string& path, const std::vector<IndexEntry>& entries, std::string& error) {
    IndexFormat format;
    if (!IndexFormatFor(path, format)) {
        error = "the index must be a .csv, .geojson or .json file: " + path;
        return false;
    }
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent, ec);
    const std::string text = format == IndexFormat::Csv ? IndexCsv(entries) : IndexGeoJson(entries);
    std::string why;
    if (!core::WriteFileAtomic(path, text, &why)) {
        error = "cannot write the index " + path + (why.empty() ? "" : ": " + why);
        return false;
    }
    return true;
}

}  // namespace stracol::tools
