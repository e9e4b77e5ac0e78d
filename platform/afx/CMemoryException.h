#pragma once
// Thrown when memory runs out.

#include "platform/afx/CException.h"

class CMemoryException : public CException {
    DECLARE_DYNAMIC(CMemoryException)
public:
    // bAutoDelete: made with new, so Delete() frees it.
    explicit CMemoryException(BOOL bAutoDelete = TRUE)
        : CException(bAutoDelete)
    {
    }

    // "Out of memory."
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a CMemoryException (a shared static one: nothing has to be allocated).
[[noreturn]] void AfxThrowMemoryException();
