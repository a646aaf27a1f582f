#include "RenderFile.h"

#include <algorithm>
#include <cmath>
#include <cctype>
#include <filesystem>

#include "SvgOutput.h"
#include "UnshownData.h"

#include <QPaintDevice>
#include "app/ScaleDepthModel.h"
#include "app/TesselExport.h"
#include "app/Workspace.h"
#include "core/Messages.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "render/Output.h"
#include "render/PageGeometry.h"
#include "style/StyleApplication.h"
#include "style/TitleForm.h"

namespace stracol::tools {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The paper of the settings: the start-up paper when it is enabled, else A3 portrait.
Paper StartupPaper(const app::SystemSettings& settings) {
    Paper paper;
    if (settings.StartupPaperEnabled != 0)
        PaperByName(settings.StartupPaperSize == 1 ? "A4" : "A3", settings.StartupOrientation == 1, paper);
    return paper;
}

bool ApplyStyleOption(app::Workspace& w, const std::string& styleOption, core::Messages& messages,
                      std::string& error) {
    if (styleOption.empty()) return true;
    const std::string trimmed(core::TrimBlanks(styleOption));
    const bool number = !trimmed.empty() && std::all_of(trimmed.begin(), trimmed.end(), [](unsigned char c) {
        return std::isdigit(c) != 0;
    });
    if (number) {
        if (!style::ApplyBuiltInStyle(w.style, core::LeadingInt(trimmed), w.folder.Path(), messages)) {
            error = "no built-in style " + trimmed + " (1-8)";
            return false;
        }
        return true;
    }
    switch (style::ApplyStyleFile(w.style, styleOption, messages)) {
        case style::StyleFileResult::Applied: return true;
        case style::StyleFileResult::Missing: error = "cannot open the style file " + styleOption; return false;
        case style::StyleFileResult::Unusable: error = "no style in " + styleOption; return false;
    }
    return false;
}

// The settings of the install folder, the title height of its form, the scales, the paper
// and the paging of the options, as the drawing of every file starts.
Paper PreparePage(app::Workspace& w, const RenderOptions& options, core::Messages& messages) {
    w.folder = app::InstallFolder(options.installFolder);
    app::LoadWorkspaceSettings(w, messages);

    // The paper fixes the depth per page (when the settings leave it at 0) from the usable
    // length, so the title height of the form and the depth scale must be known first.
    const std::string& total = w.titleForm.Get(style::TitleForm::TitleTotal);
    if (core::IsNumericStart(total) == 1 && core::LeadingReal(total) >= 0.1) w.geometry.titleHeight = core::LeadingReal(total);
    const PageOptions& page = options.page;
    if (page.horizontalScale > 0) w.geometry.horizontalScale = page.horizontalScale;
    if (page.depthScale > 0) w.geometry.depthScale = page.depthScale;
    if (page.depthPerPage > 0) w.geometry.depthPerPage = page.depthPerPage;
    const Paper paper = options.paperGiven ? options.paper : StartupPaper(w.settings);
    app::SetWorkspacePaper(w, paper.widthMm, paper.lengthMm);
    if (page.Any()) {
        render::ScaleAndDepth values = render::CurrentScaleAndDepth(w.geometry);
        if (page.printStartDepth) values.printStartDepth = *page.printStartDepth;
        if (page.pageOverlap) values.pageOverlap = *page.pageOverlap;
        render::ChangeScaleAndDepth(w.geometry, values);
    }
    return paper;
}

}  // namespace

bool CheckPageOptions(const RenderOptions& options, std::string& error, std::vector<std::string>& warnings) {
    const PageOptions& page = options.page;
    if (!page.Any()) return true;
    core::SilentMessages quiet;
    app::Workspace w;
    PreparePage(w, options, quiet);
    const int depthPerPage = w.geometry.depthPerPage;
    const int overlap = page.pageOverlap ? *page.pageOverlap : w.settings.PageOverlapDepth;
    if (depthPerPage > 0 && overlap >= depthPerPage) {
        error = core::Sprintf("the page overlap (%d m) must be smaller than the depth per page (%d m)", overlap,
                              depthPerPage);
        return false;
    }
    const int maxDepth = std::max(0, render::PrintableDepthFor(w.geometry, render::CurrentScaleAndDepth(w.geometry)));
    if (maxDepth <= 0) warnings.push_back(core::MessageText(core::MessageId::NoDrawingLength));
    const std::string warning = app::ScaleDepthModel::PageDepthWarning(depthPerPage, maxDepth);
    if (!warning.empty()) warnings.push_back(warning);
    return true;
}

bool ParseOutputFormat(const std::string& text, OutputFormat& format) {
    const std::string t = Lower(text);
    if (t == "pdf") format = OutputFormat::Pdf;
    else if (t == "png") format = OutputFormat::Png;
    else if (t == "svg") format = OutputFormat::Svg;
    else if (t == "tlw") format = OutputFormat::Tlw;
    else return false;
    return true;
}

const char* FormatExtension(OutputFormat format) {
    switch (format) {
        case OutputFormat::Pdf: return ".pdf";
        case OutputFormat::Png: return ".png";
        case OutputFormat::Svg: return ".svg";
        case OutputFormat::Tlw: return ".tlw";
    }
    return ".pdf";
}

