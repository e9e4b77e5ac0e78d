#include "platform/afx/CRectTracker.h"

#include "platform/afx/CBrush.h"
#include "platform/afx/CPen.h"
#include "platform/afx/CWnd.h"

namespace {

// The handles in TrackerHit order as fractions of the rectangle: 0 left/top, 1 middle, 2 right/bottom.
constexpr int kHandleX[8] = { 0, 2, 2, 0, 1, 2, 1, 0 };
constexpr int kHandleY[8] = { 0, 0, 2, 2, 0, 1, 2, 1 };

// The cursor each handle shows; the middle moves.
LPCSTR CursorFor(int hit)
{
    switch (hit) {
    case CRectTracker::hitTopLeft:
    case CRectTracker::hitBottomRight:
        return IDC_SIZENWSE;
    case CRectTracker::hitTopRight:
    case CRectTracker::hitBottomLeft:
        return IDC_SIZENESW;
    case CRectTracker::hitTop:
    case CRectTracker::hitBottom:
        return IDC_SIZENS;
    case CRectTracker::hitLeft:
    case CRectTracker::hitRight:
        return IDC_SIZEWE;
    default:
        return IDC_SIZEALL;
    }
}

CRect Normalized(const CRect& rect)
{
    CRect out = rect;
    out.NormalizeRect();
    return out;
}

} // namespace

CRectTracker::CRectTracker(LPCRECT lpSrcRect, UINT nStyle)
    : m_rect(*lpSrcRect)
    , m_nStyle(nStyle)
{
}

int CRectTracker::GetHandleSize(LPCRECT lpRect) const
{
    const CRect rect = Normalized(lpRect ? CRect(*lpRect) : m_rect);
    int size = m_nHandleSize;
    // Handles inside a small rectangle shrink so that they do not cover it.
    if (!(m_nStyle & resizeOutside)) {
        size = std::min(size, std::max(1, rect.Width() / 4));
        size = std::min(size, std::max(1, rect.Height() / 4));
    }
    return size;
}

UINT CRectTracker::GetHandleMask() const
{
    UINT mask = 0x0F;
    const CRect rect = Normalized(m_rect);
    const int size = m_nHandleSize * 3;
    if (rect.Width() > size)
        mask |= (1U << hitTop) | (1U << hitBottom);
    if (rect.Height() > size)
        mask |= (1U << hitLeft) | (1U << hitRight);
    return mask;
}

void CRectTracker::GetHandleRect(int nHandle, CRect* pHandleRect) const
{
    const CRect rect = Normalized(m_rect);
    const int size = GetHandleSize();
    // Handles sit just outside the rectangle (resizeOutside) or just inside it.
    const int outside = (m_nStyle & resizeOutside) ? size : 0;
    const int xs[3] = { rect.left - outside, rect.left + (rect.Width() - size) / 2, rect.right - size + outside };
    const int ys[3] = { rect.top - outside, rect.top + (rect.Height() - size) / 2, rect.bottom - size + outside };
    const int h = NormalizeHit(nHandle);
    const int x = xs[kHandleX[h]];
    const int y = ys[kHandleY[h]];
    pHandleRect->SetRect(x, y, x + size, y + size);
}

int CRectTracker::NormalizeHit(int nHandle) const
{
    if (nHandle < hitTopLeft || nHandle >= hitMiddle)
        return nHandle;
    // An inverted rectangle swaps its handles left for right and top for bottom.
    static constexpr int kFlipX[8] = { hitTopRight, hitTopLeft, hitBottomLeft, hitBottomRight, hitTop, hitLeft,
        hitBottom, hitRight };
    static constexpr int kFlipY[8] = { hitBottomLeft, hitBottomRight, hitTopRight, hitTopLeft, hitBottom, hitRight,
        hitTop, hitLeft };
    if (m_rect.Width() < 0)
        nHandle = kFlipX[nHandle];
    if (m_rect.Height() < 0)
        nHandle = kFlipY[nHandle];
    return nHandle;
}

void CRectTracker::GetTrueRect(LPRECT lpTrueRect) const
{
    CRect rect = Normalized(m_rect);
    if (m_nStyle & (resizeOutside | hatchedBorder))
        rect.InflateRect(GetHandleSize(), GetHandleSize());
    *lpTrueRect = rect;
}

int CRectTracker::HitTestHandles(CPoint point) const
{
    if (m_nStyle & (resizeInside | resizeOutside)) {
        const UINT mask = GetHandleMask();
        for (int i = hitTopLeft; i < hitMiddle; ++i) {
            CRect handle;
            GetHandleRect(i, &handle);
            if ((mask & (1U << i)) && handle.PtInRect(point))
                return i;
        }
    }
    CRect rect;
    GetTrueRect(&rect);
    return rect.PtInRect(point) ? static_cast<int>(hitMiddle) : static_cast<int>(hitNothing);
}

