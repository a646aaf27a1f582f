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
#include "gui/PrintRoad.h"
#include "style/StyleApplication.h"

namespace stracol::gui {

namespace {

// The scroll sizes are stated for a 96-dpi screen.
constexpr double kScrollSizeDpi = 96.0;
constexpr double kZoomStep = 1.25;
// Memory for the drawn pages (an A3 page at 100 % on a 96-dpi screen takes about 7 MB); a
// page that alone would take more than half of it is drawn for the visible part only.
constexpr qint64 kKeptBytes = qint64{192} << 20;

const QColor kDesk(0x80, 0x80, 0x80);
const QColor kPageEdge(0x40, 0x40, 0x40);

}  // namespace

CSkView::CSkView(app::Workspace& workspace, core::Messages& messages, PagePainter painter, QWidget* parent)
    : QAbstractScrollArea(parent),
      m_workspace(workspace),
      m_messages(messages),
      m_painter(std::move(painter)),
      m_paintMessages(messages),
      m_fonts(&m_paintMessages) {
    setFocusPolicy(Qt::StrongFocus);
    // Always there, so that fitting the width never makes the bar come and go.
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
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
    // A new document empties the style; it gets the start-up style as at the start, so that
    // the empty form is the same.
    if (w.style.HasNoItems()) style::ApplyStartupStyle(w.style, w.folder.Path(), m_messages);
    // The title height of the title-block form (TitleTotal, cm = m at 1/100).
    const double titleTotal = w.titleForm.Number(style::TitleForm::TitleTotal);
    if (titleTotal > 0) w.geometry.titleHeight = titleTotal;
    // The log's paper; without one the 280 × 280 mm defaults stand. The paging follows it
    // when the settings leave the depth per page at 0.
    std::pair<int, int> paper{render::kDefaultPaperMm, render::kDefaultPaperMm};
    if (m_paperSource) {
        if (auto asked = m_paperSource()) paper = *asked;
    }
    PaginateForPaper(w, PaperMm{paper.first, paper.second});
    render::ResetForDocument(w.geometry);
    w.geometry.maxDepth = render::MaxDepthOf(w.record);
    m_sizes = render::UpdateScrollSizes(w.geometry, ScreenWidthPx());
    DropKeptPages();
    if (m_mode != ZoomMode::Fixed) ApplyFitZoom();
    UpdateScrollBars();
    ScrollTo(0);
    SetCurrentPage(1);
    PageChanged();
}

int CSkView::CurrentPage() const {
    return m_workspace.geometry.currentPage;
}

int CSkView::PageCount() const {
    return render::PageCount(m_workspace.geometry);
}

bool CSkView::NextPage() {
    if (m_workspace.geometry.printing || CurrentPage() >= PageCount()) return false;
    GoToPage(CurrentPage() + 1);
    return true;
}

bool CSkView::PreviousPage() {
    if (m_workspace.geometry.printing) return false;
    const int before = verticalScrollBar()->value();
    const int page = CurrentPage();
    GoToPage(page > 1 ? page - 1 : 1);
    return page > 1 || verticalScrollBar()->value() != before;
}

void CSkView::GoToPage(int page) {
    if (m_workspace.geometry.printing) return;
    page = std::clamp(page, 1, PageCount());
    ScrollTo(PageRect(page).top() - kDeskMarginPx);
    SetCurrentPage(page);
}

void CSkView::SetCurrentPage(int page) {
    render::PageGeometry& g = m_workspace.geometry;
    const int step = g.depthPerPage - g.pageOverlap;
    const double start = g.printStartDepth + static_cast<double>(std::max(0, step)) * (page - 1);
    if (g.currentPage == page && g.screenPageStart == start) return;
    g.currentPage = page;
    g.screenPageStart = start;
    if (m_pageChanged) m_pageChanged();
}

void CSkView::CurrentPageFromScroll() {
    const int pageHeight = PageSize().height();
    if (pageHeight <= 0) return;
    const int middle = verticalScrollBar()->value() + viewport()->height() / 2;
    const int page = (middle - kDeskMarginPx) / (pageHeight + kDeskMarginPx) + 1;
    SetCurrentPage(std::clamp(page, 1, PageCount()));
}

void CSkView::ScrollTo(int y) {
    m_navigating = true;
    verticalScrollBar()->setValue(y);
    m_navigating = false;
}

void CSkView::PageChanged() {
    viewport()->update();
    if (m_pageChanged) m_pageChanged();
}

void CSkView::RepaintAll() {
    DropKeptPages();
    PageChanged();
}

void CSkView::Refresh() {
    PageChanged();
}

QSize CSkView::PageSizeAt(double zoom) const {
    const render::PageGeometry& g = m_workspace.geometry;
    const double pxPerMm = ScreenDpi() / render::kMmPerInch * zoom;
    return {std::max(1, static_cast<int>(std::lround(g.paperWidthMm * pxPerMm))),
            std::max(1, static_cast<int>(std::lround(g.paperLengthMm * pxPerMm)))};
}

QSize CSkView::PageSize() const {
    return PageSizeAt(m_zoom);
}

QSize CSkView::DeskSize() const {
    const QSize page = PageSize();
    const int pages = PageCount();
    return {page.width() + 2 * kDeskMarginPx, kDeskMarginPx + pages * (page.height() + kDeskMarginPx)};
}

int CSkView::PageLeft() const {
    // Centred when the page is narrower than the view.
    return std::max(kDeskMarginPx, (viewport()->width() - PageSize().width()) / 2);
}

QRect CSkView::PageRect(int page) const {
    const QSize size = PageSize();
    return {PageLeft(), kDeskMarginPx + (page - 1) * (size.height() + kDeskMarginPx), size.width(), size.height()};
}

void CSkView::UpdateScrollBars() {
    const QSize desk = DeskSize();
    const QSize port = viewport()->size();
    const double scale = m_zoom * ScreenDpi() / kScrollSizeDpi;
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    m_navigating = true;
    h->setRange(0, std::max(0, desk.width() - port.width()));
    v->setRange(0, std::max(0, desk.height() - port.height()));
    m_navigating = false;
    h->setPageStep(std::max(1, port.width()));
    v->setPageStep(std::max(1, port.height()));
    h->setSingleStep(std::max(1, static_cast<int>(m_sizes.lineStepX * scale)));
    v->setSingleStep(std::max(1, static_cast<int>(m_sizes.lineStepY * scale)));
}

void CSkView::ChangeZoom(double zoom) {
    zoom = std::clamp(zoom, kMinZoom, kMaxZoom);
    if (std::abs(zoom - m_zoom) < 1e-9) return;
    // The current page keeps the part of it that is at the top of the view.
    const int page = CurrentPage();
    const QRect before = PageRect(page);
    const double within = before.height() > 0
                              ? static_cast<double>(verticalScrollBar()->value() - before.top()) / before.height()
                              : 0.0;
    m_zoom = zoom;
    UpdateScrollBars();
    const QRect after = PageRect(page);
    ScrollTo(after.top() + static_cast<int>(std::lround(within * after.height())));
    SetCurrentPage(page);
    PageChanged();
}

void CSkView::SetZoom(double zoom) {
    const bool wasFitted = m_mode != ZoomMode::Fixed;
    m_mode = ZoomMode::Fixed;
    ChangeZoom(zoom);
    if (wasFitted) PageChanged();
}

void CSkView::SetZoomMode(ZoomMode mode) {
    m_mode = mode;
    ApplyFitZoom();
    PageChanged();
}

void CSkView::ApplyFitZoom() {
    if (m_mode == ZoomMode::Fixed) return;
    const QSize atOne = PageSizeAt(1.0);
    const double byWidth = static_cast<double>(std::max(1, viewport()->width() - 2 * kDeskMarginPx)) / atOne.width();
    const double byHeight = static_cast<double>(std::max(1, viewport()->height() - 2 * kDeskMarginPx)) / atOne.height();
    ChangeZoom(m_mode == ZoomMode::FitWidth ? byWidth : std::min(byWidth, byHeight));
}

void CSkView::ZoomIn() {
    SetZoom(m_zoom * kZoomStep);
}

void CSkView::ZoomOut() {
    SetZoom(m_zoom / kZoomStep);
}

void CSkView::DropKeptPages() {
    m_kept.clear();
    m_keptAge.clear();
    m_keptBytes = 0;
}

void CSkView::DrawPage(QImage& image, int page, double deviceScale, QPointF offsetDevice) {
    // The page is drawn as the screen draws the page that starts at its depth, with its number.
    render::PageGeometry& g = m_workspace.geometry;
    const int currentPage = g.currentPage;
    const double screenPageStart = g.screenPageStart;
    const int step = std::max(0, g.depthPerPage - g.pageOverlap);
    g.currentPage = page;
    g.screenPageStart = g.printStartDepth + static_cast<double>(step) * (page - 1);
    {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.translate(-offsetDevice);
        const int dpi = std::max(1, static_cast<int>(std::lround(ScreenDpi() * deviceScale)));
        PaintLogPage(painter, dpi, dpi, m_workspace, m_fonts, &m_paintMessages, m_painter);
    }
    g.currentPage = currentPage;
    g.screenPageStart = screenPageStart;
}

const QImage& CSkView::PageImage(int page, double deviceScale) {
    if (std::abs(deviceScale - m_keptScale) > 1e-9) {
        DropKeptPages();
        m_keptScale = deviceScale;
    }
    if (auto found = m_kept.find(page); found != m_kept.end()) {
        m_keptAge.splice(m_keptAge.end(), m_keptAge, found->second.age);
        return found->second.image;
    }
    const QSize size = PageSizeAt(deviceScale);
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::white);
    DrawPage(image, page, deviceScale);
    const qint64 bytes = image.sizeInBytes();
    while (!m_keptAge.empty() && m_keptBytes + bytes > kKeptBytes) {
        auto oldest = m_kept.find(m_keptAge.front());
        m_keptBytes -= oldest->second.image.sizeInBytes();
        m_kept.erase(oldest);
        m_keptAge.pop_front();
    }
    m_keptAge.push_back(page);
    KeptPage& kept = m_kept[page];
    kept.image = std::move(image);
    kept.age = std::prev(m_keptAge.end());
    m_keptBytes += bytes;
    return kept.image;
}

