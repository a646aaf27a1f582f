#include "gui/CMainFrame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QGridLayout>
#include <QIntValidator>
#include <QLineEdit>
#include <QSettings>
#include <QSpacerItem>
#include <QStandardPaths>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

#include <cmath>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/CommandTable.h"
#include "gui/PrintRoad.h"
#include "render/Output.h"

#ifndef STRACOL_VERSION
#define STRACOL_VERSION "0"
#endif

namespace stracol::gui {

namespace {

const QString kAppTitle = QStringLiteral("Stracol");

QString Q(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

}  // namespace

QSize MainFrameSize(const QSize& screen) {
    return {static_cast<int>(std::trunc(0.86 * screen.width())), static_cast<int>(std::trunc(0.8 * screen.height()))};
}

CMainFrame::CMainFrame(app::Workspace& workspace, core::Messages& messages, FrameOptions options, QWidget* parent)
    : QMainWindow(parent),
      m_workspace(workspace),
      m_messages(messages),
      m_painter(std::move(options.painter)),
      m_doc(workspace, messages),
      m_printer(QPrinter::HighResolution),
      m_recent(options.recentStore) {
    m_store = options.recentStore;
    // The log's own paper until the settings are read (ApplyStartupPaper).
    ApplyLogPaper(m_printer, m_workspace.settings);
    setWindowTitle(kAppTitle);
    setAcceptDrops(true);

    m_view = new CSkView(workspace, messages, m_painter, this);
    setCentralWidget(m_view);
    m_view->SetPaperSource([this] { return AskPrinterPaper(); });
    m_view->SetPageChanged([this] { UpdatePagePane(); });
    m_doc.SetUpdateViews([this] { m_view->OnUpdate(); });
    m_doc.SetLoaded([this](const std::string& path) { DocumentLoaded(path); });

    CreateMenus();
    CreateToolBar();
    CreateStatusBar();
    CreatePageBar();

    // Sized on the screen and centred, unless the last run left its size and place.
    QRect screen = options.screen;
    if (screen.isEmpty()) {
        if (const QScreen* primary = QGuiApplication::primaryScreen()) screen = primary->geometry();
    }
    if (!screen.isEmpty()) {
        m_view->SetScreenWidthPx(screen.width());
        const QSize size = MainFrameSize(screen.size());
        resize(size);
        move(screen.x() + (screen.width() - size.width()) / 2, screen.y() + (screen.height() - size.height()) / 2);
    }
    RestoreWindowState();
    UpdatePagePane();
}

CMainFrame::~CMainFrame() = default;

QAction* CMainFrame::MakeAction(int id, std::string_view caption) {
    auto* action = new QAction(Q(CaptionText(caption)), this);
    const std::string_view keys = ShortcutText(caption);
    if (!keys.empty()) {
        QList<QKeySequence> shortcuts{QKeySequence::fromString(Q(keys), QKeySequence::PortableText)};
        // Ctrl++ is typed as Ctrl+= on most keyboards.
        if (id == kCmdZoomIn) shortcuts.append(QKeySequence(Qt::CTRL | Qt::Key_Equal));
        action->setShortcuts(shortcuts);
    }
    action->setData(id);
    m_commands[id] = action;
    return action;
}

void CMainFrame::CreateMenus() {
    QMenu* menu = nullptr;
    QString menuCaption;
    for (const CommandEntry& entry : MenuCommands()) {
        if (!menu || menuCaption != Q(entry.menu)) {
            menuCaption = Q(entry.menu);
            menu = menuBar()->addMenu(menuCaption);
            if (!m_fileMenu) m_fileMenu = menu;
        }
        if (entry.id == kCmdSeparator) {
            menu->addSeparator();
            continue;
        }
        QAction* action = MakeAction(entry.id, entry.caption);
        menu->addAction(action);
        action->setEnabled(entry.available);
        const int id = entry.id;
        switch (id) {
        case kCmdToggleToolBar:
        case kCmdToggleStatusBar:
        case kCmdStyleChangeWarning:
            action->setCheckable(true);
            action->setChecked(true);
            connect(action, &QAction::triggered, this, [this, id](bool) { Route(id); });
            break;
        case kCmdRecentFiles:
            // The entries take the place of this item; alone it stands for an empty list.
            m_recentPlaceholder = action;
            action->setEnabled(false);
            break;
        default:
            if (entry.available) connect(action, &QAction::triggered, this, [this, id] { Route(id); });
        }
    }
    RebuildRecentMenu();
}

void CMainFrame::CreateToolBar() {
    m_toolBar = new QToolBar(QStringLiteral("ﾂｰﾙ ﾊﾞｰ"), this);
    m_toolBar->setObjectName(QStringLiteral("ToolBar"));
    m_toolBar->setAllowedAreas(Qt::AllToolBarAreas);
    m_toolBar->setMovable(true);
    m_toolBar->setFloatable(true);
    m_toolBar->setIconSize(QSize(16, 15));
    addToolBar(Qt::TopToolBarArea, m_toolBar);

    // Commands only the tool bar and the keys reach.
    QAction* store = MakeAction(kCmdFileStore, "上書き保存\tCtrl+S");
    // The log is never written back: the button is there, shown disabled.
    store->setEnabled(false);
    QAction* previous = MakeAction(kCmdPreviousPage, "前のページ");
    QAction* next = MakeAction(kCmdNextPage, "次のページ");
    addAction(store);
    connect(previous, &QAction::triggered, this, [this] { Route(kCmdPreviousPage); });
    connect(next, &QAction::triggered, this, [this] { Route(kCmdNextPage); });

    QStyle* st = style();
    const std::map<int, QIcon> icons = {
        {kCmdFileNew, st->standardIcon(QStyle::SP_FileIcon)},
        {kCmdFileOpen, st->standardIcon(QStyle::SP_DialogOpenButton)},
        {kCmdFileStore, st->standardIcon(QStyle::SP_DialogSaveButton)},
        {kCmdFilePrint, QIcon::fromTheme(QStringLiteral("document-print"),
                                         st->standardIcon(QStyle::SP_FileDialogDetailedView))},
        {kCmdAbout, st->standardIcon(QStyle::SP_MessageBoxInformation)},
        {kCmdPreviousPage, st->standardIcon(QStyle::SP_ArrowUp)},
        {kCmdNextPage, st->standardIcon(QStyle::SP_ArrowDown)},
    };
    for (int id : ToolBarCommands()) {
        if (id == kCmdSeparator) {
            m_toolBar->addSeparator();
            continue;
        }
        QAction* action = Command(id);
        if (!action) continue;
        if (auto icon = icons.find(id); icon != icons.end()) action->setIcon(icon->second);
        m_toolBar->addAction(action);
    }
    // The menu's check mark follows the bar also when it is closed from its own menu.
    connect(m_toolBar->toggleViewAction(), &QAction::toggled, this, [this](bool shown) {
        if (QAction* a = Command(kCmdToggleToolBar)) a->setChecked(shown);
    });
}

void CMainFrame::CreateStatusBar() {
    m_pagePane = new QLabel(this);
    m_zoomPane = new QLabel(this);
    statusBar()->addPermanentWidget(m_pagePane);
    statusBar()->addPermanentWidget(m_zoomPane);
}

QAction* CMainFrame::Command(int id) const {
    auto found = m_commands.find(id);
    return found == m_commands.end() ? nullptr : found->second;
}

void CMainFrame::RunCommand(int id) {
    if (QAction* action = Command(id); action && action->isEnabled()) action->trigger();
}

void CMainFrame::InstallCommand(int id, std::function<bool(QWidget*)> run) {
    QAction* action = Command(id);
    if (!action || !run) return;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    action->setEnabled(true);
    connect(action, &QAction::triggered, this, [this, run = std::move(run)] {
        if (run(this)) m_view->RepaintAll();
    });
}

void CMainFrame::Route(int id) {
    switch (id) {
    case kCmdFileNew:
    case kCmdFileClose: OnFileNew(); break;
    case kCmdFileOpen: OnFileOpen(); break;
    case kCmdFilePrint: OnFilePrint(); break;
    case kCmdPrintPreview: OnFilePrintPreview(); break;
    case kCmdPrintSetup: OnFilePrintSetup(); break;
    case kCmdPrintToPdf: OnPrintToPdf(); break;
    case kCmdExit: close(); break;
    case kCmdToggleToolBar:
        m_toolBar->setVisible(Command(id)->isChecked());
        m_pageBar->setVisible(Command(id)->isChecked());
        break;
    case kCmdToggleStatusBar: statusBar()->setVisible(Command(id)->isChecked()); break;
    case kCmdStyleChangeWarning:
        m_styleChangeWarning = Command(id)->isChecked();
        m_view->RepaintAll();
        break;
    case kCmdPreviousPage: m_view->PreviousPage(); break;
    case kCmdNextPage: m_view->NextPage(); break;
    case kCmdZoomIn: m_view->ZoomIn(); break;
    case kCmdZoomOut: m_view->ZoomOut(); break;
    case kCmdZoomActual: m_view->SetZoom(1.0); break;
    case kCmdZoomFitWidth: m_view->ZoomToFitWidth(); break;
    case kCmdZoomFitPage: m_view->ZoomToFitPage(); break;
    case kCmdAbout: ShowAbout(); break;
    default: break;
    }
}

void CMainFrame::OnFileNew() {
    m_doc.OnNewDocument();
    UpdateTitle();
}

void CMainFrame::OnFileOpen() {
    const QString folder = QString::fromStdString(m_doc.LastOpenFolder());
    QString path;
    if (m_chooseFile) {
        path = m_chooseFile(folder);
    } else {
        QFileDialog dialog(this, QString(), folder);
        dialog.setFileMode(QFileDialog::ExistingFile);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setDefaultSuffix(QString::fromLatin1(CSkDoc::kDefaultExtension));
        dialog.setNameFilters(CSkDoc::OpenFilters());
        dialog.setOption(QFileDialog::HideNameFilterDetails, true);
        if (dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty()) path = dialog.selectedFiles().first();
    }
    if (path.isEmpty()) return;
    if (m_doc.OpenCommand(path.toStdString())) UpdateTitle();
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
    const bool loaded = m_doc.OnOpenDocument(path.toStdString());
    if (loaded) UpdateTitle();
    return loaded;
}

void CMainFrame::OpenDroppedFiles(const QList<QUrl>& urls) {
    // Each file in turn, as the framework opens them; the last that loads stays on screen.
    for (const QUrl& url : urls)
        if (url.isLocalFile()) OpenDocumentFile(url.toLocalFile());
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data && data->hasUrls()) {
        for (const QUrl& url : data->urls()) {
            if (url.isLocalFile()) {
                event->acceptProposedAction();
                return;
            }
        }
    }
    event->ignore();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    const QMimeData* data = event->mimeData();
    if (!data || !data->hasUrls()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    activateWindow();
    OpenDroppedFiles(data->urls());
}

void CMainFrame::DocumentLoaded(const std::string& path) {
    m_recent.Add(QString::fromStdString(path));
    RebuildRecentMenu();
}

void CMainFrame::RebuildRecentMenu() {
    if (!m_fileMenu || !m_recentPlaceholder) return;
    for (QAction* entry : m_recentEntries) {
        m_fileMenu->removeAction(entry);
        entry->deleteLater();
    }
    m_recentEntries.clear();
    const QStringList& files = m_recent.Files();
    m_recentPlaceholder->setVisible(files.isEmpty());
    for (int n = 0; n < files.size(); ++n) {
        const QString path = files[n];
        auto* entry = new QAction(QStringLiteral("&%1 %2").arg(n + 1).arg(path), this);
        connect(entry, &QAction::triggered, this, [this, path] {
            // A recent file that no longer opens leaves the list.
            if (!OpenDocumentFile(path)) {
                m_recent.Remove(path);
                RebuildRecentMenu();
            }
        });
        m_fileMenu->insertAction(m_recentPlaceholder, entry);
        m_recentEntries.append(entry);
    }
}

void CMainFrame::UpdateTitle() {
    setWindowTitle(FrameTitle(m_doc.Title()));
}

QString CMainFrame::FrameTitle(const std::string& documentTitle) {
    if (documentTitle.empty()) return kAppTitle;
    return QString::fromStdString(documentTitle) + QStringLiteral(" - ") + kAppTitle;
}

void CMainFrame::CreatePageBar() {
    m_pageBar = new QToolBar(QStringLiteral("ページと表示倍率"), this);
    m_pageBar->setObjectName(QStringLiteral("PageBar"));
    m_pageBar->setMovable(true);
    addToolBar(Qt::TopToolBarArea, m_pageBar);

    m_pageBox = new QLineEdit(m_pageBar);
    m_pageBox->setObjectName(QStringLiteral("PageBox"));
    m_pageBox->setAlignment(Qt::AlignRight);
    m_pageBox->setValidator(new QIntValidator(1, 999999, m_pageBox));
    m_pageBox->setMaximumWidth(m_pageBox->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    m_pageBox->setToolTip(QStringLiteral("ページ番号を入れて Enter"));
    connect(m_pageBox, &QLineEdit::returnPressed, this, [this] { GoToTypedPage(); });
    m_pageCountLabel = new QLabel(m_pageBar);
    m_pageBar->addWidget(new QLabel(QStringLiteral(" ページ "), m_pageBar));
    m_pageBar->addWidget(m_pageBox);
    m_pageBar->addWidget(m_pageCountLabel);
    m_pageBar->addSeparator();

    m_zoomBox = new QComboBox(m_pageBar);
    m_zoomBox->setObjectName(QStringLiteral("ZoomBox"));
    m_zoomBox->setEditable(true);
    m_zoomBox->setInsertPolicy(QComboBox::NoInsert);
    m_zoomBox->addItem(QStringLiteral("幅に合わせる"), -1);
    m_zoomBox->addItem(QStringLiteral("ページに合わせる"), -2);
    for (int percent : {25, 50, 75, 100, 125, 150, 200, 300, 400})
        m_zoomBox->addItem(QStringLiteral("%1%").arg(percent), percent);
    m_zoomBox->setToolTip(QStringLiteral("表示倍率"));
    connect(m_zoomBox, qOverload<int>(&QComboBox::activated), this, [this](int index) { ZoomChosen(index); });
    connect(m_zoomBox->lineEdit(), &QLineEdit::returnPressed, this, [this] { ZoomTyped(); });
    m_pageBar->addWidget(m_zoomBox);
}

void CMainFrame::GoToTypedPage() {
    bool ok = false;
    const int page = m_pageBox->text().trimmed().toInt(&ok);
    if (ok) m_view->GoToPage(page);
    UpdatePagePane();
    m_view->setFocus();
}

void CMainFrame::ZoomChosen(int index) {
    const int value = m_zoomBox->itemData(index).toInt();
    if (value == -1) m_view->ZoomToFitWidth();
    else if (value == -2) m_view->ZoomToFitPage();
    else if (value > 0) m_view->SetZoom(value / 100.0);
    UpdatePagePane();
    m_view->setFocus();
}

void CMainFrame::ZoomTyped() {
    QString text = m_zoomBox->currentText().trimmed();
    const int index = m_zoomBox->findText(text);
    if (index >= 0) {
        ZoomChosen(index);
        return;
    }
    text.remove(QLatin1Char('%'));
    text.remove(QChar(0xFF05));  // ％
    bool ok = false;
    const double percent = text.trimmed().toDouble(&ok);
    if (ok && percent > 0) m_view->SetZoom(percent / 100.0);
    UpdatePagePane();
    m_view->setFocus();
}

void CMainFrame::UpdatePagePane() {
    const int page = m_view->CurrentPage();
    const int count = m_view->PageCount();
    if (m_pagePane) m_pagePane->setText(Q(PagePaneText(page, count)));
    const QString zoom = QStringLiteral("%1%").arg(std::lround(m_view->Zoom() * 100));
    if (m_zoomPane) m_zoomPane->setText(zoom);
    if (m_pageBox && !m_pageBox->hasFocus()) m_pageBox->setText(QString::number(page));
    if (m_pageCountLabel) m_pageCountLabel->setText(QStringLiteral(" / %1 ").arg(count));
    if (m_zoomBox && !m_zoomBox->lineEdit()->hasFocus()) {
        const QSignalBlocker block(m_zoomBox);
        switch (m_view->Mode()) {
        case CSkView::ZoomMode::FitWidth: m_zoomBox->setCurrentIndex(0); break;
        case CSkView::ZoomMode::FitPage: m_zoomBox->setCurrentIndex(1); break;
        case CSkView::ZoomMode::Fixed: {
            const int index = m_zoomBox->findText(zoom);
            if (index >= 0) m_zoomBox->setCurrentIndex(index);
            m_zoomBox->setEditText(zoom);
            break;
        }
        }
    }
}

void CMainFrame::ShowAbout() {
    const QString title = QStringLiteral("Stracol のﾊﾞｰｼﾞｮﾝ情報");
    QMessageBox box(QMessageBox::Information, title,
                    QStringLiteral("Stracol Version " STRACOL_VERSION "\nボーリング柱状図の表示と印刷"),
                    QMessageBox::Ok, this);
    box.setObjectName(QStringLiteral("AboutBox"));
    // A message box is as wide as its text; the title needs room of its own in the title bar.
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const int width = box.fontMetrics().horizontalAdvance(title) + 160;
        grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Expanding), grid->rowCount(), 0,
                      1, grid->columnCount());
    }
    box.exec();
}

