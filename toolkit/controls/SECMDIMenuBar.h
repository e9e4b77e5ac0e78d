#pragma once
// The menu bar of a multi-document frame: a double click on the maximised child's window-menu button
// runs that menu's default command, as a double click on the child's icon would.

#include "toolkit/controls/SECMenuBar.h"

class CMDIChildWnd;

class SECMDIMenuBar : public SECMenuBar {
    DECLARE_DYNCREATE(SECMDIMenuBar)
public:
    // The active child of the multi-document frame the window is in; null for none.
    static CMDIChildWnd* ActiveChildOf(const CWnd* pWnd);
    // The tick count of the last press on the bar.
    DWORD GetLastPressTime() const { return m_dwLastPress; }

protected:
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonDblClk(UINT nFlags, CPoint point);

    DWORD m_dwLastPress { 0 };

    DECLARE_MESSAGE_MAP()
};
