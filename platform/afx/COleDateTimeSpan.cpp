#include "platform/afx/COleDateTimeSpan.h"

#include <cmath>

namespace {
constexpr double kSecondsPerDay = 24.0 * 60 * 60;
}

COleDateTimeSpan::COleDateTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_span(lDays + ((nHours * 60.0 + nMins) * 60.0 + nSecs) / kSecondsPerDay)
{
}

LONGLONG COleDateTimeSpan::TotalSecondsRounded() const
{
    return static_cast<LONGLONG>(std::llround(m_span * kSecondsPerDay));
}

LONG COleDateTimeSpan::GetDays() const { return static_cast<LONG>(TotalSecondsRounded() / (24 * 3600)); }

LONG COleDateTimeSpan::GetHours() const { return static_cast<LONG>((TotalSecondsRounded() / 3600) % 24); }

LONG COleDateTimeSpan::GetMinutes() const { return static_cast<LONG>((TotalSecondsRounded() / 60) % 60); }

LONG COleDateTimeSpan::GetSeconds() const { return static_cast<LONG>(TotalSecondsRounded() % 60); }
