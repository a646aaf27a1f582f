#include "gui/PatternMasterDialog.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/Workspace.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "gui/DialogText.h"
#include "gui/EnterKeyMode.h"
#include "render/Colour.h"
#include "render/FontResolver.h"
#include "render/PageGeometry.h"
#include "render/QPainterSurface.h"
#include "render/columns/PatternDrawing.h"

namespace stracol::gui {

namespace {

constexpr int kPreviewWidthPx = 64;
constexpr int kPreviewHeightPx = 48;
constexpr int kPreviewPenWidth = 2;

QTableWidget* ListTable(QWidget* parent, const char* name, const QStringList& headers) {
    auto* table = new QTableWidget(0, static_cast<int>(headers.size()), parent);
    table->setObjectName(QString::fromLatin1(name));
    table->setHorizontalHeaderLabels(headers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->verticalHeader()->setVisible(false);
    table->verticalHeader()->setDefaultSectionSize(20);
    return table;
}

QPushButton* Button(QWidget* parent, const QString& text, const char* name) {
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}

QLineEdit* Edit(QWidget* parent, const char* name, int width = 0) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    if (width > 0) edit->setMaximumWidth(width);
    return edit;
}

QColor QColourOf(std::uint32_t bgr) {
    return QColor(render::RedOf(bgr), render::GreenOf(bgr), render::BlueOf(bgr));
}

std::uint32_t BgrOf(const QColor& c) {
    return static_cast<std::uint32_t>(c.red()) | (static_cast<std::uint32_t>(c.green()) << 8) |
           (static_cast<std::uint32_t>(c.blue()) << 16);
}

}  // namespace

QImage PatternPreviewImage(QSize size, long number, std::uint32_t colour, QColor background) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    if (number <= 0 || size.width() <= 4 || size.height() <= 4) return image;
    constexpr int dpi = 96;
    render::PageGeometry g;
    g.dpiX = g.dpiY = dpi;
    g.pxPerMmX = g.pxPerMmY = dpi / 25.4;
    g.xFactor = g.pxPerMmX;
    g.depthPxPerMetre = 10.0 * g.pxPerMmY;  // 1/100, as on paper
    g.titlePxPerMetre = g.depthPxPerMetre;
    g.leftMarginMm = 0;
    g.topMarginMm = 0;
    g.titleHeight = 0;
    g.depthOffset = 0;
    QPainter painter(&image);
    render::FontResolver fonts;
    render::QPainterSurface surface(painter, fonts, dpi, dpi);
    // The box less 2 pixels on each side.
    const double x1 = 2 / g.pxPerMmX;
    const double x2 = (size.width() - 2) / g.pxPerMmX;
    const double y1 = 2 / g.depthPxPerMetre;
    const double y2 = (size.height() - 2) / g.depthPxPerMetre;
    render::DrawPattern(surface, g, number, x1, y1, x2, y2, 1.0, kPreviewPenWidth, colour, false);
    return image;
}

