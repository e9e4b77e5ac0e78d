#pragma once
// An MDI frame that shows its MDI children as sheets with tabs along the bottom of the MDI client, the
// way a spreadsheet shows its sheets: a click on a tab activates its sheet, a title too long for its
// tab is shortened with "..." and shown whole in a tooltip.

#include <memory>
#include <vector>

#include "platform/afx/CFont.h"
#include "platform/afx/CPen.h"
#include "platform/afx/CToolTipCtrl.h"
#include "toolkit/frames/SECMDIFrameWnd.h"

class CDC;
class SECWorkbookClient;
class SECWorksheet;

class SECWorkbook : public SECMDIFrameWnd {
    DECLARE_DYNCREATE(SECWorkbook)
public:
    static constexpr int kTabPoints = 7;

    SECWorkbook();
    ~SECWorkbook() override;

    // The client window's rectangle grown by its margins (frame coordinates).
    virtual void GetTabAreaRect(CRect& rect);
    virtual BOOL CanActivateSheet(SECWorksheet* pSheet);
    virtual void AddSheet(SECWorksheet* pSheet);
    virtual void RemoveSheet(SECWorksheet* pSheet);
    virtual BOOL TabLabelFits(int nSheet);
    // The tab's outline (frame coordinates); no points for a hidden sheet.
    virtual void GetTabPolygon(SECWorksheet* pSheet, POINT* pPoints, int& nCount);
    virtual CString GetSheetTitle(SECWorksheet* pSheet);
    virtual void GetTabTextRect(const POINT* pPoints, int nIconWidth, CRect& rect);
    virtual void DrawTab(CDC* pDC, SECWorksheet* pSheet);
    virtual void DrawTabArea(CDC* pDC);
    virtual void DrawTabLabel(CDC* pDC, SECWorksheet* pSheet);
    virtual HICON GetSheetIcon(SECWorksheet* pSheet);
    virtual BOOL SetSheetIcon(SECWorksheet* pSheet, HICON hIcon, BOOL bRepaint = TRUE);

    BOOL CreateClient(LPCREATESTRUCT lpCreateStruct, CMenu* pWindowMenu) override;
    CFrameWnd* CreateMDIFloatFrame(DWORD dwStyle, CControlBar* pBar) override;
    void RecalcLayout(BOOL bNotify = TRUE) override;
    INT_PTR OnToolHitTest(CPoint point, TOOLINFO* pTI) const override;

    // Shows the tab strip, making room for it below the MDI client.
    void ShowTabs(BOOL bShow = TRUE);
    void InvalidateTab(SECWorksheet* pSheet);
    int GetSheetCount() const { return static_cast<int>(m_sheets.size()); }
    SECWorksheet* GetSheet(int i) const { return m_sheets[static_cast<size_t>(i)]; }
    int GetTabWidth() const { return m_nTabWidth; }
    // The workbook's tooltip control, made with the first sheet; null before or when it could not be made.
    CToolTipCtrl* GetToolTip() const { return m_pToolTip.get(); }

    BOOL m_bShowTabs { FALSE };
    BOOL m_bShowSheetIcons { TRUE };
    BOOL m_bTabAreaErase { FALSE };

protected:
    // Recomputes the tab width; whether it changed.
    BOOL UpdateTabWidth();
    // The sheet's tab position: its index less the hidden sheets before it; -1 for a hidden sheet.
    int VisiblePosition(SECWorksheet* pSheet) const;
    BOOL IsTabActive(SECWorksheet* pSheet);
    // Repaints the tab strip after the sheets changed.
    void InvalidateAfterSheetChange(BOOL bWidthChanged, SECWorksheet* pSheet);
    SECWorksheet* SheetAt(CPoint point);

    afx_msg void OnPaint();
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnLButtonDown(UINT nFlags, CPoint point);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);
    afx_msg LRESULT OnRefreshTabs(WPARAM wParam, LPARAM lParam);
    DECLARE_MESSAGE_MAP()

    std::vector<SECWorksheet*> m_sheets;
    CFont m_fontTab;
    std::unique_ptr<SECWorkbookClient> m_pClient;
    CPen m_penHilight;
    CPen m_penBlack;
    CPen m_penShadow;
    CPen m_penFace;
    int m_nTabWidth { 100 };
    int m_nTabHeight { 23 };
    int m_nTabSlant { 2 };
    int m_nActiveExtraWidth { 4 };
    int m_nActiveExtraHeight { 2 };
    int m_nMaxTabWidth { 90 };
    CRect m_rectLastClient;
    int m_nLastActiveTab { -1 };
    std::unique_ptr<CToolTipCtrl> m_pToolTip;
};
