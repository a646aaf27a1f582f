#include "app/PatternMasterModel.h"

#include "app/Workspace.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "render/PageGeometry.h"

namespace stracol::app {

PatternMasterModel::PatternMasterModel(const Workspace& w)
    : m_masterPath(w.folder.File("WdtvTSL.mst")), m_patternPath(w.folder.File("PtnvcQX.ndx")) {
    master = geology::ReadNameMaster(m_masterPath);
    patterns = geology::ReadPatternList(m_patternPath);
    // An old or missing pattern file is replaced by the built-in list on OK.
    m_patternsChanged = patterns.builtIn;
    allBlack = w.settings.PatternSetting47 == 1;
    lineThicknessIndex = w.settings.PatternSetting48 >= 0 && w.settings.PatternSetting48 <= 2 ? w.settings.PatternSetting48 : 0;
    overlayOption = w.settings.PatternSetting49 == 1;
}

geology::MasterEditResult PatternMasterModel::Insert(int selected, const geology::MasterRowInput& input,
                                                     core::Messages& messages) {
    auto result = geology::InsertMasterRow(master, selected, input, messages);
    m_masterChanged = m_masterChanged || result.done;
    return result;
}

geology::MasterEditResult PatternMasterModel::Overwrite(int selected, const geology::MasterRowInput& input,
                                                        core::Messages& messages) {
    auto result = geology::OverwriteMasterRow(master, selected, input, messages);
    m_masterChanged = m_masterChanged || result.done;
    return result;
}

bool PatternMasterModel::Delete(int selected) {
    const bool done = geology::DeleteMasterRow(master, selected);
    m_masterChanged = m_masterChanged || done;
    return done;
}

int PatternMasterModel::Move(int selected, int step) {
    const int moved = geology::MoveMasterRow(master, selected, step);
    m_masterChanged = m_masterChanged || moved != selected;
    return moved;
}

std::string PatternMasterModel::PatternNumberOf(int row) const {
    if (row < 0 || row >= static_cast<int>(patterns.rows.size())) return {};
    const geology::PatternRow& r = patterns.rows[static_cast<std::size_t>(row)];
    return r.IsHeading() ? std::string() : std::string(core::TrimBlanks(r.number));
}

long PatternMasterModel::PreviewNumber(const std::string& patternText) {
    return geology::HasLeadingNumber(patternText) ? core::LeadingLong(patternText) : 0;
}

bool PatternMasterModel::SetColour(int row, const std::string& colourText, core::Messages& messages) {
    const bool done = geology::SetPatternColour(patterns, row, colourText, messages);
    m_patternsChanged = m_patternsChanged || done;
    return done;
}

std::string PatternMasterModel::DefaultColourOf(int row) const {
    if (row < 0 || row >= static_cast<int>(patterns.rows.size())) return {};
    return patterns.rows[static_cast<std::size_t>(row)].defaultColour;
}

void PatternMasterModel::ResetAllColours() {
    geology::ResetColoursToDefault(patterns);
    m_patternsChanged = true;
}

bool PatternMasterModel::Accept(Workspace& w, core::Messages& messages) {
    bool ok = true;
    bool masterWritten = false;
    if (m_masterChanged) {
        masterWritten = geology::WriteNameMaster(m_masterPath, master, &messages);
        ok = masterWritten;
    }
    if (m_patternsChanged && !geology::WritePatternList(m_patternPath, patterns, &messages)) ok = false;

    w.settings.PatternSetting47 = allBlack ? 1 : 0;
    w.settings.PatternSetting48 = lineThicknessIndex;
    w.settings.PatternSetting49 = overlayOption ? 1 : 0;
    w.settings.PatternSetting46 = 0;
    if (!SaveSystemSettings(w.settings, w.folder, &messages)) ok = false;

    w.patternColours = geology::LoadPatternColours(m_patternPath);
    if (masterWritten) {
        w.patternNames = geology::LoadNameTable(m_masterPath, 0, &messages);
        w.bitmapNames = geology::LoadNameTable(m_masterPath, 1, nullptr);
        // The layers' pattern numbers were looked up while the file was read: read it again
        // with the new master, and stay on the page shown.
        if (!w.documentPath.empty()) {
            const std::string path = w.documentPath;
            const int page = w.geometry.currentPage;
            const double screenStart = w.geometry.screenPageStart;
            borehole::OpenOptions options;
            options.rememberFolder = false;
            if (OpenIntoWorkspace(w, path, messages, options).loaded) {
                w.geometry.currentPage = page;
                w.geometry.screenPageStart = screenStart;
            }
        }
    }
    return ok;
}

}  // namespace stracol::app
