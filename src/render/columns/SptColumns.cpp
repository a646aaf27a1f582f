#include "render/columns/SptColumns.h"

#include <array>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/columns/NValue.h"

namespace stracol::render {

namespace {

struct ModeItem {
    SptColumnMode mode;
    int itemCode;
};
constexpr std::array<ModeItem, 6> kModeItems{{
    {SptColumnMode::NValue, 3102},
    {SptColumnMode::Depth, 3103},
    {SptColumnMode::Blows, 3104},
    {SptColumnMode::SelfSinking, 3109},
    {SptColumnMode::FiftyBlows, 3108},
    {SptColumnMode::Total, 3105},
}};

// NDepthLabelPos: the depth text above its line, below it, or not at all.
constexpr int kDepthAbove = 0;
constexpr int kDepthBelow = 1;
// The blows of a test whose penetration the 50-blow column shows.
constexpr int kFiftyBlows = 50;
// The penetration (cm) of a full increment: other increments get their penetration in mm
// written under the blows.
constexpr int kIncrementCm = 10;
constexpr int kQuarters = 4;

// The top of one text line placed by a data placement code in the cell t … b (line depth
// h), with the vertical alignment the code asks for: bottom codes (0, 1-3, 99 and codes not
// listed) on the cell bottom, 4-6 centred (at the top when the cell is lower than a line),
// 7-9 at the top.
struct LinePlace {
    double y = 0;
    VerticalAlign align = VerticalAlign::Bottom;
    double lineTop = 0;
};

LinePlace PlaceLine(int code, double t, double b, double h) {
    switch (code) {
        case 4:
        case 5:
        case 6: {
            const double top = b - t < h ? t : (t + b) / 2 - h / 2;
            return LinePlace{top, VerticalAlign::Top, top};
        }
        case 7:
        case 8:
        case 9: return LinePlace{t, VerticalAlign::Top, t};
        case 1:
        case 2:
        case 3:
            return LinePlace{b, b - t < h ? VerticalAlign::Baseline : VerticalAlign::Bottom, b - h};
        default: return LinePlace{b, VerticalAlign::Bottom, b - h};
    }
}

void AlignedText(LogContext& ctx, HorizontalAlign h, VerticalAlign v, double xMm, double yM, std::string_view text) {
    if (text.empty()) return;
    TextAlignScope scope(ctx.surface, TextAlign{h, v});
    TextAt(ctx.surface, ctx.geometry, xMm, yM, text);
}

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// A line across the column at a depth: solid black, ruled-line width.
void RuleAcross(LogContext& ctx, const ColumnPlacement& col, double depth) {
    DrawLine(ctx.surface, ctx.geometry, col.leftMm, depth, col.rightMm, depth, 0, ctx.settings.RuleLineWidth, 0);
}

// 3104: the blows of the three 100 mm increments in the first three quarters (headed 0–100,
// 100–200 and 200–300 mm) and the total blows in the fourth (headed 打撃ごとの貫入量).
void DrawBlowsColumn(LogContext& ctx, const ColumnPlacement& col, const SptTest& test, const borehole::DepthTable& table,
                     double lineDepth) {
    static constexpr int kQuarterColumns[kQuarters] = {kSptFirstIncrementColumn, kSptFirstIncrementColumn + 1,
                                                       kSptFirstIncrementColumn + 2, kSptTotalColumn};
    const double quarter = (col.rightMm - col.leftMm) / kQuarters;
    const double t = test.depthM;
    const double b = test.IntervalBottomM();
    const LinePlace place = PlaceLine(col.placementCode, t, b, lineDepth);
    const HorizontalAlign align = PlacementAlignment(col.placementCode);
    for (int k = 0; k < kQuarters; ++k) {
        const int column = kQuarterColumns[k];
        const std::string& record = table.Cell(test.row, column);
        const std::string text = SptBlowsText(record);
        if (IsBlank(text)) continue;
        const double ql = col.leftMm + k * quarter;
        const double x = AnchorX(align, ql, ql + quarter);
        AlignedText(ctx, align, place.align, x, place.y, text);
        if (column == kSptTotalColumn || core::IsNumericStart(record) != 1) continue;
        const SptRecord increment = ReadSptRecord(record);
        if (!increment.penetrationGiven || increment.penetrationCm == kIncrementCm) continue;
        // A short increment: its penetration in millimetres on the line under the blows.
        AlignedText(ctx, align, VerticalAlign::Top, x, place.lineTop + lineDepth,
                    core::Sprintf("%lld", static_cast<long long>(increment.penetrationCm) * 10));
    }
}

// 3109 and 3108: the penetration in mm of the tests with the given blows, and a line across
// the column at the end of the test interval.
void DrawPenetrationColumn(LogContext& ctx, int itemCode, int slot, const ColumnPlacement& col, const SptTest& test,
                           int blows, double charWidthMm, double lineDepth) {
    if (!test.hasValue || test.total.blows != blows) return;
    const double bottom = test.IntervalBottomM();
    const double used = PlaceCellText(ctx, itemCode, slot, test.depthM, 0.0, bottom, kUseSlotPlacement, charWidthMm,
                                      lineDepth, SptPenetrationMmText(test.total));
    // Bent below the text where it had to move down over the line's depth.
    BoundaryLine(ctx, col.leftMm, col.rightMm, bottom, used, bottom, kBoundaryInsetMm, ctx.settings.RuleLineWidth);
}

}  // namespace

int SptColumnItemCode(SptColumnMode mode) {
    for (const ModeItem& m : kModeItems)
        if (m.mode == mode) return m.itemCode;
    return 0;
}

int SptColumnModeOf(int itemCode) {
    for (const ModeItem& m : kModeItems)
        if (m.itemCode == itemCode) return static_cast<int>(m.mode);
    return 0;
}

void DrawSptColumn(LogContext& ctx, int slot, int mode, double charWidthMm, double lineDepth) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    if (mode < static_cast<int>(SptColumnMode::NValue) || mode > static_cast<int>(SptColumnMode::Total)) return;
    const SptColumnMode m = static_cast<SptColumnMode>(mode);
    const int itemCode = SptColumnItemCode(m);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const borehole::DepthTable& table = ctx.record.Table(borehole::TableId::Spt);
    const int labelPos = ctx.settings.NDepthLabelPos;

