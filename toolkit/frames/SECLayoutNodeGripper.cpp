#include "toolkit/frames/SECLayoutNodeGripper.h"

#include "platform/afx/CDC.h"
#include "toolkit/frames/SECDisplayCache.h"

#include <algorithm>

namespace {

// The process-wide default of the single-bar style; nothing changes it, so grippers show two bars.
constexpr BOOL kSingleBarDefault = FALSE;

bool HasArea(const RECT& r) { return r.right > r.left && r.bottom > r.top; }

} // namespace

SECLayoutNodeGripper::SECLayoutNodeGripper()
    : m_bSingleBar(kSingleBarDefault)
{
    ApplyBorderWidths();
}

void SECLayoutNodeGripper::SetOrientation(BOOL bHorizontal, BOOL bRecurse)
{
    SECLayoutNodeBorderSpace::SetOrientation(bHorizontal, bRecurse);
    SetGripperSide(bHorizontal ? SideLeft : SideTop);
}

void SECLayoutNodeGripper::SetGripperSide(int nSide)
{
    m_nGripperSide = nSide;
    m_bVerticalFirst = IsVerticalSide(nSide);
    ApplyBorderWidths();
}

void SECLayoutNodeGripper::SetBorderWidths(int left, int top, int right, int bottom)
{
    switch (m_nGripperSide) {
    case SideTop:
        top = m_nThickness;
        break;
    case SideBottom:
        bottom = m_nThickness;
        break;
    case SideLeft:
        left = m_nThickness;
        break;
    case SideRight:
        right = m_nThickness;
        break;
    default:
        break;
    }
    SECLayoutNodeBorderSpace::SetBorderWidths(left, top, right, bottom);
    const SIZE sizeMin = IsVerticalSide(m_nGripperSide) ? SIZE { m_nThickness, 0 } : SIZE { 0, m_nThickness };
    SetMinMaxSize(sizeMin, { 0, 0 }, NoMaxSize);
}

RECT* SECLayoutNodeGripper::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bFirst, BOOL bSecond)
{
    SECLayoutNodeBorderSpace::OnRecalcLayout(pOut, rect, bFirst, bSecond);
    RECT r {};
    GetCurrentRect(&r);
    if (!m_pLayout)
        m_pLayout = CreateGripperLayout();
    const int t = m_nThickness;
    RECT* strip = nullptr;
    switch (m_nGripperSide) {
    case SideLeft:
        m_rcLeft.right = std::min(m_rcLeft.left + t, r.right);
        m_rcTop.left = m_rcBottom.left = m_rcLeft.right;
        strip = &m_rcLeft;
        break;
    case SideRight:
        m_rcRight.left = std::max(m_rcRight.right - t, r.left);
        m_rcTop.right = m_rcBottom.right = m_rcRight.left;
        strip = &m_rcRight;
        break;
    case SideTop:
        m_rcTop.bottom = std::min(m_rcTop.top + t, r.bottom);
        m_rcLeft.top = m_rcRight.top = m_rcTop.bottom;
        strip = &m_rcTop;
        break;
    case SideBottom:
        m_rcBottom.top = std::max(m_rcBottom.bottom - t, r.top);
        m_rcLeft.bottom = m_rcRight.bottom = m_rcBottom.top;
        strip = &m_rcBottom;
        break;
    default:
        break;
    }
    if (strip)
        CalcGripperLayout(*strip, m_nGripperSide, *m_pLayout);
    *pOut = r;
    return pOut;
}

void SECLayoutNodeGripper::DrawBorder(HDC hDC, const RECT& rect, RECT& rcLastPainted, int nSide)
{
    SECLayoutNodeBorderSpace::DrawBorder(hDC, rect, rcLastPainted, nSide);
    if (nSide == m_nGripperSide && m_pLayout)
        DrawGripper(hDC, rect, nSide, *m_pLayout);
}

