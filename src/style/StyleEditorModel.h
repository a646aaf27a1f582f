#pragma once
// The style editor's rules without widgets: the table copy of the style's item rows, the
// edit fields of one row, Add, Overwrite, Delete and the two moves, the width sum and the
// automatic width distribution, the built-in styles by number, opening and saving style
// files, the start-up style, the checks of OK and the commit into a style.

#include "style/ItemCatalogue.h"
#include "style/LogStyle.h"
#include "style/StyleReader.h"

#include <string>
#include <string_view>
#include <vector>

namespace stracol::core { class Messages; }

namespace stracol::style {

// The file of the editor's Open dialog: line 1 the last folder, line 2 the last file name.
inline constexpr std::string_view kStyleFolderFile = "FileU.ndx";

// What the editor needs of its surroundings.
struct StyleEditorContext {
    std::string installFolder;
    double paperWidthMm = 297;   // "用 紙 幅": the widest column a row may have
    double titleWidthMm = 287;   // "標題部幅": the target of the automatic distribution
    bool dataLoaded = false;     // borehole data on screen (the question before "→ 開く")
    // ConfirmStyleReplace of the settings: 1 asks before "→ 開く" replaces a non-empty table
    // while data is loaded, and is cleared after the first ask for the rest of the session.
    int* confirmStyleReplace = nullptr;
    // ScrollToLastRow of the settings: the table opens scrolled to the row after the last.
    bool scrollToLastRow = true;
};

class StyleEditorModel {
public:
    StyleEditorModel(const LogStyle& style, const ItemCatalogue& catalogue, StyleEditorContext context,
                     core::Messages& messages);

    // The entries of "様式例" (the divider has no number) and of "柱状図タイトル".
    static const std::vector<std::string>& BuiltInStyleEntries();
    static const std::vector<std::string>& TitleEntries();

    const StyleEditorTable& Table() const { return m_table; }
    int RowCount() const { return m_table.RowCount(); }
    const DisplayItem& Row(int index) const { return m_table.rows.at(index); }
    const ItemCatalogue& Catalogue() const { return m_catalogue; }
    const StyleEditorContext& Context() const { return m_context; }

    const std::string& Title() const { return m_table.title; }
    void SetTitle(std::string title);
    const std::string& StyleName() const { return m_table.styleName; }

    // The selected table row (0-based), -1 when none.
    int Selected() const { return m_selected; }
    // Selects a table row and copies it into the edit fields; an index outside the table
    // selects nothing and leaves the fields.
    void SelectRow(int index);
    // Copies catalogue entry index into the edit fields, normalised as an item entering a style.
    void ChooseCatalogueEntry(std::size_t index);
    // The edit fields: one row of 21 fields, the hidden ones carried unchanged.
    const DisplayItem& Edit() const { return m_edit; }
    void SetEditField(int field, std::string value);
    void ClearEdit();

    // "追加 ↓", "上書き ↓", "行削除 ↓", "↑", "↓": true when the table changed (refusals are
    // shown through the messages).
    bool Add();
    bool Overwrite();
    bool DeleteSelected();
    bool MoveUp();
    bool MoveDown();

    // "表示幅合計": group headers get width "0", the other widths are added. Also run after
    // every change of widths.
    double WidthSum();
    std::string WidthSumText() const;  // "%.1f"
    // "自動配分": brings the width sum to the title-block width. True when widths changed.
    bool DistributeWidths();

    // "→ 開く" with an entry of "様式例". True when the table was replaced.
    bool ApplyBuiltInEntry(std::string_view entry);
    // "開く": a style file or a Tessel v1 data file into the table; FileU.ndx remembers it.
    bool Open(const std::string& path);
    // Where the Open dialog starts: the folder of FileU.ndx (empty when none) and its file.
    std::string LastFolder() const;
    std::string LastFileName() const;
    // "保存": the name the Save dialog proposes, then the save under the chosen name.
    std::string ProposedSaveName() const;
    bool Save(const std::string& chosenPath);
    // The two halves of Save around the Save dialog: the empty-table refusal and the checks,
    // then the writing under the chosen name.
    bool ReadyToSave();
    bool SaveAs(const std::string& chosenPath);
    // "オプション": stores the style as the start-up style SyInitV.tls after asking.
    bool SaveAsStartup();

    // The checks of OK, Save and "オプション": false when the user chose to correct the table.
    bool PassesChecks();
    // OK: the checks, then the commit into style. False (style untouched) when refused.
    bool Accept(LogStyle& style);
    // Cancel: true when the dialog may close (asks 131 when something changed).
    bool MayCancel();

    bool Changed() const { return m_changed; }
    // The style as committed last (by OK, Save or "オプション").
    const LogStyle& Committed() const { return m_style; }

private:
    bool CheckEdit(const char* refusedText);
    int RowWithCode(int code, int except) const;
    void Commit();
    void WidthSumChanged();

    StyleEditorTable m_table;
    LogStyle m_style;
    const ItemCatalogue& m_catalogue;
    StyleEditorContext m_context;
    core::Messages& m_messages;
    DisplayItem m_edit;
    int m_selected = -1;
    double m_widthSum = 0;
    bool m_changed = false;
};

// Whether a row keeps its width in the automatic distribution (pattern, graph and group
// columns).
bool KeepsWidthInDistribution(int code);

}  // namespace stracol::style