PatternMasterDialog::PatternMasterDialog(app::PatternMasterModel model, core::Messages& messages, QWidget* parent)
    : QDialog(parent), m_model(std::move(model)), m_messages(messages) {
    setWindowTitle(QStringLiteral("土質地質名と柱状図模様"));
    auto* layout = new QVBoxLayout(this);
    auto* groups = new QHBoxLayout;
    layout->addLayout(groups, 1);

    // The master.
    auto* left = new QGroupBox(QStringLiteral("地質名マスタファイル （地質名とパターンNo）"), this);
    auto* leftLayout = new QVBoxLayout(left);
    auto* fields = new QGridLayout;
    m_name = Edit(left, "name");
    m_symbol = Edit(left, "symbol", 60);
    m_density = new QCheckBox(QStringLiteral("密度"), left);
    m_density->setObjectName(QStringLiteral("density"));
    m_consistency = new QCheckBox(QStringLiteral("稠度"), left);
    m_consistency->setObjectName(QStringLiteral("consistency"));
    m_pattern = Edit(left, "pattern", 80);
    m_bitmap = Edit(left, "bitmap", 50);
    m_preview = new QLabel(left);
    m_preview->setObjectName(QStringLiteral("preview"));
    m_preview->setFixedSize(kPreviewWidthPx, kPreviewHeightPx);
    m_preview->setFrameShape(QFrame::Box);
    fields->addWidget(new QLabel(QStringLiteral("地質名"), left), 0, 0);
    fields->addWidget(new QLabel(QStringLiteral("記号"), left), 0, 1);
    fields->addWidget(new QLabel(QStringLiteral("相対密度稠度分類"), left), 0, 2, 1, 2);
    fields->addWidget(new QLabel(QStringLiteral("パタ-ンNo."), left), 0, 4);
    fields->addWidget(new QLabel(QStringLiteral("BmpNo"), left), 0, 5);
    fields->addWidget(m_name, 1, 0);
    fields->addWidget(m_symbol, 1, 1);
    fields->addWidget(m_density, 1, 2);
    fields->addWidget(m_consistency, 1, 3);
    fields->addWidget(m_pattern, 1, 4);
    fields->addWidget(m_bitmap, 1, 5);
    fields->addWidget(m_preview, 0, 6, 2, 1);
    leftLayout->addLayout(fields);
    auto* masterButtons = new QHBoxLayout;
    auto* insert = Button(left, QStringLiteral("↓挿入"), "insert");
    auto* overwrite = Button(left, QStringLiteral("↓上書き"), "overwrite");
    auto* edit = Button(left, QStringLiteral("↑編集"), "edit");
    auto* remove = Button(left, QStringLiteral("削除"), "delete");
    auto* up = Button(left, QStringLiteral("↑"), "up");
    auto* down = Button(left, QStringLiteral("↓"), "down");
    for (QPushButton* b : {insert, overwrite, edit, remove, up, down}) masterButtons->addWidget(b);
    masterButtons->addStretch(1);
    leftLayout->addLayout(masterButtons);
    m_master = ListTable(left, "master",
                         {QStringLiteral("地質名"), QStringLiteral("記号"), QStringLiteral("密度"), QStringLiteral("稠度"),
                          QStringLiteral("パタ-ンNo"), QStringLiteral("BmpNo")});
    m_master->setColumnWidth(0, 170);
    for (int c = 1; c < 6; ++c) m_master->setColumnWidth(c, c >= 4 ? 70 : 44);
    leftLayout->addWidget(m_master, 1);
    groups->addWidget(left, 3);

    // The pattern list.
    auto* right = new QGroupBox(QStringLiteral("パターン一覧表"), this);
    auto* rightLayout = new QVBoxLayout(right);
    auto* colourRow = new QHBoxLayout;
    auto* apply = Button(right, QStringLiteral("←適用"), "apply");
    m_patternNumber = Edit(right, "patternNumber", 70);
    m_patternNumber->setReadOnly(true);
    m_colour = Edit(right, "colour", 90);
    auto* editColour = Button(right, QStringLiteral("色編集"), "editColour");
    auto* defaultColour = Button(right, QStringLiteral("既定色"), "defaultColour");
    auto* overwriteColour = Button(right, QStringLiteral("↓上書き"), "overwriteColour");
    colourRow->addWidget(apply);
    colourRow->addWidget(m_patternNumber);
    colourRow->addWidget(m_colour);
    colourRow->addWidget(editColour);
    colourRow->addWidget(defaultColour);
    colourRow->addWidget(overwriteColour);
    colourRow->addStretch(1);
    rightLayout->addLayout(colourRow);
    rightLayout->addWidget(new QLabel(QStringLiteral("クリックで↑選択"), right));
    m_patterns = ListTable(right, "patterns",
                           {QStringLiteral("パタ-ンNo"), QStringLiteral("略表示"), QStringLiteral("色コード"),
                            QStringLiteral("地質例"), QStringLiteral("既定色")});
    m_patterns->setColumnWidth(0, 70);
    m_patterns->setColumnWidth(1, 60);
    m_patterns->setColumnWidth(2, 80);
    m_patterns->setColumnWidth(3, 200);
    rightLayout->addWidget(m_patterns, 1);
    auto* allDefault = Button(right, QStringLiteral("すべて既定色"), "allDefault");
    rightLayout->addWidget(allDefault, 0, Qt::AlignLeft);
    groups->addWidget(right, 3);

    // The pattern settings.
    auto* settings = new QGroupBox(QStringLiteral("線描パターン設定"), this);
    auto* settingsLayout = new QHBoxLayout(settings);
    m_allBlack = new QCheckBox(QStringLiteral("すべて黒色"), settings);
    m_allBlack->setObjectName(QStringLiteral("allBlack"));
    m_thickness = new QComboBox(settings);
    m_thickness->setObjectName(QStringLiteral("thickness"));
    m_thickness->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")});
    m_overlay = new QCheckBox(QStringLiteral("混じり／質"), settings);
    m_overlay->setObjectName(QStringLiteral("overlay"));
    settingsLayout->addWidget(m_allBlack);
    settingsLayout->addWidget(new QLabel(QStringLiteral("線太さ"), settings));
    settingsLayout->addWidget(m_thickness);
    settingsLayout->addWidget(m_overlay);
    settingsLayout->addStretch(1);
    layout->addWidget(settings);

    auto* bottom = new QHBoxLayout;
    auto* path = Edit(this, "masterPath");
    path->setReadOnly(true);
    path->setText(Qs(m_model.MasterPath()));
    bottom->addWidget(path, 1);
    bottom->addWidget(OkCancelButtons(this));
    layout->addLayout(bottom);

    // Room for a screenful of master rows and pattern rows.
    resize(1120, 720);
    m_allBlack->setChecked(m_model.allBlack);
    m_thickness->setCurrentIndex(m_model.lineThicknessIndex);
    m_overlay->setChecked(m_model.overlayOption);
    FillMaster(-1);
    FillPatterns(-1);
    UpdatePreview();

    connect(insert, &QPushButton::clicked, this, [this] { InsertRow(); });
    connect(overwrite, &QPushButton::clicked, this, [this] { OverwriteRow(); });
    connect(edit, &QPushButton::clicked, this, [this] { EditRow(); });
    connect(remove, &QPushButton::clicked, this, [this] { DeleteRow(); });
    connect(up, &QPushButton::clicked, this, [this] { MoveRow(-1); });
    connect(down, &QPushButton::clicked, this, [this] { MoveRow(1); });
    connect(apply, &QPushButton::clicked, this, [this] { ApplyPatternNumber(); });
    connect(editColour, &QPushButton::clicked, this, [this] { EditColour(); });
    connect(defaultColour, &QPushButton::clicked, this, [this] { DefaultColour(); });
    connect(overwriteColour, &QPushButton::clicked, this, [this] { OverwriteColour(); });
    connect(allDefault, &QPushButton::clicked, this, [this] { AllDefaultColours(); });
    connect(m_pattern, &QLineEdit::textChanged, this, [this] { UpdatePreview(); });
    connect(m_patterns, &QTableWidget::itemSelectionChanged, this, [this] {
        const int row = SelectedPatternRow();
        if (row < 0) return;
        m_patternNumber->setText(Qs(m_model.PatternNumberOf(row)));
        m_colour->setText(Qs(m_model.patterns.rows[static_cast<std::size_t>(row)].colour));
        // The clicked row's pattern in its colour.
        PreviewNumber(app::PatternMasterModel::PreviewNumber(m_model.PatternNumberOf(row)));
    });
    connect(m_allBlack, &QCheckBox::toggled, this, [this](bool on) { m_model.allBlack = on; });
    connect(m_thickness, &QComboBox::currentIndexChanged, this, [this](int i) { m_model.lineThicknessIndex = i; });
    connect(m_overlay, &QCheckBox::toggled, this, [this](bool on) { m_model.overlayOption = on; });
}

