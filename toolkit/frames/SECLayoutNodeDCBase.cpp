#include "toolkit/frames/SECLayoutNodeDCBase.h"

BOOL SECLayoutNodeDCBase::RealizeNode(HDWP*, UINT)
{
    PaintNode(FALSE, nullptr);
    return TRUE;
}

void SECLayoutNodeDCBase::PaintNode(BOOL bRecurse, HDC hDC)
{
    RECT rc {};
    GetCurrentRect(&rc);
    // Without a window of its own a node has nowhere to take a context from (GetDC(null) is the screen).
    HDC dc = hDC ? hDC : (m_hWndDraw ? ::GetDC(m_hWndDraw) : nullptr);
    if (dc) {
        POINT old {};
        ::GetViewportOrgEx(dc, &old);
        const POINT offset = GetDrawOffset();
        ::SetViewportOrgEx(dc, old.x - offset.x, old.y - offset.y, nullptr);
        DrawNode(dc, rc);
        ::SetViewportOrgEx(dc, old.x, old.y, nullptr);
        if (!hDC)
            ::ReleaseDC(m_hWndDraw, dc);
    }
    SECLayoutNode::PaintNode(bRecurse, hDC);
}

void SECLayoutNodeDCBase::InvalidateNodeRect(const RECT& rect, BOOL bErase)
{
    if (m_hWndDraw)
        ::InvalidateRect(m_hWndDraw, &rect, bErase);
}
