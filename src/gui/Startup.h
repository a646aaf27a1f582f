#pragma once
// The start-up of the desktop program: the command line, the main window with its document
// and view, the file named on the command line (opened as the framework opens files, or a
// new empty document), the first view update, the title, and the start-up paper.

#include <QString>
#include <QStringList>

#include <memory>

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

// The start-up road, in order: the main window with document and view; the named file
// opened through the framework load, or else a new empty document; the first view update
// (settings, printer paper, start-up style); the title; the start-up paper on the program's
// printer. Returns null when the named file could not be opened (the messages said why);
// the window is not shown yet.
std::unique_ptr<CMainFrame> StartMainFrame(app::Workspace& workspace, core::Messages& messages,
                                           const QString& file, FrameOptions options);

}  // namespace stracol::gui
