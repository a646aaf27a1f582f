#include "app/SettingsSheetModel.h"

#include <algorithm>
#include <cctype>

#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"

namespace stracol::app {

namespace {

// Every field the sheet edits, by page.
using IntMember = int SystemSettings::*;
using TextMember = std::string SystemSettings::*;

const IntMember kIntFields[] = {
    // Page 1.
    &SystemSettings::CoreGrid, &SystemSettings::InsituGrid, &SystemSettings::NLugeonGrid,
    &SystemSettings::GroupTitleRows, &SystemSettings::LoggingMethodRows, &SystemSettings::LoggingRows,
    &SystemSettings::ScaleTickStep, &SystemSettings::GeoNameSymbolStyle, &SystemSettings::DrillDateFormat,
    &SystemSettings::PressureDecimals, &SystemSettings::NMaxBlows, &SystemSettings::NDepthLabelPos,
    &SystemSettings::NOverflowSymbol, &SystemSettings::NSolidBlackDot, &SystemSettings::SampleDepthLabelPos,
    // Page 2.
    &SystemSettings::OuterFrameWidth, &SystemSettings::RuleLineWidth, &SystemSettings::ColourMode,
    &SystemSettings::NGridWidth, &SystemSettings::NGridDash, &SystemSettings::NGridGap,
    &SystemSettings::NFineGridWidth, &SystemSettings::NFineGridDash, &SystemSettings::NFineGridGap,
    &SystemSettings::CoreGridWidth, &SystemSettings::CoreGridDash, &SystemSettings::CoreGridGap,
    &SystemSettings::CoreFineGridWidth, &SystemSettings::CoreFineGridDash, &SystemSettings::CoreFineGridGap,
    &SystemSettings::NPlotWidth, &SystemSettings::CoreRecoveryPlotWidth, &SystemSettings::CoreLengthPlotWidth,
    &SystemSettings::RqdPlotWidth, &SystemSettings::LugeonPlotWidth, &SystemSettings::PqIncreaseWidth,
    &SystemSettings::PqDecreaseWidth, &SystemSettings::LoggingPlotWidth, &SystemSettings::AreaLineWidthX,
    &SystemSettings::AreaLineWidthY, &SystemSettings::AreaLineStyle,
    // Page 3.
    &SystemSettings::TopMargin, &SystemSettings::LeftMargin,
};

const TextMember kTextFields[] = {
    &SystemSettings::CoreRecoveryBracket, &SystemSettings::CoreLengthBracket, &SystemSettings::RqdBracket,
    &SystemSettings::CriticalPressureBracket,
    &SystemSettings::NGridColour, &SystemSettings::NFineGridColour, &SystemSettings::CoreGridColour,
    &SystemSettings::NPlotColour, &SystemSettings::CoreRecoveryColour, &SystemSettings::CoreLengthColour,
    &SystemSettings::RqdColour, &SystemSettings::LugeonColour, &SystemSettings::LoggingColour,
    &SystemSettings::CompanyName, &SystemSettings::CompanyTel,
};

// The marks of a bracket text without the blanks between them.
std::string BracketKey(std::string_view text) {
    std::string key;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == ' ') continue;
        if (text.compare(i, 3, "　") == 0) {
            i += 2;
            continue;
        }
        key += text[i];
    }
    return key;
}

}  // namespace

SettingsSheetModel::SettingsSheetModel(const SystemSettings& current) : m_values(current) {
    // The page shows the stored colour mode with its rule applied.
    SetColourMode(m_values.ColourMode);
}

const std::vector<std::string>& SettingsSheetModel::BracketChoices() {
    static const std::vector<std::string> choices = {"(　)", "[　]", "{　}", "〔　〕", "　 …無し"};
    return choices;
}

const std::vector<std::string>& SettingsSheetModel::CriticalPressureChoices() {
    static const std::vector<std::string> choices = {"{　}", "《　》", "　 …無し"};
    return choices;
}

int SettingsSheetModel::BracketIndex(const std::vector<std::string>& choices, std::string_view stored) {
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (choices[i] == stored) return static_cast<int>(i);
    const std::string key = BracketKey(stored);
    for (std::size_t i = 0; i < choices.size(); ++i)
        if (BracketKey(choices[i]) == key) return static_cast<int>(i);
    return -1;
}

void SettingsSheetModel::ChooseBracket(std::string& field, const std::vector<std::string>& choices, int index) {
    if (index < 0 || index >= static_cast<int>(choices.size())) return;
    if (BracketIndex(choices, field) == index) return;
    field = choices[static_cast<std::size_t>(index)];
}

void SettingsSheetModel::ApplyPage1Standard() {
    SystemSettings& s = m_values;
    s.CoreGrid = 1;
    s.InsituGrid = 0;
    s.NLugeonGrid = 1;
    s.ScaleTickStep = 0;
    s.GeoNameSymbolStyle = 0;
    s.PressureDecimals = 1;
    s.NMaxBlows = 0;
    s.NDepthLabelPos = 1;
    s.NOverflowSymbol = 1;
    s.NSolidBlackDot = 0;
    s.SampleDepthLabelPos = 1;
    s.LugeonPe = 1.0;
    s.CriticalPressureBracket = "《　》";
    s.CoreRecoveryBracket = "(　)";
    s.CoreLengthBracket = "　…無し";
    s.RqdBracket = "〔　〕";
    s.GroupTitleRows = 2;
    s.LoggingMethodRows = 2;
    s.LoggingRows = 4;
}

