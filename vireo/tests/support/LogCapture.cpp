#include "vireo/tests/support/LogCapture.h"

#include "platform/base/Debug.h"

namespace vireo::test {

LogCapture::LogCapture()
{
    auto previous = platform::SetDebugOutputHook([text = m_text](std::string_view line) { *text += line; });
    m_restore = [previous] { platform::SetDebugOutputHook(previous); };
}

LogCapture::~LogCapture() { m_restore(); }

} // namespace vireo::test
