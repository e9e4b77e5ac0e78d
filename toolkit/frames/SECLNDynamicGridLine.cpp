#include "toolkit/frames/SECLNDynamicGridLine.h"

#include <algorithm>

#include "platform/afx/CWnd.h"
#include "toolkit/frames/SECLNDynamicGrid2d.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLNVirtualSplitter.h"

SECLNDynamicGridLine::~SECLNDynamicGridLine()
{
    // The splitters go before the cells that name them; those of another pool stay that pool's.
    for (auto& [node, cell] : m_cells) {
        if (SECLNVirtualSplitter* splitter = cell->m_pAfter) {
            SECLayoutNode::RemoveLayoutNode(splitter);
            if (m_embeddedPool.RemoveObject(splitter))
                delete splitter;
        }
    }
    DeleteAllCells();
}

int SECLNDynamicGridLine::NodeLength(SECLayoutNode* pNode) const
{
    RECT rc {};
    pNode->GetCurrentRect(&rc);
    return Length(rc);
}

int SECLNDynamicGridLine::IndexOf(SECLayoutNode* pNode) const
{
    const auto it = std::find(m_line.begin(), m_line.end(), pNode);
    return it == m_line.end() ? -1 : static_cast<int>(it - m_line.begin());
}

int SECLNDynamicGridLine::AddLayoutNode(SECLayoutNode* pChild)
{
    SECDynGridInsertConstraints constraints;
    return InsertNode(pChild, &constraints);
}

int SECLNDynamicGridLine::InsertNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints)
{
    if (!pNode || !pConstraints || IsInLine(pNode))
        return -1;
    const int nCount = SECLayoutNode::AddLayoutNode(pNode);
    if (nCount < 0)
        return -1;
    AdoptLineOrientation(pNode, pConstraints);
    CreateCell(pNode, pConstraints);
    InsertInLine(pNode, pConstraints);
    AddSplittersFor(pNode);
    if (Count() == 1)
        ShowNode(TRUE, FALSE, TRUE);
    SizeNewNode(pNode, pConstraints);
    return nCount;
}

int SECLNDynamicGridLine::RemoveLayoutNode(SECLayoutNode* pChild)
{
    if (!IsInLine(pChild))
        return SECLayoutNode::RemoveLayoutNode(pChild);
    const int nCount = SECLayoutNode::RemoveLayoutNode(pChild);
    if (nCount < 0)
        return -1;
    RemoveSplittersFor(pChild);
    DeleteCell(pChild);
    RemoveFromLine(pChild);
    if (Count() == 0)
        ShowNode(FALSE, FALSE, TRUE);
    ShrinkAfterRemoval(pChild);
    return nCount;
}

RECT* SECLNDynamicGridLine::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL)
{
    RECT r = rect;
    if (bClamp)
        ApplyPendingGrowth(&r);
    if (!m_line.empty()) {
        DistributeLength(Length(r), nullptr);
        LayoutCells(r);
    }
    *pOut = r;
    return pOut;
}

void SECLNDynamicGridLine::SetSplittersEnabled(BOOL bEnabled)
{
    m_bSplittersEnabled = bEnabled;
    for (auto& [node, cell] : m_cells) {
        if (cell->m_pAfter)
            cell->m_pAfter->SetTrackingEnabled(bEnabled);
    }
}

void SECLNDynamicGridLine::SetLineWindow(HWND hWnd, BOOL bHorizontal)
{
    m_hWndLine = hWnd;
    SetOrientation(bHorizontal, FALSE);
}

BOOL SECLNDynamicGridLine::IsInLine(SECLayoutNode* pNode) { return pNode && IndexOf(pNode) >= 0; }

int SECLNDynamicGridLine::GetCellCount() { return Count(); }

SECLayoutNode* SECLNDynamicGridLine::GetFirstNode() { return m_line.empty() ? nullptr : m_line.front(); }

