#include "platform/afx/COleDateTime.h"

#include <cmath>
#include <ctime>

#include "platform/base/CodePage.h"
#include "platform/base/SystemTime.h"
#include "platform/com/OleAuto.h"

namespace {

// A DATE below zero counts its days backwards but its time of day forwards (-1.25 is 1899-12-29 06:00);
// arithmetic and ordering work on the continuous value instead.
double LinearFromDate(DATE dt)
{
    if (dt >= 0)
        return dt;
    const double day = std::ceil(dt);
    return day - (dt - day);
}

DATE DateFromLinear(double value)
{
    if (value >= 0)
        return value;
    const double day = std::floor(value);
    return day + (day - value);
}

// Days before each month in a common year.
constexpr int kDaysBeforeMonth[] = { 0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334 };

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

} // namespace

COleDateTime COleDateTime::GetCurrentTime()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return COleDateTime(now);
}

COleDateTime::COleDateTime(std::int64_t timeSrc)
{
    const std::time_t time = static_cast<std::time_t>(timeSrc);
    struct tm tm { };
    if (!localtime_r(&time, &tm)) {
        m_status = invalid;
        return;
    }
    SetDateTime(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec);
}

COleDateTime::COleDateTime(const SYSTEMTIME& systimeSrc)
{
    SetDateTime(
        systimeSrc.wYear, systimeSrc.wMonth, systimeSrc.wDay, systimeSrc.wHour, systimeSrc.wMinute, systimeSrc.wSecond);
}

COleDateTime::COleDateTime(const FILETIME& filetimeSrc)
{
    FILETIME local;
    SYSTEMTIME st;
    if (!FileTimeToLocalFileTime(&filetimeSrc, &local) || !FileTimeToSystemTime(&local, &st)) {
        m_status = invalid;
        return;
    }
    *this = COleDateTime(st);
}

COleDateTime::COleDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    SetDateTime(nYear, nMonth, nDay, nHour, nMin, nSec);
}

int COleDateTime::SetDateTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec)
{
    const bool inRange = nYear >= 100 && nYear <= 9999 && nMonth >= 1 && nMonth <= 12 && nDay >= 1 && nDay <= 31
        && nHour >= 0 && nHour <= 23 && nMin >= 0 && nMin <= 59 && nSec >= 0 && nSec <= 59;
    SYSTEMTIME st {};
    st.wYear = static_cast<WORD>(inRange ? nYear : 0);
    st.wMonth = static_cast<WORD>(nMonth);
    st.wDay = static_cast<WORD>(nDay);
    st.wHour = static_cast<WORD>(nHour);
    st.wMinute = static_cast<WORD>(nMin);
    st.wSecond = static_cast<WORD>(nSec);
    DATE dt = 0;
    if (!inRange || !SystemTimeToVariantTime(&st, &dt)) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    // The day must exist in its month (no 31 April): the date read back must be the one given.
    SYSTEMTIME back {};
    if (!VariantTimeToSystemTime(dt, &back) || back.wDay != nDay || back.wMonth != nMonth) {
        m_dt = 0;
        m_status = invalid;
        return 1;
    }
    m_dt = dt;
    m_status = valid;
    return 0;
}

BOOL COleDateTime::GetAsSystemTime(SYSTEMTIME& sysTime) const
{
    return m_status == valid && VariantTimeToSystemTime(m_dt, &sysTime);
}

int COleDateTime::GetYear() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wYear : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetMonth() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMonth : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDay() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDay : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetHour() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wHour : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetMinute() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wMinute : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetSecond() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wSecond : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfWeek() const
{
    SYSTEMTIME st;
    return GetAsSystemTime(st) ? st.wDayOfWeek + 1 : AFX_OLE_DATETIME_ERROR;
}

int COleDateTime::GetDayOfYear() const
{
    SYSTEMTIME st;
    if (!GetAsSystemTime(st))
        return AFX_OLE_DATETIME_ERROR;
    return kDaysBeforeMonth[st.wMonth - 1] + st.wDay + ((st.wMonth > 2 && IsLeapYear(st.wYear)) ? 1 : 0);
}

BOOL COleDateTime::ParseDateTime(LPCTSTR lpszDate, DWORD dwFlags, LCID lcid)
{
    const std::u16string text = platform::Utf8ToUtf16(lpszDate ? lpszDate : "");
    DATE dt = 0;
    if (FAILED(VarDateFromStr(text.c_str(), lcid, dwFlags, &dt))) {
        m_dt = 0;
        m_status = invalid;
        return FALSE;
    }
    m_dt = dt;
    m_status = valid;
    return TRUE;
}

CString COleDateTime::Format(DWORD dwFlags, LCID lcid) const
{
    if (m_status == null)
        return CString();
    if (m_status != valid)
        return CString("Invalid DateTime");
    BSTR text = nullptr;
    if (FAILED(VarBstrFromDate(m_dt, lcid, dwFlags, &text)))
        return CString("Invalid DateTime");
    CString result(static_cast<LPCWSTR>(text), static_cast<int>(SysStringLen(text)));
    SysFreeString(text);
    return result;
}

CString COleDateTime::Format(LPCTSTR lpszFormat) const
{
    if (m_status == null)
        return CString();
    SYSTEMTIME st;
    if (!lpszFormat || !GetAsSystemTime(st))
        return CString(m_status == valid ? "" : "Invalid DateTime");
    struct tm tm { };
    tm.tm_year = st.wYear - 1900;
    tm.tm_mon = st.wMonth - 1;
    tm.tm_mday = st.wDay;
    tm.tm_hour = st.wHour;
    tm.tm_min = st.wMinute;
    tm.tm_sec = st.wSecond;
    tm.tm_wday = st.wDayOfWeek;
    tm.tm_yday = GetDayOfYear() - 1;
    tm.tm_isdst = -1;
    CString format(lpszFormat);
    format.Replace("%#", "%-");
    char buffer[1024];
    const std::size_t length = std::strftime(buffer, sizeof(buffer), format, &tm);
    return CString(buffer, static_cast<int>(length));
}

COleDateTime COleDateTime::operator+(const COleDateTimeSpan& span) const
{
    COleDateTime result(DateFromLinear(LinearFromDate(m_dt) + span.m_span));
    result.m_status = (m_status == valid && span.m_status == COleDateTimeSpan::valid) ? valid : invalid;
    return result;
}

COleDateTime COleDateTime::operator-(const COleDateTimeSpan& span) const
{
    COleDateTimeSpan negative(-span.m_span);
    negative.m_status = span.m_status;
    return *this + negative;
}

COleDateTimeSpan COleDateTime::operator-(const COleDateTime& other) const
{
    COleDateTimeSpan span(LinearFromDate(m_dt) - LinearFromDate(other.m_dt));
    if (m_status != valid || other.m_status != valid)
        span.m_status = COleDateTimeSpan::invalid;
    return span;
}

bool COleDateTime::operator==(const COleDateTime& other) const
{
    return m_status == other.m_status && m_dt == other.m_dt;
}

bool COleDateTime::operator<(const COleDateTime& other) const
{
    return LinearFromDate(m_dt) < LinearFromDate(other.m_dt);
}
