#include "gui/KeyOptionsDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/KeyOptionsModel.h"
#include "app/Workspace.h"
#include "core/Messages.h"

namespace stracol::gui {

KeyOptionsDialog::KeyOptionsDialog(app::KeyOptionsModel& model, QWidget* parent) : QDialog(parent), m_model(model) {
    setObjectName(QStringLiteral("KeyOptionsDialog"));
    setWindowTitle(QStringLiteral("キーの動作 オプション"));
    auto* enter = new QGroupBox(QStringLiteral("Enterキー (Returnキー)"), this);
    auto* grid = new QGridLayout(enter);
    grid->addWidget(new QLabel(QStringLiteral("データ入力画面での動作"), enter), 0, 0, 1, 2);
    m_enter = new QButtonGroup(this);
    const QString captions[][2] = {
        {QStringLiteral("Windows標準"), QStringLiteral("OKボタンクリックと同じ")},
        {QStringLiteral("次に移動"), QStringLiteral("次の入力欄に移動")},
        {QStringLiteral("確定のみ"), QStringLiteral("OKボタンや次に移動しない")},
    };
    for (int mode = 0; mode < 3; ++mode) {
        auto* radio = new QRadioButton(captions[mode][0], enter);
        radio->setObjectName(QStringLiteral("enterKey%1").arg(mode));
        m_enter->addButton(radio, mode);
        grid->addWidget(radio, mode + 1, 0);
        grid->addWidget(new QLabel(captions[mode][1], enter), mode + 1, 1);
    }
    grid->addWidget(new QLabel(QStringLiteral("漢字変換やドロップダウン選択等では常にWindowsの\n標準動作になります"), enter),
                    4, 0, 1, 2);

    // Kept in the settings, not offered.
    auto* opening = new QGroupBox(QStringLiteral("データ入力画面オープン時の表示"), this);
    auto* o = new QVBoxLayout(opening);
    m_scroll = new QCheckBox(QStringLiteral("デ－タ一覧表を入力済み最下行までスクロール"), opening);
    m_scroll->setObjectName(QStringLiteral("ScrollToLastRow"));
    o->addWidget(m_scroll);
    opening->setVisible(false);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &KeyOptionsDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(enter);
    layout->addWidget(opening);
    layout->addWidget(buttons);

    m_enter->button(m_model.EnterKeyMode())->setChecked(true);
    m_scroll->setChecked(m_model.ScrollToLastRow());
}

void KeyOptionsDialog::accept() {
    m_model.SetEnterKeyMode(m_enter->checkedId());
    m_model.SetScrollToLastRow(m_scroll->isChecked());
    QDialog::accept();
}

bool RunKeyOptionsDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    app::KeyOptionsModel model(w.settings);
    KeyOptionsDialog dialog(model, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    model.Commit(w.settings, w.folder, &messages);
    return true;
}

}  // namespace stracol::gui
