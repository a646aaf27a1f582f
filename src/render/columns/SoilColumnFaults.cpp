#include "render/columns/SoilColumnFaults.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/LogText.h"
#include "render/Primitives.h"
#include "render/columns/Elevation.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// The characters that name the zone kinds, in the order they are tried.
constexpr std::string_view kKindMarkers[] = {"角", "砂", "粘", "シ", "マ", "カ"};

enum ZoneKind {
    kBreccia = 1,     // 角礫状: crosses
    kSandyClay = 2,   // 砂・礫混じり粘土状: short dashes
    kClay = 3,        // 粘土状: black bands
    kShear = 4,       // シュー: zigzags
    kMylonite = 5,    // マイロ: diamonds
    kCataclasite = 6, // カタク: steps
};

// Mark spacing down the strips (m of depth).
constexpr double kCrossStep = 0.1;
constexpr double kCrossSlack = 0.02;   // a last cross may end this far below the zone
constexpr double kDashStep = 0.06;
constexpr double kDashRoom = 0.05;
constexpr double kZigzagStart = 0.05;
constexpr double kZigzagStep = 0.1;
constexpr double kZigzagHeight = 0.05;
constexpr double kDiamondStart = 0.05;
constexpr double kDiamondStep = 0.15;
constexpr double kDiamondHeight = 0.1;
constexpr double kStepStart = 0.05;
constexpr double kStepStep = 0.1;
constexpr double kStepRoom = 0.1;
constexpr double kStepRise = 0.05;
// No mark reaches further than this above or below its row depth (m).
constexpr double kMarkReach = 0.1;
// Depth comparisons of mark rows forgive the binary noise of sums such as 5.0 + 0.35.
constexpr double kDepthNoise = 1e-9;

const char* const kDepthFormat = "%5.2f";
const char* const kElevationFormat = "%7.2f";

// One strip along a column edge: left and right edge, middle (mm).
struct Strip {
    double left = 0;
    double right = 0;
    double Middle() const { return (left + right) / 2; }
};

class ZonePainter {
public:
    ZonePainter(LogContext& ctx, double xlMm, double xrMm)
        : m_ctx(ctx),
          m_strips{Strip{xlMm, xlMm + soil::kFaultStripMm}, Strip{xrMm - soil::kFaultStripMm, xrMm}},
          m_width(ctx.settings.RuleLineWidth) {}

    void Line(double x1Mm, double y1M, double x2Mm, double y2M) const {
        DrawLine(m_ctx.surface, m_ctx.geometry, x1Mm, y1M, x2Mm, y2M, 0, m_width, 0);
    }

    // The marks of a zone kind from t to b in both strips.
    void Marks(int kind, double t, double b) const {
        const Strip& l = m_strips[0];
        const Strip& r = m_strips[1];
        switch (kind) {
            case kBreccia:
                Rows(t + kCrossStep, kCrossStep, b + kCrossSlack, [&](double y) {
                    for (const Strip& s : m_strips) {
                        Line(s.left, y - kCrossStep, s.right, y);
                        Line(s.left, y, s.right, y - kCrossStep);
                    }
                });
                break;
            case kSandyClay:
                Rows(t, kDashStep, b - kDashRoom, [&](double y) {
                    for (const Strip& s : m_strips) Line(s.left, y, s.right, y);
                });
                break;
            case kClay:
                for (const Strip& s : m_strips)
                    DrawBox(m_ctx.surface, m_ctx.geometry, s.left, t, s.right, b, 0, m_width, 0, 0);
                break;
            case kShear:
                Rows(t + kZigzagStart, kZigzagStep, b - kZigzagHeight, [&](double y) {
                    // Left strip: from both edges below up to the middle; right strip: down.
                    Line(l.left, y + kZigzagHeight, l.Middle(), y);
                    Line(l.right, y + kZigzagHeight, l.Middle(), y);
                    Line(r.left, y, r.Middle(), y + kZigzagHeight);
                    Line(r.right, y, r.Middle(), y + kZigzagHeight);
                });
                break;
            case kMylonite:
                Rows(t + kDiamondStart, kDiamondStep, b - kDiamondHeight, [&](double y) {
                    for (const Strip& s : m_strips)
                        DrawDiamond(m_ctx.surface, m_ctx.geometry, s.Middle(), y + kDiamondHeight / 2,
                                    s.Middle() - s.left, kDiamondHeight / 2, 0, m_width, 0);
                });
                break;
            case kCataclasite:
                Rows(t + kStepStart, kStepStep, b - kStepRoom, [&](double y) {
                    for (const Strip& s : m_strips) {
                        Line(s.left, y, s.Middle(), y);
                        Line(s.Middle(), y, s.Middle(), y + kStepRise);
                        Line(s.Middle(), y + kStepRise, s.right, y + kStepRise);
                    }
                });
                break;
            default:
                break;
        }
    }

    // The inner edges of both strips from t to b.
    void StripEdges(double t, double b) const {
        Line(m_strips[0].right, t, m_strips[0].right, b);
        Line(m_strips[1].left, t, m_strips[1].left, b);
    }

private:
    // Calls mark(y) for y = first, first + step, … while y ≤ last. Rows whose marks cannot
    // reach the page window are not drawn (the clip would remove them), so a zone thousands
    // of metres long costs only the rows of one page.
    template <typename Mark>
    void Rows(double first, double step, double last, Mark mark) const {
        if (!std::isfinite(first) || !std::isfinite(last)) return;
        const double windowTop = m_ctx.pageStart - kMarkReach;
        const double windowBottom = m_ctx.pageEnd + kMarkReach;
        double i = 0;
        if (first < windowTop) i = std::floor((windowTop - first) / step);
        // At most the rows of the window (and two more): far from depth 0 the sum below
        // may stop moving by one step.
        const double rowsInWindow = std::ceil((windowBottom - windowTop) / step) + 2;
        for (double n = 0; n <= rowsInWindow; n += 1, i += 1) {
            const double y = first + i * step;
            if (y > last + kDepthNoise || y > windowBottom) break;
            if (y >= windowTop) mark(y);
        }
    }

