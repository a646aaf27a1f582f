// The main window under the offscreen platform: menus and keys, the file on the command line,
// page keys, printing to PDF through the print road, dropped files and failed loads.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QScrollBar>
#include <QDialog>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QTimer>
#include <QToolBar>
#include <QPrinter>

#include <cmath>
#include <filesystem>
#include <functional>
#include <set>
#include <sstream>

#include "borehole/RecordJson.h"
#include "gui/CommandTable.h"
#include "gui/PrintRoad.h"
#include "gui/GuiTestSupport.h"
#include "render/LogPainter.h"
#include "render/RecordingSurface.h"

using namespace stracol;
using namespace stracol::gui;
using stracol::testing::FrameRig;

namespace {

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new stracol::testing::WidgetEnvironment);

const std::string kSample = "v400/boringrs_BED0400.XML";
const std::string kNotReadable = "読み込み可能な柱状図データファイルではありません";

// The sample is part of the repository's test data: a missing copy is a failure, not a skip.
#define REQUIRE_SAMPLE() \
    ASSERT_TRUE(std::filesystem::is_regular_file(stracol::testing::TestDataFile(kSample))) \
        << stracol::testing::TestDataFile(kSample)

// Every item of the menu bar as "menu|caption\tshortcut" with its enabled state.
struct MenuItem {
    std::string menu;
    std::string caption;
    bool enabled;
};

std::vector<MenuItem> MenuItems(QMainWindow& frame) {
    std::vector<MenuItem> items;
    for (QAction* top : frame.menuBar()->actions()) {
        if (!top->menu()) continue;
        for (QAction* action : top->menu()->actions()) {
            if (action->isSeparator() || action->data().toInt() == 0) continue;
            std::string caption = action->text().toStdString();
            if (!action->shortcut().isEmpty())
                caption.append(1, '\t').append(action->shortcut().toString(QKeySequence::PortableText).toStdString());
            items.push_back({top->text().toStdString(), caption, action->isEnabled()});
        }
    }
    return items;
}

const MenuItem* FindItem(const std::vector<MenuItem>& items, const std::string& menu, const std::string& caption) {
    for (const auto& item : items)
        if (item.menu == menu && item.caption == caption) return &item;
    return nullptr;
}

// How the recent-file list names a file.
std::string Normal(const std::string& path) {
    return std::filesystem::path(path).lexically_normal().string();
}

std::string RecordSnapshot(const app::Workspace& w) {
    return borehole::RecordJson(w.documentPath, w.formatCode, w.record);
}

int PdfPages(const QString& path) {
    QProcess pdfinfo;
    pdfinfo.start(QStringLiteral("pdfinfo"), {path});
    if (!pdfinfo.waitForFinished(30000) || pdfinfo.exitCode() != 0) return -1;
    for (const QString& line : QString::fromUtf8(pdfinfo.readAllStandardOutput()).split('\n'))
        if (line.startsWith(QStringLiteral("Pages:"))) return line.mid(6).trimmed().toInt();
    return -1;
}

TEST(MainFrameMenus, CaptionsShortcutsAndAvailability) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    const auto items = MenuItems(*frame);
    struct Expected {
        const char* menu;
        const char* caption;
        bool enabled;
    };
    const std::vector<Expected> expected = {
        {"ﾌｧｲﾙ(&F)", "新規作成(&N)\tCtrl+N", true},
        {"ﾌｧｲﾙ(&F)", "開く(&O)...\tCtrl+O", true},
        {"ﾌｧｲﾙ(&F)", "閉じる(&C)\tCtrl+W", true},
        {"ﾌｧｲﾙ(&F)", "印刷(&P)...\tCtrl+P", true},
        {"ﾌｧｲﾙ(&F)", "印刷ﾌﾟﾚﾋﾞｭｰ(&V)", true},
        {"ﾌｧｲﾙ(&F)", "ﾌﾟﾘﾝﾀの設定(&R)...", true},
        {"ﾌｧｲﾙ(&F)", "用紙の初期設定(&Y)...", true},
        {"ﾌｧｲﾙ(&F)", "最新のﾌｧｲﾙ", false},
        {"ﾌｧｲﾙ(&F)", "ｱﾌﾟﾘｹｰｼｮﾝの終了(&X)\tCtrl+Q", true},
        {"ﾌｧｲﾙ(&F)", ".", true},
        {"様式(&Y)", "柱状図種類 選択・編集(&T)", true},
        {"様式(&Y)", "標題欄,項目部 配置 (&H)", true},
        {"様式(&Y)", "&1 岩盤柱状図", true},
        {"様式(&Y)", "&8 旧要領_岩盤.ルジオン", true},
        {"様式(&Y)", "様式ファイルを開く(&F)...", true},
        {"データ(&A)", "見出し(&M)", true},
        {"データ(&A)", "その他一覧(&D)", true},
        {"データ(&A)", "ページ(&P)", true},
        {"データ(&A)", ".", true},
        {"表示(&V)", "ﾂｰﾙ ﾊﾞｰ(&T)", true},
        {"表示(&V)", "ｽﾃｰﾀｽ ﾊﾞｰ(&S)", true},
        {"表示(&V)", "様式変更の確認表示(&W)", true},
        {"表示(&V)", "幅に合わせる(&F)", true},
        {"表示(&V)", "ページに合わせる(&G)", true},
        {"システム設定(&S)", "縮尺と表示深度(&S)", true},
        {"システム設定(&S)", "目盛り,グリッド,線種,マージンなど(&Y)", true},
        {"システム設定(&S)", "柱状図模様(&P)", true},
        {"システム設定(&S)", "フォント(&F)", true},
        {"システム設定(&S)", "キーの動作、入力画面オプション(&E)", true},
        {"システム設定(&S)", "セットアップ(&U)", true},
        {"ﾍﾙﾌﾟ(&H)", "ﾊﾞｰｼﾞｮﾝ情報(&A)", true},
        {"ﾍﾙﾌﾟ(&H)", "操作＆ヘルプ(&H)", true},
    };
    for (const auto& e : expected) {
        SCOPED_TRACE(std::string(e.menu) + " " + e.caption);
        const MenuItem* item = FindItem(items, e.menu, e.caption);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->enabled, e.enabled);
    }
    // The menus in their order.
    std::vector<std::string> menus;
    for (QAction* top : frame->menuBar()->actions()) menus.push_back(top->text().toStdString());
    EXPECT_EQ(menus, (std::vector<std::string>{"ﾌｧｲﾙ(&F)", "様式(&Y)", "データ(&A)", "表示(&V)", "システム設定(&S)",
                                                "ﾍﾙﾌﾟ(&H)"}));
    // The two "." entries are the last of their menus.
    for (const char* menu : {"ﾌｧｲﾙ(&F)", "データ(&A)"}) {
        const MenuItem* last = nullptr;
        for (const auto& item : items)
            if (item.menu == menu) last = &item;
        ASSERT_NE(last, nullptr);
        EXPECT_EQ(last->caption, ".") << menu;
    }
    // The store command is reached by Ctrl+S and the tool bar only; it does nothing, so it is
    // shown disabled.
    ASSERT_NE(frame->Command(kCmdFileStore), nullptr);
    EXPECT_EQ(frame->Command(kCmdFileStore)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_S));
    EXPECT_FALSE(frame->Command(kCmdFileStore)->isEnabled());
}

