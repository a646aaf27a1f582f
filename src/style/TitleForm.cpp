#include "style/TitleForm.h"

#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

#include <cmath>

namespace stracol::style {
namespace {

struct LineDefault {
    int line;
    std::string_view value;
    double minimum;  // a value below this takes the default too
};

// Alignment lines hold a code (with a comment), so they need a number as well.
constexpr std::array<LineDefault, 14> kDefaults{{
    {TitleForm::UpperItemLeft, "0", -HUGE_VAL},
    {TitleForm::UpperBlankLeft, "40", -HUGE_VAL},
    {TitleForm::UpperDataLeft, "45", 1.0},
    {TitleForm::UpperItemAlign, "1 HL", -HUGE_VAL},
    {TitleForm::UpperDataAlign, "1 HL", -HUGE_VAL},
    {TitleForm::FrameItemAAlign, "4 HE", -HUGE_VAL},
    {TitleForm::FrameDataAlign, "1 HL", -HUGE_VAL},
    {TitleForm::FrameItemBAlign, "14 VE", -HUGE_VAL},
    {TitleForm::TitleTotal, "11.0", 0.1},
    {TitleForm::TitleFrameTop, "8.2", 0.1},
    {TitleForm::TitleFrameBottom, "-8.0 ", -HUGE_VAL},
    {TitleForm::HeaderBandTop, "-4.3 ", -HUGE_VAL},
    {TitleForm::HeaderBandBottom, "-4.0 ", -HUGE_VAL},
    {TitleForm::UnderlineMode, "1", -HUGE_VAL},
}};

// "%.1f" without a negative zero.
std::string Tenths(double value) {
    std::string text = core::Sprintf("%.1f", value);
    if (text == "-0.0") text = "0.0";
    return text;
}

}  // namespace

TitleHeights TitleHeights::Standard() { return {28, 2, 37, 3, 40}; }
TitleHeights TitleHeights::Example2() { return {39, 2, 39, 3, 42}; }

const std::string& TitleForm::Get(int line) const {
    static const std::string empty;
    if (line < 1 || line > kLines) return empty;
    return m_lines[line - 1];
}

void TitleForm::Set(int line, std::string value) {
    if (line < 1 || line > kLines) return;
    m_lines[line - 1] = std::move(value);
}

double TitleForm::Number(int line) const { return core::LeadingReal(Get(line)); }

bool TitleForm::IsEmpty() const {
    for (const auto& line : m_lines)
        if (!line.empty()) return false;
    return true;
}

bool TitleForm::Read(const std::string& path) {
    auto lines = core::ReadCp932Lines(path, kLineLimit);
    if (!lines) return false;
    for (int n = 2; n <= kLines && n <= static_cast<int>(lines->size()); ++n) m_lines[n - 1] = (*lines)[n - 1];
    return true;
}

void TitleForm::ApplyDefaults() {
    for (const auto& entry : kDefaults) {
        const std::string& value = Get(entry.line);
        if (core::IsNumericStart(value) != 1 || core::LeadingReal(value) < entry.minimum)
            Set(entry.line, std::string(entry.value));
    }
}

void TitleForm::Load(const std::string& path) {
    if (IsEmpty()) Read(path);
    ApplyDefaults();
}

TitleHeights TitleForm::Heights() const {
    double l10 = Number(TitleTotal), l11 = Number(TitleFrameTop), l12 = Number(TitleFrameBottom);
    double l13 = Number(HeaderBandTop), l14 = Number(HeaderBandBottom);
    return {10 * (l10 - l11), 10 * (l11 + l12), 10 * (l13 - l12), 10 * (l14 - l13), -10 * l14};
}

void TitleForm::SetHeights(const TitleHeights& h) {
    Set(HeaderBandBottom, Tenths(-h.h3 / 10));
    Set(HeaderBandTop, Tenths(-(h.h3 + h.b2) / 10));
    Set(TitleFrameBottom, Tenths(-(h.h3 + h.b2 + h.h2) / 10));
    Set(TitleFrameTop, Tenths((h.h3 + h.b2 + h.h2 + h.b1) / 10));
    Set(TitleTotal, Tenths((h.h3 + h.b2 + h.h2 + h.b1 + h.h1) / 10));
}

void TitleForm::ApplyFormatExample(int number) {
    if (number != 1 && number != 2) return;
    const bool first = number == 1;
    Set(UpperItemLeft, first ? "0" : "30");
    Set(UpperBlankLeft, first ? "40" : "75");
    Set(UpperDataLeft, first ? "45" : "80");
    Set(UnderlineFixedWidth, first ? "190" : "210");
    Set(UpperItemAlign, "1  左詰め");
    Set(UpperDataAlign, "1  左詰め");
    Set(FrameItemAAlign, "4  均等");
    Set(FrameDataAlign, "1  左詰め");
    Set(FrameItemBAlign, "14  縦均等");
    Set(UnderlineMode, first ? "1" : "4");
}

const std::vector<std::string>& UpperAlignChoices() {
    static const std::vector<std::string> choices = {"1  左詰め", "4  均等", "-1 非表示", "99 自動"};
    return choices;
}

const std::vector<std::string>& FrameAlignChoices() {
    static const std::vector<std::string> choices = {"1  左詰め", "2  センター", "4  均等", "99 自動"};
    return choices;
}

const std::vector<std::string>& FrameItemBAlignChoices() {
    static const std::vector<std::string> choices = {"1  左詰め", "2  センター", "4  均等", "99 自動", "14 縦均等"};
    return choices;
}

const std::vector<std::string>& UnderlineChoices() {
    static const std::vector<std::string> choices = {"無し", "枠幅 = 標準", "文字部分", "最長文字範囲", "固定幅"};
    return choices;
}

std::vector<std::string> TitleForm::FileLines() const {
    std::vector<std::string> lines(m_lines.begin(), m_lines.end());
    lines[DebugValue - 1] = Get(UnderlineMode);
    return lines;
}

bool TitleForm::Write(const std::string& path, core::Messages* messages) const {
    return core::WriteCp932Lines(path, FileLines(), messages);
}

bool HeightsMayNotShowCorrectly(const TitleHeights& h) {
    const TitleHeights standard = TitleHeights::Standard();
    return h.h1 < standard.h1 / 2 || h.h2 < standard.h2 * 3 / 4 || h.h3 < standard.h3 / 2;
}

bool ConfirmTitleHeights(TitleForm& form, const TitleHeights& heights, core::Messages& messages) {
    form.SetHeights(heights);
    if (!HeightsMayNotShowCorrectly(heights)) return false;
    messages.Warning(core::MessageText(core::MessageId::MayNotShowCorrectly));
    return true;
}

bool SaveTitleFormAsStandard(TitleForm& form, const TitleHeights& heights, const std::string& installFolder,
                             core::Messages& messages) {
    form.SetHeights(heights);
    if (!messages.Ask(core::MessageText(core::MessageId::SaveFormDefault))) return false;
    return form.Write(core::JoinPath(installFolder, kTitleFormFile), &messages);
}

}  // namespace stracol::style
