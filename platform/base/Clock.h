#pragma once
// The one source of time of the platform. Tick counts, the wall clock, Sleep, timers and every timed
// wait read the installed clock, so a test can install a ManualClock and move time forward instead of
// sleeping through a real timeout.

#include <atomic>
#include <chrono>
#include <memory>
#include <optional>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;

    // Milliseconds since an arbitrary start; never goes back.
    virtual std::chrono::milliseconds Uptime() const = 0;
    // The wall-clock time (UTC).
    virtual std::chrono::system_clock::time_point Now() const = 0;
    // The real steady-clock instant at which Uptime() reaches 'uptime', for a wait to sleep until; a clock
    // that only moves when told (ManualClock) has none, and its waiters sleep until it is moved.
    virtual std::optional<std::chrono::steady_clock::time_point> RealInstant(std::chrono::milliseconds uptime) const = 0;
};

// The machine's clocks: uptime is the monotonic time since boot, Now() the system time.
class SystemClock final : public Clock {
public:
    std::chrono::milliseconds Uptime() const override;
    std::chrono::system_clock::time_point Now() const override;
    std::optional<std::chrono::steady_clock::time_point> RealInstant(std::chrono::milliseconds uptime) const override;
};

// A clock that stands still until a test moves it. Moving it wakes every wait, so waits whose timeout
// has now passed end with WAIT_TIMEOUT and sleepers return.
class ManualClock final : public Clock {
public:
    // Starts at 2020-01-01 00:00:00 UTC with an uptime of one minute, unless told otherwise.
    ManualClock();
    ManualClock(std::chrono::system_clock::time_point now, std::chrono::milliseconds uptime);

    std::chrono::milliseconds Uptime() const override;
    std::chrono::system_clock::time_point Now() const override;
    std::optional<std::chrono::steady_clock::time_point> RealInstant(std::chrono::milliseconds uptime) const override;

    // Moves uptime and wall clock forward together (a negative step is ignored) and wakes all waits.
    void Advance(std::chrono::milliseconds step);
    // Sets the wall clock alone (as a user changing the system time would); uptime stays.
    void SetNow(std::chrono::system_clock::time_point now);

private:
    std::atomic<std::int64_t> m_uptimeMs { 60'000 };
    std::atomic<std::int64_t> m_nowNs { 0 };
};

// The installed clock (a SystemClock until a test installs another); shared so a wait keeps the clock
// it started on alive.
std::shared_ptr<Clock> CurrentClock();
// The installed clock's uptime and wall-clock time. While the system clock is installed they read it
// without the lock and reference CurrentClock() takes, which counts for code that reads the time for
// every message it handles.
std::chrono::milliseconds CurrentUptime();
std::chrono::system_clock::time_point CurrentTime();
// The installed clock's uptime to within the system's tick (a few milliseconds behind at most), at a
// fraction of a full reading's cost: for stamping every message sent when stamps are compared
// seconds apart. It never runs ahead of CurrentUptime().
std::chrono::milliseconds CurrentCoarseUptime();
// Installs a clock process-wide (null restores the system clock) and returns the previous one.
std::shared_ptr<Clock> SetClock(std::shared_ptr<Clock> clock);

// Installs a clock for the lifetime of the object and restores the previous one afterwards.
class ScopedClock {
public:
    explicit ScopedClock(std::shared_ptr<Clock> clock);
    ~ScopedClock();
    ScopedClock(const ScopedClock&) = delete;
    ScopedClock& operator=(const ScopedClock&) = delete;

private:
    std::shared_ptr<Clock> m_previous;
};

} // namespace platform