void PatternMasterDialog::FillMaster(int select) {
    const auto& rows = m_model.master.rows;
    m_master->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const geology::MasterRow& row = rows[static_cast<std::size_t>(r)];
        const bool heading = row.IsHeading();
        const QStringList cells = {
            Qs(row.name),
            Qs(row.symbol),
            heading ? QString() : QString(row.density ? "o" : "-"),
            heading ? QString() : QString(row.consistency ? "o" : "-"),
            row.patternNumber ? QString::number(*row.patternNumber) : QString(),
            row.bitmapNumber ? QString::number(*row.bitmapNumber) : QString(),
        };
        for (int c = 0; c < cells.size(); ++c) m_master->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    if (select >= 0 && select < m_master->rowCount()) {
        m_master->selectRow(select);
        m_master->scrollToItem(m_master->item(select, 0));
    }
}

void PatternMasterDialog::FillPatterns(int select) {
    const auto& rows = m_model.patterns.rows;
    m_patterns->setRowCount(static_cast<int>(rows.size()));
    for (int r = 0; r < static_cast<int>(rows.size()); ++r) {
        const geology::PatternRow& row = rows[static_cast<std::size_t>(r)];
        const QStringList cells = {Qs(row.number), Qs(row.abbreviation), Qs(row.colour), Qs(row.examples),
                                   Qs(row.defaultColour)};
        for (int c = 0; c < cells.size(); ++c) m_patterns->setItem(r, c, new QTableWidgetItem(cells[c]));
        if (auto colour = geology::ParseColourText(row.colour); colour && !row.IsHeading())
            m_patterns->item(r, 2)->setForeground(QColourOf(*colour));
    }
    if (select >= 0 && select < m_patterns->rowCount()) m_patterns->selectRow(select);
}

std::uint32_t PatternMasterDialog::ColourOfNumber(long number) const {
    for (const auto& row : m_model.patterns.rows) {
        if (row.IsHeading() || !geology::HasLeadingNumber(row.number)) continue;
        if (core::LeadingLong(row.number) != number) continue;
        if (auto colour = geology::ParseColourText(row.colour)) return *colour;
    }
    return 0;
}

