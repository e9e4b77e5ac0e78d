#include "platform/afx/CFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/afx/CFileException.h"
#include "platform/base/FileApi.h"
#include "platform/base/FindFile.h"
#include "platform/base/Paths.h"
#include "platform/base/WinError.h"

IMPLEMENT_DYNAMIC(CFile, CObject)

const HANDLE CFile::hFileNull = INVALID_HANDLE_VALUE;

namespace {

HANDLE HandleOf(int fd) { return reinterpret_cast<HANDLE>(static_cast<INT_PTR>(fd)); }

void SetError(CFileException* pError, int cause, LONG osError, LPCTSTR fileName)
{
    if (!pError)
        return;
    pError->m_cause = cause;
    pError->m_lOsError = osError;
    pError->m_strFileName = fileName;
}

timespec ToTimespec(const CTime& time)
{
    timespec result {};
    result.tv_sec = static_cast<time_t>(time.GetTime());
    return result;
}

} // namespace

CFile::CFile(LPCTSTR lpszFileName, UINT nOpenFlags)
{
    CFileException error;
    if (!Open(lpszFileName, nOpenFlags, &error))
        AfxThrowFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (m_hFile != hFileNull && m_bCloseOnDelete)
        Abort();
}

int CFile::Descriptor() const
{
    if (m_hFile == hFileNull)
        AfxThrowFileException(CFileException::invalidFile, static_cast<LONG>(ERROR_INVALID_HANDLE), m_strFileName);
    return static_cast<int>(reinterpret_cast<INT_PTR>(m_hFile));
}

BOOL CFile::Open(LPCTSTR lpszFileName, UINT nOpenFlags, CFileException* pError)
{
    if (m_hFile != hFileNull) {
        SetError(pError, CFileException::genericException, static_cast<LONG>(ERROR_INVALID_PARAMETER), lpszFileName);
        return FALSE;
    }
    if (!lpszFileName || !*lpszFileName) {
        SetError(pError, CFileException::badPath, static_cast<LONG>(ERROR_PATH_NOT_FOUND), lpszFileName);
        return FALSE;
    }
    m_strFileName = platform::FullProgramPath(lpszFileName).c_str();

    DWORD mapError = 0;
    const auto native = platform::MapToNative(lpszFileName, mapError);
    if (!native) {
        SetError(pError, CFileException::OsErrorToException(static_cast<LONG>(mapError)), static_cast<LONG>(mapError),
            m_strFileName);
        return FALSE;
    }

    int flags = O_CLOEXEC;
    switch (nOpenFlags & 3) {
    case modeWrite:
        flags |= O_WRONLY;
        break;
    case modeReadWrite:
        flags |= O_RDWR;
        break;
    default:
        flags |= O_RDONLY;
        break;
    }
    if (nOpenFlags & modeCreate)
        flags |= (nOpenFlags & modeNoTruncate) ? O_CREAT : (O_CREAT | O_TRUNC);

    const int fd = ::open(native->c_str(), flags, 0666);
    if (fd < 0) {
        const DWORD osError = platform::FileErrorFromErrno(errno, *native);
        SetError(pError, CFileException::OsErrorToException(static_cast<LONG>(osError)), static_cast<LONG>(osError),
            m_strFileName);
        return FALSE;
    }
    struct stat info { };
    if (::fstat(fd, &info) == 0 && S_ISDIR(info.st_mode)) {
        ::close(fd);
        SetError(pError, CFileException::accessDenied, static_cast<LONG>(ERROR_ACCESS_DENIED), m_strFileName);
        return FALSE;
    }
    m_hFile = HandleOf(fd);
    m_bCloseOnDelete = TRUE;
    return TRUE;
}

