#include "render/ColumnFramework.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "core/Cp932.h"
#include "core/Numbers.h"
#include "render/LogText.h"
#include "render/PageGeometry.h"
#include "render/Primitives.h"
#include "style/LogStyle.h"

namespace stracol::render {

namespace {

// The depth difference below which a boundary counts as not shifted (m).
constexpr double kShiftTolerance = 0.000001;
// Wrapped text (codes 21, 22) may run this far past the column's right edge (mm).
constexpr double kWrapOverhangMm = 0.5;
// Below these, a vertical text in a squeezed cell is written across instead.
constexpr double kSqueezeFactor = 0.7;
// Rotated cell text (code 31) starts this far below the cell top (m).
constexpr double kRotatedTopOffsetM = 0.1;
constexpr int kRotatedEscapement = 2700;

bool IsAutoPlacedItem(int itemCode) {
    return itemCode == 1023 || itemCode == 1025 || itemCode == 1026 || itemCode == 3804;
}

bool StartsDoubleByte(std::string_view text) {
    return !text.empty() && core::Cp932CharWidth(core::Utf8CharAt(text, 0)) == 2;
}

VerticalAlign ExplicitVertical(int explicitAlign) {
    switch (explicitAlign) {
        case kExplicitBottom: return VerticalAlign::Bottom;
        case kExplicitBaseline: return VerticalAlign::Baseline;
        default: return VerticalAlign::Top;
    }
}

// The text with its reference point at (x, y), aligned as asked, the previous alignment kept.
void AlignedText(LogContext& ctx, HorizontalAlign h, VerticalAlign v, double xMm, double yM, std::string_view text) {
    TextAlignScope scope(ctx.surface, TextAlign{h, v});
    TextAt(ctx.surface, ctx.geometry, xMm, yM, text);
}

// Height in metres of a measured text box (its pixel height, unsigned).
double MeasuredDepth(const PageGeometry& g, const Rect& measured) {
    if (g.depthPxPerMetre <= 0.0001) return 0;
    return std::abs(measured.Height()) / g.depthPxPerMetre;
}

Rect LogRect(const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M) {
    return Rect{MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M)};
}

// Codes 21, 22, 23: word-wrapped text, left/top in its rectangle, never clipped.
double WrappedCellText(LogContext& ctx, int code, double xl, double xr, double t, double b, std::string_view text) {
    const PageGeometry& g = ctx.geometry;
    Surface& s = ctx.surface;
    const unsigned drawFlags = TextBox::kLeft | TextBox::kTop | TextBox::kNoClip | TextBox::kWordBreak;
    if (code == 23) {
        Rect measured = s.DrawTextBox(LogRect(g, xl, t, xr, t), text, TextBox::kCalcRect | TextBox::kWordBreak);
        const double h = MeasuredDepth(g, measured);
        double y0 = t;
        double used = std::max(t + h, b);
        if (h <= b - t) {
            y0 = b - h;
            used = b;
        }
        s.DrawTextBox(LogRect(g, xl, y0, xr, used), text, drawFlags);
        return used;
    }
    const double right = xr + kWrapOverhangMm;
    Rect measured = s.DrawTextBox(LogRect(g, xl, t, right, t), text,
                                  TextBox::kCalcRect | TextBox::kNoClip | TextBox::kWordBreak);
    const double h = MeasuredDepth(g, measured);
    double y0 = t;
    double used = std::max(t + h, b);
    if (code == 21) {
        if (b - t >= h) used = b;
    } else if (h <= b - t) {
        y0 = (t + b) / 2 - h / 2;
        used = b;
    }
    s.DrawTextBox(LogRect(g, xl, y0, right, y0 + h), text, drawFlags);
    return used;
}

// Code 31: the text turned by 270°, from the column centre plus five line depths. The turned
// font is selected for this text only, so the other columns keep upright text.
void RotatedCellText(LogContext& ctx, double xl, double xr, double t, double h, std::string_view text) {
    Surface& s = ctx.surface;
    const LogFont previous = s.CurrentFont();
    bool turned = false;
    if (previous.escapement != kRotatedEscapement) {
        LogFont rotated = previous;
        rotated.escapement = kRotatedEscapement;
        turned = s.SelectFont(rotated);
    }
    AlignedText(ctx, HorizontalAlign::Left, VerticalAlign::Top, (xl + xr) / 2 + 5 * h, t + kRotatedTopOffsetM, text);
    if (turned) s.SelectFont(previous);
}

}  // namespace

