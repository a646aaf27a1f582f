#pragma once
// The setup dialog "セットアップ" without its widgets: the install location as a drive letter
// and a folder, the checks of both ("データがありません", "パス名が異常です"), and the
// preset "標準の設定" (the system drive). The values are checked, never stored.

#include <optional>
#include <string>
#include <string_view>

#include "app/FieldText.h"

namespace stracol::app {

class SetupModel {
public:
    static constexpr std::size_t kFolderMaxBytes = 64;

    // The system drive ("C:"; its first letter is shown) and the install folder, whose drive
    // part ("X:") is left out of the folder field.
    SetupModel(std::string systemDrive, std::string_view installFolder);

    // The system drive of this machine: the drive of %SystemDrive% or %WINDIR% where there is
    // one, else "C:" (a file system without drive letters).
    static std::string SystemDrive();

    const std::string& Drive() const { return m_drive; }
    const std::string& Folder() const { return m_folder; }
    // The drive field holds one character at most.
    void SetDrive(std::string_view text);
    void SetFolder(std::string_view text) { m_folder = std::string(text); }

    // The folder field lost the focus: an empty field gives "データがありません"; a folder
    // that does not start with a separator gets one in front.
    std::optional<FieldError> FolderLeft();
    // "標準の設定": the drive of the system drive again.
    void ApplyStandard();

    enum class Field { Drive, Folder };
    struct Refusal {
        Field field;
        std::string message;
    };
    // OK: an empty drive gives "データがありません"; the drive is turned to upper case; a
    // drive that is not one of A-Z, or a folder shorter than 2 characters, gives
    // "パス名が異常です". Nothing when the location is sound.
    std::optional<Refusal> Confirm();

private:
    std::string m_systemDrive;
    std::string m_drive;
    std::string m_folder;
};

}  // namespace stracol::app
