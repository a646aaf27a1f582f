// The hidden export in the window: the word dialog, the suggested name, the extension check
// and its messages, and the file written (read back as the data on screen).

#include "gui/GuiTestSupport.h"

#include "app/Workspace.h"
#include "borehole/DocumentOpen.h"
#include "geology/BuiltInTables.h"
#include "gui/CommandTable.h"
#include "gui/ExportCommand.h"

#include <QLineEdit>

#include <filesystem>

using namespace stracol;
using namespace stracol::gui;
using namespace stracol::testing;

namespace {

[[maybe_unused]] ::testing::Environment* const kWidgets = ::testing::AddGlobalTestEnvironment(new WidgetEnvironment);

struct ExportRig : FrameRig {
    std::unique_ptr<CMainFrame> frame;
    std::vector<QString> suggested;  // what the Save dialog was offered
    QString answer;                  // what the Save dialog answers
    std::string data = TestDataFile("v400/boringrs_BED0400.XML");

    ExportRig() {
        frame = Start(data);
        InstallExportCommand(*frame, workspace, messages, [this](QWidget*, const QString& name) {
            suggested.push_back(name);
            return answer;
        });
    }
    // Runs the export with the word typed into the word dialog.
    void Export(const QString& word, bool ok = true) {
        OnDialog<ExportWordDialog>([word, ok](ExportWordDialog& d) {
            auto* edit = Child<QLineEdit>(d, "word");
            EXPECT_EQ(edit->text(), QStringLiteral("-"));
            Type(edit, word);
            Click(d, ok ? "ok" : "cancel");
        });
        frame->RunCommand(kCmdFileExport);
    }
};

}  // namespace

TEST(ExportCommand, OnlyTheAccessWordGoesOnAndTheLabelIsEmptiedEitherWay) {
    ExportRig rig;
    ASSERT_EQ(rig.workspace.record.Heading(102), "BED0400");
    rig.answer = QString::fromStdString(rig.home.File("out.tlw"));
    for (const auto& [word, ok] : {std::pair{"-", true}, {"Kelp", true}, {"kelp ", true}, {"kelp", false}}) {
        SCOPED_TRACE(word);
        rig.Export(QString::fromUtf8(word), ok);
        EXPECT_TRUE(rig.suggested.empty());
        EXPECT_FALSE(std::filesystem::exists(rig.home.File("out.tlw")));
        EXPECT_EQ(rig.workspace.record.Heading(102), "");
    }
    rig.Export("kelp");
    ASSERT_EQ(rig.suggested.size(), 1u);
    // The suggestion: the data's own name with .tlw for .XML.
    EXPECT_EQ(rig.suggested[0].toStdString(), rig.data.substr(0, rig.data.size() - 4) + ".tlw");
    ASSERT_TRUE(std::filesystem::exists(rig.home.File("out.tlw")));
    EXPECT_EQ(rig.workspace.documentPath, rig.home.File("out.tlw"));
    EXPECT_EQ(rig.frame->windowTitle().contains(QStringLiteral("out.tlw")), true);

    // What was written reads back as the data on screen.
    borehole::BoreholeRecord back;
    core::RecordingMessages quiet;
    borehole::OpenOptions options;
    options.rememberFolder = false;
    const auto opened = borehole::OpenDocument(rig.home.File("out.tlw"), back, rig.workspace.patternNames,
                                               rig.home.Path(), quiet, nullptr, options);
    ASSERT_TRUE(opened.loaded);
    EXPECT_EQ(back.Heading(5), rig.workspace.record.Heading(5));
    EXPECT_EQ(back.Table(borehole::TableId::Layer).RowCount(), rig.workspace.record.Table(borehole::TableId::Layer).RowCount());
}

TEST(ExportCommand, ExtensionsAreCheckedWithTheirMessages) {
    struct Case {
        const char* chosen;
        const char* written;  // empty: nothing written
        const char* message;
    };
    const Case cases[] = {
        {"a.xml", "", "標準の拡張子ではありません"},
        {"b.TXT", "", "標準の拡張子ではありません"},
        {"c", "c.tlw", ""},
        {"d.", "d.tlw", ""},
        {"e.TLW", "e.TLW", ""},
        {"no/such/folder/f.tlw", "", "保存できませんでした"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.chosen);
        ExportRig rig;
        rig.answer = QString::fromStdString(rig.home.File(c.chosen));
        const std::string before = rig.workspace.documentPath;
        rig.messages.entries.clear();
        rig.Export("kelp");
        if (*c.written) {
            EXPECT_TRUE(std::filesystem::exists(rig.home.File(c.written)));
            EXPECT_EQ(rig.workspace.documentPath, rig.home.File(c.written));
            EXPECT_TRUE(rig.messages.entries.empty());
        } else {
            ASSERT_FALSE(rig.messages.entries.empty());
            EXPECT_EQ(rig.messages.entries.back().text, c.message);
            EXPECT_EQ(rig.workspace.documentPath, before);
            EXPECT_FALSE(std::filesystem::exists(rig.home.File(c.chosen)));
        }
    }
}

TEST(ExportCommand, WordDialogScreenshot) {
    ExportWordDialog dialog;
    dialog.show();
    const QPixmap shot = dialog.grab();
    EXPECT_FALSE(shot.isNull());
    if (const char* dir = std::getenv("STRACOL_EXPORT_SHOT_DIR")) shot.save(QString::fromUtf8(dir) + "/export-word.png");
}
