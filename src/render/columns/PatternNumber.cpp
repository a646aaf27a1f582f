#include "render/columns/PatternNumber.h"

#include <cmath>

namespace stracol::render {

long PatternDigit(double k, long place) {
    const double p = static_cast<double>(place);
    const double high = std::floor(k / p + 1e-7) * p;
    const double higher = std::floor(k / (10.0 * p) + 1e-7) * 10.0 * p;
    return static_cast<long>(high - higher);
}

long PatternDigit(long k, long place) { return PatternDigit(static_cast<double>(k), place); }

PatternParts SplitPatternNumber(long k) {
    PatternParts parts;
    parts.main = PatternDigit(k, 1000) + PatternDigit(k, 100);
    parts.quality = PatternDigit(k, 10);
    parts.mixture = PatternDigit(k, 1);
    return parts;
}

PatternClass ClassOfPattern(long k) {
    if (k < 0) return PatternClass::None;
    if (k >= 10000 && k <= 10004) return static_cast<PatternClass>(7 + (k - 10000));
    const long tenThousands = PatternDigit(k, 10000);
    if (tenThousands == 10000) return PatternClass::Whole;
    if (tenThousands == 90000) return PatternClass::Split;
    if (SplitPatternNumber(k).main < 0) return PatternClass::None;
    return PatternClass::Layered;
}

long SplitLeftPattern(long k) { return SplitPatternNumber(k).main; }

long SplitRightPattern(long k) { return (PatternDigit(k, 10) + PatternDigit(k, 1)) * 100; }

}  // namespace stracol::render
