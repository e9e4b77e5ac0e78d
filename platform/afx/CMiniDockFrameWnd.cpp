#include "platform/afx/CMiniDockFrameWnd.h"

#include "platform/afx/CDockContext.h"
#include "platform/afx/CMenu.h"

IMPLEMENT_DYNCREATE(CMiniDockFrameWnd, CMiniFrameWnd)

BEGIN_MESSAGE_MAP(CMiniDockFrameWnd, CMiniFrameWnd)
ON_WM_CLOSE()
ON_WM_NCLBUTTONDOWN()
ON_WM_NCLBUTTONDBLCLK()
END_MESSAGE_MAP()

CMiniDockFrameWnd::CMiniDockFrameWnd()
{
    // The dock bar is a member: it must not delete itself with its window.
    m_wndDockBar.m_bAutoDelete = FALSE;
}

CMiniDockFrameWnd::~CMiniDockFrameWnd() = default;

BOOL CMiniDockFrameWnd::Create(CWnd* pParent, DWORD dwBarStyle)
{
    // No layout while the frame is made: it has nothing to lay out yet.
    m_bInRecalcLayout = TRUE;
    DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | MFS_MOVEFRAME | MFS_4THICKFRAME | MFS_SYNCACTIVE
        | MFS_BLOCKSYSMENU | FWS_SNAPTOBARS;
    if (dwBarStyle & CBRS_SIZE_DYNAMIC)
        style &= ~MFS_MOVEFRAME;
    if (!CMiniFrameWnd::CreateEx(0, nullptr, "", style, rectDefault, pParent)) {
        // A frame that failed has deleted itself.
        return FALSE;
    }
    // A floating palette neither sizes from its menu nor minimises; "close" only hides it.
    if (CMenu* systemMenu = GetSystemMenu(FALSE)) {
        for (UINT command : { SC_SIZE, SC_MINIMIZE, SC_MAXIMIZE, SC_RESTORE })
            systemMenu->DeleteMenu(command, MF_BYCOMMAND);
        CString hide;
        if (hide.LoadString(AFX_IDS_HIDE)) {
            systemMenu->DeleteMenu(SC_CLOSE, MF_BYCOMMAND);
            systemMenu->AppendMenu(MF_STRING | MF_ENABLED, SC_CLOSE, hide);
        }
    }
    DWORD barStyle = (dwBarStyle & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT)) ? CBRS_ALIGN_LEFT : CBRS_ALIGN_TOP;
    barStyle |= dwBarStyle & CBRS_FLOAT_MULTI;
    // The dock bar starts as the owner frame's child, so that the frame lists it among its bars.
    if (!m_wndDockBar.Create(pParent, WS_CHILD | WS_VISIBLE | barStyle, AFX_IDW_DOCKBAR_FLOAT)) {
        m_bInRecalcLayout = FALSE;
        DestroyWindow();
        return FALSE;
    }
    m_wndDockBar.SetParent(this);
    m_bInRecalcLayout = FALSE;
    return TRUE;
}

void CMiniDockFrameWnd::RecalcLayout(BOOL bNotify)
{
    if (m_bInRecalcLayout)
        return;
    CMiniFrameWnd::RecalcLayout(bNotify);
    CString title;
    m_wndDockBar.GetWindowText(title);
    CString current;
    GetWindowText(current);
    if (title != current)
        SetWindowText(title);
}

CControlBar* CMiniDockFrameWnd::FirstBar() const
{
    for (int pos = 1; pos < m_wndDockBar.m_arrBars.GetSize(); ++pos) {
        if (CControlBar* bar = m_wndDockBar.GetDockedControlBar(pos))
            return bar;
    }
    return nullptr;
}

void CMiniDockFrameWnd::OnClose() { m_wndDockBar.ShowAll(FALSE); }

void CMiniDockFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        ActivateTopParent();
        // The caption of a single bar's frame drags the bar itself.
        if (!(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
            if (CControlBar* bar = FirstBar(); bar && bar->m_pDockContext) {
                bar->m_pDockContext->StartDrag(point);
                return;
            }
        }
    } else if (nHitTest >= HTLEFT && nHitTest <= HTBOTTOMRIGHT) {
        ActivateTopParent();
        if (CControlBar* bar = FirstBar(); bar && bar->m_pDockContext && (bar->m_dwStyle & CBRS_SIZE_DYNAMIC)) {
            bar->m_pDockContext->StartResize(static_cast<int>(nHitTest), point);
            return;
        }
    }
    CMiniFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniDockFrameWnd::OnNcLButtonDblClk(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTCAPTION) {
        ActivateTopParent();
        if (!(m_wndDockBar.m_dwStyle & CBRS_FLOAT_MULTI)) {
            if (CControlBar* bar = FirstBar(); bar && bar->m_pDockContext) {
                bar->m_pDockContext->ToggleDocking();
                return;
            }
        }
    }
    CMiniFrameWnd::OnNcLButtonDblClk(nHitTest, point);
}
