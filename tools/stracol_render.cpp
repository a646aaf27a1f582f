// stracol-render: the headless command line of Stracol.

#include "RenderFile.h"
#include "app/FieldText.h"
#include "app/FontSettings.h"
#include "app/FooterModel.h"
#include "app/HeadingModel.h"
#include "app/HomeFiles.h"
#include "app/InstallFolder.h"
#include "app/ScaleDepthModel.h"
#include "app/SystemSettings.h"
#include "app/Workspace.h"
#include "borehole/RecordJson.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "render/columns/PatternGallery.h"
#include "render/FontResolver.h"
#include "render/Output.h"
#include "style/LogStyle.h"
#include "style/StyleApplication.h"

#include <QGuiApplication>
#include <QtGlobal>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

constexpr const char* kUsage =
    "Usage: stracol-render FILE... [-o OUT] [--format pdf|png|svg|tlw] [--dpi N] [--paper A3|A4]\n"
    "                      [--landscape] [--pages LIST] [--style N|FILE.tls] [--home DIR] [--jobs N]\n"
    "                      [--index INDEX.csv|INDEX.geojson] [--scale N] [--depth-scale N]\n"
    "                      [--from M] [--page-depth M] [--overlap M]\n"
    "                      [--footer-prefix T] [--footer-start N] [--footer-suffix T]\n"
    "                      [--footer-top MM | --footer-below MM] [--footer-left MM | --footer-centre]\n"
    "       stracol-render --dump FILE...\n"
    "       stracol-render --patterns OUT.pdf\n"
    "       stracol-render --init-home DIR\n"
    "       stracol-render --print-settings | --print-style N|FILE.tls | --version | --help\n"
    "\n"
    "Reads and draws Japanese borehole logs without a window.\n"
    "\n"
    "Drawing:\n"
    "  -o OUT             output file; with several input files, the output folder\n"
    "                     (default: the input's name with the format's extension, here)\n"
    "  --format F         pdf (one file, every page), png or svg (one file per page,\n"
    "                     NAME-1.png, NAME-2.png ... when the log has several pages), or tlw\n"
    "                     (the data and its style as a Tessel v1 file, one per input); default pdf\n"
    "  --dpi N            resolution of png and svg pages (default 96)\n"
    "  --paper A3|A4      paper size (default: the start-up paper of the settings when it is\n"
    "                     enabled, else A3 portrait)\n"
    "  --landscape        turn the paper\n"
    "  --pages LIST       pages to draw, e.g. 1-3,5 (default: all)\n"
    "  --style N|FILE.tls draw with built-in style N (1-8) or a style file instead of the\n"
    "                     style chosen for the data\n"
    "  --jobs N           draw N files at a time\n"
    "  --footer-prefix T, --footer-start N, --footer-suffix T\n"
    "                     the page footer: T before the page number, the number printed on\n"
    "                     page 1 (empty: no number), T after it; e.g. --footer-prefix \"(\"\n"
    "                     --footer-start 1 --footer-suffix \")\" prints (1), (2) ... (default:\n"
    "                     the footer of the install folder, SyPageV.ndx; none when missing)\n"
    "  --footer-top MM    the footer's top MM below the paper's top edge\n"
    "  --footer-below MM  the footer MM below the end of the page's depth part (default 2)\n"
    "  --footer-left MM   the footer left-aligned MM from the paper's left edge\n"
    "  --footer-centre    the footer centred on the paper (default)\n"
    "  --index FILE       also write one record per input file: file, boring and survey\n"
    "                     name, latitude and longitude in decimal degrees with the datum\n"
    "                     code of the file, collar elevation, total depth, DTD version,\n"
    "                     pages, output and status (drawn or failed, and why); CSV for\n"
    "                     .csv, a GeoJSON collection of points for .geojson or .json\n"
    "\n"
    "Scale and pages (instead of the settings, which stay as they are):\n"
    "  --scale N          draw at 1/N across and down (25-1000; default 1/100)\n"
    "  --depth-scale N    draw the depth at 1/N (25-1000); with ScaleDataOnly=1 in the\n"
    "                     settings the title block keeps its 1/100 height\n"
    "  --from M           print start depth: page 1 starts at M m (-10 to 3000)\n"
    "  --page-depth M     depth per page in whole metres (1-400; default: the settings', else\n"
    "                     what fits the paper at the depth scale); more than 10 m beyond what\n"
    "                     fits is warned about and drawn as asked\n"
    "  --overlap M        depth repeated at the top of the next page (0-10 m, smaller than\n"
    "                     the depth per page)\n"
    "\n"
    "Other:\n"
    "  --home DIR         install folder holding SysQXV.ndx, the fonts, styles and Mst/\n"
    "                     (default: $STRACOL_HOME; else, for an installed program, the\n"
    "                     per-user folder $XDG_CONFIG_HOME/stracol or ~/.config/stracol,\n"
    "                     made on first use as a copy of <prefix>/share/stracol; else the\n"
    "                     current directory)\n"
    "  --init-home DIR    write the built-in settings, fonts, styles and masters into DIR\n"
    "                     as files to edit (files already there are kept) and exit\n"
    "  --dump             print each file's record as one JSON object per line\n"
    "  --patterns OUT.pdf draw every pattern of the pattern list and common compound soil\n"
    "                     names, in colour and in black, into a PDF gallery\n"
    "  --print-settings   print the effective settings as key=value lines and exit\n"
    "  --print-style N|FILE.tls\n"
    "                     print a style: built-in style N (1-8; its StyleNN.tls copy when\n"
    "                     present) or a style file: its title lines, then one line per item\n"
    "                     row with its 21 fields joined by commas\n"
    "  --version          print the version and exit\n"
    "  --help             print this help and exit\n"
    "\n"
    "Exit status: 0 when every file was drawn, 1 when any failed, 2 for a usage error.\n";

