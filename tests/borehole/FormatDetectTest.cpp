#include "borehole/FormatDetect.h"

#include "core/Cp932.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace stracol::borehole;

TEST(FormatDetect, FindsTheFirstMarkerInTheFirst200Characters) {
    struct Case {
        std::string line;
        int code;
    } cases[] = {
        {"<ボーリング情報 DTD_version=\"5.00\">", 205},
        {"<ボーリング情報 DTD_version=\"4.00\">", 204},
        {"<ボーリング情報 DTD_version=\"3.00\">", 203},
        {"<ボーリング情報 DTD_version=\"2.10\">", 202},
        {"<ボーリング情報 DTD_version=\"2.01\">", 201},
        {"<ボーリング情報 DTD_version=\"2.00\">", 200},
        {"<ボーリング情報 DTD_version=\"1.10\">", 110},
        {"<ボーリング情報 DTD_version='1.10'>", 110},
        {"<ボーリング情報 DTD_version='4.00'>", 209},  // single quotes are recognised for 1.10 only
        {"<ボーリング情報 DTD_version=\"6.00\">", 209},
        {"<!DOCTYPE ボーリング情報 SYSTEM \"BED0400.DTD\">", 0},
        {"$$_TQTOK1", 510},
        {"$$_TQSTL1", 509},
        {"$$_JTOKEN5", 500},
        {"$$_PGTOKEN5", 480},
        {"$$_BTOKEN1", 490},
        {"$$_HTOKEN1", 600},
        {"xxTPJ", 2},
        {"GTJ,1", 3},
        {"GTJ", 0},  // shorter than 4 characters
        {"", 0},
        {"plain text", 0},
        {std::string(191, ' ') + "$$_TQTOK1", 510},  // the marker ends on character 200
        {std::string(192, ' ') + "$$_TQTOK1", 0},    // … or runs past it
        {std::string(180, ' ') + "$$_TQTOK1", 510},
        {std::string(189, '.') + "漢$$_TQTOK1", 510},  // 189 + 2 + 9 = 200 bytes of CP932 (202 of UTF-8)
        {std::string(190, '.') + "漢$$_TQTOK1", 0},
        {std::string(1990, ' ') + "$$_TQTOK1", 0},  // marker beyond character 200
    };
    for (const auto& c : cases) EXPECT_EQ(DetectFormat(c.line), c.code) << c.line.substr(0, 60);
}

TEST(FormatDetect, LineLengthIsCountedInCp932Bytes) {
    const std::string marker = "<ボーリング情報 DTD_version=\"4.00\">";
    const std::size_t pad = 2000 - stracol::core::Cp932Width(marker);
    const std::string exactly2000 = marker + std::string(pad, 'x');
    EXPECT_EQ(DetectFormat(exactly2000), 204);
    EXPECT_EQ(DetectFormat(exactly2000 + "x"), 0);  // 2001 characters give 0 even with a marker
    // Kanji take 3 bytes of UTF-8 but 2 of CP932: the CP932 count decides.
    std::string kanji = std::string(pad % 2, 'x');
    for (std::size_t i = 0; i < pad / 2; ++i) kanji += "漢";
    EXPECT_EQ(DetectFormat(marker + kanji), 204);
    EXPECT_EQ(DetectFormat(marker + kanji + "x"), 0);
    EXPECT_EQ(DetectFormat("GTJ漢"), 3);      // 5 bytes of CP932
}

TEST(FormatDetect, StripsOneLineTerminator) {
    struct Case {
        const char* in;
        const char* out;
    } cases[] = {{"abc\r\n", "abc"}, {"abc\n", "abc"}, {"abc", "abc"}, {"abc\r", "abc\r"}, {"\r\n", ""}, {"a\n\n", "a\n"}};
    for (const auto& c : cases) EXPECT_EQ(StripLineTerminator(c.in), c.out) << c.in;
}

TEST(FormatDetect, DispatchesOtherFormatsToTheirReaderAndSkipsStyleFiles) {
    std::vector<std::pair<std::string, int>> seen;
    LineReaders readers;
    readers.other = [&](std::string_view line, int code) { seen.emplace_back(std::string(line), code); };
    for (int code : {2, 3, 480, 490, 500, 510, 600, 509, 0}) DispatchLine("5.20,砂礫,\r\n", code, readers);
    ASSERT_EQ(seen.size(), 7u);
    EXPECT_EQ(seen.front().first, "5.20,砂礫,");
    EXPECT_EQ(seen.back().second, 600);
}
