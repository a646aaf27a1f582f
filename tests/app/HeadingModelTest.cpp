// The heading dialog's choices and the elevation options: what the controls open with, what
// OK stores, and the file that keeps them.

#include "app/HeadingModel.h"

#include <gtest/gtest.h>

#include "app/InstallFolder.h"
#include "borehole/BoreholeRecord.h"
#include "core/Messages.h"
#include "render/TitleBlock.h"
#include "support/TempDir.h"

namespace stracol::app {
namespace {

TEST(HeadingForm, OpensFromTheStoredChoices) {
    struct Case {
        const char* split;
        const char* qualification;
        bool twoLines;
        bool shown;
        const char* nameField;
    } cases[] = {
        {"", "地質調査技士", false, true, "地質調査技士"},
        {"その2", "地質調査技士", true, true, "地質調査技士"},
        {"", "非表示", false, false, ""},
        {"", "技術士", false, false, "技術士"},
        {"", "地質調査技士・技術士", false, true, "地質調査技士・技術士"},
    };
    for (const Case& c : cases) {
        render::HeadingChoices stored;
        stored.surveySplit = c.split;
        stored.qualificationName = c.qualification;
        HeadingForm form(stored);
        EXPECT_EQ(form.twoLineSurveyName, c.twoLines) << c.qualification;
        EXPECT_EQ(form.showQualification, c.shown) << c.qualification;
        EXPECT_EQ(form.qualificationName, c.nameField) << c.qualification;
    }
}

TEST(HeadingForm, OkStoresTheSplitAndTheQualificationName) {
    struct Case {
        bool twoLines;
        const char* split;
        const char* name;
        const char* storedSplit;
        const char* storedName;
    } cases[] = {
        {true, "その2", "地質調査技士", "その2", "地質調査技士"},
        {false, "その2", "地質調査技士", "", "地質調査技士"},  // the box cleared: one line
        {true, "", "", "", "非表示"},                           // an empty name hides the numbers
        {false, "", "  ", "", "非表示"},
        {false, "", "技術士", "", "技術士"},
    };
    for (const Case& c : cases) {
        render::HeadingChoices choices;
        choices.collarElevationAsText = true;
        choices.roundHalfEven = true;
        HeadingForm form(choices);
        form.twoLineSurveyName = c.twoLines;
        form.surveySplit = c.split;
        form.qualificationName = c.name;
        form.StoreInto(choices);
        EXPECT_EQ(choices.surveySplit, c.storedSplit);
        EXPECT_EQ(choices.qualificationName, c.storedName);
        // The elevation flags belong to the elevation options dialog.
        EXPECT_TRUE(choices.collarElevationAsText);
        EXPECT_EQ(choices.roundHalfEven, true);
    }
}

TEST(HeadingForm, TheShowBoxSetsOrEmptiesTheName) {
    HeadingForm form(render::HeadingChoices{});
    form.SetShowQualification(false);
    EXPECT_EQ(form.qualificationName, "");
    render::HeadingChoices choices;
    form.StoreInto(choices);
    EXPECT_EQ(choices.qualificationName, "非表示");
    EXPECT_EQ(render::RegistrationText("第1234号", choices.qualificationName), "");
    form.SetShowQualification(true);
    form.StoreInto(choices);
    EXPECT_EQ(choices.qualificationName, "地質調査技士");
    EXPECT_EQ(render::RegistrationText("第1234号", choices.qualificationName), "地質調査技士 第1234号");
}

TEST(ElevationOptions, FlagsAreSetExactlyWhenTheTextReadsAsOne) {
    struct Case {
        const char* text;
        bool set;
    } cases[] = {{"1", true}, {" 1", true}, {"1.0", true}, {"0", false}, {"", false}, {"2", false}, {"-1", false},
                 {"x1", false}};
    for (const Case& c : cases) EXPECT_EQ(FlagOf(c.text), c.set) << "'" << c.text << "'";

    // A rule never chosen opens as the data's rule (heading 36); a chosen one as stored.
    render::HeadingChoices choices;
    borehole::BoreholeRecord record;
    EXPECT_FALSE(ElevationOptionsForm::Of(choices, record).roundHalfEven);
    record.SetHeading(36, "1");
    EXPECT_TRUE(ElevationOptionsForm::Of(choices, record).roundHalfEven);
    choices.roundHalfEven = false;
    EXPECT_FALSE(ElevationOptionsForm::Of(choices, record).roundHalfEven);
    ElevationOptionsForm form = ElevationOptionsForm::Of(choices, record);
    EXPECT_FALSE(form.collarAsText);
    form.collarAsText = true;
    form.roundHalfEven = true;
    choices.surveySplit = "その2";
    form.StoreInto(choices);
    EXPECT_TRUE(choices.collarElevationAsText);
    EXPECT_EQ(choices.roundHalfEven, true);
    EXPECT_EQ(choices.surveySplit, "その2");
}

TEST(SurveyNameSplit, BreaksBeforeTheFirstOccurrenceOfTheSplitText) {
    struct Case {
        const char* name;
        const char* split;
        const char* line1;
        const char* line2;
    } cases[] = {
        {"県道改良その他地区その2測量調査", "その2", "県道改良その他地区", "その2測量調査"},
        {"県道改良その2地区その2調査", "その2", "県道改良", "その2地区その2調査"},  // the first occurrence
        {"県道改良調査", "", "県道改良調査", ""},
        {"県道改良調査", "その2", "県道改良調査", ""},      // not found: one line
        {"その2調査", "その2", "その2調査", ""},            // at the start: nothing to break
        {"", "その2", "", ""},
        // Line breaks in the data: the first one splits a name without a split text; any
        // other is dropped.
        {"平成25年度　治山工事\r\n治山調査業務 \r\n ", "", "平成25年度　治山工事", "治山調査業務"},
        {"県道改良\n\nその2調査", "その2", "県道改良", "その2調査"},
        {"Route 9\r\nsurvey\r\n", "survey", "Route 9 ", "survey"},
        {"\r\n県道改良調査\r\n", "", "県道改良調査", ""},
    };
    for (const Case& c : cases) {
        const auto [line1, line2] = render::SplitSurveyName(c.name, c.split);
        EXPECT_EQ(line1, c.line1) << c.name;
        EXPECT_EQ(line2, c.line2) << c.name;
    }
}

TEST(HeadingChoicesFile, KeepsTheChoicesAndAMissingFileGivesTheDefaults) {
    testing::TempDir dir;
    InstallFolder folder(dir.Path());
    const render::HeadingChoices defaults = LoadHeadingChoices(folder);
    EXPECT_EQ(defaults.surveySplit, "");
    EXPECT_EQ(defaults.qualificationName, "地質調査技士");
    EXPECT_FALSE(defaults.collarElevationAsText);
    EXPECT_FALSE(defaults.roundHalfEven.has_value());

    render::HeadingChoices c;
    c.surveySplit = "その2";
    c.qualificationName = "非表示";
    c.collarElevationAsText = true;
    c.roundHalfEven = true;
    core::RecordingMessages messages;
    ASSERT_TRUE(SaveHeadingChoices(c, folder, &messages));
    EXPECT_EQ(dir.Read(kHeadingChoicesFile).substr(0, 6), "1000\r\n");
    const render::HeadingChoices back = LoadHeadingChoices(folder);
    EXPECT_EQ(back.surveySplit, "その2");
    EXPECT_EQ(back.qualificationName, "非表示");
    EXPECT_TRUE(back.collarElevationAsText);
    EXPECT_EQ(back.roundHalfEven, true);
    c.roundHalfEven.reset();
    ASSERT_TRUE(SaveHeadingChoices(c, folder, &messages));
    EXPECT_FALSE(LoadHeadingChoices(folder).roundHalfEven.has_value());
}

TEST(HeadingFields, ShowTheHeadingDataAndTheLogKind) {
    borehole::BoreholeRecord record;
    record.SetHeading(1, "県道改良工事その2地質調査");
    record.SetHeading(13, "+12.345");
    record.SetHeading(16, "山田 太郎");
    record.SetHeading(76, "第1234号");
    record.SetHeading(57, "21");
    record.Table(borehole::TableId::Layer).SetCell(1, 0, "12.5");
    const auto fields = HeadingFields(record, 204);
    auto text = [&](const std::string& label) {
        for (const auto& f : fields)
            if (f.label == label) return f.text;
        return std::string("(missing)");
    };
    EXPECT_EQ(text("調査名"), "県道改良工事その2地質調査");
    EXPECT_EQ(text("孔口標高m"), "+12.345");
    EXPECT_EQ(text("地質深度m"), "12.50");
    EXPECT_EQ(text("主任技師"), "山田 太郎  (第1234号)");
    EXPECT_EQ(text("type"), "岩盤柱状図");

    struct Kind {
        int format;
        const char* code;
        const char* name;
    } kinds[] = {{204, "11", "土質オールコア"}, {204, "12", "土質標準貫入試験"}, {204, "31", "地すべりオールコア"},
                 {204, "32", "地すべり標準貫入試験"}, {204, "99", "不明"}, {0, "", "不明"}};
    for (const Kind& k : kinds) {
        record.SetHeading(57, k.code);
        EXPECT_EQ(LogKindName(k.format, record), k.name) << k.code;
    }
}

}  // namespace
}  // namespace stracol::app
