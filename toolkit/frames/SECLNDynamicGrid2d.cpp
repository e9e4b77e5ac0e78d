#include "toolkit/frames/SECLNDynamicGrid2d.h"

SECLNDynamicGrid2d::~SECLNDynamicGrid2d()
{
    // Rows this grid made live in its pool; their nodes stay with whoever owns them. The pool may have
    // deleted a row first (it left the children then), so only rows still among the children are asked.
    for (int i = Count() - 1; i >= 0; --i) {
        POSITION pos = nullptr;
        if (!FindChild(m_line[i], pos))
            continue;
        SECLNDynamicGridLine* row = GetRow(i);
        if (!row)
            continue;
        std::vector<SECLayoutNode*> nodes;
        row->CollectNodes(nodes);
        for (SECLayoutNode* node : nodes)
            row->RemoveLayoutNode(node);
    }
}

SECLNDynamicGridLine* SECLNDynamicGrid2d::GetRow(int nIndex) const
{
    return nIndex >= 0 && nIndex < Count() ? dynamic_cast<SECLNDynamicGridLine*>(m_line[nIndex]) : nullptr;
}

void SECLNDynamicGrid2d::SetLineWindow(HWND hWnd, BOOL bHorizontal)
{
    SECLNDynamicGridLine::SetLineWindow(hWnd, !bHorizontal);
}

void SECLNDynamicGrid2d::SetSplittersEnabled(BOOL bEnabled)
{
    SECLNDynamicGridLine::SetSplittersEnabled(bEnabled);
    for (int i = 0; i < Count(); ++i) {
        if (SECLNDynamicGridLine* row = GetRow(i))
            row->SetSplittersEnabled(bEnabled);
    }
}

SECLNDynamicGridLine* SECLNDynamicGrid2d::FindTargetRow(SECDynGridInsertConstraints* c)
{
    SECLNDynamicGridLine* row = nullptr;
    if (c->m_bRowIndexValid)
        row = GetRow(c->m_nRowIndex);
    else if (c->m_pReference)
        row = dynamic_cast<SECLNDynamicGridLine*>(c->m_pReference);
    if (!row && !c->m_bRowIndexValid)
        row = FindRowOf(c->m_pReference);
    if (!row)
        row = GetFirstOrLastRow(c->m_bLastRow);
    return row;
}

int SECLNDynamicGrid2d::InsertNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* c)
{
    if (!pNode || !c || FindRowOf(pNode) || IsInLine(pNode))
        return -1;
    SECLNDynamicGridLine* row = FindTargetRow(c);
    // A row named as reference is where the node goes, not a node to place it beside.
    if (row && c->m_pReference == row)
        c->m_pReference = nullptr;
    if (row && !c->m_bNewRow)
        return row->InsertNode(pNode, c);
    SECLNDynamicGridLine* newRow = CreateRow(pNode, c);
    const int nResult = SECLNDynamicGridLine::InsertNode(newRow, c);
    c->m_bNewRow = FALSE;
    m_bRelayoutPending = TRUE;
    if (nResult < 0) {
        newRow->RemoveLayoutNode(pNode);
        m_retiredRows.push_back(newRow);
    }
    return nResult;
}

SECLNDynamicGridLine* SECLNDynamicGrid2d::CreateRow(SECLayoutNode* pNode, SECDynGridInsertConstraints* c)
{
    SECLNDynamicGridLine* row = nullptr;
    if (!m_retiredRows.empty()) {
        row = m_retiredRows.back();
        m_retiredRows.pop_back();
    } else {
        row = CreateRowLine();
        RowPool()->AddObject(row);
    }
    row->SECLNDynamicGridLine::SetLineWindow(m_hWndLine, !IsHorizontal());
    row->SetSplittersEnabled(m_bSplittersEnabled);
    SECDynGridInsertConstraints fresh;
    fresh.m_pReference = nullptr;
    fresh.m_bNewRow = FALSE;
    fresh.m_bSizable = c->m_bSizable;
    row->InsertNode(pNode, &fresh);
    // Along the grid a row is as long as the node is thick; the node's length stays with the row.
    const int nRowLength = c->m_nThickness >= 0 ? c->m_nThickness : -1;
    c->m_nThickness = c->m_nLength;
    c->m_nLength = nRowLength;
    if (c->m_pReference && !dynamic_cast<SECLNDynamicGridLine*>(c->m_pReference))
        c->m_pReference = FindRowOf(c->m_pReference);
    c->m_bIndexValid = c->m_bRowIndexValid || c->m_bIndexValid;
    if (c->m_bRowIndexValid)
        c->m_nIndex = c->m_nRowIndex;
    c->m_bNewRow = TRUE;
    return row;
}

