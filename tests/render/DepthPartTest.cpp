#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Messages.h"
#include "geology/PatternColours.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "style/ItemCatalogue.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

using namespace stracol;
using namespace stracol::render;

namespace {

// One renderer call as a fake renderer saw it.
struct Call {
    int key = 0;
    int slot = 0;
    int subMode = 0;
    std::optional<Rect> clip;  // the clip in force, none when lifted
    double fontSizePx = 0;

    std::string Describe() const {
        std::ostringstream out;
        out << RendererKeyName(key);
        if (subMode != 0) out << "/" << subMode;
        return out.str();
    }
};

// A page of 1/100 on a recording surface: 1 mm across is 10 px, 1 m down 100 px, no margins
// or title block. Every key of the depth part order has a fake renderer that records its call.
class DepthPartTest : public ::testing::Test {
protected:
    DepthPartTest() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        g.dpiY = 72;  // font heights in pixels equal their sizes in points
        g.screenFrameWidthMm = 350;
        g.depthPerPage = 10;
        ctx.pageStart = 0;
        ctx.pageEnd = 10;
        // Distinct sizes tell the fonts apart.
        for (int slot = 1; slot <= 8; ++slot) fonts[static_cast<std::size_t>(slot - 1)].sizePt = 10.0 * slot;
        ctx.messages = &messages;
    }

    void SetItem(int slot, const std::string& label, const std::string& width, const std::string& placement = "2") {
        style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        item.SetField(style::kLabelField, label);
        item.SetField(style::kWidthField, width);
        item.SetField(style::kDataPlacementField, placement);
    }

    void Layout() { ctx.columns = ColumnEdges(style); }

    // Fake renderers for every key the order uses.
    void RegisterFakes() {
        for (const DepthPartCall& call : DepthPartOrder()) {
            std::vector<int> keys;
            if (call.rendererKey != 0) keys.push_back(call.rendererKey);
            else keys = call.lookupCodes;
            for (int key : keys) registry.Register(key, Recorder(key));
        }
    }

    ColumnRenderer Recorder(int key) {
        return [this, key](LogContext& c, int slot, int subMode) {
            Call call{key, slot, subMode, CurrentClip(), static_cast<double>(c.surface.CurrentFont().height)};
            calls.push_back(call);
        };
    }

    std::optional<Rect> CurrentClip() const {
        for (auto it = surface.operations.rbegin(); it != surface.operations.rend(); ++it) {
            if (it->kind == OperationKind::SetClip) return it->rect;
            if (it->kind == OperationKind::ClearClip) return std::nullopt;
        }
        return std::nullopt;
    }

    void Run(bool withFooter = true) {
        std::function<void(LogContext&)> footer;
        if (withFooter) footer = [this](LogContext&) { calls.push_back(Call{kPageFooterKey, 0, 0, CurrentClip(), 0}); };
        RunDepthPartOrder(ctx, registry, footer);
    }

    const Call* Find(int key, int subMode = -1) const {
        for (const Call& call : calls)
            if (call.key == key && (subMode < 0 || call.subMode == subMode)) return &call;
        return nullptr;
    }

    int X(double mm) const { return MmToX(g, mm); }
    int Y(double m) const { return DepthToY(g, m); }
    Rect Window(double top) const { return Rect{X(0), Y(top), X(350), Y(ctx.pageEnd)}; }

    RecordingSurface surface;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm titleForm;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
    core::RecordingMessages messages;
    LogContext ctx{surface, g, settings, fonts, style, titleForm, record, colours, nullptr, {}, {}, {}, {}, {}, 0, 0, 0, 0, 0, nullptr, {}};
    ColumnRegistry registry;
    std::vector<Call> calls;
};

