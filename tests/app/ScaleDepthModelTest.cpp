// The scale and depth dialog's model without widgets, and the scale and depth change of the
// page geometry: field ranges, the largest depth per page, the OK rules (overlap, too deep a
// page), what is stored, and the number fields' parsing.
#include "app/FieldText.h"
#include "app/InstallFolder.h"
#include "app/ScaleDepthModel.h"
#include "app/SystemSettings.h"
#include "core/Messages.h"
#include "core/TextFile.h"
#include "render/PageGeometry.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace stracol;
using app::ScaleDepthModel;
using app::SystemSettings;
using render::PageGeometry;
using stracol::testing::TempDir;

namespace {

// A geometry with the paper asked: A3 portrait (420 mm long), title 11 m, top margin 5 mm.
PageGeometry A3Geometry(int paperLengthMm = 420) {
    PageGeometry g;
    render::SetPaperSize(g, 297, paperLengthMm);
    return g;
}

}  // namespace

TEST(FieldText, NumbersAsTyped) {
    EXPECT_EQ(app::AsciiNumberText("　１２．５ "), "12.5");
    EXPECT_EQ(app::AsciiNumberText("－３"), "-3");
    int i = 0;
    EXPECT_FALSE(app::ParseIntField("＋４２", 0, 100, i));
    EXPECT_EQ(i, 42);
    double d = 0;
    EXPECT_FALSE(app::ParseRealField("-2.5e1", -30, 0, d));
    EXPECT_DOUBLE_EQ(d, -25);
    for (const char* bad : {"0x10", "inf", "1,5", "1.2.3", "--1"}) {
        EXPECT_TRUE(app::ParseRealField(bad, d)) << bad;
    }
    EXPECT_DOUBLE_EQ(d, -25);
    EXPECT_EQ(app::ParseRealField("3000.5", -10, 3000, d)->message, "-10 から 3000 までの数値を入力してください。");
}

TEST(ScaleDepthModel, FieldRanges) {
    struct Case {
        std::optional<app::FieldError> (ScaleDepthModel::*set)(std::string_view);
        const char* text;
        bool taken;
        const char* message;
    };
    const char* scales = "25 から 1000 までの整数を入力してください。";
    const char* integer = "整数を入力してください。";
    const Case cases[] = {
        {&ScaleDepthModel::SetHorizontalScale, "20", false, scales},
        {&ScaleDepthModel::SetHorizontalScale, "1200", false, scales},
        {&ScaleDepthModel::SetHorizontalScale, "25", true, ""},
        {&ScaleDepthModel::SetHorizontalScale, "1000", true, ""},
        {&ScaleDepthModel::SetHorizontalScale, "200.5", false, integer},
        {&ScaleDepthModel::SetDepthScale, "20", false, scales},
        {&ScaleDepthModel::SetDepthScale, "1200", false, scales},
        {&ScaleDepthModel::SetDepthScale, "２００", true, ""},
        {&ScaleDepthModel::SetDepthScale, "", false, integer},
        {&ScaleDepthModel::SetPrintStartDepth, "-10", true, ""},
        {&ScaleDepthModel::SetPrintStartDepth, "-10.5", false, "-10 から 3000 までの数値を入力してください。"},
        {&ScaleDepthModel::SetPrintStartDepth, "12.25", true, ""},
        {&ScaleDepthModel::SetPrintStartDepth, "3001", false, "-10 から 3000 までの数値を入力してください。"},
        {&ScaleDepthModel::SetPrintStartDepth, "10m", false, "数値を入力してください。"},
        {&ScaleDepthModel::SetDepthPerPage, "0", false, "1 から 400 までの整数を入力してください。"},
        {&ScaleDepthModel::SetDepthPerPage, "400", true, ""},
        {&ScaleDepthModel::SetDepthPerPage, "401", false, "1 から 400 までの整数を入力してください。"},
        {&ScaleDepthModel::SetPageOverlap, "-1", false, "0 から 10 までの整数を入力してください。"},
        {&ScaleDepthModel::SetPageOverlap, "10", true, ""},
        {&ScaleDepthModel::SetPageOverlap, "11", false, "0 から 10 までの整数を入力してください。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        ScaleDepthModel model(A3Geometry(), SystemSettings{});
        const render::ScaleAndDepth before = model.Values();
        const auto refused = (model.*c.set)(c.text);
        EXPECT_EQ(!refused, c.taken);
        if (refused) {
            EXPECT_EQ(refused->message, c.message);
            const render::ScaleAndDepth& after = model.Values();
            EXPECT_EQ(after.horizontalScale, before.horizontalScale);
            EXPECT_EQ(after.depthScale, before.depthScale);
            EXPECT_EQ(after.printStartDepth, before.printStartDepth);
            EXPECT_EQ(after.depthPerPage, before.depthPerPage);
            EXPECT_EQ(after.pageOverlap, before.pageOverlap);
        }
    }
}

TEST(ScaleDepthModel, LargestDepthPerPageFollowsScalePaperAndTitle) {
    struct Case {
        int paperLengthMm;
        const char* depthScale;
        bool dataOnly;
        int topMarginMm;
        int expected;
    };
    // A3: 420 − 32 = 388 mm printable; the title block is 110 mm at 1/100.
    const Case cases[] = {
        {420, "100", true, 5, 27},    // (388 − 5 − 110) × 100 / 1000
        {420, "200", true, 5, 54},    // the title stays 110 mm
        {420, "200", false, 5, 65},   // the title scaled too: 55 mm
        {420, "50", true, 5, 13},
        {420, "100", true, 25, 25},   // the margin of the settings counts
        {297, "100", true, 5, 15},    // A4: 265 mm printable
        {150, "100", true, 5, 0},     // no room: "作図長さがありません"
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.paperLengthMm << " 1/" << c.depthScale << " " << c.dataOnly);
        SystemSettings settings;
        settings.TopMargin = c.topMarginMm;
        ScaleDepthModel model(A3Geometry(c.paperLengthMm), settings);
        ASSERT_FALSE(model.SetDepthScale(c.depthScale));
        model.SetDepthOnlyScaled(c.dataOnly);
        EXPECT_EQ(model.MaxDepthPerPage(), c.expected);
        EXPECT_EQ(model.MaxDepthText(), std::to_string(c.expected));
        EXPECT_EQ(model.PaperLengthMm(), c.paperLengthMm);
    }
}

