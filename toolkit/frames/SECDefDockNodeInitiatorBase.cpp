#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"

#include "toolkit/frames/ISECDockableNode.h"
#include "toolkit/frames/ISECUndoableNode.h"
#include "toolkit/frames/ISECBorderTargetParent.h"
#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNDynamicGridLine.h"

SECLayoutNode* SECDefDockNodeInitiatorBase::BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst,
    SECDockInProgressInfo& info)
{
    if (!m_pOwnNode || !pMgr)
        return nullptr;
    m_pStartContainer = pMgr->FindContainer(m_pOwnNode);
    if (bFirst) {
        RECT rc {};
        m_pOwnNode->GetCurrentRect(&rc);
        m_pOwnNode->SetPreferredRect(rc);
        if (m_pStartContainer) {
            m_pStartContainer->NodeToScreenRect(rc);
            info.m_rect = rc;
            info.m_bHorizontal = m_pOwnNode->IsHorizontal();
        }
    }
    SECLayoutNode* parent = m_pOwnNode->GetParentNode();
    if (!parent)
        return m_pOwnNode;
    m_pStartRoot = m_pOwnNode->GetRootNode();
    auto* undoable = dynamic_cast<ISECUndoableNode*>(parent);
    m_pUndoableParent = undoable ? undoable->GetUndoableNode() : nullptr;
    if (!m_pUndoableParent || m_pUndoableParent->RemoveChildUndoable(m_pOwnNode) == -1) {
        m_pUndoableParent = nullptr;
        return nullptr;
    }
    RECT out {};
    m_pStartRoot->RecalcInPlace(&out);
    return parent;
}

ISECDockableNode* SECDefDockNodeInitiatorBase::GetDragFeedback(ISECDockTarget*, POINT, SECLNDockingMgr*,
    SECLayoutNodePool*)
{
    return dynamic_cast<ISECDockableNode*>(this);
}

void SECDefDockNodeInitiatorBase::OnDocked(ISECDockableNode* pDockable, SECLNDockingMgr* pMgr)
{
    if (m_pStartRoot) {
        m_pStartRoot->RealizeLayout(FALSE);
        if (ISECLNContainer* container = pMgr ? pMgr->GetRegisteredContainer(m_pStartRoot) : nullptr)
            container->InvalidateContainer(FALSE);
    }
    auto* docked = dynamic_cast<SECLayoutNode*>(pDockable);
    SECLayoutNode* root = docked ? docked->GetRootNode() : nullptr;
    if (root && root != m_pStartRoot) {
        root->RealizeLayout(FALSE);
        if (ISECLNContainer* container = pMgr ? pMgr->FindContainer(root) : nullptr)
            container->InvalidateContainer(FALSE);
    }
}

void SECDefDockNodeInitiatorBase::OnDragCancelled()
{
    if (m_pUndoableParent)
        m_pUndoableParent->UndoChildRemoval();
    m_pUndoableParent = nullptr;
    if (m_pOwnNode) {
        RECT out {};
        m_pOwnNode->GetRootNode()->RecalcInPlace(&out);
    }
}

void SECDefDockNodeInitiatorBase::EndDockDrag()
{
    m_dwReserved = 0;
    m_pStartContainer = nullptr;
    m_pUndoableParent = nullptr;
}

BOOL SECDefDockNodeInitiatorBase::DockToLastPosition(SECLNDockingMgr* pMgr,
    const SECDockInsertionConstraints* pConstraints)
{
    if (!m_pOwnNode || !pMgr)
        return FALSE;
    SECDockingNodeConstraints* nodeConstraints = pMgr->GetNodeConstraints(m_pOwnNode, TRUE);
    SECDockInsertionConstraints place;
    if (pConstraints)
        place.CopyDockConstraints(*pConstraints);
    else if (!nodeConstraints->GetLastInsertion(place))
        return FALSE;
    ISECBorderTargetParent* parent = nodeConstraints->m_pBorderTargetParent;
    // Positions beyond the four sides mean the bottom side.
    const int nPos = place.m_nBorderPosition == 2 || place.m_nBorderPosition == 3 ? place.m_nBorderPosition
                                                                                   : (place.m_nBorderPosition ? 1 : 0);
    auto* grid = dynamic_cast<SECLNDynamicGridLine*>(parent ? parent->GetBorderTarget(nPos) : nullptr);
    if (!grid)
        return FALSE;
    if (SECLayoutNode* old = m_pOwnNode->GetParentNode())
        old->RemoveLayoutNode(m_pOwnNode);
    SECDockInsertionConstraints insert;
    insert.CopyDockConstraints(place);
    if (grid->InsertNodeAndRecalc(m_pOwnNode, &insert) < 0)
        return FALSE;
    nodeConstraints->SetLastInsertion(place);
    pMgr->PropagateContainer(m_pOwnNode);
    return TRUE;
}
