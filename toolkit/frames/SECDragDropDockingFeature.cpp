#include "toolkit/frames/SECDragDropDockingFeature.h"

#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/ISECDockableNode.h"
#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"
#include "toolkit/frames/SECDockInitiatorHitTester.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLNHwndContainer.h"
#include "toolkit/frames/SECLNOffNodeDockIFaceHitTest_T.h"
#include "toolkit/frames/SECLNTargetDockHitTester.h"

SECDragDropDockingFeature::~SECDragDropDockingFeature()
{
    if (s_pActive == this)
        s_pActive = nullptr;
    if (m_hDesktopDC)
        ReleaseDesktopDC(m_hDesktopDC);
}

void SECDragDropDockingFeature::ForgetNode(SECLayoutNode* pNode)
{
    if (s_pActive && pNode)
        s_pActive->OnNodeGone(pNode);
}

void SECDragDropDockingFeature::OnNodeGone(SECLayoutNode* pNode)
{
    if (pNode == m_pInitiatorNode) {
        s_pCurrentInitiator = nullptr;
        m_pInitiatorNode = nullptr;
        m_bInitiatorGone = TRUE;
    }
    if (pNode == s_pDraggedNode)
        s_pDraggedNode = nullptr;
    if (pNode == m_pFeedbackNode) {
        m_pFeedback = nullptr;
        m_pFeedbackNode = nullptr;
    }
    if (pNode == m_pDragSource)
        m_pDragSource = nullptr;
    if (pNode == m_pLockedNode)
        m_pLockedNode = nullptr;
    if (pNode == m_pLockedRoot) {
        // The container of a root goes with it: the screen is unlocked now.
        if (m_pLockedContainer)
            m_pLockedContainer->LockUpdates(FALSE);
        m_pLockedRoot = nullptr;
        m_pLockedContainer = nullptr;
    }
}

SECLNDockingMgr* SECDragDropDockingFeature::GetDockingMgr() const
{
    return m_pMgr ? m_pMgr : SECLNDockingMgr::GetDefaultDockingMgr();
}

BOOL SECDragDropDockingFeature::CanStartDrag(UINT, POINT point)
{
    SECLNDockingMgr* pMgr = GetDockingMgr();
    return pMgr && HitTestInitiator(pMgr, point, TRUE) != nullptr;
}

BOOL SECDragDropDockingFeature::BeginDrag(UINT nFlags, POINT point)
{
    m_ptLast = { -1, -1 };
    return StartDockDrag(nFlags, point, TRUE);
}

BOOL SECDragDropDockingFeature::DragOver(UINT nFlags, POINT point)
{
    if (m_bBusy)
        return FALSE;
    if (point.x == m_ptLast.x && point.y == m_ptLast.y)
        return TRUE;
    m_bBusy = TRUE;
    const BOOL bResult = TrackDrag(nFlags, point);
    m_bBusy = FALSE;
    m_ptLast = point;
    return bResult;
}

BOOL SECDragDropDockingFeature::EndDrag(UINT nFlags, POINT point, BOOL bCommit)
{
    return FinishDrag(nFlags, point, bCommit, TRUE);
}

BOOL SECDragDropDockingFeature::OnDoubleClick(UINT, POINT point)
{
    SECLNDockingMgr* pMgr = GetDockingMgr();
    ISECDockInitiator* initiator = pMgr ? HitTestInitiator(pMgr, point, TRUE) : nullptr;
    return initiator ? initiator->OnDoubleClick(pMgr) : FALSE;
}

HDC SECDragDropDockingFeature::GetDesktopDC()
{
    return ::GetDCEx(::GetDesktopWindow(), nullptr, DCX_WINDOW | DCX_CACHE | DCX_LOCKWINDOWUPDATE);
}

void SECDragDropDockingFeature::ReleaseDesktopDC(HDC hDC) { ::ReleaseDC(::GetDesktopWindow(), hDC); }

ISECDockInitiator* SECDragDropDockingFeature::HitTestInitiator(SECLNDockingMgr* pMgr, POINT point, BOOL)
{
    SECDockInitiatorHitTester tester;
    return tester.HitTest(pMgr, point, TRUE);
}

ISECDockTarget* SECDragDropDockingFeature::HitTestTarget(POINT point, SECLNDockingMgr* pMgr,
    ISECLNContainer* pContainer)
{
    SECLNTargetDockHitTester tester(pContainer);
    if (ISECDockTarget* target = tester.HitTest(pMgr, point, FALSE))
        return target;
    SECLNOffNodeDockIFaceHitTest_T<ISECDockTarget> offNode;
    return offNode.HitTestAllRoots(pMgr, point);
}

