#include "platform/base/CaseFold.h"
#include <thread>
#include "platform/base/WinError.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(CaseFold, FoldsOnlyAsciiLetters)
{
    EXPECT_TRUE(EqualsNoCase("Tune Steward.MDB", "tune steward.mdb"));
    EXPECT_FALSE(EqualsNoCase("\xC3\x84", "\xC3\xA4")); // Ä and ä are different letters here
    EXPECT_FALSE(EqualsNoCase("abc", "abcd"));
    EXPECT_LT(CompareNoCase("Apple", "banana"), 0);
    EXPECT_GT(CompareNoCase("\xC3\x84", "z"), 0); // bytes compare unsigned
    EXPECT_EQ(CompareNoCase(u"RADIO", u"radio"), 0);
    EXPECT_EQ(FoldedCopy("Music\\Covers"), "music\\covers");
}

TEST(LastError, IsPerThread)
{
    SetLastError(ERROR_FILE_NOT_FOUND);
    DWORD other = 0;
    std::thread([&] { other = GetLastError(); }).join();
    EXPECT_EQ(other, ERROR_SUCCESS);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST(HResult, Win32CodesMapToTheWin32Facility)
{
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_SUCCESS), S_OK);
    EXPECT_EQ(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND)), 0x80070002u);
    EXPECT_EQ(HRESULT_FACILITY(E_INVALIDARG), FACILITY_WIN32);
    EXPECT_TRUE(FAILED(E_FAIL));
    EXPECT_TRUE(SUCCEEDED(S_FALSE));
}
