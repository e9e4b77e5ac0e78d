#include "toolkit/frames/SECMiniDockFrameWnd.h"

#include "platform/afx/AfxState.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CMenu.h"
#include "toolkit/frames/SECFrameIds.h"

IMPLEMENT_DYNCREATE(SECMiniDockFrameWnd, CMiniDockFrameWnd)

BEGIN_MESSAGE_MAP(SECMiniDockFrameWnd, CMiniDockFrameWnd)
    ON_WM_CLOSE()
    ON_WM_NCLBUTTONDOWN()
    ON_WM_NCLBUTTONDBLCLK()
    ON_WM_PARENTNOTIFY()
END_MESSAGE_MAP()

namespace {

constexpr int kMaxTitle = 260;
constexpr DWORD kFloatingFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_SYNCACTIVE | MFS_4THICKFRAME
    | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;

} // namespace

SECMiniDockFrameWnd::SECMiniDockFrameWnd()
{
    // A member: it must not delete itself with its window.
    m_wndSECDockBar.m_bAutoDelete = FALSE;
}

SECMiniDockFrameWnd::~SECMiniDockFrameWnd() = default;

BOOL SECMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // Nothing to lay out until the dock bar exists.
    m_bInRecalcLayout = TRUE;
    DWORD dwStyle = kFloatingFrameStyle;
    if (!(dwBarStyle & CBRS_SIZE_DYNAMIC))
        dwStyle |= MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, nullptr, dwStyle, rectDefault, pParent)) {
        // A frame whose window failed has deleted itself.
        return FALSE;
    }
    if (CMenu* pSysMenu = GetSystemMenu(FALSE)) {
        for (UINT nCommand : { SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE })
            pSysMenu->DeleteMenu(nCommand, MF_BYCOMMAND);
        CString strHide;
        if (strHide.LoadString(AFX_IDS_HIDE))
            pSysMenu->ModifyMenu(SC_CLOSE, MF_BYCOMMAND | MF_STRING, SC_CLOSE, strHide);
    }
    DWORD dwDockStyle = WS_CHILD | WS_VISIBLE | ((dwBarStyle & CBRS_ORIENT_VERT) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP);
    dwDockStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // Made as the owner frame's child, so that the frame lists it among its bars, then moved in here.
    if (m_wndSECDockBar.CDockBar::Create(pParent, dwDockStyle, AFX_IDW_DOCKBAR_FLOAT))
        m_wndSECDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return m_hWnd && m_wndSECDockBar.m_hWnd;
}

void SECMiniDockFrameWnd::TakeDockBarTitle()
{
    CString strTitle;
    m_wndSECDockBar.GetWindowText(strTitle);
    strTitle = strTitle.Left(kMaxTitle - 1);
    CString strCurrent;
    GetWindowText(strCurrent);
    if (strTitle != strCurrent)
        SetWindowText(strTitle);
}

void SECMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CFrameWnd::RecalcLayout(bNotify);
    if (m_wndSECDockBar.m_hWnd)
        TakeDockBarTitle();
}

void SECMiniDockFrameWnd::RecalcLayoutAt(int x, int y, BOOL)
{
    if (m_bInRecalcLayout)
        return;
    m_nIdleFlags &= ~(idleLayout | idleNotify);
    m_bInRecalcLayout = TRUE;
    if (GetStyle() & FWS_SNAPTOBARS) {
        CRect rect(0, 0, 32767, 32767);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposQuery, &rect, &rect, FALSE);
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder, &rect, TRUE);
        CalcWindowRect(&rect);
        SetWindowPos(nullptr, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST, reposExtra, &m_rectBorder);
    }
    if (m_wndSECDockBar.m_hWnd)
        TakeDockBarTitle();
    m_bInRecalcLayout = FALSE;
}

CControlBar* SECMiniDockFrameWnd::GetFirstDockedBar() const
{
    for (int nPos = 1; nPos < m_wndSECDockBar.m_arrBars.GetSize(); ++nPos) {
        if (CControlBar* pBar = m_wndSECDockBar.GetDockedControlBar(nPos))
            return pBar;
    }
    return nullptr;
}

void SECMiniDockFrameWnd::BringToTop()
{
    ::SetWindowPos(m_hWnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void SECMiniDockFrameWnd::OnClose() { m_wndSECDockBar.ShowAll(FALSE); }

void SECMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    BringToTop();
    // A frame left without a bar (its last one destroyed) has nothing to drag: it moves and sizes as
    // any mini frame does.
    CControlBar* pBar = GetFirstDockedBar();
    CDockContext* pContext = pBar ? pBar->m_pDockContext : nullptr;
    if (pContext && nHitTest == HTCAPTION) {
        ActivateTopParent();
        if (!(m_wndSECDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
            pContext->StartDrag(point);
            return;
        }
    } else if (pContext && nHitTest >= static_cast<UINT>(HTLEFT) && nHitTest <= static_cast<UINT>(HTBOTTOMRIGHT)) {
        ActivateTopParent();
        pContext->StartResize(static_cast<int>(nHitTest), point);
        return;
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void SECMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    CControlBar* pBar = GetFirstDockedBar();
    if (nHitTest == HTCAPTION && pBar && pBar->m_pDockContext) {
        ActivateTopParent();
        if (!(m_wndSECDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
            pBar->m_pDockContext->ToggleDocking();
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}

void SECMiniDockFrameWnd::OnParentNotify(UINT message, LPARAM lParam)
{
    if (LOWORD(message) == WM_LBUTTONDOWN || LOWORD(message) == WM_RBUTTONDOWN)
        BringToTop();
    CMiniDockFrameWnd::OnParentNotify(message, lParam);
}
