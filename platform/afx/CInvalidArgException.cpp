#include "platform/afx/CInvalidArgException.h"

#include "platform/afx/AfxText.h"

IMPLEMENT_DYNAMIC(CInvalidArgException, CException)

BOOL CInvalidArgException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    afx::CopyText(lpszError, nMaxError, "Invalid argument.");
    return TRUE;
}

void AfxThrowInvalidArgException() { throw new CInvalidArgException; }