int CRectTracker::HitTest(CPoint point) const
{
    CRect rect;
    GetTrueRect(&rect);
    if (!rect.PtInRect(point))
        return hitNothing;
    const int hit = HitTestHandles(point);
    return hit == hitMiddle || hit == hitNothing ? hit : NormalizeHit(hit);
}

void CRectTracker::Draw(CDC* pDC) const
{
    const int saved = pDC->SaveDC();
    const CRect rect = Normalized(m_rect);
    pDC->SetBkMode(TRANSPARENT);
    if (m_nStyle & (solidLine | dottedLine)) {
        CPen pen(m_nStyle & dottedLine ? PS_DOT : PS_SOLID, 0, RGB(0, 0, 0));
        CPen* oldPen = pDC->SelectObject(&pen);
        CGdiObject* oldBrush = pDC->SelectStockObject(NULL_BRUSH);
        pDC->Rectangle(rect.left, rect.top, rect.right + 1, rect.bottom + 1);
        pDC->SelectObject(oldPen);
        pDC->SelectObject(oldBrush);
    }
    const int size = GetHandleSize();
    if (m_nStyle & (hatchInside | hatchedBorder)) {
        CBrush hatch;
        hatch.CreateHatchBrush(HS_BDIAGONAL, RGB(0, 0, 0));
        if (m_nStyle & hatchInside)
            pDC->FillRect(rect, &hatch);
        if (m_nStyle & hatchedBorder) {
            CRect outer = rect;
            outer.InflateRect(size, size);
            for (const CRect& side : { CRect(outer.left, outer.top, outer.right, rect.top),
                     CRect(outer.left, rect.bottom, outer.right, outer.bottom),
                     CRect(outer.left, rect.top, rect.left, rect.bottom),
                     CRect(rect.right, rect.top, outer.right, rect.bottom) })
                pDC->FillRect(side, &hatch);
        }
    }
    if (m_nStyle & (resizeInside | resizeOutside)) {
        const UINT mask = GetHandleMask();
        for (int i = hitTopLeft; i < hitMiddle; ++i) {
            if (!(mask & (1U << i)))
                continue;
            CRect handle;
            GetHandleRect(i, &handle);
            pDC->FillSolidRect(handle, RGB(0, 0, 0));
        }
    }
    pDC->RestoreDC(saved);
}

BOOL CRectTracker::SetCursor(CWnd* pWnd, UINT nHitTest) const
{
    if (nHitTest != HTCLIENT || !pWnd)
        return FALSE;
    CPoint point;
    ::GetCursorPos(&point);
    pWnd->ScreenToClient(&point);
    const int hit = HitTest(point);
    if (hit == hitNothing)
        return FALSE;
    ::SetCursor(::LoadCursor(nullptr, CursorFor(hit)));
    return TRUE;
}

void CRectTracker::AdjustRect(int nHandle, LPRECT lpRect)
{
    if (nHandle == hitMiddle)
        return;
    // Keep the minimum size by moving the side the handle drags.
    CRect& rect = *static_cast<CRect*>(lpRect);
    LONG* px = nullptr;
    LONG* py = nullptr;
    GetModifyPointers(nHandle, &px, &py);
    if (px && std::abs(rect.Width()) < m_sizeMin.cx) {
        const int sign = rect.Width() < 0 ? -1 : 1;
        if (px == &rect.left)
            rect.left = rect.right - sign * m_sizeMin.cx;
        else
            rect.right = rect.left + sign * m_sizeMin.cx;
    }
    if (py && std::abs(rect.Height()) < m_sizeMin.cy) {
        const int sign = rect.Height() < 0 ? -1 : 1;
        if (py == &rect.top)
            rect.top = rect.bottom - sign * m_sizeMin.cy;
        else
            rect.bottom = rect.top + sign * m_sizeMin.cy;
    }
}

void CRectTracker::GetModifyPointers(int nHandle, LONG** ppx, LONG** ppy)
{
    switch (nHandle) {
    case hitTopLeft:
        *ppx = &m_rect.left;
        *ppy = &m_rect.top;
        break;
    case hitTopRight:
        *ppx = &m_rect.right;
        *ppy = &m_rect.top;
        break;
    case hitBottomRight:
        *ppx = &m_rect.right;
        *ppy = &m_rect.bottom;
        break;
    case hitBottomLeft:
        *ppx = &m_rect.left;
        *ppy = &m_rect.bottom;
        break;
    case hitTop:
        *ppy = &m_rect.top;
        break;
    case hitBottom:
        *ppy = &m_rect.bottom;
        break;
    case hitLeft:
        *ppx = &m_rect.left;
        break;
    case hitRight:
        *ppx = &m_rect.right;
        break;
    default:
        break;
    }
}

