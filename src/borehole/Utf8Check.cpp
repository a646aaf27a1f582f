#include "borehole/Utf8Check.h"

#include "core/Cp932.h"

#include <cstdint>
#include <cstring>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define STRACOL_UTF8_CHECK_X86 1
#include <immintrin.h>
#else
#define STRACOL_UTF8_CHECK_X86 0
#endif

namespace stracol::borehole::detail {

std::size_t WellFormedUtf8Length(std::string_view s, std::size_t i) {
    auto c = static_cast<unsigned char>(s[i]);
    if (c < 0x80) return 1;
    std::size_t len;
    char32_t cp;
    if (c >= 0xC2 && c <= 0xDF) { len = 2; cp = c & 0x1F; }
    else if (c >= 0xE0 && c <= 0xEF) { len = 3; cp = c & 0x0F; }
    else if (c >= 0xF0 && c <= 0xF4) { len = 4; cp = c & 0x07; }
    else return 0;
    if (i + len > s.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        auto t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (t & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
    return len;
}

namespace {

// The portable way: character by character, with quick runs over ASCII and over the
// three-byte characters of Japanese text.
bool PortableCheck(std::string_view bytes) {
    const auto* begin = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* p = begin;
    const auto* end = p + bytes.size();
    while (p < end) {
        // A run of ASCII, eight bytes at a time while it lasts.
        while (end - p >= 8 && core::EightBytesAscii(p)) p += 8;
        while (p < end && *p < 0x80) ++p;
        // A run of three-byte characters, where no overlong or surrogate form is possible.
        while (end - p >= 3 && p[0] >= 0xE1 && p[0] <= 0xEF && p[0] != 0xED && (p[1] & 0xC0) == 0x80 &&
               (p[2] & 0xC0) == 0x80)
            p += 3;
        if (p == end || *p < 0x80) continue;
        const std::size_t len = WellFormedUtf8Length(bytes, static_cast<std::size_t>(p - begin));
        if (len == 0) return false;
        p += len;
    }
    return true;
}

#if STRACOL_UTF8_CHECK_X86

// The block ways look at every byte together with the one before it. Each kind of fault that
// two neighbouring bytes can show is one bit; three 16-entry tables, looked up by the high
// nibble of the byte before, the low nibble of the byte before and the high nibble of the byte
// itself, each give the bits of the faults that nibble allows; a fault is present where all
// three lookups keep its bit. The bytes two and three before say apart whether the byte has to
// be a third or fourth byte (see Faults16).
//
//   high nibble 0..7: ASCII    8..B: continuation    C..D: lead of 2 (C0, C1 overlong)
//   E: lead of 3               F: lead of 4 (F5..FF beyond U+10FFFF)
constexpr std::uint8_t kTooShort = 0x01;           // a lead byte, then no continuation byte
constexpr std::uint8_t kTooLong = 0x02;            // an ASCII byte, then a continuation byte
constexpr std::uint8_t kOverlong3 = 0x04;          // E0 80..9F
constexpr std::uint8_t kTooLarge = 0x08;           // F4..FF 90..BF
constexpr std::uint8_t kSurrogate = 0x10;          // ED A0..BF (U+D800..DFFF)
constexpr std::uint8_t kOverlong2 = 0x20;          // C0 or C1, then a continuation byte
constexpr std::uint8_t kOverlong4OrTooLarge = 0x40;  // F0 80..8F, F5..FF 80..8F
// Not a fault by itself: a continuation byte after a continuation byte, which is right exactly
// where the byte is the third or fourth of its character (checked apart, see Faults16).
constexpr std::uint8_t kTwoContinuations = 0x80;

// The set of nibbles first..last.
constexpr std::uint16_t Nibbles(int first, int last) {
    std::uint16_t set = 0;
    for (int n = first; n <= last; ++n) set = static_cast<std::uint16_t>(set | (1u << n));
    return set;
}
constexpr std::uint16_t Nibble(int n) { return Nibbles(n, n); }
constexpr std::uint16_t kAnyNibble = 0xFFFF;

// One fault bit and the nibbles that show it. A bit may stand for two faults only when every
// mix of their nibbles is still a fault: F0 80..8F and F5..FF 80..8F share one bit, as
// F0/F5..FF then 8x is all faults; kTooLarge takes F5..FF 90..BF as well as F4 90..BF.
struct Fault {
    std::uint8_t bit;
    std::uint16_t prevHigh;
    std::uint16_t prevLow;
    std::uint16_t curHigh;
};
constexpr Fault kFaults[] = {
    {kTooShort, Nibbles(0xC, 0xF), kAnyNibble, static_cast<std::uint16_t>(Nibbles(0x0, 0x7) | Nibbles(0xC, 0xF))},
    {kTooLong, Nibbles(0x0, 0x7), kAnyNibble, Nibbles(0x8, 0xB)},
    {kOverlong2, Nibble(0xC), Nibbles(0x0, 0x1), Nibbles(0x8, 0xB)},
    {kOverlong3, Nibble(0xE), Nibble(0x0), Nibbles(0x8, 0x9)},
    {kSurrogate, Nibble(0xE), Nibble(0xD), Nibbles(0xA, 0xB)},
    {kOverlong4OrTooLarge, Nibble(0xF), static_cast<std::uint16_t>(Nibble(0x0) | Nibbles(0x5, 0xF)), Nibble(0x8)},
    {kTooLarge, Nibble(0xF), Nibbles(0x4, 0xF), Nibbles(0x9, 0xB)},
    {kTwoContinuations, Nibbles(0x8, 0xB), kAnyNibble, Nibbles(0x8, 0xB)},
};

struct FaultTables {
    std::uint8_t prevHigh[16];
    std::uint8_t prevLow[16];
    std::uint8_t curHigh[16];
};

constexpr FaultTables MakeFaultTables() {
    FaultTables t{};
    for (const Fault& f : kFaults) {
        for (int n = 0; n < 16; ++n) {
            if (f.prevHigh & (1u << n)) t.prevHigh[n] = static_cast<std::uint8_t>(t.prevHigh[n] | f.bit);
            if (f.prevLow & (1u << n)) t.prevLow[n] = static_cast<std::uint8_t>(t.prevLow[n] | f.bit);
            if (f.curHigh & (1u << n)) t.curHigh[n] = static_cast<std::uint8_t>(t.curHigh[n] | f.bit);
        }
    }
    return t;
}
constexpr FaultTables kFaultTables = MakeFaultTables();

// The byte before the third byte of a character of three or four is at least E0; the byte
// three before the fourth byte of a character of four is at least F0. Subtracting (with
// saturation) E0 - 80 and F0 - 80 leaves the high bit set exactly there.
constexpr char kThirdByteBias = static_cast<char>(0xE0 - 0x80);
constexpr char kFourthByteBias = static_cast<char>(0xF0 - 0x80);

// A block ends inside a character when its last byte is a lead (C0 and up), the one before
// it a lead of three or four (E0 and up) or the one before that a lead of four (F0 and up):
// subtracting (with saturation) BF, DF and EF there leaves something.
constexpr char kLastLeadRoom = static_cast<char>(0xBF);
constexpr char kSecondLastLeadRoom = static_cast<char>(0xDF);
constexpr char kThirdLastLeadRoom = static_cast<char>(0xEF);

// ---- 16-byte blocks -------------------------------------------------------------------------

struct Blocks16 {
    __m128i prev;        // the block before (zeros before the first)
    __m128i faults;      // nonzero once a fault is seen
    __m128i incomplete;  // nonzero when the block before ends inside a character
};

__attribute__((target("ssse3"))) inline __m128i Lookup16(const std::uint8_t (&table)[16], __m128i nibbles) {
    return _mm_shuffle_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table)), nibbles);
}

// The faults of each byte of cur with the three bytes before it.
__attribute__((target("ssse3"))) inline __m128i Faults16(__m128i cur, __m128i prev) {
    const __m128i lowNibble = _mm_set1_epi8(0x0F);
    const __m128i prev1 = _mm_alignr_epi8(cur, prev, 16 - 1);
    const __m128i prev2 = _mm_alignr_epi8(cur, prev, 16 - 2);
    const __m128i prev3 = _mm_alignr_epi8(cur, prev, 16 - 3);
    const __m128i pair = _mm_and_si128(
        _mm_and_si128(Lookup16(kFaultTables.prevHigh, _mm_and_si128(_mm_srli_epi16(prev1, 4), lowNibble)),
                      Lookup16(kFaultTables.prevLow, _mm_and_si128(prev1, lowNibble))),
        Lookup16(kFaultTables.curHigh, _mm_and_si128(_mm_srli_epi16(cur, 4), lowNibble)));
    // The high bit where the byte has to be the third or fourth byte of its character.
    const __m128i must23 = _mm_and_si128(
        _mm_or_si128(_mm_subs_epu8(prev2, _mm_set1_epi8(kThirdByteBias)), _mm_subs_epu8(prev3, _mm_set1_epi8(kFourthByteBias))),
        _mm_set1_epi8(static_cast<char>(0x80)));
    // A third or fourth byte must be the continuation after a continuation, and only those may.
    return _mm_xor_si128(pair, must23);
}

__attribute__((target("ssse3"))) inline __m128i Room16() {
    return _mm_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, kThirdLastLeadRoom, kSecondLastLeadRoom,
                         kLastLeadRoom);
}

