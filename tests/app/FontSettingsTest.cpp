#include "app/FontSettings.h"
#include "app/InstallFolder.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace stracol;
using stracol::testing::TempDir;

TEST(FontSettings, MissingFilesGiveDefaults) {
    TempDir dir;
    auto fonts = app::LoadFonts(app::InstallFolder(dir.Path()));
    const double sizes[] = {10.0, 8.0, 7.0, 7.0, 7.0, 7.0, 9.0, 7.0};
    for (int i = 0; i < 8; ++i) {
        EXPECT_DOUBLE_EQ(fonts[i].sizePt, sizes[i]) << "font " << i + 1;
        EXPECT_EQ(fonts[i].faceName, "ＭＳ Ｐ明朝");
    }
}

TEST(FontSettings, OutOfRangeSizesAndShortFacesFallBack) {
    struct Case { int slot; const char* file; double size; const char* face; long colour; } cases[] = {
        {1, "450\r\nＭＳ 明朝\r\n255\r\n0\r\n", 10.0, "ＭＳ 明朝", 255},
        {1, "400\nＭＳ 明朝\n", 400.0, "ＭＳ 明朝", 0},
        {2, "150\r\nＭＳ ゴシック\r\n", 8.0, "ＭＳ ゴシック", 0},
        {3, "1\r\nX\r\n", 7.0, "ＭＳ Ｐ明朝", 0},
        {7, "12.5\r\nＭＳ Ｐゴシック\r\n16711680\r\n1\r\n", 12.5, "ＭＳ Ｐゴシック", 16711680},
    };
    for (const auto& c : cases) {
        TempDir dir;
        dir.Write("Font" + std::to_string(c.slot) + ".ndx", core::Utf8ToCp932(c.file));
        auto fonts = app::LoadFonts(app::InstallFolder(dir.Path()));
        EXPECT_DOUBLE_EQ(fonts[c.slot - 1].sizePt, c.size) << c.file;
        EXPECT_EQ(fonts[c.slot - 1].faceName, c.face) << c.file;
        EXPECT_EQ(fonts[c.slot - 1].colour, c.colour) << c.file;
    }
}

TEST(FontSettings, SaveThenLoadKeepsEverySlot) {
    TempDir dir;
    app::InstallFolder folder(dir.Path());
    auto fonts = app::DefaultFonts();
    fonts[0] = {11.0, "ＭＳ ゴシック", 255, 1};
    fonts[5] = {9.5, "ＭＳ Ｐゴシック", 0, 0};
    core::RecordingMessages messages;
    ASSERT_TRUE(app::SaveFonts(fonts, folder, &messages));
    EXPECT_EQ(dir.Read("Font1.ndx"), core::Utf8ToCp932("11.0\r\nＭＳ ゴシック\r\n255\r\n1\r\n"));
    auto loaded = app::LoadFonts(folder);
    for (int i = 0; i < 8; ++i) {
        EXPECT_DOUBLE_EQ(loaded[i].sizePt, fonts[i].sizePt);
        EXPECT_EQ(loaded[i].faceName, fonts[i].faceName);
        EXPECT_EQ(loaded[i].colour, fonts[i].colour);
        EXPECT_EQ(loaded[i].effects, fonts[i].effects);
    }
}

// Sizes no font has and numbers too long for their field fall back or are held, never
// reaching arithmetic unchecked.
TEST(FontSettings, ExtremeNumbersInAFontFileFallBackToTheDefaults) {
    struct Case { const char* size; double expected; } cases[] = {
        {"1e308", 10.0}, {"-1e308", 10.0}, {"1e999", 10.0}, {"nan", 10.0}, {"400", 400.0}, {"400.5", 10.0}, {"12.5", 12.5},
    };
    for (const Case& c : cases) {
        const app::FontSetting f = app::ParseFontFile({c.size, "IPAGothic", "99999999999999999999999", "-99999999999"}, 1);
        EXPECT_DOUBLE_EQ(f.sizePt, c.expected) << c.size;
        EXPECT_EQ(f.faceName, "IPAGothic");
    }
    // A face name of one character and a file of no lines take the defaults.
    EXPECT_EQ(app::ParseFontFile({"9", "x"}, 2).faceName, "ＭＳ Ｐ明朝");
    EXPECT_DOUBLE_EQ(app::ParseFontFile({}, 2).sizePt, 8.0);
    // Lines are cut to 80 bytes as the file reader cuts them.
    EXPECT_EQ(app::ParseFontFile({"9", std::string(200, 'F')}, 3).faceName, std::string(80, 'F'));
}
