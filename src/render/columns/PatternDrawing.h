#pragma once
// Drawing of soil-column patterns: the line patterns by number (each its own arrangement of
// marks in the pattern's colour), the overlays ～質 and ～混じり over the main pattern, the split
// patterns of alternations, the special patterns spread over a run of layers and the bitmap
// patterns of the Sbptn folder, chosen by the pattern mode. Positions are log coordinates
// (x in millimetres of style width, y in metres of depth) converted through the page geometry.

#include <optional>
#include <string>
#include <string_view>

#include "render/PageGeometry.h"
#include "render/Surface.h"

namespace stracol::app { struct SystemSettings; }
namespace stracol::borehole { struct BoreholeRecord; }
namespace stracol::geology { struct PatternColours; struct NameTable; }

namespace stracol::render {

// ---- one pattern ----

// Draws line pattern `number` in the sub-cell x1 … x2 (mm), y1 … y2 (metres of depth at the
// geometry's current scale). While it draws, the vertical scale is 1/100 so that the marks
// keep their size on paper whatever the depth scale. share (0 < e ≤ 1, anything else counts
// as 1) shifts the mark grid left by (1 − e) × W; the variant flag moves the ～混じり marks
// away from the ～質 marks. Returns whether the number has a line pattern (a number without
// one draws nothing).
bool DrawPattern(Surface& s, const PageGeometry& g, long number, double x1Mm, double y1M, double x2Mm, double y2M,
                 double share, int penWidth, Colour colour, bool variant);

// True when the number has a line pattern of its own.
bool HasLinePattern(long number);

// The parameters of one scattered-mark pattern: column divisor h, row divisor l, column step
// factor m, row step factor o, size divisor r, marks per even and odd row (equal in the plain
// form), and the shape flag (diamond with bar).
struct ScatteredMarks {
    double h = 0;
    double l = 0;
    double m = 0;
    double o = 0;
    double r = 0;
    bool staggered = false;
    int evenCount = 0;
    int oddCount = 0;
    bool shapeFlag = false;
};

// The scattered-mark parameters of a pattern number; empty for the other numbers.
std::optional<ScatteredMarks> ScatteredMarksOf(long number);

// ---- settings ----

struct PatternSettings {
    int mode = 0;                // PatternSetting46: 0 line, 1 line then bitmap, 2 bitmap then line, 3 bitmap
    bool blackMode = false;      // PatternSetting47 すべて黒色
    int lineWidth = 1;           // px: PatternSetting48 + 1, at least 1
    bool overlayOption = false;  // PatternSetting49 混じり／質
    int ruleLineWidth = 1;       // px, RuleLineWidth: the split lines
    std::string bitmapFolder;    // the Sbptn folder ("01" appended with PatternSetting51)
};

// The pattern settings of the system settings record; patternFolder is the install folder's Sbptn.
PatternSettings PatternSettingsFrom(const app::SystemSettings& settings, const std::string& patternFolder);

// The pen width of line patterns for a stored thickness index: index + 1, at least 1.
int PatternLineWidth(int thicknessIndex);

// The colour a line pattern is drawn in: its colour table entry, black in black mode.
Colour PatternColour(const geology::PatternColours& colours, long number, bool blackMode);

// ---- one layer cell ----

// The pattern numbers of one layer: a line pattern and a second one, a bitmap and a second
// one (0 or less: none), and the share of the first pattern in per cent.
struct LayerPatterns {
    long line = 0;
    long secondLine = 0;
    long bitmap = 0;
    long secondBitmap = 0;
    int sharePercent = 100;
};

// The share of the first pattern from its text: empty → 100; outside 1-100 → 50.
int PatternShareFromText(std::string_view text);

// The cell of a layer: across x1 … x2 (mm), down from top to bottom (m of depth), and the
// page's depth window (start, end = start + depth per page).
struct PatternCell {
    double x1Mm = 0;
    double x2Mm = 0;
    double topM = 0;
    double bottomM = 0;
    double pageStartM = 0;
    double pageEndM = 0;
};

// A special pattern (10000-10004) spreads over the run of layers that share the layer's name:
// it is drawn from the cell's top down to runBottomM by the first layer of the run only.
struct SpecialRun {
    bool first = true;
    double runBottomM = 0;
};

// Fills one layer cell by the pattern mode: per source the first pattern over the share (or
// the whole width), the second over the rest; main pattern (copy), ～質 (AND) and ～混じり (AND)
// passes; split patterns side by side; special patterns over the run; a ruled line at each
// split. Drawing is clipped to the cell within the page window (the clip is lifted after).
// Returns whether the layer has a pattern. With draw false it only answers.
bool DrawLayerPatterns(Surface& s, const PageGeometry& g, const geology::PatternColours& colours,
                       const PatternSettings& settings, const LayerPatterns& layer, const PatternCell& cell,
                       const SpecialRun& run = {}, bool draw = true);

// The pattern numbers of LayerTable row `row`: the line patterns from the codes of columns 4
// and 5 ("%ld.%d"), the bitmap numbers of names 1 and 2 (columns 1 and 2) looked up in the
// bitmap-number table, the share from column 8.
LayerPatterns LayerPatternsOf(const borehole::BoreholeRecord& record, int row, const geology::NameTable& bitmapNames);

// The special run of LayerTable row `row`: first unless the row above has the same name 1 and
// line pattern; the bottom depth of the last of up to 200 following rows with that name.
SpecialRun SpecialRunOf(const borehole::BoreholeRecord& record, int row);

// The whole road for one LayerTable row, as the pattern column calls it.
bool DrawLayerPatterns(Surface& s, const PageGeometry& g, const geology::PatternColours& colours,
                       const PatternSettings& settings, const borehole::BoreholeRecord& record, int row,
                       const geology::NameTable& bitmapNames, const PatternCell& cell, bool draw = true);

}  // namespace stracol::render