TEST_F(DepthPartTest, RenderersAreCalledInTheDepthPartOrder) {
    RegisterFakes();
    Run();
    std::vector<std::string> seen;
    for (const Call& call : calls) seen.push_back(call.Describe());
    const std::vector<std::string> expected = {
        // 2, 3 (step 1 only sets the page clip)
        "frame lines", "1024",
        // 4
        "1001", "grid 3101", "grid 3403", "grid 2301", "grid 2302", "grid 3202", "grid 3204", "grid 3205",
        "grid 3501",
        // 5
        "1021", "boundary values/4", "1022", "boundary values/5", "2021", "boundary values/4", "2022",
        "boundary values/5", "1030",
        // 6 (without property items, no property depths)
        "1033/3", "1034/4", "1035/5", "1031/6", "1032/7", "1036/8",
        // 7
        "1041", "1011", "1043/4", "1025", "1026", "1023", "1019", "1020", "1042", "3401", "3402", "3403", "1037",
        "1038", "1039", "1040", "1090/1", "3801/1", "3802/2", "3805/3", "3806/4", "3807/5", "3808/6", "3809/7",
        "3810/8", "3811/9", "3803/1", "3701/2", "3702/3", "3703/4", "3804/6",
        // 8
        "1027",
        // 9
        "3101", "3102/1", "3103/2", "3104/3", "3109/4", "3108/5", "3105/6", "1047",
        // 10
        "3301/1", "3302/2", "3303/3", "2301", "2302", "3601", "3602", "3603", "1081",
        // 11
        "3502", "2051", "2052",
        // 12: neither a pattern nor a name item in the style: the first of each list
        "1005", "1006",
        // 13
        "boundary values/1", "boundary values/2", "boundary values/6",
        // 14
        "1015", "3203", "3201", "3204/1", "3205/2", "3202/3", "1045/1", "1046/2", "1044/3",
        // 15
        "page footer", "3501",
    };
    EXPECT_EQ(seen, expected);
}

TEST_F(DepthPartTest, RendererGetsTheSlotOfItsItemOrZero) {
    SetItem(1, "1001 標尺", "5");
    SetItem(2, "1025 地層・岩体区分", "6");
    SetItem(3, "1003 深度", "8");
    SetItem(4, "1021 相対密度(計算値)", "6");
    SetItem(5, "1026 地質時代区分", "");  // no width: hidden, with everything after it
    SetItem(6, "1004 層厚", "7");
    Layout();
    RegisterFakes();
    Run();
    struct Case {
        int key;
        int subMode;
        int slot;
    };
    const Case cases[] = {
        {1001, 0, 1}, {1025, 0, 2}, {1026, 0, 0}, {1011, 0, 0}, {1021, 0, 4},
        {kBoundaryValuesKey, 4, 4},   // the boundary lines of 1021 in its own column
        {kBoundaryValuesKey, 2, 3},   // depths into 1003
        {kBoundaryValuesKey, 6, 0},   // 1004 stands behind the hidden slot
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(RendererKeyName(c.key) + "/" + std::to_string(c.subMode));
        const Call* call = Find(c.key, c.subMode);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->slot, c.slot);
    }
}

TEST_F(DepthPartTest, PatternAndNameColumnsTakeTheFirstItemTheStyleHolds) {
    SetItem(1, "1001 標尺", "5");
    SetItem(2, "1009 工学的地質区分名･現場土質名(模様)", "8.2");
    SetItem(3, "1007 工学的地質区分名(模様)", "8.2");
    SetItem(4, "1010 工学的地質区分名･現場土質名", "14");
    Layout();
    RegisterFakes();
    Run();
    ASSERT_NE(Find(1007), nullptr);
    EXPECT_EQ(Find(1007)->slot, 3);
    EXPECT_EQ(Find(1005), nullptr);
    EXPECT_EQ(Find(1009), nullptr);
    ASSERT_NE(Find(1010), nullptr);
    EXPECT_EQ(Find(1010)->slot, 4);
    EXPECT_EQ(Find(1006), nullptr);
}

TEST_F(DepthPartTest, PropertyDepthsAreWrittenOnlyWithAPropertyItem) {
    RegisterFakes();
    Run();
    EXPECT_EQ(Find(kPropertyDepthsKey), nullptr);

    calls.clear();
    SetItem(1, "1003 深度", "8");
    SetItem(2, "1036 岩級区分", "5.5");
    Layout();
    Run();
    ASSERT_NE(Find(kPropertyDepthsKey), nullptr);
    EXPECT_EQ(Find(kPropertyDepthsKey)->slot, 1);
    // Right after the last property column.
    for (std::size_t i = 1; i < calls.size(); ++i) {
        if (calls[i].key == kPropertyDepthsKey) {
            EXPECT_EQ(calls[i - 1].key, 1036);
        }
    }
}

