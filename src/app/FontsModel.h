#pragma once
// The fonts dialog "フォント" without its widgets: the eight log fonts (face, size, colour,
// effects flag), the presets "標準例 1" and "標準例 2" with the family choice "明朝" /
// "ゴシック", the row text of each slot, whether anything changed (Cancel then asks), and
// what OK stores.

#include <string>

#include "app/FontSettings.h"

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

class FontsModel {
public:
    enum class Family { Mincho, Gothic };

    explicit FontsModel(const FontSettings& current) : m_fonts(current), m_original(current) {}

    const FontSettings& Fonts() const { return m_fonts; }
    // Slot 1-8.
    const FontSetting& Slot(int slot) const { return m_fonts[static_cast<std::size_t>(slot - 1)]; }

    // A slot takes what its font dialog gave: face, size in points (rounded to 0.1), colour
    // and effects flag. A size outside the slot's range (above 1 up to 400 for slot 1, up to
    // 100 for the others) is refused (false, nothing changes).
    bool SetSlot(int slot, const std::string& face, double sizePt, long colour, int effects);
    // Only the colour of a slot (the colour sample beside it).
    void SetColour(int slot, long colour);

    // "標準例 1" / "標準例 2": the eight sizes of the preset, colours and effects 0, faces of
    // the family (proportional slots "ＭＳ Ｐ明朝"/"ＭＳ Ｐゴシック", fixed-pitch slots 1, 2 and 8
    // "ＭＳ 明朝"/"ＭＳ ゴシック").
    void ApplyExample(int example, Family family);
    // The size of a slot (1-8) in preset 1 or 2.
    static double ExampleSize(int example, int slot);
    // Whether a slot (1-8) is fixed pitch.
    static bool FixedPitch(int slot);
    static std::string FaceFor(int slot, Family family);

    // The size column of a row: " %2d     (%.1f)" (the rounded size, then the exact one).
    static std::string SizeText(double sizePt);

    // Anything differs from the fonts the dialog opened with.
    bool Changed() const;
    // Cancel: true when the dialog may close (nothing changed, or the question 131
    // "データが変更されましたが、キャンセルしてよいのですか？" answered Yes).
    bool MayCancel(core::Messages& messages) const;

    // OK: the fonts become the current ones and are written to Font1.ndx … Font8.ndx (false
    // with "保存できませんでした" when a file cannot be written).
    bool Commit(FontSettings& fonts, const InstallFolder& folder, core::Messages* messages) const;

private:
    FontSettings m_fonts;
    FontSettings m_original;
};

}  // namespace stracol::app
