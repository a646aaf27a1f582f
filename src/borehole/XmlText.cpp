#include "borehole/XmlText.h"

#include "borehole/Utf8Check.h"
#include "core/Cp932.h"

namespace stracol::borehole {
namespace {

constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else if (cp < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

// The character of one reference body (the text between "&" and ";"), 0 when it names none.
char32_t ReferenceCharacter(std::string_view body) {
    if (body == "amp") return '&';
    if (body == "lt") return '<';
    if (body == "gt") return '>';
    if (body == "quot") return '"';
    if (body == "apos") return '\'';
    if (body.size() < 2 || body[0] != '#') return 0;
    const bool hex = body[1] == 'x' || body[1] == 'X';
    std::string_view digits = body.substr(hex ? 2 : 1);
    if (digits.empty() || digits.size() > 8) return 0;
    char32_t cp = 0;
    for (char c : digits) {
        int d;
        if (c >= '0' && c <= '9') d = c - '0';
        else if (hex && c >= 'a' && c <= 'f') d = c - 'a' + 10;
        else if (hex && c >= 'A' && c <= 'F') d = c - 'A' + 10;
        else return 0;
        cp = cp * (hex ? 16 : 10) + static_cast<char32_t>(d);
        if (cp > 0x10FFFF) return 0;
    }
    if (cp == 0 || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return cp;
}

}  // namespace

bool IsUtf8Text(std::string_view bytes) {
    return detail::IsUtf8TextBy(detail::FastestUtf8Check(), bytes);
}

TextEncoding DetectEncoding(std::string_view bytes) {
    if (bytes.substr(0, 3) == kBom) return TextEncoding::Utf8;
    return IsUtf8Text(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
}

std::string RepairUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t len = detail::WellFormedUtf8Length(bytes, i);
        if (len == 0) {
            out.append(kReplacement);
            ++i;
        } else {
            out.append(bytes.substr(i, len));
            i += len;
        }
    }
    return out;
}

std::string DecodeDocumentText(std::string bytes, TextEncoding* used) {
    const bool bom = std::string_view(bytes).substr(0, 3) == kBom;
    if (bom) bytes.erase(0, 3);
    const bool valid = IsUtf8Text(bytes);
    TextEncoding encoding = bom || valid ? TextEncoding::Utf8 : TextEncoding::Cp932;
    if (used) *used = encoding;
    if (encoding == TextEncoding::Cp932) return core::Cp932ToUtf8(bytes);
    return valid ? bytes : RepairUtf8(bytes);
}

std::string DecodeCharacterReferences(std::string_view content) {
    std::size_t amp = content.find('&');
    if (amp == std::string_view::npos) return std::string(content);
    std::string out;
    out.reserve(content.size());
    std::size_t from = 0;
    while (amp != std::string_view::npos) {
        out.append(content.substr(from, amp - from));
        auto semi = content.find(';', amp + 1);
        char32_t cp = 0;
        // References are short; a ";" far away belongs to ordinary text.
        if (semi != std::string_view::npos && semi - amp <= 12) cp = ReferenceCharacter(content.substr(amp + 1, semi - amp - 1));
        if (cp != 0) {
            AppendUtf8(out, cp);
            from = semi + 1;
        } else {
            out.push_back('&');
            from = amp + 1;
        }
        amp = content.find('&', from);
    }
    out.append(content.substr(from));
    return out;
}

}  // namespace stracol::borehole
