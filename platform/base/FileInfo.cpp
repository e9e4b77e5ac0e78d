#include "platform/base/FileInfo.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>

#include "platform/base/WinError.h"

namespace platform {

namespace {

// Seconds between 1601-01-01 and 1970-01-01, the two epochs.
constexpr std::uint64_t EpochDifference = 11644473600ull;

FILETIME ToFileTime(std::int64_t seconds, std::uint32_t nanoseconds)
{
    const std::uint64_t ticks
        = (static_cast<std::uint64_t>(seconds + static_cast<std::int64_t>(EpochDifference)) * 10'000'000ull)
        + nanoseconds / 100;
    FILETIME result;
    result.dwLowDateTime = static_cast<DWORD>(ticks & 0xFFFFFFFFu);
    result.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return result;
}

FILETIME ToFileTime(const statx_timestamp& t) { return ToFileTime(t.tv_sec, t.tv_nsec); }

std::string_view BaseName(std::string_view path)
{
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsDirectory(const std::string& path)
{
    struct stat st;
    return stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace

std::optional<FileInfo> QueryFileInfo(const std::string& nativePath, DWORD& error)
{
    struct statx sx;
    const unsigned mask = STATX_BASIC_STATS | STATX_BTIME;
    if (statx(AT_FDCWD, nativePath.c_str(), 0, mask, &sx) != 0
        && statx(AT_FDCWD, nativePath.c_str(), AT_SYMLINK_NOFOLLOW, mask, &sx) != 0) {
        error = FileErrorFromErrno(errno, nativePath);
        return std::nullopt;
    }

    FileInfo info;
    DWORD attributes = 0;
    if (S_ISDIR(sx.stx_mode))
        attributes |= FILE_ATTRIBUTE_DIRECTORY;
    else
        info.size = sx.stx_size;
    if (!(sx.stx_mode & S_IWUSR))
        attributes |= FILE_ATTRIBUTE_READONLY;
    const std::string_view name = BaseName(nativePath);
    if (name.size() > 1 && name[0] == '.' && name != "..")
        attributes |= FILE_ATTRIBUTE_HIDDEN;
    info.attributes = attributes ? attributes : FILE_ATTRIBUTE_NORMAL;

    info.lastWriteTime = ToFileTime(sx.stx_mtime);
    info.lastAccessTime = ToFileTime(sx.stx_atime);
    // Not every file system records a birth time; the last write is the closest stand-in.
    info.creationTime = (sx.stx_mask & STATX_BTIME) ? ToFileTime(sx.stx_btime) : info.lastWriteTime;
    error = ERROR_SUCCESS;
    return info;
}

DWORD FileErrorFromErrno(int errnoValue, const std::string& nativePath)
{
    switch (errnoValue) {
    case ENOENT: {
        const std::size_t slash = nativePath.find_last_of('/');
        const std::string parent = slash == std::string::npos ? "." : slash == 0 ? "/" : nativePath.substr(0, slash);
        return IsDirectory(parent) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
    }
    case ENOTDIR:
    case ELOOP:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
    case EISDIR:
        return ERROR_ACCESS_DENIED;
    case EEXIST:
        return ERROR_ALREADY_EXISTS;
    case ENOTEMPTY:
        return ERROR_DIR_NOT_EMPTY;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EXDEV:
        return ERROR_NOT_SAME_DEVICE;
    case EBUSY:
    case ETXTBSY:
        return ERROR_SHARING_VIOLATION;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME;
    case EINVAL:
        return ERROR_INVALID_PARAMETER;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EIO:
        return ERROR_WRITE_FAULT;
    default:
        return ERROR_ACCESS_DENIED;
    }
}

void SetLastFileError(int errnoValue, const std::string& nativePath)
{
    SetLastError(FileErrorFromErrno(errnoValue, nativePath));
}

} // namespace platform
