#include "toolkit/frames/SECLNBorderClientEdge.h"

#include "platform/afx/CDC.h"
#include "toolkit/frames/SECDisplayCache.h"

#include <algorithm>

SECLNBorderClientEdge::SECLNBorderClientEdge()
    : m_penHighlight(PS_SOLID, 1, displayCache().m_clrBtnHilite)
    , m_penShadow(PS_SOLID, 1, displayCache().m_clrBtnShadow)
{
    ApplyBorderWidths();
}

void SECLNBorderClientEdge::SetEdgeSides(BOOL bLeft, BOOL bTop, BOOL bRight, BOOL bBottom)
{
    m_bEdgeLeft = bLeft;
    m_bEdgeTop = bTop;
    m_bEdgeRight = bRight;
    m_bEdgeBottom = bBottom;
    ApplyBorderWidths();
}

void SECLNBorderClientEdge::SetBorderWidths(int, int, int, int)
{
    const int width = m_nOuterMargin + m_nLineWidth + m_nInnerMargin;
    SECLayoutNodeBorderSpace::SetBorderWidths(
        m_bEdgeLeft ? width : 0, m_bEdgeTop ? width : 0, m_bEdgeRight ? width : 0, m_bEdgeBottom ? width : 0);
}

RECT* SECLNBorderClientEdge::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL bSecond)
{
    m_bVerticalFirst = FALSE;
    return SECLayoutNodeBorderSpace::OnRecalcLayout(pOut, rect, bFirst, bSecond);
}

void SECLNBorderClientEdge::DrawBorder(HDC hDC, const RECT& rect, RECT& rcLastPainted, int nSide)
{
    BOOL bHorizontal = FALSE;
    if (!GetEdgeOrientation(nSide, bHorizontal))
        return;
    RECT band {};
    CalcEdgeBand(band, rect, 0, m_nOuterMargin, nSide);
    FillEdgeBand(hDC, band);
    CalcEdgeBand(band, rect, m_nOuterMargin, m_nOuterMargin + m_nLineWidth, nSide);
    DrawEdgeLines(hDC, band, bHorizontal, nSide, m_penShadow, m_penHighlight);
    const int inner = m_nOuterMargin + m_nLineWidth;
    CalcEdgeBand(band, rect, inner, inner + m_nInnerMargin, nSide);
    FillInnerBand(hDC, band);
    InvalidateChangedArea(rect, rcLastPainted);
}

void SECLNBorderClientEdge::InvalidateArea(const RECT& rect)
{
    RECT grown = rect;
    ::InflateRect(&grown, 3, 3);
    SECLayoutNodeBorderSpace::InvalidateArea(grown);
}

void SECLNBorderClientEdge::FillEdgeBand(HDC hDC, const RECT& rect)
{
    if (rect.right > rect.left && rect.bottom > rect.top) {
        CDC::FromHandle(hDC)->FillSolidRect(
            rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, ::GetSysColor(COLOR_BTNFACE));
    }
}

void SECLNBorderClientEdge::DrawEdgeLines(HDC hDC, const RECT& band, BOOL bHorizontal, int, CPen& shadow, CPen& highlight)
{
    CDC* dc = CDC::FromHandle(hDC);
    CPen* old = dc->SelectObject(&shadow);
    if (bHorizontal) {
        dc->MoveTo(band.left, band.top);
        dc->LineTo(band.right, band.top);
        dc->SelectObject(&highlight);
        dc->MoveTo(band.left, band.top + 1);
        dc->LineTo(band.right, band.top + 1);
    } else {
        dc->MoveTo(band.left, band.top);
        dc->LineTo(band.left, band.bottom);
        dc->SelectObject(&highlight);
        dc->MoveTo(band.left + 1, band.top);
        dc->LineTo(band.left + 1, band.bottom);
    }
    dc->SelectObject(old);
}

BOOL SECLNBorderClientEdge::GetEdgeOrientation(int nSide, BOOL& bHorizontal)
{
    switch (nSide) {
    case SideTop:
    case SideBottom:
        if (!(nSide == SideTop ? m_bEdgeTop : m_bEdgeBottom))
            return FALSE;
        bHorizontal = TRUE;
        return TRUE;
    case SideLeft:
    case SideRight:
        if (!(nSide == SideLeft ? m_bEdgeLeft : m_bEdgeRight))
            return FALSE;
        bHorizontal = FALSE;
        return TRUE;
    default:
        return FALSE;
    }
}

void SECLNBorderClientEdge::CalcEdgeBand(RECT& out, const RECT& rect, int nFrom, int nTo, int nSide)
{
    RECT r = rect;
    r.right = std::max(r.right, r.left);
    r.bottom = std::max(r.bottom, r.top);
    out = r;
    switch (nSide) {
    case SideLeft:
        out.left = std::min(r.left + nFrom, r.right);
        out.right = std::max(std::min(r.left + nTo, r.right), out.left);
        break;
    case SideTop:
        out.top = std::min(r.top + nFrom, r.bottom);
        out.bottom = std::max(std::min(r.top + nTo, r.bottom), out.top);
        break;
    case SideRight:
        out.right = std::max(r.right - nFrom, r.left);
        out.left = std::min(std::max(r.right - nTo, r.left), out.right);
        break;
    case SideBottom:
        out.bottom = std::max(r.bottom - nFrom, r.top);
        out.top = std::min(std::max(r.bottom - nTo, r.top), out.bottom);
        break;
    default:
        break;
    }
}
