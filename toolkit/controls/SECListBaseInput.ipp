// Belongs to the list template: SECListBaseC.cpp and SECListBaseV.cpp include it and instantiate it.
// The list's window messages: creation, focus, mouse and keyboard selection, type-ahead, scrolling,
// timers and the notifications sent to the owner.
#include <algorithm>

#include "platform/afx/CFrameWnd.h"
#include "platform/base/CaseFold.h"
#include "toolkit/controls/SECListBase.h"

// --- creation ---------------------------------------------------------------------------------------

template <class TBase>
BOOL SECListBase<TBase>::Create(DWORD dwStyle, DWORD dwExStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
    CCreateContext* pContext)
{
    // The context reaches the creation as its parameter: a view form joins its document from it.
    return TBase::CreateEx(dwExStyle, nullptr, nullptr, dwStyle, rect, pParentWnd, nID, pContext);
}

template <class TBase>
BOOL SECListBase<TBase>::PreCreateWindow(CREATESTRUCT& cs)
{
    // The list's own style bits live in the list style words, not in the window's.
    ApplyCreateStyles(cs);
    return TBase::PreCreateWindow(cs);
}

template <class TBase>
BOOL SECListBase<TBase>::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return Create(dwStyle, 0, rect, pParentWnd, nID, pContext);
}

template <class TBase>
BOOL SECListBase<TBase>::Create(LPCTSTR, LPCTSTR, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
    CCreateContext* pContext)
{
    return Create(dwStyle, 0, rect, pParentWnd, nID, pContext);
}

template <class TBase>
BOOL SECListBase<TBase>::CreateFromControl(UINT nID, CWnd* pDialog)
{
    CWnd* pPlaceholder = pDialog ? pDialog->GetDlgItem(static_cast<int>(nID)) : nullptr;
    if (pPlaceholder == nullptr)
        return FALSE;
    const DWORD dwStyle = pPlaceholder->GetStyle() | WS_BORDER;
    const DWORD dwExStyle = pPlaceholder->GetExStyle();
    CRect rect;
    pPlaceholder->GetWindowRect(&rect);
    pDialog->ScreenToClient(&rect);
    pPlaceholder->DestroyWindow();
    return Create(dwStyle, dwExStyle, rect, pDialog, nID);
}

template <class TBase>
void SECListBase<TBase>::ApplyCreateStyles(CREATESTRUCT& cs)
{
    m_dwListStyle |= static_cast<DWORD>(cs.style) & 0xF3FF;
    cs.style &= ~static_cast<LONG>(0xF3FF);
    m_dwListStyleEx |= cs.dwExStyle & 0x1FF00000;
    cs.dwExStyle &= ~static_cast<DWORD>(0x1FF00000);
}

template <class TBase>
int SECListBase<TBase>::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (TBase::OnCreate(lpCreateStruct) == -1)
        return -1;
    m_hDividerCursor = ::LoadCursor(nullptr, IDC_SIZEWE);
    if ((m_dwListStyle & LVS_TYPEMASK) != LVS_REPORT) {
        m_dwListStyle |= LVS_NOCOLUMNHEADER;
        InsertColumn(0, "", LVCFMT_LEFT, 20, 0, 0, FALSE);
    }
    return 0;
}

template <class TBase>
void SECListBase<TBase>::OnDestroy()
{
    StopAutoScrollTimer();
    StopEditTimer();
    // An edit still open goes quietly: its owner may be going too.
    AbandonLabelEdit();
    for (auto& pList : m_ownedImageLists)
        pList.reset();
    for (auto& pList : m_pImageLists)
        pList = nullptr;
    if (m_pTip->m_hWnd != nullptr)
        m_pTip->DestroyWindow();
    DeleteAllItems();
    DeleteAllColumns();
    m_pHorzBar.reset();
    m_pVertBar.reset();
    TBase::OnDestroy();
}

template <class TBase>
void SECListBase<TBase>::OnSize(UINT nType, int cx, int cy)
{
    PositionScrollBars();
    if (!m_columns.empty()) {
        FitColumns();
        RecalcLayout();
    }
    TBase::OnSize(nType, cx, cy);
}

template <class TBase>
void SECListBase<TBase>::OnSetFocus(CWnd* pOldWnd)
{
    TBase::OnSetFocus(pOldWnd);
    if (HasListStyle(LVS_SINGLESEL) && m_nCaret >= 0)
        RedrawItems(m_nCaret, TRUE, FALSE, FALSE, FALSE);
    else
        Invalidate(FALSE);
    SendNotify(NM_SETFOCUS);
}

template <class TBase>
void SECListBase<TBase>::OnKillFocus(CWnd* pNewWnd)
{
    TBase::OnKillFocus(pNewWnd);
    // The label edit taking the focus is part of editing, not the end of it.
    if (pNewWnd != nullptr && pNewWnd->m_hWnd != nullptr && pNewWnd->m_hWnd == m_pEdit->m_hWnd)
        return;
    EndLabelEdit(TRUE);
    if (HasListStyle(LVS_SINGLESEL) && m_nCaret >= 0)
        RedrawItems(m_nCaret, TRUE, FALSE, FALSE, FALSE);
    else
        Invalidate(FALSE);
    SendNotify(NM_KILLFOCUS);
}