BOOL SECDragDropDockingFeature::IsDockingSuppressed(POINT, UINT nFlags, ISECDockTarget*& pTarget)
{
    if (!(nFlags & MK_CONTROL))
        return FALSE;
    pTarget = nullptr;
    return TRUE;
}

ISECDockableNode* SECDragDropDockingFeature::GetDragFeedback(POINT point, ISECDockTarget* pTarget,
    SECLNDockingMgr* pMgr)
{
    return s_pCurrentInitiator ? s_pCurrentInitiator->GetDragFeedback(pTarget, point, pMgr, m_pDragPool.get())
                               : nullptr;
}

void SECDragDropDockingFeature::LockDraggedLayout(SECLayoutNode* pNode, BOOL bBegin, SECLNDockingMgr* pMgr)
{
    if (bBegin) {
        if (!pNode)
            return;
        m_pLockedNode = pNode;
        m_pLockedRoot = pNode->GetRootNode();
        m_pLockedRoot->LockLayout(TRUE, TRUE);
        m_pLockedContainer = pMgr ? pMgr->FindContainer(pNode) : nullptr;
        if (m_pLockedContainer)
            m_pLockedContainer->LockUpdates(TRUE);
        return;
    }
    if (m_pLockedRoot)
        m_pLockedRoot->LockLayout(FALSE, TRUE);
    ISECLNContainer* container = pNode && pMgr ? pMgr->FindContainer(pNode) : nullptr;
    if (!container)
        container = m_pLockedContainer;
    if (container)
        container->LockUpdates(FALSE);
    m_pLockedNode = nullptr;
    m_pLockedRoot = nullptr;
    m_pLockedContainer = nullptr;
}

BOOL SECDragDropDockingFeature::StartDockDrag(UINT, POINT point, BOOL bFirst)
{
    SECLNDockingMgr* pMgr = GetDockingMgr();
    if (!pMgr)
        return FALSE;
    if (bFirst) {
        // Windows are painted before the screen is locked for the drag.
        MSG msg {};
        while (::PeekMessage(&msg, nullptr, WM_PAINT, WM_PAINT, PM_REMOVE))
            ::DispatchMessage(&msg);
    }
    SECLNHwndContainer::SetContainerDragFlag(TRUE);
    ISECDockInitiator* initiator = HitTestInitiator(pMgr, point, bFirst);
    auto* node = dynamic_cast<SECLayoutNode*>(initiator);
    if (!initiator || !node) {
        // Left set, the flag would keep every frame from laying itself out again.
        SECLNHwndContainer::SetContainerDragFlag(FALSE);
        return FALSE;
    }
    if (bFirst) {
        m_info.ResetDockInProgressInfo();
        POINT offset {};
        pMgr->GetScreenOffset(point, node, offset);
        m_info.m_nOffsetX = offset.x;
        m_info.m_nOffsetY = offset.y;
    }
    LockDraggedLayout(node, TRUE, pMgr);
    m_pDragSource = initiator->BeginDockDrag(pMgr, bFirst, m_info);
    if (!m_pDragSource) {
        LockDraggedLayout(node, FALSE, pMgr);
        SECLNHwndContainer::SetContainerDragFlag(FALSE);
        return FALSE;
    }
    m_hDesktopDC = GetDesktopDC();
    s_pCurrentInitiator = initiator;
    m_pInitiatorNode = node;
    m_bInitiatorGone = FALSE;
    s_pActive = this;
    if (bFirst)
        s_pDraggedNode = node;
    m_pDragPool = std::make_unique<SECLayoutNodePool>();
    return TRUE;
}

BOOL SECDragDropDockingFeature::TrackDrag(UINT nFlags, POINT point)
{
    SECLNDockingMgr* pMgr = GetDockingMgr();
    ISECDockTarget* target = nullptr;
    if (!IsDockingSuppressed(point, nFlags, target))
        target = HitTestTarget(point, pMgr, nullptr);
    ISECDockableNode* feedback = GetDragFeedback(point, target, pMgr);
    RECT rc {};
    BOOL bHaveRect = target && target->GetDockRect(point, rc, pMgr, m_info);
    if (!bHaveRect)
        bHaveRect = feedback && feedback->GetFloatRect(point, rc, pMgr, m_info);
    if (!bHaveRect)
        return FALSE;
    if (m_pFeedback && m_pFeedback != feedback)
        m_pFeedback->EraseOutline(m_hDesktopDC);
    m_pFeedback = feedback;
    m_pFeedbackNode = dynamic_cast<SECLayoutNode*>(feedback);
    if (m_pFeedback)
        m_pFeedback->DrawOutline(m_hDesktopDC, rc, target);
    return TRUE;
}

