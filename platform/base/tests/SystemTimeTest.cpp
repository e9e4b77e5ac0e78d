#include "platform/base/SystemTime.h"

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

#include "platform/base/Clock.h"
#include "platform/base/WinError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

FILETIME FileTimeOf(ULONGLONG ticks)
{
    return FILETIME { static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32) };
}

ULONGLONG TicksOf(const FILETIME& time) { return (ULONGLONG { time.dwHighDateTime } << 32) | time.dwLowDateTime; }

SYSTEMTIME Date(WORD y, WORD mo, WORD d, WORD h = 0, WORD mi = 0, WORD s = 0, WORD ms = 0)
{
    SYSTEMTIME t;
    t.wYear = y;
    t.wMonth = mo;
    t.wDay = d;
    t.wHour = h;
    t.wMinute = mi;
    t.wSecond = s;
    t.wMilliseconds = ms;
    return t;
}

void ExpectSameTime(const SYSTEMTIME& a, const SYSTEMTIME& b)
{
    EXPECT_EQ(a.wYear, b.wYear);
    EXPECT_EQ(a.wMonth, b.wMonth);
    EXPECT_EQ(a.wDay, b.wDay);
    EXPECT_EQ(a.wHour, b.wHour);
    EXPECT_EQ(a.wMinute, b.wMinute);
    EXPECT_EQ(a.wSecond, b.wSecond);
    EXPECT_EQ(a.wMilliseconds, b.wMilliseconds);
}

// Runs a test in a fixed time zone with daylight time (Central Europe: +1, +2 from the last Sunday of
// March 02:00 to the last Sunday of October 03:00).
class LocalTime : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (const char* tz = std::getenv("TZ"))
            m_saved = tz;
        setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
        tzset();
    }
    void TearDown() override
    {
        if (m_saved)
            setenv("TZ", m_saved->c_str(), 1);
        else
            unsetenv("TZ");
        tzset();
    }

private:
    std::optional<std::string> m_saved;
};

} // namespace

TEST(SystemTime, ConvertsKnownDatesBothWays)
{
    struct Case {
        SYSTEMTIME time;
        ULONGLONG ticks;
        WORD dayOfWeek;
    };
    const Case cases[] = {
        { Date(1601, 1, 1), 0, 1 },
        { Date(1970, 1, 1), 116444736000000000ull, 4 },
        { Date(2000, 1, 1), 125911584000000000ull, 6 },
        { Date(2024, 2, 29, 12, 34, 56, 789), 133536836967890000ull, 4 },
        { Date(9999, 12, 31, 23, 59, 59, 999), 2650467743999990000ull, 5 },
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.ticks);
        FILETIME file;
        ASSERT_TRUE(SystemTimeToFileTime(&c.time, &file));
        EXPECT_EQ(TicksOf(file), c.ticks);
        SYSTEMTIME back;
        ASSERT_TRUE(FileTimeToSystemTime(&file, &back));
        ExpectSameTime(back, c.time);
        EXPECT_EQ(back.wDayOfWeek, c.dayOfWeek);
    }
}

TEST(SystemTime, RejectsFieldsOutOfRange)
{
    const SYSTEMTIME bad[] = {
        Date(2023, 2, 29), Date(2000, 13, 1), Date(2000, 0, 1), Date(2000, 1, 0), Date(1600, 12, 31),
        Date(2000, 1, 1, 24), Date(2000, 1, 1, 0, 60), Date(2000, 1, 1, 0, 0, 60), Date(2000, 1, 1, 0, 0, 0, 1000),
    };
    for (const SYSTEMTIME& time : bad) {
        FILETIME file { 1, 2 };
        SetLastError(0);
        EXPECT_FALSE(SystemTimeToFileTime(&time, &file));
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
        EXPECT_EQ(TicksOf(file), TicksOf(FILETIME { 1, 2 })); // untouched
    }
    const FILETIME tooLarge = FileTimeOf(0x8000000000000000ull);
    SYSTEMTIME out;
    EXPECT_FALSE(FileTimeToSystemTime(&tooLarge, &out));
    EXPECT_FALSE(SystemTimeToFileTime(nullptr, nullptr));
}

TEST(SystemTime, ComparesFileTimesAsUnsigned64BitValues)
{
    const FILETIME low = FileTimeOf(0x00000001FFFFFFFFull);
    const FILETIME high = FileTimeOf(0x0000000200000000ull);
    EXPECT_EQ(CompareFileTime(&low, &high), -1);
    EXPECT_EQ(CompareFileTime(&high, &low), 1);
    EXPECT_EQ(CompareFileTime(&low, &low), 0);
}

TEST(SystemTime, CoarseUptimeTrailsTheFullReadingByATickAtMost)
{
    for (int i = 0; i < 1000; ++i) {
        const auto before = CurrentUptime();
        const auto coarse = CurrentCoarseUptime();
        const auto after = CurrentUptime();
        ASSERT_LE(coarse, after);
        ASSERT_GE(coarse, before - std::chrono::milliseconds { 50 });
    }
    auto clock = std::make_shared<ManualClock>();
    ScopedClock scoped(clock);
    clock->Advance(std::chrono::milliseconds { 7 });
    EXPECT_EQ(CurrentCoarseUptime(), CurrentUptime());
}

