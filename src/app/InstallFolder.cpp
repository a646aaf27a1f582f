#include "app/InstallFolder.h"

#include "core/Messages.h"
#include "core/TextFile.h"

#include <cstdlib>
#include <filesystem>
#include <unistd.h>

namespace stracol::app {

InstallFolder::InstallFolder(std::string path) {
    std::size_t end = path.find_last_not_of('/');
    if (path.empty()) m_path = ".";
    else if (end == std::string::npos) m_path = "/";  // only slashes: the root
    else m_path = path.substr(0, end + 1);
}

InstallFolder InstallFolder::Resolve(std::string_view homeOption, core::Messages* messages) {
    std::string path;
    if (!homeOption.empty()) {
        path = std::string(homeOption);
    } else if (const char* env = std::getenv("STRACOL_HOME"); env && *env) {
        path = env;
    } else {
        char buffer[4096];
        path = ::getcwd(buffer, sizeof buffer) ? buffer : ".";
    }
    if (path[0] != '/') {  // name files by absolute paths, whatever the working directory becomes
        std::error_code ec;
        auto absolute = std::filesystem::absolute(path, ec);
        if (!ec) path = absolute.lexically_normal().string();
    }
    InstallFolder folder(path);
    if (folder.m_path == "/" && messages) {
        messages->Warning(core::MessageText(core::MessageId::BadInstallFolder));
    }
    return folder;
}

std::string InstallFolder::File(std::string_view name) const { return core::JoinPath(m_path, name); }

std::string InstallFolder::MstFile(std::string_view name) const {
    return core::JoinPath(core::JoinPath(m_path, "Mst"), name);
}

}  // namespace stracol::app
