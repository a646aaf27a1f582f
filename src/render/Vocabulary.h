#pragma once
// The words and codes of relative density and consistency, by level 1-6, used by the
// relative-density and consistency columns ("rd1" … "rc5" in the density table).

#include <string_view>

namespace stracol::render {

// Empty for a level outside 1-6 (and for the sixth density level, which has no word).
std::string_view RelativeDensityWord(int level);
std::string_view RelativeDensityCode(int level);
std::string_view ConsistencyWord(int level);
// The sixth level carries "rc5", the same code as the fifth.
std::string_view ConsistencyCode(int level);

// The level (1-6) of a density or consistency code ("rd3" → 3, "rc5" → 5); 0 for any other text.
int DensityLevelOfCode(std::string_view code);
int ConsistencyLevelOfCode(std::string_view code);

}  // namespace stracol::render
