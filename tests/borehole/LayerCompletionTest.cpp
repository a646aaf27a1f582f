#include "borehole/LayerCompletion.h"

#include "borehole/SoilName.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace stracol::borehole {
namespace {

struct LayoutCase {
    const char* what;
    // before: name 1, name 2, flags (6), share (8), column 10
    const char* name1;
    const char* name2;
    const char* flags;
    const char* share;
    const char* after2;
    // expected: name 1, name 2, flags, share, column 9, column 10
    const char* wantName1;
    const char* wantName2;
    const char* wantFlags;
    const char* wantShare;
    const char* wantBefore2;
    const char* wantAfter2;
};

TEST(LayoutTwoNames, Cases) {
    const LayoutCase cases[] = {
        {"alternation split at ・", "砂岩・泥岩互層", "", "7", "", "・",
         "砂岩", "泥岩", "263", "49", "・", "互層"},
        {"alternation split at ･", "砂岩･泥岩互層", "", "32", "", "・",
         "砂岩", "泥岩", "288", "49", "･", "互層"},
        {"alternation keeps a given share", "砂岩・泥岩互層", "", "471", "30", "・",
         "砂岩", "泥岩", "471", "30", "・", "互層"},
        {"alternation without a dot", "砂岩泥岩互層", "", "471", "", "・",
         "砂岩泥岩互層", "", "471", "98", " ", ""},
        {"round brackets", "粘土", "砂", "471", "", "(",
         "粘土", "砂", "471", "50", "(", ")"},
        {"full-width brackets", "粘土", "砂", "471", "", "（",
         "粘土", "砂", "471", "50", "（", "）"},
        {"other separator", "粘土", "砂", "471", "", "・",
         "粘土", "砂", "471", "52", "・", "・"},
        {"other separator keeps a given share", "粘土", "砂", "471", "60", "・",
         "粘土", "砂", "471", "60", "・", "・"},
        {"share below 1 is replaced", "粘土", "砂", "471", "0.5", "・",
         "粘土", "砂", "471", "52", "・", "・"},
        {"one name", "粘土", "", "471", "", "・",
         "粘土", "", "471", "", "", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        BoreholeRecord record;
        DepthTable& t = record.Table(TableId::Layer);
        t.SetCell(1, 0, "3.50");
        t.SetCell(1, 1, c.name1);
        t.SetCell(1, 2, c.name2);
        t.SetCell(1, 6, c.flags);
        t.SetCell(1, 8, c.share);
        t.SetCell(1, 10, c.after2);
        LayoutTwoNames(record);
        EXPECT_EQ(t.Cell(1, 1), c.wantName1);
        EXPECT_EQ(t.Cell(1, 2), c.wantName2);
        EXPECT_EQ(t.Cell(1, 6), c.wantFlags);
        EXPECT_EQ(t.Cell(1, 8), c.wantShare);
        EXPECT_EQ(t.Cell(1, 9), c.wantBefore2);
        EXPECT_EQ(t.Cell(1, 10), c.wantAfter2);
    }
}

// The name is decomposed before the layout splits it: the pattern code keeps both halves.
TEST(LayoutTwoNames, AlternationKeepsItsSplitPattern) {
    const geology::NameTable names = geology::BuiltInNameTable(0);
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Layer);
    t.SetCell(1, 0, "2.00");
    t.SetCell(1, 1, "砂岩・泥岩互層");
    const NameDecomposition d = DecomposeName(names, t.Cell(1, 1), "");
    t.SetCell(1, 4, PatternCodeText(d));
    t.SetCell(1, 7, d.symbol);
    t.SetCell(1, 6, "471");
    t.SetCell(1, 10, "・");
    LayoutTwoNames(record);
    EXPECT_EQ(t.Cell(1, 4), "94443.0");
    EXPECT_EQ(t.Cell(1, 7), "Ss/Ms");
    EXPECT_EQ(t.Cell(1, 1), "砂岩");
    EXPECT_EQ(t.Cell(1, 2), "泥岩");
    EXPECT_EQ(t.Cell(1, 8), "49");
}

TEST(LayoutTwoNames, StopsAtTheFirstRowWithoutDepth) {
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Layer);
    t.SetCell(1, 0, "1.0");
    t.SetCell(1, 1, "砂岩・泥岩互層");
    t.SetCell(2, 0, "GL-5");
    t.SetCell(2, 1, "砂岩・泥岩互層");
    LayoutTwoNames(record);
    EXPECT_EQ(t.Cell(1, 1), "砂岩");
    EXPECT_EQ(t.Cell(2, 1), "砂岩・泥岩互層");
}

