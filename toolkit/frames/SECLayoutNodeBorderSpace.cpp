#include "toolkit/frames/SECLayoutNodeBorderSpace.h"

#include "platform/afx/CDC.h"
#include "toolkit/frames/SECDisplayCache.h"

#include <algorithm>

SECLayoutNodeBorderSpace::SECLayoutNodeBorderSpace() { ApplyBorderWidths(); }

void SECLayoutNodeBorderSpace::ApplyBorderWidths() { SetBorderWidths(m_nReqLeft, m_nReqTop, m_nReqRight, m_nReqBottom); }

void SECLayoutNodeBorderSpace::EnableBorder(BOOL bEnable, BOOL bRecalcChildren)
{
    bEnable = bEnable ? TRUE : FALSE;
    if (bEnable == m_bBorderEnabled)
        return;
    m_bBorderEnabled = bEnable;
    ApplyBorderWidths();
    RECT out {};
    RecalcInPlace(&out);
    if (bRecalcChildren)
        RealizeLayout(FALSE);
}

void SECLayoutNodeBorderSpace::SetBorderWidths(int left, int top, int right, int bottom)
{
    m_nBorderLeft = m_bBorderEnabled ? left : 0;
    m_nBorderTop = m_bBorderEnabled ? top : 0;
    m_nBorderRight = m_bBorderEnabled ? right : 0;
    m_nBorderBottom = m_bBorderEnabled ? bottom : 0;
}

RECT* SECLayoutNodeBorderSpace::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL bSecond)
{
    SECLNBorder_T<SECLayoutNodeDCBase>::OnRecalcLayout(pOut, rect, bFirst, bSecond);
    RECT rc {};
    CalcBorderRects(*GetCurrentRect(&rc), m_bVerticalFirst, m_rcLeft, m_rcRight, m_rcTop, m_rcBottom);
    return pOut;
}

void SECLayoutNodeBorderSpace::DrawNode(HDC hDC, const RECT&)
{
    if (!m_bBorderEnabled)
        return;
    DrawBorder(hDC, m_rcLeft, m_rcLastLeft, SideLeft);
    DrawBorder(hDC, m_rcRight, m_rcLastRight, SideRight);
    DrawBorder(hDC, m_rcTop, m_rcLastTop, SideTop);
    DrawBorder(hDC, m_rcBottom, m_rcLastBottom, SideBottom);
}

void SECLayoutNodeBorderSpace::DrawBorder(HDC hDC, const RECT& rect, RECT& rcLastPainted, int)
{
    if (rect.right > rect.left && rect.bottom > rect.top) {
        CDC::FromHandle(hDC)->FillSolidRect(
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, displayCache().m_clrBtnFace);
    }
    InvalidateChangedArea(rect, rcLastPainted);
}

BOOL SECLayoutNodeBorderSpace::InvalidateChangedArea(const RECT& rcNow, RECT& rcBefore)
{
    RECT strips[4] {};
    BOOL bAny = FALSE;
    if (rcNow.top < rcBefore.top) {
        strips[0] = { rcNow.left, rcNow.top, rcNow.right, rcBefore.top };
        bAny = TRUE;
    }
    if (rcBefore.bottom < rcNow.bottom) {
        strips[1] = { rcNow.left, rcBefore.bottom, rcNow.right, rcNow.bottom };
        bAny = TRUE;
    }
    const LONG top = std::max(rcNow.top, rcBefore.top);
    const LONG bottom = std::min(rcNow.bottom, rcBefore.bottom);
    if (rcNow.left < rcBefore.left) {
        strips[2] = { rcNow.left, top, rcBefore.left, bottom };
        bAny = TRUE;
    }
    if (rcBefore.right < rcNow.right) {
        strips[3] = { rcBefore.right, top, rcNow.right, bottom };
        bAny = TRUE;
    }
    if (bAny) {
        for (const RECT& strip : strips)
            InvalidateArea(strip);
    }
    rcBefore = rcNow;
    return bAny;
}

void SECLayoutNodeBorderSpace::InvalidateArea(const RECT& rect)
{
    if (GetDrawWindow() && rect.right > rect.left && rect.bottom > rect.top)
        ::InvalidateRect(GetDrawWindow(), &rect, TRUE);
}

void SECLayoutNodeBorderSpace::CalcBorderRects(const RECT& r, BOOL bVerticalFirst, RECT& rcLeft, RECT& rcRight,
    RECT& rcTop, RECT& rcBottom)
{
    const LONG insideLeft = std::min(r.left + m_nReqLeft, r.right);
    const LONG insideRight = std::max(r.right - m_nReqRight, r.left);
    const LONG insideTop = std::min(r.top + m_nReqTop, r.bottom);
    const LONG insideBottom = std::max(r.bottom - m_nReqBottom, r.top);
    if (bVerticalFirst) {
        rcLeft = { r.left, r.top, insideLeft, r.bottom };
        rcRight = { insideRight, r.top, r.right, r.bottom };
        rcTop = { rcLeft.right, r.top, rcRight.left, insideTop };
        rcBottom = { rcLeft.right, insideBottom, rcRight.left, r.bottom };
    } else {
        rcTop = { r.left, r.top, r.right, insideTop };
        rcBottom = { r.left, insideBottom, r.right, r.bottom };
        rcLeft = { r.left, rcTop.bottom, insideLeft, rcBottom.top };
        rcRight = { insideRight, rcTop.bottom, r.right, rcBottom.top };
    }
}

RECT SECLayoutNodeBorderSpace::GetBorderRect(int nSide) const
{
    switch (nSide) {
    case SideTop:
        return m_rcTop;
    case SideBottom:
        return m_rcBottom;
    case SideLeft:
        return m_rcLeft;
    case SideRight:
        return m_rcRight;
    default:
        return {};
    }
}
