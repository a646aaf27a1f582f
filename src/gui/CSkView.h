#pragma once
// The log view: a scrolling view that paints the current page of the log at the screen's
// resolution (at the device pixel ratio on high-density screens), turns pages with Page
// Up/Down and the arrow keys, and zooms the view (Ctrl + wheel, Ctrl +/−, fit to width)
// without changing the log's geometry. Scroll sizes follow the depth per page.

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>
#include <optional>

#include "gui/DeferredMessages.h"
#include "gui/LogPage.h"
#include "render/FontResolver.h"
#include "render/PageGeometry.h"

namespace stracol::app { struct Workspace; }

namespace stracol::gui {

class CSkView : public QAbstractScrollArea {
public:
    CSkView(app::Workspace& workspace, core::Messages& messages, PagePainter painter, QWidget* parent = nullptr);

    // The paper the printer reports, asked on every update; nothing keeps the 280 × 280 mm
    // defaults (no printer).
    using PaperSource = std::function<std::optional<std::pair<int, int>>()>;
    void SetPaperSource(PaperSource source) { m_paperSource = std::move(source); }
    // The width of the screen the main window was sized on, for the scroll width rule
    // (0: the view's own screen).
    void SetScreenWidthPx(int widthPx) { m_screenWidthPx = widthPx; }
    // Called after every change of the page shown or the zoom (the status bar).
    void SetPageChanged(std::function<void()> changed) { m_pageChanged = std::move(changed); }

    // Before the first paint: settings, the printer's paper (which sets up the paging when
    // the settings leave the depth per page at 0), the title height, the start-up style when
    // the style is still empty; then the first update. Nothing is drawn before it.
    void OnInitialUpdate();
    // A document update (a file opened, a new document, the style changed): page 1 from
    // the top, the printer's paper asked again, scroll sizes set, repainted.
    void OnUpdate();
    bool InitialUpdateDone() const { return m_initialUpdated; }

    // Page commands; each repaints when the page changed.
    void NextPage();        // 4041
    void PreviousPage();    // 4040
    int CurrentPage() const;
    int PageCount() const;

    // Zoom of the view only: 1.0 shows the log at the screen's resolution.
    double Zoom() const { return m_zoom; }
    void SetZoom(double zoom);
    void ZoomIn();
    void ZoomOut();
    void ZoomToFitWidth();
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 4.0;

    // The scroll sizes of the page state, in pixels of a 96-dpi screen, before zoom.
    const render::ScrollSizes& ScrollSizes() const { return m_sizes; }
    // The whole drawable area at the current zoom, in logical pixels.
    QSize ContentSize() const;

    // Repaints the whole view (after a confirmed dialog, after printing).
    void RepaintAll();
    // The page as the screen shows it, drawn at the given zoom into an image of the whole
    // scroll area (device pixel ratio 1).
    QImage RenderPageImage(double zoom = 1.0);

    render::FontResolver& Fonts() { return m_fonts; }
    // Messages raised by the paint, shown after it.
    DeferredMessages& PaintMessages() { return m_paintMessages; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    int ScreenWidthPx() const;
    int ScreenDpi() const;
    void UpdateScrollBars();
    void PageChanged();
    void PaintInto(QImage& image, double deviceScale, QPoint offsetDevice);
    void FlushPaintMessages();

    app::Workspace& m_workspace;
    core::Messages& m_messages;
    PagePainter m_painter;
    DeferredMessages m_paintMessages;
    render::FontResolver m_fonts;
    PaperSource m_paperSource;
    std::function<void()> m_pageChanged;
    render::ScrollSizes m_sizes;
    double m_zoom = 1.0;
    bool m_initialUpdated = false;
    bool m_flushQueued = false;
    int m_screenWidthPx = 0;
};

}  // namespace stracol::gui
