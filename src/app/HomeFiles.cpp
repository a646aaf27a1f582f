#include "app/HomeFiles.h"

#include "app/FontSettings.h"
#include "app/InstallFolder.h"
#include "app/SystemSettings.h"
#include "core/TextFile.h"
#include "geology/NameMaster.h"
#include "geology/PatternList.h"
#include "style/BuiltInStyles.h"
#include "style/ItemCatalogue.h"
#include "style/StyleApplication.h"

#include <filesystem>
#include <functional>
#include <utility>

namespace stracol::app {

namespace {

// Each file by its name and the lines it holds.
std::vector<std::pair<std::string, std::function<std::vector<std::string>()>>> Files() {
    std::vector<std::pair<std::string, std::function<std::vector<std::string>()>>> files;
    files.emplace_back("SysQXV.ndx", [] {
        // What a folder without the file gives (the clamps applied); the pattern folder is
        // taken from the folder in use whenever the file is read.
        SystemSettings settings;
        ClampSystemSettings(settings, InstallFolder("."));
        return SystemSettingsLines(settings);
    });
    for (int slot = 1; slot <= kFontCount; ++slot) {
        files.emplace_back(FontFileName(slot), [slot] { return FontFileLines(DefaultFonts()[slot - 1]); });
    }
    files.emplace_back(std::string(style::kStartupStyleFile), [] { return style::StartupStyleLines(); });
    for (int number = 1; number <= style::kBuiltInStyleCount; ++number)
        files.emplace_back(style::PerKindStyleFileName(number), [number] { return style::BuiltInStyleLines(number); });
    files.emplace_back("WdtvTSL.mst", [] { return geology::NameMasterLines(geology::BuiltInNameMaster()); });
    files.emplace_back("PtnvcQX.ndx", [] { return geology::PatternListLines(geology::BuiltInPatternList()); });
    files.emplace_back(std::string(style::kCatalogueFile), [] { return style::BuiltInCatalogueLines(); });
    return files;
}

}  // namespace

std::vector<std::string> BuiltInHomeFileNames() {
    std::vector<std::string> names;
    for (const auto& [name, lines] : Files()) names.push_back(name);
    return names;
}

bool WriteBuiltInHomeFiles(const std::string& folder, std::string& error, std::vector<std::string>* written) {
    namespace fs = std::filesystem;
    for (const auto& [name, lines] : Files()) {
        const fs::path path = fs::path(folder) / name;
        std::error_code ec;
        if (fs::exists(path, ec)) continue;
        fs::create_directories(path.parent_path(), ec);
        if (!core::WriteCp932Lines(path.string(), lines(), nullptr)) {
            error = "cannot write " + path.string();
            return false;
        }
        if (written) written->push_back(name);
    }
    return true;
}

}  // namespace stracol::app