__attribute__((target("ssse3"))) inline void Check16(Blocks16& s, __m128i cur) {
    if (_mm_movemask_epi8(cur) == 0) {
        // ASCII only: right unless the block before left a character unfinished.
        s.faults = _mm_or_si128(s.faults, s.incomplete);
        s.incomplete = _mm_setzero_si128();
    } else {
        s.faults = _mm_or_si128(s.faults, Faults16(cur, s.prev));
        s.incomplete = _mm_subs_epu8(cur, Room16());
    }
    s.prev = cur;
}

__attribute__((target("ssse3"))) inline bool Clean16(__m128i v) {
    return _mm_movemask_epi8(_mm_cmpeq_epi8(v, _mm_setzero_si128())) == 0xFFFF;
}

__attribute__((target("ssse3"))) bool Ssse3Check(std::string_view bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    Blocks16 s{_mm_setzero_si128(), _mm_setzero_si128(), _mm_setzero_si128()};
    std::size_t i = 0;
    // 64 bytes at a time, skipped together when all ASCII.
    for (; i + 64 <= n; i += 64) {
        const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 16));
        const __m128i c = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 32));
        const __m128i d = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 48));
        if (_mm_movemask_epi8(_mm_or_si128(_mm_or_si128(a, b), _mm_or_si128(c, d))) == 0) {
            s.faults = _mm_or_si128(s.faults, s.incomplete);
            s.incomplete = _mm_setzero_si128();
        } else {
            s.faults = _mm_or_si128(s.faults, _mm_or_si128(_mm_or_si128(Faults16(a, s.prev), Faults16(b, a)),
                                                           _mm_or_si128(Faults16(c, b), Faults16(d, c))));
            s.incomplete = _mm_subs_epu8(d, Room16());
        }
        s.prev = d;
        if (!Clean16(s.faults)) return false;
    }
    for (; i + 16 <= n; i += 16) Check16(s, _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)));
    // The rest, zero-padded: the zeros after it show a character it leaves unfinished (and
    // when there is no rest, they do so for the last full block).
    alignas(16) char last[16] = {};
    if (n > i) std::memcpy(last, p + i, n - i);
    Check16(s, _mm_load_si128(reinterpret_cast<const __m128i*>(last)));
    return Clean16(s.faults);
}

