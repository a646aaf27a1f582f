#include "core/Cp932.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <iconv.h>
#include <initializer_list>
#include <stdexcept>

namespace stracol::core {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";

// One converter per direction and thread; iconv_open is far dearer than a conversion.
class Converter {
public:
    Converter(const char* to, const char* from) : m_cd(iconv_open(to, from)) {
        if (m_cd == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(m_cd); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;
    iconv_t get() const {
        iconv(m_cd, nullptr, nullptr, nullptr, nullptr);  // reset the shift state
        return m_cd;
    }

private:
    iconv_t m_cd;
};

// Byte classes of CP932, looked up instead of compared: lead bytes of a double-byte character,
// and the bytes that may follow one.
constexpr unsigned char kLeadByte = 1;
constexpr unsigned char kTrailByte = 2;
constexpr std::array<unsigned char, 256> kByteClass = [] {
    std::array<unsigned char, 256> classes{};
    for (int b = 0; b < 256; ++b) {
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) classes[static_cast<std::size_t>(b)] |= kLeadByte;
        if ((b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC)) classes[static_cast<std::size_t>(b)] |= kTrailByte;
    }
    return classes;
}();
bool IsCp932Lead(unsigned char b) { return kByteClass[b] & kLeadByte; }
bool IsCp932Trail(unsigned char b) { return kByteClass[b] & kTrailByte; }

// Input bytes given to one iconv call: the whole run between bad sequences, up to a limit,
// and a short piece after a bad sequence. glibc's two-step conversions find where a bad
// character stands by converting the piece again from its start, so a long piece would make
// every bad character cost the rest of the input; short pieces near bad characters keep a
// text of many of them linear.
constexpr std::size_t kLongPiece = std::size_t{1} << 16;
constexpr std::size_t kShortPiece = 64;

// Runs iconv over the whole input. onError(input, left, out) handles one bad sequence and
// returns how many input bytes it consumed.
template <typename OnError>
std::string Convert(const Converter& conv, std::string_view input, std::size_t sizeHint, OnError onError) {
    std::string out;
    out.resize(sizeHint + 16);
    char* in = const_cast<char*>(input.data());
    std::size_t inLeft = input.size();
    std::size_t used = 0;
    std::size_t piece = kLongPiece;
    iconv_t cd = conv.get();
    while (inLeft > 0) {
        char* outPtr = out.data() + used;
        std::size_t outLeft = out.size() - used;
        const std::size_t take = std::min(inLeft, piece);
        std::size_t takeLeft = take;
        std::size_t rc = iconv(cd, &in, &takeLeft, &outPtr, &outLeft);
        used = out.size() - outLeft;
        inLeft -= take - takeLeft;
        if (rc != static_cast<std::size_t>(-1)) {
            piece = std::min(piece * 2, kLongPiece);
            continue;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2 + 16);
            continue;
        }
        // A character cut by the end of the piece (not of the input) goes into the next piece.
        if (errno == EINVAL && take < inLeft + (take - takeLeft) && take - takeLeft > 0) continue;
        // EILSEQ or EINVAL (truncated sequence at the end): replace and go on. The buffer only
        // ever grows by doubling, so a run of bad bytes costs linear time.
        std::string replacement;
        const std::size_t skip = std::min(onError(std::string_view(in, inLeft), replacement), inLeft);
        if (out.size() < used + replacement.size() + 16) out.resize(std::max(out.size() * 2, used + replacement.size() + 16));
        std::copy(replacement.begin(), replacement.end(), out.begin() + static_cast<std::ptrdiff_t>(used));
        used += replacement.size();
        in += skip;
        inLeft -= skip;
        piece = kShortPiece;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(used);
    return out;
}

// The most UTF-8 bytes the decoding of the bytes can take, so the output is sized once: a
// double-byte character or a bad pair becomes at most three UTF-8 bytes, a single byte at most
// three (a half-width kana, or the replacement of a bad byte). A text of bad bytes is three
// times its size; sizing it by doubling would hold the old buffer and a new one of twice its
// size at the same time.
std::size_t DecodedSizeBound(std::string_view bytes) {
    std::size_t most = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        if (bytes.size() - i >= 8 && EightBytesAscii(bytes.data() + i)) {
            most += 8;
            i += 8;
            continue;
        }
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (b < 0x80) {
            most += 1;
            i += 1;
        } else {
            most += 3;
            i += i + 1 < bytes.size() && IsCp932Lead(b) && IsCp932Trail(static_cast<unsigned char>(bytes[i + 1])) ? 2 : 1;
        }
    }
    return most;
}

// The UTF-8 of every CP932 character, asked of iconv once per process, so that a text is
// decoded by table with exactly the answers iconv gives. An entry holds up to three UTF-8
// bytes in its low 24 bits and their count in its top byte; count 0: no character there.
class Cp932Table {
public:
    Cp932Table() {
        Converter conv("UTF-8", "CP932");
        m_usable = true;
        for (int b = 0; b < 256 && m_usable; ++b) {
            const auto byte = static_cast<unsigned char>(b);
            if (IsCp932Lead(byte)) {
                // A lead byte alone, or before a byte that cannot follow it, is no character.
                m_usable = Ask(conv, {byte}) == kNone;
                for (int t = 0; t < 256 && m_usable; ++t) {
                    const auto trail = static_cast<unsigned char>(t);
                    const std::uint32_t entry = Ask(conv, {byte, trail});
                    if (IsCp932Trail(trail)) {
                        m_usable = entry != kPartial;
                        m_pairs[PairIndex(byte, trail)] = entry == kNone ? 0 : entry;
                    } else {
                        m_usable = entry == kNone;
                    }
                }
            } else {
                const std::uint32_t entry = Ask(conv, {byte});
                m_usable = entry != kPartial && (b >= 0x80 || entry == (0x01000000u | byte));
                m_singles[static_cast<std::size_t>(b)] = entry == kNone ? 0 : entry;
            }
        }
    }