SECLayoutNode* SECLNDynamicGridLine::GetNeighbour(SECLayoutNode* pNode, BOOL bNext)
{
    const int i = pNode ? IndexOf(pNode) : -1;
    if (i < 0)
        return nullptr;
    const int j = bNext ? i + 1 : i - 1;
    return j >= 0 && j < Count() ? m_line[j] : nullptr;
}

SECLNDynamicGridLineCell* SECLNDynamicGridLine::GetCell(SECLayoutNode* pNode)
{
    const auto it = m_cells.find(pNode);
    return it == m_cells.end() ? nullptr : it->second.get();
}

int SECLNDynamicGridLine::GetAverageLength(BOOL bPlusOne)
{
    if (m_line.empty())
        return 0;
    int nSum = 0;
    for (SECLayoutNode* node : m_line)
        nSum += NodeLength(node);
    return nSum / (Count() + (bPlusOne ? 1 : 0));
}

void SECLNDynamicGridLine::CollectNodes(std::vector<SECLayoutNode*>& nodes)
{
    nodes.insert(nodes.end(), m_line.begin(), m_line.end());
}

BOOL SECLNDynamicGridLine::GetInsertConstraintsOf(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints)
{
    if (!pNode || !pConstraints || !IsInLine(pNode))
        return FALSE;
    pConstraints->ResetConstraints();
    int nIndex = 0;
    int nCount = 0;
    if (GetIndexOf(pNode, nIndex, nCount) && std::min(nIndex, nCount) - 1 >= 0)
        pConstraints->SetInsertIndex(std::min(nIndex, nCount) - 1, TRUE, TRUE);
    else
        pConstraints->SetInsertIndex(0, FALSE, TRUE);
    pConstraints->m_bSizable = GetCell(pNode) ? GetCell(pNode)->m_bSizable : TRUE;
    pConstraints->m_nLength = NodeLength(pNode);
    return TRUE;
}

void SECLNDynamicGridLine::AdoptLineOrientation(SECLayoutNode* pNode, SECDynGridInsertConstraints*)
{
    pNode->SetOrientation(IsHorizontal(), FALSE);
}

SECLNVirtualSplitter* SECLNDynamicGridLine::CreateSplitter()
{
    auto* splitter = new SECLNVirtualSplitter;
    if (!m_hWndLine
        || !splitter->Create(CWnd::FromHandle(m_hWndLine), 0, 0, 0, 0, SplitterStyle, SECSplitterBase::DefaultId, 0)) {
        delete splitter;
        return nullptr;
    }
    splitter->SetObserver(this);
    // A line whose splitters are switched off must not get a draggable one later.
    splitter->SetTrackingEnabled(m_bSplittersEnabled);
    return splitter;
}

void SECLNDynamicGridLine::SizeNewNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints)
{
    int nLength = pConstraints->m_nLength;
    if (nLength < 0) {
        nLength = GetAverageLength(FALSE);
        if (nLength <= 0) {
            RECT rcPreferred {};
            pNode->GetPreferredRect(&rcPreferred);
            nLength = Length(rcPreferred);
        }
        if (nLength <= 0)
            nLength = DefaultLength;
        pConstraints->m_nLength = nLength;
    }
    if (nLength == 0)
        return;
    RECT rc {};
    pNode->GetCurrentRect(&rc);
    End(rc) = Start(rc) + nLength;
    pNode->SetCurrentRect(rc);
    if (m_bGrowMode) {
        // The longer line becomes the line's wish, which its parent honours when it lays the line out
        // again. Counting the growth also as pending growth would add it a second time there.
        RECT rcLine {};
        GetCurrentRect(&rcLine);
        End(rcLine) += nLength;
        DistributeLength(Length(rcLine), pNode);
        SetPreferredRect(rcLine);
        NotifySizeChanged();
        return;
    }
    FitAroundNode(pNode);
    RelayoutCells();
}

