#pragma once
// A page on a recording surface for the layer-column renderers: 1 mm across is 10 px, 1 m
// down is 100 px, no margins and no title block, so device positions read as log positions.
// The column font is 30 px high: LineDepth 0.3 m, a full-width character 3 mm wide.

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
#include "render/LogContext.h"
#include "render/PageGeometry.h"
#include "render/RecordingSurface.h"
#include "style/LogStyle.h"
#include "style/TitleForm.h"

namespace stracol::render::layertest {

class LayerColumnsTest : public ::testing::Test {
protected:
    LayerColumnsTest() {
        g.leftMarginMm = 0;
        g.topMarginMm = 0;
        g.titleHeight = 0;
        g.xFactor = 10;
        g.depthPxPerMetre = 100;
        g.depthOffset = 0;
        g.screenFrameWidthMm = 350;
        LogFont font;
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
        ctx.columns = ColumnEdges(style);
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

    std::vector<RecordedOperation> Texts() const { return surface.OfKind(OperationKind::Text); }
    std::vector<RecordedOperation> Lines() const { return surface.OfKind(OperationKind::Line); }

    std::vector<std::string> TextStrings() const {
        std::vector<std::string> out;
        for (const auto& op : Texts()) out.push_back(op.text);
        return out;
    }

    // The first text operation with this text.
    std::optional<RecordedOperation> FindText(const std::string& text) const {
        for (const auto& op : Texts())
            if (op.text == text) return op;
        return std::nullopt;
    }

    // True when a line from (x1, y1) to (x2, y2) (log coordinates) was drawn.
    bool HasLine(double x1Mm, double y1M, double x2Mm, double y2M) const {
        const Point a{X(x1Mm), Y(y1M)};
        const Point b{X(x2Mm), Y(y2M)};
        for (const auto& op : Lines())
            if (op.points[0] == a && op.points[1] == b) return true;
        return false;
    }

    int X(double mm) const { return MmToX(g, mm); }
    int Y(double m) const { return DepthToY(g, m); }

    RecordingSurface surface;
    PageGeometry g;
    app::SystemSettings settings;
    app::FontSettings fonts = app::DefaultFonts();
    style::LogStyle style;
    style::TitleForm titleForm;
    borehole::BoreholeRecord record;
    geology::PatternColours colours;
    LogContext ctx{surface, g, settings, fonts, style, titleForm, record, colours, nullptr, {}, {}, {}, {}, {}, 0, 0};
};

}  // namespace stracol::render::layertest
