#include "platform/base/Wait.h"

#include <algorithm>
#include <list>
#include <optional>
#include <thread>
#include <utility>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/Event.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Kernel.h"
#include "platform/base/Thread.h"
#include "platform/base/WinError.h"

namespace platform {

namespace {

using std::chrono::milliseconds;

// One wait under way. A pulse can satisfy it from outside by setting 'grant'.
struct WaitRecord {
    const std::shared_ptr<Thread>& thread;
    const std::vector<std::shared_ptr<KernelObject>>& objects;
    const bool waitAll;
    std::optional<DWORD> grant;
};

// The waits under way, oldest first; guarded by the kernel lock. Never destroyed, like the kernel.
std::list<WaitRecord*>& ActiveWaits()
{
    static auto* waits = new std::list<WaitRecord*>;
    return *waits;
}

// Keeps a wait in ActiveWaits() for its duration; made and destroyed with the kernel lock held.
class ActiveWait {
public:
    explicit ActiveWait(WaitRecord& record)
        : m_position(ActiveWaits().insert(ActiveWaits().end(), &record))
    {
    }
    ~ActiveWait() { ActiveWaits().erase(m_position); }
    ActiveWait(const ActiveWait&) = delete;
    ActiveWait& operator=(const ActiveWait&) = delete;

private:
    std::list<WaitRecord*>::iterator m_position;
};

thread_local std::shared_ptr<WakeSignal> t_wakeSignal;
thread_local WaitHook t_waitHook;

// Acquires every object of 'objects' but 'except'; whether one was an abandoned mutex.
bool AcquireAll(const WaitRecord& wait, const KernelObject* except = nullptr)
{
    bool abandoned = false;
    for (const auto& object : wait.objects) {
        if (object.get() != except)
            abandoned |= object->Acquire(wait.thread);
    }
    return abandoned;
}

// With the kernel lock held: the result of the wait if it can be satisfied now.
std::optional<DWORD> TrySatisfy(const WaitRecord& wait)
{
    const Thread& self = *wait.thread;
    if (wait.waitAll) {
        // All at once or nothing, so that a wait for all never takes an auto-reset event it cannot use.
        if (wait.objects.empty()
            || !std::all_of(wait.objects.begin(), wait.objects.end(),
                [&](const auto& object) { return object->IsSignaled(self); }))
            return std::nullopt;
        return AcquireAll(wait) ? WAIT_ABANDONED_0 : WAIT_OBJECT_0;
    }
    for (DWORD i = 0; i < wait.objects.size(); ++i) {
        if (wait.objects[i]->IsSignaled(self))
            return (wait.objects[i]->Acquire(wait.thread) ? WAIT_ABANDONED_0 : WAIT_OBJECT_0) + i;
    }
    return std::nullopt;
}

// Runs the wait hook with the kernel lock released, and takes it again however the hook leaves.
void ServeHook(std::unique_lock<std::mutex>& lock)
{
    struct Relock {
        std::unique_lock<std::mutex>& lock;
        ~Relock() { lock.lock(); }
    };
    WaitHook hook = t_waitHook; // the hook may replace itself
    lock.unlock();
    Relock relock { lock };
    if (hook)
        hook();
}

} // namespace

void WakeSignal::Raise()
{
    auto lock = Kernel::Lock();
    m_raised = true;
    Kernel::WakeAll(lock);
}

std::shared_ptr<WakeSignal> CurrentWakeSignal()
{
    if (!t_wakeSignal)
        t_wakeSignal = std::make_shared<WakeSignal>();
    return t_wakeSignal;
}

WaitHook SetWaitHook(WaitHook hook) { return std::exchange(t_waitHook, std::move(hook)); }

DWORD WaitForObjects(std::span<const HANDLE> handles, bool waitAll, DWORD milliseconds, WakeMode wake)
{
    if (handles.size() > MAXIMUM_WAIT_OBJECTS) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    std::vector<std::shared_ptr<KernelObject>> objects;
    for (HANDLE handle : handles) {
        auto object = HandleTable::Instance().Find(handle);
        if (!object) {
            SetLastError(ERROR_INVALID_HANDLE);
            return WAIT_FAILED;
        }
        if (waitAll && std::find(objects.begin(), objects.end(), object) != objects.end()) {
            SetLastError(ERROR_INVALID_PARAMETER);
            return WAIT_FAILED;
        }
        objects.push_back(std::move(object));
    }

    const std::shared_ptr<Thread>& self = Thread::Current();
    const std::shared_ptr<WakeSignal> signal = CurrentWakeSignal();
    if (wake == WakeMode::ServeHook && !t_waitHook)
        wake = WakeMode::Ignore;
    std::shared_ptr<Clock> clock = CurrentClock();
    std::optional<std::chrono::milliseconds> deadline;
    if (milliseconds != INFINITE)
        deadline = clock->Uptime() + std::chrono::milliseconds { milliseconds };

    auto lock = Kernel::Lock();
    WaitRecord wait { self, objects, waitAll, std::nullopt };
    ActiveWait active(wait);
    for (;;) {
        if (wait.grant)
            return *wait.grant;
        if (self->StopRequested()) {
            SetLastError(ERROR_OPERATION_ABORTED);
            return WAIT_FAILED;
        }
        if (auto result = TrySatisfy(wait))
            return *result;
        if (wake == WakeMode::Return && signal->m_raised) {
            signal->m_raised = false;
            return WAIT_OBJECT_0 + static_cast<DWORD>(objects.size());
        }
        if (auto installed = CurrentClock(); installed != clock) {
            // A test swapped clocks while we waited: carry the time that was left over to the new one.
            if (deadline)
                deadline = installed->Uptime() + std::max(*deadline - clock->Uptime(), milliseconds::zero());
            clock = std::move(installed);
        }
        // The timeout comes before serving the hook, so a signal raised again and again cannot keep a
        // wait from ever timing out.
        if (deadline && clock->Uptime() >= *deadline)
            return WAIT_TIMEOUT;
        if (wake == WakeMode::ServeHook && signal->m_raised) {
            signal->m_raised = false;
            ServeHook(lock);
            continue;
        }
        Kernel::Block(lock, *clock, deadline);
    }
}

void PulseWaiters(Event& event, bool all)
{
    for (WaitRecord* wait : ActiveWaits()) {
        if (wait->grant)
            continue;
        auto it = std::find_if(wait->objects.begin(), wait->objects.end(),
            [&](const auto& object) { return object.get() == &event; });
        if (it == wait->objects.end())
            continue;
        if (!wait->waitAll) {
            wait->grant = WAIT_OBJECT_0 + static_cast<DWORD>(it - wait->objects.begin());
        } else {
            const Thread& waiter = *wait->thread;
            const bool othersReady = std::all_of(wait->objects.begin(), wait->objects.end(),
                [&](const auto& object) { return object.get() == &event || object->IsSignaled(waiter); });
            if (!othersReady)
                continue;
            wait->grant = AcquireAll(*wait, &event) ? WAIT_ABANDONED_0 : WAIT_OBJECT_0;
        }
        if (!all)
            return;
    }
}

} // namespace platform

using platform::WakeMode;

DWORD WaitForSingleObject(HANDLE hHandle, DWORD dwMilliseconds)
{
    return platform::WaitForObjects(std::span(&hHandle, 1), false, dwMilliseconds, WakeMode::ServeHook);
}

DWORD WaitForMultipleObjects(DWORD nCount, const HANDLE* lpHandles, BOOL bWaitAll, DWORD dwMilliseconds)
{
    if (nCount == 0 || !lpHandles) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return WAIT_FAILED;
    }
    return platform::WaitForObjects(std::span(lpHandles, nCount), bWaitAll != FALSE, dwMilliseconds,
        WakeMode::ServeHook);
}

void Sleep(DWORD dwMilliseconds)
{
    if (dwMilliseconds == 0) {
        std::this_thread::yield();
        return;
    }
    platform::WaitForObjects({}, false, dwMilliseconds, WakeMode::ServeHook);
}
