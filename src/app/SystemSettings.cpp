#include "app/SystemSettings.h"

#include "app/InstallFolder.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <variant>

namespace stracol::app {
namespace {

using Member = std::variant<int SystemSettings::*, double SystemSettings::*, std::string SystemSettings::*>;

struct Field {
    int line;
    std::string_view name;
    Member member;
};

#define STRACOL_FIELD(line, name) Field{line, #name, &SystemSettings::name}

const std::array kFields = {
    STRACOL_FIELD(1, ReservedText1),
    STRACOL_FIELD(2, NMaxBlows),
    STRACOL_FIELD(3, NOverflowSymbol),
    STRACOL_FIELD(4, NDepthLabelPos),
    STRACOL_FIELD(5, SampleDepthLabelPos),
    STRACOL_FIELD(6, NLugeonGrid),
    STRACOL_FIELD(7, InsituGrid),
    STRACOL_FIELD(8, CoreGrid),
    STRACOL_FIELD(9, OuterFrameWidth),
    STRACOL_FIELD(10, RuleLineWidth),
    STRACOL_FIELD(11, NPlotWidth),
    STRACOL_FIELD(12, CoreRecoveryPlotWidth),
    STRACOL_FIELD(13, CoreLengthPlotWidth),
    STRACOL_FIELD(14, RqdPlotWidth),
    STRACOL_FIELD(15, LugeonPlotWidth),
    STRACOL_FIELD(16, PqIncreaseWidth),
    STRACOL_FIELD(17, PqDecreaseWidth),
    STRACOL_FIELD(18, LoggingPlotWidth),
    STRACOL_FIELD(19, AreaLineStyle),
    STRACOL_FIELD(20, AreaLineWidthX),
    STRACOL_FIELD(21, AreaLineWidthY),
    STRACOL_FIELD(22, SelfSinkText),
    STRACOL_FIELD(23, NoPenetrationText),
    STRACOL_FIELD(24, DrillDateFormat),
    STRACOL_FIELD(25, PatternFolder),
    STRACOL_FIELD(26, PressureDecimals),
    STRACOL_FIELD(31, StartupPaperEnabled),
    STRACOL_FIELD(32, StartupPaperSize),
    STRACOL_FIELD(33, StartupOrientation),
    STRACOL_FIELD(37, NSolidBlackDot),
    STRACOL_FIELD(38, GeoNameSymbolStyle),
    STRACOL_FIELD(39, CompanyName),
    STRACOL_FIELD(40, CompanyTel),
    STRACOL_FIELD(41, LeftMargin),
    STRACOL_FIELD(42, TopMargin),
    STRACOL_FIELD(43, PageDepth),
    STRACOL_FIELD(44, PageOverlapDepth),
    STRACOL_FIELD(45, ScaleDataOnly),
    STRACOL_FIELD(46, PatternSetting46),
    STRACOL_FIELD(47, PatternSetting47),
    STRACOL_FIELD(48, PatternSetting48),
    STRACOL_FIELD(49, PatternSetting49),
    STRACOL_FIELD(50, NameTablePath),
    STRACOL_FIELD(51, PatternSetting51),
    STRACOL_FIELD(52, ScaleTickStep),
    STRACOL_FIELD(53, ColourMode),
    STRACOL_FIELD(54, LugeonPe),
    STRACOL_FIELD(55, CriticalPressureBracket),
    STRACOL_FIELD(56, CoreRecoveryBracket),
    STRACOL_FIELD(57, CoreLengthBracket),
    STRACOL_FIELD(58, RqdBracket),
    STRACOL_FIELD(59, GroupTitleRows),
    STRACOL_FIELD(60, LoggingMethodRows),
    STRACOL_FIELD(61, LoggingRows),
    STRACOL_FIELD(62, NGridWidth),
    STRACOL_FIELD(63, NGridDash),
    STRACOL_FIELD(64, NGridGap),
    STRACOL_FIELD(65, NFineGridWidth),
    STRACOL_FIELD(66, NFineGridDash),
    STRACOL_FIELD(67, NFineGridGap),
    STRACOL_FIELD(68, CoreGridWidth),
    STRACOL_FIELD(69, CoreGridDash),
    STRACOL_FIELD(70, CoreGridGap),
    STRACOL_FIELD(71, CoreFineGridWidth),
    STRACOL_FIELD(72, CoreFineGridDash),
    STRACOL_FIELD(73, CoreFineGridGap),
    STRACOL_FIELD(76, NGridColour),
    STRACOL_FIELD(77, NFineGridColour),
    STRACOL_FIELD(78, CoreGridColour),
    STRACOL_FIELD(79, NPlotColour),
    STRACOL_FIELD(80, CoreRecoveryColour),
    STRACOL_FIELD(81, CoreLengthColour),
    STRACOL_FIELD(82, RqdColour),
    STRACOL_FIELD(83, LugeonColour),
    STRACOL_FIELD(84, LoggingColour),
    STRACOL_FIELD(109, ConfirmStyleReplace),
    STRACOL_FIELD(110, EnterKeyMode),
    STRACOL_FIELD(111, ScrollToLastRow),
};

#undef STRACOL_FIELD

// The largest magnitude of a number setting (the device coordinate range).
constexpr int kMaxSettingValue = 32767;

// Longest settings line the reader keeps, in CP932 bytes.
constexpr std::size_t kLineLimit = 100;

std::string ValueText(const SystemSettings& s, const Member& member) {
    return std::visit(
        [&](auto ptr) -> std::string {
            using T = std::decay_t<decltype(s.*ptr)>;
            if constexpr (std::is_same_v<T, int>) return core::Sprintf("%d", s.*ptr);
            else if constexpr (std::is_same_v<T, double>) return core::Sprintf("%g", s.*ptr);
            else return s.*ptr;
        },
        member);
}

}  // namespace

SystemSettings ParseSystemSettings(const std::vector<std::string>& lines) {
    SystemSettings s;
    for (const Field& f : kFields) {
        const std::string empty;
        const std::string& line = f.line < static_cast<int>(lines.size()) ? lines[f.line] : empty;
        std::visit(
            [&](auto ptr) {
                using T = std::decay_t<decltype(s.*ptr)>;
                if constexpr (std::is_same_v<T, int>) s.*ptr = core::IsNumericStart(line) == 1 ? core::LeadingInt(line) : 0;
                else if constexpr (std::is_same_v<T, double>) s.*ptr = core::IsNumericStart(line) == 1 ? core::LeadingReal(line) : 0.0;
                else s.*ptr = line;
            },
            f.member);
    }
    // The two key-option lines read an empty line as 1.
    auto emptyAt = [&](int n) { return n >= static_cast<int>(lines.size()) || core::TrimBlanks(lines[n]).empty(); };
    if (emptyAt(110)) s.EnterKeyMode = 1;
    if (emptyAt(111)) s.ScrollToLastRow = 1;
    return s;
}

void ClampSystemSettings(SystemSettings& s, const InstallFolder& folder) {
    // No setting means anything beyond the device coordinate range: a hand-edited extreme
    // number is held to it before any arithmetic can overflow.
    for (const Field& f : kFields) {
        std::visit(
            [&](auto ptr) {
                using T = std::decay_t<decltype(s.*ptr)>;
                if constexpr (std::is_same_v<T, int>) {
                    s.*ptr = std::clamp(s.*ptr, -kMaxSettingValue, kMaxSettingValue);
                } else if constexpr (std::is_same_v<T, double>) {
                    if (!std::isfinite(s.*ptr)) s.*ptr = 0.0;
                    s.*ptr = std::clamp(s.*ptr, -double{kMaxSettingValue}, double{kMaxSettingValue});
                }
            },
            f.member);
    }
    if (s.LeftMargin < 1 || s.LeftMargin > 100) s.LeftMargin = 5;
    if (s.TopMargin < 1 || s.TopMargin > 100) s.TopMargin = 5;
    s.PatternSetting46 = 0;
    s.PatternFolder = folder.PatternFolder();
    if (s.NFineGridColour.empty()) s.NFineGridColour = "0xcccccc";
    if (s.PageDepth > 38) s.PageDepth = 38;
}

SystemSettings LoadSystemSettings(const InstallFolder& folder) {
    SystemSettings settings;
    if (auto lines = core::ReadCp932Lines(folder.File("SysQXV.ndx"), kLineLimit)) {
        settings = ParseSystemSettings(*lines);
    }
    ClampSystemSettings(settings, folder);
    settings.NameTablePath = folder.File("WdtvTSL.mst");
    return settings;
}

std::vector<std::string> SystemSettingsLines(const SystemSettings& settings) {
    std::vector<std::string> lines(kSettingsLineCount);
    lines[0] = "500";
    for (const Field& f : kFields) lines[f.line] = ValueText(settings, f.member);
    return lines;
}

bool SaveSystemSettings(const SystemSettings& settings, const InstallFolder& folder, core::Messages* messages) {
    return core::WriteCp932Lines(folder.File("SysQXV.ndx"), SystemSettingsLines(settings), messages);
}

void ForEachSetting(const SystemSettings& settings,
                    const std::function<void(int, std::string_view, const std::string&)>& visit) {
    for (const Field& f : kFields) visit(f.line, f.name, ValueText(settings, f.member));
}

}  // namespace stracol::app