// The page-1 standard with every grid switch (scale ticks, N/Lugeon, in-situ, core) set to
// one value: 1 the standard grids, 0 the fine ones.
void SettingsSheetModel::ApplyGrids(int value) {
    ApplyPage1Standard();
    m_values.ScaleTickStep = value;
    m_values.NLugeonGrid = value;
    m_values.InsituGrid = value;
    m_values.CoreGrid = value;
}

void SettingsSheetModel::ApplyStandardGrid() { ApplyGrids(1); }

void SettingsSheetModel::ApplyFineGrid() { ApplyGrids(0); }

void SettingsSheetModel::ApplyGridColourExample() {
    SystemSettings& s = m_values;
    s.OuterFrameWidth = 2;
    s.RuleLineWidth = 1;
    s.NGridWidth = 1;
    s.NFineGridWidth = 1;
    s.CoreGridWidth = 1;
    s.CoreFineGridWidth = 1;
    s.NGridColour = "0x808080";
    s.NFineGridColour = "0xffff00";
    s.CoreGridColour = "0x808080";
    SetColourMode(0);
}

void SettingsSheetModel::ApplyGridMonoExample() {
    SystemSettings& s = m_values;
    s.OuterFrameWidth = 2;
    s.RuleLineWidth = 1;
    s.NGridWidth = 1;
    s.NGridDash = 10;
    s.NGridGap = 0;
    s.NFineGridWidth = 1;
    s.NFineGridDash = 4;
    s.NFineGridGap = 4;
    s.CoreGridWidth = 1;
    s.CoreGridDash = 10;
    s.CoreGridGap = 0;
    s.CoreFineGridWidth = 1;
    s.CoreFineGridDash = 4;
    s.CoreFineGridGap = 5;
    SetColourMode(1);
}

void SettingsSheetModel::ApplyPlotColourExample() {
    SystemSettings& s = m_values;
    s.AreaLineWidthX = 2;
    s.AreaLineWidthY = 2;
    s.NPlotWidth = 2;
    s.CoreRecoveryPlotWidth = 1;
    s.CoreLengthPlotWidth = 1;
    s.RqdPlotWidth = 1;
    s.LugeonPlotWidth = 2;
    s.PqIncreaseWidth = 1;
    s.PqDecreaseWidth = 1;
    s.LoggingPlotWidth = 1;
    s.NPlotColour = "0x0000c0";
    s.CoreRecoveryColour = "0xa00000";
    s.CoreLengthColour = "0x008000";
    s.RqdColour = "0x0000a0";
    s.LugeonColour = "0xa00000";
    s.LoggingColour = "0x900000";
    SetColourMode(0);
}

void SettingsSheetModel::ApplyPlotMonoExample() {
    const int loggingWidth = m_values.LoggingPlotWidth;
    ApplyPlotColourExample();
    m_values.LoggingPlotWidth = loggingWidth;
    SetColourMode(1);
}

void SettingsSheetModel::ApplyPage2Standard() {
    ApplyGridColourExample();
    ApplyPlotColourExample();
}

void SettingsSheetModel::ApplyPage3Standard() {
    m_values.TopMargin = 5;
    m_values.LeftMargin = 5;
}

void SettingsSheetModel::SetColourMode(int mode) {
    m_values.ColourMode = mode == 0 ? 0 : 1;
    if (m_values.ColourMode == 0) {
        m_values.NGridGap = 0;
        m_values.NFineGridGap = 0;
        m_values.CoreGridGap = 0;
        m_values.CoreFineGridGap = 0;
    }
}

std::optional<FieldError> SettingsSheetModel::SetTopMargin(std::string_view text) {
    return ParseIntField(text, kMarginMin, kMarginMax, m_values.TopMargin);
}

std::optional<FieldError> SettingsSheetModel::SetLeftMargin(std::string_view text) {
    return ParseIntField(text, kMarginMin, kMarginMax, m_values.LeftMargin);
}

std::optional<FieldError> SettingsSheetModel::SetInteger(int& field, std::string_view text) {
    return ParseIntField(text, field);
}

std::optional<FieldError> SettingsSheetModel::SetLugeonPe(std::string_view text) {
    return ParseRealField(text, m_values.LugeonPe);
}

std::optional<FieldError> SettingsSheetModel::SetColour(std::string& field, std::string_view text) {
    const std::string t = AsciiNumberText(text);
    std::string_view digits = t;
    int base = 10;
    if (digits.size() > 2 && digits[0] == '0' && (digits[1] == 'x' || digits[1] == 'X')) {
        digits.remove_prefix(2);
        base = 16;
    }
    const bool valid = !digits.empty() && digits.size() <= (base == 16 ? 6u : 8u) &&
                       std::all_of(digits.begin(), digits.end(), [&](char c) {
                           return base == 16 ? std::isxdigit(static_cast<unsigned char>(c)) != 0
                                             : std::isdigit(static_cast<unsigned char>(c)) != 0;
                       });
    const unsigned long value = valid ? std::stoul(std::string(digits), nullptr, base) : 0;
    if (!valid || value > 0xffffffUL) return FieldError{core::MessageText(core::MessageId::BadNumber)};
    field = core::Sprintf("0x%06lx", value);
    return std::nullopt;
}

void SettingsSheetModel::ApplyTo(SystemSettings& settings) const {
    for (IntMember m : kIntFields) settings.*m = m_values.*m;
    for (TextMember m : kTextFields) settings.*m = m_values.*m;
    settings.LugeonPe = m_values.LugeonPe;
}

bool SettingsSheetModel::Commit(SystemSettings& settings, const InstallFolder& folder, core::Messages* messages) const {
    ApplyTo(settings);
    return SaveSystemSettings(settings, folder, messages);
}

}  // namespace stracol::app