template <class TBase>
void SECListBase<TBase>::OnEnable(BOOL bEnable)
{
    if (!bEnable)
        HideTip();
    Invalidate();
}

template <class TBase>
void SECListBase<TBase>::OnCancelMode() { HideTip(); }

template <class TBase>
UINT SECListBase<TBase>::OnGetDlgCode()
{
    return DLGC_WANTARROWS | DLGC_WANTTAB | DLGC_WANTALLKEYS | DLGC_WANTCHARS;
}

template <class TBase>
BOOL SECListBase<TBase>::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (pWnd == this && nHitTest == HTCLIENT && m_bOverDivider && m_hDividerCursor) {
        ::SetCursor(m_hDividerCursor);
        return FALSE;
    }
    return TBase::OnSetCursor(pWnd, nHitTest, message);
}

template <class TBase>
void SECListBase<TBase>::OnSysColorChange()
{
    if (m_bColorsFollowSystem)
        LoadColors();
}

// --- notifications ----------------------------------------------------------------------------------

template <class TBase>
LRESULT SECListBase<TBase>::SendNotifyRecord(NMHDR& header, UINT nCode)
{
    header.hwndFrom = m_hWnd;
    header.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    header.code = nCode;
    CWnd* pTarget = GetNotifyTarget();
    if (pTarget == nullptr || m_hWnd == nullptr)
        return 0;
    return pTarget->SendMessage(WM_NOTIFY, header.idFrom, reinterpret_cast<LPARAM>(&header));
}

template <class TBase>
LRESULT SECListBase<TBase>::SendNotify(UINT nCode)
{
    NMHDR header {};
    m_lLastNotifyResult = SendNotifyRecord(header, nCode);
    return m_lLastNotifyResult;
}

template <class TBase>
void SECListBase<TBase>::NotifyDeleteItem(int nRow)
{
    NMLISTVIEW record {};
    record.iItem = nRow;
    SendNotifyRecord(record.hdr, LVN_DELETEITEM);
}

template <class TBase>
void SECListBase<TBase>::NotifyInsertItem(int nRow)
{
    NMLISTVIEW record {};
    record.iItem = nRow;
    SendNotifyRecord(record.hdr, LVN_INSERTITEM);
}

template <class TBase>
void SECListBase<TBase>::NotifyGetDispInfo(LVITEM* pItem)
{
    NMLVDISPINFO record {};
    record.item = *pItem;
    SendNotifyRecord(record.hdr, LVN_GETDISPINFO);
    *pItem = record.item;
}

template <class TBase>
void SECListBase<TBase>::NotifyKeyDown(UINT nVKey)
{
    NMLVKEYDOWN record {};
    record.wVKey = static_cast<WORD>(nVKey);
    SendNotifyRecord(record.hdr, LVN_KEYDOWN);
}

template <class TBase>
void SECListBase<TBase>::NotifyColumnClick(int nCol)
{
    NMLISTVIEW record {};
    record.iItem = -1;
    record.iSubItem = nCol;
    SendNotifyRecord(record.hdr, LVN_COLUMNCLICK);
}

// --- hit testing and selection ----------------------------------------------------------------------

