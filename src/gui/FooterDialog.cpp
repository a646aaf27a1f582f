#include "gui/FooterDialog.h"

#include <QComboBox>
#include <QDoubleValidator>
#include <QIntValidator>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/DialogText.h"
#include "gui/EnterKeyMode.h"

namespace stracol::gui {

namespace {

QLineEdit* NamedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    return edit;
}

QComboBox* NamedCombo(QWidget* parent, const char* name, const std::vector<std::string>& choices) {
    auto* combo = new QComboBox(parent);
    combo->setObjectName(QString::fromLatin1(name));
    combo->setEditable(true);
    for (const auto& choice : choices) combo->addItem(Qs(choice));
    return combo;
}

}  // namespace

FooterDialog::FooterDialog(app::FooterForm form, core::Messages& messages, QWidget* parent)
    : QDialog(parent), m_form(std::move(form)), m_messages(messages) {
    setWindowTitle(QStringLiteral("ページフッタ"));
    auto* layout = new QVBoxLayout(this);

    auto* text = new QGroupBox(QStringLiteral("ページ番号"), this);
    auto* textGrid = new QGridLayout(text);
    m_prefix = NamedCombo(text, "prefix", app::FooterPrefixChoices());
    m_start = NamedEdit(text, "startNumber");
    m_suffix = NamedCombo(text, "suffix", app::FooterSuffixChoices());
    m_preview = NamedEdit(text, "preview");
    m_preview->setReadOnly(true);
    textGrid->addWidget(new QLabel(QStringLiteral("前文字"), text), 0, 0);
    textGrid->addWidget(new QLabel(QStringLiteral("頁(開始頁)"), text), 0, 1);
    textGrid->addWidget(new QLabel(QStringLiteral("後文字"), text), 0, 2);
    textGrid->addWidget(new QLabel(QStringLiteral("表示"), text), 0, 3);
    textGrid->addWidget(m_prefix, 1, 0);
    textGrid->addWidget(m_start, 1, 1);
    textGrid->addWidget(m_suffix, 1, 2);
    textGrid->addWidget(m_preview, 1, 3);
    layout->addWidget(text);

    auto* top = new QGroupBox(QStringLiteral("トップマージン mm"), this);
    auto* topGrid = new QGridLayout(top);
    m_fromTop = new QRadioButton(QStringLiteral("用紙上端から"), top);
    m_fromTop->setObjectName(QStringLiteral("fromTop"));
    m_belowLog = new QRadioButton(QStringLiteral("柱状図下端から"), top);
    m_belowLog->setObjectName(QStringLiteral("belowLog"));
    m_topDistance = NamedEdit(top, "topDistance");
    m_belowDistance = NamedEdit(top, "belowDistance");
    auto* sameAsCompany = new QPushButton(QStringLiteral("← (業者名と同じ位置)"), top);
    sameAsCompany->setObjectName(QStringLiteral("sameAsCompany"));
    topGrid->addWidget(m_fromTop, 0, 0);
    topGrid->addWidget(m_topDistance, 0, 1);
    topGrid->addWidget(m_belowLog, 1, 0);
    topGrid->addWidget(m_belowDistance, 1, 1);
    topGrid->addWidget(sameAsCompany, 1, 2);
    layout->addWidget(top);

    auto* left = new QGroupBox(QStringLiteral("レフトマージン mm"), this);
    auto* leftGrid = new QGridLayout(left);
    m_fromLeft = new QRadioButton(QStringLiteral("用紙左端から"), left);
    m_fromLeft->setObjectName(QStringLiteral("fromLeft"));
    m_centred = new QRadioButton(QStringLiteral("用紙左右中央"), left);
    m_centred->setObjectName(QStringLiteral("centred"));
    m_leftDistance = NamedEdit(left, "leftDistance");
    m_centre = NamedEdit(left, "centre");
    m_centre->setReadOnly(true);
    leftGrid->addWidget(m_fromLeft, 0, 0);
    leftGrid->addWidget(m_leftDistance, 0, 1);
    leftGrid->addWidget(m_centred, 1, 0);
    leftGrid->addWidget(m_centre, 1, 1);
    layout->addWidget(left);

    auto* standard = new QPushButton(QStringLiteral("標準の設定"), this);
    standard->setObjectName(QStringLiteral("standard"));
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(standard);
    bottom->addStretch(1);
    bottom->addWidget(OkCancelButtons(this));
    layout->addLayout(bottom);

    // A page number and distances in millimetres on the paper.
    m_start->setValidator(new QIntValidator(-999999, 999999, m_start));
    for (QLineEdit* edit : {m_topDistance, m_belowDistance, m_leftDistance}) {
        auto* mm = new QDoubleValidator(0, 2000, 1, edit);
        mm->setNotation(QDoubleValidator::StandardNotation);
        edit->setValidator(mm);
    }
    FromForm();

    connect(m_prefix, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (m_filling) return;
        m_form.suffix = Us(m_suffix->currentText());
        m_form.ChoosePrefix(Us(t));
        FromForm();
    });
    connect(m_suffix, &QComboBox::currentTextChanged, this, [this] { ToForm(); });
    for (QLineEdit* edit : {m_start, m_topDistance, m_belowDistance, m_leftDistance})
        connect(edit, &QLineEdit::textEdited, this, [this] { ToForm(); });
    for (QRadioButton* radio : {m_fromTop, m_belowLog, m_fromLeft, m_centred})
        connect(radio, &QRadioButton::toggled, this, [this] { ToForm(); FromForm(); });
    connect(sameAsCompany, &QPushButton::clicked, this, [this] {
        ToForm();
        m_form.SameAsCompanyName();
        FromForm();
    });
    connect(standard, &QPushButton::clicked, this, [this] {
        ToForm();
        m_form.ApplyStandard();
        FromForm();
    });
}

