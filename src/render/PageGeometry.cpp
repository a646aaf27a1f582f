#include "render/PageGeometry.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "render/Surface.h"

namespace stracol::render {

namespace {

// Truncates toward zero after clamping, so a huge or undefined value never wraps.
int ClampToDevice(double value) {
    if (std::isnan(value)) return 0;
    value = std::clamp(value, -static_cast<double>(kCoordinateLimit), static_cast<double>(kCoordinateLimit));
    return static_cast<int>(value);
}

int Denominator(int scale) { return scale <= 0 ? 100 : scale; }

}  // namespace

int MmToX(const PageGeometry& g, double xMm) {
    return ClampToDevice(g.leftMarginMm * g.pxPerMmX + g.xFactor * xMm);
}

int DepthToY(const PageGeometry& g, double depthM) {
    return ClampToDevice((g.depthOffset + depthM) * g.depthPxPerMetre + g.topMarginMm * g.pxPerMmY +
                         g.titleHeight * g.titlePxPerMetre);
}

double XToMm(const PageGeometry& g, int x) {
    if (g.xFactor <= 0.0001) return 0;
    return (x - g.leftMarginMm * g.pxPerMmX) / g.xFactor;
}

double YToDepth(const PageGeometry& g, int y) {
    if (g.depthPxPerMetre <= 0.0001) return 0;
    return (y - (g.topMarginMm * g.pxPerMmY + g.titleHeight * g.titlePxPerMetre)) / g.depthPxPerMetre - g.depthOffset;
}

int MmToPx(const PageGeometry& g, double mm) { return ClampToDevice(mm * g.xFactor); }

int MetresToPx(const PageGeometry& g, double metres) { return ClampToDevice(metres * g.depthPxPerMetre); }

void ApplyPageSettings(PageGeometry& g, const app::SystemSettings& settings) {
    g.depthPerPage = settings.PageDepth;
    g.pageOverlap = settings.PageOverlapDepth;
    g.depthOnlyScaled = settings.ScaleDataOnly != 0;
}

void StorePageSettings(const PageGeometry& g, app::SystemSettings& settings) {
    settings.PageDepth = g.depthPerPage;
    settings.PageOverlapDepth = g.pageOverlap;
    settings.ScaleDataOnly = g.depthOnlyScaled ? 1 : 0;
}

double MaxDepthOf(const borehole::BoreholeRecord& record) {
    const borehole::DepthTable& layers = record.Table(borehole::TableId::Layer);
    int rows = layers.RowCount();
    if (rows < 1) return 0;
    return core::LeadingReal(layers.Cell(rows, 0));
}

void StartPaint(PageGeometry& g, int dpiX, int dpiY, const app::SystemSettings& settings, double maxDepth) {
    g.maxDepth = maxDepth;
    g.leftMarginMm = settings.LeftMargin;
    g.topMarginMm = settings.TopMargin;
    g.dpiX = dpiX;
    g.dpiY = dpiY;
    g.pxPerMmX = dpiX * kInchPerMm;
    g.pxPerMmY = dpiY * kInchPerMm;
    g.xFactor = (100.0 / Denominator(g.horizontalScale)) * g.pxPerMmX;
    g.depthPxPerMetre = (1000.0 / Denominator(g.depthScale)) * g.pxPerMmY;
    g.titlePxPerMetre = g.depthOnlyScaled ? 10 * g.pxPerMmY : g.depthPxPerMetre;
}

void StartPaint(PageGeometry& g, Surface& surface, const app::SystemSettings& settings, double maxDepth) {
    StartPaint(g, surface.DpiX(), surface.DpiY(), settings, maxDepth);
    FontMetrics metrics = surface.Metrics();
    g.lineHeight = metrics.height + metrics.externalLeading;
}

void UseTitleScale(PageGeometry& g) {
    double perMetre = g.depthOnlyScaled ? 10 * g.pxPerMmY : (1000.0 / Denominator(g.depthScale)) * g.pxPerMmY;
    g.depthPxPerMetre = perMetre;
    g.titlePxPerMetre = perMetre;
    g.depthOffset = 0;
}

void UseDepthScale(PageGeometry& g, double pageStartM) {
    g.depthPxPerMetre = (1000.0 / Denominator(g.depthScale)) * g.pxPerMmY;
    g.depthOffset = -pageStartM;
}

double PageStep(const PageGeometry& g) { return static_cast<double>(g.depthPerPage) - g.pageOverlap; }

double FixPageStart(PageGeometry& g) {
    if (!g.printing) return g.screenPageStart;
    g.screenPageStart = g.printStartDepth;
    return g.printStartDepth + PageStep(g) * (static_cast<double>(g.currentPage) - 1);
}

int PrintableDepthPerPage(const PageGeometry& g, int usableLengthMm, double titleHeight, int depthScale,
                          bool depthOnlyScaled) {
    int s = Denominator(depthScale);
    double titleMm = depthOnlyScaled ? titleHeight * 10 : titleHeight * 1000 / s;
    long free = static_cast<long>(usableLengthMm) -
                (static_cast<long>(g.topMarginMm) + g.freeArticleHeightMm + static_cast<long>(titleMm));
    if (free < 0) free = 0;
    return static_cast<int>(free * s / 1000);
}

ScaleAndDepth CurrentScaleAndDepth(const PageGeometry& g) {
    return {g.horizontalScale, g.depthScale, g.depthOnlyScaled, g.printStartDepth, g.depthPerPage, g.pageOverlap};
}

int PrintableDepthFor(const PageGeometry& g, const ScaleAndDepth& values) {
    return PrintableDepthPerPage(g, g.paperLengthMm - kPaperUnusableMm, g.titleHeight, values.depthScale,
                                 values.depthOnlyScaled);
}

void ChangeScaleAndDepth(PageGeometry& g, const ScaleAndDepth& values) {
    g.horizontalScale = values.horizontalScale;
    g.depthScale = values.depthScale;
    g.depthOnlyScaled = values.depthOnlyScaled;
    g.printStartDepth = values.printStartDepth;
    g.screenPageStart = values.printStartDepth;
    g.usableLengthMm = g.paperLengthMm - kPaperUnusableMm;
    g.depthPerPage = values.depthPerPage;
    g.pageOverlap = values.pageOverlap < values.depthPerPage ? values.pageOverlap : 0;
    if (g.screenPageStart < 1.0) g.currentPage = 1;
}

namespace {
// Depths within this of a page's end count as on that page (m).
constexpr double kPageEndTolerance = 1e-6;
}  // namespace

int PageCount(const PageGeometry& g) {
    const double step = PageStep(g);
    if (step <= 0) return 1;  // no paging set up yet: one page, never a division by zero
    // The last page is the first whose window reaches the end of the log: a log ending
    // exactly at a page's end gets no empty page after it.
    const double rest = g.maxDepth - g.printStartDepth - g.depthPerPage;
    if (!(rest > kPageEndTolerance)) return 1;
    double pages = std::ceil(rest / step - kPageEndTolerance) + 1;
    if (!(pages >= 1)) return 1;
    if (pages > 1e6) return 1000000;
    return static_cast<int>(pages);
}

double LogEndDepth(const PageGeometry& g) {
    const int step = g.depthPerPage - g.pageOverlap;
    if (step <= 0) return std::numeric_limits<double>::infinity();
    return g.printStartDepth + g.depthPerPage + static_cast<double>(step) * (PageCount(g) - 1);
}

void BeginPrintedPage(PageGeometry& g, int page) {
    g.currentPage = page < 1 ? 1 : page;
    g.printing = true;
}

void EndPrintedPage(PageGeometry& g) { g.printing = false; }

void EndPrinting(PageGeometry& g) {
    g.printing = false;
    g.currentPage = 1;
}

void ResetForDocument(PageGeometry& g) {
    g.screenPageStart = 0;
    g.currentPage = 1;
}

int DeviceToMm(int px, int dpi) {
    if (dpi <= 0) return 0;
    return static_cast<int>(px * kMmPerInch / dpi);
}

void SetPaperSize(PageGeometry& g, int paperWidthMm, int paperLengthMm) {
    g.paperWidthMm = paperWidthMm;
    g.paperLengthMm = paperLengthMm;
    g.usableLengthMm = paperLengthMm - kPaperUnusableMm;
    if (g.depthPerPage <= 0) {
        g.depthPerPage = PrintableDepthPerPage(g, g.usableLengthMm, g.titleHeight, g.depthScale, g.depthOnlyScaled);
        g.printStartDepth = 0;
        g.screenPageStart = 0;
        g.pageOverlap = 0;
        g.currentPage = 1;
    }
}

bool NextPage(PageGeometry& g) {
    if (g.printing) return false;
    const double step = PageStep(g);
    if (step <= 0) return false;  // a page that does not advance is no next page
    if (g.screenPageStart < std::max(g.maxDepth + 5, 50.0)) {
        g.screenPageStart += step;
        g.currentPage += 1;
    }
    return true;
}

bool PreviousPage(PageGeometry& g) {
    if (g.printing) return false;
    g.screenPageStart -= PageStep(g);
    if (g.screenPageStart < 0) g.screenPageStart = 0;
    if (g.currentPage > 1) g.currentPage -= 1;
    return true;
}

bool PageUpKey(PageGeometry& g) {
    if (g.printing) return false;
    g.screenPageStart -= PageStep(g);
    if (g.screenPageStart < 0) {
        g.screenPageStart = 0;
        g.currentPage = 1;
    } else if (g.currentPage >= 2) {
        g.currentPage -= 1;
    }
    return true;
}

void ResetRunawayPage(PageGeometry& g) {
    if (g.currentPage > PageCount(g) + 10) g.currentPage = 1;
}

ScrollSizes ComputeScrollSizes(int depthPerPage, int screenWidthPx) {
    constexpr double kPxPerMm96 = 3.779527559055118;
    ScrollSizes s;
    int widthMm = 300;
    s.screenFrameWidthMm = 290;
    if (screenWidthPx >= 1000) {
        widthMm = 354;
        s.screenFrameWidthMm = 350;
    }
    int heightMm = depthPerPage < 38 ? 600 : depthPerPage < 78 ? 900 : depthPerPage < 108 ? 1200
                 : depthPerPage < 188 ? 2000 : 2400;
    s.widthPx = static_cast<int>(widthMm * kPxPerMm96);
    s.heightPx = static_cast<int>(heightMm * kPxPerMm96);
    s.pageStepX = s.widthPx / 8;
    s.pageStepY = s.heightPx / 8;
    s.lineStepX = s.widthPx / 32;
    s.lineStepY = s.heightPx / 32;
    return s;
}

ScrollSizes UpdateScrollSizes(PageGeometry& g, int screenWidthPx) {
    ScrollSizes s = ComputeScrollSizes(g.depthPerPage, screenWidthPx);
    g.screenFrameWidthMm = s.screenFrameWidthMm;
    return s;
}

}  // namespace stracol::render
