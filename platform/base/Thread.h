#pragma once
// Threads. No thread is ever killed: TerminateThread only asks a thread to stop; the thread's code sees
// the request through platform::ThreadStopRequested(), and every wait it makes fails at once (WAIT_FAILED,
// ERROR_OPERATION_ABORTED) so it runs to its end. Whoever needs it gone waits on its handle.

#include <atomic>
#include <memory>
#include <optional>

#include "platform/base/HandleTable.h" // CloseHandle
#include "platform/base/KernelObject.h"
#include "platform/base/WinTypes.h"

using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID lpThreadParameter);
using PTHREAD_START_ROUTINE = LPTHREAD_START_ROUTINE;

constexpr DWORD CREATE_SUSPENDED = 0x00000004;
constexpr DWORD STACK_SIZE_PARAM_IS_A_RESERVATION = 0x00010000;
// The exit code of a thread that is still running.
constexpr DWORD STILL_ACTIVE = 259;

// Starts lpStartAddress(lpParameter) on a new thread (held back until ResumeThread with CREATE_SUSPENDED);
// its return value becomes the exit code. NULL on failure (ERROR_INVALID_PARAMETER, ERROR_NOT_ENOUGH_MEMORY).
HANDLE CreateThread(LPSECURITY_ATTRIBUTES lpThreadAttributes, SIZE_T dwStackSize,
    LPTHREAD_START_ROUTINE lpStartAddress, LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId);
// Lowers a suspended thread's suspend count and starts it at zero; the previous count, or (DWORD)-1 on failure.
DWORD ResumeThread(HANDLE hThread);
// The thread's exit code, STILL_ACTIVE while it runs; FALSE with ERROR_INVALID_HANDLE for a non-thread handle.
BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode);
// Ends the calling thread with this exit code (its stack unwinds, destructors run).
[[noreturn]] void ExitThread(DWORD dwExitCode);
// Asks the thread to stop (see above) and returns TRUE; once it ends, its exit code is dwExitCode. A thread
// that was never started ends at once; one that has ended already keeps its own code.
BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode);
// The calling thread's id (never 0).
DWORD GetCurrentThreadId();
// A pseudo-handle that stands for the calling thread wherever a thread handle is taken; closing it does nothing.
HANDLE GetCurrentThread();
// The process id.
DWORD GetCurrentProcessId();

namespace platform {

// Whether someone has asked the calling thread to stop (TerminateThread).
bool ThreadStopRequested();

// The kernel object behind a thread handle; signalled when the thread has ended.
class Thread final : public KernelObject, public std::enable_shared_from_this<Thread> {
public:
    using Routine = DWORD (*)(void*);

    // A thread that will run 'routine', held until the first Resume().
    Thread(Routine routine, void* parameter, SIZE_T stackSize);
    // Stands for a thread the layer did not start (the main thread, a library's thread), already running.
    Thread();

    // The thread object of the calling thread (made on first use for a thread the layer did not start).
    static const std::shared_ptr<Thread>& Current();

    DWORD Id() const { return m_id; }
    bool IsSignaled(const Thread& waiter) const override;
    // With the kernel lock held: whether the thread has ended.
    bool HasEnded() const { return m_ended; }

    // Lowers the suspend count, starting the thread at zero; the previous count, or (DWORD)-1 when the
    // system could not start a thread (the thread stays suspended).
    DWORD Resume();
    // STILL_ACTIVE while running, then the exit code.
    DWORD ExitCode() const;
    // See TerminateThread.
    void RequestStop(DWORD exitCode);
    bool StopRequested() const { return m_stopRequested; }
    // Records the code of ExitThread before the thread unwinds.
    void SetExitThreadCode(DWORD exitCode);
    // Marks the thread ended with the code it returned (a stop request's or ExitThread's code wins); once.
    void MarkEnded(DWORD returned);

private:
    static void* Run(void* self);

    const DWORD m_id;
    const Routine m_routine { nullptr };
    void* const m_parameter { nullptr };
    const SIZE_T m_stackSize { 0 };
    std::atomic<bool> m_stopRequested { false };
    // Guarded by the kernel lock.
    DWORD m_suspendCount { 1 };
    bool m_started { false };
    bool m_ended { false };
    DWORD m_exitCode { STILL_ACTIVE };
    std::optional<DWORD> m_stopCode;
    std::optional<DWORD> m_exitThreadCode;
};

} // namespace platform
