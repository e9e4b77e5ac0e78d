#pragma once
// The MDI child a bar floats in with "Float In Main Window": one floating dock bar fills it. Closing
// it hides the bar and keeps the window, so that the bar shows again in place; sizing it sizes the bar.

#include "toolkit/frames/SECBarHostChild.h"
#include "toolkit/frames/SECMDIChildWnd.h"

class SECControlBarMDIChildWnd : public SECMDIChildWnd {
    DECLARE_DYNCREATE(SECControlBarMDIChildWnd)
public:
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    SECDockBar* GetDockBar() { return &m_host.GetDockBar(); }

protected:
    BOOL OnCreateClient(LPCREATESTRUCT lpcs, CCreateContext* pContext) override;

    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnClose();
    afx_msg void OnWindowPosChanged(WINDOWPOS* lpwndpos);
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    DECLARE_MESSAGE_MAP()

    SECBarHostChild m_host { *this };
};
