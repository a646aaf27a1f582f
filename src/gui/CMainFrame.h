#pragma once
// The main window: menu bar, tool bar, status bar and the log view. It routes the file
// commands to the document, the page and view commands to the view, and runs printing,
// print preview and printing to PDF through the one print road. Files can be dropped on it.

#include <QList>
#include <QMainWindow>
#include <QPrinter>
#include <QUrl>

#include <functional>
#include <map>
#include <memory>

#include "gui/CSkDoc.h"
#include "gui/CSkView.h"
#include "gui/LogPage.h"
#include "gui/PrintRoad.h"
#include "gui/RecentFiles.h"

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QSettings;
class QToolBar;

namespace stracol::gui {

struct FrameOptions {
    // Draws one page of the log (the program passes StandardLogPainter()).
    PagePainter painter;
    // Where the recent-file list and the window's state (size and position, zoom, tool bar
    // and status bar shown, the last PDF folder) are kept from one run to the next; null
    // keeps them in memory only.
    QSettings* recentStore = nullptr;
    // Screen size the window is sized and centred on; empty takes the primary screen's.
    QRect screen;
};

// Width trunc(0.86 × screen width), height trunc(0.8 × screen height).
QSize MainFrameSize(const QSize& screen);

class CMainFrame : public QMainWindow {
public:
    CMainFrame(app::Workspace& workspace, core::Messages& messages, FrameOptions options, QWidget* parent = nullptr);
    ~CMainFrame() override;

    CSkDoc& Document() { return m_doc; }
    CSkView& View() { return *m_view; }
    QToolBar* ToolBar() const { return m_toolBar; }
    // The page-number box (a number, then Enter) with the page count beside it, and the zoom
    // box (fit width, fit page, percentages, or a percentage typed in).
    QToolBar* PageBar() const { return m_pageBar; }
    QLineEdit* PageBox() const { return m_pageBox; }
    QComboBox* ZoomBox() const { return m_zoomBox; }
    QLabel* PagePane() const { return m_pagePane; }
    QPrinter& Printer() { return m_printer; }

    // The action of a command number; null when there is none.
    QAction* Command(int id) const;
    // Runs a command as its menu item or button would (nothing when it is disabled).
    void RunCommand(int id);
    // Gives a command whose dialog comes with later work its handler and enables it; when
    // the handler answers true (the dialog closed with OK) the whole view is repainted.
    void InstallCommand(int id, std::function<bool(QWidget* parent)> run);

    // The framework load (command line, recent files, dropped files). True when loaded.
    bool OpenDocumentFile(const QString& path);
    // 開く: asks for a file (starting in the folder of FileV.ndx) and loads it.
    void OnFileOpen();
    using FileChooser = std::function<QString(const QString& initialFolder)>;
    // Replaces the Open dialog (tests); the chooser returns the chosen path or empty.
    void SetOpenFileChooser(FileChooser chooser) { m_chooseFile = std::move(chooser); }
    void OpenDroppedFiles(const QList<QUrl>& urls);
    // 新規作成: the empty form of the start-up; 閉じる (Ctrl+W) does the same.
    void OnFileNew();

    // Print and preview with the program's printer; PDF into a file. PrintToPdf returns the
    // number of pages written (0 on failure, with a message).
    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();
    void OnPrintToPdf();
    int PrintToPdf(const QString& path);
    // Replaces the save dialog of PDFに出力 (tests); the chooser gets the suggested path and
    // returns the chosen one or empty.
    using SaveChooser = std::function<QString(const QString& suggestedPath)>;
    void SetPdfFileChooser(SaveChooser chooser) { m_choosePdf = std::move(chooser); }
    // Where PDFに出力 starts: the folder last used for a PDF when it still exists, else the
    // user's documents folder.
    QString PdfFolder() const;
    // That folder with the data file's name and ".pdf" ("log.pdf" without a file).
    QString SuggestedPdfPath() const;

    // The paper of the program's printer, asked before printing and on every update.
    std::optional<std::pair<int, int>> AskPrinterPaper();
    // The log's paper on the program's printer: the start-up paper of the settings when it
    // is enabled, else A3 portrait; the view is paginated for it.
    void ApplyStartupPaper();

    // The window's state into the store (also done when the window closes).
    void SaveWindowState();

    // 様式変更の確認表示: the style-change warning display flag (initially on).
    bool StyleChangeWarning() const { return m_styleChangeWarning; }

    const RecentFiles& Recent() const { return m_recent; }
    // "Stracol", or "<file name> - Stracol" with a file open.
    void UpdateTitle();
    static QString FrameTitle(const std::string& documentTitle);

protected:
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void CreateMenus();
    void CreateToolBar();
    void CreateStatusBar();
    QAction* MakeAction(int id, std::string_view caption);
    void Route(int id);
    void RebuildRecentMenu();
    void UpdatePagePane();
    void DocumentLoaded(const std::string& path);
    void CreatePageBar();
    void RestoreWindowState();
    void ShowAbout();
    void GoToTypedPage();
    void ZoomChosen(int index);
    void ZoomTyped();
    // After printing or a page set-up: a paper of another size re-paginates the screen.
    void AfterPrinting(const PaperMm& paperBefore);

    app::Workspace& m_workspace;
    core::Messages& m_messages;
    PagePainter m_painter;
    CSkDoc m_doc;
    CSkView* m_view = nullptr;
    QToolBar* m_toolBar = nullptr;
    QLabel* m_pagePane = nullptr;
    QLabel* m_zoomPane = nullptr;
    QToolBar* m_pageBar = nullptr;
    QLineEdit* m_pageBox = nullptr;
    QLabel* m_pageCountLabel = nullptr;
    QComboBox* m_zoomBox = nullptr;
    QSettings* m_store = nullptr;
    SaveChooser m_choosePdf;
    QMenu* m_fileMenu = nullptr;
    QAction* m_recentPlaceholder = nullptr;
    QList<QAction*> m_recentEntries;
    std::map<int, QAction*> m_commands;
    QPrinter m_printer;
    RecentFiles m_recent;
    FileChooser m_chooseFile;
    bool m_styleChangeWarning = true;
};

}  // namespace stracol::gui
