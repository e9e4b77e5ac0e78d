#pragma once
// The gripper of a docked bar: the strip of two raised lines (at the left of a bar docked along a
// horizontal side, at the top of one docked along a vertical side) and the tooltips of its buttons.

#include "platform/afx/CObject.h"
#include "platform/afx/CString.h"

class SECGripperInfo : public CObject {
public:
    SECGripperInfo();

    // Across a horizontally docked bar: the sum of the five horizontal metrics.
    virtual int GetWidth() const { return m_cxLeadGap + m_cxFirstLine + m_cxMidGap + m_cxSecondLine + m_cxTrailGap; }
    // Down a vertically docked bar: the sum of the five vertical metrics.
    virtual int GetHeight() const { return m_cyLeadGap + m_cyFirstLine + m_cyMidGap + m_cySecondLine + m_cyTrailGap; }

    int m_cxLeadGap { 4 };
    int m_cxFirstLine { 3 };
    int m_cxMidGap { 1 };
    int m_cxSecondLine { 3 };
    int m_cxTrailGap { 6 };
    int m_cyLeadGap { 4 };
    int m_cyFirstLine { 3 };
    int m_cyMidGap { 1 };
    int m_cySecondLine { 3 };
    int m_cyTrailGap { 6 };
    // Distance of the lines from the bar's ends, and the child's margin on the other three sides.
    int m_nInset { 3 };
    CString m_strCloseTip;
    CString m_strExpandTip;
    CString m_strContractTip;
};
