#pragma once
// The showcase's main window: an MDI frame with a toolbar docked at the top and a status bar whose
// second pane names the active document.

#include "platform/afx/CMDIFrameWnd.h"
#include "platform/afx/tests/showcase/CShowcaseStatusBar.h"
#include "platform/afx/tests/showcase/CShowcaseToolBar.h"

class CShowcaseFrame : public CMDIFrameWnd {
    DECLARE_DYNCREATE(CShowcaseFrame)
public:
    static constexpr UINT kDocumentPane = 0xE880;

    CShowcaseToolBar m_wndToolBar;
    CShowcaseStatusBar m_wndStatusBar;
    // What the last options sheet ended with.
    INT_PTR m_nLastOptions { 0 };

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnOptions();
    afx_msg void OnUpdateDocumentPane(CCmdUI* pCmdUI);
    DECLARE_MESSAGE_MAP()
};
