#include "toolkit/frames/SECLNSizable.h"

#include <algorithm>

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLNVirtualSplitter.h"

SECLNSizable::~SECLNSizable()
{
    m_pTop = DestroySideBar(m_pTop);
    m_pBottom = DestroySideBar(m_pBottom);
    m_pLeft = DestroySideBar(m_pLeft);
    m_pRight = DestroySideBar(m_pRight);
}

int SECLNSizable::GetContentCount()
{
    const int nBars = !!m_pTop + !!m_pBottom + !!m_pLeft + !!m_pRight;
    return GetChildCount(FALSE) - nBars;
}

int SECLNSizable::AddLayoutNode(SECLayoutNode* pChild)
{
    if (GetContentCount() >= 1)
        return -1;
    const int nCount = SECLayoutNode::AddLayoutNode(pChild);
    if (nCount >= 0)
        m_pContent = pChild;
    return nCount;
}

int SECLNSizable::RemoveLayoutNode(SECLayoutNode* pChild)
{
    if (pChild && pChild == m_pContent)
        m_pContent = nullptr;
    return SECLayoutNode::RemoveLayoutNode(pChild);
}

RECT* SECLNSizable::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce)
{
    UpdateBorderWidths();
    SECLNBorder_T<SECLayoutNode>::OnRecalcLayout(pOut, rect, bClamp, bForce);
    PositionBars(*pOut);
    return pOut;
}

void SECLNSizable::GrowForBorderedNode(RECT& rect)
{
    // Right after a bar drag the new size is the user's; growing it back to the content's wish would
    // undo the drag.
    if (m_bSkipBorderOnce) {
        m_bSkipBorderOnce = FALSE;
        return;
    }
    SECLNBorder_T<SECLayoutNode>::GrowForBorderedNode(rect);
}

void SECLNSizable::GetMinMaxSize(SIZE& sizeMin, SIZE& sizeMax, int& nFlags)
{
    UpdateBorderWidths();
    UpdateSizeLimitsFromBorderedNode();
    SECLNBorder_T<SECLayoutNode>::GetMinMaxSize(sizeMin, sizeMax, nFlags);
}

SECLNVirtualSplitter* SECLNSizable::GetSideBar(int nSide) const
{
    switch (nSide) {
    case SideTop:
        return m_pTop;
    case SideBottom:
        return m_pBottom;
    case SideLeft:
        return m_pLeft;
    case SideRight:
        return m_pRight;
    default:
        return nullptr;
    }
}

BOOL SECLNSizable::SetSides(CWnd* pBarParent, BOOL bLive, int nSideMask)
{
    if (!pBarParent)
        return FALSE;
    m_nRequestedSides = nSideMask;
    m_nRememberedSides = nSideMask;
    m_pBarParent = pBarParent;
    struct Side {
        int nBit;
        SECLNVirtualSplitter*& pBar;
        int nOrientation;
    };
    Side sides[] = { { SideTop, m_pTop, 0 }, { SideBottom, m_pBottom, 0 }, { SideLeft, m_pLeft, 1 },
        { SideRight, m_pRight, 1 } };
    for (Side& side : sides) {
        if (nSideMask & side.nBit)
            side.pBar = CreateSideBar(pBarParent, side.pBar, bLive, side.nOrientation);
        else
            side.pBar = DestroySideBar(side.pBar);
    }
    return TRUE;
}

SECLNVirtualSplitter* SECLNSizable::CreateSplitterObject() { return new SECLNVirtualSplitter; }

SECLNVirtualSplitter* SECLNSizable::CreateSideBar(CWnd* pParent, SECLNVirtualSplitter* pBar, BOOL bLive,
    int nOrientation)
{
    const DWORD dwFlags = bLive ? SECSplitterBase::LiveTracking : 0;
    if (pBar) {
        pBar->SetSplitterFlags(dwFlags);
        return pBar;
    }
    pBar = CreateSplitterObject();
    if (!pBar->Create(pParent, 0, 0, 0, 0, WS_CHILD | WS_VISIBLE, SECSplitterBase::DefaultId, dwFlags)) {
        delete pBar;
        return nullptr;
    }
    SECLayoutNode::AddLayoutNode(pBar);
    pBar->SetObserver(this);
    pBar->SetNodeOrientation(nOrientation);
    pBar->SetSplitterFlags(dwFlags);
    return pBar;
}

