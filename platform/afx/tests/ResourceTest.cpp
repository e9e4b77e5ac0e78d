#include <gtest/gtest.h>

#include "AfxTestIds.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/COleDateTime.h"
#include "platform/afx/CString.h"
#include "platform/afx/CWinApp.h"
#include "platform/base/Modules.h"
#include "platform/base/Resources.h"

TEST(AfxResources, StringsComeFromTheResourceModuleThenTheProgram)
{
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_GREETING));
    EXPECT_STREQ(s, "Hello %1!");
    EXPECT_STREQ(CString(MAKEINTRESOURCE(IDS_ONLY_IN_PROGRAM)), "program only");
    s.FormatMessage(IDS_GREETING, "you");
    EXPECT_STREQ(s, "Hello you!");
    EXPECT_FALSE(s.LoadString(4711));
    EXPECT_TRUE(s.IsEmpty());

    const HMODULE library = LoadLibrary("AfxResourceLibraryTest.dll");
    ASSERT_NE(library, nullptr);
    AfxSetResourceHandle(library);
    EXPECT_EQ(AfxGetResourceHandle(), library);
    EXPECT_TRUE(s.LoadString(IDS_GREETING));
    EXPECT_STREQ(s, "Hallo %1!");
    EXPECT_TRUE(s.LoadString(IDS_ONLY_IN_PROGRAM));
    EXPECT_STREQ(s, "program only");
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(IDR_PROGRAM_DATA), RT_RCDATA), AfxGetInstanceHandle());
    EXPECT_EQ(AfxFindResourceHandle(MAKEINTRESOURCE(999), RT_RCDATA), library);
    AfxSetResourceHandle(nullptr);
    EXPECT_EQ(AfxGetResourceHandle(), AfxGetInstanceHandle());
    FreeLibrary(library);
}

TEST(AfxResources, ApplicationNameDefaultsToTheTitleString)
{
    CWinApp app;
    app.SetCurrentHandles();
    EXPECT_STREQ(app.m_pszAppName, "Afx Test Title");
    EXPECT_STREQ(app.m_pszExeName, "platform_afx_tests");
    EXPECT_STREQ(app.m_pszProfileName, "platform_afx_tests.INI");
    EXPECT_STREQ(AfxGetAppName(), "Afx Test Title");

    COleDateTime date(2004, 2, 29, 0, 0, 0);
    CString format;
    format.LoadString(IDS_DATE_FORMAT);
    EXPECT_STREQ(date.Format(format), "2004/02/29");
}
