#pragma once
// The column renderers by key and the fixed order in which the depth part of a page calls
// them. A key is an item code for the renderer of that item's column, or one of the named
// keys below for what is not one item's data (graph grids, the frame, the boundary lines of
// the layer columns, page-wide passes). Renderer files register into a ColumnRegistry; the
// built-in registry holds every renderer file's registrations.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "render/LogContext.h"

namespace stracol::style { class ItemCatalogue; }

namespace stracol::render {

// A column renderer: called once per page paint with the slot of its item (0 when the item is
// not drawn; the renderer then returns at once) and, for families, the sub-mode that says
// which item of the family is meant. LineDepth and CharWidthMm are those of the surface's
// current font (ColumnMetrics), which the depth part has selected for the call.
using ColumnRenderer = std::function<void(LogContext& ctx, int slot, int subMode)>;

// Keys of renderers that are not one item's data column.
inline constexpr int kGridKeyBase = 100000;
// The grid of a graph column, drawn before the graphs (slot of the graph item).
constexpr int GridKey(int itemCode) { return kGridKeyBase + itemCode; }
// The outer frame and column lines of the depth part.
inline constexpr int kFrameLinesKey = 90001;
// Layer boundary values and lines (slot of the column to rule; modes 1 elevation, 2 depth,
// 4 and 5 lines only, 6 thickness).
inline constexpr int kBoundaryValuesKey = 90002;
// The property-row depths written into the depth and elevation columns (slot of 1003).
inline constexpr int kPropertyDepthsKey = 90003;
// The relative density and consistency levels computed from the N values (no slot).
inline constexpr int kNLevelComputationKey = 90004;
// The free-article field and the page footer (no slot); supplied by the paint routine.
inline constexpr int kPageFooterKey = 90005;

// A readable name of a key: "1025", "grid 3101", "frame lines" …
std::string RendererKeyName(int key);

class ColumnRegistry {
public:
    // A second registration of a key replaces the first.
    void Register(int key, ColumnRenderer renderer);
    // nullptr when nothing is registered for the key.
    const ColumnRenderer* Find(int key) const;
    bool Has(int key) const { return Find(key) != nullptr; }
    std::vector<int> Keys() const;

private:
    std::map<int, ColumnRenderer> m_renderers;
};

// Fills a registry with every built-in renderer family.
void RegisterBuiltInRenderers(ColumnRegistry& registry);
// The process-wide registry of the paint routine, filled with the built-in renderers on first use.
ColumnRegistry& BuiltInRegistry();
// Registers a renderer into the built-in registry.
void RegisterColumnRenderer(int key, ColumnRenderer renderer);

// ---- the depth part order ----

// The font a depth-part call is made with (font slots of the font settings).
enum class DepthPartFont { Column, Article, Figure, Logging };

// The clip a depth-part call runs under.
enum class DepthPartClip {
    Page,        // page start … page end
    WaterLevel,  // from −6.0 m on a page starting above 0.01 m, else the page start
    NValue,      // from −2.0 m on a page starting above 0.01 m, else the page start
    None,
};

// One call of the depth part: the item codes looked up (the first one the style holds gives
// the slot, 0 when its column is not drawn; no code: no slot), the renderer key (0: the key
// is the code found, or the first code when none is found), the sub-mode, font and clip, and
// whether the call is made only when the style holds one of the items 1031 to 1036.
struct DepthPartCall {
    int step = 0;
    std::vector<int> lookupCodes;
    int rendererKey = 0;
    int subMode = 0;
    DepthPartFont font = DepthPartFont::Column;
    DepthPartClip clip = DepthPartClip::Page;
    bool onlyWithPropertyItems = false;
    // False for calls that draw around an item without drawing its data (a graph's grid,
    // the boundary lines of modes 4 and 5, the property-row depths).
    bool drawsItem = true;
};

// Steps 1 to 15 of the depth part, in order.
const std::vector<DepthPartCall>& DepthPartOrder();

// The renderer key and slot a call resolves to for this context.
struct ResolvedCall {
    int key = 0;
    int slot = 0;
};
ResolvedCall ResolveDepthPartCall(const LogContext& ctx, const DepthPartCall& call);

// Runs the depth part order on the page of ctx (geometry at depth scale, ctx.columns,
// ctx.pageStart and ctx.pageEnd set): fonts and clips per call, every registered renderer
// called once, calls without a renderer draw nothing. The page footer call goes to
// pageFooter when it is given.
void RunDepthPartOrder(LogContext& ctx, const ColumnRegistry& registry,
                       const std::function<void(LogContext&)>& pageFooter);

// The item codes of the catalogue (group headers and dividers left out) that no depth-part
// call draws with a registered renderer, and the other keys of the depth part order that
// have no renderer; sorted.
std::vector<int> UnrenderedItemCodes(const style::ItemCatalogue& catalogue, const ColumnRegistry& registry);
std::vector<int> UnrenderedItemCodes(const style::ItemCatalogue& catalogue);

}  // namespace stracol::render