TEST(MainFrameMenus, ToolBarOrderAndToggles) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    std::vector<int> ids;
    for (QAction* action : frame->ToolBar()->actions()) ids.push_back(action->isSeparator() ? 0 : action->data().toInt());
    EXPECT_EQ(ids, (std::vector<int>{57600, 57601, 57603, 0, 57607, 57664, 0, 4040, 4041}));

    frame->show();
    struct Toggle {
        int id;
        QWidget* bar;
    };
    for (const Toggle& t : {Toggle{kCmdToggleToolBar, frame->ToolBar()}, Toggle{kCmdToggleStatusBar, frame->statusBar()}}) {
        SCOPED_TRACE(t.id);
        QAction* action = frame->Command(t.id);
        ASSERT_TRUE(action->isChecked());
        action->trigger();
        EXPECT_FALSE(action->isChecked());
        EXPECT_FALSE(t.bar->isVisible());
        action->trigger();
        EXPECT_TRUE(t.bar->isVisible());
    }
    EXPECT_TRUE(frame->StyleChangeWarning());
    frame->Command(kCmdStyleChangeWarning)->trigger();
    EXPECT_FALSE(frame->StyleChangeWarning());
    EXPECT_FALSE(frame->Command(kCmdStyleChangeWarning)->isChecked());
}

TEST(MainFrameMenus, InstalledCommandIsEnabledAndRepaintsOnOk) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    // A command without a handler (上書き保存, which the program never offers): disabled until
    // a handler is installed for it.
    QAction* command = frame->Command(kCmdFileStore);
    ASSERT_NE(command, nullptr);
    ASSERT_FALSE(command->isEnabled());
    int runs = 0;
    frame->InstallCommand(kCmdFileStore, [&](QWidget* parent) {
        EXPECT_EQ(parent, frame.get());
        ++runs;
        return true;
    });
    EXPECT_TRUE(command->isEnabled());
    frame->RunCommand(kCmdFileStore);
    EXPECT_EQ(runs, 1);
}

TEST(MainFrameStart, WindowIsSizedAndCentredOnTheScreen) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    EXPECT_EQ(frame->size(), QSize(1100, 819));
    EXPECT_EQ(frame->pos(), QPoint(90, 102));
    EXPECT_EQ(frame->windowTitle(), "Stracol");
}

TEST(MainFrameStart, CommandLineFileIsOpenOnPageOne) {
    REQUIRE_SAMPLE();
    FrameRig rig;
    const std::string file = stracol::testing::TestDataFile(kSample);
    auto frame = rig.Start(file);
    ASSERT_TRUE(frame);
    frame->show();
    EXPECT_EQ(rig.workspace.documentPath, file);
    EXPECT_EQ(rig.workspace.formatCode, 204);
    EXPECT_EQ(frame->windowTitle(), "boringrs_BED0400.XML - Stracol");
    EXPECT_GT(rig.workspace.geometry.maxDepth, 0.0);
    EXPECT_GT(rig.workspace.geometry.depthPerPage, 0);
    EXPECT_EQ(frame->View().CurrentPage(), 1);
    EXPECT_EQ(rig.workspace.geometry.screenPageStart, 0.0);
    const int pages = frame->View().PageCount();
    EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(1, pages));
    // The view paints page 1 from the top.
    rig.recorder.calls.clear();
    frame->View().viewport()->grab();
    ASSERT_FALSE(rig.recorder.calls.empty());
    EXPECT_EQ(rig.recorder.calls.back().page, 1);
    EXPECT_FALSE(rig.recorder.calls.back().printing);
    EXPECT_EQ(rig.recorder.calls.back().pageStartM, 0.0);
    // The file joins the recent-file list and its menu.
    ASSERT_EQ(frame->Recent().Files().size(), 1);
    EXPECT_EQ(frame->Recent().Files()[0].toStdString(), Normal(file));
    EXPECT_FALSE(frame->Command(kCmdRecentFiles)->isVisible());
}

