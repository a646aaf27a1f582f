#include "style/ItemCatalogue.h"

#include "core/Numbers.h"
#include "core/TextFile.h"

namespace stracol::style {

bool ItemCatalogue::Load(const std::string& path) {
    auto lines = core::ReadCp932Lines(path, kLineLimit);
    if (!lines) {
        LoadBuiltIn();
        return false;
    }
    LoadLines(*lines);
    return true;
}

void ItemCatalogue::LoadBuiltIn() { LoadLines(BuiltInCatalogueLines()); }

void ItemCatalogue::LoadLines(const std::vector<std::string>& lines) {
    m_entries.clear();
    for (const auto& line : lines) {
        if (line.empty()) continue;
        if (core::LeadingInt(line) == -1) break;
        if (m_entries.size() >= kMaxEntries) break;
        DisplayItem item = DisplayItem::FromLine(line);
        item.SetField(kMarkerField, std::string(kEditorMarker));
        m_entries.push_back(std::move(item));
    }
}

const DisplayItem* ItemCatalogue::FindByCode(int code) const {
    if (code <= 0) return nullptr;
    for (const auto& entry : m_entries)
        if (entry.ItemCode() == code) return &entry;
    return nullptr;
}

}  // namespace stracol::style
