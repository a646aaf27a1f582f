#pragma once
// The pattern gallery: a PDF that shows every pattern of the pattern list in a labelled cell
// (number, abbreviated display, example names), then common compound soil names decomposed
// into their patterns, in colour and in black mode. Used to check the patterns by eye.

#include <string>
#include <vector>

#include "geology/PatternColours.h"
#include "geology/PatternList.h"

namespace stracol::core { class Messages; }

namespace stracol::render {

struct PatternGalleryOptions {
    bool a3 = false;       // A3 portrait; A4 portrait otherwise
    int lineWidth = 1;     // px at 300 dpi
    int dpi = 300;
    // The patterns shown and their colours; the built-in pattern list when not given.
    geology::PatternList list = geology::BuiltInPatternList();
    geology::PatternColours colours = geology::BuiltInPatternColours();
    // The compound names of the last pages; a common set when empty.
    std::vector<std::string> compoundNames;
};

// The compound names the gallery shows by default (砂混じりシルト質粘土, 砂岩・泥岩互層 …).
std::vector<std::string> DefaultGalleryNames();

// Writes the gallery to a PDF file (written whole, then renamed over the target). Needs a
// QGuiApplication for the fonts. On failure shows "保存できませんでした" and returns false.
bool WritePatternGallery(const std::string& pdfPath, const PatternGalleryOptions& options = {},
                         core::Messages* messages = nullptr);

}  // namespace stracol::render