template <class TBase>
int SECListBase<TBase>::HitTest(int x, int y, UINT* pFlags, int* pCol)
{
    UINT flags = 0;
    int nCol = -1;
    int nRow = -1;
    CRect client;
    GetItemAreaRect(client);
    CRect area;
    GetItemArea(area);
    if (y < client.top)
        flags |= LVHT_ABOVE;
    if (y >= client.bottom)
        flags |= LVHT_BELOW;
    if (x < client.left)
        flags |= LVHT_TOLEFT;
    if (x >= client.right)
        flags |= LVHT_TORIGHT;
    for (int i = 0; i < GetColumnCount(); ++i)
        if (x >= GetColumnLeft(i) && x < GetColumnRight(i))
            nCol = i;
    if (flags == 0 && IsHeaderVisible() && y < area.top) {
        for (int i = 0; i < GetColumnCount(); ++i) {
            const BOOL bResizable = !(HasListStyleEx(LVXS_FITWIDTH) && i == GetColumnCount() - 1);
            if (bResizable && std::abs(x - GetColumnRight(i)) <= 4) {
                flags |= LVHT_ONHEADERDIVIDER;
                nCol = i;
                break;
            }
        }
        if (!(flags & LVHT_ONHEADERDIVIDER))
            flags |= nCol >= 0 ? LVHT_ONHEADER : LVHT_NOWHERE;
    } else if (flags == 0 && area.PtInRect(CPoint(x, y))) {
        int top = area.top;
        for (int n = m_nTopIndex; n < GetItemCount() && top < area.bottom; ++n) {
            const int cy = MeasuredHeight(n, TRUE);
            if (y < top + cy) {
                nRow = n;
                break;
            }
            top += cy;
        }
        if (nRow >= 0 && (nCol >= 0 || GetColumnCount() == 0)) {
            flags |= LVHT_ONROW;
            if (GetColumnSubItem(nCol) == 0 || GetColumnCount() == 0) {
                const SECListItem* pItem = GetItemRecord(nRow);
                const CPoint pt(x - GetColumnLeft(std::max(0, nCol)), y - top);
                if (pItem->m_rcIcon.PtInRect(pt))
                    flags |= LVHT_ONITEMICON;
                else if (pItem->m_rcStateIcon.PtInRect(pt))
                    flags |= LVHT_ONITEMSTATEICON;
                else if (pt.x >= pItem->m_rcLabel.left && pt.x < pItem->m_rcLabel.right)
                    flags |= LVHT_ONITEMLABEL;
                if (pt.x < pItem->m_rcLabel.left)
                    flags |= LVHT_LEFTOFLABEL;
                else if (pt.x >= pItem->m_rcLabel.right)
                    flags |= LVHT_RIGHTOFLABEL;
            }
        } else {
            flags |= LVHT_NOWHERE;
        }
    } else if (flags == 0) {
        flags |= LVHT_NOWHERE;
    }
    if (pFlags)
        *pFlags = flags;
    if (pCol)
        *pCol = nCol;
    return nRow;
}

template <class TBase>
void SECListBase<TBase>::DecideClickAction(CPoint point, int nRow, UINT nHitFlags, BOOL& bArm, BOOL& bSelect)
{
    bArm = FALSE;
    bSelect = FALSE;
    if (nHitFlags & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) {
        bArm = bSelect = TRUE;
    } else if ((nHitFlags & LVHT_ONHEADER) && (m_dwListStyleEx & LVS_EX_HEADERDRAGDROP) && m_nCurrentColumn != 0) {
        bArm = TRUE;
    } else if ((nHitFlags & LVHT_ONROW) && !(nHitFlags & LVHT_ONITEMSTATEICON)) {
        if (HasListStyleEx(LVXS_FULLROWSELECT)) {
            bArm = bSelect = TRUE;
        } else if (nHitFlags & LVHT_LEFTOFLABEL) {
            CRect icon;
            if (GetItemRect(nRow, icon, LVIR_ICON) && !icon.IsRectEmpty() && point.x >= icon.right)
                bArm = bSelect = TRUE;
        }
    }
}

template <class TBase>
BOOL SECListBase<TBase>::SelectFromInput(int nRow, UINT nHitFlags, UINT nKeys, BOOL bByMouse)
{
    m_nPendingRow = -1;
    const int nOld = m_nCaret;
    if (nRow < 0 || nRow >= GetItemCount())
        return TRUE;
    const BOOL bShift = (nKeys & MK_SHIFT) != 0;
    const BOOL bCtrl = (nKeys & MK_CONTROL) != 0;
    const auto askChange = [&]() {
        m_lSelectionVeto = NotifySelChanging(nRow, nOld, bByMouse);
        return m_lSelectionVeto == 0;
    };
    if (IsMultiSelect() && (bShift || bCtrl)) {
        if (m_lSelectionVeto != 0) {
            m_lSelectionVeto = 0;
            return TRUE;
        }
        if (bCtrl && !bShift) {
            if (!bByMouse) {
                SetFocusRow(nRow);
                if (nRow != nOld)
                    return TRUE;
            } else if (m_bClickArmed) {
                return TRUE;
            }
            if (!askChange())
                return FALSE;
            HideTip();
            SetCaret(nRow, !IsItemSelected(nRow));
        } else {
            const BOOL bGo = (!bByMouse && nRow == nOld) || (m_nAnchor >= 0 && nRow != nOld) || bByMouse;
            if (!bGo || m_nAnchor < 0)
                return TRUE;
            if (!askChange())
                return FALSE;
            HideTip();
            const int nAnchor = m_nAnchor;
            DeselectAll(-1);
            SelectRange(nAnchor, nRow, TRUE);
            SetCaret(nRow, TRUE);
            m_nAnchor = nAnchor;
            InvalidateRows(nAnchor, nRow);
        }
    } else {
        if (nRow == nOld && IsItemSelected(nRow))
            return TRUE;
        if ((nHitFlags & LVHT_ONITEMICON) && IsItemSelected(nRow) && bByMouse) {
            SetFocusRow(nRow);
        } else {
            if (!askChange())
                return FALSE;
            HideTip();
            DeselectAll(nRow);
            SetCaret(nRow, TRUE);
        }
    }
    NotifySelChanged(nRow, nOld, bByMouse);
    return TRUE;
}

// --- mouse ------------------------------------------------------------------------------------------

