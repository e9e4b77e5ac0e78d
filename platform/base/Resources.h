#pragma once
// Resources linked into modules: the executable, shared libraries and resource-only libraries each
// carry the resources their script defines (see tools/rc). A module handle is the module's load
// base; a null module handle means the executable.

#include "platform/base/WinTypes.h"

// Standard resource types.
#define RT_CURSOR MAKEINTRESOURCE(1)
#define RT_BITMAP MAKEINTRESOURCE(2)
#define RT_ICON MAKEINTRESOURCE(3)
#define RT_MENU MAKEINTRESOURCE(4)
#define RT_DIALOG MAKEINTRESOURCE(5)
#define RT_STRING MAKEINTRESOURCE(6)
#define RT_FONTDIR MAKEINTRESOURCE(7)
#define RT_FONT MAKEINTRESOURCE(8)
#define RT_ACCELERATOR MAKEINTRESOURCE(9)
#define RT_RCDATA MAKEINTRESOURCE(10)
#define RT_MESSAGETABLE MAKEINTRESOURCE(11)
#define RT_GROUP_CURSOR MAKEINTRESOURCE(12)
#define RT_GROUP_ICON MAKEINTRESOURCE(14)
#define RT_VERSION MAKEINTRESOURCE(16)
#define RT_DLGINCLUDE MAKEINTRESOURCE(17)
#define RT_ANICURSOR MAKEINTRESOURCE(21)
#define RT_ANIICON MAKEINTRESOURCE(22)
#define RT_HTML MAKEINTRESOURCE(23)
#define RT_MANIFEST MAKEINTRESOURCE(24)
#define RT_DLGINIT MAKEINTRESOURCE(240)
#define RT_TOOLBAR MAKEINTRESOURCE(241)

// Language ids: the primary language in the low 10 bits, the sublanguage above it.
constexpr LANGID MAKELANGID(unsigned primary, unsigned sub) { return static_cast<LANGID>((sub << 10) | primary); }
constexpr WORD PRIMARYLANGID(LANGID language) { return static_cast<WORD>(language & 0x3FF); }
constexpr WORD SUBLANGID(LANGID language) { return static_cast<WORD>(language >> 10); }
constexpr WORD LANG_NEUTRAL = 0x00;
constexpr WORD LANG_ENGLISH = 0x09;
constexpr WORD LANG_GERMAN = 0x07;
constexpr WORD LANG_FRENCH = 0x0c;
constexpr WORD SUBLANG_NEUTRAL = 0x00;
constexpr WORD SUBLANG_DEFAULT = 0x01;
constexpr WORD SUBLANG_ENGLISH_US = 0x01;

// The resource of that name and type (ids by MAKEINTRESOURCE or "#n", names without regard to case),
// preferring a language-neutral one; null with ERROR_RESOURCE_*_NOT_FOUND when there is none.
HRSRC FindResource(HMODULE hModule, LPCSTR lpName, LPCSTR lpType);
// As FindResource, in the given language (a neutral sublanguage matches any sublanguage, and
// LANG_NEUTRAL any language); ERROR_RESOURCE_LANG_NOT_FOUND when only other languages exist.
HRSRC FindResourceEx(HMODULE hModule, LPCSTR lpType, LPCSTR lpName, WORD wLanguage);
// A handle to the resource's data (valid while its module is loaded); null with ERROR_INVALID_HANDLE for a bad handle.
HGLOBAL LoadResource(HMODULE hModule, HRSRC hResInfo);
// The address of the resource's read-only data; null for a null handle.
LPVOID LockResource(HGLOBAL hResData);
// The size of the resource's data in bytes; 0 with ERROR_INVALID_HANDLE for a bad handle.
DWORD SizeofResource(HMODULE hModule, HRSRC hResInfo);
// Nothing to release: resources live in their module's image. Returns FALSE as the original does.
BOOL FreeResource(HGLOBAL hResData);
// Copies string-table entry uID as UTF-8 into lpBuffer, cut to fit cchBufferMax - 1 bytes without
// splitting a character, and zero-terminates it; returns the bytes copied, 0 when the string is missing
// or empty (the buffer then holds ""). With cchBufferMax 0, lpBuffer receives a pointer (const char*)
// to the whole zero-terminated UTF-8 text, read-only and valid while the module is loaded (null when
// missing), and the text's length in bytes is returned.
int LoadString(HINSTANCE hInstance, UINT uID, LPSTR lpBuffer, int cchBufferMax);
