// The settings sheet's model without widgets: every field through the file and back, the
// presets of the three pages, the colour-mode rule, the bracket lists and the field checks.
#include "app/InstallFolder.h"
#include "app/SettingsSheetModel.h"
#include "app/SystemSettings.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

using namespace stracol;
using app::SettingsSheetModel;
using app::SystemSettings;
using stracol::testing::TempDir;

namespace {

// Every line of the settings as the file would hold it, by name.
std::map<std::string, std::string> Lines(const SystemSettings& s) {
    std::map<std::string, std::string> lines;
    app::ForEachSetting(s, [&](int, std::string_view name, const std::string& value) { lines[std::string(name)] = value; });
    // Set on every load from the install folder, not by the sheet.
    lines.erase("PatternFolder");
    lines.erase("NameTablePath");
    return lines;
}

// A record whose sheet fields all differ from what every preset sets.
SystemSettings Scrambled() {
    SystemSettings s;
    for (int SystemSettings::*f : {&SystemSettings::CoreGrid, &SystemSettings::InsituGrid, &SystemSettings::NLugeonGrid,
                                   &SystemSettings::ScaleTickStep, &SystemSettings::GeoNameSymbolStyle,
                                   &SystemSettings::PressureDecimals, &SystemSettings::NMaxBlows,
                                   &SystemSettings::NDepthLabelPos, &SystemSettings::NOverflowSymbol,
                                   &SystemSettings::NSolidBlackDot, &SystemSettings::SampleDepthLabelPos,
                                   &SystemSettings::DrillDateFormat})
        s.*f = 7;
    s.GroupTitleRows = s.LoggingMethodRows = s.LoggingRows = 0;
    s.LugeonPe = 9.5;
    s.CriticalPressureBracket = s.CoreRecoveryBracket = s.CoreLengthBracket = s.RqdBracket = "[　]";
    for (int SystemSettings::*f :
         {&SystemSettings::OuterFrameWidth, &SystemSettings::RuleLineWidth, &SystemSettings::NGridWidth,
          &SystemSettings::NGridDash, &SystemSettings::NGridGap, &SystemSettings::NFineGridWidth,
          &SystemSettings::NFineGridDash, &SystemSettings::NFineGridGap, &SystemSettings::CoreGridWidth,
          &SystemSettings::CoreGridDash, &SystemSettings::CoreGridGap, &SystemSettings::CoreFineGridWidth,
          &SystemSettings::CoreFineGridDash, &SystemSettings::CoreFineGridGap, &SystemSettings::NPlotWidth,
          &SystemSettings::CoreRecoveryPlotWidth, &SystemSettings::CoreLengthPlotWidth, &SystemSettings::RqdPlotWidth,
          &SystemSettings::LugeonPlotWidth, &SystemSettings::PqIncreaseWidth, &SystemSettings::PqDecreaseWidth,
          &SystemSettings::LoggingPlotWidth, &SystemSettings::AreaLineWidthX, &SystemSettings::AreaLineWidthY})
        s.*f = 9;
    for (std::string SystemSettings::*f :
         {&SystemSettings::NGridColour, &SystemSettings::NFineGridColour, &SystemSettings::CoreGridColour,
          &SystemSettings::NPlotColour, &SystemSettings::CoreRecoveryColour, &SystemSettings::CoreLengthColour,
          &SystemSettings::RqdColour, &SystemSettings::LugeonColour, &SystemSettings::LoggingColour})
        s.*f = "0x123456";
    s.ColourMode = 1;
    s.TopMargin = s.LeftMargin = 40;
    return s;
}

}  // namespace

