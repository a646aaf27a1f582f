#include "render/columns/SoilColumnName.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "render/ColumnTestFixture.h"

#include "render/columns/SoilColumn.h"

using namespace stracol;
using namespace stracol::render;
using borehole::TableId;

namespace {

// ---- the composed name text ----

struct NameTextCase {
    const char* what;
    int flags;
    const char* name1;
    const char* name2;
    const char* before;
    const char* after;
    const char* symbol;
    int symbolStyle;
    const char* expected;
};

void PrintTo(const NameTextCase& c, std::ostream* os) { *os << c.what; }

class LayerNameTextCases : public ::testing::TestWithParam<NameTextCase> {};

TEST_P(LayerNameTextCases, ComposedFromFlagsNamesAndSymbol) {
    const NameTextCase& c = GetParam();
    borehole::BoreholeRecord record;
    const std::vector<std::string> cells = {"2.00", c.name1, c.name2, "", "", "", std::to_string(c.flags),
                                            c.symbol, "", c.before, c.after};
    for (std::size_t i = 0; i < cells.size(); ++i)
        record.Table(TableId::Layer).SetCell(1, static_cast<int>(i), cells[i]);
    EXPECT_EQ(LayerNameText(record, 1, c.symbolStyle), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Layers, LayerNameTextCases,
    ::testing::Values(
        NameTextCase{"SymbolHidden", 128, "砂礫", "", "", "", "Gs", kSymbolHidden, "砂礫"},
        NameTextCase{"SymbolInParentheses", 128, "砂礫", "", "", "", "Gs", kSymbolParentheses, "砂礫 (Gs)"},
        NameTextCase{"SymbolAfterSpace", 128, "砂礫", "", "", "", "Gs", kSymbolSpaced, "砂礫 Gs"},
        NameTextCase{"UnknownOptionHidesSymbol", 128, "砂礫", "", "", "", "Gs", 7, "砂礫"},
        NameTextCase{"NoSymbol", 128, "砂礫", "", "", "", "", kSymbolParentheses, "砂礫"},
        NameTextCase{"NothingWithoutBit128", 2 | 4, "砂礫", "", "", "", "Gs", kSymbolParentheses, ""},
        NameTextCase{"TwoNames", 128 | 256, "砂岩", "泥岩", "・", "互層", "", kSymbolHidden, "砂岩・泥岩互層"},
        NameTextCase{"TwoNamesThenSymbol", 471, "砂岩", "泥岩", "・", "互層", "Ss", kSymbolSpaced,
                     "砂岩・泥岩互層 Ss"},
        NameTextCase{"SecondNameOnly", 256, "砂岩", "泥岩", "(", ")", "Ss", kSymbolSpaced, "(泥岩)"},
        NameTextCase{"NoSecondNameNoTextsAroundIt", 128 | 256, "砂岩", "", "・", "互層", "", kSymbolHidden, "砂岩"}),
    [](const auto& info) { return std::string(info.param.what); });

// ---- the drawn column ----

// Pattern column 21-31 mm, name column 31-51 mm (text at the top centre of its cell unless a
// test sets another placement); LineDepth 0.3 m.
class SoilNameColumnTest : public stracol::testing::ColumnTestFixture {
protected:
    SoilNameColumnTest() {
        g.pxPerMmX = g.pxPerMmY = 10;
        SetItem(1, "1003 深度", "8", "2  HC_Btm");
        SetItem(2, "1002 標高", "8", "2  HC_Btm");
        SetItem(3, "1005 現場土質名（模様）", "10", "2  HC_Btm");
        SetItem(4, "1006 現場土質名", "20", "8  HC_Top");
        SetPage(0, 10);
    }

    static constexpr int kNameSlot = 4;
    static constexpr double kLeft = 31;
    static constexpr double kRight = 51;
    static constexpr double kCentre = 41;

    void Layer(int row, const std::string& bottom, const std::string& name1, const std::string& code1, int flags,
               const std::string& name2 = "", const std::string& symbol = "") {
        SetRow(TableId::Layer, row, {bottom, name1, name2, "", code1, "", std::to_string(flags), symbol, "", "", ""});
    }

    void Draw() { DrawSoilNameColumn(ctx, kNameSlot, DefaultBitmapNames()); }

    // The depth of the text's reference point (top-aligned texts: its top).
    double TextDepth(const std::string& text) const {
        auto op = FindText(text);
        EXPECT_TRUE(op) << text;
        return op ? op->points[0].y / 100.0 : -1;
    }
};

struct MiddleNameCase {
    const char* what;
    const char* name;
    const char* code;
    double thirdTop;
};

void PrintTo(const MiddleNameCase& c, std::ostream* os) { *os << c.what; }

class SoilNameCellJoining : public SoilNameColumnTest, public ::testing::WithParamInterface<MiddleNameCase> {};

TEST_P(SoilNameCellJoining, ThirdNameStartsAtTheLastClosedBoundary) {
    const MiddleNameCase& c = GetParam();
    Layer(1, "1.00", "砂", "200.1", 128 | 2);
    Layer(2, "2.00", c.name, c.code, 128 | 2);
    Layer(3, "3.00", "粘土", "2100.2", 128 | 2);
    Draw();
    EXPECT_DOUBLE_EQ(TextDepth("砂"), 0.0);
    EXPECT_DOUBLE_EQ(TextDepth("粘土"), c.thirdTop);
    EXPECT_EQ(FindText("粘土")->points[0].x, X(kCentre));
    // Bit 2: a straight boundary under every row, closed or not.
    for (double d : {1.0, 2.0, 3.0}) EXPECT_TRUE(HasLine(kLeft, d, kRight, d)) << d;
}

INSTANTIATE_TEST_SUITE_P(MiddleLayers, SoilNameCellJoining,
                         ::testing::Values(MiddleNameCase{"NamelessAndPatternless", "", "", 1.0},
                                           MiddleNameCase{"PatternWithoutName", "", "2100.1", 2.0},
                                           MiddleNameCase{"NameWithoutPattern", "シルト", "", 2.0}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST_F(SoilNameColumnTest, TextOfAnUnclosedRowStandsInTheCellRunningOn) {
    Layer(1, "1.00", "砂", "200.1", 128 | 2);
    // No name 1 and no pattern: its second name is written, but the cell does not close.
    Layer(2, "2.00", "", "", 256, "礫");
    Layer(3, "3.00", "粘土", "2100.2", 128);
    Draw();
    EXPECT_DOUBLE_EQ(TextDepth("礫"), 1.0);
    EXPECT_DOUBLE_EQ(TextDepth("粘土"), 1.0);
    // Only bit 2 rules a boundary.
    EXPECT_TRUE(HasLine(kLeft, 1.0, kRight, 1.0));
    EXPECT_FALSE(HasLine(kLeft, 2.0, kRight, 2.0));
    EXPECT_FALSE(HasLine(kLeft, 3.0, kRight, 3.0));
}

class SoilNameSymbolOption : public SoilNameColumnTest, public ::testing::WithParamInterface<std::pair<int, const char*>> {};

TEST_P(SoilNameSymbolOption, WrittenAfterTheName) {
    settings.GeoNameSymbolStyle = GetParam().first;
    Layer(1, "2.00", "砂礫", "400.1", 128 | 2, "", "Gs");
    Draw();
    EXPECT_EQ(TextStrings(), std::vector<std::string>{GetParam().second});
}

INSTANTIATE_TEST_SUITE_P(Options, SoilNameSymbolOption,
                         ::testing::Values(std::pair{kSymbolHidden, "砂礫"}, std::pair{kSymbolParentheses, "砂礫 (Gs)"},
                                           std::pair{kSymbolSpaced, "砂礫 Gs"}),
                         [](const auto& info) { return "Option" + std::to_string(info.param.first); });

TEST_F(SoilNameColumnTest, OverflowingNamePushesTheNextDownAndBendsTheBoundary) {
    SetItem(4, "1006 現場土質名", "20", "21 Wb_Top");
    Layer(1, "0.10", "砂", "200.1", 128 | 2);
    Layer(2, "1.00", "粘土", "2100.1", 128 | 2);
    Draw();
    const auto boxes = surface.OfKind(OperationKind::TextBox);
    ASSERT_EQ(boxes.size(), 2u);
    // Even at the floor one line is deeper than the 0.1 m layer: the first name ends one floor
    // line down, where the second begins.
    const double end = FloorPx() / 100.0;
    ASSERT_GT(end, 0.10);
    EXPECT_EQ(boxes[0].rect.top, Y(0.0));
    EXPECT_EQ(boxes[0].font.height, FloorPx());
    EXPECT_EQ(boxes[1].rect.top, Y(end));
    EXPECT_TRUE(HasLine(kLeft, 0.1, kLeft + 0.6, end));
    EXPECT_TRUE(HasLine(kLeft + 0.6, end, kRight - 0.6, end));
    EXPECT_TRUE(HasLine(kRight - 0.6, end, kRight, 0.1));
    EXPECT_TRUE(HasLine(kLeft, 1.0, kRight, 1.0));
}

TEST_F(SoilNameColumnTest, ClippedToThePageWindowAndLiftedAfter) {
    SetPage(5, 10);
    Layer(1, "6.00", "砂", "200.1", 128 | 2);
    Draw();
    ASSERT_FALSE(surface.operations.empty());
    EXPECT_EQ(surface.operations.front().kind, OperationKind::SetClip);
    EXPECT_EQ(surface.operations.front().rect, (Rect{X(0), Y(5), X(350), Y(10)}));
    EXPECT_EQ(surface.operations.back().kind, OperationKind::ClearClip);
}

TEST_F(SoilNameColumnTest, NothingForASlotThatIsNotDrawn) {
    Layer(1, "2.00", "砂", "200.1", 128 | 2);
    DrawSoilNameColumn(ctx, 0, DefaultBitmapNames());
    DrawSoilNameColumn(ctx, 9, DefaultBitmapNames());  // beyond the last column with a width
    EXPECT_TRUE(surface.operations.empty());
}

}  // namespace
