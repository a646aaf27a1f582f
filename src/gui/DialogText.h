#pragma once
// Text between the program's UTF-8 strings and the widgets' QString, and the OK and キャンセル
// buttons the data dialogs share.

#include <QString>

#include <string>
#include <string_view>

class QDialog;
class QDialogButtonBox;

namespace stracol::gui {

inline QString Qs(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }
inline std::string Us(const QString& text) { return text.toStdString(); }

// OK and キャンセル (or OK alone) under a dialog, wired to its accept and reject; OK named
// "ok" and キャンセル "cancel" for the tests.
QDialogButtonBox* OkCancelButtons(QDialog* dialog, bool withCancel = true);

}  // namespace stracol::gui