void SECLayoutNodeGripper::InvalidateArea(const RECT& rect)
{
    RECT grown = rect;
    if (m_bVerticalFirst)
        ::InflateRect(&grown, 15, 0);
    else
        ::InflateRect(&grown, 0, 15);
    SECLayoutNodeBorderSpace::InvalidateArea(grown);
}

void SECLayoutNodeGripper::DrawGripper(HDC hDC, const RECT&, int, const SECGripperLayout& layout)
{
    CDC* dc = CDC::FromHandle(hDC);
    const COLORREF highlight = displayCache().m_clrBtnHilite;
    const COLORREF shadow = displayCache().m_clrBtnShadow;
    if (HasArea(layout.m_rcBar1))
        dc->Draw3dRect(&layout.m_rcBar1, highlight, shadow);
    if (!m_bSingleBar && HasArea(layout.m_rcBar2))
        dc->Draw3dRect(&layout.m_rcBar2, highlight, shadow);
}

void SECLayoutNodeGripper::CalcGripperLayout(const RECT& strip, int nSide, SECGripperLayout& layout)
{
    const bool bVertical = IsVerticalSide(nSide);
    const int length = bVertical ? strip.bottom - strip.top : strip.right - strip.left;
    const int thickness = bVertical ? strip.right - strip.left : strip.bottom - strip.top;
    std::unique_ptr<SECGripperMetrics> metrics = CreateGripperMetrics();
    if (m_bSingleBar)
        CalcSingleBarMetrics(*metrics, length, thickness, nSide);
    else
        CalcDoubleBarMetrics(*metrics, length, thickness, nSide);
    if (bVertical)
        LayoutVerticalGripper(strip, *metrics, layout);
    else
        LayoutHorizontalGripper(strip, *metrics, layout);
}

void SECLayoutNodeGripper::SetInsets(SECGripperMetrics& m, int nSide) const
{
    if (IsVerticalSide(nSide)) {
        m.m_nPlainInset = m_nReqBottom;
        m.m_nButtonInset = m_nReqTop;
    } else {
        m.m_nPlainInset = m_nReqLeft;
        m.m_nButtonInset = m_nReqRight;
    }
}

void SECLayoutNodeGripper::CalcDoubleBarMetrics(SECGripperMetrics& m, int, int nThickness, int nSide)
{
    m.m_nBarThickness = 3;
    m.m_nBarGap = 1;
    // Integer division and remainder truncate toward zero, so a strip thinner than 7 gives a
    // negative remainder and the bars start before the strip's edge.
    m.m_nSpaceAfter = std::max(0, (nThickness - 7) / 2);
    m.m_nBarOffset = (nThickness - 7) % 2 + m.m_nSpaceAfter;
    SetInsets(m, nSide);
}

void SECLayoutNodeGripper::CalcSingleBarMetrics(SECGripperMetrics& m, int, int nThickness, int nSide)
{
    m.m_nBarOffset = 2;
    m.m_nBarThickness = 3;
    m.m_nBarGap = 0;
    m.m_nSpaceAfter = nThickness - 5;
    SetInsets(m, nSide);
}

void SECLayoutNodeGripper::LayoutVerticalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout)
{
    const LONG left = strip.left + m.m_nBarOffset;
    layout.m_rcBar1 = { left, strip.top + m.m_nButtonInset, left + m.m_nBarThickness, strip.bottom - m.m_nPlainInset };
    layout.m_rcBar2 = layout.m_rcBar1;
    ::OffsetRect(&layout.m_rcBar2, m.m_nBarGap + m.m_nBarThickness, 0);
}

void SECLayoutNodeGripper::LayoutHorizontalGripper(const RECT& strip, const SECGripperMetrics& m, SECGripperLayout& layout)
{
    const LONG top = strip.top + m.m_nBarOffset;
    layout.m_rcBar1 = { strip.left + m.m_nPlainInset, top, strip.right - m.m_nButtonInset, top + m.m_nBarThickness };
    layout.m_rcBar2 = layout.m_rcBar1;
    ::OffsetRect(&layout.m_rcBar2, 0, m.m_nBarGap + m.m_nBarThickness);
}