template <class TBase>
void SECListBase<TBase>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (::GetFocus() != m_hWnd)
        TBase::SetFocus();
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    m_bClickArmed = FALSE;
    m_nCurrentColumn = std::max(0, nCol);
    if (nHit & LVHT_ONHEADERDIVIDER) {
        ResizeColumnFromDivider(point, nCol);
    } else {
        BOOL bArm = FALSE;
        BOOL bSelect = FALSE;
        DecideClickAction(point, nRow, nHit, bArm, bSelect);
        m_bClickArmed = bArm;
        if (!HasListStyle(LVS_NOSORTHEADER) && (nHit & LVHT_ONHEADER) && nCol >= 0) {
            m_nPressedHeaderColumn = nCol;
            DrawHeaderButton(nCol, TRUE);
            ::SetCapture(m_hWnd);
        }
        if (bSelect && SelectFromInput(nRow, nHit, nFlags & (MK_SHIFT | MK_CONTROL), TRUE))
            OnRowSelected(nRow, TRUE);
    }
    m_ptClick = point;
    m_pTip->Refresh();
    m_bItemDrag = FALSE;
    m_bColumnDrag = FALSE;
    m_nPendingRow = -1;
    Default();
}

template <class TBase>
void SECListBase<TBase>::OnLButtonUp(UINT nFlags, CPoint point)
{
    const BOOL bWasArmed = m_bClickArmed;
    m_bClickArmed = FALSE;
    if (m_bItemDrag) {
        m_bItemDrag = FALSE;
        Default();
        return;
    }
    if (m_bColumnDrag) {
        EndColumnDrag();
        Default();
        return;
    }
    if (m_nPressedHeaderColumn >= 0 && !HasListStyle(LVS_NOSORTHEADER)) {
        const int nCol = m_nPressedHeaderColumn;
        m_nPressedHeaderColumn = -1;
        ::ReleaseCapture();
        DrawHeaderButton(nCol, FALSE);
        NotifyColumnClick(nCol);
    }
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    const UINT nKeys = nFlags & (MK_SHIFT | MK_CONTROL);
    if (nRow >= 0 && IsItemSelected(nRow) && GetSelectedCount() > 1 && nKeys == 0) {
        DeselectAll(-1);
        SelectFromInput(nRow, nHit, nKeys, TRUE);
    } else if (nRow >= 0 && (nKeys & MK_CONTROL) && bWasArmed) {
        SelectFromInput(nRow, nHit, nKeys, TRUE);
    }
    CRect icon;
    const BOOL bRightOfIcon = (nHit & LVHT_LEFTOFLABEL) && GetItemRect(nRow, icon, LVIR_ICON) && !icon.IsRectEmpty()
        && point.x >= icon.right;
    const BOOL bOnLabel = (nHit & (LVHT_ONITEMICON | LVHT_ONITEMLABEL)) != 0
        || ((nHit & LVHT_ONROW) && HasListStyleEx(LVXS_FULLROWSELECT)) || bRightOfIcon;
    if (nRow >= 0 && bOnLabel && m_nArmedEditRow == nRow) {
        StopEditTimer();
        m_nEditTimer = SetTimer(editStartTimer, editStartDelay);
    }
    const BOOL bArmsEdit = HasListStyle(LVS_EDITLABELS) && nRow >= 0 && IsItemSelected(nRow)
        && ((nHit & LVHT_ONITEMLABEL)
            || (HasListStyleEx(LVXS_FULLROWSELECT) && (nHit & LVHT_ONROW) && m_nCurrentColumn >= 1 && nCol >= 1));
    m_nArmedEditRow = bArmsEdit ? nRow : -1;
    Default();
    SendNotify(NM_CLICK);
}

template <class TBase>
void SECListBase<TBase>::OnLButtonDblClk(UINT, CPoint)
{
    m_nArmedEditRow = -1;
    StopEditTimer();
    Default();
    SendNotify(NM_DBLCLK);
}

template <class TBase>
void SECListBase<TBase>::OnRButtonDown(UINT nFlags, CPoint point)
{
    // A click that reached the list through its tip activated nothing yet.
    if (m_pTip->IsShown()) {
        CWnd* pFrame = GetParentFrame();
        SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(pFrame ? pFrame->m_hWnd : nullptr),
            MAKELPARAM(HTCLIENT, WM_RBUTTONDOWN));
    }
    if (::GetFocus() != m_hWnd)
        TBase::SetFocus();
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    m_bClickArmed = FALSE;
    if (!(nHit & LVHT_ONHEADERDIVIDER)) {
        BOOL bArm = FALSE;
        BOOL bSelect = FALSE;
        DecideClickAction(point, nRow, nHit, bArm, bSelect);
        if (bSelect && SelectFromInput(nRow, nHit, nFlags & (MK_SHIFT | MK_CONTROL), TRUE))
            OnRowSelected(nRow, TRUE);
    }
    m_ptClick = point;
    m_pTip->Refresh();
    m_bItemDrag = FALSE;
    Default();
}

