#include "app/SetupModel.h"

#include <cctype>
#include <cstdlib>

#include "core/Cp932.h"
#include "core/Messages.h"

namespace stracol::app {

namespace {

bool HasDrive(std::string_view path) {
    return path.size() >= 2 && std::isalpha(static_cast<unsigned char>(path[0])) && path[1] == ':';
}

bool IsSeparator(char c) { return c == '/' || c == '\\'; }

}  // namespace

SetupModel::SetupModel(std::string systemDrive, std::string_view installFolder)
    : m_systemDrive(std::move(systemDrive)) {
    ApplyStandard();
    m_folder = std::string(HasDrive(installFolder) ? installFolder.substr(2) : installFolder);
}

std::string SetupModel::SystemDrive() {
    for (const char* name : {"SystemDrive", "WINDIR", "windir", "SystemRoot"}) {
        const char* value = std::getenv(name);
        if (value && HasDrive(value)) return std::string(value, 2);
    }
    return "C:";
}

void SetupModel::SetDrive(std::string_view text) {
    m_drive = text.empty() ? std::string() : std::string(text.substr(0, core::Utf8CharLength(text, 0)));
}

std::optional<FieldError> SetupModel::FolderLeft() {
    if (m_folder.empty()) return FieldError{core::MessageText(core::MessageId::NoData)};
    // The separator of this system's paths.
    if (!IsSeparator(m_folder.front())) m_folder.insert(m_folder.begin(), '/');
    return std::nullopt;
}

void SetupModel::ApplyStandard() {
    m_drive = m_systemDrive.empty() ? std::string() : m_systemDrive.substr(0, 1);
}

std::optional<SetupModel::Refusal> SetupModel::Confirm() {
    if (m_drive.empty()) return Refusal{Field::Drive, core::MessageText(core::MessageId::NoData)};
    if (m_drive.size() == 1) m_drive[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(m_drive[0])));
    const std::string bad = core::MessageText(core::MessageId::BadPathName);
    if (m_drive.size() != 1 || m_drive[0] < 'A' || m_drive[0] > 'Z') return Refusal{Field::Drive, bad};
    if (core::CharacterCount(m_folder) < 2) return Refusal{Field::Folder, bad};
    return std::nullopt;
}

}  // namespace stracol::app
