#pragma once
// The platform's string routines on UTF-8 text. Comparisons without regard to case use the one case rule
// (ASCII letters only, see CaseFold.h); case conversions change ASCII letters only, so they never break a
// UTF-8 sequence; bounded copies never cut a character in two. Null pointers are answered, never followed.

#include <cstddef>

#include "platform/base/WinTypes.h"

// The length of the text in bytes; 0 for a null pointer.
int lstrlen(LPCSTR lpString);
// The length of a UTF-16 text in units; 0 for a null pointer.
int lstrlenW(LPCWSTR lpString);
// Copies lpString2 into lpString1; returns lpString1, or NULL when either is null.
LPSTR lstrcpy(LPSTR lpString1, LPCSTR lpString2);
// Copies at most iMaxLength - 1 bytes of lpString2 (fewer rather than split a character) and a zero;
// returns lpString1, or NULL when either is null. iMaxLength <= 0 writes nothing.
LPSTR lstrcpyn(LPSTR lpString1, LPCSTR lpString2, int iMaxLength);
// Appends lpString2 to lpString1; returns lpString1, or NULL when either is null.
LPSTR lstrcat(LPSTR lpString1, LPCSTR lpString2);
// -1, 0 or 1 as lpString1 sorts before, with or after lpString2 (bytes unsigned; null before everything).
int lstrcmp(LPCSTR lpString1, LPCSTR lpString2);
// lstrcmp without regard to case.
int lstrcmpi(LPCSTR lpString1, LPCSTR lpString2);

// Upper-cases the text in place and returns it; a pointer whose high bits are 0 is one character instead,
// returned converted.
LPSTR CharUpper(LPSTR lpsz);
// Lower-cases the text in place (or one character, as CharUpper).
LPSTR CharLower(LPSTR lpsz);
// Upper-cases cchLength bytes in place; returns cchLength (0 for a null pointer).
DWORD CharUpperBuff(LPSTR lpsz, DWORD cchLength);
// Lower-cases cchLength bytes in place; returns cchLength (0 for a null pointer).
DWORD CharLowerBuff(LPSTR lpsz, DWORD cchLength);
// TRUE for the letters A-Z and a-z.
BOOL IsCharAlpha(CHAR ch);
// TRUE for letters and the digits 0-9.
BOOL IsCharAlphaNumeric(CHAR ch);
// The start of the character after the one at lpsz; lpsz itself at the terminating zero.
LPSTR CharNext(LPCSTR lpsz);
// The start of the character before lpszCurrent; lpszStart when lpszCurrent is not past it.
LPSTR CharPrev(LPCSTR lpszStart, LPCSTR lpszCurrent);

// The C library's multibyte comparison: <0, 0 or >0 by unsigned bytes; INT_MAX with errno EINVAL for a null.
int _mbscmp(const unsigned char* string1, const unsigned char* string2);
// _mbscmp without regard to case.
int _mbsicmp(const unsigned char* string1, const unsigned char* string2);
// Compares without regard to case; INT_MAX with errno EINVAL for a null.
int _stricmp(const char* string1, const char* string2);
// Compares at most count bytes without regard to case; INT_MAX with errno EINVAL for a null.
int _strnicmp(const char* string1, const char* string2, std::size_t count);
// Upper-cases in place and returns the text (null stays null).
char* _strupr(char* str);
// Lower-cases in place and returns the text (null stays null).
char* _strlwr(char* str);
// Writes value in radix 2-36 (lower-case digits; a minus sign only in radix 10, other radixes show the
// 32-bit pattern) and returns str; an invalid radix stores an empty text.
char* _itoa(int value, char* str, int radix);
// As _itoa for a 32-bit LONG.
char* _ltoa(LONG value, char* str, int radix);
// As _itoa for an unsigned 32-bit value.
char* _ultoa(ULONG value, char* str, int radix);
