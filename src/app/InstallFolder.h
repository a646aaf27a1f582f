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
    // when set, else the current directory. A folder that is the file-system root gets the
    // message "Stracol.exeを適当なフォルダに保存して下さい" (it is still used).
    static InstallFolder Resolve(std::string_view homeOption, core::Messages* messages = nullptr);

    const std::string& Path() const { return m_path; }
    // A file of the install folder ("SysQXV.ndx") or of its Mst subfolder ("Mst/ClmObj.mst").
    std::string File(std::string_view name) const;
    std::string MstFile(std::string_view name) const;
    std::string PatternFolder() const { return File("Sbptn"); }

private:
    std::string m_path = ".";
};

}  // namespace stracol::app