TEST(SettingsSheetModel, EveryFieldRoundTripsThroughTheFile) {
    TempDir dir;
    const app::InstallFolder folder(dir.Path());
    SystemSettings current = app::LoadSystemSettings(folder);
    // Fields of other dialogs, which the sheet must leave as they are.
    current.PageDepth = 17;
    current.SelfSinkText = "自沈する";
    current.EnterKeyMode = 2;

    SettingsSheetModel model(current);
    SystemSettings& v = model.Values();
    v.CoreGrid = 0;
    v.InsituGrid = 1;
    v.NLugeonGrid = 0;
    v.GroupTitleRows = 5;
    v.LoggingMethodRows = 0;
    v.LoggingRows = 3;
    v.ScaleTickStep = 1;
    v.GeoNameSymbolStyle = 2;
    v.DrillDateFormat = 1;
    v.PressureDecimals = 1;
    v.NMaxBlows = 2;
    v.NDepthLabelPos = 2;
    v.NOverflowSymbol = 2;
    v.NSolidBlackDot = 1;
    v.SampleDepthLabelPos = 0;
    v.LugeonPe = 0.75;
    v.CoreRecoveryBracket = "[　]";
    v.CoreLengthBracket = "{　}";
    v.RqdBracket = "(　)";
    v.CriticalPressureBracket = "{　}";
    model.SetColourMode(1);  // dash and gap lengths are kept only in black and white
    int n = 3;
    for (int SystemSettings::*f :
         {&SystemSettings::OuterFrameWidth, &SystemSettings::RuleLineWidth, &SystemSettings::NGridWidth,
          &SystemSettings::NGridDash, &SystemSettings::NGridGap, &SystemSettings::NFineGridWidth,
          &SystemSettings::NFineGridDash, &SystemSettings::NFineGridGap, &SystemSettings::CoreGridWidth,
          &SystemSettings::CoreGridDash, &SystemSettings::CoreGridGap, &SystemSettings::CoreFineGridWidth,
          &SystemSettings::CoreFineGridDash, &SystemSettings::CoreFineGridGap, &SystemSettings::NPlotWidth,
          &SystemSettings::CoreRecoveryPlotWidth, &SystemSettings::CoreLengthPlotWidth, &SystemSettings::RqdPlotWidth,
          &SystemSettings::LugeonPlotWidth, &SystemSettings::PqIncreaseWidth, &SystemSettings::PqDecreaseWidth,
          &SystemSettings::LoggingPlotWidth, &SystemSettings::AreaLineWidthX, &SystemSettings::AreaLineWidthY})
        v.*f = n++;
    v.AreaLineStyle = 2;
    int c = 1;
    for (std::string SystemSettings::*f :
         {&SystemSettings::NGridColour, &SystemSettings::NFineGridColour, &SystemSettings::CoreGridColour,
          &SystemSettings::NPlotColour, &SystemSettings::CoreRecoveryColour, &SystemSettings::CoreLengthColour,
          &SystemSettings::RqdColour, &SystemSettings::LugeonColour, &SystemSettings::LoggingColour})
        ASSERT_FALSE(SettingsSheetModel::SetColour(v.*f, "0x0" + std::to_string(c++) + "0a0b"));
    ASSERT_FALSE(model.SetTopMargin("12"));
    ASSERT_FALSE(model.SetLeftMargin("34"));
    v.CompanyName = "株式会社 地質調査";
    v.CompanyTel = "0776-22-8482";

    SystemSettings stored = current;
    core::RecordingMessages messages;
    ASSERT_TRUE(model.Commit(stored, folder, &messages));
    EXPECT_TRUE(messages.Empty());
    const SystemSettings loaded = app::LoadSystemSettings(folder);
    // Every line reads back as written, and a new sheet shows what was stored.
    EXPECT_EQ(Lines(loaded), Lines(stored));
    EXPECT_EQ(Lines(SettingsSheetModel(loaded).Values()), Lines(model.Values()));
    EXPECT_EQ(loaded.NFineGridDash, 9);
    EXPECT_EQ(loaded.CoreFineGridGap, 16);
    EXPECT_EQ(loaded.LoggingColour, "0x090a0b");
    EXPECT_EQ(loaded.TopMargin, 12);
    EXPECT_EQ(loaded.CompanyName, "株式会社 地質調査");
    EXPECT_DOUBLE_EQ(loaded.LugeonPe, 0.75);
    // The other dialogs' fields stay.
    EXPECT_EQ(loaded.PageDepth, 17);
    EXPECT_EQ(loaded.SelfSinkText, "自沈する");
    EXPECT_EQ(loaded.EnterKeyMode, 2);
}

