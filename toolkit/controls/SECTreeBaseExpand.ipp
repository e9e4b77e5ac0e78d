// Belongs to the tree template: SECTreeBaseC.cpp and SECTreeBaseV.cpp include it and instantiate it.
// The tree's expansion, selection, visibility, sorting and input.
#include <algorithm>
#include <utility>

#include "platform/afx/CFrameWnd.h"
#include "platform/base/CaseFold.h"
#include "toolkit/controls/SECTreeBase.h"

// --- expansion --------------------------------------------------------------------------------------

template <class TList>
void SECTreeBase<TList>::CollapseRows(_Node* pNode, int nRow)
{
    // The branch's rows follow the item's row, in one block.
    int nCount = 0;
    while (NodeOfRow(nRow + 1 + nCount) != nullptr && NodeOfRow(nRow + 1 + nCount)->IsDescendantOf(pNode))
        ++nCount;
    if (nCount == 0)
        return;
    for (int n = nRow + 1; n < nRow + 1 + nCount; ++n)
        if (IsSelected(n))
            SelectionRemove(n);
    if (m_nDropHilite > nRow && m_nDropHilite <= nRow + nCount)
        m_nDropHilite = -1;
    if (m_hWnd != nullptr && HasTreeStyleEx(TVXS_ANIMATE)) {
        const int nStep = std::max(1, nCount / m_nAnimationSteps);
        for (int i = 1; i <= nCount; ++i) {
            DeleteItems(nRow + 1 + nCount - i, 1);
            if (i % nStep == 0) {
                UpdateScrollBars();
                UpdateWindow();
            }
        }
        UpdateWindow();
    } else {
        DeleteItems(nRow + 1, nCount);
    }
}

