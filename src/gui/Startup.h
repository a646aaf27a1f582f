#pragma once
// The start-up of the desktop program: the command line, the main window with its document
// and view, the file named on the command line (opened as the framework opens files, or a
// new empty document), the first view update, the title, and the start-up paper.

#include <QString>
#include <QStringList>

#include <memory>
#include <string>
#include <vector>

#include "gui/CMainFrame.h"

namespace stracol::gui {

struct CommandLine {
    QString home;       // --home DIR: the install folder
    QString file;       // the borehole data file to open
    bool help = false;
    bool version = false;
    QString error;      // not empty: the command line was not understood
};

// Reads "stracol [--home DIR] [FILE]" (also --home=DIR, --help, --version). The first
// argument is the program's name.
CommandLine ParseCommandLine(const QStringList& arguments);

// The usage text of --help.
QString UsageText();

// Qt's own texts (file, print, preview and page set-up dialogs, standard buttons) in
// Japanese, like the program's menus: the qtbase_ja translation from Qt's translations folder.
// False when it is not installed (the dialogs stay English).
bool InstallQtJapanese();

// The start-up road, in order: the main window with document and view; the named file
// opened through the framework load, or else a new empty document; the log's paper on the
// program's printer (the start-up paper of the settings when enabled, else A3 portrait);
// the first view update (settings, paper, start-up style); the title. A named file that
// cannot be opened gives one message that names the file and says why, and the window
// starts empty. The window is not shown yet.
// The message for a file named on the command line that could not be opened: the file, then
// the reasons the load gave (an empty file and one of binary bytes are named as such).
std::string CommandLineFileMessage(const std::string& path, const std::vector<std::string>& reasons);

std::unique_ptr<CMainFrame> StartMainFrame(app::Workspace& workspace, core::Messages& messages,
                                           const QString& file, FrameOptions options);

}  // namespace stracol::gui
