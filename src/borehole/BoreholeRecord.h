#pragma once
// The borehole record: the one in-memory copy of the borehole data on screen. Flat text
// cells: 120 heading fields and fixed-capacity depth tables. Readers fill it, the post-load
// step completes it, renderers read it; nothing else edits it.

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::borehole {

enum class TableId {
    Layer, Spt, Sample, Insitu, Hole, Fault, Crush, Material, Drill, Article, Density, Era, Strata,
    Recovery, CoreLength, CoreMass, Lugeon, Property, Casing, Instrument, TracerResult, TracerDetail,
    Remark, Water, WaterLog, AuxC, AuxF,
};
inline constexpr int kTableCount = static_cast<int>(TableId::AuxF) + 1;

struct TableDef {
    TableId id;
    std::string_view name;  // "LayerTable" …
    int capacity;           // usable rows (1..capacity)
    int columns;
    int keyColumn;          // the cell whose numeric start decides whether a row is in use
};

const TableDef& DefOf(TableId id);
// All tables in declaration order.
const std::array<TableDef, kTableCount>& TableDefs();

// Depth equality while reading (colour and drilling-condition merges): at most 0.001 m apart.
inline constexpr double kReadMergeTolerance = 0.001;
// Depth equality of the post-load merges of the older formats: less than 0.0001 m apart.
inline constexpr double kPostLoadMergeTolerance = 0.0001;

// One depth table: rows 1..capacity of text cells (row 0 exists and is empty except in AuxTableF).
class DepthTable {
public:
    explicit DepthTable(const TableDef& def);
    DepthTable(const DepthTable& other);
    DepthTable& operator=(const DepthTable& other);
    DepthTable(DepthTable&&) noexcept = default;
    DepthTable& operator=(DepthTable&&) noexcept = default;

    const TableDef& Def() const { return *m_def; }
    int Capacity() const { return m_def->capacity; }
    int Columns() const { return m_def->columns; }

    // The cell's text; empty for a row or column outside the table.
    const std::string& Cell(int row, int column) const;
    // Writes a cell; a row or column outside the table is dropped silently (returns false).
    bool SetCell(int row, int column, std::string value);

    // Rows in use: scanning from row 1, up to the first row whose key cell fails IsNumericStart.
    int RowCount() const;

    // The first row in use whose key depth equals depth: |d - depth| <= tolerance, or
    // < tolerance when strict. 0 when there is none.
    int FindRowByDepth(double depth, double tolerance, bool strict = false) const;

    // Exchanges two whole rows (all columns).
    void SwapRows(int a, int b);

    // Rows that may hold text: every row after this one is empty. Walks that look for the
    // last filled row start here instead of at the capacity.
    int StoredRows() const;

    void Clear();

private:
    // Rows of one block; a block holds its rows' cells row by row.
    static constexpr int kBlockRows = 16;

    void Reserve(int row);
    std::string& At(int row, int column) const {
        return m_blocks[static_cast<std::size_t>(row / kBlockRows)][static_cast<std::size_t>(row % kBlockRows) * m_def->columns +
                                                                   static_cast<std::size_t>(column)];
    }

    const TableDef* m_def;
    // Cells of rows 0..StoredRows() in blocks of kBlockRows rows, each made on the first write
    // to one of its rows. A block never moves, so a reference to a cell stays valid while later
    // rows are written, and a table takes memory for the rows it holds, not for its capacity.
    std::vector<std::unique_ptr<std::string[]>> m_blocks;
    int m_storedRows = -1;  // the last row made; -1 when none
};

inline constexpr int kHeadingCount = 120;

// Heading indices of the survey purpose and the survey target (調査目的, 調査対象), as the
// file gives them.
inline constexpr int kPurposeHeading = 41;
inline constexpr int kTargetHeading = 42;

// CoreLengthTable holds the maximum core length (column 1) and the RQD (column 2), each record
// at its own depth; column 3 of a row written by a core-length record has this flag, so that
// the two series can be told apart where a row holds only the other one's value.
inline constexpr int kCoreLengthRecordFlag = 32;

// Records of one element group that the reader could not keep: beyond the table's capacity,
// or (Lugeon points) without the test they belong to.
struct DroppedRecords {
    std::string group;  // the element group, e.g. 孔内水位
    TableId table;
    int count = 0;
    int kept = -1;  // records of the group that were kept; -1: the table's rows in use
};

struct BoreholeRecord {
    BoreholeRecord();

    // Heading texts 1..120; other indices read empty and drop writes.
    const std::string& Heading(int index) const;
    void SetHeading(int index, std::string value);

    DepthTable& Table(TableId id) { return m_tables[static_cast<std::size_t>(id)]; }
    const DepthTable& Table(TableId id) const { return m_tables[static_cast<std::size_t>(id)]; }

    // Empties every heading and cell and the AuxTableF count.
    void Clear();

    // The separate count kept with AuxTableF's header row.
    int auxFCount = 0;

    // The log style a Tessel v1 file carries, as style text: "$$z_" and the title lines,
    // "$$X_" and the item lines, "$$t_" and the legend lines (empty for every other format).
    // It belongs to the log style; the open road applies it once the whole file was read.
    std::vector<std::string> styleLines;

    // What the reader could not keep, by group in the order first met; empty when nothing.
    std::vector<DroppedRecords> dropped;
    void NoteDropped(std::string_view group, TableId table, int count = 1);

    // Records skipped because a field could not be read (a depth that is no number or beyond
    // any borehole, a tag with NUL bytes): how many, and the first few as "group field「text」".
    int skippedCount = 0;
    std::vector<std::string> skipped;

private:
    std::array<std::string, kHeadingCount + 1> m_heading;
    std::vector<DepthTable> m_tables;
};

}  // namespace stracol::borehole
