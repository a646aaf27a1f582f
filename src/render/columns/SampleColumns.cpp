#include "render/columns/SampleColumns.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Primitives.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// SampleTable columns.
constexpr int kUpperColumn = 0;
constexpr int kLowerColumn = 1;
constexpr int kNumberColumn = 2;
constexpr int kMethodColumn = 3;
constexpr int kTestNameColumn = 4;
constexpr int kFlagColumn = 5;
// Flag bits of the test-name cell: its upper and its lower boundary line.
constexpr int kUpperLineBit = 2;
constexpr int kLowerLineBit = 4;

// The walk ends at a sample this far below the page window; a sample ending this far above
// it is passed over (m).
constexpr double kBelowPageM = 2.0;
constexpr double kAbovePageM = 5.0;
// The filled bar along the left edge of the depth column (mm).
constexpr double kBarWidthMm = 0.5;

struct ModeItem {
    SampleColumnMode mode;
    int itemCode;
};
constexpr ModeItem kModeItems[] = {
    {SampleColumnMode::Depths, 3301},
    {SampleColumnMode::Number, 3302},
    {SampleColumnMode::Method, 3303},
    {SampleColumnMode::TestName, 1043},
};

struct SampleRow {
    double t = 0;   // upper depth
    double b = 0;   // lower depth
    int row = 0;
};

// One text line with its reference point at (x, y), aligned as asked.
void WriteAt(LogContext& ctx, HorizontalAlign h, VerticalAlign v, double xMm, double yM, std::string_view text) {
    if (text.empty()) return;
    TextAlignScope scope(ctx.surface, TextAlign{h, v});
    TextAt(ctx.surface, ctx.geometry, xMm, yM, text);
}

// The cell alignment of a one-line text: its bottom in the middle of an interval at least a
// line deep, else its baseline on the lower depth.
struct CellPlace {
    VerticalAlign align = VerticalAlign::Bottom;
    double y = 0;
};
CellPlace CellAlignment(double t, double b, double h) {
    if (b - t >= h) return CellPlace{VerticalAlign::Bottom, (h + t + b) / 2};
    return CellPlace{VerticalAlign::Baseline, b};
}

// The vertical rule of the cell alignment alone (used with another y).
VerticalAlign CellVertical(double t, double b, double h) {
    return b - t >= h ? VerticalAlign::Bottom : VerticalAlign::Baseline;
}

class SampleWalk {
public:
    SampleWalk(LogContext& ctx, int slot, SampleColumnMode mode)
        : m_ctx(ctx),
          m_slot(slot),
          m_mode(mode),
          m_table(ctx.record.Table(TableId::Sample)),
          m_col(SlotColumnPlacement(ctx, slot)),
          m_metrics(ColumnMetrics(ctx)) {}

