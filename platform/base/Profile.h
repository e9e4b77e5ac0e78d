#pragma once
// Profile (INI) files: sections of "key=value" entries in plain text files.
//
// A file name without a folder names a file in HomeFolder() (where the system's own profile, win.ini,
// lives); other names are program paths. Section and key names compare without regard to case; values
// are read without surrounding blanks and without one pair of enclosing quotes. Every write reads the
// file afresh under an advisory lock, replaces it through a temporary file and leaves the old file as it
// was when it fails; lines the reader does not understand are written back unchanged. Names and values
// that would break the file's structure (line breaks, "]" in a section name, "=" in a key name, a key
// starting with "[" or ";") are refused with ERROR_INVALID_PARAMETER.

#include "platform/base/WinTypes.h"

// Reads a value into lpReturnedString (lpDefault, without trailing blanks, when missing) and returns its
// length. A null lpKeyName lists the section's keys, a null lpAppName the sections, each name with its zero
// and the list with one more. A value cut to fit returns its length (nSize - 1 unless the cut falls inside a
// character, which is never split); a cut list returns nSize - 2.
DWORD GetPrivateProfileString(
    LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
// Writes key = value. A null lpString deletes the key, a null lpKeyName the whole section; the file and the
// section are created when missing.
BOOL WritePrivateProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString, LPCSTR lpFileName);
// The value as a decimal number with optional sign (0 when it is no number), nDefault when missing or empty.
UINT GetPrivateProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault, LPCSTR lpFileName);
// The section's entries as "key=value\0...\0\0"; a cut list returns nSize - 2.
DWORD GetPrivateProfileSection(LPCSTR lpAppName, LPSTR lpReturnedString, DWORD nSize, LPCSTR lpFileName);
// Replaces the section's entries by the "key=value\0...\0\0" list; a null lpString deletes the section.
BOOL WritePrivateProfileSection(LPCSTR lpAppName, LPCSTR lpString, LPCSTR lpFileName);
// Reads bytes stored by WritePrivateProfileStruct; FALSE (ERROR_INVALID_DATA) when the size or checksum
// does not match, FALSE (ERROR_FILE_NOT_FOUND) when the key is missing.
BOOL GetPrivateProfileStruct(LPCSTR lpszSection, LPCSTR lpszKey, LPVOID lpStruct, UINT uSizeStruct, LPCSTR szFile);
// Stores bytes as capital hex digits followed by a checksum byte (their sum modulo 256); a null lpStruct
// deletes the key.
BOOL WritePrivateProfileStruct(LPCSTR lpszSection, LPCSTR lpszKey, LPCVOID lpStruct, UINT uSizeStruct, LPCSTR szFile);

// The same on the system profile win.ini.
DWORD GetProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpDefault, LPSTR lpReturnedString, DWORD nSize);
BOOL WriteProfileString(LPCSTR lpAppName, LPCSTR lpKeyName, LPCSTR lpString);
UINT GetProfileInt(LPCSTR lpAppName, LPCSTR lpKeyName, INT nDefault);
