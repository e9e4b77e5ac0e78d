#include "platform/base/DriveApi.h"

#include <sys/statvfs.h>

#include <cstring>
#include <string_view>

#include "platform/base/CaseFold.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

namespace {

constexpr std::string_view DriveStrings { "Z:\\\0", 4 };
constexpr std::string_view FileSystemName { "posix" };

// True when a root path names drive Z:, or names no drive at all (the current directory's drive).
bool IsDriveZ(LPCSTR root)
{
    if (!root)
        return true;
    const std::string_view text(root);
    if (text.size() >= 2 && text[1] == ':')
        return platform::UpperCase(text[0]) == 'Z' && (text.size() == 2 || platform::IsPathSeparator(text[2]));
    // A rooted path without a drive is on the current drive; UNC and relative texts name no drive.
    return !text.empty() && platform::IsPathSeparator(text[0])
        && (text.size() == 1 || !platform::IsPathSeparator(text[1]));
}

bool CopyName(std::string_view text, LPSTR buffer, DWORD size)
{
    if (!buffer)
        return true;
    if (size <= text.size())
        return false;
    std::memcpy(buffer, text.data(), text.size());
    buffer[text.size()] = '\0';
    return true;
}

} // namespace

UINT GetDriveType(LPCSTR lpRootPathName) { return IsDriveZ(lpRootPathName) ? DRIVE_FIXED : DRIVE_NO_ROOT_DIR; }

DWORD GetLogicalDrives() { return 1u << 25; }

DWORD GetLogicalDriveStrings(DWORD nBufferLength, LPSTR lpBuffer)
{
    if (!lpBuffer || nBufferLength < DriveStrings.size() + 1)
        return static_cast<DWORD>(DriveStrings.size() + 1);
    std::memcpy(lpBuffer, DriveStrings.data(), DriveStrings.size());
    lpBuffer[DriveStrings.size()] = '\0';
    return static_cast<DWORD>(DriveStrings.size());
}

BOOL GetVolumeInformation(LPCSTR lpRootPathName, LPSTR lpVolumeNameBuffer, DWORD nVolumeNameSize,
    LPDWORD lpVolumeSerialNumber, LPDWORD lpMaximumComponentLength, LPDWORD lpFileSystemFlags,
    LPSTR lpFileSystemNameBuffer, DWORD nFileSystemNameSize)
{
    if (!IsDriveZ(lpRootPathName)) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return FALSE;
    }
    if (!CopyName("", lpVolumeNameBuffer, nVolumeNameSize)
        || !CopyName(FileSystemName, lpFileSystemNameBuffer, nFileSystemNameSize)) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return FALSE;
    }
    struct statvfs vfs { };
    const bool known = statvfs("/", &vfs) == 0;
    if (lpVolumeSerialNumber)
        *lpVolumeSerialNumber = known ? static_cast<DWORD>(vfs.f_fsid ^ (vfs.f_fsid >> 32)) : 0;
    if (lpMaximumComponentLength)
        *lpMaximumComponentLength = known && vfs.f_namemax ? static_cast<DWORD>(vfs.f_namemax) : 255;
    // Names keep their case but are found without regard to it (see Paths.h).
    if (lpFileSystemFlags)
        *lpFileSystemFlags = FILE_CASE_PRESERVED_NAMES | FILE_UNICODE_ON_DISK;
    return TRUE;
}
