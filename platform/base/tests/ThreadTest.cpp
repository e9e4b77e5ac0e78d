#include "platform/base/Thread.h"

#include <atomic>
#include <vector>

#include "platform/base/Clock.h"
#include "platform/base/CriticalSection.h"
#include "platform/base/Event.h"
#include "platform/base/Interlocked.h"
#include "platform/base/WinError.h"
#include "platform/base/tests/TestThreads.h"

#include <gtest/gtest.h>

using namespace platform;
using namespace testing_threads;

namespace {

struct Unwound {
    bool& flag;
    ~Unwound() { flag = true; }
};

void EndFromDeepInside(bool& unwound)
{
    Unwound guard { unwound };
    ExitThread(7);
}

DWORD MarkRan(LPVOID ran)
{
    *static_cast<bool*>(ran) = true;
    return 0;
}

} // namespace

TEST(Threads, ReportStillActiveThenTheirExitCode)
{
    HANDLE gate = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    DWORD createdId = 0;
    std::atomic<DWORD> seenId { 0 };
    HANDLE thread = StartThread(
        [&] {
            seenId = GetCurrentThreadId();
            WaitForSingleObject(gate, INFINITE);
            return 42u;
        },
        CREATE_SUSPENDED, &createdId);
    ASSERT_NE(thread, nullptr);
    EXPECT_EQ(ExitCodeOf(thread), STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(thread, 0), WAIT_TIMEOUT);
    EXPECT_EQ(ResumeThread(thread), 1u);
    EXPECT_EQ(ResumeThread(thread), 0u); // running: nothing to resume
    EXPECT_EQ(ExitCodeOf(thread), STILL_ACTIVE);
    SetEvent(gate);
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCodeOf(thread), 42u);
    EXPECT_EQ(seenId.load(), createdId);
    EXPECT_NE(createdId, GetCurrentThreadId());

    SetLastError(0);
    DWORD code = 0;
    EXPECT_FALSE(GetExitCodeThread(gate, &code)); // not a thread
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(GetExitCodeThread(thread, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    CloseHandle(thread);
    CloseHandle(gate);
}

TEST(Threads, ExitThreadUnwindsAndSetsTheCode)
{
    bool unwound = false;
    HANDLE thread = StartThread([&]() -> DWORD {
        EndFromDeepInside(unwound);
        return 1;
    });
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCodeOf(thread), 7u);
    EXPECT_TRUE(unwound);
    CloseHandle(thread);
}