TEST(MainFrameStart, BrokenCommandLineFileIsNamedAndTheWindowOpensEmpty) {
    struct Case {
        const char* name;
        std::string content;
        const char* reason;  // part of the message
        bool partlyShown = false;  // what was read before the cut is shown
    };
    const std::string head =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">\r\n"
        "<ボーリング情報 DTD_version=\"4.00\">\r\n<標題情報>\r\n<調査基本情報>\r\n<調査名>切れた</調査名>\r\n";
    const std::vector<Case> cases = {
        {"truncated.xml", head, "ファイルが途中で切れています", true},
        {"notes.txt", "just some text\r\nnothing of a log\r\n", kNotReadable.c_str()},
        {"empty.xml", "", "ファイルが空です"},
        {"binary.xml", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xfe\0\x01", 20), "文字として読めないバイト"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FrameRig rig;
        const std::string bad = rig.home.Write(c.name, c.content);
        auto frame = rig.Start(bad);
        ASSERT_TRUE(frame);
        frame->show();
        EXPECT_TRUE(frame->isVisible());
        if (c.partlyShown) {
            // A file cut off after its first records shows what was read, and says so.
            EXPECT_EQ(rig.workspace.documentPath, Normal(bad));
            EXPECT_NE(frame->windowTitle().toStdString().find(c.name), std::string::npos);
            EXPECT_EQ(rig.workspace.record.Heading(1), "切れた");
        } else {
            EXPECT_TRUE(rig.workspace.documentPath.empty());
            EXPECT_EQ(frame->windowTitle(), "Stracol");
        }
        EXPECT_FALSE(rig.workspace.style.HasNoItems());  // the empty form of the start-up
        // One message: the file, then why.
        ASSERT_EQ(rig.messages.entries.size(), 1u);
        const std::string& text = rig.messages.entries[0].text;
        EXPECT_NE(text.find(bad), std::string::npos) << text;
        EXPECT_NE(text.find(c.reason), std::string::npos) << text;
    }
}

TEST(MainFrameStart, StartupPaperGoesToTheProgramsPrinter) {
    struct Case {
        const char* enabled;
        QPageSize::PageSizeId size;
        QPageLayout::Orientation orientation;
    };
    // Without the start-up paper the log's paper is A3 portrait, as stracol-render draws it.
    for (const Case& c : {Case{"1", QPageSize::A3, QPageLayout::Landscape}, Case{"0", QPageSize::A3, QPageLayout::Portrait}}) {
        SCOPED_TRACE(c.enabled);
        FrameRig rig;
        // SysQXV.ndx: line 0 "500", line 31 enabled, 32 paper 0 (A3), 33 orientation 1 (landscape).
        std::string settings = "500\r\n";
        for (int line = 1; line <= 120; ++line) {
            if (line == 31) settings += c.enabled;
            if (line == 32) settings += "0";
            if (line == 33) settings += "1";
            settings += "\r\n";
        }
        rig.home.Write("SysQXV.ndx", settings);
        gui::FrameOptions options = rig.Options();
        auto frame = std::make_unique<CMainFrame>(rig.workspace, rig.messages, std::move(options));
        frame->Printer().setPageSize(QPageSize(QPageSize::Letter));
        frame->Printer().setPageOrientation(QPageLayout::Portrait);
        frame->View().OnInitialUpdate();
        frame->ApplyStartupPaper();
        EXPECT_EQ(frame->Printer().pageLayout().pageSize().id(), c.size);
        EXPECT_EQ(frame->Printer().pageLayout().orientation(), c.orientation);
        // The view is paginated for that paper.
        const PaperMm paper = PrinterPaperMm(frame->Printer());
        EXPECT_EQ(rig.workspace.geometry.paperWidthMm, paper.widthMm);
        EXPECT_EQ(rig.workspace.geometry.paperLengthMm, paper.lengthMm);
    }
}

TEST(MainFrameStart, ScrollSizesFollowTheDepthPerPage) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    const render::ScrollSizes expected = render::ComputeScrollSizes(rig.workspace.geometry.depthPerPage, 1280);
    const render::ScrollSizes& sizes = frame->View().ScrollSizes();
    EXPECT_EQ(sizes.widthPx, expected.widthPx);
    EXPECT_EQ(sizes.heightPx, expected.heightPx);
    // Nothing is painted before the first update.
    FrameRig fresh;
    gui::CMainFrame bare(fresh.workspace, fresh.messages, fresh.Options());
    bare.show();
    bare.View().viewport()->grab();
    EXPECT_TRUE(fresh.recorder.calls.empty());
    EXPECT_FALSE(bare.View().InitialUpdateDone());
}

class PageKeys : public ::testing::Test {
protected:
    void SetUp() override {
        frame = rig.Start(stracol::testing::DeepLogFile());
        ASSERT_TRUE(frame);
        frame->show();
        step = rig.workspace.geometry.depthPerPage - rig.workspace.geometry.pageOverlap;
        ASSERT_GT(step, 0);
        ASSERT_GE(frame->View().PageCount(), 2);
    }
    void Press(Qt::Key key, int times = 1) {
        for (int i = 0; i < times; ++i) QTest::keyClick(&frame->View(), key);
    }
    const render::PageGeometry& G() const { return rig.workspace.geometry; }

    FrameRig rig;
    std::unique_ptr<CMainFrame> frame;
    int step = 0;
};

TEST_F(PageKeys, DownThenUpReturnsToPageOne) {
    struct KeyPair {
        Qt::Key down;
        Qt::Key up;
    };
    for (const KeyPair keys : {KeyPair{Qt::Key_PageDown, Qt::Key_PageUp}, KeyPair{Qt::Key_Down, Qt::Key_Up}}) {
        SCOPED_TRACE(keys.down);
        Press(keys.down);
        EXPECT_EQ(G().currentPage, 2);
        EXPECT_DOUBLE_EQ(G().screenPageStart, step);
        EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(2, frame->View().PageCount()));
        Press(keys.up);
        EXPECT_EQ(G().currentPage, 1);
        EXPECT_DOUBLE_EQ(G().screenPageStart, 0.0);
        // At the top nothing goes further up.
        Press(keys.up);
        EXPECT_EQ(G().currentPage, 1);
        EXPECT_DOUBLE_EQ(G().screenPageStart, 0.0);
    }
}

