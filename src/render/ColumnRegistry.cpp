#include "render/ColumnRegistry.h"

#include <algorithm>
#include <set>

#include "app/FontSettings.h"
#include "render/ColumnFramework.h"
#include "render/PageGeometry.h"
#include "render/Surface.h"
#include "style/DisplayItem.h"
#include "style/ItemCatalogue.h"
#include "style/LogStyle.h"

namespace stracol::render {

// The renderer files, one line each: the function (defined in that file) that registers the
// renderers of its family.
#define STRACOL_RENDERER_FILES(X) \
    X(RegisterFrameLines)         \
    X(RegisterIntervalTextColumns) \
    X(RegisterNValueRenderers)     \
    X(RegisterBoundaryColumns)     \
    X(RegisterArticleColumn)       \
    X(RegisterSampleColumns)       \
    X(RegisterInsituColumns)       \
    X(RegisterRockPropertyColumns) \
    X(RegisterMiscColumns)         \
    X(RegisterCoreGraphs)          \
    X(RegisterCoreNumbers)         \
    X(RegisterCasingColumn)        \
    X(RegisterDrillingColumns)     \
    X(RegisterHoleColumns)         \
    X(RegisterLugeonColumns)       \
    X(RegisterLoggingColumns)      \
    X(RegisterWorkDayWater)        \
    X(RegisterSoilColumns)

#define STRACOL_DECLARE_RENDERER_FILE(name) void name(ColumnRegistry& registry);
STRACOL_RENDERER_FILES(STRACOL_DECLARE_RENDERER_FILE)
#undef STRACOL_DECLARE_RENDERER_FILE

namespace {

// Water levels above the ground show on the first page down to this depth (m, negative).
constexpr double kWaterLevelClipTop = -6.0;
// N-value marks above the ground show on the first page down to this depth.
constexpr double kNValueClipTop = -2.0;
// A page starting above this depth is the first page.
constexpr double kFirstPageStart = 0.01;

DepthPartCall Item(int step, int code, int subMode = 0) {
    DepthPartCall call;
    call.step = step;
    call.lookupCodes = {code};
    call.subMode = subMode;
    return call;
}

DepthPartCall Keyed(int step, std::vector<int> codes, int key, int subMode = 0, bool drawsItem = true) {
    DepthPartCall call;
    call.step = step;
    call.lookupCodes = std::move(codes);
    call.rendererKey = key;
    call.subMode = subMode;
    call.drawsItem = drawsItem;
    return call;
}

std::vector<DepthPartCall> BuildOrder() {
    std::vector<DepthPartCall> order;
    auto add = [&order](DepthPartCall call, DepthPartFont font, DepthPartClip clip) {
        call.font = font;
        call.clip = clip;
        order.push_back(std::move(call));
    };
    using F = DepthPartFont;
    using C = DepthPartClip;

    // 1. The page clip. (The relative density and consistency levels of the N values are
    //    computed by the four columns that draw them, from the same record and line depth.)
    // 2. Outer frame and column lines.
    add(Keyed(2, {}, kFrameLinesKey, 0, false), F::Column, C::Page);
    // 3. Article column with the article font.
    add(Item(3, 1024), F::Article, C::Page);
    // 4. The scale column and the graph grids with the figure font.
    add(Item(4, 1001), F::Figure, C::Page);
    for (int code : {3101, 3403, 2301, 2302, 3202, 3204, 3205, 3501})
        add(Keyed(4, {code}, GridKey(code), 0, false), F::Figure, C::Page);
    // 5. Levels from the N values, each followed by its layer boundary lines; property colour tone.
    for (auto [code, mode] : {std::pair{1021, 4}, {1022, 5}, {2021, 4}, {2022, 5}}) {
        add(Item(5, code), F::Column, C::Page);
        add(Keyed(5, {code}, kBoundaryValuesKey, mode, false), F::Column, C::Page);
    }
    add(Item(5, 1030), F::Column, C::Page);
    // 6. Rock property columns (sub-mode: the PropertyTable column), then the property-row depths.
    for (auto [code, column] : {std::pair{1033, 3}, {1034, 4}, {1035, 5}, {1031, 6}, {1032, 7}, {1036, 8}})
        add(Item(6, code, column), F::Column, C::Page);
    DepthPartCall depths = Keyed(6, {1003}, kPropertyDepthsKey, 0, false);
    depths.onlyWithPropertyItems = true;
    add(depths, F::Column, C::Page);
    // 7. Text columns.
    const std::pair<int, int> textColumns[] = {
        {1041, 0}, {1011, 0}, {1043, 4}, {1025, 0}, {1026, 0}, {1023, 0}, {1019, 0}, {1020, 0},
        {1042, 0}, {3401, 0}, {3402, 0}, {3403, 0}, {1037, 0}, {1038, 0}, {1039, 0}, {1040, 0},
        {1090, 1}, {3801, 1}, {3802, 2}, {3805, 3}, {3806, 4}, {3807, 5}, {3808, 6}, {3809, 7},
        {3810, 8}, {3811, 9}, {3803, 1}, {3701, 2}, {3702, 3}, {3703, 4}, {3804, 6},
    };
    for (auto [code, mode] : textColumns) add(Item(7, code, mode), F::Column, C::Page);
    // 8. Water levels, visible above the ground on the first page.
    add(Item(8, 1027), F::Column, C::WaterLevel);
    // 9. N-value graph and the standard-penetration columns.
    add(Item(9, 3101), F::Column, C::NValue);
    for (auto [code, mode] : {std::pair{3102, 1}, {3103, 2}, {3104, 3}, {3109, 4}, {3108, 5}, {3105, 6}})
        add(Item(9, code, mode), F::Column, C::NValue);
    add(Item(9, 1047), F::Column, C::NValue);
    // 10. Samples, core graphs, work-day water levels, instruments; the clip is lifted after.
    for (auto [code, mode] : {std::pair{3301, 1}, {3302, 2}, {3303, 3}})
        add(Item(10, code, mode), F::Column, C::NValue);
    for (int code : {2301, 2302, 3601, 3602, 3603, 1081}) add(Item(10, code), F::Column, C::NValue);
    // 11. Tracer logging result and method figure, casing.
    for (int code : {3502, 2051, 2052}) add(Item(11, code), F::Column, C::None);
    // 12. The soil pattern column, then the soil-name column.
    add(Keyed(12, {1005, 1007, 1009}, 0), F::Column, C::None);
    add(Keyed(12, {1006, 1008, 1010}, 0), F::Column, C::None);
    // 13. Boundary values: elevation, depth, thickness.
    for (auto [code, mode] : {std::pair{1002, 1}, {1003, 2}, {1004, 6}})
        add(Keyed(13, {code}, kBoundaryValuesKey, mode), F::Column, C::None);
    // 14. Colour tone and the in-situ test columns.
    for (auto [code, mode] : {std::pair{1015, 0}, {3203, 0}, {3201, 0}, {3204, 1}, {3205, 2}, {3202, 3},
                              {1045, 1}, {1046, 2}, {1044, 3}})
        add(Item(14, code, mode), F::Column, C::None);
    // 15. Page footer and free articles, then the tracer logging graph with the logging font.
    add(Keyed(15, {}, kPageFooterKey, 0, false), F::Column, C::None);
    add(Item(15, 3501), F::Logging, C::None);
    return order;
}

int FontSlotOf(DepthPartFont font) {
    switch (font) {
        case DepthPartFont::Article: return kArticleFont;
        case DepthPartFont::Figure: return kFigureFont;
        case DepthPartFont::Logging: return kLoggingFont;
        case DepthPartFont::Column: break;
    }
    return kColumnFont;
}

bool HasPropertyItems(const style::LogStyle& style) {
    for (int code = 1031; code <= 1036; ++code)
        if (ColumnSlot(style, code) != 0) return true;
    return false;
}

void ApplyClip(LogContext& ctx, DepthPartClip clip) {
    const bool firstPage = ctx.pageStart < kFirstPageStart;
    switch (clip) {
        case DepthPartClip::Page:
            ctx.surface.SetClipRect(PageWindowRect(ctx, ctx.pageStart));
            return;
        case DepthPartClip::WaterLevel:
            ctx.surface.SetClipRect(PageWindowRect(ctx, firstPage ? kWaterLevelClipTop : ctx.pageStart));
            return;
        case DepthPartClip::NValue:
            ctx.surface.SetClipRect(PageWindowRect(ctx, firstPage ? kNValueClipTop : ctx.pageStart));
            return;
        case DepthPartClip::None:
            ctx.surface.ClearClip();
            return;
    }
}

// Selects the font of a call when the surface does not hold it already (a renderer may have
// changed it). A font that could not be made is not asked for again in the same paint, so
// its message shows once.
class FontKeeper {
public:
    explicit FontKeeper(LogContext& ctx) : m_ctx(ctx) {}

