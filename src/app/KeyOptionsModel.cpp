#include "app/KeyOptionsModel.h"

#include "app/SystemSettings.h"

namespace stracol::app {

EnterKeyAction EnterKeyActionFor(int mode) {
    if (mode <= 0) return EnterKeyAction::Confirm;
    if (mode == 1) return EnterKeyAction::NextField;
    return EnterKeyAction::Ignore;
}

KeyOptionsModel::KeyOptionsModel(const SystemSettings& s) : m_scrollToLastRow(s.ScrollToLastRow != 0) {
    SetEnterKeyMode(s.EnterKeyMode);
}

void KeyOptionsModel::ApplyTo(SystemSettings& s) const {
    s.EnterKeyMode = m_enterKeyMode;
    s.ScrollToLastRow = m_scrollToLastRow ? 1 : 0;
}

bool KeyOptionsModel::Commit(SystemSettings& s, const InstallFolder& folder, core::Messages* messages) const {
    ApplyTo(s);
    return SaveSystemSettings(s, folder, messages);
}

}  // namespace stracol::app