void SECLNDynamicGridLine::NotifySizeChanged()
{
    // A line at the root has nobody to negotiate with: it takes the change itself.
    if (!GetParentNode()) {
        RECT rc {};
        GetPreferredRect(&rc);
        SetCurrentRect(rc);
        RelayoutCells();
        return;
    }
    SECLNHwndContainer container(m_hWndLine);
    OnChildSizeChanged(TRUE, &container);
}

SECLNDynamicGridLineCell* SECLNDynamicGridLine::CreateCell(SECLayoutNode* pNode,
    SECDynGridInsertConstraints* pConstraints)
{
    auto cell = std::make_unique<SECLNDynamicGridLineCell>();
    cell->m_bSizable = pConstraints ? pConstraints->m_bSizable : TRUE;
    SECLNDynamicGridLineCell* result = cell.get();
    m_cells[pNode] = std::move(cell);
    return result;
}

BOOL SECLNDynamicGridLine::DeleteCell(SECLayoutNode* pNode) { return m_cells.erase(pNode) > 0; }

int SECLNDynamicGridLine::GetPositionOfIndex(int nIndex, BOOL& bAfter)
{
    if (nIndex < 0 || m_line.empty())
        return -1;
    if (nIndex >= Count()) {
        bAfter = TRUE;
        return Count() - 1;
    }
    return nIndex;
}

BOOL SECLNDynamicGridLine::InsertInLine(SECLayoutNode* pNode, SECDynGridInsertConstraints* c)
{
    auto insertAt = [this, pNode](int nAt, BOOL bAfter) {
        const int nPos = nAt < 0 ? 0 : nAt + (bAfter ? 1 : 0);
        m_line.insert(m_line.begin() + std::min(nPos, Count()), pNode);
    };
    BOOL bAfter = c->m_bAfter;
    if (!c->m_pReference && !c->m_bIndexValid) {
        if (bAfter)
            m_line.push_back(pNode);
        else
            m_line.insert(m_line.begin(), pNode);
        return TRUE;
    }
    if (c->m_bIndexValid) {
        const int nAt = GetPositionOfIndex(c->m_nIndex, bAfter);
        insertAt(nAt, nAt < 0 ? FALSE : bAfter);
        return TRUE;
    }
    int nAt = c->m_pReference == pNode ? -1 : IndexOf(c->m_pReference);
    if (nAt < 0)
        nAt = GetPositionOfIndex(c->m_nIndex, bAfter);
    insertAt(nAt, nAt < 0 ? FALSE : bAfter);
    return TRUE;
}

BOOL SECLNDynamicGridLine::RemoveFromLine(SECLayoutNode* pNode)
{
    const int i = IndexOf(pNode);
    if (i < 0)
        return FALSE;
    m_line.erase(m_line.begin() + i);
    return TRUE;
}

void SECLNDynamicGridLine::ShrinkAfterRemoval(SECLayoutNode* pNode)
{
    if (!m_bGrowMode)
        return;
    const int nLength = NodeLength(pNode);
    RECT rcLine {};
    GetCurrentRect(&rcLine);
    End(rcLine) = std::max(End(rcLine) - nLength, Start(rcLine));
    DistributeLength(Length(rcLine), nullptr);
    SetPreferredRect(rcLine);
    if (nLength != 0)
        NotifySizeChanged();
}

BOOL SECLNDynamicGridLine::AddSplittersFor(SECLayoutNode* pNode)
{
    SECLayoutNode* pPrevious = nullptr;
    SECLayoutNode* pNext = nullptr;
    if (!GetNeighbours(pNode, pPrevious, pNext))
        return FALSE;
    if (pPrevious && pNext)
        return SplitBetween(pPrevious, pNode, pNext);
    if (pPrevious)
        return AddSplitterBetween(pPrevious, pNode);
    if (pNext)
        return AddSplitterBetween(pNode, pNext);
    return TRUE;
}