namespace {

const QString kGeometryKey = QStringLiteral("Window/geometry");
const QString kStateKey = QStringLiteral("Window/state");
const QString kToolBarKey = QStringLiteral("Window/toolBar");
const QString kStatusBarKey = QStringLiteral("Window/statusBar");
const QString kZoomModeKey = QStringLiteral("View/zoomMode");
const QString kZoomKey = QStringLiteral("View/zoom");
const QString kPdfFolderKey = QStringLiteral("Pdf/lastFolder");

}  // namespace

void CMainFrame::SaveWindowState() {
    if (!m_store) return;
    m_store->setValue(kGeometryKey, saveGeometry());
    m_store->setValue(kStateKey, saveState());
    m_store->setValue(kToolBarKey, Command(kCmdToggleToolBar)->isChecked());
    m_store->setValue(kStatusBarKey, Command(kCmdToggleStatusBar)->isChecked());
    const CSkView::ZoomMode mode = m_view->Mode();
    m_store->setValue(kZoomModeKey, mode == CSkView::ZoomMode::FitWidth  ? QStringLiteral("fitWidth")
                                    : mode == CSkView::ZoomMode::FitPage ? QStringLiteral("fitPage")
                                                                         : QStringLiteral("fixed"));
    m_store->setValue(kZoomKey, m_view->Zoom());
    m_store->sync();
}

