#include "render/columns/DensityLevels.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string>

#include "borehole/BoreholeRecord.h"
#include "core/Cp932.h"
#include "core/Numbers.h"
#include "render/ColumnFramework.h"
#include "render/ColumnRegistry.h"
#include "render/LogText.h"
#include "render/Vocabulary.h"
#include "render/columns/NValue.h"

namespace stracol::render {

namespace {

using borehole::TableId;

// LayerTable columns.
constexpr int kBottomColumn = 0;
constexpr int kName1Column = 1;
constexpr int kPattern1Column = 4;

constexpr int kSandy = 1;
constexpr int kClayey = 2;
constexpr int kSandyAndClayey = 3;

constexpr std::array<double, 5> kDensityThresholds = {-99, 4, 10, 30, 50};
constexpr std::array<int, 5> kDensityLines = {2, 1, 1, 1, 2};
constexpr std::array<double, 6> kConsistencyThresholds = {-99, 2, 4, 8, 15, 30};
constexpr std::array<int, 6> kConsistencyLines = {2, 2, 1, 1, 2, 2};

// An entry stands at least this far below the top of its layer (m).
constexpr double kBelowLayerTopM = 0.05;
// A wrapped word too wide for its column is raised by this part of a line to stay centred on
// its test.
constexpr double kWrappedRaiseLines = 0.4;
constexpr double kWrappedWidthFactor = 0.9;

// One level list being built: the level of the current layer's last entry decides whether
// the next test opens a new entry or moves the last one down.
class LevelList {
public:
    explicit LevelList(std::vector<LevelEntry>& entries) : m_entries(entries) {}

    void StartLayer() { m_lastLevel = 0; }

    void Add(double depthM, int level) {
        if (level == m_lastLevel && !m_entries.empty()) {
            m_entries.back().depthM = depthM;
            return;
        }
        if (static_cast<int>(m_entries.size()) >= kMaxLevelEntries) return;
        m_entries.push_back(LevelEntry{depthM, level});
        m_lastLevel = level;
    }

private:
    std::vector<LevelEntry>& m_entries;
    int m_lastLevel = 0;
};

bool IsWrappedPlacement(int code) { return code >= 21 && code <= 23; }

void LevelRenderer(LogContext& ctx, int slot, int itemCode) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const NValueLevels levels = ComputeNValueLevels(ctx.record, ColumnMetrics(ctx).lineDepth);
    DrawNValueLevelColumn(ctx, slot, itemCode, levels);
}

}  // namespace

int DensityLevel(double n) {
    int level = 1;
    for (std::size_t i = 0; i < kDensityThresholds.size(); ++i)
        if (n >= kDensityThresholds[i]) level = static_cast<int>(i) + 1;
    return level;
}

int ConsistencyLevel(double n) {
    int level = 1;
    for (std::size_t i = 0; i < kConsistencyThresholds.size(); ++i)
        if (n > kConsistencyThresholds[i]) level = static_cast<int>(i) + 1;
    return level;
}

int DensityTextLines(int level) {
    if (level < 1 || level > static_cast<int>(kDensityLines.size())) return 1;
    return kDensityLines[static_cast<std::size_t>(level - 1)];
}

int ConsistencyTextLines(int level) {
    if (level < 1 || level > static_cast<int>(kConsistencyLines.size())) return 1;
    return kConsistencyLines[static_cast<std::size_t>(level - 1)];
}

int SoilClassOf(std::string_view patternCode) {
    const double v = core::LeadingReal(patternCode);
    if (!std::isfinite(v)) return 0;
    return static_cast<int>(std::trunc((v - std::floor(v)) * 10.1));
}

NValueLevels ComputeNValueLevels(const borehole::BoreholeRecord& record, double lineDepth) {
    NValueLevels result;
    LevelList density(result.density);
    LevelList consistency(result.consistency);
    const double h = lineDepth;

    std::vector<SptTest> tests = SptTests(record);
    std::erase_if(tests, [](const SptTest& t) { return !t.hasValue; });
    std::size_t next = 0;

    const borehole::DepthTable& layers = record.Table(TableId::Layer);
    const int rows = layers.RowCount();
    double top = 0.0;
    for (int row = 1; row <= rows; ++row) {
        if (core::TrimBlanks(layers.Cell(row, kName1Column)).empty()) continue;
        const double c = top;
        const double e = core::LeadingReal(layers.Cell(row, kBottomColumn));
        top = e;
        const int soilClass = SoilClassOf(layers.Cell(row, kPattern1Column));
        const bool judgeDensity = soilClass == kSandy || soilClass == kSandyAndClayey;
        const bool judgeConsistency = soilClass == kClayey || soilClass == kSandyAndClayey;
        density.StartLayer();
        consistency.StartLayer();
        // Tests continue where the previous layer stopped; a test below this layer is looked
        // at again for the next one.
        for (; next < tests.size(); ++next) {
            const SptTest& test = tests[next];
            const double g = test.PlotDepthM();
            if (g < c) continue;
            if (g > e) break;
            const double n = test.n;
            const double m = g - h;
            if (judgeDensity) {
                const int level = DensityLevel(n);
                density.Add(std::min(std::max(m, c + kBelowLayerTopM), e - h * DensityTextLines(level)), level);
            }
            if (judgeConsistency) {
                const int level = ConsistencyLevel(n);
                consistency.Add(std::min(std::max(m, c + kBelowLayerTopM), e - h * ConsistencyTextLines(level)),
                                level);
            }
        }
    }
    return result;
}

void DrawNValueLevelColumn(LogContext& ctx, int slot, int itemCode, const NValueLevels& levels) {
    if (!IsDrawnSlot(ctx.columns, slot)) return;
    const bool density = itemCode == kDensityCodeItem || itemCode == kDensityWordItem;
    const bool words = itemCode == kDensityWordItem || itemCode == kConsistencyWordItem;
    if (!density && itemCode != kConsistencyCodeItem && itemCode != kConsistencyWordItem) return;
    const std::vector<LevelEntry>& entries = density ? levels.density : levels.consistency;
    const ColumnPlacement col = SlotColumnPlacement(ctx, slot);
    const CellMetrics metrics = ColumnMetrics(ctx);
    const double h = metrics.lineDepth;
    const double width = col.rightMm - col.leftMm;

    for (const LevelEntry& entry : entries) {
        if (entry.depthM < 0) continue;
        if (!words) {
            const std::string_view code =
                density ? RelativeDensityCode(entry.level) : ConsistencyCode(entry.level);
            if (code.empty()) continue;
            TextAlignScope align(ctx.surface, TextAlign{col.align, VerticalAlign::Top});
            TextAt(ctx.surface, ctx.geometry, col.anchorMm, entry.depthM, code);
            continue;
        }
        const std::string_view word = density ? RelativeDensityWord(entry.level) : ConsistencyWord(entry.level);
        if (word.empty()) continue;
        double top = entry.depthM;
        if (IsWrappedPlacement(col.placementCode) &&
            static_cast<double>(core::CharacterCount(word)) * metrics.charWidthMm * kWrappedWidthFactor > width)
            top = entry.depthM - kWrappedRaiseLines * h;
        PlaceCellText(ctx, 0, slot, top, 0.0, entry.depthM + h, kUseSlotPlacement, metrics.charWidthMm, h, word);
    }
}

void RegisterDensityColumns(ColumnRegistry& registry) {
    for (int code : {kDensityCodeItem, kConsistencyCodeItem, kDensityWordItem, kConsistencyWordItem})
        registry.Register(code, [code](LogContext& ctx, int slot, int) { LevelRenderer(ctx, slot, code); });
}

}  // namespace stracol::render
