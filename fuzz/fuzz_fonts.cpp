// Font files Font1.ndx to Font8.ndx: the first byte picks the slot, the rest is the file; the
// font read is then used to draw a small log.

#include "app/FontSettings.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const int slot = 1 + data[0] % app::kFontCount;
    app::Workspace w = fuzz::SampleWorkspace();
    w.fonts[static_cast<std::size_t>(slot - 1)] =
        app::ParseFontFile(fuzz::Cp932LinesOf(fuzz::BytesOf(data + 1, size - 1), 0), slot);
    (void)app::FontFileLines(w.fonts[static_cast<std::size_t>(slot - 1)]);
    fuzz::PaintPage(w, 1);
    return 0;
}
