// Belongs to the tree template: SECTreeBaseC.cpp and SECTreeBaseV.cpp include it and instantiate it.
// The tree's data model: nodes and their rows, the item interface, styles and notifications.
#include "toolkit/controls/SECTreeBase.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "platform/afx/AfxText.h"

namespace {

// The window message an owner gets after an accepted label edit of the first column was stored.
UINT EndLabelEditMessage()
{
    static const UINT nMessage = ::RegisterWindowMessage("SECTreeCtrlNotifyEndLabelEditRegMsg");
    return nMessage;
}

// The row state bits that a tree item and its row share.
constexpr UINT kSharedStates = TVIS_SELECTED | TVIS_CUT | TVIS_DROPHILITED | TVIS_STATEIMAGEMASK;

} // namespace

template <class TList>
SECTreeBase<TList>::SECTreeBase()
{
    m_dwListStyle |= LVS_REPORT | LVS_SHAREIMAGELISTS;
    // A tree keeps its picture in step with every change unless its owner turns that off for a while.
    m_bRedraw = TRUE;
    m_pRoot = CreateNode();
    m_pRoot->SetExpanded(TRUE);
}

template <class TList>
SECTreeBase<TList>::~SECTreeBase()
{
    // Leaves first, quietly: the window and its owner are gone.
    while (_Node* pChild = m_pRoot->FirstChild()) {
        _Node* pLeaf = pChild;
        while (pLeaf->FirstChild() != nullptr)
            pLeaf = pLeaf->FirstChild();
        pLeaf->Unlink();
        delete pLeaf;
    }
}

template <class TList>
std::unique_ptr<_Node> SECTreeBase<TList>::CreateNode()
{
    return std::make_unique<_Node>();
}

template <class TList>
SECTreeBase<TList>::NodeWatch::NodeWatch(SECTreeBase& tree, _Node* pNode) : m_tree(tree), m_pNode(pNode)
{
    m_tree.m_watches.push_back(&m_pNode);
}

template <class TList>
SECTreeBase<TList>::NodeWatch::~NodeWatch()
{
    std::erase(m_tree.m_watches, &m_pNode);
}

template <class TList>
void SECTreeBase<TList>::ForgetNode(_Node* pNode)
{
    for (_Node** ppWatched : m_watches)
        if (*ppWatched == pNode)
            *ppWatched = nullptr;
}

// --- nodes and rows ---------------------------------------------------------------------------------

template <class TList>
_Node* SECTreeBase<TList>::NodeOf(HTREEITEM hItem) const
{
    if (hItem == nullptr || hItem == TVI_ROOT)
        return m_pRoot.get();
    return reinterpret_cast<_Node*>(hItem);
}

template <class TList>
_Node* SECTreeBase<TList>::NodeOfRow(int nRow) const
{
    const SECListItem* pRecord = GetItemRecord(nRow);
    return pRecord ? reinterpret_cast<_Node*>(pRecord->m_lParam) : nullptr;
}

template <class TList>
HTREEITEM SECTreeBase<TList>::ItemOfRow(int nRow) const
{
    _Node* pNode = NodeOfRow(nRow);
    return pNode ? pNode->Handle() : nullptr;
}

template <class TList>
int SECTreeBase<TList>::RowOfItem(HTREEITEM hItem)
{
    _Node* pNode = NodeOf(hItem);
    if (pNode == m_pRoot.get())
        return -1;
    if (NodeOfRow(pNode->m_nRowHint) == pNode)
        return pNode->m_nRowHint;
    // Rows stand for shown nodes only; the search is spared for the others.
    if (!IsShown(pNode))
        return -1;
    // Rows move by whole blocks as branches open: the row is most likely after its old place.
    const int nCount = GetItemCount();
    const int nStart = std::clamp(pNode->m_nRowHint, 0, std::max(0, nCount - 1));
    for (int i = 0; i < nCount; ++i) {
        const int nRow = (nStart + i) % nCount;
        if (NodeOfRow(nRow) == pNode) {
            pNode->m_nRowHint = nRow;
            return nRow;
        }
    }
    return -1;
}

template <class TList>
BOOL SECTreeBase<TList>::IsShown(const _Node* pNode) const
{
    if (pNode == m_pRoot.get() || pNode->IsHidden())
        return FALSE;
    for (const _Node* p = pNode->Parent(); p != nullptr && p != m_pRoot.get(); p = p->Parent())
        if (!p->IsExpanded())
            return FALSE;
    return TRUE;
}

template <class TList>
_Node* SECTreeBase<TList>::NextInOrder(_Node* pNode) const
{
    if (pNode->FirstChild() != nullptr)
        return pNode->FirstChild();
    for (_Node* p = pNode; p != nullptr && p != m_pRoot.get(); p = p->Parent())
        if (p->Next() != nullptr)
            return p->Next();
    return nullptr;
}

template <class TList>
_Node* SECTreeBase<TList>::PrevInOrder(_Node* pNode) const
{
    if (_Node* pPrev = pNode->Prev()) {
        while (pPrev->LastChild() != nullptr)
            pPrev = pPrev->LastChild();
        return pPrev;
    }
    _Node* pParent = pNode->Parent();
    return pParent == m_pRoot.get() ? nullptr : pParent;
}

template <class TList>
std::unique_ptr<SECListItem> SECTreeBase<TList>::CreateNodeRow(_Node* pNode)
{
    auto pRecord = CreateItemRecord();
    if (pRecord) {
        pRecord->m_lParam = reinterpret_cast<LPARAM>(pNode);
        pRecord->m_nState = pNode->item.state & (TVIS_CUT | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK);
        pRecord->m_nStateEx = pNode->m_nStateEx & (exGrey | exHidden);
    }
    return pRecord;
}

template <class TList>
void SECTreeBase<TList>::InsertNodeRow(_Node* pNode)
{
    int nRow = 0;
    for (_Node* p = PrevInOrder(pNode); p != nullptr; p = PrevInOrder(p)) {
        if (const int n = RowOfItem(p->Handle()); n >= 0) {
            nRow = n + 1;
            break;
        }
    }
    std::vector<std::unique_ptr<SECListItem>> rows;
    rows.push_back(CreateNodeRow(pNode));
    InsertItemRecords(nRow, std::move(rows));
    pNode->m_nRowHint = nRow;
}

