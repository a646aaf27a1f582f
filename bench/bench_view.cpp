// CPU time of the log view on screen: turning between two pages of an 80 m log in the main
// window (offscreen platform), the same with the drawn pages dropped before each turn (as
// after a change of the data), and scrolling the view by one line. Each iteration turns (or
// scrolls) once and repaints the view synchronously; the reported CPU time is per turn
// (median of the repetitions).

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/CMainFrame.h"
#include "gui/Startup.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QScrollBar>

#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>

using namespace stracol;

namespace {

// The 80 m exchange file of the desktop program's tests: three A3 pages.
const std::string kFile = std::string(STRACOL_SOURCE_DIR) + "/tests/data/v300/fukui_18000149251500001_BED0001.XML";

// A window with the file open, over an install folder of its own.
struct Window {
    core::RecordingMessages messages;
    app::Workspace w;
    std::unique_ptr<gui::CMainFrame> frame;

    Window() {
        std::string tmpl = (std::filesystem::temp_directory_path() / "stracol-bench-XXXXXX").string();
        if (!::mkdtemp(tmpl.data())) std::abort();
        w.folder = app::InstallFolder(tmpl);
        gui::FrameOptions options;
        options.painter = gui::StandardLogPainter();
        options.screen = QRect(0, 0, 1600, 1200);
        frame = gui::StartMainFrame(w, messages, QString::fromStdString(kFile), std::move(options));
        if (frame) {
            frame->show();
            QApplication::processEvents();
        }
    }
};

// Paints the view now, as an expose of the window would.
void Repaint(gui::CSkView& view) {
    view.viewport()->repaint();
    QApplication::processEvents();
}

Window& TheWindow() {
    static Window window;
    return window;
}

void PageTurn(benchmark::State& state) {
    Window& win = TheWindow();
    if (!win.frame || win.frame->View().PageCount() < 2) {
        state.SkipWithError("the log did not open with two pages");
        return;
    }
    gui::CSkView& view = win.frame->View();
    bool forward = true;
    for (auto _ : state) {
        if (forward) view.NextPage();
        else view.PreviousPage();
        forward = !forward;
        Repaint(view);
    }
}
BENCHMARK(PageTurn)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void PageTurnAfterDataChange(benchmark::State& state) {
    Window& win = TheWindow();
    if (!win.frame || win.frame->View().PageCount() < 2) {
        state.SkipWithError("the log did not open with two pages");
        return;
    }
    gui::CSkView& view = win.frame->View();
    bool forward = true;
    for (auto _ : state) {
        view.RepaintAll();
        if (forward) view.NextPage();
        else view.PreviousPage();
        forward = !forward;
        Repaint(view);
    }
}
BENCHMARK(PageTurnAfterDataChange)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

void ScrollByLine(benchmark::State& state) {
    Window& win = TheWindow();
    if (!win.frame) {
        state.SkipWithError("the log did not open");
        return;
    }
    gui::CSkView& view = win.frame->View();
    QScrollBar* bar = view.verticalScrollBar();
    bool down = true;
    for (auto _ : state) {
        bar->setValue(bar->value() + (down ? bar->singleStep() : -bar->singleStep()));
        down = !down;
        Repaint(view);
    }
}
BENCHMARK(ScrollByLine)->Repetitions(7)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
