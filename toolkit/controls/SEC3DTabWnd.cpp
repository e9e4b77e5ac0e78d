#include "toolkit/controls/SEC3DTabWnd.h"

#include "platform/afx/CPaintDC.h"

namespace {

// The highlight colour of the frame is the one of the program's start.
COLORREF StartHighlight()
{
    static const COLORREF rgb = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    return rgb;
}

} // namespace

SEC3DTabWnd::~SEC3DTabWnd() = default;

BEGIN_MESSAGE_MAP(SEC3DTabWnd, SECTabWndBase)
ON_WM_NCCREATE()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_SETFOCUS()
ON_MESSAGE(TCM_TABSEL, OnTabSelect)
ON_MESSAGE(SEC3DTabWnd::ctrlTabMessage, OnCtrlTab)
END_MESSAGE_MAP()

BOOL SEC3DTabWnd::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    m_dwTabStyle = dwStyle & 0xFFF;
    StartHighlight();
    return SECTabWndBase::Create(pParentWnd, dwStyle & ~0xFF3U, nID);
}

BOOL SEC3DTabWnd::CreateTabCtrl(DWORD, UINT nID)
{
    auto pTabs = std::make_unique<SEC3DTabControl>();
    if (!pTabs->Create(m_dwTabStyle | WS_VISIBLE, CRect(0, 0, 0, 0), this, nID))
        return FALSE;
    m_pTabCtrl = std::move(pTabs);
    return TRUE;
}

void SEC3DTabWnd::EnableTab(int nIndex, BOOL bEnable)
{
    if (auto* pTabs = dynamic_cast<SEC3DTabControl*>(m_pTabCtrl.get()))
        pTabs->EnableTab(nIndex, bEnable);
}

int SEC3DTabWnd::GetInsideRect(CRect& rect) const
{
    GetClientRect(&rect);
    const int g = (m_dwTabStyle & TWS_OVERLAP) ? -3 : 1;
    const int s = stripThickness;
    if (m_dwTabStyle & TWS_TABS_ON_BOTTOM)
        rect.SetRect(rect.left + 6, rect.top + 4, rect.right - 7, rect.bottom - (s + g));
    else if (m_dwTabStyle & TWS_TABS_ON_TOP)
        rect.SetRect(rect.left + 6, rect.top + (s + g), rect.right - 7, rect.bottom - 4);
    else if (m_dwTabStyle & TWS_TABS_ON_LEFT)
        rect.SetRect(rect.left + (s + g), rect.top + 4, rect.right - 7, rect.bottom - 6);
    else
        rect.SetRect(rect.left + 6, rect.top + 4, rect.right - (s + g), rect.bottom - 6);
    return g;
}

void SEC3DTabWnd::RecalcLayout()
{
    if (m_hWnd == nullptr || !m_pTabCtrl || m_pTabCtrl->m_hWnd == nullptr)
        return;
    const BOOL bHorizontal = (m_dwTabStyle & (TWS_TABS_ON_BOTTOM | TWS_TABS_ON_TOP)) != 0;
    m_nStripHeight = bHorizontal ? stripThickness : 0;
    m_nStripWidth = bHorizontal ? 0 : stripThickness;
    CRect client;
    GetClientRect(&client);
    CRect inside;
    GetInsideRect(inside);
    CRect strip;
    if (m_dwTabStyle & TWS_TABS_ON_BOTTOM)
        strip.SetRect(inside.left, inside.bottom + 1, inside.right, client.bottom + 1);
    else if (m_dwTabStyle & TWS_TABS_ON_TOP)
        strip.SetRect(inside.left, client.top, inside.right, inside.top);
    else if (m_dwTabStyle & TWS_TABS_ON_LEFT)
        strip.SetRect(client.left, inside.top, inside.left, inside.bottom);
    else
        strip.SetRect(inside.right, client.top, client.right, inside.bottom);
    HDWP hDefer = ::BeginDeferWindowPos(2);
    const auto place = [&](CWnd* pWnd, const CRect& rect, UINT nExtra) {
        if (pWnd == nullptr || pWnd->m_hWnd == nullptr || hDefer == nullptr)
            return;
        CRect now;
        pWnd->GetWindowRect(&now);
        ScreenToClient(&now);
        if (now != rect)
            hDefer = ::DeferWindowPos(hDefer, pWnd->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | nExtra);
    };
    place(m_pTabCtrl.get(), strip, SWP_NOREDRAW);
    CRect content = inside;
    content.right -= 1;
    place(m_pActiveWnd, content, 0);
    if (hDefer != nullptr)
        ::EndDeferWindowPos(hDefer);
}

