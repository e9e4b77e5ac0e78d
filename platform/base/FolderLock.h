#pragma once
// An advisory lock that serialises read-modify-write cycles on the files of one folder across processes.
// Files there are replaced by rename, so the lock is taken on the folder, which stays the same.

#include <filesystem>

#include "platform/base/WinTypes.h"

namespace platform {

class FolderLock {
public:
    // Blocks until this process holds the exclusive lock of folder (or the lock cannot be taken).
    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    // ERROR_SUCCESS when the lock is held; otherwise why it could not be taken.
    DWORD error() const { return m_error; }

private:
    int m_fd { -1 };
    DWORD m_error { 0 };
};

} // namespace platform
