#pragma once
// Thrown for an argument out of range, such as an index past the end of a collection.

#include "platform/afx/CException.h"

class CInvalidArgException : public CException {
    DECLARE_DYNAMIC(CInvalidArgException)
public:
    // bAutoDelete: made with new, so Delete() frees it.
    explicit CInvalidArgException(BOOL bAutoDelete = TRUE)
        : CException(bAutoDelete)
    {
    }

    // "Invalid argument."
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a CInvalidArgException.
[[noreturn]] void AfxThrowInvalidArgException();
