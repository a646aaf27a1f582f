#include "borehole/FormatDetect.h"

#include "borehole/ExchangeXmlReader.h"
#include "core/Cp932.h"

#include <array>
#include <string>

namespace stracol::borehole {
namespace {

// Byte length of the longest prefix of text whose CP932 width is at most maxWidth, and
// whether the whole text fits. UTF-8 never takes fewer bytes than CP932, so a text of at
// most maxWidth bytes fits without looking at it.
std::size_t PrefixWithinWidth(std::string_view text, std::size_t maxWidth, bool* whole) {
    if (text.size() <= maxWidth) {
        *whole = true;
        return text.size();
    }
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t len = core::Utf8CharLength(text, i);
        int w = core::Cp932CharWidth(core::Utf8CharAt(text, i));
        if (width + static_cast<std::size_t>(w) > maxWidth) break;
        width += static_cast<std::size_t>(w);
        i += len;
    }
    *whole = i >= text.size();
    return i;
}

struct Marker {
    int code;
    std::string_view first;
    std::string_view second;  // must follow the first marker when not empty
};

// In the order in which they are tried: 5.00 first, the two-letter kinds last.
constexpr std::array<Marker, 17> kMarkers = {{
    {format::kXml500, "ボーリング情報 DTD", "_version=\"5.00\""},
    {format::kXml400, "ボーリング情報 DTD", "_version=\"4.00\""},
    {format::kXml300, "ボーリング情報 DTD", "_version=\"3.00\""},
    {format::kXml210, "ボーリング情報 DTD", "_version=\"2.10\""},
    {format::kXml201, "ボーリング情報 DTD", "_version=\"2.01\""},
    {format::kXml200, "ボーリング情報 DTD", "_version=\"2.00\""},
    {format::kXml110, "ボーリング情報 DTD", "_version=\"1.10\""},
    {format::kXml110, "ボーリング情報 DTD", "_version='1.10'"},
    {format::kXmlUnknownVersion, "ボーリング情報 DTD", ""},
    {format::kTessel, "$$_TQTOK1", ""},
    {format::kStyleFile, "$$_TQSTL1", ""},
    {format::kJacic, "$$_JTOKEN5", ""},
    {format::kTokenP, "$$_PGTOKEN5", ""},
    {format::kTokenB, "$$_BTOKEN1", ""},
    {format::kHarbour, "$$_HTOKEN1", ""},
    {format::kTpj, "TPJ", ""},
    {format::kGtj, "GTJ", ""},
}};

}  // namespace

int DetectFormat(std::string_view line) {
    bool whole = false;
    PrefixWithinWidth(line, 2000, &whole);
    if (!whole) return format::kUnknown;
    if (core::Cp932Width(line) < 4) return format::kUnknown;
    std::string_view head = line.substr(0, PrefixWithinWidth(line, 200, &whole));
    for (const Marker& m : kMarkers) {
        auto at = head.find(m.first);
        if (at == std::string_view::npos) continue;
        if (m.second.empty() || head.find(m.second, at + m.first.size()) != std::string_view::npos) return m.code;
    }
    return format::kUnknown;
}

std::string_view StripLineTerminator(std::string_view line) {
    const std::size_t n = line.size();
    if (n == 0 || line[n - 1] != '\n') return line;
    return line.substr(0, n >= 2 && line[n - 2] == '\r' ? n - 2 : n - 1);
}

void DispatchLine(std::string_view line, int formatCode, LineReaders& readers) {
    line = StripLineTerminator(line);
    if (IsExchangeFormat(formatCode)) {
        if (readers.xml) readers.xml->ReadLine(line, formatCode);
        return;
    }
    switch (formatCode) {
        case format::kTpj:
        case format::kGtj:
        case format::kTokenP:
        case format::kTokenB:
        case format::kJacic:
        case format::kHarbour:
        case format::kTessel:
            if (readers.other) readers.other(line, formatCode);
            return;
        default:
            return;  // 509 (a style file) and 0 are not read
    }
}

}  // namespace stracol::borehole
