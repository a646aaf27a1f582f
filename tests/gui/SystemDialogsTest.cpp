// The system settings dialogs under the offscreen platform: opened from their menu entries,
// OK writes the settings or font files, Cancel leaves them byte for byte, a bad entry gets its
// message and the focus, a changed scale changes the drawing and the pages, the presets and
// the colour mode on the forms, the Enter key options; and a screenshot of every page.
#include <gtest/gtest.h>

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

#include "app/FontsModel.h"
#include "app/KeyOptionsModel.h"
#include "app/PaperDefaultsModel.h"
#include "app/ScaleDepthModel.h"
#include "app/SettingsSheetModel.h"
#include "app/SetupModel.h"
#include "core/Cp932.h"
#include "gui/CommandTable.h"
#include "gui/FontsDialog.h"
#include "gui/GuiTestSupport.h"
#include "gui/KeyOptionsDialog.h"
#include "gui/PaperDefaultsDialog.h"
#include "gui/ScaleDepthDialog.h"
#include "gui/SettingsSheetDialog.h"
#include "gui/SetupDialog.h"
#include "render/LogPainter.h"
#include "render/Output.h"
#include "render/RecordingSurface.h"

using namespace stracol;
using namespace stracol::gui;
using stracol::testing::FrameRig;

namespace {

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new stracol::testing::WidgetEnvironment);

// Runs a menu command whose dialog is modal: drive gets the dialog once it is shown and must
// close it. False when no dialog came.
bool RunWithDialog(CMainFrame& frame, int command, const std::function<void(QDialog&)>& drive) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
        if (!dialog || seen) return;
        seen = true;
        poll.stop();
        drive(*dialog);
        // A dialog the driver left open is closed, so the test goes on (and fails).
        if (dialog->isVisible()) QTimer::singleShot(0, dialog, &QDialog::reject);
    });
    poll.start();
    frame.RunCommand(command);
    poll.stop();
    return seen;
}

void Press(QDialog& dialog, QDialogButtonBox::StandardButton which) {
    auto* box = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(box, nullptr);
    box->button(which)->click();
}

QLineEdit* Edit(QDialog& dialog, const char* name) {
    auto* edit = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    EXPECT_NE(edit, nullptr) << name;
    return edit;
}

// Every byte of the settings and font files of a folder.
std::string HomeBytes(const stracol::testing::TempDir& home) {
    std::string bytes = home.Read("SysQXV.ndx");
    for (int slot = 1; slot <= 8; ++slot) bytes += "|" + home.Read("Font" + std::to_string(slot) + ".ndx");
    return bytes;
}

// Settings and font files of the home folder written with values of their own, so that a
// rewrite would show.
void WriteHome(FrameRig& rig) {
    app::SystemSettings s;
    s.TopMargin = 7;
    s.PageOverlapDepth = 1;
    s.CompanyName = "地質株式会社";
    s.NGridColour = "0x404040";
    std::string text;
    for (const std::string& line : app::SystemSettingsLines(s)) text += line + "\r\n";
    rig.home.Write("SysQXV.ndx", core::Utf8ToCp932(text));
    for (int slot = 1; slot <= 8; ++slot)
        rig.home.Write("Font" + std::to_string(slot) + ".ndx", core::Utf8ToCp932("12.5\r\nＭＳ 明朝\r\n255\r\n0\r\n"));
}

// The lines of a page of the workspace's log, drawn on a recording surface at 96 dpi.
std::vector<render::RecordedOperation> RecordPage(app::Workspace& w) {
    render::RecordingSurface surface(96, 96);
    render::LogSources sources{w.geometry, w.settings, w.fonts, w.style, w.titleForm, w.record, w.patternColours,
                               nullptr,    w.folder.PatternFolder(), w.documentPath, w.footer, w.freeArticles,
                               nullptr,    {}};
    render::LogContext ctx = render::LogContextFor(sources, surface);
    render::BeginPrintedPage(w.geometry, 1);
    render::PaintLog(ctx);
    render::EndPrinting(w.geometry);
    std::vector<render::RecordedOperation> lines;
    for (const auto& op : surface.operations)
        if (op.kind == render::OperationKind::Line) lines.push_back(op);
    return lines;
}

