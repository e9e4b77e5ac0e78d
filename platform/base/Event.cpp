#include "platform/base/Event.h"

#include "platform/base/HandleTable.h"
#include "platform/base/Kernel.h"
#include "platform/base/Wait.h"
#include "platform/base/WinError.h"

namespace platform {

bool Event::Acquire(const std::shared_ptr<Thread>&)
{
    if (!m_manualReset)
        m_signaled = false;
    return false;
}

void Event::Set()
{
    auto lock = Kernel::Lock();
    m_signaled = true;
    Kernel::WakeAll(lock);
}

void Event::Reset()
{
    auto lock = Kernel::Lock();
    m_signaled = false;
}

void Event::Pulse()
{
    auto lock = Kernel::Lock();
    PulseWaiters(*this, m_manualReset);
    m_signaled = false;
    Kernel::WakeAll(lock);
}

} // namespace platform

namespace {

template<typename Action>
BOOL WithEvent(HANDLE hEvent, Action action)
{
    auto event = platform::HandleTable::Instance().FindAs<platform::Event>(hEvent);
    if (!event) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    action(*event);
    return TRUE;
}

} // namespace

HANDLE CreateEvent(LPSECURITY_ATTRIBUTES, BOOL bManualReset, BOOL bInitialState, LPCSTR)
{
    return platform::HandleTable::Instance().Add(
        std::make_shared<platform::Event>(bManualReset != FALSE, bInitialState != FALSE));
}

BOOL SetEvent(HANDLE hEvent)
{
    return WithEvent(hEvent, [](platform::Event& event) { event.Set(); });
}

BOOL ResetEvent(HANDLE hEvent)
{
    return WithEvent(hEvent, [](platform::Event& event) { event.Reset(); });
}

BOOL PulseEvent(HANDLE hEvent)
{
    return WithEvent(hEvent, [](platform::Event& event) { event.Pulse(); });
}
