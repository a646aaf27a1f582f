#pragma once
// What the settings forms share: UTF-8 texts to Qt, a refused entry (its message, then the
// focus back in the field with the text selected), colours of the settings as Qt colours.

#include <QColor>
#include <QString>

#include <functional>
#include <optional>
#include <string>
#include <string_view>

class QLineEdit;
class QWidget;

namespace stracol::core { class Messages; }

namespace stracol::gui {

inline QString Q(std::string_view text) { return QString::fromUtf8(text.data(), static_cast<int>(text.size())); }
inline std::string U(const QString& text) { return text.toStdString(); }

// Shows the message and gives the focus back to the field (its text selected).
void RefuseField(QWidget* field, core::Messages& messages, const std::string& message);

// A stored colour value (0x00BBGGRR, as text "0x%06x") as a Qt colour and back.
QColor SettingsColour(std::string_view text);
std::string SettingsColourText(const QColor& colour);
long SettingsColourValue(const QColor& colour);
QColor ColourOfValue(long value);

// A colour chosen starting from current: by the chooser a test put in, else by the colour
// dialog over parent; nothing when the choice was cancelled.
using ColourChooser = std::function<std::optional<QColor>(const QColor& current)>;
std::optional<QColor> ChooseColour(const ColourChooser& chooser, const QColor& current, QWidget* parent);

}  // namespace stracol::gui
