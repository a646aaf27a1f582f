#include "gui/SetupDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <filesystem>

#include "app/SetupModel.h"
#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/EnterKeyMode.h"
#include "gui/FormSupport.h"

namespace stracol::gui {

SetupDialog::SetupDialog(app::SetupModel& model, core::Messages& messages, int enterKeyMode, QWidget* parent)
    : QDialog(parent), m_model(model), m_messages(messages) {
    setObjectName(QStringLiteral("SetupDialog"));
    setWindowTitle(QStringLiteral("セットアップ"));
    auto* place = new QGroupBox(QStringLiteral("本システムのインストール場所"), this);
    auto* grid = new QGridLayout(place);
    m_drive = new QLineEdit(Q(m_model.Drive()), place);
    m_drive->setObjectName(QStringLiteral("drive"));
    m_drive->setMaxLength(1);
    m_drive->setMaximumWidth(32);
    m_folder = new QLineEdit(Q(m_model.Folder()), place);
    m_folder->setObjectName(QStringLiteral("folder"));
    // The folder takes 64 characters; a longer install folder is still shown whole.
    m_folder->setMaxLength(std::max<int>(static_cast<int>(app::SetupModel::kFolderMaxBytes), m_folder->text().size()));
    m_folder->setMinimumWidth(320);
    grid->addWidget(new QLabel(QStringLiteral("ドライブ"), place), 0, 0);
    grid->addWidget(m_drive, 0, 1, Qt::AlignLeft);
    grid->addWidget(new QLabel(QStringLiteral("フォルダ"), place), 1, 0);
    grid->addWidget(m_folder, 1, 1);
    auto* standard = new QPushButton(QStringLiteral("標準の設定"), this);
    standard->setObjectName(QStringLiteral("standard"));
    standard->setAutoDefault(false);
    connect(standard, &QPushButton::clicked, this, [this] {
        m_model.ApplyStandard();
        m_drive->setText(Q(m_model.Drive()));
    });
    connect(m_folder, &QLineEdit::editingFinished, this, [this] { FolderLeft(); });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->addButton(standard, QDialogButtonBox::ResetRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &SetupDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(place);
    layout->addWidget(buttons);
    InstallEnterKeyMode(*this, enterKeyMode);
}

void SetupDialog::FolderLeft() {
    // The message box takes the focus, which ends the editing once more.
    if (m_checkingFolder || !isVisible()) return;
    m_checkingFolder = true;
    m_model.SetFolder(U(m_folder->text()));
    if (auto refused = m_model.FolderLeft()) RefuseField(m_folder, m_messages, refused->message);
    else m_folder->setText(Q(m_model.Folder()));
    m_checkingFolder = false;
}

void SetupDialog::accept() {
    m_model.SetDrive(U(m_drive->text()));
    m_model.SetFolder(U(m_folder->text()));
    if (!m_model.Folder().empty()) {
        m_model.FolderLeft();
        m_folder->setText(Q(m_model.Folder()));
    }
    const auto refused = m_model.Confirm();
    m_drive->setText(Q(m_model.Drive()));
    if (refused) {
        m_checkingFolder = true;
        RefuseField(refused->field == app::SetupModel::Field::Drive ? m_drive : m_folder, m_messages, refused->message);
        m_checkingFolder = false;
        return;
    }
    QDialog::accept();
}

bool RunSetupDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(w.folder.Path(), ec);
    app::SetupModel model(app::SetupModel::SystemDrive(),
                          ec ? w.folder.Path() : absolute.lexically_normal().string());
    SetupDialog dialog(model, messages, w.settings.EnterKeyMode, parent);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace stracol::gui
