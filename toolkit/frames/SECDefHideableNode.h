#pragma once
// The counted visibility of a node. The count starts at 0 with the node visible, so the first plain show
// counts it up to 1; a node becomes visible only at exactly 1 shows and hidden only at exactly 0.
// Meant as a second base of a layout node: the subtree it recurses into is that node's.

#include "toolkit/frames/ISECHideableNode.h"

class SECDefHideableNode : public ISECHideableNode {
public:
    // Answers whether the visibility changed.
    BOOL ShowNode(BOOL bShow, BOOL bForce, BOOL bRecurse) override;
    BOOL IsNodeVisible() override { return m_bVisible; }
    // Answers whether the flag changed.
    BOOL SetNodeVisible(BOOL bVisible) override;

    int GetShowCount() const { return m_nShowCount; }

private:
    int m_nShowCount { 0 };
    BOOL m_bVisible { TRUE };
};
