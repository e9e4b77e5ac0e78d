#include "platform/base/StringApi.h"
#include "platform/base/MulDiv.h"

#include <climits>
#include <cstring>

#include <gtest/gtest.h>

TEST(MulDiv, RoundsHalvesAwayFromZeroAndRefusesOverflow)
{
    struct Case {
        int number, numerator, denominator, expected;
    };
    const Case cases[] = {
        { 9, 100 * 23, 9800, 2 }, // 2.11
        { 9, 100 * 16, 9600, 2 }, // 1.5 rounds up
        { 5, 1, 2, 3 },
        { -5, 1, 2, -3 },
        { 5, -1, 2, -3 },
        { 5, 1, -2, -3 },
        { -5, -1, -2, -3 },
        { 7, 1, 3, 2 },
        { -7, 1, 3, -2 },
        { 65536, 65536, 2, -1 }, // 2^31 does not fit
        { -65536, 65536, 2, INT_MIN },
        { INT_MAX, INT_MAX, INT_MAX, INT_MAX },
        { 1, 2, 0, -1 },
    };
    for (const Case& c : cases)
        EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
            << c.number << " * " << c.numerator << " / " << c.denominator;
}

TEST(StringApi, CompareCopyAndCase)
{
    EXPECT_EQ(lstrcmpi("Tune STEWARD", "tune steward"), 0);
    EXPECT_LT(lstrcmpi("apple", "Banana"), 0);
    EXPECT_GT(lstrcmp("apple", "Banana"), 0); // case counts: 'a' > 'B'
    EXPECT_GT(lstrcmp("\xC3\x84", "z"), 0); // bytes compare unsigned
    EXPECT_LT(lstrcmp(nullptr, ""), 0);
    EXPECT_EQ(_mbsicmp(reinterpret_cast<const unsigned char*>("ABC\xC3\x84"),
                  reinterpret_cast<const unsigned char*>("abc\xC3\x84")),
        0);
    EXPECT_NE(_stricmp("\xC3\x84", "\xC3\xA4"), 0); // only ASCII letters fold
    EXPECT_EQ(_strnicmp("MUSIC\\a", "music\\b", 6), 0);
    EXPECT_EQ(_stricmp(nullptr, "a"), INT_MAX);

    char buffer[16];
    EXPECT_EQ(lstrcpyn(buffer, "caf\xC3\xA9s", 5), buffer); // room for 4 bytes: the two-byte character stays out
    EXPECT_STREQ(buffer, "caf");
    lstrcpyn(buffer, "abc", 16);
    EXPECT_STREQ(lstrcat(buffer, "def"), "abcdef");
    EXPECT_EQ(lstrlen(buffer), 6);
    EXPECT_EQ(lstrcpy(nullptr, "x"), nullptr);

    char mixed[] = "Gr\xC3\xBC\xC3\x9F"
                   "e Mix";
    EXPECT_STREQ(_strupr(mixed),
        "GR\xC3\xBC\xC3\x9F"
        "E MIX");
    EXPECT_STREQ(CharLower(mixed),
        "gr\xC3\xBC\xC3\x9F"
        "e mix");
    EXPECT_EQ(
        reinterpret_cast<UINT_PTR>(CharUpper(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>('q')))), UINT_PTR('Q'));
    EXPECT_TRUE(IsCharAlpha('x'));
    EXPECT_FALSE(IsCharAlpha('\xC3'));
    EXPECT_TRUE(IsCharAlphaNumeric('7'));
}

TEST(StringApi, CharNextAndPrevStepOverWholeCharacters)
{
    const char* text = "a\xC3\xA9\xF0\x9D\x84\x9E"
                       "b";
    const char* p = CharNext(text);
    EXPECT_EQ(p, text + 1);
    p = CharNext(p);
    EXPECT_EQ(p, text + 3);
    p = CharNext(p);
    EXPECT_EQ(p, text + 7);
    EXPECT_EQ(CharNext(text + 8), text + 8); // stays on the terminating zero
    EXPECT_EQ(CharPrev(text, text + 7), text + 3);
    EXPECT_EQ(CharPrev(text, text + 3), text + 1);
    EXPECT_EQ(CharPrev(text, text), text);
}

TEST(StringApi, NumbersToText)
{
    char buffer[40];
    EXPECT_STREQ(_itoa(-42, buffer, 10), "-42");
    EXPECT_STREQ(_itoa(-1, buffer, 16), "ffffffff");
    EXPECT_STREQ(_ltoa(INT_MIN, buffer, 10), "-2147483648");
    EXPECT_STREQ(_ultoa(4294967295u, buffer, 2), "11111111111111111111111111111111");
    EXPECT_STREQ(_itoa(35, buffer, 36), "z");
    EXPECT_STREQ(_itoa(5, buffer, 1), "");
}
