#include "render/Vocabulary.h"

#include <array>

namespace stracol::render {

namespace {

constexpr std::array<std::string_view, 6> kDensityWords = {"非常に緩い", "緩い", "中位", "密な", "非常に密な", ""};
constexpr std::array<std::string_view, 6> kDensityCodes = {"rd1", "rd2", "rd3", "rd4", "rd5", ""};
constexpr std::array<std::string_view, 6> kConsistencyWords = {"非常に軟い", "軟らかい", "中位", "硬い", "非常に硬い", "固結した"};
constexpr std::array<std::string_view, 6> kConsistencyCodes = {"rc1", "rc2", "rc3", "rc4", "rc5", "rc5"};

std::string_view At(const std::array<std::string_view, 6>& table, int level) {
    if (level < 1 || level > 6) return {};
    return table[static_cast<std::size_t>(level - 1)];
}

int LevelOf(const std::array<std::string_view, 6>& codes, std::string_view code) {
    if (code.empty()) return 0;
    for (std::size_t i = 0; i < codes.size(); ++i)
        if (codes[i] == code) return static_cast<int>(i) + 1;  // the first level of a shared code
    return 0;
}

}  // namespace

std::string_view RelativeDensityWord(int level) { return At(kDensityWords, level); }
std::string_view RelativeDensityCode(int level) { return At(kDensityCodes, level); }
std::string_view ConsistencyWord(int level) { return At(kConsistencyWords, level); }
std::string_view ConsistencyCode(int level) { return At(kConsistencyCodes, level); }
int DensityLevelOfCode(std::string_view code) { return LevelOf(kDensityCodes, code); }
int ConsistencyLevelOfCode(std::string_view code) { return LevelOf(kConsistencyCodes, code); }

}  // namespace stracol::render