TEST(SystemTime, ReadsTheInstalledClock)
{
    auto clock = std::make_shared<ManualClock>();
    ScopedClock scoped(clock);
    const ULONGLONG ticks = GetTickCount64();
    clock->Advance(std::chrono::milliseconds { 1500 });
    EXPECT_EQ(GetTickCount64() - ticks, 1500u);
    EXPECT_EQ(GetTickCount(), static_cast<DWORD>(GetTickCount64()));

    SYSTEMTIME now;
    GetSystemTime(&now);
    ExpectSameTime(now, Date(2020, 1, 1, 0, 0, 1, 500));
    FILETIME file;
    GetSystemTimeAsFileTime(&file);
    SYSTEMTIME fromFile;
    ASSERT_TRUE(FileTimeToSystemTime(&file, &fromFile));
    ExpectSameTime(fromFile, now);
}

TEST_F(LocalTime, UsesTheOffsetInForceAtTheInstant)
{
    auto clock = std::make_shared<ManualClock>();
    ScopedClock scoped(clock);
    SYSTEMTIME local;
    GetLocalTime(&local);
    ExpectSameTime(local, Date(2020, 1, 1, 1));

    struct Case {
        SYSTEMTIME utc;
        SYSTEMTIME local;
    };
    const Case cases[] = {
        { Date(2020, 1, 15, 12), Date(2020, 1, 15, 13) },
        { Date(2020, 7, 1, 12), Date(2020, 7, 1, 14) },
        // The hour that occurs twice when daylight time ends reads back as its first occurrence.
        { Date(2020, 10, 25, 0, 30), Date(2020, 10, 25, 2, 30) },
    };
    for (const Case& c : cases) {
        FILETIME utc, localFile, back;
        ASSERT_TRUE(SystemTimeToFileTime(&c.utc, &utc));
        ASSERT_TRUE(FileTimeToLocalFileTime(&utc, &localFile));
        SYSTEMTIME shown;
        ASSERT_TRUE(FileTimeToSystemTime(&localFile, &shown));
        ExpectSameTime(shown, c.local);
        ASSERT_TRUE(LocalFileTimeToFileTime(&localFile, &back));
        EXPECT_EQ(TicksOf(back), TicksOf(utc));
        SYSTEMTIME viaZone;
        ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(nullptr, &c.utc, &viaZone));
        ExpectSameTime(viaZone, c.local);
    }

    // A local time skipped when daylight time starts is read with the offset before the change.
    const SYSTEMTIME skipped = Date(2020, 3, 29, 2, 30);
    FILETIME skippedFile, utc;
    ASSERT_TRUE(SystemTimeToFileTime(&skipped, &skippedFile));
    ASSERT_TRUE(LocalFileTimeToFileTime(&skippedFile, &utc));
    SYSTEMTIME utcTime;
    ASSERT_TRUE(FileTimeToSystemTime(&utc, &utcTime));
    ExpectSameTime(utcTime, Date(2020, 3, 29, 1, 30));
}

TEST_F(LocalTime, DescribesTheZone)
{
    auto clock = std::make_shared<ManualClock>(); // January: standard time
    ScopedClock scoped(clock);
    TIME_ZONE_INFORMATION info;
    EXPECT_EQ(GetTimeZoneInformation(&info), TIME_ZONE_ID_STANDARD);
    EXPECT_EQ(info.Bias, -60);
    EXPECT_EQ(info.DaylightBias, -60);
    EXPECT_EQ(std::u16string(info.StandardName), u"CET");

    // A zone five hours west with daylight time from the second Sunday of March to the first Sunday of
    // November, both at 02:00 local time.
    TIME_ZONE_INFORMATION zone;
    zone.Bias = 300;
    zone.DaylightBias = -60;
    zone.DaylightDate = Date(0, 3, 2, 2);
    zone.StandardDate = Date(0, 11, 1, 2);
    const struct {
        SYSTEMTIME utc, local;
    } cases[] = {
        { Date(2020, 1, 1, 3), Date(2019, 12, 31, 22) },
        { Date(2020, 7, 1, 12), Date(2020, 7, 1, 8) },
        { Date(2020, 3, 8, 6, 59), Date(2020, 3, 8, 1, 59) },
        { Date(2020, 3, 8, 7), Date(2020, 3, 8, 3) },
        { Date(2020, 11, 1, 5, 59), Date(2020, 11, 1, 1, 59) },
        { Date(2020, 11, 1, 6), Date(2020, 11, 1, 1) },
    };
    for (const auto& c : cases) {
        SYSTEMTIME local;
        ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &c.utc, &local));
        ExpectSameTime(local, c.local);
    }
    zone.DaylightDate = {}; // no daylight time: the bias alone
    SYSTEMTIME local;
    ASSERT_TRUE(SystemTimeToTzSpecificLocalTime(&zone, &cases[1].utc, &local));
    ExpectSameTime(local, Date(2020, 7, 1, 7));
}
