#include "toolkit/frames/SECLNVirtualSplitter.h"

#include <algorithm>

SECLNVirtualSplitter::SECLNVirtualSplitter()
{
    m_bPane[SECSplitterPaneInfo::TopLeft] = TRUE;
    m_bPane[SECSplitterPaneInfo::TopRight] = TRUE;
    ComputeBarKinds();
}

void SECLNVirtualSplitter::SetOrientation(BOOL bHorizontal, BOOL bRecurse)
{
    SECLayoutNodeSplitter::SetOrientation(bHorizontal, bRecurse);
    // Orientation 1 (a vertical bar) separates places side by side; 0 places above one another.
    m_bPane[SECSplitterPaneInfo::TopLeft] = TRUE;
    m_bPane[SECSplitterPaneInfo::TopRight] = bHorizontal;
    m_bPane[SECSplitterPaneInfo::BottomLeft] = !bHorizontal;
    m_bPane[SECSplitterPaneInfo::BottomRight] = FALSE;
    ComputeBarKinds();
}

void SECLNVirtualSplitter::ComputeBarRects(int&, int&, RECT* pHorz, RECT* pVert)
{
    RECT rc {};
    GetCurrentRect(&rc);
    const int w = GetBarWidth();
    const BOOL bVertical = GetNodeOrientation() == 1;
    RECT hit = rc;
    ::OffsetRect(&hit, -rc.left, -rc.top);
    if (bVertical && rc.right - rc.left < w)
        hit.right = hit.left;
    if (!bVertical && rc.bottom - rc.top < w)
        hit.bottom = hit.top;
    *(bVertical ? pVert : pHorz) = rc;
    *(bVertical ? pHorz : pVert) = RECT {};
    m_rcVertHit = bVertical ? hit : RECT {};
    m_rcHorzHit = bVertical ? RECT {} : hit;
    m_rcLastHorz = *pHorz;
    m_rcLastVert = *pVert;
}

void SECLNVirtualSplitter::GetTrackingLimits(RECT* pLimits)
{
    const int w = GetBarWidth();
    *pLimits = { m_rcTracking.left, m_rcTracking.top, m_rcTracking.right - w, m_rcTracking.bottom - w };
}

HDC SECLNVirtualSplitter::GetTrackingDC() { return ::GetDC(nullptr); }

void SECLNVirtualSplitter::ReleaseTrackingDC(HDC hDC)
{
    if (hDC)
        ::ReleaseDC(nullptr, hDC);
}

void SECLNVirtualSplitter::ConvertTrackingRect(RECT& rect)
{
    auto* corners = reinterpret_cast<POINT*>(&rect);
    ::ClientToScreen(CWnd::m_hWnd, &corners[0]);
    ::ClientToScreen(CWnd::m_hWnd, &corners[1]);
}

BOOL SECLNVirtualSplitter::ApplyBarRect(const RECT& rect, BOOL bHorizontal)
{
    // Only the bar of the splitter's own orientation exists.
    if (bHorizontal == (GetNodeOrientation() == 1))
        return FALSE;
    return SECLayoutNodeSplitter::ApplyBarRect(rect, bHorizontal);
}

void SECLNVirtualSplitter::ClampBar(int& dx, int& dy)
{
    // The bar's area is the bar, so the whole distance is corrected back: the observer moves the bar.
    if (GetNodeOrientation() == 1)
        Notify(dx, 0);
    else
        Notify(0, dy);
    dx = dy = 0;
}

void SECLNVirtualSplitter::OnSplitterMoved(int dx, int dy)
{
    if (GetNodeOrientation() == 1)
        Notify(dx, 0);
    else
        Notify(0, dy);
}

void SECLNVirtualSplitter::Notify(int dx, int dy)
{
    if (m_pObserver && (dx != 0 || dy != 0))
        m_pObserver->OnSplitterMoved(this, dx, dy);
}

void SECLNVirtualSplitter::DrawBars(CDC* pDC)
{
    if (m_nNoPaint == 0)
        SECLayoutNodeSplitter::DrawBars(pDC);
}

BOOL SECLNVirtualSplitter::IsPaintAllowed(CDC*)
{
    RealizeNode(nullptr, 0);
    return TRUE;
}