BOOL SEC3DTabWnd::OnNcCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (!CWnd::OnNcCreate(lpCreateStruct))
        return FALSE;
    // The frame is this window's: a sunken edge of the parent would double it.
    if (CWnd* pParent = GetParent(); pParent != nullptr && (pParent->GetExStyle() & WS_EX_CLIENTEDGE))
        pParent->ModifyStyleEx(WS_EX_CLIENTEDGE, 0, SWP_FRAMECHANGED);
    return TRUE;
}

void SEC3DTabWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType == SIZE_MINIMIZED || cx <= 0 || cy <= 0)
        return;
    RecalcLayout();
    if (m_pTabCtrl && m_pTabCtrl->m_hWnd != nullptr)
        m_pTabCtrl->Invalidate(TRUE);
    Invalidate(FALSE);
}

BOOL SEC3DTabWnd::OnEraseBkgnd(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    CRect inside;
    GetInsideRect(inside);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    pDC->FillSolidRect(client.left, client.top, client.Width(), inside.top - client.top, face);
    pDC->FillSolidRect(client.left, inside.bottom, client.Width(), client.bottom - inside.bottom, face);
    pDC->FillSolidRect(client.left, inside.top, inside.left - client.left, inside.Height(), face);
    // The active window stops one pixel short of the frame; nothing else paints that column.
    pDC->FillSolidRect(inside.right - 1, inside.top, client.right - inside.right + 1, inside.Height(), face);
    return TRUE;
}

void SEC3DTabWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect inside;
    GetInsideRect(inside);
    const BOOL bFlat = (m_dwTabStyle & TWS_FLAT_FRAME) != 0;
    // From the outside in on the left and top; from the content out on the right and bottom.
    const COLORREF outer[] = { StartHighlight(), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW),
        RGB(0, 0, 0) };
    const COLORREF innerOut[] = { StartHighlight(), ::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW),
        RGB(0, 0, 0) };
    const int bottomShift = (m_dwTabStyle & (TWS_TABS_ON_BOTTOM | TWS_TABS_ON_RIGHT)) ? 1 : 0;
    const int height = inside.Height() + 8;
    const int width = inside.Width() + 8;
    for (int i = 0; i < 4; ++i) {
        // Left and top: i = 0 is the outermost line.
        if (!bFlat || i < 2) {
            dc.FillSolidRect(inside.left - 4 + i, inside.top - 4, 1, height, outer[i]);
            dc.FillSolidRect(inside.left - 4, inside.top - 4 + i, width, 1, outer[i]);
        }
        // Right and bottom: i = 0 lies next to the content.
        const BOOL bKeepRight = !bFlat || i >= 2;
        if (bKeepRight) {
            const int x = inside.right + i + (bFlat ? 2 : 0);
            dc.FillSolidRect(x, inside.top - 4, 1, height, innerOut[i]);
            dc.FillSolidRect(inside.left - 4, inside.bottom + i + bottomShift, width, 1, innerOut[i]);
        }
    }
}

void SEC3DTabWnd::OnSetFocus(CWnd* pOldWnd)
{
    CWnd::OnSetFocus(pOldWnd);
    if (!m_pTabCtrl || m_pTabCtrl->m_hWnd == nullptr)
        return;
    CWnd* pNext = GetWindow(GW_HWNDNEXT);
    const BOOL bFromNext = pOldWnd != nullptr && pNext != nullptr && pOldWnd->m_hWnd == pNext->m_hWnd;
    if (bFromNext && pNext->GetWindow(GW_HWNDNEXT) != nullptr && m_pActiveWnd != nullptr) {
        // A backward Tab from the next sibling comes to the last control of the active window.
        m_pActiveWnd->SetFocus();
        m_pActiveWnd->SendMessage(WM_NEXTDLGCTL, 1, 0);
    } else {
        m_pTabCtrl->SetFocus();
    }
}

