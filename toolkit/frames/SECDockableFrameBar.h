#pragma once
// The control bar a docked view lives in: its one frame fills the inside of the bar, or, while the bar
// floats, covers the floating frame so that the view's own caption takes the floating frame's place.

#include "toolkit/frames/SECControlBar.h"

class SECDockableFrameBar : public SECControlBar {
    DECLARE_DYNCREATE(SECDockableFrameBar)
public:
    // The frame in the bar, or null.
    CFrameWnd* GetFrame() const;

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()
};
