#pragma once
// What the file calls report about one file or folder: attributes, times and size, taken from the file
// system and shaped as the program expects them.

#include <optional>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

constexpr DWORD FILE_ATTRIBUTE_READONLY = 0x1;
constexpr DWORD FILE_ATTRIBUTE_HIDDEN = 0x2;
constexpr DWORD FILE_ATTRIBUTE_SYSTEM = 0x4;
constexpr DWORD FILE_ATTRIBUTE_DIRECTORY = 0x10;
constexpr DWORD FILE_ATTRIBUTE_ARCHIVE = 0x20;
constexpr DWORD FILE_ATTRIBUTE_DEVICE = 0x40;
constexpr DWORD FILE_ATTRIBUTE_NORMAL = 0x80;
constexpr DWORD FILE_ATTRIBUTE_TEMPORARY = 0x100;

namespace platform {

struct FileInfo {
    DWORD attributes { FILE_ATTRIBUTE_NORMAL };
    FILETIME creationTime;
    FILETIME lastAccessTime;
    FILETIME lastWriteTime;
    ULONGLONG size { 0 };
};

// Attributes, times and size of the file or folder at a POSIX path (links followed); a folder has size 0.
// Read-only means the owner may not write it; names starting with "." (but not "." and "..") are hidden.
// Nothing when it does not exist, with the file error in error.
std::optional<FileInfo> QueryFileInfo(const std::string& nativePath, DWORD& error);

// The error code of a failed file call from its errno. A missing name gives ERROR_FILE_NOT_FOUND when its
// folder exists and ERROR_PATH_NOT_FOUND when not.
DWORD FileErrorFromErrno(int errnoValue, const std::string& nativePath);

// The last error of a failed file call from its errno (see FileErrorFromErrno).
void SetLastFileError(int errnoValue, const std::string& nativePath);

} // namespace platform
