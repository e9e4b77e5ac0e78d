#pragma once
// The current directory, full and temporary paths, and the runtime's path splitting, all in program paths.
// Calls that fill a buffer follow one size protocol: on success they return the length copied (without the
// terminating zero); when the buffer is too small they copy nothing and return the size needed (with it).

#include "platform/base/WinTypes.h"

constexpr int _MAX_PATH = 260;
constexpr int _MAX_DRIVE = 3;
constexpr int _MAX_DIR = 256;
constexpr int _MAX_FNAME = 256;
constexpr int _MAX_EXT = 256;

// The current directory as a program path ("Z:\..."), by the size protocol.
DWORD GetCurrentDirectory(DWORD nBufferLength, LPSTR lpBuffer);
// Makes a folder the process's current directory; ERROR_DIRECTORY when the path names a file.
BOOL SetCurrentDirectory(LPCSTR lpPathName);
// The absolute form of a path, worked out from its text (see platform::FullProgramPath), by the size
// protocol; *lpFilePart (when given) points at the last name in the buffer, or is null when it ends in "\".
DWORD GetFullPathName(LPCSTR lpFileName, DWORD nBufferLength, LPSTR lpBuffer, LPSTR* lpFilePart);
// The folder for temporary files, $TMPDIR or /tmp, as "Z:\tmp\" with its trailing backslash.
DWORD GetTempPath(DWORD nBufferLength, LPSTR lpBuffer);
// Forms "<path>\<prefix up to 3 characters><hex number>.TMP" in lpTempFileName (MAX_PATH characters).
// With uUnique 0 a number is chosen whose file does not exist and the empty file is created; otherwise
// the name is only formed. Returns the number used, 0 on failure.
UINT GetTempFileName(LPCSTR lpPathName, LPCSTR lpPrefixString, UINT uUnique, LPSTR lpTempFileName);

// Splits a path into drive ("X:"), folder (with its last separator), name and extension (with its dot).
// Any output may be null; each part is cut to the _MAX_* size of its buffer.
void _splitpath(const char* path, char* drive, char* dir, char* fname, char* ext);
// Joins the parts _splitpath gives (adding ":", the separator and the dot where missing) into path, cut to
// _MAX_PATH characters with its terminating zero. Null parts are left out.
void _makepath(char* path, const char* drive, const char* dir, const char* fname, const char* ext);
