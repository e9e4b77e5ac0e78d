#pragma once
// Finds the dock target under a screen point, skipping the container given (the floating window being
// dragged must not take itself).

#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/ISECHookDockTargetHitTester.h"
#include "toolkit/frames/SECLNDockHitTester.h"
#include "toolkit/frames/SECLayoutTreeSearch.h"

class SECLNTargetDockHitTester : public SECLNDockHitTester<ISECDockTarget> {
public:
    using SECLNDockHitTester::SECLNDockHitTester;

    int HookHitTest(ISECLNContainer* pContainer, POINT ptScreen, SECLayoutNode* pNode) override
    {
        auto* hook = dynamic_cast<ISECHookDockTargetHitTester*>(pNode);
        if (!hook)
            return 0;
        POINT pt = ptScreen;
        if (pContainer)
            pContainer->ScreenToNodePoint(pt);
        return hook->HookDockTargetHitTest(ptScreen, FindNodeAt(pNode, pt));
    }
};