void CMainFrame::RestoreWindowState() {
    if (!m_store) return;
    if (m_store->contains(kGeometryKey)) restoreGeometry(m_store->value(kGeometryKey).toByteArray());
    if (m_store->contains(kStateKey)) restoreState(m_store->value(kStateKey).toByteArray());
    for (int id : {kCmdToggleToolBar, kCmdToggleStatusBar}) {
        const QString& key = id == kCmdToggleToolBar ? kToolBarKey : kStatusBarKey;
        if (!m_store->contains(key)) continue;
        QAction* action = Command(id);
        action->setChecked(m_store->value(key).toBool());
        Route(id);
    }
    const QString mode = m_store->value(kZoomModeKey).toString();
    if (mode == QLatin1String("fitWidth")) {
        m_view->ZoomToFitWidth();
    } else if (mode == QLatin1String("fitPage")) {
        m_view->ZoomToFitPage();
    } else if (mode == QLatin1String("fixed")) {
        bool ok = false;
        const double zoom = m_store->value(kZoomKey).toDouble(&ok);
        if (ok) m_view->SetZoom(zoom);
    }
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    SaveWindowState();
    QMainWindow::closeEvent(event);
}

std::optional<std::pair<int, int>> CMainFrame::AskPrinterPaper() {
    const PaperMm paper = PrinterPaperMm(m_printer);
    if (paper.widthMm <= 0 || paper.lengthMm <= 0) return std::nullopt;
    return std::make_pair(paper.widthMm, paper.lengthMm);
}

