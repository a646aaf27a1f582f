#pragma once
// The pattern number of a soil-column pattern taken apart: its decimal digits encode the main
// soil or rock pattern (thousands and hundreds), a ～質 overlay (tens, 10-50) and a ～混じり
// overlay (units, 1-8); the ten-thousands mark the topsoil and rock-material range (10000)
// and the split patterns of alternations (90000).

namespace stracol::render {

// The digit of k at place p (1, 10, 100 …) times p: floor(k/p + 1e-7)·p − floor(k/10p + 1e-7)·10p.
// The small addition keeps numbers read from text such as "2113.0" from losing a digit.
long PatternDigit(long k, long place);
long PatternDigit(double k, long place);

struct PatternParts {
    long main = 0;     // D(K,1000) + D(K,100): 100 … 9900
    long quality = 0;  // D(K,10): the ～質 overlay, 10 … 50 (tens digit × 10)
    long mixture = 0;  // D(K,1): the ～混じり overlay, 1 … 8
};

PatternParts SplitPatternNumber(long k);

// How a layer's pattern number is drawn.
enum class PatternClass {
    None = 0,       // a negative main part: nothing
    Layered = 3,    // main pattern, then the 質 overlay, then the 混じり overlay
    Whole = 4,      // the 10000 range: the number as a whole, no overlays
    Split = 6,      // the 90000 range: two patterns side by side
    Special0 = 7,   // 10000 … 10004: drawn once over a run of layers of the same name
    Special1 = 8,
    Special2 = 9,
    Special3 = 10,
    Special4 = 11,
};

PatternClass ClassOfPattern(long k);

inline bool IsSpecialClass(PatternClass c) {
    return c >= PatternClass::Special0 && c <= PatternClass::Special4;
}

// The two halves of a split pattern: the main part on the left, (D(K,10) + D(K,1)) × 100 on the right.
long SplitLeftPattern(long k);
long SplitRightPattern(long k);

}  // namespace stracol::render
