// Belongs to the list template: SECListBaseC.cpp and SECListBaseV.cpp include it and instantiate it.
// The list's data model: rows, cells, columns, selection, caret and styles.
#include "toolkit/controls/SECListBase.h"

#include <algorithm>
#include <cstring>

#include "platform/afx/CArchive.h"
#include "platform/afx/CMemFile.h"
#include "platform/base/StringApi.h"

template <class TBase>
SECListBase<TBase>::SECListBase()
{
    m_bColorsFollowSystem = TRUE;
    LoadColors();
    m_bColorsFollowSystem = FALSE;
}

template <class TBase>
SECListBase<TBase>::~SECListBase() = default;

template <class TBase>
void SECListBase<TBase>::LoadColors()
{
    m_rgbBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbText = ::GetSysColor(COLOR_WINDOWTEXT);
    m_rgbTextBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbSelBk = ::GetSysColor(COLOR_HIGHLIGHT);
    m_rgbSelText = ::GetSysColor(COLOR_HIGHLIGHTTEXT);
    m_rgbGrayText = ::GetSysColor(COLOR_GRAYTEXT);
    m_rgbRowBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbSelRowBk = ::GetSysColor(COLOR_WINDOW);
    m_rgbTipBk = ::GetSysColor(COLOR_INFOBK);
    m_rgbTipText = ::GetSysColor(COLOR_INFOTEXT);
}

template <class TBase>
COLORREF SECListBase<TBase>::GetBkColor() const
{
    if (m_hWnd != nullptr && !IsWindowEnabled())
        return ::GetSysColor(COLOR_MENU);
    return m_rgbBk;
}

template <class TBase>
BOOL SECListBase<TBase>::SetBkColor(COLORREF rgb)
{
    m_rgbBk = rgb;
    m_rgbTextBk = rgb;
    return TRUE;
}

