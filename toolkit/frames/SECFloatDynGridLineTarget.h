#pragma once
// The dock target inside a floating window. It takes every node offered at a point over it, even when
// the floating window itself is what is dragged: a drop over the window's own place floats it there
// instead, because the drag leaves out the dragged window's container.

#include "toolkit/frames/SECDynGridLineTarget.h"

class SECFloatDynGridLineTarget : public SECDynGridLineTarget {
public:
    int HookDockTargetHitTest(POINT ptScreen, SECLayoutNode* pChild) override;
};