template <class TList>
int SECTreeBase<TList>::InsertChildRows(_Node* pNode, int nRow)
{
    std::vector<std::unique_ptr<SECListItem>> rows;
    // The shown descendants in depth-first order: children of expanded nodes, hidden ones left out.
    std::vector<_Node*> stack;
    for (_Node* p = pNode->LastChild(); p != nullptr; p = p->Prev())
        stack.push_back(p);
    while (!stack.empty()) {
        _Node* p = stack.back();
        stack.pop_back();
        if (p->m_nStateEx & exHidden)
            continue;
        p->m_nRowHint = nRow + 1 + static_cast<int>(rows.size());
        rows.push_back(CreateNodeRow(p));
        if (p->IsExpanded())
            for (_Node* c = p->LastChild(); c != nullptr; c = c->Prev())
                stack.push_back(c);
    }
    const int nCount = static_cast<int>(rows.size());
    if (m_hWnd != nullptr && HasTreeStyleEx(TVXS_ANIMATE)) {
        // Animated: the first rows appear one by one.
        int nAt = nRow + 1;
        for (auto& pRow : rows) {
            std::vector<std::unique_ptr<SECListItem>> one;
            one.push_back(std::move(pRow));
            InsertItemRecords(nAt, std::move(one));
            if (m_nAnimationCount++ < m_nAnimationSteps) {
                UpdateScrollBars();
                RedrawItems(nAt, FALSE, TRUE, TRUE, TRUE);
            }
            ++nAt;
        }
    } else if (nCount > 0) {
        InsertItemRecords(nRow + 1, std::move(rows));
    }
    return nCount;
}

template <class TList>
void SECTreeBase<TList>::SyncRows()
{
    // Rows always follow the depth-first order of their nodes, so one walk of the tree beside one walk
    // of the rows finds every row to add and to remove.
    int nRow = 0;
    for (_Node* p = m_pRoot->FirstChild(); p != nullptr; p = NextInOrder(p)) {
        const BOOL bShown = IsShown(p);
        if (NodeOfRow(nRow) == p) {
            if (bShown) {
                p->m_nRowHint = nRow++;
            } else {
                SelectionRemove(nRow);
                DeleteItems(nRow, 1);
            }
        } else if (bShown) {
            std::vector<std::unique_ptr<SECListItem>> rows;
            rows.push_back(CreateNodeRow(p));
            InsertItemRecords(nRow, std::move(rows));
            p->m_nRowHint = nRow++;
        }
    }
    // Rows whose nodes are gone from the tree altogether cannot be met by the walk.
    if (nRow < GetItemCount())
        DeleteItems(nRow, GetItemCount() - nRow);
}

template <class TList>
void SECTreeBase<TList>::RelayoutAfterChange()
{
    // Rows keep their measurements: new rows are measured when first met, so only the scroll range
    // and the picture are brought up to date.
    if (m_bRedraw && m_hWnd != nullptr) {
        UpdateScrollBars();
        Invalidate();
    }
}

// --- insertion and deletion -------------------------------------------------------------------------

template <class TList>
HTREEITEM SECTreeBase<TList>::InsertItem(const TVINSERTSTRUCT* pInsert)
{
    if (pInsert == nullptr)
        return nullptr;
    if (!m_pRoot) {
        m_pRoot = CreateNode();
        m_pRoot->SetExpanded(TRUE);
    }
    _Node* pParent = NodeOf(pInsert->hParent);
    const HTREEITEM hAfter = pInsert->hInsertAfter;
    _Node* pAfter = nullptr;
    auto pOwned = CreateNode();
    _Node* pNode = pOwned.get();
    // The fields are applied before the node is linked, as SetItem would; there is no row yet.
    TVITEM item = pInsert->item;
    item.hItem = pNode->Handle();
    item.mask &= ~TVIF_STATE;
    SetItem(&item);
    if (pInsert->item.mask & TVIF_STATE) {
        const UINT nMask = pInsert->item.stateMask & ~TVIS_EXPANDED;
        pNode->item.state = (pNode->item.state & ~nMask) | (pInsert->item.state & nMask);
    }
    if (hAfter == TVI_FIRST) {
        pAfter = nullptr;
    } else if (hAfter == TVI_SORT || hAfter == TVI_SORTDESCENDING) {
        const BOOL bAscending = hAfter == TVI_SORT;
        // After the last child that does not sort after the new node: equal texts keep their order.
        for (_Node* p = pParent->FirstChild(); p != nullptr; p = p->Next())
            if (CompareNodes(p, pNode, bAscending) <= 0)
                pAfter = p;
            else
                break;
    } else if (hAfter == nullptr || hAfter == TVI_ROOT || hAfter == TVI_LAST || pParent->FirstChild() == nullptr) {
        pAfter = pParent->LastChild();
    } else {
        pAfter = NodeOf(hAfter);
        if (pAfter->Parent() != pParent)
            return nullptr;
    }
    pParent->AddChild(pOwned.release(), pAfter);
    const BOOL bExpanded = (pInsert->item.mask & TVIF_STATE) && (pInsert->item.stateMask & TVIS_EXPANDED)
        && (pInsert->item.state & TVIS_EXPANDED);
    pNode->SetExpanded(bExpanded);
    if (IsShown(pNode)) {
        InsertNodeRow(pNode);
        RelayoutAfterChange();
    } else if (m_bRedraw && pParent != m_pRoot.get()) {
        // Only the parent's button can have changed.
        RedrawItem(pParent->Handle());
    }
    return pNode->Handle();
}

template <class TList>
HTREEITEM SECTreeBase<TList>::InsertItem(LPCTSTR lpszText, HTREEITEM hParent, HTREEITEM hAfter)
{
    TVINSERTSTRUCT insert;
    insert.hParent = hParent;
    insert.hInsertAfter = hAfter;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<LPTSTR>(lpszText);
    return InsertItem(&insert);
}

template <class TList>
HTREEITEM SECTreeBase<TList>::InsertItem(LPCTSTR lpszText, int nImage, int nSelectedImage, HTREEITEM hParent,
    HTREEITEM hAfter)
{
    TVINSERTSTRUCT insert;
    insert.hParent = hParent;
    insert.hInsertAfter = hAfter;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = const_cast<LPTSTR>(lpszText);
    insert.item.iImage = nImage;
    insert.item.iSelectedImage = nSelectedImage;
    return InsertItem(&insert);
}

