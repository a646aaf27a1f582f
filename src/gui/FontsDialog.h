#pragma once
// The fonts dialog "フォント" over its model: one row per log font (its slot button, face,
// size " %2d     (%.1f)", colour sample and what it is used for), the presets "標準例 1" and
// "標準例 2" with the family choice "明朝" / "ゴシック". A slot button opens the font dialog,
// the colour sample the colour dialog. Cancel after a change asks before it closes.

#include <QDialog>
#include <QFont>

#include <functional>
#include <optional>

#include "gui/FormSupport.h"

namespace stracol::app { class FontsModel; struct Workspace; }
namespace stracol::core { class Messages; }

class QLabel;
class QPushButton;
class QRadioButton;

namespace stracol::gui {

class FontsDialog : public QDialog {
public:
    FontsDialog(app::FontsModel& model, core::Messages& messages, QWidget* parent = nullptr);

    // Replace the font and colour dialogs (tests).
    using FontChooser = std::function<std::optional<QFont>(const QFont& current)>;
    using ColourChooser = gui::ColourChooser;
    void SetFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }
    void SetColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    void reject() override;

private:
    void ShowRows();
    void ChooseFont(int slot);
    void ChooseColour(int slot);

    app::FontsModel& m_model;
    core::Messages& m_messages;
    QLabel* m_faces[8] = {};
    QLabel* m_sizes[8] = {};
    QPushButton* m_samples[8] = {};
    QRadioButton* m_mincho = nullptr;
    FontChooser m_chooseFont;
    ColourChooser m_chooseColour;
};

// フォント (command 3002): on OK the fonts become the log's and are written to Font1.ndx …
// Font8.ndx. True when closed with OK.
bool RunFontsDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
