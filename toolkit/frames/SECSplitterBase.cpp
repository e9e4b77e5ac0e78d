#include "toolkit/frames/SECSplitterBase.h"

#include <algorithm>
#include <cstdlib>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/AfxState.h"
#include "platform/afx/CDC.h"
#include "platform/afx/CPaintDC.h"
#include "toolkit/frames/SECDisplayCache.h"
#include "toolkit/frames/SECTrackLoop.h"

BEGIN_MESSAGE_MAP(SECSplitterBase, CWnd)
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

// The tracking cursors, loaded once for all splitters: over the vertical bar, the horizontal bar and
// their crossing.
struct SplitterCursors {
    HCURSOR hVertical { nullptr };
    HCURSOR hHorizontal { nullptr };
    HCURSOR hCrossing { nullptr };
};

HCURSOR LoadTrackingCursor(UINT nID, LPCTSTR lpszFallback)
{
    HCURSOR hCursor = ::LoadCursor(AfxFindResourceHandle(MAKEINTRESOURCE(nID), RT_CURSOR), MAKEINTRESOURCE(nID));
    return hCursor ? hCursor : ::LoadCursor(nullptr, lpszFallback);
}

const SplitterCursors& Cursors()
{
    static const SplitterCursors cursors { LoadTrackingCursor(AFX_IDC_HSPLITBAR, IDC_SIZEWE),
        LoadTrackingCursor(AFX_IDC_VSPLITBAR, IDC_SIZENS), LoadTrackingCursor(AFX_IDC_SMALLARROWS, IDC_SIZEALL) };
    return cursors;
}

// Keeps v within [lo, hi], preferring lo when the range is empty (an area thinner than a bar).
int ClampTo(int v, int lo, int hi) { return std::max(lo, std::min(v, hi)); }

BOOL SameRect(const RECT& a, const RECT& b) { return ::EqualRect(&a, &b); }

} // namespace

SECSplitterBase::SECSplitterBase() { Cursors(); }

BOOL SECSplitterBase::Create(CWnd* pParent, int left, int top, int right, int bottom, DWORD dwStyle, UINT nID,
    DWORD dwFlags)
{
    m_rcArea = { left, top, right, bottom };
    m_dwFlags = dwFlags;
    afx::RegisterStandardClass(AFX_WND);
    return CWnd::Create(AFX_WND, "Splitter", dwStyle, m_rcArea, pParent, nID);
}

void SECSplitterBase::SetSplitPosition(int x, int y)
{
    m_nSplitX = x;
    m_nSplitY = y;
    ComputeBarRects(m_nSplitX, m_nSplitY, &m_rcHorz, &m_rcVert);
    UpdateHitRects();
    LayoutPanes();
}

BOOL SECSplitterBase::AddPane(int nRow, int nCol) { return SetPanePresent(nRow, nCol, TRUE); }

BOOL SECSplitterBase::RemovePane(int nRow, int nCol) { return SetPanePresent(nRow, nCol, FALSE); }

BOOL SECSplitterBase::SetPanePresent(int nRow, int nCol, BOOL bPresent)
{
    if (nRow >= 3 || nCol >= 3 || nRow < 0 || nCol < 0)
        return FALSE;
    m_bPane[(nRow ? 2 : 0) + (nCol ? 1 : 0)] = bPresent;
    ComputeBarKinds();
    RecalcBars();
    return TRUE;
}

void SECSplitterBase::BarKindsFor(const BOOL bPresent[4], BOOL bHorizontalWins, int& nHorzKind, int& nVertKind)
{
    const int nCount = !!bPresent[0] + !!bPresent[1] + !!bPresent[2] + !!bPresent[3];
    nHorzKind = NoBar;
    nVertKind = NoBar;
    if (nCount == 2) {
        // Panes above one another (one column) need the horizontal bar; any other pair the vertical one.
        const BOOL bOneColumn = (bPresent[0] && bPresent[2]) || (bPresent[1] && bPresent[3]);
        (bOneColumn ? nHorzKind : nVertKind) = Across;
    } else if (nCount == 4) {
        nHorzKind = nVertKind = Across;
    } else if (nCount == 3) {
        const BOOL bMissingTop = !bPresent[0] || !bPresent[1];
        const BOOL bMissingLeft = !bPresent[0] || !bPresent[2];
        if (bHorizontalWins) {
            // The horizontal bar runs through; the vertical one only where the two panes sit side by side.
            nHorzKind = Across;
            nVertKind = bMissingTop ? FromCrossing : ToCrossing;
        } else {
            nVertKind = Across;
            nHorzKind = bMissingLeft ? FromCrossing : ToCrossing;
        }
    }
}

