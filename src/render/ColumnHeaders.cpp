#include "render/ColumnHeaders.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/SystemSettings.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/LogText.h"
#include "render/PageGeometry.h"
#include "render/Primitives.h"
#include "render/TextFit.h"
#include "render/TitleBlock.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

namespace stracol::render {

namespace {

constexpr int kBlowItem = 3104;      // 標準貫入>打撃/mm: four paper columns
constexpr int kLoggingGraph = 3501;  // 地下水検層>図
constexpr int kLoggingGroup = 3500;
constexpr int kLastDrawnSlot = 49;
constexpr double kHeaderInsetMm = 0.5;
constexpr double kSpreadInsetMm = 0.1;
// A vertical text spread from the header band's top edge starts this share of a line under it.
constexpr double kBandTopInsetShare = 0.15;
// Graph scale numbers keep this far inside the column rules and apart from each other (mm).
constexpr double kScaleLabelInsetMm = 0.3;
constexpr double kScaleLabelGapMm = 0.4;
// Header lines may stand this much closer than the font is high (glyphs leave room in
// their cells).
constexpr double kHeaderCrowding = 0.9;

int CodeOf(const style::LogStyle& style, int slot) {
    return style.items[static_cast<std::size_t>(slot - 1)].ItemCode();
}

double Left(const ColumnLayout& c, int slot) { return c.edges[static_cast<std::size_t>(slot - 1)]; }
double Right(const ColumnLayout& c, int slot) { return c.edges[static_cast<std::size_t>(slot)]; }

int LastSlot(const ColumnLayout& columns) { return std::min(columns.count, kLastDrawnSlot); }

bool SameHundred(int code, int groupCode) { return code / 100 == groupCode / 100; }

// Vertical text one character per line in the header, modes 11 top, 12 middle, 13 bottom.
void VerticalHeaderText(Surface& s, const PageGeometry& g, int code, double leftMm, double rightMm, double topY,
                        double bottomY, double charHeightM, std::string_view text) {
    std::vector<std::string> chars;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = core::Utf8CharLength(text, i);
        std::string ch(text.substr(i, len));
        if (ch == "ー" || ch == "－") ch = "｜";
        chars.push_back(ch);
        i += len;
    }
    const double total = static_cast<double>(chars.size()) * charHeightM;
    double y = topY;
    if (code == 12) y = (topY + bottomY) / 2 - total / 2;
    else if (code == 13) y = bottomY - total;
    TextAlignScope align(s, TextAlign{HorizontalAlign::Centre, VerticalAlign::Top});
    const double xc = (leftMm + rightMm) / 2;
    for (const std::string& ch : chars) {
        TextAt(s, g, xc, y, ch);
        y += charHeightM;
    }
}

// A legend scale cell ":凡例25%75%採取率": a line between the two percentages of the width
// with short end ticks, the label centred over it.
bool DrawLegendScale(LogContext& ctx, double leftMm, double rightMm, double y1, double y2, std::string_view cell,
                     double charHeightM) {
    std::string_view rest;
    bool isScale = false;
    for (std::string_view prefix : {std::string_view(":凡例"), std::string_view("：凡例")}) {
        if (cell.substr(0, prefix.size()) == prefix) {
            rest = cell.substr(prefix.size());
            isScale = true;
        }
    }
    if (!isScale) return false;
    std::size_t p1 = rest.find('%');
    if (p1 == std::string_view::npos) return true;
    double from = core::LeadingReal(rest.substr(0, p1));
    std::string_view afterFirst = rest.substr(p1 + 1);
    std::size_t p2 = afterFirst.find('%');
    double to = p2 == std::string_view::npos ? 100.0 : core::LeadingReal(afterFirst.substr(0, p2));
    std::string_view label = p2 == std::string_view::npos ? std::string_view() : afterFirst.substr(p2 + 1);
    const double w = rightMm - leftMm;
    const double x1 = leftMm + from * w / 100.0;
    const double x2 = leftMm + to * w / 100.0;
    const double lineY = y2 - 0.15 * (y2 - y1);
    const double tick = std::min(0.3 * (y2 - y1), 0.5 * charHeightM);
    const int rule = ctx.settings.RuleLineWidth;
    DrawLine(ctx.surface, ctx.geometry, x1, lineY, x2, lineY, 0, rule, 0);
    DrawLine(ctx.surface, ctx.geometry, x1, lineY - tick, x1, lineY, 0, rule, 0);
    DrawLine(ctx.surface, ctx.geometry, x2, lineY - tick, x2, lineY, 0, rule, 0);
    TextInBox(ctx.surface, ctx.geometry, x1, lineY - tick - charHeightM, x2, lineY - tick,
              core::TrimBlanks(label));
    return true;
}

// The legend row a header text names, its cells one line each between the positions.
void DrawLegendRow(LogContext& ctx, const style::LegendReference& ref, int placementCode, double leftMm,
                   double rightMm, double topY, double bottomY, double charWidthMm, double charHeightM) {
    const style::LegendRow& row = ctx.style.legends[static_cast<std::size_t>(ref.row - 1)];
    const int n = std::clamp(ref.cells, 1, style::kLegendCells);
    double lineHeight = (bottomY - topY) / n;
    if (lineHeight < charHeightM) lineHeight = charHeightM;
    for (int i = 0; i < n; ++i) {
        std::string_view cell = core::TrimBlanks(row.cells[static_cast<std::size_t>(i)]);
        if (cell.empty() || cell.front() == '@') continue;
        double y1 = topY + i * lineHeight;
        double y2 = y1 + lineHeight;
        if (DrawLegendScale(ctx, leftMm, rightMm, y1, y2, cell, charHeightM)) continue;
        const std::string& text = row.cells[static_cast<std::size_t>(i)];
        switch (placementCode) {
            case 4:
                SpreadText(ctx.surface, ctx.geometry, leftMm + kSpreadInsetMm, rightMm - kSpreadInsetMm, y1, y2,
                           charWidthMm, charHeightM, core::TrimBlanks(text));
                break;
            case 1: {
                TextAlignScope align(ctx.surface, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
                DrawFittedText(ctx.surface, MmToX(ctx.geometry, leftMm + kHeaderInsetMm),
                               DepthToY(ctx.geometry, (y1 + y2 - charHeightM) / 2), text,
                               Rect{MmToX(ctx.geometry, leftMm + kSpreadInsetMm), DepthToY(ctx.geometry, y1),
                                    MmToX(ctx.geometry, rightMm - kSpreadInsetMm), DepthToY(ctx.geometry, y2)});
                break;
            }
            default:
                TextInBox(ctx.surface, ctx.geometry, leftMm, y1, rightMm, y2, text);
                break;
        }
    }
}

}  // namespace

const std::vector<int>& HeaderOrder() {
    static const std::vector<int> order = [] {
        std::vector<int> o = {1001, 1002, 1003, 1004, 1005, 1007, 1009, 1006, 1008, 1010, 1011, 1015,
                              1021, 1022, 2021, 2022, 1019, 1020};
        for (int code = 1030; code <= 1041; ++code) o.push_back(code);
        for (int code : {1042, 1081, 1023, 1024, 1025, 1026, 2300, 2301, 2302, 3400, 1027, 3100, 3101, 3102, 3103})
            o.push_back(code);
        return o;
    }();
    return order;
}

std::vector<int> HeaderDrawingOrder(const style::LogStyle& style, const ColumnLayout& columns) {
    const int last = LastSlot(columns);
    std::vector<int> slots;
    std::vector<bool> taken(static_cast<std::size_t>(last + 1), false);
    auto firstSlotOf = [&](int code) {
        for (int slot = 1; slot <= last; ++slot)
            if (CodeOf(style, slot) == code) return slot;
        return 0;
    };
    for (int code : HeaderOrder()) {
        int slot = firstSlotOf(code);
        if (slot > 0 && !taken[static_cast<std::size_t>(slot)]) {
            slots.push_back(slot);
            taken[static_cast<std::size_t>(slot)] = true;
        }
    }
    // Every other item of the style gets its header too, in slot order; 3104 comes last.
    int blowSlot = firstSlotOf(kBlowItem);
    for (int slot = 1; slot <= last; ++slot) {
        if (taken[static_cast<std::size_t>(slot)] || slot == blowSlot) continue;
        if (style.items[static_cast<std::size_t>(slot - 1)].IsEmpty()) continue;
        slots.push_back(slot);
    }
    if (blowSlot > 0) slots.push_back(blowSlot);
    return slots;
}

constexpr double kMaxHeaderPosition = 1000;

double HeaderRowLine(double bandTopM, int k) { return bandTopM + (k - 1) * (-bandTopM / 12.0); }

double HeaderPosition(double bandTopM, double p) {
    // A style's header position is a row of the band (1 to 13, with fractions); a number far
    // outside it, or no finite number, is held to the band's neighbourhood before rounding.
    if (!std::isfinite(p)) p = 1;
    p = std::clamp(p, -kMaxHeaderPosition, kMaxHeaderPosition);
    double whole = std::floor(p);
    return HeaderRowLine(bandTopM, static_cast<int>(whole)) + (p - whole) * (-bandTopM / 12.0);
}

double HeaderBandTopOf(const style::TitleForm& form) {
    const std::string& text = form.Get(style::TitleForm::HeaderBandBottom);
    return core::IsNumericStart(text) == 1 ? core::LeadingReal(text) : -4.0;
}

std::vector<HeaderGroup> HeaderGroups(const style::LogStyle& style, const ColumnLayout& columns) {
    std::vector<HeaderGroup> groups;
    const int last = LastSlot(columns);
    for (int slot = 1; slot <= last; ++slot) {
        const style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        if (!item.IsGroupHeader()) continue;
        HeaderGroup group;
        group.headerSlot = slot;
        group.code = item.ItemCode();
        // The group count counts the item columns of the style that follow the header.
        const int count = item.GroupCount();
        for (int member = slot + 1; member <= last && static_cast<int>(group.members.size()) < count; ++member)
            group.members.push_back(member);
        groups.push_back(group);
    }
    return groups;
}

int GroupBandLine(int groupCode, const app::SystemSettings& settings) {
    int rows = groupCode == kLoggingGroup ? settings.LoggingRows : settings.GroupTitleRows;
    return std::clamp(rows, 0, 12) + 1;
}

void DrawHeaderFrame(LogContext& ctx) {
    const ColumnLayout& columns = ctx.columns;
    if (columns.count < 1) return;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const style::LogStyle& style = ctx.style;
    const double band = HeaderBandTopOf(ctx.titleForm);
    const int outer = ctx.settings.OuterFrameWidth;
    const int rule = ctx.settings.RuleLineWidth;
    const double left = columns.edges[0];
    const double right = columns.edges[static_cast<std::size_t>(columns.count)];

    // Where each column's separator starts: the header top, or the band of its group.
    std::vector<double> separatorTop(static_cast<std::size_t>(columns.count + 1), band);
    for (const HeaderGroup& group : HeaderGroups(style, columns)) {
        const double bandY = HeaderRowLine(band, GroupBandLine(group.code, ctx.settings));
        for (int member : group.members) {
            if (!SameHundred(CodeOf(style, member), group.code)) continue;
            DrawLine(s, g, Left(columns, member), bandY, Right(columns, member), bandY, 0, rule, 0);
            if (member != group.LastSlot()) separatorTop[static_cast<std::size_t>(member)] = bandY;
        }
    }
    for (int slot = 1; slot < columns.count; ++slot) {
        double x = Right(columns, slot);
        DrawLine(s, g, x, separatorTop[static_cast<std::size_t>(slot)], x, 0.0, 0, rule, 0);
    }

    // Item 3104: its own band over the first three quarters, the quarter lines below it and
    // the three-quarter line from the group band down.
    for (int slot = 1; slot <= LastSlot(columns); ++slot) {
        int code = CodeOf(style, slot);
        double xl = Left(columns, slot);
        double w = Right(columns, slot) - xl;
        if (code == kBlowItem) {
            double own = HeaderRowLine(band, k3104BandLine);
            double groupBand = HeaderRowLine(band, GroupBandLine(3100, ctx.settings));
            DrawLine(s, g, xl, own, xl + 0.75 * w, own, 0, rule, 0);
            DrawLine(s, g, xl + 0.25 * w, own, xl + 0.25 * w, 0.0, 0, rule, 0);
            DrawLine(s, g, xl + 0.5 * w, own, xl + 0.5 * w, 0.0, 0, rule, 0);
            DrawLine(s, g, xl + 0.75 * w, groupBand, xl + 0.75 * w, 0.0, 0, rule, 0);
        } else if (code == kLoggingGraph) {
            double y = HeaderRowLine(band, std::clamp(ctx.settings.LoggingMethodRows + 1, 1, 13));
            DrawLine(s, g, xl, y, xl + w, y, 0, rule, 0);
        }
    }

    // The frame: top and sides with the outer width, bottom with the ruled width.
    DrawLine(s, g, left, 0.0, right, 0.0, 0, rule, 0);
    DrawLine(s, g, left, band, right, band, 0, outer, 0);
    DrawLine(s, g, left, band, left, 0.0, 0, outer, 0);
    DrawLine(s, g, right, band, right, 0.0, 0, outer, 0);
}

// The room of a header text: its column inside the rules, its rows.
Rect HeaderRoom(const PageGeometry& g, double leftMm, double rightMm, double topY, double bottomY) {
    return Rect{MmToX(g, leftMm + kSpreadInsetMm), DepthToY(g, topY), MmToX(g, rightMm - kSpreadInsetMm),
                DepthToY(g, bottomY)};
}

// The share of its size each header line (1..4) of an item is set at so that the horizontal
// lines, where they stand, do not overprint each other: 1 for a line with room, the spacing
// to its neighbour for two lines set closer than the font is high (never below the floor).
std::array<double, 5> CrowdedHeaderScales(LogContext& ctx, const style::DisplayItem& item, double band,
                                          double charHeightM) {
    std::array<double, 5> scales;
    scales.fill(1.0);
    std::vector<std::pair<double, int>> lines;  // top (title-scale metres), header number
    for (int k = 1; k <= 4; ++k) {
        style::HeaderText header = item.Header(k);
        if (core::TrimBlanks(header.text).empty() || style::FindLegendReference(header.text)) continue;
        const int code = header.placementCode;
        if (code < 1 || code > 4) continue;
        const double topY = HeaderPosition(band, header.EffectiveTop());
        const double bottomY = HeaderPosition(band, header.EffectiveBottom());
        lines.emplace_back(code == 2 ? (topY + bottomY) / 2 - charHeightM / 2 : topY, k);
    }
    if (lines.size() < 2 || charHeightM <= 0) return scales;
    std::sort(lines.begin(), lines.end());
    const int h0 = std::max(1, static_cast<int>(std::lround(charHeightM * ctx.geometry.depthPxPerMetre)));
    const double floorShare = static_cast<double>(TextFloorHeightPx(h0, ctx.geometry.dpiY)) / h0;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        const double spacing = lines[i].first - lines[i - 1].first;
        if (spacing >= charHeightM * kHeaderCrowding) continue;
        const double share = std::max(floorShare, spacing / charHeightM);
        for (int k : {lines[i - 1].second, lines[i].second})
            scales[static_cast<std::size_t>(k)] = std::min(scales[static_cast<std::size_t>(k)], share);
    }
    return scales;
}

