// The style dialogs in the window, offscreen: a column width edited in the style editor
// changes the drawing of that column after OK, Cancel leaves the style; a style saved from the
// editor reads back with the same rows; the title-block layout examples and the OK warning;
// the window's choice of a built-in style or a style file, with and without the question.

#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableWidget>

#include <algorithm>
#include <set>

#include "core/TextFile.h"
#include "gui/CommandTable.h"
#include "gui/GuiTestSupport.h"
#include "gui/StyleCommands.h"
#include "gui/StyleEditorDialog.h"
#include "gui/TitleLayoutDialog.h"
#include "style/BuiltInStyles.h"
#include "style/StyleApplication.h"
#include "style/StyleWriter.h"

using namespace stracol;
using namespace stracol::gui;
using namespace stracol::testing;

namespace {

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new stracol::testing::WidgetEnvironment);

struct Rig : FrameRig {
    PageRecorder recorder;
    std::unique_ptr<CMainFrame> frame;
    explicit Rig(const std::string& file = DeepLogFile()) {
        frame = Start(file, recorder.Painter());
        frame->show();
    }
    const PaintedPage& PaintFirstPage() {
        workspace.geometry.currentPage = 1;
        workspace.geometry.screenPageStart = 0;
        frame->View().RenderPageImage(0.5);
        return recorder.Last();
    }
};

// The x of every vertical rule of a page that runs down at least a tenth of the page.
std::set<int> VerticalRules(const PaintedPage& page) {
    int top = INT_MAX, bottom = INT_MIN;
    for (const auto& op : page.operations)
        if (op.kind == render::OperationKind::Line)
            for (const auto& p : op.points) top = std::min(top, p.y), bottom = std::max(bottom, p.y);
    std::set<int> xs;
    for (const auto& op : page.operations) {
        if (op.kind != render::OperationKind::Line || op.points.size() != 2) continue;
        const auto& a = op.points[0];
        const auto& b = op.points[1];
        if (a.x == b.x && std::abs(a.y - b.y) * 10 > bottom - top) xs.insert(a.x);
    }
    return xs;
}

// A rule at x, give or take the pixel that truncation may take off.
bool HasRule(const std::set<int>& rules, int x) { return rules.count(x) || rules.count(x - 1) || rules.count(x + 1); }

int RowOf(const style::LogStyle& style, int code) {
    for (int i = 0; i < style.ItemCount(); ++i)
        if (style.items[i].ItemCode() == code) return i;
    return -1;
}

// Left and right edge of a column in mm of style width (the group headers have no width).
std::pair<double, double> ColumnMm(const style::LogStyle& style, int row) {
    double left = 0;
    for (int i = 0; i < row; ++i)
        if (!style.items[i].IsGroupHeader()) left += style.items[i].WidthMm();
    return {left, left + style.items[row].WidthMm()};
}

// Selects a row of the editor's table, types its width and overwrites it.
void EditWidth(StyleEditorDialog& d, int row, const QString& width) {
    auto* table = Child<QTableWidget>(d, "table");
    table->setCurrentCell(row, 0);
    Type(Child<QLineEdit>(d, "width"), width);
    Click(d, "overwrite");
}

