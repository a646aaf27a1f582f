#include "render/TitleBlock.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <set>
#include <tuple>

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/LogText.h"
#include "render/PageGeometry.h"
#include "render/Primitives.h"
#include "render/TextFit.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

namespace stracol::render {

namespace {

using style::TitleForm;

// Margins of the title-field texts: across in mm, down in metres at title scale.
constexpr double kFieldMarginMm = 1.0;
constexpr double kFieldMarginM = 0.05;
// The labels of a dial keep this far inside its cell (mm).
constexpr double kDialInsetMm = 0.3;
// The narrowest block drawn.
constexpr double kMinBlockWidthMm = 5.0;

// "%2.2s" of a text in CP932 bytes: at most two bytes, right-aligned in two.
std::string TwoByteField(std::string_view text) {
    std::string cut = text.empty() ? std::string() : core::Cp932Substring(text, 1, 2);
    std::size_t width = core::Cp932Width(cut);
    return std::string(width < 2 ? 2 - width : 0, ' ') + cut;
}

// A positive number n of the field, or 0 when it holds none.
int PositiveNumber(std::string_view text) {
    if (core::IsNumericStart(text) != 1) return 0;
    int n = core::LeadingInt(text);
    return n > 0 ? n : 0;
}

const app::FontSetting& FontOf(const LogContext& ctx, FontSlot slot) {
    return ctx.fonts[static_cast<std::size_t>(static_cast<int>(slot) - 1)];
}

int FormatCode(const TitleForm& form, int line) { return core::LeadingInt(form.Get(line)); }

double FormNumber(const TitleForm& form, int line, double fallback) {
    return core::IsNumericStart(form.Get(line)) == 1 ? form.Number(line) : fallback;
}

// Millimetres of style width per metre at the current vertical scale (to draw round shapes).
double MmPerMetre(const PageGeometry& g) { return g.xFactor > 0.0001 ? g.depthPxPerMetre / g.xFactor : 10.0; }

// The right end of the title block: the last column edge, or the first edge + 5 mm.
double BlockRight(const ColumnLayout& columns) {
    double left = columns.edges[0];
    double right = columns.count > 0 ? columns.edges[static_cast<std::size_t>(columns.count)] : left;
    return std::max(right, left + kMinBlockWidthMm);
}

void DrawCellText(LogContext& ctx, const TitleCell& cell, const TitleBlockBox& box, const TitleFont& font,
                  int format, std::string_view text) {
    TitleFieldText(ctx.surface, ctx.geometry, format, box.X(cell.x1), box.X(cell.x2), box.RowY(cell.row1),
                   box.RowY(cell.row2), font.charWidthMm, font.charHeightM, kFieldMarginMm, kFieldMarginM, text);
}

}  // namespace

// ---- fixed text forms ----

std::string DateText(std::string_view era, std::string_view year, std::string_view month, std::string_view day) {
    std::string out(era);
    auto part = [&](std::string_view field, const char* unit, bool isYear) {
        // A part written 0 is not known: it stays blank like a missing one.
        const bool unknown = core::IsNumericStart(field) == 1 && core::LeadingReal(field) <= 0;
        if (core::TrimBlanks(field).empty() || unknown) {
            out += TwoByteField({}) + unit;
        } else if (int n = PositiveNumber(field); n > 0) {
            out += core::Sprintf("%d", n) + unit;
        } else if (isYear) {
            out += std::string("元") + unit;
        } else {
            out += TwoByteField(field) + unit;
        }
    };
    part(year, "年", true);
    part(month, "月", false);
    part(day, "日", false);
    return out;
}

TitleBlockOptions TitleOptionsOf(const HeadingChoices& choices) {
    TitleBlockOptions options;
    options.qualificationName = choices.qualificationName;
    options.collarElevationAsText = choices.collarElevationAsText;
    return options;
}

std::string OneLineText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '\r' && text[i] != '\n') {
            out.push_back(text[i++]);
            continue;
        }
        while (i < text.size() && (text[i] == '\r' || text[i] == '\n' || text[i] == ' ' || text[i] == '\t')) ++i;
        while (!out.empty() && (out.back() == ' ' || out.back() == '\t')) out.pop_back();
        // Words of Latin letters or digits on both sides stay apart.
        const auto latin = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
        if (!out.empty() && i < text.size() && latin(out.back()) && latin(text[i])) out.push_back(' ');
    }
    return std::string(core::TrimBlanks(out));
}