    void Use(DepthPartFont role) {
        const int slot = FontSlotOf(role);
        if (m_failed.count(slot)) return;
        const app::FontSetting& setting = m_ctx.fonts[static_cast<std::size_t>(slot - 1)];
        LogFont wanted;
        wanted.faceName = setting.faceName;
        wanted.height = LogFontHeightPx(setting.sizePt, m_ctx.geometry.dpiY);
        wanted.escapement = 0;
        const Colour colour = static_cast<Colour>(setting.colour) & 0xffffffu;
        if (m_ctx.surface.CurrentFont() == wanted && m_ctx.surface.TextColour() == colour) return;
        if (!SelectLogFontSlot(m_ctx, slot)) m_failed.insert(slot);
    }

private:
    LogContext& m_ctx;
    std::set<int> m_failed;
};

}  // namespace

std::string RendererKeyName(int key) {
    if (key > kGridKeyBase) return "grid " + std::to_string(key - kGridKeyBase);
    switch (key) {
        case kFrameLinesKey: return "frame lines";
        case kBoundaryValuesKey: return "boundary values";
        case kPropertyDepthsKey: return "property depths";
        case kNLevelComputationKey: return "N-value levels";
        case kPageFooterKey: return "page footer";
        default: return std::to_string(key);
    }
}

void ColumnRegistry::Register(int key, ColumnRenderer renderer) {
    if (!renderer) {
        m_renderers.erase(key);
        return;
    }
    m_renderers[key] = std::move(renderer);
}

const ColumnRenderer* ColumnRegistry::Find(int key) const {
    auto it = m_renderers.find(key);
    return it == m_renderers.end() ? nullptr : &it->second;
}

std::vector<int> ColumnRegistry::Keys() const {
    std::vector<int> keys;
    keys.reserve(m_renderers.size());
    for (const auto& [key, renderer] : m_renderers) keys.push_back(key);
    return keys;
}

void RegisterBuiltInRenderers(ColumnRegistry& registry) {
#define STRACOL_CALL_RENDERER_FILE(name) name(registry);
    STRACOL_RENDERER_FILES(STRACOL_CALL_RENDERER_FILE)
#undef STRACOL_CALL_RENDERER_FILE
}

ColumnRegistry& BuiltInRegistry() {
    static ColumnRegistry registry = [] {
        ColumnRegistry r;
        RegisterBuiltInRenderers(r);
        return r;
    }();
    return registry;
}

void RegisterColumnRenderer(int key, ColumnRenderer renderer) { BuiltInRegistry().Register(key, std::move(renderer)); }

const std::vector<DepthPartCall>& DepthPartOrder() {
    static const std::vector<DepthPartCall> order = BuildOrder();
    return order;
}

ResolvedCall ResolveDepthPartCall(const LogContext& ctx, const DepthPartCall& call) {
    ResolvedCall resolved;
    resolved.key = call.rendererKey;
    if (call.lookupCodes.empty()) return resolved;
    int found = call.lookupCodes.front();
    for (int code : call.lookupCodes) {
        if (ColumnSlot(ctx.style, code) != 0) {
            found = code;
            break;
        }
    }
    if (resolved.key == 0) resolved.key = found;
    resolved.slot = DrawnColumnSlot(ctx, found);
    return resolved;
}

void RunDepthPartOrder(LogContext& ctx, const ColumnRegistry& registry,
                       const std::function<void(LogContext&)>& pageFooter) {
    FontKeeper fonts(ctx);
    const bool propertyItems = HasPropertyItems(ctx.style);
    for (const DepthPartCall& call : DepthPartOrder()) {
        if (call.onlyWithPropertyItems && !propertyItems) continue;
        const ResolvedCall resolved = ResolveDepthPartCall(ctx, call);
        // Each call gets its clip and font afresh: a renderer that lifts or replaces them
        // must not leave the next one unclipped or in the wrong font.
        ApplyClip(ctx, call.clip);
        fonts.Use(call.font);
        if (resolved.key == kPageFooterKey && pageFooter) {
            // The footer and the free articles stand below the columns.
            TextColumns* columns = ctx.surface.CurrentTextColumns();
            ctx.surface.SetTextColumns(nullptr);
            pageFooter(ctx);
            ctx.surface.SetTextColumns(columns);
            continue;
        }
        if (const ColumnRenderer* renderer = registry.Find(resolved.key)) (*renderer)(ctx, resolved.slot, call.subMode);
    }
    ctx.surface.ClearClip();
}

std::vector<int> UnrenderedItemCodes(const style::ItemCatalogue& catalogue, const ColumnRegistry& registry) {
    std::set<int> candidates;
    for (const style::DisplayItem& item : catalogue.Entries()) {
        const int code = item.ItemCode();
        if (code > 0 && !item.IsGroupHeader()) candidates.insert(code);
    }
    std::set<int> drawn;
    std::set<int> missing;
    for (const DepthPartCall& call : DepthPartOrder()) {
        for (int code : call.lookupCodes) {
            if (call.drawsItem) candidates.insert(code);
            const int key = call.rendererKey != 0 ? call.rendererKey : code;
            if (call.drawsItem && registry.Has(key)) drawn.insert(code);
            if (call.rendererKey != 0 && !registry.Has(key)) missing.insert(key);
        }
        if (call.lookupCodes.empty() && call.rendererKey != kPageFooterKey && !registry.Has(call.rendererKey))
            missing.insert(call.rendererKey);
    }
    for (int code : candidates)
        if (!drawn.count(code)) missing.insert(code);
    return std::vector<int>(missing.begin(), missing.end());
}

std::vector<int> UnrenderedItemCodes(const style::ItemCatalogue& catalogue) {
    return UnrenderedItemCodes(catalogue, BuiltInRegistry());
}

}  // namespace stracol::render