    for (const SptTest& test : SptTests(ctx.record)) {
        const double t = test.depthM;
        const double b = test.IntervalBottomM();
        // The texts of a test stay on the page of its interval when they stand over a break.
        const CellOnPage cell(ctx.surface.CurrentTextColumns(), t, b);
        switch (m) {
            case SptColumnMode::NValue:
                if (test.hasValue)
                    PlaceCellText(ctx, itemCode, slot, t, 0.0, b, kUseSlotPlacement, charWidthMm, lineDepth,
                                  NValueText(test.n));
                break;
            case SptColumnMode::Depth:
                RuleAcross(ctx, col, t);
                if (labelPos == kDepthAbove || labelPos == kDepthBelow)
                    PlaceCellText(ctx, itemCode, slot, t, t, b, labelPos == kDepthAbove ? kExplicitBottom : kExplicitTop,
                                  charWidthMm, lineDepth, SptDepthText(t));
                break;
            case SptColumnMode::Blows: DrawBlowsColumn(ctx, col, test, table, lineDepth); break;
            case SptColumnMode::SelfSinking:
                DrawPenetrationColumn(ctx, itemCode, slot, col, test, 0, charWidthMm, lineDepth);
                break;
            case SptColumnMode::FiftyBlows:
                DrawPenetrationColumn(ctx, itemCode, slot, col, test, kFiftyBlows, charWidthMm, lineDepth);
                break;
            case SptColumnMode::Total: {
                const std::string text = SptTotalText(test, ctx.settings);
                if (!text.empty())
                    PlaceCellText(ctx, itemCode, slot, t, 0.0, b, kUseSlotPlacement, charWidthMm, lineDepth, text);
                break;
            }
        }
    }
}

}  // namespace stracol::render
