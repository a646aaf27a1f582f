#include "borehole/DocumentOpen.h"

#include "borehole/ExchangeXmlReader.h"
#include "borehole/FormatDetect.h"
#include "borehole/OlderFormatReader.h"
#include "borehole/PostLoad.h"
#include "borehole/XmlReformat.h"
#include "borehole/XmlText.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"

#include <memory>
#include <utility>
#include <optional>

namespace stracol::borehole {
namespace {

// Forwards every message and keeps the last text for the result.
class NotingMessages : public core::Messages {
public:
    explicit NotingMessages(core::Messages& target) : m_target(target) {}
    void Show(core::MessageKind kind, const std::string& text) override {
        last = text;
        m_target.Show(kind, text);
    }
    bool Ask(const std::string& question) override { return m_target.Ask(question); }
    std::string last;

private:
    core::Messages& m_target;
};

// The Open command reads with a buffer of 1900 characters: detection sees at most 1899 of a line.
constexpr std::size_t kDetectPieceBytes = 1899;

// The longest prefix of at most maxWidth CP932 bytes; the text itself when it is short.
std::string_view WidthPrefix(std::string_view text, std::size_t maxWidth) {
    if (text.size() <= maxWidth) return text;  // UTF-8 never takes fewer bytes than CP932
    std::size_t width = 0, i = 0;
    while (i < text.size()) {
        std::size_t len = core::Utf8CharLength(text, i);
        std::size_t w = static_cast<std::size_t>(core::Cp932CharWidth(core::Utf8CharAt(text, i)));
        if (width + w > maxWidth) break;
        width += w;
        i += len;
    }
    return text.substr(0, i);
}

bool IsLongLine(std::string_view line) {
    return line.size() > kLongLineBytes && WidthPrefix(line, kLongLineBytes).size() < line.size();
}

// Successive lines of a text, each with its terminator.
class LineCursor {
public:
    explicit LineCursor(std::string_view text) : m_text(text) {}
    bool Next(std::string_view& line) {
        if (m_pos >= m_text.size()) return false;
        auto eol = m_text.find('\n', m_pos);
        std::size_t end = eol == std::string_view::npos ? m_text.size() : eol + 1;
        line = m_text.substr(m_pos, end - m_pos);
        m_pos = end;
        return true;
    }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
};

// One load in progress: a fresh record and the readers that fill it.
struct Load {
    Load(const geology::NameTable& names, core::Messages& messages, const OpenOptions& options, const std::string& path)
        : record(std::make_unique<BoreholeRecord>()),
          xml(*record, names, messages),
          older(*record, names, messages,
                OlderFormatOptions{options.recomputeLayerPatterns, options.headingLines, path}) {
        readers.xml = &xml;
        xml.SetFileName(path);
        BoreholeRecord* target = record.get();
        if (options.otherReader) {
            readers.other = [target, other = options.otherReader](std::string_view line, int code) { other(*target, line, code); };
        } else {
            readers.other = [this](std::string_view line, int code) { older.ReadLine(line, code); };
        }
    }
    Load(const Load&) = delete;
    Load& operator=(const Load&) = delete;
    std::unique_ptr<BoreholeRecord> record;
    ExchangeXmlReader xml;
    OlderFormatReader older;
    LineReaders readers;
};

// Whether a reader stored anything: a heading or a table row.
bool HoldsData(const BoreholeRecord& record) {
    for (int index = 1; index <= kHeadingCount; ++index) {
        if (!record.Heading(index).empty()) return true;
    }
    for (const TableDef& def : TableDefs()) {
        if (record.Table(def.id).StoredRows() > 0) return true;
    }
    return false;
}

}  // namespace

bool RememberLastFolder(const std::string& installFolder, const std::string& path) {
    auto slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? std::string() : path.substr(0, slash);
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    return core::WriteCp932Lines(core::JoinPath(installFolder, "FileV.ndx"), {core::Cp932Truncate(folder, 500), name}, nullptr);
}

OpenResult OpenDocument(const std::string& path, BoreholeRecord& record, const geology::NameTable& names,
                        const std::string& installFolder, core::Messages& messages, const ChooseStyle& chooseStyle,
                        const OpenOptions& options) {
    std::string error;
    std::optional<std::string> bytes = core::ReadFileBytes(path, &error, options.maxFileBytes);
    if (!bytes) {
        OpenResult result;
        result.path = path;
        const bool missing = !core::FileExists(path) && !core::IsDirectory(path);
        result.message = core::MessageText(missing ? core::MessageId::FileNotFound : core::MessageId::CannotReadFile, path);
        messages.Error(result.message);
        return result;
    }
    return OpenDocumentBytes(std::move(*bytes), path, record, names, installFolder, messages, chooseStyle, options);
}

OpenResult OpenDocumentBytes(std::string bytes, const std::string& path, BoreholeRecord& record,
                             const geology::NameTable& names, const std::string& installFolder,
                             core::Messages& userMessages, const ChooseStyle& chooseStyle, const OpenOptions& options) {
    OpenResult result;
    result.path = path;
    NotingMessages messages(userMessages);
    auto fail = [&]() {
        result.loaded = false;
        result.message = messages.last;
        return result;
    };

    if (bytes.size() > options.maxFileBytes) {
        messages.Error(core::MessageText(core::MessageId::CannotReadFile, path));
        return fail();
    }
    const std::string text = DecodeDocumentText(std::move(bytes));

    const bool openCommand = options.route == OpenRoute::OpenCommand;
    const int detectLimit = openCommand ? kOpenDetectLines : kFrameworkDetectLines;
    int code = format::kUnknown;
    int examined = 0;
    bool longSeen = false;
    std::unique_ptr<Load> load;

    LineCursor cursor(text);
    std::string_view line;
    while (cursor.Next(line)) {
        if (code == format::kUnknown) {
            if (examined >= detectLimit) break;
            ++examined;
            std::string_view body = StripLineTerminator(line);
            code = DetectFormat(openCommand ? WidthPrefix(body, kDetectPieceBytes) : body);
            if (code == format::kUnknown) continue;
            result.formatCode = code;
            if (!openCommand && code == format::kXmlUnknownVersion) {
                messages.Warning(core::MessageText(core::MessageId::UnknownDtdVersion));
            }
            load = std::make_unique<Load>(names, messages, options, path);
        }
        // Long lines matter for exchange XML, which can be reformatted; the readers of the
        // other formats take every line whole.
        if (IsExchangeFormat(code) && IsLongLine(StripLineTerminator(line))) {
            longSeen = true;
            break;
        }
        DispatchLine(line, code, load->readers);
    }

    if (code == format::kUnknown) {
        messages.Warning(core::MessageText(core::MessageId::NotReadableLogFile));
        return fail();
    }
    if (longSeen) {
        if (!openCommand) {
            messages.Warning(core::MessageText(core::MessageId::UseOpenMenu));
            return fail();
        }
        if (code == format::kXmlUnknownVersion) {
            messages.Warning(core::MessageText(core::MessageId::UnknownDtdVersion));
            return fail();
        }
        load = std::make_unique<Load>(names, messages, options, path);
        const std::string tempPath =
            !options.writeReformatFile
                ? std::string()
                : core::JoinPath(options.scratchFolder.empty() ? installFolder : options.scratchFolder, kReformatFileName);
        if (!ReformatAndRead(text, code, tempPath, load->readers, messages, &result.reformatNotes,
                             options.keepReformatFile)) {
            messages.Warning(core::MessageText(core::MessageId::CannotReformat));
            return fail();
        }
        result.reformatted = true;
    }
    if (IsExchangeFormat(code)) {
        load->xml.Finish();
        if (!load->xml.SawDataSetEnd()) {
            // A file cut off shows what was read before the cut; one that gave nothing is refused.
            if (!HoldsData(*load->record)) {
                messages.Warning(core::MessageText(core::MessageId::TruncatedExchangeData, path));
                return fail();
            }
            messages.Warning(core::MessageText(core::MessageId::TruncatedExchangeDataShown, path));
        }
    } else if (code != format::kStyleFile) {
        load->older.Finish();
        // A file that has the marker of its format and nothing readable after it is not one.
        if (!HoldsData(*load->record) && load->record->styleLines.empty()) {
            messages.Warning(core::MessageText(core::MessageId::NotReadableLogFile));
            return fail();
        }
    }

    PostLoad(*load->record, code);
    load->record->SetHeading(102, DataKindLabel(code));
    std::swap(record, *load->record);
    result.loaded = true;
    if (chooseStyle) result.styleApplied = chooseStyle(code, record);
    if (options.rememberFolder) RememberLastFolder(installFolder, path);
    result.message = messages.last;
    return result;
}

}  // namespace stracol::borehole