bool PaperByName(const std::string& name, bool landscape, Paper& paper) {
    const std::string n = Lower(name);
    Paper p;
    if (n == "a3") p = Paper{297, 420};
    else if (n == "a4") p = Paper{210, 297};
    else return false;
    if (landscape) std::swap(p.widthMm, p.lengthMm);
    paper = p;
    return true;
}

std::string OutputNameFor(const std::string& input, OutputFormat format) {
    return std::filesystem::path(input).stem().string() + FormatExtension(format);
}

void ApplyFooterOptions(const FooterOptions& o, render::FooterSettings& footer) {
    if (o.prefix) footer.prefix = *o.prefix;
    if (o.startNumber) footer.startNumber = *o.startNumber;
    if (o.suffix) footer.suffix = *o.suffix;
    if (o.topMm) {
        footer.positionMode = 0;
        footer.topDistanceMm = *o.topMm;
    }
    if (o.belowLogMm) {
        footer.positionMode = 1;
        footer.belowLogMm = *o.belowLogMm;
    }
    if (o.leftMm) {
        footer.horizontalMode = 0;
        footer.leftDistanceMm = *o.leftMm;
    }
    if (o.centred) footer.horizontalMode = 1;
}

FileOutcome RenderFile(const std::string& input, const std::string& output, const RenderOptions& options,
                       render::FontResolver& fonts) {
    FileOutcome outcome;
    outcome.index.file = input;
    core::RecordingMessages messages;
    auto keepMessages = [&] {
        for (const auto& entry : messages.entries) outcome.messages.push_back(entry.text);
    };

    app::Workspace w;
    const Paper paper = PreparePage(w, options, messages);
    ApplyFooterOptions(options.footer, w.footer);
    if (w.footer.horizontalMode == 1 && w.footer.centreMm <= 0) w.footer.centreMm = paper.widthMm / 2;

    // Nothing is written while a file is read: a file without line breaks is rewritten one
    // element per line in memory (the rewritten text was never read back from its scratch
    // file), so files drawn at the same time (--jobs) share nothing on disk.
    borehole::OpenOptions openOptions;
    openOptions.rememberFolder = false;
    openOptions.writeReformatFile = false;
    borehole::OpenResult opened = app::OpenIntoWorkspace(w, input, messages, openOptions);
    if (!opened.loaded) {
        keepMessages();
        outcome.error = opened.message.empty() ? "cannot load the file" : opened.message;
        return outcome;
    }
    FillFromRecord(outcome.index, w.record);
    if (auto bytes = core::ReadFileBytes(input)) FillFromFileText(outcome.index, *bytes);
    std::string styleError;
    if (!ApplyStyleOption(w, options.style, messages, styleError)) {
        keepMessages();
        outcome.error = styleError;
        return outcome;
    }
    outcome.style = w.style.Name();
    if (options.format == OutputFormat::Tlw) {
        // The same file the desktop program's export writes.
        outcome.ok = app::WriteTessel(output, w.record, w.style, &messages);
        keepMessages();
        if (outcome.ok) outcome.files.push_back(output);
        else outcome.error = core::MessageText(core::MessageId::SaveFailed);
        return outcome;
    }
    outcome.unshown = UnshownDataText(DataTheStyleDoesNotShow(w.style, w.record));
    if (w.geometry.depthPerPage <= 0) {
        keepMessages();
        outcome.error = "the paper has no room for the depth part (depth per page 0 m)";
        return outcome;
    }
    {
        // A depth beyond any real borehole would make a log of millions of pages.
        render::PageGeometry probe = w.geometry;
        probe.maxDepth = render::MaxDepthOf(w.record);
        const int pages = render::PageCount(probe);
        if (!std::isfinite(probe.maxDepth) || pages > kMaxPagesPerFile) {
            keepMessages();
            outcome.error = core::Sprintf("the log would take %d pages (its deepest depth is %g m); more than %d pages "
                                          "are not drawn",
                                          pages, probe.maxDepth, kMaxPagesPerFile);
            return outcome;
        }
    }

    render::LogSources sources{w.geometry,  w.settings, w.fonts,          w.style,      w.titleForm,
                               w.record,    w.patternColours, &messages,  w.folder.PatternFolder(),
                               w.documentPath, w.footer,       w.freeArticles, &w.bitmapNames, w.heading};
    render::OutputResult result;
    switch (options.format) {
        case OutputFormat::Pdf:
            result = render::WritePdf(sources, fonts, output, options.pages, paper.widthMm, paper.lengthMm);
            break;
        case OutputFormat::Png:
            result = render::WritePng(sources, fonts, output, options.pages, paper.widthMm, paper.lengthMm,
                                      options.dpi > 0 ? options.dpi : render::kImageDpi);
            break;
        case OutputFormat::Svg:
            result = render::WritePageDevices(sources, fonts, output, options.pages, paper.widthMm, paper.lengthMm,
                                              options.dpi > 0 ? options.dpi : render::kImageDpi, MakeSvgPage);
            break;
        case OutputFormat::Tlw: break;
    }
    keepMessages();
    outcome.ok = result.ok;
    outcome.pages = result.pages;
    outcome.files = result.files;
    outcome.error = result.error;
    return outcome;
}

}  // namespace stracol::tools
