#pragma once
// What all column drawing shares: where a display item's column lies (ColumnSlot,
// ColumnEdges), its alignment and anchor, the column fonts with LineDepth and CharWidthMm,
// one text in a depth cell by the item's data placement (PlaceCellText, with vertical and
// wrapped text), the boundary line bent around pushed-down text (BoundaryLine) and the
// CellCarry walk over an interval or layer-style depth table.

#include <string>
#include <string_view>
#include <vector>

#include "borehole/BoreholeRecord.h"
#include "render/LogContext.h"
#include "render/Surface.h"

namespace stracol::style { struct LogStyle; }

namespace stracol::render {

// Slots of the style that ColumnSlot scans (1..50) and that renderers draw (1..49).
inline constexpr int kLookedUpSlots = 50;
inline constexpr int kLastDrawnSlot = 49;
// ColumnLayout::edges[0]: the left edge of the first column, mm from the left margin.
inline constexpr double kFirstColumnEdgeMm = 5.0;
// The inset of the slants of a bent boundary line, mm.
inline constexpr double kBoundaryInsetMm = 0.6;
// The scale column, and the length of its metre ticks at the right end of the log (mm).
inline constexpr int kScaleItemCode = 1001;
inline constexpr double kScaleRightTickMm = 2.0;

// Explicit vertical alignments a caller of PlaceCellText may ask for instead of the slot's
// placement code (the text's top, bottom or baseline on the explicit y). kUseSlotPlacement
// lets the slot's data placement decide.
inline constexpr int kUseSlotPlacement = -1;
inline constexpr int kExplicitTop = 0;
inline constexpr int kExplicitBottom = 8;
inline constexpr int kExplicitBaseline = 24;

// The first slot (1..50) whose item code is itemCode; 0 when the style does not hold it.
int ColumnSlot(const style::LogStyle& style, int itemCode);

// Column edges of the style: edges[0] = 5.0 mm, edges[k] = edges[k-1] + the width of slot k,
// up to the first slot whose width field fails the numeric-start test.
ColumnLayout ColumnEdges(const style::LogStyle& style);

// True when the slot's column is drawn: a slot of 1..49 that has a width (slot ≤ count).
bool IsDrawnSlot(const ColumnLayout& columns, int slot);
// ColumnSlot restricted to drawn columns: 0 when the item is absent, stands in slot 50 or
// behind a slot without a width.
int DrawnColumnSlot(const LogContext& ctx, int itemCode);

// The data placement code of a slot (field 20); 0 for a slot outside 1..50.
int SlotPlacementCode(const style::LogStyle& style, int slot);

// A column's edges and the horizontal alignment and anchor x of its data placement code
// (0.2 mm inside the edge for left and right, the middle for centre). Asked once per
// renderer call.
struct ColumnPlacement {
    double leftMm = 0;
    double rightMm = 0;
    HorizontalAlign align = HorizontalAlign::Left;
    double anchorMm = 0;
    int placementCode = 0;
};
ColumnPlacement SlotColumnPlacement(const LogContext& ctx, int slot);

// ---- fonts and text metrics ----

// The font slots of the log (1-based, as Font1.ndx … Font8.ndx).
inline constexpr int kColumnFont = 3;    // "柱状図": data in the log columns
inline constexpr int kArticleFont = 4;   // " 記事": observation articles
inline constexpr int kLoggingFont = 5;   // " 柱状図2": groundwater-logging texts
inline constexpr int kFigureFont = 8;    // " 図中": graph scales and figures

// Height in device pixels of a log font of sizePt points: sizePt × dpi / 72, rounded.
int LogFontHeightPx(double sizePt, int dpi);
// Selects font slot 1..8 of ctx.fonts (face, height at the surface's vertical resolution,
// colour) as the log font; "Can't create font" when it cannot be made. Returns false then.
bool SelectLogFontSlot(LogContext& ctx, int fontSlot, int angleDegrees = 0);

// One text line of the surface's current font in metres of depth: the font height in
// pixels divided by depthPxPerMetre (0 when the factor is not positive).
double LineDepth(const Surface& surface, const PageGeometry& geometry);
// The width of one full-width character of the current font in millimetres of style width.
double CharWidthMm(const Surface& surface, const PageGeometry& geometry);

struct CellMetrics {
    double charWidthMm = 0;
    double lineDepth = 0;
};
CellMetrics ColumnMetrics(const LogContext& ctx);

// ---- cell text ----

// Places one text in the depth cell top..bottom (m) of a slot and returns UsedBottom: the
// cell bottom, or a deeper depth when the text needed more height than the cell has. With
// explicitAlign ≥ 0 the text is written at explicitY with that vertical alignment instead.
// itemCode matters only for the automatic placement of 1023, 1025, 1026 and 3804.
// A cell reaching past the page window writes its text inside the part the page shows, so a
// thick layer can be read on every page; with keepToPage false the text keeps to the cell as
// a whole (a value that belongs to the depth of its lower boundary, such as a drilling record).
double PlaceCellText(LogContext& ctx, int itemCode, int slot, double top, double explicitY, double bottom,
                     int explicitAlign, double charWidthMm, double lineDepth, std::string_view text,
                     bool keepToPage = true);

// The vertical cell text modes (placement codes 11, 12, 13, 15).
enum class VerticalMode { Top = 1, Middle = 2, Bottom = 3, Squeezed = 4 };
// One character per line about the column centre; returns the depth below the last
// character when that lies below bottom, else bottom.
double VerticalCellText(LogContext& ctx, int slot, VerticalMode mode, double top, double bottom,
                        double charWidthMm, double lineDepth, std::string_view text);

// A boundary across xl..xr (mm): straight from depth dl to dr, or, when the shifted depth ds
// differs from either, bent down (or up) to ds between slants insetMm wide at both edges.
// Solid black, widthPx pixels.
void BoundaryLine(LogContext& ctx, double xlMm, double xrMm, double dl, double ds, double dr,
                  double insetMm = kBoundaryInsetMm, int widthPx = 1);

// ---- the CellCarry walk ----

// How the rows of a depth table give their cells.
enum class IntervalKind {
    Interval,     // upper depth, lower depth, text: boundaries at both depths
    LayerStyle,   // bottom depth, text: the cell runs from the carry to the bottom
    Point,        // one depth, text: the text stands on the depth line
};

// One interval text column: which table, its depth and text cells, and how it is ruled.
struct IntervalTextDef {
    int itemCode = 0;
    borehole::TableId table = borehole::TableId::Layer;
    IntervalKind kind = IntervalKind::Interval;
    int textColumn = 2;
    // Layer-style columns that rule only rows whose flags cell has this bit (0: every row).
    int boundaryFlagColumn = -1;
    int boundaryFlagBit = 0;
    // Clipped to the page window for the walk (and the clip lifted after it).
    bool clipToPage = false;
    // Layer-style columns of a table that two series share, each record at its own depth: a row
    // whose text is empty and whose flags cell (column 3) lacks this bit is the other series'
    // row, passed over (no cell, no boundary, the carry stays). 0: every row counts.
    int ownRowFlag = 0;
};

// Walks the table: each text placed with PlaceCellText from the carry to its lower depth, the
// carry moving to the returned UsedBottom, boundaries bent where a text overflowed. Draws
// nothing for a slot that is not drawn.
void IntervalTextWalk(LogContext& ctx, int slot, const IntervalTextDef& def);

// The interval text columns 1011, 1025, 1026, 1023, 1041, 1081, 1019, 1020 and 1015.
const std::vector<IntervalTextDef>& IntervalTextDefs();

// ---- fitted text ----

// Cell texts keep this far inside the column rules (mm).
inline constexpr double kCellTextInsetMm = 0.15;

// The room of a cell in device pixels: the column leftMm..rightMm less the inset on both
// sides, the depths topM..bottomM (no height when bottom lies above top).
Rect CellRoom(const LogContext& ctx, double leftMm, double rightMm, double topM, double bottomM);

// A text at (x mm, y m) with the surface's alignment, kept inside the column leftMm..rightMm:
// unchanged when it fits there, else narrower, smaller, wrapped into the lines between
// roomTopM and roomBottomM (none when they are equal), and clipped last. Returns the box the
// text covers in device pixels.
Rect ColumnTextAt(LogContext& ctx, double leftMm, double rightMm, double xMm, double yM, std::string_view text,
                  double roomTopM = 0, double roomBottomM = 0);

// A text wrapped to a width: its lines and font, the depth the lines take and whether every
// line fits across.
struct WrappedBlock {
    LogFont font;
    std::vector<std::string> lines;
    int lineHeightPx = 0;
    int widthPx = 0;  // of the widest line
    double depthM = 0;
    bool fitsAcross = true;
};
// Wraps the text to widthPx with the selected font; a block deeper than cellDepthM is set
// narrower, then smaller down to the readable floor; when even the floor does not fit, the
// block at the floor is returned (deeper than the cell). The selected font is kept.
WrappedBlock WrapToCell(Surface& s, const PageGeometry& g, std::string_view text, int widthPx, double cellDepthM);

// Draws the lines of a block left-aligned from leftPx, the first line's top at topM;
// clipped to leftPx..rightPx when a line is wider than that. A line that would straddle a
// page break starts the next page instead. Returns the depth below the last line.
double DrawWrappedBlock(Surface& s, const PageGeometry& g, const WrappedBlock& block, int leftPx, int rightPx,
                      double topM);

// The depth below the last line of the block drawn from topM, as DrawWrappedBlock draws it
// (lines moved off page breaks), without drawing.
double WrappedBlockBottom(Surface& s, const PageGeometry& g, const WrappedBlock& block, double topM);

// The page window: x 0 … screenFrameWidthMm, depth topM … ctx.pageEnd.
Rect PageWindowRect(const LogContext& ctx, double topM);

}  // namespace stracol::render
