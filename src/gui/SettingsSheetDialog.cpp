#include "gui/SettingsSheetDialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "app/SettingsSheetModel.h"
#include "app/Workspace.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "gui/EnterKeyMode.h"
#include "gui/FormSupport.h"

namespace stracol::gui {

namespace {

using S = app::SystemSettings;

QRadioButton* Radio(const QString& caption, QWidget* parent) { return new QRadioButton(caption, parent); }

QLabel* Label(const QString& text, QWidget* parent) { return new QLabel(text, parent); }

QGroupBox* Group(const QString& title, QWidget* parent) { return new QGroupBox(title, parent); }

}  // namespace

SettingsSheetDialog::SettingsSheetDialog(app::SettingsSheetModel& model, core::Messages& messages, int enterKeyMode,
                                         QWidget* parent)
    : QDialog(parent), m_model(model), m_messages(messages) {
    setObjectName(QStringLiteral("SettingsSheetDialog"));
    setWindowTitle(QStringLiteral("システム設定 > 柱状図様式"));
    m_pages = new QTabWidget(this);
    m_pages->setElideMode(Qt::ElideNone);
    m_pages->addTab(MakePage1(), QStringLiteral("目盛,グリッド,記号,表示種別…"));
    m_pages->addTab(MakePage2(), QStringLiteral(" 線種"));
    m_pages->addTab(MakePage3(), QStringLiteral("マージン 名称"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SettingsSheetDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pages);
    layout->addWidget(buttons);
    ShowValues();
    InstallEnterKeyMode(*this, enterKeyMode);
}

QButtonGroup* SettingsSheetDialog::Radios(int S::*field, std::initializer_list<QWidget*> buttons) {
    auto* group = new QButtonGroup(this);
    int id = 0;
    for (QWidget* w : buttons) group->addButton(static_cast<QRadioButton*>(w), id++);
    m_radios.push_back({group, field});
    return group;
}

QLineEdit* SettingsSheetDialog::IntEdit(int S::*field, int page, const char* name) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setAlignment(Qt::AlignRight);
    edit->setMaximumWidth(48);
    m_ints.push_back({edit, field, page});
    return edit;
}

QComboBox* SettingsSheetDialog::RowList(int S::*field, const char* name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    for (int n = 1; n <= app::SettingsSheetModel::kRowChoices; ++n) combo->addItem(QString::number(n));
    m_combos.push_back({combo, field});
    return combo;
}

QComboBox* SettingsSheetDialog::BracketList(std::string S::*field, const std::vector<std::string>& choices,
                                            const char* name) {
    auto* combo = new QComboBox(this);
    combo->setObjectName(QString::fromLatin1(name));
    for (const std::string& c : choices) combo->addItem(Q(c));
    m_brackets.push_back({combo, field, &choices});
    return combo;
}

QWidget* SettingsSheetDialog::ColourBox(std::string S::*field, const char* name) {
    auto* box = new QWidget(this);
    auto* row = new QHBoxLayout(box);
    row->setContentsMargins(0, 0, 0, 0);
    auto* edit = new QLineEdit(box);
    edit->setObjectName(QString::fromLatin1(name));
    edit->setMaximumWidth(80);
    auto* button = new QPushButton(QStringLiteral("色"), box);
    button->setObjectName(QString::fromLatin1(name) + QStringLiteral("Button"));
    button->setMaximumWidth(32);
    auto* sample = new QLabel(box);
    sample->setObjectName(QString::fromLatin1(name) + QStringLiteral("Sample"));
    sample->setFixedSize(28, 14);
    sample->setAutoFillBackground(true);
    sample->setFrameStyle(QFrame::Box | QFrame::Plain);
    row->addWidget(edit);
    row->addWidget(button);
    row->addWidget(sample);
    m_colours.push_back({edit, field, button, sample});
    const ColourBinding binding = m_colours.back();
    connect(edit, &QLineEdit::textEdited, this, [this, binding] { RepaintSample(binding); });
    connect(button, &QPushButton::clicked, this, [this, binding] {
        const QColor current = SettingsColour(U(binding.edit->text()));
        const std::optional<QColor> chosen = gui::ChooseColour(m_chooseColour, current, this);
        if (!chosen) return;
        binding.edit->setText(Q(SettingsColourText(*chosen)));
        RepaintSample(binding);
    });
    return box;
}

QPushButton* SettingsSheetDialog::Preset(const QString& caption, std::function<void()> apply) {
    auto* button = new QPushButton(caption, this);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, apply = std::move(apply)] {
        // What was typed elsewhere stays; the preset only fills its own fields.
        TakeFields(false);
        apply();
        ShowValues();
    });
    return button;
}

