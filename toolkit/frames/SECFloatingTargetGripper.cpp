#include "toolkit/frames/SECFloatingTargetGripper.h"

#include "toolkit/frames/ISECBorderWrapper.h"
#include "toolkit/frames/ISECFloatingNode.h"
#include "toolkit/frames/SECLNDynamicGridLine.h"

BOOL SECFloatingTargetGripper::OnDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, SECLayoutNode* pParent,
    ISECDockTarget* pTarget, SECLayoutNodePool* pPool)
{
    if (!SECFloatableDockingNode_T<SECReparentableGripperEx>::OnDockEvent(pNode, pSource, pParent, pTarget, pPool))
        return FALSE;
    SECLayoutNode* parent = GetParentNode();
    const BOOL bInFloatingRoot = dynamic_cast<ISECFloatingNode*>(parent) != nullptr;
    SECLayoutNode* grid = GetGridTarget();
    const int nCount = GetTargetNodeCount(grid);
    if (nCount == 0)
        return FALSE;
    if (nCount == 1 && parent && !bInFloatingRoot) {
        SECLayoutNode* single = GetTargetFirstNode(grid);
        grid->RemoveLayoutNode(single);
        RemoveLayoutNode(grid);
        // The single node takes the gripper's place among its parent's children.
        if (auto* line = dynamic_cast<SECLNDynamicGridLine*>(parent)) {
            SECDynGridInsertConstraints place;
            line->GetInsertConstraintsOf(this, &place);
            line->RemoveLayoutNode(this);
            line->InsertNode(single, &place);
        } else {
            if (parent->AddLayoutNode(single) != -1)
                parent->MoveLayoutNode(single, this, TRUE);
            parent->RemoveLayoutNode(this);
        }
        SetNodePool(pPool, FALSE);
        grid->SetNodePool(pPool, FALSE);
        return FALSE;
    }
    EnableBorder(!bInFloatingRoot, FALSE);
    std::vector<SECLayoutNode*> nodes;
    GetTargetNodes(grid, nodes);
    for (SECLayoutNode* node : nodes) {
        if (auto* border = dynamic_cast<ISECBorderWrapper*>(node))
            border->EnableBorder(nCount > 1, FALSE);
    }
    return FALSE;
}
