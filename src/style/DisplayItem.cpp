#include "style/DisplayItem.h"

#include "core/Cp932.h"
#include "core/CsvField.h"
#include "core/Numbers.h"

#include <cmath>

namespace stracol::style {

double HeaderText::EffectiveTop() const { return std::floor(top) > 12 ? 1.0 : top; }
double HeaderText::EffectiveBottom() const { return std::floor(bottom) > 12 ? 12.0 : bottom; }

DisplayItem DisplayItem::FromLine(std::string_view line) {
    DisplayItem item;
    for (int n = 1; n <= kDisplayItemFields; ++n) core::CsvField(item.m_fields[n - 1], line, n);
    return item;
}

std::string DisplayItem::ToLine() const {
    std::string line;
    for (int n = 0; n < kDisplayItemFields; ++n) {
        if (n > 0) line.push_back(',');
        line += m_fields[n];
    }
    return line;
}

const std::string& DisplayItem::Field(int n) const {
    static const std::string empty;
    if (n < 1 || n > kDisplayItemFields) return empty;
    return m_fields[n - 1];
}

void DisplayItem::SetField(int n, std::string value) {
    if (n < 1 || n > kDisplayItemFields) return;
    m_fields[n - 1] = std::move(value);
}

bool DisplayItem::IsEmpty() const { return core::TrimBlanks(m_fields[0]).empty(); }

void DisplayItem::Clear() {
    for (auto& field : m_fields) field.clear();
}

int DisplayItem::ItemCode() const { return core::LeadingInt(m_fields[0]); }

double DisplayItem::WidthMm() const { return core::LeadingReal(m_fields[1]); }

HeaderText DisplayItem::Header(int k) const {
    HeaderText header;
    if (k < 1 || k > 4) {
        header.placementCode = -1;
        return header;
    }
    int first = 2 + 4 * (k - 1);  // 0-based index of the text field
    header.text = m_fields[first];
    header.placementCode = core::LeadingInt(m_fields[first + 1]);
    header.top = core::LeadingReal(m_fields[first + 2]);
    header.bottom = core::LeadingReal(m_fields[first + 3]);
    return header;
}

int DisplayItem::DataPlacementCode() const { return core::LeadingInt(m_fields[kDataPlacementField - 1]); }

int DisplayItem::GroupCount() const { return core::LeadingInt(m_fields[kGroupCountField - 1]); }

bool IsGroupHeaderCode(int code) {
    // A row without a code (a divider, an empty row) reads as 0, which is no group.
    if (code <= 0) return false;
    double value = code;
    return value == 100.0 * std::floor(value / 100.0 + 0.0000001);
}

bool DisplayItem::IsGroupHeader() const { return IsGroupHeaderCode(ItemCode()); }

void NormaliseForStyle(DisplayItem& item) {
    item.SetField(kLabelField, core::Cp932PadRight(item.Field(kLabelField), kLabelWidth));
    if (!item.IsGroupHeader()) {
        const std::string& placement = item.Field(kDataPlacementField);
        bool autoAfterFirst = placement.size() > 1 && placement.find("Auto", 1) != std::string::npos;
        if (item.DataPlacementCode() == 99 && !autoAfterFirst) item.SetField(kDataPlacementField, "99 Auto");
    }
    item.SetField(kMarkerField, std::string(kEditorMarker));
    if (item.Field(kGroupCountField).empty()) item.SetField(kGroupCountField, "0");
}

}  // namespace stracol::style