BOOL SECLNDynamicGridLine::SplitBetween(SECLayoutNode* pPrevious, SECLayoutNode* pNode, SECLayoutNode* pNext)
{
    RemoveSplitterBetween(pPrevious, pNext);
    const BOOL bFirst = AddSplitterBetween(pPrevious, pNode);
    return AddSplitterBetween(pNode, pNext) && bFirst;
}

BOOL SECLNDynamicGridLine::AddSplitterBetween(SECLayoutNode* pA, SECLayoutNode* pB)
{
    SECLNDynamicGridLineCell* a = GetCell(pA);
    SECLNDynamicGridLineCell* b = GetCell(pB);
    if (!a || !b || !a->m_bSizable || !b->m_bSizable)
        return FALSE;
    if (a->m_pAfter)
        return TRUE;
    SECLNVirtualSplitter* splitter = CreateSplitter();
    if (!splitter)
        return FALSE;
    if (SECLayoutNode::AddLayoutNode(splitter) < 0) {
        delete splitter;
        return FALSE;
    }
    SECLayoutNodePool* pool = GetNodePool() ? GetNodePool() : &m_embeddedPool;
    pool->AddObject(splitter);
    splitter->SetOrientation(IsHorizontal(), FALSE);
    a->m_pAfter = splitter;
    b->m_pBefore = splitter;
    return TRUE;
}

BOOL SECLNDynamicGridLine::RemoveSplittersFor(SECLayoutNode* pNode)
{
    SECLayoutNode* pPrevious = nullptr;
    SECLayoutNode* pNext = nullptr;
    if (!GetNeighbours(pNode, pPrevious, pNext))
        return FALSE;
    if (pPrevious && pNext)
        return JoinAround(pPrevious, pNode, pNext);
    if (pPrevious)
        return RemoveSplitterBetween(pPrevious, pNode);
    if (pNext)
        return RemoveSplitterBetween(pNode, pNext);
    return TRUE;
}

BOOL SECLNDynamicGridLine::JoinAround(SECLayoutNode* pPrevious, SECLayoutNode* pNode, SECLayoutNode* pNext)
{
    RemoveSplitterBetween(pPrevious, pNode);
    RemoveSplitterBetween(pNode, pNext);
    return AddSplitterBetween(pPrevious, pNext);
}

BOOL SECLNDynamicGridLine::RemoveSplitterBetween(SECLayoutNode* pA, SECLayoutNode* pB)
{
    SECLNDynamicGridLineCell* a = GetCell(pA);
    SECLNDynamicGridLineCell* b = GetCell(pB);
    if (!a || !b || !a->m_pAfter || a->m_pAfter != b->m_pBefore)
        return FALSE;
    SECLNVirtualSplitter* splitter = a->m_pAfter;
    a->m_pAfter = nullptr;
    b->m_pBefore = nullptr;
    if (!m_embeddedPool.RemoveObject(splitter) && GetNodePool())
        GetNodePool()->RemoveObject(splitter);
    SECLayoutNode::RemoveLayoutNode(splitter);
    delete splitter;
    return TRUE;
}

int SECLNDynamicGridLine::GetSplitterSpace(SECLayoutNode* pExclude)
{
    int nCount = 0;
    for (SECLayoutNode* node : m_line) {
        if (node != pExclude && GetCell(node)->m_pAfter)
            ++nCount;
    }
    return nCount * SECSplitterBase::GetBarWidth();
}

BOOL SECLNDynamicGridLine::DistributeLength(int nLength, SECLayoutNode* pFixed)
{
    const int nAvailable = nLength - GetSplitterSpace(nullptr);
    const int nFree = std::max(nAvailable - (pFixed ? NodeLength(pFixed) : 0), 0);
    int nSum = 0;
    int nCount = SumLengths(nSum, pFixed);
    if (nFree - nSum != 0 && nCount > 0)
        SpreadEvenly(nFree - nSum, nCount, pFixed);
    if (pFixed) {
        // What the others could not absorb, the fixed node gives way for.
        nCount = SumLengths(nSum, nullptr);
        if (const int nDelta = std::max(nAvailable, 0) - nSum; nDelta != 0)
            SpreadEvenly(nDelta, nCount, nullptr);
    }
    return TRUE;
}

