// How bars enter and leave the dock bar: docking at a rectangle, at a row and column or back into a
// placeholder, the rules that place a bar in the entry list, the outline of a bar dragged over the dock
// bar, and removal that leaves a placeholder.

#include "toolkit/frames/SECDockBar.h"

#include <algorithm>

#include "platform/afx/CDockContext.h"
#include "platform/afx/CFrameWnd.h"
#include "toolkit/frames/SECControlBar.h"
#include "toolkit/frames/SECDisplayCache.h"

namespace {

constexpr int kMaxTitle = 260;

void* PlaceHolderOf(CControlBar* pBar)
{
    return reinterpret_cast<void*>(static_cast<UINT_PTR>(static_cast<UINT>(pBar->GetDlgCtrlID())));
}

} // namespace

void SECDockBar::RemoveFromRedrawList(CControlBar* pBar) { std::erase(m_barsToRedraw, pBar); }

void SECDockBar::PrepareBarForDock(CControlBar* pBar)
{
    if (m_bFloating && (pBar->m_dwDockStyle & CBRS_FLOAT_MULTI))
        m_dwStyle |= CBRS_FLOAT_MULTI;
    m_dwStyle = (m_dwStyle & ~(CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC)) | (pBar->m_dwStyle & (CBRS_SIZE_FIXED | CBRS_SIZE_DYNAMIC));
    if (!(m_dwStyle & CBRS_FLOAT_MULTI)) {
        CString title;
        pBar->GetWindowText(title);
        SetWindowText(title.Left(kMaxTitle - 1));
    }
    DWORD dwStyle = (pBar->GetBarStyle() & ~(CBRS_ALIGN_ANY | CBRS_FLOATING)) | (m_dwStyle & CBRS_ALIGN_ANY) | CBRS_BORDER_ANY;
    if (m_bFloating)
        dwStyle |= CBRS_FLOATING;
    pBar->SetBarStyle(dwStyle);
}

void SECDockBar::FinishDock(CControlBar* pBar, int nPosPlaced)
{
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (CDockBar* pOld = pBar->m_pDockBar; pOld == this)
        RemoveControlBar(pBar, nPosPlaced, FALSE);
    else if (pOld)
        pOld->RemoveControlBar(pBar, -1, FALSE);
    pBar->m_pDockBar = this;
    RemovePlaceHolder(pBar);
    DelayFrameLayout();
}

// Docking --------------------------------------------------------------------------------------------

void SECDockBar::DockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect rect;
    CPoint ptCentre;
    if (lpRect) {
        rect = *lpRect;
        ScreenToClient(&rect);
        ptCentre = rect.CenterPoint();
    }
    if (pBar->m_pDockBar == this) {
        const CRect present = GetBarRect(pBar);
        const SECControlBar* pSEC = AsSECBar(pBar);
        if (pSEC && (pSEC->m_dwExStyle & BARX_KEEP_LENGTH) && (!lpRect || present == rect))
            return;
        if (lpRect) {
            const int nPresent = FindBar(pBar);
            const int nInsert = GetInsertPosition(pBar, rect, ptCentre);
            if (present == rect || nInsert == nPresent || nInsert == nPresent + 1)
                return;
        }
    } else if (pBar->m_pDockBar) {
        CRect old;
        pBar->GetWindowRect(&old);
        pBar->m_pDockBar->ScreenToClient(&old);
        pBar->m_pDockBar->InvalidateRect(&old);
    }
    PrepareBarForDock(pBar);
    int nPos = 0;
    CPoint ptAt;
    if (!lpRect) {
        if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
            m_arrBars.Add(nullptr);
        nPos = static_cast<int>(m_arrBars.Add(pBar));
        m_arrBars.Add(nullptr);
        ptAt = CPoint(-displayCache().m_nBorderX, -displayCache().m_nBorderY);
    } else {
        nPos = InsertByPoint(pBar, rect.left, rect.top, rect.right, rect.bottom, ptCentre.x, ptCentre.y);
        ptAt = rect.TopLeft();
    }
    // The delayed layout gives the bar its size.
    pBar->SetWindowPos(nullptr, ptAt.x, ptAt.y, 0, 0, SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE);
    FinishDock(pBar, nPos);
}