TEST_F(DepthPartTest, EachStepRunsUnderItsClip) {
    RegisterFakes();
    struct Case {
        double pageStart;
        int key;
        std::optional<Rect> clip;
    };
    ctx.pageStart = 0;
    ctx.pageEnd = 10;
    const Case firstPage[] = {
        {0, kFrameLinesKey, Window(0)},   {0, 1024, Window(0)},    {0, 3811, Window(0)},
        {0, 1027, Window(-6.0)},          {0, 3101, Window(-2.0)}, {0, 1081, Window(-2.0)},
        {0, 3502, std::nullopt},          {0, 1015, std::nullopt}, {0, kPageFooterKey, std::nullopt},
        {0, 3501, std::nullopt},
    };
    Run();
    for (const Case& c : firstPage) {
        SCOPED_TRACE(RendererKeyName(c.key));
        const Call* call = Find(c.key);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->clip, c.clip);
    }
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);

    // A later page clips water levels and N values at its own start.
    calls.clear();
    ctx.pageStart = 8;
    ctx.pageEnd = 18;
    Run();
    EXPECT_EQ(Find(1027)->clip, Window(8));
    EXPECT_EQ(Find(3101)->clip, Window(8));
    EXPECT_EQ(Find(1024)->clip, Window(8));
}

TEST_F(DepthPartTest, RendererThatLiftsTheClipDoesNotUnclipTheNextOne) {
    RegisterFakes();
    registry.Register(1021, [](LogContext& c, int, int) { c.surface.ClearClip(); });
    Run();
    ASSERT_NE(Find(1030), nullptr);
    EXPECT_EQ(Find(1030)->clip, Window(0));
}

TEST_F(DepthPartTest, StepsUseTheirFonts) {
    RegisterFakes();
    // A renderer that changes the font does not leave it to the next one.
    registry.Register(1041, [](LogContext& c, int, int) {
        LogFont other;
        other.height = 99;
        c.surface.SelectFont(other);
    });
    Run();
    struct Case {
        int key;
        double heightPx;
    };
    const Case cases[] = {
        {1024, 40},             // the article font (font 4)
        {1001, 80},             // the figure font (font 8)
        {GridKey(3101), 80},
        {1021, 30},             // the column font (font 3)
        {1011, 30},
        {3501, 50},             // the logging font (font 5)
        {1015, 30},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(RendererKeyName(c.key));
        const Call* call = Find(c.key);
        ASSERT_NE(call, nullptr);
        EXPECT_EQ(call->fontSizePx, c.heightPx);
    }
    EXPECT_TRUE(messages.Empty());
}

TEST_F(DepthPartTest, FontThatCannotBeMadeIsReportedOnce) {
    RegisterFakes();
    surface.failFontCreation = true;
    Run();
    // The column, article, figure and logging fonts: one message each, not one per call.
    EXPECT_EQ(messages.Count("Can't create font"), 4);
    // The renderers are still called, with whatever font the surface keeps.
    EXPECT_NE(Find(3501), nullptr);
}

TEST_F(DepthPartTest, CallsWithoutARendererDrawNothing) {
    SetItem(1, "1025 地層・岩体区分", "6");
    Layout();
    Run();
    EXPECT_TRUE(calls.size() == 1u && calls[0].key == kPageFooterKey);
    for (const auto& op : surface.operations)
        EXPECT_TRUE(op.kind == OperationKind::SetClip || op.kind == OperationKind::ClearClip);
}

TEST_F(DepthPartTest, FooterComesFromTheRegistryWhenThePaintRoutineGivesNone) {
    RegisterFakes();
    Run(false);
    ASSERT_NE(Find(kPageFooterKey), nullptr);
}

// ---- the frame of the depth part ----

