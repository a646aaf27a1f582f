#include "gui/TitleLayoutDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/FieldText.h"
#include "app/Workspace.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "gui/DialogText.h"
#include "gui/EnterKeyMode.h"
#include "gui/FormSupport.h"

namespace stracol::gui {

namespace {

using style::TitleForm;

QLineEdit* NamedEdit(QWidget* parent, const char* name) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(90);
    return edit;
}

QComboBox* NamedList(QWidget* parent, const char* name, const std::vector<std::string>& choices) {
    auto* list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    for (const auto& choice : choices) list->addItem(Qs(choice));
    return list;
}

QPushButton* NamedButton(QWidget* parent, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

// Heights in mm: a band can be no taller than a sheet of paper.
constexpr double kMaxHeightMm = 420;

}  // namespace

TitleLayoutDialog::TitleLayoutDialog(style::TitleForm form, std::string installFolder, core::Messages& messages,
                                     QWidget* parent)
    : QDialog(parent), m_form(std::move(form)), m_installFolder(std::move(installFolder)), m_messages(messages) {
    setWindowTitle(QStringLiteral("標題欄の配置,書式　標題部と事項欄の位置"));
    auto* layout = new QVBoxLayout(this);

    auto* upper = new QGroupBox(QStringLiteral("標題上部"), this);
    auto* upperGrid = new QGridLayout(upper);
    auto* itemLeft = NamedEdit(upper, "upperItemLeft");
    auto* blankLeft = NamedEdit(upper, "upperBlankLeft");
    auto* dataLeft = NamedEdit(upper, "upperDataLeft");
    auto* itemAlign = NamedList(upper, "upperItemAlign", style::UpperAlignChoices());
    auto* dataAlign = NamedList(upper, "upperDataAlign", style::UpperAlignChoices());
    upperGrid->addWidget(new QLabel(QStringLiteral("枠左端から"), upper), 0, 0);
    upperGrid->addWidget(new QLabel(QStringLiteral("標題項目名"), upper), 0, 1);
    upperGrid->addWidget(new QLabel(QStringLiteral("空白部"), upper), 0, 2);
    upperGrid->addWidget(new QLabel(QStringLiteral("データ"), upper), 0, 3);
    upperGrid->addWidget(new QLabel(QStringLiteral("位置 mm"), upper), 1, 0);
    upperGrid->addWidget(itemLeft, 1, 1);
    upperGrid->addWidget(blankLeft, 1, 2);
    upperGrid->addWidget(dataLeft, 1, 3);
    upperGrid->addWidget(new QLabel(QStringLiteral("文字配置"), upper), 2, 0);
    upperGrid->addWidget(itemAlign, 2, 1, 1, 2);
    upperGrid->addWidget(dataAlign, 2, 3);
    auto* fixedWidth = NamedEdit(upper, "underlineFixedWidth");
    m_underline = NamedList(upper, "underline", style::UnderlineChoices());
    m_underline->setEditable(false);
    upperGrid->addWidget(new QLabel(QStringLiteral("アンダーライン"), upper), 3, 0);
    upperGrid->addWidget(m_underline, 3, 1, 1, 2);
    upperGrid->addWidget(new QLabel(QStringLiteral("固定幅 mm"), upper), 3, 3);
    upperGrid->addWidget(fixedWidth, 3, 4);
    layout->addWidget(upper);

    auto* frame = new QGroupBox(QStringLiteral("標題枠"), this);
    auto* frameGrid = new QGridLayout(frame);
    auto* itemA = NamedList(frame, "frameItemAAlign", style::FrameAlignChoices());
    auto* frameData = NamedList(frame, "frameDataAlign", style::FrameAlignChoices());
    auto* itemB = NamedList(frame, "frameItemBAlign", style::FrameItemBAlignChoices());
    frameGrid->addWidget(new QLabel(QStringLiteral("標題項目名A … ボーリング名 ～ ポンプ　文字配置"), frame), 0, 0);
    frameGrid->addWidget(itemA, 0, 1);
    frameGrid->addWidget(new QLabel(QStringLiteral("標題項目名B … 角度、方位、地盤勾配、使用機種　文字配置"), frame), 1, 0);
    frameGrid->addWidget(itemB, 1, 1);
    frameGrid->addWidget(new QLabel(QStringLiteral("データの配置"), frame), 2, 0);
    frameGrid->addWidget(frameData, 2, 1);
    auto* format1 = NamedButton(frame, QStringLiteral("書式例 1"), "format1");
    auto* format2 = NamedButton(frame, QStringLiteral("書式例 2"), "format2");
    frameGrid->addWidget(format1, 0, 2);
    frameGrid->addWidget(format2, 1, 2);
    layout->addWidget(frame);

    auto* bands = new QGroupBox(QStringLiteral("標題部の高さ mm"), this);
    auto* bandGrid = new QGridLayout(bands);
    const char* names[] = {"h1", "b1", "h2", "b2", "h3"};
    const char* labels[] = {"H1 標題上部", "B1 空白部", "H2 標題枠部", "B2 空白部", "H3 事項欄項目部"};
    for (int i = 0; i < 5; ++i) {
        auto* edit = NamedEdit(bands, names[i]);
        m_heights.push_back(edit);
        bandGrid->addWidget(new QLabel(QString::fromUtf8(labels[i]), bands), i, 0);
        bandGrid->addWidget(edit, i, 1);
    }
    auto* layout1 = NamedButton(bands, QStringLiteral("配置例 1"), "layout1");
    auto* layout2 = NamedButton(bands, QStringLiteral("配置例 2"), "layout2");
    bandGrid->addWidget(layout1, 0, 2);
    bandGrid->addWidget(layout2, 1, 2);
    layout->addWidget(bands);

    auto* bottom = new QHBoxLayout;
    auto* standard = NamedButton(this, QStringLiteral("標準として保存"), "saveStandard");
    bottom->addWidget(standard);
    bottom->addStretch(1);
    bottom->addWidget(OkCancelButtons(this));
    layout->addLayout(bottom);

    m_lineEdits = {{itemLeft, TitleForm::UpperItemLeft},
                   {blankLeft, TitleForm::UpperBlankLeft},
                   {dataLeft, TitleForm::UpperDataLeft},
                   {fixedWidth, TitleForm::UnderlineFixedWidth}};
    m_lineLists = {{itemAlign, TitleForm::UpperItemAlign},   {dataAlign, TitleForm::UpperDataAlign},
                   {itemA, TitleForm::FrameItemAAlign},      {frameData, TitleForm::FrameDataAlign},
                   {itemB, TitleForm::FrameItemBAlign}};
    FromForm();
    ShowHeights(m_form.Heights());

    auto example = [this](int number) {
        ToForm();
        m_form.ApplyFormatExample(number);
        FromForm();
    };
    connect(format1, &QPushButton::clicked, this, [example] { example(1); });
    connect(format2, &QPushButton::clicked, this, [example] { example(2); });
    connect(layout1, &QPushButton::clicked, this, [this] { ShowHeights(style::TitleHeights::Standard()); });
    connect(layout2, &QPushButton::clicked, this, [this] { ShowHeights(style::TitleHeights::Example2()); });
    connect(standard, &QPushButton::clicked, this, [this] {
        style::TitleHeights heights;
        ToForm();
        if (!ReadHeights(heights)) return;
        style::SaveTitleFormAsStandard(m_form, heights, m_installFolder, m_messages);
    });
}

void TitleLayoutDialog::ShowHeights(const style::TitleHeights& h) {
    const double values[] = {h.h1, h.b1, h.h2, h.b2, h.h3};
    for (int i = 0; i < 5; ++i) m_heights[i]->setText(Qs(core::Sprintf("%.1f", values[i])));
}

void TitleLayoutDialog::FromForm() {
    for (auto& [edit, line] : m_lineEdits) edit->setText(Qs(m_form.Get(line)));
    for (auto& [list, line] : m_lineLists) list->setEditText(Qs(m_form.Get(line)));
    const int mode = static_cast<int>(m_form.Number(TitleForm::UnderlineMode));
    m_underline->setCurrentIndex(mode >= 0 && mode < m_underline->count() ? mode : 1);
}

bool TitleLayoutDialog::ReadHeights(style::TitleHeights& h) {
    double* values[] = {&h.h1, &h.b1, &h.h2, &h.b2, &h.h3};
    for (int i = 0; i < 5; ++i) {
        if (auto error = app::ParseRealField(Us(m_heights[i]->text()), 0, kMaxHeightMm, *values[i])) {
            RefuseField(m_heights[i], m_messages, error->message);
            return false;
        }
    }
    return true;
}

void TitleLayoutDialog::ToForm() {
    for (auto& [edit, line] : m_lineEdits) m_form.Set(line, Us(edit->text()));
    for (auto& [list, line] : m_lineLists) m_form.Set(line, Us(list->currentText()));
    m_form.Set(TitleForm::UnderlineMode, std::to_string(m_underline->currentIndex()));
}

void TitleLayoutDialog::accept() {
    style::TitleHeights heights;
    ToForm();
    if (!ReadHeights(heights)) return;
    style::ConfirmTitleHeights(m_form, heights, m_messages);  // a warning; the dialog still closes
    QDialog::accept();
}

bool RunTitleLayoutDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    TitleLayoutDialog dialog(w.titleForm, w.folder.Path(), messages, parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    w.titleForm = dialog.Form();
    return true;
}

}  // namespace stracol::gui
