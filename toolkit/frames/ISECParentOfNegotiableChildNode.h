#pragma once
// A parent that a child may ask to lay the tree out again after the child's size changed.

#include "platform/afx/AfxTypes.h"

class ISECLNContainer;

class ISECParentOfNegotiableChildNode {
public:
    virtual ~ISECParentOfNegotiableChildNode() = default;
    virtual BOOL OnChildSizeChanged(BOOL bPropagate, ISECLNContainer* pContainer) = 0;
};
