#pragma once
// The paper defaults dialog "印刷用紙の初期設定" over its model: the check box that applies
// the start-up paper, the paper size and the orientation (in use only while it is checked),
// and the notes on when and how the setting takes effect.

#include <QDialog>

namespace stracol::app { class PaperDefaultsModel; struct Workspace; }
namespace stracol::core { class Messages; }

class QButtonGroup;
class QCheckBox;

namespace stracol::gui {

class PaperDefaultsDialog : public QDialog {
public:
    PaperDefaultsDialog(app::PaperDefaultsModel& model, int enterKeyMode = 0, QWidget* parent = nullptr);
    void accept() override;

private:
    void ShowEnabled();

    app::PaperDefaultsModel& m_model;
    QCheckBox* m_enabled = nullptr;
    QButtonGroup* m_size = nullptr;
    QButtonGroup* m_orientation = nullptr;
};

// 用紙の初期設定 (command 57610): on OK the three settings are stored and the settings file
// rewritten; the paper is applied at the next start. True when closed with OK.
bool RunPaperDefaultsDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
