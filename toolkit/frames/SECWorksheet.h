#pragma once
// A sheet of a workbook: an MDI child with a tab in the workbook's tab strip, an icon on the tab and
// a pressed state while the mouse button is down on the tab.

#include "toolkit/frames/SECMDIChildWnd.h"

class SECWorkbook;

class SECWorksheet : public SECMDIChildWnd {
    DECLARE_DYNCREATE(SECWorksheet)
public:
    ~SECWorksheet() override;

    BOOL LoadFrame(UINT nIDResource, DWORD dwDefaultStyle = WS_CHILD | WS_VISIBLE | WS_OVERLAPPEDWINDOW | FWS_ADDTOTITLE,
        CWnd* pParentWnd = nullptr, CCreateContext* pContext = nullptr) override;
    void OnUpdateFrameMenu(BOOL bActivate, CWnd* pActivateWnd, HMENU hMenuAlt) override;
    using SECMDIChildWnd::OnUpdateFrameMenu;
    void OnUpdateFrameTitle(BOOL bAddToTitle) override;
    SECWorkbook* GetWorkbook() const;
    // Repaints the sheet's tab.
    void InvalidateTab();

    HICON m_hSheetIcon { nullptr };
    int m_nSheetIndex { -1 };
    BOOL m_bPressed { FALSE };

protected:
    afx_msg void OnShowWindow(BOOL bShow, UINT nStatus);
    afx_msg void OnDestroy();
    DECLARE_MESSAGE_MAP()
};
