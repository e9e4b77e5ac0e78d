#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"

#include "toolkit/frames/ISECBorderTargetParent.h"
#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/ISECDockableNode.h"
#include "toolkit/frames/ISECDragEventGarbageCollector.h"
#include "toolkit/frames/ISECUndoableNode.h"
#include "toolkit/frames/SECDockFloatingNode.h"
#include "toolkit/frames/SECDragDropDockingFeature.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNDynamicGridLine.h"

SECDefDockNodeInitiatorBase::SECDefDockNodeInitiatorBase() = default;

SECDefDockNodeInitiatorBase::~SECDefDockNodeInitiatorBase()
{
    SECDragDropDockingFeature::ForgetNode(m_pOwnNode);
    if (m_pCollector)
        m_pCollector->SetDragGarbagePool(nullptr);
}

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
    if (auto* collector = dynamic_cast<ISECDragEventGarbageCollector*>(m_pUndoableParent)) {
        if (m_pCollector)
            m_pCollector->SetDragGarbagePool(nullptr);
        m_pCollectorPool = std::make_unique<SECLayoutNodePool>();
        m_pCollector = collector;
        m_pCollector->SetDragGarbagePool(m_pCollectorPool.get());
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
    if (m_pCollector) {
        m_pCollector->SetDragGarbagePool(nullptr);
        m_pCollector = nullptr;
    }
    m_pCollectorPool.reset();
}

ISECDockInitiator* SECDefDockNodeInitiatorBase::GetFloatingRootInitiator()
{
    for (SECLayoutNode* node = m_pOwnNode ? m_pOwnNode->GetParentNode() : nullptr; node;
         node = node->GetParentNode()) {
        if (auto* root = dynamic_cast<SECDockFloatingNode*>(node))
            return root;
    }
    return nullptr;
}

ISECDockTarget* SECDefDockNodeInitiatorBase::FindLastTarget(SECLNDockingMgr* pMgr,
    SECDockingNodeConstraints* pNodeConstraints, const SECDockInsertionConstraints& place)
{
    if (!pMgr || !pNodeConstraints || !pNodeConstraints->m_pBorderTargetParent)
        return nullptr;
    // Positions beyond the four sides mean the bottom side.
    const int nPos = place.m_nBorderPosition == 2 || place.m_nBorderPosition == 3 ? place.m_nBorderPosition
                                                                                   : (place.m_nBorderPosition ? 1 : 0);
    ISECDockTarget* target = pNodeConstraints->m_pBorderTargetParent->GetBorderTarget(nPos);
    if (target && pMgr->IsInRegisteredTree(dynamic_cast<SECLayoutNode*>(target)))
        return target;
    pNodeConstraints->m_pBorderTargetParent = nullptr;
    return nullptr;
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
    ISECDockTarget* target = FindLastTarget(pMgr, nodeConstraints, place);
    auto* grid = dynamic_cast<SECLNDynamicGridLine*>(target);
    if (!grid)
        return FALSE;
    // A node in a floating window goes back through the window's root, which empties the window.
    ISECDockInitiator* initiator = GetFloatingRootInitiator();
    if (!initiator)
        initiator = this;
    SECLayoutNodePool pool;
    ISECDockableNode* feedback = initiator->GetDragFeedback(target, {}, pMgr, &pool);
    auto* node = dynamic_cast<SECLayoutNode*>(feedback);
    SECDockInProgressInfo info;
    if (!node || !initiator->BeginDockDrag(pMgr, TRUE, info)) {
        initiator->EndDockDrag();
        return FALSE;
    }
    // The root of a floating window does not take its node out when it begins; the node leaves here.
    ISECUndoableNode* oldParent = nullptr;
    if (auto* undoable = dynamic_cast<ISECUndoableNode*>(node->GetParentNode())) {
        oldParent = undoable->GetUndoableNode();
        if (oldParent && oldParent->RemoveChildUndoable(node) == -1)
            oldParent = nullptr;
    }
    SECDockInsertionConstraints insert;
    insert.CopyDockConstraints(place);
    if (grid->InsertNodeAndRecalc(node, &insert) < 0) {
        if (oldParent)
            oldParent->UndoChildRemoval();
        initiator->OnDragCancelled();
        initiator->EndDockDrag();
        return FALSE;
    }
    pMgr->FireDockEvent(node, nullptr, nullptr, &pool);
    initiator->OnDropped(target, {}, pMgr, &pool);
    feedback->OnDockedIn(pMgr, &pool);
    pMgr->PropagateContainer(node);
    initiator->OnDocked(feedback, pMgr);
    initiator->EndDockDrag();
    nodeConstraints->SetLastInsertion(place);
    return TRUE;
}