template <class TList>
BOOL SECTreeBase<TList>::Expand(HTREEITEM hItem, UINT nCode, BOOL bRedraw, BOOL bForce)
{
    NodeWatch node(*this, NodeOf(hItem));
    if (!bForce && node.get()->FirstChild() == nullptr && !GetItemChildrenFlag(hItem))
        return TRUE;
    CRect before;
    GetItemArea(before);
    if (nCode == TVE_TOGGLE)
        nCode = node.get()->IsExpanded() ? TVE_COLLAPSE : TVE_EXPAND;
    // The owner may veto, and may fill the item's children while it is asked (or delete the item).
    if (NotifyItemExpanding(node.get(), nCode) == 1 || node.get() == nullptr)
        return FALSE;
    BOOL bExpanded = FALSE;
    if (nCode == TVE_EXPAND) {
        _Node* pNode = node.get();
        if (pNode->IsExpanded())
            return TRUE;
        if (pNode->FirstChild() == nullptr)
            return FALSE;
        pNode->SetExpanded(TRUE);
        m_nAnimationCount = 0;
        if (const int nRow = RowOfItem(pNode->Handle()); nRow >= 0 && !pNode->IsHidden())
            InsertChildRows(pNode, nRow);
        bExpanded = TRUE;
    } else if (nCode == TVE_COLLAPSE || nCode == TVE_COLLAPSERESET || nCode == (TVE_COLLAPSERESET | TVE_COLLAPSE)) {
        if (node.get()->IsExpanded()) {
            NodeWatch caret(*this, NodeOfRow(m_nCaret));
            if (caret.get() != nullptr && caret.get()->IsDescendantOf(node.get()) && RowOfItem(hItem) >= 0) {
                // The caret cannot stay in a branch that goes: it moves to the item, whatever the
                // owner answers.
                NotifyTree(TVN_SELCHANGING, TVC_BYMOUSE, node.get(), caret.get());
                if (node.get() == nullptr)
                    return FALSE;
                if (const int nRow = RowOfItem(hItem); nRow >= 0) {
                    SetFocusRow(nRow);
                    DeselectAll(nRow);
                    SelectionAdd(nRow);
                }
                NotifyTree(TVN_SELCHANGED, TVC_BYMOUSE, node.get(), caret.get());
                if (node.get() == nullptr)
                    return FALSE;
            }
            node.get()->SetExpanded(FALSE);
            if (const int nRow = RowOfItem(hItem); nRow >= 0)
                CollapseRows(node.get(), nRow);
        }
        if (nCode & TVE_COLLAPSERESET) {
            node.get()->SetExpanded(FALSE);
            while (node.get() != nullptr && node.get()->FirstChild() != nullptr)
                if (!DeleteSubtree(node.get()->FirstChild()->Handle()))
                    break;
            if (node.get() == nullptr)
                return FALSE;
        }
    }
    NotifyItemExpanded(node.get(), nCode);
    if (bRedraw && m_hWnd != nullptr) {
        // The owner may have deleted the item while it was told.
        const int nRow = node.get() ? RowOfItem(hItem) : -1;
        if (bExpanded && m_bExpandRevealsChildren && nRow >= 0) {
            if (_Node* pLast = node.get()->LastChild()) {
                EnsureVisible(pLast->Handle());
                if (const int nNow = node.get() ? RowOfItem(hItem) : -1; nNow >= 0 && nNow < GetTopIndex())
                    SetTopIndex(nNow);
            }
        }
        UpdateScrollBars();
        CRect after;
        GetItemArea(after);
        if (after != before || nRow < 0)
            Invalidate();
        else
            Invalidate(FALSE);
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBase<TList>::ExpandBranch(HTREEITEM hItem, BOOL bRedraw)
{
    _Node* pNode = NodeOf(hItem);
    BOOL bResult = pNode == m_pRoot.get() || Expand(hItem, TVE_EXPAND, FALSE);
    if (bResult) {
        std::vector<HTREEITEM> children;
        for (_Node* p = pNode->FirstChild(); p != nullptr; p = p->Next())
            children.push_back(p->Handle());
        for (HTREEITEM h : children)
            ExpandBranch(h, FALSE);
    }
    if (bRedraw)
        RelayoutAfterChange();
    return bResult;
}

// --- selection and visibility -----------------------------------------------------------------------

template <class TList>
BOOL SECTreeBase<TList>::EnsureVisible(HTREEITEM hItem, BOOL bWithParent)
{
    _Node* pNode = NodeOf(hItem);
    if (pNode == m_pRoot.get())
        return FALSE;
    if (RowOfItem(hItem) < 0) {
        for (_Node* p = pNode->Parent(); p != nullptr && p != m_pRoot.get(); p = p->Parent())
            if (!p->IsExpanded() && !Expand(p->Handle(), TVE_EXPAND, FALSE))
                return FALSE;
        SyncRows();
        RelayoutAfterChange();
    }
    const int nRow = RowOfItem(hItem);
    if (nRow < 0)
        return FALSE;
    if (bWithParent) {
        const int nParent = RowOfItem(pNode->Parent()->Handle());
        return TList::EnsureRangeVisible(nParent >= 0 ? nParent : nRow, nRow);
    }
    return TList::EnsureVisible(nRow);
}

template <class TList>
BOOL SECTreeBase<TList>::SelectSetFirstVisible(HTREEITEM hItem)
{
    EnsureVisible(hItem);
    const int nRow = RowOfItem(hItem);
    return nRow >= 0 && SetTopIndex(nRow);
}

template <class TList>
BOOL SECTreeBase<TList>::Select(HTREEITEM hItem, UINT nCode)
{
    if (hItem != nullptr)
        EnsureVisible(hItem);
    switch (nCode) {
    case TVGN_FIRSTVISIBLE: return SelectSetFirstVisible(hItem);
    case TVGN_DROPHILITE: return SelectDropTarget(hItem);
    case TVGN_CARET: {
        NodeWatch node(*this, hItem ? NodeOf(hItem) : nullptr);
        const int nOld = m_nCaret;
        if (NotifyTree(TVN_SELCHANGING, m_nSelectAction, node.get(), NodeOfRow(nOld)) == 1)
            return FALSE;
        // The owner may have deleted the item while it was asked.
        const int nRow = node.get() ? RowOfItem(hItem) : -1;
        if (nRow >= 0) {
            SetFocusRow(nRow);
            if (!IsMultiSelect())
                DeselectAll(nRow);
            SelectionAdd(nRow);
            RedrawItems(nRow, FALSE, FALSE, FALSE, FALSE);
            if (nOld >= 0 && nOld != nRow)
                RedrawItems(nOld, FALSE, FALSE, FALSE, FALSE);
        }
        NotifyTree(TVN_SELCHANGED, m_nSelectAction, NodeOfRow(nRow), NodeOfRow(nOld));
        return TRUE;
    }
    default: return FALSE;
    }
}

template <class TList>
BOOL SECTreeBase<TList>::SelectItem(HTREEITEM hItem)
{
    NodeWatch node(*this, NodeOf(hItem));
    EnsureVisible(hItem);
    if (node.get() == nullptr)
        return FALSE;
    if (NotifyTree(TVN_SELCHANGING, m_nSelectAction, node.get(), NodeOfRow(m_nCaret)) == 1 || node.get() == nullptr)
        return FALSE;
    const int nRow = RowOfItem(hItem);
    if (nRow >= 0 && TList::SelectItem(nRow, TRUE))
        NotifyTree(TVN_SELCHANGED, m_nSelectAction, node.get(), NodeOfRow(m_nCaret));
    if (node.get() != nullptr && !HasTreeStyleEx(TVXS_MULTISEL))
        return Select(hItem, TVGN_CARET);
    return node.get() != nullptr;
}

template <class TList>
BOOL SECTreeBase<TList>::SelectDropTarget(HTREEITEM hItem, BOOL bEnsureVisible)
{
    if (hItem == nullptr) {
        SetDropHilite(-1);
        KillHoverTimer();
        return TRUE;
    }
    if (bEnsureVisible && !EnsureVisible(hItem))
        return FALSE;
    const int nRow = RowOfItem(hItem);
    if (nRow < 0)
        return FALSE;
    const int nOld = GetDropHilite();
    SetDropHilite(nRow);
    if (HasTreeStyleEx(TVXS_HOVEREXPAND) && nRow != nOld && m_hWnd != nullptr) {
        KillHoverTimer();
        m_nHoverTimer = SetTimer(hoverTimer, m_nHoverDelay);
    }
    return TRUE;
}

template <class TList>
void SECTreeBase<TList>::KillHoverTimer()
{
    if (m_nHoverTimer != 0 && m_hWnd != nullptr)
        KillTimer(m_nHoverTimer);
    m_nHoverTimer = 0;
}

template <class TList>
SECListEdit* SECTreeBase<TList>::EditLabel(HTREEITEM hItem, int nCol)
{
    const int nRow = RowOfItem(hItem);
    if (!HasListStyle(LVS_EDITLABELS) || nRow < 0)
        return nullptr;
    m_nEditColumn = nCol;
    return TList::EditLabel(nRow, nCol);
}

template <class TList>
BOOL SECTreeBase<TList>::RedrawItem(HTREEITEM hItem, BOOL bLabelOnly, BOOL bErase, BOOL bFill, BOOL bUpdateNow)
{
    const int nRow = RowOfItem(hItem);
    return nRow >= 0 && RedrawItems(nRow, bLabelOnly, bErase, bFill, bUpdateNow);
}

// --- sorting ----------------------------------------------------------------------------------------

template <class TList>
int SECTreeBase<TList>::CompareItems(HTREEITEM hItem1, HTREEITEM hItem2)
{
    const CString a = GetItemText(hItem1, 0);
    const CString b = GetItemText(hItem2, 0);
    return platform::CompareNoCase(static_cast<LPCTSTR>(a), static_cast<LPCTSTR>(b));
}

template <class TList>
int SECTreeBase<TList>::CompareNodes(_Node* a, _Node* b, BOOL bAscending)
{
    const int n = CompareItems(a->Handle(), b->Handle());
    return bAscending ? n : -n;
}

template <class TList>
void SECTreeBase<TList>::SortNodeChildren(_Node* pParent, BOOL bRecursive, BOOL bAscending)
{
    // A stable sort of the sibling chain: the texts are fetched once per comparison as the owner's
    // CompareItems wants, and equal items keep their order.
    std::vector<_Node*> children;
    for (_Node* p = pParent->FirstChild(); p != nullptr; p = p->Next())
        children.push_back(p);
    std::stable_sort(children.begin(), children.end(),
        [&](_Node* a, _Node* b) { return CompareNodes(a, b, bAscending) < 0; });
    _Node* pAfter = nullptr;
    for (_Node* p : children) {
        p->Unlink();
        pParent->AddChild(p, pAfter);
        pAfter = p;
    }
    if (bRecursive)
        for (_Node* p : children)
            if (p->FirstChild() != nullptr)
                SortNodeChildren(p, TRUE, bAscending);
}

template <class TList>
BOOL SECTreeBase<TList>::SortChildren(HTREEITEM hItem, BOOL bRecursive, BOOL bAscending)
{
    _Node* pNode = NodeOf(hItem);
    const HTREEITEM hCaret = GetCaretItem();
    SortNodeChildren(pNode, bRecursive, bAscending);
    if (pNode == m_pRoot.get() || pNode->IsExpanded()) {
        // The branch's rows are pointed at the nodes in their new order, in place; which rows are
        // selected or hold the caret follows the nodes.
        int nRow = pNode == m_pRoot.get() ? 0 : RowOfItem(hItem) + 1;
        if (nRow >= 0 && (pNode == m_pRoot.get() || nRow > 0)) {
            std::vector<std::pair<_Node*, BOOL>> selected;
            for (_Node* p = pNode->FirstChild(); p != nullptr && p != pNode->Next(); p = NextInOrder(p)) {
                if (!p->IsDescendantOf(pNode))
                    break;
                if (!IsShown(p))
                    continue;
                const int nOld = RowOfItem(p->Handle());
                selected.emplace_back(p, nOld >= 0 && IsSelected(nOld));
            }
            for (auto& [p, bSelected] : selected) {
                if (SECListItem* pRecord = GetItemRecord(nRow)) {
                    pRecord->m_lParam = reinterpret_cast<LPARAM>(p);
                    MarkForMeasure(nRow);
                    if (bSelected)
                        SelectionAdd(nRow);
                    else
                        SelectionRemove(nRow);
                    p->m_nRowHint = nRow;
                }
                ++nRow;
            }
        }
        RelayoutAfterChange();
    }
    if (hCaret != nullptr)
        Select(hCaret, TVGN_CARET);
    return TRUE;
}

// --- mouse and keys ---------------------------------------------------------------------------------

template <class TList>
void SECTreeBase<TList>::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (m_pTip->IsShown()) {
        CWnd* pFrame = GetParentFrame();
        SendMessage(WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(pFrame ? pFrame->m_hWnd : nullptr),
            MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    }
    if (::GetFocus() != m_hWnd)
        TList::SetFocus();
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    const HTREEITEM hCaret = GetCaretItem();
    if (HasTreeStyle(TVS_SINGLEEXPAND) && hCaret != nullptr && hHit != nullptr) {
        // The owner hears of the selection on the way and may delete either item meanwhile.
        NodeWatch oldCaret(*this, NodeOf(hCaret));
        NodeWatch hit(*this, NodeOf(hHit));
        TList::OnLButtonDown(nFlags, point);
        const HTREEITEM hNew = GetCaretItem();
        if (hit.get() == nullptr || oldCaret.get() == nullptr)
            return;
        if (hNew == hHit && hNew != hCaret) {
            if (oldCaret.get()->IsExpanded() && !hit.get()->IsDescendantOf(oldCaret.get()))
                Expand(hCaret, TVE_COLLAPSE);
            if (hit.get() != nullptr)
                Expand(hHit, TVE_EXPAND);
        } else if (hNew == hCaret) {
            Expand(hHit, TVE_TOGGLE);
        }
        return;
    }
    if (hHit != nullptr && (nHit & TVHT_ONITEMBUTTON)) {
        Expand(hHit, TVE_TOGGLE);
        return;
    }
    TList::OnLButtonDown(nFlags, point);
}

template <class TList>
void SECTreeBase<TList>::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    TList::OnLButtonDblClk(nFlags, point);
    if (m_lLastNotifyResult != 0 || ::GetKeyState(VK_SHIFT) < 0 || ::GetKeyState(VK_CONTROL) < 0)
        return;
    UINT nHit = 0;
    const HTREEITEM hHit = HitTest(point, &nHit);
    if (hHit != nullptr && (nHit & (TVHT_ONITEMICON | TVHT_ONITEMLABEL | TVHT_ONITEMBUTTON)))
        Expand(hHit, TVE_TOGGLE);
    HideTip();
}

template <class TList>
void SECTreeBase<TList>::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // The expand and collapse keys type these; they start no search.
    switch (nChar) {
    case '-':
    case '_':
    case '=':
    case '+':
    case '*': return;
    default: TList::OnChar(nChar, nRepCnt, nFlags);
    }
}

