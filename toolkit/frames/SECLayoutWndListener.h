#pragma once
// Drives a layout tree from its window's messages: the tree is laid out again when the window is sized,
// the window's tracking limits come from the tree's size limits, and the tree's drawn nodes paint when
// the window paints. The window's own handling runs first each time, so the tree paints over it.

#include "toolkit/frames/SECLayoutNode.h"
#include "toolkit/frames/SECWndListener.h"

class SECLayoutWndListener : public quorvale::foundation::SECWndListener {
public:
    SECLayoutWndListener() = default;

    // The attach flag is not used; the listener joins the window's chain.
    BOOL AttachToWindow(CWnd* pWnd, BOOL bFlag) override;

    virtual BOOL SetLayoutRoot(SECLayoutNode* pRoot);
    virtual SECLayoutNode* GetLayoutRoot() { return m_pRoot; }
    virtual void SetAutoLayout(BOOL bAuto) { m_bAutoLayout = bAuto; }
    virtual BOOL AttachLayout(SECLayoutNode* pRoot, CWnd* pWnd, const RECT& rect, BOOL bAttachFlag, BOOL bRecalc);
    virtual BOOL AttachLayoutToWindow(SECLayoutNode* pRoot, CWnd* pWnd, BOOL bAttachFlag, BOOL bRecalc,
        BOOL bUseWindowRect);

protected:
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* pInfo);
    afx_msg BOOL OnEraseBkgnd(CDC* pDC);
    afx_msg void OnPaint();
    afx_msg void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT pMeasure);
    DECLARE_MESSAGE_MAP()

private:
    // Runs the window's own procedure on the current message now, and makes its answer the chain's.
    LRESULT DefaultFirst();

    SECLayoutNode* m_pRoot { nullptr };
    BOOL m_bUseWindowRect { FALSE };
    BOOL m_bAutoLayout { TRUE };
};