void FooterDialog::FromForm() {
    if (m_filling) return;
    m_filling = true;
    // The prefix box keeps its cursor while it is typed in: only a different text is set.
    if (Us(m_prefix->currentText()) != m_form.prefix &&
        !(m_form.prefix.empty() && m_prefix->currentText().contains(QStringLiteral("<無し>"))))
        m_prefix->setEditText(Qs(m_form.prefix));
    if (Us(m_suffix->currentText()) != m_form.suffix) m_suffix->setEditText(Qs(m_form.suffix));
    if (Us(m_start->text()) != m_form.startNumber) m_start->setText(Qs(m_form.startNumber));
    m_topDistance->setText(Qs(m_form.topDistance));
    m_belowDistance->setText(Qs(m_form.belowLog));
    m_leftDistance->setText(Qs(m_form.leftDistance));
    m_centre->setText(QString::number(m_form.CentreMm()));
    (m_form.positionMode == 0 ? m_fromTop : m_belowLog)->setChecked(true);
    (m_form.horizontalMode == 0 ? m_fromLeft : m_centred)->setChecked(true);
    m_topDistance->setEnabled(m_form.TopDistanceEnabled());
    m_belowDistance->setEnabled(m_form.BelowLogEnabled());
    m_leftDistance->setEnabled(m_form.LeftDistanceEnabled());
    m_filling = false;
    UpdatePreview();
}

void FooterDialog::ToForm() {
    if (m_filling) return;
    const QString prefix = m_prefix->currentText();
    m_form.prefix = prefix.contains(QStringLiteral("<無し>")) ? std::string() : Us(prefix);
    m_form.startNumber = Us(m_start->text());
    m_form.suffix = Us(m_suffix->currentText());
    m_form.topDistance = Us(m_topDistance->text());
    m_form.belowLog = Us(m_belowDistance->text());
    m_form.leftDistance = Us(m_leftDistance->text());
    m_form.positionMode = m_fromTop->isChecked() ? 0 : 1;
    m_form.horizontalMode = m_fromLeft->isChecked() ? 0 : 1;
    UpdatePreview();
}

void FooterDialog::UpdatePreview() { m_preview->setText(Qs(m_form.Preview())); }

void FooterDialog::accept() {
    ToForm();
    if (!m_form.Accept(m_result, m_messages)) return;
    QDialog::accept();
}

bool RunFooterDialog(QWidget* parent, app::Workspace& w, core::Messages& messages, int paperWidthMm,
                     int paperLengthMm) {
    FooterDialog dialog(app::FooterForm(w.footer, paperWidthMm, paperLengthMm), messages, parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    if (!app::SaveFooterSettings(dialog.Result(), w.folder, &messages)) return false;
    w.footer = dialog.Result();
    return true;
}

}  // namespace stracol::gui