    void Run() {
        const int n = SampleRowCount(m_ctx);
        const double h = m_metrics.lineDepth;
        // xm: a quarter of the width in from the aligned edge, the anchor when centred.
        switch (m_col.align) {
            case HorizontalAlign::Left: m_methodX = 0.75 * m_col.leftMm + 0.25 * m_col.rightMm; break;
            case HorizontalAlign::Right: m_methodX = 0.25 * m_col.leftMm + 0.75 * m_col.rightMm; break;
            case HorizontalAlign::Centre: m_methodX = m_col.anchorMm; break;
        }
        for (int row = 1; row <= n; ++row) {
            SampleRow r{core::LeadingReal(m_table.Cell(row, kUpperColumn)),
                        core::LeadingReal(m_table.Cell(row, kLowerColumn)), row};
            if (r.t > m_ctx.pageEnd + kBelowPageM) break;
            if (r.b + kAbovePageM < m_ctx.pageStart) continue;
            switch (m_mode) {
                case SampleColumnMode::Depths: Depths(r, n, h); break;
                case SampleColumnMode::Number: Number(r, h); break;
                case SampleColumnMode::Method: Method(r, h); break;
                case SampleColumnMode::TestName: TestName(r); break;
            }
        }
    }

private:
    void Depths(const SampleRow& r, int n, double h) {
        const double t = r.t;
        const double b = r.b;
        // The upper depth stands above its line when there is room after the previous
        // sample, else it hangs inside its own interval.
        const double gap = t - m_prev;
        bool upperInside = false;
        VerticalAlign upper = VerticalAlign::Baseline;
        if (gap >= h) {
            upper = VerticalAlign::Bottom;
        } else if (gap >= 0.7 * h) {
            upper = VerticalAlign::Baseline;
        } else if (gap >= 0.3 * h || b - t >= h) {
            upper = VerticalAlign::Top;
            upperInside = true;
        }
        // A short sample starting where the one before ended, with no room for its upper depth
        // on either side of the line: the line is labelled already, by the lower depth before.
        const std::string upperText = core::Sprintf("%4.2f", t);
        const bool noRoom = gap < 0.3 * h && b - t < h;
        if (!(noRoom && upperText == m_lowerWritten)) WriteAt(m_ctx, m_col.align, upper, m_col.anchorMm, t, upperText);

        bool writeLower = true;
        VerticalAlign lower = CellVertical(t, b, h);
        switch (m_ctx.settings.SampleDepthLabelPos) {
            case kSampleDepthAbove:
                if (upperInside) lower = b - t < 1.4 * h ? VerticalAlign::Baseline : VerticalAlign::Bottom;
                break;
            case kSampleDepthBelow:
                if (r.row == n) {
                    lower = VerticalAlign::Top;
                } else {
                    const double nextTop = core::LeadingReal(m_table.Cell(r.row + 1, kUpperColumn));
                    if (nextTop - b >= 1.8 * h) lower = VerticalAlign::Top;
                    else if (upperInside) lower = b - t < 1.5 * h ? VerticalAlign::Baseline : VerticalAlign::Bottom;
                    else if (b - t < 0.7 * h) lower = VerticalAlign::Baseline;
                }
                break;
            default: writeLower = false; break;
        }
        m_lowerWritten.clear();
        if (writeLower) {
            m_lowerWritten = core::Sprintf("%4.2f", b);
            WriteAt(m_ctx, m_col.align, lower, m_col.anchorMm, b, m_lowerWritten);
        }

        const int width = m_ctx.settings.RuleLineWidth;
        DrawLine(m_ctx.surface, m_ctx.geometry, m_col.leftMm, t, m_col.rightMm, t, 0, width, 0);
        DrawLine(m_ctx.surface, m_ctx.geometry, m_col.leftMm, b, m_col.rightMm, b, 0, width, 0);
        DrawBox(m_ctx.surface, m_ctx.geometry, m_col.leftMm, t, m_col.leftMm + kBarWidthMm, b, 0, width, 0, 0);
        m_prev = b;
    }

    void Number(const SampleRow& r, double h) {
        const SampleNumberLayout layout = LayoutSampleNumber(m_table.Cell(r.row, kNumberColumn));
        if (layout.centred) {
            const CellPlace place = CellAlignment(r.t, r.b, h);
            if (!layout.lines.empty())
                WriteAt(m_ctx, m_col.align, place.align, m_col.anchorMm, place.y, layout.lines.front().text);
            return;
        }
        const VerticalAlign v = CellVertical(r.t, r.b, h);
        for (const SampleNumberLayout::Line& line : layout.lines)
            WriteAt(m_ctx, m_col.align, v, m_col.anchorMm, r.b - line.linesAbove * h, line.text);
    }

    void Method(const SampleRow& r, double h) {
        const CellPlace place = CellAlignment(r.t, r.b, h);
        const std::string& method = m_table.Cell(r.row, kMethodColumn);
        const std::string_view name = core::TrimBlanks(method);
        if (core::CharacterCount(name) > 1) {
            // A method given by its name rather than a letter: written across the column,
            // fitted into the sample's interval, without the circle a letter stands in (the
            // circle squeezed the name until it could not be read).
            TextAlignScope align(m_ctx.surface, TextAlign{HorizontalAlign::Centre, place.align});
            ColumnTextAt(m_ctx, m_col.leftMm, m_col.rightMm, (m_col.leftMm + m_col.rightMm) / 2, place.y,
                         name, r.t, std::max(r.b, r.t + h));
            return;
        }
        WriteAt(m_ctx, HorizontalAlign::Centre, place.align, m_methodX, place.y, method);
        DrawCircle(m_ctx.surface, m_ctx.geometry, m_methodX, place.y - h / 2, h / 2, 0, m_ctx.settings.RuleLineWidth,
                   0);
    }

