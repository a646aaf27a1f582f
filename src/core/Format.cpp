#include "core/Format.h"

#include <clocale>
#include <cstdarg>
#include <cstdio>
#include <locale.h>

namespace stracol::core {

std::string Sprintf(const char* format, ...) {
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
    locale_t previous = uselocale(cLocale);
    char small[256];
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(small, sizeof small, format, args);
    va_end(args);
    std::string out;
    if (n < 0) {
        out.clear();
    } else if (static_cast<std::size_t>(n) < sizeof small) {
        out.assign(small, static_cast<std::size_t>(n));
    } else {
        out.resize(static_cast<std::size_t>(n) + 1);
        std::vsnprintf(out.data(), out.size(), format, copy);
        out.resize(static_cast<std::size_t>(n));
    }
    va_end(copy);
    uselocale(previous);
    return out;
}

}  // namespace stracol::core
