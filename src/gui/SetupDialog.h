#pragma once
// The setup dialog "セットアップ" over its model: the install location ("本システムのインスト
// ール場所") as drive and folder, checked on leaving the folder and on OK; nothing is stored.

#include <QDialog>

namespace stracol::app { class SetupModel; struct Workspace; }
namespace stracol::core { class Messages; }

class QLineEdit;

namespace stracol::gui {

class SetupDialog : public QDialog {
public:
    SetupDialog(app::SetupModel& model, core::Messages& messages, int enterKeyMode = 0, QWidget* parent = nullptr);
    void accept() override;

private:
    void FolderLeft();

    app::SetupModel& m_model;
    core::Messages& m_messages;
    QLineEdit* m_drive = nullptr;
    QLineEdit* m_folder = nullptr;
    bool m_checkingFolder = false;
};

// セットアップ (command 3008): shows the install location and checks what is entered. True
// when closed with OK (the view is then repainted).
bool RunSetupDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
