#include "borehole/XmlText.h"

#include "borehole/Utf8Check.h"
#include "core/Cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

using namespace stracol;
using namespace stracol::borehole;

TEST(XmlText, Utf8CheckAgreesWithTheCoreCheck) {
    const std::string cases[] = {
        "",
        "plain ascii text that is longer than eight bytes",
        "ボーリング情報（砂礫）～",
        "\xE0\x80\x80 overlong",
        "\xED\xA0\x80 surrogate",
        "\xE3\x81 truncated at the end\xE3",
        "\xF0\x9F\x98\x80 four bytes",
        "\xF4\x90\x80\x80 beyond U+10FFFF",
        "\x83{\x81[\x83\x8a\x83\x93\x83O",  // CP932 bytes
        "\xC0\xAF",
        std::string(64, 'a') + "\xFF",
    };
    for (const auto& c : cases) EXPECT_EQ(IsUtf8Text(c), core::IsValidUtf8(c)) << c;

    // Every sequence of three pieces, at every start offset within an eight-byte word: runs of
    // ASCII and of three-byte characters meeting good and bad sequences of every kind.
    const std::string pieces[] = {"a",        "abcdefghij", "砂礫",       "\xE3\x81",   "\xED\x9F\xBF", "\xED\xA0\x80",
                                  "\xEF\xBF\xBF", "\xC3\xA9",   "\xC0\x80", "\xF0\x9F\x98\x80", "\x80",         "\xE0\xA0\x80"};
    for (int lead = 0; lead < 8; ++lead)
        for (const auto& a : pieces)
            for (const auto& b : pieces)
                for (const auto& c : pieces) {
                    const std::string text = std::string(static_cast<std::size_t>(lead), 'x') + a + b + c;
                    EXPECT_EQ(IsUtf8Text(text), core::IsValidUtf8(text)) << testing::PrintToString(text);
                }
}

namespace {

// Every way of the UTF-8 check this processor can run, each held to core::IsValidUtf8; the
// first few disagreements are reported.
class EveryUtf8Check {
public:
    EveryUtf8Check() {
        for (auto way : {detail::Utf8Check::Portable, detail::Utf8Check::Ssse3, detail::Utf8Check::Avx2})
            if (detail::Utf8CheckAvailable(way)) ways_.push_back(way);
    }
    void Expect(std::string_view text) {
        const bool expected = core::IsValidUtf8(text);
        for (auto way : ways_) {
            if (detail::IsUtf8TextBy(way, text) == expected || ++disagreements_ > 10) continue;
            ADD_FAILURE() << "way " << static_cast<int>(way) << " says " << !expected << " for "
                          << testing::PrintToString(text) << " (" << text.size() << " bytes)";
        }
    }
private:
    std::vector<detail::Utf8Check> ways_;
    int disagreements_ = 0;
};

// Well-formed characters at the edges of each length and range, and ill-formed sequences of
// every kind: stray and extra continuation bytes, overlong forms, surrogates, beyond U+10FFFF,
// bytes that never start a character, unfinished characters and CP932 pairs.
const std::vector<std::string> kGoodPieces = {
    std::string(1, '\0'), "a", "abcdefghij", "\x7F", "\xC2\x80", "\xC3\xA9", "\xDF\xBF", "\xE0\xA0\x80",
    "砂礫", "\xED\x9F\xBF", "\xEE\x80\x80", "\xEF\xBF\xBF", "\xF0\x90\x80\x80", "\xF0\x9F\x98\x80",
    "\xF3\xBF\xBF\xBF", "\xF4\x8F\xBF\xBF",
};
const std::vector<std::string> kBadPieces = {
    "\x80", "\xBF", "\xC0\x80", "\xC1\xBF", "\xE0\x80\x80", "\xE0\x9F\xBF", "\xED\xA0\x80",
    "\xED\xBF\xBF", "\xF0\x80\x80\x80", "\xF0\x8F\xBF\xBF", "\xF4\x90\x80\x80", "\xF5\x80\x80\x80",
    "\xF8\x88\x80\x80\x80", "\xFE", "\xFF", "\xC3", "\xE3\x81", "\xF0\x9F\x98", "\xC3\xA9\x80",
    "\xE3\x81\x82\x80", "\xF0\x9F\x98\x80\x80", "\xE3" "a\x82", "\xF0\x9F" "a\x80", "\x83\x7B\x82\xA0",
};

// Text of n bytes: three-byte characters, with ASCII to make up the length.
std::string Kana(std::size_t n) {
    std::string text;
    for (std::size_t i = 0; i + 3 <= n; i += 3) text += "\xE3\x81\x82";
    return text + std::string(n % 3, 'k');
}

}  // namespace

// Each piece, good or bad, at every byte position 0..80 of long well-formed text of ASCII and
// of three-byte characters, so that it meets each edge of the 16-, 32- and 64-byte blocks.
TEST(XmlText, Utf8CheckAgreesAtEveryPositionInLongText) {
    EveryUtf8Check check;
    std::vector<std::string> pieces = kGoodPieces;
    pieces.insert(pieces.end(), kBadPieces.begin(), kBadPieces.end());
    for (std::size_t pos = 0; pos <= 80; ++pos)
        for (const auto& piece : pieces) {
            check.Expect(std::string(pos, 'a') + piece + std::string(200 - pos, 'a'));
            check.Expect(Kana(pos) + piece + Kana(200 - pos));
            check.Expect(Kana(pos) + piece + std::string(200 - pos, 'a'));
        }
}