struct Options {
    std::string home;
    bool printSettings = false;
    std::string printStyle;
    bool version = false;
    bool help = false;
    bool dump = false;
    std::string patterns;
    std::string initHome;
    std::string output;
    std::string format = "pdf";
    int dpi = 0;
    std::string paper;
    bool landscape = false;
    std::string pages;
    std::string style;
    int jobs = 1;
    std::string index;
    stracol::tools::PageOptions page;
    stracol::tools::FooterOptions footer;
    std::vector<std::string> files;
};

// A distance in millimetres on the paper: 0 to 2000.
bool ParseMm(const std::string& text, double& mm) {
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    if (text.empty() || *end != '\0' || !(v >= 0 && v <= 2000)) return false;
    mm = v;
    return true;
}

bool ParseInt(const char* text, int low, int high, int& value) {
    char* end = nullptr;
    long v = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || v < low || v > high) return false;
    value = static_cast<int>(v);
    return true;
}

// A scale or paging option, with the range and the message of the scale and depth dialog.
bool ParsePageOption(const std::string& name, const std::string& text, stracol::tools::PageOptions& page,
                     std::string& error) {
    using stracol::app::ScaleDepthModel;
    std::optional<stracol::app::FieldError> refused;
    int number = 0;
    if (name == "--scale" || name == "--depth-scale") {
        refused = stracol::app::ParseIntField(text, ScaleDepthModel::kScaleMin, ScaleDepthModel::kScaleMax, number);
        if (!refused) {
            if (name == "--scale") page.horizontalScale = number;
            // --depth-scale wins over the depth part of --scale, in any order.
            if (name == "--depth-scale" || !page.depthScaleGiven) page.depthScale = number;
            if (name == "--depth-scale") page.depthScaleGiven = true;
        }
    } else if (name == "--page-depth") {
        refused = stracol::app::ParseIntField(text, ScaleDepthModel::kPageDepthMin, ScaleDepthModel::kPageDepthMax,
                                              page.depthPerPage);
    } else if (name == "--overlap") {
        refused = stracol::app::ParseIntField(text, ScaleDepthModel::kOverlapMin, ScaleDepthModel::kOverlapMax, number);
        if (!refused) page.pageOverlap = number;
    } else {
        double depth = 0;
        refused = stracol::app::ParseRealField(text, ScaleDepthModel::kStartMin, ScaleDepthModel::kStartMax, depth);
        if (!refused) page.printStartDepth = depth;
    }
    if (refused) error = name + " " + text + ": " + refused->message;
    return !refused;
}

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
        // "--name=value" as well as "--name value".
        std::string inlineValue;
        bool hasInline = false;
        if (a.rfind("--", 0) == 0) {
            std::size_t eq = a.find('=');
            if (eq != std::string::npos) {
                inlineValue = a.substr(eq + 1);
                a = a.substr(0, eq);
                hasInline = true;
            }
        }
        auto take = [&](const char* name, std::string& into) {
            if (hasInline) {
                into = inlineValue;
                return true;
            }
            const char* v = value(name);
            if (!v) return false;
            into = v;
            return true;
        };
        std::string v;
        if (a == "--help" || a == "-h") o.help = true;
        else if (a == "--version") o.version = true;
        else if (a == "--print-settings") o.printSettings = true;
        else if (a == "--dump") o.dump = true;
        else if (a == "--landscape") o.landscape = true;
        else if (a == "--patterns") {
            if (!take("--patterns", o.patterns)) return false;
        } else if (a == "--init-home") {
            if (!take("--init-home", o.initHome)) return false;
            if (o.initHome.empty()) {
                error = "--init-home needs a folder";
                return false;
            }
        } else if (a == "--print-style") {
            if (!take("--print-style", o.printStyle)) return false;
        } else if (a == "--home") {
            if (!take("--home", o.home)) return false;
        } else if (a == "-o" || a == "--output") {
            if (!take("-o", o.output)) return false;
        } else if (a == "--format") {
            if (!take("--format", o.format)) return false;
        } else if (a == "--paper") {
            if (!take("--paper", o.paper)) return false;
        } else if (a == "--pages") {
            if (!take("--pages", o.pages)) return false;
        } else if (a == "--style") {
            if (!take("--style", o.style)) return false;
        } else if (a == "--index") {
            if (!take("--index", o.index)) return false;
            stracol::tools::IndexFormat format;
            if (!stracol::tools::IndexFormatFor(o.index, format)) {
                error = "--index needs a .csv, .geojson or .json file";
                return false;
            }
        } else if (a == "--footer-prefix" || a == "--footer-start" || a == "--footer-suffix") {
            if (!take(a.c_str(), v)) return false;
            if (a == "--footer-prefix") o.footer.prefix = v;
            else if (a == "--footer-suffix") o.footer.suffix = v;
            else {
                int start = 0;
                if (!v.empty() && !ParseInt(v.c_str(), -999999, 999999, start)) {
                    error = "--footer-start needs a page number (or nothing for no number)";
                    return false;
                }
                o.footer.startNumber = v;
            }
        } else if (a == "--footer-top" || a == "--footer-below" || a == "--footer-left") {
            if (!take(a.c_str(), v)) return false;
            double mm = 0;
            if (!ParseMm(v, mm)) {
                error = a + " needs a distance in mm from 0 to 2000";
                return false;
            }
            if (a == "--footer-top") o.footer.topMm = mm;
            else if (a == "--footer-below") o.footer.belowLogMm = mm;
            else o.footer.leftMm = mm;
        } else if (a == "--footer-centre" || a == "--footer-center") {
            o.footer.centred = true;
        } else if (a == "--dpi") {
            if (!take("--dpi", v)) return false;
            if (!ParseInt(v.c_str(), 1, 2400, o.dpi)) {
                error = "--dpi needs a number from 1 to 2400";
                return false;
            }
        } else if (a == "--jobs" || a == "-j") {
            if (!take("--jobs", v)) return false;
            if (!ParseInt(v.c_str(), 1, 64, o.jobs)) {
                error = "--jobs needs a number from 1 to 64";
                return false;
            }
        } else if (a == "--scale" || a == "--depth-scale" || a == "--page-depth" || a == "--overlap" || a == "--from") {
            if (!take(a.c_str(), v)) return false;
            if (!ParsePageOption(a, v, o.page, error)) return false;
        } else if (!a.empty() && a[0] == '-' && a != "-") {
            error = "unknown option " + a;
            return false;
        } else {
            o.files.push_back(a);
        }
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
    // The page footer (SyPageV.ndx) and the heading choices (SyHeadV.ndx), as drawn.
    const render::FooterSettings footer = app::LoadFooterSettings(folder);
    std::printf("FooterPrefix=%s\nFooterStart=%s\nFooterSuffix=%s\nFooterPosition=%s\nFooterTopMm=%.1f\n"
                "FooterBelowLogMm=%.1f\nFooterHorizontal=%s\nFooterLeftMm=%.1f\n",
                footer.prefix.c_str(), footer.startNumber.c_str(), footer.suffix.c_str(),
                footer.positionMode == 0 ? "paper-top" : "below-log", footer.topDistanceMm, footer.belowLogMm,
                footer.horizontalMode == 0 ? "left" : "centre", footer.leftDistanceMm);
    const render::HeadingChoices heading = app::LoadHeadingChoices(folder);
    std::printf("SurveyNameSplit=%s\nQualificationName=%s\nCollarElevation=%s\nElevationRounding=%s\n",
                heading.surveySplit.c_str(), heading.qualificationName.c_str(),
                heading.collarElevationAsText ? "text" : "two-decimals",
                !heading.roundHalfEven ? "data" : *heading.roundHalfEven ? "JIS-A" : "JIS-B");
}

