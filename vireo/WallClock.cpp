#include "vireo/WallClock.h"

#include <chrono>

#include "platform/base/Clock.h"
#include "platform/base/Wait.h"

namespace vireo {

std::int64_t WallClockMicros()
{
    const auto since = platform::CurrentTime().time_since_epoch();
    return std::chrono::duration_cast<std::chrono::microseconds>(since).count();
}

std::int64_t UptimeMilliseconds() { return platform::CurrentUptime().count(); }

std::int64_t CoarseUptimeMilliseconds() { return platform::CurrentCoarseUptime().count(); }

void SleepMilliseconds(std::int64_t milliseconds)
{
    if (milliseconds > 0)
        ::Sleep(static_cast<DWORD>(milliseconds));
}

} // namespace vireo
