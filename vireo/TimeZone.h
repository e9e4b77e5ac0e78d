#pragma once
// A named offset from GMT, read from the time-zone file in the current directory. One process-wide
// current zone, loaded on first use, serves the conversions between GMT and local time.

#include <string>

namespace vireo {

// The time-zone file and its keys.
inline constexpr const char* kTimeZoneFile = "TimeZone.prp";
inline constexpr const char* kCurrentLocalTimeZoneKey = "currentLocalTimeZone";
inline constexpr const char* kZonesKey = "Zones";
inline constexpr const char* kZoneKey = "Zone";
inline constexpr const char* kGMTOffsetKey = "GMTOffset";
inline constexpr const char* kDSTKey = "DST";
inline constexpr const char* kNoDSTValue = "none";

class TimeZone {
public:
    // Loads the named zone from the time-zone file; true on success. On failure the zone keeps its
    // name and offset.
    bool SetZone(const std::string& name);
    // Loads the zone the file names as current; false when it names none or the zone fails to load.
    bool LoadCurrentLocal();
    // The offset from GMT: local time = GMT + hours and minutes (both negative west of GMT).
    void GetOffset(int& hours, int& minutes) const;

    // The zone's name, offset and daylight-saving flag.
    const std::string& Name() const { return m_name; }
    int Hours() const { return m_hours; }
    int Minutes() const { return m_minutes; }
    bool Dst() const { return m_dst; }

    // A copy of the process-wide current zone; the first call loads it from the file.
    static TimeZone Current();

private:
    std::string m_name;
    int m_hours { 0 };
    int m_minutes { 0 };
    bool m_dst { false };
};

} // namespace vireo
