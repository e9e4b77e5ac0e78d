// The dock bar's layout: rows of bars by share or by their own length, the splitters and client edges
// between them, and the frame's layout request.

#include "toolkit/frames/SECDockBar.h"

#include <algorithm>

#include "platform/afx/AfxPriv.h"
#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECControlsLink.h"
#include "toolkit/frames/SECDisplayCache.h"

namespace {

constexpr int kSplit = SECDockBar::kSplitterSize;
constexpr int kEdge = SECDockBar::kClientEdgeSize;

} // namespace

DWORD SECDockBar::GetLayoutMode(CControlBar* pBar) const
{
    if ((pBar->m_dwStyle & CBRS_SIZE_DYNAMIC) && (pBar->m_dwStyle & CBRS_FLOATING))
        return LM_HORZ | LM_MRUWIDTH;
    if (pBar->m_dwStyle & CBRS_ORIENT_HORZ)
        return LM_HORZ | LM_HORZDOCK;
    return LM_VERTDOCK | LM_LENGTHY;
}

CSize SECDockBar::GetAvailableSize() const
{
    if (!m_rectLayout.IsRectEmpty())
        return m_rectLayout.Size();
    CRect client;
    if (CWnd* pParent = GetParent())
        pParent->GetClientRect(&client);
    return client.Size();
}

CRect SECDockBar::GetBarRect(CControlBar* pBar) const
{
    CRect rect;
    pBar->GetWindowRect(&rect);
    ScreenToClient(&rect);
    return rect;
}

void SECDockBar::PositionBar(CControlBar* pBar, const CRect& rect, UINT nFlags)
{
    if (!pBar->m_hWnd || GetBarRect(pBar) == rect)
        return;
    nFlags |= SWP_NOZORDER | SWP_NOACTIVATE;
    if (SECSmoothLayout())
        nFlags |= SWP_NOREDRAW;
    if (m_hDWP)
        m_hDWP = ::DeferWindowPos(m_hDWP, pBar->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
    else
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width(), rect.Height(), nFlags);
}

