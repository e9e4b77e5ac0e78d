#include "toolkit/controls/SECListTip.h"

#include <algorithm>

#include "platform/afx/CFont.h"
#include "platform/afx/CPaintDC.h"
#include "platform/comctl/CommCtrl.h"
#include "toolkit/controls/SECListCodes.h"

BEGIN_MESSAGE_MAP(SECListTip, CWnd)
ON_WM_PAINT()
ON_WM_TIMER()
ON_WM_DESTROY()
ON_WM_MOUSEACTIVATE()
END_MESSAGE_MAP()

SECListTip::~SECListTip()
{
    if (m_hWnd != nullptr)
        DestroyWindow();
}

BOOL SECListTip::CreateTipWindow()
{
    if (m_hWnd != nullptr)
        return TRUE;
    const HWND hOwner = m_pOwner ? m_pOwner->GetOwnerWindow() : nullptr;
    if (hOwner == nullptr)
        return FALSE;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS | CS_OWNDC | CS_SAVEBITS,
        ::LoadCursor(nullptr, IDC_ARROW), nullptr);
    return CreateEx(0, lpszClass, nullptr, WS_POPUP | WS_BORDER, 0, 0, 0, 0, hOwner, nullptr);
}

void SECListTip::Hide()
{
    if (IsShown()) {
        ShowWindow(SW_HIDE);
        if (const HWND hOwner = m_pOwner->GetOwnerWindow())
            ::RedrawWindow(hOwner, &m_rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_FRAME);
        KillTimer(timerId);
    }
    m_nRow = -1;
    m_nSubItem = -1;
    m_rect.SetRectEmpty();
}

void SECListTip::Refresh()
{
    if (IsShown()) {
        Invalidate();
        UpdateWindow();
    }
}

BOOL SECListTip::ShowFor(UINT nHitFlags, int nRow, int nCol, int, int)
{
    if (m_pOwner == nullptr || !CreateTipWindow())
        return FALSE;
    const int nSubItem = nCol == -1 ? -1 : m_pOwner->GetColumnSubItem(nCol);
    const BOOL bOnText = (nHitFlags & LVHT_ONITEMLABEL) || ((nHitFlags & LVHT_ONROW) && nSubItem >= 1);
    // Only while one of the program's windows is active: a tip must not pop up over another program.
    if (!bOnText || nRow < 0 || nCol < 0 || ::GetActiveWindow() == nullptr) {
        Hide();
        return FALSE;
    }
    CRect bounds;
    CRect label;
    CRect area;
    if (!m_pOwner->GetCellRect(nRow, nCol, bounds, LVIR_BOUNDS) || !m_pOwner->GetCellRect(nRow, nCol, label, LVIR_LABEL)
        || !m_pOwner->GetItemArea(area)) {
        Hide();
        return FALSE;
    }
    bounds.right -= 5;
    const int visibleRight = std::min(area.right, bounds.right);
    const BOOL bClipped = visibleRight < label.right || (label.left < area.left && label.right > area.left);
    if (!bClipped) {
        Hide();
        return FALSE;
    }
    if (IsShown() && m_nRow == nRow && m_nSubItem == nSubItem)
        return TRUE;
    Hide();
    const CString strText = m_pOwner->GetItemText(nRow, nSubItem);
    // An empty text shows no tip; nothing is remembered, so the next move asks again.
    if (strText.IsEmpty())
        return FALSE;
    label.InflateRect(2, 0, 2, 2);
    m_nRow = nRow;
    m_nSubItem = nSubItem;
    m_rect = label;
    m_strText = strText;
    CPoint topLeft = label.TopLeft();
    m_pOwner->ClientToScreen(topLeft);
    CRect screen(topLeft, label.Size());
    const int cxScreen = ::GetSystemMetrics(SM_CXSCREEN);
    if (screen.right > cxScreen)
        screen.OffsetRect(cxScreen - screen.right, 0);
    if (screen.left < 0)
        screen.OffsetRect(-screen.left, 0);
    SetWindowPos(nullptr, screen.left - 1, screen.top, screen.Width() + 3, screen.Height(),
        SWP_NOACTIVATE | SWP_NOZORDER);
    ShowWindow(SW_SHOWNOACTIVATE);
    SetTimer(timerId, timerPeriod, nullptr);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    return TRUE;
}