template <class TBase>
void SECListBase<TBase>::OnRButtonUp(UINT, CPoint)
{
    m_bClickArmed = FALSE;
    if (m_bItemDrag) {
        m_bItemDrag = FALSE;
        return;
    }
    m_pTip->Refresh();
    Default();
    SendNotify(NM_RCLICK);
}

template <class TBase>
void SECListBase<TBase>::OnMouseMove(UINT nFlags, CPoint point)
{
    if (m_bItemDrag && !m_bColumnDrag)
        return;
    UINT nHit = 0;
    int nCol = -1;
    const int nRow = HitTest(point.x, point.y, &nHit, &nCol);
    m_bOverDivider = (nHit & LVHT_ONHEADERDIVIDER) != 0;
    const BOOL bHeaderButtons = !HasListStyle(LVS_NOSORTHEADER);
    if (bHeaderButtons && m_nPressedHeaderColumn >= 0 && !m_bColumnDrag
        && !((nHit & LVHT_ONHEADER) && nCol == m_nPressedHeaderColumn)) {
        const int nPressed = m_nPressedHeaderColumn;
        m_nPressedHeaderColumn = -1;
        ::ReleaseCapture();
        DrawHeaderButton(nPressed, FALSE);
        m_bClickArmed = FALSE;
    }
    BOOL bBeginDrag = FALSE;
    if (m_nCaret >= 0 && m_bClickArmed && !(nHit & (LVHT_ONHEADER | LVHT_ONHEADERDIVIDER))
        && (nFlags & (MK_LBUTTON | MK_RBUTTON))
        && (std::abs(point.x - m_ptClick.x) > 3 || std::abs(point.y - m_ptClick.y) > 3)) {
        m_bItemDrag = TRUE;
        m_bClickArmed = FALSE;
        bBeginDrag = TRUE;
    }
    if (m_nPressedHeaderColumn > 0 && m_bClickArmed && (nFlags & MK_LBUTTON)
        && (std::abs(point.x - m_ptClick.x) > 1 || std::abs(point.y - m_ptClick.y) > 1))
        StartColumnDrag(point);
    if (m_bColumnDrag && (nFlags & MK_LBUTTON))
        TrackColumnDrag(point, nCol);
    if (HasListStyleEx(LVXS_LABELTIPS) && HasListStyle(LVS_NOLABELWRAP) && !m_bItemDrag && !m_bColumnDrag
        && nRow != m_nEditedRow)
        m_pTip->ShowFor(nHit, nRow, nCol, point.x, point.y);
    else
        HideTip();
    if (bBeginDrag) {
        if (nFlags & MK_LBUTTON)
            NotifyBeginDrag();
        else
            NotifyBeginRDrag(m_nCaret, m_ptClick);
    }
    Default();
}

// --- keyboard ---------------------------------------------------------------------------------------

template <class TBase>
void SECListBase<TBase>::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NotifyKeyDown(nChar);
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    const BOOL bCtrl = ::GetKeyState(VK_CONTROL) < 0;
    const int nRow = m_nCaret;
    const int nSubItem = GetColumnSubItem(m_nCurrentColumn);
    switch (nChar) {
    case VK_SPACE: OnKeySelect(nRow, nSubItem, bShift, bCtrl); break;
    case VK_UP: OnKeyLineUp(nRow, nSubItem, bShift, bCtrl); break;
    case VK_DOWN: OnKeyLineDown(nRow, nSubItem, bShift, bCtrl); break;
    case VK_HOME: OnKeyHome(nRow, nSubItem, bShift, bCtrl); break;
    case VK_END: OnKeyEnd(nRow, nSubItem, bShift, bCtrl); break;
    case VK_PRIOR: OnKeyPageUp(nRow, nSubItem, bShift, bCtrl); break;
    case VK_NEXT: OnKeyPageDown(nRow, nSubItem, bShift, bCtrl); break;
    case VK_RETURN: OnKeyReturn(nRow, nSubItem, bShift, bCtrl); break;
    case VK_F2: OnKeyEdit(nRow, nSubItem, bShift, bCtrl); break;
    case VK_LEFT:
    case VK_SUBTRACT:
    case VK_OEM_MINUS: OnKeyCollapse(nRow, nSubItem, bShift, bCtrl); break;
    case VK_BACK: OnKeyBack(nRow, nSubItem, bShift, bCtrl); break;
    case VK_RIGHT:
    case VK_ADD:
    case VK_OEM_PLUS: OnKeyExpand(nRow, nSubItem, bShift, bCtrl); break;
    case VK_MULTIPLY: OnKeyExpandAll(nRow, nSubItem, bShift, bCtrl); break;
    case VK_TAB:
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_NEXTDLGCTL, bShift ? 1 : 0, 0);
        break;
    case VK_ESCAPE:
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_COMMAND, IDCANCEL, 0);
        break;
    default: break;
    }
    TBase::OnKeyDown(nChar, nRepCnt, nFlags);
}

