#pragma once
// A date and time held as the component model's DATE (days since 1899-12-30, the fraction being the
// time of day), with a status: valid, invalid (the result of a bad date or a failed conversion) or null.
// Dates run from the year 100 to 9999.

#include <cstdint>

#include "platform/afx/COleDateTimeSpan.h"
#include "platform/afx/CString.h"
#include "platform/com/OaIdl.h"

class COleDateTime {
public:
    enum DateTimeStatus { error = -1, valid = 0, invalid = 1, null = 2 };

    // The current local time.
    static COleDateTime GetCurrentTime();

    COleDateTime() = default;
    COleDateTime(DATE dtSrc)
        : m_dt(dtSrc)
    {
    }
    // Local time of a time value (seconds since 1970 UTC); invalid when out of range.
    explicit COleDateTime(std::int64_t timeSrc);
    // Calendar fields of a SYSTEMTIME (milliseconds ignored); invalid when out of range.
    COleDateTime(const SYSTEMTIME& systimeSrc);
    // Local time of a UTC file time; invalid when out of range.
    COleDateTime(const FILETIME& filetimeSrc);
    COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);

    // The status, and the value as a DATE.
    DateTimeStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeStatus status) { m_status = status; }
    operator DATE() const { return m_dt; }

    // Sets the date and time; returns 0 when valid, otherwise 1 with the status invalid.
    int SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec);
    int SetDate(int nYear, int nMonth, int nDay) { return SetDateTime(nYear, nMonth, nDay, 0, 0, 0); }
    int SetTime(int nHour, int nMin, int nSec) { return SetDateTime(1899, 12, 30, nHour, nMin, nSec); }

    // Calendar fields (rounded to the second); -1 (AFX_OLE_DATETIME_ERROR) when the value is not valid.
    // GetDayOfWeek is 1 for Sunday to 7 for Saturday.
    int GetYear() const;
    int GetMonth() const;
    int GetDay() const;
    int GetHour() const;
    int GetMinute() const;
    int GetSecond() const;
    int GetDayOfWeek() const;
    int GetDayOfYear() const;
    // The fields as a SYSTEMTIME; FALSE when the value is not valid.
    BOOL GetAsSystemTime(SYSTEMTIME& sysTime) const;

    // Reads a date and/or time text; FALSE (and the status invalid) when it is not one.
    BOOL ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags = 0, LCID lcid = LOCALE_USER_DEFAULT);
    // The standard text ("M/D/YYYY h:mm:ss AM"; the date alone at midnight). "" when null, "Invalid
    // DateTime" when invalid.
    CString Format(DWORD dwFlags = 0, LCID lcid = LOCALE_USER_DEFAULT) const;
    // Text with strftime conversions ("%#d" drops leading zeros).
    CString Format(LPCTSTR lpszFormat) const;

    // Arithmetic and order on the continuous time line (a DATE below zero counts its time of day
    // forwards); a result of an invalid operand is invalid.
    COleDateTime operator+(const COleDateTimeSpan& span) const;
    COleDateTime operator-(const COleDateTimeSpan& span) const;
    COleDateTimeSpan operator-(const COleDateTime& other) const;
    COleDateTime& operator+=(const COleDateTimeSpan& span) { return *this = *this + span; }
    COleDateTime& operator-=(const COleDateTimeSpan& span) { return *this = *this - span; }
    bool operator==(const COleDateTime& other) const;
    bool operator!=(const COleDateTime& other) const { return !(*this == other); }
    bool operator<(const COleDateTime& other) const;
    bool operator>(const COleDateTime& other) const { return other < *this; }
    bool operator<=(const COleDateTime& other) const { return !(other < *this); }
    bool operator>=(const COleDateTime& other) const { return !(*this < other); }

    DATE m_dt { 0 };
    DateTimeStatus m_status { valid };
};

// What the field readers return for a value that is not valid.
constexpr int AFX_OLE_DATETIME_ERROR = -1;
