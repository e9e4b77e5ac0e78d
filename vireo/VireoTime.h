#pragma once
// The framework's calendar time: seven fields with a fixed text form, field-wise arithmetic and
// normalisation through a day count. Fields may hold any value until the time is normalised.

#include <cstdint>
#include <ctime>
#include <string>

namespace vireo {

class VireoTime {
public:
    // All fields 0 (not the current time).
    VireoTime() = default;
    // The given fields as they are.
    VireoTime(std::int32_t year, std::int32_t month, std::int32_t day, std::int32_t hour = 0, std::int32_t minute = 0,
        std::int32_t second = 0, std::int32_t millisecond = 0);
    // The local calendar time of a C library time value; milliseconds 0.
    explicit VireoTime(std::time_t value);
    // The parsed text; all fields 0 when it does not parse.
    explicit VireoTime(const std::string& text);

    // Reads "yyyy/mm/dd hh:mm:ss[.mmm]", the date alone or the time alone; on failure all fields are
    // 0 and the result is false.
    bool Parse(const std::string& text);
    bool Parse(const char* text);

    // The stored fields.
    std::int32_t Year() const { return m_year; }
    std::int32_t Month() const { return m_month; }
    std::int32_t Day() const { return m_day; }
    std::int32_t Hour() const { return m_hour; }
    std::int32_t Minute() const { return m_minute; }
    std::int32_t Second() const { return m_second; }
    std::int32_t Millisecond() const { return m_millisecond; }

    // The normalised time as "%04d/%02d/%02d %02d:%02d:%02d.%03d" (milliseconds always 000).
    std::string Text() const;
    // The stored fields in the same format, unnormalised.
    std::string RawText() const;
    // The C library's time value of the calendar fields, read as local time.
    std::time_t ToTimeT() const;
    // Replaces the fields by their normalised values (milliseconds become 0); returns the time.
    VireoTime& Normalize();

    // Field-wise sum, not normalised.
    static VireoTime Sum(const VireoTime& a, const VireoTime& b);
    // Field-wise in place; return a copy of the result, not normalised.
    VireoTime Add(const VireoTime& other);
    VireoTime Subtract(const VireoTime& other);

    // A normalised copy shifted from GMT to the current time zone.
    VireoTime ToLocalTime() const;
    // A normalised copy shifted from the current time zone to GMT.
    VireoTime ToGMT() const;

    // Field-wise equality.
    friend bool operator==(const VireoTime&, const VireoTime&) = default;

private:
    std::int32_t m_year { 0 };
    std::int32_t m_month { 0 };
    std::int32_t m_day { 0 };
    std::int32_t m_hour { 0 };
    std::int32_t m_minute { 0 };
    std::int32_t m_second { 0 };
    std::int32_t m_millisecond { 0 };
};

} // namespace vireo
