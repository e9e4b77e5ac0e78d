#pragma once
// The frame's status bar: a toolkit control bar over the common status control, divided into panes
// that each carry a command id, a width, a style and a text. The first pane with id 0 is the message
// pane the bar's window text reads and writes; the other panes follow the frame's update handlers.
// Texts reach the control lazily: a pane marked pending is pushed at the next layout or paint.

#include <vector>

#include "platform/afx/AfxPriv.h"
#include "toolkit/frames/SECControlBar.h"

class SECStatusBar : public SECControlBar {
    DECLARE_DYNAMIC(SECStatusBar)
public:
    SECStatusBar();
    ~SECStatusBar() override = default;

    using SECControlBar::Create;
    using SECControlBar::CreateEx;
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM, UINT nID = AFX_IDW_STATUS_BAR);
    virtual BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle = 0, DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_BOTTOM,
        UINT nID = AFX_IDW_STATUS_BAR);
    // Replaces the panes; a null array only lays the panes out again.
    BOOL SetIndicators(const UINT* lpIDArray, int nIDCount);

    int CommandToIndex(UINT nID) const;
    UINT GetItemID(int nIndex) const;
    // The pane's rectangle in the bar; empty when the control has no such pane.
    void GetItemRect(int nIndex, LPRECT lpRect) const;
    UINT GetPaneStyle(int nIndex) const;
    void SetPaneStyle(int nIndex, UINT nStyle);
    BOOL SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate = TRUE);
    CString GetPaneText(int nIndex) const;
    int GetPaneWidth(int nIndex) const;
    int GetMinHeight() const { return m_nMinHeight; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void CalcInsideRect(CRect& rect, BOOL bHorz) const override;
    void OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler) override;
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    virtual void DrawItem(LPDRAWITEMSTRUCT) { }

    void UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText);

protected:
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    afx_msg LRESULT OnNcHitTest(CPoint point);
    afx_msg void OnNcCalcSize(BOOL bCalcValidRects, NCCALCSIZE_PARAMS* lpncsp);
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnWindowPosChanging(WINDOWPOS* lpWndPos);
    afx_msg LRESULT OnSetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetText(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnGetTextLength(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSetMinHeight(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

private:
    // Bit of Pane::flags: the text has not yet been given to the control.
    static constexpr UINT kUpdatePending = 0x0001;

    struct Pane {
        UINT id { 0 };
        int width { 0 };
        UINT style { 0 };
        UINT flags { 0 };
        CString text;
    };

    Pane* PaneAt(int nIndex);
    const Pane* PaneAt(int nIndex) const;
    // The control's borders: horizontal, vertical and between panes.
    void GetBorders(int borders[3]) const;
    // The control bar's border adjustment of rect.
    void AdjustBorders(CRect& rect, BOOL bHorz) const;

    int m_nMinHeight { 0 };
    std::vector<Pane> m_panes;
};
