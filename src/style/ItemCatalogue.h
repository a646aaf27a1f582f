#pragma once
// The display-item catalogue (表示事項の一覧): every display item the style editor offers, in
// the order of its list, dividers included. Loaded once at start-up from Mst/ClmObj.mst, or
// from the built-in list when that file cannot be opened.

#include "style/DisplayItem.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace stracol::style {

// The catalogue file relative to the install folder.
inline constexpr std::string_view kCatalogueFile = "Mst/ClmObj.mst";

class ItemCatalogue {
public:
    static constexpr std::size_t kMaxEntries = 99;
    // Catalogue lines are read up to this many CP932 bytes (the rest of a line is dropped).
    static constexpr std::size_t kLineLimit = 252;

    // Loads the catalogue file; when it cannot be opened the built-in list is loaded instead
    // (no message). Returns true when the file was used.
    bool Load(const std::string& path);
    // Loads the built-in list.
    void LoadBuiltIn();
    // Loads from lines already read: empty lines are skipped, a line whose leading integer is
    // -1 ends the list, every other line (dividers without commas too) becomes the next entry
    // with its marker forced to "99_", and at most 99 entries are taken.
    void LoadLines(const std::vector<std::string>& lines);

    std::size_t Count() const { return m_entries.size(); }
    // Entry by 0-based index (the position in the editor's list).
    const DisplayItem& Entry(std::size_t index) const { return m_entries.at(index); }
    const std::vector<DisplayItem>& Entries() const { return m_entries; }
    // The first entry with this item code (codes above 0 only), or nullptr.
    const DisplayItem* FindByCode(int code) const;

private:
    std::vector<DisplayItem> m_entries;
};

// The built-in catalogue as catalogue lines, ending with "-1 END ,max99Line".
const std::vector<std::string>& BuiltInCatalogueLines();

}  // namespace stracol::style