void PatternMasterDialog::UpdatePreview() { PreviewNumber(app::PatternMasterModel::PreviewNumber(Us(m_pattern->text()))); }

void PatternMasterDialog::PreviewNumber(long number) {
    const QColor background = palette().color(QPalette::Window);
    m_preview->setPixmap(QPixmap::fromImage(
        PatternPreviewImage(m_preview->size(), number, ColourOfNumber(number), background)));
}

int PatternMasterDialog::SelectedMasterRow() const {
    const auto rows = m_master->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

int PatternMasterDialog::SelectedPatternRow() const {
    const auto rows = m_patterns->selectionModel()->selectedRows();
    return rows.isEmpty() ? -1 : rows.first().row();
}

geology::MasterRowInput PatternMasterDialog::EditFields() const {
    geology::MasterRowInput input;
    input.name = Us(m_name->text());
    input.symbol = Us(m_symbol->text());
    input.density = m_density->isChecked();
    input.consistency = m_consistency->isChecked();
    input.patternText = Us(m_pattern->text());
    input.bitmapText = Us(m_bitmap->text());
    return input;
}

void PatternMasterDialog::FocusAfter(const geology::MasterEditResult& result) {
    (result.focus == geology::MasterField::PatternNumber ? m_pattern : m_name)->setFocus();
}

void PatternMasterDialog::InsertRow() {
    const int selected = SelectedMasterRow();
    const auto result = m_model.Insert(selected, EditFields(), m_messages);
    if (result.done) FillMaster(selected);
    FocusAfter(result);
}

void PatternMasterDialog::OverwriteRow() {
    const int selected = SelectedMasterRow();
    const auto result = m_model.Overwrite(selected, EditFields(), m_messages);
    if (result.done) FillMaster(selected);
    FocusAfter(result);
}

void PatternMasterDialog::EditRow() {
    const int selected = SelectedMasterRow();
    if (selected < 0) return;
    const geology::MasterRowInput input = geology::EditFieldsOf(m_model.master.rows[static_cast<std::size_t>(selected)]);
    m_name->setText(Qs(input.name));
    m_symbol->setText(Qs(input.symbol));
    m_density->setChecked(input.density);
    m_consistency->setChecked(input.consistency);
    m_pattern->setText(Qs(input.patternText));
    m_bitmap->setText(Qs(input.bitmapText));
}

void PatternMasterDialog::DeleteRow() {
    const int selected = SelectedMasterRow();
    if (m_model.Delete(selected)) FillMaster(std::min(selected, static_cast<int>(m_model.master.rows.size()) - 1));
}

void PatternMasterDialog::MoveRow(int step) {
    const int selected = SelectedMasterRow();
    const int moved = m_model.Move(selected, step);
    if (moved != selected) FillMaster(moved);
}

void PatternMasterDialog::ApplyPatternNumber() {
    const std::string number = m_model.PatternNumberOf(SelectedPatternRow());
    if (!number.empty()) m_pattern->setText(Qs(number));
}

void PatternMasterDialog::EditColour() {
    const auto current = geology::ParseColourText(Us(m_colour->text()));
    if (!current) {
        m_messages.Error(core::MessageText(core::MessageId::NoOrBadData));
        return;
    }
    const QColor initial = QColourOf(*current);
    const QColor chosen = m_chooseColour ? m_chooseColour(initial) : QColorDialog::getColor(initial, this);
    if (chosen.isValid()) m_colour->setText(Qs(geology::ColourText(BgrOf(chosen))));
}

void PatternMasterDialog::DefaultColour() { m_colour->setText(Qs(m_model.DefaultColourOf(SelectedPatternRow()))); }

void PatternMasterDialog::OverwriteColour() {
    const int row = SelectedPatternRow();
    if (m_model.SetColour(row, Us(m_colour->text()), m_messages)) {
        FillPatterns(row);
        UpdatePreview();
    }
}

void PatternMasterDialog::AllDefaultColours() {
    const int row = SelectedPatternRow();
    m_model.ResetAllColours();
    FillPatterns(row);
    UpdatePreview();
}

bool RunPatternMasterDialog(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    PatternMasterDialog dialog(app::PatternMasterModel(w), messages, parent);
    InstallEnterKeyMode(dialog, w.settings.EnterKeyMode);
    if (dialog.exec() != QDialog::Accepted) return false;
    // A failure to write is reported by the model; what could be stored is in force.
    dialog.Model().Accept(w, messages);
    return true;
}

}  // namespace stracol::gui
