#include "render/columns/WorkDayWater.h"

#include <algorithm>

#include "app/SystemSettings.h"
#include "borehole/BoreholeRecord.h"
#include "core/Format.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"

namespace stracol::render {

namespace {

// WaterLogTable: 0 the level as read, 1 carried (the casing bottom), 6 the measuring date.
constexpr int kLevelColumn = 0;
constexpr int kCasingColumn = 1;
constexpr int kDateColumn = 6;

constexpr int kDateMode = 1;
constexpr int kLevelMode = 2;
constexpr int kCasingMode = 3;

struct WorkDayItem {
    int code;
    int which;
};
constexpr WorkDayItem kWorkDayItems[] = {{3601, kDateMode}, {3602, kLevelMode}, {3603, kCasingMode}};

std::string EntryText(const WorkDayEntry& e, int which) {
    switch (which) {
        case kDateMode: return e.date;
        case kLevelMode: return core::Sprintf("%.2f", e.level);
        case kCasingMode: return e.casingBottom;
        default: return {};
    }
}

}  // namespace

std::string WorkDayDate(std::string_view date) {
    std::string out(core::TrimBlanks(date));
    if (out.size() > 5 && (core::LeadingLong(out) >= 1900 || out.compare(0, 5, "0000-") == 0 ||
                           out.compare(0, 5, "0000/") == 0))
        out.erase(0, 5);
    std::replace(out.begin(), out.end(), '-', '/');
    return out;
}

std::vector<WorkDayEntry> WorkDayEntries(const borehole::BoreholeRecord& record) {
    const borehole::DepthTable& table = record.Table(borehole::TableId::WaterLog);
    std::vector<WorkDayEntry> entries;
    const int rows = table.StoredRows();
    for (int row = 1; row <= rows; ++row) {
        const std::string& level = table.Cell(row, kLevelColumn);
        if (core::IsNumericStart(level) != 1) continue;
        WorkDayEntry e;
        e.level = core::LeadingReal(level);
        e.date = WorkDayDate(table.Cell(row, kDateColumn));
        const std::string& casing = table.Cell(row, kCasingColumn);
        if (core::IsNumericStart(casing) == 1 && casing.find('/') == std::string::npos)
            e.casingBottom = std::string(core::TrimBlanks(casing));
        entries.push_back(std::move(e));
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const WorkDayEntry& a, const WorkDayEntry& b) { return a.level < b.level; });
    return entries;
}

void DrawWorkDayColumn(LogContext& ctx, int slot, int which) {
    if (!IsDrawnSlot(ctx.columns, slot) || which < kDateMode || which > kCasingMode) return;
    const CellMetrics metrics = ColumnMetrics(ctx);
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const int rule = ctx.settings.RuleLineWidth;
    bool first = true;
    double carry = 0.0;
    for (const WorkDayEntry& e : WorkDayEntries(ctx.record)) {
        // The text stands on the level's line, one line high; when the entry above still
        // occupies that line, the text moves down below it and the level's line bends there.
        const double bottom = first ? e.level : std::max(e.level, carry + metrics.lineDepth);
        const double top = first ? e.level - metrics.lineDepth : std::max(carry, bottom - metrics.lineDepth);
        const double used = PlaceCellText(ctx, 0, slot, top, 0.0, bottom, kUseSlotPlacement, metrics.charWidthMm,
                                          metrics.lineDepth, EntryText(e, which));
        BoundaryLine(ctx, col.leftMm, col.rightMm, e.level, used, e.level, kBoundaryInsetMm, rule);
        carry = used;
        first = false;
    }
}

void RegisterWorkDayWater(ColumnRegistry& registry) {
    for (const WorkDayItem& item : kWorkDayItems) {
        const int which = item.which;
        registry.Register(item.code, [which](LogContext& ctx, int slot, int) { DrawWorkDayColumn(ctx, slot, which); });
    }
}

}  // namespace stracol::render
