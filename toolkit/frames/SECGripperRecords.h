#pragma once
// The records one gripper layout is computed with: the metrics across and along the strip (made for one
// layout and dropped after it) and the resulting rectangles of the bars and buttons (kept by the node).
// A plain gripper uses the first six metrics and the two bars.

#include "platform/gdi/WinGdi.h"

struct SECGripperMetrics {
    int m_nBarOffset { 0 };
    int m_nBarThickness { 0 };
    int m_nBarGap { 0 };
    int m_nSpaceAfter { 0 };
    int m_nPlainInset { 0 };
    int m_nButtonInset { 0 };
    int m_nButtonOffset { 0 };
    int m_nButtonSize { 0 };
    int m_nSpaceAfterButtons { 0 };
    int m_nExpandGap { 0 };
    int m_nExpandLength { 0 };
    int m_nCloseGap { 0 };
    int m_nCloseLength { 0 };
    int m_nSavedInset { 0 };
};

struct SECGripperLayout {
    RECT m_rcBar1 {};
    RECT m_rcBar2 {};
    RECT m_rcClose {};
    RECT m_rcExpand {};
};
