#include "render/columns/PatternDrawing.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "borehole/SoilName.h"
#include "core/Numbers.h"
#include "geology/NameTable.h"
#include "geology/PatternColours.h"
#include "render/Primitives.h"
#include "render/columns/PatternBitmaps.h"
#include "render/columns/PatternFrame.h"
#include "render/columns/PatternNumber.h"

namespace stracol::render {

namespace {

struct ScatteredEntry {
    long number;
    ScatteredMarks marks;
};

// The scattered-mark family: sand, gravel and sandstone dots.
constexpr std::array<ScatteredEntry, 12> kScattered = {{
    {200, {8, 8, 2, 2, 13, false, 4, 4, false}},
    {300, {6, 8, 2, 1, 24, true, 3, 2, true}},
    {400, {8, 6, 2, 1, 24, false, 4, 4, true}},
    {1400, {10.5, 6, 2, 1, 26, true, 5, 5, true}},
    {3300, {6, 8, 2, 2, 10, true, 3, 2, false}},
    {3400, {6.5, 8, 2, 2, 11, true, 3, 3, false}},
    {3500, {8.5, 8, 2, 2, 13, true, 4, 4, false}},
    {3600, {6.5, 8, 2, 2, 20, true, 3, 3, true}},
    {3800, {8.5, 6, 2, 1, 22, true, 4, 4, true}},
    {4400, {7, 12, 1, 2, 26, false, 6, 6, true}},
    {4500, {8, 8, 2, 2, 26, true, 4, 3, true}},
    {20100, {6, 4, 2, 1, 10, true, 3, 2, false}},
}};

void DrawScatteredMarks(const PatternFrame& f, const ScatteredMarks& p) {
    const double w = f.W();
    const double rowUnit = w * 0.1 / p.l;        // B, m
    const double halfHeight = w / p.r * 0.1;     // C, m
    const double halfWidth = w / p.r;            // E, mm
    const double columnStep = (w / p.h) * p.m;   // mm
    const double rowStep = rowUnit * p.o;        // m
    if (rowStep <= 0) return;
    const double origin = f.Origin();
    int row = 0;
    for (double y = f.y1 + std::max(rowUnit, 2 * halfHeight); y < f.y2 - halfHeight && row < 100000;
         y += rowStep, ++row) {
        const bool even = row % 2 == 0;
        const double start = (p.staggered && !even) ? origin + 1.8 * w / p.h : origin + w / p.h;
        const int count = (p.staggered && !even) ? p.oddCount : p.evenCount;
        for (int k = 0; k < count; ++k) {
            const double x = start + k * columnStep;
            if (x <= f.x1) continue;
            if (p.shapeFlag) {
                f.DiamondWithBar(x, y, halfWidth, halfHeight);
                if (p.r <= 22) f.Circle(x, y, 0.8 * halfHeight);
            } else if (p.r >= 20) {
                f.Diamond(x, y, halfWidth, halfHeight);
            } else {
                f.Circle(x, y, halfHeight);
            }
        }
    }
}

// The share of the first of two patterns as a fraction; a share of 100 would leave the
// second pattern no room, so it splits in the middle.
double TwoPatternShare(int percent) {
    if (percent < 1 || percent >= 100) return 0.5;
    return percent / 100.0;
}

enum class Source { Line, Bitmap };

// One layer cell being filled.
class CellPainter {
public:
    CellPainter(Surface& s, const PageGeometry& g, const geology::PatternColours& colours,
                const PatternSettings& settings, const LayerPatterns& layer, const PatternCell& cell,
                const SpecialRun& run)
        : m_s(s), m_g(g), m_colours(colours), m_settings(settings), m_layer(layer), m_cell(cell), m_run(run) {}

