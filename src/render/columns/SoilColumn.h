#pragma once
// The soil pattern column (1005 現場土質名（模様）, 1007 工学的地質区分名(模様), 1009
// 工学的地質区分名･現場土質名(模様)): each layer's cell filled with the pattern of its name, the
// layer boundaries (split for layers with two names), the fault fracture zones marked along
// both sides of the column, and the fault depths written into the depth and elevation
// columns. The soil-name column is in SoilColumnName.h, the fault passes in SoilColumnFaults.h.

#include <array>
#include <string_view>

namespace stracol::geology { struct NameTable; }

namespace stracol::render {

class ColumnRegistry;
struct LogContext;

// The pattern column items, in the order the depth part looks them up.
inline constexpr std::array<int, 3> kSoilPatternItems = {1005, 1007, 1009};

namespace soil {

// LayerTable columns read by the layer columns.
inline constexpr int kBottomColumn = 0;
inline constexpr int kName1Column = 1;
inline constexpr int kName2Column = 2;
inline constexpr int kFlagsColumn = 6;
inline constexpr int kSymbolColumn = 7;
inline constexpr int kShareColumn = 8;
inline constexpr int kBeforeName2Column = 9;
inline constexpr int kAfterName2Column = 10;

// Layer flag bits (LayerTable column 6).
inline constexpr int kNameBoundaryBit = 2;       // boundary under the layer in the name column
inline constexpr int kPatternBoundaryBit = 4;    // boundary under the (name-1 part of the) pattern column
inline constexpr int kPattern2BoundaryBit = 16;  // boundary under the name-2 part of the pattern column
inline constexpr int kWriteName1Bit = 128;       // name 1 and the symbol are written
inline constexpr int kWriteName2Bit = 256;       // name 2 with the texts around it is written

}  // namespace soil

// The share of name 1 in the width of a two-name layer (LayerTable column 8), per cent:
// its leading integer when 1 … 99, anything else 50.
int NameShare(std::string_view shareText);

// The bitmap numbers of the built-in geological-name master, made once. Used until the
// workspace's own table reaches the paint context.
const geology::NameTable& DefaultBitmapNames();

// Cell pass: each LayerTable row (up to the first bottom depth that fails the numeric-start
// test) filled with its patterns from the last closed boundary down to its bottom depth. A
// row with a pattern or a name 1 closes its cell; a row with neither leaves the boundary
// where it was, so the next row's cell starts above it.
void SoilPatternCells(LogContext& ctx, int slot, const geology::NameTable& bitmapNames);

// Boundary pass: the layer boundaries on the page with RuleLineWidth. A one-name layer is
// ruled across the column with flag bit 4; a two-name layer is split at its share of the
// width (column 8), bit 4 ruling the left part and bit 16 the right part.
void SoilPatternBoundaries(LogContext& ctx, int slot);

// The whole pattern column of slot: cells, boundaries, fault zones, fault depths into the
// depth (1003) and elevation (1002) columns. Nothing for a slot that is not drawn.
void DrawSoilPatternColumn(LogContext& ctx, int slot, const geology::NameTable& bitmapNames);

// Registers the pattern column for 1005, 1007 and 1009 and the name column for 1006, 1008
// and 1010.
void RegisterSoilColumns(ColumnRegistry& registry);

}  // namespace stracol::render