    void TestName(const SampleRow& r) {
        const double top = std::max(m_prev, r.t);
        const double used = PlaceCellText(m_ctx, 0, m_slot, top, 0.0, r.b, kUseSlotPlacement, m_metrics.charWidthMm,
                                          m_metrics.lineDepth, m_table.Cell(r.row, kTestNameColumn));
        const int flags = core::LeadingInt(m_table.Cell(r.row, kFlagColumn));
        const int width = m_ctx.settings.RuleLineWidth;
        if (flags & kUpperLineBit)
            BoundaryLine(m_ctx, m_col.leftMm, m_col.rightMm, r.t, r.t, r.t, kBoundaryInsetMm, width);
        if (flags & kLowerLineBit)
            BoundaryLine(m_ctx, m_col.leftMm, m_col.rightMm, r.b, used, r.b, kBoundaryInsetMm, width);
        m_prev = used;
    }

    LogContext& m_ctx;
    int m_slot;
    SampleColumnMode m_mode;
    const borehole::DepthTable& m_table;
    ColumnPlacement m_col;
    CellMetrics m_metrics;
    double m_methodX = 0;
    double m_prev = kSampleStartCarry;
    std::string m_lowerWritten;  // the lower depth written for the sample before, if any
};

}  // namespace

SampleNumberLayout LayoutSampleNumber(std::string_view number) {
    const std::string_view text = core::TrimBlanks(number);
    SampleNumberLayout layout;
    if (const std::size_t at = text.find('@'); at != std::string_view::npos) {
        layout.lines = {{std::string(text.substr(0, at)), 1}, {std::string(text.substr(at + 1)), 0}};
        return layout;
    }
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) {
        layout.centred = true;
        layout.lines = {{std::string(text), 0}};
        return layout;
    }
    const std::string_view first = text.substr(0, blank);
    const std::string_view rest = text.substr(blank + 1);
    const std::size_t second = rest.find(' ');
    if (second == std::string_view::npos) {
        layout.lines = {{std::string(first), 1}, {std::string(rest), 0}};
        return layout;
    }
    const std::string_view middle = rest.substr(0, second);
    const std::string_view last = rest.substr(second + 1);
    if (last.empty()) {
        layout.lines = {{std::string(first), 1}, {std::string(middle), 0}};
        return layout;
    }
    layout.lines = {{std::string(first), 2}, {std::string(middle), 1}, {std::string(last), 0}};
    return layout;
}

int SampleRowCount(const LogContext& ctx) {
    const borehole::DepthTable& table = ctx.record.Table(TableId::Sample);
    int n = 0;
    while (n < table.Capacity() && core::IsNumericStart(table.Cell(n + 1, kUpperColumn)) == 1 &&
           core::IsNumericStart(table.Cell(n + 1, kLowerColumn)) == 1)
        ++n;
    return n;
}

void DrawSampleColumn(LogContext& ctx, int slot, int mode) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    if (mode < static_cast<int>(SampleColumnMode::Depths) || mode > static_cast<int>(SampleColumnMode::TestName))
        return;
    SampleWalk(ctx, slot, static_cast<SampleColumnMode>(mode)).Run();
    ctx.surface.SetTextAlign(TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
}

void RegisterSampleColumns(ColumnRegistry& registry) {
    // The depth part passes each item's mode; a call without one draws the item's own mode.
    for (const ModeItem& item : kModeItems) {
        const int mode = static_cast<int>(item.mode);
        registry.Register(item.itemCode, [mode](LogContext& ctx, int slot, int subMode) {
            DrawSampleColumn(ctx, slot, subMode != 0 ? subMode : mode);
        });
    }
}

}  // namespace stracol::render
