#pragma once
// The UTF-8 check behind IsUtf8Text in each of its ways of running: a portable one, and on x86
// one over 16-byte blocks (SSSE3) and one over 32-byte blocks (AVX2). IsUtf8Text takes the
// fastest way this processor has; the tests run every way it has, so each is held to the same
// answers.

#include <cstddef>
#include <string_view>

namespace stracol::borehole::detail {

enum class Utf8Check { Portable, Ssse3, Avx2 };

// True when this build and this processor can run the check that way.
bool Utf8CheckAvailable(Utf8Check way);

// The fastest available way, chosen once.
Utf8Check FastestUtf8Check();

// True when the bytes are well-formed UTF-8, checked the given (available) way.
bool IsUtf8TextBy(Utf8Check way, std::string_view bytes);

// Length of the well-formed UTF-8 character at s[i], 0 when the bytes there are not one.
std::size_t WellFormedUtf8Length(std::string_view s, std::size_t i);

}  // namespace stracol::borehole::detail
