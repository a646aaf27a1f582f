#include "gui/StyleEditorDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/DialogText.h"
#include "gui/EnterKeyMode.h"
#include "style/Placement.h"

namespace stracol::gui {

namespace {

QPushButton* NamedButton(QWidget* parent, const QString& caption, const char* name) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* NamedEdit(QWidget* parent, const char* name, bool readOnly = false) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setReadOnly(readOnly);
    return edit;
}

// The table's column headers: the field numbers with the names of the visible fields.
QStringList TableHeaders() {
    QStringList headers;
    for (int n = 1; n <= style::kDisplayItemFields; ++n) {
        switch (n) {
        case style::kLabelField: headers << QStringLiteral("表示事項"); break;
        case style::kWidthField: headers << QStringLiteral("表示幅"); break;
        case 3: headers << QStringLiteral("表示記事1"); break;
        case 7: headers << QStringLiteral("表示記事2"); break;
        case style::kMarkerField: headers << QStringLiteral("19"); break;
        case style::kDataPlacementField: headers << QStringLiteral("デ-タ配置"); break;
        case style::kGroupCountField: headers << QStringLiteral("グループ数"); break;
        default: headers << QString::number(n); break;
        }
    }
    return headers;
}

}  // namespace

StyleEditorDialog::StyleEditorDialog(style::StyleEditorModel& model, core::Messages& messages, QWidget* parent)
    : QDialog(parent), m_model(model), m_messages(messages) {
    setWindowTitle(QStringLiteral("柱状図様式 表示事項の選択､文字配置などの様式"));
    auto* layout = new QHBoxLayout(this);

    // Left: the all-items list.
    auto* left = new QVBoxLayout;
    left->addWidget(new QLabel(QStringLiteral("表示事項 クリックで選択"), this));
    m_items = new QListWidget(this);
    m_items->setObjectName(QStringLiteral("items"));
    for (const auto& entry : m_model.Catalogue().Entries()) m_items->addItem(Qs(entry.Label()));
    m_items->setMinimumWidth(230);
    left->addWidget(m_items, 1);
    layout->addLayout(left);

    // Centre: the style's boxes, the edit fields, the buttons and the table.
    auto* centre = new QVBoxLayout;
    auto* top = new QGridLayout;
    m_builtIn = new QComboBox(this);
    m_builtIn->setObjectName(QStringLiteral("builtIn"));
    for (const auto& entry : style::StyleEditorModel::BuiltInStyleEntries()) m_builtIn->addItem(Qs(entry));
    auto* applyBuiltIn = NamedButton(this, QStringLiteral("→ 開く"), "applyBuiltIn");
    m_title = new QComboBox(this);
    m_title->setObjectName(QStringLiteral("title"));
    m_title->setEditable(true);
    for (const auto& entry : style::StyleEditorModel::TitleEntries()) m_title->addItem(Qs(entry));
    m_title->setMinimumWidth(300);
    auto* paper = NamedEdit(this, "paperWidth", true);
    auto* titleWidth = NamedEdit(this, "titleWidth", true);
    paper->setText(QString::number(m_model.Context().paperWidthMm));
    titleWidth->setText(QString::number(m_model.Context().titleWidthMm));
    top->addWidget(new QLabel(QStringLiteral("様式例"), this), 0, 0);
    top->addWidget(m_builtIn, 0, 1);
    top->addWidget(applyBuiltIn, 0, 2);
    top->addWidget(new QLabel(QStringLiteral("柱状図タイトル"), this), 0, 3);
    top->addWidget(m_title, 0, 4, 1, 3);
    top->addWidget(new QLabel(QStringLiteral("用 紙 幅"), this), 1, 0);
    top->addWidget(paper, 1, 1);
    top->addWidget(new QLabel(QStringLiteral("標題部幅"), this), 1, 3);
    top->addWidget(titleWidth, 1, 4);
    centre->addLayout(top);

    auto* edit = new QGroupBox(this);
    auto* editGrid = new QGridLayout(edit);
    auto* label = NamedEdit(edit, "label", true);
    auto* width = NamedEdit(edit, "width");
    auto* header1 = NamedEdit(edit, "header1");
    auto* header2 = NamedEdit(edit, "header2");
    auto* group = NamedEdit(edit, "groupCount");
    m_placement = new QComboBox(edit);
    m_placement->setObjectName(QStringLiteral("dataPlacement"));
    m_placement->setEditable(true);
    for (const auto& entry : style::DataPlacementList()) m_placement->addItem(Qs(entry.listName));
    m_editBoxes = {{label, style::kLabelField}, {width, style::kWidthField}, {header1, 3},
                   {header2, 7},                {group, style::kGroupCountField}};
    editGrid->addWidget(new QLabel(QStringLiteral("表示事項"), edit), 0, 0);
    editGrid->addWidget(label, 0, 1, 1, 2);
    editGrid->addWidget(new QLabel(QStringLiteral("表示幅"), edit), 0, 3);
    editGrid->addWidget(width, 0, 4);
    editGrid->addWidget(new QLabel(QStringLiteral("㎜"), edit), 0, 5);
    editGrid->addWidget(new QLabel(QStringLiteral("表示記事"), edit), 1, 0);
    editGrid->addWidget(header1, 1, 1);
    editGrid->addWidget(header2, 1, 2);
    editGrid->addWidget(new QLabel(QStringLiteral("デ-タ配置"), edit), 1, 3);
    editGrid->addWidget(m_placement, 1, 4, 1, 2);
    editGrid->addWidget(new QLabel(QStringLiteral("グループ数"), edit), 0, 6);
    editGrid->addWidget(group, 0, 7);
    centre->addWidget(edit);

    auto* buttons = new QHBoxLayout;
    auto* add = NamedButton(this, QStringLiteral("追加 ↓"), "add");
    auto* overwrite = NamedButton(this, QStringLiteral("上書き ↓"), "overwrite");
    auto* remove = NamedButton(this, QStringLiteral("行削除 ↓"), "delete");
    auto* up = NamedButton(this, QStringLiteral("↑"), "up");
    auto* down = NamedButton(this, QStringLiteral("↓"), "down");
    auto* sum = NamedButton(this, QStringLiteral("表示幅合計"), "widthSum");
    m_widthSum = NamedEdit(this, "widthSumBox", true);
    m_widthSum->setMaximumWidth(80);
    auto* distribute = NamedButton(this, QStringLiteral("自動配分"), "distribute");
    for (QWidget* w : std::initializer_list<QWidget*>{add, overwrite, remove, up, down, sum, m_widthSum, distribute})
        buttons->addWidget(w);
    buttons->addStretch(1);
    centre->addLayout(buttons);

    m_table = new QTableWidget(style::kMaxItemRows, style::kDisplayItemFields, this);
    m_table->setObjectName(QStringLiteral("table"));
    m_table->setHorizontalHeaderLabels(TableHeaders());
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::SingleSelection);
    m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_table->setShowGrid(true);
    m_table->verticalHeader()->setDefaultSectionSize(20);
    m_table->setColumnWidth(0, 190);
    m_table->setColumnWidth(1, 50);
    m_table->setMinimumSize(720, 360);
    centre->addWidget(m_table, 1);

    auto* bottom = new QHBoxLayout;
    auto* open = NamedButton(this, QStringLiteral("開く"), "open");
    auto* save = NamedButton(this, QStringLiteral("保存"), "save");
    auto* option = NamedButton(this, QStringLiteral("オプション"), "option");
    m_styleName = NamedEdit(this, "styleName", true);
    bottom->addWidget(open);
    bottom->addWidget(save);
    bottom->addWidget(option);
    bottom->addWidget(m_styleName, 1);
    bottom->addWidget(OkCancelButtons(this));
    centre->addLayout(bottom);
    layout->addLayout(centre, 1);

    m_chooseOpen = [this](const QString& folder) {
        return QFileDialog::getOpenFileName(this, QString(), folder,
                                            QStringLiteral("スタイルファイル(*.tls);;Tesselの様式部分 (*.tlw);;すべて(*.*) (*)"));
    };
    m_chooseSave = [this](const QString& proposed) {
        return QFileDialog::getSaveFileName(this, QString(), proposed,
                                            QStringLiteral("様式ファイル(*.tls);;すべて(*.*) (*)"));
    };

    for (auto& [box, field] : m_editBoxes) {
        const int n = field;
        connect(box, &QLineEdit::textEdited, this, [this, n](const QString& t) { EditChanged(n, t); });
    }
    connect(m_placement, &QComboBox::currentTextChanged, this,
            [this](const QString& t) { EditChanged(style::kDataPlacementField, t); });
    connect(m_title, &QComboBox::currentTextChanged, this, [this](const QString& t) {
        if (!m_filling) m_model.SetTitle(Us(t));
    });
    connect(m_items, &QListWidget::currentRowChanged, this, [this](int row) {
        if (m_filling || row < 0) return;
        m_model.ChooseCatalogueEntry(static_cast<std::size_t>(row));
        FillEdit();
    });
    connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row, int, int, int) {
        if (m_filling) return;
        m_model.SelectRow(row);
        FillEdit();
    });
    auto run = [this](auto operation) {
        return [this, operation] {
            operation();
            Refresh();
        };
    };
    connect(add, &QPushButton::clicked, this, run([this] {
                if (m_model.Add()) m_table->scrollToItem(m_table->item(m_model.RowCount() - 1, 0));
            }));
    connect(overwrite, &QPushButton::clicked, this, run([this] { m_model.Overwrite(); }));
    connect(remove, &QPushButton::clicked, this, run([this] { m_model.DeleteSelected(); }));
    connect(up, &QPushButton::clicked, this, run([this] { m_model.MoveUp(); }));
    connect(down, &QPushButton::clicked, this, run([this] { m_model.MoveDown(); }));
    connect(sum, &QPushButton::clicked, this, run([this] { m_model.WidthSum(); }));
    connect(distribute, &QPushButton::clicked, this, run([this] { m_model.DistributeWidths(); }));
    connect(applyBuiltIn, &QPushButton::clicked, this, run([this] {
                if (m_model.ApplyBuiltInEntry(Us(m_builtIn->currentText()))) m_widthSum->setFocus();
            }));
    connect(open, &QPushButton::clicked, this, run([this] {
                const QString path = m_chooseOpen(Qs(m_model.LastFolder()));
                if (!path.isEmpty()) m_model.Open(Us(path));
            }));
    connect(save, &QPushButton::clicked, this, run([this] {
                if (!m_model.ReadyToSave()) return;
                const QString path = m_chooseSave(Qs(m_model.ProposedSaveName()));
                if (!path.isEmpty()) m_model.SaveAs(Us(path));
            }));
    connect(option, &QPushButton::clicked, this, run([this] { m_model.SaveAsStartup(); }));

    Refresh();
    // The table opens at its first empty row (scrolled there when the rows do not fit).
    if (m_model.Context().scrollToLastRow && m_model.Selected() >= 0)
        m_table->scrollToItem(m_table->item(m_model.Selected(), 0));
    resize(1180, 680);
}

