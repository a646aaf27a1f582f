#include "render/PageGeometry.h"

#include <gtest/gtest.h>

#include "render/RenderPrinters.h"

#include <cmath>
#include <limits>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "render/RecordingSurface.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// A page painted at dpi with the given scales; margins 5 mm, title block 11 m (110 mm at 1/100).
PageGeometry Painted(int dpi, int horizontalScale, int depthScale, bool depthOnly, double maxDepth = 0) {
    PageGeometry g;
    g.horizontalScale = horizontalScale;
    g.depthScale = depthScale;
    g.depthOnlyScaled = depthOnly;
    app::SystemSettings settings;
    settings.LeftMargin = 5;
    settings.TopMargin = 5;
    StartPaint(g, dpi, dpi, settings, maxDepth);
    return g;
}

}  // namespace

TEST(PageGeometry, StyleWidthFollowsHorizontalScaleAndResolution) {
    struct Case { int dpi; int scale; double mm; int x; } cases[] = {
        {254, 100, 10, 150},  // 5 mm margin = 50 px, 10 mm = 100 px
        {254, 200, 10, 100},  // 10 mm at 1/200 = 50 px
        {254, 50, 10, 250},
        {96, 100, 10, 56},    // 18.9 + 37.8 truncated
        {254, 100, 0, 50},
        {254, 0, 10, 150},    // a scale of 0 counts as 1/100
    };
    for (const auto& c : cases) {
        PageGeometry g = Painted(c.dpi, c.scale, 100, false);
        EXPECT_EQ(MmToX(g, c.mm), c.x) << c.dpi << " dpi 1/" << c.scale << " " << c.mm << " mm";
    }
}

TEST(PageGeometry, DepthBelowTitleBlockAtDepthScale) {
    // 1 m at 1/100 is 10 mm below the title block at any resolution.
    for (int dpi : {96, 254, 300, 600, 1200}) {
        PageGeometry g = Painted(dpi, 100, 100, false);
        UseTitleScale(g);
        UseDepthScale(g, 0);
        double mmPerPx = 25.4 / dpi;
        EXPECT_NEAR((DepthToY(g, 1) - DepthToY(g, 0)) * mmPerPx, 10.0, mmPerPx) << dpi;
        EXPECT_NEAR(DepthToY(g, 0) * mmPerPx, 5 + 110, mmPerPx) << dpi;
    }
}

TEST(PageGeometry, DepthOnlyScalingKeepsTitleAtOneHundredth) {
    struct Case { bool depthOnly; int scale; int titleBottom; int oneMetre; int titleTop; } cases[] = {
        // 254 dpi: 10 px per mm; top margin 50 px; title block 11 m; the block top at -8 m.
        {true, 200, 50 + 1100, 50 + 1100 + 50, 50 + 300},
        {false, 200, 50 + 550, 50 + 550 + 50, 50 + 150},
        {true, 100, 50 + 1100, 50 + 1100 + 100, 50 + 300},
        {false, 50, 50 + 2200, 50 + 2200 + 200, 50 + 600},
    };
    for (const auto& c : cases) {
        PageGeometry g = Painted(254, 100, c.scale, c.depthOnly);
        UseTitleScale(g);
        EXPECT_EQ(DepthToY(g, -8.0), c.titleTop) << c.depthOnly << " 1/" << c.scale;
        EXPECT_EQ(DepthToY(g, 0), c.titleBottom);
        UseDepthScale(g, 0);
        EXPECT_EQ(DepthToY(g, 0), c.titleBottom);
        EXPECT_EQ(DepthToY(g, 1), c.oneMetre);
    }
}

TEST(PageGeometry, DepthPartIsOffsetByPageStart) {
    PageGeometry g = Painted(254, 100, 100, true);
    UseTitleScale(g);
    UseDepthScale(g, 18.0);
    EXPECT_EQ(DepthToY(g, 18.0), 1150);
    EXPECT_EQ(DepthToY(g, 19.5), 1300);
    EXPECT_NEAR(YToDepth(g, 1300), 19.5, 1e-9);
    UseTitleScale(g);  // back to the title part: no offset
    EXPECT_EQ(DepthToY(g, 0), 1150);
}

