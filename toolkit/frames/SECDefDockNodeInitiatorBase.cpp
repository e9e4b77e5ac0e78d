#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"

#include "toolkit/frames/ISECDockableNode.h"
#include "toolkit/frames/ISECUndoableNode.h"
#include "toolkit/frames/SECLNDockingMgr.h"

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
