#pragma once
// What the fuzz targets share: a headless Qt for the targets that draw or decode images, the
// lines of file bytes as the program's line readers give them, and a workspace with the
// built-in settings and one small real log to draw with.

#include <QGuiApplication>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "app/Workspace.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "render/LogPainter.h"
#include "render/Output.h"
#include "render/RecordingSurface.h"

namespace stracol::fuzz {

// One QGuiApplication for the whole run, on the offscreen platform.
inline void StartHeadlessQt() {
    static int argc = 1;
    static char name[] = "stracol-fuzz";
    static char* argv[] = {name, nullptr};
    ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

inline std::string_view BytesOf(const std::uint8_t* data, std::size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// The lines of CP932 file bytes, each cut to maxLineBytes CP932 bytes (0: whole), as
// core::ReadCp932Lines gives them for a file.
inline std::vector<std::string> Cp932LinesOf(std::string_view bytes, std::size_t maxLineBytes) {
    const std::string text = core::Cp932ToUtf8(bytes);
    std::vector<std::string> lines;
    for (std::string_view line : core::SplitLineViews(text))
        lines.push_back(maxLineBytes > 0 ? core::Cp932Truncate(line, maxLineBytes) : std::string(line));
    return lines;
}

// A workspace with the built-in settings, fonts, form and masters (an empty install folder)
// holding a small real log (the file named by STRACOL_FUZZ_SAMPLE), loaded once. The targets
// that draw copy it and change what they read.
inline const app::Workspace& SampleWorkspace() {
    static const app::Workspace* workspace = [] {
        StartHeadlessQt();
        auto* w = new app::Workspace;
        char home[] = "/tmp/stracol-fuzz-home-XXXXXX";
        w->folder = app::InstallFolder(::mkdtemp(home) ? home : "/tmp");
        core::RecordingMessages messages;
        app::LoadWorkspaceSettings(*w, messages);
        app::SetWorkspacePaper(*w, 297, 420);
        borehole::OpenOptions options;
        options.rememberFolder = false;
        options.writeReformatFile = false;
        app::OpenIntoWorkspace(*w, STRACOL_FUZZ_SAMPLE, messages, options);
        return w;
    }();
    return *workspace;
}

// A recording surface that keeps the texts it is given (the layout measures and places them)
// but lets every line and shape go: a page of soil patterns is tens of thousands of lines,
// and keeping them would cost most of a drawing target's time without reaching more code.
class ShapeDiscardingSurface final : public render::RecordingSurface {
public:
    using RecordingSurface::RecordingSurface;
    void Line(int, int, int, int) override {}
    void Rectangle(const render::Rect&) override {}
    void Ellipse(const render::Rect&) override {}
    void Arc(const render::Rect&, render::Point, render::Point) override {}
    void Polygon(const std::vector<render::Point>&) override {}
    void FillPolygonArea(const std::vector<render::Point>&, render::Colour) override {}
};

// Draws one page of the workspace's log at 96 dpi.
inline void PaintPage(app::Workspace& w, int page) {
    core::RecordingMessages messages;
    render::LogSources sources{w.geometry, w.settings,  w.fonts,  w.style,   w.titleForm,   w.record,
                               w.patternColours, &messages, w.folder.PatternFolder(), w.documentPath, w.footer,
                               w.freeArticles, &w.bitmapNames, w.heading};
    ShapeDiscardingSurface surface(96, 96);
    render::LogContext ctx = render::LogContextFor(sources, surface);
    render::PrintPages(w.geometry, {page}, [&](int) { render::PaintLog(ctx); });
}

}  // namespace stracol::fuzz
