#pragma once
// The sheet a bar floats in inside a workbook: the MDI float child's behaviour with a tab, whose icon
// is the bar's.

#include "toolkit/frames/SECBarHostChild.h"
#include "toolkit/frames/SECWorksheet.h"

class SECControlBarWorksheet : public SECWorksheet {
    DECLARE_DYNCREATE(SECControlBarWorksheet)
public:
    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // Keeps the bar's title; the first bar's large icon (else the system's) becomes the sheet's.
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
