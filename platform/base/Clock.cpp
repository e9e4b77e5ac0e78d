#include "platform/base/Clock.h"

#include <ctime>
#include <mutex>
#include <utility>

#include "platform/base/Kernel.h"

namespace platform {

namespace {

using namespace std::chrono;

// 2020-01-01 00:00:00 UTC: a fixed, unremarkable date, so tests that read the wall clock are repeatable.
constexpr sys_seconds kManualClockEpoch { sys_days { year { 2020 } / January / 1 } };

struct ClockSlot {
    std::mutex mutex;
    std::shared_ptr<Clock> clock { std::make_shared<SystemClock>() };
};

// Never destroyed: detached threads may still read the clock while the process exits.
ClockSlot& Slot()
{
    static ClockSlot* slot = new ClockSlot;
    return *slot;
}

// True while the installed clock is a SystemClock, whose readings need no object.
std::atomic<bool> g_systemClockInstalled { true };

} // namespace

milliseconds SystemClock::Uptime() const
{
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
}

system_clock::time_point SystemClock::Now() const { return system_clock::now(); }

std::optional<steady_clock::time_point> SystemClock::RealInstant(milliseconds uptime) const
{
    return steady_clock::time_point { duration_cast<steady_clock::duration>(uptime) };
}

ManualClock::ManualClock()
    : ManualClock(kManualClockEpoch, minutes { 1 })
{
}

ManualClock::ManualClock(system_clock::time_point now, milliseconds uptime)
    : m_uptimeMs(uptime.count())
    , m_nowNs(duration_cast<nanoseconds>(now.time_since_epoch()).count())
{
}

milliseconds ManualClock::Uptime() const { return milliseconds { m_uptimeMs.load() }; }

system_clock::time_point ManualClock::Now() const
{
    return system_clock::time_point { duration_cast<system_clock::duration>(nanoseconds { m_nowNs.load() }) };
}

std::optional<steady_clock::time_point> ManualClock::RealInstant(milliseconds) const { return std::nullopt; }

void ManualClock::Advance(milliseconds step)
{
    if (step.count() <= 0)
        return;
    m_nowNs += duration_cast<nanoseconds>(step).count();
    m_uptimeMs += step.count();
    Kernel::WakeAll();
}

void ManualClock::SetNow(system_clock::time_point now)
{
    m_nowNs = duration_cast<nanoseconds>(now.time_since_epoch()).count();
    Kernel::WakeAll();
}

std::shared_ptr<Clock> CurrentClock()
{
    std::lock_guard lock(Slot().mutex);
    return Slot().clock;
}

milliseconds CurrentUptime() { return g_systemClockInstalled ? SystemClock().Uptime() : CurrentClock()->Uptime(); }

milliseconds CurrentCoarseUptime()
{
    if (!g_systemClockInstalled)
        return CurrentClock()->Uptime();
    // The coarse clock is the monotonic clock as of the last tick, so it shares steady_clock's start.
    timespec now {};
    if (clock_gettime(CLOCK_MONOTONIC_COARSE, &now) != 0)
        return SystemClock().Uptime();
    return duration_cast<milliseconds>(seconds { now.tv_sec } + nanoseconds { now.tv_nsec });
}

system_clock::time_point CurrentTime() { return g_systemClockInstalled ? SystemClock().Now() : CurrentClock()->Now(); }

std::shared_ptr<Clock> SetClock(std::shared_ptr<Clock> clock)
{
    if (!clock)
        clock = std::make_shared<SystemClock>();
    std::shared_ptr<Clock> previous;
    {
        std::lock_guard lock(Slot().mutex);
        g_systemClockInstalled = dynamic_cast<const SystemClock*>(clock.get()) != nullptr;
        previous = std::exchange(Slot().clock, std::move(clock));
    }
    // Running waits move their remaining time onto the new clock.
    Kernel::WakeAll();
    return previous;
}

ScopedClock::ScopedClock(std::shared_ptr<Clock> clock)
    : m_previous(SetClock(std::move(clock)))
{
}

ScopedClock::~ScopedClock() { SetClock(std::move(m_previous)); }

} // namespace platform
