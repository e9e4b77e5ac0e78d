#pragma once
// An insertion into one side of a frame: the grid insertion plus the border position it docks at.

#include "toolkit/frames/SECDynGridInsertConstraints.h"

class SECDockInsertionConstraints : public SECDynGridInsertConstraints {
public:
    void ResetConstraints() override
    {
        SECDynGridInsertConstraints::ResetConstraints();
        m_nBorderPosition = 0;
    }
    virtual void CopyDockConstraints(const SECDockInsertionConstraints& other)
    {
        if (&other == this)
            return;
        CopyConstraints(other);
        m_nBorderPosition = other.m_nBorderPosition;
    }

    int m_nBorderPosition { 0 };
};
