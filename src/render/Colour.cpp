#include "render/Colour.h"

#include <cctype>

#include "core/Format.h"
#include "core/Numbers.h"

namespace stracol::render {

Colour ColourFromText(std::string_view text, Colour fallback) {
    std::string_view t = core::TrimBlanks(text);
    int base = 10;
    if (t.size() >= 2 && t[0] == '0' && (t[1] == 'x' || t[1] == 'X')) {
        base = 16;
        t.remove_prefix(2);
    }
    unsigned long value = 0;
    std::size_t digits = 0;
    for (char ch : t) {
        int d;
        if (ch >= '0' && ch <= '9') d = ch - '0';
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(ch))) d = std::tolower(static_cast<unsigned char>(ch)) - 'a' + 10;
        else break;
        value = value * base + static_cast<unsigned long>(d);
        if (value > 0xffffffUL) value &= 0xffffffUL;  // keep 24 bits, never overflow
        ++digits;
    }
    if (digits == 0) return fallback;
    return static_cast<Colour>(value & 0xffffff);
}

std::string ColourText(Colour colour) {
    return core::Sprintf("0x%06x", static_cast<unsigned>(colour & 0xffffff));
}

}  // namespace stracol::render
