#include "gui/FontsDialog.h"

#include <QColorDialog>
#include <QDialogButtonBox>
#include <QFontDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "app/FieldText.h"
#include "app/FontsModel.h"
#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/EnterKeyMode.h"
#include "gui/FormSupport.h"

namespace stracol::gui {

namespace {

struct SlotText {
    const char* button;
    const char* note;
};

// The slot buttons and their notes, in file order.
const SlotText kSlots[app::kFontCount] = {
    {"　標題部", "調査名～目的、ボーリング名～使用機種、フッタ社名"},
    {"　項目部", "事項欄上部枠内の項目名部分"},
    {"　柱状図", "下記2項目を除く柱状図枠内のデータ部分"},
    {" 記事", "観察記事"},
    {" 柱状図2", "地下水検層経過時間"},
    {"　自由記事", "柱状図下部 自由記事欄"},
    {"　ページ", "フッタページ"},
    {" 図中", "角度、方位、地盤勾配の図中の文字 グラフ目盛り"},
};

}  // namespace

FontsDialog::FontsDialog(app::FontsModel& model, core::Messages& messages, QWidget* parent)
    : QDialog(parent), m_model(model), m_messages(messages) {
    setObjectName(QStringLiteral("FontsDialog"));
    setWindowTitle(QStringLiteral("フォント"));
    auto* rows = new QGridLayout;
    for (int slot = 1; slot <= app::kFontCount; ++slot) {
        const int i = slot - 1;
        auto* button = new QPushButton(Q(kSlots[i].button), this);
        button->setObjectName(QStringLiteral("font%1").arg(slot));
        button->setAutoDefault(false);
        button->setMinimumWidth(90);
        m_faces[i] = new QLabel(this);
        m_faces[i]->setObjectName(QStringLiteral("face%1").arg(slot));
        m_faces[i]->setMinimumWidth(140);
        m_sizes[i] = new QLabel(this);
        m_sizes[i]->setObjectName(QStringLiteral("size%1").arg(slot));
        m_sizes[i]->setMinimumWidth(100);
        m_samples[i] = new QPushButton(this);
        m_samples[i]->setObjectName(QStringLiteral("colour%1").arg(slot));
        m_samples[i]->setAutoDefault(false);
        m_samples[i]->setFixedSize(32, 18);
        m_samples[i]->setToolTip(QStringLiteral("色"));
        rows->addWidget(button, i, 0);
        rows->addWidget(m_faces[i], i, 1);
        rows->addWidget(m_sizes[i], i, 2);
        rows->addWidget(m_samples[i], i, 3);
        rows->addWidget(new QLabel(Q(kSlots[i].note), this), i, 4);
        connect(button, &QPushButton::clicked, this, [this, slot] { ChooseFont(slot); });
        connect(m_samples[i], &QPushButton::clicked, this, [this, slot] { ChooseColour(slot); });
    }

    auto* presets = new QHBoxLayout;
    auto* family = new QGroupBox(this);
    auto* f = new QHBoxLayout(family);
    m_mincho = new QRadioButton(QStringLiteral("明朝"), family);
    m_mincho->setObjectName(QStringLiteral("mincho"));
    auto* gothic = new QRadioButton(QStringLiteral("ゴシック"), family);
    gothic->setObjectName(QStringLiteral("gothic"));
    m_mincho->setChecked(true);
    f->addWidget(m_mincho);
    f->addWidget(gothic);
    for (int example : {1, 2}) {
        auto* button = new QPushButton(QStringLiteral("標準例 %1").arg(example), this);
        button->setObjectName(QStringLiteral("example%1").arg(example));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, example] {
            m_model.ApplyExample(example, m_mincho->isChecked() ? app::FontsModel::Family::Mincho
                                                                : app::FontsModel::Family::Gothic);
            ShowRows();
        });
        presets->addWidget(button);
    }
    presets->addWidget(family);
    presets->addStretch();
    presets->addWidget(new QLabel(QStringLiteral("タイトルは H*1.6　技師No H*0.6"), this));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FontsDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(rows);
    layout->addLayout(presets);
    layout->addWidget(buttons);
    ShowRows();
}

void FontsDialog::ShowRows() {
    for (int slot = 1; slot <= app::kFontCount; ++slot) {
        const int i = slot - 1;
        const app::FontSetting& font = m_model.Slot(slot);
        m_faces[i]->setText(Q(font.faceName));
        m_sizes[i]->setText(Q(app::FontsModel::SizeText(font.sizePt)));
        QPalette palette = m_samples[i]->palette();
        palette.setColor(QPalette::Button, ColourOfValue(font.colour));
        m_samples[i]->setPalette(palette);
        m_samples[i]->setStyleSheet(QStringLiteral("background-color: %1").arg(ColourOfValue(font.colour).name()));
    }
}

void FontsDialog::ChooseFont(int slot) {
    const app::FontSetting& current = m_model.Slot(slot);
    QFont font(Q(current.faceName));
    font.setPointSizeF(current.sizePt);
    std::optional<QFont> chosen;
    if (m_chooseFont) {
        chosen = m_chooseFont(font);
    } else {
        bool ok = false;
        const QFont picked = QFontDialog::getFont(&ok, font, this, QString());
        if (ok) chosen = picked;
    }
    if (!chosen) return;
    // The effects flag is the font's own (not offered by this font dialog); it is carried.
    if (!m_model.SetSlot(slot, U(chosen->family()), chosen->pointSizeF(), current.colour, current.effects)) {
        m_messages.Warning(app::RealRangeMessage(1, app::MaxFontSize(slot)));
        return;
    }
    ShowRows();
}

void FontsDialog::ChooseColour(int slot) {
    const QColor current = ColourOfValue(m_model.Slot(slot).colour);
    const std::optional<QColor> chosen = gui::ChooseColour(m_chooseColour, current, this);
    if (!chosen) return;
    m_model.SetColour(slot, SettingsColourValue(*chosen));
    ShowRows();
}

void FontsDialog::reject() {
    if (m_model.MayCancel(m_messages)) QDialog::reject();
}

bool RunFontsDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    app::FontsModel model(w.fonts);
    FontsDialog dialog(model, messages, parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    model.Commit(w.fonts, w.folder, &messages);
    return true;
}

}  // namespace stracol::gui
