#pragma once
// One display item (表示事項): a column of the log with its label, width, four header texts,
// marker, data placement and group count, carried as 21 text fields in the order of an item
// line of a style file. Used alike by the catalogue, the item rows of a style and the lines
// of a style file.

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace stracol::style {

inline constexpr int kDisplayItemFields = 21;

// Field numbers (counted from 1, as on the item line).
inline constexpr int kLabelField = 1;
inline constexpr int kWidthField = 2;
inline constexpr int kMarkerField = 19;
inline constexpr int kDataPlacementField = 20;
inline constexpr int kGroupCountField = 21;

// The marker every catalogue entry and every row held by the style editor carries.
inline constexpr std::string_view kEditorMarker = "99_";

// Width in CP932 bytes a label is padded to ("%-24s") when it enters a style.
inline constexpr std::size_t kLabelWidth = 24;

// One header text of an item: k = 1..4 uses fields 3 + 4 (k - 1) to 6 + 4 (k - 1).
struct HeaderText {
    std::string text;
    int placementCode = 0;  // leading integer of the placement field (HeaderPlacement)
    double top = 0;         // position in the 12 rows of the item-header band
    double bottom = 0;

    // A position whose integer part is above 12 counts as 1 for the top and 12 for the bottom.
    double EffectiveTop() const;
    double EffectiveBottom() const;
};

class DisplayItem {
public:
    DisplayItem() = default;

    // The 21 fields of an item line (CsvField rules); missing fields stay empty, extra
    // fields are ignored.
    static DisplayItem FromLine(std::string_view line);
    // The 21 fields joined by ",", no quoting.
    std::string ToLine() const;

    // Field n, counted from 1 (1..21); an out-of-range n gives an empty text.
    const std::string& Field(int n) const;
    void SetField(int n, std::string value);
    const std::array<std::string, kDisplayItemFields>& Fields() const { return m_fields; }

    // True when field 1 holds nothing but blanks: such a row ends a style's item list.
    bool IsEmpty() const;
    void Clear();

    const std::string& Label() const { return m_fields[0]; }
    // Leading integer of field 1 (the 4-digit item code).
    int ItemCode() const;
    // Leading number of field 2: column width on paper in mm.
    double WidthMm() const;
    // Header text k = 1..4 (an out-of-range k gives an empty, hidden text).
    HeaderText Header(int k) const;
    // Leading integer of field 20 (DataPlacement).
    int DataPlacementCode() const;
    // Leading integer of field 21.
    int GroupCount() const;
    // Group headers (3100, 3200, … 3800) are exact multiples of 100, tested in floating point
    // as the item code has always been: code == 100 × floor(code / 100 + 0.0000001). A code
    // of 0 or less (dividers, rows without a code) is never a group header.
    bool IsGroupHeader() const;

    bool operator==(const DisplayItem&) const = default;

private:
    std::array<std::string, kDisplayItemFields> m_fields;
};

// The rule of a group header applied to a bare item code.
bool IsGroupHeaderCode(int code);

// What happens to an item that enters a style (read by the editor, added in the editor):
// the label is padded to 24 CP932 bytes, an automatic data placement written "99" or
// "99 A" on an ordinary item becomes "99 Auto", the marker becomes "99_" and an empty group
// count becomes "0".
void NormaliseForStyle(DisplayItem& item);

}  // namespace stracol::style
