#include "platform/base/Mutex.h"

#include "platform/base/HandleTable.h"
#include "platform/base/Kernel.h"
#include "platform/base/Thread.h"
#include "platform/base/WinError.h"

namespace platform {

Mutex::Mutex(const std::shared_ptr<Thread>& initialOwner)
{
    if (initialOwner) {
        m_owner = initialOwner;
        m_count = 1;
    }
}

bool Mutex::IsAbandoned() const
{
    if (m_count == 0)
        return false;
    auto owner = m_owner.lock();
    return !owner || owner->HasEnded();
}

bool Mutex::IsSignaled(const Thread& waiter) const
{
    return m_count == 0 || IsAbandoned() || m_owner.lock().get() == &waiter;
}

bool Mutex::Acquire(const std::shared_ptr<Thread>& waiter)
{
    const bool abandoned = IsAbandoned();
    if (m_count > 0 && !abandoned && m_owner.lock() == waiter) {
        ++m_count;
        return false;
    }
    m_owner = waiter;
    m_count = 1;
    return abandoned;
}

bool Mutex::Release(const Thread& caller)
{
    auto lock = Kernel::Lock();
    if (m_count == 0 || m_owner.lock().get() != &caller)
        return false;
    if (--m_count == 0) {
        m_owner.reset();
        Kernel::WakeAll(lock);
    }
    return true;
}

} // namespace platform

HANDLE CreateMutex(LPSECURITY_ATTRIBUTES, BOOL bInitialOwner, LPCSTR)
{
    std::shared_ptr<platform::Thread> owner;
    if (bInitialOwner)
        owner = platform::Thread::Current();
    // The kernel lock is not needed yet: nobody else can see the mutex before it has a handle.
    return platform::HandleTable::Instance().Add(std::make_shared<platform::Mutex>(owner));
}

BOOL ReleaseMutex(HANDLE hMutex)
{
    auto mutex = platform::HandleTable::Instance().FindAs<platform::Mutex>(hMutex);
    if (!mutex) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!mutex->Release(*platform::Thread::Current())) {
        SetLastError(ERROR_NOT_OWNER);
        return FALSE;
    }
    return TRUE;
}
