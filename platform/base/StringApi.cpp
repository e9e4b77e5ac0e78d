#include "platform/base/StringApi.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <string_view>

#include "platform/base/CaseFold.h"
#include "platform/base/CodePage.h"

namespace {

bool isContinuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

int sign(int v) { return v < 0 ? -1 : (v > 0 ? 1 : 0); }

int compareNulls(const void* a, const void* b)
{
    if (!a && !b)
        return 0;
    return a ? 1 : -1;
}

int nullArgument()
{
    errno = EINVAL;
    return INT_MAX;
}

int compareBytes(std::string_view a, std::string_view b)
{
    const int c = std::memcmp(a.data(), b.data(), std::min(a.size(), b.size()));
    if (c != 0)
        return sign(c);
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

char lower(char c) { return platform::FoldCase(c); }
char upper(char c) { return platform::UpperCase(c); }

template<typename Convert> LPSTR convertText(LPSTR text, Convert convert)
{
    if (!text)
        return nullptr;
    if (IS_INTRESOURCE(text)) // a single character packed into the pointer's low word
        return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(
            static_cast<unsigned char>(convert(static_cast<char>(reinterpret_cast<UINT_PTR>(text) & 0xFF)))));
    for (char* p = text; *p; ++p)
        *p = convert(*p);
    return text;
}

char* writeNumber(unsigned long long magnitude, bool negative, char* str, int radix)
{
    if (!str)
        return nullptr;
    if (radix < 2 || radix > 36) {
        errno = EINVAL;
        str[0] = '\0';
        return str;
    }
    char digits[72];
    int n = 0;
    do {
        const int d = static_cast<int>(magnitude % static_cast<unsigned>(radix));
        digits[n++] = static_cast<char>(d < 10 ? '0' + d : 'a' + d - 10);
        magnitude /= static_cast<unsigned>(radix);
    } while (magnitude);
    char* out = str;
    if (negative)
        *out++ = '-';
    while (n)
        *out++ = digits[--n];
    *out = '\0';
    return str;
}

char* signedToText(std::int32_t value, char* str, int radix)
{
    if (radix == 10 && value < 0)
        return writeNumber(0 - static_cast<unsigned long long>(static_cast<long long>(value)), true, str, radix);
    return writeNumber(static_cast<std::uint32_t>(value), false, str, radix);
}

} // namespace

int lstrlen(LPCSTR lpString) { return lpString ? static_cast<int>(std::strlen(lpString)) : 0; }

int lstrlenW(LPCWSTR lpString) { return lpString ? static_cast<int>(std::u16string_view(lpString).size()) : 0; }

LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    std::memmove(lpString1, lpString2, std::strlen(lpString2) + 1);
    return lpString1;
}

LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    if (iMaxLength <= 0)
        return lpString1;
    const std::size_t limit = static_cast<std::size_t>(iMaxLength) - 1;
    // Only look as far as the cut needs: the source may be a longer, unterminated buffer.
    const std::size_t available = strnlen(lpString2, limit + 4);
    const std::string_view kept = platform::CutUtf8(std::string_view(lpString2, available), limit);
    std::memmove(lpString1, kept.data(), kept.size());
    lpString1[kept.size()] = '\0';
    return lpString1;
}

LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return nullptr;
    std::memmove(lpString1 + std::strlen(lpString1), lpString2, std::strlen(lpString2) + 1);
    return lpString1;
}

int lstrcmp(LPCSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return compareNulls(lpString1, lpString2);
    return compareBytes(lpString1, lpString2);
}

int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2)
{
    if (!lpString1 || !lpString2)
        return compareNulls(lpString1, lpString2);
    return sign(platform::CompareNoCase(lpString1, lpString2));
}

LPSTR CharUpper(LPSTR lpsz) { return convertText(lpsz, upper); }

LPSTR CharLower(LPSTR lpsz) { return convertText(lpsz, lower); }

DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength)
{
    if (!lpsz)
        return 0;
    for (DWORD i = 0; i < cchLength; ++i)
        lpsz[i] = upper(lpsz[i]);
    return cchLength;
}

DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength)
{
    if (!lpsz)
        return 0;
    for (DWORD i = 0; i < cchLength; ++i)
        lpsz[i] = lower(lpsz[i]);
    return cchLength;
}

BOOL IsCharAlpha(CHAR ch) { return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z'); }

BOOL IsCharAlphaNumeric(CHAR ch) { return IsCharAlpha(ch) || (ch >= '0' && ch <= '9'); }

LPSTR CharNext(LPCSTR lpsz)
{
    if (!lpsz || !*lpsz)
        return const_cast<LPSTR>(lpsz);
    const char* p = lpsz + 1;
    for (int i = 0; i < 3 && *p && isContinuation(*p); ++i)
        ++p;
    return const_cast<LPSTR>(p);
}

LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent)
{
    if (!lpszStart || !lpszCurrent || lpszCurrent <= lpszStart)
        return const_cast<LPSTR>(lpszStart);
    const char* p = lpszCurrent - 1;
    while (p > lpszStart && lpszCurrent - p < 4 && isContinuation(*p))
        --p;
    return const_cast<LPSTR>(p);
}

int _mbscmp(const unsigned char* string1, const unsigned char* string2)
{
    if (!string1 || !string2)
        return nullArgument();
    return compareBytes(reinterpret_cast<const char*>(string1), reinterpret_cast<const char*>(string2));
}

int _mbsicmp(const unsigned char* string1, const unsigned char* string2)
{
    if (!string1 || !string2)
        return nullArgument();
    return platform::CompareNoCase(reinterpret_cast<const char*>(string1), reinterpret_cast<const char*>(string2));
}

int _stricmp(const char* string1, const char* string2)
{
    if (!string1 || !string2)
        return nullArgument();
    return platform::CompareNoCase(string1, string2);
}

int _strnicmp(const char* string1, const char* string2, std::size_t count)
{
    if (!string1 || !string2)
        return nullArgument();
    return platform::CompareNoCase(
        std::string_view(string1, strnlen(string1, count)), std::string_view(string2, strnlen(string2, count)));
}

char* _strupr(char* str)
{
    if (str)
        CharUpperBuff(str, static_cast<DWORD>(std::strlen(str)));
    return str;
}

char* _strlwr(char* str)
{
    if (str)
        CharLowerBuff(str, static_cast<DWORD>(std::strlen(str)));
    return str;
}

char* _itoa(int value, char* str, int radix) { return signedToText(value, str, radix); }

char* _ltoa(LONG value, char* str, int radix) { return signedToText(value, str, radix); }

char* _ultoa(ULONG value, char* str, int radix) { return writeNumber(value, false, str, radix); }
