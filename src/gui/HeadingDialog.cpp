#include "gui/HeadingDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/DialogText.h"
#include "gui/ElevationOptionsDialog.h"
#include "gui/EnterKeyMode.h"

namespace stracol::gui {

HeadingDialog::HeadingDialog(const std::vector<app::HeadingField>& fields, const render::HeadingChoices& stored,
                             std::function<void(QWidget*)> elevationOptions, QWidget* parent)
    : QDialog(parent), m_form(stored) {
    setWindowTitle(QStringLiteral("見出し"));
    auto* layout = new QVBoxLayout(this);

    // The heading data: read-only, in two columns of label and text.
    auto* data = new QGroupBox(this);
    auto* grid = new QGridLayout(data);
    const int rows = static_cast<int>((fields.size() + 1) / 2);
    for (int i = 0; i < static_cast<int>(fields.size()); ++i) {
        const int row = i % rows;
        const int column = (i / rows) * 2;
        grid->addWidget(new QLabel(Qs(fields[static_cast<std::size_t>(i)].label), data), row, column);
        auto* edit = new QLineEdit(Qs(fields[static_cast<std::size_t>(i)].text), data);
        edit->setReadOnly(true);
        edit->setCursorPosition(0);
        edit->setObjectName(QStringLiteral("field%1").arg(i));
        edit->setMinimumWidth(i % rows < 6 && column == 0 ? 360 : 200);
        grid->addWidget(edit, row, column + 1);
    }
    layout->addWidget(data);

    auto* choices = new QGridLayout;
    m_twoLines = new QCheckBox(QStringLiteral("調査名2行表示"), this);
    m_twoLines->setObjectName(QStringLiteral("twoLines"));
    m_split = new QLineEdit(Qs(m_form.surveySplit), this);
    m_split->setObjectName(QStringLiteral("split"));
    m_splitPrompt = new QLabel(QStringLiteral("2行目の開始文字または文"), this);
    choices->addWidget(m_twoLines, 0, 0);
    choices->addWidget(m_split, 0, 1);
    choices->addWidget(m_splitPrompt, 0, 2);

    auto* elevation = new QPushButton(QStringLiteral("標高オプション"), this);
    elevation->setObjectName(QStringLiteral("elevationOptions"));
    choices->addWidget(elevation, 1, 0);

    choices->addWidget(new QLabel(QStringLiteral("資格名"), this), 2, 0);
    m_qualification = new QLineEdit(Qs(m_form.qualificationName), this);
    m_qualification->setObjectName(QStringLiteral("qualification"));
    m_showQualification = new QCheckBox(QStringLiteral("表示"), this);
    m_showQualification->setObjectName(QStringLiteral("showQualification"));
    choices->addWidget(m_qualification, 2, 1);
    choices->addWidget(m_showQualification, 2, 2);
    layout->addLayout(choices);

    layout->addWidget(new QLabel(Qs(core::MessageText(core::MessageId::DataNotEditable)), this));
    layout->addWidget(new QLabel(Qs(core::MessageText(core::MessageId::TitleOptionsActive)), this));
    layout->addWidget(OkCancelButtons(this));

    m_twoLines->setChecked(m_form.twoLineSurveyName);
    m_showQualification->setChecked(m_form.showQualification);
    UpdateSplitField();
    connect(m_twoLines, &QCheckBox::toggled, this, [this] { UpdateSplitField(); });
    connect(m_showQualification, &QCheckBox::clicked, this, [this](bool shown) {
        m_form.SetShowQualification(shown);
        m_qualification->setText(Qs(m_form.qualificationName));
    });
    connect(elevation, &QPushButton::clicked, this, [this, elevationOptions] {
        if (elevationOptions) elevationOptions(this);
    });
}

void HeadingDialog::UpdateSplitField() {
    m_split->setEnabled(m_twoLines->isChecked());
    m_splitPrompt->setEnabled(m_twoLines->isChecked());
}

app::HeadingForm HeadingDialog::Form() const {
    app::HeadingForm form = m_form;
    form.twoLineSurveyName = m_twoLines->isChecked();
    form.surveySplit = Us(m_split->text());
    form.showQualification = m_showQualification->isChecked();
    form.qualificationName = Us(m_qualification->text());
    return form;
}

bool RunElevationOptionsDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    ElevationOptionsDialog dialog(app::ElevationOptionsForm::Of(w.heading, w.record), parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    render::HeadingChoices choices = w.heading;
    dialog.Form().StoreInto(choices);
    if (!app::SaveHeadingChoices(choices, w.folder, &messages)) return false;
    w.heading = choices;
    return true;
}

bool RunHeadingDialog(QWidget* parent, app::Workspace& w, core::Messages& messages,
                      const std::function<void()>& repaint) {
    auto elevationOptions = [&](QWidget* dialogParent) {
        if (RunElevationOptionsDialog(dialogParent, w, messages) && repaint) repaint();
    };
    HeadingDialog dialog(app::HeadingFields(w.record, w.formatCode), w.heading, elevationOptions, parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    // The elevation flags may have been stored meanwhile: only the dialog's own choices change.
    render::HeadingChoices choices = w.heading;
    dialog.Form().StoreInto(choices);
    if (!app::SaveHeadingChoices(choices, w.folder, &messages)) return false;
    w.heading = choices;
    return true;
}

}  // namespace stracol::gui
