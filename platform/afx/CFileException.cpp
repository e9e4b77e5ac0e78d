#include "platform/afx/CFileException.h"

#include <cerrno>

#include "platform/afx/AfxText.h"
#include "platform/base/WinError.h"

IMPLEMENT_DYNAMIC(CFileException, CException)

namespace {

constexpr LONG kErrorLockViolation = 33;
constexpr LONG kErrorCurrentDirectory = 16;
constexpr LONG kErrorNegativeSeek = 131;
constexpr LONG kErrorSeek = 25;
constexpr LONG kErrorHandleDiskFull = 39;

const char* CauseText(int cause)
{
    switch (cause) {
    case CFileException::none:
        return "No error occurred.";
    case CFileException::fileNotFound:
        return "%1 was not found.";
    case CFileException::badPath:
        return "%1 contains an invalid path.";
    case CFileException::tooManyOpenFiles:
        return "%1 could not be opened because there are too many open files.";
    case CFileException::accessDenied:
        return "Access to %1 was denied.";
    case CFileException::invalidFile:
        return "An invalid file handle was associated with %1.";
    case CFileException::removeCurrentDir:
        return "%1 could not be removed because it is the current directory.";
    case CFileException::directoryFull:
        return "%1 could not be created because the directory is full.";
    case CFileException::badSeek:
        return "Seek failed on %1.";
    case CFileException::hardIO:
        return "A hardware I/O error was reported while accessing %1.";
    case CFileException::sharingViolation:
        return "A sharing violation occurred while accessing %1.";
    case CFileException::lockViolation:
        return "A locking violation occurred while accessing %1.";
    case CFileException::diskFull:
        return "Disk full while accessing %1.";
    case CFileException::endOfFile:
        return "An attempt was made to access %1 past its end.";
    default:
        return "An unexpected error occurred while accessing %1.";
    }
}

} // namespace

CFileException::CFileException(int cause, LONG lOsError, LPCTSTR lpszArchiveName)
    : m_cause(cause)
    , m_lOsError(lOsError)
    , m_strFileName(lpszArchiveName)
{
}

int CFileException::OsErrorToException(LONG lOsError)
{
    switch (lOsError) {
    case 0:
        return none;
    case static_cast<LONG>(ERROR_FILE_NOT_FOUND):
        return fileNotFound;
    case static_cast<LONG>(ERROR_PATH_NOT_FOUND):
    case static_cast<LONG>(ERROR_INVALID_DRIVE):
    case static_cast<LONG>(ERROR_INVALID_NAME):
    case static_cast<LONG>(ERROR_BAD_PATHNAME):
        return badPath;
    case static_cast<LONG>(ERROR_TOO_MANY_OPEN_FILES):
        return tooManyOpenFiles;
    case static_cast<LONG>(ERROR_ACCESS_DENIED):
    case static_cast<LONG>(ERROR_FILE_EXISTS):
    case static_cast<LONG>(ERROR_ALREADY_EXISTS):
    case static_cast<LONG>(ERROR_DIRECTORY):
    case static_cast<LONG>(ERROR_DIR_NOT_EMPTY):
        return accessDenied;
    case static_cast<LONG>(ERROR_INVALID_HANDLE):
        return invalidFile;
    case kErrorCurrentDirectory:
        return removeCurrentDir;
    case static_cast<LONG>(ERROR_CANNOT_MAKE):
        return directoryFull;
    case kErrorSeek:
    case kErrorNegativeSeek:
        return badSeek;
    case static_cast<LONG>(ERROR_WRITE_FAULT):
    case static_cast<LONG>(ERROR_READ_FAULT):
        return hardIO;
    case static_cast<LONG>(ERROR_SHARING_VIOLATION):
        return sharingViolation;
    case kErrorLockViolation:
        return lockViolation;
    case static_cast<LONG>(ERROR_DISK_FULL):
    case kErrorHandleDiskFull:
        return diskFull;
    case static_cast<LONG>(ERROR_HANDLE_EOF):
        return endOfFile;
    default:
        return genericException;
    }
}

int CFileException::ErrnoToException(int nErrno)
{
    switch (nErrno) {
    case 0:
        return none;
    case ENOENT:
        return fileNotFound;
    case ENOTDIR:
    case ENAMETOOLONG:
    case ELOOP:
        return badPath;
    case EMFILE:
    case ENFILE:
        return tooManyOpenFiles;
    case EACCES:
    case EPERM:
    case EROFS:
    case EEXIST:
    case EISDIR:
    case ENOTEMPTY:
        return accessDenied;
    case EBADF:
        return invalidFile;
    case EBUSY:
        return sharingViolation;
    case ESPIPE:
    case EINVAL:
        return badSeek;
    case EIO:
        return hardIO;
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return diskFull;
    default:
        return genericException;
    }
}

void CFileException::ThrowOsError(LONG lOsError, LPCTSTR lpszFileName)
{
    if (lOsError != 0)
        AfxThrowFileException(OsErrorToException(lOsError), lOsError, lpszFileName);
}

void CFileException::ThrowErrno(int nErrno, LPCTSTR lpszFileName)
{
    if (nErrno != 0)
        AfxThrowFileException(ErrnoToException(nErrno), nErrno, lpszFileName);
}

BOOL CFileException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    CString text;
    text.FormatMessage(CauseText(m_cause), m_strFileName.IsEmpty() ? "an unnamed file" : m_strFileName.GetString());
    afx::CopyText(lpszError, nMaxError, text.GetString());
    return TRUE;
}

void AfxThrowFileException(int cause, LONG lOsError, LPCTSTR lpszFileName)
{
    throw new CFileException(cause, lOsError, lpszFileName);
}
