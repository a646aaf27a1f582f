#include "render/Surface.h"

#include <algorithm>
#include <cmath>

namespace stracol::render {

bool SegmentCrossesRect(Point a, Point b, const Rect& r) {
    // Liang–Barsky clipping of the segment to the rectangle.
    if (r.right <= r.left || r.bottom <= r.top) return false;
    double t0 = 0.0;
    double t1 = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {static_cast<double>(a.x - r.left), static_cast<double>(r.right - a.x),
                         static_cast<double>(a.y - r.top), static_cast<double>(r.bottom - a.y)};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] <= 0.0) return false;
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) t0 = std::max(t0, t);
        else t1 = std::min(t1, t);
        if (t0 >= t1) return false;
    }
    return true;
}

Rect Rect::Normalised() const {
    return Rect{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
}

namespace {

// Two texts overprint when they share more than a fifth of the lower one's cell height (the
// glyphs leave about that much room in their cells) and a pixel across.
bool Overprints(const Rect& a, const Rect& b) {
    const int across = std::min(a.right, b.right) - std::max(a.left, b.left);
    const int down = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    const int height = std::max(1, std::min(a.Height(), b.Height()));
    return across > 1 && down * 5 > height;
}

}  // namespace

Rect TextColumns::Claim(Rect box) {
    const int column = ColumnAt((box.left + box.right) / 2);
    if (column == 0) return box;
    if (written.size() < edges.size()) written.resize(edges.size());
    std::vector<Rect>& texts = written[static_cast<std::size_t>(column)];
    // Each pass moves the box below the lowest text in its way; bounded by the texts there are.
    for (std::size_t pass = 0; pass <= texts.size(); ++pass) {
        int below = box.top;
        for (const Rect& t : texts)
            if (Overprints(box, t)) below = std::max(below, t.bottom);
        if (below == box.top) break;
        const int shift = below - box.top;
        box.top += shift;
        box.bottom += shift;
    }
    texts.push_back(box);
    return box;
}

namespace {
// Depths this close are one depth (m): page starts are sums that may differ in the last bits.
constexpr double kPageDepthNoiseM = 1e-6;
}  // namespace

void TextColumns::Keep(const Rect& box) {
    const int column = ColumnAt((box.left + box.right) / 2);
    if (column == 0) return;
    if (written.size() < edges.size()) written.resize(edges.size());
    written[static_cast<std::size_t>(column)].push_back(box);
}

bool TextColumns::PlaceOnPage(Rect& box) const {
    if (pageStepPx > 0) {
        for (int j = -1; j <= 0; ++j) {
            // The break at this page's top or bottom lies on the window's own pixel.
            const bool inMetres = pageStepM > 0;
            const double breakM = windowBottomM + j * pageStepM;
            int b = static_cast<int>(std::lround(windowBottom + j * pageStepPx));
            if (inMetres && std::fabs(breakM - windowTopM) < kPageDepthNoiseM) b = windowTop;
            else if (inMetres && std::fabs(breakM - windowBottomM) < kPageDepthNoiseM) b = windowBottom;
            if (box.top < b && b < box.bottom) {
                int shift = b - box.top >= box.bottom - b ? b - box.bottom : b - box.top;
                // A text whose cell lies wholly on one side of the break goes to that side.
                if (inMetres && !std::isnan(cellTopM) && cellTopM >= breakM - kPageDepthNoiseM) shift = b - box.top;
                else if (inMetres && !std::isnan(cellBottomM) && cellBottomM <= breakM + kPageDepthNoiseM)
                    shift = b - box.bottom;
                box.top += shift;
                box.bottom += shift;
                break;
            }
        }
    }
    if (box.top >= windowBottom) return false;
    if (firstPage && box.top < windowTop && box.bottom > windowTop - box.Height()) {
        // Above the top of the log stand the column headers: a text of the first page that
        // would reach up into them starts at the top of the log instead.
        const int shift = windowTop - box.top;
        box.top += shift;
        box.bottom += shift;
    }
    return !OnPageBefore(box.top, box.Height());
}

double TextColumns::LineTopOffBreaksM(double topM, double heightM) const {
    if (pageStepM <= 0) return topM;
    // The first page break below the line's top.
    double b = windowBottomM + std::ceil((topM - windowBottomM) / pageStepM) * pageStepM;
    if (b <= topM + kPageDepthNoiseM) b += pageStepM;
    if (b < topM + heightM - kPageDepthNoiseM) return b;
    return topM;
}

bool TextColumns::ShowsLineM(double topM, double heightM) const {
    const bool onPageBefore =
        !firstPage && topM < windowTopM - kPageDepthNoiseM && topM + heightM > windowTopM + kPageDepthNoiseM;
    return !onPageBefore && topM + heightM > windowTopM + kPageDepthNoiseM && topM < windowBottomM - kPageDepthNoiseM;
}

bool TextColumns::BreakBetweenM(double fromM, double toM) const {
    if (pageStepM <= 0) return false;
    double b = windowBottomM + std::ceil((fromM - windowBottomM) / pageStepM) * pageStepM;
    if (b <= fromM + kPageDepthNoiseM) b += pageStepM;
    return b <= toM + kPageDepthNoiseM;
}

bool TextColumns::Lay(Rect& box) {
    lastMovedPx = 0;
    if (box.top >= windowBottom) return false;
    const int wantedTop = box.top;
    PlaceOnPage(box);
    Rect claimed = Claim(box);
    Rect placed = claimed;
    const bool shown = PlaceOnPage(placed);
    if (!(placed == claimed)) {
        // Moved off a page break after it was claimed: kept where it is drawn.
        const int column = ColumnAt((claimed.left + claimed.right) / 2);
        if (column > 0 && static_cast<std::size_t>(column) < written.size() &&
            !written[static_cast<std::size_t>(column)].empty())
            written[static_cast<std::size_t>(column)].back() = placed;
    }
    box = placed;
    // Moved below the headers at the top of the log, below texts written before it, or off
    // a page break.
    lastMovedPx = std::max(0, placed.top - wantedTop);
    return shown && box.bottom > windowTop;
}

PenStyle PenStyleFromCode(int code) {
    if (code < 0 || code > 5) return PenStyle::Solid;
    return static_cast<PenStyle>(code);
}

}  // namespace stracol::render
