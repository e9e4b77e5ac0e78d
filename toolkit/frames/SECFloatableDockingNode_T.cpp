#include "toolkit/frames/SECFloatableDockingNode_T.h"

#include "toolkit/frames/ISECFloatingNode.h"
#include "toolkit/frames/SECDockFloatingNode.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNFloatingHwndContainer.h"
#include "toolkit/frames/SECLayoutMiniFloatWnd.h"

template<class Gripper>
SECLayoutNode* SECFloatableDockingNode_T<Gripper>::BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst,
    SECDockInProgressInfo& info)
{
    m_pOwnNode = this;
    // Where the node was docked, so that it can go back there.
    if (bFirst && pMgr)
        pMgr->GetNodeConstraints(this, TRUE)->RecordLastInsertion(this);
    return SECDefDockNodeInitiatorBase::BeginDockDrag(pMgr, bFirst, info);
}

template<class Gripper>
ISECDockableNode* SECFloatableDockingNode_T<Gripper>::GetDragFeedback(ISECDockTarget* pTarget, POINT point,
    SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool)
{
    if (pTarget)
        return SECDefDockNodeInitiatorBase::GetDragFeedback(pTarget, point, pMgr, pPool);
    if (!m_pFloatingNode) {
        // Made once per drag and owned by the drag's pool, which deletes it when the node docked instead.
        if (!pPool)
            return nullptr;
        m_pFloatingNode = CreateFloatingNode();
        if (!m_pFloatingNode)
            return nullptr;
        m_pFloatingNode->SetNodePool(pPool, FALSE);
        m_pFloatingNode->InitFloatingNode(this, pMgr, m_pStartContainer, this->GetName());
    }
    return m_pFloatingNode;
}

template<class Gripper> void SECFloatableDockingNode_T<Gripper>::EndDockDrag()
{
    SECDefDockNodeInitiatorBase::EndDockDrag();
    m_pFloatingNode = nullptr;
}

template<class Gripper>
BOOL SECFloatableDockingNode_T<Gripper>::FloatOrDock(SECLNDockingMgr* pMgr, const RECT* pFloatRect)
{
    if (!pMgr)
        return FALSE;
    SECDockingNodeConstraints* constraints = pMgr->GetNodeConstraints(this, TRUE);
    RECT rc {};
    if (pFloatRect) {
        rc = *pFloatRect;
    } else if (!constraints->GetFloatingRect(rc)) {
        this->GetCurrentRect(&rc);
        if (ISECLNContainer* container = pMgr->FindContainer(this))
            container->NodeToScreenRect(rc);
    }
    constraints->RecordLastInsertion(this);
    ISECDockInitiator* initiator = GetFloatingRootInitiator();
    if (!initiator)
        initiator = this;
    SECDockInProgressInfo info;
    SECLayoutNode* source = initiator->BeginDockDrag(pMgr, TRUE, info);
    if (!source) {
        initiator->EndDockDrag();
        return FALSE;
    }
    // Nodes the float leaves over (the floating root, when the float fails) go with this pool.
    SECLayoutNodePool pool;
    ISECDockableNode* moved = initiator->GetDragFeedback(nullptr, {}, pMgr, &pool);
    info.SetRequestedRect(rc);
    if (!moved || !moved->Float({}, pMgr, info)) {
        initiator->OnDragCancelled();
        initiator->EndDockDrag();
        return FALSE;
    }
    auto* movedNode = dynamic_cast<SECLayoutNode*>(moved);
    pMgr->FireDockEvent(movedNode, source, nullptr, &pool);
    initiator->OnDropped(nullptr, {}, pMgr, &pool);
    moved->OnDockedIn(pMgr, initiator == this ? nullptr : &pool);
    pMgr->PropagateContainer(movedNode);
    initiator->OnDocked(moved, pMgr);
    initiator->EndDockDrag();
    pMgr->GetNodeConstraints(movedNode, TRUE)->m_dwDockingFlags = constraints->m_dwDockingFlags;
    return TRUE;
}

template<class Gripper>
BOOL SECFloatableDockingNode_T<Gripper>::ShowNode(BOOL bShow, BOOL bForce, BOOL bRecurse)
{
    SECLayoutNode* root = this->GetRootNode();
    auto* floating = root != this ? dynamic_cast<ISECFloatingNode*>(root) : nullptr;
    if (!floating)
        return SECDefDockNodeBase::ShowNode(bShow, bForce, bRecurse);
    SECDefHideableNode::SetNodeVisible(bShow);
    return floating->ShowFloatingWindow(bShow);
}

template<class Gripper> SECDockFloatingNode* SECFloatableDockingNode_T<Gripper>::CreateFloatingNode()
{
    return new SECDockFloatingNode;
}

template<class Gripper> void SECFloatableDockingNode_T<Gripper>::SetFloatingCaption(SECLNDockingMgr* pMgr)
{
    if (!pMgr)
        pMgr = SECLNDockingMgr::GetDefaultDockingMgr();
    auto* floating = pMgr ? dynamic_cast<SECLNFloatingHwndContainer*>(pMgr->FindContainer(this)) : nullptr;
    if (SECLayoutMiniFloatWnd* frame = floating ? floating->GetFrame() : nullptr)
        frame->SetWindowText(this->GetName());
}

template class SECFloatableDockingNode_T<SECReparentableGripperEx>;
