#pragma once
// Whole-file reads and writes for the small text stores of the layer (registry hives, profile files).
// A write never leaves a half-written file behind: the new contents go to a temporary file in the same
// folder, reach the disk, and then replace the old file in one rename.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/base/WinTypes.h"

namespace platform {

// Identity of one version of a file: a rename gives a new inode, an edit in place a new time or size.
struct FileStamp {
    bool exists { false };
    std::uint64_t device { 0 };
    std::uint64_t inode { 0 };
    std::int64_t modifiedNs { 0 };
    std::int64_t size { 0 };

    bool operator==(const FileStamp&) const = default;
};

// The stamp of the file at path now (exists = false when there is none).
FileStamp StampOf(const std::filesystem::path& path);

// Reads the whole file and the stamp of what was read. ERROR_SUCCESS; ERROR_FILE_NOT_FOUND when the file
// (or its folder) does not exist, contents empty; another error code when it exists but cannot be read.
DWORD ReadFileContents(const std::filesystem::path& path, std::string& contents, FileStamp& stamp);

// Whether a write waits for the disk before it replaces the file. Without the wait a machine crash may
// leave the old file or an empty one; a crash of the program itself still leaves old or new whole.
enum class WriteDurability { Synced, Unsynced };

// Replaces the file at path with contents (temporary file, flush to disk unless told not to, rename).
// The file keeps its permission bits. On failure the old file is untouched and the error code says why.
DWORD WriteFileAtomically(const std::filesystem::path& path, std::string_view contents,
    WriteDurability durability = WriteDurability::Synced);

// The error code of the layer for a POSIX errno value.
DWORD ErrorFromErrno(int error, DWORD fallback);

} // namespace platform
