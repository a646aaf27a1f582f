#include "app/HeadingModel.h"

#include "app/InstallFolder.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "render/PageGeometry.h"
#include "render/TitleBlock.h"
#include "render/columns/Elevation.h"
#include "style/StyleKind.h"

namespace stracol::app {

namespace {

constexpr const char* kChoicesFileVersion = "1000";

}  // namespace

bool FlagOf(const std::string& text) { return core::IsNumericStart(text) == 1 && core::LeadingInt(text) == 1; }

std::vector<std::string> HeadingChoiceLines(const render::HeadingChoices& c) {
    return {kChoicesFileVersion, c.surveySplit, c.qualificationName, c.collarElevationAsText ? "1" : "0",
            c.roundHalfEven ? (*c.roundHalfEven ? "1" : "0") : ""};
}

render::HeadingChoices ParseHeadingChoiceLines(const std::vector<std::string>& lines) {
    render::HeadingChoices c;
    auto line = [&](std::size_t i) -> std::string { return i < lines.size() ? lines[i] : std::string(); };
    // A file without its version line is not this file: the defaults.
    if (core::IsNumericStart(line(0)) != 1) return c;
    c.surveySplit = line(1);
    // The name is stored as "非表示" when hidden, so an empty line is a file written without it.
    if (!core::TrimBlanks(line(2)).empty()) c.qualificationName = std::string(core::TrimBlanks(line(2)));
    c.collarElevationAsText = FlagOf(line(3));
    if (!core::TrimBlanks(line(4)).empty()) c.roundHalfEven = FlagOf(line(4));
    return c;
}

render::HeadingChoices LoadHeadingChoices(const InstallFolder& folder) {
    auto lines = core::ReadCp932Lines(folder.File(kHeadingChoicesFile), 200);
    if (!lines) return {};
    return ParseHeadingChoiceLines(*lines);
}

bool SaveHeadingChoices(const render::HeadingChoices& choices, const InstallFolder& folder, core::Messages* messages) {
    return core::WriteCp932Lines(folder.File(kHeadingChoicesFile), HeadingChoiceLines(choices), messages);
}

std::string LogKindName(int formatCode, const borehole::BoreholeRecord& record) {
    switch (style::StyleKind(formatCode, record.Heading(57))) {
        case 1: return "岩盤柱状図";
        case 2: return "土質オールコア";
        case 3: return "土質標準貫入試験";
        case 4: return "地すべりオールコア";
        case 5: return "地すべり標準貫入試験";
        default: return "不明";
    }
}

std::vector<HeadingField> HeadingFields(const borehole::BoreholeRecord& r, int formatCode) {
    auto h = [&](int index) { return r.Heading(index); };
    auto engineer = [&](int name, int number) {
        std::string text = h(name);
        std::string_view n = core::TrimBlanks(h(number));
        if (!n.empty()) text += "  (" + std::string(n) + ")";
        return text;
    };
    auto date = [&](int first) { return h(first) + "/" + h(first + 1) + "/" + h(first + 2); };
    auto dms = [&](int first) { return h(first) + "ﾟ" + h(first + 1) + "'" + h(first + 2) + "\""; };
    const double deepest = render::MaxDepthOf(r);
    return {
        {"調査名", h(1)},
        {"事業工事名", h(2)},
        {"目的", h(borehole::kPurposeHeading)},
        {"調査位置", h(3)},
        {"対象", h(borehole::kTargetHeading)},
        {"発注機関", h(4)},
        {"ボーリング名", h(5)},
        {"孔口標高m", h(13)},
        {"総削孔長m", h(37)},
        {"地質深度m", deepest > 0 ? core::Sprintf("%.2f", deepest) : std::string()},
        {"主任技師", engineer(16, 76)},
        {"現場代理人", engineer(17, 77)},
        {"コア鑑定者", engineer(18, 78)},
        {"ボーリング責任者", engineer(19, 79)},
        {"試錐機", h(20)},
        {"エンジン", h(22)},
        {"ポンプ", h(23)},
        {"ハンマー", h(21)},
        {"角度", h(24)},
        {"方位", h(25)},
        {"地盤勾配", h(26)},
        {"調査期間 開始", date(6)},
        {"調査期間 終了", date(9)},
        {"北緯", dms(51)},
        {"東経", dms(54)},
        {"メッシュコード", h(27)},
        {"調査業者名", h(39)},
        {"ＴEL", h(40)},
        {"Xml version", h(102)},
        {"type", LogKindName(formatCode, r)},
    };
}

ElevationOptionsForm ElevationOptionsForm::Of(const render::HeadingChoices& choices,
                                              const borehole::BoreholeRecord& record) {
    const bool halfEven = choices.roundHalfEven.value_or(render::ElevationInputsOf(record).roundingRule ==
                                                         render::kRoundHalfEven);
    return {choices.collarElevationAsText, halfEven};
}

HeadingForm::HeadingForm(const render::HeadingChoices& stored) {
    surveySplit = stored.surveySplit;
    twoLineSurveyName = !stored.surveySplit.empty();
    qualificationName = stored.qualificationName == render::kHiddenQualification ? std::string()
                                                                                 : stored.qualificationName;
    showQualification = stored.qualificationName.find(render::kDefaultQualification) != std::string::npos;
}

void HeadingForm::SetShowQualification(bool shown) {
    showQualification = shown;
    qualificationName = shown ? std::string(render::kDefaultQualification) : std::string();
}

void HeadingForm::StoreInto(render::HeadingChoices& choices) const {
    choices.surveySplit = twoLineSurveyName ? surveySplit : std::string();
    std::string_view name = core::TrimBlanks(qualificationName);
    choices.qualificationName = name.empty() ? std::string(render::kHiddenQualification) : std::string(name);
}

}  // namespace stracol::app