int Dump(const Options& options, const stracol::app::InstallFolder& folder) {
    using namespace stracol;
    core::RecordingMessages messages;
    app::Workspace w;
    w.folder = folder;
    app::LoadWorkspaceSettings(w, messages);
    int failed = 0;
    for (const std::string& file : options.files) {
        std::string json = borehole::DumpFileJson(file, w.patternNames, folder.Path());
        const std::string errorStart = "{\"file\": " + borehole::JsonString(file) + ", \"error\": ";
        if (json.compare(0, errorStart.size(), errorStart) == 0) ++failed;
        std::printf("%s\n", json.c_str());
    }
    std::fflush(stdout);
    return failed > 0 ? 1 : 0;
}

// The output file of each input: -o itself for one input (or a file in -o when it is a
// folder), else the input's name in the output folder; names that would repeat get "_2" …
std::vector<std::string> OutputPaths(const Options& options, stracol::tools::OutputFormat format,
                                     std::string& error) {
    namespace fs = std::filesystem;
    std::vector<std::string> paths;
    std::error_code ec;
    const bool several = options.files.size() > 1;
    fs::path folder = ".";
    if (!options.output.empty()) {
        fs::path out(options.output);
        if (several || fs::is_directory(out, ec)) {
            folder = out;
            fs::create_directories(folder, ec);
            if (!fs::is_directory(folder, ec)) {
                error = "cannot make the output folder " + options.output;
                return {};
            }
        } else {
            // The folder of the output file is made when it is missing.
            if (out.has_parent_path()) fs::create_directories(out.parent_path(), ec);
            paths.push_back(options.output);
            return paths;
        }
    }
    std::set<std::string> used;
    for (const std::string& file : options.files) {
        std::string name = stracol::tools::OutputNameFor(file, format);
        std::string base = fs::path(name).stem().string();
        std::string ext = fs::path(name).extension().string();
        for (int n = 2; used.count(name); ++n) name = base + "_" + std::to_string(n) + ext;
        used.insert(name);
        paths.push_back((folder / name).string());
    }
    return paths;
}