    // Draws one source's patterns; returns whether any of them was drawn.
    bool DrawSource(Source source, bool firstPass) {
        const long first = source == Source::Line ? m_layer.line : m_layer.bitmap;
        const long second = source == Source::Line ? m_layer.secondLine : m_layer.secondBitmap;
        if (first < 1) return false;
        const bool two = second > 0;
        const double x1 = m_cell.x1Mm;
        const double x2 = m_cell.x2Mm;
        const double split = two ? x1 + TwoPatternShare(m_layer.sharePercent) * (x2 - x1) : x2;

        bool drawn = false;
        const PatternClass cls = ClassOfPattern(first);
        if (IsSpecialClass(cls) && source == Source::Line) {
            drawn = HasLinePattern(first);
            if (m_run.first) {
                const double bottom = std::max(m_run.runBottomM, m_cell.bottomM);
                if (ClipTo(x1, split, m_cell.topM, bottom))
                    DrawPattern(m_s, m_g, first, x1, m_cell.topM, split, bottom, 1.0, m_settings.lineWidth,
                                PatternColour(m_colours, first, m_settings.blackMode), false);
            }
            ClipTo(x1, x2, m_cell.topM, m_cell.bottomM);
        } else {
            if (!ClipTo(x1, x2, m_cell.topM, m_cell.bottomM)) return HasAny(source, first, second);
            drawn = DrawNumber(source, first, x1, split);
        }
        if (firstPass) RuleAt(x1);
        if (two && second > 0) {
            if (!ClipTo(x1, x2, m_cell.topM, m_cell.bottomM)) return drawn;
            drawn = DrawNumber(source, second, split, x2) || drawn;
            if (split > x1 + 0.1) RuleAt(split);
        }
        return drawn;
    }

private:
    // Clips to the rectangle within the page window; false when nothing of it is on the page.
    bool ClipTo(double x1, double x2, double top, double bottom) {
        const double t = std::max(top, m_cell.pageStartM + 0.02);
        const double b = std::min(bottom, m_cell.pageEndM);
        if (b <= t || x2 <= x1) return false;
        m_s.SetClipRect(Rect{MmToX(m_g, x1), DepthToY(m_g, t), MmToX(m_g, x2), DepthToY(m_g, b)});
        return true;
    }

    void RuleAt(double x) {
        DrawLine(m_s, m_g, x, m_cell.topM, x, m_cell.bottomM, 0, m_settings.ruleLineWidth, 0);
    }

    // Whether a source has something to draw for the numbers, without drawing (the cell is
    // off the page).
    bool HasAny(Source source, long first, long second) const {
        if (source == Source::Bitmap) return true;  // whether the file opens is not asked off the page
        auto has = [](long k) {
            const PatternClass cls = ClassOfPattern(k);
            if (cls == PatternClass::Layered) {
                const PatternParts p = SplitPatternNumber(k);
                return (p.main > 0 && HasLinePattern(p.main)) || (p.quality > 0 && HasLinePattern(p.quality)) ||
                       (p.mixture > 0 && HasLinePattern(p.mixture));
            }
            if (cls == PatternClass::Split)
                return HasLinePattern(SplitLeftPattern(k)) || HasLinePattern(SplitRightPattern(k));
            return cls != PatternClass::None && HasLinePattern(k);
        };
        return has(first) || (second > 0 && has(second));
    }

    // One pattern number over x1 … x2 of the cell by its class.
    bool DrawNumber(Source source, long k, double x1, double x2) {
        switch (ClassOfPattern(k)) {
        case PatternClass::None:
            return false;
        case PatternClass::Layered: {
            const PatternParts p = SplitPatternNumber(k);
            const bool variant = p.quality > 0 && !m_settings.overlayOption;
            bool drawn = false;
            if (p.main > 0) drawn = DrawPart(source, p.main, x1, x2, RasterOp::Copy, variant) || drawn;
            if (p.quality > 0) drawn = DrawPart(source, p.quality, x1, x2, RasterOp::And, variant) || drawn;
            if (p.mixture > 0) drawn = DrawPart(source, p.mixture, x1, x2, RasterOp::And, variant) || drawn;
            return drawn;
        }
        case PatternClass::Split: {
            const double split = x1 + TwoPatternShare(m_layer.sharePercent) * (x2 - x1);
            bool drawn = DrawPart(source, SplitLeftPattern(k), x1, split, RasterOp::Copy, false);
            drawn = DrawPart(source, SplitRightPattern(k), split, x2, RasterOp::Copy, false) || drawn;
            if (split > m_cell.x1Mm + 0.1) RuleAt(split);
            return drawn;
        }
        default:  // the 10000 range (and a special number as a second pattern or a bitmap): as a whole
            return DrawPart(source, k, x1, x2, RasterOp::Copy, false);
        }
    }

