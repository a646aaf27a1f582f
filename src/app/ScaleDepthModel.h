#pragma once
// The scale and depth dialog without its widgets: horizontal and depth scale, the data-only
// flag, the paper length and free-article height it shows, the largest depth that fits one
// page, the print start depth, the depth per page and the overlap; the checks of each field
// and of OK, and what OK stores. The command line's scale options go through the same checks.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/FieldText.h"
#include "render/PageGeometry.h"

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;
struct SystemSettings;

class ScaleDepthModel {
public:
    // The ranges the dialog takes.
    static constexpr int kScaleMin = 25;
    static constexpr int kScaleMax = 1000;
    static constexpr double kStartMin = -10;
    static constexpr double kStartMax = 3000;
    static constexpr int kPageDepthMin = 1;
    static constexpr int kPageDepthMax = 400;
    static constexpr int kOverlapMin = 0;
    static constexpr int kOverlapMax = 10;
    // A depth per page more than this above the largest that fits is warned about.
    static constexpr int kPageDepthWarnMarginM = 10;

    // The fields of a geometry whose paper was asked; the settings give the top margin.
    ScaleDepthModel(const render::PageGeometry& geometry, const SystemSettings& settings);

    // The fields as they stand (the values the dialog shows and OK takes).
    render::ScaleAndDepth& Values() { return m_values; }
    const render::ScaleAndDepth& Values() const { return m_values; }
    int PaperLengthMm() const { return m_geometry.paperLengthMm; }
    int FreeArticleHeightMm() const { return m_geometry.freeArticleHeightMm; }

    // 1ページの最大深度 (m) for the current depth scale, data-only flag and paper; 0 when
    // nothing fits ("作図長さがありません").
    int MaxDepthPerPage() const;
    // The text shown for it ("%d").
    std::string MaxDepthText() const;

    // Each field from its text, with the field's range; on refusal the field keeps its value.
    std::optional<FieldError> SetHorizontalScale(std::string_view text);
    std::optional<FieldError> SetDepthScale(std::string_view text);
    void SetDepthOnlyScaled(bool on) { m_values.depthOnlyScaled = on; }
    std::optional<FieldError> SetPrintStartDepth(std::string_view text);
    std::optional<FieldError> SetDepthPerPage(std::string_view text);
    std::optional<FieldError> SetPageOverlap(std::string_view text);

    // OK pressed. The overlap not smaller than the depth per page is set to 0 and the
    // dialog is shown once more (only on its first showing); a depth per page above the
    // largest that fits + 10 m gets "1ページの印刷深度は\n約 %d (m)です" and stays in force,
    // the largest being put into the field when the dialog is shown again. Returns true
    // when the dialog closes (the values are then ready for Commit).
    bool Confirm(core::Messages& messages);
    bool ShownAgain() const { return m_shownAgain; }

    // What OK changes: the page geometry takes the values, the settings their PageDepth,
    // PageOverlapDepth and ScaleDataOnly; the settings file is rewritten (false with
    // "保存できませんでした" when it cannot be).
    bool Commit(render::PageGeometry& geometry, SystemSettings& settings, const InstallFolder& folder,
                core::Messages* messages) const;

    // The messages of a depth per page against the page: the warning text with the largest
    // depth that fits, or empty when the depth per page is not too deep.
    static std::string PageDepthWarning(int depthPerPage, int maxDepthPerPage);

private:
    render::PageGeometry m_geometry;   // paper, title height, top margin and free-article field
    render::ScaleAndDepth m_values;
    bool m_shownAgain = false;
};

}  // namespace stracol::app
