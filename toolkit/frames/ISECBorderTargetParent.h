#pragma once
// A node that holds a dock target per frame side and hands out the one of a border position.

class ISECDockTarget;

class ISECBorderTargetParent {
public:
    virtual ~ISECBorderTargetParent() = default;
    virtual ISECDockTarget* GetBorderTarget(int nPosition) = 0;
};
