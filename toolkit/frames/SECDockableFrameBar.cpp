#include "toolkit/frames/SECDockableFrameBar.h"

#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECMDIFrameWnd.h"

IMPLEMENT_DYNCREATE(SECDockableFrameBar, SECControlBar)

BEGIN_MESSAGE_MAP(SECDockableFrameBar, SECControlBar)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CFrameWnd* SECDockableFrameBar::GetFrame() const
{
    for (HWND hChild = m_hWnd ? ::GetWindow(m_hWnd, GW_CHILD) : nullptr; hChild; hChild = ::GetWindow(hChild, GW_HWNDNEXT))
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hChild)))
            return pFrame;
    return nullptr;
}

void SECDockableFrameBar::OnSize(UINT nType, int cx, int cy)
{
    SECControlBar::OnSize(nType, cx, cy);
    CFrameWnd* pFrame = GetFrame();
    if (!pFrame)
        return;
    if (auto* pMDI = dynamic_cast<SECMDIFrameWnd*>(m_pDockSite); pMDI && IsFloating()) {
        pMDI->FitDockedView(pFrame);
        return;
    }
    CRect rect;
    GetInsideRect(rect);
    pFrame->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}
