// Belongs to the list template: SECListBaseC.cpp and SECListBaseV.cpp include it and instantiate it.
// The list's painting: the off-screen pass, the header, rows, cells and their colours.
#include <algorithm>
#include <cstring>
#include <utility>

#include "platform/afx/CClientDC.h"
#include "platform/afx/CPaintDC.h"
#include "platform/afx/CPen.h"
#include "toolkit/controls/SECListBase.h"
#include "toolkit/controls/SECOffscreenDC.h"

// Printing goes straight to the printer's context, one page, without the off-screen pass.
static BOOL IsPrinting(const CDC* pDC)
{
    return pDC->GetDeviceCaps(TECHNOLOGY) == DT_RASPRINTER;
}

template <class TBase>
void SECListBase<TBase>::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

template <class TBase>
CDC* SECListBase<TBase>::CreateOffscreenDC(CDC* pDC, std::unique_ptr<CDC>& owned, const CRect& rect)
{
    // During drags the screen itself is drawn on, so a drag image's saved background stays valid.
    if (m_bItemDrag || m_bColumnDrag)
        return pDC;
    owned = std::make_unique<SECOffscreenDC>(pDC, rect);
    return owned.get();
}

template <class TBase>
void SECListBase<TBase>::Paint(CDC* pDC)
{
    const BOOL bPrinting = IsPrinting(pDC);
    CRect client;
    GetItemAreaRect(client);
    CRect paint = client;
    if (m_dwScrollBars & WS_VSCROLL)
        paint.right -= ::GetSystemMetrics(SM_CXVSCROLL);
    if (m_dwScrollBars & WS_HSCROLL)
        paint.bottom -= ::GetSystemMetrics(SM_CYHSCROLL);
    const BOOL bCorner = (m_dwScrollBars & (WS_HSCROLL | WS_VSCROLL)) == (WS_HSCROLL | WS_VSCROLL);
    const CRect corner(paint.right, paint.bottom, client.right, client.bottom);
    {
        std::unique_ptr<CDC> pOffscreen;
        CDC* pTarget = bPrinting ? pDC : CreateOffscreenDC(pDC, pOffscreen, paint);
        if (!bPrinting) {
            m_rgbPaintFill = GetBkColor();
            pTarget->FillSolidRect(&paint, m_rgbPaintFill);
        }
        auto pContext = CreatePaintContext(pTarget);
        // Rows met for the first time are measured on the target rather than on a context of their own.
        auto pMeasure = CreatePaintContext(pTarget);
        SECListPaintContext* pOuterMeasure = std::exchange(m_pMeasureContext, pMeasure.get());
        if (IsHeaderVisible())
            DrawHeader(pContext.get());
        CRect area;
        GetItemArea(area);
        const int nSaved = pTarget->SaveDC();
        if (!bPrinting)
            pTarget->IntersectClipRect(&area);
        DrawRows(pContext.get());
        pTarget->RestoreDC(nSaved);
        m_pMeasureContext = pOuterMeasure;
        m_rgbPaintFill = CLR_NONE;
    }
    if (!bPrinting && bCorner)
        pDC->FillSolidRect(&corner, ::GetSysColor(COLOR_3DFACE));
}

