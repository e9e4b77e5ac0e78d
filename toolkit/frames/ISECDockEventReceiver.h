#pragma once
// A node that hears, after a node was docked, that the trees changed; answering FALSE keeps the event
// from its children.

#include "toolkit/frames/SECLayoutNode.h"

class ISECDockTarget;

class ISECDockEventReceiver {
public:
    virtual ~ISECDockEventReceiver() = default;
    virtual BOOL OnDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, SECLayoutNode* pParent,
        ISECDockTarget* pTarget, SECLayoutNodePool* pPool) = 0;
};
