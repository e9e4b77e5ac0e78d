#pragma once
// A length of time in days (the fraction being the part of a day), the difference of two COleDateTime
// values.

#include "platform/afx/CString.h"

class COleDateTimeSpan {
public:
    enum DateTimeSpanStatus { valid = 0, invalid = 1, null = 2 };

    COleDateTimeSpan() = default;
    COleDateTimeSpan(double dblSpanSrc)
        : m_span(dblSpanSrc)
    {
    }
    COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs);

    // The status of the span.
    DateTimeSpanStatus GetStatus() const { return m_status; }
    void SetStatus(DateTimeSpanStatus status) { m_status = status; }

    // The whole span in days, hours, minutes or seconds (with fractions).
    double GetTotalDays() const { return m_span; }
    double GetTotalHours() const { return m_span * 24; }
    double GetTotalMinutes() const { return m_span * 24 * 60; }
    double GetTotalSeconds() const { return m_span * 24 * 60 * 60; }
    // The whole days, and the hours, minutes and seconds of the rest (rounded to the second).
    LONG GetDays() const;
    LONG GetHours() const;
    LONG GetMinutes() const;
    LONG GetSeconds() const;

    // Arithmetic and order of spans.
    COleDateTimeSpan operator+(const COleDateTimeSpan& other) const { return m_span + other.m_span; }
    COleDateTimeSpan operator-(const COleDateTimeSpan& other) const { return m_span - other.m_span; }
    COleDateTimeSpan operator-() const { return -m_span; }
    auto operator<=>(const COleDateTimeSpan& other) const { return m_span <=> other.m_span; }
    bool operator==(const COleDateTimeSpan& other) const { return m_span == other.m_span; }

    double m_span { 0 };
    DateTimeSpanStatus m_status { valid };

private:
    // The span in whole seconds, rounded.
    LONGLONG TotalSecondsRounded() const;
};
