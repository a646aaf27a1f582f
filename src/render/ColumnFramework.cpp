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
#include "render/TextFit.h"
#include "style/LogStyle.h"

namespace stracol::render {

namespace {

// The depth difference below which a boundary counts as not shifted (m).
constexpr double kShiftTolerance = 0.000001;
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

// The same, fitted into the cell leftMm..rightMm (across) and topM..bottomM (the lines it
// may take).
Rect AlignedCellText(LogContext& ctx, HorizontalAlign h, VerticalAlign v, double xMm, double yM, double leftMm,
                     double rightMm, double topM, double bottomM, std::string_view text) {
    TextAlignScope scope(ctx.surface, TextAlign{h, v});
    return DrawFittedText(ctx.surface, MmToX(ctx.geometry, xMm), DepthToY(ctx.geometry, yM), text,
                          CellRoom(ctx, leftMm, rightMm, topM, bottomM));
}

// The depth a cell's text takes down to: its bottom, or below the text when the text was
// moved down out of the way of another so far that the cell's bottom rule would cross it
// (glyphs leave a sixth of their line free at the bottom).
double BelowMovedText(const LogContext& ctx, double bottomM, const Rect& drawn) {
    const PageGeometry& g = ctx.geometry;
    const TextColumns* columns = ctx.surface.CurrentTextColumns();
    if (!columns || columns->lastMovedPx <= 0 || g.depthPxPerMetre <= 0.0001 || drawn.Height() <= 0) return bottomM;
    if (drawn.bottom - drawn.Height() / 6 <= DepthToY(g, bottomM)) return bottomM;
    return std::max(bottomM, YToDepth(g, drawn.bottom));
}

Rect LogRect(const PageGeometry& g, double x1Mm, double y1M, double x2Mm, double y2M) {
    return Rect{MmToX(g, x1Mm), DepthToY(g, y1M), MmToX(g, x2Mm), DepthToY(g, y2M)};
}

// Codes 21, 22, 23: text wrapped to the column, left/top in its lines. A text taller than
// its cell is first set narrower, then smaller down to the readable floor; only a text that
// does not fit even then runs on below the cell (and pushes the next cell down).
double WrappedCellText(LogContext& ctx, int code, double xl, double xr, double t, double b, std::string_view text) {
    const PageGeometry& g = ctx.geometry;
    Surface& s = ctx.surface;
    const Rect room = CellRoom(ctx, xl, xr, t, b);
    const WrappedBlock block = WrapToCell(s, g, text, room.Width(), b - t);
    const double h = block.depthM;
    double y0 = t;
    double used = std::max(t + h, b);
    if (h <= b - t) {
        used = b;
        if (code == 22) y0 = (t + b) / 2 - h / 2;
        else if (code == 23) y0 = b - h;
    }
    const double end = DrawWrappedBlock(s, g, block, room.left, room.right, y0);
    used = std::max(used, end);
    ctx.worstDriftM = std::max(ctx.worstDriftM, used - b);
    ctx.deepestTextM = std::max(ctx.deepestTextM, end);
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

namespace {

// PlaceCellText; keepToPage moves the text of a cell reaching past the page window inside
// the part the page shows.
double PlaceCellTextIn(LogContext& ctx, int itemCode, int slot, double top, double explicitY, double bottom,
                     int explicitAlign, double charWidthMm, double lineDepth, std::string_view text, bool keepToPage) {
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

    // A cell reaching past the page window (a thick layer begun on an earlier page, or taller
    // than a page) writes its text inside the part this page shows, so that it can be read on
    // every page the cell covers.
    if (keepToPage && !text.empty() && ctx.pageEnd > ctx.pageStart && (t < ctx.pageStart || b > ctx.pageEnd)) {
        const double shownTop = std::max(t, ctx.pageStart);
        const double shownBottom = std::min(b, ctx.pageEnd);
        const bool vertical = code >= 11 && code <= 15;
        const bool wrapped = code >= 21 && code <= 23;
        double needed = vertical ? h * static_cast<double>(core::CharacterCount(text)) : h;
        if (wrapped) {
            // A wrapped text moves only when it fits the shown part, so the cells after it
            // are carried alike on every page.
            const Rect room = CellRoom(ctx, col.leftMm, col.rightMm, t, t);
            const double own = WrapToCell(ctx.surface, ctx.geometry, text, room.Width(), b - t).depthM;
            needed = own <= b - t ? std::max(own, h) : 1e300;
        }
        if (shownBottom - shownTop >= needed) {
            PlaceCellTextIn(ctx, itemCode, slot, shownTop, explicitY, shownBottom, explicitAlign, charWidthMm, lineDepth,
                            text, false);
            return b;
        }
    }

    const double xl = col.leftMm;
    const double xr = col.rightMm;
    switch (code) {
        case 0:
        case 99:
            return BelowMovedText(ctx, b, AlignedCellText(ctx, col.align, VerticalAlign::Bottom, col.anchorMm, b, xl, xr, t, b, text));
        case 1:
        case 2:
        case 3:
            return BelowMovedText(ctx, b, AlignedCellText(ctx, col.align, b - t < h ? VerticalAlign::Baseline : VerticalAlign::Bottom,
                                                          col.anchorMm, b, xl, xr, t, b, text));
        case 4:
        case 5:
        case 6: {
            // Lines a fitted text needs are centred as a block.
            Surface& s = ctx.surface;
            const Rect room = CellRoom(ctx, xl, xr, t, b);
            const FittedText fitted = FitText(s, text, TextRoom{room.Width(), room.Height()});
            const double blockM = h * static_cast<double>(std::max<std::size_t>(fitted.lines.size(), 1));
            const double y = b - t < blockM ? t : (t + b) / 2 - blockM / 2;
            TextAlignScope scope(s, TextAlign{col.align, VerticalAlign::Top});
            DrawFittedText(s, MmToX(ctx.geometry, col.anchorMm), DepthToY(ctx.geometry, y), text, fitted, room);
            return b;
        }
        case 7:
        case 8:
        case 9:
            AlignedCellText(ctx, col.align, VerticalAlign::Top, col.anchorMm, t, xl, xr, t, b, text);
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

}  // namespace

double PlaceCellText(LogContext& ctx, int itemCode, int slot, double top, double explicitY, double bottom,
                     int explicitAlign, double charWidthMm, double lineDepth, std::string_view text, bool keepToPage) {
    const double used = PlaceCellTextIn(ctx, itemCode, slot, top, explicitY, bottom, explicitAlign, charWidthMm,
                                        lineDepth, text, keepToPage);
    if (!text.empty()) ctx.deepestTextM = std::max(ctx.deepestTextM, used);
    return used;
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
    TextColumns* columns = ctx.surface.CurrentTextColumns();
    const PageGeometry& g = ctx.geometry;
    if (columns && g.depthPxPerMetre > 0.0001) {
        // Below any text already written in the column.
        const double cw = std::min(charWidthMm, col.rightMm - col.leftMm);
        const Rect span = LogRect(g, xc - cw / 2, y, xc + cw / 2, y + n * h);
        const Rect claimed = columns->Claim(span);
        y += (claimed.top - span.top) / g.depthPxPerMetre;
    }

    // Characters wider than the column are set narrower (then smaller) for the whole text.
    const LogFont selected = ctx.surface.CurrentFont();
    const Rect room = CellRoom(ctx, col.leftMm, col.rightMm, t, t);
    const FittedText wide = FitText(ctx.surface, "あ", TextRoom{room.Width(), 0});
    const bool narrowed = !(wide.font == selected);
    if (narrowed) {
        ctx.surface.SelectFont(wide.font);
        charWidthMm = CharWidthMm(ctx.surface, ctx.geometry);
    }
    // A column narrower than even the smallest character: clipped to it.
    const ClipAcross clip(ctx.surface, room.left, room.right, !wide.fits);
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
        // A character never straddles a page break: it starts the next page instead.
        if (columns) {
            y = columns->LineTopOffBreaksM(y, h);
            if (!columns->ShowsLineM(y, h) && y < columns->windowBottomM) {
                y += h;
                continue;
            }
        }
        ctx.surface.DrawTextBox(LogRect(g, xc - charWidthMm / 2 + dx, y, xc + charWidthMm / 2 + dx, y + h), ch,
                                TextBox::kCentre | TextBox::kNoClip);
        y += h;
    }
    if (narrowed) ctx.surface.SelectFont(selected);
    return y > b ? y : b;
}

void BoundaryLine(LogContext& ctx, double xlMm, double xrMm, double dl, double ds, double dr, double insetMm,
                  int widthPx) {
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    if (std::fabs(dl - ds) >= kShiftTolerance || std::fabs(dr - ds) >= kShiftTolerance) {
        // A slant never runs through a text already written beside the rule it leaves: it
        // keeps to the gap between that rule and the text (along the rule when there is none).
        double leftInset = insetMm;
        double rightInset = insetMm;
        if (const TextColumns* columns = s.CurrentTextColumns(); columns && g.xFactor > 0) {
            const int xl = MmToX(g, xlMm);
            const int xr = MmToX(g, xrMm);
            const std::vector<Rect>& written = columns->WrittenAt((xl + xr) / 2);
            auto gapBeside = [&](double from, double to, bool left) {
                const int top = DepthToY(g, std::min(from, to));
                const int bottom = DepthToY(g, std::max(from, to));
                double inset = insetMm;
                for (const Rect& r : written) {
                    if (r.top >= bottom || r.bottom <= top || r.right <= xl || r.left >= xr) continue;
                    const int gapPx = left ? r.left - xl - 1 : xr - r.right - 1;
                    inset = std::min(inset, std::max(0, gapPx) / g.xFactor);
                }
                return inset;
            };
            leftInset = gapBeside(dl, ds, true);
            rightInset = gapBeside(dr, ds, false);
        }
        DrawLine(s, g, xlMm, dl, xlMm + leftInset, ds, 0, widthPx, 0);
        DrawLine(s, g, xlMm + leftInset, ds, xrMm - rightInset, ds, 0, widthPx, 0);
        DrawLine(s, g, xrMm - rightInset, ds, xrMm, dr, 0, widthPx, 0);
    } else {
        DrawLine(s, g, xlMm, dl, xrMm, dr, 0, widthPx, 0);
    }
}

Rect CellRoom(const LogContext& ctx, double leftMm, double rightMm, double topM, double bottomM) {
    const PageGeometry& g = ctx.geometry;
    double left = leftMm + kCellTextInsetMm;
    double right = rightMm - kCellTextInsetMm;
    // The last column ends where the scale's ticks at the right end of the log begin.
    const double logRight = ctx.columns.edges[static_cast<std::size_t>(std::clamp(ctx.columns.count, 0, 59))];
    if (ctx.rightTickMm > 0 && rightMm > logRight - 1e-6) right = std::min(right, logRight - ctx.rightTickMm);
    if (right < left) left = right = (leftMm + rightMm) / 2;
    Rect room{MmToX(g, left), DepthToY(g, topM), MmToX(g, right), DepthToY(g, bottomM)};
    if (room.bottom < room.top) room.bottom = room.top;
    return room;
}

Rect ColumnTextAt(LogContext& ctx, double leftMm, double rightMm, double xMm, double yM, std::string_view text,
                  double roomTopM, double roomBottomM) {
    return DrawFittedText(ctx.surface, MmToX(ctx.geometry, xMm), DepthToY(ctx.geometry, yM), text,
                          CellRoom(ctx, leftMm, rightMm, roomTopM, roomBottomM));
}

WrappedBlock WrapToCell(Surface& s, const PageGeometry& g, std::string_view text, int widthPx, double cellDepthM) {
    const LogFont selected = s.CurrentFont();
    WrappedBlock block;
    block.font = selected;
    const double pxPerMetre = g.depthPxPerMetre > 0.0001 ? g.depthPxPerMetre : 1.0;
    auto layout = [&](const LogFont& f) {
        s.SelectFont(f);
        WrappedBlock candidate;
        candidate.font = f;
        candidate.lines = WrapAtNaturalPoints(s, text, widthPx);
        candidate.lineHeightPx = std::max(1, s.MeasureText("あ").height);
        candidate.depthM = static_cast<double>(candidate.lines.size()) * candidate.lineHeightPx / pxPerMetre;
        for (const std::string& line : candidate.lines)
            candidate.widthPx = std::max(candidate.widthPx, s.MeasureText(line).width);
        candidate.fitsAcross = candidate.widthPx <= widthPx;
        return candidate;
    };
    block = layout(selected);
    if (block.depthM > cellDepthM + 1e-9 || !block.fitsAcross) {
        const int h0 = std::max(1, std::abs(selected.height));
        const int floor = TextFloorHeightPx(h0, s.DpiY());
        auto fontOf = [&](int height, int percent) { return FontAt(selected, height, percent); };
        bool done = false;
        for (int percent = 90; percent >= kMinTextWidthPercent && !done; percent -= 10) {
            WrappedBlock c = layout(fontOf(h0, percent));
            if (c.depthM <= cellDepthM + 1e-9 && c.fitsAcross) {
                block = c;
                done = true;
            }
        }
        const int step = std::max(1, (h0 - floor) / 6);
        for (int height = h0 - step; height >= floor && !done; height = height == floor ? floor - 1 : std::max(floor, height - step)) {
            WrappedBlock c = layout(fontOf(height, kMinTextWidthPercent));
            if (c.depthM <= cellDepthM + 1e-9 && c.fitsAcross) {
                block = c;
                done = true;
            }
        }
        if (!done) {
            // It runs on below its cell: at the floor, as narrow as needed for the widest word.
            WrappedBlock c = layout(fontOf(floor, 100));
            if (!c.fitsAcross) c = layout(fontOf(floor, kMinTextWidthPercent));
            block = c;
        }
    }
    s.SelectFont(selected);
    return block;
}

namespace {

// Lays the lines of a wrapped block one under another from topM, in metres so that every page
// lays them alike: from a depth (the top, or the page break the last line was moved to) so
// many pixels down, each line moved down to the page break it would straddle. Calls
// line(index, top, depth of a line, restarted) for each, restarted when the line starts the
// block or was moved to a break, and returns the depth below the last line.
template <typename LineFn>
double LayBlockLines(const TextColumns* columns, const PageGeometry& g, const WrappedBlock& block, double topM,
                     LineFn&& line) {
    const double lineM = block.lineHeightPx / g.depthPxPerMetre;
    double base = topM;
    int below = 0;
    for (std::size_t i = 0; i < block.lines.size(); ++i) {
        double y = base + below / g.depthPxPerMetre;
        const double moved = columns ? columns->LineTopOffBreaksM(y, lineM) : y;
        if (moved != y) {
            base = y = moved;
            below = 0;
        }
        line(i, y, lineM, below == 0);
        below += block.lineHeightPx;
    }
    return base + below / g.depthPxPerMetre;
}

}  // namespace

double DrawWrappedBlock(Surface& s, const PageGeometry& g, const WrappedBlock& block, int leftPx, int rightPx,
                        double topM) {
    if (g.depthPxPerMetre <= 0.0001) return topM + block.depthM;
    const LogFont selected = s.CurrentFont();
    s.SelectFont(block.font);
    TextColumns* columns = s.CurrentTextColumns();
    double end = topM;
    {
        const ClipAcross clip(s, leftPx, rightPx, !block.fitsAcross);
        TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
        // Consecutive lines go out as one box of lines, drawn from the pixel of its first line;
        // a page break between them starts a new one.
        std::string run;
        double runTop = topM;
        int runLines = 0;
        auto flush = [&] {
            if (runLines > 0) {
                const int top = DepthToY(g, runTop);
                s.DrawTextBox(Rect{leftPx, top, std::max(rightPx, leftPx + 1), top + runLines * block.lineHeightPx},
                              run, TextBox::kLeft | TextBox::kTop | TextBox::kNoClip);
            }
            run.clear();
            runLines = 0;
        };
        end = LayBlockLines(columns, g, block, topM, [&](std::size_t i, double y, double lineM, bool restarted) {
            // Lines outside the page window are not drawn at all (nor one shown whole on the page before).
            const bool shown = !columns || columns->ShowsLineM(y, lineM);
            // Lines on either side of a page break go out as separate boxes.
            if (restarted || !shown || (runLines > 0 && columns && columns->BreakBetweenM(runTop, y))) flush();
            if (shown) {
                if (runLines == 0) runTop = y;
                if (runLines > 0) run += '\n';
                run += block.lines[i];
                ++runLines;
            }
        });
        flush();
    }
    if (columns) columns->Keep(Rect{leftPx, DepthToY(g, topM), leftPx + block.widthPx, DepthToY(g, end)});
    s.SelectFont(selected);
    return end;
}

double WrappedBlockBottom(Surface& s, const PageGeometry& g, const WrappedBlock& block, double topM) {
    if (g.depthPxPerMetre <= 0.0001) return topM + block.depthM;
    return LayBlockLines(s.CurrentTextColumns(), g, block, topM, [](std::size_t, double, double, bool) {});
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
                if (def.ownRowFlag != 0 && text.empty() && !(core::LeadingInt(table.Cell(row, 3)) & def.ownRowFlag)) continue;
                const double bottom = core::LeadingReal(table.Cell(row, 0));
                const bool ruled = def.boundaryFlagBit == 0 ||
                                   (core::LeadingInt(table.Cell(row, def.boundaryFlagColumn)) & def.boundaryFlagBit);
                // A row with no text and no boundary of the column's own (a layer boundary inside
                // one colour) does not end the cell: the text of the row that does is written in
                // the whole of it, on every page it covers, not in its last layer only.
                if (!ruled && text.empty()) continue;
                const double used = place(carry, bottom, text);
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