template <class TBase>
BOOL SECListBase<TBase>::PrepareItem(SECListPaintContext* pContext)
{
    const int nSubItem = pContext->m_lvi.iSubItem;
    pContext->m_lvi.mask = LVIF_TEXT | LVIF_STATE | LVIF_IMAGE;
    pContext->m_lvi.stateMask = LVIS_FOCUSED | LVIS_SELECTED;
    pContext->m_lvi.state = 0;
    m_textBuffer[0] = '\0';
    pContext->m_lvi.pszText = m_textBuffer.data();
    pContext->m_lvi.cchTextMax = textBufferSize;
    pContext->m_lvi.iSubItem = nSubItem;
    if (!GetItem(&pContext->m_lvi, FALSE, TRUE))
        return FALSE;
    if (pContext->m_lvi.pszText == nullptr || pContext->m_lvi.pszText == LPSTR_TEXTCALLBACK)
        pContext->m_lvi.pszText = m_textBuffer.data();
    // GetItem reports only the callback fields in the mask after asking the owner; the state it
    // fetched itself is still wanted.
    if (!(pContext->m_lvi.mask & LVIF_STATE))
        pContext->m_lvi.state = GetItemState(pContext->m_lvi.iItem, LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED);
    if (pContext->m_lvi.mask & LVIF_DI_SETITEM) {
        LVITEM store = pContext->m_lvi;
        SetItem(&store, FALSE);
    }
    pContext->m_lviEx = SECListItemEx {};
    SetContextBkColor(pContext);
    SetContextRowColor(pContext);
    SetContextTextColors(pContext);
    SetContextFont(pContext);
    return TRUE;
}

template <class TBase>
void SECListBase<TBase>::SetContextBkColor(SECListPaintContext* pContext)
{
    pContext->m_rgbBk = GetBkColor();
}

template <class TBase>
void SECListBase<TBase>::SetContextRowColor(SECListPaintContext* pContext)
{
    const BOOL bFocus = m_hWnd != nullptr && ::GetFocus() == m_hWnd;
    if (m_hWnd != nullptr && !IsWindowEnabled())
        pContext->m_rgbRowBk = GetBkColor();
    else if ((pContext->m_lvi.state & LVIS_SELECTED) && bFocus)
        pContext->m_rgbRowBk = m_rgbSelRowBk;
    else
        pContext->m_rgbRowBk = m_rgbRowBk;
}

template <class TBase>
void SECListBase<TBase>::SetContextTextColors(SECListPaintContext* pContext)
{
    const BOOL bFocus = m_hWnd != nullptr && ::GetFocus() == m_hWnd;
    const BOOL bGrey = (pContext->m_lviEx.state & 0x100) != 0;
    const BOOL bSelected = (pContext->m_lvi.state & LVIS_SELECTED) != 0;
    const BOOL bFirst = pContext->m_lvi.iSubItem == 0;
    const BOOL bFullRow = HasListStyleEx(LVXS_FULLROWSELECT);
    if (m_hWnd != nullptr && !IsWindowEnabled()) {
        pContext->m_rgbText = m_rgbGrayText;
        pContext->m_rgbTextBk = ::GetSysColor(COLOR_MENU);
        return;
    }
    if (!bSelected || (!bFocus && !HasListStyle(LVS_SHOWSELALWAYS) && m_nEditedRow < 0) || (!bFirst && !bFullRow)) {
        pContext->m_rgbText = bGrey ? m_rgbGrayText : m_rgbText;
        pContext->m_rgbTextBk = m_rgbTextBk;
    } else if (bFocus || m_nEditedRow >= 0) {
        pContext->m_rgbText = bGrey ? m_rgbGrayText : m_rgbSelText;
        pContext->m_rgbTextBk = m_rgbSelBk;
    } else {
        pContext->m_rgbText = ::GetSysColor(COLOR_MENUTEXT);
        pContext->m_rgbTextBk = ::GetSysColor(COLOR_MENU);
    }
    if (pContext->m_lvi.iItem == m_nDropHilite && (bFirst || bFullRow)) {
        pContext->m_rgbText = m_rgbSelText;
        pContext->m_rgbTextBk = m_rgbSelBk;
    }
}

template <class TBase>
void SECListBase<TBase>::SetContextFont(SECListPaintContext* pContext)
{
    pContext->m_hFont = GetItemFont();
}

