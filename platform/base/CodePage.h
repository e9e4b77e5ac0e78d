#pragma once
// Code pages. The "ANSI" code page of this system is UTF-8: CP_ACP, CP_OEMCP, CP_THREAD_ACP and CP_UTF8
// all convert between UTF-8 and UTF-16 (char16_t). Invalid input is replaced by U+FFFD unless the caller
// asks for an error instead, so a conversion never loses the rest of a text to one bad byte.

#include <string>
#include <string_view>

#include "platform/base/WinError.h"
#include "platform/base/WinTypes.h"

constexpr UINT CP_ACP = 0;
constexpr UINT CP_OEMCP = 1;
constexpr UINT CP_MACCP = 2;
constexpr UINT CP_THREAD_ACP = 3;
constexpr UINT CP_UTF8 = 65001;

constexpr DWORD MB_PRECOMPOSED = 0x01;
constexpr DWORD MB_COMPOSITE = 0x02;
constexpr DWORD MB_USEGLYPHCHARS = 0x04;
constexpr DWORD MB_ERR_INVALID_CHARS = 0x08;

constexpr DWORD WC_DISCARDNS = 0x10;
constexpr DWORD WC_SEPCHARS = 0x20;
constexpr DWORD WC_DEFAULTCHAR = 0x40;
constexpr DWORD WC_ERR_INVALID_CHARS = 0x80;
constexpr DWORD WC_COMPOSITECHECK = 0x200;
constexpr DWORD WC_NO_BEST_FIT_CHARS = 0x400;


// The "ANSI" code page: always 65001 (UTF-8).
UINT GetACP();
// The "OEM" code page: also 65001 (UTF-8).
UINT GetOEMCP();

// Converts multibyte text of CodePage to UTF-16. cbMultiByte -1 means zero-terminated (the zero is converted
// and counted); cchWideChar 0 asks for the needed size. Returns the characters written (or needed), 0 on failure
// with ERROR_INVALID_PARAMETER, ERROR_INSUFFICIENT_BUFFER or, under MB_ERR_INVALID_CHARS, ERROR_NO_UNICODE_TRANSLATION.
int MultiByteToWideChar(
    UINT CodePage, DWORD dwFlags, LPCSTR lpMultiByteStr, int cbMultiByte, LPWSTR lpWideCharStr, int cchWideChar);
// Converts UTF-16 to multibyte text of CodePage, with the same size protocol. A lone surrogate becomes
// lpDefaultChar (U+FFFD when null) and sets *lpUsedDefaultChar; under WC_ERR_INVALID_CHARS it fails instead.
int WideCharToMultiByte(UINT CodePage, DWORD dwFlags, LPCWSTR lpWideCharStr, int cchWideChar, LPSTR lpMultiByteStr,
    int cbMultiByte, LPCSTR lpDefaultChar, LPBOOL lpUsedDefaultChar);

namespace platform {

// UTF-8 to UTF-16; each invalid sequence becomes one U+FFFD.
std::u16string Utf8ToUtf16(std::string_view text);
// UTF-16 to UTF-8; each lone surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);
// The longest prefix of text of at most maxBytes bytes that does not end inside a UTF-8 character.
std::string_view CutUtf8(std::string_view text, std::size_t maxBytes);
// The number of characters in UTF-8 text (stray continuation bytes belong to the character before them).
std::size_t CountUtf8Characters(std::string_view text);
// The longest prefix of text holding at most maxCharacters characters.
std::string_view CutUtf8Characters(std::string_view text, std::size_t maxCharacters);
// Appends the UTF-8 form of one code point (U+FFFD for a surrogate or a value past U+10FFFF).
void AppendUtf8(std::string& out, char32_t codePoint);

} // namespace platform