std::pair<std::string, std::string> SplitSurveyName(const std::string& name, const std::string& split) {
    if (split.empty()) {
        // A name the data itself breaks over two lines is shown on two lines.
        const std::size_t at = name.find_first_of("\r\n");
        if (at != std::string::npos) {
            const std::string first = OneLineText(std::string_view(name).substr(0, at));
            const std::string second = OneLineText(std::string_view(name).substr(at));
            if (!first.empty() && !second.empty()) return {first, second};
        }
        return {OneLineText(name), {}};
    }
    const std::string joined = OneLineText(name);
    const auto at = joined.find(split);
    if (at == std::string::npos || at == 0) return {joined, {}};
    return {joined.substr(0, at), joined.substr(at)};
}

std::string SurveyPeriodText(const borehole::BoreholeRecord& record, std::string_view era) {
    return DateText(era, record.Heading(6), record.Heading(7), record.Heading(8)) + "～" +
           DateText(era, record.Heading(9), record.Heading(10), record.Heading(11));
}

std::string LatLongText(std::string_view degrees, std::string_view minutes, std::string_view seconds) {
    if (core::TrimBlanks(degrees).empty()) return std::string(kLatLongTemplate);
    std::string d(core::TrimBlanks(degrees));
    if (core::Cp932Width(d) < 3) d = std::string(3 - core::Cp932Width(d), ' ') + d;
    return d + "ﾟ" + std::string(core::TrimBlanks(minutes)) + "'" + std::string(core::TrimBlanks(seconds)) + "\"";
}

std::string LengthText(std::string_view metres) {
    if (core::IsNumericStart(metres) != 1) return {};
    return core::Sprintf("%6.2f m", core::LeadingReal(metres));
}

std::string CollarElevationText(std::string_view elevation, bool asText) {
    if (asText) {
        std::string_view t = core::TrimBlanks(elevation);
        return t.empty() ? std::string() : std::string(t) + " m";
    }
    return LengthText(elevation);
}

std::string DialValueText(std::string_view value) {
    std::string_view t = core::TrimBlanks(value);
    if (t.empty()) return {};
    return TextBeforeSeparator(t, ".0") + "ﾟ";
}

std::string RegistrationText(std::string_view number, std::string_view qualificationName) {
    std::string_view n = core::TrimBlanks(number);
    if (n.empty() || qualificationName == kHiddenQualification) return {};
    return std::string(qualificationName) + " " + std::string(n);
}

// ---- fonts ----

int FontHeightPx(double sizePt, int dpi) { return static_cast<int>(std::lround(sizePt * dpi / 72.0)); }

TitleFont SelectSlotFont(LogContext& ctx, FontSlot slot, double scale, int angleDegrees) {
    const app::FontSetting& setting = FontOf(ctx, slot);
    TitleFont font;
    font.heightPx = std::max(1, FontHeightPx(setting.sizePt * scale, ctx.geometry.dpiY));
    CreateLogFont(ctx.surface, static_cast<Colour>(setting.colour) & 0xffffff, font.heightPx, setting.faceName,
                  angleDegrees, ctx.messages);
    const PageGeometry& g = ctx.geometry;
    font.charWidthMm = g.xFactor > 0.0001 ? ctx.surface.MeasureText("あ").width / g.xFactor : 0.0;
    font.charHeightM = g.depthPxPerMetre > 0.0001 ? font.heightPx / g.depthPxPerMetre : 0.0;
    return font;
}

// ---- layout ----

