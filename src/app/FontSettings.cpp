#include "app/FontSettings.h"

#include "app/InstallFolder.h"
#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "core/TextFile.h"

namespace stracol::app {
namespace {

constexpr std::size_t kFontLineLimit = 80;
constexpr std::string_view kDefaultFace = "ＭＳ Ｐ明朝";

}  // namespace

std::string FontFileName(int slot) { return core::Sprintf("Font%d.ndx", slot); }

double DefaultFontSize(int slot) {
    switch (slot) {
        case 1: return 10.0;
        case 2: return 8.0;
        case 7: return 9.0;
        default: return 7.0;
    }
}

double MaxFontSize(int slot) { return slot == 1 ? 400.0 : 100.0; }

FontSettings DefaultFonts() {
    FontSettings fonts;
    for (int slot = 1; slot <= kFontCount; ++slot) fonts[slot - 1].sizePt = DefaultFontSize(slot);
    return fonts;
}

FontSetting ParseFontFile(const std::vector<std::string>& lines, int slot) {
    FontSetting f;
    auto line = [&](std::size_t i) -> std::string {
        return i < lines.size() ? core::Cp932Truncate(lines[i], kFontLineLimit) : std::string();
    };
    f.sizePt = core::LeadingReal(line(0));
    f.faceName = line(1);
    f.colour = core::LeadingLong(line(2));
    f.effects = core::LeadingInt(line(3));
    // "!(size > 1)" also turns a size that is no number (NaN) into the default.
    if (!(f.sizePt > 1.0) || f.sizePt > MaxFontSize(slot)) f.sizePt = DefaultFontSize(slot);
    if (core::Cp932Width(f.faceName) <= 1) f.faceName = kDefaultFace;
    return f;
}

FontSettings LoadFonts(const InstallFolder& folder) {
    FontSettings fonts = DefaultFonts();
    for (int slot = 1; slot <= kFontCount; ++slot) {
        auto lines = core::ReadCp932Lines(folder.File(FontFileName(slot)), kFontLineLimit);
        if (lines) fonts[slot - 1] = ParseFontFile(*lines, slot);
    }
    return fonts;
}

std::vector<std::string> FontFileLines(const FontSetting& f) {
    return {core::Sprintf("%.1f", f.sizePt), f.faceName, core::Sprintf("%ld", f.colour), core::Sprintf("%d", f.effects)};
}

bool SaveFonts(const FontSettings& fonts, const InstallFolder& folder, core::Messages* messages) {
    bool ok = true;
    for (int slot = 1; slot <= kFontCount; ++slot) {
        const std::vector<std::string> lines = FontFileLines(fonts[slot - 1]);
        // One message for the whole save, not one per font file.
        if (!core::WriteCp932Lines(folder.File(FontFileName(slot)), lines, ok ? messages : nullptr)) ok = false;
    }
    return ok;
}

}  // namespace stracol::app
