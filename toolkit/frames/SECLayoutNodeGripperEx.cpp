#include "toolkit/frames/SECLayoutNodeGripperEx.h"

#include "platform/afx/CDC.h"
#include "toolkit/frames/SECDisplayCache.h"

#include <algorithm>

BEGIN_MESSAGE_MAP(SECLayoutNodeGripperEx, quorvale::foundation::SECWndListener)
    ON_WM_LBUTTONDOWN()
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

void SECLayoutNodeGripperEx::SetDrawWindow(HWND hWnd)
{
    SECLayoutNodeGripper::SetDrawWindow(hWnd);
    if (IsAttached())
        DetachFromWindow();
    // The listener only borrows the handle, so a window without a permanent object serves as well.
    if (hWnd) {
        CWnd* window = CWnd::FromHandlePermanent(hWnd);
        AttachToWindow(window ? window : CWnd::FromHandle(hWnd));
    }
}

std::unique_ptr<SECGripperMetrics> SECLayoutNodeGripperEx::CreateGripperMetrics()
{
    return std::make_unique<SECGripperMetrics>();
}

std::unique_ptr<SECGripperLayout> SECLayoutNodeGripperEx::CreateGripperLayout()
{
    return std::make_unique<SECGripperLayout>();
}

void SECLayoutNodeGripperEx::CalcDoubleBarMetrics(SECGripperMetrics& m, int nLength, int nThickness, int nSide)
{
    SECLayoutNodeGripper::CalcDoubleBarMetrics(m, nLength, nThickness, nSide);
    m.m_nExpandGap = 1;
    m.m_nCloseGap = 2;
    m.m_nSavedInset = m.m_nButtonInset;
    m.m_nButtonSize = 11;
    m.m_nExpandLength = m_bShowExpand ? 11 : 0;
    if (!m_bShowExpand)
        m.m_nExpandGap = 0;
    m.m_nCloseLength = m_bShowClose ? 11 : 0;
    if (!m_bShowClose)
        m.m_nCloseGap = 0;
    m.m_nSpaceAfterButtons = std::max(0, (nThickness - 11) / 2);
    m.m_nButtonOffset = (nThickness - 11) % 2 + m.m_nSpaceAfterButtons;
    m.m_nButtonInset += m.m_nExpandLength + m.m_nExpandGap + m.m_nCloseLength + m.m_nCloseGap;
}

void SECLayoutNodeGripperEx::LayoutVerticalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout)
{
    SECLayoutNodeGripper::LayoutVerticalGripper(strip, m, layout);
    const LONG left = strip.left + m.m_nButtonOffset;
    const LONG closeTop = strip.top + m.m_nSavedInset;
    layout.m_rcClose = { left, closeTop, left + 11, closeTop + m.m_nCloseLength };
    const LONG expandTop = closeTop + m.m_nCloseLength + m.m_nCloseGap;
    layout.m_rcExpand = { left, expandTop, left + 11, expandTop + m.m_nExpandLength };
    if (m_bShowExpand) {
        --layout.m_rcExpand.left;
        --layout.m_rcExpand.top;
    }
    if (m_bShowExpand || m_bShowClose) {
        ++layout.m_rcBar1.top;
        ++layout.m_rcBar2.top;
    }
}

void SECLayoutNodeGripperEx::LayoutHorizontalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout)
{
    SECLayoutNodeGripper::LayoutHorizontalGripper(strip, m, layout);
    const LONG top = strip.top + m.m_nButtonOffset;
    const LONG closeRight = strip.right - m.m_nSavedInset;
    layout.m_rcClose = { closeRight - m.m_nCloseLength, top, closeRight, top + 11 };
    const LONG expandLeft = closeRight - m.m_nCloseLength - m.m_nCloseGap - m.m_nExpandLength;
    layout.m_rcExpand = { expandLeft, top, expandLeft + m.m_nExpandLength, top + 11 };
    if (m_bShowExpand) {
        --layout.m_rcExpand.left;
        --layout.m_rcExpand.top;
    }
    if (m_bShowExpand || m_bShowClose) {
        --layout.m_rcBar1.right;
        --layout.m_rcBar2.right;
    }
}

