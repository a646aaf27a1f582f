#include "app/FontsModel.h"

#include <cmath>

#include "core/Format.h"
#include "core/Messages.h"

namespace stracol::app {

namespace {

constexpr double kExampleSizes[2][kFontCount] = {
    {10.0, 8.0, 7.0, 7.0, 7.0, 9.0, 9.0, 7.0},
    {11.0, 9.0, 8.0, 7.0, 7.0, 10.0, 11.0, 7.0},
};

bool SameFont(const FontSetting& a, const FontSetting& b) {
    return a.sizePt == b.sizePt && a.faceName == b.faceName && a.colour == b.colour && a.effects == b.effects;
}

}  // namespace

double FontsModel::ExampleSize(int example, int slot) {
    return kExampleSizes[example == 2 ? 1 : 0][slot - 1];
}

bool FontsModel::FixedPitch(int slot) { return slot == 1 || slot == 2 || slot == 8; }

std::string FontsModel::FaceFor(int slot, Family family) {
    if (FixedPitch(slot)) return family == Family::Mincho ? "ＭＳ 明朝" : "ＭＳ ゴシック";
    return family == Family::Mincho ? "ＭＳ Ｐ明朝" : "ＭＳ Ｐゴシック";
}

bool FontsModel::SetSlot(int slot, const std::string& face, double sizePt, long colour, int effects) {
    if (slot < 1 || slot > kFontCount) return false;
    const double size = std::round(sizePt * 10) / 10;
    if (!(size > 1.0) || size > MaxFontSize(slot)) return false;
    FontSetting& f = m_fonts[static_cast<std::size_t>(slot - 1)];
    if (!face.empty()) f.faceName = face;
    f.sizePt = size;
    f.colour = colour;
    f.effects = effects;
    return true;
}

void FontsModel::SetColour(int slot, long colour) {
    if (slot >= 1 && slot <= kFontCount) m_fonts[static_cast<std::size_t>(slot - 1)].colour = colour;
}

void FontsModel::ApplyExample(int example, Family family) {
    for (int slot = 1; slot <= kFontCount; ++slot) {
        FontSetting& f = m_fonts[static_cast<std::size_t>(slot - 1)];
        f.sizePt = ExampleSize(example, slot);
        f.colour = 0;
        f.effects = 0;
        f.faceName = FaceFor(slot, family);
    }
}

std::string FontsModel::SizeText(double sizePt) {
    return core::Sprintf(" %2d     (%.1f)", static_cast<int>(std::lround(sizePt)), sizePt);
}

bool FontsModel::Changed() const {
    for (int i = 0; i < kFontCount; ++i)
        if (!SameFont(m_fonts[static_cast<std::size_t>(i)], m_original[static_cast<std::size_t>(i)])) return true;
    return false;
}

bool FontsModel::MayCancel(core::Messages& messages) const {
    if (!Changed()) return true;
    return messages.Ask(core::MessageText(core::MessageId::NotWritableCancel));
}

bool FontsModel::Commit(FontSettings& fonts, const InstallFolder& folder, core::Messages* messages) const {
    fonts = m_fonts;
    return SaveFonts(fonts, folder, messages);
}

}  // namespace stracol::app
