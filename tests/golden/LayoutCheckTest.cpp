// The layout check: every page of every exchange file of the test data and of the larger
// corpus (when present) is drawn on a recording surface, and no
// text may overprint another, cross its column's rules or a rule of the title block, stand
// outside the frame, or be cut by the page window. STRACOL_LAYOUT_DIR=folder checks the
// exchange files of another folder the same way; STRACOL_LAYOUT_VERBOSE=1 lists every finding.

#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "render/LayoutCheck.h"
#include "render/LogPainter.h"
#include "render/Output.h"
#include "render/PageGeometry.h"
#include "render/FontResolver.h"
#include "render/QPainterSurface.h"
#include "render/RecordingSurface.h"
#include "support/GuiTestEnvironment.h"
#include "style/TitleForm.h"
#include "support/TempDir.h"
#include "support/TestData.h"

using namespace stracol;
using namespace stracol::render;

namespace {

[[maybe_unused]] ::testing::Environment* const kGui = stracol::testing::AddGuiTestEnvironment("LayoutCheckTest");

constexpr int kDefaultDpi = 300;
// STRACOL_LAYOUT_DPI checks the pages at another resolution (the fitting works in pixels).
const int kDpi = [] {
    const char* env = std::getenv("STRACOL_LAYOUT_DPI");
    const int dpi = env ? std::atoi(env) : 0;
    return dpi >= 50 && dpi <= 1200 ? dpi : kDefaultDpi;
}();

RecordedOperation TextOp(Rect covered, const char* text) {
    RecordedOperation op{};
    op.kind = OperationKind::Text;
    op.text = text;
    op.covered = covered;
    return op;
}

RecordedOperation LineOp(Point a, Point b) {
    RecordedOperation op{};
    op.kind = OperationKind::Line;
    op.points = {a, b};
    return op;
}

// Two columns 100..200 and 200..300 px (items 1002 and 1003); the depth part from y 500.
PageLayout TwoColumns() {
    PageLayout page;
    page.columns = {{100, 200, 1002}, {200, 300, 1003}};
    page.depthTop = 500;
    page.depthBottom = 2000;
    page.frameLeft = 100;
    page.frameRight = 300;
    page.tolerance = 1;
    page.slantWidth = 12;
    return page;
}

struct CheckCase {
    const char* what;
    std::vector<RecordedOperation> operations;
    std::vector<LayoutFault> expected;
};

TEST(LayoutCheck, FindsEachKindOfFault) {
    RecordedOperation clippedAtBottom = TextOp(Rect{110, 1980, 150, 2020}, "9.80");
    clippedAtBottom.clipped = true;
    clippedAtBottom.clip = Rect{100, 500, 300, 2000};
    RecordedOperation hidden = TextOp(Rect{110, 2100, 150, 2140}, "12.0");
    hidden.clipped = true;
    hidden.clip = Rect{100, 500, 300, 2000};
    RecordedOperation greyGrid = LineOp({100, 660}, {200, 660});
    greyGrid.pen.colour = 0x808080;
    RecordedOperation onBaseline = TextOp({110, 640, 190, 680}, "05/01");
    onBaseline.align = TextAlign{HorizontalAlign::Left, VerticalAlign::Baseline};
    onBaseline.points = {Point{110, 672}};
    const CheckCase cases[] = {
        {"texts apart", {TextOp({110, 600, 150, 640}, "1.0"), TextOp({110, 640, 150, 680}, "2.0")}, {}},
        {"texts overprinted", {TextOp({110, 600, 150, 640}, "1.0"), TextOp({115, 610, 160, 650}, "1.1")},
         {LayoutFault::Overlap}},
        {"a corner touching", {TextOp({110, 600, 150, 640}, "1.0"), TextOp({145, 636, 190, 676}, "1.1")}, {}},
        {"over the column rule", {TextOp({150, 700, 230, 740}, "GL-12.345")}, {LayoutFault::CrossesColumn}},
        {"touching the rule", {TextOp({150, 700, 201, 740}, "12.34")}, {}},
        {"past the frame", {TextOp({250, 700, 320, 740}, "long")}, {LayoutFault::OutsideFrame}},
        {"title text over a rule", {LineOp({180, 100}, {180, 400}), TextOp({120, 200, 240, 240}, "試錐機")},
         {LayoutFault::CrossesRule}},
        {"title text beside a rule", {LineOp({180, 100}, {180, 400}), TextOp({120, 200, 178, 240}, "試錐機")}, {}},
        {"underlined title", {LineOp({120, 240}, {240, 240}), TextOp({120, 200, 240, 240}, "調査名")}, {}},
        {"bent line's slant through a text", {LineOp({100, 600}, {107, 700}), TextOp({102, 650, 150, 690}, "02/21")},
         {LayoutFault::UnderSlant}},
        {"bent line's slant beside a text", {LineOp({100, 600}, {107, 700}), TextOp({109, 650, 150, 690}, "02/21")}, {}},
        {"graph line inside the column", {LineOp({130, 600}, {137, 700}), TextOp({128, 650, 150, 690}, "3")}, {}},
        {"boundary rule through a depth value", {LineOp({100, 660}, {200, 660}), TextOp({110, 640, 190, 680}, "1.75")},
         {LayoutFault::CrossesRule}},
        {"boundary rule under a depth value", {LineOp({100, 680}, {200, 680}), TextOp({110, 640, 190, 680}, "1.75")}, {}},
        {"grey grid line through a graph label", {greyGrid, TextOp({110, 640, 190, 680}, "(100)")}, {}},
        {"tick under a text set on its baseline", {LineOp({180, 672}, {200, 672}), onBaseline}, {}},
        {"cut by the page bottom", {clippedAtBottom}, {LayoutFault::CutByWindow}},
        {"wholly outside the window", {hidden}, {}},
    };
    for (const CheckCase& c : cases) {
        const std::vector<LayoutFinding> found = CheckLayout(c.operations, TwoColumns());
        std::vector<LayoutFault> faults;
        for (const auto& f : found) faults.push_back(f.fault);
        EXPECT_EQ(faults, c.expected) << c.what;
    }
}

TEST(LayoutCheck, NamesTheColumnsOfAnOverlap) {
    const std::vector<RecordedOperation> ops = {TextOp({150, 600, 199, 640}, "2.50"),
                                                TextOp({160, 605, 199, 645}, "2.30")};
    const std::vector<LayoutFinding> found = CheckLayout(ops, TwoColumns());
    ASSERT_EQ(found.size(), 1u);
    EXPECT_EQ(found[0].itemCode, 1002);
    EXPECT_EQ(found[0].otherItemCode, 1002);
    EXPECT_NE(DescribeFinding(found[0]).find("\"2.50\""), std::string::npos) << DescribeFinding(found[0]);
    EXPECT_NE(DescribeFinding(found[0]).find("\"2.30\""), std::string::npos) << DescribeFinding(found[0]);
}

// ---- every page of real files ----

struct FileFindings {
    int pages = 0;
    double worstDriftM = 0;  // the farthest a text ran on below its cell
    double pastLogEndM = 0;  // the farthest a text reached below the end of the log (lost)
    std::vector<std::string> lines;  // "page N: finding"
    std::map<std::string, int> byKind;
};

// Draws every page of one file on A3 portrait with the built-in settings and checks each.
bool CheckFile(const std::string& path, FileFindings& out, std::string& error, bool realFonts) {
    stracol::testing::TempDir home;
    core::RecordingMessages messages;
    app::Workspace w;
    w.folder = app::InstallFolder(home.Path());
    app::LoadWorkspaceSettings(w, messages);
    const std::string& total = w.titleForm.Get(style::TitleForm::TitleTotal);
    if (core::IsNumericStart(total) == 1 && core::LeadingReal(total) >= 0.1) w.geometry.titleHeight = core::LeadingReal(total);
    app::SetWorkspacePaper(w, 297, 420);
    if (w.footer.horizontalMode == 1 && w.footer.centreMm <= 0) w.footer.centreMm = 297 / 2.0;
    borehole::OpenOptions options;
    options.rememberFolder = false;
    options.scratchFolder = home.Path();
    const auto opened = app::OpenIntoWorkspace(w, path, messages, options);
    if (!opened.loaded) {
        error = opened.message;
        return false;
    }
    LogSources sources{w.geometry,       w.settings, w.fonts, w.style, w.titleForm, w.record, w.patternColours,
                       &messages,        w.folder.PatternFolder(), w.documentPath, w.footer, w.freeArticles,
                       nullptr,          {}};
    const int pages = PageCount(w.geometry);
    for (int page = 1; page <= pages; ++page) {
        RecordingSurface surface(kDpi, kDpi);
        // With real fonts the texts are measured as the page image measures them: the IPA
        // fonts through Qt on an image of the same resolution.
        QImage image(8, 8, QImage::Format_RGB32);
        const int dotsPerMetre = static_cast<int>(std::lround(kDpi / 0.0254));
        image.setDotsPerMeterX(dotsPerMetre);
        image.setDotsPerMeterY(dotsPerMetre);
        QPainter painter(&image);
        FontResolver fonts;
        QPainterSurface measure(painter, fonts, kDpi, kDpi);
        if (realFonts) surface.MeasureWith(&measure);
        LogContext ctx = LogContextFor(sources, surface);
        PrintPages(w.geometry, {page}, [&](int) { PaintLog(ctx); });
        out.worstDriftM = std::max(out.worstDriftM, ctx.worstDriftM);
        out.pastLogEndM = std::max(out.pastLogEndM, ctx.deepestTextM - LogEndDepth(w.geometry));
        for (const LayoutFinding& f : CheckLayout(surface.operations, PageLayoutOf(ctx))) {
            out.lines.push_back("page " + std::to_string(page) + ": " + DescribeFinding(f));
            ++out.byKind[LayoutFaultName(f.fault)];
        }
        ++out.pages;
    }
    return true;
}

void CheckEveryPage(bool realFonts) {
    // The test data and the larger corpus, or the files of another folder.
    const char* other = std::getenv("STRACOL_LAYOUT_DIR");
    std::vector<std::string> files;
    for (const auto& path : other && *other ? stracol::testing::ExchangeFilesIn(other) : stracol::testing::AllExchangeFiles())
        files.push_back(path.string());
    ASSERT_FALSE(files.empty()) << "no exchange files to check";
    const char* verboseEnv = std::getenv("STRACOL_LAYOUT_VERBOSE");
    const bool verbose = verboseEnv && std::string(verboseEnv) == "1";

    int pages = 0;
    int faultyPages = 0;
    long findings = 0;
    std::map<std::string, int> byKind;
    std::map<int, int> byColumn;
    std::string report;
    double worstDrift = 0;
    std::string worstDriftFile;
    for (const std::string& file : files) {
        FileFindings f;
        std::string error;
        if (!CheckFile(file, f, error, realFonts)) continue;  // files that do not load are the readers' tests
        pages += f.pages;
        if (f.worstDriftM > worstDrift) {
            worstDrift = f.worstDriftM;
            worstDriftFile = std::filesystem::path(file).filename().string();
        }
        // A text carried on below the end of the log is on no page at all: it is lost.
        if (f.pastLogEndM > 1e-6) {
            std::ostringstream line;
            line << "last page: a text runs " << f.pastLogEndM << " m below the end of the log";
            f.lines.push_back(line.str());
            ++f.byKind["below the end of the log"];
        }
        std::map<std::string, bool> pagesWithFaults;
        for (const std::string& line : f.lines) pagesWithFaults[line.substr(0, line.find(':'))] = true;
        faultyPages += static_cast<int>(pagesWithFaults.size());
        findings += static_cast<long>(f.lines.size());
        for (const auto& [kind, n] : f.byKind) byKind[kind] += n;
        const std::size_t shown = verbose ? f.lines.size() : std::min<std::size_t>(f.lines.size(), 5);
        for (std::size_t i = 0; i < shown; ++i)
            report += std::filesystem::path(file).filename().string() + " " + f.lines[i] + "\n";
        if (shown < f.lines.size())
            report += "  … and " + std::to_string(f.lines.size() - shown) + " more in this file\n";
    }
    std::string summary = std::to_string(findings) + " findings on " + std::to_string(faultyPages) + " of " +
                          std::to_string(pages) + " pages of " + std::to_string(files.size()) + " files;";
    for (const auto& [kind, n] : byKind) summary += " " + kind + " " + std::to_string(n) + ";";
    std::cout << "layout check: " << summary << "\n";
    std::cout << "worst run-on of a text below its cell: " << worstDrift << " m (" << worstDriftFile << ")\n";
    if (verbose) std::cout << report;
    EXPECT_EQ(findings, 0) << summary << "\n" << report;
}

TEST(LayoutCheck, EveryPageOfTheCorpusKeepsItsTextsApartAndInsideTheirCells) { CheckEveryPage(false); }

// The same with the fonts the pages are drawn with, measured at the check's resolution.
TEST(LayoutCheck, EveryPageKeepsItsTextsApartWithTheRealFonts) { CheckEveryPage(true); }

}  // namespace
