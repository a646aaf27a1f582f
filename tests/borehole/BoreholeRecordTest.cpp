#include "borehole/BoreholeRecord.h"

#include <gtest/gtest.h>

using namespace stracol::borehole;

TEST(BoreholeRecord, TablesHaveTheirCapacitiesAndDropWhatDoesNotFit) {
    BoreholeRecord r;
    struct Case { TableId id; const char* name; int capacity; int columns; } cases[] = {
        {TableId::Layer, "LayerTable", 200, 15}, {TableId::Spt, "SptTable", 200, 8},
        {TableId::Drill, "DrillTable", 160, 12}, {TableId::Lugeon, "LugeonTable", 100, 11},
        {TableId::Water, "WaterTable", 200, 9}, {TableId::AuxF, "AuxTableF", 25, 6},
        {TableId::Material, "MaterialTable", 200, 3}, {TableId::Instrument, "InstrumentTable", 200, 4},
        {TableId::Crush, "CrushTable", 200, 4},
    };
    for (const auto& c : cases) {
        DepthTable& t = r.Table(c.id);
        EXPECT_EQ(t.Def().name, c.name);
        EXPECT_EQ(t.Capacity(), c.capacity);
        EXPECT_EQ(t.Columns(), c.columns);
        EXPECT_TRUE(t.SetCell(c.capacity, c.columns - 1, "x"));
        EXPECT_FALSE(t.SetCell(c.capacity + 1, 0, "1.0"));
        EXPECT_FALSE(t.SetCell(1, c.columns, "1.0"));
        EXPECT_EQ(t.Cell(c.capacity + 1, 0), "");
    }
    // 201 layers: the 201st is dropped and row 201 does not exist.
    DepthTable& layers = r.Table(TableId::Layer);
    for (int row = 1; row <= 201; ++row) layers.SetCell(row, 0, std::to_string(row * 0.5));
    EXPECT_EQ(layers.RowCount(), 200);
}

TEST(BoreholeRecord, RowCountStopsAtTheFirstNonNumericKey) {
    BoreholeRecord r;
    DepthTable& t = r.Table(TableId::Layer);
    t.SetCell(1, 0, "  5.00");  // leading blanks count as numeric
    t.SetCell(2, 0, "7.5");
    t.SetCell(3, 0, "GL-5");    // stops the count
    t.SetCell(4, 0, "9.0");
    EXPECT_EQ(t.RowCount(), 2);
    // PropertyTable keys on column 1.
    DepthTable& p = r.Table(TableId::Property);
    p.SetCell(1, 1, "3.2");
    p.SetCell(2, 0, "4.0");
    EXPECT_EQ(p.RowCount(), 1);
}

TEST(BoreholeRecord, LookupByDepthWithBothTolerances) {
    BoreholeRecord r;
    DepthTable& t = r.Table(TableId::Layer);
    t.SetCell(1, 0, "2.000");
    t.SetCell(2, 0, "5.000");
    EXPECT_EQ(t.FindRowByDepth(5.0004, kReadMergeTolerance), 2);
    EXPECT_EQ(t.FindRowByDepth(5.001, kReadMergeTolerance), 2);
    EXPECT_EQ(t.FindRowByDepth(5.002, kReadMergeTolerance), 0);
    EXPECT_EQ(t.FindRowByDepth(5.00009, kPostLoadMergeTolerance, true), 2);
    EXPECT_EQ(t.FindRowByDepth(5.00012, kPostLoadMergeTolerance, true), 0);
}

TEST(BoreholeRecord, ClearEmptiesEverything) {
    BoreholeRecord r;
    r.SetHeading(5, "B-1");
    r.SetHeading(120, "last");
    r.SetHeading(121, "dropped");
    EXPECT_EQ(r.Heading(121), "");
    r.Table(TableId::Spt).SetCell(1, 0, "1.15");
    r.Table(TableId::AuxF).SetCell(0, 1, "3");
    r.auxFCount = 3;
    r.Clear();
    EXPECT_EQ(r.Heading(5), "");
    EXPECT_EQ(r.Heading(120), "");
    EXPECT_EQ(r.auxFCount, 0);
    EXPECT_EQ(r.Table(TableId::AuxF).Cell(0, 1), "");
    for (const auto& def : TableDefs()) EXPECT_EQ(r.Table(def.id).RowCount(), 0) << def.name;
}

// Cells live in blocks of rows that never move: a cell read before later rows (in later blocks)
// are written still holds its text, and a copied record is a copy, not a view of the first.
TEST(BoreholeRecord, CellsStayPutAsRowsGrowAndCopiesAreIndependent) {
    BoreholeRecord record;
    DepthTable& t = record.Table(TableId::Layer);
    t.SetCell(1, 1, "砂礫混じりシルト質粘土（含水比高い）");
    const std::string& first = t.Cell(1, 1);
    for (int row = 2; row <= t.Capacity(); ++row) t.SetCell(row, 0, std::to_string(row));
    EXPECT_EQ(&first, &t.Cell(1, 1));
    EXPECT_EQ(first, "砂礫混じりシルト質粘土（含水比高い）");
    EXPECT_EQ(t.StoredRows(), t.Capacity());

    // Rows are made only up to the last one written; empty writes beyond them make none.
    DepthTable& water = record.Table(TableId::Water);
    water.SetCell(40, 2, "");
    EXPECT_EQ(water.StoredRows(), 0);
    water.SetCell(17, 2, "清水位");  // the first row of the second block
    EXPECT_EQ(water.StoredRows(), 17);
    EXPECT_EQ(water.Cell(16, 2), "");
    EXPECT_EQ(water.Cell(18, 2), "");
    water.SwapRows(17, 33);  // a row in a block not made yet
    EXPECT_EQ(water.Cell(33, 2), "清水位");
    EXPECT_EQ(water.Cell(17, 2), "");
    EXPECT_EQ(water.StoredRows(), 33);

    BoreholeRecord copy = record;
    copy.Table(TableId::Layer).SetCell(1, 1, "礫");
    copy.Table(TableId::Water).SetCell(33, 2, "");
    EXPECT_EQ(record.Table(TableId::Layer).Cell(1, 1), "砂礫混じりシルト質粘土（含水比高い）");
    EXPECT_EQ(record.Table(TableId::Water).Cell(33, 2), "清水位");
    EXPECT_EQ(copy.Table(TableId::Layer).Cell(200, 0), "200");
    EXPECT_EQ(copy.Table(TableId::Water).StoredRows(), 33);
}
