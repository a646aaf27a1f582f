#pragma once
// The help dialog ("操作＆ヘルプ"): the operating help as a scrolling list of lines, and 開いて印刷
// to open the help file in a text editor for printing.

#include <QDialog>

#include <functional>
#include <string>

class QListWidget;

namespace stracol::app { class InstallFolder; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

// Opens a file in an external program; false when none could open it.
using FileOpener = std::function<bool(const std::string& path)>;
// The desktop's program for text files.
bool OpenWithDesktop(const std::string& path);

class HelpDialog : public QDialog {
public:
    HelpDialog(const app::InstallFolder& folder, core::Messages& messages, FileOpener opener = OpenWithDesktop,
               QWidget* parent = nullptr);
    QListWidget* List() const { return m_list; }
    // 開いて印刷: the help file in an editor; "実行できませんでした" when it cannot be opened.
    void OpenForPrinting();

private:
    std::string m_path;
    core::Messages& m_messages;
    FileOpener m_opener;
    QListWidget* m_list = nullptr;
};

}  // namespace stracol::gui
