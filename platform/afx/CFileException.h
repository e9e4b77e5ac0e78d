#pragma once
// Thrown by the file classes: the cause in the class library's terms, the system's error code and the
// file's name.

#include "platform/afx/CException.h"
#include "platform/afx/CString.h"

class CFileException : public CException {
    DECLARE_DYNAMIC(CFileException)
public:
    enum {
        none,
        genericException,
        fileNotFound,
        badPath,
        tooManyOpenFiles,
        accessDenied,
        invalidFile,
        removeCurrentDir,
        directoryFull,
        badSeek,
        hardIO,
        sharingViolation,
        lockViolation,
        diskFull,
        endOfFile,
    };

    // An exception of that cause, system error code and file name.
    explicit CFileException(int cause = none, LONG lOsError = -1, LPCTSTR lpszArchiveName = nullptr);

    // The cause for a system error code (ERROR_*); genericException for codes without one.
    static int OsErrorToException(LONG lOsError);
    // The cause for a C library error number.
    static int ErrnoToException(int nErrno);
    // Throws the exception for a system error code (nothing for 0).
    static void ThrowOsError(LONG lOsError, LPCTSTR lpszFileName = nullptr);
    // Throws the exception for a C library error number (nothing for 0).
    static void ThrowErrno(int nErrno, LPCTSTR lpszFileName = nullptr);

    // A text naming the cause and the file.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

// Throws a CFileException of that cause, system error code and file name.
[[noreturn]] void AfxThrowFileException(int cause, LONG lOsError = -1, LPCTSTR lpszFileName = nullptr);