TEST(StyleEditorDialog, AnEditedColumnWidthChangesItsDrawingAfterOk) {
    Rig rig;
    const style::LogStyle before = rig.workspace.style;
    const int article = RowOf(before, 1024);
    ASSERT_GE(article, 0);
    const auto [left, right] = ColumnMm(before, article);
    const std::set<int> rulesBefore = VerticalRules(rig.PaintFirstPage());
    const render::PageGeometry g = rig.workspace.geometry;
    // The page image lies where the view puts it: its left frame rule is at 0 mm.
    ASSERT_FALSE(rulesBefore.empty());
    const int origin = *rulesBefore.begin() - render::MmToX(g, 0);
    auto X = [&](double mm) { return origin + render::MmToX(g, mm); };
    ASSERT_TRUE(HasRule(rulesBefore, X(right)));

    OnDialog<StyleEditorDialog>([&](StyleEditorDialog& d) {
        EditWidth(d, article, "12");
        EXPECT_EQ(Child<QTableWidget>(d, "table")->item(article, 1)->text(), "12");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdStyleEditor);
    EXPECT_EQ(rig.workspace.style.items[article].Field(style::kWidthField), "12");
    EXPECT_EQ(rig.workspace.style.Title(), before.Title());
    EXPECT_EQ(rig.workspace.style.ItemCount(), before.ItemCount());

    const std::set<int> rulesAfter = VerticalRules(rig.PaintFirstPage());
    const double narrower = before.items[article].WidthMm() - 12;
    ASSERT_GT(narrower, 1);
    // The article column's right rule moved left with it, and so did every rule to its right.
    EXPECT_TRUE(HasRule(rulesAfter, X(left)));
    EXPECT_TRUE(HasRule(rulesAfter, X(left + 12)));
    EXPECT_FALSE(HasRule(rulesAfter, X(right)));
    int movedRules = 0;
    for (int x : rulesBefore) {
        if (x <= X(right) + 1) continue;
        const double mm = render::XToMm(g, x - origin);
        const int moved = X(mm - narrower);
        EXPECT_TRUE(HasRule(rulesAfter, moved)) << mm;
        ++movedRules;
    }
    EXPECT_GT(movedRules, 0);
}

TEST(StyleEditorDialog, CancelLeavesTheStyleAfterTheQuestion) {
    Rig rig;
    const style::LogStyle before = rig.workspace.style;
    rig.messages.answers = {false, true};  // "No" keeps the dialog open, then "Yes" closes it
    OnDialog<StyleEditorDialog>([&](StyleEditorDialog& d) {
        EditWidth(d, 0, "9");
        Click(d, "cancel");
        EXPECT_TRUE(d.isVisible());
        Click(d, "cancel");
    });
    rig.frame->RunCommand(kCmdStyleEditor);
    EXPECT_EQ(rig.workspace.style, before);
    EXPECT_EQ(rig.messages.Count("データが変更されましたが、キャンセルしてよいのですか？"), 2);
}

// Save from the dialog; the file reads back through the style reader with the committed rows.
// With STRACOL_STYLE_EDITOR_OUT set, the edited style and the screenshots are kept there.
TEST(StyleEditorDialog, SavedStyleReadsBackAndScreenshots) {
    Rig rig;
    const char* keep = std::getenv("STRACOL_STYLE_EDITOR_OUT");
    const std::string folder = keep ? keep : rig.home.Path();
    QDir().mkpath(QString::fromStdString(folder));
    const std::string path = folder + "/edited.tls";
    std::filesystem::remove(path);
    rig.messages.answers = {true};  // replace the table while a log is shown
    OnDialog<StyleEditorDialog>([&](StyleEditorDialog& d) {
        d.SetSaveChooser([&](const QString&) { return QString::fromStdString(path); });
        // The rock style, the article column wider, then the widths distributed over the paper.
        auto* builtIn = Child<QComboBox>(d, "builtIn");
        builtIn->setCurrentIndex(0);
        Click(d, "applyBuiltIn");
        auto* table = Child<QTableWidget>(d, "table");
        int article = -1;
        for (int r = 0; r < table->rowCount(); ++r)
            if (table->item(r, 0)->text().startsWith("1024")) article = r;
        if (article < 0) {
            ADD_FAILURE() << "no article column";
            d.done(QDialog::Rejected);
            return;
        }
        EditWidth(d, article, "60");
        Child<QComboBox>(d, "title")->setEditText(QStringLiteral("岩盤ボーリング柱状図"));
        Click(d, "distribute");
        Click(d, "save");
        Child<QTableWidget>(d, "table")->setCurrentCell(article, 0);
        d.show();
        QApplication::processEvents();
        const QImage shot = d.grab().toImage();
        EXPECT_GT(shot.width(), 800);
        if (keep) {
            EXPECT_TRUE(shot.save(QString::fromStdString(folder + "/style-editor.png")));
        }
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdStyleEditor);
    ASSERT_TRUE(core::FileExists(path));
    style::LogStyle read;
    core::RecordingMessages m;
    ASSERT_EQ(style::ApplyStyleFile(read, path, m), style::StyleFileResult::Applied);
    EXPECT_EQ(read.items, rig.workspace.style.items);
    EXPECT_EQ(read.Title(), "岩盤ボーリング柱状図");
    EXPECT_EQ(rig.messages.Count("現在の様式をクリアし、上書きします. よいですか？\n( 柱状図データは消えません )"), 1);
    EXPECT_NE(read.FindItem(3401), nullptr);  // the rock style's Lugeon columns
    EXPECT_EQ(read.FindItem(3101), nullptr);
    EXPECT_EQ(rig.workspace.settings.ConfirmStyleReplace, 0);  // asked once a session
    // stracol-render --style takes the same file: its listing shows the same rows.
    QProcess run;
    run.start(QStringLiteral(STRACOL_RENDER_PROGRAM),
              {QStringLiteral("--print-style"), QString::fromStdString(path), QStringLiteral("--home"),
               QString::fromStdString(rig.home.Path())});
    ASSERT_TRUE(run.waitForFinished(60000));
    EXPECT_EQ(run.exitCode(), 0);
    const QStringList listed = QString::fromUtf8(run.readAllStandardOutput()).split('\n', Qt::SkipEmptyParts);
    std::vector<std::string> expected;
    for (const auto& line : style::StyleListing(read)) expected.push_back(line);
    std::vector<std::string> rows;
    for (const QString& line : listed) rows.push_back(line.toStdString());
    ASSERT_GE(rows.size(), static_cast<std::size_t>(read.ItemCount()));
    EXPECT_EQ(std::vector<std::string>(rows.end() - read.ItemCount(), rows.end()),
              std::vector<std::string>(expected.end() - read.ItemCount(), expected.end()));
    EXPECT_EQ(read.Name(), path);
    // The distribution brought the columns to the paper less both margins.
    double sum = 0;
    for (int i = 0; i < read.ItemCount(); ++i) sum += read.items[i].IsGroupHeader() ? 0 : read.items[i].WidthMm();
    EXPECT_NEAR(sum, rig.workspace.geometry.paperWidthMm - 2.0 * rig.workspace.settings.LeftMargin, 0.05);
}

TEST(TitleLayoutDialog, ExamplesHeightsAndTheOkWarning) {
    Rig rig;
    OnDialog<TitleLayoutDialog>([&](TitleLayoutDialog& d) {
        EXPECT_EQ(Child<QLineEdit>(d, "h1")->text(), "28.0");
        EXPECT_EQ(Child<QLineEdit>(d, "h3")->text(), "40.0");
        Click(d, "layout2");
        EXPECT_EQ(Child<QLineEdit>(d, "h1")->text(), "39.0");
        EXPECT_EQ(Child<QLineEdit>(d, "h3")->text(), "42.0");
        Click(d, "format2");
        EXPECT_EQ(Child<QLineEdit>(d, "upperItemLeft")->text(), "30");
        EXPECT_EQ(Child<QLineEdit>(d, "underlineFixedWidth")->text(), "210");
        EXPECT_EQ(Child<QComboBox>(d, "underline")->currentText(), "固定幅");
        Type(Child<QLineEdit>(d, "h3"), "19");
        d.show();
        QApplication::processEvents();
        if (const char* keep = std::getenv("STRACOL_STYLE_EDITOR_OUT")) {
            EXPECT_TRUE(d.grab().toImage().save(QString::fromLocal8Bit(keep) + "/title-layout.png"));
        }
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdTitleLayout);
    EXPECT_EQ(rig.messages.Count("正しく表示されない可能性があります.　"), 1);
    const style::TitleForm& form = rig.workspace.titleForm;
    EXPECT_EQ(form.Get(style::TitleForm::HeaderBandBottom), "-1.9");
    EXPECT_EQ(form.Get(style::TitleForm::TitleTotal), "10.2");
    EXPECT_EQ(form.Get(style::TitleForm::UpperDataLeft), "80");
    EXPECT_EQ(form.Get(style::TitleForm::UnderlineMode), "4");
    // Nothing is written by OK: only "標準として保存" writes SyFormV.ndx.
    EXPECT_FALSE(core::FileExists(rig.home.File("SyFormV.ndx")));
    rig.PaintFirstPage();
    EXPECT_DOUBLE_EQ(rig.workspace.geometry.titleHeight, 10.2);
}

TEST(TitleLayoutDialog, SaveAsStandardWritesTheFormAndABadHeightIsRefused) {
    Rig rig;
    rig.messages.answers = {true};
    OnDialog<TitleLayoutDialog>([&](TitleLayoutDialog& d) {
        Click(d, "layout2");
        Click(d, "saveStandard");
        Type(Child<QLineEdit>(d, "b1"), "x");
        Click(d, "ok");
        EXPECT_TRUE(d.isVisible());
        Click(d, "cancel");
    });
    rig.frame->RunCommand(kCmdTitleLayout);
    EXPECT_EQ(rig.messages.Count("数値を入力してください。"), 1);
    style::TitleForm stored;
    ASSERT_TRUE(stored.Read(rig.home.File("SyFormV.ndx")));
    EXPECT_EQ(stored.Get(style::TitleForm::TitleTotal), "12.5");
    EXPECT_EQ(stored.Get(style::TitleForm::HeaderBandBottom), "-4.2");
}

TEST(WindowStyle, BuiltInStyleAndStyleFileWithTheQuestion) {
    Rig rig;
    const style::LogStyle before = rig.workspace.style;
    ASSERT_FALSE(before.HasNoItems());
    const std::set<int> rulesBefore = VerticalRules(rig.PaintFirstPage());
    const std::string question = "現在の様式をクリアし、上書きします. よいですか？\n( 柱状図データは消えません )";
    // No: the style stays.
    rig.messages.answers = {false};
    rig.frame->RunCommand(kCmdStyleBuiltIn + 7);
    EXPECT_EQ(rig.workspace.style, before);
    EXPECT_EQ(rig.messages.Count(question), 1);
    // Yes: built-in style 8 on screen at once.
    rig.messages.answers = {true};
    rig.frame->RunCommand(kCmdStyleBuiltIn + 7);
    EXPECT_EQ(rig.workspace.style.Name(), "8旧_岩盤_ルジオン");
    EXPECT_NE(VerticalRules(rig.PaintFirstPage()), rulesBefore);
    EXPECT_TRUE(rig.recorder.Last().HasText("ボーリング柱状図"));
    // With 様式変更の確認表示 off, nothing is asked.
    rig.frame->Command(kCmdStyleChangeWarning)->trigger();
    ASSERT_FALSE(rig.frame->StyleChangeWarning());
    rig.frame->RunCommand(kCmdStyleBuiltIn + 1);
    EXPECT_EQ(rig.messages.Count(question), 2);
    EXPECT_EQ(rig.workspace.style.Name(), "*2土質オールコア");
    // A style file; then a file of other content, which leaves the style.
    style::LogStyle own;
    style::ApplyStyleText(own, style::BuiltInStyleLines(3));
    own.titleLines[1] = "own";
    const std::string ownPath = rig.home.File("own.tls");
    ASSERT_TRUE(style::WriteStyleFile(ownPath, own, nullptr));
    const std::string other = rig.home.Write("other.tls", "not a style\r\n");
    std::string chosen = ownPath;
    InstallStyleCommands(*rig.frame, rig.workspace, rig.messages,
                         [&](QWidget*, const QString&) { return QString::fromStdString(chosen); });
    rig.frame->RunCommand(kCmdStyleFile);
    EXPECT_EQ(rig.workspace.style.Name(), "own");
    chosen = other;
    rig.frame->RunCommand(kCmdStyleFile);
    EXPECT_EQ(rig.workspace.style.Name(), "own");
    EXPECT_EQ(rig.messages.Count("読み込みできません.　\n(ファイルの内容が違います)"), 1);
}

}  // namespace