void CMainFrame::ApplyStartupPaper() {
    app::LoadWorkspaceSettings(m_workspace, m_messages);
    ApplyLogPaper(m_printer, m_workspace.settings);
    m_view->OnUpdate();
}

void CMainFrame::AfterPrinting(const PaperMm& paperBefore) {
    const PaperMm paper = PrinterPaperMm(m_printer);
    // Another paper gives other pages: the screen follows the printer.
    if (paper.widthMm != paperBefore.widthMm || paper.lengthMm != paperBefore.lengthMm) {
        m_view->OnUpdate();
    } else {
        render::EndPrinting(m_workspace.geometry);
        m_view->GoToPage(1);
        m_view->Refresh();
    }
}

void CMainFrame::OnFilePrint() {
    // Before printing: the printer's paper, and the page count as the dialog's last page.
    const PaperMm before = PrinterPaperMm(m_printer);
    PaginateForPaper(m_workspace, before);
    const int pageCount = render::PageCount(m_workspace.geometry);
    // Printing into a PDF file (no printer): the file is proposed where PDFに出力 would put it.
    if (m_printer.outputFormat() == QPrinter::PdfFormat && m_printer.outputFileName().isEmpty())
        m_printer.setOutputFileName(SuggestedPdfPath());
    QPrintDialog dialog(&m_printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    if (dialog.exec() != QDialog::Accepted) {
        AfterPrinting(before);
        return;
    }
    // A paper picked in the dialog cuts the log into its own pages.
    PaginateForPaper(m_workspace, PrinterPaperMm(m_printer));
    const int printedCount = render::PageCount(m_workspace.geometry);
    const auto [from, to] = ChosenPages(m_printer, printedCount);
    const int printed = PrintLogPages(m_printer, m_workspace, m_view->Fonts(), &m_messages, m_painter, from, to);
    AfterPrinting(before);
    if (printed == 0) {
        m_messages.Error("印刷を開始できませんでした");
        return;
    }
    // Printed into a PDF file: its text layer and subject as the PDF writer's own files have them.
    if (m_printer.outputFormat() == QPrinter::PdfFormat && !m_printer.outputFileName().isEmpty()) {
        std::string error;
        if (!render::FinishPdf(m_printer.outputFileName().toStdString(), m_workspace.record, error))
            m_messages.Error(error);
    }
}

void CMainFrame::OnFilePrintPreview() {
    const PaperMm before = PrinterPaperMm(m_printer);
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        // The pages of the paper the preview shows (its page set-up may change it).
        PaginateForPaper(m_workspace, PrinterPaperMm(*printer));
        PrintLogPages(*printer, m_workspace, m_view->Fonts(), &m_messages, m_painter, 1,
                      render::PageCount(m_workspace.geometry));
    });
    preview.exec();
    AfterPrinting(before);
}