void SECLNDynamicGridLine::FitAroundNode(SECLayoutNode* pNode)
{
    RECT rc {};
    GetCurrentRect(&rc);
    DistributeLength(Length(rc), pNode);
}

int SECLNDynamicGridLine::SumLengths(int& nSum, SECLayoutNode* pExclude)
{
    nSum = 0;
    int nCount = 0;
    for (SECLayoutNode* node : m_line) {
        if (node == pExclude)
            continue;
        nSum += NodeLength(node);
        ++nCount;
    }
    return nCount;
}

BOOL SECLNDynamicGridLine::SpreadEvenly(int nDelta, int nCount, SECLayoutNode* pExclude)
{
    if (nDelta == 0 || nCount <= 0)
        return TRUE;
    int nShare = nDelta / nCount;
    int nRest = nDelta % nCount;
    for (SECLayoutNode* node : m_line) {
        if (node == pExclude || nCount <= 0)
            continue;
        RECT rc {};
        node->GetCurrentRect(&rc);
        const int nOld = Length(rc);
        End(rc) += nShare + nRest;
        ClampChildRect(node, &rc);
        node->SetCurrentRect(rc);
        nDelta -= Length(rc) - nOld;
        if (--nCount > 0) {
            nShare = nDelta / nCount;
            nRest = nDelta % nCount;
        }
    }
    if (nDelta != 0 && !pExclude)
        ResizeInOrder(nDelta, nCount, FALSE, nullptr);
    return TRUE;
}

BOOL SECLNDynamicGridLine::ResizeInOrder(int nDelta, int, BOOL bFromHead, SECLayoutNode* pExclude)
{
    if (nDelta == 0)
        return TRUE;
    const int n = Count();
    for (int k = 0; k < n; ++k) {
        SECLayoutNode* node = m_line[bFromHead ? k : n - 1 - k];
        if (node == pExclude)
            continue;
        RECT rc {};
        node->GetCurrentRect(&rc);
        const LONG nTarget = End(rc) + nDelta;
        End(rc) = nTarget;
        ClampChildRect(node, &rc);
        node->SetCurrentRect(rc);
        if (End(rc) == nTarget)
            return TRUE;
        nDelta = nTarget - End(rc);
    }
    return ForceResize(nDelta, bFromHead);
}

BOOL SECLNDynamicGridLine::ForceResize(int nDelta, BOOL bFromHead)
{
    const int n = Count();
    for (int k = 0; k < n && nDelta != 0; ++k) {
        SECLayoutNode* node = m_line[bFromHead ? k : n - 1 - k];
        RECT rc {};
        node->GetCurrentRect(&rc);
        const LONG nOldEnd = End(rc);
        End(rc) = std::max(End(rc) + nDelta, Start(rc));
        nDelta -= End(rc) - nOldEnd;
        node->SetCurrentRect(rc);
    }
    return nDelta == 0;
}

BOOL SECLNDynamicGridLine::LayoutCells(const RECT& rect)
{
    RECT r = rect;
    LONG nPos = Start(r);
    SECLayoutNode* pRunFirst = nullptr;
    SECLayoutNode* pRunLast = nullptr;
    auto endRun = [&]() {
        if (pRunFirst)
            UpdateSplitterLimits(pRunFirst, pRunLast);
        pRunFirst = pRunLast = nullptr;
    };
    for (SECLayoutNode* node : m_line) {
        const int nLength = NodeLength(node);
        RECT cell = rect;
        Start(cell) = nPos;
        End(cell) = nPos + nLength;
        RECT out {};
        node->RecalcLayout(&out, cell, FALSE, TRUE);
        nPos += nLength;
        SECLNDynamicGridLineCell* info = GetCell(node);
        if (SECLNVirtualSplitter* splitter = info->m_pAfter) {
            RECT bar = rect;
            Start(bar) = nPos;
            End(bar) = std::max(std::min(nPos + SECSplitterBase::GetBarWidth(), End(r)), nPos);
            splitter->RecalcLayout(&out, bar, FALSE, TRUE);
            nPos += Length(bar);
        }
        if (info->m_bSizable) {
            pRunFirst = pRunFirst ? pRunFirst : node;
            pRunLast = node;
        } else {
            endRun();
        }
    }
    endRun();
    return TRUE;
}