    bool DrawPart(Source source, long number, double x1, double x2, RasterOp op, bool variant) {
        if (source == Source::Line)
            return DrawPattern(m_s, m_g, number, x1, m_cell.topM, x2, m_cell.bottomM, 1.0, m_settings.lineWidth,
                               PatternColour(m_colours, number, m_settings.blackMode), variant);
        return DrawBitmap(m_s, m_g, PatternBitmapPath(m_settings.bitmapFolder, number), x1, m_cell.topM, x2 - x1,
                          m_cell.bottomM - m_cell.topM, op);
    }

    Surface& m_s;
    const PageGeometry& m_g;
    const geology::PatternColours& m_colours;
    const PatternSettings& m_settings;
    const LayerPatterns& m_layer;
    const PatternCell& m_cell;
    const SpecialRun& m_run;
};

}  // namespace

std::optional<ScatteredMarks> ScatteredMarksOf(long number) {
    for (const auto& entry : kScattered)
        if (entry.number == number) return entry.marks;
    return std::nullopt;
}

bool HasLinePattern(long number) { return ScatteredMarksOf(number).has_value() || FixedLinePattern(number) != nullptr; }

bool DrawPattern(Surface& s, const PageGeometry& g, long number, double x1Mm, double y1M, double x2Mm, double y2M,
                 double share, int penWidth, Colour colour, bool variant) {
    const std::optional<ScatteredMarks> scattered = ScatteredMarksOf(number);
    const LinePatternRoutine routine = scattered ? nullptr : FixedLinePattern(number);
    if (!scattered && !routine) return false;

    // The marks keep their size on paper: the cell is re-expressed at the vertical scale
    // 1/100 (10 × pixels per millimetre per metre) and drawn at that scale.
    PageGeometry fixed = g;
    fixed.depthPxPerMetre = 10.0 * g.pxPerMmY;
    if (fixed.depthPxPerMetre <= 0 || g.depthPxPerMetre <= 0) return true;
    const double ratio = g.depthPxPerMetre / fixed.depthPxPerMetre;
    const double y1 = (g.depthOffset + y1M) * ratio - g.depthOffset;
    const double y2 = (g.depthOffset + y2M) * ratio - g.depthOffset;
    if (x2Mm - x1Mm < 0.001 || y2 - y1 < 0.001) return true;
    if (!(share > 0.0 && share <= 1.0)) share = 1.0;

    PatternFrame frame{s, fixed, x1Mm, y1, x2Mm, y2, share, penWidth, colour, variant};
    if (scattered) DrawScatteredMarks(frame, *scattered);
    else routine(frame);
    return true;
}

// The settings list offers the thicknesses 1 to 3; a hand-written index is held to a pen
// that still fits a cell.
constexpr int kMaxPatternLineIndex = 99;

int PatternLineWidth(int thicknessIndex) { return std::max(1, std::min(thicknessIndex, kMaxPatternLineIndex) + 1); }

PatternSettings PatternSettingsFrom(const app::SystemSettings& settings, const std::string& patternFolder) {
    PatternSettings p;
    p.mode = settings.PatternSetting46;
    p.blackMode = settings.PatternSetting47 != 0;
    p.lineWidth = PatternLineWidth(settings.PatternSetting48);
    p.overlayOption = settings.PatternSetting49 != 0;
    p.ruleLineWidth = settings.RuleLineWidth;
    p.bitmapFolder = patternFolder.empty() ? settings.PatternFolder : patternFolder;
    if (settings.PatternSetting51 != 0) p.bitmapFolder += "01";
    return p;
}

Colour PatternColour(const geology::PatternColours& colours, long number, bool blackMode) {
    return blackMode ? 0 : static_cast<Colour>(colours.ColourOf(number) & 0xffffff);
}

int PatternShareFromText(std::string_view text) {
    if (core::TrimBlanks(text).empty()) return 100;
    const int share = core::LeadingInt(text);
    if (share < 1 || share > 100) return 50;
    return share;
}

bool DrawLayerPatterns(Surface& s, const PageGeometry& g, const geology::PatternColours& colours,
                       const PatternSettings& settings, const LayerPatterns& layer, const PatternCell& cell,
                       const SpecialRun& run, bool draw) {
    // The sources in the order of the pattern mode; a second source is only a fallback.
    Source order[2] = {Source::Line, Source::Bitmap};
    int count = 1;
    switch (settings.mode) {
    case 1: count = 2; break;
    case 2: order[0] = Source::Bitmap; order[1] = Source::Line; count = 2; break;
    case 3: order[0] = Source::Bitmap; break;
    default: break;
    }
    bool present = false;
    for (int i = 0; i < count; ++i)
        present = present || (order[i] == Source::Line ? layer.line : layer.bitmap) >= 1;
    if (!draw || !present) return present;

    CellPainter painter(s, g, colours, settings, layer, cell, run);
    bool firstPass = true;
    for (int i = 0; i < count; ++i) {
        const long first = order[i] == Source::Line ? layer.line : layer.bitmap;
        const bool drawn = painter.DrawSource(order[i], firstPass);
        if (first >= 1) firstPass = false;
        if (drawn) break;
    }
    s.ClearClip();
    return true;
}

LayerPatterns LayerPatternsOf(const borehole::BoreholeRecord& record, int row, const geology::NameTable& bitmapNames) {
    const borehole::DepthTable& t = record.Table(borehole::TableId::Layer);
    LayerPatterns p;
    p.line = core::LeadingLong(t.Cell(row, 4));
    p.secondLine = core::LeadingLong(t.Cell(row, 5));
    const std::string& name1 = t.Cell(row, 1);
    const std::string& name2 = t.Cell(row, 2);
    if (!core::TrimBlanks(name1).empty()) p.bitmap = borehole::DecomposeName(bitmapNames, name1, "").patternNumber;
    if (!core::TrimBlanks(name2).empty())
        p.secondBitmap = borehole::DecomposeName(bitmapNames, name2, "").patternNumber;
    p.sharePercent = PatternShareFromText(t.Cell(row, 8));
    return p;
}

SpecialRun SpecialRunOf(const borehole::BoreholeRecord& record, int row) {
    const borehole::DepthTable& t = record.Table(borehole::TableId::Layer);
    const std::string& name = t.Cell(row, 1);
    const long line = core::LeadingLong(t.Cell(row, 4));
    SpecialRun run;
    run.first = row <= 1 || t.Cell(row - 1, 1) != name || core::LeadingLong(t.Cell(row - 1, 4)) != line;
    run.runBottomM = core::LeadingReal(t.Cell(row, 0));
    const int rows = t.RowCount();
    for (int r = row + 1; r <= rows && r < row + 200; ++r) {
        if (t.Cell(r, 1) != name || core::LeadingLong(t.Cell(r, 4)) != line) break;
        run.runBottomM = core::LeadingReal(t.Cell(r, 0));
    }
    return run;
}

bool DrawLayerPatterns(Surface& s, const PageGeometry& g, const geology::PatternColours& colours,
                       const PatternSettings& settings, const borehole::BoreholeRecord& record, int row,
                       const geology::NameTable& bitmapNames, const PatternCell& cell, bool draw) {
    const LayerPatterns layer = LayerPatternsOf(record, row, bitmapNames);
    SpecialRun run;
    if (IsSpecialClass(ClassOfPattern(layer.line))) run = SpecialRunOf(record, row);
    else run.runBottomM = cell.bottomM;
    return DrawLayerPatterns(s, g, colours, settings, layer, cell, run, draw);
}

}  // namespace stracol::render
