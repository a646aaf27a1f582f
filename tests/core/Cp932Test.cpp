#include "core/Cp932.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>

using namespace stracol::core;

TEST(Cp932, RoundTripsMixedText) {
    // kanji, hiragana, half-width katakana, circled digit, wave dash, full-width minus, ASCII
    const std::string text = "砂混じり粘土 ｼﾙﾄ ① ～ － ABC\\~";
    std::string bytes = Utf8ToCp932(text);
    EXPECT_EQ(Cp932ToUtf8(bytes), text);
    // ① is 0x8740 in CP932, ～ is 0x8160, ｼ is the single byte 0xBC.
    EXPECT_NE(bytes.find("\x87\x40"), std::string::npos);
    EXPECT_NE(bytes.find("\x81\x60"), std::string::npos);
    EXPECT_NE(bytes.find('\xBC'), std::string::npos);
}

TEST(Cp932, InvalidBytesBecomeReplacementCharacters) {
    // 0x82 0x20 is a lead byte without a valid trail byte; 0xA0 and 0xFD are never valid.
    std::string decoded = Cp932ToUtf8(std::string("a\x82 b\xFD" "c\x82\xA0", 8));
    EXPECT_EQ(decoded.substr(0, 1), "a");
    EXPECT_NE(decoded.find("\xEF\xBF\xBD"), std::string::npos);
    EXPECT_NE(decoded.find(" b"), std::string::npos);  // the text after a bad byte survives
    EXPECT_NE(decoded.find("c"), std::string::npos);
    // A lead byte cut off at the end of the data.
    EXPECT_EQ(Cp932ToUtf8(std::string("x\x88", 2)), "x\xEF\xBF\xBD");
}

TEST(Cp932, ALongRunOfBadBytesBetweenGoodTextKeepsEveryCharacter) {
    // Good text, 100 000 bytes that are never valid, good text again: one replacement each.
    const std::string good = Utf8ToCp932("砂礫");
    const std::string bytes = good + std::string(100000, '\xFD') + good;
    const std::string decoded = Cp932ToUtf8(bytes);
    std::string expected = "砂礫";
    for (int i = 0; i < 100000; ++i) expected += "\xEF\xBF\xBD";
    expected += "砂礫";
    EXPECT_EQ(decoded, expected);
}

// The decoder works by a table made of iconv's answers; it must give what iconv gives over the
// whole text for every byte, every pair of bytes, and texts that mix good and bad characters,
// long ones included (iconv takes those in pieces).
TEST(Cp932, TableDecodingGivesWhatIconvGives) {
    // glibc's iconv answers every byte and pair on its own, so the table is in use here.
    ASSERT_TRUE(detail::Cp932TableInUse());
    for (int a = 0; a < 256; ++a) {
        const std::string one(1, static_cast<char>(a));
        ASSERT_EQ(Cp932ToUtf8(one), detail::Cp932ToUtf8ByIconv(one)) << a;
        for (int b = 0; b < 256; ++b) {
            const std::string two{static_cast<char>(a), static_cast<char>(b)};
            ASSERT_EQ(Cp932ToUtf8(two), detail::Cp932ToUtf8ByIconv(two)) << a << " " << b;
        }
    }
    // Pieces of every kind: ASCII, kanji, half-width kana, NEC and IBM extensions, user-defined
    // characters, unassigned pairs, lone lead bytes, bytes that are never valid.
    const std::string pieces[] = {"a",        "abcdefghijkl", "\x8D\xBB",  "\xE7\x9F",  "\xBC",     "\x87\x40",
                                  "\xED\x40",  "\xFA\x55",      "\xF0\x40",  "\x85\x40",  "\x82",     "\xFD",
                                  "\x80",      "\xA0",          "\x81\x7F",  "\x5C",      "\x81\x60", "\xEA\xA4"};
    std::uint32_t seed = 18;
    auto next = [&seed] {
        seed = seed * 1664525u + 1013904223u;
        return seed >> 8;
    };
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        const int count = static_cast<int>(next() % 12);
        for (int k = 0; k < count; ++k) text += pieces[next() % std::size(pieces)];
        ASSERT_EQ(Cp932ToUtf8(text), detail::Cp932ToUtf8ByIconv(text)) << ::testing::PrintToString(text);
    }
    std::string longText;
    while (longText.size() < 200000) longText += pieces[next() % std::size(pieces)];
    EXPECT_EQ(Cp932ToUtf8(longText), detail::Cp932ToUtf8ByIconv(longText));
}

TEST(Cp932, UnmappableCharactersEncodeAsQuestionMark) {
    EXPECT_EQ(Utf8ToCp932("a\xF0\x9F\x98\x80" "b"), "a?b");  // an emoji has no CP932 code
}