TitleBlockBox TitleBlockBoxOf(const style::TitleForm& form, const ColumnLayout& columns) {
    TitleBlockBox box;
    box.leftMm = columns.edges[0];
    box.rightMm = BlockRight(columns);
    box.topM = FormNumber(form, TitleForm::TitleFrameBottom, -8.0);
    box.bottomM = FormNumber(form, TitleForm::HeaderBandTop, -4.3);
    return box;
}

const std::vector<TitleCell>& TitleBlockCells() {
    // Rows 0-2 run across the block; rows 3-4 hold the four engineers (four equal columns),
    // the three dials with their vertical labels and the machines.
    static const std::vector<TitleCell> cells = [] {
        std::vector<TitleCell> c;
        auto label = [&](int r1, int r2, double x1, double x2, const char* text, bool lower = false) {
            c.push_back(TitleCell{r1, r2, x1, x2, CellKind::LabelA, text, 0, 0, lower});
        };
        auto data = [&](int r1, int r2, double x1, double x2, int heading, int which = 0, bool lower = false) {
            c.push_back(TitleCell{r1, r2, x1, x2, CellKind::Data, {}, heading, which, lower});
        };
        // Row 1: boring name, survey location, latitude.
        label(0, 1, 0.00, 0.09, "ボーリング名");
        data(0, 1, 0.09, 0.30, 5);
        label(0, 1, 0.30, 0.39, "調査位置");
        data(0, 1, 0.39, 0.72, 3);
        label(0, 1, 0.72, 0.79, "北緯");
        data(0, 1, 0.79, 1.00, 51);
        // Row 2: ordering agency, survey period, longitude.
        label(1, 2, 0.00, 0.09, "発注機関");
        data(1, 2, 0.09, 0.34, 4);
        label(1, 2, 0.34, 0.43, "調査期間");
        c.push_back(TitleCell{1, 2, 0.43, 0.72, CellKind::Date, {}, 6, 0, false});
        label(1, 2, 0.72, 0.79, "東経");
        data(1, 2, 0.79, 1.00, 54);
        // Row 3: survey company with its telephone, collar elevation, total drilled length.
        label(2, 3, 0.00, 0.09, "調査業者名");
        data(2, 3, 0.09, 0.52, 39);
        label(2, 3, 0.52, 0.61, "孔口標高");
        data(2, 3, 0.61, 0.72, 13);
        label(2, 3, 0.72, 0.81, "総削孔長");
        data(2, 3, 0.81, 1.00, 37);
        // Rows 4-5 left: the four engineers, label over name and registration number.
        static const char* const roles[] = {"主任技師", "現場代理人", "コア鑑定者", "ボーリング責任者"};
        for (int i = 0; i < 4; ++i) {
            double x1 = 0.11 * i;
            label(3, 4, x1, x1 + 0.11, roles[i], true);
            c.push_back(TitleCell{4, 5, x1, x1 + 0.11, CellKind::Engineer, {}, 16 + i, i + 1, true});
        }
        // Rows 4-5 middle: angle, bearing and ground slope, each a vertical label and a dial.
        static const char* const dials[] = {"角度", "方位", "地盤勾配"};
        for (int i = 0; i < 3; ++i) {
            double x1 = 0.44 + 0.08 * i;
            c.push_back(TitleCell{3, 5, x1, x1 + 0.022, CellKind::LabelB, dials[i], 0, i + 1, false});
            c.push_back(TitleCell{3, 5, x1 + 0.022, x1 + 0.08, CellKind::Dial, {}, 24 + i, i + 1, false});
        }
        // Rows 4-5 right: the machines.
        c.push_back(TitleCell{3, 5, 0.68, 0.705, CellKind::LabelB, "使用機種", 0, 0, true});
        label(3, 4, 0.705, 0.775, "試錐機", true);
        data(3, 4, 0.775, 0.8525, 20, 0, true);
        label(3, 4, 0.8525, 0.9225, "エンジン", true);
        data(3, 4, 0.9225, 1.00, 22, 0, true);
        label(4, 5, 0.705, 0.775, "ポンプ", true);
        data(4, 5, 0.775, 0.8525, 23, 0, true);
        label(4, 5, 0.8525, 0.9225, "ハンマー", true);
        data(4, 5, 0.9225, 1.00, 21, 0, true);
        return c;
    }();
    return cells;
}

