#pragma once
// The system settings record: one field per line of SysQXV.ndx (121 lines, line 0 "500").

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

struct SystemSettings {
    std::string ReservedText1;                  // 1  carried unchanged
    int NMaxBlows = 0;                          // 2  0 "50回", 1 "60回", 2 "100回"
    int NOverflowSymbol = 1;                    // 3
    int NDepthLabelPos = 1;                     // 4  0 above, 1 below, 2 hidden
    int SampleDepthLabelPos = 1;                // 5
    int NLugeonGrid = 1;                        // 6
    int InsituGrid = 0;                         // 7
    int CoreGrid = 1;                           // 8
    int OuterFrameWidth = 2;                    // 9  px
    int RuleLineWidth = 1;                      // 10 px
    int NPlotWidth = 1;                         // 11
    int CoreRecoveryPlotWidth = 1;              // 12
    int CoreLengthPlotWidth = 1;                // 13
    int RqdPlotWidth = 2;                       // 14
    int LugeonPlotWidth = 1;                    // 15
    int PqIncreaseWidth = 1;                    // 16
    int PqDecreaseWidth = 1;                    // 17
    int LoggingPlotWidth = 1;                   // 18
    int AreaLineStyle = 1;                      // 19 0 solid, 1 dashed, 2 dotted
    int AreaLineWidthX = 2;                     // 20
    int AreaLineWidthY = 2;                     // 21
    std::string SelfSinkText = "自沈";          // 22
    std::string NoPenetrationText = "貫入不能"; // 23
    int DrillDateFormat = 0;                    // 24
    std::string PatternFolder;                  // 25 always the install folder's Sbptn
    int PressureDecimals = 0;                   // 26
    int StartupPaperEnabled = 0;                // 31
    int StartupPaperSize = 0;                   // 32 0 A3, 1 A4
    int StartupOrientation = 0;                 // 33 0 portrait, 1 landscape
    int NSolidBlackDot = 0;                     // 37
    int GeoNameSymbolStyle = 0;                 // 38
    std::string CompanyName = "-";              // 39
    std::string CompanyTel = "-";               // 40
    int LeftMargin = 5;                         // 41 mm, 1-100
    int TopMargin = 5;                          // 42 mm, 1-100
    int PageDepth = 0;                          // 43 m per page, at most 38
    int PageOverlapDepth = 0;                   // 44 m
    int ScaleDataOnly = 1;                      // 45
    int PatternSetting46 = 0;                   // 46 pattern mode, 0 after every load
    int PatternSetting47 = 0;                   // 47 1: all patterns black
    int PatternSetting48 = 0;                   // 48 pattern pen width - 1
    int PatternSetting49 = 0;                   // 49 overlay order
    std::string NameTablePath;                  // 50 written, not read back
    int PatternSetting51 = 0;                   // 51 carried
    int ScaleTickStep = 0;                      // 52 0 "0.1m", 1 "0.5m"
    int ColourMode = 0;                         // 53 0 colour, 1 black and white
    double LugeonPe = 1.0;                      // 54 MPa
    std::string CriticalPressureBracket = "《　》"; // 55
    std::string CoreRecoveryBracket = "(　)";       // 56
    std::string CoreLengthBracket = "　…無し";      // 57
    std::string RqdBracket = "〔　〕";              // 58
    int GroupTitleRows = 2;                     // 59
    int LoggingMethodRows = 2;                  // 60
    int LoggingRows = 4;                        // 61
    int NGridWidth = 1;                         // 62
    int NGridDash = 10;                         // 63
    int NGridGap = 0;                           // 64
    int NFineGridWidth = 1;                     // 65
    int NFineGridDash = 5;                      // 66
    int NFineGridGap = 0;                       // 67
    int CoreGridWidth = 1;                      // 68
    int CoreGridDash = 10;                      // 69
    int CoreGridGap = 0;                        // 70
    int CoreFineGridWidth = 1;                  // 71
    int CoreFineGridDash = 4;                   // 72
    int CoreFineGridGap = 0;                    // 73
    std::string NGridColour = "0x808080";       // 76
    std::string NFineGridColour = "0xffff00";   // 77
    std::string CoreGridColour = "0x808080";    // 78
    std::string NPlotColour = "0x0000c0";       // 79
    std::string CoreRecoveryColour = "0xa00000"; // 80
    std::string CoreLengthColour = "0x008000";  // 81
    std::string RqdColour = "0x0000a0";         // 82
    std::string LugeonColour = "0xa00000";      // 83
    std::string LoggingColour = "0x900000";     // 84
    int ConfirmStyleReplace = 1;                // 109
    int EnterKeyMode = 1;                       // 110
    int ScrollToLastRow = 1;                    // 111
};

inline constexpr int kSettingsLineCount = 121;

// Parses the lines of a settings file (line 0 first) into a record whose fields start at
// zero or empty; lines the file lacks read as empty. No clamps are applied here.
SystemSettings ParseSystemSettings(const std::vector<std::string>& lines);

// The clamps applied after every load: margins outside 1-100 become 5, the pattern mode 0,
// the pattern folder the install folder's Sbptn, an empty fine-grid colour "0xcccccc",
// PageDepth above 38 becomes 38; before these, every number is held to ±32767 (a number that
// is no finite real becomes 0).
void ClampSystemSettings(SystemSettings& settings, const InstallFolder& folder);

// Reads SysQXV.ndx of the folder (defaults when it cannot be opened) and clamps.
SystemSettings LoadSystemSettings(const InstallFolder& folder);

// The 121 lines as written: line 0 "500", integers "%d", line 54 "%g", text as it is,
// unlisted lines empty.
std::vector<std::string> SystemSettingsLines(const SystemSettings& settings);

// Writes SysQXV.ndx; on failure shows 4005 "保存できませんでした" and returns false
// (the old file stays as it was).
bool SaveSystemSettings(const SystemSettings& settings, const InstallFolder& folder, core::Messages* messages);

// Each field as (line, name, value text), in line order.
void ForEachSetting(const SystemSettings& settings,
                    const std::function<void(int line, std::string_view name, const std::string& value)>& visit);

}  // namespace stracol::app
