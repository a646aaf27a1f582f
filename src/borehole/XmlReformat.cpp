#include "borehole/XmlReformat.h"

#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/TextFile.h"

#include <algorithm>
#include <cstdio>

namespace stracol::borehole {
namespace {

constexpr int kMaxNotes = 3;
constexpr std::size_t kLongSourceLine = 1998;  // characters (CP932 bytes) of one source line
constexpr std::size_t kNoteExcerpt = 40;
// Text outside every element kept in the rewritten text (CP932 bytes).
constexpr std::size_t kOutsideTextBytes = 2000;

bool IsBlankText(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; });
}

int LineNumberAt(std::string_view text, std::size_t pos) {
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(pos), '\n'));
}

std::string Excerpt(std::string_view text) {
    auto eol = text.find_first_of("\r\n");
    return core::Cp932Truncate(text.substr(0, eol), kNoteExcerpt);
}

}  // namespace

ReformattedXml ReformatExchangeXml(std::string_view text) {
    ReformattedXml out;
    // Over-long source lines are noted; they are still reformatted whole.
    int longNotes = 0;
    for (std::size_t start = 0, lineNo = 1; start < text.size() && longNotes < kMaxNotes; ++lineNo) {
        auto eol = text.find('\n', start);
        std::string_view line = text.substr(start, eol == std::string_view::npos ? text.npos : eol - start);
        if (line.size() > kLongSourceLine && core::Cp932Truncate(line.substr(0, 4 * kLongSourceLine), kLongSourceLine).size() < line.size()) {
            out.notes.push_back(core::MessageText(core::MessageId::LineTooLong) +
                                core::Sprintf(" 第%d行「%s …」", static_cast<int>(lineNo), Excerpt(line).c_str()));
            ++longNotes;
        }
        if (eol == std::string_view::npos) break;
        start = eol + 1;
    }

    // Every tag gets a line end of its own: the text grows by two bytes a tag at most, so one
    // allocation holds it and nothing is copied again.
    out.text.reserve(text.size() + 2 * static_cast<std::size_t>(std::count(text.begin(), text.end(), '<')) + 64);
    // The line being written is left open until the element it starts is closed: the text
    // goes straight into the output, never through a copy of its own.
    bool lineOpen = false;
    bool lineIsError = false;  // the open line holds "< error >" and nothing after it
    auto endLine = [&] {
        if (lineOpen) out.text.append("\r\n");
        lineOpen = false;
        lineIsError = false;
    };
    int openingTags = 0;
    int badTags = 0;
    std::size_t pos = 0;
    // The first ">" after the current "<", found once for all the "<" before it.
    std::size_t gt = 0;
    bool gtKnown = false;
    while (pos < text.size()) {
        const std::size_t lt = text.find('<', pos);
        std::string_view between = text.substr(pos, (lt == std::string_view::npos ? text.size() : lt) - pos);
        if (!IsBlankText(between)) {
            // Text that starts a line (after a closing tag, an empty element or an error) is in
            // no element, and the reader never takes it: a run of junk there is cut short.
            if (!lineOpen || lineIsError) {
                const std::string cut = core::Cp932Truncate(between, kOutsideTextBytes);
                out.text.append(cut);
                lineOpen = lineOpen || !cut.empty();
            } else {
                out.text.append(between);
            }
            lineIsError = false;
        }
        if (lt == std::string_view::npos) break;
        if (!gtKnown || (gt != std::string_view::npos && gt <= lt)) {
            gt = text.find('>', lt + 1);
            gtKnown = true;
        }
        const std::size_t nextLt = text.find('<', lt + 1);
        if (gt == std::string_view::npos || (nextLt != std::string_view::npos && nextLt < gt)) {
            // A tag that cannot be cut out.
            if (badTags < kMaxNotes) {
                out.notes.push_back(core::MessageText(core::MessageId::UnreadableLineNote) +
                                    core::Sprintf(" 第%d行「%s 」", LineNumberAt(text, lt), Excerpt(text.substr(lt)).c_str()) +
                                    (badTags == kMaxNotes - 1 ? " …" : ""));
            }
            ++badTags;
            if (!lineIsError) {
                endLine();
                out.text.append("< error >");
                lineOpen = true;
                lineIsError = true;
            }
            pos = nextLt == std::string_view::npos ? text.size() : nextLt;
            continue;
        }
        const std::string_view tag = text.substr(lt, gt - lt + 1);
        pos = gt + 1;
        if (tag.size() >= 2 && tag[1] == '/') {
            out.text.append(tag);
            lineOpen = true;
            endLine();
        } else if (tag.size() >= 3 && tag[tag.size() - 2] == '/') {
            endLine();
            out.text.append(tag).append("\r\n");
        } else {
            endLine();
            const std::size_t at = out.text.size();
            out.text.append(tag);
            if (openingTags < 4) std::replace(out.text.begin() + static_cast<std::ptrdiff_t>(at), out.text.end(), '\'', '"');
            ++openingTags;
            lineOpen = true;
        }
    }
    endLine();
    return out;
}

bool ReformatAndRead(std::string_view text, int formatCode, const std::string& tempPath, LineReaders& readers,
                     core::Messages& messages, std::vector<std::string>* notes, bool keepFile) {
    ReformattedXml reformatted = ReformatExchangeXml(text);
    if (notes) *notes = reformatted.notes;
    if (!tempPath.empty()) {
        // The rewritten text is what the file holds: it is read from memory, not read back.
        if (!core::WriteFileAtomic(tempPath, reformatted.text)) {
            messages.Error(core::MessageText(core::MessageId::CouldNotRun));
            return false;
        }
        if (!keepFile) std::remove(tempPath.c_str());
    }
    std::string_view all = reformatted.text;
    for (std::size_t start = 0; start < all.size();) {
        auto eol = all.find('\n', start);
        std::size_t end = eol == std::string_view::npos ? all.size() : eol + 1;
        DispatchLine(all.substr(start, end - start), formatCode, readers);
        start = end;
    }
    return true;
}

}  // namespace stracol::borehole
