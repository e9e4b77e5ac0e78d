#pragma once
// The kernel lock: one lock guards the state of every kernel object (events, mutexes, threads, wake
// signals), and every wait sleeps on one condition that any change of that state wakes. The program has
// a handful of threads, so waking them all on each change is cheaper to get right than per-object queues.

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>

namespace platform {

class Clock;

class Kernel {
public:
    // Takes the kernel lock.
    static std::unique_lock<std::mutex> Lock();
    // Wakes every waiting thread so it looks at the state again; call after changing kernel state.
    static void WakeAll();
    // The same for a caller that holds the kernel lock already.
    static void WakeAll(const std::unique_lock<std::mutex>& held);
    // With the kernel lock held: sleeps until woken or until 'clock' reaches 'deadline' (no deadline: until
    // woken); may return early, callers look at their condition again.
    static void Block(std::unique_lock<std::mutex>& lock, const Clock& clock,
        std::optional<std::chrono::milliseconds> deadline);

private:
    static Kernel& Instance();

    std::mutex m_mutex;
    std::condition_variable m_changed;
};

} // namespace platform