void SECLayoutNodeGripperEx::DrawGripper(HDC hDC, const RECT& strip, int nSide, const SECGripperLayout& layout)
{
    SECLayoutNodeGripper::DrawGripper(hDC, strip, nSide, layout);
    CDC* dc = CDC::FromHandle(hDC);
    RECT rc {};
    if (m_bShowClose && ::IntersectRect(&rc, &layout.m_rcClose, &strip))
        dc->DrawFrameControl(&rc, DFC_CAPTION, DFCS_CAPTIONCLOSE | GetCloseButtonState());
    if (m_bShowExpand && ::IntersectRect(&rc, &layout.m_rcExpand, &strip)) {
        dc->DrawFrameControl(&rc, DFC_SCROLL, GetExpandButtonState(nSide));
        // The scroll glyph's outer corners would stand out against the strip.
        const COLORREF face = displayCache().m_clrBtnFace;
        const COLORREF highlight = displayCache().m_clrBtnHilite;
        dc->SetPixel(rc.right - 1, rc.top, face);
        dc->SetPixel(rc.left, rc.bottom - 1, face);
        dc->SetPixel(rc.right - 2, rc.top + 1, highlight);
        dc->SetPixel(rc.left + 1, rc.bottom - 2, highlight);
    }
}

UINT SECLayoutNodeGripperEx::GetExpandButtonState(int nSide)
{
    UINT state = 0;
    if (IsVerticalSide(nSide))
        state = m_bExpanded ? DFCS_SCROLLLEFT : DFCS_SCROLLRIGHT;
    else
        state = m_bExpanded ? DFCS_SCROLLUP : DFCS_SCROLLDOWN;
    if (!m_bExpandEnabled)
        state |= DFCS_INACTIVE;
    if (m_bExpandPressed)
        state |= DFCS_PUSHED;
    return state;
}

UINT SECLayoutNodeGripperEx::GetCloseButtonState() { return m_bClosePressed ? DFCS_PUSHED : 0; }

BOOL SECLayoutNodeGripperEx::GetCloseButtonRect(RECT& rect)
{
    if (!GetGripperLayout())
        return FALSE;
    rect = GetGripperLayout()->m_rcClose;
    return TRUE;
}

BOOL SECLayoutNodeGripperEx::GetExpandButtonRect(RECT& rect)
{
    if (!GetGripperLayout())
        return FALSE;
    rect = GetGripperLayout()->m_rcExpand;
    return TRUE;
}

BOOL SECLayoutNodeGripperEx::HitButton(BOOL bClose, CPoint point)
{
    RECT rc {};
    if (!(bClose ? GetCloseButtonRect(rc) : GetExpandButtonRect(rc)))
        return FALSE;
    const POINT offset = GetDrawOffset();
    const POINT node { point.x + offset.x, point.y + offset.y };
    return ::PtInRect(&rc, node);
}

void SECLayoutNodeGripperEx::InvalidateButton(BOOL bClose)
{
    RECT rc {};
    if (bClose ? GetCloseButtonRect(rc) : GetExpandButtonRect(rc))
        InvalidateNodeRect(rc, TRUE);
}

void SECLayoutNodeGripperEx::TrackButton(BOOL bClose, BOOL& bPressed, CPoint point)
{
    const BOOL bInside = HitButton(bClose, point);
    if (bInside != bPressed) {
        bPressed = bInside;
        InvalidateButton(bClose);
    }
}

void SECLayoutNodeGripperEx::OnLButtonDown(UINT, CPoint point)
{
    BOOL bClose = FALSE;
    if (m_bShowClose && m_bCloseEnabled && HitButton(TRUE, point)) {
        m_bClosePressed = m_bCloseTracking = TRUE;
        bClose = TRUE;
    } else if (m_bShowExpand && m_bExpandEnabled && HitButton(FALSE, point)) {
        m_bExpandPressed = m_bExpandTracking = TRUE;
    } else {
        return;
    }
    InvalidateButton(bClose);
    ::SetCapture(GetDrawWindow());
    SetResultFlags(kEndChain);
    SetListenerResult(0);
}

void SECLayoutNodeGripperEx::OnMouseMove(UINT, CPoint point)
{
    if (m_bCloseTracking)
        TrackButton(TRUE, m_bClosePressed, point);
    else if (m_bExpandTracking)
        TrackButton(FALSE, m_bExpandPressed, point);
}

void SECLayoutNodeGripperEx::OnLButtonUp(UINT, CPoint point)
{
    if (GetDrawWindow() && ::GetCapture() == GetDrawWindow())
        ::ReleaseCapture();
    const BOOL bClose = m_bCloseTracking;
    if (!bClose && !m_bExpandTracking)
        return;
    if (bClose)
        m_bCloseTracking = m_bClosePressed = FALSE;
    else
        m_bExpandTracking = m_bExpandPressed = FALSE;
    InvalidateButton(bClose);
    if (!HitButton(bClose, point))
        return;
    if (bClose)
        OnCloseButton();
    else
        OnExpandButton();
    SetResultFlags(kEndChain);
    SetListenerResult(0);
}