std::string CellText(const TitleCell& cell, const borehole::BoreholeRecord& record, const TitleBlockOptions& options) {
    switch (cell.kind) {
        case CellKind::LabelA:
        case CellKind::LabelB:
            return cell.label;
        case CellKind::Date:
            return SurveyPeriodText(record);
        case CellKind::Dial:
            return DialValueText(record.Heading(cell.heading));
        case CellKind::Engineer:
            return record.Heading(cell.heading);
        case CellKind::Data:
            break;
    }
    switch (cell.heading) {
        case 51:
            return LatLongText(record.Heading(51), record.Heading(52), record.Heading(53));
        case 54:
            return LatLongText(record.Heading(54), record.Heading(55), record.Heading(56));
        case 13:
            return CollarElevationText(record.Heading(13), options.collarElevationAsText);
        case 37:
            return LengthText(record.Heading(37));
        case 39: {
            std::string text = record.Heading(39);
            std::string_view tel = core::TrimBlanks(record.Heading(40));
            if (!tel.empty()) text += (text.empty() ? "" : "　") + std::string("電話 ") + std::string(tel);
            return text;
        }
        default:
            return record.Heading(cell.heading);
    }
}

// ---- drawing ----

void DrawLogTitle(LogContext& ctx) {
    const std::string& title = ctx.style.Title();
    if (core::TrimBlanks(title).empty()) return;
    const TitleForm& form = ctx.titleForm;
    double top = -FormNumber(form, TitleForm::TitleTotal, 11.0);
    double upperBottom = -FormNumber(form, TitleForm::TitleFrameTop, 8.2);
    // The title box: the upper 30 % of the upper title part, across the block.
    double boxBottom = top + 0.3 * (upperBottom - top);
    SelectSlotFont(ctx, FontSlot::Title, kLogTitleScale);
    TextInBox(ctx.surface, ctx.geometry, ctx.columns.edges[0], top, BlockRight(ctx.columns), boxBottom,
              core::TrimBlanks(title));
}

// The survey name over two lines is written this many times the title font's height.
constexpr double kTwoLineSurveyScale = 0.7;

