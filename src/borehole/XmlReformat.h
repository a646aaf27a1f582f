#pragma once
// Exchange XML without usable line breaks (a whole file, or its body, on one long line):
// rewritten to one element per line in the temporary file "StracolTmp.xml" of the install
// folder and read again from there.

#include "borehole/FormatDetect.h"

#include <string>
#include <string_view>
#include <vector>

namespace stracol::core {
class Messages;
}

namespace stracol::borehole {

struct ReformattedXml {
    std::string text;                // one element per line, each ended by CR LF
    std::vector<std::string> notes;  // over-long source lines and unreadable tags (at most three each)
};

// Cuts the text into tags and text: an opening tag starts a new line, text and the closing tag
// follow it on that line, an empty element is a line of its own. In the first four opening
// tags single quotes become double quotes, so that the declaration and the root tag carry the
// version as DetectFormat expects. A "<" that has no ">" becomes "< error >" with a note; a run
// of such "<" with nothing but blanks between them gives one "< error >" line. Time and memory
// are linear in the text: the next ">" is searched for once, not again from every "<".
ReformattedXml ReformatExchangeXml(std::string_view text);

// Name of the temporary file in the install folder.
inline constexpr std::string_view kReformatFileName = "StracolTmp.xml";

// Reformats the text into tempPath (UTF-8, CR LF) and dispatches every line of the rewritten
// text with the format code. When the file cannot be written the message "実行できませんでした"
// is shown and false returned. The temporary file is removed afterwards unless keepFile is set.
// An empty tempPath writes no file: the rewritten text is read in memory.
bool ReformatAndRead(std::string_view text, int formatCode, const std::string& tempPath, LineReaders& readers,
                     core::Messages& messages, std::vector<std::string>* notes = nullptr, bool keepFile = false);

}  // namespace stracol::borehole