// Unfinished and finished characters as the very last bytes of texts of every length 0..100,
// whether the text is one block, many blocks, or ends exactly on a block edge.
TEST(XmlText, Utf8CheckAgreesAtTheEndOfEveryLength) {
    EveryUtf8Check check;
    check.Expect(std::string_view());
    const std::string endings[] = {"",         "\xC3",         "\xC3\xA9",        "\xE3",     "\xE3\x81", "\xE3\x81\x82",
                                   "\xED\xA0",   "\xF0",         "\xF0\x9F",        "\xF0\x9F\x98", "\xF0\x9F\x98\x80",
                                   "\xF4\x8F\xBF", "\xF4\x90\x80", "\x80",            "\xC0",     "\xF5",      "\xFF"};
    for (std::size_t length = 0; length <= 100; ++length)
        for (const auto& ending : endings) {
            if (ending.size() > length) continue;
            check.Expect(std::string(length - ending.size(), 'a') + ending);
            check.Expect(Kana(length - ending.size()) + ending);
        }
}

// Every pair of bytes, and every run of four of a set of telling bytes (each range edge of
// leads and continuation bytes), after a varying stretch of ASCII or of three-byte characters.
TEST(XmlText, Utf8CheckAgreesOnEveryPairAndOnRunsOfTellingBytes) {
    EveryUtf8Check check;
    for (int a = 0; a < 256; ++a)
        for (int b = 0; b < 256; ++b) {
            const std::string pair{static_cast<char>(a), static_cast<char>(b)};
            const std::size_t lead = static_cast<std::size_t>(a + b) % 40;
            check.Expect(std::string(lead, 'a') + pair);
            check.Expect(Kana(lead) + pair + "\xE3\x81\x82z");
        }
    const unsigned char telling[] = {0x00, 0x41, 0x7F, 0x80, 0x8F, 0x90, 0x9F, 0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF,
                                     0xE0, 0xE1, 0xEC, 0xED, 0xEE, 0xEF, 0xF0, 0xF1, 0xF3, 0xF4, 0xF5, 0xFF};
    std::size_t n = 0;
    for (unsigned char a : telling)
        for (unsigned char b : telling)
            for (unsigned char c : telling)
                for (unsigned char d : telling) {
                    const std::string run{static_cast<char>(a), static_cast<char>(b), static_cast<char>(c),
                                          static_cast<char>(d)};
                    const std::size_t lead = ++n % 67;
                    check.Expect((n % 2 ? std::string(lead, 'a') : Kana(lead)) + run + (n % 3 ? "" : "\xC3\xA9"));
                }
}

// A fixed pseudo-random sweep: short texts of good and bad pieces, some with a byte changed,
// dropped or cut off.
TEST(XmlText, Utf8CheckAgreesOnMutatedTexts) {
    EveryUtf8Check check;
    std::vector<std::string> pieces = kGoodPieces;
    pieces.insert(pieces.end(), kBadPieces.begin(), kBadPieces.end());
    pieces.push_back(Kana(30));
    pieces.push_back(std::string(20, 'x'));
    std::mt19937 random(20240531);
    for (int round = 0; round < 300000; ++round) {
        std::string text;
        for (std::uint32_t k = random() % 12; k > 0; --k) {
            // Good pieces twice as often, so that many texts are well formed.
            const std::uint32_t pick = random() % (kGoodPieces.size() * 2 + pieces.size());
            text += pick < kGoodPieces.size() * 2 ? kGoodPieces[pick / 2] : pieces[pick - kGoodPieces.size() * 2];
        }
        if (!text.empty()) {
            const std::size_t at = random() % text.size();
            switch (random() % 4) {
            case 0: text[at] = static_cast<char>(random()); break;
            case 1: text.erase(at, 1); break;
            case 2: text.resize(at); break;
            default: break;
            }
        }
        check.Expect(text);
    }
}

TEST(XmlText, DecodesByTheBytesWhateverTheDeclaration) {
    const std::string utf8 = "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n<調査名>砂礫</調査名>";
    const std::string cp932 = core::Utf8ToCp932("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<調査名>砂礫</調査名>");
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        std::string text;
    } cases[] = {
        {utf8, TextEncoding::Utf8, utf8},
        {"\xEF\xBB\xBF" + utf8, TextEncoding::Utf8, utf8},
        {cp932, TextEncoding::Cp932, "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<調査名>砂礫</調査名>"},
        {"\xEF\xBB\xBF" "a\xFF" "b", TextEncoding::Utf8, "a\xEF\xBF\xBD" "b"},
        {"", TextEncoding::Utf8, ""},
    };
    for (const auto& c : cases) {
        TextEncoding used;
        EXPECT_EQ(DecodeDocumentText(c.bytes, &used), c.text);
        EXPECT_EQ(used, c.encoding);
    }
}

TEST(XmlText, DecodesCharacterReferencesOnce) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {
        {"A&amp;B", "A&B"},
        {"&amp;lt;", "&lt;"},
        {"&lt;&gt;&quot;&apos;", "<>\"'"},
        {"&#x7802;&#31019;&#X41;", "砂礫A"},
        {"&#0;&#xD800;&#x110000;&#;&#x;&#12a;", "&#0;&#xD800;&#x110000;&#;&#x;&#12a;"},
        {"R&D; 5 & 6", "R&D; 5 & 6"},
        {"no references", "no references"},
        {"trailing &", "trailing &"},
    };
    for (const auto& c : cases) EXPECT_EQ(DecodeCharacterReferences(c.in), c.out) << c.in;
}
