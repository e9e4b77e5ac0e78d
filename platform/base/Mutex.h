#pragma once
// Mutexes: owned by one thread at a time, recursively. A mutex whose owner ends while holding it is
// abandoned: the next wait that takes it gets WAIT_ABANDONED.

#include <memory>

#include "platform/base/HandleTable.h" // CloseHandle
#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

// A new mutex, owned by the caller when bInitialOwner; a name is ignored (the program shares no mutex by name).
HANDLE CreateMutex(LPSECURITY_ATTRIBUTES lpMutexAttributes, BOOL bInitialOwner, LPCSTR lpName);
// Gives up one level of the caller's ownership; FALSE with ERROR_NOT_OWNER when the caller does not own it,
// ERROR_INVALID_HANDLE for a non-mutex handle.
BOOL ReleaseMutex(HANDLE hMutex);

namespace platform {

class Mutex final : public KernelObject {
public:
    explicit Mutex(const std::shared_ptr<Thread>& initialOwner);

    bool IsSignaled(const Thread& waiter) const override;
    bool Acquire(const std::shared_ptr<Thread>& waiter) override;
    // Gives up one level of ownership; false when 'caller' does not own the mutex.
    bool Release(const Thread& caller);

private:
    // With the kernel lock held: whether the owner has ended without releasing.
    bool IsAbandoned() const;

    // Guarded by the kernel lock.
    std::weak_ptr<Thread> m_owner;
    DWORD m_count { 0 };
};

} // namespace platform
