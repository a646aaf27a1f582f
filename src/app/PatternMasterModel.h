#pragma once
// The name master and pattern settings dialog ("土質地質名と柱状図模様") without its widgets:
// the geological-name master being edited, the pattern list with its colours, the global
// pattern settings, and what OK stores and reloads.

#include <string>

#include "geology/MasterEdit.h"
#include "geology/NameMaster.h"
#include "geology/PatternList.h"

namespace stracol::core { class Messages; }

namespace stracol::app {

struct Workspace;

class PatternMasterModel {
public:
    // Reads WdtvTSL.mst and PtnvcQX.ndx of the workspace's install folder (the built-in
    // lists when they cannot be read) and the pattern settings.
    explicit PatternMasterModel(const Workspace& workspace);

    geology::NameMaster master;
    geology::PatternList patterns;
    bool allBlack = false;           // すべて黒色 (PatternSetting47)
    int lineThicknessIndex = 0;      // 線太さ "1", "2", "3" (PatternSetting48)
    bool overlayOption = false;      // 混じり／質 (PatternSetting49)

    const std::string& MasterPath() const { return m_masterPath; }
    bool MasterChanged() const { return m_masterChanged; }
    bool PatternsChanged() const { return m_patternsChanged; }

    // ↓挿入, ↓上書き, 削除, ↑ and ↓ of the master list (the checks of MasterEdit).
    geology::MasterEditResult Insert(int selected, const geology::MasterRowInput& input, core::Messages& messages);
    geology::MasterEditResult Overwrite(int selected, const geology::MasterRowInput& input, core::Messages& messages);
    bool Delete(int selected);
    int Move(int selected, int step);

    // The number of pattern row `row` (←適用 copies it into the master's パタ-ンNo.); empty
    // for a heading or a row outside the list.
    std::string PatternNumberOf(int row) const;
    // The pattern number to preview for a typed text: its leading number, 0 when none.
    static long PreviewNumber(const std::string& patternText);
    // ↓上書き of the pattern list, 既定色 of a row, すべて既定色.
    bool SetColour(int row, const std::string& colourText, core::Messages& messages);
    std::string DefaultColourOf(int row) const;
    void ResetAllColours();

    // OK: a changed master is written (a failure says "保存できませんでした" and leaves the
    // old file and the loaded tables), a changed pattern list too; the pattern settings are
    // stored with the pattern mode 0 and the settings written; the colour table and the name
    // tables are reloaded and a loaded document is read again with them, on the page it was
    // on. False when something could not be written.
    bool Accept(Workspace& workspace, core::Messages& messages);

private:
    std::string m_masterPath;
    std::string m_patternPath;
    bool m_masterChanged = false;
    bool m_patternsChanged = false;
};

}  // namespace stracol::app
