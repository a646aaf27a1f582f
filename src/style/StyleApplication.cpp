#include "style/StyleApplication.h"

#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "style/BuiltInStyles.h"
#include "style/StyleKind.h"
#include "style/StyleWriter.h"

namespace stracol::style {
namespace {

bool IsBuiltInNumber(int number) { return number >= 1 && number <= kBuiltInStyleCount; }

// Feeds built-in lines to a reader up to the end of the style part.
void FeedBuiltIn(StyleReader& reader, const std::vector<std::string>& lines) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::string& line = lines[i];
        if (core::LeadingInt(line) == -1) break;
        if (i > 0 && line.find("$$_") != std::string::npos) break;
        reader.Feed(line);
    }
    reader.Finish();
}

// Reads a style file into a fresh copy; the copy replaces the style only when it has rows.
template <typename Target>
StyleFileResult ReadInto(Target& target, const std::string& path, core::Messages& messages) {
    bool tooLarge = false;
    auto lines = ReadStyleFileLines(path, nullptr, &tooLarge);
    if (!lines) {
        // A file far larger than any style is there but holds no style: not "not found".
        if (!tooLarge) return StyleFileResult::Missing;
        messages.Error(core::MessageText(core::MessageId::WrongFileContent));
        return StyleFileResult::Unusable;
    }
    Target read = target;
    StyleReader reader(read);
    for (const auto& line : *lines) reader.Feed(line);
    reader.Finish();
    if (reader.ItemRowsRead() == 0) {
        messages.Error(core::MessageText(core::MessageId::WrongFileContent));
        return StyleFileResult::Unusable;
    }
    target = std::move(read);
    return StyleFileResult::Applied;
}

bool PathExists(const std::string& path) { return core::FileExists(path) || core::IsDirectory(path); }

}  // namespace

std::string PerKindStyleFileName(int number) { return core::Sprintf("Style%02d.tls", number); }

StyleFileResult ApplyStyleFile(LogStyle& style, const std::string& path, core::Messages& messages) {
    return ReadInto(style, path, messages);
}

void ApplyStyleText(LogStyle& style, const std::vector<std::string>& lines) {
    StyleReader reader(style);
    FeedBuiltIn(reader, lines);
}

bool ApplyBuiltInStyle(LogStyle& style, int number, const std::string& installFolder, core::Messages& messages) {
    if (!IsBuiltInNumber(number)) return false;
    std::string path = core::JoinPath(installFolder, PerKindStyleFileName(number));
    if (ApplyStyleFile(style, path, messages) == StyleFileResult::Applied) return true;
    const auto& lines = BuiltInStyleLines(number);
    ApplyStyleText(style, lines);
    // Only a copy that is not there at all is created: an unreadable or spoilt copy is the
    // user's file and stays as it is. The style is applied either way, so a failed write is
    // not shown.
    if (!PathExists(path)) core::WriteCp932Lines(path, lines, nullptr);
    return true;
}

void ApplyStartupStyle(LogStyle& style, const std::string& installFolder, core::Messages& messages) {
    std::string path = core::JoinPath(installFolder, kStartupStyleFile);
    if (ApplyStyleFile(style, path, messages) == StyleFileResult::Applied) return;
    ApplyStyleText(style, StartupStyleLines());
}

LogStyle StyleOfLines(const std::vector<std::string>& lines) {
    LogStyle style;
    StyleReader reader(style);
    for (const std::string& line : lines) reader.Feed(line);
    reader.Finish();
    return style;
}

bool ApplyStyleForData(LogStyle& style, const std::string& installFolder, int formatCode,
                       const std::string& logStyleName, core::Messages& messages,
                       const std::vector<std::string>* ownStyle) {
    bool applied = false;
    int kind = StyleKind(formatCode, logStyleName);
    if (IsBuiltInNumber(kind)) applied = ApplyBuiltInStyle(style, kind, installFolder, messages);
    if (kind == kOwnStyleKind && ownStyle) {
        style = StyleOfLines(*ownStyle);
        applied = true;
    }
    if (style.HasNoItems()) {
        ApplyStartupStyle(style, installFolder, messages);
        applied = true;
    }
    return applied;
}

bool LoadBuiltInStyleForEditor(StyleEditorTable& table, int number, const std::string& installFolder,
                               core::Messages& messages) {
    if (!IsBuiltInNumber(number)) return false;
    std::string path = core::JoinPath(installFolder, PerKindStyleFileName(number));
    if (ReadInto(table, path, messages) == StyleFileResult::Applied) {
        LoadLegendDefaults(core::JoinPath(installFolder, kLegendDefaultsFile), table.legends);
        return true;
    }
    StyleReader reader(table);
    FeedBuiltIn(reader, BuiltInStyleLines(number));
    return true;
}

std::vector<std::string> StyleListing(const LogStyle& style) {
    std::vector<std::string> lines;
    int titles = 4;
    for (int i = kTitleLines; i > 4; --i) {
        if (!style.titleLines[i - 1].empty()) {
            titles = i;
            break;
        }
    }
    for (int i = 0; i < titles; ++i) lines.push_back(style.titleLines[i]);
    int count = style.ItemCount();
    for (int i = 0; i < count; ++i) lines.push_back(style.items[i].ToLine());
    return lines;
}

bool LoadStyleForListing(LogStyle& style, const std::string& which, const std::string& installFolder,
                         core::Messages& messages) {
    std::string_view trimmed = core::TrimBlanks(which);
    if (trimmed.size() == 1 && IsBuiltInNumber(trimmed[0] - '0')) {
        int number = trimmed[0] - '0';
        LogStyle loaded;
        std::string path = core::JoinPath(installFolder, PerKindStyleFileName(number));
        if (ApplyStyleFile(loaded, path, messages) != StyleFileResult::Applied)
            ApplyStyleText(loaded, BuiltInStyleLines(number));
        style = std::move(loaded);
        return true;
    }
    LogStyle loaded;
    switch (ApplyStyleFile(loaded, which, messages)) {
        case StyleFileResult::Applied:
            style = std::move(loaded);
            return true;
        case StyleFileResult::Missing:
            messages.Error(core::MessageText(core::MessageId::FileNotFound, which));
            return false;
        case StyleFileResult::Unusable:
            return false;
    }
    return false;
}

}  // namespace stracol::style
