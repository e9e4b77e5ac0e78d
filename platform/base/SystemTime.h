#pragma once
// Tick counts, the system and local time, and the conversions between SYSTEMTIME and FILETIME. Every
// reading comes from the installed clock (platform/base/Clock.h). Local time follows the process's time
// zone (TZ), with the offset that was in force at the instant converted.

#include "platform/base/WinTypes.h"

struct TIME_ZONE_INFORMATION {
    LONG Bias { 0 }; // minutes: UTC = local time + Bias
    WCHAR StandardName[32] {};
    SYSTEMTIME StandardDate {};
    LONG StandardBias { 0 };
    WCHAR DaylightName[32] {};
    SYSTEMTIME DaylightDate {};
    LONG DaylightBias { 0 };
};
using LPTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;
using PTIME_ZONE_INFORMATION = TIME_ZONE_INFORMATION*;

constexpr DWORD TIME_ZONE_ID_INVALID = 0xFFFFFFFF;
constexpr DWORD TIME_ZONE_ID_UNKNOWN = 0;
constexpr DWORD TIME_ZONE_ID_STANDARD = 1;
constexpr DWORD TIME_ZONE_ID_DAYLIGHT = 2;

// Milliseconds of uptime, wrapping every 49.7 days.
DWORD GetTickCount();
// Milliseconds of uptime.
ULONGLONG GetTickCount64();
// The current time, UTC.
void GetSystemTime(LPSYSTEMTIME lpSystemTime);
// The current time in the local time zone.
void GetLocalTime(LPSYSTEMTIME lpSystemTime);
// The current time, UTC, as a file time.
void GetSystemTimeAsFileTime(LPFILETIME lpSystemTimeAsFileTime);
// Converts calendar fields (wDayOfWeek ignored) to a file time; FALSE with ERROR_INVALID_PARAMETER for a
// field out of range (year 1601-30827, a day the month does not have, hour 24, ...).
BOOL SystemTimeToFileTime(const SYSTEMTIME* lpSystemTime, LPFILETIME lpFileTime);
// Converts a file time to calendar fields with the day of the week; FALSE with ERROR_INVALID_PARAMETER
// for a value of 2^63 or more.
BOOL FileTimeToSystemTime(const FILETIME* lpFileTime, LPSYSTEMTIME lpSystemTime);
// UTC file time to local file time.
BOOL FileTimeToLocalFileTime(const FILETIME* lpFileTime, LPFILETIME lpLocalFileTime);
// Local file time to UTC file time; a local time that occurs twice takes its first occurrence.
BOOL LocalFileTimeToFileTime(const FILETIME* lpLocalFileTime, LPFILETIME lpFileTime);
// -1, 0 or 1 as the first file time is earlier than, equal to or later than the second.
LONG CompareFileTime(const FILETIME* lpFileTime1, const FILETIME* lpFileTime2);
// UTC to local time in the given zone (a null zone is the process's own), following the zone's daylight
// rules: a fixed date, or the nth (5: last) weekday of a month at a time of day.
BOOL SystemTimeToTzSpecificLocalTime(const TIME_ZONE_INFORMATION* lpTimeZoneInformation,
    const SYSTEMTIME* lpUniversalTime, LPSYSTEMTIME lpLocalTime);
// The process's time zone: Bias and DaylightBias from this year's offsets (no transition dates are given);
// TIME_ZONE_ID_UNKNOWN when the zone has no daylight time, else whether daylight time is in force now.
DWORD GetTimeZoneInformation(LPTIME_ZONE_INFORMATION lpTimeZoneInformation);
