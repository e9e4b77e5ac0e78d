#include "toolkit/frames/SECMultiDocTemplate.h"

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CControlBar.h"
#include "platform/afx/CDockBar.h"
#include "platform/afx/CFrameWnd.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CWinApp.h"

IMPLEMENT_DYNAMIC(SECMultiDocTemplate, CMultiDocTemplate)

CControlBar* SECMultiDocTemplate::GetHostingBar(CWnd* pFrame)
{
    for (CWnd* pWnd = pFrame ? pFrame->GetParent() : nullptr; pWnd; pWnd = pWnd->GetParent())
        if (auto* pBar = dynamic_cast<CControlBar*>(pWnd))
            return pBar->IsDockBar() ? nullptr : pBar;
    return nullptr;
}

int SECMultiDocTemplate::GetDockingPlace(CFrameWnd* pFrame) const
{
    const CControlBar* pBar = GetHostingBar(pFrame);
    if (!pBar)
        return kNone;
    if (pBar->IsFloating())
        return kFloating;
    if (!pBar->m_pDockBar)
        return kNone;
    switch (pBar->m_pDockBar->GetDlgCtrlID()) {
    case AFX_IDW_DOCKBAR_TOP:
        return kTop;
    case AFX_IDW_DOCKBAR_LEFT:
        return kLeft;
    case AFX_IDW_DOCKBAR_BOTTOM:
        return kBottom;
    case AFX_IDW_DOCKBAR_RIGHT:
        return kRight;
    default:
        return kNone;
    }
}

BOOL SECMultiDocTemplate::RedockMDIChild(CFrameWnd*) { return FALSE; }

BOOL SECMultiDocTemplate::DockMDIChildAt(CFrameWnd*, UINT, const SECDockPlacement*, const SECDockSize*)
{
    return FALSE;
}

BOOL SECMultiDocTemplate::MakeMDIChild(CFrameWnd*, int) { return FALSE; }

BOOL SECMultiDocTemplate::AnyInApp()
{
    CWinApp* pApp = AfxGetApp();
    for (POSITION pos = pApp ? pApp->GetFirstDocTemplatePosition() : nullptr; pos;)
        if (pApp->GetNextDocTemplate(pos)->IsKindOf(RUNTIME_CLASS(SECMultiDocTemplate)))
            return TRUE;
    return FALSE;
}
