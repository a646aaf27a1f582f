// The fonts dialog's model without widgets: the presets with their family choice, the row
// text, a slot's font from its dialog, Cancel after a change, and the eight files.
#include "app/FontsModel.h"
#include "app/InstallFolder.h"
#include "core/Cp932.h"
#include "core/Messages.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace stracol;
using app::FontsModel;
using stracol::testing::TempDir;

TEST(FontsModel, ExamplesSetSizesFacesAndClearColours) {
    struct Case {
        int example;
        FontsModel::Family family;
        double sizes[8];
        const char* fixedFace;
        const char* proportionalFace;
    };
    const Case cases[] = {
        {1, FontsModel::Family::Mincho, {10, 8, 7, 7, 7, 9, 9, 7}, "ＭＳ 明朝", "ＭＳ Ｐ明朝"},
        {1, FontsModel::Family::Gothic, {10, 8, 7, 7, 7, 9, 9, 7}, "ＭＳ ゴシック", "ＭＳ Ｐゴシック"},
        {2, FontsModel::Family::Mincho, {11, 9, 8, 7, 7, 10, 11, 7}, "ＭＳ 明朝", "ＭＳ Ｐ明朝"},
        {2, FontsModel::Family::Gothic, {11, 9, 8, 7, 7, 10, 11, 7}, "ＭＳ ゴシック", "ＭＳ Ｐゴシック"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "標準例 " << c.example << (c.family == FontsModel::Family::Gothic ? " ゴシック" : " 明朝"));
        app::FontSettings start = app::DefaultFonts();
        for (auto& f : start) {
            f.faceName = "IPAexGothic";
            f.colour = 0x0000ff;
            f.effects = 3;
            f.sizePt = 33;
        }
        FontsModel model(start);
        model.ApplyExample(c.example, c.family);
        for (int slot = 1; slot <= 8; ++slot) {
            SCOPED_TRACE(slot);
            const app::FontSetting& f = model.Slot(slot);
            EXPECT_DOUBLE_EQ(f.sizePt, c.sizes[slot - 1]);
            // Slots 1, 2 and 8 are fixed pitch.
            EXPECT_EQ(f.faceName, (slot == 1 || slot == 2 || slot == 8) ? c.fixedFace : c.proportionalFace);
            EXPECT_EQ(f.colour, 0);
            EXPECT_EQ(f.effects, 0);
        }
        EXPECT_TRUE(model.Changed());
    }
    // "標準例 2" with "ゴシック": font 1 "ＭＳ ゴシック" 11.0, font 3 "ＭＳ Ｐゴシック" 8.0.
    FontsModel model(app::DefaultFonts());
    model.ApplyExample(2, FontsModel::Family::Gothic);
    EXPECT_EQ(model.Slot(1).faceName, "ＭＳ ゴシック");
    EXPECT_DOUBLE_EQ(model.Slot(1).sizePt, 11.0);
    EXPECT_EQ(model.Slot(3).faceName, "ＭＳ Ｐゴシック");
    EXPECT_DOUBLE_EQ(model.Slot(3).sizePt, 8.0);
}

TEST(FontsModel, RowSizeText) {
    EXPECT_EQ(FontsModel::SizeText(7.0), "  7     (7.0)");
    EXPECT_EQ(FontsModel::SizeText(10.5), " 11     (10.5)");
    EXPECT_EQ(FontsModel::SizeText(123.4), " 123     (123.4)");
}

TEST(FontsModel, SlotTakesTheDialogsFontWithinItsRange) {
    struct Case {
        int slot;
        double size;
        bool taken;
        double stored;
    };
    const Case cases[] = {
        {1, 400, true, 400}, {1, 450, false, 10}, {1, 1.0, false, 10}, {1, 1.04, false, 10},
        {2, 100, true, 100}, {2, 150, false, 8},  {2, 9.96, true, 10},  {8, 6.25, true, 6.3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.slot << " " << c.size);
        FontsModel model(app::DefaultFonts());
        EXPECT_EQ(model.SetSlot(c.slot, "IPAPMincho", c.size, 0x123456, 1), c.taken);
        EXPECT_DOUBLE_EQ(model.Slot(c.slot).sizePt, c.stored);
        EXPECT_EQ(model.Changed(), c.taken);
        if (c.taken) {
            EXPECT_EQ(model.Slot(c.slot).faceName, "IPAPMincho");
            EXPECT_EQ(model.Slot(c.slot).colour, 0x123456);
            EXPECT_EQ(model.Slot(c.slot).effects, 1);
        }
    }
    FontsModel model(app::DefaultFonts());
    EXPECT_FALSE(model.SetSlot(0, "x", 10, 0, 0));
    EXPECT_FALSE(model.SetSlot(9, "x", 10, 0, 0));
}

TEST(FontsModel, CancelAsksOnlyAfterAChange) {
    FontsModel model(app::DefaultFonts());
    core::RecordingMessages messages;
    EXPECT_TRUE(model.MayCancel(messages));
    EXPECT_TRUE(messages.Empty());
    model.SetColour(4, 0xff);
    for (bool answer : {false, true}) {
        core::RecordingMessages asked;
        asked.answers.push_back(answer);
        EXPECT_EQ(model.MayCancel(asked), answer);
        EXPECT_EQ(asked.Count("データが変更されましたが、キャンセルしてよいのですか？"), 1);
    }
    // Setting back what was there is no change.
    model.SetColour(4, 0);
    EXPECT_FALSE(model.Changed());
}

TEST(FontsModel, EverySlotRoundTripsThroughItsFile) {
    TempDir dir;
    const app::InstallFolder folder(dir.Path());
    FontsModel model(app::LoadFonts(folder));
    const char* faces[] = {"ＭＳ 明朝", "ＭＳ ゴシック", "IPAPMincho", "IPAPGothic", "ＭＳ Ｐ明朝", "Noto Sans CJK JP",
                           "IPAexMincho", "ＭＳ Ｐゴシック"};
    for (int slot = 1; slot <= 8; ++slot)
        ASSERT_TRUE(model.SetSlot(slot, faces[slot - 1], 5.5 + slot, 0x010203L * slot, slot % 2));
    app::FontSettings current = app::DefaultFonts();
    core::RecordingMessages messages;
    ASSERT_TRUE(model.Commit(current, folder, &messages));
    EXPECT_TRUE(messages.Empty());
    const app::FontSettings loaded = app::LoadFonts(folder);
    for (int slot = 1; slot <= 8; ++slot) {
        SCOPED_TRACE(slot);
        const app::FontSetting& f = loaded[slot - 1];
        EXPECT_DOUBLE_EQ(f.sizePt, 5.5 + slot);
        EXPECT_EQ(f.faceName, faces[slot - 1]);
        EXPECT_EQ(f.colour, 0x010203L * slot);
        EXPECT_EQ(f.effects, slot % 2);
        EXPECT_EQ(current[slot - 1].faceName, f.faceName);  // the current fonts are the dialog's
    }
    // Font1.ndx holds the four lines, in CP932.
    EXPECT_EQ(core::Cp932ToUtf8(dir.Read("Font1.ndx")), "6.5\r\nＭＳ 明朝\r\n66051\r\n1\r\n");
    EXPECT_FALSE(FontsModel(loaded).Changed());
}
