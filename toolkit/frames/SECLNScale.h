#pragma once
// A layout root that keeps its children's proportions: each child's initial rectangle is scaled from
// this node's initial rectangle to the rectangle it is given, so child windows grow with their parent.

#include "toolkit/frames/SECLayoutNode.h"

class SECLNScale : public SECLayoutNode {
public:
    RECT* OnRecalcLayout(RECT* pOut, const RECT& rect, BOOL bClamp, BOOL bForce) override;
    // r scaled by the ratio of to's size to from's (1 on an axis where from is not positive); each edge
    // is rounded half up and truncated toward zero. Coordinates scale as they stand, not from from's corner.
    static RECT* ScaleRect(RECT* pOut, const RECT& from, const RECT& to, const RECT& r);
};
