#pragma once
// The style editor ("柱状図様式 表示事項の選択､文字配置などの様式") over the style-editing model:
// the all-items list, the item table, the edit fields of one row, the buttons of the
// operations, the built-in styles, the log title, the width boxes and the style-name line.

#include <QDialog>

#include <functional>

#include "style/StyleEditorModel.h"

class QComboBox;
class QLineEdit;
class QListWidget;
class QTableWidget;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class StyleEditorDialog : public QDialog {
public:
    StyleEditorDialog(style::StyleEditorModel& model, core::Messages& messages, QWidget* parent = nullptr);

    // The Open and Save dialogs (tests replace them): the chosen path, or empty.
    using OpenChooser = std::function<QString(const QString& folder)>;
    using SaveChooser = std::function<QString(const QString& proposed)>;
    void SetOpenChooser(OpenChooser chooser) { m_chooseOpen = std::move(chooser); }
    void SetSaveChooser(SaveChooser chooser) { m_chooseSave = std::move(chooser); }

    // The style OK stored; valid after the dialog was accepted.
    const style::LogStyle& Result() const { return m_result; }

    void accept() override;
    void reject() override;

private:
    void Refresh();
    void FillEdit();
    void FillTable();
    void EditChanged(int field, const QString& text);

    style::StyleEditorModel& m_model;
    core::Messages& m_messages;
    style::LogStyle m_result;
    bool m_filling = false;
    OpenChooser m_chooseOpen;
    SaveChooser m_chooseSave;
    QListWidget* m_items = nullptr;
    QTableWidget* m_table = nullptr;
    // The visible edit fields and the item field each one is bound to.
    std::vector<std::pair<QLineEdit*, int>> m_editBoxes;
    QComboBox* m_placement = nullptr;
    QComboBox* m_builtIn = nullptr;
    QComboBox* m_title = nullptr;
    QLineEdit* m_widthSum = nullptr;
    QLineEdit* m_styleName = nullptr;
};

// Opens the editor over the workspace's style; OK makes the edited style the workspace's.
// True when the style changed (the view is then repainted).
bool RunStyleEditorDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
