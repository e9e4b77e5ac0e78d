// The application-wide flags, genre names, address texts and wide copies.

#include "library/AppRoutines.h"
#include "library/tests/support/AppFixture.h"

#include <string>

TEST(IpAddress, ParseAndFormat)
{
    BYTE b[4] = { 9, 9, 9, 9 };
    EXPECT_FALSE(ParseIpAddress("10.0.0", b[0], b[1], b[2], b[3]));
    EXPECT_EQ(b[0], 9);
    EXPECT_TRUE(ParseIpAddress("192.168.1.300", b[0], b[1], b[2], b[3]));
    EXPECT_STREQ(FormatIpAddress(b[0], b[1], b[2], b[3]), "192.168.1.44");
    EXPECT_TRUE(ParseIpAddress("1..2.3", b[0], b[1], b[2], b[3]));
    EXPECT_STREQ(FormatIpAddress(b[0], b[1], b[2], b[3]), "1.0.2.3");
}

TEST(CopyToWideBuffer, CutsAndTerminates)
{
    WCHAR buffer[4];
    CopyToWideBuffer(buffer, "abcdef", 4);
    EXPECT_EQ(std::u16string(buffer), u"abc");
    CopyToWideBuffer(buffer, "\xC3\xA9", 4);
    EXPECT_EQ(std::u16string(buffer), u"\u00e9");
    CopyToWideBuffer(buffer, "ab\xF0\x9F\x98\x80", 4); // a pair that does not fit stays out whole
    EXPECT_EQ(std::u16string(buffer), u"ab");
}

class AppFlags : public AppFixture {};

TEST_F(AppFlags, FlagsAndGenreNames)
{
    SetBusy(true);
    EXPECT_EQ(App().m_bBusy, TRUE);
    SetLibraryModified(true);
    EXPECT_TRUE(IsLibraryModified());
    SetLibraryModified(false);
    EXPECT_FALSE(IsLibraryModified());

    CGenre genre;
    genre.m_nGenreId = 20;
    genre.m_strGenre = "R&B-Soul";
    App().m_genres.Add(genre);
    EXPECT_EQ(GenreIdForName("r&b-SOUL"), 20);
    EXPECT_EQ(GenreIdForName("Soul"), -1);
    EXPECT_TRUE(HasFlag(0x300F, 0x1000));
    EXPECT_FALSE(HasFlag(0x000F, 0x3000));
}