void StyleEditorDialog::EditChanged(int field, const QString& text) {
    if (m_filling) return;
    m_model.SetEditField(field, Us(text));
}

void StyleEditorDialog::FillEdit() {
    m_filling = true;
    const style::DisplayItem& edit = m_model.Edit();
    for (auto& [box, field] : m_editBoxes) box->setText(Qs(edit.Field(field)));
    m_placement->setEditText(Qs(edit.Field(style::kDataPlacementField)));
    m_filling = false;
}

void StyleEditorDialog::FillTable() {
    for (int r = 0; r < style::kMaxItemRows; ++r) {
        const style::DisplayItem& row = m_model.Row(r);
        for (int n = 1; n <= style::kDisplayItemFields; ++n) {
            QTableWidgetItem* cell = m_table->item(r, n - 1);
            if (!cell) {
                cell = new QTableWidgetItem;
                m_table->setItem(r, n - 1, cell);
            }
            cell->setText(Qs(row.Field(n)));
        }
    }
    const int selected = m_model.Selected();
    if (selected >= 0 && selected < m_model.RowCount()) {
        m_table->setCurrentCell(selected, 0);
        m_table->scrollToItem(m_table->item(selected, 0));
    } else {
        m_table->clearSelection();
        m_table->setCurrentCell(-1, -1);
    }
}

