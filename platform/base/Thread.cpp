#include "platform/base/Thread.h"

#include <pthread.h>
#include <unistd.h>

#include "platform/base/HandleTable.h"
#include "platform/base/Kernel.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

DWORD NextThreadId()
{
    static std::atomic<DWORD> next { 1 };
    return next++;
}

// The calling thread's object. A thread the layer did not start is marked ended when it exits, so that
// waits on it and mutexes it left owned behave as for any other thread.
struct CurrentThreadSlot {
    std::shared_ptr<Thread> thread;
    ~CurrentThreadSlot()
    {
        if (thread)
            thread->MarkEnded(0);
    }
};
thread_local CurrentThreadSlot t_current;

// Ends the thread's object however the routine leaves: by returning, or by ExitThread unwinding it.
struct EndOnExit {
    Thread& thread;
    DWORD returned { 0 };
    ~EndOnExit() { thread.MarkEnded(returned); }
};

} // namespace

Thread::Thread(Routine routine, void* parameter, SIZE_T stackSize)
    : m_id(NextThreadId())
    , m_routine(routine)
    , m_parameter(parameter)
    , m_stackSize(stackSize)
{
}

Thread::Thread()
    : m_id(NextThreadId())
    , m_suspendCount(0)
    , m_started(true)
{
}

const std::shared_ptr<Thread>& Thread::Current()
{
    if (!t_current.thread)
        t_current.thread = std::make_shared<Thread>();
    return t_current.thread;
}

bool Thread::IsSignaled(const Thread&) const { return m_ended; }

DWORD Thread::Resume()
{
    {
        auto lock = Kernel::Lock();
        // A thread stopped before it ever ran stays ended.
        if (m_suspendCount == 0 || m_ended)
            return 0;
        if (--m_suspendCount > 0 || m_started)
            return m_suspendCount + 1;
        m_started = true;
    }

    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setdetachstate(&attr, PTHREAD_CREATE_DETACHED);
    // The size asked for is a floor: the system's default is never lowered, since the sanitizers and the
    // C++ runtime need more stack than the original platform's small reservations.
    size_t defaultSize = 0;
    if (pthread_attr_getstacksize(&attr, &defaultSize) == 0 && m_stackSize > defaultSize)
        pthread_attr_setstacksize(&attr, m_stackSize);
    auto self = std::make_unique<std::shared_ptr<Thread>>(shared_from_this());
    pthread_t handle {};
    const int error = pthread_create(&handle, &attr, &Thread::Run, self.get());
    pthread_attr_destroy(&attr);
    if (error != 0) {
        auto lock = Kernel::Lock();
        m_suspendCount = 1;
        m_started = false;
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return static_cast<DWORD>(-1);
    }
    self.release(); // now owned by the new thread
    return 1;
}

void* Thread::Run(void* raw)
{
    std::unique_ptr<std::shared_ptr<Thread>> self(static_cast<std::shared_ptr<Thread>*>(raw));
    t_current.thread = *self;
    EndOnExit end { **self };
    end.returned = (*self)->m_routine((*self)->m_parameter);
    return nullptr;
}

DWORD Thread::ExitCode() const
{
    auto lock = Kernel::Lock();
    return m_exitCode;
}

void Thread::RequestStop(DWORD exitCode)
{
    auto lock = Kernel::Lock();
    if (m_ended)
        return;
    if (!m_started) {
        // Nothing of it has run, so it can end right here.
        m_ended = true;
        m_exitCode = exitCode;
    } else {
        m_stopCode = exitCode;
        m_stopRequested = true;
    }
    Kernel::WakeAll(lock);
}

void Thread::SetExitThreadCode(DWORD exitCode)
{
    auto lock = Kernel::Lock();
    m_exitThreadCode = exitCode;
}

void Thread::MarkEnded(DWORD returned)
{
    auto lock = Kernel::Lock();
    if (m_ended)
        return;
    m_ended = true;
    m_exitCode = m_stopCode.value_or(m_exitThreadCode.value_or(returned));
    Kernel::WakeAll(lock);
}

bool ThreadStopRequested() { return Thread::Current()->StopRequested(); }

} // namespace platform

using platform::HandleTable;
using platform::Thread;

HANDLE CreateThread(LPSECURITY_ATTRIBUTES, SIZE_T dwStackSize, LPTHREAD_START_ROUTINE lpStartAddress,
    LPVOID lpParameter, DWORD dwCreationFlags, LPDWORD lpThreadId)
{
    if (!lpStartAddress) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    auto thread = std::make_shared<Thread>(lpStartAddress, lpParameter, dwStackSize);
    if (!(dwCreationFlags & CREATE_SUSPENDED) && thread->Resume() == static_cast<DWORD>(-1))
        return nullptr;
    if (lpThreadId)
        *lpThreadId = thread->Id();
    return HandleTable::Instance().Add(std::move(thread));
}

DWORD ResumeThread(HANDLE hThread)
{
    auto thread = HandleTable::Instance().FindAs<Thread>(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return static_cast<DWORD>(-1);
    }
    return thread->Resume();
}

BOOL GetExitCodeThread(HANDLE hThread, LPDWORD lpExitCode)
{
    auto thread = HandleTable::Instance().FindAs<Thread>(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (!lpExitCode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    *lpExitCode = thread->ExitCode();
    return TRUE;
}

void ExitThread(DWORD dwExitCode)
{
    Thread::Current()->SetExitThreadCode(dwExitCode);
    // Unwinds the thread's stack; the thread's object is marked ended on the way out.
    pthread_exit(nullptr);
}

BOOL TerminateThread(HANDLE hThread, DWORD dwExitCode)
{
    auto thread = HandleTable::Instance().FindAs<Thread>(hThread);
    if (!thread) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    thread->RequestStop(dwExitCode);
    return TRUE;
}

DWORD GetCurrentThreadId() { return Thread::Current()->Id(); }

HANDLE GetCurrentThread() { return reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-2)); }

DWORD GetCurrentProcessId() { return static_cast<DWORD>(getpid()); }
