#pragma once
// The print preview: a view that takes the printed view's place in its frame and draws the same
// pages the printer would get, one or two side by side, scaled to the window (or one at about its
// real size when zoomed in). A bar across the top of the frame carries the preview's commands (Print,
// Next and Prev Page, One/Two Page, Zoom In and Out, Close); Page Down / Page Up move through the
// pages too, and Escape gives the frame back to the printed view.

#include <memory>

#include "platform/afx/CDC.h"
#include "platform/afx/CView.h"

class CDialogBar;
class CFrameWnd;
class CPrintInfo;
struct CPrintPreviewState;

class CPreviewView : public CView {
    DECLARE_DYNCREATE(CPreviewView)
public:
    enum ZoomState : UINT { ZOOM_OUT = 0, ZOOM_IN = 1 };

    CPreviewView();
    ~CPreviewView() override;

    // Puts a preview of pPrintView's pages into the frame; the print job (with its printer DC) is
    // the preview's from here. FALSE, with the frame as it was, when it cannot start.
    static BOOL Start(CFrameWnd& frame, CView& printView, std::unique_ptr<CPrintInfo> pInfo);

    UINT GetCurrentPage() const { return m_nCurrentPage; }
    // The number of pages, or 0 while the printed view does not know it.
    UINT GetPageCount() const;
    // Shows the page when it is one of the document's; FALSE otherwise.
    BOOL SetCurrentPage(UINT nPage);
    void SetZoomState(UINT nNewState);
    // Pages side by side while zoomed out: 1 or 2.
    void SetNumPages(UINT nPages);
    UINT GetNumPages() const { return m_nPages; }
    UINT GetZoomState() const { return m_nZoomState; }
    CPrintInfo* GetPrintInfo() const { return m_pPreviewInfo.get(); }
    CView* GetPrintView() const { return m_pPrintView; }

    void OnDraw(CDC* pDC) override;
    // Where the current page (nIndex 0) or the one beside it (1) lies in the client area, in screen
    // pixels.
    CRect GetPageRect(UINT nIndex = 0) const;
    // The bar with the preview's commands; null when the program's resources lack its template.
    CDialogBar* GetToolBar() const { return m_pToolBar.get(); }

    afx_msg void OnNextPage();
    afx_msg void OnPrevPage();
    afx_msg void OnZoomIn();
    afx_msg void OnZoomOut();
    afx_msg void OnNumPageChange();
    afx_msg void OnPreviewClose();
    afx_msg void OnPreviewPrint();
    afx_msg void OnUpdateNextPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdatePrevPage(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomIn(CCmdUI* pCmdUI);
    afx_msg void OnUpdateZoomOut(CCmdUI* pCmdUI);
    afx_msg void OnUpdateNumPageChange(CCmdUI* pCmdUI);

protected:
    afx_msg void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);

    DECLARE_MESSAGE_MAP()

private:
    // Whether the printed view has a page after the current one.
    bool HasPage(UINT nPage);
    // Hides the frame's main pane under another id while the preview has its place, or puts it back.
    static void SetMainPaneShown(const CPrintPreviewState& state, bool shown);
    // The pages drawn now: the second of two only while zoomed out and when the document has it.
    UINT ShownPages();

    CView* m_pPrintView { nullptr };
    std::unique_ptr<CPrintInfo> m_pPreviewInfo;
    std::unique_ptr<CPrintPreviewState> m_pPreviewState;
    std::unique_ptr<CDialogBar> m_pToolBar;
    // The printer DC: the page layout's device capabilities, and where pages are drawn.
    CDC m_printerDC;
    UINT m_nCurrentPage { 1 };
    UINT m_nZoomState { ZOOM_OUT };
    UINT m_nPages { 1 };
};