void DrawHeaderText(LogContext& ctx, int placementCode, double leftMm, double rightMm, double topPos,
                    double bottomPos, std::string_view text, double charWidthMm, double charHeightM, bool rotated) {
    if (core::TrimBlanks(text).empty()) return;
    const bool rotatedCode = placementCode >= 31 && placementCode <= 33;
    if (rotated != rotatedCode) return;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const double band = HeaderBandTopOf(ctx.titleForm);
    const double topY = HeaderPosition(band, topPos);
    const double bottomY = HeaderPosition(band, bottomPos);
    switch (placementCode) {
        case 1: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
            DrawFittedText(s, MmToX(g, leftMm + kHeaderInsetMm), DepthToY(g, topY), text, HeaderRoom(g, leftMm, rightMm, topY, bottomY));
            return;
        }
        case 2:
            TextInBox(s, g, leftMm, topY, rightMm, bottomY, text);
            return;
        case 3: {
            TextAlignScope align(s, TextAlign{HorizontalAlign::Right, VerticalAlign::Top});
            DrawFittedText(s, MmToX(g, rightMm - kHeaderInsetMm), DepthToY(g, topY), text, HeaderRoom(g, leftMm, rightMm, topY, bottomY));
            return;
        }
        case 4:
            if (s.MeasureText(text).width > HeaderRoom(g, leftMm, rightMm, topY, bottomY).Width()) {
                TextInBox(s, g, leftMm, topY, rightMm, bottomY, text);
                return;
            }
            SpreadText(s, g, leftMm + kSpreadInsetMm, rightMm - kSpreadInsetMm, topY, bottomY, charWidthMm,
                       charHeightM, text);
            return;
        case 11:
        case 12:
        case 13:
            VerticalHeaderText(s, g, placementCode, leftMm, rightMm, topY, bottomY, charHeightM, text);
            return;
        case 14:
        case 99: {
            // A text spread down from the band's top edge starts a little under it, so that the
            // frame's top line (the outer-frame width) does not cut its first character.
            const double top = topY <= band + 1e-9 ? topY + kBandTopInsetShare * charHeightM : topY;
            VerticalSpreadText(s, g, leftMm, rightMm, top, bottomY, charHeightM, charWidthMm, text);
            return;
        }
        case 31:
        case 32:
        case 33: {
            // Turned by 270°: the glyphs face right, so the reference lies half a line height
            // (five line heights of the title scale in mm) right of the column centre.
            TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Top});
            TextAt(s, g, (leftMm + rightMm) / 2 + 5 * charHeightM, topY, text);
            return;
        }
        default:
            return;
    }
}

