#pragma once
// Thrown by archives: data that ends early or lies about itself, classes an archive names but this
// program does not have, and use of an archive in the wrong direction.

#include "platform/afx/CException.h"
#include "platform/afx/CString.h"

class CArchiveException : public CException {
    DECLARE_DYNAMIC(CArchiveException)
public:
    enum {
        none,
        genericException,
        readOnly,
        endOfFile,
        writeOnly,
        badIndex,
        badClass,
        badSchema,
        bufferFull,
    };

    // An exception of that cause for the named archive file.
    explicit CArchiveException(int cause = none, LPCTSTR lpszArchiveName = nullptr);

    // A text naming the cause and the archive's file.
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;

    int m_cause;
    CString m_strFileName;
};

// Throws a CArchiveException of that cause for the named archive file.
[[noreturn]] void AfxThrowArchiveException(int cause, LPCTSTR lpszArchiveName = nullptr);
