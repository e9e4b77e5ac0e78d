#include <gtest/gtest.h>

#include "platform/afx/CTime.h"

TEST(CTime, CalendarFieldsAndArithmetic)
{
    const CTime t(2003, 12, 31, 23, 59, 58);
    EXPECT_EQ(t.GetYear(), 2003);
    EXPECT_EQ(t.GetMonth(), 12);
    EXPECT_EQ(t.GetDay(), 31);
    EXPECT_EQ(t.GetHour(), 23);
    EXPECT_EQ(t.GetMinute(), 59);
    EXPECT_EQ(t.GetSecond(), 58);
    EXPECT_EQ(t.GetDayOfWeek(), 4); // a Wednesday

    const CTime later = t + CTimeSpan(1, 0, 0, 3);
    EXPECT_EQ(later.GetYear(), 2004);
    EXPECT_EQ(later.GetDay(), 2);
    EXPECT_EQ((later - t).GetTotalSeconds(), 86403);
    EXPECT_EQ((later - t).GetDays(), 1);
    EXPECT_STREQ(CTimeSpan(2, 3, 4, 5).Format("%D:%H:%M:%S %%"), "2:03:04:05 %");
    EXPECT_LT(t, later);

    EXPECT_STREQ(t.Format("%Y-%m-%d %H:%M:%S"), "2003-12-31 23:59:58");
    EXPECT_STREQ(CTime(2003, 1, 5, 0, 0, 0).Format("%#d.%#m."), "5.1.");
    EXPECT_EQ(CTime(2003, 13, 1, 0, 0, 0).GetTime(), -1);
}

TEST(CTime, FileTimesAndSystemTimes)
{
    FILETIME ft;
    ft.dwHighDateTime = 0x01C3CFA0; // a time in 2004
    ft.dwLowDateTime = 0x12345678;
    ASSERT_TRUE(CTime::IsValidFILETIME(ft));
    const CTime t(ft);
    FILETIME back;
    ASSERT_TRUE(t.GetAsFileTime(back));
    const ULONGLONG original = (ULONGLONG { ft.dwHighDateTime } << 32) | ft.dwLowDateTime;
    const ULONGLONG again = (ULONGLONG { back.dwHighDateTime } << 32) | back.dwLowDateTime;
    EXPECT_EQ(original / 10000000, again / 10000000); // whole seconds survive

    EXPECT_FALSE(CTime::IsValidFILETIME(FILETIME {}));

    SYSTEMTIME st {};
    ASSERT_TRUE(CTime(1999, 6, 15, 10, 20, 30).GetAsSystemTime(st));
    EXPECT_EQ(st.wYear, 1999);
    EXPECT_EQ(st.wMonth, 6);
    EXPECT_EQ(st.wSecond, 30);
    EXPECT_EQ(CTime(st).GetTime(), CTime(1999, 6, 15, 10, 20, 30).GetTime());
}