template <class TBase>
void SECListBase<TBase>::OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    NotifyKeyDown(nChar);
    TBase::OnSysKeyDown(nChar, nRepCnt, nFlags);
}

static UINT KeyFlags(BOOL bShift, BOOL bCtrl)
{
    return (bShift ? MK_SHIFT : 0) | (bCtrl ? MK_CONTROL : 0);
}

template <class TBase>
void SECListBase<TBase>::OnKeySelect(int nRow, int, BOOL bShift, BOOL bCtrl)
{
    if (nRow >= 0 && SelectFromInput(nRow, keyboardHit, KeyFlags(bShift, bCtrl), FALSE)) {
        OnRowSelected(nRow, FALSE);
        EnsureVisible(nRow);
    }
}

template <class TBase>
void SECListBase<TBase>::OnKeyLineUp(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl)
{
    if (nRow > 0)
        OnKeySelect(nRow - 1, nSubItem, bShift, bCtrl);
}

template <class TBase>
void SECListBase<TBase>::OnKeyLineDown(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl)
{
    if (nRow < GetItemCount() - 1)
        OnKeySelect(nRow + 1, nSubItem, bShift, bCtrl);
}

template <class TBase>
void SECListBase<TBase>::OnKeyReturn(int, int, BOOL, BOOL) { SendNotify(NM_RETURN); }

template <class TBase>
void SECListBase<TBase>::OnKeyEdit(int nRow, int, BOOL, BOOL)
{
    if (HasListStyle(LVS_EDITLABELS) && nRow >= 0)
        EditLabel(nRow, m_nCurrentColumn);
}

template <class TBase>
void SECListBase<TBase>::OnKeyHome(int, int, BOOL bShift, BOOL bCtrl)
{
    if (GetItemCount() == 0)
        return;
    if (m_dwScrollBars & WS_VSCROLL)
        SendMessage(WM_VSCROLL, SB_TOP, reinterpret_cast<LPARAM>(m_pVertBar->m_hWnd));
    SelectPageRow(0, bShift, bCtrl);
}

template <class TBase>
void SECListBase<TBase>::OnKeyEnd(int, int, BOOL bShift, BOOL bCtrl)
{
    if (GetItemCount() == 0)
        return;
    if (m_dwScrollBars & WS_VSCROLL)
        SendMessage(WM_VSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(m_pVertBar->m_hWnd));
    SelectPageRow(GetItemCount() - 1, bShift, bCtrl);
}

template <class TBase>
void SECListBase<TBase>::SelectPageRow(int nRow, BOOL bShift, BOOL bCtrl)
{
    if (nRow < 0 || nRow >= GetItemCount())
        return;
    if (SelectFromInput(nRow, keyboardHit, KeyFlags(bShift, bCtrl), FALSE))
        OnRowSelected(nRow, FALSE);
    Invalidate();
}

template <class TBase>
void SECListBase<TBase>::OnKeyPageUp(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl)
{
    if (!(m_dwScrollBars & WS_VSCROLL)) {
        OnKeyHome(nRow, nSubItem, bShift, bCtrl);
        return;
    }
    if (nRow == m_nTopIndex)
        SendMessage(WM_VSCROLL, SB_PAGEUP, reinterpret_cast<LPARAM>(m_pVertBar->m_hWnd));
    SelectPageRow(m_nTopIndex, bShift, bCtrl);
}

template <class TBase>
void SECListBase<TBase>::OnKeyPageDown(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl)
{
    if (!(m_dwScrollBars & WS_VSCROLL)) {
        OnKeyEnd(nRow, nSubItem, bShift, bCtrl);
        return;
    }
    if (nRow == GetLastFullyVisible(nullptr))
        SendMessage(WM_VSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(m_pVertBar->m_hWnd));
    SelectPageRow(GetLastFullyVisible(nullptr), bShift, bCtrl);
}

// --- type-ahead -------------------------------------------------------------------------------------

template <class TBase>
void SECListBase<TBase>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_ESCAPE || nChar == VK_RETURN || nChar == VK_SPACE || GetItemCount() == 0
        || (m_nTypeAheadFlags & typeAheadDisabled)) {
        TBase::OnChar(nChar, nRepCnt, nFlags);
        return;
    }
    if (m_nTypeAheadFlags & typeAheadFailed) {
        m_nTypeAheadFlags |= typeAheadAlive;
        return;
    }
    if (!(m_nTypeAheadFlags & typeAheadOpen)) {
        m_nTypeAheadFlags |= typeAheadOpen;
        m_strTypeAhead.Empty();
        m_nTypeAheadTimer = SetTimer(typeAheadTimer, m_nTypeAheadTick);
    }
    m_strTypeAhead += static_cast<TCHAR>(nChar);
    if (!SearchTypeAhead()) {
        ::MessageBeep(0xFFFFFFFF);
        m_nTypeAheadFlags |= typeAheadFailed;
    }
    m_nTypeAheadFlags |= typeAheadAlive;
}

