#pragma once
// The log view: the pages of the log one below the other on a grey desk, each the size of
// the log's paper, scrolled continuously (the wheel moves on into the next page). Page
// Up/Down and the arrow keys turn to the previous or next page top and stop at the first
// and the last page; Space and Shift+Space scroll by a screen; Home/End go to the top and
// the bottom of the page, Ctrl+Home/Ctrl+End to the first and the last page. The zoom
// (Ctrl + wheel, Ctrl +/−, a percentage, fit width, fit page) changes the view only, never
// the log. Each page is drawn once at the current zoom and kept until the page's content,
// the zoom or the data change, so turning back to a page or scrolling costs no new paint.

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>
#include <list>
#include <map>
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

    // The paper the log is paginated for (the program's printer), asked on every update;
    // nothing keeps the 280 × 280 mm defaults.
    using PaperSource = std::function<std::optional<std::pair<int, int>>()>;
    void SetPaperSource(PaperSource source) { m_paperSource = std::move(source); }
    // The width of the screen the main window was sized on, for the scroll width rule
    // (0: the view's own screen).
    void SetScreenWidthPx(int widthPx) { m_screenWidthPx = widthPx; }
    // Called after every change of the page shown, the page count or the zoom.
    void SetPageChanged(std::function<void()> changed) { m_pageChanged = std::move(changed); }

    // Before the first paint: settings, the paper (which sets up the paging when the
    // settings leave the depth per page at 0), the title height, the start-up style when
    // the style is still empty; then the first update. Nothing is drawn before it.
    void OnInitialUpdate();
    // A document update (a file opened, a new document, the style changed, another paper):
    // the paper asked again, page 1 from the top, the drawn pages dropped, repainted.
    void OnUpdate();
    bool InitialUpdateDone() const { return m_initialUpdated; }

    // Page commands: the top of the next or previous page; false when there is none.
    bool NextPage();        // 4041
    bool PreviousPage();    // 4040
    // The top of a page (clamped to 1 … PageCount).
    void GoToPage(int page);
    int CurrentPage() const;
    int PageCount() const;

    // Zoom of the view only: 1.0 shows the log at the screen's resolution. Fit width and
    // fit page are kept through window resizes until another zoom is chosen.
    enum class ZoomMode { Fixed, FitWidth, FitPage };
    double Zoom() const { return m_zoom; }
    ZoomMode Mode() const { return m_mode; }
    void SetZoom(double zoom);          // a fixed zoom
    void SetZoomMode(ZoomMode mode);    // FitWidth or FitPage (Fixed keeps the zoom)
    void ZoomIn();
    void ZoomOut();
    void ZoomToFitWidth() { SetZoomMode(ZoomMode::FitWidth); }
    void ZoomToFitPage() { SetZoomMode(ZoomMode::FitPage); }
    static constexpr double kMinZoom = 0.25;
    static constexpr double kMaxZoom = 4.0;

    // The scroll sizes of the page state, in pixels of a 96-dpi screen, before zoom (the
    // column renderers take the frame width from them).
    const render::ScrollSizes& ScrollSizes() const { return m_sizes; }
    // One page (the paper) at the current zoom, in logical pixels.
    QSize PageSize() const;
    // Where a page lies in the scrolled content, in logical pixels.
    QRect PageRect(int page) const;
    // Grey desk around the pages and between them, in logical pixels.
    static constexpr int kDeskMarginPx = 12;

    // Drops the drawn pages and repaints the whole view (after a confirmed dialog).
    void RepaintAll();
    // Repaints from the drawn pages (after printing, which leaves the log as it was).
    void Refresh();
    // The current page as the screen shows it, drawn at the given zoom (device pixel ratio 1).
    QImage RenderPageImage(double zoom = 1.0);
    // Pages drawn and kept for the current zoom.
    int KeptPages() const { return static_cast<int>(m_kept.size()); }

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
    struct KeptPage {
        QImage image;
        std::list<int>::iterator age;
    };

    int ScreenWidthPx() const;
    int ScreenDpi() const;
    QSize PageSizeAt(double zoom) const;
    QSize DeskSize() const;
    int PageLeft() const;
    void UpdateScrollBars();
    void ApplyFitZoom();
    void ChangeZoom(double zoom);
    void SetCurrentPage(int page);
    void CurrentPageFromScroll();
    void ScrollTo(int y);
    void PageChanged();
    void DropKeptPages();
    const QImage& PageImage(int page, double deviceScale);
    void DrawPage(QImage& image, int page, double deviceScale, QPointF offsetDevice = {});
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
    ZoomMode m_mode = ZoomMode::Fixed;
    bool m_initialUpdated = false;
    bool m_flushQueued = false;
    bool m_navigating = false;
    int m_screenWidthPx = 0;
    // The drawn pages at m_keptScale (zoom × device pixel ratio), the most recently used last.
    std::map<int, KeptPage> m_kept;
    std::list<int> m_keptAge;
    double m_keptScale = 0;
    qint64 m_keptBytes = 0;
};

}  // namespace stracol::gui
