#pragma once
// The key options dialog "キーの動作 オプション" without its widgets: what the Enter key does
// in the editing dialogs (0 "Windows標準": confirms the dialog, 1 "次に移動": moves to the
// next field, 2 "確定のみ": nothing) and whether their tables open scrolled to the last
// filled row; OK stores both and rewrites the settings file.

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;
struct SystemSettings;

// What the Enter key does in an editing dialog for a stored EnterKeyMode: 0 or less
// confirms, 1 moves on, 2 or more is ignored.
enum class EnterKeyAction { Confirm, NextField, Ignore };
EnterKeyAction EnterKeyActionFor(int enterKeyMode);

class KeyOptionsModel {
public:
    explicit KeyOptionsModel(const SystemSettings& current);

    // The button chosen: 0, 1 or 2 (a stored value beyond them shows as the nearest).
    int EnterKeyMode() const { return m_enterKeyMode; }
    void SetEnterKeyMode(int mode) { m_enterKeyMode = mode < 0 ? 0 : mode > 2 ? 2 : mode; }
    bool ScrollToLastRow() const { return m_scrollToLastRow; }
    void SetScrollToLastRow(bool on) { m_scrollToLastRow = on; }

    void ApplyTo(SystemSettings& settings) const;
    bool Commit(SystemSettings& settings, const InstallFolder& folder, core::Messages* messages) const;

private:
    int m_enterKeyMode = 1;
    bool m_scrollToLastRow = true;
};

}  // namespace stracol::app
