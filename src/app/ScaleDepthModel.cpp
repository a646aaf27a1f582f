#include "app/ScaleDepthModel.h"

#include "app/SystemSettings.h"
#include "core/Format.h"
#include "core/Messages.h"

namespace stracol::app {

ScaleDepthModel::ScaleDepthModel(const render::PageGeometry& geometry, const SystemSettings& settings)
    : m_geometry(geometry), m_values(render::CurrentScaleAndDepth(geometry)) {
    // The margin of the settings, which the next paint takes, not the one of the last paint.
    m_geometry.topMarginMm = settings.TopMargin;
}

int ScaleDepthModel::MaxDepthPerPage() const {
    const int m = render::PrintableDepthFor(m_geometry, m_values);
    return m > 0 ? m : 0;
}

std::string ScaleDepthModel::MaxDepthText() const { return core::Sprintf("%d", MaxDepthPerPage()); }

std::optional<FieldError> ScaleDepthModel::SetHorizontalScale(std::string_view text) {
    return ParseIntField(text, kScaleMin, kScaleMax, m_values.horizontalScale);
}

std::optional<FieldError> ScaleDepthModel::SetDepthScale(std::string_view text) {
    return ParseIntField(text, kScaleMin, kScaleMax, m_values.depthScale);
}

std::optional<FieldError> ScaleDepthModel::SetPrintStartDepth(std::string_view text) {
    return ParseRealField(text, kStartMin, kStartMax, m_values.printStartDepth);
}

std::optional<FieldError> ScaleDepthModel::SetDepthPerPage(std::string_view text) {
    return ParseIntField(text, kPageDepthMin, kPageDepthMax, m_values.depthPerPage);
}

std::optional<FieldError> ScaleDepthModel::SetPageOverlap(std::string_view text) {
    return ParseIntField(text, kOverlapMin, kOverlapMax, m_values.pageOverlap);
}

std::string ScaleDepthModel::PageDepthWarning(int depthPerPage, int maxDepthPerPage) {
    if (maxDepthPerPage + kPageDepthWarnMarginM >= depthPerPage) return {};
    std::string text = core::MessageText(core::MessageId::PrintDepthPerPage);
    if (auto at = text.find("%d"); at != std::string::npos) text.replace(at, 2, core::Sprintf("%d", maxDepthPerPage));
    return text;
}

bool ScaleDepthModel::Confirm(core::Messages& messages) {
    const int maxDepth = MaxDepthPerPage();
    bool showAgain = false;
    if (m_values.pageOverlap >= m_values.depthPerPage) {
        m_values.pageOverlap = 0;
        showAgain = !m_shownAgain;
    }
    const std::string warning = PageDepthWarning(m_values.depthPerPage, maxDepth);
    if (!warning.empty()) {
        messages.Warning(warning);
        // Offered in the field when the dialog comes back; the entry stands otherwise.
        if (showAgain && maxDepth >= kPageDepthMin) m_values.depthPerPage = maxDepth;
    }
    if (showAgain) m_shownAgain = true;
    return !showAgain;
}

bool ScaleDepthModel::Commit(render::PageGeometry& geometry, SystemSettings& settings, const InstallFolder& folder,
                             core::Messages* messages) const {
    render::ChangeScaleAndDepth(geometry, m_values);
    render::StorePageSettings(geometry, settings);
    return SaveSystemSettings(settings, folder, messages);
}

}  // namespace stracol::app
