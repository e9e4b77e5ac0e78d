#include "toolkit/frames/SECControlBarWorksheet.h"

IMPLEMENT_DYNCREATE(SECControlBarWorksheet, SECWorksheet)

BEGIN_MESSAGE_MAP(SECControlBarWorksheet, SECWorksheet)
    ON_WM_SIZE()
    ON_WM_CLOSE()
    ON_WM_WINDOWPOSCHANGED()
    ON_WM_SHOWWINDOW()
END_MESSAGE_MAP()

BOOL SECControlBarWorksheet::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd, CCreateContext* pContext)
{
    if (!SECWorksheet::LoadFrame(nIDResource, dwDefaultStyle, pParentWnd, pContext))
        return FALSE;
    // The sheet shows its bar's icon, not the resource's.
    if (m_hSheetIcon) {
        ::DestroyIcon(m_hSheetIcon);
        m_hSheetIcon = nullptr;
    }
    return TRUE;
}

BOOL SECControlBarWorksheet::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!SECWorksheet::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

BOOL SECControlBarWorksheet::OnCreateClient(LPCREATESTRUCT, CCreateContext*) { return m_host.CreateDockBar(); }

void SECControlBarWorksheet::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    SECWorksheet::RecalcLayout(bNotify);
    m_host.TakeCaption();
}

void SECControlBarWorksheet::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString strTitle;
    GetWindowText(strTitle);
    SECWorksheet::OnUpdateFrameTitle(bAddToTitle);
    SetWindowText(strTitle);
    if (m_hSheetIcon)
        return;
    HICON hIcon = nullptr;
    SECDockBar& dockBar = m_host.GetDockBar();
    for (int i = 0; dockBar.m_hWnd && i < dockBar.m_arrBars.GetSize() && !hIcon; ++i)
        if (CControlBar* pBar = dockBar.GetDockedControlBar(i))
            hIcon = reinterpret_cast<HICON>(pBar->SendMessage(WM_GETICON, ICON_BIG, 0));
    if (!hIcon)
        hIcon = ::LoadIcon(nullptr, IDI_WINLOGO);
    // The icon belongs to the bar or the system: copied, so that the sheet may destroy its own.
    m_hSheetIcon = hIcon ? ::CopyIcon(hIcon) : nullptr;
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(hIcon));
}

void SECControlBarWorksheet::OnSize(UINT nType, int cx, int cy)
{
    m_host.OnSize(cx, cy);
    SECWorksheet::OnSize(nType, cx, cy);
}

void SECControlBarWorksheet::OnClose()
{
    if (!m_host.HideInsteadOfClose())
        CFrameWnd::OnClose();
}

void SECControlBarWorksheet::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    m_host.OnWindowPosChanged();
    SECWorksheet::OnWindowPosChanged(lpwndpos);
}

void SECControlBarWorksheet::OnShowWindow(BOOL bShow, UINT nStatus)
{
    SECWorksheet::OnShowWindow(bShow, nStatus);
    m_host.OnShowWindow();
}
