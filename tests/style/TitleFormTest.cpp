#include "style/TitleForm.h"

#include "core/Cp932.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace stracol::style {
namespace {

using stracol::testing::TempDir;

std::string Cp932File(const std::vector<std::string>& lines) {
    std::string bytes;
    for (const auto& line : lines) bytes += core::Utf8ToCp932(line) + "\r\n";
    return bytes;
}

void ExpectHeights(const TitleHeights& got, const TitleHeights& want) {
    EXPECT_NEAR(got.h1, want.h1, 1e-9);
    EXPECT_NEAR(got.b1, want.b1, 1e-9);
    EXPECT_NEAR(got.h2, want.h2, 1e-9);
    EXPECT_NEAR(got.b2, want.b2, 1e-9);
    EXPECT_NEAR(got.h3, want.h3, 1e-9);
}

TEST(TitleForm, MissingFileGivesTheDefaults) {
    TempDir dir;
    TitleForm form;
    form.Load(dir.File("SyFormV.ndx"));
    const std::vector<std::string> want = {"",      "0",     "40",    "45",    "1 HL",  "1 HL", "4 HE", "1 HL",
                                           "14 VE", "11.0", "8.2",   "-8.0 ", "-4.3 ", "-4.0 ", "",    "1"};
    for (int n = 1; n <= TitleForm::kLines; ++n) EXPECT_EQ(form.Get(n), want[n - 1]) << "line " << n;
    ExpectHeights(form.Heights(), TitleHeights::Standard());
}

TEST(TitleForm, DefaultsReplaceEmptyNonNumericAndTooSmallValues) {
    TempDir dir;
    std::string path = dir.Write("SyFormV.ndx", Cp932File({
        "3",         // 1: not read back
        "12",        // 2: kept
        "",          // 3: empty → 40
        "0",         // 4: below 1 → 45
        "4  均等",   // 5: kept
        "左",        // 6: not a code → 1 HL
        "99 自動",   // 7
        "2  センター",  // 8
        "14 縦均等",    // 9
        "0.05",      // 10: below 0.1 → 11.0
        "9.0",       // 11
        "-7.0",      // 12
        "abc",       // 13: not a number → -4.3
        "-3.5",      // 14
        "190",       // 15
        "4",         // 16
    }));
    TitleForm form;
    form.Load(path);
    const std::vector<std::string> want = {"",     "12",   "40",  "45",   "4  均等", "1 HL", "99 自動",   "2  センター",
                                           "14 縦均等", "11.0", "9.0", "-7.0", "-4.3 ",  "-3.5", "190", "4"};
    for (int n = 1; n <= TitleForm::kLines; ++n) EXPECT_EQ(form.Get(n), want[n - 1]) << "line " << n;
}

TEST(TitleForm, ReadKeepsAtMostSixtyBytesPerLine) {
    TempDir dir;
    std::string longLine = "1 " + std::string(100, 'x');
    TitleForm form;
    ASSERT_TRUE(form.Read(dir.Write("SyFormV.ndx", Cp932File({"", "5", "40", "45", longLine}))));
    EXPECT_EQ(form.Get(TitleForm::UpperItemAlign), longLine.substr(0, 60));
    EXPECT_EQ(form.Get(TitleForm::UpperDataAlign), "");
}

TEST(TitleForm, LoadDoesNotReadOverAFormAlreadyHeld) {
    TempDir dir;
    std::string path = dir.Write("SyFormV.ndx", Cp932File({"", "30"}));
    TitleForm form;
    form.Set(TitleForm::UpperItemLeft, "7");
    form.Load(path);
    EXPECT_EQ(form.Get(TitleForm::UpperItemLeft), "7");
}

TEST(TitleForm, HeightsRoundTripThroughTheStoredLines) {
    const TitleHeights cases[] = {
        TitleHeights::Standard(),
        TitleHeights::Example2(),
        {10, 0, 20, 5, 19},
        {45, 3, 50, 1, 60},
        {0, 0, 0, 0, 0},
    };
    for (const auto& heights : cases) {
        TitleForm form;
        form.SetHeights(heights);
        ExpectHeights(form.Heights(), heights);
    }
}

TEST(TitleForm, StoredLinesUseOneDecimal) {
    TitleForm form;
    form.SetHeights({28, 2, 37, 3, 19});
    EXPECT_EQ(form.Get(TitleForm::HeaderBandBottom), "-1.9");
    EXPECT_EQ(form.Get(TitleForm::HeaderBandTop), "-2.2");
    EXPECT_EQ(form.Get(TitleForm::TitleFrameBottom), "-5.9");
    EXPECT_EQ(form.Get(TitleForm::TitleFrameTop), "6.1");
    EXPECT_EQ(form.Get(TitleForm::TitleTotal), "8.9");
    form.SetHeights({0, 0, 0, 0, 0});
    EXPECT_EQ(form.Get(TitleForm::HeaderBandBottom), "0.0");
}

TEST(TitleForm, WarnsWhenABandIsTooLow) {
    struct Case {
        TitleHeights heights;
        bool warns;
    };
    const Case cases[] = {
        {TitleHeights::Standard(), false},
        {{14, 2, 27.75, 3, 20}, false},  // exactly at the limits
        {{13.9, 2, 37, 3, 40}, true},
        {{28, 2, 27.7, 3, 40}, true},
        {{28, 2, 37, 3, 19}, true},
        {{28, 0, 37, 0, 40}, false},      // the gaps have no limit
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HeightsMayNotShowCorrectly(c.heights), c.warns) << c.heights.h1 << "/" << c.heights.h2 << "/" << c.heights.h3;
        TitleForm form;
        core::RecordingMessages messages;
        EXPECT_EQ(ConfirmTitleHeights(form, c.heights, messages), c.warns);
        EXPECT_EQ(messages.Count("正しく表示されない可能性があります.　"), c.warns ? 1 : 0);
        TitleForm stored;  // the lines are stored either way
        stored.SetHeights(c.heights);
        EXPECT_EQ(form, stored);
        EXPECT_FALSE(form.Get(TitleForm::HeaderBandBottom).empty());
    }
}