QWidget* SettingsSheetDialog::MakePage1() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);

    // Graph grids: the core column's buttons stand beside the in-situ captions.
    auto* grids = Group(QStringLiteral("グラフグリッド"), page);
    auto* g = new QGridLayout(grids);
    g->addWidget(Label(QStringLiteral("X軸分割数とY軸深度間隔"), grids), 0, 0, 1, 3);
    g->addWidget(Label(QStringLiteral("コア"), grids), 1, 0);
    g->addWidget(Label(QStringLiteral("原位置試験"), grids), 1, 1);
    g->addWidget(Label(QStringLiteral("N値ルジオン"), grids), 1, 2);
    QRadioButton* core1 = Radio(QString(), grids);
    QRadioButton* core2 = Radio(QString(), grids);
    QRadioButton* insitu1 = Radio(QStringLiteral("10, 0.5m"), grids);
    QRadioButton* insitu2 = Radio(QStringLiteral(" 2,  1m"), grids);
    QRadioButton* n1 = Radio(QStringLiteral("50, 0.1m"), grids);
    QRadioButton* n2 = Radio(QStringLiteral("10,  1m"), grids);
    Radios(&S::CoreGrid, {core1, core2});
    Radios(&S::InsituGrid, {insitu1, insitu2});
    Radios(&S::NLugeonGrid, {n1, n2});
    g->addWidget(core1, 2, 0);
    g->addWidget(insitu1, 2, 1);
    g->addWidget(n1, 2, 2);
    g->addWidget(core2, 3, 0);
    g->addWidget(insitu2, 3, 1);
    g->addWidget(n2, 3, 2);
    grid->addWidget(grids, 0, 0);

    auto* titles = Group(QStringLiteral("事項欄 グループ標題"), page);
    auto* t = new QGridLayout(titles);
    t->addWidget(Label(QStringLiteral("下線位置"), titles), 0, 0, 1, 5);
    t->addWidget(Label(QStringLiteral("N値 ルジオン 削孔状況等"), titles), 1, 0, 1, 3);
    t->addWidget(RowList(&S::GroupTitleRows, "groupTitleRows"), 1, 3);
    t->addWidget(Label(QStringLiteral("行"), titles), 1, 4);
    t->addWidget(Label(QStringLiteral("地下水検層"), titles), 2, 0);
    t->addWidget(RowList(&S::LoggingMethodRows, "loggingMethodRows"), 2, 1);
    t->addWidget(Label(QStringLiteral("方法"), titles), 2, 2);
    t->addWidget(RowList(&S::LoggingRows, "loggingRows"), 2, 3);
    t->addWidget(Label(QStringLiteral("行"), titles), 2, 4);
    grid->addWidget(titles, 1, 0);

    auto* ticks = Group(QStringLiteral("標尺目盛り"), page);
    auto* k = new QHBoxLayout(ticks);
    QRadioButton* tick1 = Radio(QStringLiteral("0.1m"), ticks);
    QRadioButton* tick2 = Radio(QStringLiteral("0.5m"), ticks);
    Radios(&S::ScaleTickStep, {tick1, tick2});
    k->addWidget(Label(QStringLiteral("補助線"), ticks));
    k->addWidget(tick1);
    k->addWidget(tick2);
    grid->addWidget(ticks, 2, 0);

    auto* symbols = Group(QStringLiteral("地質名区分名"), page);
    auto* y = new QHBoxLayout(symbols);
    QRadioButton* sym0 = Radio(QStringLiteral("表示しない"), symbols);
    QRadioButton* sym1 = Radio(QStringLiteral("( ) 表示"), symbols);
    QRadioButton* sym2 = Radio(QStringLiteral("ｽﾍﾟｰｽ区切り"), symbols);
    Radios(&S::GeoNameSymbolStyle, {sym0, sym1, sym2});
    y->addWidget(Label(QStringLiteral("文字記号"), symbols));
    y->addWidget(sym0);
    y->addWidget(sym1);
    y->addWidget(sym2);
    grid->addWidget(symbols, 3, 0);

    auto* drill = Group(QStringLiteral("削孔状況"), page);
    auto* d = new QGridLayout(drill);
    QRadioButton* date0 = Radio(QStringLiteral("mm/dd"), drill);
    QRadioButton* date1 = Radio(QStringLiteral("月と日を2段"), drill);
    Radios(&S::DrillDateFormat, {date0, date1});
    QRadioButton* press0 = Radio(QStringLiteral("文字"), drill);
    QRadioButton* press1 = Radio(QStringLiteral("1桁に整形"), drill);
    Radios(&S::PressureDecimals, {press0, press1});
    d->addWidget(Label(QStringLiteral("月日"), drill), 0, 0);
    d->addWidget(Label(QStringLiteral("表示形式"), drill), 0, 1);
    d->addWidget(date0, 0, 2);
    d->addWidget(date1, 0, 3);
    d->addWidget(Label(QStringLiteral("圧力"), drill), 1, 0);
    d->addWidget(Label(QStringLiteral("少数以下"), drill), 1, 1);
    d->addWidget(press0, 1, 2);
    d->addWidget(press1, 1, 3);
    grid->addWidget(drill, 4, 0);

    auto* n = Group(QStringLiteral("Ｎ値"), page);
    auto* nv = new QGridLayout(n);
    QRadioButton* blows0 = Radio(QStringLiteral("50回"), n);
    QRadioButton* blows1 = Radio(QStringLiteral("60回"), n);
    QRadioButton* blows2 = Radio(QStringLiteral("100回"), n);
    Radios(&S::NMaxBlows, {blows0, blows1, blows2});
    nv->addWidget(Label(QStringLiteral("最高打撃回数"), n), 0, 0);
    nv->addWidget(blows0, 0, 1);
    nv->addWidget(blows1, 0, 2);
    nv->addWidget(blows2, 0, 3);
    QRadioButton* nd0 = Radio(QStringLiteral("深度線の上  "), n);
    QRadioButton* nd1 = Radio(QStringLiteral("深度線の下"), n);
    QRadioButton* nd2 = Radio(QStringLiteral("表示しない"), n);
    Radios(&S::NDepthLabelPos, {nd0, nd1, nd2});
    nv->addWidget(Label(QStringLiteral("深度 下 表示位置"), n), 1, 0);
    nv->addWidget(nd0, 1, 1);
    nv->addWidget(nd1, 1, 2);
    nv->addWidget(nd2, 1, 3);
    nv->addWidget(Label(QStringLiteral("0回以下と最高打撃回数超過時のシンボル"), n), 2, 0, 1, 4);
    QRadioButton* ov0 = Radio(QStringLiteral("○"), n);
    QRadioButton* ov1 = Radio(QStringLiteral("－,→"), n);
    QRadioButton* ov2 = Radio(QStringLiteral("－,→と○"), n);
    Radios(&S::NOverflowSymbol, {ov0, ov1, ov2});
    nv->addWidget(ov0, 3, 1);
    nv->addWidget(ov1, 3, 2);
    nv->addWidget(ov2, 3, 3);
    m_blackDot = new QCheckBox(QStringLiteral("●黒丸にする"), n);
    m_blackDot->setObjectName(QStringLiteral("NSolidBlackDot"));
    nv->addWidget(m_blackDot, 4, 1, 1, 3);
    nv->setRowStretch(5, 1);
    grid->addWidget(n, 0, 1, 2, 1);

    auto* sample = Group(QStringLiteral("試料"), page);
    auto* sv = new QHBoxLayout(sample);
    QRadioButton* sd0 = Radio(QStringLiteral("深度線の上"), sample);
    QRadioButton* sd1 = Radio(QStringLiteral("深度線の下"), sample);
    QRadioButton* sd2 = Radio(QStringLiteral("表示しない "), sample);
    Radios(&S::SampleDepthLabelPos, {sd0, sd1, sd2});
    sv->addWidget(Label(QStringLiteral("深度 下 表示位置"), sample));
    sv->addWidget(sd0);
    sv->addWidget(sd1);
    sv->addWidget(sd2);
    grid->addWidget(sample, 2, 1);

    auto* lugeon = Group(QStringLiteral(" ルジオン"), page);
    auto* lv = new QHBoxLayout(lugeon);
    m_pe = new QLineEdit(lugeon);
    m_pe->setObjectName(QStringLiteral("LugeonPe"));
    m_pe->setMaximumWidth(60);
    m_pe->setAlignment(Qt::AlignRight);
    lv->addWidget(Label(QStringLiteral("ﾙｼﾞｵﾝ値定義圧力Pe"), lugeon));
    lv->addWidget(Label(QStringLiteral("Pe = "), lugeon));
    lv->addWidget(m_pe);
    lv->addWidget(Label(QStringLiteral("単位 MPa"), lugeon));
    lv->addStretch();
    grid->addWidget(lugeon, 3, 1);

    auto* brackets = Group(QStringLiteral("グラフ内のデータ表示"), page);
    auto* b = new QGridLayout(brackets);
    b->addWidget(Label(QStringLiteral("かっこ種別"), brackets), 0, 0, 1, 4);
    const auto& list = app::SettingsSheetModel::BracketChoices();
    b->addWidget(Label(QStringLiteral("コア採取率"), brackets), 1, 0);
    b->addWidget(BracketList(&S::CoreRecoveryBracket, list, "CoreRecoveryBracket"), 1, 1);
    b->addWidget(Label(QStringLiteral("最大コア長"), brackets), 1, 2);
    b->addWidget(BracketList(&S::CoreLengthBracket, list, "CoreLengthBracket"), 1, 3);
    b->addWidget(Label(QStringLiteral("RQD"), brackets), 2, 0);
    b->addWidget(BracketList(&S::RqdBracket, list, "RqdBracket"), 2, 1);
    b->addWidget(Label(QStringLiteral("限界圧力"), brackets), 2, 2);
    b->addWidget(BracketList(&S::CriticalPressureBracket, app::SettingsSheetModel::CriticalPressureChoices(),
                             "CriticalPressureBracket"),
                 2, 3);
    grid->addWidget(brackets, 4, 1);

    auto* presets = new QHBoxLayout;
    presets->addWidget(Preset(QStringLiteral("標準の設定"), [this] { m_model.ApplyPage1Standard(); }));
    presets->addWidget(Preset(QStringLiteral("標準グリッド"), [this] { m_model.ApplyStandardGrid(); }));
    presets->addWidget(Preset(QStringLiteral("細密グリッド"), [this] { m_model.ApplyFineGrid(); }));
    presets->addStretch();
    grid->addLayout(presets, 5, 0, 1, 2);
    return page;
}