    LogContext& m_ctx;
    Strip m_strips[2];
    int m_width;
};

bool HasBit(int flags, int bit) { return (flags & bit) != 0; }

void WriteDepthValues(LogContext& ctx, const ColumnPlacement& depthCol, bool hasDepthCol,
                      const ColumnPlacement& elevationCol, bool hasElevationCol, const ElevationInputs& elevation,
                      double d) {
    if (hasDepthCol) {
        TextAlignScope align(ctx.surface, TextAlign{depthCol.align, VerticalAlign::Bottom});
        TextAt(ctx.surface, ctx.geometry, depthCol.anchorMm, d, core::Sprintf(kDepthFormat, d));
    }
    if (hasElevationCol) {
        if (std::optional<std::string> text = ElevationText(d, elevation, kElevationFormat)) {
            TextAlignScope align(ctx.surface, TextAlign{elevationCol.align, VerticalAlign::Bottom});
            TextAt(ctx.surface, ctx.geometry, elevationCol.anchorMm, d, *text);
        }
    }
}

}  // namespace

int FaultZoneKind(std::string_view propertyText) {
    for (std::size_t i = 0; i < std::size(kKindMarkers); ++i)
        if (propertyText.find(kKindMarkers[i]) != std::string_view::npos) return static_cast<int>(i) + 1;
    return core::LeadingInt(propertyText);
}

void FaultZonePass(LogContext& ctx, double xlMm, double xrMm) {
    const borehole::DepthTable& faults = ctx.record.Table(TableId::Fault);
    const int rows = faults.RowCount();
    if (rows == 0) return;
    const ZonePainter painter(ctx, xlMm, xrMm);
    ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));
    for (int row = 1; row <= rows; ++row) {
        const double t = core::LeadingReal(faults.Cell(row, soil::kFaultUpperColumn));
        const std::string& lowerCell = faults.Cell(row, soil::kFaultLowerColumn);
        // A zone without a lower depth has no extent: only its upper line is drawn.
        const bool hasLower = core::IsNumericStart(lowerCell) == 1;
        const double b = core::LeadingReal(lowerCell);
        const int flags = core::LeadingInt(faults.Cell(row, soil::kFaultFlagsColumn));
        if (HasBit(flags, soil::kFaultUpperPatternBit)) painter.Line(xlMm, t, xrMm, t);
        if (!hasLower) continue;
        if (HasBit(flags, soil::kFaultLowerPatternBit)) painter.Line(xlMm, b, xrMm, b);
        const int kind = FaultZoneKind(faults.Cell(row, soil::kFaultPropertyColumn));
        if (kind < 1) continue;
        painter.StripEdges(t, b);
        painter.Marks(kind, t, b);
    }
    ctx.surface.ClearClip();
}

void FaultDepthPass(LogContext& ctx, int depthSlot, int elevationSlot, const ElevationInputs& elevation) {
    const bool hasDepthCol = IsDrawnSlot(ctx.columns, depthSlot);
    const bool hasElevationCol = IsDrawnSlot(ctx.columns, elevationSlot);
    if (!hasDepthCol && !hasElevationCol) return;
    const borehole::DepthTable& faults = ctx.record.Table(TableId::Fault);
    const int rows = faults.RowCount();
    if (rows == 0) return;
    const ColumnPlacement depthCol = SlotColumnPlacement(ctx, depthSlot);
    const ColumnPlacement elevationCol = SlotColumnPlacement(ctx, elevationSlot);
    const int width = ctx.settings.RuleLineWidth;
    auto rule = [&](double d) {
        if (hasDepthCol) DrawLine(ctx.surface, ctx.geometry, depthCol.leftMm, d, depthCol.rightMm, d, 0, width, 0);
        if (hasElevationCol)
            DrawLine(ctx.surface, ctx.geometry, elevationCol.leftMm, d, elevationCol.rightMm, d, 0, width, 0);
    };

    ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));
    for (int row = 1; row <= rows; ++row) {
        const int flags = core::LeadingInt(faults.Cell(row, soil::kFaultFlagsColumn));
        const double t = core::LeadingReal(faults.Cell(row, soil::kFaultUpperColumn));
        if (HasBit(flags, soil::kFaultUpperLineBit)) rule(t);
        if (HasBit(flags, soil::kFaultUpperValuesBit))
            WriteDepthValues(ctx, depthCol, hasDepthCol, elevationCol, hasElevationCol, elevation, t);
        const std::string& lowerCell = faults.Cell(row, soil::kFaultLowerColumn);
        if (core::IsNumericStart(lowerCell) != 1) continue;
        const double b = core::LeadingReal(lowerCell);
        if (HasBit(flags, soil::kFaultLowerLineBit)) rule(b);
        if (HasBit(flags, soil::kFaultLowerValuesBit))
            WriteDepthValues(ctx, depthCol, hasDepthCol, elevationCol, hasElevationCol, elevation, b);
    }
    ctx.surface.ClearClip();
}

}  // namespace stracol::render