int ColumnSlot(const style::LogStyle& style, int itemCode) {
    if (itemCode <= 0) return 0;
    for (int slot = 1; slot <= kLookedUpSlots; ++slot)
        if (style.items[static_cast<std::size_t>(slot - 1)].ItemCode() == itemCode) return slot;
    return 0;
}

ColumnLayout ColumnEdges(const style::LogStyle& style) {
    ColumnLayout layout;
    layout.edges.fill(0.0);
    layout.edges[0] = kFirstColumnEdgeMm;
    const int lastEntry = static_cast<int>(layout.edges.size()) - 1;
    int k = 1;
    for (; k <= lastEntry && k <= style::kMaxItemRows; ++k) {
        const std::string& width = style.items[static_cast<std::size_t>(k - 1)].Field(style::kWidthField);
        if (core::IsNumericStart(width) != 1) break;
        layout.edges[static_cast<std::size_t>(k)] =
            layout.edges[static_cast<std::size_t>(k - 1)] + core::LeadingReal(width);
    }
    layout.count = k - 1;
    return layout;
}

bool IsDrawnSlot(const ColumnLayout& columns, int slot) {
    return slot >= 1 && slot <= kLastDrawnSlot && slot <= columns.count;
}

int DrawnColumnSlot(const LogContext& ctx, int itemCode) {
    const int slot = ColumnSlot(ctx.style, itemCode);
    return IsDrawnSlot(ctx.columns, slot) ? slot : 0;
}

int SlotPlacementCode(const style::LogStyle& style, int slot) {
    if (slot < 1 || slot > kLookedUpSlots) return 0;
    return style.items[static_cast<std::size_t>(slot - 1)].DataPlacementCode();
}

ColumnPlacement SlotColumnPlacement(const LogContext& ctx, int slot) {
    ColumnPlacement p;
    if (slot < 1 || slot > kLookedUpSlots) return p;
    p.leftMm = ctx.columns.edges[static_cast<std::size_t>(slot - 1)];
    p.rightMm = ctx.columns.edges[static_cast<std::size_t>(slot)];
    p.placementCode = SlotPlacementCode(ctx.style, slot);
    p.align = SlotAlignment(slot, p.placementCode);
    p.anchorMm = AnchorX(p.align, p.leftMm, p.rightMm);
    return p;
}

int LogFontHeightPx(double sizePt, int dpi) {
    return static_cast<int>(std::lround(sizePt * dpi / 72.0));
}

bool SelectLogFontSlot(LogContext& ctx, int fontSlot, int angleDegrees) {
    if (fontSlot < 1 || fontSlot > static_cast<int>(ctx.fonts.size())) return false;
    const app::FontSetting& font = ctx.fonts[static_cast<std::size_t>(fontSlot - 1)];
    const Colour colour = static_cast<Colour>(font.colour) & 0xffffffu;
    return CreateLogFont(ctx.surface, colour, LogFontHeightPx(font.sizePt, ctx.geometry.dpiY), font.faceName,
                         angleDegrees, ctx.messages);
}

double LineDepth(const Surface& surface, const PageGeometry& geometry) {
    if (geometry.depthPxPerMetre <= 0.0001) return 0;
    return std::abs(surface.CurrentFont().height) / geometry.depthPxPerMetre;
}

double CharWidthMm(const Surface& surface, const PageGeometry& geometry) {
    if (geometry.xFactor <= 0.0001) return 0;
    return surface.MeasureText("あ").width / geometry.xFactor;
}

