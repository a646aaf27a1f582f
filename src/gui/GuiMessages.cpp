#include "gui/GuiMessages.h"

#include <QMessageBox>
#include <QString>

namespace stracol::gui {

namespace {
const QString kCaption = QStringLiteral("Stracol");
}

void MessageBoxMessages::Show(core::MessageKind kind, const std::string& text) {
    const QString body = QString::fromStdString(text);
    switch (kind) {
    case core::MessageKind::Error:
        QMessageBox::critical(m_parent, kCaption, body);
        break;
    case core::MessageKind::Warning:
        QMessageBox::warning(m_parent, kCaption, body);
        break;
    case core::MessageKind::Information:
    case core::MessageKind::Question:
        QMessageBox::information(m_parent, kCaption, body);
        break;
    }
}

bool MessageBoxMessages::Ask(const std::string& question) {
    return QMessageBox::question(m_parent, kCaption, QString::fromStdString(question),
                                 QMessageBox::Yes | QMessageBox::No, QMessageBox::No) == QMessageBox::Yes;
}

}  // namespace stracol::gui
