#include "render/LogPainter.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/PatternColours.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "render/TitleBlock.h"
#include "style/BuiltInStyles.h"
#include "style/LogStyle.h"
#include "style/StyleApplication.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;

namespace {

struct FooterCase {
    const char* prefix;
    const char* start;
    const char* suffix;
    int page;
    const char* expected;
};

TEST(PageFooterText, PrefixNumberSuffix) {
    const FooterCase cases[] = {
        {"- ", "3", " -", 2, "- 4 -"},  // start 3 on page 2 prints 4
        {"(", "", ")", 5, "()"},        // no start number: prefix and suffix only
        {"P", "1", "", 1, "P1"},
        {"", "10", "", 3, "12"},
        {"", "", "", 4, ""},
        {"No.", " 2 ", "", 1, "No.2"},
    };
    for (const FooterCase& c : cases) {
        FooterSettings footer;
        footer.prefix = c.prefix;
        footer.startNumber = c.start;
        footer.suffix = c.suffix;
        EXPECT_EQ(FooterText(footer, c.page), c.expected) << c.prefix << c.start << c.suffix << " page " << c.page;
    }
}

// 254 dpi, no margins: 1 mm across is 10 px; the depth scale 1/100 makes 1 m 100 px.
class LogPainterTest : public ::testing::Test {
protected:
    LogPainterTest() : surface(254, 254) {
        settings.LeftMargin = 0;
        settings.TopMargin = 0;
        form.ApplyDefaults();
        g.depthOnlyScaled = true;
        g.titleHeight = 11.0;
        g.depthPerPage = 10;
        g.pageOverlap = 1;
        style::ApplyStyleText(style, style::BuiltInStyleLines(3));
        record.Table(borehole::TableId::Layer).SetCell(1, 0, "5.0");
        record.Table(borehole::TableId::Layer).SetCell(1, 1, "粘土");
        record.Table(borehole::TableId::Layer).SetCell(2, 0, "25.3");
        record.Table(borehole::TableId::Layer).SetCell(2, 1, "砂");
        record.SetHeading(5, "No.1");
        record.SetHeading(16, "山田太郎");
        record.SetHeading(24, "0");
    }

    LogContext Context() {
        LogContext ctx{surface, g, settings, fonts, style, form, record, colours, nullptr, {}, {}, {}, {}, {}, 0.0, 0.0, 0, 0, 0, nullptr, {}};
        return ctx;
    }

    // Index of the first text or box holding exactly text; -1 when none.
    long FirstIndexOf(const std::string& text) const {
        for (std::size_t i = 0; i < surface.operations.size(); ++i) {
            const auto& op = surface.operations[i];
            if ((op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) && op.text == text)
                return static_cast<long>(i);
        }
        return -1;
    }
    std::vector<RecordedOperation> TextsNamed(const std::string& text) const {
        std::vector<RecordedOperation> out;
        for (const auto& op : surface.operations)
            if ((op.kind == OperationKind::Text || op.kind == OperationKind::TextBox) && op.text == text)
                out.push_back(op);
        return out;
    }

