#include "gui/EnterKeyMode.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QRadioButton>

#include "app/KeyOptionsModel.h"

namespace stracol::gui {

namespace {

class EnterKeyFilter : public QObject {
public:
    EnterKeyFilter(QDialog& dialog, app::EnterKeyAction action) : QObject(&dialog), m_action(action) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) return false;
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        switch (m_action) {
        case app::EnterKeyAction::Confirm: return false;
        case app::EnterKeyAction::NextField:
            // As Tab: the field's editing ends and the focus moves on.
            if (auto* w = qobject_cast<QWidget*>(watched)) {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(w, &tab);
            }
            return true;
        case app::EnterKeyAction::Ignore: return true;
        }
        return false;
    }

private:
    app::EnterKeyAction m_action;
};

}  // namespace

void InstallEnterKeyMode(QDialog& dialog, int enterKeyMode) {
    const app::EnterKeyAction action = app::EnterKeyActionFor(enterKeyMode);
    if (action == app::EnterKeyAction::Confirm) return;
    auto* filter = new EnterKeyFilter(dialog, action);
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        if (qobject_cast<QLineEdit*>(w) || qobject_cast<QCheckBox*>(w) || qobject_cast<QRadioButton*>(w))
            w->installEventFilter(filter);
    }
}

}  // namespace stracol::gui
