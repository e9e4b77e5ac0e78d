#pragma once
// A node that has a say in whether a drag starts on it or below it. Answer bits: 0x1 nothing in this
// subtree starts a drag, 0x2 this node itself is the initiator; 0 leaves the search alone.

#include "toolkit/frames/SECLayoutNode.h"

class ISECHookDockSourceHitTester {
public:
    static constexpr int Exclude = 0x1;
    static constexpr int Take = 0x2;
    virtual ~ISECHookDockSourceHitTester() = default;
    // pChild: the node's direct child under the point, or null.
    virtual int HookDockSourceHitTest(POINT ptScreen, SECLayoutNode* pChild) = 0;
};
