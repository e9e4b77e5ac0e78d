#pragma once
// Base types of the desktop platform the program was written for. Widths follow that platform:
// LONG, DWORD, BOOL, UINT and HRESULT are 32 bits; everything that holds a pointer is pointer-sized.

#include <cstddef>
#include <cstdint>

using BYTE = std::uint8_t;
using WORD = std::uint16_t;
using DWORD = std::uint32_t;
using UINT = std::uint32_t;
using ULONG = std::uint32_t;
using USHORT = std::uint16_t;
using UCHAR = std::uint8_t;
using LONG = std::int32_t;
using INT = std::int32_t;
using SHORT = std::int16_t;
using BOOL = std::int32_t;
using BOOLEAN = std::uint8_t;
using CHAR = char;
using TCHAR = char;
using WCHAR = char16_t;
using OLECHAR = char16_t;
using FLOAT = float;
using DOUBLE = double;
using LONGLONG = std::int64_t;
using ULONGLONG = std::uint64_t;
using DWORDLONG = std::uint64_t;
using DWORD64 = std::uint64_t;
using INT_PTR = std::intptr_t;
using UINT_PTR = std::uintptr_t;
using LONG_PTR = std::intptr_t;
using ULONG_PTR = std::uintptr_t;
using DWORD_PTR = std::uintptr_t;
using SIZE_T = std::size_t;
using SSIZE_T = std::ptrdiff_t;
using WPARAM = UINT_PTR;
using LPARAM = LONG_PTR;
using LRESULT = LONG_PTR;
using HRESULT = std::int32_t;
using ATOM = WORD;
using LCID = DWORD;
using LANGID = WORD;

using PVOID = void*;
using LPVOID = void*;
using LPCVOID = const void*;
using LPBYTE = BYTE*;
using LPDWORD = DWORD*;
using PDWORD = DWORD*;
using LPLONG = LONG*;
using LPBOOL = BOOL*;
using LPSTR = char*;
using LPCSTR = const char*;
using LPTSTR = char*;
using LPCTSTR = const char*;
using PSTR = char*;
using PCSTR = const char*;
using LPWSTR = char16_t*;
using LPCWSTR = const char16_t*;
using LPOLESTR = char16_t*;
using LPCOLESTR = const char16_t*;

using HANDLE = void*;
using PHANDLE = HANDLE*;
using LPHANDLE = HANDLE*;

// Distinct handle types, so that a window handle cannot be passed where a module handle is expected.
#define TS_DECLARE_HANDLE(name) \
    struct name##__ {           \
        int unused;             \
    };                          \
    using name = name##__*
TS_DECLARE_HANDLE(HINSTANCE);
TS_DECLARE_HANDLE(HKEY);
TS_DECLARE_HANDLE(HWND);
TS_DECLARE_HANDLE(HDC);
TS_DECLARE_HANDLE(HRSRC);
TS_DECLARE_HANDLE(HMENU);
TS_DECLARE_HANDLE(HICON);
TS_DECLARE_HANDLE(HBITMAP);
TS_DECLARE_HANDLE(HBRUSH);
TS_DECLARE_HANDLE(HPEN);
TS_DECLARE_HANDLE(HFONT);
TS_DECLARE_HANDLE(HRGN);
TS_DECLARE_HANDLE(HPALETTE);
TS_DECLARE_HANDLE(HACCEL);
TS_DECLARE_HANDLE(HHOOK);
TS_DECLARE_HANDLE(HIMAGELIST);
TS_DECLARE_HANDLE(HTREEITEM);
TS_DECLARE_HANDLE(HMONITOR);
TS_DECLARE_HANDLE(HDWP);
TS_DECLARE_HANDLE(HENHMETAFILE);
TS_DECLARE_HANDLE(HMETAFILE);
#undef TS_DECLARE_HANDLE
using HMODULE = HINSTANCE;
using HCURSOR = HICON;
using HGDIOBJ = void*;
using HGLOBAL = HANDLE;
using HLOCAL = HANDLE;
using PHKEY = HKEY*;
using REGSAM = DWORD;
using COLORREF = DWORD;
using LPCOLORREF = DWORD*;

