#include "gui/StyleCommands.h"

#include <QFileDialog>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/DialogText.h"
#include "gui/StyleEditorDialog.h"
#include "gui/TitleLayoutDialog.h"
#include "style/StyleApplication.h"

namespace stracol::gui {

bool ChooseWindowStyle(app::Workspace& w, core::Messages& messages, bool askFirst, int number,
                       const std::string& path) {
    const bool logShown = !w.documentPath.empty() && !w.style.HasNoItems();
    if (askFirst && logShown && !messages.Ask(core::MessageText(core::MessageId::ClearStyleConfirm))) return false;
    if (number > 0) return style::ApplyBuiltInStyle(w.style, number, w.folder.Path(), messages);
    switch (style::ApplyStyleFile(w.style, path, messages)) {
    case style::StyleFileResult::Applied: return true;
    case style::StyleFileResult::Missing:
        messages.Error(core::MessageText(core::MessageId::FileNotFound, path));
        return false;
    case style::StyleFileResult::Unusable: return false;
    }
    return false;
}

void InstallStyleCommands(CMainFrame& frame, app::Workspace& w, core::Messages& messages, StyleFileChooser chooseFile) {
    CMainFrame* f = &frame;
    app::Workspace* ws = &w;
    core::Messages* m = &messages;
    frame.InstallCommand(kCmdStyleEditor, [ws, m](QWidget* parent) { return RunStyleEditorDialog(parent, *ws, *m); });
    frame.InstallCommand(kCmdTitleLayout, [ws, m](QWidget* parent) { return RunTitleLayoutDialog(parent, *ws, *m); });
    for (int n = 1; n <= 8; ++n) {
        frame.InstallCommand(kCmdStyleBuiltIn + n - 1,
                             [f, ws, m, n](QWidget*) { return ChooseWindowStyle(*ws, *m, f->StyleChangeWarning(), n); });
    }
    if (!chooseFile) {
        chooseFile = [](QWidget* parent, const QString& folder) {
            return QFileDialog::getOpenFileName(parent, QString(), folder,
                                                QStringLiteral("スタイルファイル(*.tls);;すべて(*.*) (*)"));
        };
    }
    frame.InstallCommand(kCmdStyleFile, [f, ws, m, chooseFile](QWidget* parent) {
        const QString path = chooseFile(parent, Qs(ws->folder.Path()));
        if (path.isEmpty()) return false;
        return ChooseWindowStyle(*ws, *m, f->StyleChangeWarning(), 0, Us(path));
    });
}

}  // namespace stracol::gui
