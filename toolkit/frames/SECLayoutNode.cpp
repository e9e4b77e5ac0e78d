#include "toolkit/frames/SECLayoutNode.h"

#include "platform/afx/CRect.h"
#include "toolkit/frames/IteratorPreOrder_T.h"

#include <algorithm>

template<typename Fn> void SECLayoutNode::ForEachInSubtree(Fn fn)
{
    quorvale::foundation::IteratorPreOrder_T<SECLayoutNode*> it(this);
    for (it.First(); SECLayoutNode* node = it.Current(); it.Next())
        fn(node);
}

// A node that goes while still linked would leave its parent and children pointing at freed memory;
// it unlinks itself in both directions, so a pool may delete a tree's nodes in any order.
SECLayoutNode::~SECLayoutNode()
{
    if (SECLayoutNode* parent = GetParent())
        parent->RemoveChild(this);
    while (POSITION pos = GetHeadPosition())
        RemoveChildAt(pos);
    if (m_pNodePool)
        m_pNodePool->RemoveObject(this);
}

void SECLayoutNode::SetMinMaxSize(const SIZE& sizeMin, const SIZE& sizeMax, int nFlags)
{
    m_sizeMin = sizeMin;
    m_sizeMax = sizeMax;
    m_nSizeFlags = nFlags;
}

void SECLayoutNode::GetMinMaxSize(SIZE& sizeMin, SIZE& sizeMax, int& nFlags)
{
    sizeMin = m_sizeMin;
    sizeMax = m_sizeMax;
    nFlags = m_nSizeFlags;
}

SECLayoutNode* SECLayoutNode::GetRootNode()
{
    SECLayoutNode* node = this;
    while (SECLayoutNode* parent = node->GetParentNode())
        node = parent;
    return node;
}

void SECLayoutNode::InvalidateLayout(BOOL bUpward)
{
    m_bDirty = TRUE;
    if (bUpward && GetParentNode())
        GetParentNode()->InvalidateLayout(TRUE);
}

void SECLayoutNode::SetNodeStyle(DWORD dwStyle, BOOL bRecurse)
{
    m_dwNodeStyle = dwStyle;
    if (bRecurse)
        ForEachInSubtree([dwStyle](SECLayoutNode* node) { node->SetNodeStyle(dwStyle, FALSE); });
}

void SECLayoutNode::ModifyNodeStyle(DWORD dwRemove, DWORD dwAdd, BOOL bRecurse)
{
    SetNodeStyle((GetNodeStyle() & ~dwRemove) | dwAdd, FALSE);
    if (bRecurse)
        ForEachInSubtree([=](SECLayoutNode* node) { node->ModifyNodeStyle(dwRemove, dwAdd, FALSE); });
}

void SECLayoutNode::LockLayout(BOOL bLock, BOOL bRecurse)
{
    m_bLocked = bLock;
    if (bRecurse) {
        ForEachInSubtree([this, bLock](SECLayoutNode* node) {
            if (node != this)
                node->LockLayout(bLock, FALSE);
        });
    }
}

void SECLayoutNode::ResetInitialRect()
{
    RECT rect {};
    GetChildrenRect(&rect);
    SetInitialRect(rect);
}

void SECLayoutNode::SetInitialRect(const RECT& rect)
{
    m_rcInitial = rect;
    SetCurrentRect(rect);
    SetPreferredRect(rect);
    m_sizeMin.cx = std::min(m_sizeMin.cx, CRect(rect).Width());
    m_sizeMin.cy = std::min(m_sizeMin.cy, CRect(rect).Height());
    m_sizeMax.cx = std::max(m_sizeMax.cx, CRect(rect).Width());
    m_sizeMax.cy = std::max(m_sizeMax.cy, CRect(rect).Height());
}

RECT* SECLayoutNode::GetCurrentRect(RECT* pRect)
{
    *pRect = m_rcCurrent;
    return pRect;
}

RECT* SECLayoutNode::GetClampedRect(RECT* pRect)
{
    *pRect = m_rcCurrent;
    ClampRectToLimits(pRect);
    return pRect;
}

int SECLayoutNode::AddLayoutNode(SECLayoutNode* pChild)
{
    if (!pChild || !pChild->IsAttachable())
        return -1;
    if (pChild->GetParent() == this)
        return GetChildCount(FALSE);
    if (SECLayoutNode* other = pChild->GetParent())
        other->RemoveLayoutNode(pChild);
    if (!AddChild(pChild))
        return -1;
    return GetChildCount(FALSE);
}

