// Belongs to the list template: SECListBaseC.cpp and SECListBaseV.cpp include it and instantiate it.
// The list's in-place label edit: opening it over a cell, following the typed text, and ending it
// with the owner's consent.
#include <algorithm>
#include <vector>

#include "platform/afx/AfxText.h"
#include "platform/afx/CClientDC.h"
#include "toolkit/controls/SECListBase.h"

namespace {

// The edit stands this far out from the label it covers.
constexpr int kEditMarginLeft = 4;
constexpr int kEditMarginRight = 10;
// While typing, the edit keeps room for the next characters beyond its margin.
constexpr int kEditGrowRoom = 14;

} // namespace

template <class TBase>
int SECListBase<TBase>::GetEditedSubItem()
{
    return std::max(0, GetColumnSubItem(m_nCurrentColumn));
}

template <class TBase>
SECListEdit* SECListBase<TBase>::EditLabel(int nRow, int nCol)
{
    if (m_pEdit->m_hWnd != nullptr)
        return nullptr;
    SECListItem* pItem = GetItemRecord(nRow);
    if (pItem == nullptr || m_hWnd == nullptr)
        return nullptr;
    HideTip();
    if (m_nEditedRow >= 0)
        EndLabelEdit(TRUE);
    if (GetColumnRecord(nCol) == nullptr)
        nCol = std::max(0, GetFirstDataColumn());
    const int nSubItem = std::max(0, GetColumnSubItem(nCol));
    // Ending the edit stores into the column it was opened on.
    m_nCurrentColumn = nCol;
    m_nArmedEditRow = -1;
    m_nEditedRow = nRow;
    const auto abandon = [this]() {
        if (m_pEdit->m_hWnd != nullptr)
            m_pEdit->DestroyWindow();
        m_nEditedRow = -1;
        m_nArmedEditRow = -1;
        return nullptr;
    };
    CRect label;
    if (!GetCellRect(nRow, nCol, label, LVIR_LABEL))
        return abandon();
    CRect area;
    GetItemArea(area);
    CRect rect(label.left - kEditMarginLeft, label.top - 1, label.right + kEditMarginRight, label.bottom + 1);
    if (rect.left < 0)
        rect.OffsetRect(-rect.left, 0);
    rect.right = std::min(rect.right, area.right);
    DWORD dwStyle = WS_CHILD | WS_BORDER | ES_MULTILINE;
    dwStyle |= HasListStyle(LVS_NOLABELWRAP) ? (ES_AUTOHSCROLL | ES_WANTRETURN) : ES_AUTOVSCROLL;
    if (!m_pEdit->Create(dwStyle, rect, this, SECListEdit::controlId))
        return abandon();
    m_pEdit->SendMessage(EM_SETTABSTOPS, 0, 0);
    auto pDC = CreateMeasureDC();
    auto pContext = CreatePaintContext(pDC.get());
    pContext->m_lvi.iItem = nRow;
    pContext->m_lvi.iSubItem = nSubItem;
    pContext->m_nColumn = nCol;
    pContext->m_pItem = pItem;
    pContext->m_pColumn = GetColumnRecord(nCol);
    pContext->m_pSubItem = pItem->GetSubItem(nSubItem);
    PrepareItem(pContext.get());
    const CString strText = GetItemText(nRow, nSubItem);
    m_pEdit->SetWindowText(strText);
    m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(pContext->m_hFont), TRUE);
    m_pEdit->SetSel(0, -1);
    // The owner may veto, and may change the rows while it is asked.
    if (NotifyBeginLabelEdit(nRow, nSubItem) || GetItemRecord(nRow) != pItem || m_pEdit->m_hWnd == nullptr)
        return abandon();
    m_pEdit->ShowWindow(SW_SHOW);
    m_pEdit->SetFocus();
    m_strLabelBeforeEdit = strText;
    RedrawItems(nRow, FALSE, TRUE, FALSE, FALSE);
    m_bEndingEdit = FALSE;
    return m_pEdit.get();
}

template <class TBase>
void SECListBase<TBase>::AbandonLabelEdit()
{
    if (m_pEdit->m_hWnd != nullptr) {
        const BOOL bWasEnding = m_bEndingEdit;
        m_bEndingEdit = TRUE;
        m_pEdit->DestroyWindow();
        m_bEndingEdit = bWasEnding;
    }
    m_nEditedRow = -1;
}

