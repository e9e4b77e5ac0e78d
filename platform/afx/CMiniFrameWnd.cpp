#include "platform/afx/CMiniFrameWnd.h"

#include "platform/afx/AfxState.h"
IMPLEMENT_DYNCREATE(CMiniFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CMiniFrameWnd, CFrameWnd)
ON_WM_NCHITTEST()
ON_WM_NCLBUTTONDOWN()
ON_WM_SYSCOMMAND()
ON_MESSAGE(WM_FLOATSTATUS, OnFloatStatus)
END_MESSAGE_MAP()

CMiniFrameWnd::CMiniFrameWnd() = default;

CMiniFrameWnd::~CMiniFrameWnd() = default;

BOOL CMiniFrameWnd::Create(
    LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CreateEx(0, lpClassName, lpWindowName, dwStyle, rect, pParentWnd, nID);
}

BOOL CMiniFrameWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpClassName, LPCTSTR lpWindowName, DWORD dwStyle,
    const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_strCaption = lpWindowName ? lpWindowName : "";
    m_strTitle = m_strCaption;
    if (!lpClassName)
        lpClassName = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW));
    // A popup is owned by pParentWnd; its menu slot holds nothing (pop-ups have no ids).
    if (!CWnd::CreateEx(dwExStyle, lpClassName, lpWindowName, dwStyle, rect.left, rect.top,
            afx::Extent(rect.left, rect.right), afx::Extent(rect.top, rect.bottom),
            pParentWnd ? pParentWnd->m_hWnd : nullptr,
            (dwStyle & WS_CHILD) ? reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)) : nullptr))
        return FALSE;
    if (GetStyle() & MFS_SYNCACTIVE) {
        // The owner's activation changed before this frame existed: its caption starts as the owner's is.
        const HWND owner = ::GetWindow(m_hWnd, GW_OWNER);
        const bool ownerActive = owner && ::GetActiveWindow() == owner;
        SendMessage(WM_FLOATSTATUS, ownerActive ? FS_ACTIVATE : FS_DEACTIVATE);
    }
    return TRUE;
}

BOOL CMiniFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    // Sizing mini frames have a real sizing border; captioned ones a tool-window caption.
    if (cs.style & (MFS_4THICKFRAME | MFS_THICKFRAME))
        cs.style |= WS_THICKFRAME;
    if ((cs.style & WS_CAPTION) == static_cast<LONG>(WS_CAPTION))
        cs.dwExStyle |= WS_EX_TOOLWINDOW;
    if (!CFrameWnd::PreCreateWindow(cs))
        return FALSE;
    cs.dwExStyle &= ~WS_EX_CLIENTEDGE;
    return TRUE;
}

void CMiniFrameWnd::CalcBorders(LPRECT lpClientRect, DWORD dwStyle, DWORD dwExStyle)
{
    ::AdjustWindowRectEx(lpClientRect, dwStyle, FALSE, dwExStyle | WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE);
}

LRESULT CMiniFrameWnd::OnNcHitTest(CPoint point)
{
    LRESULT hit = CFrameWnd::OnNcHitTest(point);
    const DWORD style = GetStyle();
    if (style & MFS_MOVEFRAME) {
        // The whole border moves the frame.
        if (hit >= HTLEFT && hit <= HTBOTTOMRIGHT)
            hit = HTCAPTION;
    } else if (style & MFS_4THICKFRAME) {
        // Corners size along one side only.
        switch (hit) {
        case HTTOPLEFT:
        case HTTOPRIGHT:
            hit = HTTOP;
            break;
        case HTBOTTOMLEFT:
        case HTBOTTOMRIGHT:
            hit = HTBOTTOM;
            break;
        default:
            break;
        }
    }
    return hit;
}

void CMiniFrameWnd::OnNcLButtonDown(UINT nHitTest, CPoint point)
{
    if (nHitTest == HTSYSMENU && (GetStyle() & MFS_BLOCKSYSMENU))
        return;
    CFrameWnd::OnNcLButtonDown(nHitTest, point);
}

void CMiniFrameWnd::OnSysCommand(UINT nID, LPARAM lParam)
{
    if ((nID & 0xFFF0) == SC_KEYMENU && (GetStyle() & MFS_BLOCKSYSMENU))
        return;
    CFrameWnd::OnSysCommand(nID, lParam);
}

LRESULT CMiniFrameWnd::OnFloatStatus(WPARAM wParam, LPARAM)
{
    const LRESULT synced = (GetStyle() & MFS_SYNCACTIVE) && (wParam & FS_SYNCACTIVE);
    if (wParam & (FS_SHOW | FS_HIDE))
        SetWindowPos(nullptr, 0, 0, 0, 0,
            ((wParam & FS_SHOW) ? SWP_SHOWWINDOW : SWP_HIDEWINDOW) | SWP_NOZORDER | SWP_NOMOVE | SWP_NOSIZE
                | SWP_NOACTIVATE);
    if (wParam & (FS_ENABLE | FS_DISABLE))
        EnableWindow((wParam & FS_ENABLE) != 0);
    if ((wParam & (FS_ACTIVATE | FS_DEACTIVATE)) && (GetStyle() & MFS_SYNCACTIVE)) {
        // The caption follows the owner's activation.
        ModifyStyle(MFS_SYNCACTIVE, 0);
        SendMessage(WM_NCACTIVATE, (wParam & FS_ACTIVATE) != 0);
        ModifyStyle(0, MFS_SYNCACTIVE);
    }
    return synced;
}
