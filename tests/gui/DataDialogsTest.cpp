// The data dialogs in the window, offscreen: OK stores and repaints, キャンセル leaves every file
// byte for byte; the page footer on every page on screen and in print; the elevation rounding
// rules and the heading choices in the title; a master entry changes the pattern drawn.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <functional>
#include <map>
#include <set>

#include "app/FooterModel.h"
#include "app/HeadingModel.h"
#include "app/HelpText.h"
#include "borehole/RecordJson.h"
#include "core/Format.h"
#include "core/TextFile.h"
#include "gui/CommandTable.h"
#include "gui/DataListDialog.h"
#include "gui/ElevationOptionsDialog.h"
#include "gui/FontsDialog.h"
#include "gui/FooterDialog.h"
#include "gui/FullWidthDialog.h"
#include "gui/GuiTestSupport.h"
#include "gui/HeadingDialog.h"
#include "gui/HelpDialog.h"
#include "gui/PatternMasterDialog.h"
#include "render/LogPainter.h"
#include "render/RecordingSurface.h"

using namespace stracol;
using namespace stracol::gui;
using namespace stracol::testing;

namespace {

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new stracol::testing::WidgetEnvironment);

// Where a dialog's screenshot goes: the folder of STRACOL_DIALOG_SCREENSHOTS when set.
void Screenshot(QWidget& dialog, const char* name) {
    const QImage shot = dialog.grab().toImage();
    EXPECT_FALSE(shot.isNull());
    if (const char* folder = std::getenv("STRACOL_DIALOG_SCREENSHOTS")) {
        EXPECT_TRUE(shot.save(QString::fromLocal8Bit(folder) + "/" + name + ".png")) << name;
    }
}

// Every file of the install folder with its bytes.
std::map<std::string, std::string> FolderBytes(const std::string& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
        if (!entry.is_regular_file()) continue;
        files[entry.path().string()] = core::ReadFileBytes(entry.path().string()).value_or("");
    }
    return files;
}

struct Rig : stracol::testing::FrameRig {
    PageRecorder recorder;
    std::unique_ptr<CMainFrame> frame;
    explicit Rig(const std::string& file = stracol::testing::DeepLogFile()) {
        frame = Start(file, recorder.Painter());
        frame->show();
    }
    const PaintedPage& PaintPage(int page) {
        workspace.geometry.currentPage = page;
        workspace.geometry.screenPageStart = (page - 1) * (workspace.geometry.depthPerPage - workspace.geometry.pageOverlap);
        frame->View().RenderPageImage(0.5);
        return recorder.Last();
    }
};

// ---- page footer ----

