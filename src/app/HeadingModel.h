#pragma once
// The heading dialog ("見出し") and its elevation options ("標高オプション") without their
// widgets: the read-only heading data shown, the three display choices that can be changed
// (the survey name over two lines, the qualification name, the elevation options) and their
// file SyHeadV.ndx beside the settings.

#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::borehole { struct BoreholeRecord; }
namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

inline constexpr const char* kHeadingChoicesFile = "SyHeadV.ndx";

// Reads SyHeadV.ndx: a first line "1000", the second-line start of the survey name, the
// qualification name, the collar elevation display flag and the rounding flag ("1" or "0";
// empty while the rule was never chosen, so that the data's own rule of heading 36 holds). A
// missing file gives the defaults (one line, "地質調査技士", two decimals, the data's rule).
render::HeadingChoices LoadHeadingChoices(const InstallFolder& folder);
bool SaveHeadingChoices(const render::HeadingChoices& choices, const InstallFolder& folder, core::Messages* messages);
std::vector<std::string> HeadingChoiceLines(const render::HeadingChoices& choices);
render::HeadingChoices ParseHeadingChoiceLines(const std::vector<std::string>& lines);

// A flag stored as text is set exactly when the text reads as the integer 1.
bool FlagOf(const std::string& text);

// One read-only field of the heading dialog.
struct HeadingField {
    std::string label;
    std::string text;
};

// The name of the log kind of the data: "土質オールコア", "土質標準貫入試験", "岩盤柱状図",
// "地すべりオールコア", "地すべり標準貫入試験", or "不明".
std::string LogKindName(int formatCode, const borehole::BoreholeRecord& record);

// The heading data as the dialog shows it, in its order.
std::vector<HeadingField> HeadingFields(const borehole::BoreholeRecord& record, int formatCode);

// The elevation options dialog: the two flags, the first choice ("0") or the second ("1").
struct ElevationOptionsForm {
    bool collarAsText = false;    // 標題部の孔口標高の表示: 文字列として表示
    bool roundHalfEven = false;   // 標高の計算の丸め方: JIS規則A (偶数丸め)

    // The stored flags; a rounding rule never chosen is the data's (heading 36).
    static ElevationOptionsForm Of(const render::HeadingChoices& choices, const borehole::BoreholeRecord& record);
    void StoreInto(render::HeadingChoices& choices) const {
        choices.collarElevationAsText = collarAsText;
        choices.roundHalfEven = roundHalfEven;
    }
};

// The heading dialog's choices.
class HeadingForm {
public:
    explicit HeadingForm(const render::HeadingChoices& stored);

    // 調査名2行表示: the split field is enabled with it (set on opening when a split is stored).
    bool twoLineSurveyName = false;
    std::string surveySplit;
    // 表示 beside 資格名: set on opening when the stored name holds "地質調査技士".
    bool showQualification = true;
    std::string qualificationName;

    // The 表示 box: set gives "地質調査技士", cleared an empty name.
    void SetShowQualification(bool shown);
    // OK: the split text (empty when the box is cleared) and the qualification name, an
    // empty one stored as "非表示"; the elevation flags are left as they are.
    void StoreInto(render::HeadingChoices& choices) const;
};

}  // namespace stracol::app