using FARPROC = LONG_PTR (*)();

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

#ifndef CALLBACK
#define CALLBACK
#endif
#ifndef WINAPI
#define WINAPI
#endif
#ifndef STDMETHODCALLTYPE
#define STDMETHODCALLTYPE
#endif
#ifndef STDAPI
#define STDAPI extern "C" HRESULT
#endif

// Names that the Parts use as keywords of the platform's headers.
#define CONST const
#define VOID void
#define MAX_PATH 260
#define INFINITE 0xFFFFFFFFu
#define INVALID_HANDLE_VALUE (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))
#define INVALID_FILE_ATTRIBUTES 0xFFFFFFFFu
#define INVALID_FILE_SIZE 0xFFFFFFFFu

// Word and byte packing.
constexpr WORD MAKEWORD(unsigned a, unsigned b) { return static_cast<WORD>((a & 0xFF) | ((b & 0xFF) << 8)); }
constexpr LONG MAKELONG(unsigned a, unsigned b) { return static_cast<LONG>((a & 0xFFFF) | ((b & 0xFFFF) << 16)); }
constexpr WORD LOWORD(DWORD_PTR l) { return static_cast<WORD>(l & 0xFFFF); }
constexpr WORD HIWORD(DWORD_PTR l) { return static_cast<WORD>((l >> 16) & 0xFFFF); }
constexpr BYTE LOBYTE(DWORD_PTR w) { return static_cast<BYTE>(w & 0xFF); }
constexpr BYTE HIBYTE(DWORD_PTR w) { return static_cast<BYTE>((w >> 8) & 0xFF); }
constexpr LPARAM MAKELPARAM(unsigned l, unsigned h) { return static_cast<LPARAM>(static_cast<DWORD>(MAKELONG(l, h))); }
constexpr WPARAM MAKEWPARAM(unsigned l, unsigned h) { return static_cast<WPARAM>(static_cast<DWORD>(MAKELONG(l, h))); }
constexpr LRESULT MAKELRESULT(unsigned l, unsigned h) { return static_cast<LRESULT>(static_cast<DWORD>(MAKELONG(l, h))); }

// A resource name that is an integer id rather than a text.
inline LPSTR MAKEINTRESOURCE(UINT_PTR id) { return reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<WORD>(id))); }
inline bool IS_INTRESOURCE(const void* p) { return (reinterpret_cast<UINT_PTR>(p) >> 16) == 0; }

#define ARRAYSIZE(a) (sizeof(a) / sizeof((a)[0]))
#define UNREFERENCED_PARAMETER(p) ((void)(p))

// 64-bit file-time in 100 ns units since 1601-01-01 UTC.
struct FILETIME {
    DWORD dwLowDateTime { 0 };
    DWORD dwHighDateTime { 0 };
};
using LPFILETIME = FILETIME*;
using PFILETIME = FILETIME*;

struct SYSTEMTIME {
    WORD wYear { 0 };
    WORD wMonth { 0 };
    WORD wDayOfWeek { 0 };
    WORD wDay { 0 };
    WORD wHour { 0 };
    WORD wMinute { 0 };
    WORD wSecond { 0 };
    WORD wMilliseconds { 0 };
};
using LPSYSTEMTIME = SYSTEMTIME*;

struct SECURITY_ATTRIBUTES {
    DWORD nLength { sizeof(SECURITY_ATTRIBUTES) };
    LPVOID lpSecurityDescriptor { nullptr };
    BOOL bInheritHandle { FALSE };
};
using LPSECURITY_ATTRIBUTES = SECURITY_ATTRIBUTES*;

union LARGE_INTEGER {
    struct {
        DWORD LowPart;
        LONG HighPart;
    } u;
    LONGLONG QuadPart;
};
union ULARGE_INTEGER {
    struct {
        DWORD LowPart;
        DWORD HighPart;
    } u;
    ULONGLONG QuadPart;
};
