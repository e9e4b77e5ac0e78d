#pragma once
// Finds the dock initiator (a gripper, a floating window's root) at a screen point. The search is exact:
// a node whose children all refuse the point starts no drag, so only a gripper's own strip does.

#include "toolkit/frames/ISECDockInitiator.h"
#include "toolkit/frames/ISECHookDockSourceHitTester.h"
#include "toolkit/frames/SECLNDockHitTester.h"

class SECDockInitiatorHitTester : public SECLNDockHitTester<ISECDockInitiator> {
public:
    using SECLNDockHitTester::SECLNDockHitTester;

    ISECDockInitiator* HitTest(SECLNDockingMgr* pMgr, POINT ptScreen, BOOL) override
    {
        return SECLNDockHitTester::HitTest(pMgr, ptScreen, TRUE);
    }
    ISECDockInitiator* HitTestRoot(SECLNDockingMgr* pMgr, SECLayoutNode* pRoot, POINT ptScreen, BOOL) override
    {
        return SECLNDockHitTester::HitTestRoot(pMgr, pRoot, ptScreen, TRUE);
    }
    int HookHitTest(ISECLNContainer* pContainer, POINT ptScreen, SECLayoutNode* pNode) override
    {
        auto* hook = dynamic_cast<ISECHookDockSourceHitTester*>(pNode);
        return hook ? hook->HookDockSourceHitTest(ptScreen, HookChildAt(pContainer, ptScreen, pNode)) : 0;
    }
};
