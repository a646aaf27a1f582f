#include "gui/ElevationOptionsDialog.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/DialogText.h"

namespace stracol::gui {

namespace {

QRadioButton* Radio(QWidget* parent, const QString& text, const char* name) {
    auto* radio = new QRadioButton(text, parent);
    radio->setObjectName(QString::fromLatin1(name));
    return radio;
}

}  // namespace

ElevationOptionsDialog::ElevationOptionsDialog(const app::ElevationOptionsForm& form, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("標高オプション"));
    auto* layout = new QVBoxLayout(this);

    auto* display = new QGroupBox(QStringLiteral("標題部の孔口標高の表示"), this);
    auto* displayLayout = new QVBoxLayout(display);
    m_twoDecimals = Radio(display, QStringLiteral("少数以下2桁に整形"), "twoDecimals");
    m_asText = Radio(display, QStringLiteral("文字列として表示"), "asText");
    displayLayout->addWidget(m_twoDecimals);
    displayLayout->addWidget(m_asText);
    auto* note = new QLabel(QStringLiteral("整形は表示のみで標高は入力値から計算されます."), display);
    displayLayout->addWidget(note);
    layout->addWidget(display);

    auto* rounding =
        new QGroupBox(QStringLiteral("標高の計算の丸め方  (孔口標高に少数以下第3位まで入力した場合の方法) "), this);
    auto* roundingLayout = new QVBoxLayout(rounding);
    m_ruleB = Radio(rounding, QStringLiteral("JIS規則B (四捨五入)"), "ruleB");
    m_ruleA = Radio(rounding, QStringLiteral("JIS規則A (偶数丸め)"), "ruleA");
    roundingLayout->addWidget(m_ruleB);
    roundingLayout->addWidget(m_ruleA);
    roundingLayout->addWidget(new QLabel(QStringLiteral("丸めの幅:0.01 (小数以下2位)"), rounding));
    layout->addWidget(rounding);
    layout->addWidget(OkCancelButtons(this));

    // Each group is a choice of its own.
    auto* displayGroup = new QButtonGroup(this);
    displayGroup->addButton(m_twoDecimals);
    displayGroup->addButton(m_asText);
    auto* roundingGroup = new QButtonGroup(this);
    roundingGroup->addButton(m_ruleB);
    roundingGroup->addButton(m_ruleA);
    (form.collarAsText ? m_asText : m_twoDecimals)->setChecked(true);
    (form.roundHalfEven ? m_ruleA : m_ruleB)->setChecked(true);
}

app::ElevationOptionsForm ElevationOptionsDialog::Form() const {
    return {m_asText->isChecked(), m_ruleA->isChecked()};
}

}  // namespace stracol::gui
