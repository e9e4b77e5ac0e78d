#pragma once
// The framework's view of the platform clock, kept apart from the networking headers (whose
// definitions clash with the platform's). Tests replace the platform clock, so sends, timers and
// pings follow time the test moves.

#include <cstdint>

namespace vireo {

// Microseconds since the epoch on the installed clock.
std::int64_t WallClockMicros();
// Milliseconds since an arbitrary start on the installed clock; never goes back.
std::int64_t UptimeMilliseconds();
// The same to within the system's tick, read at a fraction of the cost.
std::int64_t CoarseUptimeMilliseconds();
// Sleeps on the installed clock.
void SleepMilliseconds(std::int64_t milliseconds);

} // namespace vireo
