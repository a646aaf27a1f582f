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

// The text is drawn from 0.2 mm inside the left edge and may run 0.8 mm past the right edge.
constexpr double kTextInsetMm = 0.2;
constexpr double kTextOverhangMm = 0.8;
// The box the text is drawn in is this deep (m); the text is never clipped to it.
constexpr double kTextBoxDepthM = 0.1;
// The one-line height is measured from a blank in a box 10 mm wide and 1 m deep.
constexpr double kMeasureWidthMm = 10.0;
constexpr double kMeasureDepthM = 1.0;
constexpr double kLineHeightFactor = 0.9;

Rect LogRect(const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M) {
    return Rect{MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M)};
}

// The article text as it is drawn: CR LF and lone CR become LF (the surfaces break lines at
// LF), and a text that does not end with a line break gets one.
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
    if (text.empty() || text.back() != '\n') text.push_back('\n');
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
    const Rect oneLine = s.DrawTextBox(LogRect(g, 0.0, 0.0, kMeasureWidthMm, kMeasureDepthM), " ",
                                       TextBox::kCalcRect | TextBox::kNoClip);
    const int lineHeightPx = static_cast<int>(kLineHeightFactor * std::abs(oneLine.Height()));

    const unsigned flags = TextBox::kLeft | TextBox::kTop | TextBox::kNoClip | TextBox::kWordBreak;
    double carry = 0.0;
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const double upper = core::LeadingReal(table.Cell(row, kUpperColumn));
        const double lower = core::LeadingReal(table.Cell(row, kLowerColumn));
        const double top = std::max(carry + kArticleGapM, upper);
        const std::string text = ArticleText(table.Cell(row, kTextColumn));

        const Rect drawn = s.DrawTextBox(LogRect(g, xl + kTextInsetMm, top, xr + kTextOverhangMm, top + kTextBoxDepthM),
                                         text, flags);
        int heightPx = std::abs(drawn.Height());
        // The line break that ends every article adds an empty line that is not text.
        if (heightPx >= 2 * lineHeightPx) heightPx -= lineHeightPx;
        const double used = heightPx / g.depthPxPerMetre;
        const double bottom = lower - top >= used ? lower : top + used;

        if (ArticleClosingLineWanted(table.Cell(row, kFlagColumn)))
            BoundaryLine(ctx, xl, xr, lower, bottom, lower, kArticleClosingInsetMm, ctx.settings.RuleLineWidth);
        carry = bottom;
    }
}

void RegisterArticleColumn(ColumnRegistry& registry) {
    registry.Register(kArticleItem, [](LogContext& ctx, int slot, int) { DrawArticleColumn(ctx, slot); });
}

}  // namespace stracol::render
