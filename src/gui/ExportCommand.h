#pragma once
// The hidden export in the main window (ﾌｧｲﾙ → "."): the word dialog, then the file to write
// the loaded data to as a Tessel v1 file.

#include <QDialog>
#include <QString>

#include <functional>

class QLineEdit;

namespace stracol::app { struct Workspace; }
namespace stracol::core { class Messages; }

namespace stracol::gui {

class CMainFrame;

// The small dialog that asks for the access word, its field prefilled with "-".
class ExportWordDialog : public QDialog {
public:
    explicit ExportWordDialog(QWidget* parent = nullptr);
    QString Word() const;

private:
    QLineEdit* m_word;
};

// Where the file to write is chosen (tests replace the Save dialog): the chosen path, or empty.
using ExportFileChooser = std::function<QString(QWidget* parent, const QString& suggested)>;

// Gives the frame's export command its dialogs and enables it.
void InstallExportCommand(CMainFrame& frame, app::Workspace& workspace, core::Messages& messages,
                          ExportFileChooser chooseFile = {});

}  // namespace stracol::gui
