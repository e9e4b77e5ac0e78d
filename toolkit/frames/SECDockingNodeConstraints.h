#pragma once
// What one docking node allows and where it was docked last; the docking manager keeps one per node so
// that a floated node can go back to its old place.

#include "toolkit/frames/SECDockInsertionConstraints.h"

class ISECBorderTargetParent;
class SECLayoutNode;

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
    // Remembers where the node sits now: its place in the nearest dock-target grid above it. A node in no
    // such grid keeps the place remembered before.
    void RecordLastInsertion(SECLayoutNode* pNode);
    void SetFloatingRect(const RECT& rect)
    {
        m_rcFloating = rect;
        m_bFloatingRect = TRUE;
    }
    BOOL GetFloatingRect(RECT& rect) const
    {
        rect = m_rcFloating;
        return m_bFloatingRect;
    }

    BOOL m_bSizable { TRUE };
    // Handed to the floating window the node is shown in: its Close hides it, and it has a Close item.
    BOOL m_bHideOnClose { TRUE };
    BOOL m_bAllowClose { TRUE };
    BOOL m_bPresetRect { FALSE };
    BOOL m_bLastInsertion { FALSE };
    RECT m_rcPreset {};
    SECDockInsertionConstraints m_lastInsertion;
    ISECBorderTargetParent* m_pBorderTargetParent { nullptr };
    BOOL m_bFloatingRect { FALSE };
    RECT m_rcFloating {};
    // Passed from a floated node to the root of its floating window.
    DWORD m_dwDockingFlags { 0 };
};
