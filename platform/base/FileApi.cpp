#include "platform/base/FileApi.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <optional>
#include <string>

#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

namespace {

using platform::FileErrorFromErrno;

constexpr std::size_t CopyChunk = 64 * 1024;

// An open file descriptor, closed when it goes out of scope.
class Fd {
public:
    explicit Fd(int fd)
        : m_fd(fd)
    {
    }
    ~Fd()
    {
        if (m_fd >= 0)
            close(m_fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;

    int get() const { return m_fd; }
    // Closes now, reporting whether the close (and so the last writes) succeeded.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return close(fd) == 0;
    }

private:
    int m_fd { -1 };
};

// Maps a program path, setting the last error when it has no POSIX path. Null pointers are invalid parameters.
std::optional<std::string> MapOrFail(LPCSTR programPath)
{
    if (!programPath) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return std::nullopt;
    }
    DWORD error = ERROR_SUCCESS;
    std::optional<std::string> native = platform::MapToNative(programPath, error);
    if (!native)
        SetLastError(error);
    return native;
}

BOOL Fail(DWORD error)
{
    SetLastError(error);
    return FALSE;
}

BOOL FailErrno(const std::string& nativePath) { return Fail(FileErrorFromErrno(errno, nativePath)); }

std::string ParentOf(const std::string& nativePath)
{
    const std::size_t slash = nativePath.find_last_of('/');
    return slash == 0 || slash == std::string::npos ? "/" : nativePath.substr(0, slash);
}

bool IsReadOnly(const struct stat& st) { return !(st.st_mode & S_IWUSR); }

// rename() that refuses to replace an existing target, atomically where the file system allows.
int RenameNoReplace(const std::string& from, const std::string& to)
{
    if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    struct stat st;
    if (lstat(to.c_str(), &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return rename(from.c_str(), to.c_str());
}

bool WriteAll(int fd, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Copies the file `source` onto `target` through a temporary file beside the target that is renamed into
// place only once complete. Returns ERROR_SUCCESS or the error; on failure the target is untouched.
DWORD CopyIntoPlace(const std::string& source, const std::string& target, bool replace)
{
    Fd in(open(source.c_str(), O_RDONLY | O_CLOEXEC));
    if (in.get() < 0)
        return FileErrorFromErrno(errno, source);
    struct stat sourceStat;
    if (fstat(in.get(), &sourceStat) != 0)
        return FileErrorFromErrno(errno, source);
    if (S_ISDIR(sourceStat.st_mode))
        return ERROR_ACCESS_DENIED;

    struct stat targetStat;
    if (lstat(target.c_str(), &targetStat) == 0) {
        if (!replace)
            return ERROR_FILE_EXISTS;
        if (S_ISDIR(targetStat.st_mode) || IsReadOnly(targetStat))
            return ERROR_ACCESS_DENIED;
    }

    const std::string parent = ParentOf(target);
    std::string temporary = parent + (parent == "/" ? "" : "/") + ".tscopy-XXXXXX";
    Fd out(mkostemp(temporary.data(), O_CLOEXEC));
    if (out.get() < 0)
        return FileErrorFromErrno(errno, target);

    DWORD error = ERROR_SUCCESS;
    std::string buffer(CopyChunk, '\0');
    for (;;) {
        const ssize_t got = read(in.get(), buffer.data(), buffer.size());
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0) {
            error = ERROR_READ_FAULT;
            break;
        }
        if (got == 0)
            break;
        if (!WriteAll(out.get(), buffer.data(), static_cast<std::size_t>(got))) {
            error = FileErrorFromErrno(errno, target);
            break;
        }
    }
    if (error == ERROR_SUCCESS) {
        const timespec times[2] = { sourceStat.st_atim, sourceStat.st_mtim };
        futimens(out.get(), times);
        if (fchmod(out.get(), sourceStat.st_mode & 07777) != 0 || fsync(out.get()) != 0)
            error = FileErrorFromErrno(errno, target);
    }
    if (!out.Close() && error == ERROR_SUCCESS)
        error = FileErrorFromErrno(errno, target);
    if (error == ERROR_SUCCESS) {
        const int renamed = replace ? rename(temporary.c_str(), target.c_str()) : RenameNoReplace(temporary, target);
        if (renamed != 0)
            error = errno == EEXIST ? ERROR_FILE_EXISTS : FileErrorFromErrno(errno, target);
    }
    if (error != ERROR_SUCCESS)
        unlink(temporary.c_str());
    return error;
}

// Where a rename to `given` must go: its mapped path, except that a new name which differs from the existing
// file only in case renames that file to the spelling given.
std::string RenameTarget(const std::string& source, const std::string& mappedTarget, LPCSTR given)
{
    struct stat s, t;
    if (lstat(source.c_str(), &s) != 0 || lstat(mappedTarget.c_str(), &t) != 0 || s.st_dev != t.st_dev
        || s.st_ino != t.st_ino)
        return mappedTarget;
    std::string_view text(given);
    while (!text.empty() && platform::IsPathSeparator(text.back()))
        text.remove_suffix(1);
    const std::size_t separator = text.find_last_of("\\/");
    std::string_view leaf = separator == std::string_view::npos ? text : text.substr(separator + 1);
    if (leaf.size() >= 2 && leaf[1] == ':' && separator == std::string_view::npos)
        leaf.remove_prefix(2);
    const std::string parent = ParentOf(mappedTarget);
    return parent + (parent == "/" ? "" : "/") + std::string(leaf);
}

} // namespace

BOOL CreateDirectory(LPCSTR lpPathName, LPSECURITY_ATTRIBUTES)
{
    const std::optional<std::string> path = MapOrFail(lpPathName);
    if (!path)
        return FALSE;
    if (mkdir(path->c_str(), 0777) != 0)
        return errno == ENOENT ? Fail(ERROR_PATH_NOT_FOUND) : FailErrno(*path);
    return TRUE;
}

BOOL RemoveDirectory(LPCSTR lpPathName)
{
    const std::optional<std::string> path = MapOrFail(lpPathName);
    if (!path)
        return FALSE;
    if (rmdir(path->c_str()) != 0) {
        if (errno == ENOTDIR) {
            struct stat st;
            if (stat(path->c_str(), &st) == 0)
                return Fail(ERROR_DIRECTORY);
        }
        return errno == EEXIST ? Fail(ERROR_DIR_NOT_EMPTY) : FailErrno(*path);
    }
    return TRUE;
}

BOOL CopyFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, BOOL bFailIfExists)
{
    const std::optional<std::string> source = MapOrFail(lpExistingFileName);
    if (!source)
        return FALSE;
    const std::optional<std::string> target = MapOrFail(lpNewFileName);
    if (!target)
        return FALSE;
    const DWORD error = CopyIntoPlace(*source, *target, !bFailIfExists);
    return error == ERROR_SUCCESS ? TRUE : Fail(error);
}

BOOL MoveFile(LPCSTR lpExistingFileName, LPCSTR lpNewFileName)
{
    return MoveFileEx(lpExistingFileName, lpNewFileName, MOVEFILE_COPY_ALLOWED);
}

BOOL MoveFileEx(LPCSTR lpExistingFileName, LPCSTR lpNewFileName, DWORD dwFlags)
{
    const std::optional<std::string> source = MapOrFail(lpExistingFileName);
    if (!source)
        return FALSE;
    const std::optional<std::string> mapped = MapOrFail(lpNewFileName);
    if (!mapped)
        return FALSE;
    const std::string target = RenameTarget(*source, *mapped, lpNewFileName);
    if (target == *source)
        return TRUE;

    struct stat sourceStat;
    if (lstat(source->c_str(), &sourceStat) != 0)
        return FailErrno(*source);
    const bool replace = dwFlags & MOVEFILE_REPLACE_EXISTING;
    struct stat targetStat;
    const bool sameFile = target != *mapped; // only the case of the name changes
    if (!sameFile && lstat(target.c_str(), &targetStat) == 0) {
        if (!replace)
            return Fail(ERROR_ALREADY_EXISTS);
        if (S_ISDIR(targetStat.st_mode) || IsReadOnly(targetStat))
            return Fail(ERROR_ACCESS_DENIED);
    }

    const int renamed
        = replace || sameFile ? rename(source->c_str(), target.c_str()) : RenameNoReplace(*source, target);
    if (renamed == 0)
        return TRUE;
    if (errno == EEXIST)
        return Fail(ERROR_ALREADY_EXISTS);
    if (errno != EXDEV)
        return FailErrno(target);
    if (!(dwFlags & MOVEFILE_COPY_ALLOWED) || S_ISDIR(sourceStat.st_mode))
        return Fail(ERROR_NOT_SAME_DEVICE);

    const DWORD error = CopyIntoPlace(*source, target, replace);
    if (error != ERROR_SUCCESS)
        return error == ERROR_FILE_EXISTS ? Fail(ERROR_ALREADY_EXISTS) : Fail(error);
    // The copy is complete; a source that cannot be removed is reported, and both files are kept.
    return unlink(source->c_str()) == 0 ? TRUE : FailErrno(*source);
}

BOOL DeleteFile(LPCSTR lpFileName)
{
    const std::optional<std::string> path = MapOrFail(lpFileName);
    if (!path)
        return FALSE;
    struct stat st;
    if (lstat(path->c_str(), &st) != 0)
        return FailErrno(*path);
    if (S_ISDIR(st.st_mode) || (!S_ISLNK(st.st_mode) && IsReadOnly(st)))
        return Fail(ERROR_ACCESS_DENIED);
    return unlink(path->c_str()) == 0 ? TRUE : FailErrno(*path);
}

DWORD GetFileAttributes(LPCSTR lpFileName)
{
    const std::optional<std::string> path = MapOrFail(lpFileName);
    if (!path)
        return INVALID_FILE_ATTRIBUTES;
    DWORD error = ERROR_SUCCESS;
    const std::optional<platform::FileInfo> info = platform::QueryFileInfo(*path, error);
    if (!info) {
        SetLastError(error);
        return INVALID_FILE_ATTRIBUTES;
    }
    return info->attributes;
}

BOOL SetFileAttributes(LPCSTR lpFileName, DWORD dwFileAttributes)
{
    const std::optional<std::string> path = MapOrFail(lpFileName);
    if (!path)
        return FALSE;
    struct stat st;
    if (stat(path->c_str(), &st) != 0)
        return FailErrno(*path);
    mode_t mode = st.st_mode & 07777;
    if (dwFileAttributes & FILE_ATTRIBUTE_READONLY)
        mode &= ~static_cast<mode_t>(S_IWUSR | S_IWGRP | S_IWOTH);
    else if (IsReadOnly(st))
        mode |= S_IWUSR;
    if (mode != (st.st_mode & 07777) && chmod(path->c_str(), mode) != 0)
        return FailErrno(*path);
    return TRUE;
}

BOOL GetFileAttributesEx(LPCSTR lpFileName, GET_FILEEX_INFO_LEVELS fInfoLevelId, LPVOID lpFileInformation)
{
    if (fInfoLevelId != GetFileExInfoStandard || !lpFileInformation)
        return Fail(ERROR_INVALID_PARAMETER);
    const std::optional<std::string> path = MapOrFail(lpFileName);
    if (!path)
        return FALSE;
    DWORD error = ERROR_SUCCESS;
    const std::optional<platform::FileInfo> info = platform::QueryFileInfo(*path, error);
    if (!info)
        return Fail(error);
    auto* data = static_cast<WIN32_FILE_ATTRIBUTE_DATA*>(lpFileInformation);
    data->dwFileAttributes = info->attributes;
    data->ftCreationTime = info->creationTime;
    data->ftLastAccessTime = info->lastAccessTime;
    data->ftLastWriteTime = info->lastWriteTime;
    data->nFileSizeHigh = static_cast<DWORD>(info->size >> 32);
    data->nFileSizeLow = static_cast<DWORD>(info->size & 0xFFFFFFFFu);
    return TRUE;
}

int _access(const char* path, int mode)
{
    if (!path || (mode & ~6) != 0) {
        errno = EINVAL;
        return -1;
    }
    const std::optional<std::string> native = MapOrFail(path);
    if (!native) {
        errno = ENOENT;
        return -1;
    }
    struct stat st;
    if (stat(native->c_str(), &st) != 0)
        return -1;
    if ((mode & 2) && IsReadOnly(st)) {
        errno = EACCES;
        return -1;
    }
    return 0;
}

namespace platform {

FILE* OpenFile(const char* programPath, const char* mode)
{
    if (!programPath || !mode) {
        SetLastError(ERROR_INVALID_PARAMETER);
        errno = EINVAL;
        return nullptr;
    }
    const std::optional<std::string> native = MapOrFail(programPath);
    if (!native) {
        errno = ENOENT;
        return nullptr;
    }
    struct stat st;
    if (stat(native->c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        SetLastError(ERROR_ACCESS_DENIED);
        errno = EACCES;
        return nullptr;
    }
    std::string posixMode;
    for (const char* c = mode; *c && *c != ','; ++c) {
        if (*c != 't')
            posixMode += *c;
    }
    FILE* file = std::fopen(native->c_str(), posixMode.c_str());
    if (!file)
        SetLastError(FileErrorFromErrno(errno, *native));
    return file;
}

} // namespace platform
