// DATE values: days since 1899-12-30 as a double. For days before that the integral part is the
// (negative) day and the fraction still counts the time forward from that day's midnight, so -1.25
// is 1899-12-29 06:00. Texts use one fixed month/day/year form whatever the locale.

#include <cmath>
#include <cstdio>
#include <string>

#include "platform/com/OleAuto.h"

namespace {

constexpr double kMinDate = -657434.0; // 0100-01-01
constexpr double kMaxDate = 2958466.0; // 10000-01-01, exclusive
constexpr long kSecondsPerDay = 86400;

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
long DaysFromCivil(long y, unsigned m, unsigned d)
{
    y -= m <= 2;
    const long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long>(doe) - 719468;
}

void CivilFromDays(long z, long& y, unsigned& m, unsigned& d)
{
    z += 719468;
    const long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = doy - (153 * mp + 2) / 5 + 1;
    m = mp < 10 ? mp + 3 : mp - 9;
    y = static_cast<long>(yoe) + era * 400 + (m <= 2);
}

const long kEpochDays = DaysFromCivil(1899, 12, 30);

bool IsLeap(long y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

unsigned DaysInMonth(long y, unsigned m)
{
    static const unsigned days[12] { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    return (m == 2 && IsLeap(y)) ? 29 : days[m - 1];
}

// The DATE of a validated calendar day and second of that day.
DATE MakeDate(long y, unsigned m, unsigned d, long secondOfDay)
{
    const double day = static_cast<double>(DaysFromCivil(y, m, d) - kEpochDays);
    const double time = static_cast<double>(secondOfDay) / kSecondsPerDay;
    return day >= 0 ? day + time : day - time;
}

bool ValidDate(long y, unsigned m, unsigned d)
{
    return y >= 100 && y <= 9999 && m >= 1 && m <= 12 && d >= 1 && d <= DaysInMonth(y, m);
}

// A calendar day index and the second of that day, rounded to the nearest second.
bool SplitDate(DATE date, long& day, long& second)
{
    if (!(date >= kMinDate && date < kMaxDate))
        return false;
    const double whole = std::trunc(date);
    day = static_cast<long>(whole);
    second = std::lround(std::fabs(date - whole) * kSecondsPerDay);
    if (second >= kSecondsPerDay) {
        second -= kSecondsPerDay;
        ++day;
    }
    return day + kEpochDays <= DaysFromCivil(9999, 12, 31);
}

// A tiny reader over an ASCII view of the text.
class Scanner {
public:
    explicit Scanner(std::string text)
        : m_text(std::move(text))
    {
    }
    void SkipSpaces()
    {
        while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t'))
            ++m_pos;
    }
    bool AtEnd()
    {
        SkipSpaces();
        return m_pos == m_text.size();
    }
    bool Number(long& value, int& digits)
    {
        digits = 0;
        value = 0;
        while (m_pos < m_text.size() && m_text[m_pos] >= '0' && m_text[m_pos] <= '9' && digits < 9) {
            value = value * 10 + (m_text[m_pos++] - '0');
            ++digits;
        }
        return digits > 0;
    }
    bool Take(char c)
    {
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }
    bool TakeWordNoCase(const char* word)
    {
        std::size_t i = 0;
        for (; word[i]; ++i) {
            const std::size_t at = m_pos + i;
            if (at >= m_text.size())
                return false;
            char c = m_text[at];
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
            if (c != word[i])
                return false;
        }
        m_pos += i;
        return true;
    }
    std::size_t Position() const { return m_pos; }
    void Rewind(std::size_t pos) { m_pos = pos; }

private:
    std::string m_text;
    std::size_t m_pos { 0 };
};

// "h[:mm[:ss[.fff]]] [AM|PM]" (a bare hour needs AM or PM); the second of the day.
bool ReadTime(Scanner& s, long& secondOfDay)
{
    long h = 0, mi = 0, se = 0;
    int digits = 0;
    if (!s.Number(h, digits) || digits > 2)
        return false;
    bool hasMinutes = false;
    if (s.Take(':')) {
        if (!s.Number(mi, digits) || digits != 2)
            return false;
        hasMinutes = true;
        if (s.Take(':')) {
            if (!s.Number(se, digits) || digits != 2)
                return false;
            if (s.Take('.')) {
                long fraction = 0;
                if (!s.Number(fraction, digits))
                    return false;
            }
        }
    }
    s.SkipSpaces();
    bool pm = false, meridian = false;
    if (s.TakeWordNoCase("AM") || s.TakeWordNoCase("A")) {
        meridian = true;
    } else if (s.TakeWordNoCase("PM") || s.TakeWordNoCase("P")) {
        meridian = pm = true;
    }
    if (!hasMinutes && !meridian)
        return false;
    if (meridian) {
        if (h < 1 || h > 12)
            return false;
        h = (h % 12) + (pm ? 12 : 0);
    }
    if (h > 23 || mi > 59 || se > 59)
        return false;
    secondOfDay = h * 3600 + mi * 60 + se;
    return true;
}

long ExpandYear(long year, int digits)
{
    if (digits > 2)
        return year;
    return year < 30 ? 2000 + year : 1900 + year;
}

bool ReadDate(Scanner& s, long& y, unsigned& m, unsigned& d)
{
    const std::size_t start = s.Position();
    long a = 0, b = 0, c = 0;
    int da = 0, db = 0, dc = 0;
    if (!s.Number(a, da))
        return false;
    if (da == 4 && s.Take('-')) {
        // Year first: yyyy-mm-dd.
        if (!s.Number(b, db) || !s.Take('-') || !s.Number(c, dc))
            return false;
        y = a;
        m = static_cast<unsigned>(b);
        d = static_cast<unsigned>(c);
        return true;
    }
    char sep = 0;
    if (s.Take('/'))
        sep = '/';
    else if (s.Take('-'))
        sep = '-';
    else if (s.Take('.'))
        sep = '.';
    if (!sep || da > 2 || !s.Number(b, db) || db > 2) {
        s.Rewind(start);
        return false;
    }
    if (!s.Take(sep) || !s.Number(c, dc) || (dc != 2 && dc != 4)) {
        s.Rewind(start);
        return false;
    }
    m = static_cast<unsigned>(a);
    d = static_cast<unsigned>(b);
    y = ExpandYear(c, dc);
    return true;
}

std::string AsciiOf(const OLECHAR* text)
{
    std::string out;
    for (; *text; ++text)
        out.push_back(*text < 128 ? static_cast<char>(*text) : '\x7f');
    return out;
}

} // namespace

INT SystemTimeToVariantTime(const SYSTEMTIME* st, DOUBLE* pvtime)
{
    if (!st || !pvtime)
        return FALSE;
    if (!ValidDate(st->wYear, st->wMonth, st->wDay) || st->wHour > 23 || st->wMinute > 59 || st->wSecond > 59)
        return FALSE;
    *pvtime = MakeDate(st->wYear, st->wMonth, st->wDay, st->wHour * 3600L + st->wMinute * 60L + st->wSecond);
    return TRUE;
}

INT VariantTimeToSystemTime(DOUBLE vtime, SYSTEMTIME* st)
{
    long day = 0, second = 0;
    if (!st || !SplitDate(vtime, day, second))
        return FALSE;
    const long unixDay = day + kEpochDays;
    long y = 0;
    unsigned m = 0, d = 0;
    CivilFromDays(unixDay, y, m, d);
    st->wYear = static_cast<WORD>(y);
    st->wMonth = static_cast<WORD>(m);
    st->wDay = static_cast<WORD>(d);
    st->wDayOfWeek = static_cast<WORD>(((unixDay % 7) + 7 + 4) % 7); // 1970-01-01 was a Thursday
    st->wHour = static_cast<WORD>(second / 3600);
    st->wMinute = static_cast<WORD>(second / 60 % 60);
    st->wSecond = static_cast<WORD>(second % 60);
    st->wMilliseconds = 0;
    return TRUE;
}

HRESULT VarDateFromStr(const OLECHAR* strIn, LCID, ULONG, DATE* pdateOut)
{
    if (!strIn || !pdateOut)
        return E_INVALIDARG;
    Scanner s(AsciiOf(strIn));
    s.SkipSpaces();
    long y = 1899;
    unsigned m = 12, d = 30;
    long second = 0;
    const bool hasDate = ReadDate(s, y, m, d);
    if (hasDate) {
        s.SkipSpaces();
        s.Take('T');
        s.SkipSpaces();
        if (!s.AtEnd() && !ReadTime(s, second))
            return DISP_E_TYPEMISMATCH;
    } else if (!ReadTime(s, second)) {
        return DISP_E_TYPEMISMATCH;
    }
    if (!s.AtEnd() || !ValidDate(y, m, d))
        return DISP_E_TYPEMISMATCH;
    *pdateOut = MakeDate(y, m, d, second);
    return S_OK;
}

HRESULT VarBstrFromDate(DATE dateIn, LCID, ULONG, BSTR* pbstrOut)
{
    if (!pbstrOut)
        return E_INVALIDARG;
    long day = 0, second = 0;
    if (!SplitDate(dateIn, day, second))
        return E_INVALIDARG;
    std::string text;
    char part[48];
    if (day != 0) {
        long y = 0;
        unsigned m = 0, d = 0;
        CivilFromDays(day + kEpochDays, y, m, d);
        std::snprintf(part, sizeof part, "%u/%u/%ld", m, d, y);
        text = part;
    }
    if (second != 0 || day == 0) {
        const long h = second / 3600;
        const long h12 = h % 12 == 0 ? 12 : h % 12;
        std::snprintf(part, sizeof part, "%s%ld:%02ld:%02ld %s", text.empty() ? "" : " ", h12, second / 60 % 60,
            second % 60, h < 12 ? "AM" : "PM");
        text += part;
    }
    const std::u16string wide(text.begin(), text.end());
    *pbstrOut = SysAllocStringLen(wide.data(), static_cast<UINT>(wide.size()));
    return *pbstrOut ? S_OK : E_OUTOFMEMORY;
}
