#pragma once
// What takes a dropped node: it shows where the node would go and inserts it there.

#include "toolkit/frames/SECDockInProgressInfo.h"
#include "toolkit/frames/SECLayoutNode.h"

class ISECDockableNode;
class SECLNDockingMgr;

class ISECDockTarget {
public:
    virtual ~ISECDockTarget() = default;
    virtual BOOL GetDockRect(POINT point, RECT& rect, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) = 0;
    virtual BOOL Dock(ISECDockableNode* pDockable, POINT point, SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) = 0;
    virtual SECLayoutNode* CreateProxyNode() = 0;
    virtual BOOL InsertDockedNode(SECLayoutNode* pNode, POINT ptNode, POINT ptScreen, BOOL bCommit,
        SECLNDockingMgr* pMgr, SECDockInProgressInfo& info) = 0;
    virtual BOOL RemoveInsertedNode(SECLayoutNode* pNode) = 0;
};