template <class TList>
BOOL SECTreeBase<TList>::DeleteSubtree(HTREEITEM hItem)
{
    NodeWatch top(*this, NodeOf(hItem));
    const BOOL bRoot = top.get() == m_pRoot.get();
    const auto deleteNode = [&](_Node* pNode) {
        if (pNode->FirstChild() != nullptr)
            return FALSE;
        if (!bRoot) {
            if (const int nRow = RowOfItem(pNode->Handle()); nRow >= 0) {
                SelectionRemove(nRow);
                DeleteItems(nRow, 1);
            }
        }
        pNode->Unlink();
        NotifyDeleteItem(pNode);
        if (m_pStorage)
            m_pStorage->RemoveItem(pNode->Handle());
        ForgetNode(pNode);
        if (pNode != m_pRoot.get())
            delete pNode;
        return TRUE;
    };
    // Leaves first. An owner told of a deletion may delete nodes itself, so the walk starts again from
    // the top each time instead of keeping a position.
    while (_Node* pLeaf = top.get() ? top.get()->FirstChild() : nullptr) {
        while (pLeaf->FirstChild() != nullptr)
            pLeaf = pLeaf->FirstChild();
        if (!deleteNode(pLeaf))
            return FALSE;
    }
    if (top.get() == nullptr)
        return TRUE; // the owner deleted it while told of a child
    if (bRoot) {
        NotifyDeleteItem(m_pRoot.get());
        ForgetNode(m_pRoot.get());
        m_pRoot = CreateNode();
        m_pRoot->SetExpanded(TRUE);
        TList::DeleteAllItems();
        return TRUE;
    }
    return deleteNode(top.get());
}

template <class TList>
BOOL SECTreeBase<TList>::DeleteItem(HTREEITEM hItem)
{
    KillHoverTimer();
    const BOOL bResult = DeleteSubtree(hItem);
    RelayoutAfterChange();
    return bResult;
}

template <class TList>
BOOL SECTreeBase<TList>::DeleteAllItems()
{
    return DeleteItem(TVI_ROOT);
}

// --- navigation -------------------------------------------------------------------------------------

template <class TList>
HTREEITEM SECTreeBase<TList>::GetNextItem(HTREEITEM hItem, UINT nCode)
{
    _Node* pNode = NodeOf(hItem);
    const BOOL bRoot = pNode == m_pRoot.get();
    const auto handle = [](_Node* p) { return p ? p->Handle() : nullptr; };
    switch (nCode) {
    case TVGN_ROOT: return handle(m_pRoot->FirstChild());
    case TVGN_NEXT: return bRoot ? nullptr : handle(pNode->Next());
    case TVGN_PREVIOUS: return bRoot ? nullptr : handle(pNode->Prev());
    case TVGN_PARENT: return bRoot || pNode->Parent() == m_pRoot.get() ? nullptr : handle(pNode->Parent());
    case TVGN_CHILD: return handle(pNode->FirstChild());
    case TVGN_FIRSTVISIBLE: return ItemOfRow(GetTopIndex());
    case TVGN_NEXTVISIBLE: {
        if (bRoot)
            return nullptr;
        if (const int nRow = RowOfItem(hItem); nRow >= 0)
            return ItemOfRow(nRow + 1);
        for (_Node* p = NextInOrder(pNode); p != nullptr; p = NextInOrder(p))
            if (IsShown(p))
                return p->Handle();
        return nullptr;
    }
    case TVGN_PREVIOUSVISIBLE: {
        if (bRoot)
            return nullptr;
        if (const int nRow = RowOfItem(hItem); nRow >= 0)
            return nRow == 0 ? nullptr : ItemOfRow(nRow - 1);
        for (_Node* p = PrevInOrder(pNode); p != nullptr; p = PrevInOrder(p))
            if (IsShown(p))
                return p->Handle();
        return nullptr;
    }
    case TVGN_DROPHILITE: return ItemOfRow(GetDropHilite());
    case TVGN_CARET: return ItemOfRow(GetCaretIndex());
    case TVGN_FIRSTSELECTED: return ItemOfRow(TList::GetNextItem(-1, LVNI_SELECTED));
    case TVGN_NEXTSELECTED:
    case TVGN_PREVSELECTED: {
        const BOOL bNext = nCode == TVGN_NEXTSELECTED;
        int nRow = bRoot ? -1 : RowOfItem(hItem);
        if (nRow < 0 && !bRoot) {
            // From the nearest shown node on the far side of the item.
            for (_Node* p = bNext ? PrevInOrder(pNode) : NextInOrder(pNode); p != nullptr;
                 p = bNext ? PrevInOrder(p) : NextInOrder(p)) {
                if ((nRow = RowOfItem(p->Handle())) >= 0)
                    break;
            }
            if (nRow < 0)
                nRow = bNext ? -1 : GetItemCount();
        }
        return ItemOfRow(TList::GetNextItem(nRow, LVNI_SELECTED | (bNext ? LVNI_BELOW : LVNI_ABOVE)));
    }
    default: return nullptr;
    }
}

// --- item access ------------------------------------------------------------------------------------

template <class TList>
UINT SECTreeBase<TList>::FillItem(_Node* pNode, TVITEM* pItem, BOOL bCopyText, BOOL bNotify)
{
    UINT nCallbacks = 0;
    const TVITEM& node = pNode->item;
    if (pItem->mask & TVIF_CHILDREN) {
        pItem->cChildren = node.cChildren;
        if (node.cChildren == I_CHILDRENCALLBACK)
            nCallbacks |= TVIF_CHILDREN;
    }
    if (pItem->mask & TVIF_IMAGE) {
        pItem->iImage = node.iImage;
        if (node.iImage == I_IMAGECALLBACK)
            nCallbacks |= TVIF_IMAGE;
    }
    if (pItem->mask & TVIF_SELECTEDIMAGE) {
        pItem->iSelectedImage = node.iSelectedImage;
        if (node.iSelectedImage == I_IMAGECALLBACK)
            nCallbacks |= TVIF_SELECTEDIMAGE;
    }
    if (pItem->mask & TVIF_PARAM)
        pItem->lParam = node.lParam;
    if (pItem->mask & TVIF_STATE)
        pItem->state = node.state & pItem->stateMask;
    if (pItem->mask & TVIF_TEXT) {
        if (pNode->IsTextCallback()) {
            nCallbacks |= TVIF_TEXT;
            if (!bNotify)
                pItem->pszText = LPSTR_TEXTCALLBACK;
            else if (bCopyText && pItem->pszText != nullptr && pItem->pszText != LPSTR_TEXTCALLBACK
                && pItem->cchTextMax > 0)
                pItem->pszText[0] = '\0';
        } else if (!bCopyText) {
            pItem->pszText = node.pszText;
        } else if (pItem->pszText != nullptr && pItem->pszText != LPSTR_TEXTCALLBACK && pItem->cchTextMax > 0) {
            afx::CopyText(pItem->pszText, pItem->cchTextMax, node.pszText);
        }
    }
    return nCallbacks;
}

