#include "platform/base/Wait.h"

#include <atomic>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/Event.h"
#include "platform/base/HandleTable.h"
#include "platform/base/Mutex.h"
#include "platform/base/WinError.h"
#include "platform/base/tests/TestThreads.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace testing_threads;

namespace {

// Each test runs on a ManualClock, so no wait here can end by real time passing.
class Waits : public ::testing::Test {
protected:
    std::shared_ptr<ManualClock> m_clock { std::make_shared<ManualClock>() };
    ScopedClock m_scoped { m_clock };
};

} // namespace

TEST_F(Waits, AutoResetReleasesOneWaitManualResetStays)
{
    for (const BOOL manual : { FALSE, TRUE }) {
        HANDLE event = CreateEvent(nullptr, manual, FALSE, nullptr);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        ASSERT_TRUE(SetEvent(event));
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(event, 0), manual ? WAIT_OBJECT_0 : WAIT_TIMEOUT);
        ASSERT_TRUE(ResetEvent(event));
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        CloseHandle(event);
    }
    HANDLE initiallySet = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(initiallySet, 0), WAIT_OBJECT_0);
    CloseHandle(initiallySet);
}

TEST_F(Waits, TimeOutWhenTheClockIsMoved)
{
    HANDLE never = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE set = CreateEvent(nullptr, FALSE, TRUE, nullptr);
    struct Case {
        const char* name;
        std::function<DWORD()> wait;
    };
    const Case cases[] = {
        { "single", [&] { return WaitForSingleObject(never, 5000); } },
        { "any", [&] {
             HANDLE both[] = { never, never };
             return WaitForMultipleObjects(2, both, FALSE, 5000);
         } },
        { "all, one set", [&] {
             HANDLE both[] = { set, never };
             return WaitForMultipleObjects(2, both, TRUE, 5000);
         } },
        { "sleep", [&] {
             Sleep(5000);
             return WAIT_TIMEOUT;
         } },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        HANDLE thread = StartThread(c.wait);
        AdvanceUntilEnded(*m_clock, thread);
        EXPECT_EQ(ExitCodeOf(thread), WAIT_TIMEOUT);
        CloseHandle(thread);
    }
    // The wait for all that timed out must not have used up the auto-reset event it could not combine.
    EXPECT_EQ(WaitForSingleObject(set, 0), WAIT_OBJECT_0);
    CloseHandle(never);
    CloseHandle(set);
}

TEST_F(Waits, WaitForAnyTakesTheLowestSignalledIndex)
{
    HANDLE events[] = { CreateEvent(nullptr, FALSE, FALSE, nullptr), CreateEvent(nullptr, FALSE, TRUE, nullptr),
        CreateEvent(nullptr, FALSE, TRUE, nullptr) };
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 1);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_OBJECT_0 + 2);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT);
    SetEvent(events[0]);
    SetEvent(events[1]);
    SetEvent(events[2]);
    EXPECT_EQ(WaitForMultipleObjects(3, events, TRUE, 0), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForMultipleObjects(3, events, FALSE, 0), WAIT_TIMEOUT); // all three were taken
    for (HANDLE event : events)
        CloseHandle(event);
}

TEST_F(Waits, WaitForAllEndsWhenTheLastObjectIsSignalled)
{
    HANDLE first = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE second = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    HANDLE thread = StartThread([&] {
        HANDLE both[] = { first, second };
        return WaitForMultipleObjects(2, both, TRUE, INFINITE);
    });
    SetEvent(first);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    SetEvent(second);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCodeOf(thread), WAIT_OBJECT_0);
    for (HANDLE h : { first, second, thread })
        CloseHandle(h);
}

TEST_F(Waits, BadArgumentsFailWithTheirErrors)
{
    HANDLE event = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    HANDLE closed = CreateEvent(nullptr, TRUE, TRUE, nullptr);
    ASSERT_TRUE(CloseHandle(closed));
    HANDLE bogus = reinterpret_cast<HANDLE>(0x1234);
    HANDLE twice[] = { event, event };
    HANDLE withBad[] = { event, closed };
    struct Case {
        const char* name;
        std::function<DWORD()> call;
        DWORD error;
    };
    const Case cases[] = {
        { "closed handle", [&] { return WaitForSingleObject(closed, 0); }, ERROR_INVALID_HANDLE },
        { "unknown handle", [&] { return WaitForSingleObject(bogus, 0); }, ERROR_INVALID_HANDLE },
        { "null handle", [&] { return WaitForSingleObject(nullptr, 0); }, ERROR_INVALID_HANDLE },
        { "one bad among good", [&] { return WaitForMultipleObjects(2, withBad, FALSE, 0); }, ERROR_INVALID_HANDLE },
        { "no objects", [&] { return WaitForMultipleObjects(0, twice, FALSE, 0); }, ERROR_INVALID_PARAMETER },
        { "null array", [&] { return WaitForMultipleObjects(2, nullptr, FALSE, 0); }, ERROR_INVALID_PARAMETER },
        { "too many", [&] {
             std::vector<HANDLE> many(MAXIMUM_WAIT_OBJECTS + 1, event);
             return WaitForMultipleObjects(static_cast<DWORD>(many.size()), many.data(), FALSE, 0);
         },
            ERROR_INVALID_PARAMETER },
        { "same object twice, all", [&] { return WaitForMultipleObjects(2, twice, TRUE, 0); }, ERROR_INVALID_PARAMETER },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetLastError(0);
        EXPECT_EQ(c.call(), WAIT_FAILED);
        EXPECT_EQ(GetLastError(), c.error);
    }
    // The same object twice is fine when any one will do.
    EXPECT_EQ(WaitForMultipleObjects(2, twice, FALSE, 0), WAIT_OBJECT_0);

    SetLastError(0);
    EXPECT_FALSE(CloseHandle(closed));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(SetEvent(closed));
    HANDLE mutex = CreateMutex(nullptr, FALSE, nullptr);
    SetLastError(0);
    EXPECT_FALSE(SetEvent(mutex)); // a handle of another kind
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    CloseHandle(mutex);
    CloseHandle(event);
}

