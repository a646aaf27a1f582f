#pragma once
// The 様式 menu in the main window: the style editor, the title-block layout, and the style
// the window draws with (one of the eight built-in styles or a style file).

#include <QString>

#include <functional>
#include <string>

class QWidget;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class CMainFrame;

// Where the style file to draw with is chosen (tests replace the Open dialog): the chosen
// path, or empty.
using StyleFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;

// Gives the frame's style commands their dialogs and enables them.
void InstallStyleCommands(CMainFrame& frame, app::Workspace& workspace, core::Messages& messages,
                          StyleFileChooser chooseFile = {});

// The window's style: built-in style number (1..8), or the style file path when number is 0.
// While 様式変更の確認表示 is on and a log is shown, asks 1110 first. True when the style
// changed (the view then repaints); a file that cannot be used leaves the style as it was.
bool ChooseWindowStyle(app::Workspace& workspace, core::Messages& messages, bool askFirst, int number,
                       const std::string& path = {});

}  // namespace stracol::gui
