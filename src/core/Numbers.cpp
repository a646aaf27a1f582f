#include "core/Numbers.h"

#include <charconv>
#include <climits>
#include <string>

namespace stracol::core {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string_view TrimBlanks(std::string_view text) {
    std::size_t b = 0, e = text.size();
    while (b < e && IsBlank(text[b])) ++b;
    while (e > b && IsBlank(text[e - 1])) --e;
    return text.substr(b, e - b);
}

int IsNumericStart(std::string_view text) {
    std::string_view t = TrimBlanks(text);
    if (t.empty()) return -1;
    static constexpr std::string_view kStarters = "1234567890.+-!";
    return kStarters.find(t.front()) != std::string_view::npos ? 1 : 0;
}

long LeadingLong(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    bool overflow = false;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
        int d = text[i] - '0';
        if (value > (LONG_MAX - d) / 10) overflow = true;
        else value = value * 10 + d;
    }
    if (overflow) return negative ? LONG_MIN : LONG_MAX;
    return negative ? -value : value;
}

int LeadingInt(std::string_view text) {
    long v = LeadingLong(text);
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

double LeadingReal(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    // Collect digits [.digits] [e[+-]digits] explicitly: from_chars alone would accept
    // "inf", "nan" and hexadecimal forms that a number cell never means.
    std::size_t start = i;
    std::size_t digits = 0;
    while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && IsDigit(text[i])) { ++i; ++digits; }
    }
    if (digits == 0) return 0.0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j])) ++j;
            i = j;
        }
    }
    double value = 0.0;
    std::string_view number = text.substr(start, i - start);
    std::string buffer;
    if (!number.empty() && number.front() == '.') {  // from_chars needs a digit first
        buffer = "0";
        buffer.append(number);
        number = buffer;
    }
    std::from_chars(number.data(), number.data() + number.size(), value);
    return negative ? -value : value;
}

}  // namespace stracol::core
