#pragma once
// Who pumps a process's event loop. The loop may be pumped from any thread, but one at a time: the
// thread whose turn it is owns the reactor for its wait and dispatches everything that arrives. A
// thread that wants to wait while another pumps sleeps until the pumping thread has handled an event
// (the event may be the one it waits for: it looks at its own state again) or until its own wait
// ends; when the pumping thread leaves first, the sleeper takes the turn for what is left of its wait.
// Nobody spins, and the handlers of a process never run on two threads at once.

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>

namespace vireo {

class EventLoopTurns {
public:
    // Pumps one slice of the loop for at most the wait (the remaining wait when the turn came late).
    // 0 when it handled an event, -1 otherwise.
    using Pump = std::function<int(std::chrono::microseconds wait)>;

    // Calls the pump on the calling thread when the turn is free or already the caller's (a handler
    // that pumps again nests); otherwise sleeps as described above. The pump's result, 0 when another
    // thread handled an event meanwhile, -1 when the wait ended without one.
    int Take(std::chrono::microseconds wait, const Pump& pump);

private:
    // Gives the turn back after a pump; a handled event wakes the sleepers.
    void Give(bool handled);

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::thread::id m_owner;
    int m_depth { 0 };
    // Counts pumps that handled an event, so that a sleeper sees one happened while it slept.
    std::uint64_t m_handled { 0 };
};

} // namespace vireo
