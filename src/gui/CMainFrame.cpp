#include "gui/CMainFrame.h"

#include <QAction>
#include <QApplication>
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

    // Sized on the screen and centred.
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
    QAction* store = MakeAction(kCmdFileStore, "上書き保存\tCtrl+S");  // does nothing
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
    case kCmdFileNew: OnFileNew(); break;
    case kCmdFileOpen: OnFileOpen(); break;
    case kCmdFilePrint: OnFilePrint(); break;
    case kCmdPrintPreview: OnFilePrintPreview(); break;
    case kCmdPrintSetup: OnFilePrintSetup(); break;
    case kCmdPrintToPdf: OnPrintToPdf(); break;
    case kCmdExit: close(); break;
    case kCmdToggleToolBar: m_toolBar->setVisible(Command(id)->isChecked()); break;
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
    case kCmdAbout:
        QMessageBox::about(this, QStringLiteral("Stracol のﾊﾞｰｼﾞｮﾝ情報"),
                           QStringLiteral("Stracol Version " STRACOL_VERSION "\nボーリング柱状図の表示と印刷"));
        break;
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

void CMainFrame::UpdatePagePane() {
    if (m_pagePane) m_pagePane->setText(Q(PagePaneText(m_view->CurrentPage(), m_view->PageCount())));
    if (m_zoomPane) m_zoomPane->setText(QStringLiteral("%1%").arg(std::lround(m_view->Zoom() * 100)));
}

std::optional<std::pair<int, int>> CMainFrame::AskPrinterPaper() {
    if (!HasDefaultPrinter()) return std::nullopt;
    const PaperMm paper = PrinterPaperMm(m_printer);
    return std::make_pair(paper.widthMm, paper.lengthMm);
}

void CMainFrame::ApplyStartupPaper() {
    const app::SystemSettings& s = m_workspace.settings;
    gui::ApplyStartupPaper(m_printer, s.StartupPaperEnabled, s.StartupPaperSize, s.StartupOrientation);
}

void CMainFrame::OnFilePrint() {
    // Before printing: the printer's paper, and the page count as the dialog's last page.
    const PaperMm paper = PrinterPaperMm(m_printer);
    render::SetPaperSize(m_workspace.geometry, paper.widthMm, paper.lengthMm);
    const int pageCount = render::PageCount(m_workspace.geometry);
    QPrintDialog dialog(&m_printer, this);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pageCount);
    dialog.setFromTo(1, pageCount);
    if (dialog.exec() != QDialog::Accepted) {
        m_view->RepaintAll();
        return;
    }
    const auto [from, to] = ChosenPages(m_printer, pageCount);
    const int printed = PrintLogPages(m_printer, m_workspace, m_view->Fonts(), &m_messages, m_painter, from, to);
    m_view->RepaintAll();
    if (printed == 0) m_messages.Error("印刷を開始できませんでした");
}

void CMainFrame::OnFilePrintPreview() {
    QPrintPreviewDialog preview(&m_printer, this);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this, [this](QPrinter* printer) {
        const PaperMm paper = PrinterPaperMm(*printer);
        render::SetPaperSize(m_workspace.geometry, paper.widthMm, paper.lengthMm);
        PrintLogPages(*printer, m_workspace, m_view->Fonts(), &m_messages, m_painter, 1,
                      render::PageCount(m_workspace.geometry));
    });
    preview.exec();
    render::EndPrinting(m_workspace.geometry);
    m_view->RepaintAll();
}

void CMainFrame::OnFilePrintSetup() {
    // The choice lasts for this session only.
    QPageSetupDialog dialog(&m_printer, this);
    dialog.exec();
}

void CMainFrame::OnPrintToPdf() {
    QString suggested;
    if (!m_workspace.documentPath.empty()) {
        const QFileInfo doc(QString::fromStdString(m_workspace.documentPath));
        suggested = doc.absolutePath() + QLatin1Char('/') + doc.completeBaseName() + QStringLiteral(".pdf");
    }
    QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDFに出力"), suggested,
                                                QStringLiteral("PDF (*.pdf *.PDF)"));
    if (path.isEmpty()) return;
    if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".pdf");
    PrintToPdf(path);
}

int CMainFrame::PrintToPdf(const QString& path) {
    const int pages =
        PrintLogToPdf(path.toStdString(), m_printer, m_workspace, m_view->Fonts(), m_messages, m_painter);
    m_view->RepaintAll();
    return pages;
}

}  // namespace stracol::gui