template <class TBase>
HFONT SECListBase<TBase>::GetHeaderFont() const
{
    return m_hHeaderFont ? m_hHeaderFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

template <class TBase>
HFONT SECListBase<TBase>::GetItemFont()
{
    return m_hItemFont ? m_hItemFont : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
}

template <class TBase>
CWnd* SECListBase<TBase>::GetNotifyTarget() const
{
    return m_pNotifyWnd ? m_pNotifyWnd : GetParent();
}

// --- rows -------------------------------------------------------------------------------------------

template <class TBase>
SECListItem* SECListBase<TBase>::GetItemRecord(int nRow) const
{
    if (nRow < 0 || nRow >= GetItemCount())
        return nullptr;
    return m_rows[static_cast<size_t>(nRow)].get();
}

template <class TBase>
int SECListBase<TBase>::FindRecord(const SECListItem* pItem) const
{
    if (pItem == nullptr)
        return -1;
    const auto it = std::find_if(m_rows.begin(), m_rows.end(), [pItem](const auto& p) { return p.get() == pItem; });
    return it == m_rows.end() ? -1 : static_cast<int>(it - m_rows.begin());
}

template <class TBase>
BOOL SECListBase<TBase>::AddSubItems(SECListItem* pItem)
{
    for (int i = 0; i < m_nSubItemColumns; ++i)
        pItem->AddSubItem();
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::RemoveSubItems(SECListItem* pItem)
{
    while (pItem->RemoveSubItem(pItem->GetSubItemCount())) { }
    return TRUE;
}

template <class TBase>
int SECListBase<TBase>::InitItemRecord(SECListItem* pItem)
{
    return pItem && AddSubItems(pItem) ? 0 : -1;
}

template <class TBase>
std::unique_ptr<SECListItem> SECListBase<TBase>::CreateItemRecord()
{
    auto pItem = std::make_unique<SECListItem>();
    if (InitItemRecord(pItem.get()) != 0)
        return nullptr;
    return pItem;
}

template <class TBase>
int SECListBase<TBase>::InsertItemRecord(int nRow, std::unique_ptr<SECListItem> pItem)
{
    if (!pItem)
        return -1;
    std::vector<std::unique_ptr<SECListItem>> items;
    items.push_back(std::move(pItem));
    return InsertItemRecords(nRow, std::move(items));
}

template <class TBase>
int SECListBase<TBase>::InsertItemRecords(int nRow, std::vector<std::unique_ptr<SECListItem>> items)
{
    std::erase(items, nullptr);
    if (items.empty())
        return -1;
    const int nCount = static_cast<int>(items.size());
    nRow = std::clamp(nRow, 0, GetItemCount());
    // Pad a short record up to one cell per sub-item column, and no further.
    for (auto& pItem : items)
        while (pItem->GetSubItemCount() < m_nSubItemColumns)
            pItem->AddSubItem();
    m_rows.insert(m_rows.begin() + nRow, std::make_move_iterator(items.begin()), std::make_move_iterator(items.end()));
    m_labelExtents.RowsInserted(nRow, nCount);
    const auto follow = [&](int& n) {
        if (n >= nRow)
            n += nCount;
    };
    follow(m_nCaret);
    follow(m_nDropHilite);
    follow(m_nEditedRow);
    for (int& n : m_selection)
        follow(n);
    if (m_nCaret < 0)
        SetCaret(0, TRUE);
    return nRow;
}

template <class TBase>
int SECListBase<TBase>::InsertItem(const LVITEM* pItem)
{
    if (pItem == nullptr)
        return -1;
    const int nRow = InsertItemRecord(pItem->iItem, CreateItemRecord());
    if (nRow < 0)
        return -1;
    LVITEM item = *pItem;
    item.iItem = nRow;
    item.iSubItem = 0;
    SetItem(&item, m_bRedraw);
    if (m_bRedraw && m_hWnd != nullptr)
        UpdateScrollBars();
    return nRow;
}

template <class TBase>
int SECListBase<TBase>::InsertItem(UINT nMask, int nRow, LPCTSTR lpszText, UINT nState, UINT nStateMask, int nImage,
    LPARAM lParam)
{
    LVITEM item;
    item.mask = nMask;
    item.iItem = nRow;
    item.pszText = const_cast<LPTSTR>(lpszText);
    item.state = nState;
    item.stateMask = nStateMask;
    item.iImage = nImage;
    item.lParam = lParam;
    return InsertItem(&item);
}

template <class TBase>
int SECListBase<TBase>::InsertItem(int nRow, LPCTSTR lpszText, int nImage)
{
    return InsertItem(LVIF_TEXT | LVIF_IMAGE, nRow, lpszText, 0, 0, nImage, 0);
}

template <class TBase>
int SECListBase<TBase>::InsertItem(int nRow, LPCTSTR lpszText)
{
    return InsertItem(LVIF_TEXT, nRow, lpszText, 0, 0, 0, 0);
}

template <class TBase>
int SECListBase<TBase>::InsertItemAfter(const SECListItem* pItem, LVITEM* pNew)
{
    if (pItem == nullptr)
        pNew->iItem = 0;
    else if (const int nRow = FindRecord(pItem); nRow >= 0)
        pNew->iItem = nRow + 1;
    return InsertItem(pNew);
}

template <class TBase>
int SECListBase<TBase>::InsertItemBefore(const SECListItem* pItem, LVITEM* pNew)
{
    if (pItem == nullptr)
        pNew->iItem = 0;
    else if (const int nRow = FindRecord(pItem); nRow >= 0)
        pNew->iItem = nRow;
    return InsertItem(pNew);
}

template <class TBase>
BOOL SECListBase<TBase>::DeleteItem(const SECListItem* pItem)
{
    const int nRow = FindRecord(pItem);
    return nRow >= 0 && DeleteItems(nRow, 1);
}

template <class TBase>
BOOL SECListBase<TBase>::DeleteItems(int nRow, int nCount)
{
    if (nRow < 0 || nRow >= GetItemCount() || nCount < 1)
        return FALSE;
    nCount = std::min(nCount, GetItemCount() - nRow);
    if (m_hWnd != nullptr)
        InvalidateRows(std::max(0, nRow - 1), GetItemCount() - 1);
    // Every deleted row is told, so an owner that frees per-row data frees all of it (while it exists:
    // the owner may delete rows itself when told).
    for (int i = nRow + nCount - 1; i >= nRow; --i)
        if (i < GetItemCount())
            NotifyDeleteItem(i);
    nRow = std::min(nRow, GetItemCount() - 1);
    if (nRow < 0)
        return TRUE; // the owner emptied the list while being told
    nCount = std::min(nCount, GetItemCount() - nRow);
    for (int i = nRow; i < nRow + nCount; ++i)
        m_labelExtents.Forget(*GetItemRecord(i));
    m_labelExtents.RowsDeleted(nRow, nCount);
    m_rows.erase(m_rows.begin() + nRow, m_rows.begin() + nRow + nCount);
    const int nNewCount = GetItemCount();
    m_nTopIndex = std::clamp(m_nTopIndex, 0, std::max(0, nNewCount - 1));
    const auto follow = [&](int n) { return n >= nRow + nCount ? n - nCount : nRow - 1; };
    if (m_nCaret > nRow || m_nCaret >= nNewCount)
        m_nCaret = follow(m_nCaret);
    // A drop target that was deleted is no target any more; none of the rows left takes its place.
    if (m_nDropHilite >= nRow + nCount)
        m_nDropHilite -= nCount;
    else if (m_nDropHilite >= nRow)
        m_nDropHilite = -1;
    // An edit over a deleted row has nothing left to store into; one below it moves up with its row.
    if (m_nEditedRow >= nRow && m_nEditedRow < nRow + nCount)
        AbandonLabelEdit();
    else if (m_nEditedRow >= nRow + nCount)
        m_nEditedRow -= nCount;
    m_nArmedEditRow = -1;
    std::vector<int> kept;
    for (int n : m_selection) {
        if (n < nRow)
            kept.push_back(n);
        else if (n >= nRow + nCount)
            kept.push_back(n - nCount);
    }
    m_selection = std::move(kept);
    if (m_nAnchor >= nNewCount)
        m_nAnchor = m_nCaret;
    if (m_selection.empty() && m_nCaret >= 0)
        SetCaret(m_nCaret, TRUE);
    if (m_hWnd != nullptr)
        UpdateScrollBars();
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::DeleteAllItems()
{
    StopEditTimer();
    AbandonLabelEdit();
    m_nArmedEditRow = -1;
    m_rows.clear();
    m_labelExtents.Clear();
    m_selection.clear();
    m_nTopIndex = 0;
    m_nCaret = -1;
    if (m_hWnd != nullptr) {
        UpdateScrollBars();
        Invalidate();
    }
    return TRUE;
}

template <class TBase>
void SECListBase<TBase>::StopEditTimer()
{
    if (m_nEditTimer != 0 && m_hWnd != nullptr)
        KillTimer(m_nEditTimer);
    m_nEditTimer = 0;
}

template <class TBase>
BOOL SECListBase<TBase>::SetItem(const LVITEM* pItem, BOOL bRedraw)
{
    SECListItem* pRecord = pItem ? GetItemRecord(pItem->iItem) : nullptr;
    if (pRecord == nullptr)
        return FALSE;
    UINT nCallbacks = 0;
    BOOL bChanged = FALSE;
    BOOL bDropChanged = FALSE;
    if (pItem->mask & LVIF_TEXT) {
        if (pItem->pszText == LPSTR_TEXTCALLBACK) {
            pRecord->m_text.Set(LPSTR_TEXTCALLBACK);
            nCallbacks |= LVIF_TEXT;
        } else {
            SECListText* pText = &pRecord->m_text;
            if (pItem->iSubItem != 0) {
                SECListSubItem* pSub = pRecord->GetSubItem(pItem->iSubItem);
                pText = pSub ? &pSub->m_text : nullptr;
            }
            if (pText == nullptr)
                return FALSE;
            if (pText->IsCallback() && !(pItem->mask & LVIF_DI_SETITEM))
                nCallbacks |= LVIF_TEXT;
            else
                pText->Set(pItem->pszText);
        }
    }
    if (pItem->mask & LVIF_IMAGE) {
        bChanged = TRUE;
        if (pRecord->m_nImage == I_IMAGECALLBACK && !(pItem->mask & LVIF_DI_SETITEM))
            nCallbacks |= LVIF_IMAGE;
        else
            pRecord->m_nImage = pItem->iImage;
    }
    if (pItem->mask & LVIF_STATE) {
        const int nRow = pItem->iItem;
        const UINT mask = pItem->stateMask;
        if (mask & LVIS_SELECTED)
            bChanged |= (pItem->state & LVIS_SELECTED) ? SelectionAdd(nRow) : SelectionRemove(nRow);
        if (mask & LVIS_FOCUSED) {
            if (pItem->state & LVIS_FOCUSED) {
                bChanged |= m_nCaret != nRow;
                m_nCaret = nRow;
            } else if (m_nCaret == nRow) {
                m_nCaret = -1;
                bChanged = TRUE;
            }
        }
        if (mask & LVIS_DROPHILITED) {
            if (pItem->state & LVIS_DROPHILITED) {
                bDropChanged = m_nDropHilite != nRow;
                m_nDropHilite = nRow;
            } else if (m_nDropHilite == nRow) {
                m_nDropHilite = -1;
                bDropChanged = TRUE;
            }
            bChanged |= bDropChanged;
        }
        const UINT other = mask & ~(LVIS_SELECTED | LVIS_FOCUSED | LVIS_DROPHILITED);
        const UINT nState = (pRecord->m_nState & ~other) | (pItem->state & other);
        bChanged |= nState != pRecord->m_nState;
        pRecord->m_nState = nState;
    }
    if (pItem->mask & LVIF_PARAM)
        pRecord->m_lParam = pItem->lParam;
    if (nCallbacks != 0) {
        LVITEM copy = *pItem;
        copy.mask = nCallbacks;
        NotifySetDispInfo(&copy);
    }
    if (pItem->mask & (LVIF_TEXT | LVIF_STATE)) {
        if (pItem->mask & LVIF_TEXT)
            MarkForMeasure(pItem->iItem);
        if (bRedraw && bChanged && pItem->iItem != m_nEditedRow && m_hWnd != nullptr)
            RedrawItems(pItem->iItem, FALSE, FALSE, FALSE, bDropChanged);
    }
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetItem(int nRow, int nSubItem, UINT nMask, LPCTSTR lpszText, int nImage, UINT nState,
    UINT nStateMask, LPARAM lParam)
{
    LVITEM item;
    item.mask = nMask;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    item.iImage = nImage;
    item.state = nState;
    item.stateMask = nStateMask;
    item.lParam = lParam;
    return SetItem(&item, TRUE);
}

template <class TBase>
BOOL SECListBase<TBase>::GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify)
{
    SECListItem* pRecord = pItem ? GetItemRecord(pItem->iItem) : nullptr;
    if (pRecord == nullptr)
        return FALSE;
    UINT nCallbacks = 0;
    if (pItem->mask & LVIF_TEXT) {
        const SECListText* pText = &pRecord->m_text;
        if (pItem->iSubItem != 0) {
            const SECListSubItem* pSub = pRecord->GetSubItem(pItem->iSubItem);
            pText = pSub ? &pSub->m_text : nullptr;
        }
        if (pText == nullptr || pText->IsCallback()) {
            nCallbacks |= LVIF_TEXT;
            if (!bNotify)
                pItem->pszText = LPSTR_TEXTCALLBACK;
            else if (bCopyText && pItem->pszText && pItem->cchTextMax > 0)
                pItem->pszText[0] = '\0';
        } else if (!bCopyText) {
            pItem->pszText = const_cast<LPTSTR>(pText->Get());
        } else if (pItem->pszText && pItem->cchTextMax > 0) {
            ::lstrcpyn(pItem->pszText, pText->Get(), pItem->cchTextMax);
        }
    }
    if (pItem->mask & LVIF_IMAGE) {
        pItem->iImage = pRecord->m_nImage;
        if (pRecord->m_nImage == I_IMAGECALLBACK)
            nCallbacks |= LVIF_IMAGE;
    }
    if (pItem->mask & LVIF_STATE) {
        if (m_nStateCallbackMask == 0) {
            pItem->state = (pRecord->m_nState | RowStateBits(pItem->iItem)) & pItem->stateMask;
        } else {
            nCallbacks |= LVIF_STATE;
        }
    }
    if ((pItem->mask & LVIF_PARAM) || nCallbacks != 0)
        pItem->lParam = GetRecordData(pRecord);
    if (bNotify && nCallbacks != 0) {
        pItem->mask = nCallbacks;
        NotifyGetDispInfo(pItem);
    }
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetItemEx(const LVITEM* pItem, const SECListItemEx* pItemEx)
{
    SECListItem* pRecord = pItem ? GetItemRecord(pItem->iItem) : nullptr;
    if (pRecord == nullptr || pItemEx == nullptr)
        return FALSE;
    if (pItemEx->mask & 1) {
        const UINT nState = (pRecord->m_nStateEx & ~pItemEx->stateMask) | (pItemEx->state & pItemEx->stateMask);
        const BOOL bChanged = nState != pRecord->m_nStateEx;
        pRecord->m_nStateEx = nState;
        if (m_hWnd != nullptr && bChanged)
            RedrawItems(pItem->iItem, !HasListStyleEx(LVXS_FULLROWSELECT), FALSE, FALSE, FALSE);
    }
    MarkForMeasure(pItem->iItem);
    if (m_hWnd != nullptr && pItem->iItem != m_nEditedRow)
        RedrawItems(pItem->iItem, TRUE, FALSE, FALSE, FALSE);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::GetItemEx(const LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify)
{
    SECListItem* pRecord = pItem ? GetItemRecord(pItem->iItem) : nullptr;
    if (pRecord == nullptr || pItemEx == nullptr)
        return FALSE;
    if (m_nExCallbackMask == 0)
        pItemEx->state = pRecord->m_nStateEx & pItemEx->stateMask;
    else if (bNotify)
        NotifyGetExDispInfo(pItem, pItemEx);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetItemText(int nRow, int nSubItem, LPCTSTR lpszText)
{
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    item.cchTextMax = (lpszText && lpszText != LPSTR_TEXTCALLBACK) ? static_cast<int>(std::strlen(lpszText)) : 0;
    return SetItem(&item, TRUE);
}

template <class TBase>
int SECListBase<TBase>::GetItemText(int nRow, int nSubItem, LPTSTR lpszBuffer, int nMax)
{
    if (lpszBuffer == nullptr || nMax < 1)
        return 0;
    lpszBuffer[0] = '\0';
    LVITEM item;
    item.mask = LVIF_TEXT;
    item.iItem = nRow;
    item.iSubItem = nSubItem;
    item.pszText = lpszBuffer;
    item.cchTextMax = nMax;
    if (!GetItem(&item, TRUE, TRUE))
        return 0;
    // An owner may answer with a pointer of its own instead of filling the buffer.
    if (item.pszText != lpszBuffer && item.pszText != nullptr && item.pszText != LPSTR_TEXTCALLBACK)
        ::lstrcpyn(lpszBuffer, item.pszText, nMax);
    return static_cast<int>(std::strlen(lpszBuffer));
}

template <class TBase>
CString SECListBase<TBase>::GetItemText(int nRow, int nSubItem)
{
    GetItemText(nRow, nSubItem, m_textBuffer.data(), textBufferSize);
    return CString(m_textBuffer.data());
}

template <class TBase>
BOOL SECListBase<TBase>::SetItemState(int nRow, UINT nState, UINT nMask)
{
    LVITEM item;
    item.mask = LVIF_STATE;
    item.iItem = nRow;
    item.state = nState;
    item.stateMask = nMask;
    return SetItem(&item, TRUE);
}

template <class TBase>
UINT SECListBase<TBase>::GetItemState(int nRow, UINT nMask)
{
    LVITEM item;
    item.mask = LVIF_STATE;
    item.iItem = nRow;
    item.stateMask = nMask;
    return GetItem(&item, FALSE, FALSE) ? item.state & nMask : 0;
}

template <class TBase>
BOOL SECListBase<TBase>::SetItemData(int nRow, LPARAM lParam)
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    item.lParam = lParam;
    return SetItem(&item, TRUE);
}

template <class TBase>
LPARAM SECListBase<TBase>::GetItemData(int nRow)
{
    LVITEM item;
    item.mask = LVIF_PARAM;
    item.iItem = nRow;
    return GetItem(&item, FALSE, FALSE) ? item.lParam : 0;
}

template <class TBase>
BOOL SECListBase<TBase>::HasCallbackFields(int nRow)
{
    const SECListItem* pRecord = GetItemRecord(nRow);
    if (pRecord == nullptr)
        return FALSE;
    if (pRecord->m_text.IsCallback() || pRecord->m_nImage == I_IMAGECALLBACK || m_nStateCallbackMask != 0
        || m_nExCallbackMask != 0)
        return TRUE;
    for (const auto& pColumn : m_columns) {
        const SECListSubItem* pSub = pRecord->GetSubItem(pColumn->m_nSubItem);
        if (pSub && pSub->m_text.IsCallback())
            return TRUE;
    }
    return FALSE;
}

template <class TBase>
int SECListBase<TBase>::GetNextItem(int nRow, UINT nFlags)
{
    const UINT nStates = nFlags & 0xF;
    const BOOL bUp = (nFlags & (LVNI_ABOVE | LVNI_TOLEFT)) != 0;
    const int nStep = bUp ? -1 : 1;
    // Any start outside the rows searches from the end it lies beyond.
    nRow = std::clamp(nRow, -1, GetItemCount());
    for (int n = nRow + nStep; n >= 0 && n < GetItemCount(); n += nStep) {
        if (nStates == 0 || GetItemState(n, nStates) != 0)
            return n;
    }
    return -1;
}

template <class TBase>
UINT SECListBase<TBase>::RowStateBits(int nRow) const
{
    UINT nState = 0;
    if (IsSelected(nRow))
        nState |= LVIS_SELECTED;
    if (m_nCaret == nRow)
        nState |= LVIS_FOCUSED;
    if (m_nDropHilite == nRow)
        nState |= LVIS_DROPHILITED;
    return nState;
}

// --- selection --------------------------------------------------------------------------------------

template <class TBase>
BOOL SECListBase<TBase>::IsSelected(int nRow) const
{
    return std::binary_search(m_selection.begin(), m_selection.end(), nRow);
}

template <class TBase>
BOOL SECListBase<TBase>::SelectionAdd(int nRow)
{
    const auto it = std::lower_bound(m_selection.begin(), m_selection.end(), nRow);
    if (it != m_selection.end() && *it == nRow)
        return FALSE;
    m_selection.insert(it, nRow);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SelectionRemove(int nRow)
{
    const auto it = std::lower_bound(m_selection.begin(), m_selection.end(), nRow);
    if (it == m_selection.end() || *it != nRow)
        return FALSE;
    m_selection.erase(it);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::IsItemSelected(int nRow)
{
    return nRow != -1 && GetItemState(nRow, LVIS_SELECTED) != 0;
}

template <class TBase>
BOOL SECListBase<TBase>::SelectItem(int nRow, BOOL bSelect)
{
    if (HasListStyle(LVS_SINGLESEL))
        DeselectAll(nRow);
    return SetItemState(nRow, bSelect ? LVIS_SELECTED : 0, LVIS_SELECTED);
}

template <class TBase>
BOOL SECListBase<TBase>::SelectRange(int nFirst, int nLast, BOOL bSelect)
{
    if (nFirst > nLast)
        std::swap(nFirst, nLast);
    for (int n = std::max(nFirst, 0); n <= nLast && n < GetItemCount(); ++n)
        SelectItem(n, bSelect);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::DeselectAll(int nExcept)
{
    const std::vector<int> selected = m_selection;
    for (auto it = selected.rbegin(); it != selected.rend(); ++it)
        if (*it != nExcept)
            SetItemState(*it, 0, LVIS_SELECTED);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetCaret(int nRow, BOOL bSelect)
{
    if (HasListStyle(LVS_SINGLESEL))
        DeselectAll(nRow);
    if (m_nCaret >= 0 && m_nCaret != nRow)
        SetItemState(m_nCaret, 0, LVIS_FOCUSED);
    if (nRow >= 0)
        SetItemState(nRow, LVIS_FOCUSED | (bSelect ? LVIS_SELECTED : 0), LVIS_FOCUSED | LVIS_SELECTED);
    m_nAnchor = m_nCaret;
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetFocusRow(int nRow)
{
    if (m_nCaret >= 0 && m_nCaret != nRow)
        SetItemState(m_nCaret, 0, LVIS_FOCUSED);
    if (nRow >= 0)
        SetItemState(nRow, LVIS_FOCUSED, LVIS_FOCUSED);
    m_nAnchor = m_nCaret;
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetDropHilite(int nRow)
{
    if (m_nDropHilite >= 0)
        SetItemState(m_nDropHilite, 0, LVIS_DROPHILITED);
    if (nRow >= 0)
        SetItemState(nRow, LVIS_DROPHILITED, LVIS_DROPHILITED);
    return TRUE;
}

// --- columns ----------------------------------------------------------------------------------------

template <class TBase>
SECListColumn* SECListBase<TBase>::GetColumnRecord(int nCol) const
{
    if (nCol < 0 || nCol >= GetColumnCount())
        return nullptr;
    return m_columns[static_cast<size_t>(nCol)].get();
}

template <class TBase>
int SECListBase<TBase>::GetFirstDataColumn() const
{
    for (int i = 0; i < GetColumnCount(); ++i)
        if (m_columns[static_cast<size_t>(i)]->m_nSubItem == 0)
            return i;
    return -1;
}

template <class TBase>
int SECListBase<TBase>::GetColumnSubItem(int nCol)
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return pColumn ? pColumn->m_nSubItem : -1;
}

template <class TBase>
BOOL SECListBase<TBase>::InsertColumnRecord(int nCol, std::unique_ptr<SECListColumn> pColumn, BOOL bRedraw)
{
    if (!pColumn)
        return FALSE;
    EndLabelEdit(TRUE);
    HideTip();
    nCol = std::clamp(nCol, 0, GetColumnCount());
    if (nCol == 0) {
        pColumn->m_nFormat = 0;
        pColumn->m_nSubItem = 0;
    }
    if (pColumn->m_nSubItem == -1 || pColumn->m_nSubItem > m_nSubItemColumns) {
        // The new column's data sits at its position; every later column's data moves one cell on, so
        // the rows' cells stay bound to their columns.
        const int nSubItem = std::max(1, nCol);
        for (const auto& pOther : m_columns)
            if (pOther->m_nSubItem >= nSubItem)
                ++pOther->m_nSubItem;
        for (const auto& pRow : m_rows)
            pRow->InsertSubItem(nSubItem - 1);
        pColumn->m_nSubItem = nSubItem;
        if (pColumn->m_nWidth == -1)
            pColumn->m_nWidth = 10;
        ++m_nSubItemColumns;
    }
    m_columns.insert(m_columns.begin() + nCol, std::move(pColumn));
    if (bRedraw && m_bRedraw && m_hWnd != nullptr) {
        if (HasListStyleEx(LVXS_FITWIDTH))
            FitFirstColumn();
        RecalcLayout();
        Invalidate();
    }
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::InsertColumn(int nCol, LPCTSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage,
    BOOL bRedraw)
{
    auto pColumn = std::make_unique<SECListColumn>();
    pColumn->m_strHeading = lpszHeading ? lpszHeading : "";
    pColumn->m_nFormat = nFormat;
    pColumn->m_nWidth = nWidth;
    pColumn->m_nSubItem = nSubItem;
    pColumn->m_nImage = nImage;
    return InsertColumnRecord(nCol, std::move(pColumn), bRedraw);
}

template <class TBase>
BOOL SECListBase<TBase>::InsertColumn(int nCol, const LVCOLUMN* pColumn, BOOL bRedraw)
{
    if (pColumn == nullptr)
        return FALSE;
    const UINT mask = pColumn->mask;
    return InsertColumn(nCol, (mask & LVCF_TEXT) ? pColumn->pszText : "", (mask & LVCF_FMT) ? pColumn->fmt : 0,
        (mask & LVCF_WIDTH) ? pColumn->cx : -1, (mask & LVCF_SUBITEM) ? pColumn->iSubItem : -1,
        (mask & LVCF_IMAGE) ? pColumn->iImage : -1, bRedraw);
}

template <class TBase>
BOOL SECListBase<TBase>::AddColumn(const LVCOLUMN* pColumn) { return InsertColumn(GetColumnCount(), pColumn, TRUE); }

template <class TBase>
BOOL SECListBase<TBase>::AddColumn(LPCTSTR lpszHeading, int nFormat, int nWidth, int nSubItem, int nImage)
{
    return InsertColumn(GetColumnCount(), lpszHeading, nFormat, nWidth, nSubItem, nImage, TRUE);
}

template <class TBase>
BOOL SECListBase<TBase>::AddColumnRecord(std::unique_ptr<SECListColumn> pColumn)
{
    return InsertColumnRecord(GetColumnCount(), std::move(pColumn), TRUE);
}

template <class TBase>
BOOL SECListBase<TBase>::DeleteColumn(int nCol)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return FALSE;
    EndLabelEdit(TRUE);
    HideTip();
    const int nSubItem = pColumn->m_nSubItem;
    const int nWidth = pColumn->m_nWidth;
    m_columns.erase(m_columns.begin() + nCol);
    if (!HasListStyleEx(LVXS_KEEPCOLUMNWIDTHS))
        if (SECListColumn* pFirst = GetColumnRecord(GetFirstDataColumn()))
            pFirst->m_nWidth += nWidth;
    // The first data column shows the rows' own labels: it has no cells to remove and no number to
    // give back.
    if (nSubItem >= 1) {
        for (const auto& pRow : m_rows)
            pRow->RemoveSubItem(nSubItem);
        --m_nSubItemColumns;
        for (const auto& pOther : m_columns)
            if (pOther->m_nSubItem > nSubItem)
                --pOther->m_nSubItem;
    }
    if (m_nCurrentColumn >= GetColumnCount())
        m_nCurrentColumn = 0;
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::DeleteColumn(LPCTSTR lpszHeading)
{
    int nCol = -1;
    int nSubItem = -1;
    return FindColumn(lpszHeading, nCol, nSubItem) && DeleteColumn(nCol);
}

template <class TBase>
BOOL SECListBase<TBase>::DeleteAllColumns()
{
    m_columns.clear();
    m_nCurrentColumn = 0;
    if (m_hWnd != nullptr)
        UpdateScrollBars();
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::MoveColumn(int nFrom, int nTo, BOOL bRedraw)
{
    if (nFrom <= 0 || nTo <= 0 || nFrom >= GetColumnCount())
        return FALSE;
    BOOL bClamped = FALSE;
    if (nTo >= GetColumnCount()) {
        nTo = GetColumnCount() - 1;
        bClamped = TRUE;
    }
    auto pColumn = std::move(m_columns[static_cast<size_t>(nFrom)]);
    m_columns.erase(m_columns.begin() + nFrom);
    if (nTo > nFrom && !bClamped)
        --nTo;
    m_columns.insert(m_columns.begin() + nTo, std::move(pColumn));
    for (int i = 1; i < GetColumnCount(); ++i)
        m_columns[static_cast<size_t>(i)]->m_nSubItem = i;
    MoveColumnData(nFrom, nTo);
    if (bRedraw && m_hWnd != nullptr) {
        RecalcLayout();
        Invalidate();
    }
    return TRUE;
}

template <class TBase>
void SECListBase<TBase>::MoveColumnData(int nFrom, int nTo)
{
    for (const auto& pRow : m_rows)
        pRow->MoveSubItem(nFrom, nTo);
}

template <class TBase>
BOOL SECListBase<TBase>::GetColumn(int nCol, LVCOLUMN* pColumn) const
{
    const SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr || pColumn == nullptr)
        return FALSE;
    if (pColumn->mask & LVCF_FMT)
        pColumn->fmt = pRecord->m_nFormat;
    if (pColumn->mask & LVCF_WIDTH)
        pColumn->cx = pRecord->m_nWidth;
    if ((pColumn->mask & LVCF_TEXT) && pColumn->pszText && pColumn->cchTextMax > 0)
        ::lstrcpyn(pColumn->pszText, pRecord->m_strHeading, pColumn->cchTextMax);
    if (pColumn->mask & LVCF_SUBITEM)
        pColumn->iSubItem = pRecord->m_nSubItem;
    if (pColumn->mask & LVCF_IMAGE)
        pColumn->iImage = pRecord->m_nImage;
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetColumn(int nCol, const LVCOLUMN* pColumn, BOOL bRedraw)
{
    SECListColumn* pRecord = GetColumnRecord(nCol);
    if (pRecord == nullptr || pColumn == nullptr)
        return FALSE;
    if (pColumn->mask & LVCF_TEXT)
        pRecord->m_strHeading = pColumn->pszText ? pColumn->pszText : "";
    if (pColumn->mask & LVCF_FMT)
        pRecord->m_nFormat = nCol == 0 ? 0 : pColumn->fmt;
    if ((pColumn->mask & LVCF_SUBITEM) && nCol != 0)
        pRecord->m_nSubItem = pColumn->iSubItem;
    if (pColumn->mask & LVCF_WIDTH)
        pRecord->m_nWidth = pColumn->cx;
    if (bRedraw && m_hWnd != nullptr) {
        RecalcLayout();
        if (HasListStyleEx(LVXS_FITWIDTH))
            FitFirstColumn();
        Invalidate();
    }
    return TRUE;
}

template <class TBase>
int SECListBase<TBase>::GetColumnLeft(int nCol) const
{
    int x = -m_nHorzScroll;
    for (int i = 0; i < nCol && i < GetColumnCount(); ++i)
        x += m_columns[static_cast<size_t>(i)]->m_nWidth;
    return x;
}

template <class TBase>
int SECListBase<TBase>::GetColumnRight(int nCol) const
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return GetColumnLeft(nCol) + (pColumn ? pColumn->m_nWidth : 0);
}

template <class TBase>
BOOL SECListBase<TBase>::SetColumnWidth(int nCol, int cx)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->m_nWidth = cx;
    if (IsLabelWrap()) {
        for (const auto& pRow : m_rows) {
            pRow->m_cy = -1;
            pRow->m_bMeasure = TRUE;
        }
        m_labelExtents.MarkAllPending();
    }
    return TRUE;
}

template <class TBase>
int SECListBase<TBase>::GetColumnWidth(int nCol)
{
    if (m_columns.empty()) {
        CRect area;
        GetItemArea(area);
        return area.Width();
    }
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return pColumn ? pColumn->m_nWidth : 0;
}

template <class TBase>
BOOL SECListBase<TBase>::SetColumnFormat(int nCol, int nFormat)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->m_nFormat = nCol == 0 ? 0 : nFormat;
    return TRUE;
}

template <class TBase>
int SECListBase<TBase>::GetColumnFormat(int nCol) const
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return pColumn ? pColumn->m_nFormat : 0;
}

template <class TBase>
BOOL SECListBase<TBase>::SetColumnHeading(int nCol, LPCTSTR lpszHeading)
{
    SECListColumn* pColumn = GetColumnRecord(nCol);
    if (pColumn == nullptr)
        return FALSE;
    pColumn->m_strHeading = lpszHeading ? lpszHeading : "";
    return TRUE;
}

template <class TBase>
CString SECListBase<TBase>::GetColumnHeading(int nCol) const
{
    const SECListColumn* pColumn = GetColumnRecord(nCol);
    return pColumn ? pColumn->m_strHeading : CString();
}

template <class TBase>
BOOL SECListBase<TBase>::FindColumn(LPCTSTR lpszHeading, int& nCol, int& nSubItem) const
{
    for (int i = 0; lpszHeading && i < GetColumnCount(); ++i) {
        if (std::strcmp(m_columns[static_cast<size_t>(i)]->m_strHeading, lpszHeading) == 0) {
            nCol = i;
            nSubItem = m_columns[static_cast<size_t>(i)]->m_nSubItem;
            return TRUE;
        }
    }
    return FALSE;
}

template <class TBase>
BOOL SECListBase<TBase>::HasColumn(LPCTSTR lpszHeading) const
{
    int nCol = -1;
    int nSubItem = -1;
    return FindColumn(lpszHeading, nCol, nSubItem);
}

// --- image lists ------------------------------------------------------------------------------------

template <class TBase>
CImageList* SECListBase<TBase>::GetImageList(int nType) const
{
    return (nType >= 0 && nType < 4) ? m_pImageLists[nType] : nullptr;
}

template <class TBase>
CImageList* SECListBase<TBase>::SetImageList(CImageList* pImageList, int nType)
{
    if (nType < 0 || nType >= 4)
        return nullptr;
    CImageList* pPrevious = m_pImageLists[nType];
    // The caller owns the list handed back, so the control lets go of its copy.
    (void)m_ownedImageLists[nType].release();
    if (pImageList == nullptr || HasListStyle(LVS_SHAREIMAGELISTS)) {
        m_pImageLists[nType] = pImageList;
    } else {
        CopyImageList(pImageList, m_ownedImageLists[nType]);
        m_pImageLists[nType] = m_ownedImageLists[nType].get();
    }
    return pPrevious;
}

template <class TBase>
void SECListBase<TBase>::CopyImageList(CImageList* pSource, std::unique_ptr<CImageList>& holder)
{
    CMemFile file(1024);
    {
        CArchive store(&file, CArchive::store, 4096);
        pSource->Write(&store);
        store.Flush();
        store.Close();
    }
    file.SeekToBegin();
    holder = std::make_unique<CImageList>();
    CArchive load(&file, CArchive::load, 4096);
    if (!holder->Read(&load))
        holder.reset();
    load.Close();
}

// --- styles -----------------------------------------------------------------------------------------

template <class TBase>
void SECListBase<TBase>::GetListStyles(DWORD& dwStyle, DWORD& dwExStyle) const
{
    dwStyle = m_dwListStyle;
    dwExStyle = m_dwListStyleEx;
}

template <class TBase>
BOOL SECListBase<TBase>::SetListStyle(DWORD dwStyle, BOOL bRedraw)
{
    EndLabelEdit(TRUE);
    StopEditTimer();
    HideTip();
    if ((dwStyle ^ m_dwListStyle) & LVS_NOLABELWRAP) {
        for (const auto& pRow : m_rows) {
            pRow->m_cy = -1;
            pRow->m_bMeasure = TRUE;
        }
        m_labelExtents.MarkAllPending();
    }
    m_dwListStyle = dwStyle;
    if (bRedraw && m_hWnd != nullptr) {
        RecalcLayout();
        Invalidate();
    }
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetListStyleEx(DWORD dwExStyle, BOOL bRedraw)
{
    EndLabelEdit(TRUE);
    HideTip();
    const BOOL bFitOn = (dwExStyle & LVXS_FITWIDTH) && !(m_dwListStyleEx & LVXS_FITWIDTH);
    m_dwListStyleEx = dwExStyle;
    if (bFitOn && m_hWnd != nullptr)
        FitFirstColumn();
    if (bRedraw && m_hWnd != nullptr) {
        RecalcLayout();
        Invalidate();
    }
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetListStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw)
{
    SetListStyle(dwStyle, FALSE);
    return SetListStyleEx(dwExStyle, bRedraw);
}

template <class TBase>
BOOL SECListBase<TBase>::ModifyListStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetListStyle((m_dwListStyle & ~dwRemove) | dwAdd, bRedraw);
}

template <class TBase>
BOOL SECListBase<TBase>::ModifyListStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetListStyleEx((m_dwListStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

template <class TBase>
BOOL SECListBase<TBase>::ModifyListStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw)
{
    ModifyListStyle(dwRemove, dwAdd, FALSE);
    return ModifyListStyleEx(dwRemoveEx, dwAddEx, bRedraw);
}

template <class TBase>
BOOL SECListBase<TBase>::SetLabelWrap(BOOL bWrap)
{
    return bWrap ? ModifyListStyle(LVS_NOLABELWRAP, 0) : ModifyListStyle(0, LVS_NOLABELWRAP);
}

template <class TBase>
BOOL SECListBase<TBase>::SetLabelTips(BOOL bOn)
{
    return bOn ? ModifyListStyleEx(0, LVXS_LABELTIPS, FALSE) : ModifyListStyleEx(LVXS_LABELTIPS, 0, FALSE);
}

template <class TBase>
BOOL SECListBase<TBase>::SetMultiSelect(BOOL bMulti)
{
    if (bMulti)
        return ModifyListStyle(LVS_SINGLESEL, 0);
    if (GetSelectedCount() > 1)
        DeselectAll(-1);
    return ModifyListStyle(0, LVS_SINGLESEL);
}

template <class TBase>
BOOL SECListBase<TBase>::IsHeaderVisible() const
{
    return (m_dwListStyle & LVS_TYPEMASK) == LVS_REPORT && !HasListStyle(LVS_NOCOLUMNHEADER);
}

template <class TBase>
BOOL SECListBase<TBase>::ShowHeader(BOOL bShow, BOOL bButtons)
{
    if (bShow)
        return ModifyListStyle(LVS_NOCOLUMNHEADER | (bButtons ? LVS_NOSORTHEADER : 0), 0);
    return ModifyListStyle(0, LVS_NOCOLUMNHEADER | LVS_NOSORTHEADER);
}
