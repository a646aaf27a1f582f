// Drawing time of one page of a real exchange file (the example's corpus file, A3 portrait):
// into a PDF at the PDF writer's resolution (1200 dpi) and into a PNG image at 96 dpi. Each
// iteration draws and writes one page; the reported time is per page (median of the
// repetitions).

#include "app/Workspace.h"
#include "core/Messages.h"
#include "render/FontResolver.h"
#include "render/Output.h"
#include "render/QPainterSurface.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

using namespace stracol;

namespace {

const std::string& Folder() {
    static const std::string folder = [] {
        std::string tmpl = (std::filesystem::temp_directory_path() / "stracol-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        return tmpl;
    }();
    return folder;
}

// One session with an exchange file loaded, on default settings.
struct Session {
    core::RecordingMessages messages;
    app::Workspace w;
    render::FontResolver fonts;
    bool loaded = false;

    explicit Session(const std::string& path = std::string(STRACOL_TEST_DATA_DIR) +
                                               "/v300/fukui_18000230751201304_BED0001.XML") {
        w.folder = app::InstallFolder(Folder());
        app::LoadWorkspaceSettings(w, messages);
        w.geometry.titleHeight = 11.0;
        app::SetWorkspacePaper(w, 297, 420);
        borehole::OpenOptions options;
        options.rememberFolder = false;
        loaded = std::filesystem::is_regular_file(path) && app::OpenIntoWorkspace(w, path, messages, options).loaded;
    }
    render::LogSources Sources() {
        return render::LogSources{w.geometry, w.settings, w.fonts,  w.style, w.titleForm, w.record, w.patternColours,
                                  &messages,  w.folder.PatternFolder(), w.documentPath, w.footer, w.freeArticles, &w.bitmapNames, w.heading};
    }
};

Session& TheSession() {
    static Session session;
    return session;
}

void BM_PageToPdf1200dpi(benchmark::State& state) {
    Session& s = TheSession();
    if (!s.loaded) {
        state.SkipWithError("corpus file absent");
        return;
    }
    const std::string path = Folder() + "/page.pdf";
    for (auto _ : state) {
        render::OutputResult r = render::WritePdf(s.Sources(), s.fonts, path, {1}, 297, 420);
        if (!r.ok) state.SkipWithError(r.error.c_str());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageToPdf1200dpi)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// The heavily patterned rock log of the corpus (a 4-page log, patterns in every layer and
// long articles): every page into one PDF; the time reported is per page.
Session& RockSession() {
    static Session session(std::string(STRACOL_CORPUS_DIR) + "/v300/fukui_18000231451203801_BED0004.XML");
    return session;
}

void BM_PatternedRockLogToPdfPerPage(benchmark::State& state) {
    Session& s = RockSession();
    if (!s.loaded) {
        state.SkipWithError("corpus file absent");
        return;
    }
    const std::string path = Folder() + "/rock.pdf";
    int pages = 0;
    double seconds = 0;
    for (auto _ : state) {
        const auto t0 = std::chrono::steady_clock::now();
        render::OutputResult r = render::WritePdf(s.Sources(), s.fonts, path, {}, 297, 420);
        seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        if (!r.ok) state.SkipWithError(r.error.c_str());
        pages = r.pages;
    }
    state.counters["pages"] = pages;
    if (pages > 0) state.counters["ms_per_page"] = 1000.0 * seconds / (static_cast<double>(state.iterations()) * pages);
    state.SetItemsProcessed(state.iterations() * pages);
}
BENCHMARK(BM_PatternedRockLogToPdfPerPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PageToPng96dpi(benchmark::State& state) {
    Session& s = TheSession();
    if (!s.loaded) {
        state.SkipWithError("corpus file absent");
        return;
    }
    const std::string path = Folder() + "/page.png";
    for (auto _ : state) {
        render::OutputResult r = render::WritePng(s.Sources(), s.fonts, path, {1}, 297, 420, 96);
        if (!r.ok) state.SkipWithError(r.error.c_str());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PageToPng96dpi)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// Drawing alone, without encoding a file: one page into a 96-dpi image in memory.
void BM_PagePaintOnly96dpi(benchmark::State& state) {
    Session& s = TheSession();
    if (!s.loaded) {
        state.SkipWithError("corpus file absent");
        return;
    }
    QImage image;
    for (auto _ : state) {
        render::RenderPageImage(s.Sources(), s.fonts, 1, 297, 420, 96, image);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_PagePaintOnly96dpi)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

// A text far wider than its clip on a vector page (a hostile 30,000-character name in a
// column): the characters the clip hides are found by measuring each character once, so the
// time grows with the text's length, not with its square. Argument: the text's length.
void BM_LongClippedTextOnAVectorPage(benchmark::State& state) {
    const std::string text = [&] {
        std::string t;
        for (long i = 0; i < state.range(0); ++i) t += static_cast<char>('A' + i % 26);
        return t;
    }();
    render::FontResolver fonts;
    for (auto _ : state) {
        QPicture picture;
        QPainter painter(&picture);
        render::QPainterSurface surface(painter, fonts, 1200, 1200);
        surface.SetClipRect(render::Rect{0, 0, 400, 200});
        surface.TextOut(10, 100, text);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LongClippedTextOnAVectorPage)->Arg(1000)->Arg(10000)->Arg(30000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

int main(int argc, char** argv) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    int qtArgc = 1;
    char name[] = "bench_render";
    char* qtArgv[] = {name, nullptr};
    QGuiApplication app(qtArgc, qtArgv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(Folder());
    return 0;
}
