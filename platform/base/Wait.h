#pragma once
// Waiting on kernel objects. Timeouts are measured on the installed clock (platform::CurrentClock), so a
// test that installs a ManualClock ends a wait by moving time, not by sleeping.
//
// Two rules of this layer hold for every wait, Sleep included:
// - a thread asked to stop (TerminateThread) gets WAIT_FAILED with ERROR_OPERATION_ABORTED from every wait,
//   at once, so that it runs to its end instead of blocking;
// - a thread with a wait hook (platform::SetWaitHook) runs the hook each time its wake signal is raised
//   while it waits; the window layer uses this to serve messages sent to a thread that is waiting.

#include <functional>
#include <memory>
#include <span>

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

constexpr DWORD WAIT_OBJECT_0 = 0x00000000;
constexpr DWORD WAIT_ABANDONED_0 = 0x00000080;
constexpr DWORD WAIT_ABANDONED = WAIT_ABANDONED_0;
constexpr DWORD WAIT_TIMEOUT = 258;
constexpr DWORD WAIT_FAILED = 0xFFFFFFFF;
constexpr DWORD MAXIMUM_WAIT_OBJECTS = 64;

// Waits until the object is signalled (WAIT_OBJECT_0; WAIT_ABANDONED for a mutex whose owner ended holding
// it) or dwMilliseconds pass on the clock (WAIT_TIMEOUT; INFINITE never); WAIT_FAILED with
// ERROR_INVALID_HANDLE for a handle that is not a waitable kernel object.
DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds);
// Waits for one of the objects (the lowest index wins: WAIT_OBJECT_0 + i, WAIT_ABANDONED_0 + i) or, with
// bWaitAll, for all of them at once (WAIT_OBJECT_0); WAIT_TIMEOUT as above. WAIT_FAILED with
// ERROR_INVALID_PARAMETER for no objects, more than MAXIMUM_WAIT_OBJECTS, a null array, or an object named
// twice in a wait for all; ERROR_INVALID_HANDLE for a bad handle.
DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds);
// Sleeps on the clock; Sleep(0) only yields. Returns early when the thread is asked to stop.
void Sleep(DWORD dwMilliseconds);

namespace platform {

// What a wait does about the calling thread's wake signal.
enum class WakeMode {
    Ignore, // leaves it raised
    Return, // ends the wait with WAIT_OBJECT_0 + number of objects
    ServeHook, // runs the thread's wait hook and goes on waiting
};

// The wait behind all others: like WaitForMultipleObjects, but zero objects are allowed (a wait for the
// timeout or the wake signal alone) and 'wake' says what the wake signal does.
DWORD WaitForObjects(std::span<const HANDLE> handles, bool waitAll, DWORD milliseconds, WakeMode wake);

// A thread's "something arrived" flag. Any thread may raise it; the owning thread's waits notice it.
class WakeSignal {
public:
    // Raises the signal and wakes its thread if it is waiting.
    void Raise();

private:
    friend DWORD WaitForObjects(std::span<const HANDLE>, bool, DWORD, WakeMode);
    bool m_raised { false }; // guarded by the kernel lock
};

// The calling thread's wake signal; shared, so a queue can keep it to raise later.
std::shared_ptr<WakeSignal> CurrentWakeSignal();

using WaitHook = std::function<void()>;
// Installs the calling thread's wait hook (an empty function removes it) and returns the previous one.
WaitHook SetWaitHook(WaitHook hook);

class Event;
// With the kernel lock held: satisfies the waits blocked on 'event' right now (only the first when
// 'all' is false), for PulseEvent.
void PulseWaiters(Event& event, bool all);

} // namespace platform
