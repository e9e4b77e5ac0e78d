#pragma once
// A toolkit frame that docks and floats bars itself (the single- and the multiple-document frame), so
// that a bar's dock context and the extended system commands go through the frame's own rules.

#include "platform/afx/CControlBar.h"
#include "platform/afx/CPoint.h"

class CControlBar;
class CDockBar;

class ISECDockSite {
public:
    virtual void DockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) = 0;
    virtual void ReDockControlBar(CControlBar* pBar, CDockBar* pDockBar = nullptr, LPCRECT lpRect = nullptr) = 0;
    virtual void FloatControlBar(CControlBar* pBar, CPoint point, DWORD dwStyle = CBRS_ALIGN_TOP) = 0;
    virtual void DockSizedControlBar(
        CControlBar* pBar, UINT nDockBarID, int nCol, int nRow, float fPctWidth, int nSize) = 0;

protected:
    ~ISECDockSite() = default;
};