int Render(const Options& options, const stracol::app::InstallFolder& folder) {
    using namespace stracol;
    tools::RenderOptions render;
    render.installFolder = folder.Path();
    if (!tools::ParseOutputFormat(options.format, render.format)) {
        std::fprintf(stderr, "stracol-render: unknown format %s (pdf, png, svg or tlw)\n", options.format.c_str());
        return 2;
    }
    render.dpi = options.dpi;
    render.footer = options.footer;
    if (!options.paper.empty() || options.landscape) {
        if (!tools::PaperByName(options.paper.empty() ? "A3" : options.paper, options.landscape, render.paper)) {
            std::fprintf(stderr, "stracol-render: unknown paper %s (A3 or A4)\n", options.paper.c_str());
            return 2;
        }
        render.paperGiven = true;
    }
    if (!options.pages.empty()) {
        std::string error;
        if (!render::ParsePageList(options.pages, render.pages, error)) {
            std::fprintf(stderr, "stracol-render: %s\n", error.c_str());
            return 2;
        }
    }
    render.style = options.style;
    render.page = options.page;
    std::string error;
    {
        std::vector<std::string> warnings;
        if (!tools::CheckPageOptions(render, error, warnings)) {
            std::fprintf(stderr, "stracol-render: %s\n", error.c_str());
            return 2;
        }
        for (const std::string& warning : warnings) std::fprintf(stderr, "stracol-render: warning: %s\n", warning.c_str());
    }
    const std::vector<std::string> outputs = OutputPaths(options, render.format, error);
    if (outputs.empty()) {
        std::fprintf(stderr, "stracol-render: %s\n", error.c_str());
        return 1;
    }

    // Fonts are looked up once here, before any worker draws.
    core::StderrMessages fontMessages(false, "stracol-render");
    render::FontResolver primer(&fontMessages);
    for (const char* face : {"ＭＳ Ｐ明朝", "ＭＳ 明朝", "ＭＳ Ｐゴシック", "ＭＳ ゴシック"}) primer.Resolve(face);

    const std::size_t total = options.files.size();
    const bool progress = total > 1 && ::isatty(STDERR_FILENO) == 1;
    std::mutex reportMutex;
    std::atomic<std::size_t> next{0};
    std::size_t done = 0;
    std::vector<tools::IndexEntry> index(options.index.empty() ? 0 : total);
    int failed = 0;
    int pages = 0;
    int written = 0;
    const auto started = std::chrono::steady_clock::now();

    auto worker = [&] {
        render::FontResolver fonts(nullptr);
        for (std::size_t i = next++; i < total; i = next++) {
            const std::string& file = options.files[i];
            tools::FileOutcome outcome = tools::RenderFile(file, outputs[i], render, fonts);
            std::lock_guard<std::mutex> lock(reportMutex);
            ++done;
            if (!index.empty()) {
                tools::IndexEntry& entry = index[i];
                entry = outcome.index;
                entry.drawn = outcome.ok;
                entry.pages = outcome.ok ? outcome.pages : 0;
                entry.outputs = outcome.ok ? outcome.files : std::vector<std::string>{};
                entry.reason = outcome.ok ? std::string() : outcome.error;
            }
            if (progress) std::fprintf(stderr, "\r\033[K");
            for (const std::string& message : outcome.messages)
                if (!outcome.ok && message != outcome.error)
                    std::fprintf(stderr, "stracol-render: %s: %s\n", file.c_str(), message.c_str());
            if (outcome.ok) {
                // What the load told (records not kept, a file cut off), and the data that
                // the style draws no column for, once per file.
                for (const std::string& message : outcome.messages)
                    std::fprintf(stderr, "stracol-render: %s: %s\n", file.c_str(), message.c_str());
                if (!outcome.unshown.empty())
                    std::fprintf(stderr, "stracol-render: %s: not shown by the style %s: %s (choose another with --style)\n",
                                 file.c_str(), outcome.style.c_str(), outcome.unshown.c_str());
                pages += outcome.pages;
                written += static_cast<int>(outcome.files.size());
                if (total == 1)
                    for (const std::string& out : outcome.files) std::printf("%s\n", out.c_str());
            } else {
                ++failed;
                std::fprintf(stderr, "stracol-render: %s: FAILED: %s\n", file.c_str(), outcome.error.c_str());
            }
            if (progress) {
                std::fprintf(stderr, "[%zu/%zu] %s", done, total, file.c_str());
                std::fflush(stderr);
            }
        }
    };
    const int jobs = std::max(1, std::min<int>(options.jobs, static_cast<int>(total)));
    if (jobs == 1) {
        worker();
    } else {
        std::vector<std::thread> threads;
        for (int j = 0; j < jobs; ++j) threads.emplace_back(worker);
        for (auto& t : threads) t.join();
    }
    if (progress) std::fprintf(stderr, "\r\033[K");
    if (total > 1) {
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
        std::fprintf(stderr, "stracol-render: %zu files, %zu drawn (%d pages, %d output files), %d failed, %.1f s\n",
                     total, total - static_cast<std::size_t>(failed), pages, written, failed, seconds);
    }
    if (!options.index.empty()) {
        std::string indexError;
        if (!tools::WriteIndex(options.index, index, indexError)) {
            std::fprintf(stderr, "stracol-render: %s\n", indexError.c_str());
            std::fflush(stdout);
            return 1;
        }
        if (total > 1) std::fprintf(stderr, "stracol-render: index of %zu files in %s\n", total, options.index.c_str());
    }
    std::fflush(stdout);
    return failed > 0 ? 1 : 0;
}