void SECListTip::OnPaint()
{
    CPaintDC dc(this);
    if (m_nRow < 0 || m_pOwner == nullptr)
        return;
    // A selected row's tip takes the selection colours the other way round.
    const BOOL bSelected = m_pOwner->IsItemSelected(m_nRow);
    const COLORREF rgbText = bSelected ? m_pOwner->GetSelBkColor() : m_pOwner->GetTipTextColor();
    const COLORREF rgbBk = bSelected ? m_pOwner->GetSelTextColor() : m_pOwner->GetTipBkColor();
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, rgbBk);
    CFont bold;
    HFONT hFont = m_pOwner->GetItemFont();
    if (m_pOwner->GetTipItemState(m_nRow, TVIS_BOLD | TVIS_DROPHILITED) & TVIS_BOLD) {
        LOGFONT lf {};
        if (::GetObject(hFont, sizeof(lf), &lf) != 0) {
            lf.lfWeight = FW_BOLD;
            if (bold.CreateFontIndirect(&lf))
                hFont = static_cast<HFONT>(bold.GetSafeHandle());
        }
    }
    CFont* pOldFont = dc.SelectObject(CFont::FromHandle(hFont));
    dc.SetTextColor(rgbText);
    dc.SetBkMode(TRANSPARENT);
    client.left += 2;
    dc.DrawText(m_strText, &client, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_EXPANDTABS);
    dc.SelectObject(pOldFont);
}

void SECListTip::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != timerId) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    const HWND hOwner = m_pOwner ? m_pOwner->GetOwnerWindow() : nullptr;
    CPoint pt;
    ::GetCursorPos(&pt);
    CRect client(0, 0, 0, 0);
    if (hOwner != nullptr) {
        ::ScreenToClient(hOwner, &pt);
        ::GetClientRect(hOwner, &client);
    }
    if (!client.PtInRect(pt))
        Hide();
}

void SECListTip::OnDestroy()
{
    CWnd::OnDestroy();
    m_nRow = -1;
}

int SECListTip::OnMouseActivate(CWnd*, UINT, UINT)
{
    return MA_NOACTIVATE;
}

BOOL SECListTip::PreTranslateMessage(MSG* pMsg)
{
    const HWND hOwner = m_pOwner ? m_pOwner->GetOwnerWindow() : nullptr;
    const UINT message = pMsg->message;
    const BOOL bClient = message >= WM_MOUSEMOVE && message <= WM_MBUTTONDBLCLK;
    const BOOL bNonClient = message >= WM_NCLBUTTONDOWN && message <= WM_NCMBUTTONDBLCLK;
    if (hOwner == nullptr || pMsg->hwnd != m_hWnd || !(bClient || bNonClient))
        return CWnd::PreTranslateMessage(pMsg);
    CPoint pt(GET_X_LPARAM(pMsg->lParam), GET_Y_LPARAM(pMsg->lParam));
    MSG forward = *pMsg;
    forward.hwnd = hOwner;
    if (bNonClient) {
        // The non-client messages carry screen points; their client counterparts lie 0x160 above.
        forward.message = message + (WM_LBUTTONDOWN - WM_NCLBUTTONDOWN);
        forward.wParam = message == WM_NCLBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON;
    } else {
        ::ClientToScreen(m_hWnd, &pt);
    }
    ::ScreenToClient(hOwner, &pt);
    forward.lParam = MAKELPARAM(pt.x, pt.y);
    ::DispatchMessage(&forward);
    return TRUE;
}
