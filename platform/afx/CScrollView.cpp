#include "platform/afx/CScrollView.h"

#include <algorithm>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CPrintInfo.h"

IMPLEMENT_DYNAMIC(CScrollView, CView)

BEGIN_MESSAGE_MAP(CScrollView, CView)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
END_MESSAGE_MAP()

const SIZE CScrollView::sizeDefault { 0, 0 };

void CScrollView::SetScrollSizes(int nMapMode, SIZE sizeTotal, const SIZE& sizePage, const SIZE& sizeLine)
{
    m_nMapMode = nMapMode;
    m_totalLog = sizeTotal;
    // Logical sizes become device sizes through a DC in the view's mapping mode.
    CClientDC dc(nullptr);
    dc.SetMapMode(nMapMode);
    auto toDevice = [&dc](SIZE size) {
        CPoint corner(size.cx, size.cy);
        dc.LPtoDP(&corner);
        return CSize(std::abs(corner.x), std::abs(corner.y));
    };
    m_totalDev = toDevice(sizeTotal);
    m_pageDev = toDevice(sizePage);
    m_lineDev = toDevice(sizeLine);
    if (m_pageDev.cx == 0)
        m_pageDev.cx = m_totalDev.cx / 10;
    if (m_pageDev.cy == 0)
        m_pageDev.cy = m_totalDev.cy / 10;
    if (m_lineDev.cx == 0)
        m_lineDev.cx = m_pageDev.cx / 10;
    if (m_lineDev.cy == 0)
        m_lineDev.cy = m_pageDev.cy / 10;
    if (m_hWnd) {
        UpdateBars();
        Invalidate(TRUE);
    }
}

CPoint CScrollView::GetDeviceScrollPosition() const
{
    return CPoint(GetScrollPos(SB_HORZ), GetScrollPos(SB_VERT));
}

CPoint CScrollView::GetScrollPosition() const
{
    CPoint pt = GetDeviceScrollPosition();
    CClientDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    dc.DPtoLP(&pt);
    return pt;
}

void CScrollView::ScrollToPosition(POINT pt)
{
    CClientDC dc(nullptr);
    dc.SetMapMode(m_nMapMode);
    CPoint device(pt);
    dc.LPtoDP(&device);
    ScrollToDevicePosition(CPoint(std::abs(device.x), std::abs(device.y)));
}

void CScrollView::OnPrepareDC(CDC* pDC, CPrintInfo* pInfo)
{
    pDC->SetMapMode(m_nMapMode);
    if (!pInfo || !pInfo->m_bPreview) {
        if (!pDC->IsPrinting()) {
            const CPoint pos = GetDeviceScrollPosition();
            pDC->SetViewportOrg(-pos.x, -pos.y);
        }
    }
    CView::OnPrepareDC(pDC, pInfo);
}

void CScrollView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateBars();
}

void CScrollView::UpdateBars()
{
    auto set = [this](int nBar, int total, int page) {
        SCROLLINFO info {};
        info.cbSize = sizeof info;
        info.fMask = SIF_RANGE | SIF_PAGE;
        info.nMin = 0;
        info.nMax = total > page ? total - 1 : 0;
        info.nPage = static_cast<UINT>(total > page ? page : 0);
        SetScrollInfo(nBar, &info, TRUE);
    };
    // A bar that comes or goes changes the client area the other bar's page is: set both again until
    // the area stays (twice at most, as each bar only ever appears once).
    CRect client;
    GetClientRect(&client);
    for (int pass = 0; pass < 3; ++pass) {
        set(SB_HORZ, m_totalDev.cx, client.Width());
        set(SB_VERT, m_totalDev.cy, client.Height());
        CRect now;
        GetClientRect(&now);
        if (now == client)
            break;
        client = now;
    }
}

int CScrollView::ScrollTarget(int nBar, UINT nSBCode, UINT nPos) const
{
    const int pos = GetScrollPos(nBar);
    const int page = nBar == SB_HORZ ? m_pageDev.cx : m_pageDev.cy;
    const int line = nBar == SB_HORZ ? m_lineDev.cx : m_lineDev.cy;
    switch (nSBCode) {
    case SB_TOP: return 0;
    case SB_BOTTOM: return nBar == SB_HORZ ? m_totalDev.cx : m_totalDev.cy;
    case SB_LINEUP: return pos - line;
    case SB_LINEDOWN: return pos + line;
    case SB_PAGEUP: return pos - page;
    case SB_PAGEDOWN: return pos + page;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: return static_cast<int>(nPos);
    default: return pos;
    }
}

void CScrollView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollToDevicePosition(CPoint(ScrollTarget(SB_HORZ, nSBCode, nPos), GetScrollPos(SB_VERT)));
}

void CScrollView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    ScrollToDevicePosition(CPoint(GetScrollPos(SB_HORZ), ScrollTarget(SB_VERT, nSBCode, nPos)));
}

void CScrollView::ScrollToDevicePosition(CPoint pt)
{
    CRect client;
    GetClientRect(&client);
    const CPoint old = GetDeviceScrollPosition();
    pt.x = std::clamp(pt.x, 0, std::max(0, m_totalDev.cx - client.Width()));
    pt.y = std::clamp(pt.y, 0, std::max(0, m_totalDev.cy - client.Height()));
    SetScrollPos(SB_HORZ, pt.x);
    SetScrollPos(SB_VERT, pt.y);
    if (pt != old)
        ScrollWindow(old.x - pt.x, old.y - pt.y);
}
