#include "borehole/XmlText.h"

#include "core/Cp932.h"

#include <gtest/gtest.h>

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