struct TextCase {
    const char* cell;
    const char* want;
};

TEST(ReplaceRomanNumerals, CoreShapeColumn) {
    const TextCase cases[] = {
        {"Ⅰ", "I"},   {"Ⅱ", "II"}, {"Ⅲ", "III"}, {"Ⅳ", "IV"},   {"Ⅴ", "V"},       {"Ⅵ", "VI"},
        {"Ⅶ", "VII"}, {"Ⅷ", "VIII"}, {"Ⅸ", "IX"}, {"Ⅹ", "X"}, {"Ⅰ～Ⅱ", "I～II"}, {"棒状", "棒状"},
    };
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Property);
    int row = 1;
    for (const auto& c : cases) {
        t.SetCell(row, 1, std::to_string(row) + ".0");
        t.SetCell(row, 4, c.cell);
        ++row;
    }
    t.SetCell(row + 1, 1, "20.0");  // after a row without depth: not in use
    t.SetCell(row + 1, 4, "Ⅳ");
    ReplaceRomanNumerals(record);
    row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cell);
        EXPECT_EQ(t.Cell(row++, 4), c.want);
    }
    EXPECT_EQ(t.Cell(row + 1, 4), "Ⅳ");
}

struct SymbolCase {
    int column;
    const char* cell;
    const char* want;
};

TEST(ApplyPropertySymbols, StandardSymbolsOfCodes) {
    const SymbolCase cases[] = {
        {6, "052", "w2"}, {6, "056", "w6"}, {6, "011", "w1"}, {6, "035", "w5"}, {6, "057", "057"},
        {6, "041", "041"}, {6, "w3", "w3"},
        {3, "011", "A"},  {3, "025", "E"},  {3, "016", "016"},
        {4, "013", "III"}, {4, "018", "VIII"}, {4, "036", "VI"}, {4, "037", "037"},
        {5, "014", "d"},  {5, "015", "015"},
        {7, "3", "3"},    {7, "014", "h4"}, {7, "021", "hm1"}, {7, "024", "hm4"},
        {8, "011", "011"},  // the rock class column is not touched
        {3, "0", ""}, {6, "00", ""}, {7, "0", ""}, {8, "0", ""},  // code 0, not judged: blank
        {2, "011", "011"},
    };
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Property);
    int row = 1;
    for (const auto& c : cases) {
        t.SetCell(row, 1, std::to_string(row));
        t.SetCell(row, c.column, c.cell);
        ++row;
    }
    ApplyPropertySymbols(record);
    row = 1;
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.column) + " " + c.cell);
        EXPECT_EQ(t.Cell(row++, c.column), c.want);
    }
}

TEST(SortTableByDepth, LayersSinkNonNumericDepthsAndMoveColumns0To10) {
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Layer);
    const char* depths[] = {"5.0", "2.0", "不明", "1.0", "3.0"};
    for (int i = 0; i < 5; ++i) {
        t.SetCell(i + 1, 0, depths[i]);
        t.SetCell(i + 1, 1, std::string("name@") + depths[i]);
        t.SetCell(i + 1, 10, std::string("c10@") + depths[i]);
        t.SetCell(i + 1, 11, std::string("c11 row ") + std::to_string(i + 1));
    }
    EXPECT_EQ(t.RowCount(), 2);
    SortTableByDepth(record, TableId::Layer);
    const char* want[] = {"1.0", "2.0", "3.0", "5.0", "不明"};
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_EQ(t.Cell(i + 1, 0), want[i]);
        EXPECT_EQ(t.Cell(i + 1, 1), std::string("name@") + want[i]);
        EXPECT_EQ(t.Cell(i + 1, 10), std::string("c10@") + want[i]);
        EXPECT_EQ(t.Cell(i + 1, 11), std::string("c11 row ") + std::to_string(i + 1));  // stays
    }
    EXPECT_EQ(t.RowCount(), 4);
}