template <class TBase>
BOOL SECListBase<TBase>::SearchTypeAhead()
{
    const int nCount = GetItemCount();
    // A caret outside the rows (none yet, or rows deleted during the run) starts at the first row, so
    // the walk always ends after one cycle.
    int nStart = (m_nCaret >= 0 && m_nCaret < nCount) ? m_nCaret : 0;
    if (m_strTypeAhead.GetLength() == 1 && m_nCaret >= 0 && m_nCaret < nCount)
        nStart = m_nCaret + 1 < nCount ? m_nCaret + 1 : 0;
    const std::string prefix = platform::FoldedCopy(static_cast<LPCTSTR>(m_strTypeAhead));
    int nRow = nStart;
    for (int nTried = 0; nTried < nCount; ++nTried) {
        const std::string text = platform::FoldedCopy(static_cast<LPCTSTR>(GetItemText(nRow, 0)));
        if (text.compare(0, prefix.size(), prefix) == 0) {
            if (SelectFromInput(nRow, keyboardHit, 0, FALSE)) {
                OnRowSelected(nRow, FALSE);
                EnsureVisible(nRow);
            }
            return TRUE;
        }
        nRow = GetNextItem(nRow, LVNI_BELOW);
        if (nRow < 0)
            nRow = 0;
    }
    return FALSE;
}

// --- timers -----------------------------------------------------------------------------------------

template <class TBase>
void SECListBase<TBase>::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == editStartTimer) {
        StopEditTimer();
        if (m_nArmedEditRow >= 0 && m_nArmedEditRow == m_nCaret)
            EditLabel(m_nArmedEditRow, m_nCurrentColumn);
    } else if (nIDEvent == typeAheadTimer) {
        if ((m_nTypeAheadFlags & typeAheadOpen) && (m_nTypeAheadFlags & typeAheadAlive)) {
            m_nTypeAheadFlags &= ~typeAheadAlive;
        } else {
            KillTimer(typeAheadTimer);
            m_nTypeAheadTimer = 0;
            m_nTypeAheadFlags &= typeAheadDisabled;
            m_strTypeAhead.Empty();
        }
    } else if (nIDEvent == autoScrollTimer && m_bItemDrag && GetItemCount() >= 3) {
        CPoint pt;
        ::GetCursorPos(&pt);
        ScreenToClient(&pt);
        UINT nHit = 0;
        const int nRow = HitTest(pt.x, pt.y, &nHit, nullptr);
        const int nLast = GetLastFullyVisible(nullptr);
        if (nRow >= 0 && nRow == m_nTopIndex && nRow > 0) {
            SetDropHilite(-1);
            ScrollRows(-1, FALSE);
            UpdateScrollBars();
        } else if (nRow >= 0 && nRow >= nLast && nLast < GetItemCount() - 1) {
            SetDropHilite(-1);
            ScrollRows(1, FALSE);
            UpdateScrollBars();
        }
    }
    TBase::OnTimer(nIDEvent);
}

template <class TBase>
void SECListBase<TBase>::StartAutoScrollTimer(UINT nElapse)
{
    if (m_hWnd != nullptr)
        m_nAutoScrollTimer = SetTimer(autoScrollTimer, nElapse, nullptr);
}

template <class TBase>
void SECListBase<TBase>::StopAutoScrollTimer()
{
    if (m_nAutoScrollTimer != 0 && m_hWnd != nullptr)
        KillTimer(m_nAutoScrollTimer);
    m_nAutoScrollTimer = 0;
}

// --- scrolling --------------------------------------------------------------------------------------