// ---- 32-byte blocks -------------------------------------------------------------------------

struct Blocks32 {
    __m256i prev;
    __m256i faults;
    __m256i incomplete;
};

__attribute__((target("avx2"))) inline __m256i Lookup32(const std::uint8_t (&table)[16], __m256i nibbles) {
    // The byte shuffle looks up within each 16-byte half, so each half holds the table.
    return _mm256_shuffle_epi8(_mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(table))),
                               nibbles);
}

__attribute__((target("avx2"))) inline __m256i Faults32(__m256i cur, __m256i prev) {
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    // The byte shifts work within each 16-byte half: the half before each half of cur is the
    // high half of prev, then the low half of cur.
    const __m256i before = _mm256_permute2x128_si256(prev, cur, 0x21);
    const __m256i prev1 = _mm256_alignr_epi8(cur, before, 16 - 1);
    const __m256i prev2 = _mm256_alignr_epi8(cur, before, 16 - 2);
    const __m256i prev3 = _mm256_alignr_epi8(cur, before, 16 - 3);
    const __m256i pair = _mm256_and_si256(
        _mm256_and_si256(Lookup32(kFaultTables.prevHigh, _mm256_and_si256(_mm256_srli_epi16(prev1, 4), lowNibble)),
                         Lookup32(kFaultTables.prevLow, _mm256_and_si256(prev1, lowNibble))),
        Lookup32(kFaultTables.curHigh, _mm256_and_si256(_mm256_srli_epi16(cur, 4), lowNibble)));
    const __m256i must23 = _mm256_and_si256(_mm256_or_si256(_mm256_subs_epu8(prev2, _mm256_set1_epi8(kThirdByteBias)),
                                                            _mm256_subs_epu8(prev3, _mm256_set1_epi8(kFourthByteBias))),
                                            _mm256_set1_epi8(static_cast<char>(0x80)));
    return _mm256_xor_si256(pair, must23);
}

