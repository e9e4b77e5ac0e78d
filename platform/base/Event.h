#pragma once
// Events: manual-reset events stay signalled until reset; auto-reset events release one wait and reset.

#include "platform/base/HandleTable.h" // CloseHandle
#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

// A new event, manual- or auto-reset; a name is ignored (the program shares no event by name).
HANDLE CreateEvent(LPSECURITY_ATTRIBUTES lpEventAttributes, BOOL bManualReset, BOOL bInitialState, LPCSTR lpName);
// Signals the event; FALSE with ERROR_INVALID_HANDLE for a non-event handle.
BOOL SetEvent(HANDLE hEvent);
// Unsignals the event; FALSE with ERROR_INVALID_HANDLE for a non-event handle.
BOOL ResetEvent(HANDLE hEvent);
// Releases the threads waiting on the event at this moment (all for a manual-reset event, one for an
// auto-reset event) and leaves it unsignalled; with nobody waiting it only resets.
BOOL PulseEvent(HANDLE hEvent);

namespace platform {

class Event final : public KernelObject {
public:
    Event(bool manualReset, bool signaled)
        : m_manualReset(manualReset)
        , m_signaled(signaled)
    {
    }

    bool IsSignaled(const Thread&) const override { return m_signaled; }
    bool Acquire(const std::shared_ptr<Thread>&) override;

    bool IsManualReset() const { return m_manualReset; }
    void Set();
    void Reset();
    void Pulse();

private:
    const bool m_manualReset;
    bool m_signaled; // guarded by the kernel lock
};

} // namespace platform