TEST(Threads, AStopRequestEndsTheThreadsWaitsAndSetsTheCode)
{
    auto clock = std::make_shared<ManualClock>(); // nothing here may end by time passing
    ScopedClock scoped(clock);
    HANDLE never = CreateEvent(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> waiting { false };
    struct Seen {
        DWORD result { 0 };
        DWORD error { 0 };
        bool stopRequested { false };
        DWORD afterStop { 0 };
    } seen;
    HANDLE thread = StartThread([&] {
        waiting = true;
        seen.result = WaitForSingleObject(never, INFINITE);
        seen.error = GetLastError();
        seen.stopRequested = ThreadStopRequested();
        Sleep(INFINITE); // returns at once too
        HANDLE both[] = { never, never };
        seen.afterStop = WaitForMultipleObjects(2, both, FALSE, 0);
        return 3u; // the code TerminateThread asked for wins
    });
    while (!waiting)
        std::this_thread::yield();
    EXPECT_FALSE(ThreadStopRequested());
    EXPECT_TRUE(TerminateThread(thread, 5));
    EXPECT_EQ(WaitForSingleObject(thread, INFINITE), WAIT_OBJECT_0);
    EXPECT_EQ(seen.result, WAIT_FAILED);
    EXPECT_EQ(seen.error, ERROR_OPERATION_ABORTED);
    EXPECT_TRUE(seen.stopRequested);
    EXPECT_EQ(seen.afterStop, WAIT_FAILED);
    EXPECT_EQ(ExitCodeOf(thread), 5u);

    // A thread that has ended keeps its code; one that never started ends at once without running.
    EXPECT_TRUE(TerminateThread(thread, 9));
    EXPECT_EQ(ExitCodeOf(thread), 5u);
    bool ran = false;
    HANDLE suspended = CreateThread(nullptr, 0, MarkRan, &ran, CREATE_SUSPENDED, nullptr);
    EXPECT_TRUE(TerminateThread(suspended, 11));
    EXPECT_EQ(WaitForSingleObject(suspended, 0), WAIT_OBJECT_0);
    EXPECT_EQ(ExitCodeOf(suspended), 11u);
    EXPECT_EQ(ResumeThread(suspended), 0u);
    EXPECT_FALSE(ran);
    for (HANDLE h : { thread, suspended, never })
        CloseHandle(h);
}

TEST(Threads, PseudoHandleStandsForTheCallingThread)
{
    EXPECT_EQ(ExitCodeOf(GetCurrentThread()), STILL_ACTIVE);
    EXPECT_EQ(WaitForSingleObject(GetCurrentThread(), 0), WAIT_TIMEOUT);
    EXPECT_TRUE(CloseHandle(GetCurrentThread()));
    EXPECT_EQ(ExitCodeOf(GetCurrentThread()), STILL_ACTIVE); // closing it did nothing
    EXPECT_NE(GetCurrentThreadId(), 0u);
    EXPECT_EQ(GetCurrentThreadId(), GetCurrentThreadId());
    EXPECT_FALSE(CreateThread(nullptr, 0, nullptr, nullptr, 0, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CriticalSections, AreRecursiveAndOwnedByOneThread)
{
    CRITICAL_SECTION section;
    InitializeCriticalSection(&section);
    const auto otherThreadCanEnter = [&] {
        HANDLE thread = StartThread([&]() -> DWORD {
            LeaveCriticalSection(&section); // not the owner: ignored
            if (!TryEnterCriticalSection(&section))
                return 0;
            LeaveCriticalSection(&section);
            return 1;
        });
        WaitForSingleObject(thread, INFINITE);
        const bool entered = ExitCodeOf(thread) == 1;
        CloseHandle(thread);
        return entered;
    };
    EnterCriticalSection(&section);
    EXPECT_TRUE(TryEnterCriticalSection(&section));
    EnterCriticalSection(&section);
    EXPECT_FALSE(otherThreadCanEnter());
    LeaveCriticalSection(&section);
    LeaveCriticalSection(&section);
    EXPECT_FALSE(otherThreadCanEnter());
    LeaveCriticalSection(&section);
    EXPECT_TRUE(otherThreadCanEnter());
    DeleteCriticalSection(&section);
}

TEST(Interlocked, OperationsAreAtomicAndReturnTheDocumentedValue)
{
    LONG volatile value = 0;
    std::vector<HANDLE> threads;
    for (int t = 0; t < 4; ++t) {
        threads.push_back(StartThread([&] {
            for (int i = 0; i < 10000; ++i) {
                InterlockedIncrement(&value);
                InterlockedExchangeAdd(&value, 2);
                InterlockedDecrement(&value);
            }
            return 0u;
        }));
    }
    WaitForMultipleObjects(static_cast<DWORD>(threads.size()), threads.data(), TRUE, INFINITE);
    for (HANDLE thread : threads)
        CloseHandle(thread);
    EXPECT_EQ(value, 80000);

    EXPECT_EQ(InterlockedExchange(&value, 5), 80000);
    EXPECT_EQ(InterlockedCompareExchange(&value, 9, 4), 5); // no match: unchanged
    EXPECT_EQ(value, 5);
    EXPECT_EQ(InterlockedCompareExchange(&value, 9, 5), 5);
    EXPECT_EQ(value, 9);
    EXPECT_EQ(InterlockedIncrement(&value), 10);
    EXPECT_EQ(InterlockedExchangeAdd(&value, -3), 10);
    EXPECT_EQ(InterlockedDecrement(&value), 6);
}