LRESULT SEC3DTabWnd::OnTabSelect(WPARAM wParam, LPARAM lParam)
{
    SECTabWndBase::OnTabSelect(wParam, lParam);
    // The owner learns which tab window the record comes from.
    if (lParam != 0)
        reinterpret_cast<SECTabActivation*>(lParam)->nID = static_cast<UINT>(GetDlgCtrlID());
    Invalidate();
    if (m_pNotifyWnd != nullptr)
        m_pNotifyWnd->SendMessage(TCM_TABSEL, wParam, lParam);
    return 0;
}

BOOL SEC3DTabWnd::NavigateTab(MSG* pMsg, BOOL bShift)
{
    HWND hFocus = ::GetFocus();
    const BOOL bInside = m_pActiveWnd != nullptr && m_pActiveWnd->m_hWnd != nullptr
        && (hFocus == m_pActiveWnd->m_hWnd || ::IsChild(m_pActiveWnd->m_hWnd, hFocus));
    if (!bInside) {
        if (bShift || m_pActiveWnd == nullptr)
            return m_pActiveWnd != nullptr && m_pActiveWnd->PreTranslateMessage(pMsg);
        m_pActiveWnd->SetFocus();
        return TRUE;
    }
    // Another tab stop in the active window along the way: its own navigation moves there.
    for (HWND h = ::GetWindow(hFocus, bShift ? GW_HWNDPREV : GW_HWNDNEXT); h != nullptr && h != m_pActiveWnd->m_hWnd;
         h = ::GetWindow(h, bShift ? GW_HWNDPREV : GW_HWNDNEXT)) {
        if (::GetWindowLong(h, GWL_STYLE) & WS_TABSTOP)
            return m_pActiveWnd->PreTranslateMessage(pMsg);
    }
    if (bShift) {
        m_pTabCtrl->SetFocus();
        return TRUE;
    }
    for (CWnd* p = GetWindow(GW_HWNDNEXT); p != nullptr; p = p->GetWindow(GW_HWNDNEXT)) {
        if (p->GetStyle() & WS_TABSTOP) {
            p->SetFocus();
            return TRUE;
        }
    }
    // Wrapping round to the first tab stop among the siblings.
    CWnd* pParent = GetParent();
    CWnd* pFirst = pParent ? pParent->GetWindow(GW_CHILD) : nullptr;
    if (pFirst == nullptr || pFirst == this)
        return FALSE;
    for (CWnd* p = pFirst; p != nullptr; p = p->GetWindow(GW_HWNDNEXT)) {
        if (p->GetStyle() & WS_TABSTOP) {
            if (p == this)
                return m_pActiveWnd->PreTranslateMessage(pMsg);
            p->SetFocus();
            return TRUE;
        }
    }
    return FALSE;
}

BOOL SEC3DTabWnd::PreTranslateMessage(MSG* pMsg)
{
    if (!(GetStyle() & WS_TABSTOP))
        return SECTabWndBase::PreTranslateMessage(pMsg);
    if (SECTabWndBase::PreTranslateMessage(pMsg))
        return TRUE;
    if (pMsg->message != WM_KEYDOWN || !m_pTabCtrl || m_pTabCtrl->m_hWnd == nullptr)
        return FALSE;
    const UINT nKey = static_cast<UINT>(pMsg->wParam);
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    if (bCtrl && (nKey == VK_TAB || nKey == VK_PRIOR || nKey == VK_NEXT)
        && SendMessage(ctrlTabMessage, 0, reinterpret_cast<LPARAM>(pMsg)) != 0)
        return TRUE;
    if (::GetFocus() == m_pTabCtrl->m_hWnd) {
        UINT nSend = 0;
        if (bCtrl && nKey == VK_TAB)
            nSend = bShift ? VK_LEFT : VK_RIGHT;
        else if (nKey == VK_LEFT || nKey == VK_UP)
            nSend = VK_LEFT;
        else if (nKey == VK_RIGHT || nKey == VK_DOWN)
            nSend = VK_RIGHT;
        if (nSend != 0) {
            m_pTabCtrl->SendMessage(WM_KEYDOWN, nSend, 0);
            return TRUE;
        }
    }
    if (nKey == VK_TAB && !bCtrl)
        return NavigateTab(pMsg, bShift);
    CWnd* pFocus = CWnd::FromHandle(::GetFocus());
    return pFocus != nullptr && pFocus != this && pFocus->PreTranslateMessage(pMsg);
}
