#pragma once
// The desktop program's messages: each one a modal message box over the main window with
// the program's name as its caption; questions are Yes/No boxes.

#include "core/Messages.h"

class QWidget;

namespace stracol::gui {

class MessageBoxMessages : public core::Messages {
public:
    explicit MessageBoxMessages(QWidget* parent = nullptr) : m_parent(parent) {}
    void SetParent(QWidget* parent) { m_parent = parent; }

    void Show(core::MessageKind kind, const std::string& text) override;
    bool Ask(const std::string& question) override;

private:
    QWidget* m_parent;
};

}  // namespace stracol::gui
