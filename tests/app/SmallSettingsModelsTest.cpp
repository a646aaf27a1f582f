// The models of the paper defaults, key options and setup dialogs: their fields through the
// settings file and back, the enabled rule, the Enter-key actions and the path checks.
#include "app/InstallFolder.h"
#include "app/KeyOptionsModel.h"
#include "app/PaperDefaultsModel.h"
#include "app/SetupModel.h"
#include "app/SystemSettings.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace stracol;
using app::SystemSettings;
using stracol::testing::TempDir;

TEST(PaperDefaultsModel, FieldsRoundTripAndTheCheckBoxRulesTheChoices) {
    struct Case {
        bool enabled;
        int size;
        int orientation;
    };
    for (const Case c : {Case{true, 1, 1}, Case{true, 0, 1}, Case{false, 1, 0}, Case{false, 1, 1}}) {
        SCOPED_TRACE(::testing::Message() << c.enabled << c.size << c.orientation);
        TempDir dir;
        const app::InstallFolder folder(dir.Path());
        SystemSettings settings = app::LoadSystemSettings(folder);
        app::PaperDefaultsModel model(settings);
        EXPECT_FALSE(model.ChoicesEnabled());
        model.SetEnabled(c.enabled);
        EXPECT_EQ(model.ChoicesEnabled(), c.enabled);
        model.SetPaperSize(c.size);
        model.SetOrientation(c.orientation);
        core::RecordingMessages messages;
        ASSERT_TRUE(model.Commit(settings, folder, &messages));
        const SystemSettings loaded = app::LoadSystemSettings(folder);
        // Off stores 0 and keeps the two choices.
        EXPECT_EQ(loaded.StartupPaperEnabled, c.enabled ? 1 : 0);
        EXPECT_EQ(loaded.StartupPaperSize, c.size);
        EXPECT_EQ(loaded.StartupOrientation, c.orientation);
        const app::PaperDefaultsModel again(loaded);
        EXPECT_EQ(again.Enabled(), c.enabled);
        EXPECT_EQ(again.PaperSize(), c.size);
        EXPECT_EQ(again.Orientation(), c.orientation);
        const auto lines = core::ReadCp932Lines(folder.File("SysQXV.ndx"));
        ASSERT_TRUE(lines);
        EXPECT_EQ((*lines)[31], c.enabled ? "1" : "0");
    }
}

TEST(KeyOptionsModel, EnterKeyActionsAndRoundTrip) {
    struct Action {
        int stored;
        app::EnterKeyAction action;
        int shown;
    };
    for (const Action a : {Action{-2, app::EnterKeyAction::Confirm, 0}, Action{0, app::EnterKeyAction::Confirm, 0},
                           Action{1, app::EnterKeyAction::NextField, 1}, Action{2, app::EnterKeyAction::Ignore, 2},
                           Action{7, app::EnterKeyAction::Ignore, 2}}) {
        SCOPED_TRACE(a.stored);
        EXPECT_EQ(app::EnterKeyActionFor(a.stored), a.action);
        SystemSettings s;
        s.EnterKeyMode = a.stored;
        EXPECT_EQ(app::KeyOptionsModel(s).EnterKeyMode(), a.shown);
    }
    for (int mode = 0; mode <= 2; ++mode) {
        for (bool scroll : {false, true}) {
            SCOPED_TRACE(::testing::Message() << mode << scroll);
            TempDir dir;
            const app::InstallFolder folder(dir.Path());
            SystemSettings settings = app::LoadSystemSettings(folder);
            app::KeyOptionsModel model(settings);
            model.SetEnterKeyMode(mode);
            model.SetScrollToLastRow(scroll);
            core::RecordingMessages messages;
            ASSERT_TRUE(model.Commit(settings, folder, &messages));
            const SystemSettings loaded = app::LoadSystemSettings(folder);
            EXPECT_EQ(loaded.EnterKeyMode, mode);
            EXPECT_EQ(loaded.ScrollToLastRow, scroll ? 1 : 0);
            const app::KeyOptionsModel again(loaded);
            EXPECT_EQ(again.EnterKeyMode(), mode);
            EXPECT_EQ(again.ScrollToLastRow(), scroll);
        }
    }
}

TEST(SetupModel, LocationFromTheInstallFolder) {
    const app::SetupModel windows("C:", "D:\\Stracol\\bin");
    EXPECT_EQ(windows.Drive(), "C");
    EXPECT_EQ(windows.Folder(), "\\Stracol\\bin");
    const app::SetupModel here("C:", "/home/user/.config/stracol");
    EXPECT_EQ(here.Drive(), "C");
    EXPECT_EQ(here.Folder(), "/home/user/.config/stracol");
}

TEST(SetupModel, Checks) {
    struct Case {
        const char* drive;
        const char* folder;
        const char* refusal;   // nullptr: the location is taken
        app::SetupModel::Field field;
        const char* driveAfter;
    };
    const char* bad = "パス名が異常です";
    const char* none = "データがありません";
    const Case cases[] = {
        {"1", "/stracol", bad, app::SetupModel::Field::Drive, "1"},
        {"", "/stracol", none, app::SetupModel::Field::Drive, ""},
        {"c", "/stracol", nullptr, app::SetupModel::Field::Drive, "C"},
        {"Z", "/s", nullptr, app::SetupModel::Field::Drive, "Z"},
        {"d", "/", bad, app::SetupModel::Field::Folder, "D"},
        {"ど", "/stracol", bad, app::SetupModel::Field::Drive, "ど"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.drive) + " " + c.folder);
        app::SetupModel model("C:", "/opt/stracol");
        model.SetDrive(c.drive);
        model.SetFolder(c.folder);
        const auto refused = model.Confirm();
        EXPECT_EQ(model.Drive(), c.driveAfter);
        if (!c.refusal) {
            EXPECT_FALSE(refused);
            continue;
        }
        ASSERT_TRUE(refused);
        EXPECT_EQ(refused->message, c.refusal);
        EXPECT_EQ(refused->field, c.field);
    }
    // Leaving the folder: empty is refused, a folder gets its leading separator.
    app::SetupModel model("E:", "/opt/stracol");
    model.SetFolder("");
    ASSERT_TRUE(model.FolderLeft());
    EXPECT_EQ(model.FolderLeft()->message, none);
    model.SetFolder("stracol");
    EXPECT_FALSE(model.FolderLeft());
    EXPECT_EQ(model.Folder(), "/stracol");
    model.SetFolder("\\stracol");
    EXPECT_FALSE(model.FolderLeft());
    EXPECT_EQ(model.Folder(), "\\stracol");
    // "標準の設定" takes the system drive again; the drive holds one character.
    model.SetDrive("XY");
    EXPECT_EQ(model.Drive(), "X");
    model.ApplyStandard();
    EXPECT_EQ(model.Drive(), "E");
}
