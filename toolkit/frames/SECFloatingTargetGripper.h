#pragma once
// The gripper around the dock target of a floating window. In the window it shows no strip of its own
// (the window's caption stands for it), and the nodes docked in it show theirs only when there are
// several. Docked somewhere else with a single node left, it and its target dissolve and that node
// takes their place.

#include "toolkit/frames/SECFloatableDockingNode_T.h"
#include "toolkit/frames/SECQueryChildTargetInfo.h"

class SECFloatingTargetGripper : public SECFloatableDockingNode_T<SECReparentableGripperEx>,
                                 public SECQueryChildTargetInfo {
public:
    // Never passes the event on to the nodes inside.
    BOOL OnDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, SECLayoutNode* pParent, ISECDockTarget* pTarget,
        SECLayoutNodePool* pPool) override;

    // The grid target it wraps.
    SECLayoutNode* GetGridTarget() { return GetBorderedNode(); }
};
