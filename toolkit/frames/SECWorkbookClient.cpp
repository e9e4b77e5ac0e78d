#include "toolkit/frames/SECWorkbookClient.h"

IMPLEMENT_DYNCREATE(SECWorkbookClient, CWnd)

void SECWorkbookClient::CalcWindowRect(LPRECT lpClientRect, UINT nAdjustType)
{
    lpClientRect->left += m_rectMargins.left;
    lpClientRect->top += m_rectMargins.top;
    lpClientRect->right -= m_rectMargins.right;
    lpClientRect->bottom -= m_rectMargins.bottom;
    CWnd::CalcWindowRect(lpClientRect, nAdjustType);
}

LRESULT SECWorkbookClient::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message != WM_MDISETMENU && message != WM_SEC_WORKBOOK_SETMENU)
        return CWnd::WindowProc(message, wParam, lParam);
    constexpr auto kNone = static_cast<WPARAM>(-1);
    LRESULT lResult = 0;
    if (wParam != kNone || lParam != static_cast<LPARAM>(-1))
        lResult = CWnd::WindowProc(WM_MDISETMENU, wParam, lParam);
    if (CWnd* pParent = GetParent())
        pParent->SendMessage(WM_SEC_WORKBOOK_REFRESH);
    return lResult;
}
