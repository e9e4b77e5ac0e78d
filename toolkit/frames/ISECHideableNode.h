#pragma once
// A node that can be hidden and shown again; shows and hides are counted, so nested callers balance.

#include "platform/afx/AfxTypes.h"

class ISECHideableNode {
public:
    virtual ~ISECHideableNode() = default;
    virtual BOOL ShowNode(BOOL bShow, BOOL bForce, BOOL bRecurse) = 0;
    virtual BOOL IsNodeVisible() = 0;
    virtual BOOL SetNodeVisible(BOOL bVisible) = 0;
};