TEST(FooterDialog, OkWritesTheFooterAndCancelLeavesEveryFile) {
    Rig rig;
    app::SaveFooterSettings(render::FooterSettings{}, rig.workspace.folder, nullptr);
    const auto before = FolderBytes(rig.home.Path());

    OnDialog<FooterDialog>([](FooterDialog& d) {
        Type(Child<QLineEdit>(d, "startNumber"), "5");
        Child<QRadioButton>(d, "fromTop")->click();
        Type(Child<QLineEdit>(d, "topDistance"), "30");
        Click(d, "cancel");
    });
    rig.frame->RunCommand(kCmdPageFooter);
    EXPECT_EQ(FolderBytes(rig.home.Path()), before);
    EXPECT_EQ(rig.workspace.footer.startNumber, "");

    OnDialog<FooterDialog>([](FooterDialog& d) {
        Type(Child<QLineEdit>(d, "startNumber"), "5");
        Child<QRadioButton>(d, "fromTop")->click();
        Type(Child<QLineEdit>(d, "topDistance"), "30");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdPageFooter);
    EXPECT_NE(FolderBytes(rig.home.Path()), before);
    EXPECT_EQ(rig.workspace.footer.startNumber, "5");
    EXPECT_EQ(rig.workspace.footer.positionMode, 0);
    EXPECT_DOUBLE_EQ(rig.workspace.footer.topDistanceMm, 30);
    const render::FooterSettings stored = app::LoadFooterSettings(rig.workspace.folder);
    EXPECT_EQ(stored.startNumber, "5");
    EXPECT_DOUBLE_EQ(stored.topDistanceMm, 30);
}

TEST(FooterDialog, AFooterBelowThePaperIsRefusedAndTheDialogStaysOpen) {
    Rig rig;
    int refusals = 0;
    OnDialog<FooterDialog>([&](FooterDialog& d) {
        Child<QRadioButton>(d, "fromTop")->click();
        Type(Child<QLineEdit>(d, "topDistance"), "500");   // A3 portrait: 404 mm at most
        Click(d, "ok");
        EXPECT_TRUE(d.isVisible());
        refusals = rig.messages.Count("フッタ表示位置が用紙外の可能性があります \n( 500 mm)");
        Click(d, "cancel");
    });
    rig.frame->RunCommand(kCmdPageFooter);
    EXPECT_EQ(refusals, 1);
    EXPECT_FALSE(std::filesystem::exists(rig.home.File(app::kFooterFile)));
}

TEST(FooterDialog, PrefixAndStartOnePrintOneTwoThreeOnScreenAndInPrint) {
    Rig rig;
    ASSERT_EQ(render::PageCount(rig.workspace.geometry), 3);
    OnDialog<FooterDialog>([](FooterDialog& d) {
        auto* prefix = Child<QComboBox>(d, "prefix");
        prefix->setCurrentIndex(prefix->findText(QStringLiteral("(")));
        EXPECT_EQ(Child<QComboBox>(d, "suffix")->currentText(), QStringLiteral(")"));
        Type(Child<QLineEdit>(d, "startNumber"), "1");
        EXPECT_EQ(Child<QLineEdit>(d, "preview")->text(), QStringLiteral("(1)"));
        Screenshot(d, "footer");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdPageFooter);

    for (int page = 1; page <= 3; ++page) {
        const PaintedPage& painted = rig.PaintPage(page);
        EXPECT_FALSE(painted.printing);
        const std::string expected = core::Sprintf("(%d)", page);
        EXPECT_TRUE(painted.HasText(expected)) << "screen page " << page;
    }
    rig.recorder.pages.clear();
    stracol::testing::TempDir out;
    EXPECT_EQ(rig.frame->PrintToPdf(QString::fromStdString(out.File("log.pdf"))), 3);
    std::vector<std::string> printed;
    for (const auto& p : rig.recorder.pages) {
        if (!p.printing) continue;
        for (const char* text : {"(1)", "(2)", "(3)"})
            if (p.HasText(text)) printed.push_back(text);
    }
    EXPECT_EQ(printed, (std::vector<std::string>{"(1)", "(2)", "(3)"}));
}

// ---- heading and elevation options ----

TEST(ElevationOptions, RuleAAndRuleBRoundTheComputedElevationAsTheirCasesSay) {
    Rig rig;
    // Collar elevation 12.345 and a first boundary at 1.00 m: 11.345 is a tie after an even 4.
    rig.workspace.record.SetHeading(13, "+12.345");
    rig.workspace.record.Table(borehole::TableId::Layer).SetCell(1, 0, "1.00");
    EXPECT_TRUE(rig.PaintPage(1).HasTextContaining("11.35"));      // rule B, the default
    EXPECT_TRUE(rig.recorder.Last().HasTextContaining(" 12.3"));   // two decimals in the title

    struct Case {
        const char* rule;
        const char* display;
        const char* elevation;
        const char* notElevation;
        const char* collar;
    } cases[] = {
        {"ruleA", "asText", "11.34", "11.35", "+12.345"},
        {"ruleB", "twoDecimals", "11.35", "11.34", " 12.3"},
    };
    for (const Case& c : cases) {
        OnDialog<HeadingDialog>([&](HeadingDialog& heading) {
            OnDialog<ElevationOptionsDialog>([&](ElevationOptionsDialog& options) {
                Child<QRadioButton>(options, c.rule)->click();
                Child<QRadioButton>(options, c.display)->click();
                if (std::string(c.rule) == "ruleA") Screenshot(options, "elevation-options");
                Click(options, "ok");
            });
            Click(heading, "elevationOptions");
            // Stored at once: キャンセル of the heading dialog keeps them.
            Click(heading, "cancel");
        });
        rig.frame->RunCommand(kCmdHeading);
        const PaintedPage& page = rig.PaintPage(1);
        EXPECT_TRUE(page.HasTextContaining(c.elevation)) << c.rule;
        EXPECT_FALSE(page.HasTextContaining(c.notElevation)) << c.rule;
        EXPECT_TRUE(page.HasTextContaining(c.collar)) << c.display;
        EXPECT_EQ(app::LoadHeadingChoices(rig.workspace.folder).roundHalfEven, std::string(c.rule) == "ruleA");
        EXPECT_EQ(rig.workspace.heading.roundHalfEven, std::string(c.rule) == "ruleA");
    }
}

TEST(HeadingDialog, OkStoresTheChoicesAndCancelLeavesEveryFile) {
    Rig rig;
    const std::string name = rig.workspace.record.Heading(1);  // 水月湖年縞研究展示施設地質調査業務
    ASSERT_NE(name.find("地質調査"), std::string::npos);
    rig.workspace.record.SetHeading(76, "第1234号");
    EXPECT_TRUE(rig.PaintPage(1).HasTextContaining("地質調査技士 第1234号"));
    app::SaveHeadingChoices(render::HeadingChoices{}, rig.workspace.folder, nullptr);
    const auto before = FolderBytes(rig.home.Path());

    auto edit = [](HeadingDialog& d) {
        EXPECT_FALSE(Child<QLineEdit>(d, "split")->isEnabled());
        Child<QCheckBox>(d, "twoLines")->click();
        EXPECT_TRUE(Child<QLineEdit>(d, "split")->isEnabled());
        Type(Child<QLineEdit>(d, "split"), QStringLiteral("地質調査"));
        Child<QCheckBox>(d, "showQualification")->click();
        EXPECT_EQ(Child<QLineEdit>(d, "qualification")->text(), QString());
    };
    OnDialog<HeadingDialog>([&](HeadingDialog& d) {
        edit(d);
        Click(d, "cancel");
    });
    rig.frame->RunCommand(kCmdHeading);
    EXPECT_EQ(FolderBytes(rig.home.Path()), before);
    EXPECT_EQ(rig.workspace.heading.qualificationName, "地質調査技士");

    OnDialog<HeadingDialog>([&](HeadingDialog& d) {
        edit(d);
        Screenshot(d, "heading");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdHeading);
    const render::HeadingChoices stored = app::LoadHeadingChoices(rig.workspace.folder);
    EXPECT_EQ(stored.surveySplit, "地質調査");
    EXPECT_EQ(stored.qualificationName, "非表示");
    const PaintedPage& page = rig.PaintPage(1);
    EXPECT_FALSE(page.HasTextContaining("第1234号"));
    EXPECT_TRUE(page.HasText("水月湖年縞研究展示施設"));
    EXPECT_TRUE(page.HasText("地質調査業務"));
    // Printed the same way.
    rig.recorder.pages.clear();
    stracol::testing::TempDir out;
    ASSERT_EQ(rig.frame->PrintToPdf(QString::fromStdString(out.File("log.pdf"))), 3);
    ASSERT_FALSE(rig.recorder.pages.empty());
    const PaintedPage& printed = rig.recorder.pages.front();
    EXPECT_TRUE(printed.printing);
    EXPECT_FALSE(printed.HasTextContaining("第1234号"));
    EXPECT_TRUE(printed.HasText("地質調査業務"));
}

// ---- name master and patterns ----

int MasterRowOf(QTableWidget* table, const QString& name) {
    for (int r = 0; r < table->rowCount(); ++r)
        if (table->item(r, 0) && table->item(r, 0)->text() == name) return r;
    return -1;
}

TEST(PatternMasterDialog, AMasterEntryChangesThePatternDrawnAndCancelLeavesEveryFile) {
    Rig rig;
    // Layer 2 of the log is シルト (pattern 500 of the built-in master).
    ASSERT_EQ(rig.workspace.record.Table(borehole::TableId::Layer).Cell(2, 1), "シルト");
    const auto drawnBefore = rig.PaintPage(1).operations;
    const auto before = FolderBytes(rig.home.Path());

    auto edit = [](PatternMasterDialog& d) {
        auto* master = Child<QTableWidget>(d, "master");
        const int silt = MasterRowOf(master, QStringLiteral("シルト"));
        ASSERT_GE(silt, 0);
        master->selectRow(silt);
        Click(d, "edit");
        EXPECT_EQ(Child<QLineEdit>(d, "name")->text(), QStringLiteral("シルト"));
        Type(Child<QLineEdit>(d, "pattern"), "300");
        Click(d, "overwrite");
        EXPECT_EQ(master->item(silt, 4)->text(), QStringLiteral("300"));
    };
    OnDialog<PatternMasterDialog>([&](PatternMasterDialog& d) {
        edit(d);
        Click(d, "cancel");
    });
    rig.frame->RunCommand(kCmdPatternMaster);
    EXPECT_EQ(FolderBytes(rig.home.Path()), before);
    EXPECT_EQ(rig.workspace.record.Table(borehole::TableId::Layer).Cell(2, 4), "500.2");

    OnDialog<PatternMasterDialog>([&](PatternMasterDialog& d) {
        edit(d);
        // The preview draws the edited number.
        EXPECT_FALSE(d.Preview()->pixmap().isNull());
        Screenshot(d, "pattern-master");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdPatternMaster);
    EXPECT_TRUE(std::filesystem::exists(rig.home.File("WdtvTSL.mst")));
    EXPECT_EQ(rig.workspace.record.Table(borehole::TableId::Layer).Cell(2, 4).substr(0, 4), "300.");
    const auto drawnAfter = rig.PaintPage(1).operations;
    // The soil column of layer 2 is drawn with pattern 300 now: its operations differ.
    std::size_t differing = 0;
    for (std::size_t i = 0; i < std::min(drawnBefore.size(), drawnAfter.size()); ++i)
        differing += drawnBefore[i].points != drawnAfter[i].points || drawnBefore[i].kind != drawnAfter[i].kind;
    EXPECT_TRUE(differing > 0 || drawnBefore.size() != drawnAfter.size());
}

TEST(PatternMasterDialog, PreviewDrawsThePatternNumberTyped) {
    const QImage none = PatternPreviewImage(QSize(60, 44), 0, 0, Qt::white);
    const QImage sand = PatternPreviewImage(QSize(60, 44), 300, 0x0000ff, Qt::white);
    auto ink = [](const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x) n += (image.pixel(x, y) & 0xffffff) != 0xffffff;
        return n;
    };
    EXPECT_EQ(ink(none), 0);
    EXPECT_GT(ink(sand), 20);
    // Nothing within 2 pixels of the box's edge.
    for (int x = 0; x < sand.width(); ++x) {
        EXPECT_EQ(sand.pixel(x, 0) & 0xffffff, 0xffffffu);
        EXPECT_EQ(sand.pixel(x, 1) & 0xffffff, 0xffffffu);
    }
}

// ---- read-only dialogs ----

TEST(DataDialogs, DataListFullWidthCheckAndHelpShowTheLoadedDataAndChangeNothing) {
    Rig rig;
    rig.workspace.record.SetHeading(5, "ＢＮｏ．１");
    const std::string recordBefore = borehole::RecordJson(rig.workspace.documentPath, rig.workspace.formatCode,
                                                          rig.workspace.record);
    OnDialog<DataListDialog>([](DataListDialog& d) {
        EXPECT_EQ(d.Table()->columnCount(), 12);
        EXPECT_EQ(d.Table()->horizontalHeaderItem(0)->text(), QStringLiteral("1"));
        EXPECT_EQ(d.Table()->item(0, 0)->text(), QStringLiteral("土質地質名"));
        EXPECT_EQ(d.CountLabel()->text(), QStringLiteral(" %1").arg(d.Table()->rowCount()));
        EXPECT_EQ(d.Table()->editTriggers(), QAbstractItemView::NoEditTriggers);
        Screenshot(d, "data-list");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdDataList);

    OnDialog<FullWidthDialog>([](FullWidthDialog& d) {
        EXPECT_TRUE(d.Report().startsWith(QStringLiteral("▼見出し\n(5) ＢＮｏ．１")));
        Click(d, "check");
        EXPECT_TRUE(d.Report().contains(QStringLiteral("ＢＮｏ．１")));
        Screenshot(d, "full-width-check");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdFullWidthCheck);

    OnDialog<HelpDialog>([](HelpDialog& d) {
        EXPECT_EQ(d.List()->count(), static_cast<int>(app::BuiltInHelpLines().size()));
        EXPECT_EQ(d.List()->item(0)->text(), QStringLiteral("6000"));
        Screenshot(d, "help");
        Click(d, "ok");
    });
    rig.frame->RunCommand(kCmdHelpText);
    EXPECT_EQ(rig.home.Read(app::kHelpFile).substr(0, 6), "6000\r\n");
    EXPECT_EQ(borehole::RecordJson(rig.workspace.documentPath, rig.workspace.formatCode, rig.workspace.record),
              recordBefore);
}

TEST(HelpDialog, OpeningForPrintingThatFailsSaysSo) {
    stracol::testing::TempDir home;
    app::InstallFolder folder(home.Path());
    core::RecordingMessages messages;
    std::string opened;
    HelpDialog works(folder, messages, [&](const std::string& path) {
        opened = path;
        return true;
    });
    works.OpenForPrinting();
    EXPECT_EQ(opened, home.File(app::kHelpFile));
    EXPECT_TRUE(messages.Empty());
    HelpDialog fails(folder, messages, [](const std::string&) { return false; });
    fails.OpenForPrinting();
    EXPECT_EQ(messages.Count("実行できませんでした"), 1);
}

// ---- the Enter key ----

// The first field of a dialog that the Enter key acts in: an editable line, else a choice.
QWidget* FirstField(QDialog& d) {
    for (QLineEdit* edit : d.findChildren<QLineEdit*>())
        if (edit->isVisible() && edit->isEnabled() && !edit->isReadOnly()) return edit;
    for (QRadioButton* choice : d.findChildren<QRadioButton*>())
        if (choice->isVisible() && choice->isEnabled()) return choice;
    return nullptr;
}

// Pressed in a field, Enter moves to the next field (1) or does nothing (2), as the key option
// says; it never closes the dialog then.
template <class D>
void PressEnterIn(D& d, int mode) {
    QApplication::setActiveWindow(&d);
    QWidget* field = FirstField(d);
    EXPECT_NE(field, nullptr);
    if (field) {
        field->setFocus(Qt::OtherFocusReason);
        QApplication::processEvents();
        QWidget* focusBefore = d.focusWidget();
        QTest::keyClick(field, Qt::Key_Return);
        EXPECT_TRUE(d.isVisible());
        EXPECT_EQ(d.result(), 0);
        EXPECT_EQ(d.focusWidget() == focusBefore, mode == 2);
    }
    d.reject();
}

TEST(DataDialogs, EnterKeyFollowsTheKeyOption) {
    for (int mode : {1, 2}) {
        SCOPED_TRACE(mode);
        Rig rig;
        rig.workspace.settings.EnterKeyMode = mode;
        const auto before = FolderBytes(rig.home.Path());
        OnDialog<FooterDialog>([mode](FooterDialog& d) { PressEnterIn(d, mode); });
        rig.frame->RunCommand(kCmdPageFooter);
        OnDialog<HeadingDialog>([mode](HeadingDialog& heading) {
            OnDialog<ElevationOptionsDialog>([mode](ElevationOptionsDialog& d) { PressEnterIn(d, mode); });
            Click(heading, "elevationOptions");
            PressEnterIn(heading, mode);
        });
        rig.frame->RunCommand(kCmdHeading);
        OnDialog<PatternMasterDialog>([mode](PatternMasterDialog& d) { PressEnterIn(d, mode); });
        rig.frame->RunCommand(kCmdPatternMaster);
        OnDialog<FontsDialog>([mode](FontsDialog& d) { PressEnterIn(d, mode); });
        rig.frame->RunCommand(kCmdFonts);
        EXPECT_EQ(FolderBytes(rig.home.Path()), before);
    }
}

}  // namespace
