#pragma once
// The node that stands for a frame's client area in the frame's layout tree; it can take a child out
// while it is dragged and put it back when the drag is cancelled.

#include "toolkit/frames/SECDefUndoableNode.h"
#include "toolkit/frames/SECLayoutNode.h"

class SECClientWndNode : public SECLayoutNode, public SECDefUndoableNode { };
