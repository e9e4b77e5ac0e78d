#pragma once
// The notes, one line under the other with a dark mark before each; printed and previewed a set number
// of lines a page, and a drop target for items dragged from a list.

#include "platform/afx/COleDropTarget.h"
#include "platform/afx/CView.h"

class CNotesDoc;

class CNotesView : public CView {
    DECLARE_DYNCREATE(CNotesView)
public:
    static constexpr int kLineHeight = 16;

    CNotesDoc* GetDocument() const;
    void OnDraw(CDC* pDC) override;

    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point) override;

    // The pages the notes take at the options' lines a page.
    UINT PageCount() const;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    DECLARE_MESSAGE_MAP()

private:
    // Lines [first, last) drawn into rect, each line's height a share of it.
    void DrawLines(CDC* pDC, size_t first, size_t last, const CRect& rect, int lineHeight);

    COleDropTarget m_dropTarget;
};
