#include "platform/afx/CResourceException.h"

#include "platform/afx/AfxText.h"

IMPLEMENT_DYNAMIC(CResourceException, CException)

BOOL CResourceException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    afx::CopyText(lpszError, nMaxError, "A required resource was unavailable.");
    return TRUE;
}

void AfxThrowResourceException() { throw new CResourceException; }