TEST_F(PageKeys, PageDownStopsAtTheLastPage) {
    const int last = frame->View().PageCount();
    for (Qt::Key key : {Qt::Key_PageDown, Qt::Key_Down}) {
        SCOPED_TRACE(key);
        Press(key, last + 5);
        EXPECT_EQ(G().currentPage, last);
        EXPECT_DOUBLE_EQ(G().screenPageStart, static_cast<double>(last - 1) * step);
        EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(last, last));
        EXPECT_FALSE(frame->View().NextPage());
        // No page below the last one is drawn.
        rig.recorder.calls.clear();
        frame->View().viewport()->grab();
        for (const auto& call : rig.recorder.calls) EXPECT_LE(call.page, last);
        Press(Qt::Key_Home);
        Press(Qt::Key_Home, 1);
        QTest::keyClick(&frame->View(), Qt::Key_Home, Qt::ControlModifier);
        EXPECT_EQ(G().currentPage, 1);
    }
    // Without a file there is one page, and Page Down stays on it.
    frame->RunCommand(kCmdFileNew);
    Press(Qt::Key_PageDown, 5);
    EXPECT_EQ(frame->View().PageCount(), 1);
    EXPECT_EQ(G().currentPage, 1);
    EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(1, 1));
}

TEST_F(PageKeys, ToolBarPageCommandsMoveWithoutRunawayReset) {
    frame->RunCommand(kCmdNextPage);
    EXPECT_EQ(G().currentPage, 2);
    frame->RunCommand(kCmdPreviousPage);
    frame->RunCommand(kCmdPreviousPage);
    EXPECT_EQ(G().currentPage, 1);
    EXPECT_DOUBLE_EQ(G().screenPageStart, 0.0);
}

TEST_F(PageKeys, ZoomScalesTheViewNotTheLog) {
    const QSize atOne = frame->View().PageSize();
    rig.recorder.calls.clear();
    frame->View().RenderPageImage(1.0);
    ASSERT_EQ(rig.recorder.calls.size(), 1u);
    const stracol::testing::PaintCall one = rig.recorder.calls.back();
    const int depthPerPage = G().depthPerPage;

    frame->RunCommand(kCmdZoomIn);
    frame->RunCommand(kCmdZoomIn);
    EXPECT_DOUBLE_EQ(frame->View().Zoom(), 1.5625);
    frame->View().SetZoom(2.0);
    EXPECT_NEAR(frame->View().PageSize().width(), 2 * atOne.width(), 1);
    EXPECT_NEAR(frame->View().PageSize().height(), 2 * atOne.height(), 1);
    const QImage image = frame->View().RenderPageImage(2.0);
    EXPECT_EQ(image.width(), frame->View().PageSize().width());
    const stracol::testing::PaintCall two = rig.recorder.calls.back();
    EXPECT_EQ(two.dpi, 2 * one.dpi);
    EXPECT_NEAR(two.xAt100Mm, 2 * one.xAt100Mm, 2);
    EXPECT_EQ(two.pageStartM, one.pageStartM);
    EXPECT_EQ(G().depthPerPage, depthPerPage);
    EXPECT_EQ(frame->View().CurrentPage(), 1);

    frame->View().SetZoom(100.0);
    EXPECT_DOUBLE_EQ(frame->View().Zoom(), CSkView::kMaxZoom);
    frame->RunCommand(kCmdZoomActual);
    EXPECT_DOUBLE_EQ(frame->View().Zoom(), 1.0);
    frame->RunCommand(kCmdZoomFitWidth);
    EXPECT_LE(frame->View().PageSize().width(), frame->View().viewport()->width());
    EXPECT_GT(frame->View().PageSize().width(), frame->View().viewport()->width() * 0.8);
}

TEST_F(PageKeys, DocumentViewerKeysScrollThePages) {
    CSkView& view = frame->View();
    QScrollBar* bar = view.verticalScrollBar();
    const int port = view.viewport()->height();
    ASSERT_GT(view.PageSize().height(), port);  // at 100 % a page is taller than the view
    const int last = view.PageCount();
    struct Step {
        const char* name;
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int page;
        std::function<int()> scroll;  // where the view is then
    };
    const int screenful = port - bar->singleStep();
    const std::vector<Step> steps = {
        {"Ctrl+End: the end of the last page", Qt::Key_End, Qt::ControlModifier, last, [&] { return bar->maximum(); }},
        {"Ctrl+Home: the top of the first page", Qt::Key_Home, Qt::ControlModifier, 1, [] { return 0; }},
        {"End: the end of this page", Qt::Key_End, Qt::NoModifier, 1,
         [&] { return view.PageRect(1).bottom() + 1 + CSkView::kDeskMarginPx - port; }},
        {"Home: the top of this page", Qt::Key_Home, Qt::NoModifier, 1, [] { return 0; }},
        {"Space: one screen down", Qt::Key_Space, Qt::NoModifier, 1, [&] { return screenful; }},
        {"Shift+Space: one screen up", Qt::Key_Space, Qt::ShiftModifier, 1, [] { return 0; }},
        {"Page Down: the top of the next page", Qt::Key_PageDown, Qt::NoModifier, 2,
         [&] { return view.PageRect(2).top() - CSkView::kDeskMarginPx; }},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.name);
        QTest::keyClick(&view, s.key, s.modifiers);
        EXPECT_EQ(G().currentPage, s.page);
        EXPECT_EQ(bar->value(), s.scroll());
        EXPECT_EQ(frame->PageBox()->text().toStdString(), std::to_string(s.page));
    }
    // Ctrl+Q ends the program: the window closes.
    QAction* exit = frame->Command(kCmdExit);
    EXPECT_TRUE(exit->shortcuts().contains(QKeySequence(Qt::CTRL | Qt::Key_Q)));
    exit->trigger();
    EXPECT_FALSE(frame->isVisible());
}

TEST_F(PageKeys, WheelScrollsOnIntoTheNextPage) {
    CSkView& view = frame->View();
    int turns = 0;
    while (G().currentPage == 1 && turns++ < 500) {
        QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(view.viewport(), &wheel);
    }
    EXPECT_EQ(G().currentPage, 2);
    EXPECT_DOUBLE_EQ(G().screenPageStart, step);
    EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(2, view.PageCount()));
    // Part of page 1 is still in sight and is drawn with page 2.
    rig.recorder.calls.clear();
    view.RepaintAll();
    view.viewport()->grab();
    std::set<int> drawn;
    for (const auto& call : rig.recorder.calls) drawn.insert(call.page);
    EXPECT_EQ(drawn, (std::set<int>{1, 2}));
}

