#include "platform/afx/CNotSupportedException.h"

#include "platform/afx/AfxText.h"

IMPLEMENT_DYNAMIC(CNotSupportedException, CException)

BOOL CNotSupportedException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    afx::CopyText(lpszError, nMaxError, "Unsupported operation was attempted.");
    return TRUE;
}

void AfxThrowNotSupportedException() { throw new CNotSupportedException; }
