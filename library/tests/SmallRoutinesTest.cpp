// Component registration, the help loader, the insert builder and date comparison.

#include "library/ConnectionString.h"
#include "library/ServerRoutines.h"
#include "library/_ADODatabaseHelper.h"
#include "library/tests/support/TestFolder.h"

#include "platform/base/FileApi.h"
#include "platform/base/Modules.h"
#include "platform/base/PathApi.h"
#include "platform/com/OleAuto.h"
#include "platform/com/VariantT.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

TEST(RegisterServer, ResultCodes)
{
    EXPECT_EQ(RegisterServer("NoSuchLibrary.dll"), 1);
    EXPECT_EQ(RegisterServer(""), 1);
    EXPECT_EQ(RegisterServer("LibraryTestPlain.dll"), 2);
    EXPECT_EQ(RegisterServer("LibraryTestPlain.OCX"), 2);

    // The same library under a name that is neither ".dll" nor ".ocx".
    const std::string copy = testing_support::CurrentDirectory() + "\\x.txt";
    ASSERT_TRUE(CopyFile((platform::ProgramFolder() + "/LibraryTestPlain.so").c_str(), copy.c_str(), FALSE));
    EXPECT_EQ(RegisterServer(copy.c_str()), 4);

    setenv("TS_TEST_REGISTER_RESULT", "0", 1);
    EXPECT_EQ(RegisterServer("LibraryTestServer.dll"), 0);
    setenv("TS_TEST_REGISTER_RESULT", "1", 1); // S_FALSE is no failure
    EXPECT_EQ(RegisterServer("LibraryTestServer.dll"), 0);
    setenv("TS_TEST_REGISTER_RESULT", "0x80004005", 1);
    EXPECT_EQ(RegisterServer("LibraryTestServer.dll"), 3);
    unsetenv("TS_TEST_REGISTER_RESULT");

    EXPECT_EQ(SetErrorMode(0), 0u); // the mode never outlasts the call
}

TEST(ShowHtmlHelp, MissingControlFailsQuietlyForGood)
{
    char path[MAX_PATH] = "unchanged";
    EXPECT_FALSE(GetHtmlHelpControlPath(path));
    EXPECT_EQ(ShowHtmlHelp(nullptr, "help.chm", 0, 0), nullptr);
    EXPECT_EQ(ShowHtmlHelp(nullptr, "help.chm", 0, 0), nullptr);
}

TEST(BuildInsertSql, QuotesAndLiterals)
{
    CString sql = "untouched";
    EXPECT_FALSE(BuildInsertSql(sql, "t", 0, nullptr, nullptr));
    EXPECT_STREQ(sql, "untouched");

    SYSTEMTIME time { 2001, 5, 0, 29, 13, 45, 10, 0 };
    DATE date = 0;
    SystemTimeToVariantTime(&time, &date);
    const _variant_t names[] = { _variant_t("CustomerID"), _variant_t("Station"), _variant_t("Gone"), _variant_t(7L),
        _variant_t("Added"), _variant_t("Count") };
    const _variant_t values[] = { _variant_t(1L), _variant_t("say \"hi\""), _variant_t(), _variant_t("skipped"),
        _variant_t(date, VT_DATE), _variant_t(short(5)) };
    ASSERT_TRUE(BuildInsertSql(sql, "t", 6, names, values));
    EXPECT_STREQ(sql,
        "INSERT INTO t ([CustomerID], [Station], [Gone], [Added], [Count]) "
        "VALUES (\"1\", \"say \"\"hi\"\"\", NULL, #05/29/2001#, \"5\")");

    // A pair whose name is no text leaves no stray separator behind, even when it comes first.
    const _variant_t skipFirst[] = { _variant_t(3L), _variant_t("Title") };
    const _variant_t skipValues[] = { _variant_t("x"), _variant_t("y") };
    ASSERT_TRUE(BuildInsertSql(sql, "t", 2, skipFirst, skipValues));
    EXPECT_STREQ(sql, "INSERT INTO t ([Title]) VALUES (\"y\")");
}

TEST(IsOlderThan, ComparesWholeDays)
{
    const auto at = [](WORD year, WORD month, WORD day, WORD hour) {
        SYSTEMTIME time { year, month, 0, day, hour, 0, 0, 0 };
        DATE date = 0;
        SystemTimeToVariantTime(&time, &date);
        return date;
    };
    EXPECT_FALSE(_ADODatabaseHelper::IsOlderThan("05/29/2001", at(2001, 5, 29, 0)));
    EXPECT_FALSE(_ADODatabaseHelper::IsOlderThan("05/29/2001", at(2001, 5, 29, 23)));
    EXPECT_TRUE(_ADODatabaseHelper::IsOlderThan("05/29/2001", at(2001, 5, 28, 23)));
    EXPECT_TRUE(_ADODatabaseHelper::IsOlderThan("02/20/2002", at(2001, 12, 31, 12)));
    EXPECT_TRUE(_ADODatabaseHelper::IsOlderThan("02/20/2002", at(2002, 1, 25, 12)));
    EXPECT_FALSE(_ADODatabaseHelper::IsOlderThan("02/20/2002", at(2003, 1, 1, 0)));
    EXPECT_FALSE(_ADODatabaseHelper::IsOlderThan("", at(2001, 1, 1, 0)));
}
