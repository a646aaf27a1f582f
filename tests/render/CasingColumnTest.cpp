#include "render/columns/CasingColumn.h"

#include <gtest/gtest.h>

#include "render/ColumnTestFixture.h"
#include "render/ColumnRegistry.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

TEST(CasingKind, KindTextChoosesPatternAndLabel) {
    struct Case {
        const char* text;
        long pattern;
        const char* label;
    } cases[] = {
        {"有孔区間", 20100, ""}, {"遮水区間", 20200, ""}, {"無孔区間", 0, "無孔"},
        {"保孔管なし", 0, ""},   {"その他", 0, ""},       {"", 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        const CasingKind kind = CasingKindOf(c.text);
        EXPECT_EQ(kind.pattern, c.pattern);
        EXPECT_EQ(kind.label, c.label);
    }
}

// The casing column from 10 to 16 mm on the page 0–10 m.
class CasingColumnTest : public stracol::testing::ColumnTestFixture {
protected:
    CasingColumnTest() {
        SetItem(1, "1001 標尺", "5", "3  HR_Btm");
        SetItem(2, "2052 保孔管 図", "6", "99 Auto");
        SetPage(0, 10);
    }
    std::vector<RecordedOperation> Clips() const { return surface.OfKind(OperationKind::SetClip); }
    // The labels written: in a box when they fit as they are, else as fitted runs.
    std::vector<RecordedOperation> Labels() const {
        std::vector<RecordedOperation> out = Boxes();
        for (const auto& op : Texts()) out.push_back(op);
        return out;
    }
};

TEST_F(CasingColumnTest, UnperforatedIsLabelledPerforatedIsFilled) {
    SetRow(TableId::Casing, 1, {"5.00", "無孔区間"});
    SetRow(TableId::Casing, 2, {"8.00", "有孔区間"});
    DrawCasingColumn(ctx, 2);
    auto labels = Labels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].text, "無孔");
    // 60 px of label in the 6 mm column: fitted inside it (a pixel clear of each rule),
    // centred in its interval 0 … 5 m.
    EXPECT_GT(labels[0].covered.left, X(10));
    EXPECT_LT(labels[0].covered.right, X(16));
    EXPECT_NEAR((labels[0].covered.top + labels[0].covered.bottom) / 2.0, Y(2.5), 1.0);
    // Lines across the column at 0, 5 (twice: bottom of one, top of the next) and 8 m.
    EXPECT_TRUE(HasLine(10, 0, 16, 0));
    EXPECT_TRUE(HasLine(10, 5, 16, 5));
    EXPECT_TRUE(HasLine(10, 8, 16, 8));
    // The perforated interval alone is filled, under a clip from 5 to 8 m short of the right edge.
    auto clips = Clips();
    ASSERT_EQ(clips.size(), 1u);
    EXPECT_EQ(clips[0].rect, (Rect{X(10), Y(5), X(15.9), Y(8)}));
    const std::size_t marks = Lines().size() + surface.OfKind(OperationKind::Ellipse).size() +
                              surface.OfKind(OperationKind::Polygon).size() + surface.OfKind(OperationKind::Arc).size();
    EXPECT_GT(marks, 4u);
    EXPECT_EQ(surface.OfKind(OperationKind::ClearClip).size(), 1u);
}

TEST_F(CasingColumnTest, ShortIntervalAndHiddenOptionHaveNoLabel) {
    SetRow(TableId::Casing, 1, {"0.30", "無孔区間"});
    SetRow(TableId::Casing, 2, {"0.71", "無孔区間"});  // 0.41 m: labelled
    DrawCasingColumn(ctx, 2);
    auto labels = Labels();
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_GE(labels[0].covered.top, Y(0.30));
    EXPECT_LE(labels[0].covered.bottom, Y(0.71));
    surface.operations.clear();
    DrawCasingColumn(ctx, 2, 0);
    EXPECT_TRUE(Labels().empty());
}

TEST_F(CasingColumnTest, NoCasingDrawsOnlyTheLines) {
    SetRow(TableId::Casing, 1, {"3.00", "保孔管なし"});
    DrawCasingColumn(ctx, 2);
    EXPECT_TRUE(Labels().empty());
    EXPECT_TRUE(Clips().empty());
    EXPECT_EQ(Lines().size(), 2u);
}

TEST_F(CasingColumnTest, IntervalsOutsideThePageDrawNoFillAndNoLines) {
    SetPage(10, 20);
    SetRow(TableId::Casing, 1, {"5.00", "有孔区間"});
    SetRow(TableId::Casing, 2, {"15.00", "遮水区間"});
    DrawCasingColumn(ctx, 2);
    auto clips = Clips();
    ASSERT_EQ(clips.size(), 1u);
    // Only the part of the second interval inside the page is filled.
    EXPECT_EQ(clips[0].rect, (Rect{X(10), Y(10), X(15.9), Y(15)}));
    EXPECT_FALSE(HasLine(10, 0, 16, 0));
    EXPECT_FALSE(HasLine(10, 5, 16, 5));
    EXPECT_TRUE(HasLine(10, 15, 16, 15));
}

TEST_F(CasingColumnTest, RegisteredUnderItsCode) {
    ColumnRegistry registry;
    RegisterCasingColumn(registry);
    ASSERT_TRUE(registry.Has(2052));
    SetRow(TableId::Casing, 1, {"5.00", "無孔区間"});
    (*registry.Find(2052))(ctx, 2, 0);
    EXPECT_EQ(Labels().size(), 1u);
}

}  // namespace
