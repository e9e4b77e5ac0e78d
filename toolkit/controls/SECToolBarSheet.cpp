#include "toolkit/controls/SECToolBarSheet.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CFrameWnd.h"

UINT SECToolBarStyleChangingMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage("WM_TOOLBARSTYLECHANGING");
    return nMessage;
}

IMPLEMENT_DYNAMIC(SECToolBarSheet, CPropertySheet)

BEGIN_MESSAGE_MAP(SECToolBarSheet, CPropertySheet)
    ON_WM_ACTIVATE()
    ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

void SECToolBarSheet::OnActivate(UINT nState, CWnd* pWndOther, BOOL bMinimized)
{
    CPropertySheet::OnActivate(nState, pWndOther, bMinimized);
    CWnd* pMain = AfxGetMainWnd();
    CFrameWnd* pFrame = pMain ? pMain->GetTopLevelFrame() : nullptr;
    if (!pFrame && pMain && pMain->IsKindOf(RUNTIME_CLASS(CFrameWnd)))
        pFrame = static_cast<CFrameWnd*>(pMain);
    if (pFrame)
        pFrame->NotifyFloatingWindows(nState == WA_INACTIVE ? FS_DEACTIVATE : FS_ACTIVATE);
}

LRESULT SECToolBarSheet::OnFloatStatus(WPARAM wParam, LPARAM)
{
    if (wParam & (FS_ACTIVATE | FS_DEACTIVATE))
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) ? TRUE : FALSE);
    return TRUE;
}