CellMetrics ColumnMetrics(const LogContext& ctx) {
    return CellMetrics{CharWidthMm(ctx.surface, ctx.geometry), LineDepth(ctx.surface, ctx.geometry)};
}

double PlaceCellText(LogContext& ctx, int itemCode, int slot, double top, double explicitY, double bottom,
                     int explicitAlign, double charWidthMm, double lineDepth, std::string_view text) {
    if (!IsDrawnSlot(ctx.columns, slot)) return 0.0;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const double t = top;
    const double b = bottom;
    const double h = lineDepth;

    if (explicitAlign >= 0) {
        AlignedText(ctx, col.align, ExplicitVertical(explicitAlign), col.anchorMm, explicitY, text);
        return explicitAlign == kExplicitTop ? b + h : b;
    }

    int code = col.placementCode;
    if (IsAutoPlacedItem(itemCode) && code == 99 && !text.empty()) code = StartsDoubleByte(text) ? 12 : 2;

    switch (code) {
        case 0:
        case 99:
            AlignedText(ctx, col.align, VerticalAlign::Bottom, col.anchorMm, b, text);
            return b;
        case 1:
        case 2:
        case 3:
            AlignedText(ctx, col.align, b - t < h ? VerticalAlign::Baseline : VerticalAlign::Bottom, col.anchorMm, b,
                        text);
            return b;
        case 4:
        case 5:
        case 6:
            AlignedText(ctx, col.align, VerticalAlign::Top, col.anchorMm, b - t < h ? t : (t + b) / 2 - h / 2, text);
            return b;
        case 7:
        case 8:
        case 9:
            AlignedText(ctx, col.align, VerticalAlign::Top, col.anchorMm, t, text);
            return b;
        case 11: return VerticalCellText(ctx, slot, VerticalMode::Top, t, b, charWidthMm, h, text);
        case 12: return VerticalCellText(ctx, slot, VerticalMode::Middle, t, b, charWidthMm, h, text);
        case 13: return VerticalCellText(ctx, slot, VerticalMode::Bottom, t, b, charWidthMm, h, text);
        case 15: return VerticalCellText(ctx, slot, VerticalMode::Squeezed, t, b, charWidthMm, h, text);
        case 21:
        case 22:
        case 23:
            return WrappedCellText(ctx, code, col.leftMm, col.rightMm, t, b, text);
        case 31:
            RotatedCellText(ctx, col.leftMm, col.rightMm, t, h, text);
            return b;
        default:
            return b;
    }
}

double VerticalCellText(LogContext& ctx, int slot, VerticalMode mode, double top, double bottom, double charWidthMm,
                        double lineDepth, std::string_view text) {
    if (!IsDrawnSlot(ctx.columns, slot) || text.empty()) return bottom;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const double t = top;
    const double b = bottom;
    const double h = lineDepth;
    const double xc = (col.leftMm + col.rightMm) / 2;

    const double n = static_cast<double>(std::max<std::size_t>(core::CharacterCount(text), 1));
    const double total = n * h;
    const double y0 = (t + b) / 2 - total / 2;

    if (mode == VerticalMode::Squeezed && y0 < t && (b - t) / n < kSqueezeFactor * h) {
        AlignedText(ctx, HorizontalAlign::Left, VerticalAlign::Top, col.leftMm, b - h, text);
        return b;
    }

    double y = y0;
    switch (mode) {
        case VerticalMode::Top: y = t + 0.1 < y0 ? t + 0.1 : t; break;
        case VerticalMode::Middle: y = y0; break;
        case VerticalMode::Bottom: y = b - total; break;
        case VerticalMode::Squeezed: y = y0; break;
    }
    if ((mode == VerticalMode::Middle || mode == VerticalMode::Bottom) && y <= t) y = t + 0.05;

    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = core::Utf8CharLength(text, i);
        std::string ch(text.substr(i, len));
        i += len;
        if (ch == "ー" || ch == "－") ch = "｜";
        double dx = 0;
        if (ch == "ッ" || ch == "ャ" || ch == "ュ" || ch == "ョ" || ch == "ァ" || ch == "ィ" || ch == "ゥ" ||
            ch == "ェ" || ch == "ォ")
            dx = 0.2 * charWidthMm;
        else if (ch == "ド")
            dx = 0.1 * charWidthMm;
        ctx.surface.DrawTextBox(LogRect(ctx.geometry, xc - charWidthMm / 2 + dx, y, xc + charWidthMm / 2 + dx, y + h),
                                ch, TextBox::kCentre | TextBox::kNoClip);
        y += h;
    }
    return y > b ? y : b;
}

