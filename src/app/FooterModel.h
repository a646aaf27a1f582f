#pragma once
// The page footer with the page number: its file SyPageV.ndx beside the settings, and the
// rules of the page footer dialog ("ページフッタ") without its widgets: the prefix and suffix
// choices, the preview, the standard settings and the check on OK.

#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

// The footer file of the install folder.
inline constexpr const char* kFooterFile = "SyPageV.ndx";
// The footer is never placed lower than this above the paper's bottom edge (mm).
inline constexpr int kFooterBottomReserveMm = 16;

// Reads SyPageV.ndx: a first line "1000", then prefix, start number, suffix, position mode,
// top distance, distance below the log, horizontal mode and left distance, one per line
// (distances in mm as text, modes "0" or "1"). A missing file, or one without the version
// line, gives the empty footer, which prints nothing; a start that is no number prints none.
render::FooterSettings LoadFooterSettings(const InstallFolder& folder);
// Writes SyPageV.ndx safely; "保存できませんでした" and false on failure, the old file kept.
bool SaveFooterSettings(const render::FooterSettings& footer, const InstallFolder& folder, core::Messages* messages);
// The lines of the file.
std::vector<std::string> FooterFileLines(const render::FooterSettings& footer);
render::FooterSettings ParseFooterLines(const std::vector<std::string>& lines);

// The choices of the 前文字 and 後文字 boxes.
inline constexpr const char* kNoPrefixChoice = "    <無し>";
const std::vector<std::string>& FooterPrefixChoices();
const std::vector<std::string>& FooterSuffixChoices();

// The message of a footer placed beyond the paper (%1: the distance).
inline constexpr const char* kFooterOffPaperText = "フッタ表示位置が用紙外の可能性があります \n( %1 mm)";

// The fields of the dialog as typed, over the paper the printer reports.
class FooterForm {
public:
    FooterForm(const render::FooterSettings& stored, int paperWidthMm, int paperLengthMm);

    std::string prefix;
    std::string startNumber;
    std::string suffix;
    int positionMode = 1;       // 0 用紙上端から, 1 柱状図下端から
    std::string topDistance;    // mm
    std::string belowLog;       // mm
    int horizontalMode = 1;     // 0 用紙左端から, 1 用紙左右中央
    std::string leftDistance;   // mm

    // A prefix chosen or typed: one holding "<無し>" becomes empty; with an empty suffix, "("
    // puts ")" into it and "-" puts "-".
    void ChoosePrefix(const std::string& text);
    // prefix + start number + suffix, as typed.
    std::string Preview() const;
    // The centre of the paper across: paper width / 2 (integer division).
    int CentreMm() const { return m_paperWidthMm / 2; }
    // ← (業者名と同じ位置): the distance below the log becomes "2.0".
    void SameAsCompanyName() { belowLog = "2.0"; }
    // 標準の設定: top distance paper length − 16 mm, below the log "2.0", left distance
    // min(paper width / 2, 150) mm, below the log, centred.
    void ApplyStandard();
    // Whether the distance field beside each radio button is enabled.
    bool TopDistanceEnabled() const { return positionMode == 0; }
    bool BelowLogEnabled() const { return positionMode == 1; }
    bool LeftDistanceEnabled() const { return horizontalMode == 0; }

    // OK: refuses a footer measured from the paper's top that lies beyond paper length −
    // 16 mm (with the message, the form stays open: false). Otherwise true and *settings
    // holds what is stored.
    bool Accept(render::FooterSettings& settings, core::Messages& messages) const;

private:
    int m_paperWidthMm;
    int m_paperLengthMm;
};

}  // namespace stracol::app
