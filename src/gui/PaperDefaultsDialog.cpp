#include "gui/PaperDefaultsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/PaperDefaultsModel.h"
#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/EnterKeyMode.h"
#include "gui/FormSupport.h"

namespace stracol::gui {

PaperDefaultsDialog::PaperDefaultsDialog(app::PaperDefaultsModel& model, int enterKeyMode, QWidget* parent)
    : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("PaperDefaultsDialog"));
    setWindowTitle(QStringLiteral("印刷用紙の初期設定"));
    m_enabled = new QCheckBox(QStringLiteral("本ソフト起動時に下記の初期設定とする"), this);
    m_enabled->setObjectName(QStringLiteral("StartupPaperEnabled"));

    auto pair = [&](const QString& title, const QString& first, const QString& second, const char* name,
                    QButtonGroup*& group) {
        auto* box = new QGroupBox(title, this);
        auto* row = new QHBoxLayout(box);
        group = new QButtonGroup(this);
        int id = 0;
        for (const QString& caption : {first, second}) {
            auto* radio = new QRadioButton(caption, box);
            radio->setObjectName(QStringLiteral("%1%2").arg(QLatin1String(name)).arg(id));
            group->addButton(radio, id++);
            row->addWidget(radio);
        }
        return box;
    };
    auto* choices = new QHBoxLayout;
    choices->addWidget(pair(QStringLiteral("用紙サイズ"), QStringLiteral("A3"), QStringLiteral("A4"), "paper", m_size));
    choices->addWidget(pair(QStringLiteral("印刷の向き"), QStringLiteral("縦"), QStringLiteral("横"), "orientation",
                            m_orientation));

    auto* notes = new QVBoxLayout;
    notes->addWidget(new QLabel(Q(core::MessageText(core::MessageId::NextStartup)), this));
    notes->addWidget(new QLabel(QStringLiteral("・ 印刷やﾌﾟﾘﾝﾀの設定の画面で用紙を変えることもできます."), this));
    notes->addWidget(new QLabel(Q(core::MessageText(core::MessageId::A3Printer)), this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &PaperDefaultsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_enabled);
    layout->addLayout(choices);
    layout->addLayout(notes);
    layout->addWidget(buttons);

    m_enabled->setChecked(m_model.Enabled());
    m_size->button(m_model.PaperSize())->setChecked(true);
    m_orientation->button(m_model.Orientation())->setChecked(true);
    ShowEnabled();
    connect(m_enabled, &QCheckBox::toggled, this, [this](bool on) {
        m_model.SetEnabled(on);
        ShowEnabled();
    });
    InstallEnterKeyMode(*this, enterKeyMode);
}

void PaperDefaultsDialog::ShowEnabled() {
    for (QButtonGroup* group : {m_size, m_orientation})
        for (QAbstractButton* b : group->buttons()) b->setEnabled(m_model.ChoicesEnabled());
}

void PaperDefaultsDialog::accept() {
    m_model.SetEnabled(m_enabled->isChecked());
    m_model.SetPaperSize(m_size->checkedId());
    m_model.SetOrientation(m_orientation->checkedId());
    QDialog::accept();
}

bool RunPaperDefaultsDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    app::PaperDefaultsModel model(w.settings);
    PaperDefaultsDialog dialog(model, w.settings.EnterKeyMode, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    model.Commit(w.settings, w.folder, &messages);
    return true;
}

}  // namespace stracol::gui
