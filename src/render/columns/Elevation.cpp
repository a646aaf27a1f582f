#include "render/columns/Elevation.h"

#include <cmath>
#include <string_view>

#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/LogContext.h"

namespace stracol::render {

namespace {

// Heading fields read here.
constexpr int kCollarElevationHeading = 13;
constexpr int kAngleHeading = 24;
constexpr int kRoundingRuleHeading = 36;

// Degrees to radians with π taken as 3.14159, as elevations have always been computed.
constexpr double kDegreeFactor = 0.01745327777777778;
// Collar elevations at or below this mean "none".
constexpr double kNoElevationLimit = -999.9;
// Nudge that makes the format print the digits chosen by the rounding (binary 11.35 is
// 11.3499999…).
constexpr double kPrintNudge = 0.000001;

}  // namespace

ElevationInputs ElevationInputsOf(const borehole::BoreholeRecord& record) {
    ElevationInputs in;
    const std::string& collar = record.Heading(kCollarElevationHeading);
    if (core::IsNumericStart(collar) == 1) in.collarElevation = core::LeadingReal(collar);
    const std::string& angle = record.Heading(kAngleHeading);
    if (core::IsNumericStart(angle) == 1) {
        double a = core::LeadingReal(angle);
        if (a > 0.1 && a <= 180.0) in.angleDegrees = a;
    }
    in.roundingRule = core::LeadingInt(record.Heading(kRoundingRuleHeading));
    return in;
}

ElevationInputs ElevationInputsOf(const borehole::BoreholeRecord& record, const HeadingChoices& choices) {
    ElevationInputs in = ElevationInputsOf(record);
    if (choices.roundHalfEven) in.roundingRule = *choices.roundHalfEven ? kRoundHalfEven : kRoundHalfUp;
    return in;
}

std::string ElevationRounding(double value, int rule, const char* format) {
    if (!std::isfinite(value)) return {};
    double magnitude = std::fabs(value);
    // Six decimals: enough for any depth or elevation entered, few enough to drop the binary
    // noise of a difference (11.344999999999999 reads 11.345000).
    std::string text = core::Sprintf("%.6f", magnitude);
    std::size_t dot = text.find('.');
    if (dot == std::string::npos || text.size() < dot + 7) return {};
    std::string_view decimals = std::string_view(text).substr(dot + 1, 6);

    // The value cut after the second decimal, read back from its own digits.
    double truncated = core::LeadingReal(std::string_view(text).substr(0, dot + 3));
    int third = decimals[2] - '0';
    bool exactTie = third == 5 && decimals.substr(3) == "000";
    int second = decimals[1] - '0';
    bool roundUp = third >= 5;
    if (rule == kRoundHalfEven && exactTie && second % 2 == 0) roundUp = false;
    double rounded = truncated + (roundUp ? 0.01 : 0.0);

    double sign = (value < 0 && rounded > 0.001) ? -1.0 : 1.0;
    return core::Sprintf(format, sign * (rounded + kPrintNudge));
}

std::optional<std::string> ElevationText(double depthM, const ElevationInputs& inputs, const char* format) {
    double collar = inputs.collarElevation;
    if (!std::isfinite(collar) || collar <= kNoElevationLimit) return std::nullopt;
    double v = inputs.angleDegrees != 0 ? collar - depthM * std::cos(inputs.angleDegrees * kDegreeFactor)
                                        : collar - depthM;
    if (std::fabs(v) < 0.005) v = 0;
    return ElevationRounding(v, inputs.roundingRule, format);
}

}  // namespace stracol::render
