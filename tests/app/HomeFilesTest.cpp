// The built-in home files written out (what an installed program puts in share/stracol):
// a folder holding them gives the same settings, fonts, styles, catalogue, master and
// pattern colours as a folder without any file, and files already there are kept.

#include "app/HomeFiles.h"
#include "app/Workspace.h"
#include "core/Messages.h"
#include "geology/NameMaster.h"
#include "geology/NameTable.h"
#include "style/BuiltInStyles.h"
#include "style/StyleApplication.h"
#include "style/StyleWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace stracol;
using stracol::testing::TempDir;

namespace {

std::vector<std::string> SettingsLines(const app::InstallFolder& folder) {
    app::SystemSettings s = app::LoadSystemSettings(folder);
    // Both always name the folder in use, whatever the file says.
    s.PatternFolder.clear();
    s.NameTablePath.clear();
    return app::SystemSettingsLines(s);
}

std::vector<std::string> NameLines(const geology::NameTable& table) {
    std::vector<std::string> lines;
    for (const auto& e : table.entries)
        lines.push_back(e.name + "," + e.symbol + "," + std::to_string(e.number) + "," + std::to_string(e.classDigit));
    for (int g = 1; g <= 3; ++g) lines.push_back(std::to_string(table.groupFirst[g]) + "-" + std::to_string(table.groupLast[g]));
    return lines;
}

std::vector<std::string> CatalogueLines(const style::ItemCatalogue& catalogue) {
    std::vector<std::string> lines;
    for (const auto& item : catalogue.Entries()) lines.push_back(item.ToLine());
    return lines;
}

// Equal line lists, or the first line where they part.
void ExpectSameLines(const std::vector<std::string>& a, const std::vector<std::string>& b) {
    EXPECT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < std::min(a.size(), b.size()); ++i) {
        if (a[i] != b[i]) {
            ADD_FAILURE() << "line " << i << ": " << a[i] << " | " << b[i];
            return;
        }
    }
}

}  // namespace

TEST(HomeFiles, WrittenFilesReadBackAsTheBuiltInDefaults) {
    TempDir empty, written;
    std::string error;
    std::vector<std::string> names;
    ASSERT_TRUE(app::WriteBuiltInHomeFiles(written.Path(), error, &names)) << error;
    EXPECT_EQ(names, app::BuiltInHomeFileNames());
    for (const std::string& name : names) EXPECT_TRUE(std::filesystem::is_regular_file(written.File(name))) << name;

    core::RecordingMessages messages;
    app::Workspace a, b;
    a.folder = app::InstallFolder(empty.Path());
    b.folder = app::InstallFolder(written.Path());
    app::LoadWorkspaceSettings(a, messages);
    app::LoadWorkspaceSettings(b, messages);
    EXPECT_TRUE(messages.entries.empty());

    EXPECT_EQ(SettingsLines(a.folder), SettingsLines(b.folder));
    for (int slot = 0; slot < app::kFontCount; ++slot) {
        SCOPED_TRACE(slot + 1);
        EXPECT_EQ(app::FontFileLines(a.fonts[slot]), app::FontFileLines(b.fonts[slot]));
    }
    EXPECT_EQ(CatalogueLines(a.catalogue), CatalogueLines(b.catalogue));
    ASSERT_FALSE(b.catalogue.Entries().empty());
    EXPECT_EQ(a.patternColours.entries, b.patternColours.entries);
    ASSERT_FALSE(b.patternColours.entries.empty());
    ExpectSameLines(NameLines(a.patternNames), NameLines(b.patternNames));
    ExpectSameLines(NameLines(a.bitmapNames), NameLines(b.bitmapNames));
    // Written as the master editor saves it, which marks the file with its own version.
    EXPECT_EQ(b.patternNames.version, geology::kMasterFileVersion);
    ASSERT_FALSE(b.patternNames.entries.empty());
    EXPECT_EQ(style::StyleFileLines(a.style), style::StyleFileLines(b.style));  // the start-up style

    for (int number = 1; number <= style::kBuiltInStyleCount; ++number) {
        SCOPED_TRACE(number);
        style::LogStyle fromEmpty, fromWritten;
        ASSERT_TRUE(style::ApplyBuiltInStyle(fromEmpty, number, empty.Path(), messages));
        ASSERT_TRUE(style::ApplyBuiltInStyle(fromWritten, number, written.Path(), messages));
        EXPECT_EQ(style::StyleFileLines(fromEmpty), style::StyleFileLines(fromWritten));
        EXPECT_FALSE(fromWritten.HasNoItems());
    }
    EXPECT_TRUE(messages.entries.empty());
}

TEST(HomeFiles, FilesAlreadyThereAreKept) {
    TempDir home;
    home.Write("SysQXV.ndx", "mine\r\n");
    home.Write("Mst/ClmObj.mst", "mine too\r\n");
    std::string error;
    std::vector<std::string> names;
    ASSERT_TRUE(app::WriteBuiltInHomeFiles(home.Path(), error, &names)) << error;
    EXPECT_EQ(home.Read("SysQXV.ndx"), "mine\r\n");
    EXPECT_EQ(home.Read("Mst/ClmObj.mst"), "mine too\r\n");
    std::vector<std::string> others;
    for (const std::string& name : app::BuiltInHomeFileNames())
        if (name != "SysQXV.ndx" && name != "Mst/ClmObj.mst") others.push_back(name);
    EXPECT_EQ(names, others);
    EXPECT_TRUE(std::filesystem::is_regular_file(home.File("Style08.tls")));
}

TEST(HomeFiles, FolderThatCannotBeWrittenIsReported) {
    TempDir dir;
    dir.Write("plain-file", "x");
    std::string error;
    EXPECT_FALSE(app::WriteBuiltInHomeFiles(dir.File("plain-file/home"), error));
    EXPECT_NE(error.find("plain-file/home"), std::string::npos) << error;
}