void CRectTracker::DrawTrackerRect(LPCRECT lpRect, CWnd* pWndClipTo, CDC* pDC, CWnd* pWnd)
{
    CRect rect = Normalized(CRect(*lpRect));
    if (pWndClipTo) {
        pWnd->ClientToScreen(&rect);
        pWndClipTo->ScreenToClient(&rect);
    }
    CSize size(0, 0);
    if (!m_bFinalErase) {
        // Thicker outlines for hatched borders, as the rectangle shows there.
        const int thick = (m_nStyle & hatchedBorder) ? std::max(1, GetHandleSize() - 1) : 1;
        size.cx = size.cy = thick;
        rect.InflateRect(size);
    }
    pDC->DrawDragRect(rect, size, m_bErase ? &m_rectLast : nullptr, m_sizeLast);
    m_rectLast = rect;
    m_sizeLast = size;
}

BOOL CRectTracker::Track(CWnd* pWnd, CPoint point, BOOL bAllowInvert, CWnd* pWndClipTo)
{
    const int hit = HitTest(point);
    if (hit < 0)
        return FALSE;
    m_bAllowInvert = bAllowInvert;
    return TrackHandle(hit, pWnd, point, pWndClipTo);
}

BOOL CRectTracker::TrackRubberBand(CWnd* pWnd, CPoint point, BOOL bAllowInvert)
{
    m_bAllowInvert = bAllowInvert;
    m_rect.SetRect(point.x, point.y, point.x, point.y);
    return TrackHandle(hitBottomRight, pWnd, point, nullptr);
}

BOOL CRectTracker::TrackHandle(int nHandle, CWnd* pWnd, CPoint point, CWnd* pWndClipTo)
{
    // Another loop holds the mouse: tracking cannot start.
    if (!pWnd || ::GetCapture() != nullptr)
        return FALSE;
    pWnd->SetCapture();
    pWnd->UpdateWindow();

    const CRect rectSave = m_rect;
    LONG* px = nullptr;
    LONG* py = nullptr;
    GetModifyPointers(nHandle, &px, &py);
    // The offset between the pointer and the edges it drags, so the rectangle does not jump.
    const int xDiff = px ? point.x - *px : point.x - m_rect.left;
    const int yDiff = py ? point.y - *py : point.y - m_rect.top;
    const CSize extent = m_rect.Size();

    HWND clip = pWndClipTo ? pWndClipTo->GetSafeHwnd() : pWnd->GetSafeHwnd();
    HDC hdc = ::GetDCEx(clip, nullptr, DCX_CACHE);
    CDC dc;
    dc.Attach(hdc);
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    bool drawn = false;
    bool moved = false;
    bool cancelled = false;

    for (;;) {
        MSG msg;
        if (!::GetMessage(&msg, nullptr, 0, 0)) {
            // The loop that owns the quit message must still see it.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            cancelled = true;
            break;
        }
        if (::GetCapture() != pWnd->GetSafeHwnd()) {
            cancelled = true;
            break;
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
            cancelled = true;
            break;
        }
        if (msg.message == WM_RBUTTONDOWN) {
            cancelled = true;
            break;
        }
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_LBUTTONUP) {
            ::DispatchMessage(&msg);
            continue;
        }
        const CRect rectOld = m_rect;
        const CPoint at(GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam));
        if (nHandle == hitMiddle) {
            m_rect.left = at.x - xDiff;
            m_rect.top = at.y - yDiff;
            m_rect.right = m_rect.left + extent.cx;
            m_rect.bottom = m_rect.top + extent.cy;
        } else {
            if (px)
                *px = at.x - xDiff;
            if (py)
                *py = at.y - yDiff;
        }
        if (!m_bAllowInvert) {
            // Without inversion a side stops at the opposite one.
            if (px && m_rect.Width() < 0)
                *px = px == &m_rect.left ? m_rect.right : m_rect.left;
            if (py && m_rect.Height() < 0)
                *py = py == &m_rect.top ? m_rect.bottom : m_rect.top;
        }
        AdjustRect(nHandle, &m_rect);
        if (m_rect != rectOld || !drawn) {
            moved = moved || m_rect != rectSave;
            DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
            m_bErase = TRUE;
            drawn = true;
            OnChangedRect(rectOld);
        }
        if (msg.message == WM_LBUTTONUP)
            break;
    }

    if (drawn) {
        m_bFinalErase = TRUE;
        DrawTrackerRect(&m_rect, pWndClipTo, &dc, pWnd);
    }
    m_bErase = FALSE;
    m_bFinalErase = FALSE;
    ::ReleaseDC(clip, dc.Detach());
    if (::GetCapture() == pWnd->GetSafeHwnd())
        ::ReleaseCapture();
    if (cancelled) {
        m_rect = rectSave;
        return FALSE;
    }
    return moved && m_rect != rectSave;
}
