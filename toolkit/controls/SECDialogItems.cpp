#include "toolkit/controls/SECDialogItems.h"

#include "platform/user/WinDialogs.h"

UINT SECFindFreeControlID(const CWnd& parent)
{
    UINT nID = 32767;
    while (nID > 1 && ::GetDlgItem(parent.GetSafeHwnd(), static_cast<int>(nID)))
        --nID;
    return nID;
}

void SECFocusNextTabItem(const CWnd& control, BOOL bPrevious)
{
    HWND hNext = ::GetNextDlgTabItem(::GetParent(control.GetSafeHwnd()), control.GetSafeHwnd(), bPrevious);
    if (!hNext)
        return;
    ::SetFocus(hNext);
    if (::SendMessage(hNext, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
        ::SendMessage(hNext, EM_SETSEL, 0, -1);
}
