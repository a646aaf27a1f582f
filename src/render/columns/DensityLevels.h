#pragma once
// Relative density of sandy layers and relative consistency of clayey layers judged from the
// standard penetration N values: the levels of an N value, the (depth, level) entries of
// every test inside every named layer, and the columns 1021 (相対密度(計算値)), 1022
// (相対稠度(計算値)) that write the level codes and 2021, 2022 (旧 …) that write the words.

#include <string_view>
#include <vector>

namespace stracol::borehole { struct BoreholeRecord; }

namespace stracol::render {

class ColumnRegistry;
struct LogContext;

inline constexpr int kDensityCodeItem = 1021;
inline constexpr int kConsistencyCodeItem = 1022;
inline constexpr int kDensityWordItem = 2021;
inline constexpr int kConsistencyWordItem = 2022;
// Each list holds at most this many entries (one per test at most, and the SptTable holds 200).
inline constexpr int kMaxLevelEntries = 200;

// Relative density level 1-5: the last threshold (−99, 4, 10, 30, 50) that N reaches (N ≥).
int DensityLevel(double n);
// Consistency level 1-6: the last threshold (−99, 2, 4, 8, 15, 30) that N exceeds (N >).
int ConsistencyLevel(double n);
// Text lines the word of a level takes (2 for the long words); 1 for a level outside.
int DensityTextLines(int level);
int ConsistencyTextLines(int level);

// Soil class of a layer from its name-1 pattern code ("%ld.%d"): the digit after the point,
// trunc((v − floor(v)) × 10.1). 1 sandy, 2 clayey, 3 both, anything else neither.
int SoilClassOf(std::string_view patternCode);

struct LevelEntry {
    double depthM = 0;  // the top of the entry's text
    int level = 0;
};

struct NValueLevels {
    std::vector<LevelEntry> density;
    std::vector<LevelEntry> consistency;
};

// Classifies every test of every named layer (LayerTable rows with a name 1; tests of the
// SptTable with a numeric total record, at the middle of their penetration). An entry stands
// one line (lineDepth, m) above its test, at least 0.05 m below the layer top and high enough
// for all lines of its word above the layer bottom; consecutive tests of one layer with the
// same level share one entry at the later test.
NValueLevels ComputeNValueLevels(const borehole::BoreholeRecord& record, double lineDepth);

// Writes the entries of one of the items 1021, 1022, 2021, 2022 into the column of slot.
void DrawNValueLevelColumn(LogContext& ctx, int slot, int itemCode, const NValueLevels& levels);

void RegisterDensityColumns(ColumnRegistry& registry);

}  // namespace stracol::render
