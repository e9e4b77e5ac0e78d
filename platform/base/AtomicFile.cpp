#include "platform/base/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/base/WinError.h"

namespace platform {

namespace {

FileStamp stampFromStat(const struct stat& st)
{
    FileStamp stamp;
    stamp.exists = true;
    stamp.device = static_cast<std::uint64_t>(st.st_dev);
    stamp.inode = static_cast<std::uint64_t>(st.st_ino);
    stamp.modifiedNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec;
    stamp.size = static_cast<std::int64_t>(st.st_size);
    return stamp;
}

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd)
        : m_fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    // Closes now and reports whether the close (the last chance for a deferred write error) succeeded.
    bool close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd { -1 };
};

} // namespace

DWORD ErrorFromErrno(int error, DWORD fallback)
{
    switch (error) {
    case ENOENT:
        return ERROR_FILE_NOT_FOUND;
    case ENOTDIR:
        return ERROR_PATH_NOT_FOUND;
    case EACCES:
    case EPERM:
    case EROFS:
        return ERROR_ACCESS_DENIED;
    case ENOSPC:
    case EDQUOT:
        return ERROR_DISK_FULL;
    case EISDIR:
        return ERROR_DIRECTORY;
    case ENAMETOOLONG:
        return ERROR_INVALID_NAME;
    case ENOMEM:
        return ERROR_NOT_ENOUGH_MEMORY;
    case EMFILE:
    case ENFILE:
        return ERROR_TOO_MANY_OPEN_FILES;
    default:
        return fallback;
    }
}

FileStamp StampOf(const std::filesystem::path& path)
{
    struct stat st { };
    if (::stat(path.c_str(), &st) != 0)
        return {};
    return stampFromStat(st);
}

DWORD ReadFileContents(const std::filesystem::path& path, std::string& contents, FileStamp& stamp)
{
    contents.clear();
    stamp = {};
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return errno == ENOENT || errno == ENOTDIR ? ERROR_FILE_NOT_FOUND : ErrorFromErrno(errno, ERROR_READ_FAULT);
    struct stat st { };
    if (::fstat(file.get(), &st) != 0)
        return ErrorFromErrno(errno, ERROR_READ_FAULT);
    if (S_ISDIR(st.st_mode))
        return ERROR_ACCESS_DENIED;
    stamp = stampFromStat(st);

    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(file.get(), buffer, sizeof buffer);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            contents.clear();
            return ErrorFromErrno(errno, ERROR_READ_FAULT);
        }
        if (n == 0)
            break;
        contents.append(buffer, static_cast<std::size_t>(n));
    }
    return ERROR_SUCCESS;
}

DWORD WriteFileAtomically(const std::filesystem::path& path, std::string_view contents, WriteDurability durability)
{
    const std::filesystem::path folder = path.has_parent_path() ? path.parent_path() : std::filesystem::path(".");
    std::string pattern = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
    FileDescriptor file(::mkstemp(pattern.data()));
    if (file.get() < 0)
        return ErrorFromErrno(errno, ERROR_CANNOT_MAKE);
    const std::string temporary = pattern;
    auto fail = [&](DWORD fallback) {
        const DWORD error = ErrorFromErrno(errno, fallback);
        ::unlink(temporary.c_str());
        return error;
    };

    struct stat old { };
    const mode_t mode = ::stat(path.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    if (::fchmod(file.get(), mode) != 0)
        return fail(ERROR_WRITE_FAULT);

    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t n = ::write(file.get(), contents.data() + written, contents.size() - written);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(ERROR_WRITE_FAULT);
        }
        written += static_cast<std::size_t>(n);
    }
    // The rename must not reach the disk before the data does, or a crash could leave an empty file.
    if (durability == WriteDurability::Synced && ::fsync(file.get()) != 0)
        return fail(ERROR_WRITE_FAULT);
    if (!file.close())
        return fail(ERROR_WRITE_FAULT);
    if (::rename(temporary.c_str(), path.c_str()) != 0)
        return fail(ERROR_WRITE_FAULT);
    return ERROR_SUCCESS;
}

} // namespace platform
