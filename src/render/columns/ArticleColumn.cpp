#include "render/columns/ArticleColumn.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/PageGeometry.h"
#include "render/Surface.h"

namespace stracol::render {

namespace {

constexpr int kArticleItem = 1024;
// ArticleTable columns.
constexpr int kUpperColumn = 0;
constexpr int kLowerColumn = 1;
constexpr int kTextColumn = 3;
constexpr int kFlagColumn = 4;

// The text is drawn from 0.2 mm inside the left edge.
constexpr double kTextInsetMm = 0.2;
// Depths this close count as equal (m).
constexpr double kDepthTolerance = 1e-6;

// The article text as it is drawn: CR LF and lone CR become LF, and the line breaks that end
// an article (they add no line) are dropped.
std::string ArticleText(std::string_view stored) {
    std::string text;
    text.reserve(stored.size() + 1);
    for (std::size_t i = 0; i < stored.size(); ++i) {
        if (stored[i] == '\r') {
            text.push_back('\n');
            if (i + 1 < stored.size() && stored[i + 1] == '\n') ++i;
        } else {
            text.push_back(stored[i]);
        }
    }
    while (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
}

}  // namespace

bool ArticleClosingLineWanted(std::string_view flagCell) {
    return core::TrimBlanks(flagCell) == "1" || core::IsNumericStart(flagCell) != 1;
}

void DrawArticleColumn(LogContext& ctx, int slot) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    if (g.depthPxPerMetre <= 0.0001) return;
    const double xl = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    const double xr = ctx.columns.edges[static_cast<std::size_t>(slot)];
    const borehole::DepthTable& table = ctx.record.Table(borehole::TableId::Article);

    TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
    // The text keeps inside both rules; an article taller than its interval is set narrower,
    // then smaller, before it runs on below it.
    const Rect room = CellRoom(ctx, xl + kTextInsetMm - kCellTextInsetMm, xr, 0.0, 0.0);

    // First every article is laid out from the top: each starts at its upper depth or just
    // below the one before, whichever is lower.
    struct Placed {
        WrappedBlock block;
        double lower = 0;
        double top = 0;
        double end = 0;     // below the text
        double bottom = 0;  // end, or the lower depth when the text fits its interval
        int left = 0;  // px: the text's room across
        int right = 0;
        bool drawn = false;
        bool closing = false;
    };
    std::vector<Placed> placed;
    const int rows = table.RowCount();
    placed.reserve(static_cast<std::size_t>(std::max(rows, 0)));
    double carry = 0.0;
    for (int row = 1; row <= rows; ++row) {
        Placed p;
        const double upper = core::LeadingReal(table.Cell(row, kUpperColumn));
        p.lower = core::LeadingReal(table.Cell(row, kLowerColumn));
        p.top = std::max(carry + kArticleGapM, upper);
        const std::string text = ArticleText(table.Cell(row, kTextColumn));
        p.drawn = !text.empty();
        p.closing = ArticleClosingLineWanted(table.Cell(row, kFlagColumn));
        p.left = room.left;
        p.right = room.right;
        p.block = WrapToCell(s, g, text, room.Width(), p.lower - p.top);
        p.end = p.drawn ? WrappedBlockBottom(s, g, p.block, p.top) : p.top;
        if (p.drawn && p.closing && p.end > p.lower + kDepthTolerance) {
            // The closing line of a text that runs on bends down beside it, with slants along
            // both rules: the text keeps clear of them.
            p.left = std::max(room.left, MmToX(g, xl + kArticleClosingInsetMm) + (room.left - MmToX(g, xl)));
            p.right = std::min(room.right, MmToX(g, xr - kArticleClosingInsetMm) - (MmToX(g, xr) - room.right));
            if (p.right > p.left) {
                p.block = WrapToCell(s, g, text, p.right - p.left, p.lower - p.top);
                p.end = WrappedBlockBottom(s, g, p.block, p.top);
            } else {
                p.left = room.left;
                p.right = room.right;
            }
        }
        p.bottom = std::max(p.lower, p.end);
        carry = p.bottom;
        placed.push_back(std::move(p));
    }

    // Then, when the texts carried on would run past the end of the log (where no page shows
    // them), the last ones move up just as far as needed, each staying below the one before.
    const double logEnd = LogEndDepth(g);
    double allowed = logEnd;
    for (auto it = placed.rbegin(); it != placed.rend() && std::isfinite(logEnd); ++it) {
        Placed& p = *it;
        if (p.drawn && p.end > allowed + kDepthTolerance) {
            const double lineM = p.block.lineHeightPx / g.depthPxPerMetre;
            double top = p.top - (p.end - allowed);
            while (WrappedBlockBottom(s, g, p.block, top) > allowed + kDepthTolerance && top > 0.0) top -= lineM;
            p.top = std::max(top, 0.0);
            p.end = WrappedBlockBottom(s, g, p.block, p.top);
            p.bottom = std::max(std::min(p.lower, allowed), p.end);
        } else if (p.bottom > allowed) {
            // The text keeps its place; its closing line bends up to stay clear of the next text.
            p.bottom = std::max(p.end, allowed);
        }
        allowed = std::min(allowed, p.top - kArticleGapM);
    }

    for (const Placed& p : placed) {
        const double end = p.drawn ? DrawWrappedBlock(s, g, p.block, p.left, p.right, p.top) : p.top;
        ctx.worstDriftM = std::max(ctx.worstDriftM, end - p.lower);
        if (p.drawn) ctx.deepestTextM = std::max(ctx.deepestTextM, end);
        if (p.closing) BoundaryLine(ctx, xl, xr, p.lower, p.bottom, p.lower, kArticleClosingInsetMm, ctx.settings.RuleLineWidth);
    }
}

void RegisterArticleColumn(ColumnRegistry& registry) {
    registry.Register(kArticleItem, [](LogContext& ctx, int slot, int) { DrawArticleColumn(ctx, slot); });
}

}  // namespace stracol::render