BOOL SECLayoutNode::MoveLayoutNode(SECLayoutNode* pChild, SECLayoutNode* pReference, BOOL bAfter)
{
    if (!pChild)
        return FALSE;
    POSITION pos = nullptr;
    if (FindChild(pChild, pos))
        RemoveChildAt(pos);
    POSITION insertAfter = nullptr;
    if (!pReference) {
        insertAfter = bAfter ? GetTailPosition() : nullptr;
    } else if (FindChild(pReference, pos)) {
        insertAfter = bAfter ? pos : GetPrevPosition(pos);
    }
    return InsertChildAfter(pChild, insertAfter);
}

int SECLayoutNode::RemoveLayoutNode(SECLayoutNode* pChild)
{
    if (!pChild || !RemoveChild(pChild))
        return -1;
    return GetChildCount(FALSE);
}

RECT* SECLayoutNode::RecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce)
{
    if (!NeedsRecalc(bForce, rect)) {
        *pOut = m_rcCurrent;
        return pOut;
    }
    const RECT rcOld = m_rcCurrent;
    RECT rcNew {};
    OnRecalcLayout(&rcNew, rect, bClamp, bForce);
    ApplyStyleToRect(rcOld, &rcNew);
    SetCurrentRect(rcNew);
    if (!EqualRect(&rcNew, &rcOld))
        SetRectChanged();
    ValidateLayout();
    *pOut = rcNew;
    return pOut;
}

BOOL SECLayoutNode::RealizeLayout(UINT nValue)
{
    if (m_bLocked)
        return FALSE;
    // A node without children is its own whole subtree: realizing it must move its own window (a splitter
    // after a drag, say), which the children-first walk alone would never visit.
    auto forEachRealized = [this](auto fn) {
        if (GetHeadPosition())
            ForEachInSubtree(fn);
        else
            fn(this);
    };
    int count = 0;
    forEachRealized([&count](SECLayoutNode* node) { count += node->GetDeferWindowCount(); });
    if (count < 0)
        return FALSE;
    if (count > 0) {
        HDWP batch = BeginDeferWindowPos(count);
        if (!batch)
            return FALSE;
        forEachRealized([&batch, nValue](SECLayoutNode* node) {
            node->RealizeNode(&batch, nValue);
            node->SetPreviousRect(node->m_rcRealized);
            node->SetRealizedRect(node->m_rcCurrent);
        });
        EndDeferWindowPos(batch);
    }
    UpdateRepaintTree(TRUE);
    return TRUE;
}

void SECLayoutNode::EraseNodeBackground(BOOL bRecurse, HDC hDC)
{
    if (bRecurse)
        ForEachInSubtree([hDC](SECLayoutNode* node) { node->EraseNodeBackground(FALSE, hDC); });
}

void SECLayoutNode::PaintNode(BOOL bRecurse, HDC hDC)
{
    if (bRecurse)
        ForEachInSubtree([hDC](SECLayoutNode* node) { node->PaintNode(FALSE, hDC); });
}

BOOL SECLayoutNode::InvalidateNode(BOOL bErase, BOOL bRecurse)
{
    m_bRectChanged = FALSE;
    if (!bErase)
        InvalidateNodeRect(m_rcCurrent, FALSE);
    else if (m_dwNodeStyle & InvalidateUncovered)
        InvalidateUncoveredStrips();
    else
        InvalidateNodeRect(m_rcCurrent, TRUE);
    if (bRecurse)
        ForEachInSubtree([bErase](SECLayoutNode* node) { node->InvalidateNode(bErase, FALSE); });
    return TRUE;
}

void SECLayoutNode::GetChildrenRect(RECT* pRect)
{
    *pRect = {};
    bool first = true;
    for (POSITION pos = GetHeadPosition(); pos; pos = GetNextPosition(pos)) {
        RECT child {};
        GetChildAt(pos)->GetCurrentRect(&child);
        if (first) {
            *pRect = child;
            first = false;
            continue;
        }
        pRect->left = std::min(pRect->left, child.left);
        pRect->top = std::min(pRect->top, child.top);
        pRect->right = std::max(pRect->right, child.right);
        pRect->bottom = std::max(pRect->bottom, child.bottom);
    }
}

void SECLayoutNode::InitNode(BOOL bRecurse)
{
    if (bRecurse)
        ForEachInSubtree([](SECLayoutNode* node) { node->InitNode(FALSE); });
}