void DrawUpperTitleLines(LogContext& ctx) {
    const TitleForm& form = ctx.titleForm;
    const PageGeometry& g = ctx.geometry;
    const double left = ctx.columns.edges[0];
    const double right = BlockRight(ctx.columns);
    const double itemLeft = left + FormNumber(form, TitleForm::UpperItemLeft, 0.0);
    const double blankLeft = left + FormNumber(form, TitleForm::UpperBlankLeft, 40.0);
    const double dataLeft = left + FormNumber(form, TitleForm::UpperDataLeft, 45.0);
    const int itemAlign = FormatCode(form, TitleForm::UpperItemAlign);
    const int dataAlign = FormatCode(form, TitleForm::UpperDataAlign);
    const int underlineMode = core::IsNumericStart(form.Get(TitleForm::UnderlineMode)) == 1
                                  ? FormatCode(form, TitleForm::UnderlineMode)
                                  : 1;
    const double fixedWidth = FormNumber(form, TitleForm::UnderlineFixedWidth, 190.0);
    const int lineWidth = ctx.settings.RuleLineWidth;

    const double top = -FormNumber(form, TitleForm::TitleTotal, 11.0);
    const double upperBottom = -FormNumber(form, TitleForm::TitleFrameTop, 8.2);
    const double linesTop = top + 0.3 * (upperBottom - top);
    const double rowHeight = (upperBottom - linesTop) / 4.0;

    struct Line {
        const char* label;
        std::string data;
    };
    // Each datum stands on one line of its row: line breaks in the data are dropped (the
    // survey name alone may be shown on two lines, below).
    const std::string& surveyName = ctx.record.Heading(1);
    const Line lines[4] = {
        {"調査名", OneLineText(surveyName)},
        {"事業・工事名", OneLineText(ctx.record.Heading(2))},
        {"調査目的", OneLineText(ctx.record.Heading(borehole::kPurposeHeading))},
        {"調査対象", OneLineText(ctx.record.Heading(borehole::kTargetHeading))},
    };

    TitleFont font = SelectSlotFont(ctx, FontSlot::Title);
    // The longest data text, for the underline mode 3 (最長文字範囲).
    double longestMm = 0;
    if (g.xFactor > 0.0001)
        for (const Line& line : lines)
            longestMm = std::max(longestMm, ctx.surface.MeasureText(line.data).width / g.xFactor);

    // 調査名2行表示: the survey name broken before the split text, both lines in its row. A
    // name the data breaks over lines goes on one line when it fits there at the title font.
    auto [surveyLine1, surveyLine2] = SplitSurveyName(surveyName, ctx.heading.surveySplit);
    if (ctx.heading.surveySplit.empty() && !surveyLine2.empty() && g.xFactor > 0.0001 &&
        ctx.surface.MeasureText(lines[0].data).width / g.xFactor <= right - dataLeft)
        surveyLine2.clear();

    for (int i = 0; i < 4; ++i) {
        // Each line stands on the bottom of its row, a little above the row line.
        double y = linesTop + (i + 1) * rowHeight - 0.1 * rowHeight;
        UpperTitleText(ctx.surface, g, itemAlign, itemLeft, blankLeft, y, font.charWidthMm, font.charHeightM, 0.0,
                       lines[i].label, 0, 0);
        if (i == 0 && !surveyLine2.empty()) {
            // Two lines at 0.7 of the title font: the second on the row's line, the first
            // one line above it, rising into the free space over the first row.
            TitleFont twoLine = SelectSlotFont(ctx, FontSlot::Title, kTwoLineSurveyScale);
            UpperTitleText(ctx.surface, g, dataAlign, dataLeft, right, y - 1.3 * twoLine.charHeightM,
                           twoLine.charWidthMm, twoLine.charHeightM, 0.0, surveyLine1, 0, lineWidth);
            UpperTitleText(ctx.surface, g, dataAlign, dataLeft, right, y, twoLine.charWidthMm, twoLine.charHeightM,
                           0.0, surveyLine2, underlineMode == kUnderlineTextPart ? kUnderlineTextPart : 0, lineWidth);
            font = SelectSlotFont(ctx, FontSlot::Title);
        } else {
            UpperTitleText(ctx.surface, g, dataAlign, dataLeft, right, y, font.charWidthMm, font.charHeightM, 0.0,
                           lines[i].data, underlineMode == kUnderlineTextPart ? kUnderlineTextPart : 0, lineWidth);
        }
        double endMm = itemLeft;
        switch (underlineMode) {
            case 1: endMm = right; break;
            case 3: endMm = dataLeft + longestMm; break;
            case 4: endMm = itemLeft + fixedWidth; break;
            default: continue;
        }
        DrawLine(ctx.surface, g, itemLeft, y, endMm, y, 0, lineWidth, 0);
    }
}

