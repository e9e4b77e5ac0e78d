#pragma once
// The menu bar of a multi-document frame: while the active child is maximised the bar carries that
// child's window-menu button first and its caption buttons last, since the child has no caption of
// its own then; a double click on the window-menu button runs that menu's default command, as a
// double click on the child's icon would.

#include "toolkit/controls/SECMenuBar.h"

class CMDIChildWnd;

// The ids of a maximised child's buttons (below the menu buttons' ids; never sent as commands).
constexpr UINT SEC_MDIBTN_SYSMENU = 0x7FFFFFFE;
constexpr UINT SEC_MDIBTN_CAPTION = 0x7FFFFFFF;

class SECMDIMenuBar : public SECMenuBar {
    DECLARE_DYNCREATE(SECMDIMenuBar)
public:
    // Adds the maximised active child's buttons (with that child's icon) or takes them away; whether
    // the bar changed.
    BOOL RefreshMDIButtons();
    SECStdBtn* CreateButton(UINT nID, SECCustomToolBar* pOwner = nullptr) override;

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
