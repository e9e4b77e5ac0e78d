#include "toolkit/frames/SECDynGridLineTarget.h"

#include <algorithm>

#include "toolkit/frames/SECDragDropDockingFeature.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNHwndContainer.h"

int SECDynGridLineTarget::InsertNode(SECLayoutNode* pNode, SECDynGridInsertConstraints* pConstraints)
{
    const BOOL bWasEmptied = m_bEmptied;
    if (bWasEmptied && pConstraints) {
        SetGrowMode(TRUE);
        pConstraints->m_nThickness = m_nRememberedThickness;
    }
    const int nResult = SECLNDynamicGrid2d::InsertNode(pNode, pConstraints);
    if (nResult < 0)
        return -1;
    if (bWasEmptied && GetRowCount() > 0)
        m_bEmptied = FALSE;
    return nResult;
}

int SECDynGridLineTarget::RemoveLayoutNode(SECLayoutNode* pChild)
{
    RECT rc {};
    GetCurrentRect(&rc);
    const int nThicknessBefore = Length(rc);
    const int nResult = SECLNDynamicGrid2d::RemoveLayoutNode(pChild);
    if (!m_bGrowMode && !m_bEmptied && GetRowCount() == 0) {
        // An emptied side keeps how deep it was, so the next node docked there finds the same room.
        m_bEmptied = TRUE;
        m_nRememberedThickness = nThicknessBefore;
        SetGrowMode(TRUE);
    }
    return nResult;
}

BOOL SECDynGridLineTarget::IsInDropZone(SECLayoutNode* pNode, POINT point, SECDynGridInsertConstraints* c,
    BOOL bEdges)
{
    if (!pNode || !c)
        return FALSE;
    RECT r {};
    pNode->GetCurrentRect(&r);
    const BOOL bHorz = IsHorizontal();
    const LONG s = bHorz ? point.x : point.y;
    const LONG nStart = bHorz ? r.left : r.top;
    const LONG nEnd = bHorz ? r.right : r.bottom;
    if (bEdges) {
        const int t = static_cast<int>(static_cast<float>(nEnd - nStart) * m_fEdgeFraction);
        if (s >= nStart && s <= nStart + t) {
            c->m_bAfter = FALSE;
            return TRUE;
        }
        if (s >= nEnd - t && s <= nEnd) {
            c->m_bAfter = TRUE;
            return TRUE;
        }
        return FALSE;
    }
    const LONG across = bHorz ? point.y : point.x;
    if (across < (bHorz ? r.top : r.left) || across > (bHorz ? r.bottom : r.right))
        return FALSE;
    if (s >= nStart - m_nEndZone && s <= nStart) {
        c->m_bAfter = FALSE;
        return TRUE;
    }
    if (s >= nEnd && s <= nEnd + m_nEndZone) {
        c->m_bAfter = TRUE;
        return TRUE;
    }
    return FALSE;
}

BOOL SECDynGridLineTarget::FindDropPlace(POINT point, SECDynGridInsertConstraints* c)
{
    BOOL bAfter = FALSE;
    SECLNDynamicGridLine* line = nullptr;
    SECLayoutNode* node = HitTestChild(point, bAfter, line);
    if (node && IsInDropZone(node, point, c, TRUE)) {
        c->m_pReference = node;
        return TRUE;
    }
    c->m_pReference = nullptr;
    return IsInDropZone(this, point, c, FALSE);
}

BOOL SECDynGridLineTarget::InsertDockedNode(SECLayoutNode* pNode, POINT ptNode, POINT ptScreen, BOOL bCommit,
    SECLNDockingMgr* pMgr, SECDockInProgressInfo& info)
{
    if (!SECDefDockTargetBase::InsertDockedNode(pNode, ptNode, ptScreen, bCommit, pMgr, info))
        return FALSE;
    GetCurrentRect(&m_rcSaved);
    m_bSavedHorizontal = IsHorizontal();
    SECDynGridInsertConstraints c;
    c.SetDropPoint(ptNode, TRUE);
    m_pInserted = nullptr;
    if (SECDockingNodeConstraints* nodeConstraints = pMgr ? pMgr->GetNodeConstraints(pNode, FALSE) : nullptr)
        c.m_bSizable = nodeConstraints->m_bSizable;
    SECLNDynamicGridLine* line = this;
    if (FindDropPlace(ptNode, &c)) {
        c.m_bNewRow = TRUE;
    } else {
        BOOL bAfter = FALSE;
        SECLayoutNode* reference = HitTestChild(ptNode, bAfter, line);
        if (!reference)
            return FALSE;
        c.m_pReference = reference;
        c.m_bAfter = bAfter;
    }
    c.m_nLength = line ? line->GetAverageLength(TRUE) : GetAverageLength(TRUE);
    SECLayoutNode* dragged = SECDragDropDockingFeature::GetDraggedNode();
    RECT rcPreferred {};
    (dragged ? dragged : pNode)->GetPreferredRect(&rcPreferred);
    c.m_nThickness = std::min(rcPreferred.right - rcPreferred.left, rcPreferred.bottom - rcPreferred.top);
    if (InsertNode(pNode, &c) < 0)
        return FALSE;
    RECT out {};
    RecalcInPlace(&out);
    m_pInserted = pNode;
    return TRUE;
}

BOOL SECDynGridLineTarget::RemoveInsertedNode(SECLayoutNode*)
{
    if (!m_pInserted)
        return FALSE;
    RemoveLayoutNode(m_pInserted);
    RECT rc {};
    RecalcInPlace(&rc);
    m_pInserted = nullptr;
    if (Length(rc) != Length(m_rcSaved)) {
        // The trial made the side grow or shrink; it goes back to its size before the trial.
        SetCurrentRect(m_rcSaved);
        SetPreferredRect(m_rcSaved);
        if (GetParentNode()) {
            SECLNHwndContainer container(m_hWndLine);
            OnChildSizeChanged(TRUE, &container);
        }
    }
    return TRUE;
}

BOOL SECDynGridLineTarget::GetDockInsertConstraints(SECLayoutNode* pNode, SECDockInsertionConstraints* c)
{
    if (!c || !GetInsertConstraintsOf(pNode, c))
        return FALSE;
    c->m_nBorderPosition = m_nDockSide;
    return TRUE;
}

BOOL SECDynGridLineTarget::HitTestOffNode(POINT ptNode)
{
    if (!m_bGrowMode)
        return FALSE;
    return IsInDropZone(this, ptNode, &m_scratch, FALSE);
}
