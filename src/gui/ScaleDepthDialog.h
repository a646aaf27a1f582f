#pragma once
// The scale and depth dialog "縮尺と表示深度" over its model: the two scales, the data-only
// check box, the paper length and free-article field shown, the largest depth per page
// (recomputed as the depth scale or the check box changes), the print start depth, the depth
// per page and the overlap. OK checks each field (the refused one gets its message and the
// focus) and then the page (the overlap rule may keep the dialog open once more).

#include <QDialog>

namespace stracol::app { class ScaleDepthModel; struct Workspace; }
namespace stracol::core { class Messages; }

class QCheckBox;
class QLabel;
class QLineEdit;

namespace stracol::gui {

class ScaleDepthDialog : public QDialog {
public:
    ScaleDepthDialog(app::ScaleDepthModel& model, core::Messages& messages, int enterKeyMode = 0,
                     QWidget* parent = nullptr);

    // Takes the fields into the model and checks them; closes with Accepted when the page
    // check lets the dialog close.
    void accept() override;

private:
    void ShowValues();
    void UpdateMaxDepth();
    bool TakeFields();

    app::ScaleDepthModel& m_model;
    core::Messages& m_messages;
    QLineEdit* m_horizontal = nullptr;
    QLineEdit* m_depthScale = nullptr;
    QCheckBox* m_dataOnly = nullptr;
    QLabel* m_paperLength = nullptr;
    QLabel* m_freeArticle = nullptr;
    QLabel* m_maxDepth = nullptr;
    QLineEdit* m_start = nullptr;
    QLineEdit* m_depthPerPage = nullptr;
    QLineEdit* m_overlap = nullptr;
};

// 縮尺と表示深度 (command 3001): asks the printer's paper first, shows the dialog, and on OK
// gives the page geometry the new scales and paging, rewrites the settings file and
// re-paginates (done by the caller's repaint). True when the dialog closed with OK.
bool RunScaleDepthDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