SECLNVirtualSplitter* SECLNSizable::DestroySideBar(SECLNVirtualSplitter* pBar)
{
    if (pBar) {
        SECLayoutNode::RemoveLayoutNode(pBar);
        delete pBar;
    }
    return nullptr;
}

void SECLNSizable::EnableSides(BOOL bEnable, BOOL bLive, BOOL bRecalc)
{
    if (bEnable) {
        SetSides(m_pBarParent, bLive, m_nRememberedSides);
    } else {
        const int nRequested = m_nRequestedSides;
        SetSides(m_pBarParent, bLive, 0);
        m_nRememberedSides = nRequested;
    }
    if (bRecalc) {
        RECT out {};
        RecalcInPlace(&out);
        RealizeLayout(0);
    }
}

void SECLNSizable::SetTrackingLimits(const RECT* pLimits, BOOL bRecalc)
{
    m_rcTrackingLimits = pLimits ? *pLimits : RECT {};
    if (bRecalc) {
        RECT out {};
        RecalcInPlace(&out);
    }
}

void SECLNSizable::PositionBars(const RECT& R)
{
    const int w = SECSplitterBase::GetBarWidth();
    const RECT& lim = m_rcTrackingLimits;
    RECT out {};
    if (m_pTop) {
        RECT rc = R;
        rc.bottom = std::min<LONG>(R.top + w, R.bottom);
        m_pTop->RecalcLayout(&out, rc, FALSE, TRUE);
        RECT track = R;
        track.top = std::min(R.top, lim.top);
        m_pTop->SetTrackingRect(track);
    }
    if (m_pBottom) {
        RECT rc = R;
        rc.top = std::max<LONG>(R.bottom - w, R.top);
        m_pBottom->RecalcLayout(&out, rc, FALSE, TRUE);
        RECT track = R;
        track.bottom = std::max(R.bottom, lim.bottom);
        m_pBottom->SetTrackingRect(track);
    }
    // The side bars stop where the top and bottom bars begin, so the corners belong to those.
    auto sideRect = [&](RECT rc) {
        if (m_pTop)
            rc.top = std::min<LONG>(rc.top + w, rc.bottom);
        if (m_pBottom)
            rc.bottom = std::max<LONG>(rc.bottom - w, rc.top);
        return rc;
    };
    if (m_pLeft) {
        RECT rc = R;
        rc.right = std::min<LONG>(R.left + w, R.right);
        m_pLeft->RecalcLayout(&out, sideRect(rc), FALSE, TRUE);
        RECT track = R;
        track.left = std::min(R.left, lim.left);
        m_pLeft->SetTrackingRect(track);
    }
    if (m_pRight) {
        RECT rc = R;
        rc.left = std::max<LONG>(R.right - w, R.left);
        m_pRight->RecalcLayout(&out, sideRect(rc), FALSE, TRUE);
        RECT track = R;
        track.right = std::max(R.right, lim.right);
        m_pRight->SetTrackingRect(track);
    }
    UpdateBorderWidths();
}

void SECLNSizable::UpdateBorderWidths()
{
    const int w = SECSplitterBase::GetBarWidth();
    m_nBorderTop = m_pTop ? w : 0;
    m_nBorderBottom = m_pBottom ? w : 0;
    m_nBorderLeft = m_pLeft ? w : 0;
    m_nBorderRight = m_pRight ? w : 0;
}

void SECLNSizable::OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy)
{
    if (!GetParentNode() || !pSplitter)
        return;
    if (pSplitter == m_pTop)
        m_nPendingTop += dy;
    else if (pSplitter == m_pBottom)
        m_nPendingBottom += dy;
    else if (pSplitter == m_pLeft)
        m_nPendingLeft += dx;
    else if (pSplitter == m_pRight)
        m_nPendingRight += dx;
    else
        return;
    m_bSkipBorderOnce = TRUE;
    Renegotiate();
}

void SECLNSizable::Renegotiate()
{
    SECLNHwndContainer container(m_pBarParent ? m_pBarParent->m_hWnd : nullptr);
    OnChildSizeChanged(TRUE, &container);
}
