#pragma once
// A node whose preferred rectangle follows its children: a parent can ask it to take its current
// rectangles as the preferred ones again, or to take the next layout result as preferred.

#include "platform/afx/AfxTypes.h"

class ISECPreferredNodeRectSet {
public:
    virtual ~ISECPreferredNodeRectSet() = default;
    virtual void ResetPreferredRects() = 0;
    virtual void SetPreferredRectFlag(BOOL bSet) = 0;
};
