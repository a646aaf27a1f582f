#include "style/StyleEditorModel.h"

#include "core/Cp932.h"
#include "core/Format.h"
#include "core/Messages.h"
#include "core/Numbers.h"
#include "core/TextFile.h"
#include "style/StyleApplication.h"
#include "style/StyleWriter.h"

#include <algorithm>
#include <cmath>

namespace stracol::style {
namespace {

constexpr std::string_view kItemsWord = "表示項目";
constexpr std::string_view kItemDataWord = "表示項目データ";
constexpr std::string_view kDistributableWord = "自動計算できる項目";

// Lines the Open command reads looking for the style or Tessel v1 magic.
constexpr int kMagicLines = 6;
constexpr std::size_t kMagicLineLimit = 100;

bool NumberText(std::string_view text) { return core::IsNumericStart(text) == 1; }

std::string Fixed1(double value) { return core::Sprintf("%.1f", value); }

std::string ReplaceAll(std::string text, std::string_view from, std::string_view to) {
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// The labels of rows, each followed by CR LF, cut to maxBytes CP932 bytes.
std::string LabelList(const std::vector<std::string>& labels, std::size_t maxBytes) {
    std::string list;
    for (const auto& label : labels) list += label + "\r\n";
    return core::Cp932Truncate(list, maxBytes);
}

std::string FolderOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string FileNameOf(const std::string& path) {
    auto slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string LowerExtension(const std::string& path) {
    std::string name = FileNameOf(path);
    auto dot = name.find_last_of('.');
    if (dot == std::string::npos) return {};
    std::string ext = name.substr(dot + 1);
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
    return ext;
}

bool EndsWithNoCase(const std::string& text, std::string_view end) {
    if (text.size() < end.size()) return false;
    for (std::size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i]) return false;
    return true;
}

}  // namespace

bool KeepsWidthInDistribution(int code) {
    static constexpr int kKept[] = {1005, 1007, 1009, 2300, 2301, 2302, 3100, 3101, 3200,
                                    3203, 3300, 3400, 3403, 3500, 3501, 3600, 3700, 3800};
    return std::find(std::begin(kKept), std::end(kKept), code) != std::end(kKept);
}

StyleEditorModel::StyleEditorModel(const LogStyle& style, const ItemCatalogue& catalogue, StyleEditorContext context,
                                   core::Messages& messages)
    : m_style(style), m_catalogue(catalogue), m_context(std::move(context)), m_messages(messages) {
    for (int i = 0; i < kMaxItemRows; ++i) {
        DisplayItem row = style.items[i];
        if (!row.IsEmpty() && core::IsNumericStart(row.Label()) == 1) NormaliseForStyle(row);
        m_table.rows[i] = std::move(row);
    }
    // Rows after the first empty one are not part of the style.
    for (int i = m_table.RowCount(); i < kMaxItemRows; ++i) m_table.rows[i].Clear();
    m_table.title = style.Title();
    m_table.styleName = style.Name();
    m_table.legends = style.legends;
    WidthSum();
    if (RowCount() < kMaxItemRows) m_selected = RowCount();
    m_changed = false;
}

const std::vector<std::string>& StyleEditorModel::BuiltInStyleEntries() {
    static const std::vector<std::string> entries = {
        "1 岩盤柱状図",      "2 土質オールコア",       "3 土質標準貫入試験",     "4 地すべりオールコア",
        "5 地すべり標準貫入", "  　…",                 "6 旧要領_土質",          "7 旧要領_岩盤.標準貫入",
        "8 旧要領_岩盤.ルジオン"};
    return entries;
}

const std::vector<std::string>& StyleEditorModel::TitleEntries() {
    static const std::vector<std::string> entries = {
        "岩盤ボーリング柱状図", "土質ボーリング柱状図(標準貫入試験)", "土質ボーリング柱状図(オールコア)",
        "地すべりボーリング柱状図(標準貫入試験)", "地すべりボーリング柱状図(オールコア)"};
    return entries;
}

void StyleEditorModel::SetTitle(std::string title) {
    if (title == m_table.title) return;
    m_table.title = std::move(title);
    m_changed = true;
}

void StyleEditorModel::SelectRow(int index) {
    if (index < 0 || index >= RowCount()) {
        m_selected = -1;
        return;
    }
    m_selected = index;
    m_edit = m_table.rows[index];
}

void StyleEditorModel::ChooseCatalogueEntry(std::size_t index) {
    if (index >= m_catalogue.Count()) return;
    DisplayItem item = m_catalogue.Entry(index);
    // Numbers are shown with "%g": "8.0" reads 8.
    if (NumberText(item.Field(kWidthField))) item.SetField(kWidthField, core::Sprintf("%g", item.WidthMm()));
    NormaliseForStyle(item);
    m_edit = std::move(item);
}

void StyleEditorModel::SetEditField(int field, std::string value) {
    if (m_edit.Field(field) == value) return;
    m_edit.SetField(field, std::move(value));
    m_changed = true;
}

void StyleEditorModel::ClearEdit() { m_edit.Clear(); }

int StyleEditorModel::RowWithCode(int code, int except) const {
    for (int i = 0; i < RowCount(); ++i)
        if (i != except && m_table.rows[i].ItemCode() == code) return i;
    return -1;
}

// The edit fields before they enter the table: an item code, a width from 0 to the paper's
// width, a group count that is a number. A refusal is shown and gives false.
bool StyleEditorModel::CheckEdit(const char* refusedText) {
    if (m_edit.IsEmpty() || !NumberText(m_edit.Label()) || m_edit.ItemCode() <= 0) {
        m_messages.Error(refusedText);
        return false;
    }
    const std::string& width = m_edit.Field(kWidthField);
    const double widthMm = m_edit.WidthMm();
    if (!NumberText(width) || widthMm < 0 || widthMm > m_context.paperWidthMm) {
        std::string text = core::MessageText(core::MessageId::NumberOutOfRange, "0");
        m_messages.Error(ReplaceAll(text, "%2", core::Sprintf("%g", m_context.paperWidthMm)));
        return false;
    }
    const std::string& group = m_edit.Field(kGroupCountField);
    if (!core::TrimBlanks(group).empty() && (!NumberText(group) || m_edit.GroupCount() < 0)) {
        m_messages.Error(core::MessageText(core::MessageId::BadNumber));
        return false;
    }
    return true;
}

bool StyleEditorModel::Add() {
    if (RowCount() >= kMaxItemRows) {
        m_messages.Error(core::MessageText(core::MessageId::MaxRows));
        return false;
    }
    if (!CheckEdit(core::MessageText(core::MessageId::CannotAdd).c_str())) return false;
    if (RowWithCode(m_edit.ItemCode(), -1) >= 0) {
        m_messages.Error(core::MessageText(core::MessageId::SameData, kItemsWord));
        return false;
    }
    DisplayItem row = m_edit;
    NormaliseForStyle(row);
    m_table.rows[RowCount()] = std::move(row);
    m_edit.Clear();
    m_selected = -1;
    m_changed = true;
    WidthSumChanged();
    return true;
}

bool StyleEditorModel::Overwrite() {
    if (RowCount() == 0) {
        m_messages.Error(core::MessageText(core::MessageId::CannotOverwrite));
        return false;
    }
    if (m_selected < 0 || m_selected >= RowCount()) {
        m_messages.Error(core::MessageText(core::MessageId::OverwriteOutOfRange));
        return false;
    }
    if (!CheckEdit(core::MessageText(core::MessageId::CannotOverwrite).c_str())) return false;
    if (RowWithCode(m_edit.ItemCode(), m_selected) >= 0) {
        m_messages.Error(core::MessageText(core::MessageId::SameData, kItemsWord));
        return false;
    }
    DisplayItem row = m_edit;
    NormaliseForStyle(row);
    m_table.rows[m_selected] = std::move(row);
    m_changed = true;
    WidthSumChanged();
    return true;
}

bool StyleEditorModel::DeleteSelected() {
    const int count = RowCount();
    if (m_selected < 0 || m_selected >= count) return false;
    for (int i = m_selected; i + 1 < kMaxItemRows; ++i) m_table.rows[i] = m_table.rows[i + 1];
    m_table.rows[kMaxItemRows - 1].Clear();
    m_edit.Clear();
    if (m_selected >= RowCount()) m_selected = -1;
    m_changed = true;
    WidthSumChanged();
    return true;
}

bool StyleEditorModel::MoveUp() {
    if (m_selected <= 0 || m_selected >= RowCount()) return false;
    std::swap(m_table.rows[m_selected], m_table.rows[m_selected - 1]);
    --m_selected;
    m_changed = true;
    return true;
}

bool StyleEditorModel::MoveDown() {
    if (m_selected < 0 || m_selected + 1 >= RowCount()) return false;
    std::swap(m_table.rows[m_selected], m_table.rows[m_selected + 1]);
    ++m_selected;
    m_changed = true;
    return true;
}

double StyleEditorModel::WidthSum() {
    double sum = 0;
    for (int i = 0; i < kMaxItemRows; ++i) {
        DisplayItem& row = m_table.rows[i];
        if (!NumberText(row.Label()) || !NumberText(row.Field(kWidthField))) continue;
        const int code = row.ItemCode();
        const bool groupOnly = code == 2300 || (code >= 3100 && code <= 3800 && code % 100 == 0);
        if (groupOnly) {
            if (row.WidthMm() > 0) row.SetField(kWidthField, "0");
        } else {
            sum += row.WidthMm();
        }
    }
    m_widthSum = sum;
    return sum;
}

std::string StyleEditorModel::WidthSumText() const { return Fixed1(m_widthSum); }

void StyleEditorModel::WidthSumChanged() { WidthSum(); }

bool StyleEditorModel::DistributeWidths() {
    const double target = m_context.titleWidthMm;
    // The shown sum, as the box holds it.
    const double sum = core::LeadingReal(Fixed1(WidthSum()));
    std::vector<int> counted;
    for (int i = 0; i < kMaxItemRows; ++i) {
        const DisplayItem& row = m_table.rows[i];
        if (!NumberText(row.Label()) || !std::isdigit(static_cast<unsigned char>(core::TrimBlanks(row.Label())[0])))
            continue;
        if (!KeepsWidthInDistribution(row.ItemCode())) counted.push_back(i);
    }
    if (counted.empty()) {
        m_messages.Error(core::MessageText(core::MessageId::NoDataOrBad, kDistributableWord));
        return false;
    }
    const double difference = sum - target;
    if (difference > -0.1 && difference < 0.1) {
        m_messages.Warning(core::MessageText(core::MessageId::WidthTooSmall));
        return false;
    }
    const double each = difference / static_cast<double>(counted.size());
    for (int i : counted) m_table.rows[i].SetField(kWidthField, Fixed1(m_table.rows[i].WidthMm() - each));
    const int lastChanged = counted.back();

    // The rounding residue goes to the first row (half of it to the last changed row when large).
    const double residue = core::LeadingReal(Fixed1(WidthSum())) - target;
    DisplayItem& first = m_table.rows[0];
    const double w0 = first.WidthMm();
    if (residue > 0.5) {
        first.SetField(kWidthField, Fixed1(w0 - residue * 0.5));
        DisplayItem& last = m_table.rows[lastChanged];
        last.SetField(kWidthField, Fixed1(last.WidthMm() - residue * 0.5));
    } else if (residue >= -1.1) {
        first.SetField(kWidthField, Fixed1(w0 - residue));
    } else {
        first.SetField(kWidthField, Fixed1(w0 + 1.1));
    }
    WidthSum();
    // The edit fields show the selected row as it now stands.
    if (m_selected >= 0 && m_selected < RowCount()) m_edit = m_table.rows[m_selected];
    m_changed = true;
    return true;
}

bool StyleEditorModel::ApplyBuiltInEntry(std::string_view entry) {
    if (m_context.confirmStyleReplace && *m_context.confirmStyleReplace == 1) {
        *m_context.confirmStyleReplace = 0;
        if (RowCount() > 0 && m_context.dataLoaded &&
            !m_messages.Ask(core::MessageText(core::MessageId::ClearStyleConfirm)))
            return false;
    }
    if (core::IsNumericStart(entry) != 1) {
        m_messages.Error(core::MessageText(core::MessageId::NoOrBadData));
        return false;
    }
    StyleEditorTable read = m_table;
    if (!LoadBuiltInStyleForEditor(read, core::LeadingInt(entry), m_context.installFolder, m_messages)) {
        m_messages.Error(core::MessageText(core::MessageId::NoOrBadData));
        return false;
    }
    m_table = std::move(read);
    m_table.styleName = "* " + std::string(entry);
    m_selected = -1;
    m_edit.Clear();
    WidthSum();
    m_changed = true;
    return true;
}

bool StyleEditorModel::Open(const std::string& path) {
    auto lines = ReadStyleFileLines(path);
    if (!lines) {
        m_messages.Error(core::MessageText(core::MessageId::FileNotFound, path));
        return false;
    }
    bool recognised = false;
    for (int i = 0; i < kMagicLines && i < static_cast<int>(lines->size()); ++i) {
        const std::string head = core::Cp932Truncate((*lines)[i], kMagicLineLimit);
        if (head.find("$$_TQSTL1") != std::string::npos || head.find("$$_TQTOK1") != std::string::npos) {
            recognised = true;
            break;
        }
    }
    StyleEditorTable read = m_table;
    LoadLegendDefaults(core::JoinPath(m_context.installFolder, kLegendDefaultsFile), read.legends);
    StyleReader reader(read);
    if (recognised) {
        for (const auto& line : *lines) reader.Feed(line);
        reader.Finish();
    }
    // A file of other content, or a style part without rows, leaves the table as it was.
    if (!recognised || reader.ItemRowsRead() == 0) {
        m_messages.Error(core::MessageText(core::MessageId::WrongFileContent));
        return false;
    }
    m_table = std::move(read);
    m_table.styleName = path;
    m_selected = -1;
    m_edit.Clear();
    WidthSum();
    m_changed = true;
    const std::vector<std::string> remembered = {core::Cp932Truncate(FolderOf(path), 500), FileNameOf(path)};
    core::WriteCp932Lines(core::JoinPath(m_context.installFolder, kStyleFolderFile), remembered, nullptr);
    return true;
}

std::string StyleEditorModel::LastFolder() const {
    auto lines = core::ReadCp932Lines(core::JoinPath(m_context.installFolder, kStyleFolderFile), 510);
    return lines && !lines->empty() ? (*lines)[0] : std::string();
}

std::string StyleEditorModel::LastFileName() const {
    auto lines = core::ReadCp932Lines(core::JoinPath(m_context.installFolder, kStyleFolderFile), 510);
    return lines && lines->size() > 1 ? (*lines)[1] : std::string();
}

std::string StyleEditorModel::ProposedSaveName() const {
    std::string name = m_table.styleName;
    if (name.find('*') != std::string::npos || name.find("SyInit") != std::string::npos ||
        name.find("SysIni") != std::string::npos)
        return {};
    if (EndsWithNoCase(name, ".tlw") || EndsWithNoCase(name, ".jdw")) name = name.substr(0, name.size() - 4) + ".tls";
    return name;
}

bool StyleEditorModel::Save(const std::string& chosenPath) { return ReadyToSave() && SaveAs(chosenPath); }

bool StyleEditorModel::ReadyToSave() {
    if (RowCount() == 0) {
        m_messages.Error(core::MessageText(core::MessageId::NoDataOrBad, kItemDataWord));
        return false;
    }
    return PassesChecks();
}

bool StyleEditorModel::SaveAs(const std::string& chosenPath) {
    std::string path = chosenPath;
    while (!path.empty() && path.back() == '.') path.pop_back();
    if (path.empty()) return false;
    std::string ext = LowerExtension(path);
    if (ext.empty()) {
        path += ".tls";
        ext = "tls";
    }
    if (ext != "tls" && ext != "h") {
        m_messages.Error(core::MessageText(core::MessageId::NotStandardExtension));
        return false;
    }
    const std::string oldName = m_table.styleName;
    m_table.styleName = path;
    Commit();
    bool written;
    if (ext == "h") {
        m_messages.Information("system h");
        written = WriteQuotedStyleFile(path, m_style, &m_messages);
    } else {
        written = WriteStyleFile(path, m_style, &m_messages);
    }
    if (!written) m_table.styleName = oldName;
    return written;
}

bool StyleEditorModel::SaveAsStartup() {
    if (RowCount() == 0) {
        m_messages.Error(core::MessageText(core::MessageId::NoDataOrBad, kItemDataWord));
        return false;
    }
    if (!m_messages.Ask(core::MessageText(core::MessageId::SaveStartupStyle))) return false;
    if (!PassesChecks()) return false;
    Commit();
    return WriteStyleFile(core::JoinPath(m_context.installFolder, kStartupStyleFile), m_style, &m_messages);
}

bool StyleEditorModel::PassesChecks() {
    const int count = RowCount();
    std::vector<std::string> unknown;
    for (int i = 0; i < count; ++i) {
        const DisplayItem& row = m_table.rows[i];
        const int code = row.ItemCode();
        if (code > 0 && !m_catalogue.FindByCode(code) && unknown.size() < 3) unknown.push_back(row.Label());
    }
    if (!unknown.empty() &&
        m_messages.Ask(core::MessageText(core::MessageId::ItemNotInCatalogue, LabelList(unknown, 200))))
        return false;
    for (int i = 0; i < count; ++i) {
        const DisplayItem& row = m_table.rows[i];
        if (!row.IsGroupHeader()) continue;
        const int g = row.GroupCount();
        if (g == 0) {
            if (m_messages.Ask(core::MessageText(core::MessageId::GroupCountMissing, row.Label()))) return false;
        } else if (i + g + 1 > count) {
            if (m_messages.Ask(core::MessageText(core::MessageId::GroupCountBad, row.Label()))) return false;
        }
    }
    return true;
}

void StyleEditorModel::Commit() {
    m_style.titleLines[0] = m_table.title;
    m_style.titleLines[1] = m_table.styleName;
    m_style.legends = m_table.legends;
    const int count = RowCount();
    for (int i = 0; i < kMaxItemRows; ++i) {
        DisplayItem& target = m_style.items[i];
        if (i >= count) {
            target.Clear();
            continue;
        }
        const DisplayItem& row = m_table.rows[i];
        for (int n = 1; n <= kDisplayItemFields; ++n) {
            std::string cell = ReplaceAll(row.Field(n), ",", "，");
            if (n == kDataPlacementField) {
                auto dot = cell.find('.');
                if (dot != std::string::npos) cell.erase(dot);
            }
            target.SetField(n, std::move(cell));
        }
    }
    // Repeated item codes are told, the commit stands.
    std::vector<std::string> repeated;
    for (int i = 0; i < count && repeated.size() < 6; ++i) {
        const int code = m_table.rows[i].ItemCode();
        if (RowWithCode(code, i) >= 0 && RowWithCode(code, i) < i) repeated.push_back(m_table.rows[i].Label());
    }
    if (!repeated.empty())
        m_messages.Warning(core::MessageText(core::MessageId::SameDisplayItem, LabelList(repeated, 300)));
}

bool StyleEditorModel::Accept(LogStyle& style) {
    if (!PassesChecks()) return false;
    Commit();
    style = m_style;
    return true;
}

bool StyleEditorModel::MayCancel() {
    if (!m_changed || RowCount() == 0) return true;
    return m_messages.Ask(core::MessageText(core::MessageId::NotWritableCancel));
}

}  // namespace stracol::style
