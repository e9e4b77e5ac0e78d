#include <gtest/gtest.h>

#include "platform/afx/COleDateTime.h"

TEST(COleDateTime, FieldsStatusAndText)
{
    const COleDateTime t(2004, 2, 29, 13, 5, 9);
    ASSERT_EQ(t.GetStatus(), COleDateTime::valid);
    EXPECT_EQ(t.GetYear(), 2004);
    EXPECT_EQ(t.GetMonth(), 2);
    EXPECT_EQ(t.GetDay(), 29);
    EXPECT_EQ(t.GetHour(), 13);
    EXPECT_EQ(t.GetMinute(), 5);
    EXPECT_EQ(t.GetSecond(), 9);
    EXPECT_EQ(t.GetDayOfWeek(), 1); // a Sunday
    EXPECT_EQ(t.GetDayOfYear(), 60);
    EXPECT_STREQ(t.Format(), "2/29/2004 1:05:09 PM");
    EXPECT_STREQ(t.Format("%d.%m.%Y %H:%M"), "29.02.2004 13:05");
    EXPECT_DOUBLE_EQ(COleDateTime(1899, 12, 30, 6, 0, 0).m_dt, 0.25);

    // Dates that do not exist are invalid, and their fields say so.
    for (const auto& bad : { COleDateTime(2003, 2, 29, 0, 0, 0), COleDateTime(2004, 4, 31, 0, 0, 0),
             COleDateTime(99, 1, 1, 0, 0, 0), COleDateTime(2004, 1, 1, 24, 0, 0) }) {
        EXPECT_EQ(bad.GetStatus(), COleDateTime::invalid);
        EXPECT_EQ(bad.GetYear(), AFX_OLE_DATETIME_ERROR);
        EXPECT_STREQ(bad.Format(), "Invalid DateTime");
    }
    COleDateTime empty;
    empty.SetStatus(COleDateTime::null);
    EXPECT_STREQ(empty.Format(), "");
}

TEST(COleDateTime, ParsingAndArithmeticAcrossTheZeroDay)
{
    COleDateTime parsed;
    EXPECT_TRUE(parsed.ParseDateTime("12/31/2024 1:05:00 PM"));
    EXPECT_EQ(parsed, COleDateTime(2024, 12, 31, 13, 5, 0));
    EXPECT_FALSE(parsed.ParseDateTime("not a date"));
    EXPECT_EQ(parsed.GetStatus(), COleDateTime::invalid);

    // 1899-12-30 06:00 minus 12 hours is 1899-12-29 18:00, stored as -1.75.
    const COleDateTime morning(1899, 12, 30, 6, 0, 0);
    const COleDateTime evening = morning - COleDateTimeSpan(0, 12, 0, 0);
    EXPECT_DOUBLE_EQ(evening.m_dt, -1.75);
    EXPECT_EQ(evening.GetDay(), 29);
    EXPECT_EQ(evening.GetHour(), 18);
    EXPECT_LT(evening, morning);
    EXPECT_DOUBLE_EQ((morning - evening).GetTotalHours(), 12.0);

    const COleDateTimeSpan span = COleDateTime(2004, 3, 1, 0, 0, 0) - COleDateTime(2004, 2, 28, 22, 30, 15);
    EXPECT_EQ(span.GetDays(), 1);
    EXPECT_EQ(span.GetHours(), 1);
    EXPECT_EQ(span.GetMinutes(), 29);
    EXPECT_EQ(span.GetSeconds(), 45);
}
