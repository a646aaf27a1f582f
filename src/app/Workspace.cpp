#include "app/Workspace.h"

#include "app/FooterModel.h"
#include "app/HeadingModel.h"
#include "core/Messages.h"
#include "render/PageGeometry.h"
#include "style/StyleApplication.h"

namespace stracol::app {

void LoadWorkspaceSettings(Workspace& w, core::Messages& messages) {
    if (w.settingsLoaded) return;
    w.settings = LoadSystemSettings(w.folder);
    w.catalogue.Load(w.folder.MstFile("ClmObj.mst"));
    w.patternColours = geology::LoadPatternColours(w.folder.File("PtnvcQX.ndx"));
    w.patternNames = geology::LoadNameTable(w.folder.File("WdtvTSL.mst"), 0, &messages);
    w.bitmapNames = geology::LoadNameTable(w.folder.File("WdtvTSL.mst"), 1, nullptr);
    w.fonts = LoadFonts(w.folder);
    w.footer = LoadFooterSettings(w.folder);
    w.heading = LoadHeadingChoices(w.folder);
    render::ApplyPageSettings(w.geometry, w.settings);
    // The depth that fits a page is worked out before the first paint copies the margin.
    w.geometry.topMarginMm = w.settings.TopMargin;
    w.titleForm.Load(w.folder.File("SyFormV.ndx"));
    if (w.style.HasNoItems()) style::ApplyStartupStyle(w.style, w.folder.Path(), messages);
    w.settingsLoaded = true;
}

void SetWorkspacePaper(Workspace& w, int paperWidthMm, int paperLengthMm) {
    render::SetPaperSize(w.geometry, paperWidthMm, paperLengthMm);
}

borehole::OpenResult OpenIntoWorkspace(Workspace& w, const std::string& path, core::Messages& messages,
                                       const borehole::OpenOptions& options) {
    LoadWorkspaceSettings(w, messages);
    // The style changes only after the data was read in full; a failed load leaves both.
    auto chooseStyle = [&](int formatCode, const borehole::BoreholeRecord& record) {
        return style::ApplyStyleForData(w.style, w.folder.Path(), formatCode, record.Heading(57), messages,
                                        &record.styleLines);
    };
    borehole::OpenResult result =
        borehole::OpenDocument(path, w.record, w.patternNames, w.folder.Path(), messages, chooseStyle, options);
    if (result.loaded) {
        w.formatCode = result.formatCode;
        w.documentPath = result.path;
        if (w.style.HasNoItems()) style::ApplyStartupStyle(w.style, w.folder.Path(), messages);
        render::ResetForDocument(w.geometry);
        w.geometry.maxDepth = render::MaxDepthOf(w.record);
    }
    return result;
}

void NewDocument(Workspace& w) {
    w.record.Clear();
    for (auto& item : w.style.items) item.Clear();
    w.formatCode = 0;
    w.documentPath.clear();
    render::ResetForDocument(w.geometry);
}

}  // namespace stracol::app