    // False when iconv answered in a way the table cannot repeat (the text is then given to
    // iconv itself).
    bool Usable() const { return m_usable; }
    std::uint32_t Single(unsigned char b) const { return m_singles[b]; }
    std::uint32_t Pair(unsigned char lead, unsigned char trail) const { return m_pairs[PairIndex(lead, trail)]; }

private:
    static constexpr std::uint32_t kNone = 0xFFFFFFFFu;     // iconv took none of the bytes
    static constexpr std::uint32_t kPartial = 0xFFFFFFFEu;  // it took some, or gave more than three bytes

    // Lead bytes 0x81-0x9F and 0xE0-0xFC, in that order, then the trail byte.
    static std::size_t PairIndex(unsigned char lead, unsigned char trail) {
        const std::size_t row = lead <= 0x9F ? lead - 0x81u : lead - 0xE0u + 31u;
        return row * 256u + trail;
    }

    // What iconv makes of the bytes as a whole input: the entry of the one character they are.
    static std::uint32_t Ask(const Converter& conv, std::initializer_list<unsigned char> input) {
        char in[2];
        std::size_t n = 0;
        for (unsigned char c : input) in[n++] = static_cast<char>(c);
        char out[8];
        char* inPtr = in;
        char* outPtr = out;
        std::size_t inLeft = n;
        std::size_t outLeft = sizeof out;
        const std::size_t rc = iconv(conv.get(), &inPtr, &inLeft, &outPtr, &outLeft);
        const std::size_t made = sizeof out - outLeft;
        if (rc == static_cast<std::size_t>(-1) && inLeft == n && made == 0) return kNone;
        if (rc == static_cast<std::size_t>(-1) || inLeft != 0 || made == 0 || made > 3) return kPartial;
        std::uint32_t entry = static_cast<std::uint32_t>(made) << 24;
        for (std::size_t k = 0; k < made; ++k) entry |= static_cast<std::uint32_t>(static_cast<unsigned char>(out[k])) << (8 * k);
        return entry;
    }

    bool m_usable = false;
    std::array<std::uint32_t, 256> m_singles{};
    std::array<std::uint32_t, 60 * 256> m_pairs{};
};

const Cp932Table& Table() {
    static const Cp932Table table;
    return table;
}

// Appends the UTF-8 bytes of a table entry, or U+FFFD for an empty one.
inline char* PutEntry(char* out, std::uint32_t entry) {
    const std::uint32_t count = entry >> 24;
    if (count == 0) {
        std::memcpy(out, kReplacement.data(), 3);
        return out + 3;
    }
    // Always three bytes written, count of them kept: the output has room for three.
    out[0] = static_cast<char>(entry & 0xFF);
    out[1] = static_cast<char>((entry >> 8) & 0xFF);
    out[2] = static_cast<char>((entry >> 16) & 0xFF);
    return out + count;
}

}  // namespace

std::string Cp932ToUtf8(std::string_view bytes) {
    // Plain ASCII needs no conversion (CP932 keeps 0x00-0x7F as they are).
    bool ascii = true;
    for (unsigned char c : bytes) {
        if (c >= 0x80) { ascii = false; break; }
    }
    if (ascii) return std::string(bytes);
    const Cp932Table& table = Table();
    if (!table.Usable()) return detail::Cp932ToUtf8ByIconv(bytes);
    std::string out(DecodedSizeBound(bytes), '\0');
    char* put = out.data();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* end = p + bytes.size();
    while (p < end) {
        // A run of ASCII, eight bytes at a time while it lasts.
        while (end - p >= 8 && EightBytesAscii(p)) {
            std::memcpy(put, p, 8);
            put += 8;
            p += 8;
        }
        if (p == end) break;
        const unsigned char b = *p;
        if (b < 0x80) {
            *put++ = static_cast<char>(b);
            ++p;
        } else if (IsCp932Lead(b)) {
            if (end - p >= 2 && IsCp932Trail(p[1])) {
                put = PutEntry(put, table.Pair(b, p[1]));
                p += 2;
            } else {
                put = PutEntry(put, 0);
                ++p;
            }
        } else {
            put = PutEntry(put, table.Single(b));
            ++p;
        }
    }
    out.resize(static_cast<std::size_t>(put - out.data()));
    return out;
}