BOOL SECDragDropDockingFeature::FinishDrag(UINT nFlags, POINT point, BOOL bCommit, BOOL bFinal)
{
    SECLNDockingMgr* pMgr = GetDockingMgr();
    ISECDockInitiator* initiator = s_pCurrentInitiator;
    if (!initiator) {
        if (!m_bInitiatorGone)
            return FALSE;
        // The dragged node was destroyed during the drag: what remains is laid out again as it is.
        if (m_pFeedback)
            m_pFeedback->EraseOutline(m_hDesktopDC);
        SECLayoutNode* root = m_pLockedRoot;
        LockDraggedLayout(nullptr, FALSE, pMgr);
        if (root) {
            RECT out {};
            root->RecalcInPlace(&out);
            root->RealizeLayout(FALSE);
        }
        ReleaseDrag(bFinal);
        return TRUE;
    }
    ISECLNContainer* exclude = nullptr;
    if (initiator->IsFloatingInitiator())
        exclude = pMgr->FindContainer(dynamic_cast<SECLayoutNode*>(initiator));
    ISECDockTarget* target = nullptr;
    if (!IsDockingSuppressed(point, nFlags, target))
        target = HitTestTarget(point, pMgr, exclude);
    ISECDockableNode* feedback = GetDragFeedback(point, target, pMgr);
    if (feedback)
        feedback->EraseOutline(m_hDesktopDC);
    if (m_pFeedback && m_pFeedback != feedback)
        m_pFeedback->EraseOutline(m_hDesktopDC);
    BOOL bDocked = FALSE;
    if (bCommit)
        bDocked = DoDock(point, feedback, target, pMgr);
    if (!bDocked)
        initiator->OnDragCancelled();
    auto* feedbackNode = dynamic_cast<SECLayoutNode*>(feedback);
    if (feedbackNode && feedbackNode->GetRootNode() != m_pLockedRoot)
        feedbackNode->GetRootNode()->LockLayout(FALSE, TRUE);
    LockDraggedLayout(feedbackNode, FALSE, pMgr);
    if (bDocked)
        initiator->OnDocked(feedback, pMgr);
    initiator->EndDockDrag();
    ReleaseDrag(bFinal);
    return TRUE;
}

void SECDragDropDockingFeature::ReleaseDrag(BOOL bFinal)
{
    SECLNHwndContainer::SetContainerDragFlag(FALSE);
    SECLNHwndContainer::RecalcAllFrames(TRUE);
    if (m_hDesktopDC) {
        ReleaseDesktopDC(m_hDesktopDC);
        m_hDesktopDC = nullptr;
    }
    s_pCurrentInitiator = nullptr;
    m_pInitiatorNode = nullptr;
    m_bInitiatorGone = FALSE;
    if (bFinal) {
        s_pDraggedNode = nullptr;
        m_pFeedback = nullptr;
        m_pFeedbackNode = nullptr;
    }
    m_pDragPool.reset();
    m_pDragSource = nullptr;
    if (s_pActive == this)
        s_pActive = nullptr;
}

BOOL SECDragDropDockingFeature::DoDock(POINT point, ISECDockableNode* pDockable, ISECDockTarget* pTarget,
    SECLNDockingMgr* pMgr)
{
    if (!pDockable || !pMgr)
        return FALSE;
    BOOL bDone = pTarget && pTarget->Dock(pDockable, point, pMgr, m_info);
    if (!bDone)
        bDone = pDockable->Float(point, pMgr, m_info);
    if (!bDone)
        return FALSE;
    auto* node = dynamic_cast<SECLayoutNode*>(pDockable);
    pMgr->FireDockEvent(node, m_pDragSource, pTarget, m_pDragPool.get());
    // The tree the node left hears of it too, even when the row it came from was emptied and left that
    // tree: a floating window left with one node hides that node's strip.
    auto* initiatorBase = dynamic_cast<SECDefDockNodeInitiatorBase*>(s_pCurrentInitiator);
    SECLayoutNode* startRoot = initiatorBase ? initiatorBase->GetStartRoot() : nullptr;
    if (startRoot && node && startRoot != node->GetRootNode()
        && (!m_pDragSource || startRoot != m_pDragSource->GetRootNode()))
        pMgr->DispatchDockEvent(startRoot, node, m_pDragSource, node->GetParentNode(), pTarget, m_pDragPool.get());
    s_pCurrentInitiator->OnDropped(pTarget, point, pMgr, m_pDragPool.get());
    pDockable->OnDockedIn(pMgr, m_pDragPool.get());
    pMgr->PropagateContainer(node);
    pMgr->PropagateContainer(m_pDragSource);
    return TRUE;
}
