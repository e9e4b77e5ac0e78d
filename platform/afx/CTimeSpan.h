#pragma once
// A length of time in whole seconds, the difference of two CTime values.

#include <cstdint>

#include "platform/afx/CString.h"

class CTimeSpan {
public:
    CTimeSpan() = default;
    CTimeSpan(std::int64_t seconds)
        : m_timeSpan(seconds)
    {
    }
    CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    // The span in seconds, and split into days, hours, minutes and seconds (totals where named so).
    std::int64_t GetTimeSpan() const { return m_timeSpan; }
    LONGLONG GetDays() const { return m_timeSpan / (24 * 3600); }
    LONGLONG GetTotalHours() const { return m_timeSpan / 3600; }
    LONG GetHours() const { return static_cast<LONG>(GetTotalHours() - GetDays() * 24); }
    LONGLONG GetTotalMinutes() const { return m_timeSpan / 60; }
    LONG GetMinutes() const { return static_cast<LONG>(GetTotalMinutes() - GetTotalHours() * 60); }
    LONGLONG GetTotalSeconds() const { return m_timeSpan; }
    LONG GetSeconds() const { return static_cast<LONG>(GetTotalSeconds() - GetTotalMinutes() * 60); }

    // The span as text: %D days, %H hours, %M minutes, %S seconds (two digits each but days), %% a percent.
    CString Format(LPCTSTR pFormat) const;

    // Arithmetic and order.
    CTimeSpan operator+(CTimeSpan other) const { return CTimeSpan(m_timeSpan + other.m_timeSpan); }
    CTimeSpan operator-(CTimeSpan other) const { return CTimeSpan(m_timeSpan - other.m_timeSpan); }
    CTimeSpan& operator+=(CTimeSpan other)
    {
        m_timeSpan += other.m_timeSpan;
        return *this;
    }
    CTimeSpan& operator-=(CTimeSpan other)
    {
        m_timeSpan -= other.m_timeSpan;
        return *this;
    }
    auto operator<=>(const CTimeSpan&) const = default;

private:
    std::int64_t m_timeSpan { 0 };
};
