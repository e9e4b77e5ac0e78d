#include "toolkit/frames/SECDefDockTargetBase.h"

#include <memory>

#include "toolkit/frames/ISECDockableNode.h"
#include "toolkit/frames/SECDragDropDockingFeature.h"
#include "toolkit/frames/SECLNDockHitTester.h"
#include "toolkit/frames/SECLNDockingMgr.h"
#include "toolkit/frames/SECLayoutTreeSearch.h"

POINT SECDefDockTargetBase::ToNode(POINT point, SECLNDockingMgr* pMgr)
{
    if (ISECLNContainer* container = pMgr->FindContainer(Self()))
        container->ScreenToNodePoint(point);
    return point;
}

BOOL SECDefDockTargetBase::GetDockRect(POINT point, RECT& rect, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info)
{
    if (!pMgr)
        return FALSE;
    if (::PtInRect(&info.m_rect, point)) {
        rect = info.m_rect;
        return TRUE;
    }
    const POINT ptNode = ToNode(point, pMgr);
    std::unique_ptr<SECLayoutNode> proxy(CreateProxyNode());
    if (!proxy || !InsertDockedNode(proxy.get(), ptNode, point, FALSE, pMgr, info))
        return FALSE;
    RECT rc {};
    proxy->GetCurrentRect(&rc);
    if (ISECLNContainer* container = pMgr->FindContainer(proxy.get()))
        container->NodeToScreenRect(rc);
    rect = rc;
    return RemoveInsertedNode(proxy.get());
}

BOOL SECDefDockTargetBase::Dock(ISECDockableNode* pDockable, POINT point, SECLNDockingMgr* pMgr,
    SECDockInProgressInfo& info)
{
    auto* node = dynamic_cast<SECLayoutNode*>(pDockable);
    if (!node || !pMgr || ::PtInRect(&info.m_rect, point))
        return FALSE;
    return InsertDockedNode(node, ToNode(point, pMgr), point, TRUE, pMgr, info);
}

BOOL SECDefDockTargetBase::InsertDockedNode(SECLayoutNode* pNode, POINT, POINT, BOOL, SECLNDockingMgr*,
    SECDockInProgressInfo&)
{
    if (!pNode)
        return FALSE;
    // A node the drag already took out (or a fresh proxy) has no parent to leave.
    SECLayoutNode* parent = pNode->GetParentNode();
    return !parent || parent->RemoveLayoutNode(pNode) != -1;
}

BOOL SECDefDockTargetBase::RemoveInsertedNode(SECLayoutNode* pNode)
{
    SECLayoutNode* self = Self();
    if (!pNode || !self)
        return FALSE;
    self->RemoveLayoutNode(pNode);
    RECT out {};
    self->RecalcInPlace(&out);
    return TRUE;
}

BOOL SECDefDockTargetBase::IsInsideDraggedNode()
{
    SECLayoutNode* dragged = SECDragDropDockingFeature::GetDraggedNode();
    SECLayoutNode* self = Self();
    return dragged && self && (dragged == self || IsDescendantNode(dragged, self));
}

int SECDefDockTargetBase::HookDockTargetHitTest(POINT, SECLayoutNode*)
{
    // A node cannot be docked into itself.
    return IsInsideDraggedNode() ? SECLNDockHitTester<ISECDockTarget>::HookExclude : 0;
}
