#include "vireo/TimeZone.h"
#include "vireo/VireoTime.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>

#include <gtest/gtest.h>

using namespace vireo;

TEST(VireoTime, ParsesDatesTimesAndBoth)
{
    struct Case {
        const char* text;
        bool ok;
        const char* raw;
    };
    const Case cases[] = {
        { "2001/10/23 02:44:12", true, "2001/10/23 02:44:12.000" },
        { "2001/10/23 02:44:12.5", true, "2001/10/23 02:44:12.005" },
        { "2001/10/23\t02:44:12.250", true, "2001/10/23 02:44:12.250" },
        { "2001/10/23", true, "2001/10/23 00:00:00.000" },
        { "12:00:00", true, "0000/00/00 12:00:00.000" },
        { "1:2:3:4", false, "0000/00/00 00:00:00.000" },
        { "2001/1/", false, "0000/00/00 00:00:00.000" },
        { "2001/10/23 02:44:12.250 and more", false, "0000/00/00 00:00:00.000" },
        { "garbage text", false, "0000/00/00 00:00:00.000" },
        { "2001/10/23 nonsense", false, "0000/00/00 00:00:00.000" },
        { "", false, "0000/00/00 00:00:00.000" },
    };
    for (const Case& c : cases) {
        VireoTime time(1999, 1, 1);
        EXPECT_EQ(time.Parse(c.text), c.ok) << c.text;
        EXPECT_EQ(time.RawText(), c.raw) << c.text;
    }
}

TEST(VireoTime, NormalizesThroughTheDayCount)
{
    struct Case {
        VireoTime time;
        const char* text;
    };
    const Case cases[] = {
        { VireoTime(2001, 12, 31, 25, 0, 0), "2002/01/01 01:00:00.000" },
        { VireoTime(2001, 3, 0), "2001/02/28 00:00:00.000" },
        { VireoTime(2000, 3, 0), "2000/02/29 00:00:00.000" },
        { VireoTime(2001, 10, 23, 2, 44, 12, 250), "2001/10/23 02:44:12.000" },
        { VireoTime(2001, 1, 1, 0, 0, -1), "2000/12/31 23:59:59.000" },
        { VireoTime(2001, 13, 1), "2002/01/01 00:00:00.000" },
        { VireoTime(2001, 1, 1, 0, 90, 0), "2001/01/01 01:30:00.000" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.time.Text(), c.text) << c.time.RawText();

    VireoTime time(2001, 12, 31, 23);
    time.Add(VireoTime(0, 0, 0, 2));
    EXPECT_EQ(time.RawText(), "2001/12/31 25:00:00.000");
    EXPECT_EQ(time.Normalize().RawText(), "2002/01/01 01:00:00.000");
    EXPECT_EQ(VireoTime::Sum(VireoTime(1, 2, 3), VireoTime(1, 1, 1)).RawText(), "0002/03/04 00:00:00.000");
    EXPECT_EQ(time.Subtract(VireoTime(0, 0, 1)).RawText(), "2002/01/00 01:00:00.000");
    EXPECT_EQ(time.Text(), "2001/12/31 01:00:00.000");
}

TEST(VireoTime, ExtremeFieldsDoNotOverflow)
{
    VireoTime time(INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX);
    time.Add(time);
    time.Normalize();
    EXPECT_FALSE(time.Text().empty());
}

TEST(VireoTime, ConvertsToAndFromTheCLibraryTime)
{
    setenv("TZ", "UTC0", 1);
    tzset();
    const VireoTime time(2001, 10, 23, 2, 44, 12);
    EXPECT_EQ(time.ToTimeT(), 1003805052);
    EXPECT_EQ(VireoTime(static_cast<std::time_t>(1003805052)).RawText(), "2001/10/23 02:44:12.000");

    // With daylight saving in force on the date, the C library decides the offset itself.
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    EXPECT_EQ(VireoTime(2001, 7, 1, 12, 0, 0).ToTimeT(), 993981600);
    EXPECT_EQ(VireoTime(2001, 1, 1, 12, 0, 0).ToTimeT(), 978346800);
}

TEST(TimeZone, LoadsOffsetsAndKeepsTheZoneOnFailure)
{
    std::ofstream("TimeZone.prp") << "currentLocalTimeZone=Eastern\n"
                                     "Zones=Eastern,Newfoundland,Broken,Plus\n"
                                     "Zone.Eastern.GMTOffset=-5:00\n"
                                     "Zone.Eastern.DST=none\n"
                                     "Zone.Newfoundland.GMTOffset=-3:30\n"
                                     "Zone.Plus.GMTOffset=5:45\n"
                                     "Zone.Broken.GMTOffset=five\n";
    TimeZone zone;
    ASSERT_TRUE(zone.SetZone("Newfoundland"));
    EXPECT_EQ(zone.Hours(), -3);
    EXPECT_EQ(zone.Minutes(), -30);
    ASSERT_TRUE(zone.SetZone("Plus"));
    EXPECT_EQ(zone.Minutes(), 45);

    testing::internal::CaptureStderr();
    EXPECT_FALSE(zone.SetZone("Atlantis"));
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "TimeZone: Atlantis is an invalid time zone.\n");
    EXPECT_EQ(zone.Name(), "Plus");

    // A zone whose offset does not read leaves the zone as it was, and is not taken for loaded later.
    EXPECT_FALSE(zone.SetZone("Broken"));
    EXPECT_EQ(zone.Name(), "Plus");
    EXPECT_FALSE(zone.SetZone("Broken"));

    TimeZone local;
    EXPECT_TRUE(local.LoadCurrentLocal());
    EXPECT_EQ(local.Name(), "Eastern");
    int hours = 0, minutes = 0;
    local.GetOffset(hours, minutes);
    EXPECT_EQ(hours, -5);
    EXPECT_EQ(minutes, 0);
}

TEST(TimeZone, MissingFileLeavesTheOffsetAtZero)
{
    std::remove(kTimeZoneFile);
    TimeZone zone;
    EXPECT_FALSE(zone.SetZone("Eastern"));
    EXPECT_FALSE(zone.LoadCurrentLocal());
    EXPECT_EQ(zone.Hours(), 0);
}

// The only test that touches the process-wide zone: it is loaded once, on the first conversion.
TEST(TimeZone, ConversionsUseTheCurrentZone)
{
    std::ofstream("TimeZone.prp") << "currentLocalTimeZone=India\nZones=India,Neg\nZone.India.GMTOffset=5:30\n";
    const VireoTime noon(2001, 10, 23, 12, 0, 0);
    EXPECT_EQ(noon.ToLocalTime().RawText(), "2001/10/23 17:30:00.000");
    EXPECT_EQ(noon.ToGMT().RawText(), "2001/10/23 06:30:00.000");
    EXPECT_EQ(VireoTime(2001, 10, 23, 20, 0, 0).ToLocalTime().RawText(), "2001/10/24 01:30:00.000");
    EXPECT_EQ(TimeZone::Current().Name(), "India");
}
