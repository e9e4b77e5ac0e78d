#include "toolkit/frames/SECDockFloatingNode.h"

#include "toolkit/frames/ISECUndoableNode.h"
#include "toolkit/frames/SECDefReparentableNode.h"
#include "toolkit/frames/SECDragDropDockingFeature.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNFloatingHwndContainer.h"

namespace {

// The cursor this far inside the window's near edge when it would lie outside.
constexpr int CursorInset = 5;

} // namespace

SECDockFloatingNode::SECDockFloatingNode() { m_pOwnNode = this; }

SECDockFloatingNode::~SECDockFloatingNode()
{
    // Before the container goes, so that a drag of this window unlocks the screen through it.
    SECDragDropDockingFeature::ForgetNode(this);
    if (m_pFloatingContainer)
        m_pFloatingContainer.reset();
    else if (m_pDockingMgr && m_pDockingMgr->GetRegisteredContainer(this))
        m_pDockingMgr->UnregisterContainer(this);
    // A later node made at this address must not find this window's record.
    if (m_pDockingMgr)
        m_pDockingMgr->RemoveNodeConstraints(this);
}

BOOL SECDockFloatingNode::InitFloatingNode(SECLayoutNode* pFloated, SECLNDockingMgr* pMgr,
    ISECLNContainer* pContainer, LPCTSTR lpszTitle)
{
    m_pOwnNode = this;
    m_pFloatedNode = pFloated;
    if (!pFloated || !pMgr || !pContainer)
        return FALSE;
    const SECDockingNodeConstraints* constraints = pMgr->GetNodeConstraints(pFloated, TRUE);
    m_pFloatingContainer.reset(
        pContainer->CreateFloatingWindow(this, lpszTitle, constraints->m_bHideOnClose, constraints->m_bAllowClose));
    m_bCreated = m_pFloatingContainer != nullptr;
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    GetFrameInsets(left, top, right, bottom, pMgr);
    return m_bCreated;
}

SECLayoutNode* SECDockFloatingNode::BeginDockDrag(SECLNDockingMgr* pMgr, BOOL bFirst, SECDockInProgressInfo& info)
{
    if (bFirst) {
        RememberFloatingRect(pMgr);
        if (auto* inner = dynamic_cast<SECLayoutNode*>(GetInnerNode())) {
            RECT rc {};
            inner->SetPreferredRect(*inner->GetCurrentRect(&rc));
        }
    }
    return SECDefDockNodeInitiatorBase::BeginDockDrag(pMgr, bFirst, info);
}

ISECDockableNode* SECDockFloatingNode::GetDragFeedback(ISECDockTarget* pTarget, POINT, SECLNDockingMgr*,
    SECLayoutNodePool*)
{
    if (!m_bShown)
        return nullptr;
    return pTarget ? GetInnerNode() : this;
}

void SECDockFloatingNode::OnDropped(ISECDockTarget* pTarget, POINT, SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool)
{
    if (!pTarget || !m_pGridTarget || GetTargetNodeCount(m_pGridTarget) > 0)
        return;
    // The window is empty now: it goes, and its tree with the drag's pool.
    Undock(TRUE, pMgr);
    if (pPool)
        SetNodePool(pPool, TRUE);
}

BOOL SECDockFloatingNode::DockToLastPosition(SECLNDockingMgr* pMgr, const SECDockInsertionConstraints* pConstraints)
{
    RememberFloatingRect(pMgr);
    auto* inner = dynamic_cast<SECLayoutNode*>(GetInnerNode());
    if (!pConstraints && inner && pMgr) {
        SECDockingNodeConstraints* own = pMgr->GetNodeConstraints(this, TRUE);
        const SECDockingNodeConstraints* innerRecord = pMgr->GetNodeConstraints(inner, TRUE);
        own->m_dwDockingFlags = innerRecord->m_dwDockingFlags;
        SECDockInsertionConstraints place;
        if (innerRecord->GetLastInsertion(place)) {
            own->m_pBorderTargetParent = innerRecord->m_pBorderTargetParent;
            return SECDefDockNodeInitiatorBase::DockToLastPosition(pMgr, &place);
        }
    }
    return SECDefDockNodeInitiatorBase::DockToLastPosition(pMgr, pConstraints);
}

BOOL SECDockFloatingNode::GetFloatRect(POINT point, RECT& rect, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info)
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    if (!GetFrameInsets(left, top, right, bottom, pMgr))
        return FALSE;
    RECT rc {};
    int cx = 0;
    int cy = 0;
    if (m_pFloatedNode) {
        m_pFloatedNode->GetPreferredRect(&rc);
        if (::IsRectEmpty(&rc))
            m_pFloatedNode->GetCurrentRect(&rc);
        cx = rc.right - rc.left + left + right;
        cy = rc.bottom - rc.top + top + bottom;
    } else {
        GetCurrentRect(&rc);
        cx = rc.right - rc.left;
        cy = rc.bottom - rc.top;
    }
    rect.left = point.x - info.m_nOffsetX;
    rect.top = point.y - info.m_nOffsetY;
    rect.right = rect.left + cx;
    rect.bottom = rect.top + cy;
    if (point.x >= rect.right)
        ::OffsetRect(&rect, point.x - rect.right + CursorInset, 0);
    else if (point.x < rect.left)
        ::OffsetRect(&rect, point.x - rect.left - CursorInset, 0);
    if (point.y >= rect.bottom)
        ::OffsetRect(&rect, 0, point.y - rect.bottom + CursorInset);
    else if (point.y < rect.top)
        ::OffsetRect(&rect, 0, point.y - rect.top - CursorInset);
    return TRUE;
}

