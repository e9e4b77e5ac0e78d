#pragma once
// Helpers for tests that need a second thread of the layer or must let time pass on a ManualClock.

#include <chrono>
#include <functional>
#include <memory>
#include <thread>

#include "platform/base/Clock.h"
#include "platform/base/Thread.h"
#include "platform/base/Wait.h"

namespace testing_threads {

// Runs 'body' on a thread made by CreateThread; its result is the thread's exit code.
inline HANDLE StartThread(std::function<DWORD()> body, DWORD flags = 0, DWORD* id = nullptr)
{
    auto* owned = new std::function<DWORD()>(std::move(body));
    return CreateThread(
        nullptr, 0,
        [](LPVOID parameter) -> DWORD {
            std::unique_ptr<std::function<DWORD()>> body(static_cast<std::function<DWORD()>*>(parameter));
            return (*body)();
        },
        owned, flags, id);
}

// Moves the clock forward a second at a time until 'thread' has ended; the way a test lets a timed wait on
// another thread run out without sleeping.
inline void AdvanceUntilEnded(platform::ManualClock& clock, HANDLE thread)
{
    while (WaitForSingleObject(thread, 0) == WAIT_TIMEOUT) {
        clock.Advance(std::chrono::seconds { 1 });
        std::this_thread::yield();
    }
}

inline DWORD ExitCodeOf(HANDLE thread)
{
    DWORD code = 0;
    GetExitCodeThread(thread, &code);
    return code;
}

} // namespace testing_threads
