#include "gui/DeferredMessages.h"

#include <utility>

namespace stracol::gui {

void DeferredMessages::Show(core::MessageKind kind, const std::string& text) {
    m_pending.push_back({kind, text});
}

bool DeferredMessages::Ask(const std::string& question) {
    m_pending.push_back({core::MessageKind::Question, question});
    return false;
}

void DeferredMessages::Flush() {
    // Showing may paint again and add more; take the list first.
    std::vector<core::RecordingMessages::Entry> pending;
    pending.swap(m_pending);
    for (const auto& entry : pending) m_target.Show(entry.kind, entry.text);
}

}  // namespace stracol::gui