void StyleEditorDialog::Refresh() {
    m_filling = true;
    FillTable();
    m_widthSum->setText(Qs(m_model.WidthSumText()));
    m_styleName->setText(Qs(m_model.StyleName()));
    if (Us(m_title->currentText()) != m_model.Title()) m_title->setEditText(Qs(m_model.Title()));
    m_filling = false;
    FillEdit();
}

void StyleEditorDialog::accept() {
    if (!m_model.Accept(m_result)) return;
    QDialog::accept();
}

void StyleEditorDialog::reject() {
    if (!m_model.MayCancel()) return;
    QDialog::reject();
}

bool RunStyleEditorDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    style::StyleEditorContext context;
    context.installFolder = w.folder.Path();
    context.paperWidthMm = w.geometry.paperWidthMm;
    // The columns stand between the left margin and a margin as wide on the right.
    context.titleWidthMm = w.geometry.paperWidthMm - 2.0 * w.settings.LeftMargin;
    context.dataLoaded = !w.documentPath.empty();
    context.confirmStyleReplace = &w.settings.ConfirmStyleReplace;
    context.scrollToLastRow = w.settings.ScrollToLastRow >= 1;
    style::StyleEditorModel model(w.style, w.catalogue, context, messages);
    StyleEditorDialog dialog(model, messages, parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    w.style = dialog.Result();
    return true;
}

}  // namespace stracol::gui