__attribute__((target("avx2"))) inline __m256i Room32() {
    return _mm256_setr_epi8(-1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1,
                            -1, -1, -1, -1, -1, -1, kThirdLastLeadRoom, kSecondLastLeadRoom, kLastLeadRoom);
}

__attribute__((target("avx2"))) inline void Check32(Blocks32& s, __m256i cur) {
    if (_mm256_movemask_epi8(cur) == 0) {
        s.faults = _mm256_or_si256(s.faults, s.incomplete);
        s.incomplete = _mm256_setzero_si256();
    } else {
        s.faults = _mm256_or_si256(s.faults, Faults32(cur, s.prev));
        s.incomplete = _mm256_subs_epu8(cur, Room32());
    }
    s.prev = cur;
}

__attribute__((target("avx2"))) inline bool Clean32(__m256i v) { return _mm256_testz_si256(v, v) != 0; }

__attribute__((target("avx2"))) bool Avx2Check(std::string_view bytes) {
    const char* p = bytes.data();
    const std::size_t n = bytes.size();
    Blocks32 s{_mm256_setzero_si256(), _mm256_setzero_si256(), _mm256_setzero_si256()};
    std::size_t i = 0;
    // 64 bytes at a time, skipped together when all ASCII.
    for (; i + 64 <= n; i += 64) {
        const __m256i a = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i));
        const __m256i b = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i + 32));
        if (_mm256_movemask_epi8(_mm256_or_si256(a, b)) == 0) {
            s.faults = _mm256_or_si256(s.faults, s.incomplete);
            s.incomplete = _mm256_setzero_si256();
        } else {
            s.faults = _mm256_or_si256(s.faults, _mm256_or_si256(Faults32(a, s.prev), Faults32(b, a)));
            s.incomplete = _mm256_subs_epu8(b, Room32());
        }
        s.prev = b;
        if (!Clean32(s.faults)) return false;
    }
    for (; i + 32 <= n; i += 32) Check32(s, _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + i)));
    // The rest, zero-padded, as for 16-byte blocks.
    alignas(32) char last[32] = {};
    if (n > i) std::memcpy(last, p + i, n - i);
    Check32(s, _mm256_load_si256(reinterpret_cast<const __m256i*>(last)));
    return Clean32(s.faults);
}

#endif  // STRACOL_UTF8_CHECK_X86

}  // namespace

bool Utf8CheckAvailable(Utf8Check way) {
    switch (way) {
    case Utf8Check::Portable:
        return true;
#if STRACOL_UTF8_CHECK_X86
    case Utf8Check::Ssse3:
        __builtin_cpu_init();
        return __builtin_cpu_supports("ssse3");
    case Utf8Check::Avx2:
        __builtin_cpu_init();
        return __builtin_cpu_supports("avx2");
#else
    case Utf8Check::Ssse3:
    case Utf8Check::Avx2:
        return false;
#endif
    }
    return false;
}

Utf8Check FastestUtf8Check() {
    static const Utf8Check fastest = [] {
        for (Utf8Check way : {Utf8Check::Avx2, Utf8Check::Ssse3})
            if (Utf8CheckAvailable(way)) return way;
        return Utf8Check::Portable;
    }();
    return fastest;
}

bool IsUtf8TextBy(Utf8Check way, std::string_view bytes) {
    switch (way) {
#if STRACOL_UTF8_CHECK_X86
    case Utf8Check::Avx2:
        return Avx2Check(bytes);
    case Utf8Check::Ssse3:
        return Ssse3Check(bytes);
#endif
    default:
        return PortableCheck(bytes);
    }
}

}  // namespace stracol::borehole::detail
