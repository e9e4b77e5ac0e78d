#include "toolkit/frames/SECControlBarMDIChildWnd.h"

IMPLEMENT_DYNCREATE(SECControlBarMDIChildWnd, SECMDIChildWnd)

BEGIN_MESSAGE_MAP(SECControlBarMDIChildWnd, SECMDIChildWnd)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL SECControlBarMDIChildWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!SECMDIChildWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL SECControlBarMDIChildWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext*) { return m_host.CreateDockBar(); }

void SECControlBarMDIChildWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    SECMDIChildWnd::RecalcLayout(bNotify);
    m_host.TakeCaption();
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
    m_host.OnSize(cx, cy);
    SECMDIChildWnd::OnSize(nType, cx, cy);
}

void SECControlBarMDIChildWnd::OnClose()
{
    if (!m_host.HideInsteadOfClose())
        CFrameWnd::OnClose();
}

void SECControlBarMDIChildWnd::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    m_host.OnWindowPosChanged();
    SECMDIChildWnd::OnWindowPosChanged(lpwndpos);
}

void SECControlBarMDIChildWnd::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECMDIChildWnd::OnShowWindow(bShow, nStatus);
    m_host.OnShowWindow();
}