void SECDockBar::DockControlBar(CControlBar* pBar, const SECDockPos& pos)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    PrepareBarForDock(pBar);
    FinishDock(pBar, Insert(pBar, pos));
    // The bar keeps the share it was given; its neighbours make room.
    if (const int nBarPos = FindBar(pBar); nBarPos >= 0) {
        int nShare = 0;
        int nFixed = 0;
        NormalizeRow(GetRowStart(nBarPos), pBar, nShare, nFixed);
    }
}

void SECDockBar::DockControlBar(CControlBar* pBar, int nCol, int nRow)
{
    DockControlBar(pBar, SECDockPos { nRow, nCol, 0 });
}

void SECDockBar::ReDockControlBar(CControlBar* pBar, LPCRECT lpRect)
{
    if (!pBar || !pBar->m_hWnd)
        return;
    CRect rect;
    if (lpRect) {
        rect = *lpRect;
        ScreenToClient(&rect);
    }
    if (pBar->m_pDockBar == this && (!lpRect || GetBarRect(pBar) == rect))
        return;
    PrepareBarForDock(pBar);
    const BOOL bVisible = pBar->IsWindowVisible();
    const UINT nHide = bVisible ? SWP_HIDEWINDOW : 0;
    int nPos = pBar->GetDlgCtrlID() != 0 ? FindBar(static_cast<CControlBar*>(PlaceHolderOf(pBar))) : -1;
    const BOOL bPlaceHolder = nPos > 0;
    if (bPlaceHolder)
        m_arrBars[nPos] = pBar;
    if (lpRect) {
        if (!bPlaceHolder)
            nPos = InsertByPoint(pBar, rect.left, rect.top, rect.right, rect.bottom, rect.CenterPoint().x, rect.CenterPoint().y);
        pBar->SetWindowPos(nullptr, rect.left, rect.top, rect.Width() + 1, rect.Height(), nHide | SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        if (!bPlaceHolder) {
            if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
                m_arrBars.Add(nullptr);
            nPos = static_cast<int>(m_arrBars.Add(pBar));
            m_arrBars.Add(nullptr);
        }
        pBar->SetWindowPos(nullptr, -displayCache().m_nBorderX, -displayCache().m_nBorderY, 0, 0,
            nHide | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (bVisible)
        pBar->DelayShow(TRUE);
    if (pBar->GetParent() != this)
        pBar->SetParent(this);
    if (CDockBar* pOld = pBar->m_pDockBar; pOld == this) {
        RemoveControlBar(pBar, nPos, FALSE);
    } else if (pOld) {
        // A bar its old dock bar no longer lists may still have its placeholder there.
        if (pOld->FindBar(pBar) < 0)
            pOld->RemovePlaceHolder(pBar);
        else
            pOld->RemoveControlBar(pBar, -1, FALSE);
    }
    pBar->m_pDockBar = this;
    DelayFrameLayout();
    SetResizingBar(pBar);
}

BOOL SECDockBar::RemoveControlBar(CControlBar* pBar, int nPosExclude, BOOL)
{
    const int nPos = pBar ? FindBar(pBar, nPosExclude) : -1;
    if (nPos <= 0)
        return FALSE;
    if (!GetPrevBarInRow(nPos) && !GetNextBarInRow(nPos)) {
        AddBarsToRedrawFrom(nPos);
        m_bRowsChanged = TRUE;
    }
    const UINT nID = pBar->m_hWnd ? static_cast<UINT>(pBar->GetDlgCtrlID()) : 0;
    if (nID != 0 && nID <= 0xFFFF) {
        m_arrBars[nPos] = PlaceHolderOf(pBar);
        // One placeholder per bar is enough.
        if (FindBar(static_cast<CControlBar*>(m_arrBars[nPos]), nPos) > 0) {
            m_arrBars.RemoveAt(nPos);
            if (nPos < m_arrBars.GetSize() && !m_arrBars[nPos - 1] && !m_arrBars[nPos])
                m_arrBars.RemoveAt(nPos);
        }
    } else {
        m_arrBars.RemoveAt(nPos);
    }
    RemoveFromRedrawList(pBar);
    // A bar going away (its window being destroyed) leaves quietly.
    if (!pBar->m_pDockContext)
        return FALSE;
    CFrameWnd* pFrame = GetDockingFrame();
    if (m_bFloating && GetDockedVisibleCount() == 0) {
        if (GetDockedCount() != 0) {
            if (pFrame)
                pFrame->ShowWindow(SW_HIDE);
            return FALSE;
        }
        // The frame takes this dock bar with it: nothing of this object may be touched afterwards.
        if (pFrame)
            pFrame->DestroyWindow();
        return TRUE;
    }
    if (pFrame)
        pFrame->RecalcLayout(TRUE);
    return FALSE;
}

// Placing bars in the entry list ------------------------------------------------------------------------

int SECDockBar::GetInsertPosition(CControlBar*, const CRect& rect, CPoint ptCentre)
{
    const BOOL bHorz = IsHorzSide();
    int nCandidate = 0;
    int nThickness = 0;
    int nTotal = 0;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pBar = GetDockedControlBar(i);
        if (pBar && pBar->IsVisible()) {
            const CRect r = GetBarRect(pBar);
            nThickness = std::max(nThickness, bHorz ? r.Height() : r.Width() - 1);
            if (bHorz ? r.CenterPoint().x < rect.left : r.CenterPoint().y < rect.top)
                nCandidate = i;
            continue;
        }
        nTotal += nThickness - displayCache().m_nBorderY;
        nThickness = 0;
        if ((bHorz ? ptCentre.y : ptCentre.x) < nTotal)
            return i == 0 ? 0 : nCandidate + 1;
        nCandidate = i;
    }
    return nCandidate + 1;
}

int SECDockBar::InsertAt(int nPos, CControlBar* pBar)
{
    auto ownRow = [](CControlBar* p) {
        const SECControlBar* pSEC = AsSECBar(p);
        return pSEC && (pSEC->m_dwExStyle & BARX_OWN_ROW);
    };
    nPos = std::clamp(nPos, 1, static_cast<int>(m_arrBars.GetSize()));
    m_arrBars.InsertAt(nPos, pBar);
    const BOOL bOwnRow = ownRow(pBar);
    if (CControlBar* pNext = GetDockedControlBar(nPos + 1); pNext && (bOwnRow || ownRow(pNext)))
        m_arrBars.InsertAt(nPos + 1, static_cast<void*>(nullptr));
    if (CControlBar* pPrev = GetDockedControlBar(nPos - 1); pPrev && (bOwnRow || ownRow(pPrev))) {
        m_arrBars.InsertAt(nPos, static_cast<void*>(nullptr));
        ++nPos;
    }
    return nPos;
}

int SECDockBar::InsertAsFirstRow(CControlBar* pBar)
{
    int nPos = 1;
    while (nPos < m_arrBars.GetSize() && !m_arrBars[nPos])
        ++nPos;
    if (nPos >= m_arrBars.GetSize()) {
        // Row ends only: the bar takes the first row's place.
        nPos = 1;
        m_arrBars.InsertAt(nPos, pBar);
        if (nPos + 1 >= m_arrBars.GetSize())
            m_arrBars.Add(nullptr);
        return nPos;
    }
    m_arrBars.InsertAt(nPos, pBar);
    m_arrBars.InsertAt(nPos + 1, static_cast<void*>(nullptr));
    return nPos;
}

int SECDockBar::InsertByPoint(CControlBar* pBar, int l, int t, int r, int b, int x, int y)
{
    m_barsToRedraw.push_back(pBar);
    const CRect rect(l, t, r, b);
    const BOOL bHorz = IsHorzSide();
    auto insertAt = [this, pBar](int nPos) {
        AddBarsToRedrawFrom(nPos);
        nPos = InsertAt(nPos, pBar);
        if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
            m_arrBars.Add(nullptr);
        return nPos;
    };
    int nLastBar = -1;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        CControlBar* pEntry = GetDockedControlBar(i);
        if (!pEntry || pEntry == pBar)
            continue;
        nLastBar = i;
        const CRect R = GetBarRect(pEntry);
        if (bHorz ? y > R.bottom : x > R.right)
            continue;
        if (bHorz ? y < R.top : x < R.left)
            return InsertAsFirstRow(pBar);
        if ((bHorz ? rect.left < R.CenterPoint().x : rect.top < R.CenterPoint().y) || !pEntry->IsVisible())
            return insertAt(i);
        if (!GetDockedControlBar(i + 1))
            return insertAt(i + 1);
    }
    // Past every bar: a new last row.
    int nPos = nLastBar < 0 ? static_cast<int>(m_arrBars.GetSize()) - 1 : GetRowEnd(nLastBar);
    m_arrBars.InsertAt(nPos + 1, pBar);
    m_arrBars.InsertAt(nPos + 2, static_cast<void*>(nullptr));
    m_bRowsChanged = TRUE;
    return nPos + 1;
}

int SECDockBar::Insert(CControlBar* pBar, int nCol, int nRow) { return Insert(pBar, SECDockPos { nRow, nCol, 0 }); }

int SECDockBar::Insert(CControlBar* pBar, const SECDockPos& pos)
{
    const BOOL bRowFromEnd = (pos.m_dwFlags & SECDockPos::RowFromEnd) != 0;
    const BOOL bColFromEnd = (pos.m_dwFlags & SECDockPos::ColFromEnd) != 0;
    int nIndex = 1;
    int nNullsBefore = 0;
    int nNullsAfter = 0;
    // The row ends of the list, front to back; the rows are the runs between neighbours.
    std::vector<int> ends;
    for (int i = 0; i < m_arrBars.GetSize(); ++i) {
        if (!m_arrBars[i])
            ends.push_back(i);
    }
    const int nRows = static_cast<int>(ends.size()) - 1;
    if (m_arrBars.GetSize() <= 1) {
        nNullsAfter = 1;
    } else if (!bRowFromEnd && pos.m_nRow < 0) {
        nNullsAfter = -1 - pos.m_nRow;
    } else if (bRowFromEnd && pos.m_nRow > 0) {
        nIndex = static_cast<int>(m_arrBars.GetSize());
        nNullsBefore = pos.m_nRow - 1;
        nNullsAfter = 1;
    } else if (const int nAsked = bRowFromEnd ? -pos.m_nRow : pos.m_nRow; nAsked >= nRows) {
        // Fewer rows than asked: the missing ones are made, at the end or in front.
        const int nMissing = nAsked - nRows;
        return bRowFromEnd ? Insert(pBar, SECDockPos { -2 - nMissing, 0, 0 })
                           : Insert(pBar, SECDockPos { nMissing + 1, 0, SECDockPos::RowFromEnd });
    } else {
        const int nRow = bRowFromEnd ? nRows - 1 - nAsked : nAsked;
        const int nFirst = ends[nRow] + 1;
        const int nEnd = ends[nRow + 1];
        nIndex = nFirst;
        auto visibleBar = [this](int i) {
            CControlBar* p = GetDockedControlBar(i);
            return p && p->IsVisible();
        };
        if (pos.m_dwFlags & SECDockPos::NewRow) {
            nNullsAfter = 1;
        } else if (nFirst == nEnd || (!bColFromEnd && pos.m_nCol < 1)) {
            // At the row's start.
        } else if (!bColFromEnd) {
            for (int nPassed = 0; nIndex < nEnd; ++nIndex) {
                if (visibleBar(nIndex) && nPassed++ == pos.m_nCol)
                    break;
            }
        } else if (pos.m_nCol > 0) {
            nIndex = nEnd;
        } else {
            nIndex = nEnd - 1;
            for (int nPassed = 0; nIndex >= nFirst; --nIndex) {
                if (visibleBar(nIndex) && nPassed++ == -pos.m_nCol)
                    break;
            }
            nIndex = std::max(nIndex, nFirst);
        }
    }
    if (CControlBar* pLandedOn = GetDockedControlBar(nIndex))
        m_barsToRedraw.push_back(pLandedOn);
    m_barsToRedraw.push_back(pBar);
    for (int i = 0; i < nNullsBefore; ++i)
        m_arrBars.InsertAt(nIndex++, static_cast<void*>(nullptr));
    // Bars that take a row of their own get it here too; a row end it already made counts.
    const BOOL bNextWasRowEnd = nIndex >= m_arrBars.GetSize() || !m_arrBars[nIndex];
    nIndex = InsertAt(nIndex, pBar);
    if (!bNextWasRowEnd && nIndex + 1 < m_arrBars.GetSize() && !m_arrBars[nIndex + 1])
        nNullsAfter = std::max(nNullsAfter - 1, 0);
    for (int i = 0; i < nNullsAfter; ++i)
        m_arrBars.InsertAt(nIndex + 1 + i, static_cast<void*>(nullptr));
    if (m_arrBars[m_arrBars.GetSize() - 1] != nullptr)
        m_arrBars.Add(nullptr);
    return nIndex;
}

// The drag outline ------------------------------------------------------------------------------------------

void SECDockBar::CalcDragRect(
    CRect& rect, CControlBar* pBar, const CRect& rectDrag, int x, int y, int& nLastRow, CRect& rectLast, CPoint& ptLast)
{
    CRect client = rectDrag;
    ScreenToClient(&client);
    const int nInsert = GetInsertPosition(pBar, client, client.CenterPoint());
    const int nRowStart = nInsert < m_arrBars.GetSize() ? GetRowStart(nInsert) : nInsert;
    const BOOL bHorz = IsHorzSide();
    const DWORD nMode = bHorz ? (LM_HORZ | LM_HORZDOCK) : LM_VERTDOCK;

    std::vector<CControlBar*> others;
    for (int i = nRowStart; i < m_arrBars.GetSize() && m_arrBars[i]; ++i) {
        CControlBar* pOther = GetDockedControlBar(i);
        if (pOther && pOther != pBar && pOther->IsVisible())
            others.push_back(pOther);
    }
    const CPoint ptMouse(x, y);
    if (!others.empty() && nRowStart == nLastRow) {
        rect = rectLast;
        rect.OffsetRect(ptMouse - ptLast);
    } else {
        rect = rectDrag;
        const SECControlBar* pSEC = AsSECBar(pBar);
        CRect window;
        GetWindowRect(&window);
        const int nRowLength = bHorz ? window.Width() : window.Height();
        int nLength = -1;
        int nThickness = bHorz ? rect.Height() : rect.Width();
        if (pSEC && (pSEC->m_dwExStyle & BARX_KEEP_LENGTH)) {
            // A bar that keeps its length shows its own outline.
        } else if (others.empty()) {
            nLength = nRowLength;
        } else {
            float fSum = 0.0F;
            int nAcross = 0;
            BOOL bAlreadyThere = FALSE;
            for (CControlBar* pOther : others) {
                const SECControlBar* pOtherSEC = AsSECBar(pOther);
                if (!pOtherSEC)
                    continue;
                bAlreadyThere |= pOther == pBar;
                fSum += pOtherSEC->m_fPctWidth;
                const CSize size = pOther->CalcDynamicLayout(-1, nMode);
                nAcross = std::max(nAcross, static_cast<int>(bHorz ? size.cy : size.cx));
            }
            if (!bAlreadyThere && fSum > 0.0F && pSEC) {
                fSum += pSEC->m_fPctWidth;
                const CSize size = pBar->CalcDynamicLayout(-1, nMode);
                nAcross = std::max(nAcross, static_cast<int>(bHorz ? size.cy : size.cx));
                nLength = static_cast<int>(static_cast<float>(nRowLength) * (pSEC->m_fPctWidth / fSum));
                nThickness = nAcross;
            }
        }
        if (nLength >= 0) {
            // The outline changes size around the mouse, which keeps its relative place in it.
            auto resize = [](LONG& start, LONG& end, int nMouse, int nNew) {
                const int nOld = end - start;
                const int nOffset = nOld > 0 ? static_cast<int>(static_cast<long long>(nMouse - start) * nNew / nOld) : 0;
                start = nMouse - nOffset;
                end = start + nNew;
            };
            if (bHorz) {
                resize(rect.left, rect.right, x, nLength);
                resize(rect.top, rect.bottom, y, nThickness);
            } else {
                resize(rect.top, rect.bottom, y, nLength);
                resize(rect.left, rect.right, x, nThickness);
            }
        }
    }
    nLastRow = nRowStart;
    rectLast = rect;
    ptLast = ptMouse;
}