BOOL SECDockFloatingNode::Float(POINT point, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info)
{
    ISECLNContainer* container = GetFloatingContainer(pMgr);
    if (!container || (!m_pGridTarget && !CreateContents(container)))
        return FALSE;
    RECT rc {};
    if (!info.GetRequestedRect(rc) && !GetFloatRect(point, rc, pMgr, info))
        return FALSE;
    RECT atOrigin = rc;
    ::OffsetRect(&atOrigin, -rc.left, -rc.top);
    RECT out {};
    RecalcLayout(&out, atOrigin, FALSE, TRUE);
    if (auto* floating = dynamic_cast<SECLNFloatingHwndContainer*>(container)) {
        floating->SetShowArgument(pMgr);
        floating->ShowAt(rc);
    }
    m_bShown = TRUE;
    m_pFloatedNode = nullptr;
    return TRUE;
}

void SECDockFloatingNode::OnDockedIn(SECLNDockingMgr* pMgr, SECLayoutNodePool* pPool)
{
    if (!pMgr)
        return;
    if (!pPool || GetNodePool() == pPool)
        SetNodePool(pMgr->CreateNodePool(), TRUE);
    if (m_pFloatingContainer) {
        pMgr->RegisterContainer(this, m_pFloatingContainer.release());
        m_pDockingMgr = pMgr;
    }
}

BOOL SECDockFloatingNode::ShowFloatingWindow(BOOL bShow)
{
    ISECLNContainer* container = m_pDockingMgr ? m_pDockingMgr->GetRegisteredContainer(this) : nullptr;
    if (!container)
        return FALSE;
    container->ShowContainer(bShow);
    return TRUE;
}

int SECDockFloatingNode::HookDockSourceHitTest(POINT, SECLayoutNode* pChild)
{
    // With one node the window's caption drags the window, and the node itself starts no drag.
    if (!m_pGridTarget || GetTargetNodeCount(m_pGridTarget) != 1)
        return 0;
    return pChild ? Exclude : Take;
}

SECFloatDynGridLineTarget* SECDockFloatingNode::CreateContents(ISECLNContainer* pContainer)
{
    auto* hwndContainer = dynamic_cast<SECLNHwndContainer*>(pContainer);
    CWnd* window = hwndContainer ? CWnd::FromHandle(hwndContainer->GetWindow()) : nullptr;
    if (!window)
        return nullptr;
    auto* target = dynamic_cast<SECFloatDynGridLineTarget*>(m_factory.CreateNode(&m_targetFactory));
    if (!target)
        return nullptr;
    target->SetLineWindow(window->m_hWnd, TRUE);
    SECLayoutNodeDCBase* gripper = m_factory.CreateGripperNode(window, &m_gripperFactory, target);
    if (!gripper || AddLayoutNode(gripper) == -1) {
        if (gripper)
            m_factory.DestroyNode(gripper);
        m_factory.DestroyNode(target);
        return nullptr;
    }
    if (m_pFloatedNode) {
        SECDynGridInsertConstraints place;
        place.m_bNewRow = TRUE;
        target->InsertNode(m_pFloatedNode, &place);
    }
    m_pGridTarget = target;
    if (SECLayoutNodePool* pool = GetNodePool())
        SetNodePool(pool, TRUE);
    return target;
}

BOOL SECDockFloatingNode::GetFrameInsets(int& left, int& top, int& right, int& bottom, SECLNDockingMgr* pMgr)
{
    if (!m_bInsetsValid) {
        ISECLNContainer* container = GetFloatingContainer(pMgr);
        int l = 0;
        int t = 0;
        int r = 0;
        int b = 0;
        if (!container || !container->GetContainerBorders(l, t, r, b))
            return FALSE;
        m_nBorderLeft = l;
        m_nBorderTop = t;
        m_nBorderRight = r;
        m_nBorderBottom = b;
        m_bInsetsValid = TRUE;
    }
    GetBorderWidths(left, top, right, bottom);
    return TRUE;
}

ISECLNContainer* SECDockFloatingNode::GetFloatingContainer(SECLNDockingMgr* pMgr)
{
    if (m_pFloatingContainer)
        return m_pFloatingContainer.get();
    return pMgr ? pMgr->GetRegisteredContainer(this) : nullptr;
}

ISECDockableNode* SECDockFloatingNode::GetInnerNode()
{
    if (!m_pGridTarget)
        return nullptr;
    if (GetTargetNodeCount(m_pGridTarget) == 1)
        return dynamic_cast<ISECDockableNode*>(GetTargetFirstNode(m_pGridTarget));
    return dynamic_cast<ISECDockableNode*>(m_pGridTarget->GetParentNode());
}

BOOL SECDockFloatingNode::RememberFloatingRect(SECLNDockingMgr* pMgr)
{
    auto* inner = dynamic_cast<SECLayoutNode*>(GetInnerNode());
    ISECLNContainer* container = GetFloatingContainer(pMgr);
    if (!pMgr || !inner || !container)
        return FALSE;
    RECT rc {};
    container->GetContainerWindowRect(rc);
    pMgr->GetNodeConstraints(inner, TRUE)->SetFloatingRect(rc);
    return TRUE;
}

void SECDockFloatingNode::Undock(BOOL bDetach, SECLNDockingMgr* pMgr)
{
    if (!bDetach || !pMgr)
        return;
    if (ISECLNContainer* container = GetFloatingContainer(pMgr))
        SECDefReparentableNode::ClearContainerInTree(this, container);
    if (m_pFloatingContainer)
        m_pFloatingContainer.reset();
    else
        pMgr->UnregisterContainer(this);
}
