#pragma once
// The hidden export (ﾌｧｲﾙ → "."): the access word, the suggested file name, the checks of the
// chosen name and the writing of the loaded data as a Tessel v1 file, without widgets.

#include <string>
#include <string_view>

namespace stracol::core { class Messages; }

namespace stracol::app {

struct Workspace;

// The word dialog starts with this text; the export goes on only for the access word.
inline constexpr std::string_view kExportWordPrefill = "-";
bool ExportWordAccepted(std::string_view word);

// The file dialog's filters.
inline constexpr std::string_view kExportFilterTessel = "Tessel v1 形式(*.tlw)";
inline constexpr std::string_view kExportFilterAll = "すべて(*.*)";

// The current path with an ending ".XML", ".jdw" or ".gdw" (any letter case) replaced by ".tlw".
std::string SuggestedExportPath(const std::string& documentPath);

struct ExportTarget {
    bool ok = false;
    std::string path;     // the file to write
    std::string message;  // why not, when not ok
};

// The chosen name without a trailing "."; a name without extension gets ".tlw"; another
// extension than "tlw" (any letter case) gives "標準の拡張子ではありません".
ExportTarget CheckExportPath(std::string chosen);

// Writes the record and the current style to path. On success the document's path becomes
// the new file; "保存できませんでした" when it cannot be written. Returns whether it was written.
bool ExportTessel(Workspace& workspace, const std::string& path, core::Messages& messages);

// After the word dialog, whatever was answered: the data-kind label (Heading 102) is emptied.
void EndExportDialog(Workspace& workspace);

}  // namespace stracol::app
