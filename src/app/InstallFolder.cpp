#include "app/InstallFolder.h"

#include "core/Messages.h"
#include "core/TextFile.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <pwd.h>
#include <unistd.h>

namespace stracol::app {

InstallFolder::InstallFolder(std::string path) {
    std::size_t end = path.find_last_not_of('/');
    if (path.empty()) m_path = ".";
    else if (end == std::string::npos) m_path = "/";  // only slashes: the root
    else m_path = path.substr(0, end + 1);
}

InstallFolder InstallFolder::Resolve(std::string_view homeOption, core::Messages* messages) {
    const char* env = std::getenv("STRACOL_HOME");
    const bool given = !homeOption.empty() || (env && *env);
    return ResolveWith(homeOption, given ? std::string() : InstalledHomeFiles(), messages);
}

InstallFolder InstallFolder::ResolveWith(std::string_view homeOption, const std::string& installedHomeFiles,
                                         core::Messages* messages) {
    std::string path;
    if (!homeOption.empty()) {
        path = std::string(homeOption);
    } else if (const char* env = std::getenv("STRACOL_HOME"); env && *env) {
        path = env;
    } else if (!installedHomeFiles.empty()) {
        // An installed program keeps the user's files in the per-user folder; when that
        // cannot be made, the installed files are read as they are (saving them fails).
        const std::string user = UserFolderPath();
        std::string error = user.empty() ? "neither XDG_CONFIG_HOME nor HOME is set" : std::string();
        if (!user.empty() && PrepareUserFolder(user, installedHomeFiles, error)) {
            path = user;
        } else {
            path = installedHomeFiles;
            if (messages)
                messages->Warning("cannot make the settings folder " + (user.empty() ? std::string("~/.config/stracol") : user) +
                                  ": " + error + "; the installed files of " + installedHomeFiles + " are used");
        }
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

std::string InstallFolder::UserFolderPath() {
    if (const char* config = std::getenv("XDG_CONFIG_HOME"); config && config[0] == '/')
        return core::JoinPath(config, "stracol");
    const char* home = std::getenv("HOME");
    std::string homeFolder = home && home[0] == '/' ? home : std::string();
    if (homeFolder.empty()) {
        if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir && entry->pw_dir[0] == '/')
            homeFolder = entry->pw_dir;
    }
    if (homeFolder.empty()) return {};
    return core::JoinPath(core::JoinPath(homeFolder, ".config"), "stracol");
}

std::string InstallFolder::InstalledHomeFiles() {
    std::error_code ec;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec || program.empty()) return {};
    const std::filesystem::path bin = program.parent_path();
    if (bin.filename() != "bin") return {};
    const std::filesystem::path files = bin.parent_path() / "share" / "stracol";
    if (!std::filesystem::is_directory(files, ec)) return {};
    return files.string();
}

bool InstallFolder::PrepareUserFolder(const std::string& userFolder, const std::string& seedFolder, std::string& error) {
    namespace fs = std::filesystem;
    std::error_code ec;
    if (fs::is_directory(userFolder, ec)) return true;
    if (fs::exists(userFolder, ec)) {
        error = userFolder + " is not a folder";
        return false;
    }
    if (!fs::is_directory(seedFolder, ec)) {
        error = "no folder " + seedFolder + " to copy";
        return false;
    }
    const fs::path target = fs::path(userFolder).lexically_normal();
    const fs::path parent = target.parent_path();
    fs::create_directories(parent, ec);
    if (ec) {
        error = "cannot make " + parent.string() + ": " + ec.message();
        return false;
    }
    std::string scratch = (parent / ("." + target.filename().string() + "-XXXXXX")).string();
    if (!::mkdtemp(scratch.data())) {
        error = "cannot make a folder in " + parent.string() + ": " + std::strerror(errno);
        return false;
    }
    fs::copy(seedFolder, scratch, fs::copy_options::recursive, ec);
    if (!ec) fs::permissions(scratch, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                          fs::perms::others_read | fs::perms::others_exec, ec);
    if (ec) {
        error = "cannot copy " + seedFolder + ": " + ec.message();
        fs::remove_all(scratch, ec);
        return false;
    }
    // Copies of read-only installed files are the user's to change.
    for (auto it = fs::recursive_directory_iterator(scratch, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec)) {
        std::error_code ignored;
        fs::permissions(it->path(), fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::rename(scratch, target, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove_all(scratch, ignored);
        if (fs::is_directory(target, ignored)) return true;  // made meanwhile by another start
        error = "cannot make " + target.string() + ": " + ec.message();
        return false;
    }
    return true;
}

std::string InstallFolder::File(std::string_view name) const { return core::JoinPath(m_path, name); }

std::string InstallFolder::MstFile(std::string_view name) const {
    return core::JoinPath(core::JoinPath(m_path, "Mst"), name);
}

}  // namespace stracol::app
