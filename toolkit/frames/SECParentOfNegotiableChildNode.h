#pragma once
// Renegotiates sizes for a child: the request climbs while the parents are negotiating ones too, then
// the topmost such parent lays itself out, the frame showing the tree relays out and the root follows.
// Meant as a second base of a layout node.

#include "toolkit/frames/ISECParentOfNegotiableChildNode.h"

class SECParentOfNegotiableChildNode : public ISECParentOfNegotiableChildNode {
public:
    BOOL OnChildSizeChanged(BOOL bPropagate, ISECLNContainer* pContainer) override;
};
