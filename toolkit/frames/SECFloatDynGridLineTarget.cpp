#include "toolkit/frames/SECFloatDynGridLineTarget.h"

#include "toolkit/frames/SECLNDockHitTester.h"

int SECFloatDynGridLineTarget::HookDockTargetHitTest(POINT, SECLayoutNode*)
{
    return SECLNDockHitTester<ISECDockTarget>::HookTake;
}