// Qt's own notes go to stderr as usual, except the one about a missing runtime folder that
// every headless run would print.
void QtMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if (type == QtWarningMsg && message.startsWith(QStringLiteral("QStandardPaths:"))) return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
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
    if (!options.initHome.empty()) {
        std::string initError;
        std::vector<std::string> written;
        if (!stracol::app::WriteBuiltInHomeFiles(options.initHome, initError, &written)) {
            std::fprintf(stderr, "stracol-render: %s\n", initError.c_str());
            return 1;
        }
        std::fprintf(stderr, "stracol-render: %zu files written into %s\n", written.size(), options.initHome.c_str());
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
    if (!options.patterns.empty()) {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        qInstallMessageHandler(QtMessages);
        int qtArgc = 1;
        char name[] = "stracol-render";
        char* qtArgv[] = {name, nullptr};
        QGuiApplication app(qtArgc, qtArgv);
        if (!stracol::render::WritePatternGallery(options.patterns, {}, &messages)) return 1;
        std::fprintf(stderr, "stracol-render: wrote %s\n", options.patterns.c_str());
        return 0;
    }
    if (options.files.empty()) {
        std::fprintf(stderr, "stracol-render: nothing to do\n%s", kUsage);
        return 2;
    }
    if (options.dump) return Dump(options, folder);

    // Headless: no display is needed unless the caller asks for a platform.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    qInstallMessageHandler(QtMessages);
    int qtArgc = 1;
    char name[] = "stracol-render";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    return Render(options, folder);
}
