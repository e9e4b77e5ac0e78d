#include "vireo/TimeZone.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <mutex>

#include "platform/base/Format.h"
#include "vireo/Properties.h"

namespace vireo {

namespace {

// Reads one decimal number as "%d" does (leading blanks, an optional sign); values beyond an int
// are clamped rather than left undefined.
bool ReadNumber(const char*& p, long long& value)
{
    char* end = nullptr;
    errno = 0;
    value = std::strtoll(p, &end, 10);
    if (end == p)
        return false;
    value = std::clamp<long long>(value, INT_MIN + 1, INT_MAX);
    p = end;
    return true;
}

// Reads "hours:minutes" the way "%d:%d" does.
bool ReadOffset(const std::string& text, int& hours, int& minutes)
{
    const char* p = text.c_str();
    long long h = 0;
    long long m = 0;
    if (!ReadNumber(p, h) || *p != ':')
        return false;
    ++p;
    if (!ReadNumber(p, m))
        return false;
    hours = static_cast<int>(h);
    minutes = static_cast<int>(m);
    return true;
}

} // namespace

bool TimeZone::SetZone(const std::string& name)
{
    if (name == m_name)
        return true;
    const Properties file(kTimeZoneFile);
    if (!file.Has(kZonesKey))
        return false;
    if (!file.ListContains(kZonesKey, name)) {
        std::fputs(platform::Format("TimeZone: %s is an invalid time zone.\n", name.c_str()).c_str(), stderr);
        return false;
    }
    const AttributeValueMap zone = file.SubMap(std::string(kZoneKey) + "." + name);
    int hours = 0;
    int minutes = 0;
    if (!ReadOffset(zone.GetString(kGMTOffsetKey), hours, minutes))
        return false;
    // Only a complete reading changes the zone, so a failed one cannot leave a name with a stale offset.
    if (hours < 0)
        minutes = -minutes;
    m_name = name;
    m_hours = hours;
    m_minutes = minutes;
    if (zone.GetString(kDSTKey) == kNoDSTValue)
        m_dst = false;
    return true;
}

bool TimeZone::LoadCurrentLocal()
{
    const std::string name = Properties(kTimeZoneFile).GetString(kCurrentLocalTimeZoneKey);
    return !name.empty() && SetZone(name);
}

void TimeZone::GetOffset(int& hours, int& minutes) const
{
    hours = m_hours;
    minutes = m_minutes;
}

TimeZone TimeZone::Current()
{
    static TimeZone current;
    static std::once_flag loaded;
    std::call_once(loaded, [] { current.LoadCurrentLocal(); });
    return current;
}

} // namespace vireo
