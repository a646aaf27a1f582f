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

    out.text.reserve(text.size() + text.size() / 8);
    std::string pending;
    bool pendingError = false;  // pending holds "< error >" and nothing after it
    auto flush = [&] {
        if (!pending.empty()) out.text.append(pending).append("\r\n");
        pending.clear();
        pendingError = false;
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
            if (pending.empty() || pendingError) pending.append(core::Cp932Truncate(between, kOutsideTextBytes));
            else pending.append(between);
            pendingError = false;
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
            if (!pendingError) {
                flush();
                pending = "< error >";
                pendingError = true;
            }
            pos = nextLt == std::string_view::npos ? text.size() : nextLt;
            continue;
        }
        std::string tag(text.substr(lt, gt - lt + 1));
        pos = gt + 1;
        if (tag.size() >= 2 && tag[1] == '/') {
            pending.append(tag);
            flush();
        } else if (tag.size() >= 3 && tag[tag.size() - 2] == '/') {
            flush();
            out.text.append(tag).append("\r\n");
        } else {
            flush();
            if (openingTags < 4) std::replace(tag.begin(), tag.end(), '\'', '"');
            ++openingTags;
            pending = std::move(tag);
        }
    }
    flush();
    out.text.shrink_to_fit();
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
