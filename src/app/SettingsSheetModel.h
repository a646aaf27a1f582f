#pragma once
// The three-page settings sheet "システム設定 > 柱状図様式" without its widgets: a working
// copy of the drawing settings it edits (graph grids, scale ticks, symbols, label positions,
// brackets and Pe on page 1; line widths, dashes, colours and the colour mode on page 2;
// margins and the survey company on page 3), the presets of each page, the colour-mode rule,
// the checks, and what OK stores.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FieldText.h"
#include "app/SystemSettings.h"

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;

class SettingsSheetModel {
public:
    static constexpr int kMarginMin = 1;
    static constexpr int kMarginMax = 100;
    // Entries of the row-count lists under group titles: "1" … "6".
    static constexpr int kRowChoices = 6;

    explicit SettingsSheetModel(const SystemSettings& current);

    // The working copy; only the sheet's fields are taken back on OK.
    SystemSettings& Values() { return m_values; }
    const SystemSettings& Values() const { return m_values; }

    // The bracket lists of page 1: core recovery, core length and RQD share one, the
    // critical pressure has its own.
    static const std::vector<std::string>& BracketChoices();
    static const std::vector<std::string>& CriticalPressureChoices();
    // The entry of a list a stored bracket text stands for (blanks between the marks do not
    // count, so "　…無し" is the list's "　 …無し"); -1 when it is none of them.
    static int BracketIndex(const std::vector<std::string>& choices, std::string_view stored);
    // Sets a bracket field to the entry chosen, leaving the stored text as it is when it
    // already stands for that entry.
    static void ChooseBracket(std::string& field, const std::vector<std::string>& choices, int index);

    // Page 1 presets: "標準の設定", "標準グリッド", "細密グリッド".
    void ApplyPage1Standard();
    void ApplyStandardGrid();
    void ApplyFineGrid();
    // Page 2 presets: the grid part's "カラー 例" and "白黒 例", the plot part's "カラー 例" and
    // "白黒 例", and "標準の設定" (both colour examples).
    void ApplyGridColourExample();
    void ApplyGridMonoExample();
    void ApplyPlotColourExample();
    void ApplyPlotMonoExample();
    void ApplyPage2Standard();
    // Page 3 preset "標準の設定": both margins 5.
    void ApplyPage3Standard();

    // "カラー" (0): the four gap lengths become 0, the colour boxes are in use and the dash and
    // gap lengths not (colour lines are solid); "白黒" (1): the other way round, the lengths
    // kept as they are.
    void SetColourMode(int mode);
    bool ColourBoxesEnabled() const { return m_values.ColourMode == 0; }
    bool DashAndGapEnabled() const { return m_values.ColourMode != 0; }

    // Page 3 margins, 1-100 mm.
    std::optional<FieldError> SetTopMargin(std::string_view text);
    std::optional<FieldError> SetLeftMargin(std::string_view text);
    // Any integer field of pages 1 and 2 (widths, dash and gap lengths).
    static std::optional<FieldError> SetInteger(int& field, std::string_view text);
    // "Pe = " in MPa.
    std::optional<FieldError> SetLugeonPe(std::string_view text);
    // A colour box: "0x%06x" (0x00BBGGRR) or a decimal value; stored as "0x%06x".
    static std::optional<FieldError> SetColour(std::string& field, std::string_view text);

    // The sheet's fields taken into the settings; the other fields stay as they are.
    void ApplyTo(SystemSettings& settings) const;
    // OK: ApplyTo, then the settings file rewritten; false with "保存できませんでした" when
    // it cannot be (the settings stay as edited).
    bool Commit(SystemSettings& settings, const InstallFolder& folder, core::Messages* messages) const;

private:
    void ApplyGrids(int value);
    SystemSettings m_values;
};

}  // namespace stracol::app