void SECLayoutNode::SetNodePool(SECLayoutNodePool* pPool, BOOL bRecurse)
{
    if (m_pNodePool && m_pNodePool != pPool)
        m_pNodePool->RemoveObject(this);
    if (pPool)
        pPool->AddObject(this);
    m_pNodePool = pPool;
    if (bRecurse) {
        ForEachInSubtree([this, pPool](SECLayoutNode* node) {
            if (node != this)
                node->SetNodePool(pPool, FALSE);
        });
    }
}

void SECLayoutNode::SetOrientation(BOOL bHorizontal, BOOL bRecurse)
{
    m_bHorizontal = bHorizontal;
    if (bRecurse)
        ForEachInSubtree([bHorizontal](SECLayoutNode* node) { node->SetOrientation(bHorizontal, FALSE); });
}

RECT* SECLayoutNode::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce)
{
    RECT r = rect;
    if (bClamp)
        ClampToLimits(&r);
    SetCurrentRect(r);
    const LONG dx = r.left - m_rcInitial.left;
    const LONG dy = r.top - m_rcInitial.top;
    for (POSITION pos = GetHeadPosition(); pos; pos = GetNextPosition(pos)) {
        SECLayoutNode* child = GetChildAt(pos);
        RECT moved {};
        child->GetInitialRect(&moved);
        moved = { moved.left + dx, moved.top + dy, moved.right + dx, moved.bottom + dy };
        RECT tmp {};
        child->RecalcLayout(&tmp, moved, bClamp, bForce);
    }
    *pOut = r;
    return pOut;
}

BOOL SECLayoutNode::NeedsRecalc(BOOL bForce, const RECT& rect)
{
    const BOOL wasDirty = m_bDirty;
    m_bDirty = FALSE;
    return bForce || wasDirty || !EqualRect(&rect, &m_rcCurrent);
}

void SECLayoutNode::ClampToLimits(RECT* pRect)
{
    ClampRectToLimits(pRect);
}

void SECLayoutNode::ClampRectToLimits(RECT* pRect)
{
    SIZE sizeMin {};
    SIZE sizeMax {};
    int flags = 0;
    GetMinMaxSize(sizeMin, sizeMax, flags);
    if (!(flags & NoMaxSize)) {
        if (CRect(*pRect).Width() > sizeMax.cx)
            pRect->right = pRect->left + sizeMax.cx;
        if (CRect(*pRect).Height() > sizeMax.cy)
            pRect->bottom = pRect->top + sizeMax.cy;
    }
    // The minimum comes last so that it wins over contradicting limits.
    if (!(flags & NoMinSize)) {
        if (CRect(*pRect).Width() < sizeMin.cx)
            pRect->right = pRect->left + sizeMin.cx;
        if (CRect(*pRect).Height() < sizeMin.cy)
            pRect->bottom = pRect->top + sizeMin.cy;
    }
}

void SECLayoutNode::ApplyStyleToRect(const RECT& rcOld, RECT* pNew)
{
    if (m_dwNodeStyle & KeepOldWidth)
        pNew->right = pNew->left + CRect(rcOld).Width();
    if (m_dwNodeStyle & KeepOldHeight)
        pNew->bottom = pNew->top + CRect(rcOld).Height();
    if (m_dwNodeStyle & KeepOldLeft)
        pNew->left = rcOld.left;
    if (m_dwNodeStyle & KeepOldTop)
        pNew->top = rcOld.top;
}

void SECLayoutNode::InvalidateUncoveredStrips()
{
    const RECT& p = m_rcPrevious;
    const RECT& c = m_rcCurrent;
    if (p.top < c.top)
        InvalidateNodeRect({ p.left, p.top, p.right, c.top }, TRUE);
    if (p.left < c.left)
        InvalidateNodeRect({ p.left, p.top, c.left, p.bottom }, TRUE);
    if (p.right > c.right)
        InvalidateNodeRect({ c.right, p.top, p.right, p.bottom }, TRUE);
    if (p.bottom > c.bottom)
        InvalidateNodeRect({ p.left, c.bottom, p.right, p.bottom }, TRUE);
}

void SECLayoutNode::UpdateRepaintTree(BOOL bRecurse)
{
    if ((m_dwNodeStyle & InvalidateUncovered) && m_bRectChanged) {
        InvalidateNode(TRUE, TRUE);
        InvalidateNode(FALSE, TRUE);
        return;
    }
    m_bRectChanged = FALSE;
    if (bRecurse)
        ForEachInSubtree([](SECLayoutNode* node) { node->UpdateRepaintTree(FALSE); });
}
