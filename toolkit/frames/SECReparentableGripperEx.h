#pragma once
// The gripper the docking engine puts around every dockable window. Moving it into another window
// container moves its mouse listener with it; one whose bordered node was docked away leaves its tree
// with the drag's node pool, instead of staying behind as an empty strip.

#include "toolkit/frames/ISECDockEventReceiver.h"
#include "toolkit/frames/SECLayoutNodeGripperEx.h"
#include "toolkit/frames/SECReparentableLayoutNodeDC_T.h"

class SECReparentableGripperEx : public SECReparentableLayoutNodeDC_T<SECLayoutNodeGripperEx>,
                                 public ISECDockEventReceiver {
public:
    BOOL OnDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, SECLayoutNode* pParent, ISECDockTarget* pTarget,
        SECLayoutNodePool* pPool) override;
};