template <class TBase>
BOOL SECListBase<TBase>::EndLabelEdit(BOOL bCommit)
{
    if (m_pEdit->m_hWnd == nullptr || m_bEndingEdit)
        return FALSE;
    m_bEndingEdit = TRUE;
    CString strText;
    m_pEdit->GetWindowText(strText);
    int nRow = m_nEditedRow;
    const int nSubItem = GetEditedSubItem();
    const SECListItem* pItem = GetItemRecord(nRow);
    const CString strTyped = GetItemText(nRow, nSubItem);
    const BOOL bAccepted = NotifyEndLabelEdit(nRow, nSubItem, strText, bCommit);
    // The owner may have moved or deleted the row while it was asked: the text goes to the row's
    // record wherever it is now, or nowhere.
    nRow = GetItemRecord(nRow) == pItem ? nRow : FindRecord(pItem);
    if (nRow >= 0 && bAccepted) {
        SetItemText(nRow, nSubItem, strText);
        OnLabelChanged(nRow, nSubItem);
    } else if (nRow >= 0 && GetItemText(nRow, nSubItem) == strTyped) {
        // Undo what typing wrote into the row on the way, unless the owner wrote the cell itself.
        SetItemText(nRow, nSubItem, m_strLabelBeforeEdit);
    }
    // Closing the edit from the keyboard leaves the keyboard with the list.
    const BOOL bHadFocus = m_pEdit->m_hWnd != nullptr && ::GetFocus() == m_pEdit->m_hWnd;
    if (m_pEdit->m_hWnd != nullptr)
        m_pEdit->DestroyWindow();
    m_nEditedRow = -1;
    if (m_hWnd != nullptr) {
        if (bHadFocus)
            SetFocus();
        RecalcLayout();
        Invalidate(TRUE);
    }
    m_bEndingEdit = FALSE;
    return TRUE;
}

template <class TBase>
void SECListBase<TBase>::OnEditKillFocus()
{
    EndLabelEdit(TRUE);
}

template <class TBase>
void SECListBase<TBase>::OnEditUpdate()
{
    // Setting the edit's first text is no typing.
    if (m_pEdit->m_hWnd == nullptr || !m_pEdit->IsWindowVisible() || GetItemRecord(m_nEditedRow) == nullptr)
        return;
    const int nRow = m_nEditedRow;
    const int nCol = m_nCurrentColumn;
    const int nSubItem = GetEditedSubItem();
    CRect before(0, 0, 0, 0);
    GetCellRect(nRow, nCol, before, LVIR_LABEL);
    CString strText;
    m_pEdit->GetWindowText(strText);
    SetItemText(nRow, nSubItem, strText);
    {
        CClientDC dc(m_pEdit.get());
        auto pContext = CreatePaintContext(&dc);
        MeasureRow(nRow, pContext.get());
    }
    CRect after(0, 0, 0, 0);
    if (!GetCellRect(nRow, nCol, after, LVIR_LABEL))
        return;
    if (after.Height() != before.Height()) {
        RecalcLayout();
        RedrawItems(nRow, FALSE, TRUE, TRUE, FALSE);
    }
    CRect area;
    GetItemArea(area);
    CRect rect(std::max(0, after.left - kEditMarginLeft), after.top - 1, after.right + kEditGrowRoom, after.bottom + 1);
    rect.right = std::min(rect.right, GetColumnCount() >= 2 ? GetColumnRight(nCol) : static_cast<int>(area.right));
    m_pEdit->SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class TBase>
BOOL SECListBase<TBase>::NotifyBeginLabelEdit(int nRow, int nSubItem)
{
    NMLVDISPINFO record {};
    record.item.mask = LVIF_TEXT;
    record.item.iItem = nRow;
    record.item.iSubItem = nSubItem;
    record.item.lParam = GetRecordData(GetItemRecord(nRow));
    return SendNotifyRecord(record.hdr, LVN_BEGINLABELEDIT) != 0;
}

template <class TBase>
BOOL SECListBase<TBase>::NotifyEndLabelEdit(int nRow, int nSubItem, CString& strText, BOOL bCommit)
{
    NMLVDISPINFO record {};
    record.item.mask = LVIF_TEXT;
    record.item.iItem = nRow;
    record.item.iSubItem = nSubItem;
    record.item.lParam = GetRecordData(GetItemRecord(nRow));
    // The owner may rewrite the text in place, so it gets a buffer of its own to write into.
    std::vector<char> buffer(textBufferSize, '\0');
    if (bCommit) {
        afx::CopyText(buffer.data(), textBufferSize, static_cast<LPCTSTR>(strText));
        record.item.pszText = buffer.data();
        record.item.cchTextMax = textBufferSize;
    }
    const LRESULT lResult = SendNotifyRecord(record.hdr, LVN_ENDLABELEDIT);
    if (!bCommit || lResult == 0)
        return FALSE;
    buffer.back() = '\0';
    const char* pszResult = record.item.pszText != nullptr ? record.item.pszText : buffer.data();
    strText = pszResult;
    return TRUE;
}
