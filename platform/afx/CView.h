#pragma once
// A view: the child window of a frame that shows a document. Commands reach the view first, then its
// document; the view deletes itself when its window goes.

#include <memory>

#include "platform/afx/CWnd.h"
#include "platform/shell/OleIdl.h"

class COleDataObject;
class CDocument;
class CFrameWnd;
class CPrintInfo;
class CPreviewView;

class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    CView();
    // Leaves its document.
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }

    // Draws the document; nothing here.
    virtual void OnDraw(CDC* pDC) { }
    // Sets the device context up before drawing. For a page whose view does not know its page count
    // it ends the job after the first page, so a view that never says "stop" prints one page.
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);
    // Runs once the frame first shows the document: OnUpdate with no sender.
    virtual void OnInitialUpdate();
    // The document changed: repaints the whole view.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    // The view became (or stopped being) the frame's active one: it takes the focus.
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    // The frame around the view was activated or deactivated.
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd) { }

    // A drag over the view (through a COleDropTarget registered for it): the effect a drop would
    // have, none here; OnDrop is TRUE when it took the data.
    virtual DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { return DROPEFFECT_NONE; }
    virtual DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) { return DROPEFFECT_NONE; }
    virtual void OnDragLeave() { }
    virtual BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) { return FALSE; }

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    // Commands go to the view, then to its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    CDocument* m_pDocument { nullptr };

    // The printing protocol. A print job (File / Print) or preview runs OnPreparePrinting (which
    // calls DoPreparePrinting for the print dialog or the default printer), OnBeginPrinting, then for
    // each page OnPrepareDC and OnPrint while m_bContinuePrinting holds, then OnEndPrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo) { }
    // Draws the page: OnDraw here.
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo) { OnDraw(pDC); }
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo) { }
    // The preview ended (its frame is back to normal); the view becomes the active one again.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo, POINT point, CPreviewView* pView);
    // Shows the print dialog (or, for a preview or a direct print, takes the default printer) and
    // leaves its DC in pInfo->m_pPD; FALSE when cancelled or there is no printer.
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // Shows the preview in the view's frame in place of the view; FALSE when it cannot start.
    BOOL DoPrintPreview(std::unique_ptr<CPrintInfo> pInfo);

    afx_msg void OnFilePrint();
    afx_msg void OnFilePrintPreview();

    // One page of a print job or preview: m_rectDraw from the DC's page, then OnPrint.
    void PrintPage(CDC& dc, CPrintInfo& info);

protected:
    void PostNcDestroy() override { delete this; }

    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnPaint();
    afx_msg int OnMouseActivate(CWnd* pDesktopWnd, UINT nHitTest, UINT message);
    afx_msg LRESULT OnInitialUpdateMessage(WPARAM, LPARAM);

    DECLARE_MESSAGE_MAP()
};

// The style of views made by frames.
constexpr DWORD AFX_WS_DEFAULT_VIEW = WS_CHILD | WS_VISIBLE | WS_BORDER;
