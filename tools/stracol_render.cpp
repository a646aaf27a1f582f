// stracol-render: the headless command line of Stracol.

#include "app/FontSettings.h"
#include "app/InstallFolder.h"
#include "app/SystemSettings.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "style/LogStyle.h"
#include "style/StyleApplication.h"

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: stracol-render [OPTIONS]\n"
    "\n"
    "Reads and draws Japanese borehole logs without a window.\n"
    "\n"
    "Options:\n"
    "  --home DIR         install folder holding SysQXV.ndx, the fonts, styles and Mst/\n"
    "                     (default: $STRACOL_HOME, else the current directory)\n"
    "  --print-settings   print the effective settings as key=value lines and exit\n"
    "  --print-style N|FILE.tls\n"
    "                     print a style: built-in style N (1-8; its StyleNN.tls copy when\n"
    "                     present) or a style file: its title lines, then one line per item\n"
    "                     row with its 21 fields joined by commas\n"
    "  --version          print the version and exit\n"
    "  --help             print this help and exit\n";

struct Options {
    std::string home;
    bool printSettings = false;
    std::string printStyle;
    bool version = false;
    bool help = false;
    std::vector<std::string> files;
};

bool Parse(int argc, char** argv, Options& o, std::string& error) {
    for (int i = 1; i < argc; ++i) {
        std::string a = argv[i];
        auto value = [&](const char* name) -> const char* {
            if (i + 1 >= argc) {
                error = std::string(name) + " needs a value";
                return nullptr;
            }
            return argv[++i];
        };
        if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--print-settings") o.printSettings = true;
        else if (a == "--print-style") {
            const char* v = value("--print-style");
            if (!v) return false;
            o.printStyle = v;
        } else if (a == "--home") {
            const char* v = value("--home");
            if (!v) return false;
            o.home = v;
        } else if (a.rfind("--home=", 0) == 0) o.home = a.substr(7);
        else if (!a.empty() && a[0] == '-') {
            error = "unknown option " + a;
            return false;
        } else o.files.push_back(a);
    }
    return true;
}

void PrintSettings(const stracol::app::InstallFolder& folder) {
    using namespace stracol;
    app::SystemSettings settings = app::LoadSystemSettings(folder);
    std::printf("InstallFolder=%s\n", folder.Path().c_str());
    app::ForEachSetting(settings, [](int, std::string_view name, const std::string& value) {
        std::printf("%.*s=%s\n", static_cast<int>(name.size()), name.data(), value.c_str());
    });
    app::FontSettings fonts = app::LoadFonts(folder);
    for (int slot = 1; slot <= app::kFontCount; ++slot) {
        const auto& f = fonts[slot - 1];
        std::printf("Font%d=%s,%s,%ld,%d\n", slot, core::Sprintf("%.1f", f.sizePt).c_str(), f.faceName.c_str(), f.colour,
                    f.effects);
    }
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    std::string error;
    if (!Parse(argc, argv, options, error)) {
        std::fprintf(stderr, "stracol-render: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (options.version) {
        std::printf("stracol-render %s\n", STRACOL_VERSION);
        return 0;
    }
    stracol::core::StderrMessages messages;
    auto folder = stracol::app::InstallFolder::Resolve(options.home, &messages);
    if (options.printSettings) {
        PrintSettings(folder);
        return 0;
    }
    if (!options.printStyle.empty()) {
        stracol::style::LogStyle style;
        if (!stracol::style::LoadStyleForListing(style, options.printStyle, folder.Path(), messages)) return 1;
        for (const auto& line : stracol::style::StyleListing(style)) std::printf("%s\n", line.c_str());
        return 0;
    }
    std::fprintf(stderr, "stracol-render: nothing to do\n%s", kUsage);
    return 2;
}
