#include "borehole/RecordJson.h"

#include "borehole/DocumentOpen.h"
#include "borehole/XmlText.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"

namespace stracol::borehole {

std::string JsonString(std::string_view text) {
    std::string repaired;
    if (!core::IsValidUtf8(text)) {
        repaired = RepairUtf8(text);
        text = repaired;
    }
    std::string out;
    out.reserve(text.size() + 2);
    out.push_back('"');
    for (char c : text) {
        switch (c) {
            case '"': out.append("\\\""); break;
            case '\\': out.append("\\\\"); break;
            case '\n': out.append("\\n"); break;
            case '\r': out.append("\\r"); break;
            case '\t': out.append("\\t"); break;
            case '\b': out.append("\\b"); break;
            case '\f': out.append("\\f"); break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    out.append(core::Sprintf("\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c))));
                } else {
                    out.push_back(c);
                }
        }
    }
    out.push_back('"');
    return out;
}

std::string RecordJson(const std::string& path, int formatCode, const BoreholeRecord& record) {
    std::string out = "{\"file\": " + JsonString(path) + ", \"format\": " + std::to_string(formatCode) + ", \"heading\": {";
    bool first = true;
    for (int index = 1; index <= kHeadingCount; ++index) {
        const std::string& text = record.Heading(index);
        if (text.empty()) continue;
        out.append(first ? "\"" : ", \"").append(std::to_string(index)).append("\": ").append(JsonString(text));
        first = false;
    }
    out.append("}, \"tables\": {");
    first = true;
    for (const TableDef& def : TableDefs()) {
        const DepthTable& table = record.Table(def.id);
        out.append(first ? "" : ", ").append(JsonString(def.name)).append(": [");
        first = false;
        for (int row = 1, rows = table.RowCount(); row <= rows; ++row) {
            out.append(row == 1 ? "[" : ", [");
            for (int column = 0; column < table.Columns(); ++column) {
                if (column > 0) out.append(", ");
                out.append(JsonString(table.Cell(row, column)));
            }
            out.push_back(']');
        }
        out.push_back(']');
    }
    out.push_back('}');
    if (!record.dropped.empty()) {
        out.append(", \"dropped\": [");
        for (std::size_t i = 0; i < record.dropped.size(); ++i) {
            const DroppedRecords& d = record.dropped[i];
            out.append(i == 0 ? "{" : ", {");
            out.append("\"group\": ").append(JsonString(d.group));
            out.append(", \"table\": ").append(JsonString(DefOf(d.table).name));
            out.append(", \"kept\": ").append(std::to_string(d.kept >= 0 ? d.kept : record.Table(d.table).RowCount()));
            out.append(", \"dropped\": ").append(std::to_string(d.count)).append("}");
        }
        out.push_back(']');
    }
    if (record.skippedCount > 0) {
        out.append(", \"skipped\": {\"count\": ").append(std::to_string(record.skippedCount)).append(", \"records\": [");
        for (std::size_t i = 0; i < record.skipped.size(); ++i) out.append(i ? ", " : "").append(JsonString(record.skipped[i]));
        out.append("]}");
    }
    out.push_back('}');
    return out;
}

std::string ErrorJson(const std::string& path, const std::string& message) {
    return "{\"file\": " + JsonString(path) + ", \"error\": " + JsonString(message) + "}";
}

std::string DumpFileJson(const std::string& path, const geology::NameTable& names, const std::string& installFolder) {
    core::RecordingMessages messages;
    BoreholeRecord record;
    OpenOptions options;
    options.rememberFolder = false;
    // A dump only looks: a one-line file is reformatted in memory, and the install folder need
    // not exist or be writable.
    options.writeReformatFile = false;
    OpenResult result = OpenDocument(path, record, names, installFolder, messages, nullptr, options);
    if (!result.loaded) return ErrorJson(path, result.message);
    return RecordJson(path, result.formatCode, record);
}

}  // namespace stracol::borehole