void DrawColumnHeaders(LogContext& ctx, bool rotated) {
    const ColumnLayout& columns = ctx.columns;
    if (columns.count < 1) return;
    const style::LogStyle& style = ctx.style;
    const double band = HeaderBandTopOf(ctx.titleForm);
    TitleFont font = SelectSlotFont(ctx, FontSlot::Header, 1.0, rotated ? 270 : 0);

    std::vector<double> groupRight(static_cast<std::size_t>(columns.count + 1), 0.0);
    for (const HeaderGroup& group : HeaderGroups(style, columns))
        groupRight[static_cast<std::size_t>(group.headerSlot)] = Right(columns, group.LastSlot());

    for (int slot : HeaderDrawingOrder(style, columns)) {
        const style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        const int code = item.ItemCode();
        double xl = Left(columns, slot);
        double xr = Right(columns, slot);
        if (item.IsGroupHeader()) xr = std::max(xr, groupRight[static_cast<std::size_t>(slot)]);
        const double w = xr - xl;

        if (code == kBlowItem && !rotated) {
            // Its own header: the two lines spread over the first three quarters between the
            // group band and its own band, and the ranges of the three 100 mm sub-columns.
            double from = HeaderRowLine(band, GroupBandLine(3100, ctx.settings));
            double own = HeaderRowLine(band, k3104BandLine);
            double mid = (from + own) / 2;
            SpreadText(ctx.surface, ctx.geometry, xl + kSpreadInsetMm, xl + 0.75 * w - kSpreadInsetMm, from, mid,
                       font.charWidthMm, font.charHeightM, "100mmごと");
            SpreadText(ctx.surface, ctx.geometry, xl + kSpreadInsetMm, xl + 0.75 * w - kSpreadInsetMm, mid, own,
                       font.charWidthMm, font.charHeightM, "の打撃回数");
            static const char* const ranges[3][2] = {{"0", "100"}, {"100", "200"}, {"200", "300"}};
            double half = (0.0 - own) / 2;
            for (int i = 0; i < 3; ++i) {
                double sx1 = xl + i * 0.25 * w;
                double sx2 = sx1 + 0.25 * w;
                TextInBox(ctx.surface, ctx.geometry, sx1, own, sx2, own + half, ranges[i][0]);
                TextInBox(ctx.surface, ctx.geometry, sx1, own + half, sx2, 0.0, ranges[i][1]);
            }
        }

        // Header lines of one column set closer than the font is high are set smaller, so
        // that none stands on another.
        const std::array<double, 5> scales =
            rotated ? std::array<double, 5>{1, 1, 1, 1, 1} : CrowdedHeaderScales(ctx, item, band, font.charHeightM);
        struct RestoreFont {
            LogContext& ctx;
            bool active = false;
            ~RestoreFont() {
                if (active) SelectSlotFont(ctx, FontSlot::Header);
            }
        } restore{ctx};
        for (int k = 1; k <= 4; ++k) {
            style::HeaderText header = item.Header(k);
            if (core::TrimBlanks(header.text).empty()) continue;
            TitleFont columnFont = font;
            if (scales[static_cast<std::size_t>(k)] < 1.0) {
                columnFont = SelectSlotFont(ctx, FontSlot::Header, scales[static_cast<std::size_t>(k)]);
                restore.active = true;
            } else if (restore.active) {
                SelectSlotFont(ctx, FontSlot::Header);
                restore.active = false;
            }
            double top = header.EffectiveTop();
            double bottom = header.EffectiveBottom();
            if (code == kBlowItem) {
                if (rotated) {
                    // The turned text once in each of the first three sub-columns.
                    for (int i = 0; i < 3; ++i)
                        DrawHeaderText(ctx, header.placementCode, xl + i * 0.25 * w, xl + (i + 1) * 0.25 * w, top,
                                       bottom, header.text, columnFont.charWidthMm, columnFont.charHeightM, true);
                    continue;
                }
                DrawHeaderText(ctx, header.placementCode, xl + 0.75 * w, xr, top, bottom, header.text,
                               columnFont.charWidthMm, columnFont.charHeightM, false);
                continue;
            }
            if (auto legend = style::FindLegendReference(header.text)) {
                if (rotated || header.placementCode == -1) continue;
                double topY = HeaderPosition(band, top);
                double bottomY = HeaderPosition(band, bottom);
                DrawLegendRow(ctx, *legend, header.placementCode, xl, xr, topY, bottomY, columnFont.charWidthMm,
                              columnFont.charHeightM);
                continue;
            }
            DrawHeaderText(ctx, header.placementCode, xl, xr, top, bottom, header.text, columnFont.charWidthMm,
                           columnFont.charHeightM, rotated);
        }
    }
    if (rotated) SelectSlotFont(ctx, FontSlot::Header);
}

