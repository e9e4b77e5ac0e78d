#include "vireo/EventLoopTurns.h"

namespace vireo {

int EventLoopTurns::Take(std::chrono::microseconds wait, const Pump& pump)
{
    const auto self = std::this_thread::get_id();
    // The clock is read only when another thread holds the turn: a free turn leaves the whole wait.
    bool slept = false;
    std::chrono::steady_clock::time_point deadline;
    {
        std::unique_lock lock(m_mutex);
        if (m_owner != self) {
            if (m_depth != 0) {
                slept = true;
                deadline = std::chrono::steady_clock::now() + wait;
                const std::uint64_t handledBefore = m_handled;
                m_changed.wait_until(lock, deadline, [&] { return m_depth == 0 || m_handled != handledBefore; });
                if (m_handled != handledBefore)
                    return 0;
                if (m_depth != 0)
                    return -1;
            }
            m_owner = self;
        }
        ++m_depth;
    }
    // The turn is given back however the pump leaves, so a throwing handler cannot block the loop.
    struct Turn {
        EventLoopTurns& turns;
        bool handled { false };
        ~Turn() { turns.Give(handled); }
    } turn { *this };
    const auto left
        = slept ? std::chrono::duration_cast<std::chrono::microseconds>(deadline - std::chrono::steady_clock::now()) : wait;
    const int result = pump(left.count() < 0 ? std::chrono::microseconds::zero() : left);
    turn.handled = result == 0;
    return result;
}

void EventLoopTurns::Give(bool handled)
{
    {
        std::lock_guard lock(m_mutex);
        if (handled)
            ++m_handled;
        if (--m_depth == 0)
            m_owner = {};
    }
    m_changed.notify_all();
}

} // namespace vireo
