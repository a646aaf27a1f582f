#pragma once
// The page footer dialog ("ページフッタ") over the footer form: prefix, start page and suffix
// with their preview, the position from the paper's top or below the log, left-aligned or
// centred. OK stores only a footer that stays on the paper.

#include <QDialog>

#include "app/FooterModel.h"

class QComboBox;
class QLineEdit;
class QRadioButton;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class FooterDialog : public QDialog {
public:
    FooterDialog(app::FooterForm form, core::Messages& messages, QWidget* parent = nullptr);

    // What OK stored; valid after the dialog was accepted.
    const render::FooterSettings& Result() const { return m_result; }
    const app::FooterForm& Form() const { return m_form; }

    void accept() override;

private:
    void FromForm();
    void ToForm();
    void UpdatePreview();

    app::FooterForm m_form;
    core::Messages& m_messages;
    render::FooterSettings m_result;
    bool m_filling = false;
    QComboBox* m_prefix = nullptr;
    QLineEdit* m_start = nullptr;
    QComboBox* m_suffix = nullptr;
    QLineEdit* m_preview = nullptr;
    QRadioButton* m_fromTop = nullptr;
    QRadioButton* m_belowLog = nullptr;
    QLineEdit* m_topDistance = nullptr;
    QLineEdit* m_belowDistance = nullptr;
    QRadioButton* m_fromLeft = nullptr;
    QRadioButton* m_centred = nullptr;
    QLineEdit* m_leftDistance = nullptr;
    QLineEdit* m_centre = nullptr;
};

// Opens the dialog over the workspace's footer on the paper the printer reports; OK writes
// SyPageV.ndx and changes the workspace's footer. True when something was stored.
bool RunFooterDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages, int paperWidthMm,
                     int paperLengthMm);

}  // namespace stracol::gui
