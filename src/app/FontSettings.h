#pragma once
// The eight log fonts, one file each (Font1.ndx … Font8.ndx): size, face, colour, effects.

#include <array>
#include <string>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

struct FontSetting {
    double sizePt = 7.0;
    std::string faceName = "ＭＳ Ｐ明朝";
    long colour = 0;   // 0x00BBGGRR
    int effects = 0;   // carried for the log font
};

inline constexpr int kFontCount = 8;
using FontSettings = std::array<FontSetting, kFontCount>;

// The size a slot (1-8) falls back to: 10.0, 8.0, 7.0 … 9.0 for slot 7, 7.0.
double DefaultFontSize(int slot);
// The largest valid size of a slot: 400 for slot 1, 100 for the others.
double MaxFontSize(int slot);

// Defaults of all eight slots (what a missing file leaves).
FontSettings DefaultFonts();

// Reads FontN.ndx of the folder: up to four lines of up to 80 bytes. A missing file keeps
// the defaults; a size not above 1 or above the slot's maximum becomes the slot's default,
// a face of one byte or less "ＭＳ Ｐ明朝".
FontSettings LoadFonts(const InstallFolder& folder);

// One font file's lines (each cut to 80 CP932 bytes) as the font of slot 1-8, with the
// defaults for a size out of range and a face name too short.
FontSetting ParseFontFile(const std::vector<std::string>& lines, int slot);

// The lines of FontN.ndx: size "%.1f", face, colour "%ld", effects "%d".
std::vector<std::string> FontFileLines(const FontSetting& font);
// The file name of a slot (1-8): "Font1.ndx" …
std::string FontFileName(int slot);

// Writes FontN.ndx of each slot (FontFileLines).
bool SaveFonts(const FontSettings& fonts, const InstallFolder& folder, core::Messages* messages);

}  // namespace stracol::app