int SECLNDynamicGrid2d::RemoveLayoutNode(SECLayoutNode* pChild)
{
    if (!pChild)
        return -1;
    if (IsInLine(pChild) || !FindRowOf(pChild))
        return SECLNDynamicGridLine::RemoveLayoutNode(pChild);
    SECLNDynamicGridLine* row = FindRowOf(pChild);
    int nResult = row->RemoveLayoutNode(pChild);
    if (row->GetCellCount() == 0) {
        // The emptied row is kept aside rather than deleted: a drag that took its last node out holds it
        // as the drag's source until the drop. The next new row reuses it.
        nResult = SECLNDynamicGridLine::RemoveLayoutNode(row);
        row->DeleteAllCells();
        m_retiredRows.push_back(row);
        m_bRelayoutPending = TRUE;
    }
    return nResult;
}

int SECLNDynamicGrid2d::GetCellCount()
{
    int nCount = 0;
    for (SECLayoutNode* child : m_line) {
        auto* row = dynamic_cast<SECLNDynamicGridLine*>(child);
        nCount += row ? row->GetCellCount() : 1;
    }
    return nCount;
}

SECLayoutNode* SECLNDynamicGrid2d::GetFirstNode()
{
    if (m_line.empty())
        return nullptr;
    auto* row = dynamic_cast<SECLNDynamicGridLine*>(m_line.front());
    return row ? row->GetFirstNode() : m_line.front();
}

void SECLNDynamicGrid2d::CollectNodes(std::vector<SECLayoutNode*>& nodes)
{
    for (SECLayoutNode* child : m_line) {
        if (auto* row = dynamic_cast<SECLNDynamicGridLine*>(child))
            row->CollectNodes(nodes);
    }
}

SECLayoutNode* SECLNDynamicGrid2d::HitTestChild(POINT point, BOOL& bAfter, SECLNDynamicGridLine*& pLine)
{
    SECLayoutNode* hit = SECLNDynamicGridLine::HitTestChild(point, bAfter, pLine);
    auto* row = dynamic_cast<SECLNDynamicGridLine*>(hit);
    if (!row)
        return hit;
    return row->HitTestChild(point, bAfter, pLine);
}

BOOL SECLNDynamicGrid2d::GetInsertConstraintsOf(SECLayoutNode* pNode, SECDynGridInsertConstraints* c)
{
    if (!pNode || !c)
        return FALSE;
    if (IsInLine(pNode))
        return SECLNDynamicGridLine::GetInsertConstraintsOf(pNode, c);
    SECLNDynamicGridLine* row = FindRowOf(pNode);
    if (!row)
        return FALSE;
    RECT rc {};
    pNode->GetCurrentRect(&rc);
    if (row->GetCellCount() == 1) {
        // Alone in its row: it comes back as a row of its own, as thick as it is now.
        SECLNDynamicGridLine::GetInsertConstraintsOf(row, c);
        c->m_bNewRow = TRUE;
        c->m_nLength = pNode->IsHorizontal() ? rc.bottom - rc.top : rc.right - rc.left;
        c->m_nThickness = c->m_nLength;
        return TRUE;
    }
    row->GetInsertConstraintsOf(pNode, c);
    c->m_nRowIndex = IndexOf(row);
    c->m_bRowIndexValid = TRUE;
    c->m_bNewRow = FALSE;
    c->m_nLength = 0;
    return TRUE;
}

void SECLNDynamicGrid2d::AdoptLineOrientation(SECLayoutNode* pNode, SECDynGridInsertConstraints* c)
{
    if (!c || !c->m_bNewRow)
        pNode->SetOrientation(IsHorizontal(), FALSE);
}

SECLNDynamicGridLine* SECLNDynamicGrid2d::FindRowOf(SECLayoutNode* pNode)
{
    if (!pNode)
        return nullptr;
    for (int i = 0; i < Count(); ++i) {
        SECLNDynamicGridLine* row = GetRow(i);
        if (row && row->IsInLine(pNode))
            return row;
    }
    return nullptr;
}

SECLNDynamicGridLine* SECLNDynamicGrid2d::GetFirstOrLastRow(BOOL bLast)
{
    if (m_line.empty())
        return nullptr;
    return GetRow(bLast ? Count() - 1 : 0);
}

RECT* SECLNDynamicGrid2d::OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce)
{
    SECLNDynamicGridLine::OnRecalcLayout(pOut, rect, bClamp, bForce);
    if (bClamp)
        return pOut;
    RECT rcPreferred {};
    SECLayoutNode::GetPreferredRect(&rcPreferred);
    if (m_bRelayoutPending && !::IsRectEmpty(pOut)) {
        m_bRelayoutPending = FALSE;
        SetPreferredRect(*pOut);
    } else if (::IsRectEmpty(&rcPreferred) && !::IsRectEmpty(pOut)) {
        SetPreferredRect(*pOut);
    }
    return pOut;
}

void SECLNDynamicGrid2d::ResetPreferredRects()
{
    RECT rc {};
    SetPreferredRect(*GetCurrentRect(&rc));
    std::vector<SECLayoutNode*> nodes;
    for (int i = 0; i < Count(); ++i) {
        if (SECLNDynamicGridLine* row = GetRow(i))
            row->SetPreferredRect(*row->GetCurrentRect(&rc));
    }
    CollectNodes(nodes);
    for (SECLayoutNode* node : nodes)
        node->SetPreferredRect(*node->GetCurrentRect(&rc));
}
