#include "platform/afx/CTime.h"

#include "platform/base/SystemTime.h"

namespace {

// 100 ns intervals between 1601-01-01 and 1970-01-01.
constexpr std::int64_t kFileTimeEpoch = 116444736000000000LL;
constexpr std::int64_t kFileTimeUnitsPerSecond = 10000000LL;
// The last file time a CTime accepts: 3000-12-31 23:59:59 UTC.
constexpr std::int64_t kMaxSeconds = 32535215999LL;

std::int64_t FileTimeValue(const FILETIME& ft)
{
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime);
}

CString FormatTm(LPCTSTR pFormat, const struct tm* tm)
{
    if (!pFormat || !tm)
        return CString();
    // "%#x" asks for a number without leading zeros, which strftime spells "%-x".
    CString format(pFormat);
    format.Replace("%#", "%-");
    char buffer[1024];
    const std::size_t length = std::strftime(buffer, sizeof(buffer), format, tm);
    return CString(buffer, static_cast<int>(length));
}

} // namespace

CTime CTime::GetCurrentTime()
{
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    return CTime(now);
}

BOOL CTime::IsValidFILETIME(const FILETIME& ft)
{
    const std::int64_t value = FileTimeValue(ft);
    if (value < kFileTimeEpoch)
        return FALSE;
    return (value - kFileTimeEpoch) / kFileTimeUnitsPerSecond <= kMaxSeconds;
}

CTime::CTime(int nYear, int nMonth, int nDay, int nHour, int nMin, int nSec, int nDST)
{
    if (nYear < 1900 || nMonth < 1 || nMonth > 12 || nDay < 1 || nDay > 31 || nHour < 0 || nHour > 23 || nMin < 0
        || nMin > 59 || nSec < 0 || nSec > 59) {
        m_time = -1;
        return;
    }
    struct tm tm { };
    tm.tm_year = nYear - 1900;
    tm.tm_mon = nMonth - 1;
    tm.tm_mday = nDay;
    tm.tm_hour = nHour;
    tm.tm_min = nMin;
    tm.tm_sec = nSec;
    tm.tm_isdst = nDST < 0 ? -1 : (nDST > 0 ? 1 : 0);
    m_time = std::mktime(&tm);
}

CTime::CTime(const SYSTEMTIME& st, int nDST)
{
    if (st.wYear != 0)
        *this = CTime(st.wYear, st.wMonth, st.wDay, st.wHour, st.wMinute, st.wSecond, nDST);
}

CTime::CTime(const FILETIME& ft, int)
    : m_time((FileTimeValue(ft) - kFileTimeEpoch) / kFileTimeUnitsPerSecond)
{
}

struct tm* CTime::GetGmtTm(struct tm* ptm) const
{
    thread_local struct tm shared {
    };
    struct tm* target = ptm ? ptm : &shared;
    const std::time_t time = static_cast<std::time_t>(m_time);
    return gmtime_r(&time, target);
}

struct tm* CTime::GetLocalTm(struct tm* ptm) const
{
    thread_local struct tm shared {
    };
    struct tm* target = ptm ? ptm : &shared;
    const std::time_t time = static_cast<std::time_t>(m_time);
    return localtime_r(&time, target);
}

int CTime::GetYear() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_year + 1900 : 0;
}

int CTime::GetMonth() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_mon + 1 : 0;
}

int CTime::GetDay() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_mday : 0;
}

int CTime::GetHour() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_hour : 0;
}

int CTime::GetMinute() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_min : 0;
}

int CTime::GetSecond() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_sec : 0;
}

int CTime::GetDayOfWeek() const
{
    struct tm tm { };
    return GetLocalTm(&tm) ? tm.tm_wday + 1 : 0;
}

BOOL CTime::GetAsSystemTime(SYSTEMTIME& st) const
{
    struct tm tm { };
    if (!GetLocalTm(&tm) || tm.tm_year + 1900 < 1601 || tm.tm_year + 1900 > 30827)
        return FALSE;
    st.wYear = static_cast<WORD>(tm.tm_year + 1900);
    st.wMonth = static_cast<WORD>(tm.tm_mon + 1);
    st.wDayOfWeek = static_cast<WORD>(tm.tm_wday);
    st.wDay = static_cast<WORD>(tm.tm_mday);
    st.wHour = static_cast<WORD>(tm.tm_hour);
    st.wMinute = static_cast<WORD>(tm.tm_min);
    st.wSecond = static_cast<WORD>(tm.tm_sec);
    st.wMilliseconds = 0;
    return TRUE;
}

BOOL CTime::GetAsFileTime(FILETIME& ft) const
{
    const std::int64_t value = m_time * kFileTimeUnitsPerSecond + kFileTimeEpoch;
    if (value < 0)
        return FALSE;
    ft.dwLowDateTime = static_cast<DWORD>(value & 0xFFFFFFFF);
    ft.dwHighDateTime = static_cast<DWORD>(static_cast<std::uint64_t>(value) >> 32);
    return TRUE;
}

CString CTime::Format(LPCTSTR pFormat) const
{
    struct tm tm { };
    return FormatTm(pFormat, GetLocalTm(&tm));
}

CString CTime::FormatGmt(LPCTSTR pFormat) const
{
    struct tm tm { };
    return FormatTm(pFormat, GetGmtTm(&tm));
}