// The converter works in pieces (long ones, short ones after a bad character): a double-byte
// character cut by the end of a piece is still read whole, wherever the cut falls.
TEST(Cp932, CharactersAcrossThePiecesOfTheConversionStayWhole) {
    for (std::size_t lead : {std::size_t{65533}, std::size_t{65534}, std::size_t{65535}, std::size_t{65536}}) {
        const std::string bytes = std::string(lead, 'a') + "\x82\xa0\x8d\xbb" + std::string(10, 'b');
        EXPECT_EQ(Cp932ToUtf8(bytes), std::string(lead, 'a') + "あ砂" + std::string(10, 'b')) << lead;
    }
    auto join = [](std::initializer_list<std::string> parts) {
        std::string out;
        for (const std::string& part : parts) out += part;
        return out;
    };
    for (std::size_t gap = 58; gap <= 70; ++gap) {
        const std::string as(gap, 'a'), bs(200, 'b');
        EXPECT_EQ(Cp932ToUtf8(join({"\xff", as, "\x82\xa0", bs, "\x82\xa0"})), join({"\xEF\xBF\xBD", as, "あ", bs, "あ"})) << gap;
        EXPECT_EQ(Utf8ToCp932(join({"\xEF\xBF\xBD", as, "あ", bs, "砂"})), join({"?", as, "\x82\xa0", bs, "\x8d\xbb"})) << gap;
    }
    // A text of many characters CP932 lacks, between good ones: each becomes "?", none is lost.
    std::string text, expected;
    for (int i = 0; i < 20000; ++i) {
        text += i % 3 ? "\xEF\xBF\xBD" : "あ";
        expected += i % 3 ? "?" : "\x82\xa0";
    }
    EXPECT_EQ(Utf8ToCp932(text), expected);
    // A double-byte character cut off by the end of the input is a bad byte.
    EXPECT_EQ(Cp932ToUtf8(std::string(70000, 'a') + "\x82"), std::string(70000, 'a') + "\xEF\xBF\xBD");
}

TEST(Cp932, WidthCountsHalfWidthKatakanaAsOneByte) {
    struct Case { const char* text; std::size_t width; } cases[] = {
        {"", 0}, {"abc", 3}, {"粘土", 4}, {"ｼﾙﾄ", 3}, {"①～", 4}, {"GL-1.5m 砂", 10},
    };
    for (const auto& c : cases) EXPECT_EQ(Cp932Width(c.text), c.width) << c.text;
    EXPECT_EQ(CharacterCount("a粘ｼ"), 3u);
}

TEST(Cp932, TruncateNeverSplitsACharacter) {
    EXPECT_EQ(Cp932Truncate("ab粘土", 3), "ab");
    EXPECT_EQ(Cp932Truncate("ab粘土", 4), "ab粘");
    EXPECT_EQ(Cp932Truncate("ｼﾙﾄ", 2), "ｼﾙ");
}

TEST(Cp932, SubstringReplacesACutCharacterWithOneSpace) {
    struct Case { const char* text; int start; int length; const char* expected; } cases[] = {
        {"abcdef", 2, 3, "bcd"},
        {"粘土質", 1, 4, "粘土"},
        {"粘土質", 2, 4, " 土 "},  // second half of 粘, 土, first half of 質
        {"a粘土", 1, 2, "a "},     // ends inside 粘
        {"a粘土", 3, 3, " 土"},    // starts inside 粘
        {"ｼﾙﾄ粘", 2, 3, "ﾙﾄ "},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Cp932Substring(c.text, c.start, c.length), c.expected) << c.text << " " << c.start;
    }
    bool inRange = true;
    EXPECT_EQ(Cp932Substring("abc", 5, 2, &inRange), "");
    EXPECT_FALSE(inRange);
    Cp932Substring("abc", 3, 5, &inRange);
    EXPECT_TRUE(inRange);
}

TEST(Cp932, PadRightCountsBytes) {
    EXPECT_EQ(Cp932PadRight("1011 深度", 12), "1011 深度   ");
    EXPECT_EQ(Cp932PadRight("toolongtext", 4), "toolongtext");
}

TEST(Cp932, Utf8Validation) {
    EXPECT_TRUE(IsValidUtf8("砂 abc ｼ"));
    EXPECT_FALSE(IsValidUtf8(Utf8ToCp932("砂混じり")));
    EXPECT_FALSE(IsValidUtf8("\xC0\xAF"));          // overlong
    EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));      // surrogate
    EXPECT_FALSE(IsValidUtf8("\xE3\x81"));          // truncated
}
