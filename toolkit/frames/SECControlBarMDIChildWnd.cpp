#include "toolkit/frames/SECControlBarMDIChildWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CMDIFrameWnd.h"
#include "toolkit/frames/SECDisplayCache.h"

IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECControlBarMDIChildWnd, SECMDIChildWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

SECControlBarMDIChildWnd::SECControlBarMDIChildWnd()
{
    // A member: it must not delete itself with its window.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

SECControlBarMDIChildWnd::~SECControlBarMDIChildWnd() = default;

BOOL SECControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!SECMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL SECControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*)
{
    // Made as the owner frame's child, so that the frame lists it among its bars, then moved in here.
    if (!m_wndDockBar.CDockBar::Create(GetParentFrame(), WS_CHILD | WS_VISIBLE | CBRS_ALIGN_LEFT, AFX_IDW_DOCKBAR_FLOAT))
        return FALSE;
    m_wndDockBar.SetParent(this);
    return TRUE;
}

CControlBar* SECControlBarMDIChildWnd::SingleBar()
{
    if (!m_wndDockBar.m_hWnd || (m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI))
        return nullptr;
    return m_wndDockBar.GetFirstBar();
}

void SECControlBarMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    SECMDIChildWnd::RecalcLayout(bNotify);
    if (m_wndDockBar.m_hWnd) {
        CString strTitle;
        GetWindowText(strTitle);
        m_wndDockBar.SetWindowText(strTitle);
    }
}

void SECControlBarMDIChildWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    // The title is the bar's, which the class library's update would replace.
    CString strTitle;
    GetWindowText(strTitle);
    SECMDIChildWnd::OnUpdateFrameTitle(bAddToTitle);
    SetWindowText(strTitle);
}

void SECControlBarMDIChildWnd::OnSize(UINT nType, int cx, int cy)
{
    if (CControlBar* pBar = SingleBar(); pBar && pBar->IsWindowVisible()) {
        const SECDisplayCache& cache = displayCache();
        pBar->CalcDynamicLayout(cx + 2 * cache.m_nBorderX, LM_MRUWIDTH | LM_COMMIT);
        pBar->CalcDynamicLayout(cy + 2 * cache.m_nBorderY, LM_LENGTHY | LM_MRUWIDTH | LM_COMMIT);
    }
    SECMDIChildWnd::OnSize(nType, cx, cy);
}

void SECControlBarMDIChildWnd::OnClose()
{
    if (CControlBar* pBar = SingleBar()) {
        // Closing hides the bar; the window stays for the bar to show again in place.
        if (CMDIFrameWnd* pFrame = GetMDIFrame())
            ::SendMessage(pFrame->m_hWndMDIClient, WM_MDINEXT, reinterpret_cast<WPARAM>(m_hWnd), 0);
        if (CFrameWnd* pSite = pBar->m_pDockSite)
            pSite->ShowControlBar(pBar, FALSE, FALSE);
        return;
    }
    CFrameWnd::OnClose();
}

void SECControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    if (CControlBar* pBar = SingleBar(); pBar && pBar->m_pDockContext) {
        CRect rect;
        GetWindowRect(&rect);
        pBar->m_pDockContext->m_ptMRUFloatPos = rect.TopLeft();
    }
    SECMDIChildWnd::OnWindowPosChanged(lpwndpos);
}

void SECControlBarMDIChildWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECMDIChildWnd::OnShowWindow(bShow, nStatus);
    if (auto* pMain = dynamic_cast<CMDIFrameWnd*>(AfxGetMainWnd()); pMain && pMain->m_hWndMDIClient)
        ::PostMessage(pMain->m_hWndMDIClient, WM_MDIREFRESHMENU, 0, 0);
}