template <class TBase>
void SECListBase<TBase>::DrawRows(SECListPaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    const BOOL bPrinting = IsPrinting(pDC);
    CRect area;
    GetItemArea(area);
    const int nEnd = bPrinting ? GetLastFullyVisible(pContext) + 1 : GetItemCount();
    int nDrawn = 0;
    if (pContext->m_nView == LVS_REPORT) {
        int y = area.top;
        const int cx = GetTotalWidth(pContext);
        for (int nRow = m_nTopIndex; nRow < nEnd; ++nRow) {
            SECListItem* pItem = GetItemRecord(nRow);
            const int cy = MeasuredHeight(nRow, FALSE);
            CRect row(-m_nHorzScroll, y, -m_nHorzScroll + std::max(cx, area.Width()), y + cy);
            if (bPrinting || pDC->RectVisible(&row)) {
                pContext->m_lvi.iItem = nRow;
                pContext->m_pItem = pItem;
                pContext->m_rect = row;
                DrawRow(pContext);
            }
            ++nDrawn;
            y = row.bottom + GetRowSpacing();
            if (row.bottom >= area.bottom)
                break;
        }
    } else if (pContext->m_nView == LVS_ICON) {
        const int cxCell = GetColumnWidth(0);
        int x = area.left;
        int y = area.top;
        int cyLine = 0;
        for (int nRow = m_nTopIndex; nRow < nEnd && y < area.bottom; ++nRow) {
            const int cy = MeasuredHeight(nRow, TRUE);
            if (x > area.left && x + cxCell > area.right) {
                x = area.left;
                y += cyLine;
                cyLine = 0;
                if (y >= area.bottom)
                    break;
            }
            pContext->m_lvi.iItem = nRow;
            pContext->m_pItem = GetItemRecord(nRow);
            pContext->m_rect.SetRect(x, y, x + cxCell, y + cy);
            DrawRow(pContext);
            ++nDrawn;
            cyLine = std::max(cyLine, cy);
            x += cxCell;
        }
    }
    if (!bPrinting && m_pVertBar && (m_dwScrollBars & WS_VSCROLL)) {
        SCROLLINFO info {};
        info.cbSize = sizeof(info);
        info.fMask = SIF_PAGE | SIF_POS;
        info.nPage = static_cast<UINT>(nDrawn);
        info.nPos = m_nTopIndex;
        m_pVertBar->SetScrollInfo(&info, TRUE);
    }
}

template <class TBase>
void SECListBase<TBase>::DrawRow(SECListPaintContext* pContext)
{
    const int nRow = pContext->m_lvi.iItem;
    SECListItem* pItem = pContext->m_pItem;
    // A row whose fields come from the owner is measured again at each paint, each cell just before it
    // is drawn, so the owner is asked once per cell.
    const BOOL bMeasure = HasCallbackFields(nRow);
    if (bMeasure && pItem->m_cy == -1)
        pItem->m_cy = 0;
    const CRect row = pContext->m_rect;
    CDC* pDC = pContext->m_pDC;
    const int nColumns = std::max(1, GetColumnCount());
    int x = row.left;
    for (int nCol = 0; nCol < nColumns; ++nCol) {
        SECListColumn* pColumn = GetColumnRecord(nCol);
        pContext->m_nColumn = nCol;
        pContext->m_pColumn = pColumn;
        pContext->m_lvi.iItem = nRow;
        pContext->m_lvi.iSubItem = pColumn ? pColumn->m_nSubItem : 0;
        pContext->m_pItem = pItem;
        pContext->m_pSubItem = pItem->GetSubItem(pContext->m_lvi.iSubItem);
        BOOL bPrepared = FALSE;
        if (bMeasure && (bPrepared = PrepareItem(pContext))) {
            int cy = 0;
            MeasureCell(pContext, cy);
            pItem->m_cy = std::max(pItem->m_cy, cy);
        }
        int cx = pColumn ? pColumn->m_nWidth : row.Width();
        if (nColumns == 1)
            cx = std::max(cx, static_cast<int>(pItem->m_rcLabel.right));
        const CRect cell(x, row.top, x + cx, row.bottom);
        x += cx;
        if (!IsPrinting(pDC) && !pDC->RectVisible(&cell))
            continue;
        if (!bMeasure)
            bPrepared = PrepareItem(pContext);
        if (bPrepared) {
            pContext->m_rect = cell;
            DrawCell(pContext);
        }
    }
    if (bMeasure)
        pItem->m_bMeasure = FALSE;
    pContext->m_rect = row;
    if (pContext->m_nView != LVS_REPORT)
        return;
    if (HasListStyleEx(LVXS_FULLROWSELECT) && nRow == m_nCaret && ::GetFocus() == m_hWnd && GetColumnCount() >= 2) {
        const int left = GetColumnLeft(std::max(0, GetFirstDataColumn())) + pItem->m_rcLabel.left - 3;
        CRect focus(left, row.top, row.right, row.bottom);
        pDC->DrawFocusRect(&focus);
    }
    if (HasListStyleEx(LVXS_VERTGRIDLINES))
        DrawVertGridLines(pDC, nRow, row);
    if (HasListStyleEx(LVXS_HORZGRIDLINES))
        DrawHorzGridLine(pDC, nRow, row);
}

