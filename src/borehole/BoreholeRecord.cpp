#include "borehole/BoreholeRecord.h"

#include "core/Numbers.h"

#include <algorithm>
#include <cmath>

namespace stracol::borehole {
namespace {

const std::array<TableDef, kTableCount> kDefs = {{
    {TableId::Layer, "LayerTable", 200, 15, 0},
    {TableId::Spt, "SptTable", 200, 8, 0},
    {TableId::Sample, "SampleTable", 200, 7, 0},
    {TableId::Insitu, "InsituTable", 100, 9, 0},
    {TableId::Hole, "HoleTable", 100, 8, 0},
    {TableId::Fault, "FaultTable", 200, 5, 0},
    {TableId::Crush, "CrushTable", 200, 4, 0},
    {TableId::Material, "MaterialTable", 200, 3, 0},
    {TableId::Drill, "DrillTable", 160, 12, 0},
    {TableId::Article, "ArticleTable", 200, 6, 0},
    {TableId::Density, "DensityTable", 200, 4, 0},
    {TableId::Era, "EraTable", 100, 4, 0},
    {TableId::Strata, "StrataTable", 100, 4, 0},
    {TableId::Recovery, "RecoveryTable", 200, 5, 0},
    {TableId::CoreLength, "CoreLengthTable", 200, 5, 0},
    {TableId::CoreMass, "CoreMassTable", 100, 3, 0},
    {TableId::Lugeon, "LugeonTable", 100, 11, 0},
    {TableId::Property, "PropertyTable", 200, 10, 1},  // column 1 holds the depth
    {TableId::Casing, "CasingTable", 100, 3, 0},
    {TableId::Instrument, "InstrumentTable", 200, 4, 0},
    {TableId::TracerResult, "TracerResultTable", 200, 4, 0},
    {TableId::TracerDetail, "TracerDetailTable", 1000, 4, 0},
    {TableId::Remark, "RemarkTable", 100, 4, 0},
    {TableId::Water, "WaterTable", 200, 9, 3},  // column 3 holds the flags: a row may have no level,
    {TableId::WaterLog, "WaterLogTable", 200, 9, 0},
    {TableId::AuxC, "AuxTableC", 120, 5, 0},
    {TableId::AuxF, "AuxTableF", 25, 6, 0},
}};

const std::string kEmpty;

}  // namespace

const TableDef& DefOf(TableId id) { return kDefs[static_cast<std::size_t>(id)]; }
const std::array<TableDef, kTableCount>& TableDefs() { return kDefs; }

DepthTable::DepthTable(const TableDef& def) : m_def(&def) {}

DepthTable::DepthTable(const DepthTable& other) : m_def(other.m_def) { *this = other; }

DepthTable& DepthTable::operator=(const DepthTable& other) {
    if (this == &other) return *this;
    m_def = other.m_def;
    m_blocks.clear();
    m_storedRows = -1;
    if (other.m_storedRows >= 0) {
        Reserve(other.m_storedRows);
        for (int row = 0; row <= m_storedRows; ++row) {
            for (int column = 0; column < m_def->columns; ++column) At(row, column) = other.At(row, column);
        }
    }
    return *this;
}

void DepthTable::Reserve(int row) {
    if (row <= m_storedRows) return;
    const std::size_t blocks = static_cast<std::size_t>(row / kBlockRows) + 1;
    while (m_blocks.size() < blocks)
        m_blocks.push_back(std::make_unique<std::string[]>(static_cast<std::size_t>(kBlockRows) * m_def->columns));
    m_storedRows = row;
}

const std::string& DepthTable::Cell(int row, int column) const {
    if (row < 0 || row > m_storedRows || column < 0 || column >= m_def->columns) return kEmpty;
    return At(row, column);
}

bool DepthTable::SetCell(int row, int column, std::string value) {
    if (row < 0 || row > m_def->capacity || column < 0 || column >= m_def->columns) return false;
    if (row > m_storedRows) {
        if (value.empty()) return true;  // an empty cell beyond the stored rows is already empty
        Reserve(row);
    }
    At(row, column) = std::move(value);
    return true;
}

int DepthTable::StoredRows() const { return m_storedRows < 0 ? 0 : m_storedRows; }

int DepthTable::RowCount() const {
    int row = 1;
    while (row <= m_def->capacity && core::IsNumericStart(Cell(row, m_def->keyColumn)) == 1) ++row;
    return row - 1;
}

int DepthTable::FindRowByDepth(double depth, double tolerance, bool strict) const {
    const int rows = RowCount();
    for (int row = 1; row <= rows; ++row) {
        double diff = std::fabs(core::LeadingReal(Cell(row, m_def->keyColumn)) - depth);
        if (strict ? diff < tolerance : diff <= tolerance + 1e-12) return row;
    }
    return 0;
}

void DepthTable::SwapRows(int a, int b) {
    if (a < 0 || b < 0 || a > m_def->capacity || b > m_def->capacity || a == b) return;
    Reserve(std::max(a, b));
    for (int c = 0; c < m_def->columns; ++c) std::swap(At(a, c), At(b, c));
}

void DepthTable::Clear() {
    m_blocks.clear();
    m_storedRows = -1;
}

BoreholeRecord::BoreholeRecord() {
    m_tables.reserve(kTableCount);
    for (const auto& def : kDefs) m_tables.emplace_back(def);
}

const std::string& BoreholeRecord::Heading(int index) const {
    if (index < 1 || index > kHeadingCount) return kEmpty;
    return m_heading[static_cast<std::size_t>(index)];
}

void BoreholeRecord::SetHeading(int index, std::string value) {
    if (index < 1 || index > kHeadingCount) return;
    m_heading[static_cast<std::size_t>(index)] = std::move(value);
}

void BoreholeRecord::Clear() {
    for (auto& h : m_heading) h.clear();
    for (auto& t : m_tables) t.Clear();
    auxFCount = 0;
    styleLines.clear();
    dropped.clear();
    skippedCount = 0;
    skipped.clear();
}

void BoreholeRecord::NoteDropped(std::string_view group, TableId table, int count) {
    for (DroppedRecords& d : dropped) {
        if (d.group == group) {
            d.count += count;
            return;
        }
    }
    dropped.push_back({std::string(group), table, count, -1});
}

}  // namespace stracol::borehole
