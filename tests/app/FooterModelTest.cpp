// The page footer dialog's rules and the footer file: the prefix choice fills the suffix, the
// standard settings follow the paper, OK refuses a footer below the paper, and the file keeps
// every field.

#include "app/FooterModel.h"

#include <gtest/gtest.h>

#include "app/InstallFolder.h"
#include "core/Messages.h"
#include "render/LogPainter.h"
#include "support/TempDir.h"

namespace stracol::app {
namespace {

render::FooterSettings Placed() {
    render::FooterSettings s;
    s.topDistanceMm = 100;
    s.leftDistanceMm = 20;
    return s;
}

TEST(FooterForm, ChoosingAPrefixFillsOnlyAnEmptySuffix) {
    struct Case {
        const char* chosen;
        const char* suffixBefore;
        const char* prefix;
        const char* suffix;
    } cases[] = {
        {"(", "", "(", ")"},
        {"-", "", "-", "-"},
        {"(", "]", "(", "]"},            // a suffix already typed stays
        {"-", ")", "-", ")"},
        {kNoPrefixChoice, "", "", ""},   // <無し> is no prefix
        {"  <無し> ", "-", "", "-"},
        {"p.", "", "p.", ""},            // a typed prefix of its own fills nothing
    };
    for (const Case& c : cases) {
        FooterForm form(Placed(), 297, 420);
        form.suffix = c.suffixBefore;
        form.ChoosePrefix(c.chosen);
        EXPECT_EQ(form.prefix, c.prefix) << c.chosen;
        EXPECT_EQ(form.suffix, c.suffix) << c.chosen;
    }
}

TEST(FooterForm, PreviewIsPrefixStartAndSuffixAsTyped) {
    FooterForm form(Placed(), 297, 420);
    form.ChoosePrefix("(");
    form.startNumber = "1";
    EXPECT_EQ(form.Preview(), "(1)");
    form.startNumber = "";
    EXPECT_EQ(form.Preview(), "()");
}

TEST(FooterForm, StandardSettingsFollowThePaper) {
    struct Case {
        int width, length;
        const char* top;
        const char* left;
        int centre;
    } cases[] = {
        {297, 420, "404", "148", 148},  // A3 portrait
        {420, 297, "281", "150", 210},  // A3 landscape: the left distance is at most 150 mm
        {210, 297, "281", "105", 105},  // A4 portrait
        {297, 210, "194", "148", 148},
    };
    for (const Case& c : cases) {
        FooterForm form(Placed(), c.width, c.length);
        form.positionMode = 0;
        form.horizontalMode = 0;
        form.belowLog.assign(1, '9');
        form.ApplyStandard();
        EXPECT_EQ(form.topDistance, c.top) << c.width << "x" << c.length;
        EXPECT_EQ(form.leftDistance, c.left);
        EXPECT_EQ(form.belowLog, "2.0");
        EXPECT_EQ(form.positionMode, 1);
        EXPECT_EQ(form.horizontalMode, 1);
        EXPECT_EQ(form.CentreMm(), c.centre);
    }
}

TEST(FooterForm, OpensWithTheStandardSettingsOnlyWhenNeitherDistanceIsSet) {
    FooterForm fresh(render::FooterSettings{}, 210, 297);
    EXPECT_EQ(fresh.topDistance, "281");
    EXPECT_EQ(fresh.leftDistance, "105");
    EXPECT_EQ(fresh.belowLog, "2.0");

    render::FooterSettings stored = Placed();
    stored.positionMode = 0;
    stored.horizontalMode = 0;
    stored.belowLogMm = 7.5;
    FooterForm kept(stored, 210, 297);
    EXPECT_EQ(kept.topDistance, "100.0");
    EXPECT_EQ(kept.leftDistance, "20.0");
    EXPECT_EQ(kept.belowLog, "7.5");
    EXPECT_TRUE(kept.TopDistanceEnabled());
    EXPECT_FALSE(kept.BelowLogEnabled());
    EXPECT_TRUE(kept.LeftDistanceEnabled());
    kept.SameAsCompanyName();
    EXPECT_EQ(kept.belowLog, "2.0");
}

TEST(FooterForm, OkRefusesAFooterFromThePaperTopBeyondTheSheet) {
    const std::string refused = "フッタ表示位置が用紙外の可能性があります \n( 290 mm)";
    struct Case {
        int mode;
        const char* top;
        bool accepted;
    } cases[] = {
        {0, "290", false},   // A4 portrait: 297 − 16 = 281 mm at most
        {0, "280", true},
        {0, "281", true},
        {0, "281.5", false},
        {1, "290", true},    // below the log the top distance is not used
    };
    for (const Case& c : cases) {
        FooterForm form(Placed(), 210, 297);
        form.positionMode = c.mode;
        form.topDistance = c.top;
        form.startNumber = " 3 ";
        core::RecordingMessages messages;
        render::FooterSettings result;
        result.prefix = "unchanged";
        EXPECT_EQ(form.Accept(result, messages), c.accepted) << c.top;
        if (c.accepted) {
            EXPECT_TRUE(messages.Empty());
            EXPECT_EQ(result.positionMode, c.mode);
            EXPECT_EQ(result.startNumber, "3");
            EXPECT_DOUBLE_EQ(result.topDistanceMm, std::stod(c.top));
        } else {
            ASSERT_EQ(messages.entries.size(), 1u);
            if (std::string(c.top) == "290") {
                EXPECT_EQ(messages.entries[0].text, refused);
            }
            EXPECT_EQ(result.prefix, "unchanged");
        }
    }
}

TEST(FooterFile, KeepsEveryFieldAndAMissingFilePrintsNothing) {
    testing::TempDir dir;
    InstallFolder folder(dir.Path());
    const render::FooterSettings missing = LoadFooterSettings(folder);
    EXPECT_EQ(render::FooterText(missing, 1), "");

    render::FooterSettings s;
    s.prefix = "－";
    s.startNumber = "11";
    s.suffix = "頁";
    s.positionMode = 0;
    s.topDistanceMm = 395.5;
    s.belowLogMm = 3;
    s.horizontalMode = 0;
    s.leftDistanceMm = 25;
    core::RecordingMessages messages;
    ASSERT_TRUE(SaveFooterSettings(s, folder, &messages));
    // CP932 with CR LF on disk.
    const std::string bytes = dir.Read(kFooterFile);
    EXPECT_NE(bytes.find("\x81\x7c\r\n"), std::string::npos);
    const render::FooterSettings back = LoadFooterSettings(folder);
    EXPECT_EQ(back.prefix, s.prefix);
    EXPECT_EQ(back.startNumber, s.startNumber);
    EXPECT_EQ(back.suffix, s.suffix);
    EXPECT_EQ(back.positionMode, 0);
    EXPECT_DOUBLE_EQ(back.topDistanceMm, 395.5);
    EXPECT_DOUBLE_EQ(back.belowLogMm, 3);
    EXPECT_EQ(back.horizontalMode, 0);
    EXPECT_DOUBLE_EQ(back.leftDistanceMm, 25);
    EXPECT_EQ(render::FooterText(back, 2), "－12頁");
}

TEST(FooterFile, AFileOfAnythingElseReadsWithoutHarm) {
    struct Case {
        const char* what;
        std::string bytes;
        const char* page2;
    } cases[] = {
        {"binary", std::string("\x00\xff\xfe\x81\r\n\x01\x02", 8), ""},
        {"short", "1000\r\n(\r\n", "("},
        {"not numbers", "1000\r\n\r\nx\r\n\r\nmode\r\nfar\r\n", ""},
        {"one long line", std::string(5000, 'a'), ""},
    };
    for (const Case& c : cases) {
        testing::TempDir dir;
        dir.Write(kFooterFile, c.bytes);
        const render::FooterSettings f = LoadFooterSettings(InstallFolder(dir.Path()));
        EXPECT_EQ(f.positionMode, 1) << c.what;
        EXPECT_EQ(f.horizontalMode, 1) << c.what;
        EXPECT_EQ(render::FooterText(f, 2), c.page2) << c.what;
        EXPECT_EQ(dir.Read(kFooterFile), c.bytes) << c.what;
    }
}

TEST(FooterFile, AFailedSaveKeepsTheOldFile) {
    testing::TempDir dir;
    InstallFolder folder(dir.File("no-such-folder"));
    core::RecordingMessages messages;
    EXPECT_FALSE(SaveFooterSettings(render::FooterSettings{}, folder, &messages));
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
}

}  // namespace
}  // namespace stracol::app