QWidget* SettingsSheetDialog::MakePage2() {
    auto* page = new QWidget(this);
    auto* grid = new QGridLayout(page);
    constexpr int kPage = 1;

    auto* frames = new QHBoxLayout;
    auto* outer = Group(QStringLiteral("外枠"), page);
    auto* o = new QHBoxLayout(outer);
    o->addWidget(Label(QStringLiteral("太さ"), outer));
    o->addWidget(IntEdit(&S::OuterFrameWidth, kPage, "OuterFrameWidth"));
    frames->addWidget(outer);
    auto* rules = Group(QStringLiteral("罫線 下線"), page);
    auto* r = new QHBoxLayout(rules);
    r->addWidget(Label(QStringLiteral("太さ"), rules));
    r->addWidget(IntEdit(&S::RuleLineWidth, kPage, "RuleLineWidth"));
    frames->addWidget(rules);
    auto* mode = Group(QStringLiteral("グリッドとグラフ描画"), page);
    auto* m = new QHBoxLayout(mode);
    QRadioButton* colour = Radio(QStringLiteral("カラー"), mode);
    colour->setObjectName(QStringLiteral("colourMode"));
    QRadioButton* mono = Radio(QStringLiteral("白黒"), mode);
    mono->setObjectName(QStringLiteral("monoMode"));
    m_colourMode = Radios(&S::ColourMode, {colour, mono});
    connect(m_colourMode, &QButtonGroup::idClicked, this, [this](int id) {
        m_model.SetColourMode(id);
        ShowColourMode();
    });
    m->addWidget(colour);
    m->addWidget(mono);
    frames->addWidget(mode);
    frames->addWidget(Label(QStringLiteral("太さ 長さの単位 : ピクセル"), page));
    frames->addStretch();
    grid->addLayout(frames, 0, 0, 1, 2);

    // The two grids: a row for the standard lines and one for the fine lines.
    struct GridRow {
        const char* caption;
        int S::*width;
        int S::*dash;
        int S::*gap;
        std::string S::*colour;   // null: no colour box
        const char* name;
    };
    auto gridGroup = [&](const QString& title, std::initializer_list<GridRow> rows) {
        auto* box = Group(title, page);
        auto* l = new QGridLayout(box);
        int col = 1;
        for (const char* head : {"太さ", "実線部", "空白部", "色"}) l->addWidget(Label(Q(head), box), 0, col++);
        int row = 1;
        for (const GridRow& gr : rows) {
            const std::string base = gr.name;
            l->addWidget(Label(Q(gr.caption), box), row, 0);
            l->addWidget(IntEdit(gr.width, kPage, nullptr), row, 1);
            QLineEdit* dash = IntEdit(gr.dash, kPage, nullptr);
            QLineEdit* gap = IntEdit(gr.gap, kPage, nullptr);
            m_ints[m_ints.size() - 3].edit->setObjectName(Q(base + "Width"));
            dash->setObjectName(Q(base + "Dash"));
            gap->setObjectName(Q(base + "Gap"));
            m_dashAndGap.push_back(dash);
            m_dashAndGap.push_back(gap);
            l->addWidget(dash, row, 2);
            l->addWidget(gap, row, 3);
            if (gr.colour) l->addWidget(ColourBox(gr.colour, (base + "Colour").c_str()), row, 4);
            ++row;
        }
        return box;
    };
    grid->addWidget(gridGroup(QStringLiteral("N値 ルジオン"),
                              {{"標準部分", &S::NGridWidth, &S::NGridDash, &S::NGridGap, &S::NGridColour, "NGrid"},
                               {"細密部分(0.1m間隔)", &S::NFineGridWidth, &S::NFineGridDash, &S::NFineGridGap,
                                &S::NFineGridColour, "NFineGrid"}}),
                    1, 0);
    grid->addWidget(gridGroup(QStringLiteral("コア 原位置試験 地下水検層"),
                              {{"標準部分", &S::CoreGridWidth, &S::CoreGridDash, &S::CoreGridGap, &S::CoreGridColour,
                                "CoreGrid"},
                               {"細密部分", &S::CoreFineGridWidth, &S::CoreFineGridDash, &S::CoreFineGridGap, nullptr,
                                "CoreFineGrid"}}),
                    2, 0);
    auto* gridPresets = new QHBoxLayout;
    gridPresets->addWidget(Preset(QStringLiteral("カラー 例"), [this] { m_model.ApplyGridColourExample(); }));
    gridPresets->addWidget(Preset(QStringLiteral("白黒 例"), [this] { m_model.ApplyGridMonoExample(); }));
    gridPresets->addStretch();
    grid->addLayout(gridPresets, 3, 0);
    grid->setRowStretch(4, 1);

    auto* plots = Group(QStringLiteral("プロット線"), page);
    auto* p = new QGridLayout(plots);
    p->addWidget(Label(QStringLiteral("太さ"), plots), 0, 1);
    p->addWidget(Label(QStringLiteral("色"), plots), 0, 2);
    struct PlotRow {
        const char* caption;
        int S::*width;
        std::string S::*colour;
        const char* name;
    };
    const PlotRow plotRows[] = {
        {"Ｎ値", &S::NPlotWidth, &S::NPlotColour, "NPlot"},
        {"採取率", &S::CoreRecoveryPlotWidth, &S::CoreRecoveryColour, "CoreRecovery"},
        {"コア長", &S::CoreLengthPlotWidth, &S::CoreLengthColour, "CoreLength"},
        {"ＲＱＤ", &S::RqdPlotWidth, &S::RqdColour, "Rqd"},
        {"ルジオン", &S::LugeonPlotWidth, &S::LugeonColour, "Lugeon"},
        {"地下水検層", &S::LoggingPlotWidth, &S::LoggingColour, "Logging"},
    };
    int row = 1;
    for (const PlotRow& pr : plotRows) {
        p->addWidget(Label(Q(pr.caption), plots), row, 0);
        p->addWidget(IntEdit(pr.width, kPage, (std::string(pr.name) + "Width").c_str()), row, 1);
        p->addWidget(ColourBox(pr.colour, (std::string(pr.name) + "Colour").c_str()), row, 2);
        ++row;
    }
    auto* pq = new QHBoxLayout;
    pq->addWidget(Label(QStringLiteral("PQ 増加時"), plots));
    pq->addWidget(IntEdit(&S::PqIncreaseWidth, kPage, "PqIncreaseWidth"));
    pq->addWidget(Label(QStringLiteral("PQ 減少時"), plots));
    pq->addWidget(IntEdit(&S::PqDecreaseWidth, kPage, "PqDecreaseWidth"));
    pq->addStretch();
    p->addLayout(pq, row++, 0, 1, 3);
    // The plot part's own examples.
    auto* plotPresets = new QHBoxLayout;
    plotPresets->addWidget(Preset(QStringLiteral("カラー 例"), [this] { m_model.ApplyPlotColourExample(); }));
    plotPresets->addWidget(Preset(QStringLiteral("白黒 例"), [this] { m_model.ApplyPlotMonoExample(); }));
    plotPresets->addStretch();
    p->addLayout(plotPresets, row, 0, 1, 3);
    grid->addWidget(plots, 1, 1, 3, 1);

    auto* area = Group(QStringLiteral("領域線"), page);
    auto* a = new QGridLayout(area);
    a->addWidget(Label(QStringLiteral("X軸"), area), 0, 0);
    a->addWidget(IntEdit(&S::AreaLineWidthX, kPage, "AreaLineWidthX"), 0, 1);
    a->addWidget(Label(QStringLiteral("Y軸"), area), 0, 2);
    a->addWidget(IntEdit(&S::AreaLineWidthY, kPage, "AreaLineWidthY"), 0, 3);
    a->addWidget(Label(QStringLiteral("ルジオンの"), area), 1, 0);
    a->addWidget(Label(QStringLiteral("PQ軸"), area), 1, 1);
    a->addWidget(Label(QStringLiteral("地下水検層の"), area), 2, 0);
    a->addWidget(Label(QStringLiteral("上下深度線"), area), 2, 1);
    QRadioButton* solid = Radio(QStringLiteral("実線"), area);
    QRadioButton* dashed = Radio(QStringLiteral("破線"), area);
    QRadioButton* dotted = Radio(QStringLiteral("点線"), area);
    Radios(&S::AreaLineStyle, {solid, dashed, dotted});
    a->addWidget(solid, 1, 2);
    a->addWidget(dashed, 1, 3);
    a->addWidget(dotted, 2, 2);
    grid->addWidget(area, 4, 1);

    auto* standard = new QHBoxLayout;
    standard->addStretch();
    standard->addWidget(Preset(QStringLiteral("標準の設定"), [this] { m_model.ApplyPage2Standard(); }));
    grid->addLayout(standard, 5, 0, 1, 2);
    return page;
}