TEST(SettingsSheetModel, SaveFailureKeepsTheEditsAndTheFile) {
    TempDir dir;
    const app::InstallFolder missing(dir.File("no-such-folder"));
    SettingsSheetModel model(SystemSettings{});
    ASSERT_FALSE(model.SetTopMargin("20"));
    SystemSettings stored;
    core::RecordingMessages messages;
    EXPECT_FALSE(model.Commit(stored, missing, &messages));
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
    EXPECT_EQ(stored.TopMargin, 20);
}

TEST(SettingsSheetModel, PresetsFillTheirFields) {
    using Check = std::function<void(const SystemSettings&)>;
    struct Case {
        const char* name;
        std::function<void(SettingsSheetModel&)> apply;
        Check check;
    };
    auto page1Standard = [](const SystemSettings& s, int tick, int nGrid, int insitu, int core) {
        EXPECT_EQ(s.CoreGrid, core);
        EXPECT_EQ(s.InsituGrid, insitu);
        EXPECT_EQ(s.NLugeonGrid, nGrid);
        EXPECT_EQ(s.ScaleTickStep, tick);
        EXPECT_EQ(s.GeoNameSymbolStyle, 0);
        EXPECT_EQ(s.PressureDecimals, 1);
        EXPECT_EQ(s.DrillDateFormat, 7);  // not touched
        EXPECT_EQ(s.NMaxBlows, 0);
        EXPECT_EQ(s.NDepthLabelPos, 1);
        EXPECT_EQ(s.NOverflowSymbol, 1);
        EXPECT_EQ(s.NSolidBlackDot, 0);
        EXPECT_EQ(s.SampleDepthLabelPos, 1);
        EXPECT_DOUBLE_EQ(s.LugeonPe, 1.0);
        EXPECT_EQ(s.CriticalPressureBracket, "《　》");
        EXPECT_EQ(s.CoreRecoveryBracket, "(　)");
        EXPECT_EQ(s.CoreLengthBracket, "　…無し");
        EXPECT_EQ(s.RqdBracket, "〔　〕");
        EXPECT_EQ(s.GroupTitleRows, 2);
        EXPECT_EQ(s.LoggingMethodRows, 2);
        EXPECT_EQ(s.LoggingRows, 4);
        EXPECT_EQ(s.OuterFrameWidth, 9);  // page 2 untouched
    };
    auto gridColour = [](const SystemSettings& s) {
        EXPECT_EQ(s.OuterFrameWidth, 2);
        EXPECT_EQ(s.RuleLineWidth, 1);
        EXPECT_EQ(s.NGridWidth, 1);
        EXPECT_EQ(s.NFineGridWidth, 1);
        EXPECT_EQ(s.CoreGridWidth, 1);
        EXPECT_EQ(s.CoreFineGridWidth, 1);
        EXPECT_EQ(s.NGridColour, "0x808080");
        EXPECT_EQ(s.NFineGridColour, "0xffff00");
        EXPECT_EQ(s.CoreGridColour, "0x808080");
        EXPECT_EQ(s.ColourMode, 0);
        EXPECT_EQ(s.NGridGap + s.NFineGridGap + s.CoreGridGap + s.CoreFineGridGap, 0);
    };
    auto plotColour = [](const SystemSettings& s, int loggingWidth, int mode) {
        EXPECT_EQ(s.AreaLineWidthX, 2);
        EXPECT_EQ(s.AreaLineWidthY, 2);
        EXPECT_EQ(s.NPlotWidth, 2);
        EXPECT_EQ(s.CoreRecoveryPlotWidth, 1);
        EXPECT_EQ(s.CoreLengthPlotWidth, 1);
        EXPECT_EQ(s.RqdPlotWidth, 1);
        EXPECT_EQ(s.LugeonPlotWidth, 2);
        EXPECT_EQ(s.PqIncreaseWidth, 1);
        EXPECT_EQ(s.PqDecreaseWidth, 1);
        EXPECT_EQ(s.LoggingPlotWidth, loggingWidth);
        EXPECT_EQ(s.NPlotColour, "0x0000c0");
        EXPECT_EQ(s.CoreRecoveryColour, "0xa00000");
        EXPECT_EQ(s.CoreLengthColour, "0x008000");
        EXPECT_EQ(s.RqdColour, "0x0000a0");
        EXPECT_EQ(s.LugeonColour, "0xa00000");
        EXPECT_EQ(s.LoggingColour, "0x900000");
        EXPECT_EQ(s.ColourMode, mode);
    };
    const Case cases[] = {
        {"page 1 標準の設定", [](SettingsSheetModel& m) { m.ApplyPage1Standard(); },
         [&](const SystemSettings& s) { page1Standard(s, 0, 1, 0, 1); }},
        {"標準グリッド", [](SettingsSheetModel& m) { m.ApplyStandardGrid(); },
         [&](const SystemSettings& s) { page1Standard(s, 1, 1, 1, 1); }},
        {"細密グリッド", [](SettingsSheetModel& m) { m.ApplyFineGrid(); },
         [&](const SystemSettings& s) { page1Standard(s, 0, 0, 0, 0); }},
        {"grid カラー 例", [](SettingsSheetModel& m) { m.ApplyGridColourExample(); },
         [&](const SystemSettings& s) {
             gridColour(s);
             EXPECT_EQ(s.NGridDash, 9);  // the dash lengths are not the example's
             EXPECT_EQ(s.NPlotWidth, 9);
         }},
        {"grid 白黒 例", [](SettingsSheetModel& m) { m.ApplyGridMonoExample(); },
         [&](const SystemSettings& s) {
             const int expected[][3] = {{1, 10, 0}, {1, 4, 4}, {1, 10, 0}, {1, 4, 5}};
             const int actual[][3] = {{s.NGridWidth, s.NGridDash, s.NGridGap},
                                      {s.NFineGridWidth, s.NFineGridDash, s.NFineGridGap},
                                      {s.CoreGridWidth, s.CoreGridDash, s.CoreGridGap},
                                      {s.CoreFineGridWidth, s.CoreFineGridDash, s.CoreFineGridGap}};
             for (int i = 0; i < 4; ++i)
                 for (int j = 0; j < 3; ++j) EXPECT_EQ(actual[i][j], expected[i][j]) << i << "," << j;
             EXPECT_EQ(s.OuterFrameWidth, 2);
             EXPECT_EQ(s.RuleLineWidth, 1);
             EXPECT_EQ(s.ColourMode, 1);
             EXPECT_EQ(s.NGridColour, "0x123456");
         }},
        {"plot カラー 例", [](SettingsSheetModel& m) { m.ApplyPlotColourExample(); },
         [&](const SystemSettings& s) {
             plotColour(s, 1, 0);
             EXPECT_EQ(s.NGridColour, "0x123456");
         }},
        {"plot 白黒 例", [](SettingsSheetModel& m) { m.ApplyPlotMonoExample(); },
         [&](const SystemSettings& s) { plotColour(s, 9, 1); }},
        {"page 2 標準の設定", [](SettingsSheetModel& m) { m.ApplyPage2Standard(); },
         [&](const SystemSettings& s) {
             gridColour(s);
             plotColour(s, 1, 0);
         }},
        {"page 3 標準の設定", [](SettingsSheetModel& m) { m.ApplyPage3Standard(); },
         [&](const SystemSettings& s) {
             EXPECT_EQ(s.TopMargin, 5);
             EXPECT_EQ(s.LeftMargin, 5);
             EXPECT_EQ(s.OuterFrameWidth, 9);
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SettingsSheetModel model(Scrambled());
        c.apply(model);
        c.check(model.Values());
    }
}

TEST(SettingsSheetModel, ColourModeZeroesTheGapsAndSwitchesTheFields) {
    SystemSettings s = Scrambled();   // black and white, gaps 9
    SettingsSheetModel model(s);
    EXPECT_TRUE(model.DashAndGapEnabled());
    EXPECT_FALSE(model.ColourBoxesEnabled());
    EXPECT_EQ(model.Values().NFineGridGap, 9);
    model.SetColourMode(0);
    EXPECT_TRUE(model.ColourBoxesEnabled());
    EXPECT_FALSE(model.DashAndGapEnabled());
    const SystemSettings& v = model.Values();
    EXPECT_EQ(v.NGridGap + v.NFineGridGap + v.CoreGridGap + v.CoreFineGridGap, 0);
    EXPECT_EQ(v.NGridDash, 9);  // dashes stay
    // Back to black and white: the zeros stay until new lengths are typed.
    model.SetColourMode(1);
    EXPECT_EQ(v.NGridGap + v.NFineGridGap + v.CoreGridGap + v.CoreFineGridGap, 0);
    EXPECT_TRUE(model.DashAndGapEnabled());
    // A sheet opened on colour settings applies the rule at once.
    s.ColourMode = 0;
    EXPECT_EQ(SettingsSheetModel(s).Values().CoreFineGridGap, 0);
}

TEST(SettingsSheetModel, FieldChecks) {
    struct Case {
        const char* field;
        std::string text;
        bool taken;
        std::string message;  // of a refusal
    };
    const std::string margins = "1 から 100 までの整数を入力してください。";
    const std::string integer = "整数を入力してください。";
    const std::string number = "数値を入力してください。";
    const std::string colour = "数値が異常です";
    const Case cases[] = {
        {"top", "0", false, margins},      {"top", "101", false, margins}, {"top", "1", true, ""},
        {"top", "100", true, ""},          {"top", " 7 ", true, ""},       {"top", "２０", true, ""},
        {"top", "5mm", false, integer},    {"top", "", false, integer},    {"left", "-3", false, margins},
        {"left", "55", true, ""},          {"int", "12", true, ""},        {"int", "-1", true, ""},
        {"int", "1.5", false, integer},    {"int", "x", false, integer},   {"int", "99999999999", false, integer},
        {"pe", "1.5", true, ""},           {"pe", "0", true, ""},          {"pe", "abc", false, number},
        {"pe", "nan", false, number},      {"pe", "1e999", false, number}, {"colour", "0x123abc", true, ""},
        {"colour", "0XFFFFFF", true, ""},  {"colour", "255", true, ""},    {"colour", "0x1000000", false, colour},
        {"colour", "16777216", false, colour}, {"colour", "red", false, colour}, {"colour", "", false, colour},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " '" + c.text + "'");
        SettingsSheetModel model(SystemSettings{});
        const SystemSettings before = model.Values();
        std::optional<app::FieldError> refused;
        const std::string field = c.field;
        if (field == "top") refused = model.SetTopMargin(c.text);
        else if (field == "left") refused = model.SetLeftMargin(c.text);
        else if (field == "int") refused = SettingsSheetModel::SetInteger(model.Values().NGridDash, c.text);
        else if (field == "pe") refused = model.SetLugeonPe(c.text);
        else refused = SettingsSheetModel::SetColour(model.Values().NPlotColour, c.text);
        EXPECT_EQ(!refused, c.taken);
        if (refused) {
            EXPECT_EQ(refused->message, c.message);
            EXPECT_EQ(Lines(model.Values()), Lines(before));  // a refused entry changes nothing
        }
    }
    SettingsSheetModel model(SystemSettings{});
    ASSERT_FALSE(model.SetTopMargin("２０"));
    EXPECT_EQ(model.Values().TopMargin, 20);
    ASSERT_FALSE(SettingsSheetModel::SetColour(model.Values().NPlotColour, "255"));
    EXPECT_EQ(model.Values().NPlotColour, "0x0000ff");
}

TEST(SettingsSheetModel, BracketListsKnowTheStoredTexts) {
    const auto& list = SettingsSheetModel::BracketChoices();
    const auto& critical = SettingsSheetModel::CriticalPressureChoices();
    EXPECT_EQ(SettingsSheetModel::BracketIndex(list, "〔　〕"), 3);
    // The stored "　…無し" (the default) is the list's "　 …無し".
    EXPECT_EQ(SettingsSheetModel::BracketIndex(list, "　…無し"), 4);
    EXPECT_EQ(SettingsSheetModel::BracketIndex(critical, "　…無し"), 2);
    EXPECT_EQ(SettingsSheetModel::BracketIndex(critical, "《　》"), 1);
    EXPECT_EQ(SettingsSheetModel::BracketIndex(critical, "〔　〕"), -1);
    std::string field = "　…無し";
    SettingsSheetModel::ChooseBracket(field, list, 4);
    EXPECT_EQ(field, "　…無し");  // the same entry: the stored text stays
    SettingsSheetModel::ChooseBracket(field, list, 1);
    EXPECT_EQ(field, "[　]");
    SettingsSheetModel::ChooseBracket(field, list, 9);
    EXPECT_EQ(field, "[　]");
}
