#include "platform/base/FolderLock.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include "platform/base/AtomicFile.h"
#include "platform/base/WinError.h"

namespace platform {

FolderLock::FolderLock(const std::filesystem::path& folder)
{
    const std::filesystem::path target = folder.empty() ? std::filesystem::path(".") : folder;
    m_fd = ::open(target.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        m_error = ErrorFromErrno(errno, ERROR_PATH_NOT_FOUND);
        if (m_error == ERROR_FILE_NOT_FOUND)
            m_error = ERROR_PATH_NOT_FOUND;
        return;
    }
    while (::flock(m_fd, LOCK_EX) != 0) {
        if (errno == EINTR)
            continue;
        m_error = ErrorFromErrno(errno, ERROR_ACCESS_DENIED);
        ::close(m_fd);
        m_fd = -1;
        return;
    }
}

FolderLock::~FolderLock()
{
    // Closing the descriptor releases the lock.
    if (m_fd >= 0)
        ::close(m_fd);
}

} // namespace platform
