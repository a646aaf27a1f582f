#include "gui/CSkDoc.h"

#include <filesystem>

#include "app/Workspace.h"
#include "core/Messages.h"
#include "core/TextFile.h"

namespace stracol::gui {

CSkDoc::CSkDoc(app::Workspace& workspace, core::Messages& messages) : m_workspace(workspace), m_messages(messages) {}

bool CSkDoc::OpenCommand(const std::string& path) {
    return Load(path, borehole::OpenRoute::OpenCommand, m_messages);
}

bool CSkDoc::OnOpenDocument(const std::string& path) {
    return Load(path, borehole::OpenRoute::FrameworkLoad, m_messages);
}

bool CSkDoc::OnOpenDocument(const std::string& path, core::Messages& messages) {
    return Load(path, borehole::OpenRoute::FrameworkLoad, messages);
}

bool CSkDoc::Load(const std::string& path, borehole::OpenRoute route, core::Messages& messages) {
    borehole::OpenOptions options;
    options.route = route;
    // The workspace is changed only when the whole load succeeded; a failed load leaves the
    // log on screen as it was.
    m_lastResult = app::OpenIntoWorkspace(m_workspace, path, messages, options);
    if (!m_lastResult.loaded) return false;
    if (m_loaded) m_loaded(m_workspace.documentPath);
    if (m_updateViews) m_updateViews();
    return true;
}

void CSkDoc::OnNewDocument() {
    app::NewDocument(m_workspace);
    m_lastResult = {};
    if (m_updateViews) m_updateViews();
}

const std::string& CSkDoc::PathName() const {
    return m_workspace.documentPath;
}

std::string CSkDoc::Title() const {
    if (m_workspace.documentPath.empty()) return {};
    return std::filesystem::path(m_workspace.documentPath).filename().string();
}

std::string CSkDoc::LastOpenFolder() const {
    auto lines = core::ReadCp932Lines(m_workspace.folder.File("FileV.ndx"));
    if (!lines || lines->empty()) return {};
    return (*lines)[0];
}

QStringList CSkDoc::OpenFilters() {
    return {
        QStringLiteral("Tessel v1(*.tlw) XML(*.xml) (*.tlw *.xml *.TLW *.XML)"),
        QStringLiteral("JACIC版 岩盤 地すべり 港湾 Pillarbook "
                       "(*.tlw *.jdw *.gdw *.bdw *.hdw *.bor *.gan *.db "
                       "*.TLW *.JDW *.GDW *.BDW *.HDW *.BOR *.GAN *.DB)"),
        QStringLiteral("すべて(*.*) (*)"),
    };
}

}  // namespace stracol::gui
