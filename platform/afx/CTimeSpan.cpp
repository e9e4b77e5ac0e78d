#include "platform/afx/CTimeSpan.h"

CTimeSpan::CTimeSpan(LONG lDays, int nHours, int nMins, int nSecs)
    : m_timeSpan(nSecs + 60 * (nMins + 60 * (nHours + std::int64_t { 24 } * lDays)))
{
}

CString CTimeSpan::Format(LPCTSTR pFormat) const
{
    CString result;
    if (!pFormat)
        return result;
    for (const char* p = pFormat; *p; ++p) {
        if (*p != '%' || p[1] == '\0') {
            result += *p;
            continue;
        }
        CString part;
        switch (*++p) {
        case 'D':
            part.Format("%I64d", static_cast<LONGLONG>(GetDays()));
            break;
        case 'H':
            part.Format("%02ld", GetHours());
            break;
        case 'M':
            part.Format("%02ld", GetMinutes());
            break;
        case 'S':
            part.Format("%02ld", GetSeconds());
            break;
        default:
            part = CString(*p);
            break;
        }
        result += part;
    }
    return result;
}
