#pragma once
// A parent that can take a child out and later put it back at the same place.

#include "toolkit/frames/SECLayoutNode.h"

class ISECUndoableNode {
public:
    virtual ~ISECUndoableNode() = default;
    virtual ISECUndoableNode* GetUndoableNode() = 0;
    virtual int RemoveChildUndoable(SECLayoutNode* pChild) = 0;
    virtual int UndoChildRemoval() = 0;
    virtual int UndoChildRemovalOf(SECLayoutNode* pChild) = 0;
};
