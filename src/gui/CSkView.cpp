#include "gui/CSkView.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "style/StyleApplication.h"

namespace stracol::gui {

namespace {

// The scroll sizes are stated for a 96-dpi screen.
constexpr double kScrollSizeDpi = 96.0;
constexpr double kZoomStep = 1.25;

}  // namespace

CSkView::CSkView(app::Workspace& workspace, core::Messages& messages, PagePainter painter, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_workspace(workspace),
      m_messages(messages),
      m_painter(std::move(painter)),
      m_paintMessages(messages),
      m_fonts(&m_paintMessages) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setAutoFillBackground(false);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    m_sizes = render::ComputeScrollSizes(m_workspace.geometry.depthPerPage, ScreenWidthPx());
}

int CSkView::ScreenWidthPx() const {
    if (m_screenWidthPx > 0) return m_screenWidthPx;
    const QScreen* s = screen();
    if (!s) s = QGuiApplication::primaryScreen();
    return s ? s->geometry().width() : 0;
}

int CSkView::ScreenDpi() const {
    const int dpi = viewport()->logicalDpiX();
    return dpi > 0 ? dpi : static_cast<int>(kScrollSizeDpi);
}

void CSkView::OnInitialUpdate() {
    app::Workspace& w = m_workspace;
    app::LoadWorkspaceSettings(w, m_messages);
    if (w.style.HasNoItems()) style::ApplyStartupStyle(w.style, w.folder.Path(), m_messages);
    m_initialUpdated = true;
    OnUpdate();
}

void CSkView::OnUpdate() {
    if (!m_initialUpdated) return;  // the first update comes with OnInitialUpdate
    app::Workspace& w = m_workspace;
    // The title height of the title-block form (TitleTotal, cm = m at 1/100).
    const double titleTotal = w.titleForm.Number(style::TitleForm::TitleTotal);
    if (titleTotal > 0) w.geometry.titleHeight = titleTotal;
    // The printer's paper; without a printer the 280 × 280 mm defaults stand. Either way the
    // paging is set up from it when the depth per page is still 0.
    std::pair<int, int> paper{render::kDefaultPaperMm, render::kDefaultPaperMm};
    if (m_paperSource) {
        if (auto asked = m_paperSource()) paper = *asked;
    }
    app::SetWorkspacePaper(w, paper.first, paper.second);
    render::ResetForDocument(w.geometry);
    w.geometry.maxDepth = render::MaxDepthOf(w.record);
    m_sizes = render::UpdateScrollSizes(w.geometry, ScreenWidthPx());
    UpdateScrollBars();
    PageChanged();
}

int CSkView::CurrentPage() const {
    return m_workspace.geometry.currentPage;
}

int CSkView::PageCount() const {
    return render::PageCount(m_workspace.geometry);
}

void CSkView::NextPage() {
    if (render::NextPage(m_workspace.geometry)) PageChanged();
}

void CSkView::PreviousPage() {
    if (render::PreviousPage(m_workspace.geometry)) PageChanged();
}

void CSkView::PageChanged() {
    viewport()->update();
    if (m_pageChanged) m_pageChanged();
}

void CSkView::RepaintAll() {
    PageChanged();
}

QSize CSkView::ContentSize() const {
    const double scale = m_zoom * ScreenDpi() / kScrollSizeDpi;
    return {static_cast<int>(m_sizes.widthPx * scale), static_cast<int>(m_sizes.heightPx * scale)};
}

void CSkView::UpdateScrollBars() {
    const QSize content = ContentSize();
    const QSize port = viewport()->size();
    const double scale = m_zoom * ScreenDpi() / kScrollSizeDpi;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    h->setRange(0, std::max(0, content.width() - port.width()));
    v->setRange(0, std::max(0, content.height() - port.height()));
    h->setPageStep(std::max(1, static_cast<int>(m_sizes.pageStepX * scale)));
    v->setPageStep(std::max(1, static_cast<int>(m_sizes.pageStepY * scale)));
    h->setSingleStep(std::max(1, static_cast<int>(m_sizes.lineStepX * scale)));
    v->setSingleStep(std::max(1, static_cast<int>(m_sizes.lineStepY * scale)));
}

void CSkView::SetZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (std::abs(zoom - m_zoom) < 1e-9) return;
    m_zoom = zoom;
    UpdateScrollBars();
    PageChanged();
}