bool detail::Cp932TableInUse() { return Table().Usable(); }

std::string detail::Cp932ToUtf8ByIconv(std::string_view bytes) {
    thread_local Converter conv("UTF-8", "CP932");
    return Convert(conv, bytes, DecodedSizeBound(bytes), [](std::string_view rest, std::string& out) {
        out.append(kReplacement);
        auto b0 = static_cast<unsigned char>(rest[0]);
        if (rest.size() >= 2 && IsCp932Lead(b0) && IsCp932Trail(static_cast<unsigned char>(rest[1]))) return std::size_t{2};
        return std::size_t{1};
    });
}

std::string Utf8ToCp932(std::string_view text) {
    bool ascii = true;
    for (unsigned char c : text) {
        if (c >= 0x80) { ascii = false; break; }
    }
    if (ascii) return std::string(text);
    thread_local Converter conv("CP932", "UTF-8");
    return Convert(conv, text, text.size(), [](std::string_view rest, std::string& out) {
        out.push_back('?');
        return Utf8CharLength(rest, 0);
    });
}

bool IsValidUtf8(std::string_view s) {
    std::size_t i = 0;
    const std::size_t n = s.size();
    while (i < n) {
        auto c = static_cast<unsigned char>(s[i]);
        if (c < 0x80) { ++i; continue; }
        std::size_t len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
        else return false;
        if (i + len > n) return false;
        for (std::size_t k = 1; k < len; ++k) {
            auto t = static_cast<unsigned char>(s[i + k]);
            if ((t & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return false;
        if (cp >= 0xD800 && cp <= 0xDFFF) return false;
        i += len;
    }
    return true;
}

std::size_t Utf8CharLength(std::string_view s, std::size_t pos) {
    if (pos >= s.size()) return 0;
    auto c = static_cast<unsigned char>(s[pos]);
    std::size_t len = 1;
    if (c >= 0xC2 && c <= 0xDF) len = 2;
    else if (c >= 0xE0 && c <= 0xEF) len = 3;
    else if (c >= 0xF0 && c <= 0xF4) len = 4;
    if (pos + len > s.size()) return 1;
    for (std::size_t k = 1; k < len; ++k) {
        if ((static_cast<unsigned char>(s[pos + k]) & 0xC0) != 0x80) return 1;
    }
    return len;
}

char32_t Utf8CharAt(std::string_view s, std::size_t pos) {
    std::size_t len = Utf8CharLength(s, pos);
    if (len == 0) return 0;
    auto c = static_cast<unsigned char>(s[pos]);
    if (len == 1) return c < 0x80 ? c : 0xFFFD;
    char32_t cp = c & (len == 2 ? 0x1F : len == 3 ? 0x0F : 0x07);
    for (std::size_t k = 1; k < len; ++k) cp = (cp << 6) | (static_cast<unsigned char>(s[pos + k]) & 0x3F);
    return cp;
}

int Cp932CharWidth(char32_t cp) {
    if (cp < 0x80) return 1;
    if (cp >= 0xFF61 && cp <= 0xFF9F) return 1;  // half-width katakana and punctuation
    return 2;
}

std::size_t Cp932Width(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = Utf8CharLength(text, i);
        width += Cp932CharWidth(Utf8CharAt(text, i));
        i += len;
    }
    return width;
}

std::string Cp932Truncate(std::string_view text, std::size_t maxBytes) {
    std::size_t width = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        std::size_t len = Utf8CharLength(text, i);
        int w = Cp932CharWidth(Utf8CharAt(text, i));
        if (width + w > maxBytes) break;
        width += w;
        i += len;
    }
    return std::string(text.substr(0, i));
}

std::string Cp932Substring(std::string_view text, int start, int length, bool* inRange) {
    if (inRange) *inRange = true;
    if (length > 200) length = 200;
    std::string out;
    if (start < 1) start = 1;
    const long from = start - 1;           // first byte wanted (0-based)
    const long to = from + (length > 0 ? length : 0);  // one past the last byte wanted
    long byte = 0;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t len = Utf8CharLength(text, i);
        int w = Cp932CharWidth(Utf8CharAt(text, i));
        long end = byte + w;
        if (end > from && byte < to) {
            if (byte >= from && end <= to) out.append(text.substr(i, len));
            else out.push_back(' ');  // half of a double-byte character
        }
        byte = end;
        i += len;
        if (byte >= to) break;
    }
    if (from >= byte && from >= static_cast<long>(Cp932Width(text))) {
        if (inRange) *inRange = false;
        out.clear();
    }
    return out;
}

std::string Cp932PadRight(std::string_view text, std::size_t width) {
    std::string out(text);
    std::size_t w = Cp932Width(text);
    if (w < width) out.append(width - w, ' ');
    return out;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); i += Utf8CharLength(text, i)) ++n;
    return n;
}

}  // namespace stracol::core
