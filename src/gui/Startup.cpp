#include "gui/Startup.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include <filesystem>
#include <fstream>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/SystemCommands.h"
#include "gui/DataCommands.h"
#include "gui/ExportCommand.h"
#include "gui/StyleCommands.h"

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

bool InstallQtJapanese() {
    auto* app = QCoreApplication::instance();
    if (!app) return false;
    auto* translator = new QTranslator(app);
    if (!translator->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

namespace {

// Holds back what a load says, so that a failure becomes one message naming the file;
// questions are asked at once.
class GatheredMessages : public core::Messages {
public:
    explicit GatheredMessages(core::Messages& target) : m_target(target) {}
    void Show(core::MessageKind kind, const std::string& text) override { entries.push_back({kind, text}); }
    bool Ask(const std::string& question) override { return m_target.Ask(question); }
    void Forward() {
        for (const auto& entry : entries) m_target.Show(entry.kind, entry.text);
    }
    std::vector<core::RecordingMessages::Entry> entries;

private:
    core::Messages& m_target;
};

// Bytes that no text file holds (NUL and the other C0 controls except tab, line ends, form
// feed and escape) in the first 4 KiB.
bool LooksBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    char buffer[4096];
    in.read(buffer, sizeof buffer);
    const std::streamsize n = in.gcount();
    for (std::streamsize i = 0; i < n; ++i) {
        const unsigned char c = static_cast<unsigned char>(buffer[i]);
        if (c < 0x20 && c != '\t' && c != '\n' && c != '\r' && c != '\f' && c != 0x1b) return true;
    }
    return false;
}

}  // namespace

std::string CommandLineFileMessage(const std::string& path, const std::vector<std::string>& reasons) {
    std::string text = "ファイル「" + path + "」を開けませんでした.";
    std::error_code ec;
    const bool isFile = std::filesystem::is_regular_file(path, ec);
    if (isFile && std::filesystem::file_size(path, ec) == 0 && !ec) {
        text += "\nファイルが空です.";
    } else if (isFile && LooksBinary(path)) {
        text += "\n文字として読めないバイトを含んでいます. 柱状図データのテキストファイルではありません.";
    }
    for (const std::string& reason : reasons) text += "\n" + reason;
    return text;
}

std::unique_ptr<CMainFrame> StartMainFrame(app::Workspace& workspace, core::Messages& messages, const QString& file,
                                           FrameOptions options) {
    auto frame = std::make_unique<CMainFrame>(workspace, messages, std::move(options));
    InstallSystemCommands(*frame, workspace, messages);
    InstallStyleCommands(*frame, workspace, messages);
    InstallDataCommands(*frame, workspace, messages);
    InstallExportCommand(*frame, workspace, messages);
    bool opened = false;
    if (!file.isEmpty()) {
        const std::string path = file.toStdString();
        GatheredMessages gathered(messages);
        opened = frame->Document().OnOpenDocument(path, gathered);
        if (opened) {
            gathered.Forward();
        } else {
            std::vector<std::string> reasons;
            for (const auto& entry : gathered.entries) reasons.push_back(entry.text);
            messages.Error(CommandLineFileMessage(path, reasons));
        }
    }
    // Without a file, or when it could not be opened, the window starts empty.
    if (!opened) frame->Document().OnNewDocument();
    frame->ApplyStartupPaper();
    frame->View().OnInitialUpdate();
    frame->UpdateTitle();
    return frame;
}

}  // namespace stracol::gui
