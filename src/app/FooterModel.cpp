#include "app/FooterModel.h"

#include <algorithm>

#include "app/InstallFolder.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

namespace stracol::app {

namespace {

constexpr const char* kFooterFileVersion = "1000";
constexpr int kMaxStandardLeftMm = 150;

std::string MmText(double mm) { return core::Sprintf("%.1f", mm); }

int ModeOf(const std::string& text, int fallback) {
    if (core::IsNumericStart(text) != 1) return fallback;
    return core::LeadingInt(text) == 0 ? 0 : 1;
}

double MmOf(const std::string& text) { return core::IsNumericStart(text) == 1 ? core::LeadingReal(text) : 0.0; }

}  // namespace

std::vector<std::string> FooterFileLines(const render::FooterSettings& f) {
    return {kFooterFileVersion,        f.prefix,           f.startNumber,
            f.suffix,                  core::Sprintf("%d", f.positionMode), MmText(f.topDistanceMm),
            MmText(f.belowLogMm),      core::Sprintf("%d", f.horizontalMode), MmText(f.leftDistanceMm)};
}

render::FooterSettings ParseFooterLines(const std::vector<std::string>& lines) {
    render::FooterSettings f;
    auto line = [&](std::size_t i) -> std::string { return i < lines.size() ? lines[i] : std::string(); };
    // A file without its version line is no footer file: no footer.
    if (core::IsNumericStart(line(0)) != 1) return f;
    f.prefix = line(1);
    // A start that is no number prints no number.
    if (core::IsNumericStart(line(2)) == 1) f.startNumber = std::string(core::TrimBlanks(line(2)));
    f.suffix = line(3);
    f.positionMode = ModeOf(line(4), 1);
    f.topDistanceMm = MmOf(line(5));
    f.belowLogMm = core::IsNumericStart(line(6)) == 1 ? core::LeadingReal(line(6)) : 2.0;
    f.horizontalMode = ModeOf(line(7), 1);
    f.leftDistanceMm = MmOf(line(8));
    return f;
}

render::FooterSettings LoadFooterSettings(const InstallFolder& folder) {
    auto lines = core::ReadCp932Lines(folder.File(kFooterFile), 100);
    if (!lines) return {};
    return ParseFooterLines(*lines);
}

bool SaveFooterSettings(const render::FooterSettings& footer, const InstallFolder& folder, core::Messages* messages) {
    return core::WriteCp932Lines(folder.File(kFooterFile), FooterFileLines(footer), messages);
}

const std::vector<std::string>& FooterPrefixChoices() {
    static const std::vector<std::string> choices = {kNoPrefixChoice, "-", "("};
    return choices;
}

const std::vector<std::string>& FooterSuffixChoices() {
    static const std::vector<std::string> choices = {"", "-", ")"};
    return choices;
}

FooterForm::FooterForm(const render::FooterSettings& s, int paperWidthMm, int paperLengthMm)
    : m_paperWidthMm(paperWidthMm), m_paperLengthMm(paperLengthMm) {
    prefix = s.prefix;
    startNumber = s.startNumber;
    suffix = s.suffix;
    positionMode = s.positionMode;
    horizontalMode = s.horizontalMode;
    // A footer never placed has neither distance: the standard settings take their place.
    if (s.topDistanceMm == 0 && s.leftDistanceMm == 0) {
        ApplyStandard();
    } else {
        topDistance = MmText(s.topDistanceMm);
        belowLog = MmText(s.belowLogMm);
        leftDistance = MmText(s.leftDistanceMm);
    }
}

void FooterForm::ChoosePrefix(const std::string& text) {
    if (text.find("<無し>") != std::string::npos) prefix.clear();
    else prefix.assign(text.data(), text.size());
    if (!suffix.empty()) return;
    // One character each (assigned as characters: GCC 12 warns falsely on short literals here).
    if (prefix == "(") suffix.assign(1, ')');
    else if (prefix == "-") suffix.assign(1, '-');
}

std::string FooterForm::Preview() const { return prefix + startNumber + suffix; }

void FooterForm::ApplyStandard() {
    topDistance = core::Sprintf("%d", m_paperLengthMm - kFooterBottomReserveMm);
    belowLog = "2.0";
    leftDistance = core::Sprintf("%d", std::min(m_paperWidthMm / 2, kMaxStandardLeftMm));
    positionMode = 1;
    horizontalMode = 1;
}

bool FooterForm::Accept(render::FooterSettings& s, core::Messages& messages) const {
    const double top = MmOf(topDistance);
    if (positionMode == 0 && top > m_paperLengthMm - kFooterBottomReserveMm) {
        const std::string_view message = kFooterOffPaperText;
        const std::size_t at = message.find("%1");
        messages.Error(std::string(message.substr(0, at)) + std::string(core::TrimBlanks(topDistance)) +
                       std::string(message.substr(at + 2)));
        return false;
    }
    s.prefix = prefix;
    s.startNumber = std::string(core::TrimBlanks(startNumber));
    s.suffix = suffix;
    s.positionMode = positionMode;
    s.topDistanceMm = top;
    s.belowLogMm = MmOf(belowLog);
    s.horizontalMode = horizontalMode;
    s.leftDistanceMm = MmOf(leftDistance);
    // The centre follows the paper the log is drawn on.
    s.centreMm = 0;
    return true;
}

}  // namespace stracol::app