QWidget* SettingsSheetDialog::MakePage3() {
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* margins = Group(QStringLiteral("マージン"), page);
    auto* m = new QGridLayout(margins);
    constexpr int kPage = 2;
    m->addWidget(Label(QStringLiteral("トップ"), margins), 0, 0);
    m->addWidget(IntEdit(&S::TopMargin, kPage, "TopMargin"), 0, 1);
    m->addWidget(Label(QStringLiteral("mm"), margins), 0, 2);
    m->addWidget(Label(QStringLiteral("レフト"), margins), 1, 0);
    m->addWidget(IntEdit(&S::LeftMargin, kPage, "LeftMargin"), 1, 1);
    m->addWidget(Label(QStringLiteral("mm"), margins), 1, 2);
    m->setColumnStretch(3, 1);
    layout->addWidget(margins);

    auto* names = new QGridLayout;
    auto text = [&](std::string S::*field, const char* name) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(QString::fromLatin1(name));
        m_texts.push_back({edit, field});
        return edit;
    };
    names->addWidget(Label(QStringLiteral("調査業者名"), page), 0, 0);
    names->addWidget(text(&S::CompanyName, "CompanyName"), 0, 1);
    names->addWidget(Label(QStringLiteral("見出し画面で初期表示されます"), page), 1, 1);
    names->addWidget(Label(QStringLiteral("TEL"), page), 2, 0);
    names->addWidget(text(&S::CompanyTel, "CompanyTel"), 2, 1);
    layout->addLayout(names);
    auto* presets = new QHBoxLayout;
    presets->addWidget(Preset(QStringLiteral("標準の設定"), [this] { m_model.ApplyPage3Standard(); }));
    presets->addStretch();
    layout->addLayout(presets);
    layout->addStretch();
    return page;
}