// Rows of one depth end in the order the pairwise exchange leaves them in (here the two rows at
// 1.0 m change places, the two at 2.0 m do not), so logs keep the order they were drawn in.
TEST(SortTableByDepth, RowsOfEqualDepthEndWhereThePairwiseExchangeLeavesThem) {
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Layer);
    const char* rows[][2] = {{"2.0", "a"}, {"1.0", "b"}, {"2.0", "c"}, {"1.0", "d"}, {"0.5", "e"}};
    for (int i = 0; i < 5; ++i) {
        t.SetCell(i + 1, 0, rows[i][0]);
        t.SetCell(i + 1, 1, rows[i][1]);
    }
    SortTableByDepth(record, TableId::Layer);
    std::string order;
    for (int row = 1; row <= 5; ++row) order += t.Cell(row, 1);
    EXPECT_EQ(order, "edbac");
    SortTableByDepth(record, TableId::Layer);  // sorted rows stay as they are
    order.clear();
    for (int row = 1; row <= 5; ++row) order += t.Cell(row, 1);
    EXPECT_EQ(order, "edbac");
}

struct SortCase {
    TableId table;
    int depthColumn;
    int lastMoved;     // last column that moves with the depth
};

TEST(SortTableByDepth, PerTableColumns) {
    const SortCase cases[] = {
        {TableId::Hole, 0, 6},
        {TableId::Drill, 0, 11},
        {TableId::CoreLength, 0, 4},
        {TableId::Property, 1, 9},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(DefOf(c.table).name));
        BoreholeRecord record;
        DepthTable& t = record.Table(c.table);
        const char* depths[] = {"9.0", "", "0.5", "4.0"};
        for (int i = 0; i < 4; ++i) {
            for (int col = 0; col < t.Columns(); ++col)
                t.SetCell(i + 1, col, col == c.depthColumn ? std::string(depths[i]) : std::string("r").append(std::to_string(i + 1)));
        }
        SortTableByDepth(record, c.table);
        const char* want[] = {"0.5", "4.0", "9.0", ""};
        const int from[] = {3, 4, 1, 2};  // the original row now in each place
        for (int i = 0; i < 4; ++i) {
            EXPECT_EQ(t.Cell(i + 1, c.depthColumn), want[i]);
            for (int col = 0; col < t.Columns(); ++col) {
                if (col == c.depthColumn) continue;
                const int source = col <= c.lastMoved ? from[i] : i + 1;
                EXPECT_EQ(t.Cell(i + 1, col), std::string("r").append(std::to_string(source))) << "column " << col;
            }
        }
    }
}

TEST(MarkLastRow, LastCoreLengthRowGets16) {
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::CoreLength);
    MarkLastRow(record);  // an empty table: nothing to mark
    EXPECT_EQ(t.Cell(1, 3), "");
    for (int row = 1; row <= 3; ++row) {
        t.SetCell(row, 0, std::to_string(row));
        t.SetCell(row, 3, "32");
    }
    MarkLastRow(record);
    EXPECT_EQ(t.Cell(1, 3), "32");
    EXPECT_EQ(t.Cell(2, 3), "32");
    EXPECT_EQ(t.Cell(3, 3), "48");
    MarkLastRow(record);  // ORing twice changes nothing
    EXPECT_EQ(t.Cell(3, 3), "48");
}

}  // namespace
}  // namespace stracol::borehole
