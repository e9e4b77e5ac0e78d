#pragma once
// Records the message boxes shown while it lives, answering each with OK.

#include "platform/base/MessageBox.h"

#include <string>
#include <vector>

class MessageBoxRecorder {
public:
    MessageBoxRecorder()
        : m_previous(platform::SetMessageBoxPresenter([this](const std::string& text, const std::string&, UINT) {
            m_texts.push_back(text);
            return IDOK;
        }))
    {
    }
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;
    ~MessageBoxRecorder() { platform::SetMessageBoxPresenter(m_previous); }

    const std::vector<std::string>& Texts() const { return m_texts; }
    void Clear() { m_texts.clear(); }

private:
    std::vector<std::string> m_texts;
    platform::MessageBoxPresenter m_previous;
};