void SettingsSheetDialog::ShowValues() {
    const S& v = m_model.Values();
    for (const RadioBinding& b : m_radios) {
        if (QAbstractButton* button = b.group->button(v.*b.field)) {
            button->setChecked(true);
        } else {
            // A value none of the buttons stands for: none is checked.
            b.group->setExclusive(false);
            for (QAbstractButton* other : b.group->buttons()) other->setChecked(false);
            b.group->setExclusive(true);
        }
    }
    for (const IntBinding& b : m_ints) b.edit->setText(QString::number(v.*b.field));
    for (const ComboBinding& b : m_combos) b.combo->setCurrentIndex(v.*b.field);
    for (const BracketBinding& b : m_brackets)
        b.combo->setCurrentIndex(app::SettingsSheetModel::BracketIndex(*b.choices, v.*b.field));
    for (const ColourBinding& b : m_colours) {
        b.edit->setText(Q(v.*b.field));
        RepaintSample(b);
    }
    for (const TextBinding& b : m_texts) b.edit->setText(Q(v.*b.field));
    m_blackDot->setChecked(v.NSolidBlackDot != 0);
    m_pe->setText(Q(core::Sprintf("%g", v.LugeonPe)));
    ShowColourMode();
}

void SettingsSheetDialog::ShowColourMode() {
    const S& v = m_model.Values();
    for (const ColourBinding& b : m_colours) {
        b.edit->setEnabled(m_model.ColourBoxesEnabled());
        b.button->setEnabled(m_model.ColourBoxesEnabled());
    }
    for (QLineEdit* edit : m_dashAndGap) edit->setEnabled(m_model.DashAndGapEnabled());
    // The gaps the colour mode set to 0.
    for (const IntBinding& b : m_ints) {
        if (b.field == &S::NGridGap || b.field == &S::NFineGridGap || b.field == &S::CoreGridGap ||
            b.field == &S::CoreFineGridGap) {
            if (m_model.ColourBoxesEnabled()) b.edit->setText(QString::number(v.*b.field));
        }
    }
}

