#pragma once
// Where a node is to be inserted into a line or grid of docked nodes: next to a reference node, at an
// index, or where it was dropped. Copied between the docking parts and replayed when a node re-docks.

#include "platform/gdi/WinGdi.h"

class SECLayoutNode;

class SECDynGridInsertConstraints {
public:
    SECDynGridInsertConstraints() = default;
    SECDynGridInsertConstraints(const SECDynGridInsertConstraints&) = default;
    SECDynGridInsertConstraints& operator=(const SECDynGridInsertConstraints&) = default;
    virtual ~SECDynGridInsertConstraints() = default;

    virtual void CopyConstraints(const SECDynGridInsertConstraints& other)
    {
        if (&other != this)
            *this = other;
    }
    virtual void ResetConstraints() { *this = SECDynGridInsertConstraints {}; }

    void SetInsertIndex(int nIndex, BOOL bAfter, BOOL bIndexValid)
    {
        m_nIndex = nIndex;
        m_bAfter = bAfter;
        m_bIndexValid = bIndexValid;
    }
    BOOL GetInsertIndex(int& nIndex) const
    {
        nIndex = m_nIndex;
        return m_bIndexValid;
    }
    void SetDropPoint(const POINT& pt, BOOL bGiven)
    {
        m_ptDrop = pt;
        m_bDropPointGiven = bGiven;
    }

    SECLayoutNode* m_pReference { nullptr };
    BOOL m_bAfter { TRUE };
    BOOL m_bNewRow { FALSE };
    BOOL m_bSizable { TRUE };
    int m_nLength { -1 };
    int m_nThickness { -1 };
    BOOL m_bDropPointGiven { FALSE };
    POINT m_ptDrop {};
    int m_nIndex { 0 };
    BOOL m_bIndexValid { FALSE };
    int m_nRowIndex { 0 };
    BOOL m_bRowIndexValid { FALSE };
    // Where a node goes in a grid when no row is named: its first or its last row.
    BOOL m_bLastRow { TRUE };
};
