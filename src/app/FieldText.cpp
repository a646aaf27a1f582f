#include "app/FieldText.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>

#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"

namespace stracol::app {

namespace {

std::string WithRange(core::MessageId id, const std::string& low, const std::string& high) {
    std::string text = core::MessageText(id, low);
    if (auto at = text.find("%2"); at != std::string::npos) text.replace(at, 2, high);
    return text;
}

}  // namespace

std::string AsciiNumberText(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = std::max<std::size_t>(1, core::Utf8CharLength(text, i));
        const char32_t c = core::Utf8CharAt(text, i);
        if (c >= U'０' && c <= U'９') out += static_cast<char>('0' + (c - U'０'));
        else if (c == U'－' || c == U'−' || c == U'ー') out += '-';
        else if (c == U'＋') out += '+';
        else if (c == U'．') out += '.';
        else if (c == U'　') out += ' ';
        else out.append(text.substr(i, n));
        i += n;
    }
    return std::string(core::TrimBlanks(out));
}

std::string IntegerRangeMessage(int low, int high) {
    return WithRange(core::MessageId::IntegerOutOfRange, core::Sprintf("%d", low), core::Sprintf("%d", high));
}

std::string RealRangeMessage(double low, double high) {
    return WithRange(core::MessageId::NumberOutOfRange, core::Sprintf("%g", low), core::Sprintf("%g", high));
}

std::optional<FieldError> ParseIntField(std::string_view text, int low, int high, int& value) {
    const std::string t = AsciiNumberText(text);
    const char* start = t.c_str();
    char* end = nullptr;
    errno = 0;
    const long v = t.empty() ? 0 : std::strtol(start, &end, 10);
    if (t.empty() || end == start || *end != '\0') return FieldError{core::MessageText(core::MessageId::NotAnInteger)};
    if (errno == ERANGE || v < low || v > high) {
        if (low == INT_MIN && high == INT_MAX) return FieldError{core::MessageText(core::MessageId::NotAnInteger)};
        return FieldError{IntegerRangeMessage(low, high)};
    }
    value = static_cast<int>(v);
    return std::nullopt;
}

std::optional<FieldError> ParseIntField(std::string_view text, int& value) {
    return ParseIntField(text, INT_MIN, INT_MAX, value);
}

std::optional<FieldError> ParseRealField(std::string_view text, double low, double high, double& value) {
    const std::string t = AsciiNumberText(text);
    const char* start = t.c_str();
    char* end = nullptr;
    const double v = t.empty() ? 0 : std::strtod(start, &end);
    // Only plain decimal numbers: no "nan", "inf" or hexadecimal forms.
    const bool plain = t.find_first_not_of("0123456789+-.eE") == std::string::npos;
    if (t.empty() || !plain || end == start || *end != '\0' || !std::isfinite(v))
        return FieldError{core::MessageText(core::MessageId::NotANumber)};
    if (v < low || v > high) return FieldError{RealRangeMessage(low, high)};
    value = v;
    return std::nullopt;
}

std::optional<FieldError> ParseRealField(std::string_view text, double& value) {
    return ParseRealField(text, -HUGE_VAL, HUGE_VAL, value);
}

}  // namespace stracol::app
