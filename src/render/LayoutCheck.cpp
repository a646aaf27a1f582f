#include "render/LayoutCheck.h"

#include <algorithm>
#include <cmath>

#include "core/Format.h"
#include "render/ColumnFramework.h"
#include "render/PageGeometry.h"
#include "style/LogStyle.h"

namespace stracol::render {

namespace {

// Of a text's cell height, this share at the top and at the bottom holds no ink.
constexpr int kInkInsetPercent = 8;

struct PlacedText {
    Rect box;        // the visible part
    Rect full;       // the whole text
    std::string text;
    int itemCode = 0;
    bool inDepthPart = false;
};

Rect Intersection(const Rect& a, const Rect& b) {
    Rect r{std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    if (r.right < r.left) r.right = r.left;
    if (r.bottom < r.top) r.bottom = r.top;
    return r;
}

long long Area(const Rect& r) { return static_cast<long long>(std::max(0, r.Width())) * std::max(0, r.Height()); }

const PageLayout::Column* ColumnAt(const PageLayout& page, int x) {
    for (const auto& c : page.columns)
        if (c.right > c.left && x >= c.left && x < c.right) return &c;
    return nullptr;
}

// The box less a fifth of its height on every side: a rule along its edge does not count.
Rect Core(const Rect& r) {
    const int inset = std::max(1, r.Height() / 5);
    Rect c{r.left + inset, r.top + inset, r.right - inset, r.bottom - inset};
    if (c.right < c.left) c.left = c.right = (r.left + r.right) / 2;
    if (c.bottom < c.top) c.top = c.bottom = (r.top + r.bottom) / 2;
    return c;
}

// The part of a text's cell its glyphs cover: the cell less the room a font leaves above
// and below its characters.
Rect Ink(const Rect& cell) {
    const int inset = cell.Height() * kInkInsetPercent / 100;
    return Rect{cell.left, cell.top + inset, cell.right, cell.bottom - inset};
}

}  // namespace

const char* LayoutFaultName(LayoutFault fault) {
    switch (fault) {
        case LayoutFault::Overlap: return "overlap";
        case LayoutFault::CrossesColumn: return "crosses column rule";
        case LayoutFault::CrossesRule: return "crosses rule";
        case LayoutFault::UnderSlant: return "under a bent line's slant";
        case LayoutFault::OutsideFrame: return "outside frame";
        case LayoutFault::CutByWindow: return "cut by page window";
    }
    return "?";
}

PageLayout PageLayoutOf(const LogContext& ctx) {
    PageLayout page;
    const PageGeometry& g = ctx.geometry;
    for (int slot = 1; slot <= ctx.columns.count && slot <= kLastDrawnSlot; ++slot) {
        PageLayout::Column c;
        c.left = MmToX(g, ctx.columns.edges[static_cast<std::size_t>(slot - 1)]);
        c.right = MmToX(g, ctx.columns.edges[static_cast<std::size_t>(slot)]);
        c.itemCode = ctx.style.items[static_cast<std::size_t>(slot - 1)].ItemCode();
        page.columns.push_back(c);
    }
    page.depthTop = DepthToY(g, ctx.pageStart);
    page.depthBottom = DepthToY(g, ctx.pageEnd);
    page.frameLeft = MmToX(g, ctx.columns.edges[0]);
    page.frameRight = MmToX(g, ctx.columns.edges[static_cast<std::size_t>(std::max(ctx.columns.count, 0))]);
    if (page.frameRight < page.frameLeft + MmToX(g, 5.0) - MmToX(g, 0.0))
        page.frameRight = page.frameLeft + MmToX(g, 5.0) - MmToX(g, 0.0);
    // A tenth of a millimetre: a text may touch a rule, not cross it.
    page.tolerance = std::max(1, static_cast<int>(std::lround(g.dpiX / 254.0)));
    page.slantWidth = MmToX(g, 1.05) - MmToX(g, 0.0);
    return page;
}

std::vector<LayoutFinding> CheckLayout(const std::vector<RecordedOperation>& operations, const PageLayout& page) {
    std::vector<LayoutFinding> findings;
    std::vector<PlacedText> texts;
    std::vector<std::pair<Point, Point>> rules;
    std::vector<std::pair<Point, Point>> slants;  // of bent boundary lines in the depth part
    const int tol = page.tolerance;

    for (const RecordedOperation& op : operations) {
        if (op.kind == OperationKind::Line) {
            if (op.points.size() != 2 || !op.pen.Visible()) continue;
            Point a = op.points[0];
            Point b = op.points[1];
            if (a.x != b.x && a.y != b.y) {
                // A short steep slant from a column rule: the bend of a boundary line.
                auto onRule = [&](int x) {
                    for (const auto& c : page.columns)
                        if (c.right > c.left && (std::abs(x - c.left) <= tol || std::abs(x - c.right) <= tol)) return true;
                    return false;
                };
                if (std::abs(b.x - a.x) <= page.slantWidth && std::abs(b.y - a.y) > std::abs(b.x - a.x) &&
                    std::max(a.y, b.y) > page.depthTop && std::min(a.y, b.y) < page.depthBottom &&
                    (onRule(a.x) || onRule(b.x)))
                    slants.push_back({a, b});
                continue;
            }
            if (op.clipped) {
                // Only the part inside the clip is on the page.
                const Rect c = op.clip;
                if (a.x == b.x) {
                    if (a.x < c.left || a.x >= c.right) continue;
                    a.y = std::clamp(a.y, c.top, c.bottom);
                    b.y = std::clamp(b.y, c.top, c.bottom);
                    if (a.y == b.y) continue;
                } else {
                    if (a.y < c.top || a.y >= c.bottom) continue;
                    a.x = std::clamp(a.x, c.left, c.right);
                    b.x = std::clamp(b.x, c.left, c.right);
                    if (a.x == b.x) continue;
                }
            }
            rules.push_back({a, b});
            continue;
        }
        if (op.kind != OperationKind::Text && op.kind != OperationKind::TextBox) continue;
        if (op.text.find_first_not_of(" \r\n") == std::string::npos) continue;
        PlacedText t;
        t.full = Ink(op.covered.Normalised());
        t.box = op.clipped ? Intersection(t.full, op.clip) : t.full;
        if (Area(t.box) == 0) continue;  // wholly clipped away: not on the page
        t.text = op.text;
        const int cx = (t.box.left + t.box.right) / 2;
        const int cy = (t.box.top + t.box.bottom) / 2;
        t.inDepthPart = cy >= page.depthTop && cy <= page.depthBottom;
        if (t.inDepthPart) {
            if (const auto* c = ColumnAt(page, cx)) t.itemCode = c->itemCode;
        }
        texts.push_back(t);
        LayoutFinding f;
        f.itemCode = t.itemCode;
        f.text = t.text;
        f.box = t.box;
        if (t.box.left < page.frameLeft - tol || t.box.right > page.frameRight + tol) {
            f.fault = LayoutFault::OutsideFrame;
            findings.push_back(f);
            continue;
        }
        if (t.inDepthPart) {
            if (const auto* c = ColumnAt(page, cx)) {
                if (t.box.left < c->left - tol || t.box.right > c->right + tol) {
                    f.fault = LayoutFault::CrossesColumn;
                    findings.push_back(f);
                    continue;
                }
            }
            // Cut by the window: less than the whole text shows at the top or bottom of the page.
            if (op.clipped && (t.full.top < op.clip.top - tol || t.full.bottom > op.clip.bottom + tol) &&
                (op.clip.top <= page.depthTop + tol || op.clip.bottom >= page.depthBottom - tol)) {
                const bool atTop = t.full.top < page.depthTop - tol;
                const bool atBottom = t.full.bottom > page.depthBottom + tol;
                if (atTop || atBottom) {
                    f.fault = LayoutFault::CutByWindow;
                    findings.push_back(f);
                    continue;
                }
            }
        }
    }

    // Texts of the title block and headers over one of their rules.
    for (const PlacedText& t : texts) {
        if (t.inDepthPart || t.box.bottom > page.depthTop) continue;
        const Rect core = Core(t.box);
        for (const auto& [a, b] : rules) {
            if (std::max(a.y, b.y) > page.depthTop) continue;
            bool crosses = false;
            if (a.x == b.x) {
                crosses = a.x > core.left && a.x < core.right && std::min(a.y, b.y) < core.bottom &&
                          std::max(a.y, b.y) > core.top;
            } else {
                crosses = a.y > core.top && a.y < core.bottom && std::min(a.x, b.x) < core.right &&
                          std::max(a.x, b.x) > core.left;
            }
            if (crosses) {
                LayoutFinding f;
                f.fault = LayoutFault::CrossesRule;
                f.text = t.text;
                f.other = core::Sprintf("rule (%d,%d)-(%d,%d)", a.x, a.y, b.x, b.y);
                f.box = t.box;
                findings.push_back(f);
                break;
            }
        }
    }

    // Texts of the depth part under a slant of a bent boundary line.
    for (const PlacedText& t : texts) {
        if (!t.inDepthPart) continue;
        const Rect inside{t.box.left + tol, t.box.top + tol, t.box.right - tol, t.box.bottom - tol};
        for (const auto& [a, b] : slants) {
            if (!SegmentCrossesRect(a, b, inside)) continue;
            LayoutFinding f;
            f.fault = LayoutFault::UnderSlant;
            f.itemCode = t.itemCode;
            f.text = t.text;
            f.other = core::Sprintf("slant (%d,%d)-(%d,%d)", a.x, a.y, b.x, b.y);
            f.box = t.box;
            findings.push_back(f);
            break;
        }
    }

    // Texts over texts: a sweep down the page.
    std::vector<std::size_t> order(texts.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return texts[a].box.top < texts[b].box.top; });
    for (std::size_t i = 0; i < order.size(); ++i) {
        const PlacedText& a = texts[order[i]];
        for (std::size_t j = i + 1; j < order.size(); ++j) {
            const PlacedText& b = texts[order[j]];
            if (b.box.top >= a.box.bottom) break;
            const long long common = Area(Intersection(a.box, b.box));
            if (common == 0) continue;
            const long long smaller = std::min(Area(a.box), Area(b.box));
            if (static_cast<double>(common) <= kOverlapShare * static_cast<double>(smaller)) continue;
            LayoutFinding f;
            f.fault = LayoutFault::Overlap;
            f.itemCode = a.itemCode;
            f.otherItemCode = b.itemCode;
            f.text = a.text;
            f.other = b.text;
            f.box = a.box;
            findings.push_back(f);
        }
    }
    return findings;
}

std::string DescribeFinding(const LayoutFinding& f) {
    auto where = [](int code) { return code == 0 ? std::string("title/headers") : "column " + std::to_string(code); };
    std::string line = std::string(LayoutFaultName(f.fault)) + " [" + where(f.itemCode) + "] \"" + f.text + "\"";
    if (f.fault == LayoutFault::Overlap) line += " / [" + where(f.otherItemCode) + "] \"" + f.other + "\"";
    if (f.fault == LayoutFault::CrossesRule || f.fault == LayoutFault::UnderSlant) line += " over the " + f.other;
    line += core::Sprintf(" at (%d,%d)-(%d,%d)", f.box.left, f.box.top, f.box.right, f.box.bottom);
    return line;
}

}  // namespace stracol::render
