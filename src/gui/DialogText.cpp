#include "gui/DialogText.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QPushButton>

namespace stracol::gui {

QDialogButtonBox* OkCancelButtons(QDialog* dialog, bool withCancel) {
    auto* box = new QDialogButtonBox(dialog);
    QPushButton* ok = box->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    if (withCancel) {
        QPushButton* cancel = box->addButton(QStringLiteral("キャンセル"), QDialogButtonBox::RejectRole);
        cancel->setObjectName(QStringLiteral("cancel"));
    }
    QObject::connect(box, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(box, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return box;
}

}  // namespace stracol::gui