template <class TBase>
void SECListBase<TBase>::DrawCell(SECListPaintContext* pContext)
{
    // The paint filled the whole area with the background already; filling again in the same colour
    // would change no pixel.
    if (pContext->m_rgbBk != m_rgbPaintFill)
        pContext->m_pDC->FillSolidRect(&pContext->m_rect, pContext->m_rgbBk);
    if (pContext->m_lvi.pszText == nullptr)
        return;
    m_rgbCellFill = pContext->m_rgbBk;
    if (pContext->m_lvi.iSubItem == 0)
        DrawCellIcon(pContext);
    DrawCellText(pContext);
    m_rgbCellFill = CLR_NONE;
}

template <class TBase>
void SECListBase<TBase>::DrawCellIcon(SECListPaintContext* pContext)
{
    CImageList* pList = GetImageList(pContext->m_nView == LVS_ICON ? LVSIL_NORMAL : LVSIL_SMALL);
    const SECListItem* pItem = pContext->m_pItem;
    if (pList == nullptr || pContext->m_lvi.iImage < 0 || pItem->m_rcIcon.IsRectEmpty())
        return;
    CPoint pt(pContext->m_rect.left + pItem->m_rcIcon.left, pContext->m_rect.top + pItem->m_rcIcon.top);
    if (pContext->m_nView == LVS_ICON)
        pt.x = pContext->m_rect.left + pItem->m_rcLabel.CenterPoint().x - pItem->m_rcIcon.Width() / 2;
    pList->Draw(pContext->m_pDC, pContext->m_lvi.iImage, pt, ILD_NORMAL);
}