template <class TList>
void SECTreeBase<TList>::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == m_nHoverTimer && m_nHoverTimer != 0) {
        KillHoverTimer();
        const HTREEITEM hDrop = GetDropHilightItem();
        if (HasTreeStyleEx(TVXS_HOVEREXPAND) && hDrop != nullptr && !NodeOf(hDrop)->IsExpanded()) {
            Expand(hDrop, TVE_EXPAND, TRUE);
            UpdateWindow();
        }
    }
    TList::OnTimer(nIDEvent);
}

template <class TList>
void SECTreeBase<TList>::OnKeyCollapse(int nRow, int, BOOL, BOOL)
{
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr)
        return;
    HideTip();
    const BOOL bHasChildren = pNode->FirstChild() != nullptr || GetItemChildrenFlag(pNode->Handle());
    if (pNode->IsExpanded() && bHasChildren) {
        Expand(pNode->Handle(), TVE_COLLAPSE);
    } else if (pNode->Parent() != m_pRoot.get()) {
        DeselectAll(-1);
        const UINT nOld = std::exchange(m_nSelectAction, TVC_BYKEYBOARD);
        Select(pNode->Parent()->Handle(), TVGN_CARET);
        m_nSelectAction = nOld;
    }
}

template <class TList>
void SECTreeBase<TList>::OnKeyBack(int nRow, int nSubItem, BOOL bShift, BOOL bCtrl)
{
    OnKeyCollapse(nRow, nSubItem, bShift, bCtrl);
}

template <class TList>
void SECTreeBase<TList>::OnKeyExpand(int nRow, int, BOOL, BOOL)
{
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr)
        return;
    HideTip();
    if (pNode->IsExpanded() && pNode->FirstChild() != nullptr) {
        DeselectAll(-1);
        const UINT nOld = std::exchange(m_nSelectAction, TVC_BYKEYBOARD);
        Select(pNode->FirstChild()->Handle(), TVGN_CARET);
        m_nSelectAction = nOld;
    } else if (!pNode->IsExpanded() && (pNode->FirstChild() != nullptr || GetItemChildrenFlag(pNode->Handle()))) {
        Expand(pNode->Handle(), TVE_EXPAND, TRUE);
    }
}

template <class TList>
void SECTreeBase<TList>::OnKeyExpandAll(int nRow, int, BOOL, BOOL)
{
    HideTip();
    if (_Node* pNode = NodeOfRow(nRow))
        ExpandBranch(pNode->Handle(), TRUE);
}
