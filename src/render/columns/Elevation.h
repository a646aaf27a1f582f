#pragma once
// Elevations of depths in the borehole: the collar elevation, the borehole angle and the
// rounding rule read from the heading fields, the elevation of a depth (inclined boreholes
// through the cosine of the angle) and its text rounded by JIS rule A or B.

#include <optional>
#include <string>

namespace stracol::borehole { struct BoreholeRecord; }

namespace stracol::render {

struct HeadingChoices;

// Collar elevation (m) standing for "no elevation": an empty or non-numeric 孔口標高.
inline constexpr double kNoCollarElevation = -999.99;
// Rounding rules of heading field 36.
inline constexpr int kRoundHalfUp = 0;     // JIS規則B, 四捨五入
inline constexpr int kRoundHalfEven = 1;   // JIS規則A, 偶数丸め

// What the elevation of a depth depends on.
struct ElevationInputs {
    double collarElevation = kNoCollarElevation;  // m, heading 13 (孔口標高)
    double angleDegrees = 0;                      // heading 24 (角度): 0 is a vertical borehole
    int roundingRule = kRoundHalfUp;              // heading 36
};

// Heading 13 as a decimal number (kNoCollarElevation when it fails the numeric-start test),
// heading 24 when it is numeric and 0.1 < A ≤ 180 (else 0), heading 36 as an integer.
ElevationInputs ElevationInputsOf(const borehole::BoreholeRecord& record);
// The same with the rounding rule of the elevation options, once chosen, instead of heading 36.
ElevationInputs ElevationInputsOf(const borehole::BoreholeRecord& record, const HeadingChoices& choices);

// The value rounded at the second decimal and written with the format (such as "%7.2f").
// The decimals are those of the value written to six decimals, which removes the binary
// noise of sums such as 12.345 − 1.00. Rule A (kRoundHalfEven): an exact tie (third decimal
// 5, nothing after it) keeps an even second decimal and rounds an odd one up. Every other
// case rounds half away from zero. A negative value that rounds to zero is written as zero.
// A value that is not finite gives an empty text.
std::string ElevationRounding(double value, int rule, const char* format);

// The elevation of a depth (m) as rounded text: collar − depth × cos(angle), the cosine
// taken with π as 3.14159 and only for a non-zero angle; values within 0.005 of zero count
// as zero. Nothing when the collar elevation is missing (≤ −999.9) or not finite.
std::optional<std::string> ElevationText(double depthM, const ElevationInputs& inputs, const char* format);

}  // namespace stracol::render