template <class TBase>
void SECListBase<TBase>::DrawCellText(SECListPaintContext* pContext)
{
    CDC* pDC = pContext->m_pDC;
    const CRect cell = pContext->m_rect;
    const SECListItem* pItem = pContext->m_pItem;
    const BOOL bFirst = pContext->m_lvi.iSubItem == 0;
    CRect text(cell.left + 6, cell.top, cell.right - 5, cell.bottom);
    CRect highlight = text;
    if (bFirst) {
        CRect label = pItem->m_rcLabel;
        label.OffsetRect(cell.left, cell.top);
        if (pContext->m_nView == LVS_ICON) {
            text = label;
            highlight = label;
            highlight.InflateRect(2, 0);
        } else if (!pItem->m_rcIcon.IsRectEmpty()) {
            text.left = cell.left + pItem->m_rcIcon.right + 4;
            text.top = cell.top + 3;
            highlight = CRect(cell.left + pItem->m_rcIcon.right + 2, cell.top, label.right + 2, cell.bottom);
        } else {
            highlight = CRect(label.left - 2, cell.top, label.right + 2, cell.bottom);
        }
    }
    UINT nFormat = DT_NOPREFIX | DT_EXPANDTABS | DT_WORDBREAK | DT_VCENTER;
    const int nAlign = pContext->m_pColumn ? (pContext->m_pColumn->m_nFormat & LVCFMT_JUSTIFYMASK) : 0;
    if (nAlign == LVCFMT_RIGHT)
        nFormat |= DT_RIGHT;
    else if (nAlign == LVCFMT_CENTER)
        nFormat |= DT_CENTER;
    const char* pszText = pContext->m_lvi.pszText;
    int nLength = static_cast<int>(std::strlen(pszText));
    if (HasListStyle(LVS_NOLABELWRAP)) {
        nFormat |= DT_END_ELLIPSIS | DT_SINGLELINE;
        if (const char* pBreak = std::strchr(pszText, '\n'))
            nLength = static_cast<int>(pBreak - pszText);
    }
    CFont* pOldFont = pDC->SelectObject(CFont::FromHandle(pContext->m_hFont));
    const COLORREF oldText = pDC->SetTextColor(pContext->m_rgbText);
    const COLORREF oldBk = pDC->SetBkColor(pContext->m_rgbRowBk);
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    const BOOL bHighlighted = (pContext->m_lvi.state & LVIS_SELECTED) || pContext->m_lvi.iItem == m_nCaret
        || pContext->m_lvi.iItem == m_nDropHilite;
    // A highlight in the colour the cell already holds changes nothing.
    const BOOL bFillHighlight = pContext->m_rgbTextBk != m_rgbCellFill;
    if (HasListStyleEx(LVXS_FULLROWSELECT)) {
        if (bHighlighted && bFillHighlight) {
            CRect fill(bFirst ? highlight.left : cell.left, cell.top, cell.right, cell.bottom);
            pDC->FillSolidRect(&fill, pContext->m_rgbTextBk);
        }
    } else if (bFirst && bFillHighlight) {
        pDC->FillSolidRect(&highlight, pContext->m_rgbTextBk);
    }
    const BOOL bEdited = pContext->m_lvi.iItem == m_nEditedRow && pContext->m_nColumn == m_nCurrentColumn;
    if (!bEdited)
        pDC->DrawText(pszText, nLength, &text, nFormat);
    pDC->SetBkMode(nOldMode);
    pDC->SetBkColor(oldBk);
    pDC->SetTextColor(oldText);
    pDC->SelectObject(pOldFont);
}

// The grid pens are shared by every list and made on first use.
template <class TBase>
CPen* SECListBase<TBase>::GetGridPen()
{
    static CPen pen(PS_SOLID, 1, ::GetSysColor(COLOR_BTNSHADOW));
    return &pen;
}

// The vertical lines take the same pen unless a derived control draws them otherwise.
template <class TBase>
CPen* SECListBase<TBase>::GetGridPen2()
{
    return GetGridPen();
}

template <class TBase>
void SECListBase<TBase>::DrawHorzGridLine(CDC* pDC, int, const CRect& rect)
{
    CPen* pOld = pDC->SelectObject(GetGridPen());
    pDC->MoveTo(rect.left, rect.bottom - 1);
    pDC->LineTo(rect.right, rect.bottom - 1);
    pDC->SelectObject(pOld);
}

template <class TBase>
void SECListBase<TBase>::DrawVertGridLines(CDC* pDC, int nRow, const CRect& rect)
{
    CPen* pOld = pDC->SelectObject(GetGridPen2());
    const int nLast = GetColumnCount() - (HasListStyleEx(LVXS_FITWIDTH) ? 1 : 0);
    for (int nCol = 0; nCol < nLast; ++nCol) {
        const int x = GetColumnRight(nCol) - 1;
        pDC->MoveTo(x, rect.top);
        pDC->LineTo(x, rect.bottom);
    }
    if (nRow == GetItemCount() - 1) {
        pDC->MoveTo(rect.left, rect.bottom - 1);
        pDC->LineTo(rect.right, rect.bottom - 1);
    }
    pDC->SelectObject(pOld);
}
