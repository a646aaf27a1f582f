#include "gui/FormSupport.h"

#include <QColorDialog>

#include <QLineEdit>

#include "core/Messages.h"
#include "render/Colour.h"

namespace stracol::gui {

void RefuseField(QWidget* field, core::Messages& messages, const std::string& message) {
    messages.Warning(message);
    if (!field) return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

QColor ColourOfValue(long value) {
    const auto c = static_cast<render::Colour>(value & 0xffffff);
    return QColor(render::RedOf(c), render::GreenOf(c), render::BlueOf(c));
}

QColor SettingsColour(std::string_view text) { return ColourOfValue(static_cast<long>(render::ColourFromText(text))); }

long SettingsColourValue(const QColor& colour) {
    return static_cast<long>(render::RgbColour(colour.red(), colour.green(), colour.blue()));
}

std::string SettingsColourText(const QColor& colour) {
    return render::ColourText(render::RgbColour(colour.red(), colour.green(), colour.blue()));
}

std::optional<QColor> ChooseColour(const ColourChooser& chooser, const QColor& current, QWidget* parent) {
    if (chooser) return chooser(current);
    const QColor chosen = QColorDialog::getColor(current, parent);
    if (!chosen.isValid()) return std::nullopt;
    return chosen;
}

}  // namespace stracol::gui
