#include "toolkit/frames/SECLayoutNodeSplitter.h"

#include <algorithm>
#include <initializer_list>

SECLayoutNodeSplitter::~SECLayoutNodeSplitter()
{
    if (CWnd::m_hWnd && ::IsWindow(CWnd::m_hWnd))
        DestroyWindow();
}

BOOL SECLayoutNodeSplitter::Create(CWnd* pParent, int left, int top, int right, int bottom, DWORD dwStyle,
    UINT nID, DWORD dwFlags)
{
    if (!SECSplitterBase::Create(pParent, left, top, right, bottom, dwStyle, nID, dwFlags))
        return FALSE;
    return AttachWindow(CWnd::m_hWnd, pParent);
}

void SECLayoutNodeSplitter::SetSplitPosition(int x, int y)
{
    m_nSplitX = x;
    m_nSplitY = y;
    ComputeBarRects(m_nSplitX, m_nSplitY, &m_rcLastHorz, &m_rcLastVert);
    m_rcHorz = m_rcLastHorz;
    m_rcVert = m_rcLastVert;
    LayoutPanes();
    UpdateHitRects();
}

BOOL SECLayoutNodeSplitter::AddPaneNode(int nRow, int nCol, SECLayoutNode* pNode)
{
    if (!pNode || nRow < 0 || nRow > 1 || nCol < 0 || nCol > 1)
        return FALSE;
    if (AddLayoutNode(pNode) < 0)
        return FALSE;
    m_pPanes[nRow + 2 * nCol] = pNode;
    if (!AddPane(nRow, nCol)) {
        m_pPanes[nRow + 2 * nCol] = nullptr;
        RemoveLayoutNode(pNode);
        return FALSE;
    }
    return TRUE;
}

BOOL SECLayoutNodeSplitter::RemovePaneNode(int nRow, int nCol)
{
    if (nRow < 0 || nRow > 1 || nCol < 0 || nCol > 1 || !m_pPanes[nRow + 2 * nCol])
        return FALSE;
    SECLayoutNode* pNode = m_pPanes[nRow + 2 * nCol];
    m_pPanes[nRow + 2 * nCol] = nullptr;
    RemoveLayoutNode(pNode);
    return RemovePane(nRow, nCol);
}

void SECLayoutNodeSplitter::ApplyPaneRects(const SECSplitterPaneInfo& panes)
{
    // Array order: top-left, top-right, bottom-left, bottom-right in pane-info numbering.
    static constexpr int order[4] = { 0, 2, 1, 3 };
    for (int index : order) {
        SECLayoutNode* pNode = m_pPanes[index];
        RECT rc {};
        const int nRow = index % 2;
        const int nCol = index / 2;
        if (pNode && panes.GetPane(nRow * 2 + nCol, &rc)) {
            RECT out {};
            pNode->RecalcLayout(&out, rc, FALSE, TRUE);
        }
    }
}

void SECLayoutNodeSplitter::OnSplitterMoved(int, int) { RealizeLayout(0); }

void SECLayoutNodeSplitter::InvalidateArea(const RECT& rect)
{
    if (!::IsRectEmpty(&rect))
        InvalidateNodeRect(rect, TRUE);
}

BOOL SECLayoutNodeSplitter::ApplyBarRect(const RECT& rect, BOOL bHorizontal)
{
    const BOOL bChanged = SECSplitterBase::ApplyBarRect(rect, bHorizontal);
    (bHorizontal ? m_rcLastHorz : m_rcLastVert) = rect;
    return bChanged;
}

void SECLayoutNodeSplitter::SetNodeStyle(DWORD dwStyle, BOOL bRecurse)
{
    // The splitter repaints its bars itself; moving it must not repaint what it uncovers.
    SECLayoutNodeWnd::SetNodeStyle(dwStyle, bRecurse);
    m_dwNodeStyle |= InvalidateUncovered;
}

RECT* SECLayoutNodeSplitter::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL, BOOL)
{
    RECT rcOld {};
    GetCurrentRect(&rcOld);
    RECT rcNew = rect;
    if (!::IsRectEmpty(&rcOld))
        DistributeResize(rcOld, rcNew, m_nSplitX, m_nSplitY, 0);
    SetCurrentRect(rcNew);
    SetArea(rcNew);
    ComputeBarRects(m_nSplitX, m_nSplitY, &m_rcHorz, &m_rcVert);
    m_rcLastHorz = m_rcHorz;
    m_rcLastVert = m_rcVert;
    UpdateHitRects();
    LayoutPanes();
    *pOut = rcNew;
    return pOut;
}

