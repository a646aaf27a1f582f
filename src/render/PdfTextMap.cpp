#include "render/PdfTextMap.h"

#include "core/Format.h"
#include "render/PdfInfo.h"

#include <QFont>
#include <QRawFont>
#include <QString>

#include <cctype>
#include <cstdlib>
#include <map>

namespace stracol::render {

namespace {

// A blank or a delimiter, which ends a PDF name.
bool EndsName(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f' || c == '\v' || c == '/' || c == '<' ||
           c == '>' || c == '[' || c == ']' || c == '(' || c == ')';
}

// The name after "/BaseFont /" in the dictionary text, with #xx escapes decoded.
std::string BaseFontIn(const std::string& dict) {
    std::string raw;
    for (std::size_t k = dict.find("/BaseFont"); k != std::string::npos && raw.empty(); k = dict.find("/BaseFont", k + 1)) {
        std::size_t p = SkipPdfBlanks(dict, k + 9);
        if (p >= dict.size() || dict[p] != '/') continue;
        const std::size_t start = ++p;
        while (p < dict.size() && !EndsName(dict[p])) ++p;
        raw = dict.substr(start, p - start);
    }
    if (raw.empty()) return {};
    std::string name;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        if (raw[i] == '#' && i + 2 < raw.size() && std::isxdigit(static_cast<unsigned char>(raw[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(raw[i + 2]))) {
            name += static_cast<char>(std::strtol(raw.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            name += raw[i];
        }
    }
    const std::size_t plus = name.find('+');  // a subset tag "ABCDEF+Name"
    if (plus == 6) name.erase(0, 7);
    return name;
}

// The destination code tokens "<XXXX>" of the bfchar and bfrange sections of a CMap, as
// offsets into text: the second token of a bfchar line, every token of a bfrange array and
// the third token of a one-code bfrange line.
std::vector<std::size_t> DestinationTokens(const std::string& text, std::size_t from, std::size_t to) {
    std::vector<std::size_t> found;
    auto section = [&](const char* begin, const char* end, bool range) {
        for (std::size_t p = text.find(begin, from); p != std::string::npos && p < to; p = text.find(begin, p + 1)) {
            const std::size_t stop = std::min(to, text.find(end, p));
            std::size_t q = p + std::string(begin).size();
            while (q < stop) {
                // One line: tokens and an optional array.
                std::vector<std::size_t> tokens;
                bool inArray = false;
                std::vector<std::size_t> arrayTokens;
                const std::size_t eol = std::min(stop, text.find('\n', q) == std::string::npos ? stop : text.find('\n', q));
                for (std::size_t r = q; r < eol; ++r) {
                    if (text[r] == '[') inArray = true;
                    else if (text[r] == ']') inArray = false;
                    else if (text[r] == '<') {
                        (inArray ? arrayTokens : tokens).push_back(r);
                        r = text.find('>', r);
                        if (r == std::string::npos || r >= eol) break;
                    }
                }
                if (!range && tokens.size() == 2) found.push_back(tokens[1]);
                if (range) {
                    found.insert(found.end(), arrayTokens.begin(), arrayTokens.end());
                    if (tokens.size() == 3 && text.compare(tokens[0], 6, text, tokens[1], 6) == 0) found.push_back(tokens[2]);
                }
                q = eol + 1;
            }
        }
    };
    section("beginbfchar", "endbfchar", false);
    section("beginbfrange", "endbfrange", true);
    return found;
}

}  // namespace

int PreferCp932CodePoints(std::string& bytes, const SameGlyph& sameGlyph,
                          const std::function<bool(char32_t)>& documentUsesLower) {
    int changed = 0;
    std::map<std::string, std::map<char32_t, bool>> shares;  // per font and pair
    long mapObject = 0, mapGeneration = 0;
    std::size_t at = 0;
    for (std::size_t from = 0; PdfReferenceAfter(bytes, "/ToUnicode", mapObject, mapGeneration, from, &at); from = at + 1) {
        // The font dictionary holding the reference: from its "obj" to the reference.
        const std::size_t objStart = bytes.rfind(" obj", at);
        const std::string font = BaseFontIn(bytes.substr(objStart == std::string::npos ? 0 : objStart,
                                                         at - (objStart == std::string::npos ? 0 : objStart)));
        if (font.empty()) continue;
        // The stream object of the map; only an uncompressed one can be changed in place.
        const std::string head = std::to_string(mapObject) + " " + std::to_string(mapGeneration) + " obj";
        std::size_t obj = 0;
        for (obj = bytes.find(head); obj != std::string::npos; obj = bytes.find(head, obj + 1))
            if (obj == 0 || bytes[obj - 1] == '\n' || bytes[obj - 1] == '\r') break;
        if (obj == std::string::npos) continue;
        const std::size_t stream = bytes.find("stream", obj);
        const std::size_t end = bytes.find("endstream", obj);
        if (stream == std::string::npos || end == std::string::npos || end < stream) continue;
        if (bytes.substr(obj, stream - obj).find("/Filter") != std::string::npos) continue;
        for (std::size_t token : DestinationTokens(bytes, stream, end)) {
            if (token + 6 > bytes.size() || bytes[token + 5] != '>') continue;  // one UTF-16 unit only
            const char32_t named = static_cast<char32_t>(std::strtol(bytes.substr(token + 1, 4).c_str(), nullptr, 16));
            for (const CodePointPair& pair : kCp932Pairs) {
                if (named != pair.lower || documentUsesLower(pair.lower)) continue;
                auto& known = shares[font];
                if (!known.count(pair.lower)) known[pair.lower] = sameGlyph(font, pair.lower, pair.cp932);
                if (!known[pair.lower]) continue;
                bytes.replace(token + 1, 4, core::Sprintf("%04X", static_cast<unsigned>(pair.cp932)));
                ++changed;
            }
        }
    }
    return changed;
}

bool InstalledFontSharesGlyph(const std::string& baseFont, char32_t a, char32_t b) {
    QFont font(QString::fromStdString(baseFont));
    font.setStyleStrategy(QFont::NoFontMerging);
    const QRawFont raw = QRawFont::fromFont(font);
    if (!raw.isValid() || raw.familyName().remove(QLatin1Char(' ')) != QString::fromStdString(baseFont).remove(QLatin1Char(' ')))
        return false;
    const char32_t codes[] = {a, b};
    const QString text = QString::fromUcs4(codes, 2);
    const QList<quint32> glyphs = raw.glyphIndexesForString(text);
    return glyphs.size() == 2 && glyphs[0] != 0 && glyphs[0] == glyphs[1];
}

}  // namespace stracol::render
