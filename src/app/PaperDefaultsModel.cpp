#include "app/PaperDefaultsModel.h"

#include "app/SystemSettings.h"

namespace stracol::app {

PaperDefaultsModel::PaperDefaultsModel(const SystemSettings& s)
    : m_enabled(s.StartupPaperEnabled == 1),
      // A value the file holds out of range shows as the first button.
      m_paperSize(s.StartupPaperSize == 1 ? 1 : 0),
      m_orientation(s.StartupOrientation == 1 ? 1 : 0) {}

void PaperDefaultsModel::ApplyTo(SystemSettings& s) const {
    s.StartupPaperEnabled = m_enabled ? 1 : 0;
    s.StartupPaperSize = m_paperSize;
    s.StartupOrientation = m_orientation;
}

bool PaperDefaultsModel::Commit(SystemSettings& s, const InstallFolder& folder, core::Messages* messages) const {
    ApplyTo(s);
    return SaveSystemSettings(s, folder, messages);
}

}  // namespace stracol::app
