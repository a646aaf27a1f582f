// What OK of the name master and pattern dialog stores and reloads: the master and pattern
// files, the pattern settings, the name tables, and the loaded log read again with them.

#include "app/PatternMasterModel.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace stracol::app {
namespace {

int RowNamed(const geology::NameMaster& master, const std::string& name) {
    for (std::size_t i = 0; i < master.rows.size(); ++i)
        if (master.rows[i].name == name) return static_cast<int>(i);
    return -1;
}

struct Rig {
    testing::TempDir home;
    Workspace w;
    core::RecordingMessages messages;
    Rig() {
        w.folder = InstallFolder(home.Path());
        LoadWorkspaceSettings(w, messages);
    }
};

TEST(PatternMasterModel, OpensTheBuiltInListsWithoutFilesAndWritesThePatternListOnOk) {
    Rig rig;
    PatternMasterModel model(rig.w);
    EXPECT_TRUE(model.master.builtIn);
    EXPECT_TRUE(model.patterns.builtIn);
    EXPECT_FALSE(model.MasterChanged());
    EXPECT_TRUE(model.PatternsChanged());  // the built-in list is written on OK
    EXPECT_EQ(model.MasterPath(), rig.home.File("WdtvTSL.mst"));
    EXPECT_TRUE(model.Accept(rig.w, rig.messages));
    EXPECT_FALSE(std::filesystem::exists(rig.home.File("WdtvTSL.mst")));
    EXPECT_TRUE(std::filesystem::exists(rig.home.File("PtnvcQX.ndx")));
    EXPECT_TRUE(std::filesystem::exists(rig.home.File("SysQXV.ndx")));
}

TEST(PatternMasterModel, EditsMarkTheMasterChangedOnlyWhenTheyAreDone) {
    Rig rig;
    PatternMasterModel model(rig.w);
    const int silt = RowNamed(model.master, "シルト");
    ASSERT_GE(silt, 0);
    struct Step {
        const char* what;
        std::function<bool()> run;
        bool changes;
    } steps[] = {
        {"refused insert", [&] { return model.Insert(silt, {"シルト", "", false, false, "300", ""}, rig.messages).done; }, false},
        {"move beyond the top", [&] { return model.Move(0, -1) != 0; }, false},
        {"delete without a row", [&] { return model.Delete(-1); }, false},
        {"overwrite", [&] { return model.Overwrite(silt, {"シルト", "M", false, true, "300", ""}, rig.messages).done; }, true},
    };
    for (const Step& step : steps) {
        const bool before = model.MasterChanged();
        EXPECT_EQ(step.run(), step.changes) << step.what;
        EXPECT_EQ(model.MasterChanged(), before || step.changes) << step.what;
    }
    EXPECT_EQ(rig.messages.Count("同じ登録名があります"), 1);
}

TEST(PatternMasterModel, OkStoresTheMasterAndTheLoadedLogTakesTheNewPattern) {
    Rig rig;
    const std::string file = testing::TestDataFile("v300/fukui_18000149251500001_BED0001.XML");
    ASSERT_TRUE(OpenIntoWorkspace(rig.w, file, rig.messages).loaded);
    // Layer 2 is シルト, pattern 500 of the built-in master.
    auto layers = [&] { return &rig.w.record.Table(borehole::TableId::Layer); };
    ASSERT_EQ(layers()->Cell(2, 1), "シルト");
    ASSERT_EQ(core::LeadingLong(layers()->Cell(2, 4)), 500);
    rig.w.geometry.currentPage = 2;

    PatternMasterModel model(rig.w);
    const int silt = RowNamed(model.master, "シルト");
    ASSERT_GE(silt, 0);
    ASSERT_TRUE(model.Overwrite(silt, {"シルト", "M", false, true, "300", "4"}, rig.messages).done);
    model.allBlack = true;
    model.lineThicknessIndex = 2;
    rig.w.settings.PatternSetting46 = 3;
    ASSERT_TRUE(model.Accept(rig.w, rig.messages));

    const std::string master = rig.home.Read("WdtvTSL.mst");
    // CP932: シルト,M,300.2,4.2
    EXPECT_NE(master.find("\x83\x56\x83\x8b\x83\x67,M,300.2,4.2\r\n"), std::string::npos);
    // The file was read again: the record's tables are new.
    EXPECT_EQ(layers()->Cell(2, 4), "300.2");
    EXPECT_EQ(rig.w.geometry.currentPage, 2);   // still on the page shown
    EXPECT_EQ(rig.w.settings.PatternSetting47, 1);
    EXPECT_EQ(rig.w.settings.PatternSetting48, 2);
    EXPECT_EQ(rig.w.settings.PatternSetting46, 0);
    const SystemSettings stored = LoadSystemSettings(rig.w.folder);
    EXPECT_EQ(stored.PatternSetting47, 1);
    EXPECT_EQ(stored.PatternSetting48, 2);
    bool found = false;
    for (const auto& e : rig.w.bitmapNames.entries) found = found || (e.name == "シルト" && e.number == 4);
    EXPECT_TRUE(found);
}

TEST(PatternMasterModel, AMasterThatCannotBeWrittenLeavesTheLoadedTables) {
    Rig rig;
    PatternMasterModel model(rig.w);
    const int silt = RowNamed(model.master, "シルト");
    ASSERT_TRUE(model.Overwrite(silt, {"シルト", "M", false, true, "300", ""}, rig.messages).done);
    const auto before = rig.w.patternNames.entries;
    // A folder in the master's place: the file cannot be written.
    std::filesystem::create_directories(rig.home.File("WdtvTSL.mst"));
    EXPECT_FALSE(model.Accept(rig.w, rig.messages));
    EXPECT_EQ(rig.messages.Count("保存できませんでした"), 1);
    ASSERT_EQ(rig.w.patternNames.entries.size(), before.size());
    for (std::size_t i = 0; i < before.size(); ++i) EXPECT_EQ(rig.w.patternNames.entries[i].number, before[i].number);
}

TEST(PatternMasterModel, ColoursOfThePatternList) {
    Rig rig;
    PatternMasterModel model(rig.w);
    int row = -1;
    for (std::size_t i = 0; i < model.patterns.rows.size() && row < 0; ++i)
        if (!model.patterns.rows[i].IsHeading()) row = static_cast<int>(i);
    ASSERT_GE(row, 0);
    EXPECT_EQ(model.PatternNumberOf(0), "");   // the first row is a heading
    EXPECT_FALSE(model.PatternNumberOf(row).empty());
    struct Case {
        const char* colour;
        bool stored;
    } cases[] = {{"0x0000ff", true}, {"", false}, {"red", false}, {"0x1234567", false}};
    for (const Case& c : cases) {
        core::RecordingMessages messages;
        EXPECT_EQ(model.SetColour(row, c.colour, messages), c.stored) << c.colour;
        EXPECT_EQ(messages.Empty(), c.stored) << c.colour;
    }
    EXPECT_EQ(model.patterns.rows[static_cast<std::size_t>(row)].colour, "0x0000ff");
    model.ResetAllColours();
    EXPECT_EQ(model.patterns.rows[static_cast<std::size_t>(row)].colour, model.DefaultColourOf(row));
    EXPECT_EQ(PatternMasterModel::PreviewNumber(" 300"), 300);
    EXPECT_EQ(PatternMasterModel::PreviewNumber("abc"), 0);
}

}  // namespace
}  // namespace stracol::app
