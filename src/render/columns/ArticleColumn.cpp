#include "render/columns/ArticleColumn.h"

#include <algorithm>
#include <cmath>
#include <string>

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
    double carry = 0.0;
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const double upper = core::LeadingReal(table.Cell(row, kUpperColumn));
        const double lower = core::LeadingReal(table.Cell(row, kLowerColumn));
        const double top = std::max(carry + kArticleGapM, upper);
        const std::string text = ArticleText(table.Cell(row, kTextColumn));

        const WrappedBlock block = WrapToCell(s, g, text, room.Width(), lower - top);
        const double used = text.empty() ? 0.0 : DrawWrappedBlock(s, g, block, room.left, room.right, top) - top;
        const double bottom = lower - top >= used ? lower : top + used;
        ctx.worstDriftM = std::max(ctx.worstDriftM, bottom - lower);

        if (ArticleClosingLineWanted(table.Cell(row, kFlagColumn)))
            BoundaryLine(ctx, xl, xr, lower, bottom, lower, kArticleClosingInsetMm, ctx.settings.RuleLineWidth);
        carry = bottom;
    }
}

void RegisterArticleColumn(ColumnRegistry& registry) {
    registry.Register(kArticleItem, [](LogContext& ctx, int slot, int) { DrawArticleColumn(ctx, slot); });
}

}  // namespace stracol::render
