#pragma once
// Files and folders by their program paths: create, copy, move, delete, attributes, and the stdio-shaped
// open. Every call maps its paths through Paths.h and reports failures through SetLastError.

#include <cstdio>

#include "platform/base/FileInfo.h"
#include "platform/base/WinTypes.h"

constexpr DWORD MOVEFILE_REPLACE_EXISTING = 0x1;
constexpr DWORD MOVEFILE_COPY_ALLOWED = 0x2;
constexpr DWORD MOVEFILE_WRITE_THROUGH = 0x8;

enum GET_FILEEX_INFO_LEVELS { GetFileExInfoStandard, GetFileExMaxInfoLevel };

struct WIN32_FILE_ATTRIBUTE_DATA {
    DWORD dwFileAttributes { 0 };
    FILETIME ftCreationTime;
    FILETIME ftLastAccessTime;
    FILETIME ftLastWriteTime;
    DWORD nFileSizeHigh { 0 };
    DWORD nFileSizeLow { 0 };
};
using LPWIN32_FILE_ATTRIBUTE_DATA = WIN32_FILE_ATTRIBUTE_DATA*;

// Creates one folder (its parent must exist); ERROR_ALREADY_EXISTS when the name is taken.
BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES lpSecurityAttributes);
// Removes an empty folder; ERROR_DIR_NOT_EMPTY when it holds anything, ERROR_DIRECTORY for a file.
BOOL RemoveDirectory(LPCSTR lpPathName);
// Copies a file with its permissions and last write time. The copy is written under a temporary name beside
// the target and renamed into place, so the target is either the complete copy or left as it was.
// bFailIfExists: ERROR_FILE_EXISTS when the target exists; otherwise a read-only target gives ERROR_ACCESS_DENIED.
BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists);
// Renames a file or folder, files also across file systems; ERROR_ALREADY_EXISTS when the new name is taken.
BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName);
// Renames with MOVEFILE_REPLACE_EXISTING (replace a file of the new name) and MOVEFILE_COPY_ALLOWED (copy and
// delete across file systems) as asked.
BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags);
// Deletes a file; ERROR_ACCESS_DENIED for a folder or a read-only file.
BOOL DeleteFile(LPCSTR lpFileName);
// The FILE_ATTRIBUTE_* bits of a file or folder, INVALID_FILE_ATTRIBUTES when it does not exist.
DWORD GetFileAttributes(LPCSTR lpFileName);
// Sets FILE_ATTRIBUTE_READONLY (clears the write permissions) or clears it; other bits are accepted and ignored.
BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes);
// Attributes, times and size into a WIN32_FILE_ATTRIBUTE_DATA (GetFileExInfoStandard only).
BOOL GetFileAttributesEx(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation);
// 0 when the file or folder exists and allows mode (0 exists, 2 write, 4 read, 6 both); -1 with errno otherwise.
// Write access follows the read-only attribute.
int _access(const char* path, int mode);

namespace platform {

// fopen of a program path ('t' in the mode means text and is dropped); null with errno and the last error
// set on failure. A folder cannot be opened as a file.
FILE* OpenFile(const char* programPath, const char* mode);

} // namespace platform