void BoundaryLine(LogContext& ctx, double xlMm, double xrMm, double dl, double ds, double dr, double insetMm,
                  int widthPx) {
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    if (std::fabs(dl - ds) >= kShiftTolerance || std::fabs(dr - ds) >= kShiftTolerance) {
        DrawLine(s, g, xlMm, dl, xlMm + insetMm, ds, 0, widthPx, 0);
        DrawLine(s, g, xlMm + insetMm, ds, xrMm - insetMm, ds, 0, widthPx, 0);
        DrawLine(s, g, xrMm - insetMm, ds, xrMm, dr, 0, widthPx, 0);
    } else {
        DrawLine(s, g, xlMm, dl, xrMm, dr, 0, widthPx, 0);
    }
}

Rect PageWindowRect(const LogContext& ctx, double topM) {
    return LogRect(ctx.geometry, 0.0, topM, ctx.geometry.screenFrameWidthMm, ctx.pageEnd);
}

void IntervalTextWalk(LogContext& ctx, int slot, const IntervalTextDef& def) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const borehole::DepthTable& table = ctx.record.Table(def.table);
    const CellMetrics metrics = ColumnMetrics(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const int width = ctx.settings.RuleLineWidth;
    if (def.clipToPage) ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));

    auto place = [&](double top, double bottom, const std::string& text) {
        return PlaceCellText(ctx, def.itemCode, slot, top, 0.0, bottom, kUseSlotPlacement, metrics.charWidthMm,
                             metrics.lineDepth, text);
    };

    double carry = 0.0;
    const int rows = table.RowCount();
    for (int row = 1; row <= rows; ++row) {
        const std::string& text = table.Cell(row, def.textColumn);
        switch (def.kind) {
            case IntervalKind::Interval: {
                const std::string& lowerCell = table.Cell(row, 1);
                if (core::IsNumericStart(lowerCell) != 1) continue;
                const double upper = core::LeadingReal(table.Cell(row, 0));
                const double lower = core::LeadingReal(lowerCell);
                if (upper > carry) carry = upper;
                const double used = place(carry, lower, text);
                BoundaryLine(ctx, col.leftMm, col.rightMm, upper, carry, upper, kBoundaryInsetMm, width);
                BoundaryLine(ctx, col.leftMm, col.rightMm, lower, used, lower, kBoundaryInsetMm, width);
                carry = used;
                break;
            }
            case IntervalKind::LayerStyle: {
                const double bottom = core::LeadingReal(table.Cell(row, 0));
                const double used = place(carry, bottom, text);
                const bool ruled = def.boundaryFlagBit == 0 ||
                                   (core::LeadingInt(table.Cell(row, def.boundaryFlagColumn)) & def.boundaryFlagBit);
                if (ruled) BoundaryLine(ctx, col.leftMm, col.rightMm, bottom, used, bottom, kBoundaryInsetMm, width);
                carry = used;
                break;
            }
            case IntervalKind::Point: {
                const double depth = core::LeadingReal(table.Cell(row, 0));
                const double used = place(std::max(carry, depth), depth, text);
                BoundaryLine(ctx, col.leftMm, col.rightMm, depth, used, depth, kBoundaryInsetMm, width);
                carry = used;
                break;
            }
        }
    }
    if (def.clipToPage) ctx.surface.ClearClip();
}

}  // namespace stracol::render
