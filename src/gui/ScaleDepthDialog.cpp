#include "gui/ScaleDepthDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>

#include "app/ScaleDepthModel.h"
#include "app/Workspace.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "gui/EnterKeyMode.h"
#include "gui/FormSupport.h"

namespace stracol::gui {

namespace {

QLineEdit* NumberEdit(const char* name, QWidget* parent) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(90);
    return edit;
}

QLabel* Shown(const char* name, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    label->setMinimumWidth(60);
    return label;
}

}  // namespace

ScaleDepthDialog::ScaleDepthDialog(app::ScaleDepthModel& model, core::Messages& messages, int enterKeyMode,
                                   QWidget* parent)
    : QDialog(parent), m_model(model), m_messages(messages) {
    setObjectName(QStringLiteral("ScaleDepthDialog"));
    setWindowTitle(QStringLiteral("縮尺と表示深度"));
    auto* grid = new QGridLayout;
    int row = 0;
    auto addRow = [&](const QString& caption, QWidget* field, const QString& unit, const QString& hint = {}) {
        auto* label = new QLabel(caption, this);
        label->setBuddy(field);
        grid->addWidget(label, row, 0);
        grid->addWidget(field, row, 1);
        grid->addWidget(new QLabel(unit, this), row, 2);
        if (!hint.isEmpty()) grid->addWidget(new QLabel(hint, this), row, 3);
        ++row;
    };
    m_horizontal = NumberEdit("horizontalScale", this);
    m_depthScale = NumberEdit("depthScale", this);
    m_dataOnly = new QCheckBox(QStringLiteral("深度データ部のみ縮尺有効"), this);
    m_dataOnly->setObjectName(QStringLiteral("depthOnlyScaled"));
    m_paperLength = Shown("paperLength", this);
    m_freeArticle = Shown("freeArticle", this);
    m_maxDepth = Shown("maxDepthPerPage", this);
    m_start = NumberEdit("printStartDepth", this);
    m_depthPerPage = NumberEdit("depthPerPage", this);
    m_overlap = NumberEdit("pageOverlap", this);

    addRow(QStringLiteral("横方向のの縮尺(&X)  1/?"), m_horizontal, QString(), QStringLiteral("50～500"));
    addRow(QStringLiteral("深度の縮尺(&Z)  1/?"), m_depthScale, QString(), QStringLiteral("50～500"));
    grid->addWidget(m_dataOnly, row++, 0, 1, 4);
    addRow(QStringLiteral("用紙長さ"), m_paperLength, QStringLiteral("mm"));
    addRow(QStringLiteral("自由記事欄"), m_freeArticle, QStringLiteral("mm"));
    addRow(QStringLiteral("1ページの最大深度"), m_maxDepth, QStringLiteral("m/頁"));
    addRow(QStringLiteral("印刷開始深度(&S)"), m_start, QStringLiteral("m"));
    addRow(QStringLiteral("１ページの深度(&D) "), m_depthPerPage, QStringLiteral("m/頁"));
    addRow(QStringLiteral("改ページの重複深度(&O)"), m_overlap, QStringLiteral("m"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &ScaleDepthDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    ShowValues();
    // The largest depth per page follows the depth scale and the check box as they change;
    // a scale that leaves no room is said when the field is left.
    connect(m_depthScale, &QLineEdit::textEdited, this, [this] { UpdateMaxDepth(); });
    connect(m_dataOnly, &QCheckBox::toggled, this, [this] { UpdateMaxDepth(); });
    connect(m_depthScale, &QLineEdit::editingFinished, this, [this] {
        if (m_model.MaxDepthPerPage() <= 0 && isVisible())
            m_messages.Warning(core::MessageText(core::MessageId::NoDrawingLength));
    });
    InstallEnterKeyMode(*this, enterKeyMode);
}

void ScaleDepthDialog::ShowValues() {
    const render::ScaleAndDepth& v = m_model.Values();
    m_horizontal->setText(QString::number(v.horizontalScale));
    m_depthScale->setText(QString::number(v.depthScale));
    m_dataOnly->setChecked(v.depthOnlyScaled);
    m_paperLength->setText(QString::number(m_model.PaperLengthMm()));
    m_freeArticle->setText(QString::number(m_model.FreeArticleHeightMm()));
    m_start->setText(Q(core::Sprintf("%g", v.printStartDepth)));
    m_depthPerPage->setText(QString::number(v.depthPerPage));
    m_overlap->setText(QString::number(v.pageOverlap));
    UpdateMaxDepth();
}

void ScaleDepthDialog::UpdateMaxDepth() {
    // Only a depth scale the dialog would take counts; the figure stays while it is typed.
    m_model.SetDepthScale(U(m_depthScale->text()));
    m_model.SetDepthOnlyScaled(m_dataOnly->isChecked());
    m_maxDepth->setText(Q(m_model.MaxDepthText()));
}

bool ScaleDepthDialog::TakeFields() {
    struct Entry {
        QLineEdit* edit;
        std::optional<app::FieldError> (app::ScaleDepthModel::*set)(std::string_view);
    };
    const Entry entries[] = {
        {m_horizontal, &app::ScaleDepthModel::SetHorizontalScale},
        {m_depthScale, &app::ScaleDepthModel::SetDepthScale},
        {m_start, &app::ScaleDepthModel::SetPrintStartDepth},
        {m_depthPerPage, &app::ScaleDepthModel::SetDepthPerPage},
        {m_overlap, &app::ScaleDepthModel::SetPageOverlap},
    };
    for (const Entry& e : entries) {
        if (auto refused = (m_model.*e.set)(U(e.edit->text()))) {
            RefuseField(e.edit, m_messages, refused->message);
            return false;
        }
    }
    m_model.SetDepthOnlyScaled(m_dataOnly->isChecked());
    return true;
}

void ScaleDepthDialog::accept() {
    if (!TakeFields()) return;
    if (!m_model.Confirm(m_messages)) {
        // Shown once more: the overlap is 0 now (and the depth per page what fits, when it
        // was too deep).
        ShowValues();
        m_overlap->setFocus(Qt::OtherFocusReason);
        m_overlap->selectAll();
        return;
    }
    QDialog::accept();
}

bool RunScaleDepthDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    app::ScaleDepthModel model(w.geometry, w.settings);
    ScaleDepthDialog dialog(model, messages, w.settings.EnterKeyMode, parent);
    if (model.MaxDepthPerPage() <= 0) messages.Warning(core::MessageText(core::MessageId::NoDrawingLength));
    if (dialog.exec() != QDialog::Accepted) return false;
    model.Commit(w.geometry, w.settings, w.folder, &messages);
    return true;
}

}  // namespace stracol::gui
