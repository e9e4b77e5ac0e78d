#include "platform/afx/CMemoryException.h"

#include "platform/afx/AfxText.h"

IMPLEMENT_DYNAMIC(CMemoryException, CException)

BOOL CMemoryException::GetErrorMessage(LPTSTR lpszError, UINT nMaxError, PUINT pnHelpContext) const
{
    if (pnHelpContext)
        *pnHelpContext = 0;
    afx::CopyText(lpszError, nMaxError, "Out of memory.");
    return TRUE;
}

void AfxThrowMemoryException()
{
    static CMemoryException s_exception(FALSE);
    throw &s_exception;
}