void SECLNDynamicGridLine::RelayoutCells()
{
    RECT rc {};
    GetCurrentRect(&rc);
    LayoutCells(rc);
}

int SECLNDynamicGridLine::CollectMinimums(std::vector<int>& minimums, SECLayoutNode* pFirst, SECLayoutNode* pLast)
{
    minimums.clear();
    const int i = IndexOf(pFirst);
    if (i < 0)
        return -1;
    int nSum = 0;
    for (int k = i; k < Count(); ++k) {
        SIZE sizeMin {};
        SIZE sizeMax {};
        int nFlags = 0;
        m_line[k]->GetMinMaxSize(sizeMin, sizeMax, nFlags);
        if (!(nFlags & NoMinSize))
            nSum += IsHorizontal() ? sizeMin.cx : sizeMin.cy;
        minimums.push_back(nSum);
        if (m_line[k] == pLast)
            return static_cast<int>(minimums.size());
    }
    return -1;
}

RECT* SECLNDynamicGridLine::GetSpanRect(RECT* pOut, SECLayoutNode* pFirst, SECLayoutNode* pLast)
{
    pFirst->GetCurrentRect(pOut);
    if (pFirst == pLast)
        return pOut;
    RECT rcLast {};
    pLast->GetCurrentRect(&rcLast);
    pOut->right = rcLast.right;
    pOut->bottom = rcLast.bottom;
    pOut->left = std::min(pOut->left, pOut->right);
    pOut->top = std::min(pOut->top, pOut->bottom);
    return pOut;
}

BOOL SECLNDynamicGridLine::UpdateSplitterLimits(SECLayoutNode* pFirst, SECLayoutNode* pLast)
{
    std::vector<int> minimums;
    const int nCount = CollectMinimums(minimums, pFirst, pLast);
    if (nCount <= 0)
        return FALSE;
    RECT span {};
    GetSpanRect(&span, pFirst, pLast);
    for (int k = IndexOf(pFirst), i = 0; k < Count() && i < nCount; ++k, ++i) {
        SECLNVirtualSplitter* splitter = GetCell(m_line[k])->m_pAfter;
        if (!splitter)
            break;
        RECT limit = span;
        Start(limit) = Start(span) + minimums[i];
        End(limit) = End(span) - (minimums[nCount - 1] - minimums[i]);
        splitter->SetTrackingRect(limit);
    }
    return TRUE;
}

BOOL SECLNDynamicGridLine::GetSplitterNeighbours(SECLNVirtualSplitter* pSplitter, SECLayoutNode*& pBefore,
    SECLayoutNode*& pAfter)
{
    pBefore = pAfter = nullptr;
    for (int k = 0; k < Count(); ++k) {
        if (GetCell(m_line[k])->m_pBefore == pSplitter) {
            pAfter = m_line[k];
            pBefore = k > 0 ? m_line[k - 1] : nullptr;
            return TRUE;
        }
    }
    return FALSE;
}

