#pragma once
// Thrown to stop an operation after the user has been told why; it carries no text of its own.

#include "platform/afx/CException.h"

class CUserException : public CException {
    DECLARE_DYNAMIC(CUserException)
public:
    // bAutoDelete: made with new, so Delete() frees it.
    explicit CUserException(BOOL bAutoDelete = TRUE)
        : CException(bAutoDelete)
    {
    }
};

// Throws a CUserException.
[[noreturn]] void AfxThrowUserException();
