#pragma once
// The clipboard (in-process): one owner at a time opens it, empties it and puts data on it in
// formats; anyone who opens it reads them. Data handed over is memory of GlobalAlloc (or a GDI bitmap
// for CF_BITMAP) and belongs to the clipboard from then on.

#include "platform/base/WinTypes.h"
#include "platform/user/WinUser.h"

constexpr UINT CF_TEXT = 1;
constexpr UINT CF_BITMAP = 2;
constexpr UINT CF_METAFILEPICT = 3;
constexpr UINT CF_SYLK = 4;
constexpr UINT CF_DIF = 5;
constexpr UINT CF_TIFF = 6;
constexpr UINT CF_OEMTEXT = 7;
constexpr UINT CF_DIB = 8;
constexpr UINT CF_PALETTE = 9;
constexpr UINT CF_UNICODETEXT = 13;
constexpr UINT CF_ENHMETAFILE = 14;
constexpr UINT CF_HDROP = 15;
constexpr UINT CF_LOCALE = 16;

constexpr DWORD ERROR_CLIPBOARD_NOT_OPEN = 1418;

// Opens the clipboard for the calling thread (hWndNewOwner may be NULL); FALSE with
// ERROR_ACCESS_DENIED while another thread has it open.
BOOL OpenClipboard(HWND hWndNewOwner);
// Closes the clipboard; FALSE when the calling thread does not have it open.
BOOL CloseClipboard();
// Frees every format and makes the opener's window the owner; FALSE when not open.
BOOL EmptyClipboard();
// Puts data in a format (replacing and freeing what that format held); the handle, NULL when the
// clipboard is not open by the calling thread or the data is NULL.
HANDLE SetClipboardData(UINT uFormat, HANDLE hMem);
// The data of a format, still owned by the clipboard; NULL when not open or absent.
HANDLE GetClipboardData(UINT uFormat);
// TRUE when a format holds data (the clipboard need not be open).
BOOL IsClipboardFormatAvailable(UINT format);
// A format number for a name, from 0xC000 up, the same for every caller (names compare without regard
// to case); 0 for an empty name.
UINT RegisterClipboardFormat(LPCSTR lpszFormat);
inline UINT RegisterClipboardFormatA(LPCSTR s) { return RegisterClipboardFormat(s); }
// The name of a registered format; the bytes copied, 0 for a standard or unknown format.
int GetClipboardFormatName(UINT format, LPSTR lpszFormatName, int cchMaxCount);
// The number of formats holding data.
int CountClipboardFormats();
// The format after `format` (0: the first), in the order they were set; 0 at the end or when not open.
UINT EnumClipboardFormats(UINT format);
// The window that emptied the clipboard last.
HWND GetClipboardOwner();
// The window that has the clipboard open.
HWND GetOpenClipboardWindow();

// Keeps the pointer inside a screen rectangle (NULL frees it); moves it inside at once.
BOOL ClipCursor(const RECT* lpRect);
// The rectangle the pointer is kept in (the whole screen when free).
BOOL GetClipCursor(LPRECT lpRect);
