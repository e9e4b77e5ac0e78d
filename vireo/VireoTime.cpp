#include "vireo/VireoTime.h"

#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/base/Format.h"
#include "vireo/TimeZone.h"

namespace vireo {

namespace {

// Texts longer than this are only looked at up to here.
constexpr std::size_t kParseWindow = 31;
constexpr std::size_t kShortestTime = 8;
constexpr std::size_t kLongestTime = 23;
// The first day of the Gregorian calendar as a day count.
constexpr double kGregorianStart = 2299161;

struct Fields {
    int year { 0 }, month { 0 }, day { 0 }, hour { 0 }, minute { 0 }, second { 0 }, millisecond { 0 };
};

bool ReadDate(const std::string& text, Fields& f)
{
    return text.find('/') != std::string::npos
        && std::sscanf(text.c_str(), "%4d/%2d/%2d", &f.year, &f.month, &f.day) == 3;
}

bool ReadClock(const std::string& text, Fields& f)
{
    if (text.find('.') != std::string::npos)
        return std::sscanf(text.c_str(), "%2d:%2d:%2d.%3d", &f.hour, &f.minute, &f.second, &f.millisecond) == 4;
    f.millisecond = 0;
    return std::sscanf(text.c_str(), "%2d:%2d:%2d", &f.hour, &f.minute, &f.second) == 3;
}

std::string Format(
    std::int32_t y, std::int32_t mo, std::int32_t d, std::int32_t h, std::int32_t mi, std::int32_t s, std::int32_t ms)
{
    return platform::Format("%04d/%02d/%02d %02d:%02d:%02d.%03d", y, mo, d, h, mi, s, ms);
}

// Day counts far outside any calendar would overflow the int fields; such times are left as they are.
bool InRange(double x) { return std::isfinite(x) && std::fabs(x) < 5.0e8; }

} // namespace

VireoTime::VireoTime(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour, std::int32_t minute,
    std::int32_t second, std::int32_t millisecond)
    : m_year(year)
    , m_month(month)
    , m_day(day)
    , m_hour(hour)
    , m_minute(minute)
    , m_second(second)
    , m_millisecond(millisecond)
{
}

VireoTime::VireoTime(std::time_t value)
{
    std::tm local {};
    if (!localtime_r(&value, &local))
        return;
    m_year = local.tm_year + 1900;
    m_month = local.tm_mon + 1;
    m_day = local.tm_mday;
    m_hour = local.tm_hour;
    m_minute = local.tm_min;
    m_second = local.tm_sec;
}

VireoTime::VireoTime(const std::string& text) { Parse(text); }

bool VireoTime::Parse(const char* text) { return Parse(std::string(text ? text : "")); }

bool VireoTime::Parse(const std::string& input)
{
    *this = VireoTime();
    // sscanf stops at a zero byte, so the text is cut there as the C string form would be.
    std::string text = input.substr(0, std::min(kParseWindow, std::strlen(input.c_str())));
    if (text.size() < kShortestTime || text.size() > kLongestTime)
        return false;

    std::size_t separator = text.find(' ');
    if (separator == std::string::npos)
        separator = text.find('\t');

    Fields f;
    if (separator == std::string::npos) {
        if (!ReadDate(text, f)) {
            f = Fields();
            if (!ReadClock(text, f))
                return false;
        }
    } else {
        if (!ReadDate(text.substr(0, separator), f) || !ReadClock(text.substr(separator), f))
            return false;
    }
    *this = VireoTime(f.year, f.month, f.day, f.hour, f.minute, f.second, f.millisecond);
    return true;
}

std::string VireoTime::Text() const
{
    VireoTime normal(*this);
    normal.Normalize();
    return normal.RawText();
}

std::string VireoTime::RawText() const
{
    return Format(m_year, m_month, m_day, m_hour, m_minute, m_second, m_millisecond);
}

std::time_t VireoTime::ToTimeT() const
{
    std::tm fields {};
    fields.tm_year = m_year - 1900;
    fields.tm_mon = m_month - 1;
    fields.tm_mday = m_day;
    fields.tm_hour = m_hour;
    fields.tm_min = m_minute;
    fields.tm_sec = m_second;
    // Let the C library decide whether daylight saving applies to this date.
    fields.tm_isdst = -1;
    return std::mktime(&fields);
}

VireoTime& VireoTime::Normalize()
{
    const double year = m_year, month = m_month, day = m_day;
    const double dayFraction = ((m_second / 60.0 + m_minute) / 60.0 + m_hour) / 24.0;
    const double x = 367.0 * year - std::floor(1.75 * (std::floor((month + 9.0) / 12.0) + year))
        - std::floor(0.75 * (std::floor(((month - 9.0) / 7.0 + year) * 0.01) + 1.0)) + std::floor(month * 275.0 / 9.0)
        + day + dayFraction + 1721028.5;
    if (!InRange(x))
        return *this;
    const double dayCount = std::floor(x);
    const int millionths = static_cast<int>((x - dayCount) * 1e6);

    const double z = dayCount;
    double g = millionths * 1e-6 + 0.5;
    double a = z;
    if (z >= kGregorianStart) {
        const double alpha = std::floor((z - 1867216.0 - 0.25) / 36524.25);
        a = z + 1.0 + alpha - std::floor(0.25 * alpha);
    }
    if (g >= 1.0) {
        g -= 1.0;
        a += 1.0;
    }
    const double b = a + 1524.0;
    const double c = std::floor((b - 2439870.0 - 122.1) / 365.25 + 6680.0);
    const double r = b - std::floor(365.25 * c);
    const double e = std::floor(r / 30.6001);
    int newDay = static_cast<int>(std::floor(r - std::floor(30.6001 * e)));
    int newMonth = static_cast<int>(e) - 1;
    if (newMonth > 12)
        newMonth -= 12;
    int newYear = static_cast<int>(c) - 4715;
    if (newMonth > 2)
        --newYear;
    if (newYear <= 0)
        --newYear;

    int hour = static_cast<int>(std::floor(24.0 * g));
    const double t = (24.0 * g - hour) * 60.0;
    int minute = static_cast<int>(std::floor(t));
    const double s = (t - minute) * 60.0;
    int second = static_cast<int>(std::floor(s));
    if (s - std::floor(s) >= 0.5)
        ++second;
    if (second > 59) {
        second -= 60;
        ++minute;
    }
    if (minute > 59) {
        minute -= 60;
        ++hour;
    }
    *this = VireoTime(newYear, newMonth, newDay, hour, minute, second, 0);
    return *this;
}

VireoTime VireoTime::Sum(const VireoTime& a, const VireoTime& b)
{
    VireoTime sum(a);
    sum.Add(b);
    return sum;
}

VireoTime VireoTime::Add(const VireoTime& o)
{
    // Wrapping adds: fields are free-form until normalised, and overflowing them must not be undefined.
    auto add = [](std::int32_t x, std::int32_t y) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) + static_cast<std::uint32_t>(y));
    };
    m_year = add(m_year, o.m_year);
    m_month = add(m_month, o.m_month);
    m_day = add(m_day, o.m_day);
    m_hour = add(m_hour, o.m_hour);
    m_minute = add(m_minute, o.m_minute);
    m_second = add(m_second, o.m_second);
    m_millisecond = add(m_millisecond, o.m_millisecond);
    return *this;
}

VireoTime VireoTime::Subtract(const VireoTime& o)
{
    auto sub = [](std::int32_t x, std::int32_t y) {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(x) - static_cast<std::uint32_t>(y));
    };
    m_year = sub(m_year, o.m_year);
    m_month = sub(m_month, o.m_month);
    m_day = sub(m_day, o.m_day);
    m_hour = sub(m_hour, o.m_hour);
    m_minute = sub(m_minute, o.m_minute);
    m_second = sub(m_second, o.m_second);
    m_millisecond = sub(m_millisecond, o.m_millisecond);
    return *this;
}

VireoTime VireoTime::ToLocalTime() const
{
    const TimeZone zone = TimeZone::Current();
    VireoTime local(*this);
    local.Add(VireoTime(0, 0, 0, zone.Hours(), zone.Minutes()));
    return local.Normalize();
}

VireoTime VireoTime::ToGMT() const
{
    const TimeZone zone = TimeZone::Current();
    VireoTime gmt(*this);
    gmt.Subtract(VireoTime(0, 0, 0, zone.Hours(), zone.Minutes()));
    return gmt.Normalize();
}

} // namespace vireo
