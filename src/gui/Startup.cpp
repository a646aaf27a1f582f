#include "gui/Startup.h"

#include "app/Workspace.h"

namespace stracol::gui {

CommandLine ParseCommandLine(const QStringList& arguments) {
    CommandLine line;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
            line.help = true;
        } else if (arg == QLatin1String("--version")) {
            line.version = true;
        } else if (arg == QLatin1String("--home")) {
            if (i + 1 >= arguments.size()) {
                line.error = QStringLiteral("--home needs a folder");
                return line;
            }
            line.home = arguments[++i];
        } else if (arg.startsWith(QLatin1String("--home="))) {
            line.home = arg.mid(7);
        } else if (arg.startsWith(QLatin1String("--"))) {
            line.error = QStringLiteral("unknown option: ") + arg;
            return line;
        } else if (line.file.isEmpty()) {
            line.file = arg;
        } else {
            line.error = QStringLiteral("only one file can be opened: ") + arg;
            return line;
        }
    }
    return line;
}

QString UsageText() {
    return QStringLiteral(
        "usage: stracol [--home DIR] [FILE]\n"
        "  FILE        a borehole data file to show (exchange XML)\n"
        "  --home DIR  the install folder with SysQXV.ndx, the fonts, styles and Mst/\n"
        "              (default: $STRACOL_HOME, else the current directory)\n"
        "  --version   the program's version\n");
}

std::unique_ptr<CMainFrame> StartMainFrame(app::Workspace& workspace, core::Messages& messages, const QString& file,
                                           FrameOptions options) {
    auto frame = std::make_unique<CMainFrame>(workspace, messages, std::move(options));
    if (!file.isEmpty()) {
        if (!frame->Document().OnOpenDocument(file.toStdString())) return nullptr;
    } else {
        frame->Document().OnNewDocument();
    }
    frame->View().OnInitialUpdate();
    frame->UpdateTitle();
    frame->ApplyStartupPaper();
    return frame;
}

}  // namespace stracol::gui
