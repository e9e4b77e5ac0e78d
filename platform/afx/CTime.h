#pragma once
// A point in time in whole seconds since 1970-01-01 UTC, read and built in local time.

#include <cstdint>
#include <ctime>

#include "platform/afx/CString.h"
#include "platform/afx/CTimeSpan.h"

using __time64_t = std::int64_t;

class CTime {
public:
    // The current time (from the platform's clock).
    static CTime GetCurrentTime();
    // True for a file time that a CTime can hold (not zero, not before 1970, not past the year 3000).
    static BOOL IsValidFILETIME(const FILETIME& ft);

    CTime() = default;
    CTime(__time64_t time)
        : m_time(time)
    {
    }
    // Local calendar time; nDST < 0 lets the time zone decide, 0 means standard time, > 0 daylight time.
    // Fields out of range give the time -1.
    CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST = -1);
    // Local calendar time from a SYSTEMTIME (a zero year gives time 0).
    CTime(const SYSTEMTIME& st, int nDST = -1);
    // The instant of a UTC file time.
    CTime(const FILETIME& ft, int nDST = -1);

    // Seconds since 1970-01-01 UTC.
    __time64_t GetTime() const { return m_time; }
    // Fields in local time; GetDayOfWeek is 1 for Sunday to 7 for Saturday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    // The broken-down time in UTC or local time, into *ptm (a thread-local one when null).
    struct tm* GetGmtTm(struct tm* ptm = nullptr) const;
    struct tm* GetLocalTm(struct tm* ptm = nullptr) const;
    // The local time as a SYSTEMTIME; FALSE when the time cannot be converted.
    BOOL GetAsSystemTime(SYSTEMTIME& st) const;
    // The UTC file time of the instant; FALSE for a time before 1601.
    BOOL GetAsFileTime(FILETIME& ft) const;

    // The local time as text with strftime conversions ("%#d" drops leading zeros); at most 1024 bytes.
    CString Format(LPCTSTR pFormat) const;
    // The same in UTC.
    CString FormatGmt(LPCTSTR pFormat) const;

    // Arithmetic and order.
    CTime operator+(CTimeSpan span) const { return CTime(m_time + span.GetTimeSpan()); }
    CTime operator-(CTimeSpan span) const { return CTime(m_time - span.GetTimeSpan()); }
    CTimeSpan operator-(CTime other) const { return CTimeSpan(m_time - other.m_time); }
    CTime& operator+=(CTimeSpan span)
    {
        m_time += span.GetTimeSpan();
        return *this;
    }
    CTime& operator-=(CTimeSpan span)
    {
        m_time -= span.GetTimeSpan();
        return *this;
    }
    auto operator<=>(const CTime&) const = default;

private:
    __time64_t m_time { 0 };
};