int NFullScale(const app::SystemSettings& settings) {
    switch (settings.NMaxBlows) {
        case 1: return 60;
        case 2: return 100;
        default: return 50;
    }
}

namespace {

// The scale numbers of a graph column along its top: each centred on its value, the end ones
// kept inside the column's rules, all in one font narrow enough for the spacing, and a
// number that would still touch its neighbour left out.
void ScaleLabels(LogContext& ctx, double leftMm, double rightMm,
                 const std::vector<std::pair<double, std::string>>& labels) {
    if (labels.empty()) return;
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const int left = MmToX(g, leftMm + kScaleLabelInsetMm);
    const int right = MmToX(g, rightMm - kScaleLabelInsetMm);
    const int gap = std::max(1, MmToX(g, kScaleLabelGapMm) - MmToX(g, 0.0));
    const int spacing = (right - left) / std::max<int>(1, static_cast<int>(labels.size()) - 1);
    std::string widest;
    for (const auto& label : labels)
        if (label.second.size() > widest.size()) widest = label.second;
    const LogFont selected = s.CurrentFont();
    const FittedText fit = FitText(s, widest, TextRoom{std::max(1, (spacing - gap) * 2 / 3), 0});
    s.SelectFont(fit.font);
    const int y = DepthToY(g, 0.0);
    int previousRight = -32768;
    for (const auto& [xMm, text] : labels) {
        const int width = s.MeasureText(text).width;
        int x = MmToX(g, xMm) - width / 2;
        x = std::clamp(x, left, std::max(left, right - width));
        if (x < previousRight + gap) continue;
        TextAlignScope align(s, TextAlign{HorizontalAlign::Left, VerticalAlign::Bottom});
        s.TextOut(x, y, text);
        previousRight = x + width;
    }
    s.SelectFont(selected);
}

}  // namespace

