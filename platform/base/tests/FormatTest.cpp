#include "platform/base/Format.h"

#include <cstring>

#include <gtest/gtest.h>

using namespace platform;

TEST(Format, ConversionsFollowThePlatformsWidths)
{
    const LONG negative = -42;
    const long long big = -9000000000LL;
    struct Case {
        std::string got;
        std::string expected;
    };
    const Case cases[] = {
        { Format("%ld", negative), "-42" },
        { Format("%lu|%lx", negative, negative), "4294967254|ffffffd6" },
        // "l" reads 32 bits even when the caller widened the value to 64.
        { Format("%ld %d", static_cast<long long>(0xFFFFFFFFLL), 7), "-1 7" },
        { Format("%5.2f|%e|%g", 3.14159, 1500.0, 0.5), " 3.14|1.500000e+03|0.5" },
        { Format("%-8s|%8s|%.2s", "ab", "cd", "xyz"), "ab      |      cd|xy" },
        { Format("%08X|%#x|%o|%+d|% d", 0xBEEFu, 255u, 8u, 5, 5), "0000BEEF|0xff|10|+5| 5" },
        { Format("%I64d|%lld|%I64u", big, big, 18446744073709551615ULL),
            "-9000000000|-9000000000|18446744073709551615" },
        { Format("%hd|%hu|%hhd", 70000, 70000, 300), "4464|4464|44" },
        { Format("%S|%ls|%s", u"Gr\u00FC\u00DF", u"\U0001D11E", "caf\xC3\xA9"),
            "Gr\xC3\xBC\xC3\x9F|\xF0\x9D\x84\x9E|caf\xC3\xA9" },
        { Format("%c%C%c", 'a', u'\u00E9', 'b'),
            "a\xC3\xA9"
            "b" },
        { Format("%*d|%-*d|%.*s", 4, 7, 3, 7, 2, "abc"), "   7|7  |ab" },
        { Format("100%% %s", static_cast<const char*>(nullptr)), "100% (null)" },
        // Widths and precisions count characters, and a cut keeps characters whole.
        { Format("%-5s|%.3s", "caf\xC3\xA9", "\xC3\xA9\xC3\xA9\xC3\xA9\xC3\xA9"),
            "caf\xC3\xA9 |\xC3\xA9\xC3\xA9\xC3\xA9" },
        // Not conversions: kept as text, no argument consumed.
        { Format("%y %d %", 3), "%y 3 %" },
        { Format("%p", reinterpret_cast<void*>(0x1234)), std::string(sizeof(void*) * 2 - 4, '0') + "1234" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);
}

TEST(Format, PercentNNeverWrites)
{
    int target = 17;
    EXPECT_EQ(Format("ab%nc", &target), "abc");
    EXPECT_EQ(target, 17);
}

TEST(Format, WsprintfStopsAt1024Bytes)
{
    const std::string longText(2000, 'x');
    char buffer[1100];
    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(wsprintf(buffer, "%s", longText.c_str()), 1023);
    EXPECT_EQ(buffer[1023], '\0');
    EXPECT_EQ(buffer[1024], '#');

    // The cut falls before a character that would not fit whole.
    const std::string euros = std::string(1022, 'y') + "\xE2\x82\xAC";
    EXPECT_EQ(wsprintf(buffer, "%s", euros.c_str()), 1022);
    EXPECT_EQ(wsprintf(buffer, "%d-%s", 12, "ok"), 5);
    EXPECT_STREQ(buffer, "12-ok");
}

TEST(Format, SnprintfReportsACutAndStillTerminates)
{
    char buffer[8];
    EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%d", 1234567), 7);
    EXPECT_STREQ(buffer, "1234567");
    // Exactly full and over-full are both cuts: the result is terminated and -1 is returned.
    EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%s", "12345678"), -1);
    EXPECT_STREQ(buffer, "1234567");
    EXPECT_EQ(_snprintf(buffer, sizeof buffer, "%s", "abcde\xE2\x82\xAC"), -1);
    EXPECT_STREQ(buffer, "abcde");
    EXPECT_EQ(_snprintf(buffer, 0, "%s", "x"), -1);
}