TEST_F(PageKeys, PageBoxAndZoomBox) {
    CSkView& view = frame->View();
    struct Typed {
        const char* text;
        int page;
    };
    for (const Typed t : {Typed{"3", 3}, Typed{"1", 1}, Typed{"99", view.PageCount()}}) {
        SCOPED_TRACE(t.text);
        frame->PageBox()->setText(QString::fromLatin1(t.text));
        QTest::keyClick(frame->PageBox(), Qt::Key_Return);
        EXPECT_EQ(G().currentPage, t.page);
        EXPECT_EQ(frame->PageBox()->text().toStdString(), std::to_string(t.page));
    }
    view.GoToPage(2);
    const int margin = CSkView::kDeskMarginPx;
    QComboBox* zoom = frame->ZoomBox();
    // Fit page: the whole page in sight, no page larger than the view.
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("ページに合わせる")));
    emit zoom->activated(zoom->currentIndex());
    EXPECT_EQ(view.Mode(), CSkView::ZoomMode::FitPage);
    EXPECT_LE(view.PageSize().height(), view.viewport()->height() - 2 * margin);
    EXPECT_LE(view.PageSize().width(), view.viewport()->width() - 2 * margin);
    EXPECT_GE(view.PageSize().height(), view.viewport()->height() - 2 * margin - 2);
    EXPECT_EQ(G().currentPage, 2);
    // A percentage typed in.
    zoom->lineEdit()->setText(QStringLiteral("200%"));
    QTest::keyClick(zoom->lineEdit(), Qt::Key_Return);
    EXPECT_EQ(view.Mode(), CSkView::ZoomMode::Fixed);
    EXPECT_DOUBLE_EQ(view.Zoom(), 2.0);
    EXPECT_EQ(zoom->currentText(), "200%");
    // Fit width stays on through a resize of the window; the page is centred.
    zoom->setCurrentIndex(zoom->findText(QStringLiteral("幅に合わせる")));
    emit zoom->activated(zoom->currentIndex());
    for (int width : {900, 1200}) {
        SCOPED_TRACE(width);
        frame->resize(width, 800);
        QApplication::processEvents();
        EXPECT_EQ(view.Mode(), CSkView::ZoomMode::FitWidth);
        EXPECT_NEAR(view.PageSize().width(), view.viewport()->width() - 2 * margin, 1);
        EXPECT_NEAR(view.PageRect(1).left(), (view.viewport()->width() - view.PageSize().width()) / 2, 1);
        EXPECT_EQ(zoom->currentText(), "幅に合わせる");
    }
}

TEST_F(PageKeys, DrawnPagesAreKeptUntilZoomOrDataChange) {
    CSkView& view = frame->View();
    auto drawnPages = [&] {
        rig.recorder.calls.clear();
        view.viewport()->grab();
        std::vector<int> pages;
        for (const auto& call : rig.recorder.calls) pages.push_back(call.page);
        return pages;
    };
    drawnPages();  // page 1 drawn and kept
    view.NextPage();
    EXPECT_EQ(drawnPages(), std::vector<int>{2});
    // Turning back, and a scroll within the page, draw nothing again.
    view.PreviousPage();
    EXPECT_TRUE(drawnPages().empty());
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->singleStep());
    EXPECT_TRUE(drawnPages().empty());
    EXPECT_GE(view.KeptPages(), 2);
    // Another zoom draws anew, and so does a change of the data (a confirmed dialog).
    view.SetZoom(1.25);
    EXPECT_EQ(drawnPages(), std::vector<int>{1});
    view.RepaintAll();
    EXPECT_EQ(drawnPages(), std::vector<int>{1});
    // The screen draws the pages as print does: page 2 starts one step down.
    view.NextPage();
    rig.recorder.calls.clear();
    view.viewport()->grab();
    ASSERT_FALSE(rig.recorder.calls.empty());
    EXPECT_EQ(rig.recorder.calls.back().page, 2);
    EXPECT_DOUBLE_EQ(rig.recorder.calls.back().pageStartM, step);
}

TEST_F(PageKeys, CtrlWheelZooms) {
    const double before = frame->View().Zoom();
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, 120), Qt::NoButton, Qt::ControlModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(frame->View().viewport(), &wheel);
    EXPECT_GT(frame->View().Zoom(), before);
    EXPECT_EQ(G().currentPage, 1);
}

TEST_F(PageKeys, PrintToPdfWritesEveryPageThroughThePrintRoad) {
    Press(Qt::Key_PageDown);  // the screen is on page 2 before printing
    const int pages = frame->View().PageCount();
    const std::string pdf = rig.home.File("log.pdf");
    rig.recorder.calls.clear();
    const int written = frame->PrintToPdf(QString::fromStdString(pdf));
    // Printing asks the PDF printer for its paper, which may change the page count.
    const int pageCount = render::PageCount(G());
    EXPECT_EQ(written, pageCount);
    EXPECT_GE(pageCount, 1);
    (void)pages;

    const auto printed = rig.recorder.PrintedCalls();
    ASSERT_EQ(static_cast<int>(printed.size()), pageCount);
    for (int n = 0; n < pageCount; ++n) {
        EXPECT_EQ(printed[n].page, n + 1);
        EXPECT_DOUBLE_EQ(printed[n].pageStartM, G().printStartDepth + step * n);
        EXPECT_EQ(printed[n].dpi, 1200);
    }
    // After printing the screen shows page 1.
    EXPECT_FALSE(G().printing);
    EXPECT_EQ(G().currentPage, 1);
    EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(1, frame->View().PageCount()));

    const int onDisk = PdfPages(QString::fromStdString(pdf));
    if (onDisk < 0) GTEST_SKIP() << "pdfinfo not available";
    EXPECT_EQ(onDisk, pageCount);
    // No temporary file stays beside it.
    int files = 0;
    for (const auto& entry : std::filesystem::directory_iterator(rig.home.Path()))
        if (entry.path().extension() == ".pdf") ++files;
    EXPECT_EQ(files, 1);
}

