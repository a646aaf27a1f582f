#pragma once
// The Enter key in the editing dialogs, as the key options set it (EnterKeyMode): 0 or less
// confirms the dialog as usual, 1 moves the focus to the next field, 2 or more swallows the
// key. Drop-down lists and text still being converted by the input method keep their own
// handling of the key.

class QDialog;

namespace stracol::gui {

// Applies the mode to the fields, check boxes and radio buttons the dialog holds now.
void InstallEnterKeyMode(QDialog& dialog, int enterKeyMode);

}  // namespace stracol::gui
