#pragma once
// Messages raised while a page is being painted (a missing font, a font that cannot be made)
// are held back and shown once the paint has finished: a modal box opened inside a paint
// would start a nested event loop and repaint the view it is painting.

#include "core/Messages.h"

#include <vector>

namespace stracol::gui {

class DeferredMessages : public core::Messages {
public:
    explicit DeferredMessages(core::Messages& target) : m_target(target) {}

    // Kept until Flush.
    void Show(core::MessageKind kind, const std::string& text) override;
    // A question cannot wait for its answer during a paint: it counts as No and is shown later.
    bool Ask(const std::string& question) override;

    bool HasPending() const { return !m_pending.empty(); }
    // Shows the held messages in order on the target, each once.
    void Flush();

private:
    core::Messages& m_target;
    std::vector<core::RecordingMessages::Entry> m_pending;
};

}  // namespace stracol::gui