template <class TList>
BOOL SECTreeBase<TList>::GetItem(TVITEM* pItem, BOOL bCopyText, BOOL bNotify)
{
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = NodeOf(pItem->hItem);
    const UINT nCallbacks = FillItem(pNode, pItem, bCopyText, bNotify);
    if (bNotify && nCallbacks != 0) {
        pItem->lParam = pNode->item.lParam;
        pItem->mask = nCallbacks;
        NotifyGetDispInfo(pItem);
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItem(const TVITEM* pItem)
{
    if (pItem == nullptr)
        return FALSE;
    _Node* pNode = NodeOf(pItem->hItem);
    TVITEM& node = pNode->item;
    UINT nCallbacks = 0;
    BOOL bChanged = FALSE;
    BOOL bDropChanged = FALSE;
    const UINT nMask = pItem->mask;
    const auto apply = [&](UINT bit, int& field, int value) {
        if (!(nMask & bit))
            return;
        if (field == -1) {
            nCallbacks |= bit;
            return;
        }
        bChanged |= field != value;
        field = value;
    };
    apply(TVIF_CHILDREN, node.cChildren, pItem->cChildren);
    apply(TVIF_IMAGE, node.iImage, pItem->iImage);
    apply(TVIF_SELECTEDIMAGE, node.iSelectedImage, pItem->iSelectedImage);
    if (nMask & TVIF_PARAM)
        node.lParam = pItem->lParam;
    if (nMask & TVIF_STATE) {
        const UINT nState = (node.state & ~pItem->stateMask) | (pItem->state & pItem->stateMask);
        bDropChanged = ((nState ^ node.state) & TVIS_DROPHILITED) != 0;
        bChanged |= ((nState ^ node.state) & (TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK | TVIS_BOLD)) != 0;
        node.state = nState;
    }
    if (nMask & TVIF_TEXT) {
        if (pItem->pszText == LPSTR_TEXTCALLBACK)
            pNode->SetText(LPSTR_TEXTCALLBACK);
        if (pNode->IsTextCallback()) {
            nCallbacks |= TVIF_TEXT;
        } else if (pItem->pszText == nullptr || std::strcmp(pItem->pszText, node.pszText) != 0) {
            pNode->SetText(pItem->pszText);
            bChanged = TRUE;
        }
    }
    if (nCallbacks != 0) {
        TVITEM copy = *pItem;
        copy.hItem = pNode->Handle();
        copy.mask = nCallbacks;
        NotifySetDispInfo(&copy);
    }
    // A node not linked yet (being inserted) has no row.
    const int nRow = pNode == m_pRoot.get() || pNode->Parent() == nullptr ? -1 : RowOfItem(pNode->Handle());
    SECListItem* pRecord = GetItemRecord(nRow);
    if (pRecord == nullptr)
        return TRUE;
    if (nMask & TVIF_STATE) {
        const UINT nBits = pItem->stateMask;
        if (nBits & TVIS_SELECTED) {
            if (pItem->state & TVIS_SELECTED)
                SelectionAdd(nRow);
            else
                SelectionRemove(nRow);
        }
        if (nBits & TVIS_DROPHILITED) {
            if (pItem->state & TVIS_DROPHILITED)
                m_nDropHilite = nRow;
            else if (m_nDropHilite == nRow)
                m_nDropHilite = -1;
        }
        UINT nRowMask = nBits & (TVIS_CUT | TVIS_STATEIMAGEMASK);
        if (nBits & TVIS_OVERLAYMASK)
            nRowMask |= TVIS_OVERLAYMASK;
        pRecord->m_nState = (pRecord->m_nState & ~nRowMask) | (node.state & nRowMask);
    }
    if (nMask & TVIF_IMAGE)
        pRecord->m_nImage = node.iImage;
    if ((bChanged || bDropChanged) && nRow != m_nEditedRow) {
        MarkForMeasure(nRow);
        RedrawItems(nRow, FALSE, FALSE, FALSE, bDropChanged);
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemText(HTREEITEM hItem, LPCTSTR lpszText)
{
    TVITEM item;
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    item.pszText = const_cast<LPTSTR>(lpszText);
    return SetItem(&item);
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemText(HTREEITEM hItem, int nCol, LPCTSTR lpszText)
{
    if (nCol == 0)
        return SetItemText(hItem, lpszText);
    const int nRow = RowOfItem(hItem);
    if (!m_pStorage)
        return nRow >= 0 && TList::SetItemText(nRow, nCol, lpszText);
    if (nCol >= GetColumnCount() || !m_pStorage->SetText(hItem, nCol, lpszText))
        return FALSE;
    if (nRow >= 0) {
        MarkForMeasure(nRow);
        RedrawItem(hItem);
    }
    return TRUE;
}

template <class TList>
CString SECTreeBase<TList>::GetItemText(HTREEITEM hItem, int nCol)
{
    if (nCol != 0) {
        if (m_pStorage) {
            m_pStorage->GetText(hItem, nCol, m_textBuffer.data(), textBufferSize);
            return CString(m_textBuffer.data());
        }
        const int nRow = RowOfItem(hItem);
        return nRow >= 0 ? TList::GetItemText(nRow, nCol) : CString();
    }
    TVITEM item;
    item.mask = TVIF_TEXT | TVIF_HANDLE;
    item.hItem = hItem;
    m_textBuffer[0] = '\0';
    item.pszText = m_textBuffer.data();
    item.cchTextMax = textBufferSize;
    GetItem(&item, TRUE, TRUE);
    // An owner may answer with a pointer of its own instead of filling the buffer.
    if (item.pszText == nullptr || item.pszText == LPSTR_TEXTCALLBACK)
        return CString();
    return CString(item.pszText);
}

template <class TList>
CString SECTreeBase<TList>::GetItemText(int nRow, int nSubItem)
{
    if (nSubItem != 0 || NodeOfRow(nRow) == nullptr)
        return m_pStorage && NodeOfRow(nRow) ? GetItemText(ItemOfRow(nRow), nSubItem)
                                             : TList::GetItemText(nRow, nSubItem);
    return GetItemText(ItemOfRow(nRow), 0);
}

template <class TList>
UINT SECTreeBase<TList>::GetItemState(HTREEITEM hItem, UINT nMask)
{
    return NodeOf(hItem)->item.state & nMask;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemState(HTREEITEM hItem, UINT nState, UINT nMask)
{
    TVITEM item;
    item.mask = TVIF_STATE | TVIF_HANDLE;
    item.hItem = hItem;
    item.state = nState;
    item.stateMask = nMask;
    return SetItem(&item);
}

template <class TList>
LPARAM SECTreeBase<TList>::GetItemData(HTREEITEM hItem)
{
    return NodeOf(hItem)->item.lParam;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemData(HTREEITEM hItem, LPARAM lParam)
{
    TVITEM item;
    item.mask = TVIF_PARAM | TVIF_HANDLE;
    item.hItem = hItem;
    item.lParam = lParam;
    return SetItem(&item);
}

template <class TList>
BOOL SECTreeBase<TList>::GetItemImage(HTREEITEM hItem, int& nImage, int& nSelectedImage)
{
    TVITEM item;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = hItem;
    const BOOL bResult = GetItem(&item, FALSE, TRUE);
    nImage = item.iImage;
    nSelectedImage = item.iSelectedImage;
    return bResult;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemImage(HTREEITEM hItem, int nImage, int nSelectedImage)
{
    TVITEM item;
    item.mask = TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_HANDLE;
    item.hItem = hItem;
    item.iImage = nImage;
    item.iSelectedImage = nSelectedImage;
    return SetItem(&item);
}

template <class TList>
BOOL SECTreeBase<TList>::ItemHasChildren(HTREEITEM hItem)
{
    return NodeOf(hItem)->FirstChild() != nullptr;
}

template <class TList>
BOOL SECTreeBase<TList>::GetItemChildrenFlag(HTREEITEM hItem)
{
    if (ItemHasChildren(hItem))
        return FALSE;
    TVITEM item;
    item.mask = TVIF_CHILDREN | TVIF_HANDLE;
    item.hItem = hItem;
    GetItem(&item, FALSE, TRUE);
    return item.cChildren > 0;
}

template <class TList>
int SECTreeBase<TList>::GetChildCount(HTREEITEM hItem, BOOL bRecursive, BOOL bExpandedOnly)
{
    int nCount = 0;
    for (_Node* p = NodeOf(hItem)->FirstChild(); p != nullptr; p = p->Next()) {
        ++nCount;
        if (bRecursive && p->FirstChild() != nullptr && (!bExpandedOnly || p->IsExpanded()))
            nCount += GetChildCount(p->Handle(), TRUE, bExpandedOnly);
    }
    return nCount;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemEx(HTREEITEM hItem, const SECListItemEx* pItemEx)
{
    if (pItemEx == nullptr)
        return FALSE;
    _Node* pNode = NodeOf(hItem);
    if (!(pItemEx->mask & 1))
        return TRUE;
    const UINT nBefore = pNode->m_nStateEx;
    pNode->m_nStateEx = (nBefore & ~pItemEx->stateMask) | (pItemEx->state & pItemEx->stateMask);
    if (const int nRow = RowOfItem(hItem); nRow >= 0) {
        LVITEM row;
        row.iItem = nRow;
        SECListItemEx ex { 1, pNode->m_nStateEx & (exGrey | exHidden), exGrey | exHidden };
        TList::SetItemEx(&row, &ex);
    }
    // Hiding or showing a node hides or shows its whole branch.
    if ((nBefore ^ pNode->m_nStateEx) & exHidden) {
        SyncRows();
        RelayoutAfterChange();
    }
    return TRUE;
}

template <class TList>
BOOL SECTreeBase<TList>::GetItemEx(HTREEITEM hItem, SECListItemEx* pItemEx)
{
    if (pItemEx == nullptr)
        return FALSE;
    if (GetExCallbackMask() != 0) {
        OnGetExDispInfo(hItem, pItemEx);
        return TRUE;
    }
    pItemEx->state = NodeOf(hItem)->GetInheritedStateEx() & pItemEx->stateMask;
    return TRUE;
}

template <class TList>
BOOL SECTreeBase<TList>::EnableSubItemStorage(BOOL bEnable)
{
    if (bEnable && !m_pStorage)
        m_pStorage = std::make_unique<SECSubItemTextStorage>();
    else if (!bEnable)
        m_pStorage.reset();
    return TRUE;
}

// --- the list's row operations on the nodes ---------------------------------------------------------

template <class TList>
LPARAM SECTreeBase<TList>::GetRecordData(const SECListItem* pItem) const
{
    const _Node* pNode = pItem ? reinterpret_cast<const _Node*>(pItem->m_lParam) : nullptr;
    return pNode ? pNode->item.lParam : 0;
}

template <class TList>
BOOL SECTreeBase<TList>::GetItem(LVITEM* pItem, BOOL bCopyText, BOOL bNotify)
{
    _Node* pNode = pItem ? NodeOfRow(pItem->iItem) : nullptr;
    if (pNode == nullptr || pItem->iSubItem != 0) {
        if (pNode != nullptr && m_pStorage && (pItem->mask & LVIF_TEXT)) {
            const BOOL bResult = TList::GetItem(pItem, bCopyText, FALSE);
            m_pStorage->GetText(pNode->Handle(), pItem->iSubItem, m_textBuffer.data(), textBufferSize);
            if (bCopyText && pItem->pszText && pItem->cchTextMax > 0)
                afx::CopyText(pItem->pszText, pItem->cchTextMax, m_textBuffer.data());
            else
                pItem->pszText = m_textBuffer.data();
            return bResult;
        }
        return TList::GetItem(pItem, bCopyText, bNotify);
    }
    const int nRow = pItem->iItem;
    TVITEM tvi;
    tvi.hItem = pNode->Handle();
    tvi.mask = (pItem->mask & LVIF_TEXT ? TVIF_TEXT : 0) | (pItem->mask & LVIF_IMAGE ? TVIF_IMAGE : 0)
        | (pItem->mask & LVIF_PARAM ? TVIF_PARAM : 0);
    tvi.pszText = pItem->pszText;
    tvi.cchTextMax = pItem->cchTextMax;
    const UINT nWanted = pItem->mask;
    GetItem(&tvi, bCopyText, bNotify);
    if (nWanted & LVIF_TEXT)
        pItem->pszText = tvi.pszText;
    if (nWanted & LVIF_IMAGE)
        pItem->iImage = tvi.iImage;
    if (nWanted & LVIF_PARAM)
        pItem->lParam = tvi.lParam;
    if (nWanted & LVIF_STATE) {
        const UINT nState = pNode->item.state & (TVIS_CUT | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK);
        pItem->state = (nState | RowStateBits(nRow)) & pItem->stateMask;
    }
    // The list asks with its own mask back: every field was answered here.
    pItem->mask = nWanted & (LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM | LVIF_STATE);
    return TRUE;
}

template <class TList>
BOOL SECTreeBase<TList>::SetItem(const LVITEM* pItem, BOOL bRedraw)
{
    _Node* pNode = pItem ? NodeOfRow(pItem->iItem) : nullptr;
    if (pNode == nullptr || pItem->iSubItem != 0) {
        if (pNode != nullptr && m_pStorage && (pItem->mask & LVIF_TEXT) && pItem->pszText != LPSTR_TEXTCALLBACK)
            return SetItemText(pNode->Handle(), pItem->iSubItem, pItem->pszText);
        return TList::SetItem(pItem, bRedraw);
    }
    // Focus and selection live in the rows; the rest goes to the node.
    if (pItem->mask & LVIF_STATE) {
        LVITEM rowState = *pItem;
        rowState.mask = LVIF_STATE;
        rowState.stateMask &= LVIS_FOCUSED | LVIS_SELECTED | LVIS_DROPHILITED;
        if (rowState.stateMask != 0)
            TList::SetItem(&rowState, bRedraw);
    }
    TVITEM tvi;
    tvi.hItem = pNode->Handle();
    tvi.mask = (pItem->mask & LVIF_TEXT ? TVIF_TEXT : 0) | (pItem->mask & LVIF_IMAGE ? TVIF_IMAGE : 0)
        | (pItem->mask & LVIF_PARAM ? TVIF_PARAM : 0);
    tvi.pszText = pItem->pszText;
    tvi.iImage = pItem->iImage;
    tvi.lParam = pItem->lParam;
    if (pItem->mask & LVIF_STATE) {
        tvi.mask |= TVIF_STATE;
        tvi.stateMask = pItem->stateMask & (TVIS_CUT | TVIS_OVERLAYMASK | TVIS_STATEIMAGEMASK);
        tvi.state = pItem->state;
    }
    return SetItem(&tvi);
}

template <class TList>
BOOL SECTreeBase<TList>::SetItemEx(const LVITEM* pItem, const SECListItemEx* pItemEx)
{
    _Node* pNode = pItem ? NodeOfRow(pItem->iItem) : nullptr;
    return pNode ? SetItemEx(pNode->Handle(), pItemEx) : TList::SetItemEx(pItem, pItemEx);
}

template <class TList>
BOOL SECTreeBase<TList>::GetItemEx(const LVITEM* pItem, SECListItemEx* pItemEx, BOOL bNotify)
{
    _Node* pNode = pItem ? NodeOfRow(pItem->iItem) : nullptr;
    return pNode ? GetItemEx(pNode->Handle(), pItemEx) : TList::GetItemEx(pItem, pItemEx, bNotify);
}

template <class TList>
BOOL SECTreeBase<TList>::HasCallbackFields(int nRow)
{
    if (const _Node* pNode = NodeOfRow(nRow)) {
        const TVITEM& item = pNode->item;
        if (pNode->IsTextCallback() || item.cChildren == I_CHILDRENCALLBACK || item.iImage == I_IMAGECALLBACK
            || item.iSelectedImage == I_IMAGECALLBACK)
            return TRUE;
    }
    return TList::HasCallbackFields(nRow);
}

template <class TList>
void SECTreeBase<TList>::MoveColumnData(int nFrom, int nTo)
{
    TList::MoveColumnData(nFrom, nTo);
    if (!m_pStorage)
        return;
    // Every item of the tree, shown or not, keeps its texts under their headings.
    for (_Node* p = m_pRoot->FirstChild(); p != nullptr; p = NextInOrder(p))
        m_pStorage->MoveText(p->Handle(), nFrom, nTo);
}

// --- notifications ----------------------------------------------------------------------------------

template <class TList>
LRESULT SECTreeBase<TList>::NotifyTree(UINT nCode, UINT nAction, _Node* pNew, _Node* pOld, CPoint ptDrag)
{
    NMTREEVIEW record {};
    record.action = nAction;
    if (pNew != nullptr)
        record.itemNew = pNew->item;
    if (pOld != nullptr)
        record.itemOld = pOld->item;
    record.ptDrag = ptDrag;
    return SendNotifyRecord(record.hdr, nCode);
}

template <class TList>
void SECTreeBase<TList>::NotifyGetDispInfo(TVITEM* pItem)
{
    NMTVDISPINFO record {};
    record.item = *pItem;
    SendNotifyRecord(record.hdr, TVN_GETDISPINFO);
    *pItem = record.item;
}

template <class TList>
void SECTreeBase<TList>::NotifySetDispInfo(TVITEM* pItem)
{
    NMTVDISPINFO record {};
    record.item = *pItem;
    SendNotifyRecord(record.hdr, TVN_SETDISPINFO);
}

template <class TList>
LRESULT SECTreeBase<TList>::NotifyItemExpanding(_Node* pNode, UINT nCode)
{
    return NotifyTree(TVN_ITEMEXPANDING, nCode, pNode, nullptr);
}

template <class TList>
void SECTreeBase<TList>::NotifyItemExpanded(_Node* pNode, UINT nCode)
{
    NMTREEVIEW record {};
    record.action = nCode;
    record.itemNew = pNode->item;
    record.itemNew.state = pNode->IsExpanded() ? TVIS_EXPANDED : 0;
    SendNotifyRecord(record.hdr, TVN_ITEMEXPANDED);
}

template <class TList>
void SECTreeBase<TList>::NotifyDeleteItem(_Node* pNode)
{
    NMTREEVIEW record {};
    record.itemOld.mask = TVIF_HANDLE | TVIF_PARAM;
    record.itemOld.hItem = pNode->Handle();
    record.itemOld.lParam = pNode->item.lParam;
    SendNotifyRecord(record.hdr, TVN_DELETEITEM);
}

template <class TList>
LRESULT SECTreeBase<TList>::NotifySelChanging(int nRow, int nOld, BOOL bByMouse)
{
    const UINT nAction = m_nSelectAction ? m_nSelectAction : bByMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD;
    return NotifyTree(TVN_SELCHANGING, nAction, NodeOfRow(nRow), NodeOfRow(nOld));
}

template <class TList>
void SECTreeBase<TList>::NotifySelChanged(int nRow, int nOld, BOOL bByMouse)
{
    const UINT nAction = m_nSelectAction ? m_nSelectAction : bByMouse ? TVC_BYMOUSE : TVC_BYKEYBOARD;
    NotifyTree(TVN_SELCHANGED, nAction, NodeOfRow(nRow), NodeOfRow(nOld));
}

template <class TList>
void SECTreeBase<TList>::NotifyBeginDrag()
{
    if (HasTreeStyle(TVS_DISABLEDRAGDROP) || m_nCurrentColumn != 0) {
        m_bItemDrag = FALSE;
        return;
    }
    NotifyTree(TVN_BEGINDRAG, 0, NodeOfRow(m_nCaret), nullptr, m_ptClick);
}

template <class TList>
void SECTreeBase<TList>::NotifyBeginRDrag(int nRow, CPoint point)
{
    if (HasTreeStyle(TVS_DISABLEDRAGDROP) || m_nCurrentColumn != 0) {
        m_bItemDrag = FALSE;
        return;
    }
    NotifyTree(TVN_BEGINRDRAG, 0, NodeOfRow(nRow), nullptr, point);
}

template <class TList>
BOOL SECTreeBase<TList>::NotifyBeginLabelEdit(int nRow, int nSubItem)
{
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr || nSubItem != 0)
        return TList::NotifyBeginLabelEdit(nRow, nSubItem);
    NMTVDISPINFO record {};
    record.item = pNode->item;
    record.item.mask |= TVIF_TEXT;
    return SendNotifyRecord(record.hdr, TVN_BEGINLABELEDIT) != 0;
}

template <class TList>
BOOL SECTreeBase<TList>::NotifyEndLabelEdit(int nRow, int nSubItem, CString& strText, BOOL bCommit)
{
    _Node* pNode = NodeOfRow(nRow);
    if (pNode == nullptr || nSubItem != 0)
        return TList::NotifyEndLabelEdit(nRow, nSubItem, strText, bCommit);
    NMTVDISPINFO record {};
    record.item = pNode->item;
    record.item.mask |= TVIF_TEXT;
    // The owner may rewrite the text in place: a buffer of its own, texts longer than it cut.
    std::vector<char> buffer(textBufferSize, '\0');
    record.item.pszText = nullptr;
    if (bCommit) {
        afx::CopyText(buffer.data(), textBufferSize, static_cast<LPCTSTR>(strText));
        record.item.pszText = buffer.data();
        record.item.cchTextMax = textBufferSize;
    }
    const LRESULT lResult = SendNotifyRecord(record.hdr, TVN_ENDLABELEDIT);
    if (!bCommit || lResult == 0)
        return FALSE;
    buffer.back() = '\0';
    strText = record.item.pszText != nullptr ? record.item.pszText : buffer.data();
    return TRUE;
}

template <class TList>
void SECTreeBase<TList>::OnLabelChanged(int nRow, int nSubItem)
{
    _Node* pNode = NodeOfRow(nRow);
    CWnd* pTarget = GetNotifyTarget();
    if (pNode == nullptr || nSubItem != 0 || pTarget == nullptr)
        return;
    pTarget->SendMessage(EndLabelEditMessage(), static_cast<WPARAM>(GetDlgCtrlID()),
        reinterpret_cast<LPARAM>(pNode->Handle()));
}

template <class TList>
void SECTreeBase<TList>::NotifyKeyDown(UINT nVKey)
{
    NMTVKEYDOWN record {};
    record.wVKey = static_cast<WORD>(nVKey);
    SendNotifyRecord(record.hdr, TVN_KEYDOWN);
}

// --- styles -----------------------------------------------------------------------------------------

template <class TList>
DWORD SECTreeBase<TList>::GetTreeStyle() const
{
    DWORD dwStyle = m_dwTreeStyle;
    if (HasListStyle(LVS_EDITLABELS))
        dwStyle |= TVS_EDITLABELS;
    if (HasListStyle(LVS_SHOWSELALWAYS))
        dwStyle |= TVS_SHOWSELALWAYS;
    return dwStyle;
}

template <class TList>
BOOL SECTreeBase<TList>::SetTreeStyle(DWORD dwStyle, BOOL bRedraw)
{
    m_dwTreeStyle = dwStyle & keptTreeStyles;
    DWORD dwList = m_dwListStyle & ~(LVS_EDITLABELS | LVS_SHOWSELALWAYS);
    if (dwStyle & TVS_EDITLABELS)
        dwList |= LVS_EDITLABELS;
    if (dwStyle & TVS_SHOWSELALWAYS)
        dwList |= LVS_SHOWSELALWAYS;
    return SetListStyle(dwList, bRedraw);
}

template <class TList>
void SECTreeBase<TList>::ApplyTreeStyleEx()
{
    const DWORD ex = m_dwTreeStyleEx;
    DWORD dwList = m_dwListStyle;
    DWORD dwListEx = m_dwListStyleEx;
    const auto set = [](DWORD& word, DWORD bits, BOOL bOn) { word = bOn ? (word | bits) : (word & ~bits); };
    set(dwList, LVS_SINGLESEL, !(ex & TVXS_MULTISEL));
    set(dwList, LVS_NOLABELWRAP, !(ex & TVXS_WORDWRAP));
    set(dwList, LVS_NOCOLUMNHEADER, !(ex & TVXS_COLUMNHEADER));
    set(dwListEx, LVXS_LABELTIPS, (ex & TVXS_LABELTIPS) != 0);
    set(dwList, LVS_NOSORTHEADER, !((ex & TVXS_COLUMNHEADER) && (ex & TVXS_HEADERBUTTONS)));
    set(dwListEx, LVS_EX_HEADERDRAGDROP, (ex & TVXS_HEADERBUTTONS) && (ex & TVXS_HEADERDRAGDROP));
    m_dwListStyle = dwList;
    m_dwListStyleEx = dwListEx;
}

template <class TList>
BOOL SECTreeBase<TList>::SetTreeStyleEx(DWORD dwExStyle, BOOL bRedraw)
{
    m_dwTreeStyleEx = dwExStyle;
    const DWORD dwOldList = m_dwListStyle;
    const DWORD dwOldListEx = m_dwListStyleEx;
    ApplyTreeStyleEx();
    const DWORD dwList = m_dwListStyle;
    const DWORD dwListEx = m_dwListStyleEx;
    m_dwListStyle = dwOldList;
    m_dwListStyleEx = dwOldListEx;
    if (!(dwExStyle & TVXS_HOVEREXPAND))
        KillHoverTimer();
    return SetListStyles(dwList, dwListEx, bRedraw);
}

template <class TList>
BOOL SECTreeBase<TList>::ModifyTreeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetTreeStyle((GetTreeStyle() & ~dwRemove) | dwAdd, bRedraw);
}

template <class TList>
BOOL SECTreeBase<TList>::ModifyTreeStyleEx(DWORD dwRemove, DWORD dwAdd, BOOL bRedraw)
{
    return SetTreeStyleEx((m_dwTreeStyleEx & ~dwRemove) | dwAdd, bRedraw);
}

template <class TList>
void SECTreeBase<TList>::GetTreeStyles(DWORD& dwStyle, DWORD& dwExStyle) const
{
    dwStyle = GetTreeStyle();
    dwExStyle = m_dwTreeStyleEx;
}

template <class TList>
BOOL SECTreeBase<TList>::SetTreeStyles(DWORD dwStyle, DWORD dwExStyle, BOOL bRedraw)
{
    SetTreeStyle(dwStyle, FALSE);
    return SetTreeStyleEx(dwExStyle, bRedraw);
}

template <class TList>
BOOL SECTreeBase<TList>::ModifyTreeStyles(DWORD dwRemove, DWORD dwAdd, DWORD dwRemoveEx, DWORD dwAddEx, BOOL bRedraw)
{
    ModifyTreeStyle(dwRemove, dwAdd, FALSE);
    return ModifyTreeStyleEx(dwRemoveEx, dwAddEx, bRedraw);
}

template <class TList>
BOOL SECTreeBase<TList>::SetLabelWrap(BOOL bWrap)
{
    m_dwTreeStyleEx = bWrap ? (m_dwTreeStyleEx | TVXS_WORDWRAP) : (m_dwTreeStyleEx & ~TVXS_WORDWRAP);
    return TList::SetLabelWrap(bWrap);
}

template <class TList>
BOOL SECTreeBase<TList>::SetLabelTips(BOOL bOn)
{
    m_dwTreeStyleEx = bOn ? (m_dwTreeStyleEx | TVXS_LABELTIPS) : (m_dwTreeStyleEx & ~TVXS_LABELTIPS);
    return TList::SetLabelTips(bOn);
}

template <class TList>
BOOL SECTreeBase<TList>::SetMultiSelect(BOOL bMulti)
{
    m_dwTreeStyleEx = bMulti ? (m_dwTreeStyleEx | TVXS_MULTISEL) : (m_dwTreeStyleEx & ~TVXS_MULTISEL);
    return TList::SetMultiSelect(bMulti);
}

template <class TList>
BOOL SECTreeBase<TList>::ShowHeader(BOOL bShow, BOOL bButtons)
{
    const DWORD bits = TVXS_COLUMNHEADER | TVXS_HEADERBUTTONS;
    m_dwTreeStyleEx &= ~bits;
    if (bShow)
        m_dwTreeStyleEx |= TVXS_COLUMNHEADER | (bButtons ? TVXS_HEADERBUTTONS : 0);
    return TList::ShowHeader(bShow, bButtons);
}

template <class TList>
void SECTreeBase<TList>::ApplyCreateStyles(CREATESTRUCT& cs)
{
    // The tree's own bits of the creation styles are tree styles, not the window's nor the list's.
    const DWORD dwTree = static_cast<DWORD>(cs.style) & 0x43F;
    const DWORD dwTreeEx = cs.dwExStyle & 0x03F00000;
    cs.style &= ~static_cast<LONG>(0x43F);
    cs.dwExStyle &= ~0x03F00000U;
    TList::ApplyCreateStyles(cs);
    ModifyTreeStyle(0, dwTree, FALSE);
    ModifyTreeStyleEx(0, dwTreeEx | m_dwTreeStyleEx, FALSE);
}

template <class TList>
BOOL SECTreeBase<TList>::CreateEx(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return Create(dwStyle, 0, rect, pParentWnd, nID, pContext);
}

template <class TList>
void SECTreeBase<TList>::SetIndent(int nIndent)
{
    m_nIndent = std::max(0, nIndent + (nIndent & 1));
    RelayoutAfterChange();
}

template <class TList>
CImageList* SECTreeBase<TList>::SetImageList(CImageList* pImageList, int nType)
{
    if (nType == TVSIL_NORMAL && pImageList != nullptr && pImageList->GetSafeHandle() != nullptr) {
        int cx = 0;
        int cy = 0;
        ::ImageList_GetIconSize(*pImageList, &cx, &cy);
        if (cx > m_nIndent)
            SetIndent(cx);
    }
    return TList::SetImageList(pImageList, nType);
}

template <class TList>
int SECTreeBase<TList>::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (TList::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (GetColumnCount() == 0)
        InsertColumn(0, "", LVCFMT_LEFT, -1, 0, -1, FALSE);
    return 0;
}

template <class TList>
void SECTreeBase<TList>::OnDestroy()
{
    KillHoverTimer();
    DeleteAllItems();
    TList::OnDestroy();
}