// The farthest point right or down on the paper (lines reaching beyond it are clipped there).
int Farthest(const std::vector<render::RecordedOperation>& lines, bool across, int paperPx) {
    int far = 0;
    for (const auto& op : lines)
        for (const auto& p : op.points) {
            const int v = across ? p.x : p.y;
            if (v <= paperPx) far = std::max(far, v);
        }
    return far;
}

}  // namespace

TEST(SystemDialogs, OkWritesTheFilesCancelLeavesThemByteForByte) {
    struct Case {
        int command;
        const char* dialog;
        std::function<void(QDialog&)> edit;
        std::function<void(const app::SystemSettings&, const app::FontSettings&)> check;
    };
    const Case cases[] = {
        {kCmdSettingsSheet, "SettingsSheetDialog",
         [](QDialog& d) {
             Edit(d, "TopMargin")->setText("22");
             Edit(d, "CompanyName")->setText("北陸地質");
             d.findChild<QRadioButton*>("monoMode")->click();
             Edit(d, "NGridGap")->setText("3");
         },
         [](const app::SystemSettings& s, const app::FontSettings&) {
             EXPECT_EQ(s.TopMargin, 22);
             EXPECT_EQ(s.CompanyName, "北陸地質");
             EXPECT_EQ(s.ColourMode, 1);
             EXPECT_EQ(s.NGridGap, 3);
             EXPECT_EQ(s.PageOverlapDepth, 1);
         }},
        {kCmdScaleDepth, "ScaleDepthDialog",
         [](QDialog& d) {
             Edit(d, "depthPerPage")->setText("15");
             Edit(d, "pageOverlap")->setText("3");
             d.findChild<QCheckBox*>("depthOnlyScaled")->setChecked(false);
         },
         [](const app::SystemSettings& s, const app::FontSettings&) {
             EXPECT_EQ(s.PageDepth, 15);
             EXPECT_EQ(s.PageOverlapDepth, 3);
             EXPECT_EQ(s.ScaleDataOnly, 0);
             EXPECT_EQ(s.TopMargin, 7);
         }},
        {kCmdFonts, "FontsDialog",
         [](QDialog& d) {
             d.findChild<QRadioButton*>("gothic")->click();
             d.findChild<QPushButton*>("example2")->click();
         },
         [](const app::SystemSettings&, const app::FontSettings& f) {
             EXPECT_EQ(f[0].faceName, "ＭＳ ゴシック");
             EXPECT_DOUBLE_EQ(f[0].sizePt, 11.0);
             EXPECT_EQ(f[2].faceName, "ＭＳ Ｐゴシック");
             EXPECT_EQ(f[2].colour, 0);
         }},
        {kCmdPaperDefaults, "PaperDefaultsDialog",
         [](QDialog& d) {
             d.findChild<QCheckBox*>("StartupPaperEnabled")->setChecked(true);
             d.findChild<QRadioButton*>("paper1")->click();
             d.findChild<QRadioButton*>("orientation1")->click();
         },
         [](const app::SystemSettings& s, const app::FontSettings&) {
             EXPECT_EQ(s.StartupPaperEnabled, 1);
             EXPECT_EQ(s.StartupPaperSize, 1);
             EXPECT_EQ(s.StartupOrientation, 1);
         }},
        {kCmdKeyOptions, "KeyOptionsDialog",
         [](QDialog& d) { d.findChild<QRadioButton*>("enterKey2")->click(); },
         [](const app::SystemSettings& s, const app::FontSettings&) { EXPECT_EQ(s.EnterKeyMode, 2); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dialog);
        for (const bool ok : {false, true}) {
            SCOPED_TRACE(ok ? "OK" : "Cancel");
            FrameRig rig;
            WriteHome(rig);
            rig.messages.defaultAnswer = true;  // Cancel after a change: yes, cancel
            auto frame = rig.Start(stracol::testing::DeepLogFile());
            ASSERT_TRUE(frame);
            ASSERT_TRUE(frame->Command(c.command)->isEnabled());
            const std::string before = HomeBytes(rig.home);
            const app::SystemSettings settingsBefore = rig.workspace.settings;
            const render::ScaleAndDepth pagingBefore = render::CurrentScaleAndDepth(rig.workspace.geometry);
            ASSERT_TRUE(RunWithDialog(*frame, c.command, [&](QDialog& d) {
                EXPECT_EQ(d.objectName().toStdString(), c.dialog);
                c.edit(d);
                Press(d, ok ? QDialogButtonBox::Ok : QDialogButtonBox::Cancel);
                EXPECT_FALSE(d.isVisible());
            }));
            if (ok) {
                EXPECT_NE(HomeBytes(rig.home), before);
                c.check(app::LoadSystemSettings(rig.workspace.folder), app::LoadFonts(rig.workspace.folder));
                c.check(rig.workspace.settings, rig.workspace.fonts);
            } else {
                EXPECT_EQ(HomeBytes(rig.home), before);
                EXPECT_EQ(app::SystemSettingsLines(rig.workspace.settings), app::SystemSettingsLines(settingsBefore));
                const render::ScaleAndDepth paging = render::CurrentScaleAndDepth(rig.workspace.geometry);
                EXPECT_EQ(paging.depthPerPage, pagingBefore.depthPerPage);
                EXPECT_EQ(paging.pageOverlap, pagingBefore.pageOverlap);
                EXPECT_EQ(paging.depthOnlyScaled, pagingBefore.depthOnlyScaled);
            }
        }
    }
}

TEST(SystemDialogs, SetupChecksThePathAndStoresNothing) {
    FrameRig rig;
    WriteHome(rig);
    auto frame = rig.Start("");
    const std::string before = HomeBytes(rig.home);
    ASSERT_TRUE(RunWithDialog(*frame, kCmdSetup, [&](QDialog& d) {
        EXPECT_EQ(Edit(d, "folder")->text().toStdString(), rig.home.Path());
        Edit(d, "drive")->setText("1");
        Press(d, QDialogButtonBox::Ok);
        // "パス名が異常です", and the dialog stays with the focus in the drive.
        EXPECT_EQ(rig.messages.Count("パス名が異常です"), 1);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.focusWidget(), Edit(d, "drive"));
        Edit(d, "drive")->setText("");
        Press(d, QDialogButtonBox::Ok);
        EXPECT_EQ(rig.messages.Count("データがありません"), 1);
        d.findChild<QPushButton*>("standard")->click();
        EXPECT_EQ(Edit(d, "drive")->text().toStdString(), app::SetupModel::SystemDrive().substr(0, 1));
        Press(d, QDialogButtonBox::Ok);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(HomeBytes(rig.home), before);
}

TEST(SystemDialogs, BadEntryGetsItsMessageAndTheFocus) {
    struct Case {
        int command;
        const char* field;
        const char* text;
        const char* message;
        int page;   // the sheet's page the field is on; -1 for other dialogs
    };
    const Case cases[] = {
        {kCmdScaleDepth, "horizontalScale", "20", "25 から 1000 までの整数を入力してください。", -1},
        {kCmdScaleDepth, "depthScale", "1200", "25 から 1000 までの整数を入力してください。", -1},
        {kCmdScaleDepth, "printStartDepth", "深い", "数値を入力してください。", -1},
        {kCmdScaleDepth, "pageOverlap", "11", "0 から 10 までの整数を入力してください。", -1},
        {kCmdSettingsSheet, "TopMargin", "0", "1 から 100 までの整数を入力してください。", 2},
        {kCmdSettingsSheet, "LeftMargin", "101", "1 から 100 までの整数を入力してください。", 2},
        {kCmdSettingsSheet, "NPlotWidth", "2.5", "整数を入力してください。", 1},
        {kCmdSettingsSheet, "LugeonPe", "x", "数値を入力してください。", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.text);
        FrameRig rig;
        WriteHome(rig);
        auto frame = rig.Start("");
        const std::string before = HomeBytes(rig.home);
        ASSERT_TRUE(RunWithDialog(*frame, c.command, [&](QDialog& d) {
            if (c.command == kCmdSettingsSheet) d.findChild<QRadioButton*>("monoMode")->click();
            QLineEdit* field = Edit(d, c.field);
            field->setText(QString::fromUtf8(c.text));
            Press(d, QDialogButtonBox::Ok);
            EXPECT_EQ(rig.messages.Count(c.message), 1);
            EXPECT_TRUE(d.isVisible());
            EXPECT_EQ(d.focusWidget(), field);
            if (c.page >= 0) {
                EXPECT_EQ(d.findChild<QTabWidget*>()->currentIndex(), c.page);
            }
            Press(d, QDialogButtonBox::Cancel);
        }));
        EXPECT_EQ(HomeBytes(rig.home), before);
    }
}

TEST(SystemDialogs, ChangedScaleChangesTheDrawingAndThePages) {
    FrameRig rig;
    auto frame = rig.Start(stracol::testing::DeepLogFile());
    ASSERT_TRUE(frame);
    app::Workspace& w = rig.workspace;
    const int depthPerPage = w.geometry.depthPerPage;
    ASSERT_GT(depthPerPage, 0);
    const auto before = RecordPage(w);
    const int left = render::MmToX(w.geometry, 0);
    ASSERT_FALSE(before.empty());

    ASSERT_TRUE(RunWithDialog(*frame, kCmdScaleDepth, [&](QDialog& d) {
        EXPECT_EQ(d.findChild<QLabel*>("maxDepthPerPage")->text().toInt(), depthPerPage);
        Edit(d, "horizontalScale")->setText("200");
        // The largest depth per page follows the depth scale as it is typed.
        Edit(d, "depthScale")->clear();
        QTest::keyClicks(Edit(d, "depthScale"), "200");
        EXPECT_EQ(d.findChild<QLabel*>("maxDepthPerPage")->text().toInt(), 2 * depthPerPage);
        Edit(d, "depthPerPage")->setText(QString::number(2 * depthPerPage));
        Press(d, QDialogButtonBox::Ok);
    }));
    EXPECT_EQ(w.geometry.horizontalScale, 200);
    EXPECT_EQ(w.geometry.depthScale, 200);
    const auto after = RecordPage(w);
    // Half as wide across, and the same page reaches twice as deep in the same height.
    const int paperWidthPx = w.geometry.paperWidthMm * 96 * 10 / 254;
    const int paperLengthPx = w.geometry.paperLengthMm * 96 * 10 / 254;
    const int widthBefore = Farthest(before, true, paperWidthPx) - left;
    const int widthAfter = Farthest(after, true, paperWidthPx) - left;
    EXPECT_NEAR(widthAfter, widthBefore / 2, 3);
    EXPECT_NEAR(Farthest(after, false, paperLengthPx), Farthest(before, false, paperLengthPx), 3);
    EXPECT_NE(after.size(), before.size());
    // An 80 m log: pages of twice the depth.
    EXPECT_EQ(frame->View().PageCount(), render::PageCount(w.geometry));
    EXPECT_LT(frame->View().PageCount(), 3);
    EXPECT_EQ(w.settings.PageDepth, 2 * depthPerPage);
}

TEST(SystemDialogs, PrintStartAndPageDepthRepaginateTheViewAndThePrint) {
    FrameRig rig;
    auto frame = rig.Start(stracol::testing::DeepLogFile());
    ASSERT_TRUE(frame);
    ASSERT_TRUE(RunWithDialog(*frame, kCmdScaleDepth, [&](QDialog& d) {
        Edit(d, "printStartDepth")->setText("10");
        Edit(d, "depthPerPage")->setText("20");
        Edit(d, "pageOverlap")->setText("0");
        Press(d, QDialogButtonBox::Ok);
    }));
    // 80.16 m from 10 m in pages of 20 m: 10, 30, 50, 70.
    EXPECT_EQ(frame->View().PageCount(), 4);
    EXPECT_EQ(frame->View().CurrentPage(), 1);
    EXPECT_EQ(frame->PagePane()->text().toStdString(), PagePaneText(1, 4));
    rig.recorder.calls.clear();
    EXPECT_EQ(frame->PrintToPdf(QString::fromStdString(rig.home.File("log.pdf"))), 4);
    const auto printed = rig.recorder.PrintedCalls();
    ASSERT_EQ(printed.size(), 4u);
    EXPECT_DOUBLE_EQ(printed[0].pageStartM, 10);
    EXPECT_DOUBLE_EQ(printed[3].pageStartM, 70);
}

TEST(SystemDialogs, OverlapNotSmallerThanThePageShowsTheDialogOnceMore) {
    FrameRig rig;
    auto frame = rig.Start(stracol::testing::DeepLogFile());
    ASSERT_TRUE(RunWithDialog(*frame, kCmdScaleDepth, [&](QDialog& d) {
        Edit(d, "depthPerPage")->setText("10");
        Edit(d, "pageOverlap")->setText("10");
        Press(d, QDialogButtonBox::Ok);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(Edit(d, "pageOverlap")->text(), "0");
        EXPECT_FALSE(QFile::exists(QString::fromStdString(rig.home.File("SysQXV.ndx"))));
        // Shown the second time, the same entry is taken with overlap 0.
        Edit(d, "pageOverlap")->setText("10");
        Press(d, QDialogButtonBox::Ok);
        EXPECT_FALSE(d.isVisible());
    }));
    EXPECT_EQ(rig.workspace.geometry.depthPerPage, 10);
    EXPECT_EQ(rig.workspace.geometry.pageOverlap, 0);
    EXPECT_EQ(app::LoadSystemSettings(rig.workspace.folder).PageOverlapDepth, 0);
}

TEST(SystemDialogs, SheetColourModeAndPresetsOnThePages) {
    app::SystemSettings s;
    s.ColourMode = 1;
    s.NFineGridGap = 4;
    app::SettingsSheetModel model(s);
    core::RecordingMessages messages;
    SettingsSheetDialog dialog(model, messages);
    QLineEdit* gap = dialog.findChild<QLineEdit*>("NFineGridGap");
    QLineEdit* colour = dialog.findChild<QLineEdit*>("NGridColour");
    ASSERT_TRUE(gap && colour);
    EXPECT_TRUE(gap->isEnabled());
    EXPECT_FALSE(colour->isEnabled());
    EXPECT_EQ(gap->text(), "4");
    dialog.findChild<QRadioButton*>("colourMode")->click();
    EXPECT_FALSE(gap->isEnabled());
    EXPECT_TRUE(colour->isEnabled());
    EXPECT_EQ(gap->text(), "0");
    dialog.findChild<QRadioButton*>("monoMode")->click();
    EXPECT_TRUE(gap->isEnabled());
    EXPECT_EQ(gap->text(), "0");
    // A colour chosen with "色" goes into the box as "0x%06x" (red in the low byte).
    dialog.findChild<QRadioButton*>("colourMode")->click();
    dialog.SetColourChooser([](const QColor&) { return QColor(0x11, 0x22, 0x33); });
    dialog.findChild<QPushButton*>("NGridColourButton")->click();
    EXPECT_EQ(colour->text(), "0x332211");
    // Presets fill the fields and keep what was typed elsewhere.
    dialog.findChild<QLineEdit*>("CompanyName")->setText("入力中");
    for (QPushButton* b : dialog.findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("細密グリッド")) b->click();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("CompanyName")->text(), QStringLiteral("入力中"));
    EXPECT_EQ(model.Values().NLugeonGrid, 0);
    EXPECT_EQ(model.Values().ScaleTickStep, 0);
    dialog.findChild<QLineEdit*>("TopMargin")->setText("44");
    for (QPushButton* b : dialog.Pages()->widget(2)->findChildren<QPushButton*>())
        if (b->text() == QStringLiteral("標準の設定")) b->click();
    EXPECT_EQ(dialog.findChild<QLineEdit*>("TopMargin")->text(), "5");
    // The stored "　…無し" shows as the list's entry.
    EXPECT_EQ(dialog.findChild<QComboBox*>("CoreLengthBracket")->currentText(), QStringLiteral("　 …無し"));
}

TEST(SystemDialogs, FontsRowsFollowTheChoices) {
    app::FontsModel model(app::DefaultFonts());
    core::RecordingMessages messages;
    FontsDialog dialog(model, messages);
    EXPECT_EQ(dialog.findChild<QLabel*>("size1")->text().toStdString(), " 10     (10.0)");
    dialog.SetFontChooser([](const QFont& current) {
        QFont font = current;
        font.setFamily(QStringLiteral("IPAGothic"));
        font.setPointSizeF(12.5);
        return std::optional<QFont>(font);
    });
    dialog.findChild<QPushButton*>("font3")->click();
    EXPECT_EQ(dialog.findChild<QLabel*>("face3")->text(), "IPAGothic");
    EXPECT_EQ(dialog.findChild<QLabel*>("size3")->text().toStdString(), " 13     (12.5)");
    // Too large for the slot: refused with the range.
    dialog.SetFontChooser([](const QFont& current) {
        QFont font = current;
        font.setPointSizeF(150);
        return std::optional<QFont>(font);
    });
    dialog.findChild<QPushButton*>("font2")->click();
    EXPECT_EQ(messages.Count("1 から 100 までの数値を入力してください。"), 1);
    EXPECT_DOUBLE_EQ(model.Slot(2).sizePt, 8.0);
    dialog.SetColourChooser([](const QColor&) { return QColor(0, 0, 0xff); });
    dialog.findChild<QPushButton*>("colour4")->click();
    EXPECT_EQ(model.Slot(4).colour, 0xff0000);
    // Cancel after a change asks; No keeps the dialog.
    dialog.show();
    messages.answers.push_back(false);
    dialog.reject();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(messages.Count("データが変更されましたが、キャンセルしてよいのですか？"), 1);
}

TEST(SystemDialogs, PaperChoicesFollowTheCheckBox) {
    app::SystemSettings s;
    s.StartupPaperSize = 1;
    app::PaperDefaultsModel model(s);
    PaperDefaultsDialog dialog(model);
    auto* a4 = dialog.findChild<QRadioButton*>("paper1");
    EXPECT_TRUE(a4->isChecked());
    EXPECT_FALSE(a4->isEnabled());
    dialog.findChild<QCheckBox*>("StartupPaperEnabled")->setChecked(true);
    EXPECT_TRUE(a4->isEnabled());
    EXPECT_TRUE(dialog.findChild<QRadioButton*>("orientation0")->isEnabled());
}

TEST(SystemDialogs, EnterKeyFollowsTheKeyOption) {
    for (int mode : {0, 1, 2}) {
        SCOPED_TRACE(mode);
        render::PageGeometry g;
        render::SetPaperSize(g, 297, 420);
        app::ScaleDepthModel model(g, app::SystemSettings{});
        core::RecordingMessages messages;
        ScaleDepthDialog dialog(model, messages, mode);
        dialog.show();
        dialog.activateWindow();
        QLineEdit* first = dialog.findChild<QLineEdit*>("horizontalScale");
        first->setFocus();
        QTest::keyClick(first, Qt::Key_Return);
        if (mode == 0) {
            EXPECT_EQ(dialog.result(), QDialog::Accepted);
        } else {
            EXPECT_TRUE(dialog.isVisible());
            EXPECT_EQ(dialog.focusWidget() == first, mode == 2);
        }
        dialog.close();
    }
}

TEST(SystemDialogs, ScreenshotsOfEveryPage) {
    const QString folder = QStringLiteral(STRACOL_SCREENSHOT_DIR "/settings");
    QDir().mkpath(folder);
    // The program's own buttons are Japanese when Qt's translations are there.
    InstallQtJapanese();
    core::RecordingMessages messages;
    auto save = [&](QWidget& w, const char* name) {
        w.show();
        w.adjustSize();
        QApplication::processEvents();
        const QImage shot = w.grab().toImage();
        EXPECT_GT(shot.width(), 200) << name;
        EXPECT_GT(shot.height(), 100) << name;
        EXPECT_TRUE(shot.save(folder + QLatin1Char('/') + QLatin1String(name))) << name;
    };
    app::SettingsSheetModel sheetModel(app::SystemSettings{});
    SettingsSheetDialog sheet(sheetModel, messages);
    const char* pages[] = {"sheet-page1.png", "sheet-page2.png", "sheet-page3.png"};
    for (int page = 0; page < 3; ++page) {
        sheet.Pages()->setCurrentIndex(page);
        save(sheet, pages[page]);
    }
    render::PageGeometry g;
    render::SetPaperSize(g, 297, 420);
    app::ScaleDepthModel scaleModel(g, app::SystemSettings{});
    ScaleDepthDialog scale(scaleModel, messages);
    save(scale, "scale-depth.png");
    app::FontsModel fontsModel(app::DefaultFonts());
    FontsDialog fonts(fontsModel, messages);
    save(fonts, "fonts.png");
    app::PaperDefaultsModel paperModel(app::SystemSettings{});
    PaperDefaultsDialog paper(paperModel);
    save(paper, "paper-defaults.png");
    app::KeyOptionsModel keyModel(app::SystemSettings{});
    KeyOptionsDialog keys(keyModel);
    save(keys, "key-options.png");
    app::SetupModel setupModel("C:", "/home/user/.config/stracol");
    SetupDialog setup(setupModel, messages);
    save(setup, "setup.png");
}