// Closes the modal dialog a command opens once it has been shown for a moment.
void CloseModalDialogSoon(bool accept) {
    QTimer::singleShot(500, [accept] {
        if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
            if (accept)
                dialog->accept();
            else
                dialog->reject();
        }
    });
}

TEST_F(PageKeys, PrintPreviewDrawsThePagesThenShowsPageOne) {
    Press(Qt::Key_PageDown);
    rig.recorder.calls.clear();
    CloseModalDialogSoon(false);
    frame->RunCommand(kCmdPrintPreview);
    const auto printed = rig.recorder.PrintedCalls();
    const int pageCount = render::PageCount(G());
    ASSERT_GE(static_cast<int>(printed.size()), pageCount);
    for (int n = 0; n < pageCount; ++n) {
        EXPECT_EQ(printed[n].page, n + 1);
        EXPECT_DOUBLE_EQ(printed[n].pageStartM, G().printStartDepth + step * n);
    }
    EXPECT_FALSE(G().printing);
    EXPECT_EQ(G().currentPage, 1);
}

TEST_F(PageKeys, PrintDialogPrintsEveryPageThenShowsPageOne) {
    Press(Qt::Key_PageDown);
    const std::string pdf = rig.home.File("printed.pdf");
    frame->Printer().setOutputFormat(QPrinter::PdfFormat);
    frame->Printer().setOutputFileName(QString::fromStdString(pdf));
    rig.recorder.calls.clear();
    rig.messages.entries.clear();  // what the load told; printing itself must say nothing
    CloseModalDialogSoon(true);
    frame->RunCommand(kCmdFilePrint);
    const auto printed = rig.recorder.PrintedCalls();
    ASSERT_EQ(static_cast<int>(printed.size()), render::PageCount(G()));
    for (int n = 0; n < static_cast<int>(printed.size()); ++n) EXPECT_EQ(printed[n].page, n + 1);
    EXPECT_EQ(G().currentPage, 1);
    EXPECT_FALSE(G().printing);
    EXPECT_EQ(PdfPages(QString::fromStdString(pdf)), render::PageCount(G()));
    EXPECT_TRUE(rig.messages.Empty());
}

TEST_F(PageKeys, PrintedRangeDrawsOnlyItsPages) {
    const int pageCount = render::PageCount(G());
    ASSERT_GE(pageCount, 3);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(rig.home.File("range.pdf")));
    printer.setPrintRange(QPrinter::PageRange);
    printer.setFromTo(2, 3);
    const auto [from, to] = ChosenPages(printer, pageCount);
    EXPECT_EQ(from, 2);
    EXPECT_EQ(to, 3);
    rig.recorder.calls.clear();
    EXPECT_EQ(PrintLogPages(printer, rig.workspace, frame->View().Fonts(), &rig.messages, rig.recorder.Painter(), from, to), 2);
    const auto printed = rig.recorder.PrintedCalls();
    ASSERT_EQ(printed.size(), 2u);
    EXPECT_EQ(printed[0].page, 2);
    EXPECT_DOUBLE_EQ(printed[0].pageStartM, G().printStartDepth + step);
    EXPECT_EQ(printed[1].page, 3);
    EXPECT_DOUBLE_EQ(printed[1].pageStartM, G().printStartDepth + 2 * step);
    EXPECT_EQ(G().currentPage, 1);
    // A range beyond the last page is cut to it; all pages without a chosen range.
    printer.setFromTo(pageCount, pageCount + 5);
    EXPECT_EQ(ChosenPages(printer, pageCount), std::make_pair(pageCount, pageCount + 5));
    rig.recorder.calls.clear();
    EXPECT_EQ(PrintLogPages(printer, rig.workspace, frame->View().Fonts(), &rig.messages, rig.recorder.Painter(),
                            pageCount, pageCount + 5), 1);
    printer.setPrintRange(QPrinter::AllPages);
    EXPECT_EQ(ChosenPages(printer, pageCount), std::make_pair(1, pageCount));
}

TEST_F(PageKeys, PrintToPdfInAMissingFolderFailsAndSaysSo) {
    const std::string pdf = rig.home.File("no/such/folder/log.pdf");
    EXPECT_EQ(frame->PrintToPdf(QString::fromStdString(pdf)), 0);
    EXPECT_EQ(rig.messages.Count("保存できませんでした"), 1);
    EXPECT_FALSE(std::filesystem::exists(pdf));
    EXPECT_FALSE(G().printing);
    EXPECT_EQ(G().currentPage, 1);
}

TEST(MainFrameState, WindowZoomAndBarsAreKeptForTheNextRun) {
    FrameRig rig;
    {
        auto frame = rig.Start(stracol::testing::DeepLogFile());
        ASSERT_TRUE(frame);
        frame->show();
        frame->resize(1000, 700);
        frame->View().ZoomToFitPage();
        frame->Command(kCmdToggleToolBar)->trigger();
        frame->Command(kCmdToggleStatusBar)->trigger();
        frame->close();
    }
    auto again = rig.Start(stracol::testing::DeepLogFile());
    ASSERT_TRUE(again);
    again->show();
    EXPECT_EQ(again->size(), QSize(1000, 700));
    EXPECT_EQ(again->View().Mode(), CSkView::ZoomMode::FitPage);
    EXPECT_FALSE(again->Command(kCmdToggleToolBar)->isChecked());
    EXPECT_FALSE(again->ToolBar()->isVisible());
    EXPECT_FALSE(again->PageBar()->isVisible());
    EXPECT_FALSE(again->Command(kCmdToggleStatusBar)->isChecked());
    EXPECT_FALSE(again->statusBar()->isVisible());
    // A fixed zoom comes back as it was.
    again->View().SetZoom(1.5);
    again->Command(kCmdToggleToolBar)->trigger();
    again->close();
    auto third = rig.Start("");
    ASSERT_TRUE(third);
    third->show();
    EXPECT_EQ(third->View().Mode(), CSkView::ZoomMode::Fixed);
    EXPECT_DOUBLE_EQ(third->View().Zoom(), 1.5);
    EXPECT_TRUE(third->ToolBar()->isVisible());
}

