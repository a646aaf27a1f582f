#pragma once
// The elevation options dialog ("標高オプション"): how the title block shows the collar
// elevation and how computed elevations are rounded (JIS rule B or A).

#include <QDialog>

#include "app/HeadingModel.h"

class QRadioButton;

namespace stracol::gui {

class ElevationOptionsDialog : public QDialog {
public:
    ElevationOptionsDialog(const app::ElevationOptionsForm& form, QWidget* parent = nullptr);
    // The choices as the buttons stand.
    app::ElevationOptionsForm Form() const;

private:
    QRadioButton* m_twoDecimals = nullptr;
    QRadioButton* m_asText = nullptr;
    QRadioButton* m_ruleB = nullptr;
    QRadioButton* m_ruleA = nullptr;
};

}  // namespace stracol::gui
