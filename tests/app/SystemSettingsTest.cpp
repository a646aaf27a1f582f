#include "app/InstallFolder.h"
#include "app/SystemSettings.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>
#include <unistd.h>

using namespace stracol;
using app::InstallFolder;
using app::SystemSettings;
using stracol::testing::TempDir;

namespace {

// A settings file whose given lines replace those of the defaults as written.
std::string SettingsFile(std::initializer_list<std::pair<int, std::string>> changes) {
    auto lines = app::SystemSettingsLines(SystemSettings{});
    for (const auto& [line, value] : changes) lines[line] = value;
    std::string text;
    for (const auto& l : lines) text += l + "\r\n";
    return core::Utf8ToCp932(text);
}

}  // namespace

TEST(SystemSettings, MissingFileGivesDefaults) {
    TempDir dir;
    InstallFolder folder(dir.Path());
    SystemSettings s = app::LoadSystemSettings(folder);
    EXPECT_EQ(s.NOverflowSymbol, 1);
    EXPECT_EQ(s.OuterFrameWidth, 2);
    EXPECT_EQ(s.SelfSinkText, "自沈");
    EXPECT_EQ(s.CompanyName, "-");
    EXPECT_EQ(s.LeftMargin, 5);
    EXPECT_EQ(s.ScaleDataOnly, 1);
    EXPECT_DOUBLE_EQ(s.LugeonPe, 1.0);
    EXPECT_EQ(s.CriticalPressureBracket, "《　》");
    EXPECT_EQ(s.NFineGridColour, "0xffff00");
    EXPECT_EQ(s.LoggingRows, 4);
    EXPECT_EQ(s.PatternFolder, dir.Path() + "/Sbptn");
}

TEST(SystemSettings, ClampsOnLoad) {
    struct Case { int line; std::string value; int SystemSettings::*field; int expected; } cases[] = {
        {41, "0", &SystemSettings::LeftMargin, 5},
        {41, "101", &SystemSettings::LeftMargin, 5},
        {41, "100", &SystemSettings::LeftMargin, 100},
        {42, "-3", &SystemSettings::TopMargin, 5},
        {43, "50", &SystemSettings::PageDepth, 38},
        {43, "38", &SystemSettings::PageDepth, 38},
        {46, "3", &SystemSettings::PatternSetting46, 0},
        {2, "2回", &SystemSettings::NMaxBlows, 2},   // the leading integer of the line
        {9, "x5", &SystemSettings::OuterFrameWidth, 0},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.Write("SysQXV.ndx", SettingsFile({{c.line, c.value}}));
        SystemSettings s = app::LoadSystemSettings(InstallFolder(dir.Path()));
        EXPECT_EQ(s.*(c.field), c.expected) << "line " << c.line << " = " << c.value;
    }
}

// Numbers no setting can mean are held to the device coordinate range before any arithmetic.
TEST(SystemSettings, ExtremeNumbersAreHeldToTheDeviceRange) {
    TempDir dir;
    dir.Write("SysQXV.ndx", SettingsFile({{10, "99999999999999999999"},
                                          {44, "-2147483648"},
                                          {48, "2147483647"},
                                          {59, "40000"},
                                          {54, "-1e300"}}));
    SystemSettings s = app::LoadSystemSettings(InstallFolder(dir.Path()));
    EXPECT_EQ(s.RuleLineWidth, 32767);
    EXPECT_EQ(s.PageOverlapDepth, -32767);
    EXPECT_EQ(s.PatternSetting48, 32767);
    EXPECT_EQ(s.GroupTitleRows, 32767);
    EXPECT_DOUBLE_EQ(s.LugeonPe, -32767);
    // Ordinary values are untouched.
    EXPECT_EQ(s.LeftMargin, SystemSettings{}.LeftMargin);
}

