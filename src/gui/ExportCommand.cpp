#include "gui/ExportCommand.h"

#include "app/ExportModel.h"
#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/CMainFrame.h"
#include "gui/CommandTable.h"
#include "gui/DialogText.h"
#include "gui/FormSupport.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QVBoxLayout>

namespace stracol::gui {
namespace {

QString ChooseExportFile(QWidget* parent, const QString& suggested) {
    const QStringList filters = {Q(app::kExportFilterTessel), Q(app::kExportFilterAll)};
    QFileDialog dialog(parent, QString(), suggested);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.selectFile(suggested);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().first();
}

}  // namespace

ExportWordDialog::ExportWordDialog(QWidget* parent) : QDialog(parent), m_word(new QLineEdit(this)) {
    setWindowTitle(QStringLiteral("."));
    m_word->setObjectName(QStringLiteral("word"));
    m_word->setText(Q(app::kExportWordPrefill));
    m_word->selectAll();
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_word);
    layout->addWidget(OkCancelButtons(this));
}

QString ExportWordDialog::Word() const { return m_word->text(); }

void InstallExportCommand(CMainFrame& frame, app::Workspace& w, core::Messages& messages, ExportFileChooser chooseFile) {
    if (!chooseFile) chooseFile = ChooseExportFile;
    CMainFrame* f = &frame;
    app::Workspace* ws = &w;
    core::Messages* m = &messages;
    frame.InstallCommand(kCmdFileExport, [f, ws, m, chooseFile](QWidget* parent) {
        ExportWordDialog dialog(parent);
        const bool accepted = dialog.exec() == QDialog::Accepted;
        const QString word = dialog.Word();
        app::EndExportDialog(*ws);
        if (!accepted || !app::ExportWordAccepted(U(word))) return true;
        const QString chosen = chooseFile(parent, Q(app::SuggestedExportPath(ws->documentPath)));
        if (chosen.isEmpty()) return true;
        const app::ExportTarget target = app::CheckExportPath(U(chosen));
        if (!target.ok) {
            m->Warning(target.message);
            return true;
        }
        if (app::ExportTessel(*ws, target.path, *m)) f->UpdateTitle();
        return true;
    });
}

}  // namespace stracol::gui
