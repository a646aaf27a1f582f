#pragma once
// The title-block layout dialog ("標題欄の配置,書式　標題部と事項欄の位置") over the title-block
// form: the positions and alignments of the upper title part and the title frame, the
// underline, and the five band heights with the examples 配置例 1/2 and 書式例 1/2.

#include <QDialog>

#include <utility>
#include <vector>

#include "style/TitleForm.h"

class QComboBox;
class QLineEdit;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class TitleLayoutDialog : public QDialog {
public:
    TitleLayoutDialog(style::TitleForm form, std::string installFolder, core::Messages& messages,
                      QWidget* parent = nullptr);

    // The form OK stored; valid after the dialog was accepted.
    const style::TitleForm& Form() const { return m_form; }

    void accept() override;

private:
    // The positions, alignments and underline from the form (the heights are shown apart).
    void FromForm();
    // The positions, alignments and underline into the form (the heights are read apart).
    void ToForm();
    void ShowHeights(const style::TitleHeights& heights);
    // The five heights; false (with the message, focus on the field) for one that is no
    // number from 0 to 420 mm.
    bool ReadHeights(style::TitleHeights& heights);

    style::TitleForm m_form;
    std::string m_installFolder;
    core::Messages& m_messages;
    // The text fields and lists and the form line each one is bound to.
    std::vector<std::pair<QLineEdit*, int>> m_lineEdits;
    std::vector<std::pair<QComboBox*, int>> m_lineLists;
    QComboBox* m_underline = nullptr;
    std::vector<QLineEdit*> m_heights;  // H1, B1, H2, B2, H3
};

// Opens the dialog over the workspace's form; OK makes the form the workspace's (the view
// then repaints). True when accepted.
bool RunTitleLayoutDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