void DrawTitleBlock(LogContext& ctx, const TitleBlockOptions& options) {
    const TitleBlockBox box = TitleBlockBoxOf(ctx.titleForm, ctx.columns);
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const int outer = ctx.settings.OuterFrameWidth;
    const int rule = ctx.settings.RuleLineWidth;

    // Inner lines: each cell's right edge and its bottom edge, once each.
    std::set<std::tuple<int, int, int>> verticals;    // (x per mille, row1, row2)
    std::set<std::tuple<int, int, int>> horizontals;  // (row, x1 per mille, x2 per mille)
    for (const TitleCell& cell : TitleBlockCells()) {
        int x2 = static_cast<int>(std::lround(cell.x2 * 10000));
        if (x2 < 10000) verticals.insert({x2, cell.row1, cell.row2});
        if (cell.row2 < 5)
            horizontals.insert({cell.row2, static_cast<int>(std::lround(cell.x1 * 10000)), x2});
    }
    for (const auto& [x, r1, r2] : verticals) {
        double xm = box.X(x / 10000.0);
        DrawLine(s, g, xm, box.RowY(r1), xm, box.RowY(r2), 0, rule, 0);
    }
    for (const auto& [r, x1, x2] : horizontals)
        DrawLine(s, g, box.X(x1 / 10000.0), box.RowY(r), box.X(x2 / 10000.0), box.RowY(r), 0, rule, 0);
    // The outer frame.
    DrawLine(s, g, box.leftMm, box.RowY(0), box.rightMm, box.RowY(0), 0, outer, 0);
    DrawLine(s, g, box.leftMm, box.RowY(5), box.rightMm, box.RowY(5), 0, outer, 0);
    DrawLine(s, g, box.leftMm, box.RowY(0), box.leftMm, box.RowY(5), 0, outer, 0);
    DrawLine(s, g, box.rightMm, box.RowY(0), box.rightMm, box.RowY(5), 0, outer, 0);

    TitleFont font = SelectSlotFont(ctx, FontSlot::Title);
    const int labelA = FormatCode(ctx.titleForm, TitleForm::FrameItemAAlign);
    const int dataAlign = FormatCode(ctx.titleForm, TitleForm::FrameDataAlign);
    for (const TitleCell& cell : TitleBlockCells()) {
        if (cell.lowerRows || cell.kind == CellKind::Dial || cell.kind == CellKind::LabelB) continue;
        int format = cell.kind == CellKind::LabelA ? labelA : dataAlign;
        DrawCellText(ctx, cell, box, font, format, CellText(cell, ctx.record, options));
    }
}

void DrawTitleBlockLowerRows(LogContext& ctx, const TitleBlockOptions& options) {
    const TitleBlockBox box = TitleBlockBoxOf(ctx.titleForm, ctx.columns);
    TitleFont font = SelectSlotFont(ctx, FontSlot::Title);
    const int labelA = FormatCode(ctx.titleForm, TitleForm::FrameItemAAlign);
    const int labelB = FormatCode(ctx.titleForm, TitleForm::FrameItemBAlign);
    const int dataAlign = FormatCode(ctx.titleForm, TitleForm::FrameDataAlign);
    for (const TitleCell& cell : TitleBlockCells()) {
        if (!cell.lowerRows) continue;
        if (cell.kind == CellKind::Engineer) continue;
        int format = cell.kind == CellKind::LabelA ? labelA : cell.kind == CellKind::LabelB ? labelB : dataAlign;
        DrawCellText(ctx, cell, box, font, format, CellText(cell, ctx.record, options));
    }
    // The engineers: the name in the upper part of the cell, the registration number at
    // 0.6 of the title font below it.
    for (const TitleCell& cell : TitleBlockCells()) {
        if (cell.kind != CellKind::Engineer) continue;
        double y1 = box.RowY(cell.row1);
        double y2 = box.RowY(cell.row2);
        double split = y1 + 0.58 * (y2 - y1);
        TitleFieldText(ctx.surface, ctx.geometry, dataAlign, box.X(cell.x1), box.X(cell.x2), y1, split,
                       font.charWidthMm, font.charHeightM, kFieldMarginMm, kFieldMarginM,
                       ctx.record.Heading(cell.heading));
    }
    TitleFont small = SelectSlotFont(ctx, FontSlot::Title, kRegistrationScale);
    for (const TitleCell& cell : TitleBlockCells()) {
        if (cell.kind != CellKind::Engineer) continue;
        double y1 = box.RowY(cell.row1);
        double y2 = box.RowY(cell.row2);
        double split = y1 + 0.58 * (y2 - y1);
        std::string number =
            RegistrationText(ctx.record.Heading(76 + cell.which - 1), options.qualificationName);
        TitleFieldText(ctx.surface, ctx.geometry, 3, box.X(cell.x1), box.X(cell.x2), split, y2, small.charWidthMm,
                       small.charHeightM, kFieldMarginMm * 0.5, 0, number);
    }
}