TEST(SystemSettings, FileOfOnlyTheFirstLineGivesZerosThenClamps) {
    TempDir dir;
    dir.Write("SysQXV.ndx", "500\r\n");
    SystemSettings s = app::LoadSystemSettings(InstallFolder(dir.Path()));
    EXPECT_EQ(s.NOverflowSymbol, 0);
    EXPECT_EQ(s.OuterFrameWidth, 0);
    EXPECT_EQ(s.ScaleDataOnly, 0);
    EXPECT_EQ(s.SelfSinkText, "");
    EXPECT_EQ(s.CompanyName, "");
    EXPECT_DOUBLE_EQ(s.LugeonPe, 0.0);
    EXPECT_EQ(s.LeftMargin, 5);                 // clamped
    EXPECT_EQ(s.TopMargin, 5);
    EXPECT_EQ(s.NFineGridColour, "0xcccccc");   // empty fine-grid colour
    EXPECT_EQ(s.PatternFolder, dir.Path() + "/Sbptn");
    EXPECT_EQ(s.EnterKeyMode, 1);               // empty key-option lines read as 1
    EXPECT_EQ(s.ScrollToLastRow, 1);
}

TEST(SystemSettings, SaveAndLoadRoundTripIsByteForByte) {
    TempDir dir;
    InstallFolder folder(dir.Path());
    SystemSettings s = app::LoadSystemSettings(folder);
    s.CompanyName = "株式会社 ｻﾝﾌﾟﾙ地質";
    s.CompanyTel = "03-1234-5678";
    s.LugeonPe = 1.5;
    s.PageDepth = 20;
    s.ReservedText1 = "carried, as is";
    core::RecordingMessages messages;
    ASSERT_TRUE(app::SaveSystemSettings(s, folder, &messages));
    std::string first = dir.Read("SysQXV.ndx");
    EXPECT_EQ(std::count(first.begin(), first.end(), '\n'), 121);
    EXPECT_EQ(first.substr(0, 5), "500\r\n");

    SystemSettings loaded = app::LoadSystemSettings(folder);
    EXPECT_EQ(loaded.CompanyName, s.CompanyName);
    EXPECT_DOUBLE_EQ(loaded.LugeonPe, 1.5);
    ASSERT_TRUE(app::SaveSystemSettings(loaded, folder, &messages));
    EXPECT_EQ(dir.Read("SysQXV.ndx"), first);
    EXPECT_TRUE(messages.Empty());

    auto lines = app::SystemSettingsLines(loaded);
    EXPECT_EQ(lines[54], "1.5");
    EXPECT_EQ(lines[27], "");  // unlisted lines are written empty
}

TEST(SystemSettings, UnwritableFolderReports4005AndKeepsTheOldFile) {
    TempDir dir;
    InstallFolder folder(dir.Path());
    dir.Write("SysQXV.ndx", SettingsFile({{39, "old company"}}));
    std::string before = dir.Read("SysQXV.ndx");
    SystemSettings s = app::LoadSystemSettings(folder);
    s.CompanyName = "new company";
    core::RecordingMessages messages;
    bool saved;
    if (::geteuid() == 0) {
        // root writes anywhere; an install folder that is not a folder fails the same way.
        saved = app::SaveSystemSettings(s, InstallFolder(dir.File("SysQXV.ndx")), &messages);
    } else {
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        saved = app::SaveSystemSettings(s, folder, &messages);
        std::filesystem::permissions(dir.Path(), std::filesystem::perms::owner_all);
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
    EXPECT_EQ(dir.Read("SysQXV.ndx"), before);
}

TEST(InstallFolder, OptionEnvironmentAndCurrentDirectory) {
    ::setenv("STRACOL_HOME", "/tmp/from-env/", 1);
    EXPECT_EQ(InstallFolder::Resolve("/opt/stracol/").Path(), "/opt/stracol");
    EXPECT_EQ(InstallFolder::Resolve("rel/./dir").Path(), std::filesystem::current_path().string() + "/rel/dir");
    EXPECT_EQ(InstallFolder::Resolve("").Path(), "/tmp/from-env");
    ::unsetenv("STRACOL_HOME");
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(InstallFolder::Resolve("").Path(), cwd);
    InstallFolder f("/data/st");
    EXPECT_EQ(f.File("SysQXV.ndx"), "/data/st/SysQXV.ndx");
    EXPECT_EQ(f.MstFile("ClmObj.mst"), "/data/st/Mst/ClmObj.mst");
    core::RecordingMessages messages;
    EXPECT_EQ(InstallFolder::Resolve("/", &messages).Path(), "/");
    EXPECT_EQ(messages.Count("Stracol.exeを適当なフォルダに保存して下さい"), 1);
}
