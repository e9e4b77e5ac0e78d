#include "toolkit/frames/SECBarHostChild.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CMDIChildWnd.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "toolkit/frames/SECDisplayCache.h"

SECBarHostChild::SECBarHostChild(CMDIChildWnd& child)
    : m_child(child)
{
    // A member: it must not delete itself with its window.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

BOOL SECBarHostChild::CreateDockBar()
{
    // Made as the owner frame's child, so that the frame lists it among its bars, then moved in here.
    if (!m_wndDockBar.CDockBar::Create(m_child.GetParentFrame(), WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    m_wndDockBar.SetParent(&m_child);
    return TRUE;
}

CControlBar* SECBarHostChild::SingleBar()
{
    if (!m_wndDockBar.m_hWnd || (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
        return nullptr;
    return m_wndDockBar.GetFirstBar();
}

void SECBarHostChild::TakeCaption()
{
    if (!m_wndDockBar.m_hWnd)
        return;
    CString strTitle;
    m_child.GetWindowText(strTitle);
    m_wndDockBar.SetWindowText(strTitle);
}

void SECBarHostChild::OnSize(int cx, int cy)
{
    if (CControlBar* pBar = SingleBar(); pBar && pBar->IsWindowVisible()) {
        const SECDisplayCache& cache = displayCache();
        pBar->CalcDynamicLayout(cx + 2 * cache.m_nBorderX, LM_MRUWIDTH | LM_COMMIT);
        pBar->CalcDynamicLayout(cy + 2 * cache.m_nBorderY, LM_LENGTHY | LM_MRUWIDTH | LM_COMMIT);
    }
}

BOOL SECBarHostChild::HideInsteadOfClose()
{
    CControlBar* pBar = SingleBar();
    if (!pBar)
        return FALSE;
    if (CMDIFrameWnd* pFrame = m_child.GetMDIFrame())
        ::SendMessage(pFrame->m_hWndMDIClient, WM_MDINEXT, reinterpret_cast<WPARAM>(m_child.m_hWnd), 0);
    if (CFrameWnd* pSite = pBar->m_pDockSite)
        pSite->ShowControlBar(pBar, FALSE, FALSE);
    return TRUE;
}

void SECBarHostChild::OnWindowPosChanged()
{
    if (CControlBar* pBar = SingleBar(); pBar && pBar->m_pDockContext) {
        CRect rect;
        m_child.GetWindowRect(&rect);
        pBar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
    }
}

void SECBarHostChild::OnShowWindow()
{
    if (auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()); pMain && pMain->m_hWndMDIClient)
        ::PostMessage(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
