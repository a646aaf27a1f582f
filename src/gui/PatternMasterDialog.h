#pragma once
// The name master and pattern settings dialog ("土質地質名と柱状図模様"): the geological-name
// master (name, symbol, density and consistency, pattern and bitmap number) with its insert,
// overwrite, edit, delete and move, the pattern list with its colours, the line pattern
// settings, and a preview of the pattern being edited.

#include <QDialog>
#include <QImage>

#include "app/PatternMasterModel.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace stracol::core { class Messages; }

namespace stracol::gui {

// A pattern drawn into an image of size px (the box less 2 pixels each side) on the
// background colour: share 1, pen width 2, the colour given, the variant flag clear.
QImage PatternPreviewImage(QSize size, long number, std::uint32_t colour, QColor background);

class PatternMasterDialog : public QDialog {
public:
    // chooseColour replaces the colour dialog (tests): it gets the current colour and returns
    // the chosen one, or an invalid colour for none.
    using ColourChooser = std::function<QColor(const QColor& current)>;
    PatternMasterDialog(app::PatternMasterModel model, core::Messages& messages, QWidget* parent = nullptr);

    app::PatternMasterModel& Model() { return m_model; }
    void SetColourChooser(ColourChooser chooser) { m_chooseColour = std::move(chooser); }

    // The buttons' actions (the tests call them as the buttons do).
    void InsertRow();
    void OverwriteRow();
    void EditRow();
    void DeleteRow();
    void MoveRow(int step);
    void ApplyPatternNumber();
    void EditColour();
    void DefaultColour();
    void OverwriteColour();
    void AllDefaultColours();

    // The colour of a pattern number in the list being edited (black without a row).
    std::uint32_t ColourOfNumber(long number) const;
    QLabel* Preview() const { return m_preview; }

private:
    void FillMaster(int select);
    void FillPatterns(int select);
    // The preview of the master's パタ-ンNo. field, or of a pattern number.
    void UpdatePreview();
    void PreviewNumber(long number);
    int SelectedMasterRow() const;
    int SelectedPatternRow() const;
    geology::MasterRowInput EditFields() const;
    void FocusAfter(const geology::MasterEditResult& result);

    app::PatternMasterModel m_model;
    core::Messages& m_messages;
    ColourChooser m_chooseColour;
    QLineEdit* m_name = nullptr;
    QLineEdit* m_symbol = nullptr;
    QCheckBox* m_density = nullptr;
    QCheckBox* m_consistency = nullptr;
    QLineEdit* m_pattern = nullptr;
    QLineEdit* m_bitmap = nullptr;
    QLabel* m_preview = nullptr;
    QTableWidget* m_master = nullptr;
    QTableWidget* m_patterns = nullptr;
    QLineEdit* m_patternNumber = nullptr;
    QLineEdit* m_colour = nullptr;
    QCheckBox* m_allBlack = nullptr;
    QComboBox* m_thickness = nullptr;
    QCheckBox* m_overlay = nullptr;
};

// Opens the dialog over the workspace's master files; OK stores and reloads (the model's
// Accept). True when the dialog was confirmed, so the view is repainted.
bool RunPatternMasterDialog(QWidget* parent, app::Workspace& workspace, core::Messages& messages);

}  // namespace stracol::gui
