#pragma once
// Collects the debug output while it lives. Kept apart from the networking headers, which clash with
// the platform's debug header.

#include <functional>
#include <memory>
#include <string>

namespace vireo::test {

class LogCapture {
public:
    LogCapture();
    ~LogCapture();
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    bool Contains(const std::string& text) const { return m_text->find(text) != std::string::npos; }
    const std::string& Text() const { return *m_text; }
    void Clear() { m_text->clear(); }

private:
    std::shared_ptr<std::string> m_text { std::make_shared<std::string>() };
    std::function<void()> m_restore;
};

} // namespace vireo::test