CSize SECDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize sizeResult = CControlBar::CalcFixedLayout(bStretch, bHorz);
    const BOOL bQuery = m_bLayoutQuery;
    const BOOL bHorzSide = IsHorzSide();
    const BOOL bLeft = (m_dwStyle & CBRS_ALIGN_LEFT) != 0;
    const BOOL bRight = (m_dwStyle & CBRS_ALIGN_RIGHT) != 0;
    const BOOL bTop = (m_dwStyle & CBRS_ALIGN_TOP) != 0;
    const BOOL bBottom = (m_dwStyle & CBRS_ALIGN_BOTTOM) != 0;
    const CSize sizeMax = GetAvailableSize();
    if (!bQuery)
        m_hDWP = ::BeginDeferWindowPos(static_cast<int>(m_arrBars.GetSize()));

    CControlBar* pLastVisible = nullptr;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && pBar->IsVisible())
            pLastVisible = pBar;
    }
    if (!bQuery) {
        for (auto& s : m_splitters)
            s->m_bInUse = FALSE;
        for (auto& e : m_clientEdges)
            e->m_bInUse = FALSE;
    }

    CPoint pen(0, 0);
    CPoint penFirst(0, 0);
    int nThick = 0;
    int nLength = 0;
    int nOverlap = 0;
    int nMaxOverlap = 0;
    BOOL bFirstRow = TRUE;
    BOOL bNewRow = TRUE;
    BOOL bPrevShareRow = FALSE;
    BOOL bFirstLaidOut = TRUE;
    int nThickChangePos = -1;
    int nRowStart = 0;
    int nShare = 0;
    int nFixed = 0;
    int nShift = 0;
    BOOL bAnyVisible = FALSE;
    int& xAlong = bHorzSide ? pen.x : pen.y;
    int& xAcross = bHorzSide ? pen.y : pen.x;

    for (int nPos = 0; nPos < m_arrBars.GetSize(); ++nPos) {
        if (nPos == 0 || !m_arrBars[nPos - 1]) {
            nRowStart = nPos;
            NormalizeRow(nPos, m_pResizingBar, nShare, nFixed);
        }
        const int nCount = nShare + nFixed;
        void* pEntry = m_arrBars[nPos];
        CControlBar* pBar = GetDockedControlBar(nPos);
        if (pBar && pBar->IsVisible()) {
            bAnyVisible = TRUE;
            // Bars overlap their neighbours by their border in a docked dock bar; customisable toolbars
            // start their rows by their own border rules.
            int o = m_bFloating ? 0 : displayCache().m_nBorderX;
            const SECControlBar* pSECBar = AsSECBar(pBar);
            if (!SECIsKindOfName(pBar, "SECCustomToolBar")) {
                if (bFirstRow)
                    xAcross = m_bFloating ? 0 : -2;
                if (bNewRow)
                    xAlong = m_bFloating ? 0 : -2;
            } else if (!(pSECBar->m_dwExStyle & BARX_FLAT_BORDERS)) {
                o = displayCache().m_nBorderX;
                if (bFirstRow)
                    xAcross = -2;
                else if (bNewRow && bPrevShareRow)
                    xAcross += 2;
                if (bNewRow)
                    xAlong = -2;
            } else {
                o = 0;
                if (bNewRow)
                    xAlong = -1;
                if (bFirstRow)
                    xAcross = nShare > 0 ? -3 : -1;
                else if (bNewRow && bPrevShareRow)
                    xAcross += 2;
            }
            if (bFirstRow && bNewRow)
                penFirst = pen;
            nShift = (bLeft && pBar == pLastVisible) ? 2 : 0;
            nOverlap = std::max(nOverlap, o);
            bNewRow = FALSE;
            DWORD nMode = GetLayoutMode(pBar) | (nShare > 0 ? LM_STRETCH : 0);
            CSize size;
            if (nShare == 0 && pSECBar && (pSECBar->m_dwExStyle & BARX_KEEP_LENGTH)) {
                // A bar that keeps its length is measured, not given the whole row.
                size = pBar->CalcDynamicLayout(-1, nMode);
            } else if (!m_bFloating) {
                const int nAvail = (nMode & LM_HORZ) ? sizeMax.cx : sizeMax.cy;
                size = pBar->CalcDynamicLayout(nAvail - kSplit * nCount + kSplit, nMode | LM_COMMIT);
            } else {
                size = pBar->CalcDynamicLayout(-1, nMode);
                size = pBar->CalcDynamicLayout((nMode & LM_HORZ) ? size.cx : size.cy, nMode | LM_COMMIT);
            }
            nLength += bHorzSide ? size.cx : size.cy;
            nThick = std::max(nThick, bHorzSide ? size.cy : size.cx);
            continue;
        }
        if (pEntry)
            continue;
        if (nPos == 0)
            continue; // the leading row end closes no row
        bNewRow = TRUE;
        if (nThick == 0)
            continue;
        // The row from nRowStart to this row end is laid out.
        bFirstRow = FALSE;
        nLength = nLength - kSplit + kSplit * nCount - nOverlap;
        (bHorzSide ? sizeResult.cx : sizeResult.cy) = std::max(bHorzSide ? sizeResult.cx : sizeResult.cy, nLength + xAlong);
        if (nShare == 0) {
            for (int i = nRowStart; i < nPos; ++i) {
                CControlBar* pRowBar = GetDockedControlBar(i);
                if (!pRowBar || !pRowBar->IsVisible())
                    continue;
                SetShadedBorders(pRowBar, TRUE);
                DWORD nMode = GetLayoutMode(pRowBar);
                if (nMode & LM_VERTDOCK)
                    nMode = LM_VERTDOCK;
                const CSize size = pRowBar->CalcDynamicLayout(-1, nMode);
                CRect rect(pen, size);
                const SECControlBar* pSEC = AsSECBar(pRowBar);
                if (!bHorzSide && pSEC && (pSEC->m_dwExStyle & BARX_OWN_ROW)) {
                    rect.bottom = sizeMax.cy - rect.top;
                    if (!bQuery)
                        PositionBar(pRowBar, rect, 0);
                    continue;
                }
                const CRect present = GetBarRect(pRowBar);
                if (!m_bFloating) {
                    const int nAlongSize = bHorzSide ? rect.Width() : rect.Height();
                    const int nMaxAlong = bHorzSide ? sizeMax.cx : sizeMax.cy;
                    if ((bHorzSide ? rect.left : rect.top) < (bHorzSide ? present.left : present.top))
                        bHorzSide ? rect.MoveToX(present.left) : rect.MoveToY(present.top);
                    if ((bHorzSide ? rect.right : rect.bottom) > nMaxAlong) {
                        const int nStart = std::max(nMaxAlong - (nAlongSize - nOverlap), xAlong);
                        bHorzSide ? rect.MoveToX(nStart) : rect.MoveToY(nStart);
                    }
                    if (rect != present) {
                        if (!bQuery && !pRowBar->IsFloating() && pRowBar->m_pDockContext)
                            pRowBar->m_pDockContext->m_rectMRUDockPos = rect;
                        if (!bQuery) {
                            PositionBar(pRowBar, rect, rect.Size() == present.Size() ? SWP_NOSIZE : 0);
                            m_barsToRedraw.push_back(pRowBar);
                        }
                    }
                } else if (!bQuery && rect != present) {
                    // Nothing else gives a floating bar its size: docking left it without one.
                    PositionBar(pRowBar, rect, 0);
                    m_barsToRedraw.push_back(pRowBar);
                }
                xAlong = (bHorzSide ? rect.left : rect.top) + (bHorzSide ? size.cx : size.cy) - nOverlap;
            }
        } else {
            if (!m_bFloating) {
                if (bHorzSide)
                    pen.x += 1 + nOverlap;
                if (bFirstLaidOut) {
                    pen.y += bBottom ? 1 : 0;
                    pen.x += bRight ? 1 : 0;
                }
                if (bRight) {
                    if (!bQuery)
                        AddSplitter(0, 1, pen.x, 0, pen.x + kSplit, sizeMax.cy - nOverlap, nRowStart);
                    pen.x += kSplit;
                } else if (bLeft) {
                    if (!bQuery)
                        AddClientEdge(1, pen.x, 0, pen.x + kEdge, sizeMax.cy + pen.y);
                    pen.x += kEdge;
                } else if (bBottom) {
                    if (!bQuery)
                        AddSplitter(0, 0, 0, pen.y, sizeMax.cx, pen.y + kSplit, nRowStart);
                    pen.y += kSplit;
                } else if (bTop) {
                    if (!bQuery)
                        AddClientEdge(0, 0, pen.y, sizeMax.cx, pen.y + kEdge);
                    pen.y += kEdge;
                }
            }
            for (int i = nRowStart; i < nPos; ++i) {
                CControlBar* pRowBar = GetDockedControlBar(i);
                if (!pRowBar || !pRowBar->IsVisible())
                    continue;
                SetShadedBorders(pRowBar, FALSE);
                DWORD nMode = GetLayoutMode(pRowBar);
                if (nMode & LM_VERTDOCK)
                    nMode = LM_VERTDOCK;
                const BOOL bLastInRow = GetNextVisibleBarInRow(i) == nullptr;
                CRect rect;
                if (!bHorzSide) {
                    CSize size = (!bQuery && !m_bFloating) ? pRowBar->CalcDynamicLayout(nThick, nMode | LM_COMMIT)
                                                           : pRowBar->CalcDynamicLayout(-1, nMode);
                    int h = size.cy;
                    if (bLastInRow && !KeepsLength(pRowBar) && sizeMax.cy - pen.y != h) {
                        pRowBar->CalcDynamicLayout(sizeMax.cy - pen.y, nMode | LM_COMMIT | LM_LENGTHY);
                        h = sizeMax.cy - pen.y;
                    }
                    rect.SetRect(pen.x, pen.y, pen.x + size.cx, pen.y + h);
                    pen.y += h;
                    if (!bLastInRow) {
                        AddSplitter(1, 0, rect.left, rect.bottom, rect.left + nThick, rect.bottom + kSplit, i);
                        pen.y += kSplit;
                    }
                } else {
                    CSize size = !bQuery ? pRowBar->CalcDynamicLayout(nThick, nMode | LM_COMMIT | LM_LENGTHY)
                                         : pRowBar->CalcDynamicLayout(-1, nMode);
                    int w = size.cx;
                    if (bLastInRow && !KeepsLength(pRowBar) && !(pRowBar->m_dwStyle & CBRS_FLOATING) && sizeMax.cx - pen.x != w) {
                        pRowBar->CalcDynamicLayout(sizeMax.cx - pen.x, nMode | LM_COMMIT);
                        w = sizeMax.cx - pen.x;
                    }
                    rect.SetRect(pen.x, pen.y, pen.x + w, pen.y + size.cy);
                    pen.x += w;
                    if (!bLastInRow) {
                        AddSplitter(1, 1, rect.right, rect.top, rect.right + kSplit, rect.top + nThick, i);
                        pen.x += kSplit;
                    }
                }
                const CRect present = GetBarRect(pRowBar);
                if (rect != present) {
                    if (!pRowBar->IsFloating() && pRowBar->m_pDockContext)
                        pRowBar->m_pDockContext->m_rectMRUDockPos = rect;
                    if (!bQuery) {
                        PositionBar(pRowBar, rect, rect.Size() == present.Size() ? SWP_NOSIZE : 0);
                        if (rect.Size() != present.Size())
                            m_barsToRedraw.push_back(pRowBar);
                        if ((bHorzSide ? rect.Height() : rect.Width()) != (bHorzSide ? present.Height() : present.Width()))
                            nThickChangePos = i;
                    }
                }
            }
            if (!m_bFloating) {
                if (bLeft) {
                    if (!bQuery)
                        AddSplitter(0, 1, pen.x + nThick + nShift, 0, pen.x + nThick + nShift + kSplit, sizeMax.cy - 2 * nOverlap, nRowStart);
                    pen.x += kSplit;
                } else if (bRight) {
                    if (!bQuery)
                        AddClientEdge(1, pen.x + nThick, 0, pen.x + nThick + kEdge, sizeMax.cy + pen.y);
                    pen.x += kEdge;
                } else if (bBottom) {
                    if (!bQuery)
                        AddClientEdge(0, 0, pen.y + nThick, sizeMax.cx, pen.y + nThick + kEdge);
                    pen.y += kEdge;
                } else if (bTop) {
                    if (!bQuery)
                        AddSplitter(0, 0, 0, pen.y + nThick, sizeMax.cx, pen.y + nThick + kSplit, nRowStart);
                    pen.y += kSplit;
                }
            }
        }
        AFX_SIZEPARENTPARAMS layout;
        layout.hDWP = m_hDWP;
        for (int i = nRowStart; i < nPos; ++i) {
            if (CControlBar* pRowBar = GetDockedControlBar(i))
                pRowBar->RecalcDelayShow(&layout);
        }
        m_hDWP = layout.hDWP;
        xAcross += nThick - nOverlap;
        (bHorzSide ? sizeResult.cy : sizeResult.cx) = std::max(bHorzSide ? sizeResult.cy : sizeResult.cx, xAcross);
        nThick = 0;
        nLength = 0;
        bFirstLaidOut = FALSE;
        bPrevShareRow = nShare > 0;
        nMaxOverlap = std::max(nMaxOverlap, nOverlap);
        nOverlap = 0;
    }

    if (!bQuery) {
        if (m_hDWP)
            ::EndDeferWindowPos(m_hDWP);
        m_hDWP = nullptr;
        if (!m_bTracking)
            std::erase_if(m_splitters, [](const auto& s) { return !s->m_bInUse; });
        std::erase_if(m_clientEdges, [](const auto& e) { return !e->m_bInUse; });
        if (nThickChangePos >= 0)
            AddBarsToRedrawFrom(nThickChangePos);
    }
    CRect rectBorders;
    CalcInsideRect(rectBorders, bHorz);
    if ((!bStretch || !bHorz) && sizeResult.cx != 0)
        sizeResult.cx += rectBorders.left - rectBorders.right;
    if ((!bStretch || bHorz) && sizeResult.cy != 0)
        sizeResult.cy += rectBorders.top - rectBorders.bottom;
    m_pResizingBar = nullptr;
    const int nAcross = !bAnyVisible ? 0 : xAcross + (bHorzSide ? penFirst.y : penFirst.x) + 2 + nMaxOverlap - (m_bFloating ? 2 : 0);
    (bHorzSide ? sizeResult.cy : sizeResult.cx) = nAcross;
    return sizeResult;
}

LRESULT SECDockBar::OnSizeParent(WPARAM wParam, LPARAM lParam)
{
    // While the frame lays out, this dock bar's rows decide whether moves repaint.
    const BOOL bSmooth = SECSmoothLayout();
    if (bSmooth)
        SECSmoothLayout() = m_bRowsChanged;
    const LRESULT result = CDockBar::OnSizeParent(wParam, lParam);
    SECSmoothLayout() = bSmooth;
    return result;
}