void DrawGraphScaleLabels(LogContext& ctx) {
    const ColumnLayout& columns = ctx.columns;
    if (columns.count < 1) return;
    Surface& s = ctx.surface;
    SelectSlotFont(ctx, FontSlot::Figure);
    TextAlignScope align(s, TextAlign{HorizontalAlign::Centre, VerticalAlign::Bottom});
    for (int slot = 1; slot <= LastSlot(columns); ++slot) {
        const int code = CodeOf(ctx.style, slot);
        const double xl = Left(columns, slot);
        const double w = Right(columns, slot) - xl;
        if (w <= 0) continue;
        if (code == 3101) {
            const int nMax = NFullScale(ctx.settings);
            const int step = nMax == 100 ? 20 : 10;
            std::vector<std::pair<double, std::string>> labels;
            for (int value = 0; value < nMax; value += step)
                labels.emplace_back(xl + value * w / nMax, core::Sprintf("%2d", value));
            labels.emplace_back(xl + w, core::Sprintf("%d", nMax));
            ScaleLabels(ctx, xl, xl + w, labels);
        } else if (code == 2301 || code == 2302) {
            std::vector<std::pair<double, std::string>> labels;
            for (int value = 0; value <= 100; value += 20)
                labels.emplace_back(xl + value * w / 100, core::Sprintf("%2d", value));
            ScaleLabels(ctx, xl, xl + w, labels);
        }
    }
}

}  // namespace stracol::render
