#include "toolkit/frames/SECLayoutNodeWnd.h"

#include "platform/afx/CWnd.h"
#include "toolkit/frames/ISECLNContainer.h"

BOOL SECLayoutNodeWnd::AttachWindow(HWND hWnd, CWnd* pParent)
{
    if (!hWnd || !pParent)
        return FALSE;
    CWnd* window = CWnd::FromHandle(hWnd);
    m_bActiveX = window && window->GetControlUnknown() != nullptr;
    m_hWnd = hWnd;
    m_hWndParent = pParent->m_hWnd;
    RECT rc {};
    if (!::GetWindowRect(hWnd, &rc))
        return FALSE;
    auto* corners = reinterpret_cast<POINT*>(&rc);
    ::ScreenToClient(m_hWndParent, &corners[0]);
    ::ScreenToClient(m_hWndParent, &corners[1]);
    SetInitialRect(rc);
    return TRUE;
}

BOOL SECLayoutNodeWnd::AttachWindow(CWnd* pWnd, CWnd* pParent)
{
    return pWnd ? AttachWindow(pWnd->m_hWnd, pParent) : FALSE;
}

BOOL SECLayoutNodeWnd::RealizeNode(HDWP* pBatch, UINT)
{
    if (!m_hWnd)
        return TRUE;
    RECT rc {};
    GetCurrentRect(&rc);
    // A control site moves through its window object, never in a batch.
    if (m_bActiveX) {
        CWnd* window = CWnd::FromHandle(m_hWnd);
        return window->SetWindowPos(nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, SWP_NOZORDER);
    }
    UINT flags = SWP_NOZORDER;
    if (GetNodeStyle() & InvalidateUncovered)
        flags |= SWP_NOREDRAW;
    if (ISECLNContainer* container = GetContainer())
        container->NodeToClientRect(rc);
    if (pBatch && *pBatch) {
        *pBatch = ::DeferWindowPos(
            *pBatch, m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
        return *pBatch != nullptr;
    }
    return ::SetWindowPos(m_hWnd, nullptr, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, flags);
}

void SECLayoutNodeWnd::InvalidateNodeRect(const RECT& rect, BOOL bThroughParent)
{
    if (!m_hWndParent || !m_hWnd)
        return;
    if (bThroughParent)
        ::InvalidateRect(m_hWndParent, &rect, TRUE);
    else
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE);
}

void SECLayoutNodeWnd::SetContainerWindow(HWND hParent)
{
    // A node leaving every container keeps its window where it is.
    if (!hParent)
        return;
    m_hWndParent = hParent;
    if (m_hWnd)
        ::SetParent(m_hWnd, hParent);
}

BOOL SECLayoutNodeWnd::SetNodeVisible(BOOL bVisible)
{
    if (!SECDefHideableNode::SetNodeVisible(bVisible))
        return FALSE;
    if (m_hWnd)
        ::ShowWindow(m_hWnd, bVisible ? SW_SHOWNORMAL : SW_HIDE);
    return TRUE;
}
