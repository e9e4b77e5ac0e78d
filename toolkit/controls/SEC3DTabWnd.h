#pragma once
// The tab window with the 3-D look: a 30-pixel tab strip on one of four edges, a sunken frame around
// the content, and keyboard moves between the tabs and in and out of the active window.

#include "toolkit/controls/SEC3DTabControl.h"
#include "toolkit/controls/SECTabWndBase.h"

// Tab window style bits (the low bits of the creation style; the strip takes them as its own).
constexpr DWORD TWS_TABS_ON_BOTTOM = 0x0010;
constexpr DWORD TWS_TABS_ON_TOP = 0x0020;
constexpr DWORD TWS_TABS_ON_LEFT = 0x0040;
constexpr DWORD TWS_TABS_ON_RIGHT = 0x0080;
constexpr DWORD TWS_OVERLAP = 0x0100;
constexpr DWORD TWS_FLAT_FRAME = 0x0400;

class SEC3DTabWnd : public SECTabWndBase {
public:
    static constexpr int stripThickness = 30;
    // The message a tab window sends itself for Ctrl with Tab, Page Up or Page Down.
    static constexpr UINT ctrlTabMessage = WM_USER + 117;

    SEC3DTabWnd() = default;
    ~SEC3DTabWnd() override;

    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | TWS_TABS_ON_BOTTOM,
        UINT nID = AFX_IDW_PANE_FIRST) override;
    BOOL CreateTabCtrl(DWORD dwStyle, UINT nID) override;
    int GetInsideRect(CRect& rect) const override;
    void RecalcLayout() override;
    void EnableTab(int nIndex, BOOL bEnable = TRUE);
    BOOL PreTranslateMessage(MSG* pMsg) override;
    DWORD GetTabWndStyle() const { return m_dwTabStyle; }

    afx_msg BOOL OnNcCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnSetFocus(CWnd* pOldWnd);
    afx_msg LRESULT OnTabSelect(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnCtrlTab(WPARAM, LPARAM) { return 0; }

protected:
    // Tab key handling between the active window's controls and the tab window's siblings.
    BOOL NavigateTab(MSG* pMsg, BOOL bShift);

    int m_nStripHeight { stripThickness };
    int m_nStripWidth { stripThickness };
    DWORD m_dwTabStyle { 0 };

    DECLARE_MESSAGE_MAP()
};
