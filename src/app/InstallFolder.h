#pragma once
// The folder every settings, master and style file is named relative to.

#include <string>
#include <string_view>

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder {
public:
    InstallFolder() = default;
    explicit InstallFolder(std::string path);

    // The folder given with --home when not empty, else the STRACOL_HOME environment variable
    // when set, else, for an installed program, the per-user folder (made on first use as a
    // copy of the installed home files), else the current directory. A folder that is the
    // file-system root gets the message "Stracol.exeを適当なフォルダに保存して下さい" (it is
    // still used).
    static InstallFolder Resolve(std::string_view homeOption, core::Messages* messages = nullptr);
    // Resolve with the installed home files given ("" for a program that is not installed).
    static InstallFolder ResolveWith(std::string_view homeOption, const std::string& installedHomeFiles,
                                     core::Messages* messages);

    // The per-user folder: $XDG_CONFIG_HOME/stracol, or $HOME/.config/stracol when that is
    // unset or not an absolute path; "" when neither is known.
    static std::string UserFolderPath();
    // The home files an installed program brings: <prefix>/share/stracol for the program
    // <prefix>/bin/NAME; "" when there is no such folder (a program run from its build tree).
    static std::string InstalledHomeFiles();
    // Makes the per-user folder ready: a folder that exists is used as it is; a missing one
    // is made as a copy of seedFolder, built beside it under another name and renamed into
    // place, so that a half-made copy is never taken for the folder. False with the reason.
    static bool PrepareUserFolder(const std::string& userFolder, const std::string& seedFolder, std::string& error);

    const std::string& Path() const { return m_path; }
    // A file of the install folder ("SysQXV.ndx") or of its Mst subfolder ("Mst/ClmObj.mst").
    std::string File(std::string_view name) const;
    std::string MstFile(std::string_view name) const;
    std::string PatternFolder() const { return File("Sbptn"); }

private:
    std::string m_path = ".";
};

}  // namespace stracol::app