int SECLNDynamicGridLine::ShiftAlong(SECLayoutNode* pNode, int nAmount, BOOL bForward, SECLayoutNode*& pLast)
{
    int nRemaining = nAmount;
    for (int k = IndexOf(pNode); k >= 0 && k < Count(); k += bForward ? 1 : -1) {
        SECLayoutNode* node = m_line[k];
        if (!GetCell(node)->m_bSizable)
            break;
        RECT rc {};
        node->GetCurrentRect(&rc);
        const int nOld = Length(rc);
        if (bForward)
            Start(rc) = std::min<LONG>(Start(rc) + nRemaining, End(rc));
        else
            End(rc) = std::max<LONG>(End(rc) + nRemaining, Start(rc));
        ClampChildRect(node, &rc);
        node->SetCurrentRect(rc);
        nRemaining -= bForward ? nOld - Length(rc) : Length(rc) - nOld;
        pLast = node;
        if (nRemaining == 0)
            return nAmount;
    }
    return nAmount - nRemaining;
}

BOOL SECLNDynamicGridLine::RealizeRange(SECLayoutNode* pFrom, SECLayoutNode* pTo)
{
    const int i = pFrom ? IndexOf(pFrom) : -1;
    if (i < 0)
        return FALSE;
    for (int k = i; k < Count(); ++k) {
        m_line[k]->RealizeLayout(0);
        if (m_line[k] == pTo)
            return TRUE;
        if (SECLNVirtualSplitter* splitter = GetCell(m_line[k])->m_pAfter)
            splitter->RealizeLayout(0);
    }
    return FALSE;
}

BOOL SECLNDynamicGridLine::GetNeighbours(SECLayoutNode* pNode, SECLayoutNode*& pPrevious, SECLayoutNode*& pNext)
{
    if (!IsInLine(pNode))
        return FALSE;
    pPrevious = GetNeighbour(pNode, FALSE);
    pNext = GetNeighbour(pNode, TRUE);
    return TRUE;
}

void SECLNDynamicGridLine::ClampChildRect(SECLayoutNode* pNode, RECT* pRect)
{
    pNode->ClampRectToLimits(pRect);
    pRect->right = std::max(pRect->right, pRect->left);
    pRect->bottom = std::max(pRect->bottom, pRect->top);
}

void SECLNDynamicGridLine::DeleteAllCells()
{
    m_cells.clear();
    m_line.clear();
}

BOOL SECLNDynamicGridLine::IsPastMiddle(const RECT& rect, POINT point)
{
    return IsHorizontal() ? point.x >= (rect.left + rect.right) / 2 : point.y >= (rect.top + rect.bottom) / 2;
}

BOOL SECLNDynamicGridLine::ApplyPendingGrowth(RECT* pRect)
{
    pRect->right = std::max(pRect->right + m_sizePendingGrowth.cx, pRect->left);
    pRect->bottom = std::max(pRect->bottom + m_sizePendingGrowth.cy, pRect->top);
    m_sizePendingGrowth = {};
    return TRUE;
}

BOOL SECLNDynamicGridLine::GetIndexOf(SECLayoutNode* pNode, int& nIndex, int& nCount)
{
    nCount = Count();
    nIndex = pNode ? IndexOf(pNode) : -1;
    return nIndex >= 0;
}

int SECLNDynamicGridLine::InsertNodeAndRecalc(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints)
{
    const int nCount = InsertNode(pNode, pConstraints);
    RECT out {};
    RecalcInPlace(&out);
    return nCount;
}

void SECLNDynamicGridLine::SetGrowMode(BOOL bGrow)
{
    if (bGrow) {
        SetMinMaxSize(m_sizeSavedMin, m_sizeSavedMax, m_nSavedSizeFlags);
        m_bGrowMode = TRUE;
        return;
    }
    if (m_bGrowMode)
        GetMinMaxSize(m_sizeSavedMin, m_sizeSavedMax, m_nSavedSizeFlags);
    // The line keeps at least its present length and shares it among its nodes.
    RECT rc {};
    GetCurrentRect(&rc);
    const SIZE sizeMin = IsHorizontal() ? SIZE { Length(rc), 0 } : SIZE { 0, Length(rc) };
    SetMinMaxSize(sizeMin, { 0, 0 }, NoMaxSize);
    m_bGrowMode = FALSE;
}