QImage CSkView::RenderPageImage(double zoom) {
    QImage image(PageSizeAt(zoom), QImage::Format_RGB32);
    image.fill(Qt::white);
    if (m_initialUpdated) DrawPage(image, CurrentPage(), zoom);
    FlushPaintMessages();
    return image;
}

void CSkView::paintEvent(QPaintEvent* event) {
    QPainter screen(viewport());
    screen.fillRect(event->rect(), kDesk);
    if (!m_initialUpdated) return;
    const double dpr = viewport()->devicePixelRatioF();
    const QPoint scrolled(horizontalScrollBar()->value(), verticalScrollBar()->value());
    const QRect visible = event->rect().translated(scrolled);
    const QSize page = PageSize();
    const int first = std::max(1, (visible.top() - kDeskMarginPx) / (page.height() + kDeskMarginPx) + 1);
    const int deviceBytesPerPage = static_cast<int>(std::min<double>(
        INT32_MAX, std::ceil(page.width() * dpr) * std::ceil(page.height() * dpr) * 4.0));
    for (int n = first; n <= PageCount(); ++n) {
        const QRect rect = PageRect(n);
        if (rect.top() > visible.bottom()) break;
        if (!rect.intersects(visible)) continue;
        const QRect onScreen = rect.translated(-scrolled);
        screen.setPen(kPageEdge);
        screen.drawRect(onScreen.adjusted(-1, -1, 0, 0));
        if (deviceBytesPerPage <= kKeptBytes / 2) {
            const QImage& image = PageImage(n, m_zoom * dpr);
            screen.drawImage(QRectF(onScreen.topLeft(), QSizeF(image.size()) / dpr), image);
        } else {
            // Too large to keep: only the visible part, drawn now.
            const QRect part = rect.intersected(visible);
            QImage image(std::max(1, static_cast<int>(std::ceil(part.width() * dpr))),
                         std::max(1, static_cast<int>(std::ceil(part.height() * dpr))), QImage::Format_RGB32);
            image.fill(Qt::white);
            DrawPage(image, n, m_zoom * dpr, QPointF(part.topLeft() - rect.topLeft()) * dpr);
            image.setDevicePixelRatio(dpr);
            screen.drawImage(part.translated(-scrolled).topLeft(), image);
        }
    }
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
    QScrollBar* v = verticalScrollBar();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int screenful = std::max(1, viewport()->height() - v->singleStep());
    switch (event->key()) {
    case Qt::Key_PageDown:
    case Qt::Key_Down:
        NextPage();
        break;
    case Qt::Key_PageUp:
    case Qt::Key_Up:
        PreviousPage();
        break;
    case Qt::Key_Space:
        v->setValue(v->value() + (event->modifiers() & Qt::ShiftModifier ? -screenful : screenful));
        break;
    case Qt::Key_Home:
        GoToPage(ctrl ? 1 : CurrentPage());
        break;
    case Qt::Key_End:
        if (ctrl) {
            ScrollTo(v->maximum());
            SetCurrentPage(PageCount());
        } else {
            const int page = CurrentPage();
            ScrollTo(PageRect(page).bottom() + 1 + kDeskMarginPx - viewport()->height());
            SetCurrentPage(page);
        }
        break;
    default:
        QAbstractScrollArea::keyPressEvent(event);
        return;
    }
    event->accept();
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
    const int page = CurrentPage();
    SetZoom(steps > 0 ? m_zoom * kZoomStep : m_zoom / kZoomStep);
    const double ratio = m_zoom / before;
    horizontalScrollBar()->setValue(static_cast<int>(content.x() * ratio - at.x()));
    ScrollTo(static_cast<int>(content.y() * ratio - at.y()));
    SetCurrentPage(page);
    event->accept();
}

void CSkView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    if (m_mode != ZoomMode::Fixed) ApplyFitZoom();
    UpdateScrollBars();
}

void CSkView::scrollContentsBy(int, int) {
    viewport()->update();
    if (!m_navigating) CurrentPageFromScroll();
}

}  // namespace stracol::gui
