#include "platform/base/CodePage.h"
#include "platform/base/WinError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {
// "Grüße €" followed by U+1D11E (musical G clef, a 4-byte sequence and a surrogate pair in UTF-16).
const std::string kUtf8 = "Gr\xC3\xBC\xC3\x9F"
                          "e \xE2\x82\xAC\xF0\x9D\x84\x9E";
const std::u16string kUtf16 = u"Gr\u00FC\u00DFe \u20AC\U0001D11E";
} // namespace

TEST(CodePage, RoundTripsNonAsciiTextThroughEveryAnsiCodePage)
{
    EXPECT_EQ(GetACP(), CP_UTF8);
    EXPECT_EQ(Utf8ToUtf16(kUtf8), kUtf16);
    EXPECT_EQ(Utf16ToUtf8(kUtf16), kUtf8);
    for (UINT cp : { CP_ACP, CP_UTF8, CP_OEMCP, CP_THREAD_ACP }) {
        char16_t wide[32] {};
        const int nWide = MultiByteToWideChar(cp, 0, kUtf8.c_str(), -1, wide, 32);
        ASSERT_EQ(nWide, static_cast<int>(kUtf16.size() + 1)) << cp; // the zero is counted
        EXPECT_EQ(std::u16string(wide), kUtf16);
        char narrow[32] {};
        BOOL usedDefault = TRUE;
        const int nNarrow = WideCharToMultiByte(cp, 0, wide, -1, narrow, 32, nullptr, &usedDefault);
        EXPECT_EQ(nNarrow, static_cast<int>(kUtf8.size() + 1));
        EXPECT_EQ(std::string(narrow), kUtf8);
        EXPECT_FALSE(usedDefault);
    }
}

TEST(CodePage, SizeProtocol)
{
    // A length without the zero converts exactly that many bytes and writes no terminator.
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, kUtf8.data(), static_cast<int>(kUtf8.size()), nullptr, 0),
        static_cast<int>(kUtf16.size()));
    EXPECT_EQ(
        WideCharToMultiByte(CP_UTF8, 0, kUtf16.data(), static_cast<int>(kUtf16.size()), nullptr, 0, nullptr, nullptr),
        static_cast<int>(kUtf8.size()));

    char16_t small[4] = { u'x', u'x', u'x', u'x' };
    SetLastError(0);
    EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, kUtf8.c_str(), -1, small, 4), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    char narrow[3];
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, u"\u20AC", -1, narrow, 3, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

    struct Bad {
        LPCSTR in;
        int inLength;
        int outLength;
    };
    for (const Bad& b : { Bad { nullptr, -1, 0 }, Bad { "a", 0, 0 }, Bad { "a", -2, 0 }, Bad { "a", -1, -1 } }) {
        SetLastError(0);
        EXPECT_EQ(MultiByteToWideChar(CP_ACP, 0, b.in, b.inLength, nullptr, b.outLength), 0);
        EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
    }
    EXPECT_EQ(MultiByteToWideChar(1252, 0, "a", -1, nullptr, 0), 0);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(CodePage, InvalidUtf8IsReplacedOrRefused)
{
    struct Case {
        std::string in;
        std::u16string out;
    };
    const Case cases[] = {
        { "a\xFF"
          "b",
            u"a\uFFFDb" },
        { "\xC0\xAF", u"\uFFFD\uFFFD" }, // overlong '/'
        { "\xED\xA0\x80", u"\uFFFD\uFFFD\uFFFD" }, // an encoded surrogate
        { "\xE2\x82", u"\uFFFD" }, // cut short: one replacement for the whole prefix
        { "\xF4\x90\x80\x80", u"\uFFFD\uFFFD\uFFFD\uFFFD" }, // past U+10FFFF
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Utf8ToUtf16(c.in), c.out) << c.in;
        char16_t buffer[8];
        SetLastError(0);
        EXPECT_EQ(
            MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, c.in.data(), static_cast<int>(c.in.size()), buffer, 8),
            0);
        EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
    }
}

TEST(CodePage, LoneSurrogatesBecomeTheDefaultCharacter)
{
    const char16_t lone[] = { u'a', 0xD834, u'b', 0xDD1E, 0 };
    EXPECT_EQ(Utf16ToUtf8(lone),
        "a\xEF\xBF\xBD"
        "b\xEF\xBF\xBD");

    char out[16] {};
    BOOL usedDefault = FALSE;
    EXPECT_EQ(WideCharToMultiByte(CP_ACP, 0, lone, -1, out, 16, "?", &usedDefault), 5);
    EXPECT_STREQ(out, "a?b?");
    EXPECT_TRUE(usedDefault);

    SetLastError(0);
    EXPECT_EQ(WideCharToMultiByte(CP_UTF8, WC_ERR_INVALID_CHARS, lone, -1, out, 16, nullptr, nullptr), 0);
    EXPECT_EQ(GetLastError(), ERROR_NO_UNICODE_TRANSLATION);
}

TEST(CodePage, CutNeverSplitsACharacter)
{
    // kUtf8: G r [C3 BC] [C3 9F] e ' ' [E2 82 AC] [F0 9D 84 9E]
    struct Case {
        std::size_t max;
        std::size_t expected;
    };
    for (const Case c : { Case { 0, 0 }, Case { 3, 2 }, Case { 4, 4 }, Case { 9, 8 }, Case { 10, 8 }, Case { 11, 11 },
             Case { 14, 11 }, Case { 15, 15 }, Case { 100, 15 } })
        EXPECT_EQ(CutUtf8(kUtf8, c.max).size(), c.expected) << c.max;
    // Stray continuation bytes are not characters to protect.
    EXPECT_EQ(CutUtf8("ab\x80\x80\x80\x80\x80", 4), "ab\x80\x80");
}