    RecordingSurface surface;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm form;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
};

TEST_F(LogPainterTest, DrawsThePartsOfAPageInOrder) {
    LogContext ctx = Context();
    PaintLog(ctx);
    const long title = FirstIndexOf("土質ボーリング柱状図(標準貫入試験)");
    const long upper = FirstIndexOf("調査名");
    const long block = FirstIndexOf("No.1");
    const long header = FirstIndexOf("深度-N値");   // the header of 3101
    const long dial = FirstIndexOf("上");            // the angle dial
    const long scale = FirstIndexOf(" 0");          // the first N-value scale label
    const long engineer = FirstIndexOf("山田太郎");  // the remaining rows
    ASSERT_GE(title, 0);
    EXPECT_LT(title, upper);
    EXPECT_LT(upper, block);
    EXPECT_LT(block, header);
    EXPECT_LT(header, dial);
    EXPECT_LT(dial, scale);
    EXPECT_LT(scale, engineer);
    // The depth part follows at the depth scale from the page start.
    EXPECT_EQ(ctx.pageStart, 0.0);
    EXPECT_EQ(ctx.pageEnd, 10.0);
    EXPECT_DOUBLE_EQ(g.depthOffset, 0.0);
    EXPECT_DOUBLE_EQ(g.depthPxPerMetre, 100.0);
    // The column edges were computed: style 3 starts with 1001 of 7 mm.
    EXPECT_EQ(ctx.columns.edges[0], 5.0);
    EXPECT_EQ(ctx.columns.edges[1], 12.0);
}

TEST_F(LogPainterTest, TitleHeightComesFromTheForm) {
    form.Set(style::TitleForm::TitleTotal, "12.0");
    LogContext ctx = Context();
    PaintLog(ctx);
    EXPECT_DOUBLE_EQ(g.titleHeight, 12.0);
    // The top of the depth area lies 120 mm below the top margin.
    EXPECT_EQ(DepthToY(g, 0.0), 1200);
}

TEST_F(LogPainterTest, PrintingPagesTwoToThreeOfThree) {
    // maxDepth 25.3 m, 10 m per page with 1 m overlap: 3 pages; page 2 from 9 m, page 3 from 18 m.
    g.maxDepth = MaxDepthOf(record);
    ASSERT_EQ(PageCount(g), 3);
    g.screenPageStart = 4.0;
    g.currentPage = 2;
    std::vector<std::pair<int, double>> drawn;
    PrintPages(g, {2, 3, 4}, [&](int page) {
        EXPECT_TRUE(g.printing);
        EXPECT_EQ(g.currentPage, page);
        LogContext ctx = Context();
        PaintLog(ctx);
        drawn.push_back({page, ctx.pageStart});
        EXPECT_DOUBLE_EQ(g.depthOffset, -ctx.pageStart);
    });
    ASSERT_EQ(drawn.size(), 2u);  // page 4 does not exist
    EXPECT_EQ(drawn[0], (std::pair<int, double>{2, 9.0}));
    EXPECT_EQ(drawn[1], (std::pair<int, double>{3, 18.0}));
    // Afterwards the screen shows page 1 again, from the print start depth.
    EXPECT_FALSE(g.printing);
    EXPECT_EQ(g.currentPage, 1);
    EXPECT_EQ(g.screenPageStart, 0.0);
}

TEST_F(LogPainterTest, PrintStartDepthMovesEveryPage) {
    g.printStartDepth = 2.0;
    g.maxDepth = MaxDepthOf(record);
    std::vector<double> starts;
    PrintPages(g, {1, 2}, [&](int) {
        LogContext ctx = Context();
        PaintLog(ctx);
        starts.push_back(ctx.pageStart);
    });
    EXPECT_EQ(starts, (std::vector<double>{2.0, 11.0}));
}

TEST_F(LogPainterTest, FooterPrintsTheNumberOfThePrintedPage) {
    g.maxDepth = MaxDepthOf(record);
    FooterSettings footer;
    footer.prefix = "- ";
    footer.startNumber = "3";
    footer.suffix = " -";
    PrintPages(g, {2}, [&](int) {
        LogContext ctx = Context();
        ctx.footer = footer;
        PaintLog(ctx);
    });
    EXPECT_EQ(TextsNamed("- 4 -").size(), 1u);
    EXPECT_TRUE(TextsNamed("- 3 -").empty());
}

class PageFooterDrawing : public LogPainterTest {
protected:
    LogContext DepthContext(int page) {
        StartPaint(g, surface, settings, 25.3);
        g.currentPage = page;
        LogContext ctx = Context();
        ctx.pageStart = 9.0;
        ctx.pageEnd = 19.0;
        ctx.columns.edges[0] = 5.0;
        ctx.columns.edges[1] = 105.0;
        ctx.columns.count = 1;
        UseDepthScale(g, ctx.pageStart);
        return ctx;
    }
};

TEST_F(PageFooterDrawing, PositionFromThePaperTopCentred) {
    settings.LeftMargin = 20;
    settings.TopMargin = 15;
    LogContext ctx = DepthContext(1);
    ctx.footer.startNumber = "1";
    ctx.footer.positionMode = 0;
    ctx.footer.topDistanceMm = 280;
    ctx.footer.horizontalMode = 1;
    ctx.footer.centreMm = 148;
    DrawPageFooterAndFreeArticles(ctx);
    auto texts = surface.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "1");
    // Millimetres from the paper's edges: margins are not added.
    EXPECT_EQ(texts[0].points[0], (Point{1480, 2800}));
    EXPECT_EQ(texts[0].align, (TextAlign{HorizontalAlign::Centre, VerticalAlign::Top}));
    // Font 7: its face, height trunc(dpi × size / 72).
    EXPECT_EQ(texts[0].font.faceName, fonts[6].faceName);
    EXPECT_EQ(texts[0].font.height, static_cast<int>(254 * fonts[6].sizePt / 72.0));
}

TEST_F(PageFooterDrawing, PositionBelowTheDepthPartLeftAligned) {
    LogContext ctx = DepthContext(1);
    ctx.footer.prefix = "p.";
    ctx.footer.startNumber = "1";
    ctx.footer.positionMode = 1;
    ctx.footer.belowLogMm = 2.0;
    ctx.footer.horizontalMode = 0;
    ctx.footer.leftDistanceMm = 30;
    DrawPageFooterAndFreeArticles(ctx);
    auto texts = surface.OfKind(OperationKind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "p.1");
    // 2 mm below the end of the page's depth range (19 m) at 1/100: 19.2 m.
    EXPECT_EQ(texts[0].points[0], (Point{300, DepthToY(g, 19.2)}));
    EXPECT_EQ(texts[0].align.horizontal, HorizontalAlign::Left);
}

TEST_F(PageFooterDrawing, EmptyTextDrawsNothing) {
    LogContext ctx = DepthContext(1);
    DrawPageFooterAndFreeArticles(ctx);
    EXPECT_TRUE(surface.OfKind(OperationKind::Text).empty());
}

TEST_F(PageFooterDrawing, FreeArticleOfPageTwoOnlyOnPageTwo) {
    g.freeArticleHeightMm = 20;
    for (int page : {1, 2, 3}) {
        surface.operations.clear();
        LogContext ctx = DepthContext(page);
        ctx.freeArticles = {{2, 10.0, 5.0, 0, "二頁のみ"}, {0, 60.0, 5.0, 0, "毎頁"}};
        DrawPageFooterAndFreeArticles(ctx);
        EXPECT_EQ(TextsNamed("二頁のみ").size(), page == 2 ? 1u : 0u) << "page " << page;
        EXPECT_EQ(TextsNamed("毎頁").size(), 1u) << "page " << page;
        // The field's frame lines under the depth part.
        EXPECT_FALSE(surface.OfKind(OperationKind::Line).empty());
    }
    auto article = TextsNamed("毎頁")[0];
    EXPECT_EQ(article.points[0], (Point{MmToX(g, 60.0), DepthToY(g, 19.5)}));
    EXPECT_EQ(article.font.faceName, fonts[5].faceName);
}

TEST_F(PageFooterDrawing, NoFreeArticleFieldBelowOneMillimetre) {
    g.freeArticleHeightMm = 0;
    LogContext ctx = DepthContext(1);
    ctx.freeArticles = {{0, 10.0, 5.0, 0, "毎頁"}};
    DrawPageFooterAndFreeArticles(ctx);
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
