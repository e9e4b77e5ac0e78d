// Belongs to the list template: SECListBaseC.cpp and SECListBaseV.cpp include it and instantiate it.
// The list's measuring, row arithmetic, cell rectangles and scroll bars.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CResourceException.h"
#include "toolkit/controls/SECListBase.h"

template <class TBase>
void SECListBase<TBase>::GetItemAreaRect(CRect& rect) const
{
    if (m_hWnd == nullptr) {
        rect.SetRectEmpty();
        return;
    }
    GetClientRect(&rect);
}

template <class TBase>
BOOL SECListBase<TBase>::GetItemArea(CRect& rect)
{
    GetItemAreaRect(rect);
    if (IsHeaderVisible())
        rect.top += m_nHeaderHeight;
    if (m_dwScrollBars & WS_VSCROLL)
        rect.right -= ::GetSystemMetrics(SM_CXVSCROLL) - 1;
    if (m_dwScrollBars & WS_HSCROLL)
        rect.bottom -= ::GetSystemMetrics(SM_CYHSCROLL) - 1;
    rect.bottom = std::max(rect.top, rect.bottom);
    rect.right = std::max(rect.left, rect.right);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::GetScrollPosition(CPoint& pt)
{
    pt = CPoint(m_nHorzScroll, m_nScrollWord2);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::ClientToScreen(CPoint& pt)
{
    TBase::ClientToScreen(&pt);
    return TRUE;
}

template <class TBase>
HWND SECListBase<TBase>::SetCapture(BOOL bCapture)
{
    return bCapture ? ::SetCapture(m_hWnd) : nullptr;
}

// --- measuring --------------------------------------------------------------------------------------

template <class TBase>
std::unique_ptr<SECListPaintContext> SECListBase<TBase>::CreatePaintContext(CDC* pDC)
{
    auto pContext = std::make_unique<SECListPaintContext>(pDC);
    pContext->m_nView = m_dwListStyle & LVS_TYPEMASK;
    return pContext;
}

template <class TBase>
void SECListBase<TBase>::CalcIconRect(SECListPaintContext* pContext, CRect& rect)
{
    CImageList* pList = GetImageList(pContext->m_nView == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
    rect.SetRectEmpty();
    if (pList == nullptr || pContext->m_lvi.iImage < 0)
        return;
    int cx = 0;
    int cy = 0;
    ::ImageList_GetIconSize(*pList, &cx, &cy);
    rect.SetRect(2, 2, 2 + cx, 2 + cy);
}

template <class TBase>
void SECListBase<TBase>::CalcTextRect(SECListPaintContext* pContext, CRect& rect)
{
    const SECListColumn* pColumn = pContext->m_pColumn;
    UINT nFormat = DT_CALCRECT | DT_NOPREFIX | DT_WORDBREAK | DT_EXPANDTABS;
    const int nAlign = pColumn ? (pColumn->m_nFormat & LVCFMT_JUSTIFYMASK) : 0;
    if (nAlign == LVCFMT_RIGHT)
        nFormat |= DT_RIGHT;
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    const char* pszText = pContext->m_lvi.pszText ? pContext->m_lvi.pszText : "";
    if (pszText == LPSTR_TEXTCALLBACK)
        pszText = "";
    int nLength = static_cast<int>(std::strlen(pszText));
    if (HasListStyle(LVS_NOLABELWRAP)) {
        if (const char* pBreak = std::strchr(pszText, '\n'))
            nLength = static_cast<int>(pBreak - pszText);
        nFormat |= DT_SINGLELINE;
    }
    rect.SetRect(0, 0, pColumn ? pColumn->m_nWidth : 0, 0);
    CFont* pOldFont = pContext->m_pDC->SelectObject(CFont::FromHandle(pContext->m_hFont));
    pContext->m_pDC->DrawText(pszText, nLength, &rect, nFormat);
    pContext->m_pDC->SelectObject(pOldFont);
    SECListItem* pItem = pContext->m_pItem;
    const BOOL bFirst = pContext->m_lvi.iSubItem == 0;
    CPoint origin(6, 2);
    if (bFirst && pItem && !pItem->m_rcIcon.IsRectEmpty()) {
        if (pContext->m_nView == LVS_ICON)
            origin = CPoint(8, pItem->m_rcIcon.bottom + 2);
        else
            origin = CPoint(pItem->m_rcIcon.right + 5, (pItem->m_rcIcon.Height() - rect.Height()) / 2);
    }
    rect.OffsetRect(origin);
    if (bFirst && pItem)
        SetLabelRect(*pItem, rect);
    else if (pContext->m_pSubItem)
        pContext->m_pSubItem->m_rcText = rect;
}

template <class TBase>
BOOL SECListBase<TBase>::MeasureCell(SECListPaintContext* pContext, int& cy)
{
    cy = 0;
    if (pContext->m_lvi.pszText == nullptr)
        return FALSE;
    CRect rcIcon(0, 0, 0, 0);
    if (pContext->m_lvi.iSubItem == 0 && pContext->m_pItem) {
        CalcIconRect(pContext, pContext->m_pItem->m_rcIcon);
        rcIcon = pContext->m_pItem->m_rcIcon;
    }
    CRect rcText;
    CalcTextRect(pContext, rcText);
    // The icon is drawn at its rectangle's place in the row, so the row reaches down to its bottom.
    if (pContext->m_nView == LVS_ICON)
        cy = rcIcon.Height() + rcText.Height() + 5;
    else
        cy = std::max(rcIcon.IsRectEmpty() ? 0 : static_cast<int>(rcIcon.bottom), rcText.Height());
    return TRUE;
}

template <class TBase>
void SECListBase<TBase>::MeasureItem(SECListPaintContext* pContext)
{
    SECListItem* pItem = pContext->m_pItem;
    if (pItem == nullptr || !pItem->m_bMeasure)
        return;
    if (pItem->m_cy == -1)
        pItem->m_cy = 0;
    for (int nCol = 0; nCol < std::max(1, GetColumnCount()); ++nCol) {
        pContext->m_nColumn = nCol;
        pContext->m_pColumn = GetColumnRecord(nCol);
        pContext->m_lvi.iSubItem = pContext->m_pColumn ? pContext->m_pColumn->m_nSubItem : 0;
        pContext->m_pSubItem = pItem->GetSubItem(pContext->m_lvi.iSubItem);
        if (!PrepareItem(pContext))
            continue;
        int cy = 0;
        MeasureCell(pContext, cy);
        pItem->m_cy = std::max(pItem->m_cy, cy);
    }
    pItem->m_bMeasure = FALSE;
}

template <class TBase>
void SECListBase<TBase>::MeasureRow(int nRow, SECListPaintContext* pContext)
{
    SECListItem* pItem = GetItemRecord(nRow);
    if (pItem == nullptr || !pItem->m_bMeasure)
        return;
    if (pContext != nullptr) {
        pContext->m_lvi.iItem = nRow;
        pContext->m_pItem = pItem;
        MeasureItem(pContext);
        return;
    }
    const auto pDC = CreateMeasureDC();
    auto pOwn = CreatePaintContext(pDC.get());
    pOwn->m_lvi.iItem = nRow;
    pOwn->m_pItem = pItem;
    MeasureItem(pOwn.get());
}

template <class TBase>
std::unique_ptr<CDC> SECListBase<TBase>::CreateMeasureDC()
{
    return std::make_unique<CClientDC>(m_hWnd ? this : nullptr);
}

template <class TBase>
int SECListBase<TBase>::MeasuredHeight(int nRow, BOOL bWithSpacing)
{
    SECListItem* pItem = GetItemRecord(nRow);
    if (pItem == nullptr)
        return 0;
    if (pItem->m_bMeasure) {
        // An owner asked for a cell while the row is measured may ask for other rows: those get a
        // context of their own.
        SECListPaintContext* pShared = std::exchange(m_pMeasureContext, nullptr);
        MeasureRow(nRow, pShared);
        m_pMeasureContext = pShared;
    }
    return std::max(0, pItem->m_cy) + (bWithSpacing ? GetRowSpacing() : 0);
}

template <class TBase>
void SECListBase<TBase>::SetLabelRect(SECListItem& row, const CRect& rect)
{
    row.m_rcLabel = rect;
    // The label's right edge and a small margin: what the row needs to be seen whole.
    m_labelExtents.Count(row, static_cast<int>(rect.right) + 5);
}

template <class TBase>
void SECListBase<TBase>::MarkForMeasure(int nRow)
{
    if (SECListItem* pItem = GetItemRecord(nRow)) {
        pItem->m_bMeasure = TRUE;
        m_labelExtents.MarkPending(nRow);
    }
}

template <class TBase>
int SECListBase<TBase>::GetWidestLabelExtent()
{
    const auto measure = [this](int nRow) {
        if (SECListItem* pItem = GetItemRecord(nRow)) {
            MeasuredHeight(nRow, FALSE);
            // A row without text keeps the label rectangle it had: that is what it shows.
            m_labelExtents.Count(*pItem, static_cast<int>(pItem->m_rcLabel.right) + 5);
        }
    };
    if (m_labelExtents.IsAllPending()) {
        for (int nRow = 0; nRow < GetItemCount(); ++nRow)
            measure(nRow);
        m_labelExtents.AllMeasured();
    } else {
        for (const int nRow : m_labelExtents.TakePending())
            measure(nRow);
    }
    if (!m_labelExtents.IsWidestKnown())
        m_labelExtents.Recount(m_rows);
    return m_labelExtents.GetWidest();
}

template <class TBase>
void SECListBase<TBase>::InvalidateRowHeights()
{
    m_labelExtents.MarkAllPending();
    const BOOL bWrap = IsLabelWrap();
    for (const auto& pRow : m_rows) {
        pRow->m_bMeasure = TRUE;
        if (bWrap)
            pRow->m_cy = -1;
    }
}

template <class TBase>
void SECListBase<TBase>::RemeasureItem(int nRow)
{
    if (GetItemRecord(nRow) != nullptr) {
        MarkForMeasure(nRow);
        RedrawItems(nRow, FALSE, TRUE, FALSE, FALSE);
    }
}

template <class TBase>
BOOL SECListBase<TBase>::SetItemHeight(int nRow, int cy)
{
    if (SECListItem* pItem = GetItemRecord(nRow))
        pItem->m_cy = cy;
    return TRUE;
}

// --- row arithmetic ---------------------------------------------------------------------------------

template <class TBase>
int SECListBase<TBase>::GetCountPerPage()
{
    CRect area;
    GetItemArea(area);
    int cy = 0;
    int nCount = 0;
    int nRow = m_nTopIndex;
    for (; nRow < GetItemCount(); ++nRow) {
        const int h = MeasuredHeight(nRow, TRUE);
        if (cy + h > area.Height())
            return nCount;
        cy += h;
        ++nCount;
    }
    for (nRow = m_nTopIndex - 1; nRow >= 0; --nRow) {
        const int h = MeasuredHeight(nRow, TRUE);
        if (cy + h > area.Height())
            break;
        cy += h;
        ++nCount;
    }
    return nCount;
}

template <class TBase>
int SECListBase<TBase>::GetCountPerPageAbove()
{
    CRect area;
    GetItemArea(area);
    int cy = 0;
    int nCount = 0;
    for (int nRow = m_nTopIndex - 1; nRow >= 0; --nRow) {
        cy += MeasuredHeight(nRow, TRUE);
        if (cy > area.Height())
            break;
        ++nCount;
    }
    return nCount;
}

template <class TBase>
int SECListBase<TBase>::GetLastTopIndex()
{
    CRect area;
    GetItemArea(area);
    int cy = 0;
    for (int nRow = GetItemCount() - 1; nRow >= 0; --nRow) {
        cy += MeasuredHeight(nRow, TRUE);
        if (cy > area.Height())
            return std::min(nRow + 1, GetItemCount() - 1);
    }
    return 0;
}

template <class TBase>
int SECListBase<TBase>::GetLastFullyVisible(SECListPaintContext*)
{
    CRect area;
    GetItemArea(area);
    int cy = 0;
    int nLast = -1;
    for (int nRow = m_nTopIndex; nRow < GetItemCount(); ++nRow) {
        cy += MeasuredHeight(nRow, TRUE);
        if (cy > area.Height())
            return nLast;
        nLast = nRow;
    }
    return nLast;
}

template <class TBase>
int SECListBase<TBase>::GetVisibleEnd()
{
    CRect area;
    GetItemArea(area);
    int y = 0;
    int nRow = m_nTopIndex;
    for (; nRow < GetItemCount() && y < area.Height(); ++nRow)
        y += MeasuredHeight(nRow, TRUE);
    return nRow;
}

template <class TBase>
int SECListBase<TBase>::GetPageUpTop()
{
    CRect area;
    GetItemArea(area);
    int cy = 0;
    for (int nRow = m_nTopIndex; nRow >= 0; --nRow) {
        cy += MeasuredHeight(nRow, TRUE);
        if (cy >= area.Height())
            return nRow;
    }
    return -1;
}

template <class TBase>
int SECListBase<TBase>::RowFromY(CPoint point)
{
    int cy = 0;
    int nRow = 0;
    for (; nRow < GetItemCount(); ++nRow) {
        cy += MeasuredHeight(nRow, TRUE);
        if (cy >= point.y)
            break;
    }
    return nRow;
}

template <class TBase>
int SECListBase<TBase>::GetHeightBetween(int nFrom, int nTo, BOOL bInclusive)
{
    int nSign = 1;
    if (nFrom > nTo) {
        std::swap(nFrom, nTo);
        nSign = -1;
    }
    int cy = 0;
    const int nEnd = std::min(bInclusive ? nTo + 1 : nTo, GetItemCount());
    for (int nRow = std::max(0, nFrom); nRow < nEnd; ++nRow)
        cy += MeasuredHeight(nRow, TRUE);
    return nSign * cy;
}

template <class TBase>
int SECListBase<TBase>::GetRowsInHeight(int cy, int nStart, BOOL bForward)
{
    int nCount = 0;
    int h = 0;
    for (int nRow = nStart; nRow >= 0 && nRow < GetItemCount() && h < cy; nRow += bForward ? 1 : -1) {
        h += MeasuredHeight(nRow, TRUE);
        ++nCount;
    }
    return nCount;
}

// --- cell rectangles --------------------------------------------------------------------------------

template <class TBase>
BOOL SECListBase<TBase>::GetCellRect(int nRow, int nCol, CRect& rect, int nCode)
{
    SECListItem* pItem = GetItemRecord(nRow);
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pItem == nullptr || nRow < m_nTopIndex || (pColumn == nullptr && GetColumnCount() > 0))
        return FALSE;
    CRect area;
    GetItemArea(area);
    const int top = area.top + GetHeightBetween(m_nTopIndex, nRow, FALSE);
    const int cy = MeasuredHeight(nRow, FALSE);
    const int left = GetColumnLeft(nCol);
    rect.SetRect(left, top, left + (pColumn ? pColumn->m_nWidth : area.Width()), top + cy);
    if (nCode == LVIR_BOUNDS) {
        if (GetColumnCount() <= 1)
            rect.right = std::max(rect.right, area.right);
        return TRUE;
    }
    const int nSubItem = pColumn ? pColumn->m_nSubItem : 0;
    if (nSubItem == 0) {
        if (nCode == LVIR_LABEL) {
            rect.right = left + pItem->m_rcLabel.right;
            rect.left = left + pItem->m_rcLabel.left;
            return TRUE;
        }
        if (nCode == LVIR_ICON) {
            rect = pItem->m_rcIcon;
            rect.OffsetRect(left, top);
            return TRUE;
        }
        return FALSE;
    }
    if (nCode != LVIR_LABEL)
        return FALSE;
    if (const SECListSubItem* pSub = pItem->GetSubItem(nSubItem)) {
        if (pColumn->m_nFormat == 3) {
            const int w = pSub->m_rcText.Width();
            rect.left = left + (pColumn->m_nWidth - w) / 2;
            rect.right = rect.left + w;
        } else {
            rect.left = left + pSub->m_rcText.left;
            rect.right = left + pSub->m_rcText.right;
        }
    }
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::GetItemRect(int nRow, CRect& rect, int nCode)
{
    const int nCol = GetFirstDataColumn();
    if (nCol < 0 && GetColumnCount() > 0)
        return FALSE;
    return GetCellRect(nRow, std::max(0, nCol), rect, nCode);
}

// --- content size and scroll bars -------------------------------------------------------------------

template <class TBase>
int SECListBase<TBase>::GetTotalWidth(SECListPaintContext*)
{
    if (GetColumnCount() >= 2) {
        int cx = 0;
        for (const auto& pColumn : m_columns)
            cx += pColumn->m_nWidth;
        return cx;
    }
    CRect area;
    GetItemArea(area);
    int cx = 0;
    if (IsLabelWrap()) {
        // Wrapped labels take the width they are given: only the rows in view are asked.
        for (int nRow = m_nTopIndex; nRow < GetVisibleEnd(); ++nRow) {
            SECListItem* pItem = GetItemRecord(nRow);
            MeasuredHeight(nRow, FALSE);
            cx = std::max(cx, static_cast<int>(pItem->m_rcLabel.right) + 5);
        }
    } else {
        cx = GetWidestLabelExtent();
    }
    if ((m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT)
        cx = std::max(cx, area.Width());
    return cx;
}

template <class TBase>
void SECListBase<TBase>::GetContentExtent(CSize& size, SECListPaintContext* pContext)
{
    size = CSize(GetTotalWidth(pContext), GetTotalRows());
}

template <class TBase>
CScrollBar* SECListBase<TBase>::GetScrollBarCtrl(int nBar) const
{
    return nBar == SB_HORZ ? m_pHorzBar.get() : nBar == SB_VERT ? m_pVertBar.get() : nullptr;
}

template <class TBase>
CScrollBar* SECListBase<TBase>::CreateScrollBarCtrl(DWORD dwStyle, UINT nID)
{
    auto pBar = std::make_unique<CScrollBar>();
    if (!pBar->Create(dwStyle | WS_CHILD | WS_VISIBLE, CRect(0, 0, 1, 1), this, nID))
        AfxThrowResourceException();
    auto& holder = nID == horzScrollBarId ? m_pHorzBar : m_pVertBar;
    holder = std::move(pBar);
    return holder.get();
}

template <class TBase>
void SECListBase<TBase>::ShowScrollBarCtrl(int nBar, BOOL bShow, SCROLLINFO* pInfo)
{
    if (HasListStyle(LVS_NOSCROLL))
        bShow = FALSE;
    if (nBar == SB_BOTH) {
        ShowScrollBarCtrl(SB_HORZ, bShow, pInfo);
        ShowScrollBarCtrl(SB_VERT, bShow, pInfo);
        return;
    }
    CScrollBar* pBar = GetScrollBarCtrl(nBar);
    if (pBar == nullptr) {
        if (!bShow)
            return;
        pBar = CreateScrollBarCtrl(nBar == SB_HORZ ? SBS_HORZ : SBS_VERT,
            nBar == SB_HORZ ? horzScrollBarId : vertScrollBarId);
    }
    if (pInfo != nullptr)
        pBar->SetScrollInfo(pInfo, FALSE);
    const DWORD bit = nBar == SB_HORZ ? WS_HSCROLL : WS_VSCROLL;
    const DWORD before = m_dwScrollBars;
    m_dwScrollBars = bShow ? (m_dwScrollBars | bit) : (m_dwScrollBars & ~bit);
    if (before != m_dwScrollBars || pBar->IsWindowVisible() != bShow) {
        pBar->ShowWindow(bShow ? SW_SHOW : SW_HIDE);
        pBar->Invalidate();
    }
}

template <class TBase>
void SECListBase<TBase>::UpdateVertScroll(int nCount)
{
    CRect before;
    GetItemArea(before);
    const int nVisible = GetCountPerPage();
    if (nCount > nVisible) {
        if (nCount - m_nTopIndex < nVisible)
            m_nTopIndex = std::max(0, nCount - nVisible);
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = nCount - 1;
        info.nPage = static_cast<UINT>(nVisible);
        info.nPos = m_nTopIndex;
        ShowScrollBarCtrl(SB_VERT, TRUE, &info);
    } else {
        m_nTopIndex = 0;
        ShowScrollBarCtrl(SB_VERT, FALSE, nullptr);
    }
    CRect after;
    GetItemArea(after);
    if (after.Width() != before.Width() && FitColumns())
        Invalidate();
}

template <class TBase>
void SECListBase<TBase>::UpdateHorzScroll(int nWidth)
{
    CRect area;
    GetItemArea(area);
    if (nWidth > area.Width()) {
        m_nHorzScroll = std::min(m_nHorzScroll, nWidth - area.Width());
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL;
        info.nMax = nWidth;
        info.nPage = static_cast<UINT>(area.Width());
        info.nPos = m_nHorzScroll;
        ShowScrollBarCtrl(SB_HORZ, TRUE, &info);
    } else {
        m_nHorzScroll = 0;
        ShowScrollBarCtrl(SB_HORZ, FALSE, nullptr);
    }
}

template <class TBase>
void SECListBase<TBase>::UpdateScrollBars()
{
    if (m_hWnd == nullptr)
        return;
    // One measuring context serves every row this pass meets.
    const auto pDC = CreateMeasureDC();
    const auto pMeasure = CreatePaintContext(pDC.get());
    SECListPaintContext* pOuterMeasure = std::exchange(m_pMeasureContext, pMeasure.get());
    UpdateVertScroll(GetTotalRows());
    if (IsLabelWrap())
        InvalidateRowHeights();
    UpdateHorzScroll(GetTotalWidth());
    UpdateVertScroll(GetTotalRows());
    PositionScrollBars();
    m_pMeasureContext = pOuterMeasure;
}

template <class TBase>
void SECListBase<TBase>::PositionScrollBars()
{
    CRect area;
    GetItemArea(area);
    if (m_pHorzBar) {
        m_pHorzBar->MoveWindow(area.left, area.bottom, area.Width() + 1, ::GetSystemMetrics(SM_CYHSCROLL));
        m_pHorzBar->Invalidate();
    }
    if (m_pVertBar) {
        CRect client;
        GetItemAreaRect(client);
        const int cy = area.Height() + 1 + (IsHeaderVisible() ? m_nHeaderHeight : 0);
        m_pVertBar->MoveWindow(area.right, client.top, ::GetSystemMetrics(SM_CXVSCROLL), cy);
        m_pVertBar->Invalidate();
    }
}

template <class TBase>
BOOL SECListBase<TBase>::FitColumns()
{
    if (GetColumnCount() == 1 || HasListStyleEx(LVXS_FITWIDTH)) {
        FitFirstColumn();
        return TRUE;
    }
    return FALSE;
}

template <class TBase>
void SECListBase<TBase>::FitFirstColumn()
{
    SECListColumn* pFirst = nullptr;
    int cxOthers = 0;
    for (const auto& pColumn : m_columns) {
        if (pColumn->m_nSubItem == 0)
            pFirst = pColumn.get();
        else
            cxOthers += pColumn->m_nWidth;
    }
    if (pFirst == nullptr)
        return;
    CRect area;
    GetItemArea(area);
    pFirst->m_nWidth = std::max(0, area.Width() - cxOthers);
}

template <class TBase>
void SECListBase<TBase>::RecalcLayout()
{
    InvalidateRowHeights();
    UpdateScrollBars();
}

template <class TBase>
BOOL SECListBase<TBase>::RedrawItems(int nRow, BOOL bLabelOnly, BOOL bErase, BOOL bFill, BOOL bUpdateNow)
{
    if (m_hWnd == nullptr || nRow < m_nTopIndex || nRow >= GetItemCount())
        return TRUE;
    CRect area;
    GetItemArea(area);
    const int top = area.top + GetHeightBetween(m_nTopIndex, nRow, FALSE);
    if (top >= area.bottom)
        return TRUE;
    SECListItem* pItem = GetItemRecord(nRow);
    const int cy = MeasuredHeight(nRow, FALSE);
    CRect rect(area.left - m_nHorzScroll, top, area.left - m_nHorzScroll + std::max(GetTotalWidth(), area.Width()),
        top + cy);
    if (bFill) {
        // The rows below move: what they leave is cleared at once when the repaint will not erase.
        if (!bErase && rect.bottom < area.bottom) {
            CClientDC dc(this);
            dc.FillSolidRect(rect.left, rect.bottom, rect.Width(), area.bottom - rect.bottom, GetBkColor());
        }
        rect.bottom = area.bottom;
    }
    if (bLabelOnly && !HasListStyleEx(LVXS_FULLROWSELECT)) {
        const int left = GetColumnLeft(std::max(0, GetFirstDataColumn()));
        rect.left = left + pItem->m_rcLabel.left - 3;
        rect.right = left + pItem->m_rcLabel.right + 3;
    }
    if (bUpdateNow)
        RedrawWindow(&rect, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | (bErase ? RDW_ERASE : 0));
    else
        InvalidateRect(&rect, bErase);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::InvalidateRows(int nFirst, int nLast)
{
    if (m_hWnd == nullptr)
        return TRUE;
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    nFirst = std::max(nFirst, m_nTopIndex);
    if (nLast < nFirst)
        return TRUE;
    CRect area;
    GetItemArea(area);
    const int top = area.top + GetHeightBetween(m_nTopIndex, nFirst, FALSE);
    if (top >= area.bottom)
        return TRUE;
    int bottom = top;
    for (int nRow = nFirst; nRow <= nLast && nRow < GetItemCount() && bottom < area.bottom; ++nRow)
        bottom += MeasuredHeight(nRow, TRUE);
    CRect rect(area.left, top, area.right, std::min(bottom, static_cast<int>(area.bottom)));
    InvalidateRect(&rect, TRUE);
    return TRUE;
}
