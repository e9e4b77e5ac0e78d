#pragma once
// What one docking node allows and where it was docked last; the docking manager keeps one per node so
// that a floated node can go back to its old place.

#include "toolkit/frames/SECDockInsertionConstraints.h"

class ISECBorderTargetParent;

class SECDockingNodeConstraints {
public:
    virtual ~SECDockingNodeConstraints() = default;

    virtual void CopyFromInsertion(const SECDynGridInsertConstraints& constraints)
    {
        m_bSizable = constraints.m_bSizable;
    }

    void SetPresetRect(const RECT& rect)
    {
        m_rcPreset = rect;
        m_bPresetRect = TRUE;
    }
    BOOL GetPresetRect(RECT& rect) const
    {
        rect = m_rcPreset;
        return m_bPresetRect;
    }
    void SetLastInsertion(const SECDockInsertionConstraints& constraints)
    {
        m_bLastInsertion = TRUE;
        m_lastInsertion.CopyDockConstraints(constraints);
    }
    BOOL GetLastInsertion(SECDockInsertionConstraints& constraints) const
    {
        constraints.CopyDockConstraints(m_lastInsertion);
        return m_bLastInsertion;
    }

    BOOL m_bSizable { TRUE };
    BOOL m_bDockValue1 { TRUE };
    BOOL m_bDockValue2 { TRUE };
    BOOL m_bPresetRect { FALSE };
    BOOL m_bLastInsertion { FALSE };
    RECT m_rcPreset {};
    SECDockInsertionConstraints m_lastInsertion;
    ISECBorderTargetParent* m_pBorderTargetParent { nullptr };
};