void CMainFrame::OnFilePrintSetup() {
    // The choice lasts for this session only.
    const PaperMm before = PrinterPaperMm(m_printer);
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
    AfterPrinting(before);
}

QString CMainFrame::PdfFolder() const {
    if (m_store) {
        const QString last = m_store->value(kPdfFolderKey).toString();
        if (!last.isEmpty() && QFileInfo(last).isDir()) return last;
    }
    QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (documents.isEmpty() || !QFileInfo(documents).isDir()) documents = QDir::homePath();
    return documents;
}

QString CMainFrame::SuggestedPdfPath() const {
    QString name = QStringLiteral("log.pdf");
    if (!m_workspace.documentPath.empty())
        name = QFileInfo(QString::fromStdString(m_workspace.documentPath)).completeBaseName() + QStringLiteral(".pdf");
    return PdfFolder() + QLatin1Char('/') + name;
}

void CMainFrame::OnPrintToPdf() {
    const QString suggested = SuggestedPdfPath();
    QString path = m_choosePdf ? m_choosePdf(suggested)
                               : QFileDialog::getSaveFileName(this, QStringLiteral("PDFに出力"), suggested,
                                                              QStringLiteral("PDF (*.pdf *.PDF)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    if (PrintToPdf(path) > 0 && m_store) {
        m_store->setValue(kPdfFolderKey, QFileInfo(path).absolutePath());
        m_store->sync();
    }
}

int CMainFrame::PrintToPdf(const QString& path) {
    const PaperMm before = PrinterPaperMm(m_printer);
    const int pages =
        PrintLogToPdf(path.toStdString(), m_printer, m_workspace, m_view->Fonts(), m_messages, m_painter);
    AfterPrinting(before);
    return pages;
}

}  // namespace stracol::gui
