#pragma once
// The application-wide flags and small helpers the library code shares.

#include "platform/afx/CString.h"
#include "platform/base/WinTypes.h"

// Sets or clears the application's busy flag (a long operation runs).
void SetBusy(bool busy);
// Sets or clears the flag that the open library has changes not yet sent to the device.
void SetLibraryModified(bool modified);
// The library-modified flag.
bool IsLibraryModified();
// The id of the first genre of the open library whose name equals the text without regard to case; -1 when none.
long GenreIdForName(LPCTSTR genreName);
// True when the two masks share a bit.
bool HasFlag(DWORD a, DWORD b);
// Copies the text as UTF-16 into a buffer of n characters, cut to n-1 characters and terminated when
// it does not fit; nothing for n below 1.
void CopyToWideBuffer(WCHAR* buffer, LPCTSTR text, int n);
// "%d.%d.%d.%d" of the four bytes.
CString FormatIpAddress(BYTE b0, BYTE b1, BYTE b2, BYTE b3);
// Splits the text at its full stops and stores the decimal value of each of the first four parts,
// kept to its low byte; false, bytes untouched, when fewer than four parts are found.
bool ParseIpAddress(LPCTSTR text, BYTE& b0, BYTE& b1, BYTE& b2, BYTE& b3);
