#pragma once
// A control bar that hosts a whole frame window as its child, so that the frame docks and floats like
// a bar while still working as a frame: a click into it when it floats activates the application's
// window, its keys are not taken by the bar's dialog navigation or tooltips, and its children's
// notifications pass through.

#include "toolkit/frames/SECControlBar.h"

class SECFrameBar : public SECControlBar {
    DECLARE_DYNCREATE(SECFrameBar)
public:
    SECFrameBar() = default;
    ~SECFrameBar() override = default;

    // The window's own pre-translation only, so that the hosted frame's accelerators reach it.
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    afx_msg void OnDestroy();
    afx_msg void OnParentNotify(UINT message, LPARAM lParam);
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);

    DECLARE_MESSAGE_MAP()
};
