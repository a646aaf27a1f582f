#pragma once
// The soil-name column (1006 現場土質名, 1008 工学的地質区分名, 1010 工学的地質区分名･現場土質名):
// each layer's name text (name 1, the second name with the texts around it, the symbol)
// placed in its cell by the column's data placement, the cell running on from the last
// layer that had a pattern or a name, and the boundary bent under a text that overflowed.

#include <array>
#include <string>

namespace stracol::borehole { struct BoreholeRecord; }
namespace stracol::geology { struct NameTable; }

namespace stracol::render {

struct LogContext;

// The name column items, in the order the depth part looks them up.
inline constexpr std::array<int, 3> kSoilNameItems = {1006, 1008, 1010};

// GeoNameSymbolStyle: how the symbol (記号) follows name 1.
inline constexpr int kSymbolHidden = 0;        // "表示しない"
inline constexpr int kSymbolParentheses = 1;   // "( ) 表示": name (symbol)
inline constexpr int kSymbolSpaced = 2;        // "ｽﾍﾟｰｽ区切り": name symbol

// The text of LayerTable row `row` in the name column: with flag bit 128 name 1; with bit
// 256 and a name 2, column 9 + name 2 + column 10; with bit 128 and a symbol, the symbol by
// symbolStyle (other values: no symbol).
std::string LayerNameText(const borehole::BoreholeRecord& record, int row, int symbolStyle);

// The name column of slot, clipped to the page window. Nothing for a slot that is not drawn.
void DrawSoilNameColumn(LogContext& ctx, int slot, const geology::NameTable& bitmapNames);

}  // namespace stracol::render