void SECSplitterBase::ComputeBarKinds()
{
    BarKindsFor(m_bPane, (m_dwFlags & HorizontalWins) != 0, m_nHorzKind, m_nVertKind);
}

void SECSplitterBase::GetTrackingLimits(RECT* pLimits)
{
    const int w = GetBarWidth();
    *pLimits = { std::max<int>(m_rcArea.left, 0), std::max<int>(m_rcArea.top, 0),
        std::max<int>(m_rcArea.right - w, 0), std::max<int>(m_rcArea.bottom - w, 0) };
}

void SECSplitterBase::ComputeBarRects(int& x, int& y, RECT* pHorz, RECT* pVert)
{
    ComputeBarRectsAt(x, y, pHorz, pVert);
}

void SECSplitterBase::ComputeBarRectsAt(int& x, int& y, RECT* pHorz, RECT* pVert)
{
    RECT lim {};
    GetTrackingLimits(&lim);
    const int w = GetBarWidth();
    const int X = ClampTo(m_rcArea.left + x, lim.left, lim.right);
    const int Y = ClampTo(m_rcArea.top + y, lim.top, lim.bottom);
    x = X - m_rcArea.left;
    y = Y - m_rcArea.top;
    auto span = [w](int kind, int at, int lo, int hi, LONG& from, LONG& to) {
        switch (kind) {
        case ToCrossing:
            from = lo;
            to = at + w;
            break;
        case FromCrossing:
            from = at;
            to = hi + w;
            break;
        case Across:
            from = lo;
            to = hi + w;
            break;
        default:
            from = to = lo;
            break;
        }
    };
    pHorz->top = Y;
    pHorz->bottom = Y + w;
    span(m_nHorzKind, X, lim.left, lim.right, pHorz->left, pHorz->right);
    pVert->left = X;
    pVert->right = X + w;
    span(m_nVertKind, Y, lim.top, lim.bottom, pVert->top, pVert->bottom);
}

void SECSplitterBase::UpdateHitRects()
{
    m_rcHorzHit = m_rcHorz;
    m_rcVertHit = m_rcVert;
    ::OffsetRect(&m_rcHorzHit, -m_rcArea.left, -m_rcArea.top);
    ::OffsetRect(&m_rcVertHit, -m_rcArea.left, -m_rcArea.top);
}

void SECSplitterBase::RecalcBars()
{
    RECT rcHorz {};
    RECT rcVert {};
    ComputeBarRects(m_nSplitX, m_nSplitY, &rcHorz, &rcVert);
    const BOOL bChanged = ApplyBarRect(rcHorz, TRUE) | ApplyBarRect(rcVert, FALSE);
    UpdateHitRects();
    if (bChanged)
        LayoutPanes();
}

BOOL SECSplitterBase::ApplyBarRect(const RECT& rect, BOOL bHorizontal)
{
    RECT& bar = bHorizontal ? m_rcHorz : m_rcVert;
    if (SameRect(bar, rect))
        return FALSE;
    InvalidateAlongBar(bar, rect);
    bar = rect;
    (bHorizontal ? m_nSplitY : m_nSplitX) = bHorizontal ? rect.top - m_rcArea.top : rect.left - m_rcArea.left;
    return TRUE;
}

void SECSplitterBase::InvalidateAlongBar(const RECT& rcOld, const RECT& rcNew)
{
    InvalidateArea(rcOld);
    InvalidateArea(rcNew);
}

void SECSplitterBase::InvalidateArea(const RECT& rect)
{
    if (!m_hWnd || ::IsRectEmpty(&rect))
        return;
    RECT rc = rect;
    ::OffsetRect(&rc, -m_rcArea.left, -m_rcArea.top);
    ::InvalidateRect(m_hWnd, &rc, TRUE);
}

void SECSplitterBase::HitTest(int x, int y, BOOL& bInHorizontal, BOOL& bInVertical)
{
    const POINT pt { x, y };
    bInHorizontal = ::PtInRect(&m_rcHorzHit, pt);
    bInVertical = ::PtInRect(&m_rcVertHit, pt);
}

