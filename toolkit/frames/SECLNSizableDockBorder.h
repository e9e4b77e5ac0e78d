#pragma once
// The sizable border around the dock target of one frame side. It keeps the content's size as the user
// dragged it, and collapses to nothing at the frame edge while its content is hidden.

#include "toolkit/frames/ISECDockEventReceiver.h"
#include "toolkit/frames/SECLNSizable.h"

class SECLNSizableDockBorder : public SECLNSizable, public ISECDockEventReceiver {
public:
    // Dock sides.
    enum Side { Top = 0, Bottom = 1, Left = 2, Right = 3 };

    void OnSplitterMoved(SECLNVirtualSplitter* pSplitter, int dx, int dy) override;
    BOOL OnDockEvent(SECLayoutNode* pNode, SECLayoutNode* pSource, SECLayoutNode* pParent, ISECDockTarget* pTarget,
        SECLayoutNodePool* pPool) override;

    void SetDockSide(int nSide) { m_nDockSide = nSide; }
    int GetDockSide() const { return m_nDockSide; }

private:
    int m_nDockSide { Top };
};
