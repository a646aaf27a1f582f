#pragma once
// A page on a recording surface for the column renderers: 1 mm across is 10 px, 1 m down is
// 100 px, no margins and no title block, so device positions read as log positions. The
// column font is 30 px high: LineDepth 0.3 m, a full-width character 3 mm wide. The page runs
// from 0 to 5 m unless a test sets another with SetPage.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "render/RenderPrinters.h"

#include "app/FontSettings.h"
#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "geology/PatternColours.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogContext.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "render/TextFit.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

namespace stracol::testing {

class ColumnTestFixture : public ::testing::Test {
protected:
    ColumnTestFixture() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        g.depthOffset = 0;
        g.screenFrameWidthMm = 350;
        render::LogFont font;
        font.height = 30;
        surface.SelectFont(font);
        SetPage(0, 5);
    }

    // Puts an item into a slot: label (its leading integer is the item code), width, data
    // placement; the column edges are recomputed.
    void SetItem(int slot, const std::string& label, const std::string& width, const std::string& placement) {
        style::DisplayItem& item = style.items[static_cast<std::size_t>(slot - 1)];
        item.SetField(style::kLabelField, label);
        item.SetField(style::kWidthField, width);
        item.SetField(style::kDataPlacementField, placement);
        ctx.columns = render::ColumnEdges(style);
    }

    // Three columns: the scale 5-10 mm, the item under test in slot 2 from 10 mm, the depth
    // after it (8 mm).
    void ThreeColumns(const std::string& label, const std::string& placement, const std::string& width = "8.5") {
        SetItem(1, "1001 標尺", "5", "3");
        SetItem(2, label, width, placement);
        SetItem(3, "1003 深度", "8", "2");
    }

    // The same with an item known only by its code.
    void UseItem(int code, const std::string& placement, const std::string& width = "8.5") {
        ThreeColumns(std::to_string(code) + " item", placement, width);
    }

    // Runs the renderer registered for the item code in a slot with a sub-mode.
    void DrawRegistered(int code, int slot, int mode) {
        const render::ColumnRenderer* renderer = registry.Find(code);
        ASSERT_NE(renderer, nullptr) << code;
        (*renderer)(ctx, slot, mode);
    }

    // The page window: the geometry's depth offset follows the page start as at depth scale.
    void SetPage(double start, double end) {
        ctx.pageStart = start;
        ctx.pageEnd = end;
        g.depthOffset = -start;
    }

    void SetRow(borehole::TableId table, int row, const std::vector<std::string>& cells) {
        for (std::size_t c = 0; c < cells.size(); ++c)
            record.Table(table).SetCell(row, static_cast<int>(c), cells[c]);
    }

    std::vector<render::RecordedOperation> Texts() const { return surface.OfKind(render::OperationKind::Text); }
    std::vector<render::RecordedOperation> Boxes() const { return surface.OfKind(render::OperationKind::TextBox); }
    std::vector<render::RecordedOperation> Lines() const { return surface.OfKind(render::OperationKind::Line); }

    std::vector<std::string> TextStrings() const {
        std::vector<std::string> out;
        for (const auto& op : Texts()) out.push_back(op.text);
        return out;
    }

    // The first text operation with this text.
    std::optional<render::RecordedOperation> FindText(const std::string& text) const {
        for (const auto& op : Texts())
            if (op.text == text) return op;
        return std::nullopt;
    }

    // True when a line from (x1, y1) to (x2, y2) (log coordinates) was drawn.
    bool HasLine(double x1Mm, double y1M, double x2Mm, double y2M) const {
        const render::Point a{X(x1Mm), Y(y1M)};
        const render::Point b{X(x2Mm), Y(y2M)};
        for (const auto& op : Lines())
            if (op.points[0] == a && op.points[1] == b) return true;
        return false;
    }

    // The device end points of a line from (x1, y1) to (x2, y2) in log coordinates.
    std::vector<render::Point> Segment(double x1Mm, double y1M, double x2Mm, double y2M) const {
        return {render::Point{X(x1Mm), Y(y1M)}, render::Point{X(x2Mm), Y(y2M)}};
    }

    int X(double mm) const { return render::MmToX(g, mm); }
    // The edges a cell text keeps inside the rules at leftMm and rightMm (px).
    int TextLeft(double leftMm) const { return X(leftMm + render::kCellTextInsetMm); }
    int TextRight(double rightMm) const { return X(rightMm - render::kCellTextInsetMm); }
    // The smallest height the column font (or one of heightPx) is set in to fit (px).
    int FloorPx(int heightPx = 30) const { return render::TextFloorHeightPx(heightPx, surface.DpiY()); }
    int Y(double m) const { return render::DepthToY(g, m); }

    render::RecordingSurface surface;
    render::PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm titleForm;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
    render::LogContext ctx{surface, g, settings, fonts, style, titleForm, record, colours, nullptr, {}, {}, {}, {}, {}, 0, 0, 0, 0, 0, nullptr, {}};
    render::ColumnRegistry registry;
};

}  // namespace stracol::testing
