#pragma once
// The docking bar on the left of the main window: a tab window with the library tree on tab 0 and the
// search dialog on tab 1. The search tab stays disabled while no library is open; activating it with a
// library open sets the search controls up again.

#include "app/CMainTreeCtrl.h"
#include "app/CSearchDlg.h"
#include "toolkit/controls/SEC3DTabWnd.h"
#include "toolkit/frames/SECControlBar.h"

class CDockingTabWnd : public SECControlBar {
public:
    static constexpr int treeTab = 0;
    static constexpr int searchTab = 1;
    // The toolkit bar styles the bar adds to its own at creation.
    static constexpr DWORD addedExBarStyles = 0xE00;

    CDockingTabWnd();
    ~CDockingTabWnd() override;

    // Enables the search tab while a library is open, disables it otherwise (bringing the library tab
    // to the front when the search was there).
    void EnableSearchTab(BOOL bEnable);
    // Brings the search tab to the front with the dialog set to search the library (0) or the disks (1).
    void ShowSearchTab(int nSearchIn);

    SEC3DTabWnd m_wndTabs;
    CMainTreeCtrl m_wndTree;
    CSearchDlg m_dlgSearch;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg LRESULT OnRefreshSearchTab(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()
};
