#include "platform/base/SystemTime.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <optional>

#include "platform/base/Clock.h"
#include "platform/base/WinError.h"

namespace {

using namespace std::chrono;

// File times count 100 ns units from 1601-01-01 UTC.
constexpr std::int64_t kTicksPerSecond = 10'000'000;
constexpr std::int64_t kTicksPerMillisecond = 10'000;
constexpr std::int64_t kDaysFrom1601To1970 = 134'774;
constexpr std::int64_t kTicksFrom1601To1970 = kDaysFrom1601To1970 * 86'400 * kTicksPerSecond;
constexpr std::int64_t kSecondsPerDay = 86'400;

std::uint64_t ToTicks(const FILETIME& time)
{
    return (static_cast<std::uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

FILETIME FromTicks(std::uint64_t ticks)
{
    return FILETIME { static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32) };
}

std::int64_t TicksOf(system_clock::time_point time)
{
    return duration_cast<duration<std::int64_t, std::ratio<1, kTicksPerSecond>>>(time.time_since_epoch()).count()
        + kTicksFrom1601To1970;
}

// Seconds since 1970 of a file time, rounded down.
std::int64_t UnixSecondsOf(std::int64_t ticks)
{
    const std::int64_t since1970 = ticks - kTicksFrom1601To1970;
    return since1970 >= 0 ? since1970 / kTicksPerSecond : -((-since1970 + kTicksPerSecond - 1) / kTicksPerSecond);
}

// The local zone's offset from UTC (seconds east) at a UTC instant given in seconds since 1970.
std::int64_t LocalOffsetAt(std::int64_t unixSeconds)
{
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    std::tm local {};
    if (!localtime_r(&t, &local))
        return 0;
    return local.tm_gmtoff;
}

std::optional<SYSTEMTIME> ToSystemTime(std::int64_t ticks)
{
    if (ticks < 0)
        return std::nullopt;
    const std::int64_t totalMs = ticks / kTicksPerMillisecond;
    const std::int64_t dayNumber = totalMs / (kSecondsPerDay * 1000);
    std::int64_t msOfDay = totalMs % (kSecondsPerDay * 1000);
    const sys_days date { days { dayNumber - kDaysFrom1601To1970 } };
    const year_month_day ymd { date };
    SYSTEMTIME result;
    result.wYear = static_cast<WORD>(static_cast<int>(ymd.year()));
    result.wMonth = static_cast<WORD>(static_cast<unsigned>(ymd.month()));
    result.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
    result.wDayOfWeek = static_cast<WORD>(weekday { date }.c_encoding());
    result.wHour = static_cast<WORD>(msOfDay / 3'600'000);
    msOfDay %= 3'600'000;
    result.wMinute = static_cast<WORD>(msOfDay / 60'000);
    msOfDay %= 60'000;
    result.wSecond = static_cast<WORD>(msOfDay / 1000);
    result.wMilliseconds = static_cast<WORD>(msOfDay % 1000);
    return result;
}

std::optional<std::int64_t> ToTicks(const SYSTEMTIME& time)
{
    const year_month_day ymd { year { time.wYear }, month { time.wMonth }, day { time.wDay } };
    if (time.wYear < 1601 || time.wYear > 30827 || !ymd.ok() || time.wHour > 23 || time.wMinute > 59
        || time.wSecond > 59 || time.wMilliseconds > 999)
        return std::nullopt;
    const std::int64_t days = sys_days { ymd }.time_since_epoch().count() + kDaysFrom1601To1970;
    const std::int64_t seconds = days * kSecondsPerDay + time.wHour * 3600 + time.wMinute * 60 + time.wSecond;
    return seconds * kTicksPerSecond + std::int64_t { time.wMilliseconds } * kTicksPerMillisecond;
}

// A file time's ticks if it is in range (below 2^63).
std::optional<std::int64_t> CheckedTicks(const FILETIME* time)
{
    if (!time)
        return std::nullopt;
    const std::uint64_t ticks = ToTicks(*time);
    if (ticks > static_cast<std::uint64_t>(INT64_MAX))
        return std::nullopt;
    return static_cast<std::int64_t>(ticks);
}

BOOL InvalidParameter()
{
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
}

std::int64_t NowTicks() { return TicksOf(platform::CurrentTime()); }

std::int64_t UtcToLocal(std::int64_t ticks) { return ticks + LocalOffsetAt(UnixSecondsOf(ticks)) * kTicksPerSecond; }

// The local date and time at which a zone's rule changes the clock in a given year, in ticks of local time.
// A rule with a year is one fixed date; a rule without gives the month, the weekday, its occurrence in the
// month (5 = the last) and the time of day.
std::optional<std::int64_t> TransitionInYear(const SYSTEMTIME& rule, int inYear)
{
    if (rule.wYear != 0)
        return rule.wYear == inYear ? ToTicks(rule) : std::nullopt;
    if (rule.wMonth < 1 || rule.wMonth > 12 || rule.wDay < 1 || rule.wDay > 5 || rule.wDayOfWeek > 6)
        return std::nullopt;
    const year_month inMonth { year { inYear }, month { rule.wMonth } };
    const weekday wanted { rule.wDayOfWeek };
    const year_month_weekday nth { inMonth / wanted[rule.wDay] };
    const sys_days date = nth.ok() ? sys_days { nth } : sys_days { inMonth / wanted[last] };
    const year_month_day ymd { date };
    SYSTEMTIME at = rule;
    at.wYear = static_cast<WORD>(inYear);
    at.wDay = static_cast<WORD>(static_cast<unsigned>(ymd.day()));
    return ToTicks(at);
}

// Minutes to add to the zone's local time to get UTC at a UTC instant, following the zone's daylight rules.
std::optional<std::int64_t> BiasAt(const TIME_ZONE_INFORMATION& zone, std::int64_t utc)
{
    const std::int64_t standardBias = std::int64_t { zone.Bias } + zone.StandardBias;
    const std::int64_t daylightBias = std::int64_t { zone.Bias } + zone.DaylightBias;
    if (zone.StandardDate.wMonth == 0 || zone.DaylightDate.wMonth == 0)
        return standardBias;
    const auto localStandard = ToSystemTime(utc - standardBias * 60 * kTicksPerSecond);
    if (!localStandard)
        return std::nullopt;
    const auto daylightFrom = TransitionInYear(zone.DaylightDate, localStandard->wYear);
    const auto standardFrom = TransitionInYear(zone.StandardDate, localStandard->wYear);
    if (!daylightFrom || !standardFrom)
        return standardBias;
    // Daylight time starts at a local standard time and ends at a local daylight time.
    const std::int64_t daylightStartUtc = *daylightFrom + standardBias * 60 * kTicksPerSecond;
    const std::int64_t daylightEndUtc = *standardFrom + daylightBias * 60 * kTicksPerSecond;
    const bool daylight = daylightStartUtc < daylightEndUtc ? utc >= daylightStartUtc && utc < daylightEndUtc
                                                            : utc >= daylightStartUtc || utc < daylightEndUtc;
    return daylight ? daylightBias : standardBias;
}

} // namespace

DWORD GetTickCount() { return static_cast<DWORD>(GetTickCount64()); }

ULONGLONG GetTickCount64() { return static_cast<ULONGLONG>(platform::CurrentUptime().count()); }

void GetSystemTime(LPSYSTEMTIME lpSystemTime)
{
    if (lpSystemTime)
        *lpSystemTime = ToSystemTime(NowTicks()).value_or(SYSTEMTIME {});
}

void GetLocalTime(LPSYSTEMTIME lpSystemTime)
{
    if (lpSystemTime)
        *lpSystemTime = ToSystemTime(UtcToLocal(NowTicks())).value_or(SYSTEMTIME {});
}

void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime)
{
    if (lpSystemTimeAsFileTime)
        *lpSystemTimeAsFileTime = FromTicks(static_cast<std::uint64_t>(std::max<std::int64_t>(NowTicks(), 0)));
}

BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime)
{
    if (!lpSystemTime || !lpFileTime)
        return InvalidParameter();
    const auto ticks = ToTicks(*lpSystemTime);
    if (!ticks)
        return InvalidParameter();
    *lpFileTime = FromTicks(static_cast<std::uint64_t>(*ticks));
    return TRUE;
}

BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime)
{
    const auto ticks = CheckedTicks(lpFileTime);
    if (!ticks || !lpSystemTime)
        return InvalidParameter();
    *lpSystemTime = *ToSystemTime(*ticks);
    return TRUE;
}

BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime)
{
    const auto ticks = CheckedTicks(lpFileTime);
    if (!ticks || !lpLocalFileTime)
        return InvalidParameter();
    const std::int64_t local = UtcToLocal(*ticks);
    if (local < 0)
        return InvalidParameter();
    *lpLocalFileTime = FromTicks(static_cast<std::uint64_t>(local));
    return TRUE;
}

BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime)
{
    const auto ticks = CheckedTicks(lpLocalFileTime);
    if (!ticks || !lpFileTime)
        return InvalidParameter();
    // Zones change their offset at most once a day, so the offsets a day before and after are the only
    // ones this local time can have been written with. Where both fit (a time that occurs twice) the
    // earlier instant is taken; where neither does (a time skipped by a change) the offset before it is.
    const std::int64_t localSeconds = UnixSecondsOf(*ticks);
    const std::int64_t before = LocalOffsetAt(localSeconds - kSecondsPerDay);
    const std::int64_t after = LocalOffsetAt(localSeconds + kSecondsPerDay);
    std::int64_t offset = before;
    const auto fits = [&](std::int64_t candidate) { return LocalOffsetAt(localSeconds - candidate) == candidate; };
    if (fits(before) && fits(after))
        offset = std::max(before, after);
    else if (fits(after))
        offset = after;
    const std::int64_t utc = *ticks - offset * kTicksPerSecond;
    if (utc < 0)
        return InvalidParameter();
    *lpFileTime = FromTicks(static_cast<std::uint64_t>(utc));
    return TRUE;
}

LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2)
{
    if (!lpFileTime1 || !lpFileTime2)
        return 0;
    const std::uint64_t a = ToTicks(*lpFileTime1);
    const std::uint64_t b = ToTicks(*lpFileTime2);
    return a < b ? -1 : (a > b ? 1 : 0);
}

BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
    const SYSTEMTIME* lpUniversalTime, LPSYSTEMTIME lpLocalTime)
{
    if (!lpUniversalTime || !lpLocalTime)
        return InvalidParameter();
    const auto ticks = ToTicks(*lpUniversalTime);
    if (!ticks)
        return InvalidParameter();
    std::int64_t local = 0;
    if (!lpTimeZoneInformation) {
        local = UtcToLocal(*ticks);
    } else {
        const auto bias = BiasAt(*lpTimeZoneInformation, *ticks);
        if (!bias)
            return InvalidParameter();
        local = *ticks - *bias * 60 * kTicksPerSecond;
    }
    const auto result = ToSystemTime(local);
    if (!result)
        return InvalidParameter();
    *lpLocalTime = *result;
    return TRUE;
}

DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation)
{
    if (!lpTimeZoneInformation) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return TIME_ZONE_ID_INVALID;
    }
    tzset();
    const std::int64_t now = UnixSecondsOf(NowTicks());
    const year thisYear = year_month_day { floor<days>(sys_seconds { seconds { now } }) }.year();
    const auto offsetOn = [](year_month_day date) {
        return LocalOffsetAt(sys_seconds { sys_days { date } }.time_since_epoch().count());
    };
    const std::int64_t january = offsetOn(thisYear / January / 1);
    const std::int64_t july = offsetOn(thisYear / July / 1);
    // Daylight time always moves clocks forward, so the smaller offset is the standard one on either
    // side of the equator.
    const std::int64_t standard = std::min(january, july);
    const std::int64_t daylight = std::max(january, july);

    TIME_ZONE_INFORMATION info;
    info.Bias = static_cast<LONG>(-standard / 60);
    info.DaylightBias = static_cast<LONG>(-(daylight - standard) / 60);
    const auto copyName = [](WCHAR (&target)[32], const char* name) {
        for (std::size_t i = 0; name && name[i] && i + 1 < std::size(target); ++i)
            target[i] = static_cast<unsigned char>(name[i]);
    };
    copyName(info.StandardName, tzname[0]);
    copyName(info.DaylightName, tzname[1]);
    *lpTimeZoneInformation = info;
    if (standard == daylight)
        return TIME_ZONE_ID_UNKNOWN;
    return LocalOffsetAt(now) == daylight ? TIME_ZONE_ID_DAYLIGHT : TIME_ZONE_ID_STANDARD;
}
