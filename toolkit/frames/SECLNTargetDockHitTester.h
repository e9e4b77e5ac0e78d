#pragma once
// Finds the dock target under a screen point, skipping the container given (the floating window being
// dragged must not take itself).

#include "toolkit/frames/ISECDockTarget.h"
#include "toolkit/frames/ISECHookDockTargetHitTester.h"
#include "toolkit/frames/SECLNDockHitTester.h"

class SECLNTargetDockHitTester : public SECLNDockHitTester<ISECDockTarget> {
public:
    using SECLNDockHitTester::SECLNDockHitTester;

    int HookHitTest(ISECLNContainer* pContainer, POINT ptScreen, SECLayoutNode* pNode) override
    {
        auto* hook = dynamic_cast<ISECHookDockTargetHitTester*>(pNode);
        return hook ? hook->HookDockTargetHitTest(ptScreen, HookChildAt(pContainer, ptScreen, pNode)) : 0;
    }
};
