#pragma once
// What the widget tests share: a QApplication for the whole test program (offscreen), an
// install folder of their own, and a paint routine that records what it was asked to draw.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QSettings>

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "gui/CMainFrame.h"
#include "gui/Startup.h"
#include "render/LogContext.h"
#include "render/LogPainter.h"
#include "render/RecordingSurface.h"
#include "render/PageGeometry.h"
#include "render/Surface.h"
#include "support/TempDir.h"
#include "support/TestData.h"

namespace stracol::testing {

class WidgetEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (!QApplication::instance()) {
            static int argc = 1;
            static char name[] = "stracol-gui-test";
            static char* argv[] = {name, nullptr};
            m_app = new QApplication(argc, argv);
        }
    }
    void TearDown() override {
        delete m_app;
        m_app = nullptr;
    }

private:
    QApplication* m_app = nullptr;
};

// One call of the paint routine: the page it drew and how.
struct PaintCall {
    int page = 0;
    bool printing = false;
    double pageStartM = 0;
    int dpi = 0;
    int xAt100Mm = 0;       // device x of 100 mm of style width
};

// Records every paint and draws a frame with the page number, so output is not blank.
class PaintRecorder {
public:
    gui::PagePainter Painter() {
        return [this](render::LogContext& ctx) {
            PaintCall call;
            call.page = ctx.geometry.currentPage;
            call.printing = ctx.geometry.printing;
            call.pageStartM = render::FixPageStart(ctx.geometry);
            call.dpi = ctx.surface.DpiX();
            call.xAt100Mm = render::MmToX(ctx.geometry, 100);
            calls.push_back(call);
            ctx.surface.SelectPen(render::Pen{});
            const int left = render::MmToX(ctx.geometry, 0);
            const int right = render::MmToX(ctx.geometry, 150);
            ctx.surface.Line(left, left, right, right);
            ctx.surface.Line(left, right, right, left);
        };
    }
    std::vector<PaintCall> PrintedCalls() const {
        std::vector<PaintCall> printed;
        for (const auto& call : calls)
            if (call.printing) printed.push_back(call);
        return printed;
    }
    std::vector<PaintCall> calls;
};

// Driving dialogs as the user would.

// Runs act on the next modal dialog of type D once it is open (it must close the dialog).
template <class D>
void OnDialog(std::function<void(D&)> act) {
    auto attempt = std::make_shared<std::function<void(int)>>();
    *attempt = [act, attempt](int left) {
        if (auto* dialog = dynamic_cast<D*>(QApplication::activeModalWidget())) {
            act(*dialog);
            return;
        }
        if (left > 0) QTimer::singleShot(10, [attempt, left] { (*attempt)(left - 1); });
    };
    QTimer::singleShot(0, [attempt] { (*attempt)(500); });
}

template <class W>
W* Child(QWidget& parent, const char* name) {
    W* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

void Click(QWidget& dialog, const char* button) {
    if (auto* b = Child<QPushButton>(dialog, button)) b->click();
}

// Types into an edit as the user would (Japanese text arrives whole, as from an input method).
void Type(QLineEdit* edit, const QString& text) {
    edit->selectAll();
    QTest::keyClick(edit, Qt::Key_Delete);
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 0x80;
    if (ascii) {
        QTest::keyClicks(edit, text);
    } else {
        edit->insert(text);
        Q_EMIT edit->textEdited(edit->text());
    }
}

// The texts of one painted page.
struct PaintedPage {
    int page = 0;
    bool printing = false;
    std::vector<render::RecordedOperation> operations;
    std::vector<std::string> Texts() const {
        std::vector<std::string> texts;
        for (const auto& op : operations)
            if (op.kind == render::OperationKind::Text || op.kind == render::OperationKind::TextBox)
                texts.push_back(op.text);
        return texts;
    }
    bool HasText(const std::string& text) const {
        for (const auto& t : Texts())
            if (t == text) return true;
        return false;
    }
    bool HasTextContaining(const std::string& part) const {
        for (const auto& t : Texts())
            if (t.find(part) != std::string::npos) return true;
        return false;
    }
};

// The program's log painter on a recording surface of the window's resolution, with the
// context the window made for the page.
struct PageRecorder {
    std::vector<PaintedPage> pages;
    gui::PagePainter Painter() {
        return [this](render::LogContext& ctx) {
            render::RecordingSurface recording(ctx.surface.DpiX(), ctx.surface.DpiY());
            render::LogContext copy{recording,        ctx.geometry,      ctx.settings,      ctx.fonts,
                                    ctx.style,        ctx.titleForm,     ctx.record,        ctx.patternColours,
                                    ctx.messages,     ctx.patternFolder, ctx.documentPath,  ctx.footer,
                                    ctx.freeArticles, {},                0,                 0,
                                    0,                0,                 0,                 ctx.bitmapNames,
                                    ctx.heading};
            render::PaintLog(copy);
            pages.push_back({ctx.geometry.currentPage, ctx.geometry.printing, std::move(recording.operations)});
        };
    }
    const PaintedPage& Last() const { return pages.back(); }
};

// An 80 m exchange file of the test data: a log of three A3 pages.
inline std::string DeepLogFile() { return TestDataFile("v300/fukui_18000149251500001_BED0001.XML"); }

// A window over its own workspace, install folder and recent-file store.
struct FrameRig {
    TempDir home;
    app::Workspace workspace;
    core::RecordingMessages messages;
    PaintRecorder recorder;
    std::unique_ptr<QSettings> recentStore;

    FrameRig() {
        workspace.folder = app::InstallFolder(home.Path());
        recentStore = std::make_unique<QSettings>(QString::fromStdString(home.File("recent.ini")), QSettings::IniFormat);
    }

    gui::FrameOptions Options(gui::PagePainter painter = {}) {
        gui::FrameOptions options;
        options.painter = painter ? std::move(painter) : recorder.Painter();
        options.recentStore = recentStore.get();
        options.screen = QRect(0, 0, 1280, 1024);
        return options;
    }

    std::unique_ptr<gui::CMainFrame> Start(const std::string& file, gui::PagePainter painter = {}) {
        return gui::StartMainFrame(workspace, messages, QString::fromStdString(file), Options(std::move(painter)));
    }
};

}  // namespace stracol::testing