void SettingsSheetDialog::RepaintSample(const ColourBinding& b) {
    QPalette palette = b.sample->palette();
    palette.setColor(QPalette::Window, SettingsColour(U(b.edit->text())));
    b.sample->setPalette(palette);
}

bool SettingsSheetDialog::TakeFields(bool report) {
    S& v = m_model.Values();
    auto refuse = [&](int page, QWidget* field, const std::string& message) {
        if (!report) return true;
        m_pages->setCurrentIndex(page);
        RefuseField(field, m_messages, message);
        return false;
    };
    for (const RadioBinding& b : m_radios)
        if (b.group->checkedId() >= 0) v.*b.field = b.group->checkedId();
    for (const ComboBinding& b : m_combos)
        if (b.combo->currentIndex() >= 0) v.*b.field = b.combo->currentIndex();
    for (const BracketBinding& b : m_brackets)
        app::SettingsSheetModel::ChooseBracket(v.*b.field, *b.choices, b.combo->currentIndex());
    for (const TextBinding& b : m_texts) v.*b.field = U(b.edit->text());
    v.NSolidBlackDot = m_blackDot->isChecked() ? 1 : 0;
    if (auto refused = m_model.SetLugeonPe(U(m_pe->text())))
        if (!refuse(0, m_pe, refused->message)) return false;
    for (const IntBinding& b : m_ints) {
        std::optional<app::FieldError> refused;
        if (b.field == &S::TopMargin) refused = m_model.SetTopMargin(U(b.edit->text()));
        else if (b.field == &S::LeftMargin) refused = m_model.SetLeftMargin(U(b.edit->text()));
        else refused = app::SettingsSheetModel::SetInteger(v.*b.field, U(b.edit->text()));
        if (refused && !refuse(b.page, b.edit, refused->message)) return false;
    }
    for (const ColourBinding& b : m_colours) {
        if (auto refused = app::SettingsSheetModel::SetColour(v.*b.field, U(b.edit->text())))
            if (!refuse(1, b.edit, refused->message)) return false;
    }
    return true;
}

void SettingsSheetDialog::accept() {
    if (!TakeFields(true)) return;
    QDialog::accept();
}

bool RunSettingsSheet(QWidget* parent, app::Workspace& w, core::Messages& messages) {
    app::SettingsSheetModel model(w.settings);
    SettingsSheetDialog dialog(model, messages, w.settings.EnterKeyMode, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    model.Commit(w.settings, w.folder, &messages);
    return true;
}

}  // namespace stracol::gui
