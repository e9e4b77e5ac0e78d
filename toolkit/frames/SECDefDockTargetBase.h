#pragma once
// The default dock target: it shows a dragged node's outline where a trial insertion of a stand-in
// would put it, and a drop on the node's own start place is no dock. Inserting at a point is the work
// of derived targets; this one only takes a node out of its parent. Meant as a base of a layout node.

#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/ISECHookDockTargetHitTester.h"

class SECDefDockTargetBase : public ISECDockTarget, public ISECHookDockTargetHitTester {
public:
    BOOL GetDockRect(POINT point, RECT& rect, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) override;
    BOOL Dock(ISECDockableNode* pDockable, POINT point, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) override;
    SECLayoutNode* CreateProxyNode() override { return new SECLayoutNode; }
    BOOL InsertDockedNode(SECLayoutNode* pNode, POINT ptNode, POINT ptScreen, BOOL bCommit, SECLNDockingMgr* pMgr,
        SECDockInProgressInfo& info) override;
    BOOL RemoveInsertedNode(SECLayoutNode* pNode) override;
    // Targets inside the node being dragged are excluded from the search.
    int HookDockTargetHitTest(POINT ptScreen, SECLayoutNode* pChild) override;
    virtual BOOL IsInsideDraggedNode();

private:
    // The screen point in the target's node coordinates, through its container.
    POINT ToNode(POINT point, SECLNDockingMgr* pMgr);
    SECLayoutNode* Self() { return dynamic_cast<SECLayoutNode*>(this); }
};
