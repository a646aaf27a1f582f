#pragma once
// The paper defaults dialog "印刷用紙の初期設定" without its widgets: whether the start-up
// paper is applied, its size (A3, A4) and orientation (縦, 横); the size and orientation
// are editable only while the start-up paper is on; OK stores the three and rewrites the
// settings file (the paper is applied at the next start).

namespace stracol::core { class Messages; }

namespace stracol::app {

class InstallFolder;
struct SystemSettings;

class PaperDefaultsModel {
public:
    explicit PaperDefaultsModel(const SystemSettings& current);

    bool Enabled() const { return m_enabled; }
    int PaperSize() const { return m_paperSize; }       // 0 A3, 1 A4
    int Orientation() const { return m_orientation; }   // 0 portrait, 1 landscape
    void SetEnabled(bool on) { m_enabled = on; }
    void SetPaperSize(int size) { m_paperSize = size == 1 ? 1 : 0; }
    void SetOrientation(int orientation) { m_orientation = orientation == 1 ? 1 : 0; }
    // The four radio buttons are in use only while the check box is on.
    bool ChoicesEnabled() const { return m_enabled; }

    void ApplyTo(SystemSettings& settings) const;
    bool Commit(SystemSettings& settings, const InstallFolder& folder, core::Messages* messages) const;

private:
    bool m_enabled = false;
    int m_paperSize = 0;
    int m_orientation = 0;
};

}  // namespace stracol::app