void SECSplitterBase::ComputePaneRects(const RECT& I, const RECT& h, const RECT& v, int nHorzKind, int nVertKind,
    const BOOL bPresent[4], SECSplitterPaneInfo& info)
{
    auto is = [](int kind, int a, int b) { return kind == a || kind == b; };
    const RECT panes[4] = {
        { I.left, I.top, is(nVertKind, 1, 3) ? I.right : v.left, is(nHorzKind, 1, 3) ? I.bottom : h.top },
        { is(nVertKind, 1, 3) ? I.left : v.right, I.top, I.right, is(nHorzKind, 0, 3) ? I.bottom : h.top },
        { I.left, is(nHorzKind, 1, 3) ? I.top : h.bottom, is(nVertKind, 0, 3) ? I.right : v.left, I.bottom },
        { is(nVertKind, 0, 3) ? I.left : v.right, is(nHorzKind, 0, 3) ? I.top : h.bottom, I.right, I.bottom },
    };
    for (int i = 0; i < 4; ++i)
        info.SetPane(i, bPresent[i] ? &panes[i] : nullptr);
}

void SECSplitterBase::RecalcPanes(const RECT& rcHorz, const RECT& rcVert)
{
    SECSplitterPaneInfo info;
    ComputePaneRects(m_rcArea, rcHorz, rcVert, m_nHorzKind, m_nVertKind, m_bPane, info);
    ApplyPaneRects(info);
}

void SECSplitterBase::LayoutPanes() { RecalcPanes(m_rcHorz, m_rcVert); }

void SECSplitterBase::FlushPaints()
{
    MSG msg {};
    while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
        ::DispatchMessage(&msg);
}

// --- drawing

void SECSplitterBase::DrawBars(CDC* pDC)
{
    if (GetBarStyle() != 2)
        return;
    // The bar that stops at the crossing is drawn first so the one going through keeps its lines.
    RECT h = m_rcHorzHit;
    RECT v = m_rcVertHit;
    if (m_nHorzKind == Across) {
        if (!::IsRectEmpty(&v))
            DrawVerticalBar3D(pDC, v);
        if (!::IsRectEmpty(&h))
            DrawHorizontalBar3D(pDC, h);
    } else {
        if (!::IsRectEmpty(&h))
            DrawHorizontalBar3D(pDC, h);
        if (!::IsRectEmpty(&v))
            DrawVerticalBar3D(pDC, v);
    }
}

void SECSplitterBase::DrawHorizontalBar3D(CDC* pDC, const RECT& r)
{
    const SECDisplayCache& colours = displayCache();
    const int cx = r.right - r.left;
    const int cy = r.bottom - r.top;
    pDC->FillSolidRect(&r, colours.m_clrBtnFace);
    if (cy <= 0)
        return;
    pDC->FillSolidRect(r.left, r.top, cx, 1, colours.m_clrBtnHilite);
    if (cy > 2)
        pDC->FillSolidRect(r.left, r.bottom - 2, cx, 1, colours.m_clrBtnShadow);
    if (cy > 1)
        pDC->FillSolidRect(r.left, r.bottom - 1, cx, 1, colours.m_clrWindowFrame);
}

void SECSplitterBase::DrawVerticalBar3D(CDC* pDC, const RECT& r)
{
    const SECDisplayCache& colours = displayCache();
    const int cx = r.right - r.left;
    const int cy = r.bottom - r.top;
    pDC->FillSolidRect(&r, colours.m_clrBtnFace);
    if (cx <= 0)
        return;
    pDC->FillSolidRect(r.left, r.top, 1, cy, colours.m_clrBtnHilite);
    if (cx > 2)
        pDC->FillSolidRect(r.right - 2, r.top, 1, cy, colours.m_clrBtnShadow);
    if (cx > 1)
        pDC->FillSolidRect(r.right - 1, r.top, 1, cy, colours.m_clrWindowFrame);
}

void SECSplitterBase::DrawHorizontalBarFlat(CDC* pDC, const RECT& rect) { FillBar(pDC, rect); }

void SECSplitterBase::DrawVerticalBarFlat(CDC* pDC, const RECT& rect) { FillBar(pDC, rect); }

void SECSplitterBase::FillBar(CDC* pDC, const RECT& rect) { pDC->FillSolidRect(&rect, displayCache().m_clrBtnFace); }

// --- messages

BOOL SECSplitterBase::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    // The mouse-move handler chose the cursor over the bars; the default would put the class arrow back.
    if (pWnd == this && nHitTest == HTCLIENT)
        return TRUE;
    return CWnd::OnSetCursor(pWnd, nHitTest, message);
}