ULONGLONG CFile::Seek(LONGLONG lOff, UINT nFrom)
{
    const int whence = nFrom == current ? SEEK_CUR : (nFrom == end ? SEEK_END : SEEK_SET);
    if (nFrom > end)
        AfxThrowFileException(CFileException::badSeek, static_cast<LONG>(ERROR_INVALID_PARAMETER), m_strFileName);
    const off_t position = ::lseek(Descriptor(), static_cast<off_t>(lOff), whence);
    if (position < 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetPosition() const
{
    const off_t position = ::lseek(Descriptor(), 0, SEEK_CUR);
    if (position < 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return static_cast<ULONGLONG>(position);
}

ULONGLONG CFile::GetLength() const
{
    struct stat info { };
    if (::fstat(Descriptor(), &info) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
    return static_cast<ULONGLONG>(info.st_size);
}

void CFile::SetLength(ULONGLONG dwNewLen)
{
    if (::ftruncate(Descriptor(), static_cast<off_t>(dwNewLen)) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

UINT CFile::Read(void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return 0;
    const int fd = Descriptor();
    auto* bytes = static_cast<char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::read(fd, bytes + done, nCount - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            CFileException::ThrowErrno(errno, m_strFileName);
        if (n == 0)
            break;
        done += static_cast<UINT>(n);
    }
    return done;
}

void CFile::Write(const void* lpBuf, UINT nCount)
{
    if (nCount == 0)
        return;
    const int fd = Descriptor();
    const auto* bytes = static_cast<const char*>(lpBuf);
    UINT done = 0;
    while (done < nCount) {
        const ssize_t n = ::write(fd, bytes + done, nCount - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            CFileException::ThrowErrno(errno, m_strFileName);
        if (n == 0)
            AfxThrowFileException(CFileException::diskFull, static_cast<LONG>(ERROR_DISK_FULL), m_strFileName);
        done += static_cast<UINT>(n);
    }
}

void CFile::Flush()
{
    if (m_hFile == hFileNull)
        return;
    if (::fsync(Descriptor()) != 0 && errno != EINVAL)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Close()
{
    if (m_hFile == hFileNull)
        return;
    const int fd = Descriptor();
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
    if (::close(fd) != 0)
        CFileException::ThrowErrno(errno, m_strFileName);
}

void CFile::Abort()
{
    if (m_hFile == hFileNull)
        return;
    ::close(Descriptor());
    m_hFile = hFileNull;
    m_bCloseOnDelete = FALSE;
}

CString CFile::GetFileName() const
{
    const int slash = std::max(m_strFileName.ReverseFind('\\'), m_strFileName.ReverseFind('/'));
    return m_strFileName.Mid(slash + 1);
}

CString CFile::GetFileTitle() const
{
    const CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

void CFile::SetFilePath(LPCTSTR lpszNewName) { m_strFileName = lpszNewName; }

BOOL CFile::GetStatus(CFileStatus& rStatus) const
{
    if (m_hFile == hFileNull || m_strFileName.IsEmpty())
        return FALSE;
    return GetStatus(m_strFileName, rStatus);
}

BOOL CFile::GetStatus(LPCTSTR lpszFileName, CFileStatus& rStatus)
{
    rStatus = CFileStatus();
    if (!lpszFileName || !*lpszFileName)
        return FALSE;
    const std::string full = platform::FullProgramPath(lpszFileName);
    if (full.size() >= MAX_PATH)
        return FALSE;
    std::memcpy(rStatus.m_szFullName, full.c_str(), full.size() + 1);

    WIN32_FIND_DATA data;
    const HANDLE search = FindFirstFile(lpszFileName, &data);
    if (search == INVALID_HANDLE_VALUE) {
        rStatus.m_szFullName[0] = '\0';
        return FALSE;
    }
    FindClose(search);

    rStatus.m_attribute = static_cast<BYTE>(data.dwFileAttributes & 0x7F);
    rStatus.m_size = (static_cast<ULONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    rStatus.m_ctime = CTime::IsValidFILETIME(data.ftCreationTime) ? CTime(data.ftCreationTime) : CTime();
    rStatus.m_atime = CTime::IsValidFILETIME(data.ftLastAccessTime) ? CTime(data.ftLastAccessTime) : CTime();
    rStatus.m_mtime = CTime::IsValidFILETIME(data.ftLastWriteTime) ? CTime(data.ftLastWriteTime) : CTime();
    if (rStatus.m_ctime.GetTime() == 0)
        rStatus.m_ctime = rStatus.m_mtime;
    if (rStatus.m_atime.GetTime() == 0)
        rStatus.m_atime = rStatus.m_mtime;
    return TRUE;
}

void CFile::SetStatus(LPCTSTR lpszFileName, const CFileStatus& status)
{
    const DWORD attributes = GetFileAttributes(lpszFileName);
    if (attributes == INVALID_FILE_ATTRIBUTES)
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);

    const bool wasReadOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    const bool wantReadOnly = (status.m_attribute & readOnly) != 0;
    // A read-only file's times are set before it becomes read-only, and after it stops being so.
    if (wasReadOnly && !wantReadOnly && !SetFileAttributes(lpszFileName, attributes & ~FILE_ATTRIBUTE_READONLY))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);

    if (status.m_mtime.GetTime() != 0 || status.m_atime.GetTime() != 0) {
        const std::string native = platform::ToNativePath(lpszFileName);
        timespec times[2];
        times[0] = status.m_atime.GetTime() != 0 ? ToTimespec(status.m_atime) : timespec { 0, UTIME_OMIT };
        times[1] = status.m_mtime.GetTime() != 0 ? ToTimespec(status.m_mtime) : timespec { 0, UTIME_OMIT };
        if (native.empty() || ::utimensat(AT_FDCWD, native.c_str(), times, 0) != 0)
            CFileException::ThrowErrno(native.empty() ? ENOENT : errno, lpszFileName);
    }

    if (!wasReadOnly && wantReadOnly && !SetFileAttributes(lpszFileName, attributes | FILE_ATTRIBUTE_READONLY))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}

void CFile::Rename(LPCTSTR lpszOldName, LPCTSTR lpszNewName)
{
    if (!MoveFile(lpszOldName, lpszNewName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszOldName);
}

void CFile::Remove(LPCTSTR lpszFileName)
{
    if (!DeleteFile(lpszFileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), lpszFileName);
}
