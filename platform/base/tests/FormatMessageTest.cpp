#include "platform/base/FormatMessage.h"
#include "platform/base/GlobalMemory.h"
#include "platform/base/WinError.h"

#include <gtest/gtest.h>

using namespace platform;

namespace {

// FormatMessage from a string with its arguments as a C argument list.
std::string formatVa(DWORD flags, const char* fmt, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, fmt);
    const DWORD n = FormatMessage(flags | FORMAT_MESSAGE_FROM_STRING, fmt, 0, 0, buffer, sizeof buffer, &args);
    va_end(args);
    return n ? std::string(buffer, n) : "<failed " + std::to_string(GetLastError()) + ">";
}

// FormatMessage from a string with its arguments as an array of pointer-sized values.
std::string formatArray(const char* fmt, std::vector<DWORD_PTR> args)
{
    char buffer[512];
    const DWORD n = FormatMessage(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY, fmt, 0, 0, buffer,
        sizeof buffer, reinterpret_cast<va_list*>(args.data()));
    return n ? std::string(buffer, n) : "<failed " + std::to_string(GetLastError()) + ">";
}

DWORD_PTR asArg(LONG v) { return static_cast<DWORD_PTR>(static_cast<LONG_PTR>(v)); }
DWORD_PTR asArg(const char* s) { return reinterpret_cast<DWORD_PTR>(s); }

} // namespace

TEST(FormatMessage, InsertsFromArgumentListsAndArrays)
{
    const LONG nativeError = -1021;
    struct Case {
        std::string got;
        std::string expected;
    };
    const Case cases[] = {
        { formatVa(0, "Data Source=%1!s!;Persist", "Z:\\music\\lib.mdb"), "Data Source=Z:\\music\\lib.mdb;Persist" },
        { formatVa(0, "Error#: %1!d!(%2!x!)", E_FAIL, E_FAIL), "Error#: -2147467259(80004005)" },
        { formatArray("Error#: %1!d!(%2!x!)", { asArg(E_FAIL), asArg(E_FAIL) }), "Error#: -2147467259(80004005)" },
        { formatArray("%10!ld! (0x%11!lx!)", { 1, 2, 3, 4, 5, 6, 7, 8, 9, asArg(nativeError), asArg(nativeError) }),
            "-1021 (0xfffffc03)" },
        { formatVa(0, "%2 before %1", "one", "two"), "two before one" },
        { formatVa(0, "[%1!*s!] %3", 5, "ab", "c"), "[   ab] c" },
        { formatArray("100%% done%n%1!s!%0 and no more", { asArg("x") }), "100% done\r\nx" },
        { formatVa(0, "%1!s!%!%.% x", "a"), "a!. x" },
        // A plain "%1" is a string insert; "%100" is insert 10 followed by a zero.
        { formatArray("%1 %100", { asArg("a"), 0, 0, 0, 0, 0, 0, 0, 0, asArg("j") }), "a j0" },
        { formatVa(FORMAT_MESSAGE_IGNORE_INSERTS, "File %1 at %2!d!%%"), "File %1 at %2!d!%" },
        { formatVa(0, "No inserts, no arguments"), "No inserts, no arguments" },
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.got, c.expected);

    char buffer[8];
    SetLastError(0);
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_STRING, "Needs %1", 0, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
}

TEST(FormatMessage, BufferSizeAndAllocation)
{
    char small[6];
    SetLastError(0);
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_STRING, "123456", 0, 0, small, sizeof small, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_STRING, "12345", 0, 0, small, sizeof small, nullptr), 5u);
    EXPECT_STREQ(small, "12345");

    LPSTR allocated = nullptr;
    DWORD_PTR args[] = { reinterpret_cast<DWORD_PTR>("lib.mdb") };
    const DWORD n
        = FormatMessage(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_ARGUMENT_ARRAY,
            "Open %1", 0, 0, reinterpret_cast<LPSTR>(&allocated), 0, reinterpret_cast<va_list*>(args));
    ASSERT_EQ(n, 12u);
    EXPECT_STREQ(allocated, "Open lib.mdb");
    EXPECT_EQ(LocalFree(allocated), nullptr);
    EXPECT_EQ(LocalFree(allocated), allocated); // a second free is refused, not a double free
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(FormatMessage, SystemTexts)
{
    char buffer[256];
    const DWORD flags = FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS;
    ASSERT_GT(FormatMessage(flags, nullptr, ERROR_FILE_NOT_FOUND, 0, buffer, sizeof buffer, nullptr), 0u);
    const std::string fileNotFound = buffer;
    EXPECT_FALSE(fileNotFound.empty());
    EXPECT_EQ(SystemErrorText(static_cast<DWORD>(HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))), fileNotFound);
    EXPECT_EQ(SystemErrorText(54321), "Unknown error 54321");
    SetLastError(0);
    EXPECT_EQ(FormatMessage(FORMAT_MESSAGE_FROM_HMODULE, nullptr, 1, 0, buffer, sizeof buffer, nullptr), 0u);
    EXPECT_EQ(GetLastError(), ERROR_RESOURCE_TYPE_NOT_FOUND);
}

TEST(FormatMessage, LineWidth)
{
    EXPECT_EQ(formatVa(0, "a\r\nb"), "a\r\nb");
    EXPECT_EQ(formatVa(FORMAT_MESSAGE_MAX_WIDTH_MASK, "a\r\nb\nc%nd"), "a b c\r\nd");
    EXPECT_EQ(formatVa(9, "one two three four"), "one two\r\nthree\r\nfour");
    EXPECT_EQ(formatVa(4, "abcdefghij"), "abcd\r\nefgh\r\nij");
}

TEST(FormatMessage, InsertsForCxxCallers)
{
    EXPECT_EQ(FormatMessageInserts("%1!s! has %2!d! tracks (%3!s!)", { std::string("Album"), 12, u"caf\u00E9" }),
        "Album has 12 tracks (caf\xC3\xA9)");
    EXPECT_EQ(FormatMessageInserts("%1!ld!|%1!lx!", { static_cast<LONG_PTR>(-2) }), "-2|fffffffe");
    // A missing argument leaves its insert readable instead of reading past the list.
    EXPECT_EQ(FormatMessageInserts("%1 and %2!d!", { "only one" }), "only one and %2!d!");
}

TEST(GlobalMemory, HandlesAreCheckedAndLocksCounted)
{
    HGLOBAL moveable = GlobalAlloc(GHND, 10);
    ASSERT_NE(moveable, nullptr);
    EXPECT_EQ(GlobalSize(moveable), 10u);
    auto* data = static_cast<unsigned char*>(GlobalLock(moveable));
    ASSERT_NE(data, nullptr);
    EXPECT_NE(static_cast<void*>(data), moveable);
    EXPECT_EQ(data[9], 0); // zero-initialised
    EXPECT_EQ(GlobalLock(moveable), data);
    EXPECT_TRUE(GlobalUnlock(moveable));
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(NO_ERROR));
    EXPECT_FALSE(GlobalUnlock(moveable));
    EXPECT_EQ(GetLastError(), ERROR_NOT_LOCKED);
    EXPECT_EQ(GlobalFree(moveable), nullptr);

    HLOCAL fixed = LocalAlloc(LMEM_FIXED, 4);
    EXPECT_EQ(GlobalLock(fixed), fixed);
    EXPECT_EQ(LocalFree(fixed), nullptr);

    int notABlock = 0;
    EXPECT_EQ(GlobalLock(&notABlock), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_EQ(GlobalSize(&notABlock), 0u);
    EXPECT_EQ(GlobalFree(nullptr), nullptr);
}