TEST(MainFrameState, PdfDialogStartsInTheLastPdfFolderNotTheDataFolder) {
    FrameRig rig;
    const std::string data = rig.home.Write("data/deep.xml", "");
    std::filesystem::copy_file(stracol::testing::DeepLogFile(), data, std::filesystem::copy_options::overwrite_existing);
    auto frame = rig.Start(data);
    ASSERT_TRUE(frame);
    QString offered;
    QString answer;
    frame->SetPdfFileChooser([&](const QString& suggested) {
        offered = suggested;
        return answer;
    });
    // First: not the data file's folder (which may be read-only), the data file's name.
    frame->RunCommand(kCmdPrintToPdf);
    const QFileInfo first(offered);
    EXPECT_EQ(first.fileName(), "deep.pdf");
    EXPECT_NE(first.absolutePath().toStdString(), std::filesystem::path(data).parent_path().string());
    EXPECT_TRUE(first.absoluteDir().exists());
    // A PDF written into a folder: the next one starts there.
    std::filesystem::create_directories(rig.home.File("pdfs"));
    answer = QString::fromStdString(rig.home.File("pdfs/out.pdf"));
    frame->RunCommand(kCmdPrintToPdf);
    ASSERT_TRUE(std::filesystem::exists(rig.home.File("pdfs/out.pdf")));
    answer.clear();
    frame->RunCommand(kCmdPrintToPdf);
    EXPECT_EQ(QFileInfo(offered).absolutePath().toStdString(), rig.home.File("pdfs"));
    // Also in the next run; a folder that has gone gives the first choice again.
    frame->close();
    auto next = rig.Start("");
    EXPECT_EQ(next->PdfFolder().toStdString(), rig.home.File("pdfs"));
    std::filesystem::remove_all(rig.home.File("pdfs"));
    EXPECT_EQ(next->PdfFolder(), first.absolutePath());
}

TEST(MainFrameState, AboutBoxIsWideEnoughForItsTitle) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    frame->show();
    int width = 0;
    int titleWidth = 0;
    QTimer::singleShot(300, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            width = box->width();
            titleWidth = box->fontMetrics().horizontalAdvance(box->windowTitle());
            box->accept();
        }
    });
    frame->RunCommand(kCmdAbout);
    ASSERT_GT(titleWidth, 0);
    // Room for the title beside the title bar's icon and its three buttons (about 160 px);
    // a box only as wide as its text cuts the title off.
    EXPECT_GE(width, titleWidth + 160) << width << " " << titleWidth;
}

TEST(MainFrameFiles, DroppedFileOpens) {
    REQUIRE_SAMPLE();
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    frame->show();
    const std::string file = stracol::testing::TestDataFile(kSample);
    QMimeData mime;
    mime.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &drop);
    EXPECT_EQ(rig.workspace.documentPath, file);
    EXPECT_EQ(frame->windowTitle(), "boringrs_BED0400.XML - Stracol");
    EXPECT_EQ(frame->View().CurrentPage(), 1);
}

TEST(MainFrameFiles, DragOfNoLocalFileIsRefused) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    QMimeData mime;
    mime.setText("not a file");
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(frame.get(), &enter);
    EXPECT_FALSE(enter.isAccepted());
}

// A file that fails leaves the log on screen as it was, whichever road opened it.
TEST(MainFrameFiles, UnreadableFileKeepsThePreviousLog) {
    REQUIRE_SAMPLE();
    enum class Road { Framework, OpenCommand, Drop };
    struct Case {
        const char* name;
        Road road;
        std::string bytes;
        std::string message;
    };
    const std::vector<Case> cases = {
        {"text via framework", Road::Framework, "hello\r\nworld\r\n", kNotReadable},
        {"text via 開く", Road::OpenCommand, "hello\r\nworld\r\n", kNotReadable},
        {"binary via drop", Road::Drop, std::string("\x00\x01\xff\xfe\x80garbage\x00", 13), kNotReadable},
        {"empty via 開く", Road::OpenCommand, "", kNotReadable},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        FrameRig rig;
        auto frame = rig.Start(stracol::testing::TestDataFile(kSample));
        ASSERT_TRUE(frame);
        frame->RunCommand(kCmdNextPage);
        const std::string before = RecordSnapshot(rig.workspace);
        const QString title = frame->windowTitle();
        const double pageStart = rig.workspace.geometry.screenPageStart;
        const std::string bad = rig.home.Write("bad.xml", c.bytes);
        switch (c.road) {
        case Road::Framework:
            EXPECT_FALSE(frame->OpenDocumentFile(QString::fromStdString(bad)));
            break;
        case Road::OpenCommand:
            frame->SetOpenFileChooser([&](const QString&) { return QString::fromStdString(bad); });
            frame->RunCommand(kCmdFileOpen);
            break;
        case Road::Drop:
            frame->OpenDroppedFiles({QUrl::fromLocalFile(QString::fromStdString(bad))});
            break;
        }
        EXPECT_EQ(rig.messages.Count(c.message), 1);
        EXPECT_EQ(RecordSnapshot(rig.workspace), before);
        EXPECT_EQ(frame->windowTitle(), title);
        EXPECT_EQ(rig.workspace.geometry.screenPageStart, pageStart);
        EXPECT_EQ(frame->Recent().Files().size(), 1);
    }
}