TEST_F(DepthPartTest, FrameHasAnOuterFrameAndALineAtEveryInnerColumnEdge) {
    settings.OuterFrameWidth = 3;
    settings.RuleLineWidth = 1;
    ctx.pageStart = 2;
    ctx.pageEnd = 12;
    SetItem(1, "1001 標尺", "5");
    SetItem(2, "1002 標高", "8.5");
    SetItem(3, "1003 深度", "8");
    Layout();
    RegisterBuiltInRenderers(registry);
    registry.Find(kFrameLinesKey)->operator()(ctx, 0, 0);
    const auto lines = surface.OfKind(OperationKind::Line);
    ASSERT_EQ(lines.size(), 6u);
    auto seg = [&](double x1, double y1, double x2, double y2) {
        return std::vector<Point>{{X(x1), Y(y1)}, {X(x2), Y(y2)}};
    };
    EXPECT_EQ(lines[0].points, seg(5.0, 2, 26.5, 2));
    EXPECT_EQ(lines[1].points, seg(26.5, 2, 26.5, 12));
    EXPECT_EQ(lines[2].points, seg(5.0, 12, 26.5, 12));
    EXPECT_EQ(lines[3].points, seg(5.0, 2, 5.0, 12));
    for (int i = 0; i < 4; ++i) EXPECT_EQ(lines[static_cast<std::size_t>(i)].pen.width, 3);
    EXPECT_EQ(lines[4].points, seg(10.0, 2, 10.0, 12));
    EXPECT_EQ(lines[5].points, seg(18.5, 2, 18.5, 12));
    EXPECT_EQ(lines[4].pen.width, 1);
    EXPECT_EQ(lines[5].pen.width, 1);
}

TEST_F(DepthPartTest, BlowCountColumnGetsThreeMoreLines) {
    SetItem(1, "3103 標準貫入>深度", "7.5");
    SetItem(2, "3104 標準貫入>打撃/mm", "24");
    Layout();
    RegisterBuiltInRenderers(registry);
    registry.Find(kFrameLinesKey)->operator()(ctx, 0, 0);
    const auto lines = surface.OfKind(OperationKind::Line);
    ASSERT_EQ(lines.size(), 8u);
    // Column 12.5 – 36.5 mm: quarters at 18.5, 24.5 and 30.5.
    EXPECT_EQ(lines[5].points[0].x, X(18.5));
    EXPECT_EQ(lines[6].points[0].x, X(24.5));
    EXPECT_EQ(lines[7].points[0].x, X(30.5));
}

TEST_F(DepthPartTest, StyleWithoutColumnsHasNoFrame) {
    RegisterBuiltInRenderers(registry);
    Layout();
    registry.Find(kFrameLinesKey)->operator()(ctx, 0, 0);
    EXPECT_TRUE(surface.operations.empty());
}

// ---- what is still drawn by nobody ----

TEST_F(DepthPartTest, ItemsWithoutARendererAreListed) {
    style::ItemCatalogue catalogue;
    catalogue.LoadBuiltIn();
    ColumnRegistry builtIn;
    RegisterBuiltInRenderers(builtIn);
    const std::vector<int> missing = UnrenderedItemCodes(catalogue, builtIn);
    std::cout << "Without a renderer:";
    for (int key : missing) std::cout << " " << RendererKeyName(key);
    std::cout << "\n";
    // Every item of the catalogue and of the depth-part order has its renderer.
    const std::vector<int> expected = {
    };
    EXPECT_EQ(missing, expected);
}

TEST_F(DepthPartTest, RegisteredItemLeavesTheList) {
    style::ItemCatalogue catalogue;
    catalogue.LoadBuiltIn();
    ColumnRegistry builtIn;  // empty: every item starts on the list
    auto contains = [](const std::vector<int>& list, int key) {
        return std::find(list.begin(), list.end(), key) != list.end();
    };
    EXPECT_TRUE(contains(UnrenderedItemCodes(catalogue, builtIn), 1024));
    builtIn.Register(1024, [](LogContext&, int, int) {});
    EXPECT_FALSE(contains(UnrenderedItemCodes(catalogue, builtIn), 1024));
    // The boundary values draw 1002, 1003 and 1004.
    builtIn.Register(kBoundaryValuesKey, [](LogContext&, int, int) {});
    const auto after = UnrenderedItemCodes(catalogue, builtIn);
    for (int code : {1002, 1003, 1004, kBoundaryValuesKey}) EXPECT_FALSE(contains(after, code)) << code;
    // A grid alone does not draw its graph.
    builtIn.Register(GridKey(3101), [](LogContext&, int, int) {});
    EXPECT_TRUE(contains(UnrenderedItemCodes(catalogue, builtIn), 3101));
}

}  // namespace
