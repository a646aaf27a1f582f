#pragma once
// The key options dialog "キーの動作 オプション" over its model: what Enter does in the data
// entry dialogs, and the (hidden) choice of opening their tables at the last filled row.

#include <QDialog>

namespace stracol::app { class KeyOptionsModel; struct Workspace; }
namespace stracol::core { class Messages; }

class QButtonGroup;
class QCheckBox;

namespace stracol::gui {

class KeyOptionsDialog : public QDialog {
public:
    KeyOptionsDialog(app::KeyOptionsModel& model, QWidget* parent = nullptr);
    void accept() override;

private:
    app::KeyOptionsModel& m_model;
    QButtonGroup* m_enter = nullptr;
    QCheckBox* m_scroll = nullptr;
};

// キーの動作、入力画面オプション (command 3011): on OK both settings are stored and the
// settings file rewritten. True when closed with OK.
bool RunKeyOptionsDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
