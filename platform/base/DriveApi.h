#pragma once
// Drives as the program sees them: one fixed drive Z:, the root of the file system. No other letter exists.

#include "platform/base/WinTypes.h"

constexpr UINT DRIVE_UNKNOWN = 0;
constexpr UINT DRIVE_NO_ROOT_DIR = 1;
constexpr UINT DRIVE_REMOVABLE = 2;
constexpr UINT DRIVE_FIXED = 3;
constexpr UINT DRIVE_REMOTE = 4;
constexpr UINT DRIVE_CDROM = 5;
constexpr UINT DRIVE_RAMDISK = 6;

constexpr DWORD FILE_CASE_SENSITIVE_SEARCH = 0x1;
constexpr DWORD FILE_CASE_PRESERVED_NAMES = 0x2;
constexpr DWORD FILE_UNICODE_ON_DISK = 0x4;

// DRIVE_FIXED for Z: ("Z:\", "z:", any path on it, or null for the current drive); DRIVE_NO_ROOT_DIR otherwise.
UINT GetDriveType(LPCSTR lpRootPathName);
// The bit mask of existing drives: bit 25, Z:.
DWORD GetLogicalDrives();
// "Z:\" followed by two zeros in lpBuffer; returns 4 (all but the last zero), or the size needed (5) when the buffer is
// smaller.
DWORD GetLogicalDriveStrings(DWORD nBufferLength, LPSTR lpBuffer);
// Describes drive Z: (no label, serial from the file system, 255-character names, case preserved); any
// buffer or pointer may be null. ERROR_PATH_NOT_FOUND for other drives, ERROR_INSUFFICIENT_BUFFER for a
// buffer too small.
BOOL GetVolumeInformation(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer, DWORD nVolumeNameSize,
    LPDWORD lpVolumeSerialNumber, LPDWORD lpMaximumComponentLength, LPDWORD lpFileSystemFlags,
    LPSTR lpFileSystemNameBuffer, DWORD nFileSystemNameSize);