TEST(TitleForm, H3OfNineteenWarnsAndStoresMinusOnePointNine) {
    TitleForm form;
    form.Load("");
    TitleHeights heights = form.Heights();
    heights.h3 = 19;
    core::RecordingMessages messages;
    EXPECT_TRUE(ConfirmTitleHeights(form, heights, messages));
    EXPECT_EQ(form.Get(TitleForm::HeaderBandBottom), "-1.9");
}

TEST(TitleForm, SaveAsStandardAsksThenWritesSixteenLines) {
    TempDir dir;
    TitleForm form;
    form.Load(dir.File("SyFormV.ndx"));
    form.Set(TitleForm::UnderlineFixedWidth, "190");

    core::RecordingMessages no;
    no.answers.push_back(false);
    EXPECT_FALSE(SaveTitleFormAsStandard(form, TitleHeights::Example2(), dir.Path(), no));
    EXPECT_FALSE(core::FileExists(dir.File("SyFormV.ndx")));
    ASSERT_EQ(no.entries.size(), 1u);

    core::RecordingMessages yes;
    yes.answers.push_back(true);
    ASSERT_TRUE(SaveTitleFormAsStandard(form, TitleHeights::Example2(), dir.Path(), yes));
    std::string bytes = dir.Read("SyFormV.ndx");
    EXPECT_EQ(bytes, Cp932File({"1", "0", "40", "45", "1 HL", "1 HL", "4 HE", "1 HL", "14 VE", "12.5", "8.6", "-8.4",
                                "-4.5", "-4.2", "190", "1"}));

    TitleForm reread;
    reread.Load(dir.File("SyFormV.ndx"));
    ExpectHeights(reread.Heights(), TitleHeights::Example2());
    for (int n = 2; n <= TitleForm::kLines; ++n) EXPECT_EQ(reread.Get(n), form.Get(n)) << n;
}

// 書式例 1 and 2 set the positions, alignments and underline, and leave the heights.
TEST(TitleForm, FormatExamples) {
    struct Case {
        int number;
        const char* itemLeft;
        const char* blankLeft;
        const char* dataLeft;
        const char* fixedWidth;
        const char* underline;
    };
    const Case cases[] = {{1, "0", "40", "45", "190", "1"}, {2, "30", "75", "80", "210", "4"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.number);
        TitleForm form;
        form.ApplyDefaults();
        form.Set(TitleForm::UpperItemAlign, "99 自動");
        form.Set(TitleForm::FrameItemBAlign, "2  センター");
        form.SetHeights(TitleHeights::Example2());
        const TitleForm before = form;
        form.ApplyFormatExample(c.number);
        EXPECT_EQ(form.Get(TitleForm::UpperItemLeft), c.itemLeft);
        EXPECT_EQ(form.Get(TitleForm::UpperBlankLeft), c.blankLeft);
        EXPECT_EQ(form.Get(TitleForm::UpperDataLeft), c.dataLeft);
        EXPECT_EQ(form.Get(TitleForm::UnderlineFixedWidth), c.fixedWidth);
        EXPECT_EQ(form.Get(TitleForm::UnderlineMode), c.underline);
        EXPECT_EQ(form.Get(TitleForm::UpperItemAlign), "1  左詰め");
        EXPECT_EQ(form.Get(TitleForm::UpperDataAlign), "1  左詰め");
        EXPECT_EQ(form.Get(TitleForm::FrameItemAAlign), "4  均等");
        EXPECT_EQ(form.Get(TitleForm::FrameDataAlign), "1  左詰め");
        EXPECT_EQ(form.Get(TitleForm::FrameItemBAlign), "14  縦均等");
        for (int line = TitleForm::TitleTotal; line <= TitleForm::HeaderBandBottom; ++line)
            EXPECT_EQ(form.Get(line), before.Get(line)) << line;
    }
    TitleForm form;
    form.ApplyDefaults();
    const TitleForm before = form;
    form.ApplyFormatExample(3);
    EXPECT_EQ(form, before);
}

TEST(TitleForm, FailedSaveSays4005) {
    TempDir dir;
    TitleForm form;
    form.Load("");
    core::RecordingMessages messages;
    messages.answers.push_back(true);
    EXPECT_FALSE(SaveTitleFormAsStandard(form, TitleHeights::Standard(), dir.File("missing/folder"), messages));
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
}

}  // namespace
}  // namespace stracol::style
