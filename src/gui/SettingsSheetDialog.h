#pragma once
// The settings sheet "システム設定 > 柱状図様式" over its model: three pages
// ("目盛,グリッド,記号,表示種別…", " 線種", "マージン 名称") whose widgets are bound to the
// settings fields once, in one table per kind of widget. The presets fill the pages; OK
// takes every field back (a refused entry gets its message and the focus, on its page).

#include <QDialog>

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/SystemSettings.h"
#include "gui/FormSupport.h"

namespace stracol::app { class SettingsSheetModel; struct Workspace; }
namespace stracol::core { class Messages; }

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;

namespace stracol::gui {

class SettingsSheetDialog : public QDialog {
public:
    SettingsSheetDialog(app::SettingsSheetModel& model, core::Messages& messages, int enterKeyMode = 0,
                        QWidget* parent = nullptr);

    QTabWidget* Pages() const { return m_pages; }
    // Replaces the colour dialog of the "色" buttons (tests): given the current colour, the
    // chosen one or nothing.
    using ColourChooser = gui::ColourChooser;
    void SetColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    void accept() override;

private:
    struct RadioBinding {
        QButtonGroup* group;
        int app::SystemSettings::*field;
    };
    struct IntBinding {
        QLineEdit* edit;
        int app::SystemSettings::*field;
        int page;
    };
    struct ComboBinding {
        QComboBox* combo;
        int app::SystemSettings::*field;
    };
    struct BracketBinding {
        QComboBox* combo;
        std::string app::SystemSettings::*field;
        const std::vector<std::string>* choices;
    };
    struct ColourBinding {
        QLineEdit* edit;
        std::string app::SystemSettings::*field;
        QPushButton* button;
        QLabel* sample;
    };
    struct TextBinding {
        QLineEdit* edit;
        std::string app::SystemSettings::*field;
    };

    QWidget* MakePage1();
    QWidget* MakePage2();
    QWidget* MakePage3();
    QButtonGroup* Radios(int app::SystemSettings::*field, std::initializer_list<QWidget*> buttons);
    QLineEdit* IntEdit(int app::SystemSettings::*field, int page, const char* name);
    QComboBox* RowList(int app::SystemSettings::*field, const char* name);
    QComboBox* BracketList(std::string app::SystemSettings::*field, const std::vector<std::string>& choices,
                           const char* name);
    QWidget* ColourBox(std::string app::SystemSettings::*field, const char* name);
    QPushButton* Preset(const QString& caption, std::function<void()> apply);

    // Model → widgets, and the colour mode's enabled states.
    void ShowValues();
    void ShowColourMode();
    void RepaintSample(const ColourBinding& binding);
    // Widgets → model; the first refused entry is shown on its page and focused.
    bool TakeFields(bool report);

    app::SettingsSheetModel& m_model;
    core::Messages& m_messages;
    QTabWidget* m_pages = nullptr;
    QLineEdit* m_pe = nullptr;
    QCheckBox* m_blackDot = nullptr;
    QButtonGroup* m_colourMode = nullptr;
    std::vector<RadioBinding> m_radios;
    std::vector<IntBinding> m_ints;
    std::vector<ComboBinding> m_combos;
    std::vector<BracketBinding> m_brackets;
    std::vector<ColourBinding> m_colours;
    std::vector<TextBinding> m_texts;
    std::vector<QLineEdit*> m_dashAndGap;
    ColourChooser m_chooseColour;
};

// 目盛り,グリッド,線種,マージンなど (command 3005): the sheet over the settings; on OK the
// settings take its fields and the settings file is rewritten. True when closed with OK.
bool RunSettingsSheet(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
