#pragma once
// The operating help ("操作＆ヘルプ"): the built-in help text and its file HelpStracol.txt in
// the install folder, written from the built-in text whenever the file is missing or older.

#include <string>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

inline constexpr const char* kHelpFile = "HelpStracol.txt";
inline constexpr int kHelpVersion = 6000;
// Lines the help list holds at most.
inline constexpr int kHelpMaxLines = 999;
inline constexpr int kHelpLineLimit = 200;

// The built-in help: the version line "6000", the help lines, the last line "EOF".
const std::vector<std::string>& BuiltInHelpLines();

// The lines the dialog lists. A file whose first line is a version of 6000 or more is shown
// as it stands, every line with one blank in front, and never written. Otherwise (an older
// or missing file) the built-in lines are listed and the file is rewritten from them. A
// list full at 999 lines shows "これ以上データを扱えません" and stops.
std::vector<std::string> HelpListLines(const InstallFolder& folder, core::Messages& messages);

}  // namespace stracol::app