template <class TBase>
BOOL SECListBase<TBase>::ScrollRows(int nCount, BOOL bByHeight)
{
    const int nOld = m_nTopIndex;
    int nDelta = nCount;
    if (bByHeight) {
        // As many rows leave at the top as the rows that come in at the bottom are high.
        const int nLast = GetLastFullyVisible(nullptr);
        nDelta = GetRowsInHeight(GetHeightBetween(nLast, nLast + nCount, TRUE), m_nTopIndex, TRUE);
    }
    m_nTopIndex = static_cast<int>(std::clamp(static_cast<long long>(m_nTopIndex) + nDelta, 0LL,
        static_cast<long long>(std::max(0, GetItemCount() - 1))));
    if (m_nTopIndex != nOld && m_hWnd != nullptr)
        Invalidate();
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::SetTopIndex(int nRow)
{
    ScrollRows(nRow - m_nTopIndex, FALSE);
    UpdateScrollBars();
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::ScrollHorz(int dx)
{
    CRect area;
    GetItemArea(area);
    m_nHorzScroll = std::clamp(m_nHorzScroll - dx, 0, std::max(0, GetTotalWidth() - area.Width()));
    if (m_pHorzBar)
        m_pHorzBar->SetScrollPos(m_nHorzScroll);
    Invalidate(FALSE);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::EnsureVisible(int nRow)
{
    const int nLast = GetLastFullyVisible(nullptr);
    if (nRow == nLast && nLast == GetItemCount() - 1)
        return TRUE;
    // One neighbouring row stays in view on the side the row came from; the next paint moves the
    // scroll bar.
    if (nLast != -1 && nRow >= nLast)
        ScrollRows(nRow - nLast, TRUE);
    else if (nRow < m_nTopIndex + 1)
        ScrollRows(nRow - m_nTopIndex - 1, FALSE);
    return TRUE;
}

template <class TBase>
BOOL SECListBase<TBase>::EnsureRangeVisible(int nFirst, int nLast)
{
    if (nFirst < 0 || nLast > GetItemCount() || nLast < nFirst)
        return FALSE;
    if (nFirst >= m_nTopIndex && nLast <= GetLastFullyVisible(nullptr))
        return TRUE;
    CRect area;
    GetItemArea(area);
    int cy = 0;
    for (int nRow = nFirst; nRow <= nLast && nRow < GetItemCount(); ++nRow)
        cy += MeasuredHeight(nRow, TRUE);
    int nTop = nFirst;
    while (nTop > 0 && cy + MeasuredHeight(nTop - 1, TRUE) <= area.Height()) {
        cy += MeasuredHeight(nTop - 1, TRUE);
        --nTop;
    }
    return SetTopIndex(nTop);
}

// The thumb's position: the scroll messages carry only 16 bits of it, the bar itself all of it.
static int ThumbPosition(UINT nPos, CScrollBar* pFrom, CScrollBar* pOwn)
{
    if (pFrom == nullptr || pOwn == nullptr || pOwn->m_hWnd == nullptr)
        return static_cast<int>(nPos);
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_TRACKPOS;
    return pOwn->GetScrollInfo(&info) ? info.nTrackPos : static_cast<int>(nPos);
}

template <class TBase>
void SECListBase<TBase>::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    EndLabelEdit(TRUE);
    HideTip();
    CRect area;
    GetItemArea(area);
    switch (nSBCode) {
    case SB_LINELEFT: ScrollHorz(15); break;
    case SB_LINERIGHT: ScrollHorz(-15); break;
    case SB_PAGELEFT: ScrollHorz(area.Width()); break;
    case SB_PAGERIGHT: ScrollHorz(-area.Width()); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: ScrollHorz(m_nHorzScroll - ThumbPosition(nPos, pScrollBar, m_pHorzBar.get())); break;
    case SB_LEFT: ScrollHorz(m_nHorzScroll); break;
    case SB_RIGHT: ScrollHorz(-GetTotalWidth()); break;
    default: break;
    }
}

template <class TBase>
void SECListBase<TBase>::ScrollAndRepaint(int nRowDelta)
{
    ScrollRows(nRowDelta, FALSE);
    UpdateScrollBars();
}

template <class TBase>
void SECListBase<TBase>::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    EndLabelEdit(TRUE);
    HideTip();
    SCROLLINFO info {};
    info.cbSize = sizeof(info);
    info.fMask = SIF_ALL;
    if (m_pVertBar)
        m_pVertBar->GetScrollInfo(&info);
    const int nPage = static_cast<int>(info.nPage);
    switch (nSBCode) {
    case SB_LINEUP:
        if (info.nPos > 0)
            ScrollAndRepaint(-1);
        break;
    case SB_LINEDOWN:
        if (info.nPos + nPage < info.nMax + 1)
            ScrollAndRepaint(1);
        break;
    case SB_PAGEUP: ScrollAndRepaint(-std::max(1, GetCountPerPageAbove())); break;
    case SB_PAGEDOWN: ScrollAndRepaint(std::min(m_nTopIndex + nPage, info.nMax - nPage + 1) - m_nTopIndex); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: ScrollAndRepaint(ThumbPosition(nPos, pScrollBar, m_pVertBar.get()) - m_nTopIndex); break;
    case SB_TOP: ScrollAndRepaint(-m_nTopIndex); break;
    case SB_BOTTOM: ScrollAndRepaint(GetLastTopIndex() - m_nTopIndex); break;
    default: break;
    }
}

template <class TBase>
BOOL SECListBase<TBase>::OnMouseWheel(UINT, short zDelta, CPoint)
{
    m_nWheelRemainder += zDelta;
    const int n = m_nWheelRemainder / WHEEL_DELTA;
    if (n == 0)
        return TRUE;
    HideTip();
    if (m_dwScrollBars & WS_VSCROLL) {
        const int nPage = GetCountPerPage();
        if ((n > 0 && m_nTopIndex > 0) || (n < 0 && m_nTopIndex + nPage < GetItemCount()))
            ScrollAndRepaint(-n);
    } else if (m_dwScrollBars & WS_HSCROLL) {
        ScrollHorz(15 * n);
    }
    m_nWheelRemainder = 0;
    return TRUE;
}