void DrawDials(LogContext& ctx) {
    const TitleBlockBox box = TitleBlockBoxOf(ctx.titleForm, ctx.columns);
    TitleFont font = SelectSlotFont(ctx, FontSlot::Title);
    const int labelB = FormatCode(ctx.titleForm, TitleForm::FrameItemBAlign);
    for (const TitleCell& cell : TitleBlockCells()) {
        if (cell.kind == CellKind::LabelB && cell.which > 0) {
            TitleFieldText(ctx.surface, ctx.geometry, labelB, box.X(cell.x1), box.X(cell.x2), box.RowY(cell.row1),
                           box.RowY(cell.row2), font.charWidthMm, font.charHeightM, kFieldMarginMm, kFieldMarginM,
                           cell.label);
        }
    }
    for (const TitleCell& cell : TitleBlockCells()) {
        if (cell.kind != CellKind::Dial) continue;
        DrawDial(ctx, cell.which, box.X(cell.x1), box.X(cell.x2), box.RowY(cell.row1), box.RowY(cell.row2),
                 ctx.record.Heading(cell.heading));
    }
}

void DrawDial(LogContext& ctx, int kind, double x1Mm, double x2Mm, double y1M, double y2M, std::string_view value) {
    Surface& s = ctx.surface;
    const PageGeometry& g = ctx.geometry;
    const int rule = ctx.settings.RuleLineWidth;
    const double k = MmPerMetre(g);
    double cx = x1Mm + 0.36 * (x2Mm - x1Mm);
    const double cy = (y1M + y2M) / 2;
    const double r = 0.26 * (y2M - y1M);  // metres at title scale
    const double rMm = r * k;
    TitleFont font = SelectSlotFont(ctx, FontSlot::Figure);
    if (kind == 2 && g.xFactor > 0) {
        // The bearing dial has labels at both ends of its axis ("西" and "270ﾟ" on the left,
        // "東" and "90ﾟ" on the right): the circle moves right as far as the left labels need
        // and the right ones allow, so that "270ﾟ" is not squeezed into a sliver (or cut to "2").
        auto widthMm = [&](std::string_view t) { return s.MeasureText(t).width / g.xFactor; };
        const double least = x1Mm + kDialInsetMm + std::max(widthMm("西"), widthMm("270ﾟ")) + 1.2 * rMm;
        const double most = x2Mm - kDialInsetMm - std::max(widthMm("東"), widthMm("90ﾟ")) - 1.2 * rMm;
        if (cx < least) cx = least <= most ? least : std::max(cx, (least + most) / 2);
    }
    // The axis through the centre, 1.2 radii up and down.
    DrawLine(s, g, cx, cy - 1.2 * r, cx, cy + 1.2 * r, 0, rule, 0);
    // The arc: angle a semicircle on the right (下 … 上), bearing a full circle, slope a
    // quarter from the horizontal to the vertical.
    LogPoint top{cx, cy - r}, bottom{cx, cy + r}, rightPt{cx + rMm, cy};
    switch (kind) {
        case 1: DrawArc(s, g, cx, cy, r, bottom, top, 0, rule, 0); break;
        case 2: DrawCircle(s, g, cx, cy, r, 0, rule, 0); break;
        default: DrawArc(s, g, cx, cy, r, rightPt, top, 0, rule, 0); break;
    }
    if (kind == 2 || kind == 3) DrawLine(s, g, cx - (kind == 2 ? rMm * 1.2 : 0), cy, cx + rMm * 1.2, cy, 0, rule, 0);

    const double h = font.charHeightM;
    const double w = font.charWidthMm;
    // Labels keep inside the cell; those beside the ends of the horizontal axis keep between
    // the axis and the cell's rule (they are set narrower or smaller when that is short).
    const double axisEnd = rMm * 1.2;
    auto text = [&](double x, double y, HorizontalAlign align, std::string_view t) {
        double left = x1Mm + kDialInsetMm;
        double right = x2Mm - kDialInsetMm;
        if (align == HorizontalAlign::Right && x <= cx - axisEnd + 1e-9) right = std::min(right, cx - axisEnd);
        if (align == HorizontalAlign::Left && x >= cx + axisEnd - 1e-9) left = std::max(left, cx + axisEnd);
        TextAlignScope scope(s, TextAlign{align, VerticalAlign::Top});
        DrawFittedText(s, MmToX(g, x), DepthToY(g, y), t, Rect{MmToX(g, left), DepthToY(g, y1M), MmToX(g, right), DepthToY(g, y1M)});
    };
    switch (kind) {
        case 1:
            text(cx - 0.3 * w, cy - 1.2 * r - 0.1 * h, HorizontalAlign::Right, "上");
            text(cx - 0.3 * w, cy + 1.2 * r - 0.9 * h, HorizontalAlign::Right, "下");
            text(cx + 0.3 * w, cy - r - h, HorizontalAlign::Left, "180ﾟ");
            text(cx + rMm + 0.2 * w, cy - h / 2, HorizontalAlign::Left, "90ﾟ");
            text(cx + 0.3 * w, cy + r, HorizontalAlign::Left, "0ﾟ");
            break;
        case 2:
            text(cx + 0.2 * w, cy - 1.2 * r - 0.1 * h, HorizontalAlign::Left, "北");
            text(cx + 0.2 * w, cy + 1.2 * r - 0.9 * h, HorizontalAlign::Left, "南");
            text(cx + rMm * 1.2, cy - h, HorizontalAlign::Left, "東");
            text(cx - rMm * 1.2, cy - h, HorizontalAlign::Right, "西");
            text(cx - 0.2 * w, cy - r - h, HorizontalAlign::Right, "0ﾟ");
            text(cx + rMm * 1.2, cy, HorizontalAlign::Left, "90ﾟ");
            text(cx - 0.2 * w, cy + r, HorizontalAlign::Right, "180ﾟ");
            text(cx - rMm * 1.2, cy, HorizontalAlign::Right, "270ﾟ");
            break;
        default:
            text(cx - 0.3 * w, cy - 1.2 * r, HorizontalAlign::Right, "鉛");
            text(cx - 0.3 * w, cy - 1.2 * r + h, HorizontalAlign::Right, "直");
            text(cx + 0.3 * w, cy - r - 0.2 * h, HorizontalAlign::Left, "90ﾟ");
            text(cx + rMm * 1.2, cy - h, HorizontalAlign::Left, "水平");
            text(cx + rMm * 0.6, cy + 0.1 * h, HorizontalAlign::Left, "0ﾟ");
            break;
    }

    // The needle, for values up to 180.1 degrees, and the value under the dial.
    std::string_view v = core::TrimBlanks(value);
    if (v.empty()) return;
    if (core::IsNumericStart(v) == 1) {
        double deg = core::LeadingReal(v);
        if (deg <= 180.1) {
            double a = deg * 3.14159265358979323846 / 180.0;
            double dx = 0, dy = 0;  // unit direction, y downwards
            switch (kind) {
                case 1: dx = std::sin(a); dy = std::cos(a); break;    // 0 straight down, 90 across
                case 2: dx = std::sin(a); dy = -std::cos(a); break;   // 0 north (up), 90 east
                default: dx = std::cos(a); dy = -std::sin(a); break;  // 0 horizontal, 90 vertical
            }
            DrawLine(s, g, cx, cy, cx + dx * rMm, cy + dy * r, 0, rule + 1, 0);
        }
    }
    text(x2Mm - 0.3, y2M - h - 0.02, HorizontalAlign::Right, DialValueText(v));
}

}  // namespace stracol::render
