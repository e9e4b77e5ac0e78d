#pragma once
// The node the docking factory wraps around every dockable window or drawn node: a gripper that starts
// drags of itself, is what is dragged, and leaves and rejoins its parent as the default dock node does.

#include "toolkit/frames/SECDefDockNodeBase.h"
#include "toolkit/frames/SECDefDockNodeInitiatorBase.h"

template<class Gripper>
class SECFloatableDockingNode_T : public SECDefDockNodeInitiatorBase, public SECDefDockNodeBase, public Gripper {
public:
    SECFloatableDockingNode_T() { m_pOwnNode = this; }

    BOOL OnDoubleClick(SECLNDockingMgr* pMgr) override { return FloatOrDock(pMgr, nullptr); }
};
