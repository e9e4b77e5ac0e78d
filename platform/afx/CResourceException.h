#pragma once
// Thrown when a resource (a window, a bitmap, a string) cannot be created or loaded.

#include "platform/afx/CException.h"

class CResourceException : public CException {
    DECLARE_DYNAMIC(CResourceException)
public:
    // bAutoDelete: made with new, so Delete() frees it.
    explicit CResourceException(BOOL bAutoDelete = TRUE)
        : CException(bAutoDelete)
    {
    }

    // "A required resource was unavailable."
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a CResourceException.
[[noreturn]] void AfxThrowResourceException();
