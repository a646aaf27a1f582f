#include "gui/HelpDialog.h"

#include <QDesktopServices>
#include <QDialogButtonBox>
#include <QFont>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include "app/HelpText.h"
#include "app/InstallFolder.h"
#include "core/Messages.h"
#include "gui/DialogText.h"

namespace stracol::gui {

bool OpenWithDesktop(const std::string& path) {
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(path)));
}

HelpDialog::HelpDialog(const app::InstallFolder& folder, core::Messages& messages, FileOpener opener, QWidget* parent)
    : QDialog(parent), m_path(folder.File(app::kHelpFile)), m_messages(messages), m_opener(std::move(opener)) {
    setWindowTitle(QStringLiteral("操作＆ヘルプ"));
    auto* layout = new QVBoxLayout(this);
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("help"));
    m_list->setMinimumSize(640, 480);
    for (const std::string& line : app::HelpListLines(folder, messages)) m_list->addItem(Qs(line));
    layout->addWidget(m_list);
    auto* bottom = new QHBoxLayout;
    auto* print = new QPushButton(QStringLiteral("開いて印刷"), this);
    print->setObjectName(QStringLiteral("openForPrinting"));
    bottom->addWidget(print);
    bottom->addStretch(1);
    bottom->addWidget(OkCancelButtons(this, false));
    layout->addLayout(bottom);
    connect(print, &QPushButton::clicked, this, [this] { OpenForPrinting(); });
}

void HelpDialog::OpenForPrinting() {
    if (!m_opener || !m_opener(m_path)) m_messages.Error(core::MessageText(core::MessageId::CouldNotRun));
}

}  // namespace stracol::gui