TEST(PageGeometry, CoordinatesClampAndTruncateTowardZero) {
    PageGeometry g = Painted(254, 100, 100, false);
    g.leftMarginMm = 0;
    struct Case { double mm; int x; } cases[] = {
        {1e9, 32767}, {-1e9, -32767}, {3276.8, 32767}, {-0.15, -1}, {0.19, 1},
        {std::numeric_limits<double>::infinity(), 32767}, {std::numeric_limits<double>::quiet_NaN(), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(MmToX(g, c.mm), c.x) << c.mm;
    EXPECT_EQ(DepthToY(g, 1e7), 32767);
    EXPECT_EQ(DepthToY(g, -1e7), -32767);
}

TEST(PageGeometry, DeviceToLogAndBack) {
    PageGeometry g = Painted(254, 200, 100, false);
    EXPECT_DOUBLE_EQ(XToMm(g, MmToX(g, 42)), 42.0);
    EXPECT_DOUBLE_EQ(XToMm(g, 50), 0.0);  // the left margin
    UseDepthScale(g, 0);
    EXPECT_DOUBLE_EQ(YToDepth(g, DepthToY(g, 7.25)), 7.25);
    g.xFactor = 0;
    g.depthPxPerMetre = 0.00001;
    EXPECT_EQ(XToMm(g, 500), 0.0);
    EXPECT_EQ(YToDepth(g, 500), 0.0);
}

TEST(PageGeometry, PrintableDepthPerPage) {
    struct Case { int usable; double title; int scale; bool only; int freeArticle; int metres; } cases[] = {
        {248, 11.0, 100, false, 0, 13},   // 248 - (5 + 110) = 133 mm → 13 m
        {248, 11.0, 200, true, 0, 26},    // title stays 110 mm; 133 mm at 1/200
        {248, 11.0, 200, false, 0, 37},   // title 55 mm: 188 mm at 1/200
        {248, 11.0, 100, false, 20, 11},  // the free-article field takes 20 mm
        {248, 11.0, 0, false, 0, 13},     // scale 0 counts as 1/100
        {248, 11.0, -5, false, 0, 13},
        {100, 11.0, 100, false, 0, 0},    // the title block does not fit
        {115, 11.0, 100, false, 0, 0},
    };
    for (const auto& c : cases) {
        PageGeometry g = Painted(254, 100, 100, false);
        g.freeArticleHeightMm = c.freeArticle;
        EXPECT_EQ(PrintableDepthPerPage(g, c.usable, c.title, c.scale, c.only), c.metres)
            << c.usable << " 1/" << c.scale << " only " << c.only;
    }
}

TEST(PageGeometry, PageCount) {
    // end: the bottom of the last page's window, the end of the log as drawn (-1: none).
    struct Case { double maxDepth; double start; int perPage; int overlap; int pages; double end; } cases[] = {
        {25.3, 0, 10, 1, 3, 28},
        {0, 0, 10, 1, 1, 10},       // no depth data
        {9.0, 0, 10, 0, 1, 10},
        {10.0, 0, 10, 0, 1, 10},    // ends exactly at the page's end: no empty page after it
        {20.0, 0, 10, 0, 2, 20},
        {20.01, 0, 10, 0, 3, 30},
        {19.0, 0, 10, 1, 2, 19},    // the second page (9-19 m) reaches the end
        {25.3, 10, 10, 1, 2, 29},
        {5.0, 20, 10, 0, 1, 30},    // start below the borehole
        {25.3, 0, 0, 0, 1, -1},     // paging not set up: no division by zero
        {25.3, 0, 5, 5, 1, -1},
        {25.3, 0, 5, 8, 1, -1},
    };
    for (const auto& c : cases) {
        PageGeometry g;
        g.maxDepth = c.maxDepth;
        g.printStartDepth = c.start;
        g.depthPerPage = c.perPage;
        g.pageOverlap = c.overlap;
        EXPECT_EQ(PageCount(g), c.pages) << c.maxDepth << " from " << c.start << " " << c.perPage << "/" << c.overlap;
        if (c.end < 0)
            EXPECT_TRUE(std::isinf(LogEndDepth(g))) << c.maxDepth << " " << c.perPage << "/" << c.overlap;
        else
            EXPECT_DOUBLE_EQ(LogEndDepth(g), c.end) << c.maxDepth << " from " << c.start << " " << c.perPage << "/" << c.overlap;
    }
}

TEST(PageGeometry, PrintedPagesStartOnePageStepApart) {
    PageGeometry g;
    g.maxDepth = 25.3;
    g.depthPerPage = 10;
    g.pageOverlap = 1;
    g.screenPageStart = 7;
    struct Case { double printStart; int page; double start; } cases[] = {
        {0, 1, 0}, {0, 2, 9}, {0, 3, 18}, {2.5, 2, 11.5},
    };
    for (const auto& c : cases) {
        g.printing = true;
        g.printStartDepth = c.printStart;
        g.currentPage = c.page;
        EXPECT_DOUBLE_EQ(FixPageStart(g), c.start) << c.page;
        EXPECT_DOUBLE_EQ(g.screenPageStart, c.printStart);
    }
    g.printing = false;
    g.screenPageStart = 7;
    EXPECT_DOUBLE_EQ(FixPageStart(g), 7);
}

TEST(PageGeometry, NextPageStopsAtTheLimit) {
    struct Case { double maxDepth; double lastStart; int lastPage; } cases[] = {
        {12.0, 50, 6},     // max(17, 50) = 50
        {100.0, 110, 12},  // max(105, 50) = 105: the start 100 is still below it
    };
    for (const auto& c : cases) {
        PageGeometry g;
        g.maxDepth = c.maxDepth;
        g.depthPerPage = 10;
        for (int i = 0; i < 30; ++i) EXPECT_TRUE(NextPage(g));
        EXPECT_DOUBLE_EQ(g.screenPageStart, c.lastStart) << c.maxDepth;
        EXPECT_EQ(g.currentPage, c.lastPage);
    }
}

TEST(PageGeometry, PreviousPageAndPageUpStopAtTheTop) {
    PageGeometry g;
    g.depthPerPage = 10;
    g.screenPageStart = 3;
    g.currentPage = 2;
    EXPECT_TRUE(PreviousPage(g));
    EXPECT_DOUBLE_EQ(g.screenPageStart, 0);
    EXPECT_EQ(g.currentPage, 1);
    EXPECT_TRUE(PreviousPage(g));
    EXPECT_EQ(g.currentPage, 1);  // never below 1

    g.screenPageStart = 25;
    g.currentPage = 3;
    EXPECT_TRUE(PageUpKey(g));
    EXPECT_DOUBLE_EQ(g.screenPageStart, 15);
    EXPECT_EQ(g.currentPage, 2);
    g.screenPageStart = 3;
    g.currentPage = 4;  // the key puts a start above the top back to page 1
    EXPECT_TRUE(PageUpKey(g));
    EXPECT_DOUBLE_EQ(g.screenPageStart, 0);
    EXPECT_EQ(g.currentPage, 1);
}

TEST(PageGeometry, NavigationIsIgnoredWhilePrinting) {
    PageGeometry g;
    g.depthPerPage = 10;
    g.screenPageStart = 20;
    g.currentPage = 3;
    g.printing = true;
    EXPECT_FALSE(NextPage(g));
    EXPECT_FALSE(PreviousPage(g));
    EXPECT_FALSE(PageUpKey(g));
    EXPECT_DOUBLE_EQ(g.screenPageStart, 20);
    EXPECT_EQ(g.currentPage, 3);
}

TEST(PageGeometry, RunawayPageNumberIsReset) {
    PageGeometry g;
    g.maxDepth = 25.3;
    g.depthPerPage = 10;
    g.pageOverlap = 1;  // 3 pages
    g.currentPage = 13;
    ResetRunawayPage(g);
    EXPECT_EQ(g.currentPage, 13);
    g.currentPage = 14;
    ResetRunawayPage(g);
    EXPECT_EQ(g.currentPage, 1);
}

TEST(PageGeometry, PaperSizeSetsUpPagingOnce) {
    PageGeometry g = Painted(254, 100, 100, false);
    g.screenPageStart = 30;
    g.currentPage = 4;
    g.pageOverlap = 2;
    SetPaperSize(g, DeviceToMm(4960, 600), DeviceToMm(7016, 600));  // A4 at 600 dpi
    EXPECT_EQ(g.paperWidthMm, 209);
    EXPECT_EQ(g.paperLengthMm, 297);
    EXPECT_EQ(g.usableLengthMm, 265);
    EXPECT_EQ(g.depthPerPage, 15);  // 265 - 115 = 150 mm at 1/100
    EXPECT_EQ(g.pageOverlap, 0);
    EXPECT_EQ(g.currentPage, 1);
    EXPECT_DOUBLE_EQ(g.screenPageStart, 0);

    g.pageOverlap = 1;
    SetPaperSize(g, 420, 297);  // paging already set up: only the paper changes
    EXPECT_EQ(g.depthPerPage, 15);
    EXPECT_EQ(g.pageOverlap, 1);
    EXPECT_EQ(g.paperWidthMm, 420);
}

TEST(PageGeometry, NoPrinterKeepsDefaultPaper) {
    PageGeometry g;
    EXPECT_EQ(g.paperWidthMm, 280);
    EXPECT_EQ(g.paperLengthMm, 280);
    EXPECT_EQ(g.usableLengthMm, 248);
    EXPECT_EQ(DeviceToMm(1000, 0), 0);
}

TEST(PageGeometry, ScrollSizesByDepthPerPage) {
    struct Case { int depthPerPage; int heightPx; } cases[] = {
        {0, 2267}, {37, 2267}, {38, 3401}, {77, 3401}, {78, 4535}, {107, 4535},
        {108, 7559}, {187, 7559}, {188, 9070}, {500, 9070},
    };
    for (const auto& c : cases) {
        ScrollSizes s = ComputeScrollSizes(c.depthPerPage, 1280);
        EXPECT_EQ(s.heightPx, c.heightPx) << c.depthPerPage;
        EXPECT_EQ(s.pageStepY, c.heightPx / 8);
        EXPECT_EQ(s.lineStepY, c.heightPx / 32);
    }
    PageGeometry g;
    ScrollSizes wide = UpdateScrollSizes(g, 1000);
    EXPECT_EQ(wide.widthPx, 1337);
    EXPECT_EQ(g.screenFrameWidthMm, 350);
    ScrollSizes narrow = UpdateScrollSizes(g, 999);
    EXPECT_EQ(narrow.widthPx, 1133);
    EXPECT_EQ(narrow.pageStepX, 1133 / 8);
    EXPECT_EQ(g.screenFrameWidthMm, 290);
}

TEST(PageGeometry, StartPaintTakesResolutionMarginsAndLineHeight) {
    RecordingSurface surface(300, 600);
    surface.externalLeading = 3;
    LogFont font;
    font.height = 40;
    surface.SelectFont(font);
    app::SystemSettings settings;
    settings.LeftMargin = 12;
    settings.TopMargin = 20;
    PageGeometry g;
    StartPaint(g, surface, settings, 31.5);
    EXPECT_EQ(g.dpiX, 300);
    EXPECT_EQ(g.dpiY, 600);
    EXPECT_DOUBLE_EQ(g.leftMarginMm, 12);
    EXPECT_DOUBLE_EQ(g.topMarginMm, 20);
    EXPECT_DOUBLE_EQ(g.maxDepth, 31.5);
    EXPECT_EQ(g.lineHeight, 43);
    EXPECT_NEAR(g.pxPerMmY, 600 / 25.4, 1e-12);
    EXPECT_NEAR(g.xFactor, 300 / 25.4, 1e-12);
}

TEST(PageGeometry, PageSettingsRoundTrip) {
    app::SystemSettings settings;
    settings.PageDepth = 20;
    settings.PageOverlapDepth = 2;
    settings.ScaleDataOnly = 0;
    PageGeometry g;
    ApplyPageSettings(g, settings);
    EXPECT_EQ(g.depthPerPage, 20);
    EXPECT_EQ(g.pageOverlap, 2);
    EXPECT_FALSE(g.depthOnlyScaled);
    g.depthPerPage = 15;
    g.depthOnlyScaled = true;
    StorePageSettings(g, settings);
    EXPECT_EQ(settings.PageDepth, 15);
    EXPECT_EQ(settings.ScaleDataOnly, 1);
}

TEST(PageGeometry, MaxDepthIsTheLastLayerBottom) {
    borehole::BoreholeRecord record;
    EXPECT_EQ(MaxDepthOf(record), 0.0);
    auto& layers = record.Table(borehole::TableId::Layer);
    layers.SetCell(1, 0, "1.50");
    layers.SetCell(2, 0, "3.2");
    layers.SetCell(3, 0, "25.30");
    layers.SetCell(5, 0, "40.0");  // after a gap: not in use
    EXPECT_DOUBLE_EQ(MaxDepthOf(record), 25.3);
}

TEST(PageGeometry, PrintLoopDrawsEachPageThenShowsPageOne) {
    PageGeometry g;
    g.maxDepth = 25.3;
    g.depthPerPage = 10;
    g.pageOverlap = 1;
    g.screenPageStart = 30;
    g.currentPage = 4;
    std::vector<double> starts;
    for (int page : {2, 3}) {
        BeginPrintedPage(g, page);
        EXPECT_FALSE(NextPage(g));  // keys are ignored while a page prints
        starts.push_back(FixPageStart(g));
        EndPrintedPage(g);
        EXPECT_FALSE(g.printing);
    }
    EXPECT_EQ(starts, (std::vector<double>{9, 18}));
    EndPrinting(g);
    EXPECT_EQ(g.currentPage, 1);
    EXPECT_DOUBLE_EQ(FixPageStart(g), 0);  // the screen start became the print start
    g.screenPageStart = 12;
    g.currentPage = 2;
    ResetForDocument(g);
    EXPECT_DOUBLE_EQ(g.screenPageStart, 0);
    EXPECT_EQ(g.currentPage, 1);
}

// Extreme depths per page and overlaps of a hand-edited settings file: the page step is
// computed without overflow, and a page that does not advance gives one page.
TEST(PageGeometry, ExtremePageSettingsNeitherOverflowNorLoop) {
    constexpr int kMax = std::numeric_limits<int>::max();
    constexpr int kMin = std::numeric_limits<int>::min();
    PageGeometry g;
    g.maxDepth = 50;
    g.depthPerPage = kMax;
    g.pageOverlap = kMin;
    EXPECT_DOUBLE_EQ(PageStep(g), double{kMax} - double{kMin});
    EXPECT_EQ(PageCount(g), 1);
    g.printing = true;
    g.currentPage = kMax;
    EXPECT_TRUE(std::isfinite(FixPageStart(g)));
    g.printing = false;
    g.depthPerPage = kMin;
    g.pageOverlap = kMax;
    EXPECT_LT(PageStep(g), 0);
    EXPECT_EQ(PageCount(g), 1);
    EXPECT_FALSE(NextPage(g));
    g.depthPerPage = 10;
    g.pageOverlap = 0;
    g.maxDepth = 1e308;
    EXPECT_EQ(PageCount(g), 1000000);
}
