#pragma once
// Thrown when an object is asked for something it cannot do (writing a read-only memory file).

#include "platform/afx/CException.h"

class CNotSupportedException : public CException {
    DECLARE_DYNAMIC(CNotSupportedException)
public:
    // bAutoDelete: made with new, so Delete() frees it.
    explicit CNotSupportedException(BOOL bAutoDelete = TRUE)
        : CException(bAutoDelete)
    {
    }

    // "Unsupported operation was attempted."
    BOOL GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a CNotSupportedException.
[[noreturn]] void AfxThrowNotSupportedException();