void SECSplitterBase::OnMouseMove(UINT nFlags, CPoint point)
{
    BOOL bHorz = FALSE;
    BOOL bVert = FALSE;
    HitTest(point.x, point.y, bHorz, bVert);
    const SplitterCursors& cursors = Cursors();
    ::SetCursor(bHorz && bVert ? cursors.hCrossing
            : bHorz            ? cursors.hHorizontal
            : bVert            ? cursors.hVertical
                               : ::LoadCursor(nullptr, IDC_ARROW));
    CWnd::OnMouseMove(nFlags, point);
}

void SECSplitterBase::OnLButtonDown(UINT nFlags, CPoint point)
{
    BOOL bHorz = FALSE;
    BOOL bVert = FALSE;
    HitTest(point.x, point.y, bHorz, bVert);
    if (bHorz || bVert) {
        StartTracking(point.x, point.y, bHorz, bVert);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void SECSplitterBase::OnPaint()
{
    CPaintDC dc(this);
    if (IsPaintAllowed(&dc))
        DrawBars(&dc);
}

// --- tracking

void SECSplitterBase::StartTracking(int x, int y, BOOL bHorizontal, BOOL bVertical)
{
    if (m_bTracking || !MayStartTracking())
        return;
    (void)x;
    (void)y;
    m_bTracking = TRUE;
    m_bGhostDrawn[0] = m_bGhostDrawn[1] = FALSE;
    SIZE distance = Track(bHorizontal, bVertical);
    m_bTracking = FALSE;
    if (distance.cx == 0 && distance.cy == 0)
        return;
    m_nSplitX += distance.cx;
    m_nSplitY += distance.cy;
    RECT rcHorz {};
    RECT rcVert {};
    ComputeBarRects(m_nSplitX, m_nSplitY, &rcHorz, &rcVert);
    const BOOL bChanged = ApplyBarRect(rcHorz, TRUE) | ApplyBarRect(rcVert, FALSE);
    UpdateHitRects();
    if (bChanged) {
        LayoutPanes();
        OnSplitterMoved(distance.cx, distance.cy);
    }
}

SIZE SECSplitterBase::Track(BOOL bHorizontal, BOOL bVertical)
{
    SIZE distance {};
    if (::GetCapture() != nullptr || !m_hWnd)
        return distance;
    ::SetCapture(m_hWnd);
    UpdateWindow();
    HDC hDC = GetTrackingDC();
    const RECT rcStartHorz = m_rcHorz;
    const RECT rcStartVert = m_rcVert;
    const int nStartX = m_nSplitX;
    const int nStartY = m_nSplitY;
    m_rcTrackHorz = m_rcHorz;
    m_rcTrackVert = m_rcVert;
    const BOOL bLive = (m_dwFlags & LiveTracking) != 0;
    m_sizeLiveMoved = {};
    if (!bLive) {
        if (bHorizontal)
            DrawGhostBar(hDC, m_rcTrackHorz, TRUE, FALSE);
        if (bVertical)
            DrawGhostBar(hDC, m_rcTrackVert, FALSE, FALSE);
    }
    const BOOL bDropped = TrackingLoop(hDC, bHorizontal, bVertical);
    if (!bLive) {
        if (m_bGhostDrawn[0])
            DrawGhostBar(hDC, m_rcTrackHorz, TRUE, TRUE);
        if (m_bGhostDrawn[1])
            DrawGhostBar(hDC, m_rcTrackVert, FALSE, TRUE);
        if (bDropped) {
            distance.cx = m_rcTrackVert.left - m_rcVert.left;
            distance.cy = m_rcTrackHorz.top - m_rcHorz.top;
            ClampBar(distance.cx, distance.cy);
        }
    } else if (!bDropped && (m_sizeLiveMoved.cx != 0 || m_sizeLiveMoved.cy != 0)) {
        // The panes followed the mouse; put them back where the drag began.
        ApplyBarRect(rcStartHorz, TRUE);
        ApplyBarRect(rcStartVert, FALSE);
        m_nSplitX = nStartX;
        m_nSplitY = nStartY;
        UpdateHitRects();
        LayoutPanes();
        OnSplitterMoved(-m_sizeLiveMoved.cx, -m_sizeLiveMoved.cy);
    }
    m_rcTrackHorz = m_rcHorz;
    m_rcTrackVert = m_rcVert;
    ReleaseTrackingDC(hDC);
    if (::GetCapture() == m_hWnd)
        ::ReleaseCapture();
    return distance;
}

BOOL SECSplitterBase::TrackingLoop(HDC hDC, BOOL bHorizontal, BOOL bVertical)
{
    (void)hDC;
    SECTrackLoop loop(m_hWnd);
    MSG msg {};
    m_bDragHorz = bHorizontal;
    m_bDragVert = bVertical;
    for (;;) {
        // A lost capture, a quitting program, Escape and the right button cancel the drag.
        if (!loop.Next(msg) || SECTrackLoop::IsCancelMessage(msg))
            return FALSE;
        switch (msg.message) {
        case WM_MOUSEMOVE: {
            POINT pt { GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam) };
            if (msg.hwnd != m_hWnd)
                ::MapWindowPoints(msg.hwnd, m_hWnd, &pt, 1);
            MoveTracking(pt.x, pt.y);
            FlushPaints();
            break;
        }
        case WM_LBUTTONUP:
            return TRUE;
        case WM_KEYDOWN:
            break;
        default:
            SECTrackLoop::Dispatch(msg);
            break;
        }
    }
}

void SECSplitterBase::MoveTracking(int x, int y)
{
    const int half = GetBarWidth() / 2;
    int nX = m_bDragVert ? x - half : m_rcTrackVert.left - m_rcArea.left;
    int nY = m_bDragHorz ? y - half : m_rcTrackHorz.top - m_rcArea.top;
    RECT rcHorz {};
    RECT rcVert {};
    ComputeBarRectsAt(nX, nY, &rcHorz, &rcVert);
    const BOOL bHorzChanged = !SameRect(rcHorz, m_rcTrackHorz);
    const BOOL bVertChanged = !SameRect(rcVert, m_rcTrackVert);
    if (!bHorzChanged && !bVertChanged)
        return;
    if (m_dwFlags & LiveTracking) {
        const int dx = rcVert.left - m_rcTrackVert.left;
        const int dy = rcHorz.top - m_rcTrackHorz.top;
        m_rcTrackHorz = rcHorz;
        m_rcTrackVert = rcVert;
        ApplyBarRect(rcHorz, TRUE);
        ApplyBarRect(rcVert, FALSE);
        UpdateHitRects();
        LayoutPanes();
        m_sizeLiveMoved.cx += dx;
        m_sizeLiveMoved.cy += dy;
        OnSplitterMoved(dx, dy);
        return;
    }
    HDC hDC = GetTrackingDC();
    if (bHorzChanged && m_bDragHorz) {
        m_rcTrackHorz = rcHorz;
        DrawGhostBar(hDC, m_rcTrackHorz, TRUE, FALSE);
    }
    if (bVertChanged && m_bDragVert) {
        m_rcTrackVert = rcVert;
        DrawGhostBar(hDC, m_rcTrackVert, FALSE, FALSE);
    }
    ReleaseTrackingDC(hDC);
}

void SECSplitterBase::ClampBar(int& dx, int& dy)
{
    const int w = GetBarWidth();
    const int nWidth = m_rcArea.right - m_rcArea.left;
    const int nHeight = m_rcArea.bottom - m_rcArea.top;
    const int nX = ClampTo(m_nSplitX + dx, 0, std::max(nWidth - w, 0));
    const int nY = ClampTo(m_nSplitY + dy, 0, std::max(nHeight - w, 0));
    dx = nX - m_nSplitX;
    dy = nY - m_nSplitY;
}

HDC SECSplitterBase::GetTrackingDC() { return ::GetDC(m_hWnd); }

void SECSplitterBase::ReleaseTrackingDC(HDC hDC)
{
    if (hDC)
        ::ReleaseDC(m_hWnd, hDC);
}

void SECSplitterBase::DrawGhostBar(HDC hDC, const RECT& bar, BOOL bHorizontal, BOOL bErase)
{
    if (!hDC)
        return;
    const int i = bHorizontal ? 0 : 1;
    RECT rc = bar;
    ::OffsetRect(&rc, -m_rcArea.left, -m_rcArea.top);
    if (bHorizontal)
        ::InflateRect(&rc, 0, -1);
    else
        ::InflateRect(&rc, -1, 0);
    ConvertTrackingRect(rc);
    const int t = GetBarWidth() - 1;
    const SIZE size = bErase ? SIZE {} : (bHorizontal ? SIZE { 0, t } : SIZE { t, 0 });
    CDC* pDC = CDC::FromHandle(hDC);
    pDC->DrawDragRect(&rc, size, m_bGhostDrawn[i] ? &m_rcLastGhost[i] : nullptr, m_sizeLastGhost[i]);
    m_rcLastGhost[i] = rc;
    m_sizeLastGhost[i] = size;
    m_bGhostDrawn[i] = !bErase;
}
