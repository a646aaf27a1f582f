// The settings file SysQXV.ndx: read and clamped as at start-up, applied to the page state,
// then the first and the last page of a small log drawn with it.

#include <algorithm>

#include "app/SystemSettings.h"
#include "render/PageGeometry.h"
#include "FuzzSupport.h"

using namespace stracol;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    app::Workspace w = fuzz::SampleWorkspace();
    w.settings = app::ParseSystemSettings(fuzz::Cp932LinesOf(fuzz::BytesOf(data, size), 100));
    app::ClampSystemSettings(w.settings, w.folder);
    w.geometry = render::PageGeometry{};
    render::ApplyPageSettings(w.geometry, w.settings);
    app::SetWorkspacePaper(w, 297, 420);
    w.geometry.maxDepth = render::MaxDepthOf(w.record);
    const int pages = render::PageCount(w.geometry);
    render::ResetForDocument(w.geometry);
    fuzz::PaintPage(w, 1);
    if (pages > 1) fuzz::PaintPage(w, pages);
    (void)app::SystemSettingsLines(w.settings);
    return 0;
}
