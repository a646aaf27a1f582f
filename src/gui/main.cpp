// The desktop program: shows and prints borehole logs in a window.
#include <QApplication>
#include <QSettings>

#include <cstdio>
#include <string_view>

#include "app/Workspace.h"
#include "gui/GuiMessages.h"
#include "gui/Startup.h"

using namespace stracol;

int main(int argc, char* argv[]) {
    // Answered before any window system is needed.
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(qPrintable(gui::UsageText()), stdout);
            return 0;
        }
        if (arg == "--version") {
            std::fputs("stracol " STRACOL_VERSION "\n", stdout);
            return 0;
        }
    }

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Stracol"));
    QApplication::setOrganizationName(QStringLiteral("Local AppWizard-Generated Applications"));
    // The menus are Japanese; so are Qt's own dialogs when its translations are installed.
    gui::InstallQtJapanese();

    const gui::CommandLine line = gui::ParseCommandLine(QApplication::arguments());
    if (!line.error.isEmpty()) {
        std::fprintf(stderr, "stracol: %s\n%s", qPrintable(line.error), qPrintable(gui::UsageText()));
        return 2;
    }

    gui::MessageBoxMessages messages;
    app::Workspace workspace;
    workspace.folder = app::InstallFolder::Resolve(line.home.toStdString(), &messages);

    QSettings recentStore;
    gui::FrameOptions options;
    options.painter = gui::StandardLogPainter();
    options.recentStore = &recentStore;
    // A file that cannot be opened is reported; the window then starts empty.
    auto frame = gui::StartMainFrame(workspace, messages, line.file, std::move(options));
    messages.SetParent(frame.get());
    frame->show();
    frame->View().setFocus();
    return QApplication::exec();
}