TEST(ScaleDepthModel, OkRules) {
    // 267 mm of paper: (235 − 5 − 110) × 100 / 1000 = 12 m fit a page at 1/100.
    struct Case {
        const char* name;
        int depthPerPage;
        int overlap;
        bool shownAgainBefore;
        bool closes;
        int depthAfter;
        int overlapAfter;
        const char* message;
    };
    const std::string warning12 = "1ページの印刷深度は\n約 12 (m)です";
    const Case cases[] = {
        {"fits", 10, 1, false, true, 10, 1, nullptr},
        {"22 m: 12 + 10 is not smaller", 22, 0, false, true, 22, 0, nullptr},
        {"25 m: warned, kept", 25, 0, false, true, 25, 0, "warn"},
        {"overlap 20 of 20: shown again with 0", 20, 20, false, false, 20, 0, nullptr},
        {"overlap 5 of 5: shown again with 0", 5, 5, false, false, 5, 0, nullptr},
        {"second showing: closes with overlap 0", 5, 5, true, true, 5, 0, nullptr},
        {"too deep and shown again: what fits is offered", 25, 25, false, false, 12, 0, "warn"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScaleDepthModel model(A3Geometry(267), SystemSettings{});
        ASSERT_EQ(model.MaxDepthPerPage(), 12);
        core::RecordingMessages messages;
        if (c.shownAgainBefore) {
            model.Values().depthPerPage = 5;
            model.Values().pageOverlap = 5;
            ASSERT_FALSE(model.Confirm(messages));
            messages.entries.clear();
        }
        model.Values().depthPerPage = c.depthPerPage;
        model.Values().pageOverlap = c.overlap;
        EXPECT_EQ(model.Confirm(messages), c.closes);
        EXPECT_EQ(model.Values().depthPerPage, c.depthAfter);
        EXPECT_EQ(model.Values().pageOverlap, c.overlapAfter);
        if (c.message) {
            ASSERT_EQ(messages.entries.size(), 1u);
            EXPECT_EQ(messages.entries[0].text, warning12);
        } else {
            EXPECT_TRUE(messages.Empty());
        }
    }
}

TEST(ScaleDepthModel, CommitGivesTheGeometryItsValuesAndStoresThePaging) {
    TempDir dir;
    const app::InstallFolder folder(dir.Path());
    PageGeometry g = A3Geometry();
    g.maxDepth = 72;
    g.currentPage = 3;
    g.screenPageStart = 54;
    SystemSettings settings = app::LoadSystemSettings(folder);
    ScaleDepthModel model(g, settings);
    ASSERT_FALSE(model.SetHorizontalScale("200"));
    ASSERT_FALSE(model.SetDepthScale("250"));
    model.SetDepthOnlyScaled(false);
    ASSERT_FALSE(model.SetPrintStartDepth("10"));
    ASSERT_FALSE(model.SetDepthPerPage("20"));
    ASSERT_FALSE(model.SetPageOverlap("2"));
    core::RecordingMessages messages;
    ASSERT_TRUE(model.Confirm(messages));
    ASSERT_TRUE(model.Commit(g, settings, folder, &messages));
    EXPECT_TRUE(messages.Empty());
    EXPECT_EQ(g.horizontalScale, 200);
    EXPECT_EQ(g.depthScale, 250);
    EXPECT_FALSE(g.depthOnlyScaled);
    EXPECT_EQ(g.printStartDepth, 10);
    EXPECT_EQ(g.screenPageStart, 10);
    EXPECT_EQ(g.depthPerPage, 20);
    EXPECT_EQ(g.pageOverlap, 2);
    EXPECT_EQ(g.currentPage, 3);  // a page start below 1 m keeps the page number
    // 10 m to 72 m in steps of 18 m with pages of 20 m: 10, 28, 46, 64.
    EXPECT_EQ(render::PageCount(g), 4);
    // The paging is stored; the scales are not (they last for the session).
    const SystemSettings loaded = app::LoadSystemSettings(folder);
    EXPECT_EQ(loaded.PageDepth, 20);
    EXPECT_EQ(loaded.PageOverlapDepth, 2);
    EXPECT_EQ(loaded.ScaleDataOnly, 0);
    const auto lines = core::ReadCp932Lines(folder.File("SysQXV.ndx"));
    ASSERT_TRUE(lines);
    ASSERT_EQ(lines->size(), 121u);
    EXPECT_EQ((*lines)[43], "20");
    EXPECT_EQ((*lines)[44], "2");
    EXPECT_EQ((*lines)[45], "0");
    // The model round-trips what was stored.
    ScaleDepthModel again(g, loaded);
    EXPECT_EQ(again.Values().depthPerPage, 20);
    EXPECT_EQ(again.Values().pageOverlap, 2);
    EXPECT_FALSE(again.Values().depthOnlyScaled);
    EXPECT_EQ(again.Values().horizontalScale, 200);
}

TEST(ScaleDepthModel, CommitThatCannotWriteSaysSo) {
    TempDir dir;
    const app::InstallFolder missing(dir.File("gone"));
    PageGeometry g = A3Geometry();
    SystemSettings settings;
    ScaleDepthModel model(g, settings);
    ASSERT_FALSE(model.SetDepthPerPage("15"));
    core::RecordingMessages messages;
    EXPECT_FALSE(model.Commit(g, settings, missing, &messages));
    EXPECT_EQ(messages.Count("保存できませんでした"), 1);
    EXPECT_EQ(g.depthPerPage, 15);
}

TEST(PageGeometryScaleChange, PageStartOverlapAndScales) {
    struct Case {
        double start;
        int depthPerPage;
        int overlap;
        int pageBefore;
        int pageAfter;
        int overlapAfter;
    };
    const Case cases[] = {
        {0, 20, 2, 4, 1, 2},     // a start above 1 m shows page 1
        {0.5, 20, 2, 4, 1, 2},
        {1.0, 20, 2, 4, 4, 2},
        {-10, 20, 2, 3, 1, 2},
        {0, 10, 10, 1, 1, 0},    // an overlap not smaller than the page is dropped
        {0, 10, 12, 1, 1, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.start << " " << c.depthPerPage << " " << c.overlap);
        PageGeometry g = A3Geometry(297);
        g.currentPage = c.pageBefore;
        g.usableLengthMm = 1;
        render::ChangeScaleAndDepth(g, {150, 300, false, c.start, c.depthPerPage, c.overlap});
        EXPECT_EQ(g.horizontalScale, 150);
        EXPECT_EQ(g.depthScale, 300);
        EXPECT_FALSE(g.depthOnlyScaled);
        EXPECT_EQ(g.screenPageStart, c.start);
        EXPECT_EQ(g.currentPage, c.pageAfter);
        EXPECT_EQ(g.pageOverlap, c.overlapAfter);
        EXPECT_EQ(g.usableLengthMm, 265);
    }
    // The scales reach the conversions: 10 mm across at 1/100 and 254 dpi is 100 pixels,
    // at 1/200 50; 1 m down at 1/200 is 5 mm.
    PageGeometry g = A3Geometry();
    SystemSettings settings;
    render::StartPaint(g, 254, 254, settings, 0);
    EXPECT_EQ(render::MmToPx(g, 10), 100);
    render::ChangeScaleAndDepth(g, {200, 200, true, 0, 20, 0});
    render::StartPaint(g, 254, 254, settings, 0);
    EXPECT_EQ(render::MmToPx(g, 10), 50);
    render::UseDepthScale(g, 0);
    EXPECT_EQ(render::MetresToPx(g, 1), 50);
}
