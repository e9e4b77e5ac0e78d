#pragma once
// A drawn node that can be hidden: hidden, it paints nothing, and a change of visibility repaints its area.

#include "toolkit/frames/SECDefHideableNode.h"
#include "toolkit/frames/SECLayoutNodeDCBase.h"

class SECLayoutNodeDC : public SECLayoutNodeDCBase, public SECDefHideableNode {
public:
    void PaintNode(BOOL bRecurse, HDC hDC) override;
    BOOL SetNodeVisible(BOOL bVisible) override;
};