SECLayoutNodeSplitter::Extents SECLayoutNodeSplitter::ColumnExtents(int nCol, int nWhole)
{
    return PaneExtents(GetPaneNode(0, nCol), GetPaneNode(1, nCol), TRUE, nWhole);
}

SECLayoutNodeSplitter::Extents SECLayoutNodeSplitter::RowExtents(int nRow, int nWhole)
{
    return PaneExtents(GetPaneNode(nRow, 0), GetPaneNode(nRow, 1), FALSE, nWhole);
}

SECLayoutNodeSplitter::Extents SECLayoutNodeSplitter::PaneExtents(SECLayoutNode* pA, SECLayoutNode* pB, BOOL bWidth,
    int nWhole)
{
    Extents e { 0, nWhole, 0 };
    for (SECLayoutNode* pNode : { pA, pB }) {
        if (!pNode)
            continue;
        SIZE sizeMin {};
        SIZE sizeMax {};
        int nFlags = 0;
        pNode->GetMinMaxSize(sizeMin, sizeMax, nFlags);
        if (!(nFlags & NoMinSize))
            e.nMin = std::max<int>(e.nMin, bWidth ? sizeMin.cx : sizeMin.cy);
        if (!(nFlags & NoMaxSize))
            e.nMax = std::min<int>(e.nMax, bWidth ? sizeMax.cx : sizeMax.cy);
        RECT rc {};
        pNode->GetPreferredRect(&rc);
        e.nCurrent = std::max<int>(e.nCurrent, bWidth ? rc.right - rc.left : rc.bottom - rc.top);
    }
    return e;
}

int SECLayoutNodeSplitter::AdjustPair(int& a, int& b, int nLimitA, int nLimitB, int nDelta)
{
    if (nDelta == 0)
        return 0;
    const bool bGrow = nDelta > 0;
    auto isShort = [bGrow](int v, int limit) { return bGrow ? v < limit : v > limit; };
    auto give = [bGrow](int& v, int limit, int amount) {
        int n = v + amount;
        if (bGrow ? n > limit : n < limit)
            n = limit;
        const int used = n - v;
        v = n;
        return used;
    };
    if (isShort(a, nLimitA))
        nDelta -= give(a, nLimitA, nDelta / 2);
    if (isShort(b, nLimitB))
        nDelta -= give(b, nLimitB, nDelta);
    if (nDelta != 0 && isShort(a, nLimitA))
        nDelta -= give(a, nLimitA, nDelta);
    return nDelta;
}

int SECLayoutNodeSplitter::DistributeAxis(int nFirst, int nOld, int nDelta, const Extents& first,
    const Extents& second, int nMode, BOOL& bToggle, int& nLeft)
{
    int a = nFirst;
    int b = nOld - nFirst;
    nDelta = AdjustPair(a, b, first.nMin, second.nMin, nDelta);
    nDelta = AdjustPair(a, b, first.nCurrent, second.nCurrent, nDelta);
    nDelta = AdjustPair(a, b, first.nMax, second.nMax, nDelta);
    nLeft = 0;
    if (nDelta == 0)
        return a;
    if (nMode != 0) {
        nLeft = nDelta;
        return a;
    }
    a += nDelta / 2;
    if (nDelta % 2 != 0) {
        // An odd pixel goes alternately to either side so repeated resizes do not drift one way.
        const int nSign = nDelta > 0 ? 1 : -1;
        a += bToggle ? nSign : -nSign;
        bToggle = !bToggle;
    }
    return a;
}

void SECLayoutNodeSplitter::DistributeResize(const RECT& rcOld, RECT& rcNew, int& x, int& y, int nMode)
{
    const int nOldWidth = rcOld.right - rcOld.left;
    const int nOldHeight = rcOld.bottom - rcOld.top;
    const int dx = (rcNew.right - rcNew.left) - nOldWidth;
    const int dy = (rcNew.bottom - rcNew.top) - nOldHeight;
    int nLeft = 0;
    if (dx != 0) {
        const int nWhole = rcNew.right - rcNew.left;
        x = DistributeAxis(x, nOldWidth, dx, ColumnExtents(0, nWhole), ColumnExtents(1, nWhole), nMode, m_bToggleX,
            nLeft);
        rcNew.right -= nLeft;
    }
    if (dy != 0) {
        const int nWhole = rcNew.bottom - rcNew.top;
        y = DistributeAxis(y, nOldHeight, dy, RowExtents(0, nWhole), RowExtents(1, nWhole), nMode, m_bToggleY, nLeft);
        rcNew.bottom -= nLeft;
    }
}
