// Where the install folder is when neither --home nor STRACOL_HOME names it: an installed
// program uses the per-user folder, made on first use as a copy of the installed home files.

#include "app/InstallFolder.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <sys/stat.h>

using namespace stracol;
using namespace stracol::app;
using stracol::testing::TempDir;

namespace {

// Sets (or unsets, for nullopt) an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, std::optional<std::string> value) : m_name(name) {
        if (const char* old = std::getenv(name)) m_old = old;
        if (value) ::setenv(name, value->c_str(), 1);
        else ::unsetenv(name);
    }
    ~ScopedEnv() {
        if (m_old) ::setenv(m_name, m_old->c_str(), 1);
        else ::unsetenv(m_name);
    }

private:
    const char* m_name;
    std::optional<std::string> m_old;
};

// An installed share/stracol folder with a settings file and a master in Mst/, read-only as
// a package installs it.
std::string MakeSeed(const TempDir& dir) {
    dir.Write("share/stracol/SysQXV.ndx", "500\r\n");
    dir.Write("share/stracol/Mst/ClmObj.mst", "catalogue\r\n");
    const std::string seed = dir.File("share/stracol");
    ::chmod((seed + "/SysQXV.ndx").c_str(), 0444);
    ::chmod((seed + "/Mst/ClmObj.mst").c_str(), 0444);
    return seed;
}

}  // namespace

TEST(InstallFolder, UserFolderFollowsXdgConfigHomeElseHome) {
    struct Case {
        std::optional<std::string> xdg;
        std::optional<std::string> home;
        std::string expected;
    };
    const Case cases[] = {
        {"/x/config", "/home/u", "/x/config/stracol"},
        {std::nullopt, "/home/u", "/home/u/.config/stracol"},
        {"", "/home/u", "/home/u/.config/stracol"},
        {"relative/config", "/home/u", "/home/u/.config/stracol"},  // not absolute: ignored
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        ScopedEnv xdg("XDG_CONFIG_HOME", c.xdg);
        ScopedEnv home("HOME", c.home);
        EXPECT_EQ(InstallFolder::UserFolderPath(), c.expected);
    }
}

TEST(InstallFolder, FirstUseCopiesTheInstalledFilesAndLaterUsesKeepTheUsersOwn) {
    TempDir dir;
    const std::string seed = MakeSeed(dir);
    const std::string user = dir.File("config/stracol");
    std::string error;
    ASSERT_TRUE(InstallFolder::PrepareUserFolder(user, seed, error)) << error;
    EXPECT_EQ(dir.Read("config/stracol/SysQXV.ndx"), "500\r\n");
    EXPECT_EQ(dir.Read("config/stracol/Mst/ClmObj.mst"), "catalogue\r\n");
    // The copies are the user's to change, and nothing half-made is left beside the folder.
    struct stat st {};
    ASSERT_EQ(::stat((user + "/SysQXV.ndx").c_str(), &st), 0);
    EXPECT_TRUE(st.st_mode & S_IWUSR);
    int entries = 0;
    for (const auto& e : std::filesystem::directory_iterator(dir.File("config"))) {
        EXPECT_EQ(e.path().filename(), "stracol");
        ++entries;
    }
    EXPECT_EQ(entries, 1);

    // A changed or removed file stays so: the folder is seeded once, never refreshed.
    dir.Write("config/stracol/SysQXV.ndx", "changed\r\n");
    std::filesystem::remove(user + "/Mst/ClmObj.mst");
    ASSERT_TRUE(InstallFolder::PrepareUserFolder(user, seed, error)) << error;
    EXPECT_EQ(dir.Read("config/stracol/SysQXV.ndx"), "changed\r\n");
    EXPECT_FALSE(std::filesystem::exists(user + "/Mst/ClmObj.mst"));
}

TEST(InstallFolder, UserFolderThatCannotBeMadeIsReportedAndNothingIsLeft) {
    TempDir dir;
    const std::string seed = MakeSeed(dir);
    dir.Write("plain-file", "x");
    struct Case {
        std::string user;
        std::string seed;
        std::string why;
    };
    const Case cases[] = {
        {dir.File("plain-file/stracol"), seed, "cannot make"},  // the parent is a file
        {dir.File("plain-file"), seed, "is not a folder"},
        {dir.File("config/stracol"), dir.File("no-such-share"), "no folder"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.user);
        std::string error;
        EXPECT_FALSE(InstallFolder::PrepareUserFolder(c.user, c.seed, error));
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
    }
    EXPECT_FALSE(std::filesystem::exists(dir.File("config/stracol")));
}

TEST(InstallFolder, InstalledProgramWithoutHomeOptionUsesTheSeededUserFolder) {
    TempDir dir;
    const std::string seed = MakeSeed(dir);
    ScopedEnv stracolHome("STRACOL_HOME", std::nullopt);
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("config"));
    core::RecordingMessages messages;
    EXPECT_EQ(InstallFolder::ResolveWith("", seed, &messages).Path(), dir.File("config/stracol"));
    EXPECT_EQ(dir.Read("config/stracol/SysQXV.ndx"), "500\r\n");
    EXPECT_TRUE(messages.entries.empty());
    // --home and STRACOL_HOME still come first, and make no user folder of their own.
    EXPECT_EQ(InstallFolder::ResolveWith("/opt/given", seed, &messages).Path(), "/opt/given");
    {
        ScopedEnv env("STRACOL_HOME", std::string("/opt/from-env"));
        EXPECT_EQ(InstallFolder::ResolveWith("", seed, &messages).Path(), "/opt/from-env");
    }
    // A program that is not installed keeps the current directory.
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    EXPECT_EQ(InstallFolder::ResolveWith("", "", &messages).Path(), cwd);
}

TEST(InstallFolder, UserFolderThatCannotBeMadeFallsBackToTheInstalledFilesWithAWarning) {
    TempDir dir;
    const std::string seed = MakeSeed(dir);
    dir.Write("plain-file", "x");
    ScopedEnv stracolHome("STRACOL_HOME", std::nullopt);
    ScopedEnv xdg("XDG_CONFIG_HOME", dir.File("plain-file"));
    core::RecordingMessages messages;
    EXPECT_EQ(InstallFolder::ResolveWith("", seed, &messages).Path(), seed);
    ASSERT_EQ(messages.entries.size(), 1u);
    EXPECT_NE(messages.entries[0].text.find(dir.File("plain-file/stracol")), std::string::npos)
        << messages.entries[0].text;
}