void CSkView::ZoomIn() {
    SetZoom(m_zoom * kZoomStep);
}

void CSkView::ZoomOut() {
    SetZoom(m_zoom / kZoomStep);
}

void CSkView::ZoomToFitWidth() {
    const double widthAtOne = m_sizes.widthPx * ScreenDpi() / kScrollSizeDpi;
    if (widthAtOne <= 0) return;
    // The vertical scroll bar takes its share of the width.
    int available = viewport()->width();
    if (!verticalScrollBar()->isVisible()) available -= verticalScrollBar()->sizeHint().width();
    SetZoom(std::max(1, available) / widthAtOne);
}

void CSkView::PaintInto(QImage& image, double deviceScale, QPoint offsetDevice) {
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.translate(-offsetDevice);
    const int dpi = std::max(1, static_cast<int>(std::lround(ScreenDpi() * deviceScale)));
    PaintLogPage(painter, dpi, dpi, m_workspace, m_fonts, &m_paintMessages, m_painter);
}

QImage CSkView::RenderPageImage(double zoom) {
    const double scale = zoom * ScreenDpi() / kScrollSizeDpi;
    QImage image(std::max(1, static_cast<int>(m_sizes.widthPx * scale)),
                 std::max(1, static_cast<int>(m_sizes.heightPx * scale)), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (m_initialUpdated) PaintInto(image, zoom, QPoint(0, 0));
    FlushPaintMessages();
    return image;
}

void CSkView::paintEvent(QPaintEvent*) {
    QPainter screen(viewport());
    const double dpr = viewport()->devicePixelRatioF();
    // Drawn in device pixels, so that lines and text are sharp on high-density screens.
    QImage page(std::max(1, static_cast<int>(std::ceil(viewport()->width() * dpr))),
                std::max(1, static_cast<int>(std::ceil(viewport()->height() * dpr))), QImage::Format_RGB32);
    page.fill(Qt::white);
    if (m_initialUpdated) {
        const QPoint offset(static_cast<int>(std::lround(horizontalScrollBar()->value() * dpr)),
                            static_cast<int>(std::lround(verticalScrollBar()->value() * dpr)));
        PaintInto(page, m_zoom * dpr, offset);
    }
    page.setDevicePixelRatio(dpr);
    screen.drawImage(QPoint(0, 0), page);
    FlushPaintMessages();
}

void CSkView::FlushPaintMessages() {
    if (!m_paintMessages.HasPending() || m_flushQueued) return;
    m_flushQueued = true;
    QTimer::singleShot(0, this, [this] {
        m_flushQueued = false;
        m_paintMessages.Flush();
    });
}

void CSkView::keyPressEvent(QKeyEvent* event) {
    render::PageGeometry& g = m_workspace.geometry;
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        render::ResetRunawayPage(g);
        if (render::NextPage(g)) PageChanged();
        event->accept();
        return;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
        render::ResetRunawayPage(g);
        if (render::PageUpKey(g)) PageChanged();
        event->accept();
        return;
    default:
        QAbstractScrollArea::keyPressEvent(event);
    }
}

void CSkView::wheelEvent(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) {
        QAbstractScrollArea::wheelEvent(event);
        return;
    }
    const int steps = event->angleDelta().y();
    if (steps == 0) return;
    // Keep the point under the pointer where it is.
    const QPointF at = event->position();
    const double before = m_zoom;
    const QPointF content(horizontalScrollBar()->value() + at.x(), verticalScrollBar()->value() + at.y());
    SetZoom(steps > 0 ? m_zoom * kZoomStep : m_zoom / kZoomStep);
    const double ratio = m_zoom / before;
    horizontalScrollBar()->setValue(static_cast<int>(content.x() * ratio - at.x()));
    verticalScrollBar()->setValue(static_cast<int>(content.y() * ratio - at.y()));
    event->accept();
}

void CSkView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

void CSkView::scrollContentsBy(int, int) {
    viewport()->update();
}

}  // namespace stracol::gui
