#pragma once
// The heading dialog ("見出し"): the heading data of the loaded borehole for reading, and the
// three display choices that can be changed: the survey name over two lines, the elevation
// options and the qualification name.

#include <QDialog>

#include <functional>

#include "app/HeadingModel.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class HeadingDialog : public QDialog {
public:
    // elevationOptions opens the elevation options dialog; it stores what is chosen there.
    HeadingDialog(const std::vector<app::HeadingField>& fields, const render::HeadingChoices& stored,
                  std::function<void(QWidget* parent)> elevationOptions, QWidget* parent = nullptr);

    // The choices as the controls stand.
    app::HeadingForm Form() const;

private:
    void UpdateSplitField();

    app::HeadingForm m_form;
    QCheckBox* m_twoLines = nullptr;
    QLineEdit* m_split = nullptr;
    QLabel* m_splitPrompt = nullptr;
    QLineEdit* m_qualification = nullptr;
    QCheckBox* m_showQualification = nullptr;
};

// Opens the heading dialog over the workspace: the elevation options take effect at once
// (written and repainted through repaint), OK stores the split text and the qualification
// name in SyHeadV.ndx. True when OK stored something.
bool RunHeadingDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages,
                      const std::function<void()>& repaint);

// Opens the elevation options dialog over the workspace's choices; OK writes them. True
// when they were stored.
bool RunElevationOptionsDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