SECLayoutNode* SECLNDynamicGridLine::HitTestChild(POINT point, BOOL& bAfter, SECLNDynamicGridLine*& pLine)
{
    pLine = this;
    for (SECLayoutNode* node : m_line) {
        RECT rc {};
        node->GetCurrentRect(&rc);
        if (::PtInRect(&rc, point)) {
            bAfter = IsPastMiddle(rc, point);
            return node;
        }
        if (IsHorizontal() ? point.x < rc.left : point.y < rc.top) {
            bAfter = FALSE;
            return node;
        }
    }
    bAfter = TRUE;
    return nullptr;
}

// --- taking nodes out and putting them back

ISECUndoableNode* SECLNDynamicGridLine::GetUndoableNode()
{
    // A row hands the undo to its grid, which also removes the row when it empties.
    if (auto* grid = dynamic_cast<SECLNDynamicGrid2d*>(GetParentNode()))
        return grid->GetUndoableNode();
    return this;
}

int SECLNDynamicGridLine::RemoveChildUndoable(SECLayoutNode* pChild)
{
    if (!pChild)
        return -1;
    m_pRemovedChild = nullptr;
    if (!GetInsertConstraintsOf(pChild, &m_scratch))
        return -1;
    const int nResult = RemoveLayoutNode(pChild);
    if (nResult >= 0)
        m_pRemovedChild = pChild;
    RECT out {};
    RecalcInPlace(&out);
    SECDynGridInsertConstraints*& place = m_places[pChild];
    if (!place) {
        place = new SECDynGridInsertConstraints;
        m_placesPool.AddObject(place);
    }
    place->CopyConstraints(m_scratch);
    return nResult;
}

int SECLNDynamicGridLine::UndoChildRemoval() { return InsertNodeAndRecalc(m_pRemovedChild, &m_scratch); }

int SECLNDynamicGridLine::UndoChildRemovalOf(SECLayoutNode* pChild)
{
    const auto it = m_places.find(pChild);
    if (!pChild || it == m_places.end())
        return -1;
    const int nResult = InsertNodeAndRecalc(pChild, it->second);
    if (nResult < 0)
        return -1;
    SECDynGridInsertConstraints* place = it->second;
    m_places.erase(it);
    m_placesPool.RemoveObject(place);
    delete place;
    return nResult;
}

// --- splitter drags

void SECLNDynamicGridLine::OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy)
{
    SECLayoutNode* pBefore = nullptr;
    SECLayoutNode* pAfter = nullptr;
    if (!GetSplitterNeighbours(pSplitter, pBefore, pAfter) || !pBefore)
        return;
    const int nDelta = dx != 0 ? dx : dy;
    SECLayoutNode* pLastBefore = pBefore;
    SECLayoutNode* pLastAfter = pAfter;
    if (nDelta > 0) {
        const int nTaken = ShiftAlong(pAfter, nDelta, TRUE, pLastAfter);
        ShiftAlong(pBefore, nTaken, FALSE, pLastBefore);
    } else {
        const int nTaken = ShiftAlong(pBefore, nDelta, FALSE, pLastBefore);
        ShiftAlong(pAfter, nTaken, TRUE, pLastAfter);
    }
    RelayoutCells();
    RealizeRange(pLastBefore, pLastAfter);
}

BOOL SECLNDynamicGridLine::SetContainer(ISECLNContainer* pContainer)
{
    m_hWndLine = nullptr;
    SECDefReparentableNode::SetContainer(pContainer);
    if (!pContainer)
        return TRUE;
    auto* hwndContainer = dynamic_cast<SECLNHwndContainer*>(pContainer);
    if (!hwndContainer)
        return FALSE;
    m_hWndLine = hwndContainer->GetWindow();
    return TRUE;
}
