#include "platform/shell/ChildProcess.h"

#include "platform/base/Kernel.h"
#include "platform/shell/Process.h"

namespace platform {

void ChildProcess::End(DWORD exitCode)
{
    auto lock = Kernel::Lock();
    m_exitCode = exitCode;
    m_ended = true;
    Kernel::WakeAll(lock);
}

DWORD ChildProcess::ExitCode() const
{
    auto lock = Kernel::Lock();
    return m_ended ? m_exitCode : STILL_ACTIVE;
}

} // namespace platform