TEST(MainFrameFiles, MissingFileSaysNotFound) {
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    const std::string missing = rig.home.File("gone.xml");
    EXPECT_FALSE(frame->OpenDocumentFile(QString::fromStdString(missing)));
    EXPECT_EQ(rig.messages.Count("ファイルが見つかりません\n( " + missing + " )"), 1);
    EXPECT_EQ(frame->windowTitle(), "Stracol");
}

TEST(MainFrameFiles, OpenCommandStartsInTheLastFolder) {
    REQUIRE_SAMPLE();
    FrameRig rig;
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    const std::string file = stracol::testing::TestDataFile(kSample);
    QString offered = "unset";
    frame->SetOpenFileChooser([&](const QString& folder) {
        offered = folder;
        return QString::fromStdString(file);
    });
    frame->RunCommand(kCmdFileOpen);
    EXPECT_TRUE(offered.isEmpty());  // no FileV.ndx yet
    EXPECT_EQ(rig.workspace.documentPath, file);
    frame->RunCommand(kCmdFileOpen);
    EXPECT_EQ(offered.toStdString(), std::filesystem::path(file).parent_path().string());
    // A cancelled dialog changes nothing.
    frame->SetOpenFileChooser([](const QString&) { return QString(); });
    frame->RunCommand(kCmdFileOpen);
    EXPECT_EQ(rig.workspace.documentPath, file);
}

// Draws with the program's log painter on a recording surface of the same resolution and
// keeps what the last page drew, one line per operation (kind, points, box, text).
struct FormRecorder {
    std::vector<std::string> operations;
    gui::PagePainter Painter() {
        return [this](render::LogContext& ctx) {
            render::RecordingSurface recording(ctx.surface.DpiX(), ctx.surface.DpiY());
            render::LogContext onRecording{recording,       ctx.geometry,     ctx.settings, ctx.fonts,
                                           ctx.style,       ctx.titleForm,    ctx.record,   ctx.patternColours,
                                           ctx.messages,    ctx.patternFolder, ctx.documentPath, ctx.footer,
                                           ctx.freeArticles, {},               0.0,          0.0,
                                           0.0,             0.0,              0.0,          nullptr,
                                           {}};
            render::PaintLog(onRecording);
            operations.clear();
            for (const auto& op : recording.operations) {
                std::ostringstream line;
                line << static_cast<int>(op.kind);
                for (const auto& p : op.points) line << " " << p.x << "," << p.y;
                line << " [" << op.rect.left << "," << op.rect.top << "," << op.rect.right << "," << op.rect.bottom
                     << "] " << op.text;
                operations.push_back(line.str());
            }
        };
    }
};

TEST(MainFrameFiles, NewDocumentGivesTheStartupForm) {
    REQUIRE_SAMPLE();
    // The empty form of a start without a file.
    FormRecorder startup;
    FrameRig first;
    auto empty = first.Start("", startup.Painter());
    ASSERT_TRUE(empty);
    empty->View().RenderPageImage(1.0);
    const std::vector<std::string> startupForm = startup.operations;
    ASSERT_FALSE(startupForm.empty());

    FormRecorder recorder;
    FrameRig rig;
    auto frame = rig.Start(stracol::testing::TestDataFile(kSample), recorder.Painter());
    ASSERT_TRUE(frame);
    frame->RunCommand(kCmdNextPage);
    frame->View().RenderPageImage(1.0);
    EXPECT_NE(recorder.operations, startupForm);  // the log is drawn
    ASSERT_EQ(frame->Command(kCmdFileNew)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_N));
    frame->RunCommand(kCmdFileNew);
    EXPECT_TRUE(rig.workspace.documentPath.empty());
    EXPECT_EQ(render::MaxDepthOf(rig.workspace.record), 0.0);
    EXPECT_EQ(frame->windowTitle(), "Stracol");
    EXPECT_EQ(frame->View().CurrentPage(), 1);
    EXPECT_EQ(frame->View().PageCount(), 1);
    frame->View().RenderPageImage(1.0);
    EXPECT_EQ(recorder.operations, startupForm);
    // 閉じる (Ctrl+W) leaves the same form.
    ASSERT_TRUE(frame->OpenDocumentFile(QString::fromStdString(stracol::testing::TestDataFile(kSample))));
    EXPECT_EQ(frame->Command(kCmdFileClose)->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_W));
    frame->RunCommand(kCmdFileClose);
    EXPECT_TRUE(rig.workspace.documentPath.empty());
    frame->View().RenderPageImage(1.0);
    EXPECT_EQ(recorder.operations, startupForm);
}

TEST(MainFrameFiles, RecentFileEntryOpensAndAFailedOneLeavesTheList) {
    REQUIRE_SAMPLE();
    FrameRig rig;
    const std::string good = stracol::testing::TestDataFile(kSample);
    const std::string doomed = rig.home.Write("doomed.xml", "nothing\n");
    rig.recentStore->setValue("Recent File List/File1", QString::fromStdString(doomed));
    rig.recentStore->setValue("Recent File List/File2", QString::fromStdString(good));
    auto frame = rig.Start("");
    ASSERT_TRUE(frame);
    std::vector<QAction*> entries;
    for (QAction* a : frame->menuBar()->actions().first()->menu()->actions())
        if (a->text().startsWith('&') && a->text().at(1).isDigit()) entries.push_back(a);
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0]->text().toStdString(), "&1 " + doomed);
    entries[1]->trigger();
    EXPECT_EQ(rig.workspace.documentPath, Normal(good));
    ASSERT_EQ(frame->Recent().Files().size(), 2);
    EXPECT_EQ(frame->Recent().Files()[0].toStdString(), Normal(good));
    // The entry for the unreadable file is dropped after its failure.
    for (QAction* a : frame->menuBar()->actions().first()->menu()->actions())
        if (a->text() == QString::fromStdString("&2 " + doomed)) a->trigger();
    EXPECT_EQ(rig.messages.Count(kNotReadable), 1);
    EXPECT_EQ(frame->Recent().Files(), QStringList{QString::fromStdString(Normal(good))});
    EXPECT_EQ(rig.workspace.documentPath, Normal(good));
}

}  // namespace