TEST_F(Waits, AHandleKeepsItsObjectAliveForAWaitInProgress)
{
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::shared_ptr<Event> object = HandleTable::Instance().FindAs<Event>(event);
    HANDLE thread = StartThread([&] { return WaitForSingleObject(event, INFINITE); });
    // Closing the only handle while the other thread waits must not free what it waits on.
    while (object.use_count() < 3)
        std::this_thread::yield();
    CloseHandle(event);
    object->Set();
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCodeOf(thread), WAIT_OBJECT_0);
    CloseHandle(thread);
}

TEST_F(Waits, MutexIsRecursiveAndAbandonedWhenItsOwnerEnds)
{
    HANDLE mutex = CreateMutex(nullptr, TRUE, nullptr);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0); // second level
    HANDLE other = StartThread([&] {
        const DWORD taken = WaitForSingleObject(mutex, 0);
        SetLastError(0);
        const BOOL released = ReleaseMutex(mutex);
        return taken == WAIT_TIMEOUT && !released && GetLastError() == ERROR_NOT_OWNER ? 1u : 0u;
    });
    WaitForSingleObject(other, INFINITE);
    EXPECT_EQ(ExitCodeOf(other), 1u);
    CloseHandle(other);
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_FALSE(ReleaseMutex(mutex));

    HANDLE owner = StartThread([&] { return WaitForSingleObject(mutex, 0); }); // ends still holding it
    WaitForSingleObject(owner, INFINITE);
    EXPECT_EQ(ExitCodeOf(owner), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_ABANDONED);
    EXPECT_EQ(WaitForSingleObject(mutex, 0), WAIT_OBJECT_0); // ours now, no longer abandoned
    EXPECT_TRUE(ReleaseMutex(mutex));
    EXPECT_TRUE(ReleaseMutex(mutex));
    CloseHandle(owner);
    CloseHandle(mutex);
}

TEST_F(Waits, PulseReleasesWaitersAndLeavesTheEventReset)
{
    for (const BOOL manual : { TRUE, FALSE }) {
        SCOPED_TRACE(manual ? "manual" : "auto");
        HANDLE event = CreateEvent(nullptr, manual, FALSE, nullptr);
        ASSERT_TRUE(PulseEvent(event)); // nobody waits: nothing stays signalled
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);

        HANDLE thread = StartThread([&] { return WaitForSingleObject(event, INFINITE); });
        while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
            PulseEvent(event);
            std::this_thread::yield();
        }
        EXPECT_EQ(ExitCodeOf(thread), WAIT_OBJECT_0);
        EXPECT_EQ(WaitForSingleObject(event, 0), WAIT_TIMEOUT);
        CloseHandle(thread);
        CloseHandle(event);
    }
}

TEST_F(Waits, TheWaitHookServesTheWakeSignalWhileTheThreadWaits)
{
    HANDLE done = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::atomic<DWORD> servedOn { 0 };
    std::shared_ptr<WakeSignal> signal;
    std::atomic<bool> ready { false };
    DWORD threadId = 0;
    HANDLE thread = StartThread(
        [&] {
        SetWaitHook([&] {
            servedOn = GetCurrentThreadId();
            SetEvent(done);
        });
        signal = CurrentWakeSignal();
        ready = true;
        return WaitForSingleObject(done, INFINITE);
    },
        0, &threadId);
    while (!ready)
        std::this_thread::yield();
    signal->Raise();
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCodeOf(thread), WAIT_OBJECT_0);
    EXPECT_EQ(servedOn.load(), threadId);
    CloseHandle(thread);
    CloseHandle(done);
}

TEST_F(Waits, TheHookCanLetTimePassOnTheWaitingThread)
{
    // Single-threaded: each time the hook runs it moves the clock a second and asks to run again, so a
    // five-second wait ends with WAIT_TIMEOUT after five calls.
    int calls = 0;
    auto signal = CurrentWakeSignal();
    SetWaitHook([&] {
        ++calls;
        m_clock->Advance(std::chrono::seconds { 1 });
        signal->Raise();
    });
    signal->Raise();
    HANDLE event = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    EXPECT_EQ(WaitForSingleObject(event, 5000), WAIT_TIMEOUT);
    EXPECT_EQ(calls, 5);
    SetWaitHook({});
    CloseHandle(event);

    // The last call raised the signal again; with the hook gone it is left for a wait that asks for it.
    EXPECT_EQ(WaitForObjects({}, false, INFINITE, WakeMode::Return), WAIT_OBJECT_0);
    EXPECT_EQ(WaitForObjects({}, false, 0, WakeMode::Return), WAIT_TIMEOUT);
}
