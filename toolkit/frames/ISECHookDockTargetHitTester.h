#pragma once
// A dock target that decides itself whether a drop at a point is its own, whatever lies below it.
// Answer bits as for the drag-source hook: 0x1 excludes the subtree, 0x2 takes the drop.

#include "toolkit/frames/SECLayoutNode.h"

class ISECHookDockTargetHitTester {
public:
    virtual ~ISECHookDockTargetHitTester() = default;
    virtual int HookDockTargetHitTest(POINT ptScreen, SECLayoutNode* pChild) = 0;
};
